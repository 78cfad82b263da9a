#pragma once
// Printing a proposal from a screen: the print dialog, then every copy on the
// printer or PDF file chosen there; and the preview of the same pages.
#include "printing/PageSettings.h"
#include "printing/PrintJobFollow.h"
#include "printing/ProposalDocument.h"

enum class PrintOutcome { Printed, Cancelled, Failed };

// What one print through the dialog left in the print system's queues, and
// why it failed when it did.
struct PrintRun {
    QList<SentJob> sent;
    QString problem;
};

// Cancelled: the user closed the print dialog, nothing was printed. Failed:
// the printer could not print, the print system refused the job, or a file
// the page needs could not be read; the caller reports it (ReportPrintError
// with run->problem). A job that waits in a paused printer's queue is told here.
PrintOutcome PrintProposalWithDialog(const ProposalDocument &document, PrintRun *run = nullptr);

// "A Print Error has occurred", with the reason when one is known.
void ReportPrintError(const QString &problem = QString());

// The print with its confirmation: prints through the print dialog, asks
// whether the proposal printed correctly and offers to reprint, until the
// user confirms or declines. NotPrinted: the dialog was cancelled or the
// printer failed, and the user has been told which. Unless the print is
// confirmed, its jobs still waiting in a queue are cancelled.
enum class PrintConfirmation { Confirmed, Declined, NotPrinted };
PrintConfirmation PrintAndConfirm(const ProposalDocument &document);

// Every page that would print, every copy with its label; records nothing.
void PreviewProposal(const ProposalDocument &document);

// E-mail: the proposal saved as a PDF file in the data folder's E-mail folder
// (as print to file makes it), then handed to the mail program with a subject
// naming the proposal and the business. Where that cannot be done the user is
// told where the PDF is.
void EmailProposal(const ProposalDocument &document);
