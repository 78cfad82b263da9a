#include "printing/ProposalPrinting.h"

#include "platform/Dialogs.h"
#include "platform/QtPrintSurface.h"
#include "platform/UserPrompt.h"
#include "printing/PageSettingsUi.h"
#include "printing/ProposalPrintRun.h"

#include <QApplication>
#include <QPrintPreviewDialog>
#include <QPrinter>

PrintOutcome PrintProposalWithDialog(const ProposalDocument &document) {
    const auto surface = ChoosePrinter();
    if (!surface)
        return PrintOutcome::Cancelled;
    return PrintProposal(*surface, document, CurrentPageSettings()) ? PrintOutcome::Printed
                                                                    : PrintOutcome::Failed;
}

QPrintPreviewDialog *MakeProposalPreview(const ProposalDocument &document, const PageSettings &settings,
                                         QWidget *parent) {
    auto *dialog = new QPrintPreviewDialog(parent);
    dialog->setObjectName(QStringLiteral("dlgPreview"));
    dialog->setWindowTitle(QStringLiteral("Proposal Preview"));
    QObject::connect(dialog, &QPrintPreviewDialog::paintRequested, dialog,
                     [document, settings](QPrinter *printer) {
                         QtPrintSurface surface(*printer);
                         PrintProposal(surface, document, settings);
                     });
    return dialog;
}

void PreviewProposal(const ProposalDocument &document) {
    // What cannot print cannot be previewed either; say so as the print would.
    const PageSettings settings = CurrentPageSettings();
    if (!CanPrintProposal(document, settings)) {
        MsgBox(QStringLiteral("A Print Error has occurred"), MsgButtons::Ok, QStringLiteral("Print Error"));
        return;
    }
    std::unique_ptr<QPrintPreviewDialog> dialog(
        MakeProposalPreview(document, settings, QApplication::activeWindow()));
    dialog->exec();
}
