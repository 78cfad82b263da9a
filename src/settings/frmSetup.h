#pragma once
// The setup screen: letterhead data, print settings, logo and the next
// proposal number. Created hidden at start-up; while it lives its controls
// hold the print settings the printed page uses.
#include "shell/TamselForm.h"

#include <QColor>
#include <array>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QtPictureBox;

class frmSetup : public TamselForm {
    Q_OBJECT
public:
    frmSetup();

    void Form_Load() override;

    // The settings files behind this screen.
    void LoadPrintColors();
    bool SavePrintColors();
    void LoadLogo();
    void LoadLogoSize();
    bool SaveLogoPath(const QString &path);
    bool SaveLogoSize();
    bool SaveBusiness();
    void FillCopiesList();

    // Colour swatches hold an RGB value with red in the low byte.
    static void SetSwatchColor(QLineEdit *swatch, quint32 rgb);
    static quint32 SwatchColor(const QLineEdit *swatch);

    std::array<QLineEdit *, 9> txtBusiness{};
    QLineEdit *txtProposalNo = nullptr;
    QLineEdit *txtBorders = nullptr;
    QLineEdit *txtData = nullptr;
    QLabel *lblFont = nullptr;
    QCheckBox *ckColor = nullptr;
    QComboBox *cboCopies = nullptr;
    QtPictureBox *Image2 = nullptr; // the logo as found on disk
    QtPictureBox *Image3 = nullptr; // the logo at its printed size
};
