#pragma once
// The main menu: the hub every routine starts from.
#include "shell/TamselForm.h"

class frmStartup : public TamselForm {
    Q_OBJECT
public:
    frmStartup();
};
