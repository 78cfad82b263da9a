#pragma once
// The window shown while the program starts; it hands over to the main menu,
// or on a first run explains the setup and leads to the setup screen.
#include "common/TamselForm.h"

class QFrame;
class QLabel;
class QPushButton;
class QtPictureBox;

class frmSplash : public TamselForm {
    Q_OBJECT
public:
    frmSplash();

    void cmdContinue_Click();
    void Image1_Click();

    QPushButton *cmdContinue = nullptr;
    QFrame *fraWelcome = nullptr;
    QLabel *lblLogoPointer = nullptr; // "LOGO >"
    QtPictureBox *Image1 = nullptr;

protected:
    QString LayoutApplication() const override { return QStringLiteral("TamselProposalSplash"); }
};
