#pragma once
// The main menu: the hub every routine starts from.
#include "common/TamselForm.h"

#include <array>

class QAction;
class QMenu;
class QMenuBar;
class QPushButton;
class QRadioButton;
class QtPictureBox;

class frmStartup : public TamselForm {
    Q_OBJECT
public:
    frmStartup();

    void Form_Activate() override;

    // The routines top to bottom are 0, 3, 4 and 1; there is no option 2.
    std::array<QRadioButton *, 5> optProgramRoutine{};
    QPushButton *cmdStart = nullptr;
    QtPictureBox *Image1 = nullptr;

    QMenuBar *menuBar = nullptr;
    QMenu *mnuFiles = nullptr;
    QAction *mnuCreate = nullptr;
    QAction *mnuExit = nullptr;
    QMenu *mnuOrder = nullptr;
    QAction *mnuPPaper = nullptr;
    QAction *mnuPPPaper = nullptr;
    QAction *mnuProposalSets = nullptr;
    QAction *mnuAddress = nullptr;
    QAction *mnuLabels = nullptr;
    QAction *mnuHelpContentsFile = nullptr;

    // The page of the manual on paper, forms and labels.
    static QString PaperPage();
    // The manual's first page.
    static QString ManualPage();

public slots:
    void optProgramRoutine_Click(int Index);
    void optProgramRoutine_DblClick(int Index);
    void cmdStart_Click();
    void Image1_Click();
    void mnuCreate_Click();
    void mnuExit_Click();
    void mnuHelpContentsFile_Click();
    void mnuPPaper_Click();
    void mnuPPPaper_Click();
    void mnuProposalSets_Click();
    void mnuAddress_Click();
    void mnuLabels_Click();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};
