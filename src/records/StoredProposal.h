#pragma once
// The plain description of a printed proposal, made from a customer for a
// field proposal or from a recorded proposal's files for a reprint.
#include "common/StoredText.h"
#include "customers/CustomerRecords.h"
#include "printing/ProposalDocument.h"
#include "proposals/ProposalFiles.h"

#include <QDate>
#include <QString>

// Line 3 of a field proposal file: the account name of a business; for an
// individual the title, first name, middle initial (when there is one) and
// last name, each followed by one space but the last.
QString FieldProposalName(const CustomerRecord &rec);
// Lines 2 to 9 of a field proposal file: the account number as the customer
// screen shows it, then the name and the trimmed address and telephone.
FieldProposalParties FieldPartiesOf(const QString &acctNoShown, const CustomerRecord &rec);

// The field proposal that prints for a customer.
ProposalDocument FieldProposalDocument(qint16 number, const QDate &date, const FieldProposalParties &parties,
                                       const QString &days, bool genericDisclaimer, bool usaStyle);

// A recorded proposal as it printed, from its files ("1001.txt"): the
// proposal file, the payments file and the state file (days, plan,
// disclaimer, print size; without one, open for 30 days, with the plan that
// prints every stored payment); the body is read from its file when the page
// prints. Unreadable when the proposal, payments or state file is damaged,
// so nothing prints from a half-read proposal; Missing when there is no
// proposal file. When not read, damagedFile (if given) names the file at
// fault as the user knows it: "1001.txt", "ProposalPayments\1001.txt",
// "ProposalState\1001.txt".
ReadBack<ProposalDocument> StoredProposalDocument(const QString &fileName, QString *damagedFile = nullptr);
