#include "proposals/ProposalFiles.h"

#include "common/CommonRoutines.h"
#include "common/FolderIndex.h"
#include "common/LocaleTexts.h"
#include "common/QuotedFields.h"
#include "platform/Clock.h"
#include "platform/TextCodec.h"
#include "proposals/ProposalState.h"

#include <QCollator>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <cstdio>
#include <unistd.h>
#include <iterator>
#include <utility>
#include <algorithm>
#include <cmath>

namespace {

constexpr int MaxPayments = 8;
constexpr int ProposalTexts = 15;      // lines 2 to 16
constexpr int FieldProposalTexts = 8;  // lines 2 to 9

QString InFolder(const QString &folder, const QString &fileName) {
    return folder + QLatin1Char('\\') + fileName;
}

QString FirstLine(const QString &number, Currency price, const QDate &saved) {
    return QuotedFields::Line({QuotedFields::Text(number), QuotedFields::Money(price), QuotedFields::Date(saved)});
}

QString TextLine(const QString &text) { return QuotedFields::Line({QuotedFields::Text(text)}); }

// The stored text of a file in one of the proposal folders, or "missing"
// for a name that could reach outside it.
ReadBack<QString> ReadInFolder(const QString &folder, const QString &fileName) {
    if (!IsPlainFileName(fileName))
        return {};
    return ReadStoredText(InFolder(folder, fileName));
}

// Reads a file of a proposal folder and parses its text; a file that is
// there but does not parse is unreadable.
template <class T, class Parse>
ReadBack<T> ReadParsed(const QString &folder, const QString &fileName, Parse parse) {
    ReadBack<T> result;
    const auto stored = ReadInFolder(folder, fileName);
    result.outcome = stored.outcome;
    if (stored.ok() && !parse(stored.value, result.value))
        result.outcome = ReadOutcome::Unreadable;
    return result;
}

bool ParseProposal(const QString &text, ProposalFile &file) {
    FieldReader reader(text);
    if (!reader.ReadText(file.number) || !reader.ReadMoney(file.price) || !reader.ReadDate(file.saved))
        return false;
    // A number a proposal can have, never one that would wrap when printed.
    bool numeric = false;
    const int number = file.number.mid(file.IsFieldProposal() ? 2 : 0).toInt(&numeric);
    if (!numeric || number < 1 || number > 32767)
        return false;
    const int expected = file.IsFieldProposal() ? FieldProposalTexts : ProposalTexts;
    for (int i = 0; i < expected; ++i) {
        QString field;
        if (!reader.ReadText(field))
            return false;
        file.texts << field;
    }
    return true;
}

// A payments file that could not be read back is never written.
bool PaymentsReadable(const PaymentSchedule &schedule) {
    if (schedule.payments.size() > MaxPayments)
        return false;
    for (const Payment &payment : schedule.payments)
        if (!payment.due.isValid())
            return false;
    return true;
}

// The name a new file is written under until it takes its place, and the
// name an old one keeps meanwhile; neither is listed as a proposal.
const QString NewSuffix = QStringLiteral(".new");
const QString OldSuffix = QStringLiteral(".old");

// Whether a data file is there, as it is: nothing is restored from \Backup.
bool IsThere(const QString &name) { return QFileInfo(DataPath(name)).isFile(); }

// Renames one data file over another (replacing it) in one step.
bool RenameData(const QString &from, const QString &to) {
    const QString source = DataPath(from), target = DataPath(to);
    return !source.isEmpty() && !target.isEmpty() &&
           ::rename(QFile::encodeName(source).constData(), QFile::encodeName(target).constData()) == 0;
}

// Keeps the old file of a name under its ".old" name too, while the name
// itself still holds it: a hard link, so the name is never missing; where the
// disk has no links, a rename.
bool KeepOldBeside(const QString &name) {
    const QString source = DataPath(name), kept = DataPath(name + OldSuffix);
    if (source.isEmpty() || kept.isEmpty())
        return false;
    return ::link(QFile::encodeName(source).constData(), QFile::encodeName(kept).constData()) == 0 ||
           RenameData(name, name + OldSuffix);
}

bool ParsePayments(const QString &text, PaymentsFile &file) {
    const QStringList lines = TextCodec::SplitLines(text);
    if (lines.size() < 2)
        return false;
    const auto price = StoredCurrencyAmount(lines[0]);
    bool countOk = false;
    const int count = lines[1].trimmed().toInt(&countOk);
    if (!price || !countOk || count < 0 || count > MaxPayments || lines.size() < 2 + 2 * count)
        return false;
    file.price = *price;
    file.priceText = lines[0];
    for (int i = 0; i < count; ++i) {
        PaymentLine payment;
        payment.amountText = lines[2 + 2 * i];
        payment.dueText = lines[3 + 2 * i];
        const auto amount = StoredCurrencyAmount(payment.amountText);
        const auto due = StoredDateValue(payment.dueText);
        // Due dates always rise; dates that do not were written in another date order.
        if (!amount || !due || (!file.payments.isEmpty() && *due <= file.payments.last().due))
            return false;
        payment.amount = *amount;
        payment.due = *due;
        file.payments << payment;
    }
    return true;
}

} // namespace

QString ProposalFileName(qint16 number) { return QString::number(number) + QStringLiteral(".txt"); }

QByteArray ProposalFileBytes(qint16 number, const ProposalParties &parties, const QDate &saved) {
    QString text = FirstLine(QString::number(number), parties.price, saved);
    // The telephone comes first as shown, untrimmed; then the account, then the job site.
    text += TextLine(parties.lblCustomerInfo[7]);
    for (int i = 1; i <= 7; ++i)
        text += TextLine(parties.lblCustomerInfo[i].trimmed());
    for (int i = 1; i <= 7; ++i)
        text += TextLine(parties.txtCustomerInfo[i].trimmed());
    return TextCodec::Encode(text);
}

bool WriteProposalFile(qint16 number, const ProposalParties &parties) {
    return WriteWholeFile(InFolder(ProposalFolder, ProposalFileName(number)),
                          ProposalFileBytes(number, parties, Clock::Today()));
}

QByteArray FieldProposalFileBytes(qint16 number, const FieldProposalParties &parties, const QDate &saved) {
    QString text = FirstLine(QStringLiteral("FP") + QString::number(number), Currency{}, saved);
    text += TextLine(parties.acctNo);
    for (const QString &line : parties.lines)
        text += TextLine(line);
    return TextCodec::Encode(text);
}

bool WriteFieldProposalFile(qint16 number, const FieldProposalParties &parties) {
    return WriteWholeFile(InFolder(ProposalFolder, ProposalFileName(number)),
                          FieldProposalFileBytes(number, parties, Clock::Today()));
}

QByteArray BodyFileBytes(const QString &body) {
    return TextCodec::Encode(StoredLineEnds(body) + QLatin1String(TextCodec::LineEnd));
}

bool WriteBodyFile(qint16 number, const QString &body) {
    return WriteWholeFile(InFolder(BodyFolder, ProposalFileName(number)), BodyFileBytes(body));
}

QByteArray PaymentsFileBytes(const PaymentSchedule &schedule) {
    const QString lineEnd = QLatin1String(TextCodec::LineEnd);
    QString text =
        StoredCurrencyText(schedule.price) + lineEnd + QString::number(schedule.payments.size()) + lineEnd;
    for (const Payment &payment : schedule.payments)
        text += StoredCurrencyText(payment.amount) + lineEnd + StoredDateText(payment.due) + lineEnd;
    return TextCodec::Encode(text);
}

bool WritePaymentsFile(qint16 number, const PaymentSchedule &schedule) {
    return PaymentsReadable(schedule) &&
           WriteWholeFile(InFolder(PaymentsFolder, ProposalFileName(number)), PaymentsFileBytes(schedule));
}

namespace {

// The four files of a record of N, in the order they are put in place.
QStringList RecordTargets(const QString &name) {
    return {InFolder(ProposalFolder, name), InFolder(BodyFolder, name), InFolder(PaymentsFolder, name),
            InFolder(ProposalStateFolder, name)};
}

// Written once every new file of N is whole, removed when all are in
// place: while it is there, the new files are the record of N.
QString RecordMarker(const QString &name) {
    return InFolder(ProposalFolder, QFileInfo(name).completeBaseName() + QStringLiteral(".record"));
}

// Finishes a record of N that was stopped while its files were being put in
// place (every new file was whole by then); without its marker, the new files
// of a record that never got that far are only removed.
bool FinishRecord(const QString &name) {
    const QStringList targets = RecordTargets(name);
    const bool marked = IsThere(RecordMarker(name));
    bool ok = true;
    for (const QString &target : targets) {
        if (!IsThere(target + NewSuffix))
            continue;
        ok = (marked ? RenameData(target + NewSuffix, target) : DeleteFile(target + NewSuffix)) && ok;
    }
    if (!ok)
        return false;
    for (const QString &target : targets)
        ok = DeleteFile(target + OldSuffix) && ok;
    return ok && DeleteFile(RecordMarker(name));
}

// Written before a proposal's files are deleted, removed once all are gone:
// while it is there, the proposal is being deleted.
QString DeleteMarker(const QString &name) {
    return InFolder(ProposalFolder, QFileInfo(name).completeBaseName() + QStringLiteral(".delete"));
}

// Every file of the proposal listed as name, the proposal file last. The
// state goes too, so a later proposal of the same number never inherits it.
bool DeleteRecordFiles(const QString &name) {
    bool ok = true;
    for (const QString &folder : {PaymentsFolder, BodyFolder, ProposalStateFolder})
        ok = DeleteFile(InFolder(folder, name)) && ok;
    // While any of its files stays, the proposal stays listed and can be deleted again.
    return ok && DeleteFile(InFolder(ProposalFolder, name));
}

bool FinishDeletions(const QString &folder) {
    bool ok = true;
    for (const QString &left : QDir(folder).entryList({QStringLiteral("*.delete")}, QDir::Files)) {
        const QString name = left.section(QLatin1Char('.'), 0, 0) + QStringLiteral(".txt");
        ok = DeleteRecordFiles(name) && DeleteFile(DeleteMarker(name)) && ok;
    }
    return ok;
}

} // namespace

bool FinishInterruptedRecords() {
    const QString folder = DataPath(ProposalFolder);
    if (folder.isEmpty())
        return true;
    // A record leaves its marker, or at least the proposal file's new one.
    QSet<QString> numbers;
    for (const QString &left : QDir(folder).entryList({QStringLiteral("*.record"), QStringLiteral("*.txt.new")},
                                                      QDir::Files))
        numbers.insert(left.section(QLatin1Char('.'), 0, 0));
    bool ok = true;
    for (const QString &number : numbers)
        ok = FinishRecord(number + QStringLiteral(".txt")) && ok;
    return FinishDeletions(folder) && ok;
}

bool RecordProposalFiles(qint16 number, const ProposalRecord &record) {
    const QString name = ProposalFileName(number);
    if (!PaymentsReadable(record.schedule) || !EnsureFolder(ProposalStateFolder) || !FinishRecord(name))
        return false;
    const QStringList targets = RecordTargets(name);
    const QByteArray bytes[] = {ProposalFileBytes(number, record.parties, Clock::Today()),
                                BodyFileBytes(record.body), PaymentsFileBytes(record.schedule),
                                ProposalStateBytes(record.state)};

    // First every new file beside its place, then the marker; a failure up to
    // here has touched nothing of N.
    bool ok = true;
    for (int i = 0; ok && i < targets.size(); ++i)
        ok = WriteWholeFile(targets[i] + NewSuffix, bytes[i]);
    ok = ok && WriteWholeFile(RecordMarker(name), QByteArray());
    if (!ok) {
        FinishRecord(name);
        return false;
    }

    // Then each one in place, the old one kept beside it until all are in.
    int placed = 0;
    for (; ok && placed < targets.size(); ++placed) {
        const QString &target = targets[placed];
        ok = (!IsThere(target) || KeepOldBeside(target)) && RenameData(target + NewSuffix, target);
    }
    if (!ok) {
        // The old files back, the new ones gone.
        for (int i = placed - 1; i >= 0; --i) {
            const QString &target = targets[i];
            if (IsThere(target + OldSuffix))
                RenameData(target + OldSuffix, target);
            else if (i < placed - 1) // placed, where there was none before
                DeleteFile(target);
        }
        DeleteFile(RecordMarker(name));
        FinishRecord(name);
        return false;
    }
    FinishRecord(name);
    return true;
}

QString LoadTextIntoBody(const QString &fileText) {
    QString body;
    for (const QString &line : TextCodec::SplitLines(fileText))
        body += line + QLatin1String(TextCodec::LineEnd);
    return body;
}


bool DeleteProposalRecord(const QString &name) {
    // Most of a proposal's files may be missing; each is looked for in every
    // letter case, which must not list a large folder once per file.
    const FolderIndex::Batch batch;
    if (!IsPlainFileName(name) || !WriteWholeFile(DeleteMarker(name), QByteArray()))
        return false;
    if (!DeleteRecordFiles(name)) {
        // What stays stays listed, as the user is told; the next start must
        // not finish what the user saw refused.
        DeleteFile(DeleteMarker(name));
        return false;
    }
    return DeleteFile(DeleteMarker(name));
}

bool DeleteProposalFiles(qint16 number) { return DeleteProposalRecord(ProposalFileName(number)); }

ReadBack<ProposalFile> ReadProposalFile(const QString &fileName) {
    return ReadParsed<ProposalFile>(ProposalFolder, fileName, ParseProposal);
}

QStringList ListProposalFiles() {
    const QString folder = DataPath(ProposalFolder);
    if (folder.isEmpty())
        return {};
    QStringList names;
    for (const QString &name : QDir(folder).entryList(QDir::Files | QDir::Hidden))
        if (name.endsWith(QLatin1String(".txt"), Qt::CaseInsensitive))
            names << name;
    QCollator collator;
    collator.setNumericMode(true);
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::sort(names.begin(), names.end(), collator);
    return names;
}

bool WriteProposalPrice(const QString &fileName, Currency price) {
    const auto file = ReadProposalFile(fileName);
    if (!file.ok())
        return false;
    const QString text = ReadInFolder(ProposalFolder, fileName).value;
    // The first three fields end where the reader found them: a line may end
    // in a lone CR or LF, and a quoted number may hold a line end. Their
    // separator and everything after it stay as they are.
    FieldReader reader(text);
    QString number;
    Currency oldPrice;
    QDate saved;
    if (!reader.ReadText(number) || !reader.ReadMoney(oldPrice) || !reader.ReadDate(saved))
        return false;
    qsizetype end = reader.Position();
    if (end > 0 && text.at(end - 1) == u',') {
        --end;
    } else {
        if (end > 0 && text.at(end - 1) == u'\n')
            --end;
        if (end > 0 && text.at(end - 1) == u'\r')
            --end;
    }
    const QString first = QuotedFields::Text(number) + QLatin1Char(',') + QuotedFields::Money(price) +
                          QLatin1Char(',') + QuotedFields::Date(saved);
    return WriteWholeFile(InFolder(ProposalFolder, fileName), TextCodec::Encode(first + text.mid(end)));
}

ReadBack<QString> ReadBodyFile(const QString &fileName) {
    auto result = ReadInFolder(BodyFolder, fileName);
    if (result.ok())
        result.value = LoadTextIntoBody(result.value);
    return result;
}

ReadBack<PaymentsFile> ReadPaymentsFile(const QString &fileName) {
    return ReadParsed<PaymentsFile>(PaymentsFolder, fileName, ParsePayments);
}
