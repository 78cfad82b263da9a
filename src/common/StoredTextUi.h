#pragma once
// The text boxes' side of the stored texts: what the user typed is never
// changed behind their back before it is written, and no box freezes over
// what it is given.
#include <QList>

class QPlainTextEdit;
class QWidget;

// Before the boxes' texts are written in the code page of the data files
// (AcceptStoredText). At Yes the boxes take the stand-ins, so they show what
// is kept; at No the focus goes to the first box to change. False when
// nothing may be written. Takes line edits, editable combo boxes and
// multi-line boxes; null entries are skipped.
bool FitBoxesToCodePage(const QList<QWidget *> &boxes);

// A word far longer than a line takes word wrapping a time that grows with
// the square of its length (a megabyte of one word: minutes). While the box
// holds such a word, or is empty and about to be filled, it wraps anywhere.
void KeepBoxResponsive(QPlainTextEdit *box);
// The same for every multi-line box of a screen.
void KeepTextBoxesResponsive(QWidget *screen);
