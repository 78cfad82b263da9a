#include "settings/frmSetup.h"

#include "platform/QtPictureBox.h"
#include "settings/BusinessFiles.h"
#include "shell/CommonRoutines.h"
#include "shell/CommonVariables.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

frmSetup::frmSetup() : TamselForm(QStringLiteral("frmSetup")) {
    setWindowTitle(QStringLiteral("Proposal Setup Form"));
    auto *form = new QFormLayout;
    const char *labels[9] = {"Company Name", "Address 1",     "Address 2",           "City",          "State",
                             "Postal Zip Code", "Telephone", "Fax No,email or Web", "FEIN, VAT, ABN"};
    for (int i = 0; i < 9; ++i) {
        txtBusiness[i] = new QLineEdit(this);
        txtBusiness[i]->setObjectName(QStringLiteral("txtBusiness_%1").arg(i));
        form->addRow(QString::fromLatin1(labels[i]), txtBusiness[i]);
    }
    txtProposalNo = new QLineEdit(this);
    txtProposalNo->setObjectName(QStringLiteral("txtProposalNo"));
    form->addRow(QStringLiteral("Enter Proposal Number"), txtProposalNo);

    txtBorders = new QLineEdit(this);
    txtBorders->setObjectName(QStringLiteral("txtBorders"));
    txtBorders->setReadOnly(true);
    form->addRow(QStringLiteral("Borders and Frames"), txtBorders);
    txtData = new QLineEdit(this);
    txtData->setObjectName(QStringLiteral("txtData"));
    txtData->setReadOnly(true);
    form->addRow(QStringLiteral("Text and Data"), txtData);
    lblFont = new QLabel(QStringLiteral("Font shows Here"), this);
    lblFont->setObjectName(QStringLiteral("lblFont"));
    form->addRow(QStringLiteral("Font Selection"), lblFont);
    ckColor = new QCheckBox(QStringLiteral("Print"), this);
    ckColor->setObjectName(QStringLiteral("ckColor"));
    ckColor->setChecked(true);
    form->addRow(QString(), ckColor);
    cboCopies = new QComboBox(this);
    cboCopies->setObjectName(QStringLiteral("cboCopies"));
    form->addRow(QStringLiteral("Total Number of Copies"), cboCopies);

    Image2 = new QtPictureBox(QStringLiteral("Image2"), this);
    Image3 = new QtPictureBox(QStringLiteral("Image3"), this);
    auto *logos = new QHBoxLayout;
    logos->addWidget(Image2);
    logos->addWidget(Image3);
    logos->addStretch();

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(logos);
}

void frmSetup::Form_Load() {
    TamselForm::Form_Load();
    FillCopiesList();
    if (FileExists(QStringLiteral("/CompanyLogo.txt")))
        LoadLogo();
    if (FileExists(QStringLiteral("/LogoSettings.txt")))
        LoadLogoSize();
    LoadPrintColors();
    for (int i = 0; i < 9; ++i)
        txtBusiness[i]->setText(BusinessData[i]);
}

void frmSetup::FillCopiesList() {
    cboCopies->clear();
    for (int i = 1; i <= 5; ++i)
        cboCopies->addItem(QString::number(i));
    cboCopies->setCurrentIndex(2);
}

void frmSetup::SetSwatchColor(QLineEdit *swatch, quint32 rgb) {
    const QColor color(rgb & 0xFF, (rgb >> 8) & 0xFF, (rgb >> 16) & 0xFF);
    swatch->setProperty("rgb", rgb);
    swatch->setStyleSheet(QStringLiteral("background-color: %1;").arg(color.name()));
}

quint32 frmSetup::SwatchColor(const QLineEdit *swatch) { return swatch->property("rgb").toUInt(); }

void frmSetup::LoadPrintColors() {
    const auto settings = ReadPrintColorsFile();
    CloseAllFiles();
    if (!settings) {
        // Defaults in memory only; the file is written when the user saves.
        SetSwatchColor(txtBorders, 0);
        SetSwatchColor(txtData, 0);
        BorderColor = 0;
        lblFont->setText(QStringLiteral("Arial"));
        PrintInColor = true;
        NumCopies = 3;
        return;
    }
    SetSwatchColor(txtBorders, settings->borderColor);
    BorderColor = settings->borderColor;
    SetSwatchColor(txtData, settings->dataColor);
    lblFont->setText(settings->fontName);
    PrintInColor = settings->printInColor;
    ckColor->setChecked(PrintInColor);
    NumCopies = settings->numCopies;
    cboCopies->setCurrentText(QString::number(NumCopies));
}

bool frmSetup::SavePrintColors() {
    BorderColor = SwatchColor(txtBorders);
    PrintColorSettings settings;
    settings.borderColor = BorderColor;
    settings.dataColor = SwatchColor(txtData);
    settings.fontName = lblFont->text();
    settings.printInColor = PrintInColor;
    settings.numCopies = NumCopies;
    if (!WritePrintColorsFile(settings)) {
        ReportWriteFailure(QStringLiteral("PrintColors.txt"));
        return false;
    }
    return true;
}

void frmSetup::LoadLogo() {
    const auto path = ReadLogoPathFile();
    CloseAllFiles();
    if (!path || !QFileInfo(*path).isFile())
        return;
    // A picture that cannot be read shows no logo, like a missing one.
    const QImage picture = QImageReader(*path).read();
    if (picture.isNull())
        return;
    Image2->setPicture(picture);
    Image3->setPicture(picture);
}

void frmSetup::LoadLogoSize() {
    if (const auto size = ReadLogoSizeFile()) {
        Image3->setTwipsSize(*size);
    } else {
        Image3->setTwipsSize(QSize(1440, 1440));
        SaveLogoSize();
    }
}

bool frmSetup::SaveLogoPath(const QString &path) {
    if (path.isEmpty())
        return true;
    if (!WriteLogoPathFile(path)) {
        ReportWriteFailure(QStringLiteral("CompanyLogo.txt"));
        return false;
    }
    return SaveLogoSize();
}

bool frmSetup::SaveLogoSize() {
    if (!Image3->hasPicture())
        return true;
    if (!WriteLogoSizeFile(Image3->twipsSize())) {
        ReportWriteFailure(QStringLiteral("LogoSettings.txt"));
        return false;
    }
    return true;
}

bool frmSetup::SaveBusiness() {
    for (int i = 0; i < 9; ++i)
        BusinessData[i] = txtBusiness[i]->text();
    if (!WriteBusinessFile(BusinessData)) {
        ReportWriteFailure(QStringLiteral("MyBusinessData.txt"));
        return false;
    }
    return true;
}
