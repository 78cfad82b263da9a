#pragma once
// The custom terms and disclaimer that replace the generic texts.
#include "shell/TamselForm.h"

class frmTerms : public TamselForm {
    Q_OBJECT
public:
    frmTerms();
};
