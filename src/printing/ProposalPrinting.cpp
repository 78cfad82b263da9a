#include "printing/ProposalPrinting.h"

#include "common/CommonRoutines.h"
#include "common/CommonVariables.h"
#include "platform/Dialogs.h"
#include "platform/MailComposer.h"
#include "platform/PrintJobs.h"
#include "platform/PrintSurface.h"
#include "platform/QtPrintSurface.h"
#include "platform/UserPrompt.h"
#include "printing/PageSettingsUi.h"
#include "printing/ProposalMail.h"
#include "printing/ProposalPrintRun.h"

#include <QDir>
#include <QFile>
#include <QPrinter>
#include <cstdio>

PrintOutcome PrintProposalWithDialog(const ProposalDocument &document, PrintRun *run) {
    const auto surface = ChoosePrinter();
    if (!surface)
        return PrintOutcome::Cancelled;
    PrintRun unused;
    PrintRun &result = run ? *run : unused;
    // A file needs no following; a printer's queue is asked before and after.
    const QString printer = surface->PrinterName();
    int lastJob = 0;
    if (!printer.isEmpty()) {
        result.problem = PrinterProblem(PrintJobService(), printer, &lastJob);
        if (!result.problem.isEmpty())
            return PrintOutcome::Failed;
    }
    if (!PrintProposal(*surface, document, CurrentPageSettings()))
        return PrintOutcome::Failed;
    if (printer.isEmpty())
        return PrintOutcome::Printed;
    const JobCheck check = CheckSentJob(PrintJobService(), printer, surface->JobName(), lastJob);
    if (check.job.id > 0)
        result.sent << check.job;
    if (!check.problem.isEmpty()) {
        result.problem = check.problem;
        return PrintOutcome::Failed;
    }
    if (!check.waiting.isEmpty())
        MsgBox(check.waiting, MsgButtons::Ok, QStringLiteral("Print Job Waiting"));
    return PrintOutcome::Printed;
}

void ReportPrintError(const QString &problem) {
    QString text = QStringLiteral("A Print Error has occurred");
    if (!problem.isEmpty())
        text += QStringLiteral("\r\n\r\n") + problem;
    MsgBox(text, MsgButtons::Ok, QStringLiteral("Print Error"));
}

namespace {
void TakeBack(const QList<SentJob> &sent) {
    const QString problem = CancelUnprinted(PrintJobService(), sent);
    if (!problem.isEmpty())
        MsgBox(problem, MsgButtons::Ok, QStringLiteral("Print Job"));
}
} // namespace

PrintConfirmation PrintAndConfirm(const ProposalDocument &document) {
    // Jobs of a print that is not confirmed would come out later, under a
    // number the next proposal takes: they are taken back from the queue.
    for (;;) {
        PrintRun run;
        const PrintOutcome outcome = PrintProposalWithDialog(document, &run);
        if (outcome == PrintOutcome::Cancelled) {
            MsgBox(QStringLiteral("The Proposal will not be Printed"));
            return PrintConfirmation::NotPrinted;
        }
        if (outcome == PrintOutcome::Failed) {
            ReportPrintError(run.problem);
            TakeBack(run.sent);
            return PrintConfirmation::NotPrinted;
        }
        if (MsgBox(QStringLiteral("Did the Proposal Print Correctly"), MsgButtons::YesNo,
                   QStringLiteral("Print Confirmation")) == MsgAnswer::Yes)
            return PrintConfirmation::Confirmed;
        TakeBack(run.sent);
        if (MsgBox(QStringLiteral("Would you like to try to Reprint?"), MsgButtons::YesNo,
                   QStringLiteral("Print Retry")) != MsgAnswer::Yes)
            return PrintConfirmation::Declined;
    }
}

void PreviewProposal(const ProposalDocument &document) {
    // What cannot print cannot be previewed either; say so as the print would.
    const PageSettings settings = CurrentPageSettings();
    if (!CanPrintProposal(document, settings)) {
        MsgBox(QStringLiteral("A Print Error has occurred"), MsgButtons::Ok, QStringLiteral("Print Error"));
        return;
    }
    ShowPrintPreview(QStringLiteral("Proposal Preview"), [&document, &settings](PrintSurface &surface) {
        PrintProposal(surface, document, settings);
    });
}

void EmailProposal(const ProposalDocument &document) {
    PageSettings settings = CurrentPageSettings();
    // The customer gets the Original; the other labelled copies are for paper.
    settings.copies = 1;
    if (!CanPrintProposal(document, settings)) {
        ReportPrintError();
        return;
    }
    const QString path = EnsureFolder(MailFolderName)
                             ? DataPath(MailFolderName + QLatin1Char('\\') + MailFileName(document))
                             : QString();
    // Written beside its name, then renamed: an older PDF of the proposal is
    // never left half overwritten.
    const QString part = path + QStringLiteral(".part");
    bool saved = !path.isEmpty();
    if (saved) {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(part);
        QtPrintSurface surface(printer);
        saved = PrintProposal(surface, document, settings);
    }
    saved =
        saved && std::rename(QFile::encodeName(part).constData(), QFile::encodeName(path).constData()) == 0;
    if (!saved) {
        if (!path.isEmpty())
            QFile::remove(part);
        MsgBox(QStringLiteral("The Proposal could not be saved as a PDF file in the folder ") +
                   QDir::toNativeSeparators(DataPath(MailFolderName)) +
                   QStringLiteral(" (is the disk full or the folder read-only?)."),
               MsgButtons::Ok, QStringLiteral("E-mail"));
        return;
    }
    Mail().Compose(MailSubject(document, BusinessData[0]), path, [path](const QString &failure) {
        if (failure.isEmpty())
            return;
        MsgBox(failure +
                   QStringLiteral("\r\n\r\nThe Proposal is saved as a PDF file, ready to attach to a "
                                  "message:\r\n") +
                   QDir::toNativeSeparators(path),
               MsgButtons::Ok, QStringLiteral("E-mail"));
    });
}
