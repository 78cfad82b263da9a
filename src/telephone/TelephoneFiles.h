#pragma once
// The telephone's small files and rules: Phone.txt and CallID.txt (written
// by other programs, only read here), SpeedNumbers.txt, the numbers a modem
// may be asked to dial.
#include "common/StoredText.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <array>
#include <optional>

struct PhoneSettings {
    bool daisyChained = false;
    qint16 modemPort = 0;
};
// Phone.txt: the daisy-chain flag and a port number, separated by a comma
// or a line end ("#TRUE#,3").
ReadBack<PhoneSettings> ReadPhoneFile();
// CallID.txt: the caller-ID flag.
ReadBack<bool> ReadCallerIdFile();

// A number goes to the modem inside a dial command, so it may hold only what
// a dial string means: digits, blanks, - ( ) + * # , and the dialling letters
// W, P and T. Anything else could make the modem run a command of its own.
// The characters refused, each once, in the order they come; empty when the
// number may be dialled.
QString RefusedDialCharacters(const QString &number);

struct SpeedDialEntry {
    QString name;
    QString number;
    bool operator==(const SpeedDialEntry &) const = default;
};
using SpeedDialSlots = std::array<SpeedDialEntry, 10>;

struct SpeedDialFile {
    SpeedDialSlots entries;
    // Entries of the file that the next save will not write again: those past
    // the tenth, and those without a name.
    int dropped = 0;
    // The file goes on beyond what was read, so more may be dropped.
    bool cut = false;
};
// What is read of SpeedNumbers.txt at most: ten pairs of any sensible length
// and a look past them, however large the file has grown.
inline constexpr qint64 SpeedDialReadLimit = 64 * 1024;
// Two lines per slot, name then number, in slot order; a last name without a
// number line gives a slot with an empty number. With cut set, the bytes are
// the start of a longer file: their last, unfinished line is left out.
SpeedDialFile ParseSpeedNumbers(const QByteArray &bytes, bool cut = false);
// SpeedNumbers.txt, read up to SpeedDialReadLimit; nullopt when it is missing
// or cannot be read.
std::optional<SpeedDialFile> ReadSpeedNumbers();
// A name or number as it can be stored: the file keeps one per line, so the
// lines of a text with line breaks are joined by single blanks.
QString SpeedDialText(const QString &text);
// The used slots (those with a name), in order, two CR LF lines each; line
// breaks inside a name or number are written as SpeedDialText gives them.
QByteArray FormatSpeedNumbers(const SpeedDialSlots &entries);
