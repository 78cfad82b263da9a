#pragma once
// Dials customers and speed-dial numbers through the modem.
#include "common/TamselForm.h"

class frmDialer : public TamselForm {
    Q_OBJECT
public:
    frmDialer();
};
