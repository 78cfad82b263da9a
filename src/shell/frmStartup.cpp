#include "shell/frmStartup.h"

frmStartup::frmStartup() : TamselForm(QStringLiteral("frmStartup")) {
    setWindowTitle(QStringLiteral("Tamsel PROPOSAL"));
}
