#pragma once
// The printed proposal, page by page, on any print surface. Positions are in
// twips from the top-left corner of the printable area; every routine starts
// from the font, colour and position the one before it left, so the order of
// the calls is part of the layout.
//
// The page frame (logo, frames, header, customer block) starts every page of
// every copy; the body, the rule lines, the closing block, the price and the
// acceptance block follow on the first page of a copy and run onto
// continuation pages as needed.
#include "platform/PrintSurface.h"
#include "printing/PageSettings.h"
#include "printing/ProposalDocument.h"

#include <QString>

namespace PrintColors {
inline constexpr quint32 Black = PrintRgb(0, 0, 0);
inline constexpr quint32 Blue = PrintRgb(0, 0, 255);
inline constexpr quint32 Navy = PrintRgb(0, 0, 128);
} // namespace PrintColors

// One proposal being laid out: where, what, and with which business settings.
struct ProposalPage {
    PrintSurface &surface;
    const ProposalDocument &document;
    const PageSettings &settings;
    // Set when the body file could not be read to its end or the logo could
    // not be drawn; the print run stops and reports it.
    bool failed = false;
};

// Size is set only when above 0; bold and underline are on for -1 (true)
// and off for any other value.
void SetPrintFont(PrintSurface &surface, int size, int bold, int underline);
// Inches; a coordinate of 0 (or less) is left as it is.
void SetPrintPosition(PrintSurface &surface, double x, double y);

// Prints the text as lines no wider than width - 20 twips, each at x, the
// first at y. A line breaks after the last space that fits; a word too wide
// for a line of its own is broken where the line ends. An empty text prints
// one empty line.
void PrintWrapped(PrintSurface &surface, int x, int y, int width, const QString &text);

// The logo centred at the top (false when a logo was given but could not be
// drawn); current y is 360 afterwards, logo or not.
bool PrintLogo(PrintSurface &surface, const PageSettings &settings);
// The five frames; the first three are blue for copies 1 and 2, the other two
// navy on job pages 1 and 2, when printing in colour.
void DrawFrames(PrintSurface &surface, const PageSettings &settings, int copy);

void PrintPageFrame(ProposalPage &page, int copy, int pageNo);
void PrintPageHeader(ProposalPage &page, double pageNo);
void PrintCustomerBlock(ProposalPage &page);
// The body (or the ruled lines of a field proposal), the rule lines, the
// closing block and the price with its payments.
void PrintProposalBody(ProposalPage &page, int copy);
void PrintAcceptance(ProposalPage &page, int copy);
// Ends the page and starts the next one of the same copy: PageNo goes up by
// one, the page frame is drawn, and printing goes on at y 4176 in the font it
// had before.
void StartContinuationPage(ProposalPage &page, int copy);

// The longest start of the text no wider than width, in the current font.
QString CutToWidth(PrintSurface &surface, const QString &text, double width);

// The name the print system shows for the job: "Proposal 1001 - Ann Baker",
// "Field Proposal FP1002".
QString ProposalJobName(const ProposalDocument &document);

// The data name of an ordinary proposal's body file.
QString ProposalBodyFileName(const ProposalDocument &document);

// "Original", "Duplicate", "Triplicate", "File Copy", "File Copy".
QString CopyLabel(int copy);

// The business letterhead block at (x, y) inches: the name at the given size
// (10 for a name longer than 25 characters), then the address, telephone and
// other lines at size 10, and the web-site line when there is one.
void PrintLetterhead(PrintSurface &surface, const PageSettings &settings, double x, double y, int size);
