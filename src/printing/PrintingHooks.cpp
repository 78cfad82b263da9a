#include "printing/PrintingHooks.h"

#include "platform/Clock.h"
#include "platform/CupsPrintJobs.h"
#include "platform/Dialogs.h"
#include "platform/PrintSurface.h"
#include "platform/UserPrompt.h"
#include "platform/XdgMailComposer.h"
#include "printing/CustomerReport.h"
#include "printing/PageSettingsUi.h"
#include "printing/ProposalPrintRun.h"

#include <QBuffer>

namespace {
constexpr double TwipsPerPixel = 15;
} // namespace

SamplePrintOutcome PrintLogoSample(const QImage &logo, const QSize &twips) {
    const auto surface = ChoosePrinter();
    if (!surface)
        return SamplePrintOutcome::Cancelled;
    PageSettings settings = CurrentPageSettings();
    // The logo as the setup screen holds it, not as last stored.
    settings.logo.clear();
    settings.logoUnreadable = false;
    if (!logo.isNull()) {
        QBuffer buffer(&settings.logo);
        buffer.open(QIODevice::WriteOnly);
        logo.save(&buffer, "PNG");
        settings.logoNaturalWidth = logo.width() * TwipsPerPixel;
        settings.logoWidth = twips.width();
        settings.logoHeight = twips.height();
    }
    return PrintSample(*surface, settings) ? SamplePrintOutcome::Printed : SamplePrintOutcome::Failed;
}

void PrintCustomerReportWithDialog(bool usaStyle) {
    if (MsgBox(QStringLiteral("Click Yes to print a Customer Report"), MsgButtons::YesNo,
               QStringLiteral("Customer Report")) != MsgAnswer::Yes)
        return;
    const auto surface = ChoosePrinter();
    if (!surface) {
        MsgBox(QStringLiteral("The Customer List will not be Printed"));
        return;
    }
    if (!PrintCustomerReport(*surface, CurrentPageSettings(), usaStyle, Clock::Today()))
        MsgBox(QStringLiteral("A Print Error has occurred"), MsgButtons::Ok, QStringLiteral("Print Error"));
}

void InstallPrintingHooks() {
    PrintSampleHook = PrintLogoSample;
    PrintCustomerReportHook = PrintCustomerReportWithDialog;
    SetPrintJobs(std::make_shared<CupsPrintJobs>());
    SetMailComposer(std::make_shared<XdgMailComposer>());
}
