#pragma once
// The customer screen: finding, choosing and editing customers.
#include "shell/TamselForm.h"

class frmCustomer : public TamselForm {
    Q_OBJECT
public:
    frmCustomer();
};
