#pragma once
// Key filters the screens attach to their entry fields.
#include <functional>

class QLineEdit;
class QObject;
class QValidator;
class QWidget;

// Refuses the seven characters of file names and comma-separated files unless
// the field already holds a number; tells the user which character it was.
// Returns the key code to use, or 0 to swallow the key.
int CheckKeyEntry(int keyCode, QLineEdit *box);
// Digits, the point and backspace pass; anything else beeps and is swallowed.
int NumericKeyFilter(int keyCode);
// Shows a numeric text in the user's currency format; false (text unchanged)
// when the text is not a number.
bool FormatCurrencyBox(QLineEdit *box);

// Runs every typed character of a field through a filter (as the field's
// key-press event would); a result of 0 swallows the key.
void InstallKeyFilter(QLineEdit *box, std::function<int(int keyCode)> filter);

// A box at its length limit stops typing with a beep. A pasted or dropped
// text is cut to the limit (or, where the box takes only some texts, not
// taken) and the user is told once, after the paste, which box and why.
void TellRefusedInput(QLineEdit *box);
// The same for every single-line box of a screen, combo boxes' included.
void TellRefusedInputIn(QWidget *screen);

// A box's validator that takes only a whole number from low to high, and
// nothing on the way to one: every start of a number in the range must be in
// it too (1 to 16, for example). A refused paste names the range.
QValidator *WholeNumberValidator(int low, int high, QObject *parent);
