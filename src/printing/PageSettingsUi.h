#pragma once
// The page settings as the program has them now: the business data and print
// flags it has loaded, the print font, the logo and the disclaimer and
// web-site texts from their files. The one place a print takes them from.
#include "printing/PageSettings.h"

PageSettings CurrentPageSettings();

// The logo file as the page prints it: its bytes, its width on screen and
// whether it could be read. A path that names no file is no logo.
void LoadPageLogo(PageSettings &settings, const QString &path);
