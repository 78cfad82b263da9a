#pragma once
// What an e-mailed proposal is called: its PDF file and the message's subject.
#include "printing/ProposalDocument.h"

#include <QString>

// "Proposal 1001 - Mr. John Q Public.pdf": the job's name, with every
// character a file name cannot hold on common systems replaced by "_".
QString MailFileName(const ProposalDocument &document);

// "Proposal 1001 from Hollis Roofing" ("Proposal 1001" without a business name).
QString MailSubject(const ProposalDocument &document, const QString &businessName);

// The data folder's folder the PDF files are saved in.
inline const QString MailFolderName = QStringLiteral("\\E-mail");
