#pragma once
// The three files of a recorded proposal, all named by its number N:
// "\TamselProposals\N.txt" (price, date, account and job site as quoted-field
// lines), "\TamselProposals\ProposalBody\N.txt" (the body as typed) and
// "\TamselProposals\ProposalPayments\N.txt" (price and payments as the
// user's locale shows them). A field proposal writes only the first, with
// nine lines and "FP" + N as its first field.
#include "common/Currency.h"
#include "common/StoredText.h"
#include "proposals/ProposalState.h"

#include <QByteArray>
#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>
#include <array>

inline const QString ProposalFolder = QStringLiteral("\\TamselProposals");
inline const QString BodyFolder = QStringLiteral("\\TamselProposals\\ProposalBody");
inline const QString PaymentsFolder = QStringLiteral("\\TamselProposals\\ProposalPayments");

// "1001.txt": the name all three files of proposal N share.
QString ProposalFileName(qint16 number);

// What the writer's screen shows, in the indexes of its control arrays:
// captions of lblCustomerInfo(1 to 7) for the account, texts of
// txtCustomerInfo(1 to 7) for the job site. Index 8 (cell) is not stored.
struct ProposalParties {
    Currency price; // txtAmount converted to an amount
    std::array<QString, 9> lblCustomerInfo;
    std::array<QString, 9> txtCustomerInfo;
};

// The 16 lines of an ordinary proposal file, saved on the given day.
QByteArray ProposalFileBytes(qint16 number, const ProposalParties &parties, const QDate &saved);
// Replaces "\TamselProposals\N.txt", dated today. False when it could not be written.
bool WriteProposalFile(qint16 number, const ProposalParties &parties);

// A field proposal: the account number as shown, then the seven texts of
// lines 3 to 9 (name, address 1, address 2, city, state, zip, telephone).
struct FieldProposalParties {
    QString acctNo;
    std::array<QString, 7> lines;
};
QByteArray FieldProposalFileBytes(qint16 number, const FieldProposalParties &parties, const QDate &saved);
bool WriteFieldProposalFile(qint16 number, const FieldProposalParties &parties);

// A body or template file: the text with CR LF line ends, then one CR LF.
QByteArray BodyFileBytes(const QString &body);
bool WriteBodyFile(qint16 number, const QString &body);
// The body made from the text of a body, template or document file: each
// of its lines followed by CR LF (so a saved and reloaded body has one CR LF
// more than was typed).
QString LoadTextIntoBody(const QString &fileText);

// The price and up to eight payments; written in the locale's currency and
// short-date forms, the way the writer's screen shows them, with what
// Windows-1252 lacks replaced (StoredCurrencyText, StoredDateText).
struct Payment {
    Currency amount;
    QDate due;
};
struct PaymentSchedule {
    Currency price;
    QList<Payment> payments;
};
QByteArray PaymentsFileBytes(const PaymentSchedule &schedule);
// False (and nothing written) for more than eight payments, a payment
// without a due date, or a failed write.
bool WritePaymentsFile(qint16 number, const PaymentSchedule &schedule);

// Everything a recorded proposal keeps, written together.
struct ProposalRecord {
    ProposalParties parties;
    QString body;
    PaymentSchedule schedule;
    ProposalState state;
};
// Records proposal N as one step: the proposal, body, payments and state
// files are each written whole beside their places, and only when all four
// are written do they replace the files of N. On any failure every file of N
// stays as it was; false then.
bool RecordProposalFiles(qint16 number, const ProposalRecord &record);
// A record stopped half way (the program ended while its files were being
// put in place) is finished, so every file of it is the new one; one stopped
// earlier leaves the old files, and its new ones are removed. A deletion cut
// short is finished. For the start.
bool FinishInterruptedRecords();

// Deletes every file of the proposal listed as name ("1001.txt"): proposal,
// body, payments and state, as one step (a deletion cut short is finished by
// FinishInterruptedRecords). False, with the marker gone, when a file stays.
bool DeleteProposalRecord(const QString &name);
bool DeleteProposalFiles(qint16 number);

// Readers. They take a file name as listed ("1001.txt"); a name that is not
// a bare file name reads as missing.
struct ProposalFile {
    QString number; // "1001", or "FP1001" for a field proposal
    Currency price;
    QDate saved;
    QStringList texts; // the quoted texts of lines 2 onwards
    bool IsFieldProposal() const { return number.startsWith(QLatin1String("FP")); }
};
ReadBack<ProposalFile> ReadProposalFile(const QString &fileName);

// Proposal files in "\TamselProposals", in the order of their numbers.
QStringList ListProposalFiles();

// Rewrites only the price of the first line (the quote of a field proposal
// entered later); every other byte stays. False when the file is missing,
// unreadable or could not be written.
bool WriteProposalPrice(const QString &fileName, Currency price);

// The body as the screens show it (LoadTextIntoBody of the file's text).
ReadBack<QString> ReadBodyFile(const QString &fileName);

struct PaymentLine {
    Currency amount;
    QString amountText; // as stored
    QDate due;
    QString dueText; // as stored
};
struct PaymentsFile {
    Currency price;
    QString priceText;
    QList<PaymentLine> payments;
};
// Unreadable when a line is missing or does not read as an amount, a count
// of 0 to 8 or a date under the current locale, or when the due dates do not
// rise: a file written under another locale is never shown with wrong values.
ReadBack<PaymentsFile> ReadPaymentsFile(const QString &fileName);
