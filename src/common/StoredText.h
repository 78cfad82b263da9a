#pragma once
// The text files the program keeps: line ends as the files hold them (CR LF)
// and as a multi-line text box holds them (LF), and the outcome of reading a
// file back, which tells a missing file from one that cannot be understood.
#include <QString>
#include <QStringList>

enum class ReadOutcome { Read, Missing, Unreadable };

template <class T> struct ReadBack {
    ReadOutcome outcome = ReadOutcome::Missing;
    T value{};
    bool ok() const { return outcome == ReadOutcome::Read; }
};

// Every line break (CR LF, a lone CR or a lone LF) as CR LF.
QString StoredLineEnds(const QString &text);
// Every line break as LF.
QString BoxLineEnds(const QString &text);

// The decoded text of a data file; a missing file is first restored from \Backup.
ReadBack<QString> ReadStoredText(const QString &name);

// True for a bare file name: not empty, no separator, not "." or "..".
bool IsPlainFileName(const QString &fileName);

// Before texts are stored in the code page of the data files: when they hold
// characters it lacks, a box names each with what would be stored instead
// and asks whether to store them so. True when nothing is lacking or the
// user says Yes; false when the user goes back to change the text, and then
// nothing may be written.
bool AcceptStoredText(const QStringList &texts);
