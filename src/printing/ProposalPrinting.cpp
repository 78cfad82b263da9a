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
