#pragma once
// The telephone's small files and rules: Phone.txt and CallID.txt (written
// by other programs, only read here), SpeedNumbers.txt, the numbers a modem
// may be asked to dial, and the search for the modem on ports 1 to 16.
#include "common/StoredText.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <array>

class SerialPort;

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
    // the tenth, and those without a name, as "name (number)".
    QStringList dropped;
};
// Two lines per slot, name then number, in slot order; a last name without a
// number line gives a slot with an empty number.
SpeedDialFile ParseSpeedNumbers(const QByteArray &bytes);
// The used slots (those with a name), in order, two CR LF lines each.
QByteArray FormatSpeedNumbers(const SpeedDialSlots &entries);

// Ports 1 to 16 in order: the first whose device, sent "AT" and CR, answers
// with two characters or more within probeMilliseconds. The port is left
// open on it; 0 (and the port closed) when none answers. Devices that are
// missing or in use are skipped at once.
int FindModem(SerialPort &port, int probeMilliseconds);
