#pragma once
// Field proposals: blank forms filled in by hand at the job site.
#include "common/TamselForm.h"

class QLineEdit;

class frmFieldProposal : public TamselForm {
    Q_OBJECT
public:
    frmFieldProposal();

    void ShowProposalNo() override;

    QLineEdit *txtNextFieldProposal = nullptr; // the number the next form gets
};
