#pragma once
// What a recorded proposal's three files do not keep but a faithful reprint
// and the report's state column need: the validity days, whether the
// customer accepted or declined, the payment plan, the disclaimer chosen
// (and a custom one's text as it printed), the body's print size and the
// address style. One quoted-field line in
// "\TamselProposals\ProposalState\N.txt", beside the other files, so their
// formats stay as they are. A proposal without it is open for 30 days.
#include "common/StoredText.h"
#include "printing/ProposalDocument.h"

#include <QByteArray>
#include <QDate>
#include <QString>

inline const QString ProposalStateFolder = QStringLiteral("\\TamselProposals\\ProposalState");

enum class ProposalStatus { Open, Accepted, Declined };

struct ProposalState {
    QString days = QStringLiteral("30"); // as cboDays showed it
    ProposalStatus status = ProposalStatus::Open;
    int plan = 1;                 // optPayment: 0 down and final, 1 in full, 2 a schedule
    bool genericDisclaimer = true;
    int printSize = 8;
    bool usaStyle = true;
    // The custom disclaimer as it printed, so a reprint shows the words the
    // customer saw; empty for the generic one and in files kept before.
    QString customDisclaimer;

    friend bool operator==(const ProposalState &, const ProposalState &) = default;
};

// "open", "accepted", "declined" as the file and the report write them.
QString StatusText(ProposalStatus status);

// The settings of a printed proposal, open.
ProposalState StateOfDocument(const ProposalDocument &document);

QByteArray ProposalStateBytes(const ProposalState &state);
// The state of a state file's text; false when a field is missing or out of range.
bool ParseProposalState(const QString &text, ProposalState &state);
// Missing: no file, the value is the default (open, 30 days). Unreadable: a
// field is missing or out of range; the value is then the default too.
ReadBack<ProposalState> ReadProposalState(const QString &fileName);

// Replaces the state file of a proposal, making the folder when needed.
// False when it could not be written (the old file then stays).
bool WriteProposalState(const QString &fileName, const ProposalState &state);
// For the screens that record a proposal: after a confirmed print, keeps
// what the document printed with, as an open proposal.
bool WriteProposalState(qint16 number, const ProposalDocument &document);
// True when no state file remains.
bool DeleteProposalState(const QString &fileName);

// The day after which an open proposal has expired: its date plus its
// validity days. Invalid when the days are not a whole number.
QDate LastValidDay(const QDate &saved, const QString &days);
