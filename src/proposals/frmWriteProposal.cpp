#include "proposals/frmWriteProposal.h"

frmWriteProposal::frmWriteProposal() : TamselForm(QStringLiteral("frmWriteProposal")) { setWindowTitle(QStringLiteral("Write a Proposal")); }
