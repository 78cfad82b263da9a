#pragma once
// A proposal and business settings to print in the printing tests, the body
// file written into the test folder, and finders over what a recording
// surface kept. The recording surface's metrics: a character is 10 twips per
// point wide, a line 24 twips per point high.
#include "TestFolder.h"
#include "platform/RecordingPrintSurface.h"
#include "printing/PageSettings.h"
#include "printing/ProposalDocument.h"
#include "settings/TermsTexts.h"

#include <QStringList>

namespace PrintFixtures {

inline PageSettings Settings() {
    PageSettings settings;
    settings.business = {
        "Hollis Roofing and Gutters", "12 Mill Road",  "Suite 4", "Dayton", "OH", "45402", "(937) 555-0100",
        "info@hollis.example",        "Tax 31-1234567"};
    settings.fontName = QStringLiteral("Arial");
    settings.printInColor = true;
    settings.colorMode = true;
    settings.copies = 3;
    settings.genericDisclaimer = GenericDisclaimer();
    return settings;
}

inline ProposalDocument Document() {
    ProposalDocument document;
    document.number = 1001;
    document.date = QDate(2024, 3, 5);
    document.customer = {"", "Ann Baker", "4 Elm St", "", "Xenia", "OH", "45385", "(937) 555-0199"};
    document.jobSite = {"", "Baker Rental", "9 Oak Ave", "", "Xenia", "OH", "45385", "(937) 555-0142"};
    document.bodyName = QStringLiteral("\\TamselProposals\\ProposalBody\\1001.txt");
    document.printSize = 10;
    document.days = QStringLiteral("30");
    document.priceText = QStringLiteral("$4,250.00");
    document.plan = 1;
    document.payments = {{Currency::FromUnits(4250), QStringLiteral("4/5/2024")}};
    return document;
}

inline QStringList BodyLines(int count) {
    QStringList lines;
    for (int i = 1; i <= count; ++i)
        lines << QStringLiteral("Body line %1").arg(i);
    return lines;
}

// The body file as the writer saves it: CR LF after every line.
inline void WriteBody(const TestFolder &folder, const QStringList &lines, int number = 1001) {
    QByteArray bytes;
    for (const QString &line : lines)
        bytes += line.toLatin1() + "\r\n";
    folder.write(QStringLiteral("TamselProposals/ProposalBody/%1.txt").arg(number), bytes);
}

inline QList<PrintOperation> OfKind(const RecordingPrintSurface &surface, PrintOperation::Kind kind,
                                    int page = 0) {
    QList<PrintOperation> found;
    for (const PrintOperation &op : surface.Operations())
        if (op.kind == kind && (page == 0 || op.page == page))
            found << op;
    return found;
}

// Texts that are exactly the one given, in order.
inline QList<PrintOperation> TextOps(const RecordingPrintSurface &surface, const QString &text,
                                     int page = 0) {
    QList<PrintOperation> found;
    for (const PrintOperation &op : OfKind(surface, PrintOperation::Text, page))
        if (op.text == text)
            found << op;
    return found;
}

// Texts that start with the one given, in order.
inline QList<PrintOperation> TextsStarting(const RecordingPrintSurface &surface, const QString &start,
                                           int page = 0) {
    QList<PrintOperation> found;
    for (const PrintOperation &op : OfKind(surface, PrintOperation::Text, page))
        if (op.text.startsWith(start))
            found << op;
    return found;
}

// Every text as "text@x,y".
inline QStringList Placed(const QList<PrintOperation> &ops) {
    QStringList placed;
    for (const PrintOperation &op : ops)
        placed << QStringLiteral("%1@%2,%3").arg(op.text).arg(op.x).arg(op.y);
    return placed;
}

} // namespace PrintFixtures
