#include "telephone/TelephoneFiles.h"

#include "common/CommonRoutines.h"
#include "common/QuotedFields.h"
#include "platform/SerialPort.h"
#include "platform/TextCodec.h"

#include <limits>

ReadBack<PhoneSettings> ReadPhoneFile() {
    ReadBack<PhoneSettings> result;
    const ReadBack<QString> text = ReadStoredText(QStringLiteral("/Phone.txt"));
    result.outcome = text.outcome;
    if (!text.ok())
        return result;
    FieldReader reader(text.value);
    qint64 port = 0;
    if (!reader.ReadBool(result.value.daisyChained) || !reader.ReadInteger(port) ||
        port < std::numeric_limits<qint16>::min() || port > std::numeric_limits<qint16>::max()) {
        result = {};
        result.outcome = ReadOutcome::Unreadable;
        return result;
    }
    result.value.modemPort = static_cast<qint16>(port);
    return result;
}

ReadBack<bool> ReadCallerIdFile() {
    ReadBack<bool> result;
    const ReadBack<QString> text = ReadStoredText(QStringLiteral("/CallID.txt"));
    result.outcome = text.outcome;
    if (!text.ok())
        return result;
    FieldReader reader(text.value);
    if (!reader.ReadBool(result.value)) {
        result = {};
        result.outcome = ReadOutcome::Unreadable;
    }
    return result;
}

QString RefusedDialCharacters(const QString &number) {
    static const QString allowed = QStringLiteral("0123456789 -()+*#,WPTwpt");
    QString refused;
    for (const QChar c : number)
        if (!allowed.contains(c) && !refused.contains(c))
            refused += c;
    return refused;
}

SpeedDialFile ParseSpeedNumbers(const QByteArray &bytes) {
    SpeedDialFile file;
    const QStringList lines = TextCodec::SplitLines(TextCodec::Decode(bytes));
    for (qsizetype i = 0, slot = 0; i < lines.size(); i += 2, ++slot) {
        const SpeedDialEntry entry{lines[i], i + 1 < lines.size() ? lines[i + 1] : QString()};
        const bool kept = slot < 10 && !entry.name.isEmpty();
        if (slot < 10)
            file.entries[slot] = entry;
        if (!kept && !(entry.name.isEmpty() && entry.number.isEmpty()))
            file.dropped << entry.name + QStringLiteral(" (") + entry.number + QLatin1Char(')');
    }
    return file;
}

QByteArray FormatSpeedNumbers(const SpeedDialSlots &entries) {
    QString text;
    for (const SpeedDialEntry &entry : entries)
        if (!entry.name.isEmpty())
            text += entry.name + QLatin1String(TextCodec::LineEnd) + entry.number + QLatin1String(TextCodec::LineEnd);
    return TextCodec::Encode(text);
}

int FindModem(SerialPort &port, int probeMilliseconds) {
    port.Close();
    for (int p = 1; p <= 16; ++p) {
        if (!port.Open(p))
            continue;
        port.Send("AT\r");
        if (WaitForSerial(port, probeMilliseconds, [&] { return port.BytesWaiting() >= 2; }))
            return p;
        port.Close();
    }
    return 0;
}
