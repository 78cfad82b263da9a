#include "proposals/ProposalFiles.h"

#include "common/CommonRoutines.h"
#include "common/LocaleTexts.h"
#include "common/QuotedFields.h"
#include "platform/Clock.h"
#include "platform/TextCodec.h"
#include "proposals/ProposalState.h"

#include <QCollator>
#include <QDir>
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
    const int expected = file.IsFieldProposal() ? FieldProposalTexts : ProposalTexts;
    for (int i = 0; i < expected; ++i) {
        QString field;
        if (!reader.ReadText(field))
            return false;
        file.texts << field;
    }
    return true;
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
    // A file that could not be read back is never written.
    if (schedule.payments.size() > MaxPayments)
        return false;
    for (const Payment &payment : schedule.payments)
        if (!payment.due.isValid())
            return false;
    return WriteWholeFile(InFolder(PaymentsFolder, ProposalFileName(number)), PaymentsFileBytes(schedule));
}

QString LoadTextIntoBody(const QString &fileText) {
    QString body;
    for (const QString &line : TextCodec::SplitLines(fileText))
        body += line + QLatin1String(TextCodec::LineEnd);
    return body;
}

bool DeleteProposalFiles(qint16 number) {
    const QString name = ProposalFileName(number);
    bool ok = DeleteFile(InFolder(ProposalFolder, name));
    ok = DeleteFile(InFolder(BodyFolder, name)) && ok;
    ok = DeleteFile(InFolder(PaymentsFolder, name)) && ok;
    // The state kept for the report goes with them, so a later proposal of
    // the same number never inherits it.
    ok = DeleteProposalState(name) && ok;
    return ok;
}

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
