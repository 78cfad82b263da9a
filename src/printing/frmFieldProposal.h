#pragma once
// Field proposals: blank forms filled in by hand at the job site.
#include "shell/TamselForm.h"

class QLineEdit;

class frmFieldProposal : public TamselForm {
    Q_OBJECT
public:
    frmFieldProposal();

    QLineEdit *txtNextFieldProposal = nullptr; // the number the next form gets
};
