#pragma once
// The window shown while the program starts; it hands over to the main menu,
// or on a first run explains the setup and leads to the setup screen.
#include "app/DataFolders.h"
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

    // While start-up makes the customer folders: "Preparing the customer
    // folders… n of N", painted at once.
    void ShowFolderProgress(int done, int total);
    // The folders are made: the line goes, and a close asked for meanwhile
    // takes effect.
    void EndFolderProgress();
    // What start-up hands the folder check: nothing for the first delayMs (a
    // quick start shows no line), then the line at most every intervalMs.
    FolderProgress FolderProgressReporter(int delayMs = 500, int intervalMs = 100);

    QPushButton *cmdContinue = nullptr;
    QFrame *fraWelcome = nullptr;
    QLabel *lblLogoPointer = nullptr; // "LOGO >"
    QtPictureBox *Image1 = nullptr;
    QLabel *lblFolderProgress = nullptr;

protected:
    QString LayoutApplication() const override { return QStringLiteral("TamselProposalSplash"); }
    void closeEvent(QCloseEvent *event) override;

private:
    bool preparing_ = false;     // the progress line is up; start-up is not done
    bool closeDeferred_ = false; // the window was closed meanwhile
};
