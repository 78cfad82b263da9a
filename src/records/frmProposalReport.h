#pragma once
// The report of every recorded proposal.
#include "common/TamselForm.h"

class frmProposalReport : public TamselForm {
    Q_OBJECT
public:
    frmProposalReport();
};
