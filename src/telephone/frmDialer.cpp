#include "telephone/frmDialer.h"

frmDialer::frmDialer() : TamselForm(QStringLiteral("frmDialer")) { setWindowTitle(QStringLiteral("Dialer")); }
