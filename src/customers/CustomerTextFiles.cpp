#include "customers/CustomerTextFiles.h"

#include "common/CommonRoutines.h"
#include "common/QuotedFields.h"
#include "common/StoredText.h"
#include "customers/AccountFolders.h"
#include "platform/TextCodec.h"

namespace {

const QString HeadingsFile = QStringLiteral("/AuxHeadings.txt");

QStringList ReadLines(const QString &name) {
    const auto text = ReadStoredText(name);
    return text.ok() ? TextCodec::SplitLines(text.value) : QStringList{};
}

// A box's text as stored: as typed, with CR LF line ends, followed by CR LF.
QByteArray StoredText(const QString &text) {
    return TextCodec::Encode(StoredLineEnds(text) + QLatin1String(TextCodec::LineEnd));
}

} // namespace

QStringList LoadAuxHeadings() { return ReadLines(HeadingsFile).mid(0, AuxBoxes); }

bool SaveAuxHeadings(const AuxTexts &headings) {
    QByteArray bytes;
    for (const QString &heading : headings)
        bytes += TextCodec::Encode(heading) + TextCodec::LineEnd;
    // Write first: a failed write must leave the old file and its backup.
    if (!WriteWholeFile(HeadingsFile, bytes))
        return false;
    DeleteFile(QStringLiteral("/Backup") + HeadingsFile);
    return true;
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
    const auto text = ReadStoredText(QStringLiteral("/StatesList.txt"));
    if (!text.ok())
        return {};
    FieldReader reader(text.value);
    QStringList states;
    while (states.size() < 50) {
        const auto field = reader.Next();
        if (!field)
            break;
        states << field->text;
    }
    return states;
}
