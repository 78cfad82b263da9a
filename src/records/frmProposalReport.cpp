#include "records/frmProposalReport.h"

frmProposalReport::frmProposalReport() : TamselForm(QStringLiteral("frmProposalReport")) { setWindowTitle(QStringLiteral("Proposals Report")); }
