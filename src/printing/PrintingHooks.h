#pragma once
// What the screens below the printing (the setup screen's sample, the
// customer screen's report) print through; the program installs these at
// start-up.
#include "customers/CustomerReportHook.h"
#include "settings/SamplePrintHook.h"

// Installs every hook the printing provides.
void InstallPrintingHooks();

// The sample page through the print dialog: the logo at the size given
// (twips; a null picture prints no logo) and the five frames.
SamplePrintOutcome PrintLogoSample(const QImage &logo, const QSize &twips);

// The customer report from the customer screen: asked first, then the print
// dialog; a cancelled dialog or a failed print is reported.
void PrintCustomerReportWithDialog(bool usaStyle);
