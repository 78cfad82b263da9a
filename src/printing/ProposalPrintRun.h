#pragma once
// One proposal as one print job: every copy, each with its own pages and its
// copy label, then the end of the document.
#include "printing/PageSettings.h"
#include "printing/ProposalDocument.h"

#include <QString>

class PrintSurface;

// IsFieldProposal follows the proposal being printed.
void SetFieldProposalMode(const ProposalDocument &document);

// Prepares the surface for a new document: colour or monochrome, Letter,
// portrait for "Portrait" and landscape for anything else, the print font,
// black text, bold and underline off. The font size is left to the page.
void SetupPrinter(PrintSurface &surface, const QString &orientation, bool color, const QString &printFont);

// What the job needs before it starts: the body file of an ordinary proposal
// can be opened, and a logo that is named can be read.
bool CanPrintProposal(const ProposalDocument &document, const PageSettings &settings);

// Prints settings.copies copies (1 to 5). False when the job could not be
// done: a body file or logo that cannot be read (then nothing is printed), or
// a device that refused a page. No file is changed either way.
bool PrintProposal(PrintSurface &surface, const ProposalDocument &document, const PageSettings &settings);

// The setup screen's sample: the logo and the five frames as on the first
// page of copy 1, alone on one page, as one job. False when the device
// refused the page or the logo could not be drawn.
bool PrintSample(PrintSurface &surface, const PageSettings &settings);
