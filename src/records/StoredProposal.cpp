#include "records/StoredProposal.h"

#include "common/LocaleTexts.h"
#include "proposals/ProposalState.h"

namespace {

// The payment plan that prints every one of count payments: one is paid in
// full, two are a down and a final payment, more are a schedule. A plan
// that already prints them all is kept.
int PlanForPayments(int plan, int count) {
    const bool printsAll = plan == 2 || (plan == 0 && count == 2) || (plan == 1 && count == 1);
    if (printsAll || count < 1)
        return plan;
    return count == 1 ? 1 : count == 2 ? 0 : 2;
}

} // namespace

QString FieldProposalName(const CustomerRecord &rec) {
    if (rec.AcctType.trimmed() != QLatin1String("Individual"))
        return rec.AcctName.trimmed();
    QString name = rec.Title.trimmed() + QLatin1Char(' ') + rec.FirstName.trimmed() + QLatin1Char(' ');
    const QString middle = rec.MiddleInitial.trimmed();
    if (!middle.isEmpty())
        name += middle + QLatin1Char(' ');
    return name + rec.LastName.trimmed();
}

FieldProposalParties FieldPartiesOf(const QString &acctNoShown, const CustomerRecord &rec) {
    FieldProposalParties parties;
    parties.acctNo = acctNoShown;
    parties.lines = {FieldProposalName(rec), rec.Address1.trimmed(), rec.Address2.trimmed(), rec.City.trimmed(),
                     rec.State.trimmed(),    rec.Address4.trimmed(), rec.Phone.trimmed()};
    return parties;
}

ProposalDocument FieldProposalDocument(qint16 number, const QDate &date, const FieldProposalParties &parties,
                                       const QString &days, bool genericDisclaimer, bool usaStyle) {
    ProposalDocument document;
    document.isField = true;
    document.number = number;
    document.date = date;
    for (int i = 1; i <= 7; ++i)
        document.customer[i] = parties.lines[i - 1];
    document.usaStyle = usaStyle;
    // The international address frame keeps the city and the fourth line.
    document.internationalLines = {parties.lines[3], parties.lines[5]};
    document.days = days;
    document.genericDisclaimer = genericDisclaimer;
    return document;
}

ReadBack<ProposalDocument> StoredProposalDocument(const QString &fileName, QString *damagedFile) {
    ReadBack<ProposalDocument> result;
    const auto damaged = [&](const QString &folder) {
        if (damagedFile)
            *damagedFile = folder + fileName;
        result.outcome = ReadOutcome::Unreadable;
        return result;
    };
    if (damagedFile)
        *damagedFile = fileName;
    const auto file = ReadProposalFile(fileName);
    result.outcome = file.outcome;
    if (!file.ok())
        return result;
    const ProposalFile &stored = file.value;
    const auto state = ReadProposalState(fileName);
    if (state.outcome == ReadOutcome::Unreadable)
        return damaged(QStringLiteral("ProposalState\\"));

    ProposalDocument &document = result.value;
    document.isField = stored.IsFieldProposal();
    document.number = qint16(stored.number.mid(document.isField ? 2 : 0).toInt());
    document.date = stored.saved;
    for (int i = 1; i <= 7; ++i)
        document.customer[i] = stored.texts.value(i);
    document.days = state.value.days;
    document.genericDisclaimer = state.value.genericDisclaimer;
    // A custom disclaimer in the words it first printed with, when the state file kept them.
    document.customDisclaimer = state.value.customDisclaimer;
    document.usaStyle = state.value.usaStyle;
    document.printSize = state.value.printSize;
    document.plan = state.value.plan;
    if (document.isField) {
        document.internationalLines = {document.customer[4], document.customer[6]};
        return result;
    }

    for (int i = 1; i <= 7; ++i)
        document.jobSite[i] = stored.texts.value(7 + i);
    document.bodyName = BodyFolder + QLatin1Char('\\') + fileName;
    document.priceText = CurrencyText(stored.price);
    const auto payments = ReadPaymentsFile(fileName);
    if (payments.outcome == ReadOutcome::Unreadable)
        return damaged(QStringLiteral("ProposalPayments\\"));
    if (payments.ok()) {
        document.priceText = payments.value.priceText;
        for (const PaymentLine &line : payments.value.payments)
            document.payments.append({line.amount, line.dueText});
    }
    // A proposal recorded before its state was kept (or whose state or
    // payments were written again since) prints the payments as stored.
    document.plan = PlanForPayments(document.plan, int(document.payments.size()));
    return result;
}
