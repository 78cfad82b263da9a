#include "telephone/TelephoneFiles.h"

#include "common/CommonRoutines.h"
#include "common/QuotedFields.h"
#include "platform/TextCodec.h"

#include <QFile>
#include <QRegularExpression>

#include <algorithm>
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

SpeedDialFile ParseSpeedNumbers(const QByteArray &bytes, bool cut) {
    SpeedDialFile file;
    file.cut = cut;
    QByteArray whole = bytes;
    if (cut) {
        const qsizetype end = std::max(whole.lastIndexOf('\n'), whole.lastIndexOf('\r'));
        whole.truncate(end + 1);
    }
    const QStringList lines = TextCodec::SplitLines(TextCodec::Decode(whole));
    for (qsizetype i = 0, slot = 0; i < lines.size(); i += 2, ++slot) {
        const SpeedDialEntry entry{lines[i], i + 1 < lines.size() ? lines[i + 1] : QString()};
        const bool kept = slot < 10 && !entry.name.isEmpty();
        if (slot < 10)
            file.entries[slot] = entry;
        if (!kept && !(entry.name.isEmpty() && entry.number.isEmpty()))
            ++file.dropped;
    }
    return file;
}

std::optional<SpeedDialFile> ReadSpeedNumbers() {
    const QString name = QStringLiteral("/SpeedNumbers.txt");
    if (!FileExists(name))
        return std::nullopt;
    QFile file(DataPath(name));
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray bytes = file.read(SpeedDialReadLimit);
    return ParseSpeedNumbers(bytes, file.size() > bytes.size());
}

QString SpeedDialText(const QString &text) {
    // Only CR and LF end a line of the file; anything else stays as it was,
    // so a file read and saved again is the same file.
    static const QRegularExpression lineBreaks(QStringLiteral("[\\r\\n]+"));
    if (!text.contains(lineBreaks))
        return text;
    QStringList parts;
    for (const QString &part : text.split(lineBreaks, Qt::SkipEmptyParts))
        if (!part.trimmed().isEmpty())
            parts << part.trimmed();
    return parts.join(QLatin1Char(' '));
}

QByteArray FormatSpeedNumbers(const SpeedDialSlots &entries) {
    QString text;
    for (const SpeedDialEntry &entry : entries)
        if (!entry.name.isEmpty())
            text += SpeedDialText(entry.name) + QLatin1String(TextCodec::LineEnd) + SpeedDialText(entry.number) +
                    QLatin1String(TextCodec::LineEnd);
    return TextCodec::Encode(text);
}
