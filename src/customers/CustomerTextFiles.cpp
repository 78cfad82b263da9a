#include "customers/CustomerTextFiles.h"

#include "platform/TextCodec.h"
#include "shell/CommonRoutines.h"
#include "shell/DataFolders.h"
#include "shell/QuotedFields.h"

namespace {

const QString HeadingsFile = QStringLiteral("/AuxHeadings.txt");

QStringList ReadLines(const QString &name) {
    if (!FileExists(name))
        return {};
    const auto bytes = ReadWholeFile(name);
    return bytes ? TextCodec::SplitLines(TextCodec::Decode(*bytes)) : QStringList{};
}

// A box's text as stored: as typed, with CR LF line ends, followed by CR LF.
QByteArray StoredText(QString text) {
    text.replace(QLatin1String("\r\n"), QLatin1String("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
    text.replace(QLatin1Char('\n'), QLatin1String(TextCodec::LineEnd));
    return TextCodec::Encode(text + QLatin1String(TextCodec::LineEnd));
}

} // namespace

QStringList LoadAuxHeadings() { return ReadLines(HeadingsFile).mid(0, AuxBoxes); }

bool SaveAuxHeadings(const AuxTexts &headings) {
    QByteArray bytes;
    for (const QString &heading : headings)
        bytes += TextCodec::Encode(heading) + TextCodec::LineEnd;
    DeleteWithBackup(HeadingsFile);
    return WriteWholeFile(HeadingsFile, bytes);
}

QString AuxDataFileName(const QString &accountNo, int box) {
    const QString account = AccountFolderName(accountNo);
    if (account.isEmpty() || box < 0 || box >= AuxBoxes)
        return {};
    return QStringLiteral("/AuxFiles/") + account + QStringLiteral("/AuxFile") + QString::number(box) +
           QStringLiteral("/Data.txt");
}

AuxTexts LoadAuxData(const QString &accountNo) {
    AuxTexts boxes;
    for (int k = 0; k < AuxBoxes; ++k) {
        const QString name = AuxDataFileName(accountNo, k);
        if (!name.isEmpty())
            boxes[k] = ReadLines(name).join(QLatin1Char('\n'));
    }
    return boxes;
}

bool SaveAuxData(const QString &accountNo, const AuxTexts &boxes) {
    if (!EnsureAccountFolders(accountNo))
        return false;
    bool ok = true;
    for (int k = 0; k < AuxBoxes; ++k)
        ok = WriteWholeFile(AuxDataFileName(accountNo, k), StoredText(boxes[k])) && ok;
    return ok;
}

QStringList LoadStatesList() {
    const QString name = QStringLiteral("/StatesList.txt");
    if (!FileExists(name))
        return {};
    const auto bytes = ReadWholeFile(name);
    if (!bytes)
        return {};
    FieldReader reader(TextCodec::Decode(*bytes));
    QStringList states;
    while (states.size() < 50) {
        const auto field = reader.Next();
        if (!field)
            break;
        states << field->text;
    }
    return states;
}
