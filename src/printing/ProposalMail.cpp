#include "printing/ProposalMail.h"

#include "printing/ProposalPrintRoutines.h"

QString MailFileName(const ProposalDocument &document) {
    QString name = ProposalJobName(document);
    for (QChar &c : name)
        if (c.unicode() < 0x20 || QStringLiteral("/\\:*?\"<>|").contains(c))
            c = QLatin1Char('_');
    // A name ending in a dot or space is not kept as typed on every system.
    while (name.endsWith(QLatin1Char('.')) || name.endsWith(QLatin1Char(' ')))
        name.chop(1);
    return name + QStringLiteral(".pdf");
}

QString MailSubject(const ProposalDocument &document, const QString &businessName) {
    const QString proposal = document.isField ? QStringLiteral("Field Proposal FP%1").arg(document.number)
                                              : QStringLiteral("Proposal %1").arg(document.number);
    const QString business = businessName.trimmed();
    return business.isEmpty() ? proposal : proposal + QStringLiteral(" from ") + business;
}
