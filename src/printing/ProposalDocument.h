#pragma once
// What a printed proposal shows, as a plain description: filled from the
// writer's screen, from the field-proposal screen, or from a recorded
// proposal's files, so the same page can be printed again later. The page
// layout reads only this, the business settings and the body file.
#include "common/Currency.h"

#include <QDate>
#include <QList>
#include <QString>
#include <array>

struct ProposalDocument {
    bool isField = false;
    qint16 number = 0; // "Proposal No. - "
    QDate date;        // "Date: " (today for a proposal being written)

    // The customer block's rows, indexed as the writer's lblCustomerInfo and
    // txtCustomerInfo: 1 name, 2 address 1, 3 address 2, 4 city, 5 state,
    // 6 zip, 7 telephone (index 0 unused).
    std::array<QString, 8> customer;
    std::array<QString, 8> jobSite; // ordinary proposals only
    // The customer screen's address style: city, state and zip on one line.
    bool usaStyle = true;
    // A field proposal in the international style prints these two lines
    // (txtAdd3, txtAdd4) in the place of city, state and zip.
    std::array<QString, 2> internationalLines;

    // Ordinary proposals: the body, read line by line when it prints.
    QString bodyName; // a data name, "\TamselProposals\ProposalBody\1001.txt"
    int printSize = 8; // points: 6, 8, 10 or 12

    QString days = QStringLiteral("30"); // validity, as cboDays shows it
    bool genericDisclaimer = true;       // optDisclaimer(0)
    // The custom disclaimer's text this proposal prints (lines joined by CR
    // LF); empty: the text CustomDisclaimer.txt holds now.
    QString customDisclaimer;

    // Ordinary proposals: the price as txtAmount shows it, the plan chosen
    // (optPayment: 0 down and final payment, 1 in full upon completion,
    // 2 a schedule) and the payments in order with their due dates as shown.
    QString priceText;
    int plan = 1;
    struct Payment {
        Currency amount;
        QString dueText;
    };
    QList<Payment> payments;
};
