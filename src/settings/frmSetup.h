#pragma once
// The setup screen: letterhead data, print settings, logo and the next
// proposal number. Created hidden at start-up; while it lives its controls
// hold the print settings the printed page uses.
#include "common/TamselForm.h"

#include <QColor>
#include <array>
#include <functional>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;
class QToolButton;
class QtPictureBox;

class frmSetup : public TamselForm {
    Q_OBJECT
public:
    frmSetup();

    void Form_Load() override;
    void Form_Activate() override;

    // Reads the telephone settings and looks for the modem while the screen
    // loads. The program installs it: the telephone is a floor above.
    static inline std::function<void()> PhoneSettingsLoader;

    // The settings files behind this screen.
    void LoadPrintColors();
    bool SavePrintColors();
    void LoadLogo();
    void LoadLogoSize();
    bool SaveLogoPath(const QString &path);
    bool SaveLogoSize();
    bool SaveBusiness();
    void FillCopiesList();

    // BusinessData into the fields, and the address style they call for.
    void ShowBusinessFields();

    // Colour swatches hold an RGB value with red in the low byte.
    static void SetSwatchColor(QLineEdit *swatch, quint32 rgb);
    static quint32 SwatchColor(const QLineEdit *swatch);

    // The five tabs of tabSetup and the two of tabSub, in order.
    enum MainTab { BusinessTab, OptionsTab, ProposalTab, LogoTab, HelpTab };
    enum SubTab { PrintingTab, PhoneTab };

    QTabWidget *tabSetup = nullptr;
    QTabWidget *tabSub = nullptr;
    QPushButton *cmdMenu = nullptr;
    std::array<QtPictureBox *, 2> Image1{}; // 0 next main tab, 1 next sub-tab

    // Business Information
    std::array<QLineEdit *, 9> txtBusiness{};
    std::array<QLabel *, 7> lblAddress{};
    QPushButton *cmdAddress = nullptr; // its caption is the style shown
    QLabel *lblPostal = nullptr;
    QtPictureBox *Image4 = nullptr; // clear all business data
    QtPictureBox *Image5 = nullptr; // reload the saved business data

    // Options: Printing
    QLineEdit *txtBorders = nullptr;
    QLineEdit *txtData = nullptr;
    QLabel *lblFont = nullptr;
    std::array<QPushButton *, 3> cmdChange{};
    QCheckBox *ckColor = nullptr;
    QComboBox *cboCopies = nullptr;

    // Options: Phone (filled by the telephone settings)
    QCheckBox *ckCallerID = nullptr;
    QLabel *lblCallid = nullptr;
    QCheckBox *ckPhone = nullptr;
    QLineEdit *txtModemPort = nullptr;

    // Proposal
    QLineEdit *txtProposalNo = nullptr;
    QPushButton *cmdSaveProposal = nullptr;

    // Logo
    QtPictureBox *Image2 = nullptr; // the logo as found on disk
    QtPictureBox *Image3 = nullptr; // the logo at its printed size
    std::array<QPushButton *, 6> cmdLogo{}; // 0 Find, 1 Store, 2 Clear
    QToolButton *UpDown1Up = nullptr;       // height: grow
    QToolButton *UpDown1Down = nullptr;     // height: shrink
    QToolButton *UpDown2Up = nullptr;       // width: grow
    QToolButton *UpDown2Down = nullptr;     // width: shrink

public slots:
    void cmdMenu_Click();
    void cmdAddress_Click();
    void cmdChange_Click(int Index);
    void cmdLogo_Click(int Index);
    void cmdSaveProposal_Click();
    void cboCopies_Click();
    void ckColor_Click();
    void ckCallerID_Click();
    void Image1_Click(int Index);
    void Image4_Click();
    void Image5_Click();
    void UpDown1_UpClick();
    void UpDown1_DownClick();
    void UpDown2_UpClick();
    void UpDown2_DownClick();

private:
    QWidget *BuildBusinessTab();
    QWidget *BuildOptionsTab();
    QWidget *BuildProposalTab();
    QWidget *BuildLogoTab();
    QWidget *BuildHelpTab();
    void ShowLogoPicture(const QImage &picture);
    void SetLogoSize(int width, int height);

    QString chosenLogo_; // the file picked with Find and not yet stored
};
