#include "printing/ProposalPrinting.h"

#include "platform/Dialogs.h"
#include "platform/UserPrompt.h"
#include "printing/PageSettingsUi.h"
#include "printing/ProposalPrintRun.h"

PrintOutcome PrintProposalWithDialog(const ProposalDocument &document) {
    const auto surface = ChoosePrinter();
    if (!surface)
        return PrintOutcome::Cancelled;
    return PrintProposal(*surface, document, CurrentPageSettings()) ? PrintOutcome::Printed
                                                                    : PrintOutcome::Failed;
}

PrintConfirmation PrintAndConfirm(const ProposalDocument &document) {
    for (;;) {
        const PrintOutcome outcome = PrintProposalWithDialog(document);
        if (outcome == PrintOutcome::Cancelled) {
            MsgBox(QStringLiteral("The Proposal will not be Printed"));
            return PrintConfirmation::NotPrinted;
        }
        if (outcome == PrintOutcome::Failed) {
            MsgBox(QStringLiteral("A Print Error has occurred"), MsgButtons::Ok, QStringLiteral("Print Error"));
            return PrintConfirmation::NotPrinted;
        }
        if (MsgBox(QStringLiteral("Did the Proposal Print Correctly"), MsgButtons::YesNo,
                   QStringLiteral("Print Confirmation")) == MsgAnswer::Yes)
            return PrintConfirmation::Confirmed;
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
