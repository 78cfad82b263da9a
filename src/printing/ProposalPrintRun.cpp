#include "printing/ProposalPrintRun.h"

#include "common/CommonRoutines.h"
#include "common/CommonVariables.h"
#include "platform/PrintSurface.h"
#include "printing/ProposalPrintRoutines.h"

void SetFieldProposalMode(const ProposalDocument &document) {
    IsFieldProposal = document.isField;
}

void SetupPrinter(PrintSurface &surface, const QString &orientation, bool color, const QString &printFont) {
    surface.SetColorMode(color);
    surface.SetOrientation(orientation == QLatin1String("Portrait") ? PrintOrientation::Portrait
                                                                    : PrintOrientation::Landscape);
    surface.SetFontName(printFont);
    surface.SetTextColor(0);
    surface.SetBold(false);
    surface.SetUnderline(false);
}

bool CanPrintProposal(const ProposalDocument &document, const PageSettings &settings) {
    if (settings.logoUnreadable)
        return false;
    if (document.isField)
        return true;
    // Opened and closed here only to know before the first page; the body
    // routine opens it again and reads it line by line.
    const bool readable = OpenInput(ProposalBodyFileName(document));
    CloseAllFiles();
    return readable;
}

bool PrintProposal(PrintSurface &surface, const ProposalDocument &document, const PageSettings &settings) {
    SetFieldProposalMode(document);
    if (!CanPrintProposal(document, settings))
        return false;
    surface.SetJobName(ProposalJobName(document));
    SetupPrinter(surface, QStringLiteral("Portrait"), settings.colorMode, settings.fontName);
    ProposalPage page{surface, document, settings};
    const int copies = qBound(1, settings.copies, 5);
    // Failed() tells of the last job until this one draws: asked only after drawing.
    for (int copy = 1; copy <= copies; ++copy) {
        PageNo = 1;
        PrintPageFrame(page, copy, PageNo);
        PrintProposalBody(page, copy);
        if (page.failed || surface.Failed())
            break;
        PrintAcceptance(page, copy);
        // The page begun after the last copy never reaches the device.
        surface.NewPage();
        if (surface.Failed())
            break;
    }
    surface.EndDoc();
    return !page.failed && !surface.Failed();
}

bool PrintSample(PrintSurface &surface, const PageSettings &settings) {
    surface.SetJobName(QStringLiteral("Sample Page"));
    SetupPrinter(surface, QStringLiteral("Portrait"), settings.colorMode, settings.fontName);
    const bool logoDrawn = PrintLogo(surface, settings);
    DrawFrames(surface, settings, 1);
    surface.EndDoc();
    return logoDrawn && !surface.Failed();
}
