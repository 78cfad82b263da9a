#pragma once
// A proposal and settings to print, its body file, finders over what a
// recording surface kept (a character is 10 twips per point wide, a line 24),
// and printing into a PDF.
#include "ScriptedDialogs.h"
#include "TestFolder.h"
#include "platform/QtPrintSurface.h"
#include "platform/RecordingPrintSurface.h"
#include "printing/PageSettings.h"
#include "printing/ProposalDocument.h"
#include "settings/TermsTexts.h"

#include <QDir>
#include <QPrinter>
#include <QStringList>

namespace PrintFixtures {

inline PageSettings Settings() {
    PageSettings settings;
    settings.business = {
        "Hollis Roofing and Gutters", "12 Mill Road",  "Suite 4", "Dayton", "OH", "45402", "(937) 555-0100",
        "info@hollis.example",        "Tax 31-1234567"};
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
    document.priceText = QStringLiteral("$4,250.00");
    document.payments = {{Currency::FromUnits(4250), QStringLiteral("4/5/2024")}};
    return document;
}

// The body file as the writer saves it: CR LF after every line.
inline QByteArray BodyBytes(int lines) {
    QByteArray bytes;
    for (int i = 1; i <= lines; ++i)
        bytes += "Body line " + QByteArray::number(i) + "\r\n";
    return bytes;
}

inline void WriteBody(const TestFolder &folder, int lines) {
    folder.write(QStringLiteral("TamselProposals/ProposalBody/1001.txt"), BodyBytes(lines));
}

inline QList<PrintOperation> OfKind(const RecordingPrintSurface &surface, PrintOperation::Kind kind,
                                    int page = 0) {
    QList<PrintOperation> found;
    for (const PrintOperation &op : surface.Operations())
        if (op.kind == kind && (page == 0 || op.page == page))
            found << op;
    return found;
}

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

struct DialogsInstalled {
    std::shared_ptr<ScriptedDialogs> dialogs = std::make_shared<ScriptedDialogs>();
    DialogsInstalled() { SetDialogs(dialogs); }
    ~DialogsInstalled() { SetDialogs(nullptr); }
};

// The PDF's path; with TAMSEL_PRINTED naming a folder it is kept there (the
// pictures in docs/printed are made from it).
inline QString KeptPdf(const TestFolder &folder, const QString &name) {
    const QString keep = qEnvironmentVariable("TAMSEL_PRINTED");
    return keep.isEmpty() ? folder.file(name) : QDir(keep).filePath(name);
}

// Prints through the real surface into a PDF file; false if the print or the file failed.
template <typename Print> bool PrintPdf(const QString &pdf, Print print) {
    {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        QtPrintSurface surface(printer);
        if (!print(surface))
            return false;
    }
    QFile file(pdf);
    return file.open(QIODevice::ReadOnly) && file.read(5) == "%PDF-";
}

} // namespace PrintFixtures
