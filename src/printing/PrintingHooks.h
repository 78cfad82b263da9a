#pragma once
// What the screens below the printing (the setup screen's sample, the
// customer screen's report) print through; the program installs these at
// start-up.
#include "settings/SamplePrintHook.h"

// Installs every hook the printing provides.
void InstallPrintingHooks();

// The sample page through the print dialog: the logo at the size given
// (twips; a null picture prints no logo) and the five frames.
SamplePrintOutcome PrintLogoSample(const QImage &logo, const QSize &twips);
