#include "printing/ProposalPrinting.h"

#include "platform/Dialogs.h"
#include "platform/PrintSurface.h"

// TEMPORARY: asks for the printer and ends the document without drawing the
// page. The page layout and the print run replace this.
PrintOutcome PrintProposalWithDialog(const ProposalDocument &) {
    const auto surface = ChoosePrinter();
    if (!surface)
        return PrintOutcome::Cancelled;
    surface->EndDoc();
    return surface->Failed() ? PrintOutcome::Failed : PrintOutcome::Printed;
}

void PreviewProposal(const ProposalDocument &) {}
