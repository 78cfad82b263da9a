#include "records/frmTerms.h"

frmTerms::frmTerms() : TamselForm(QStringLiteral("frmTerms")) { setWindowTitle(QStringLiteral("Custom Terms and Disclaimer")); }
