#pragma once
// The proposal writer: job site, body, price and payments, finalizing.
#include "common/TamselForm.h"

class frmWriteProposal : public TamselForm {
    Q_OBJECT
public:
    frmWriteProposal();
};
