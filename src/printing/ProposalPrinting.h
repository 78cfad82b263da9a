#pragma once
// Printing a proposal from a screen: the print dialog, then every copy on the
// printer or PDF file chosen there; and the preview of the same pages.
#include "printing/PageSettings.h"
#include "printing/ProposalDocument.h"

enum class PrintOutcome { Printed, Cancelled, Failed };

// Cancelled: the user closed the print dialog, nothing was printed. Failed:
// the printer could not print or a file the page needs could not be read;
// the caller reports it ("A Print Error has occurred").
PrintOutcome PrintProposalWithDialog(const ProposalDocument &document);

// The print with its confirmation: prints through the print dialog, asks
// whether the proposal printed correctly and offers to reprint, until the
// user confirms or declines. NotPrinted: the dialog was cancelled or the
// printer failed, and the user has been told which.
enum class PrintConfirmation { Confirmed, Declined, NotPrinted };
PrintConfirmation PrintAndConfirm(const ProposalDocument &document);

// Every page that would print, every copy with its label; records nothing.
void PreviewProposal(const ProposalDocument &document);

