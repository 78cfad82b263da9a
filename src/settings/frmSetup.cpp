#include "settings/frmSetup.h"

#include "common/CommonRoutines.h"
#include "common/CommonVariables.h"
#include "common/InputRules.h"
#include "common/KeyFiltersUi.h"
#include "common/ScreenRegistry.h"
#include "common/StoredTextUi.h"
#include "platform/Dialogs.h"
#include "platform/QtDialogs.h"
#include "platform/QtPictureBox.h"
#include "platform/TextCodec.h"
#include "platform/UserPrompt.h"
#include "settings/BusinessFiles.h"
#include "settings/SamplePrintHook.h"
#include "settings/SettingsUi.h"
#include "settings/SetupRules.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QScrollArea>
#include <QStyle>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <limits>

namespace {

const QString UsaStyle = QStringLiteral("USA Style Address");
const QString InternationalStyle = QStringLiteral("International Style Address");

constexpr int TwipsPerPixel = 15;

QLabel *Label(QWidget *parent, const QString &text, const QString &name = {}, const QString &toolTip = {}) {
    auto *label = new QLabel(text, parent);
    if (!name.isEmpty())
        label->setObjectName(name);
    if (!toolTip.isEmpty())
        label->setToolTip(toolTip);
    return label;
}

QLabel *Note(QWidget *parent, const QString &text) {
    QLabel *label = Label(parent, text);
    label->setWordWrap(true);
    return label;
}

QLabel *Heading(QWidget *parent, const QString &text) {
    QLabel *label = Label(parent, text);
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    return label;
}

QPushButton *Button(QWidget *parent, const QString &caption, const QString &name, const QString &toolTip = {}) {
    auto *button = new QPushButton(caption, parent);
    button->setObjectName(name);
    if (!toolTip.isEmpty())
        button->setToolTip(toolTip);
    return button;
}

QToolButton *Arrow(QWidget *parent, Qt::ArrowType direction, const QString &name, const QString &toolTip) {
    auto *button = new QToolButton(parent);
    button->setObjectName(name);
    button->setArrowType(direction);
    button->setToolTip(toolTip);
    button->setAutoRepeat(true);
    return button;
}

// The arrow pictures beside the tab hints.
QImage ArrowPicture(int pixels) {
    QImage image(pixels, pixels, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal s = pixels;
    QPainterPath arrow;
    arrow.moveTo(0.10 * s, 0.38 * s);
    arrow.lineTo(0.52 * s, 0.38 * s);
    arrow.lineTo(0.52 * s, 0.18 * s);
    arrow.lineTo(0.92 * s, 0.50 * s);
    arrow.lineTo(0.52 * s, 0.82 * s);
    arrow.lineTo(0.52 * s, 0.62 * s);
    arrow.lineTo(0.10 * s, 0.62 * s);
    arrow.closeSubpath();
    painter.setPen(QPen(QColor(0x14, 0x33, 0x50), 1));
    painter.setBrush(QColor(0x2e, 0x75, 0xb6));
    painter.drawPath(arrow);
    return image;
}

QtPictureBox *Picture(QWidget *parent, const QString &name, const QImage &image, const QString &toolTip) {
    auto *box = new QtPictureBox(name, parent);
    box->setTwipsSize(image.size() * TwipsPerPixel);
    box->setPicture(image);
    box->setToolTip(toolTip);
    box->setCursor(Qt::PointingHandCursor);
    return box;
}

QImage StyleIcon(const QWidget *widget, QStyle::StandardPixmap which, int pixels) {
    return widget->style()->standardIcon(which, nullptr, widget).pixmap(pixels, pixels).toImage();
}

// The next enabled tab, after the last back to the first.
void NextTab(QTabWidget *tabs) {
    for (int step = 1; step <= tabs->count(); ++step) {
        const int index = (tabs->currentIndex() + step) % tabs->count();
        if (tabs->isTabEnabled(index)) {
            tabs->setCurrentIndex(index);
            return;
        }
    }
}

// A field's length limit. Qt cuts a longer text down to a new limit; a text
// already there is kept whole, only typing is limited.
void SetFieldLimit(QLineEdit *field, int limit) { field->setMaxLength(std::max<int>(limit, field->text().size())); }

} // namespace

frmSetup::frmSetup() : TamselForm(QStringLiteral("frmSetup")) {
    setWindowTitle(QStringLiteral("Proposal Setup Form"));

    tabSetup = new QTabWidget(this);
    tabSetup->setObjectName(QStringLiteral("tabSetup"));
    tabSetup->addTab(BuildBusinessTab(), QStringLiteral("Business Information"));
    tabSetup->addTab(BuildOptionsTab(), QStringLiteral("Options"));
    tabSetup->addTab(BuildProposalTab(), QStringLiteral("Proposal"));
    tabSetup->addTab(BuildLogoTab(), QStringLiteral("Logo"));
    tabSetup->addTab(BuildHelpTab(), QStringLiteral("Help"));

    const QImage arrow = ArrowPicture(24);
    for (int index = 0; index < 2; ++index) {
        Image1[index] = Picture(this, QStringLiteral("Image1_%1").arg(index), arrow, {});
        connect(Image1[index], &QtPictureBox::clicked, this, [this, index] { Image1_Click(index); });
    }
    cmdMenu = Button(this, QStringLiteral("&Save Changes and Return to Menu"), QStringLiteral("cmdMenu"),
                     QStringLiteral("Returns to Main Menu"));
    cmdMenu->setDefault(true);
    connect(cmdMenu, &QPushButton::clicked, this, &frmSetup::cmdMenu_Click);

    auto *bottom = new QHBoxLayout;
    bottom->setSpacing(6);
    bottom->addWidget(Label(this, QStringLiteral("Advance MainTab -- >"), QStringLiteral("lblAdvanceMainTab")));
    bottom->addWidget(Image1[0]);
    bottom->addSpacing(18);
    bottom->addWidget(Label(this, QStringLiteral("Toggle SubTab -- >"), QStringLiteral("lblToggleSubTab")));
    bottom->addWidget(Image1[1]);
    bottom->addStretch();
    bottom->addWidget(cmdMenu);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 12, 12, 12);
    layout->setSpacing(10);
    layout->addWidget(tabSetup, 1);
    layout->addLayout(bottom);
    resize(720, 470);
}

QWidget *frmSetup::BuildBusinessTab() {
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("tabBusiness"));
    auto *grid = new QGridLayout(page);
    grid->setContentsMargins(16, 16, 16, 16);
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(6);
    grid->setColumnStretch(1, 1);

    const char *captions[7] = {"Company Name", "Address 1", "Address 2", "City", "State", "Postal Zip Code",
                               "Telephone"};
    for (int i = 0; i < 9; ++i) {
        txtBusiness[i] = new QLineEdit(page);
        txtBusiness[i]->setObjectName(QStringLiteral("txtBusiness_%1").arg(i));
    }
    for (int i = 0; i < 7; ++i) {
        lblAddress[i] = Label(page, QString::fromLatin1(captions[i]), QStringLiteral("lblAddress_%1").arg(i));
        grid->addWidget(lblAddress[i], i, 0);
        grid->addWidget(txtBusiness[i], i, 1);
    }
    lblPostal = Label(page, QStringLiteral("Postal Code is Mandatory"), QStringLiteral("lblPostal"));
    lblPostal->setStyleSheet(QStringLiteral("color: #a00000;"));
    grid->addWidget(lblPostal, 5, 2);

    QLabel *extra = Note(page, QStringLiteral("Use these Fields to enter additional Information about your Company"));
    extra->setObjectName(QStringLiteral("lblExtraFields"));
    grid->addWidget(extra, 7, 0, 1, 3);
    grid->setRowMinimumHeight(7, 34);
    grid->setAlignment(extra, Qt::AlignBottom);
    grid->addWidget(Label(page, QStringLiteral("Fax No,email or Web"), QStringLiteral("lblBusiness_7")), 8, 0);
    grid->addWidget(txtBusiness[7], 8, 1);
    grid->addWidget(Label(page, QStringLiteral("FEIN, VAT, ABN"), QStringLiteral("lblBusiness_8")), 9, 0);
    txtBusiness[8]->setToolTip(QStringLiteral("Enter your FEIN or VAT if desired"));
    grid->addWidget(txtBusiness[8], 9, 1);
    grid->addWidget(Label(page, QStringLiteral("Example : ABN - 123456789"), QStringLiteral("lblTaxExample")), 9, 2);

    cmdAddress = Button(page, UsaStyle, QStringLiteral("cmdAddress"));
    connect(cmdAddress, &QPushButton::clicked, this, &frmSetup::cmdAddress_Click);
    Image5 = Picture(page, QStringLiteral("Image5"), StyleIcon(this, QStyle::SP_BrowserReload, 32),
                     QStringLiteral("Reload Business Data"));
    connect(Image5, &QtPictureBox::clicked, this, &frmSetup::Image5_Click);
    Image4 = Picture(page, QStringLiteral("Image4"), StyleIcon(this, QStyle::SP_TrashIcon, 32),
                     QStringLiteral("Clear All business Data"));
    connect(Image4, &QtPictureBox::clicked, this, &frmSetup::Image4_Click);
    auto *pictures = new QHBoxLayout;
    pictures->addStretch();
    pictures->addWidget(Image5);
    pictures->addSpacing(12);
    pictures->addWidget(Image4);
    grid->addWidget(cmdAddress, 0, 2);
    grid->addLayout(pictures, 1, 2, 2, 1, Qt::AlignTop);
    grid->setRowStretch(10, 1);
    return page;
}

QWidget *frmSetup::BuildOptionsTab() {
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("tabOptions"));
    tabSub = new QTabWidget(page);
    tabSub->setObjectName(QStringLiteral("tabSub"));

    // Printing
    auto *printing = new QWidget;
    printing->setObjectName(QStringLiteral("tabPrinting"));
    auto *colors = new QGroupBox(QStringLiteral("Color Selections"), printing);
    colors->setObjectName(QStringLiteral("fraColors"));
    auto *grid = new QGridLayout(colors);
    grid->setContentsMargins(14, 14, 14, 14);
    grid->setHorizontalSpacing(12);
    grid->setVerticalSpacing(8);
    grid->addWidget(Label(colors, QStringLiteral("Borders and Frames"), QStringLiteral("lblBorders"),
                          QStringLiteral("Borders and frames on documents will be tgis color")),
                    0, 0);
    grid->addWidget(Label(colors, QStringLiteral("Text and Data"), QStringLiteral("lblData"),
                          QStringLiteral("Some Text will be printed in this color")),
                    1, 0);
    grid->addWidget(Label(colors, QStringLiteral("Font Selection"), QStringLiteral("lblFontSelection")), 2, 0);
    txtBorders = new QLineEdit(colors);
    txtBorders->setObjectName(QStringLiteral("txtBorders"));
    txtData = new QLineEdit(colors);
    txtData->setObjectName(QStringLiteral("txtData"));
    for (QLineEdit *swatch : {txtBorders, txtData}) {
        swatch->setReadOnly(true);
        swatch->setFocusPolicy(Qt::NoFocus);
        swatch->setFixedWidth(120);
    }
    grid->addWidget(txtBorders, 0, 1);
    grid->addWidget(txtData, 1, 1);
    lblFont = Label(colors, QStringLiteral("Font shows Here"), QStringLiteral("lblFont"));
    lblFont->setFrameShape(QFrame::StyledPanel);
    lblFont->setMinimumWidth(120);
    grid->addWidget(lblFont, 2, 1);
    for (int index = 0; index < 3; ++index) {
        cmdChange[index] = Button(colors, QStringLiteral("Change"), QStringLiteral("cmdChange_%1").arg(index));
        connect(cmdChange[index], &QPushButton::clicked, this, [this, index] { cmdChange_Click(index); });
        grid->addWidget(cmdChange[index], index, 2);
    }
    ckColor = new QCheckBox(QStringLiteral("Print"), colors);
    ckColor->setObjectName(QStringLiteral("ckColor"));
    ckColor->setToolTip(QStringLiteral("Headings, totals etc are printed in highlighting colors"));
    ckColor->setChecked(true);
    connect(ckColor, &QCheckBox::toggled, this, &frmSetup::ckColor_Click);
    grid->setRowMinimumHeight(3, 8);
    grid->addWidget(ckColor, 4, 0);
    grid->addWidget(Label(colors, QStringLiteral("(Copies 1 and 2 only)"), QStringLiteral("lblColorCopies"),
                          QStringLiteral("Copies 1 and 2 print in color")),
                    4, 1, 1, 2);
    grid->addWidget(Label(colors, QStringLiteral("Total Number of Copies"), QStringLiteral("lblCopies"),
                          QStringLiteral("Select from 1 to 5 pages to print")),
                    5, 0);
    cboCopies = new QComboBox(colors);
    cboCopies->setObjectName(QStringLiteral("cboCopies"));
    cboCopies->setToolTip(QStringLiteral("Select from 1 to 5 pages to print"));
    connect(cboCopies, &QComboBox::activated, this, &frmSetup::cboCopies_Click);
    grid->addWidget(cboCopies, 5, 1, Qt::AlignLeft);
    grid->setColumnStretch(3, 1);
    auto *printingLayout = new QVBoxLayout(printing);
    printingLayout->setContentsMargins(12, 12, 12, 12);
    printingLayout->addWidget(colors);
    printingLayout->addStretch();

    // Phone
    auto *phone = new QWidget;
    phone->setObjectName(QStringLiteral("tabPhone"));
    auto *phoneGrid = new QGridLayout(phone);
    phoneGrid->setContentsMargins(16, 16, 16, 16);
    phoneGrid->setVerticalSpacing(8);
    ckCallerID = new QCheckBox(QStringLiteral("Using Caller ID"), phone);
    ckCallerID->setObjectName(QStringLiteral("ckCallerID"));
    ckCallerID->setToolTip(QStringLiteral("Modem MUST support this feature"));
    connect(ckCallerID, &QCheckBox::toggled, this, &frmSetup::ckCallerID_Click);
    lblCallid = Note(phone, QStringLiteral("Modem Supports Caller ID  Check with your Phone Co for support for this feature"));
    lblCallid->setObjectName(QStringLiteral("lblCallid"));
    lblCallid->setVisible(false);
    ckPhone = new QCheckBox(QStringLiteral("A Phone is Daisy-Chained  downstream from the Computer"), phone);
    ckPhone->setObjectName(QStringLiteral("ckPhone"));
    ckPhone->setToolTip(QStringLiteral("Check if a phone is Daisy-chained to your computer"));
    txtModemPort = new QLineEdit(phone);
    txtModemPort->setObjectName(QStringLiteral("txtModemPort"));
    txtModemPort->setFixedWidth(50);
    // The serial ports the program can open.
    txtModemPort->setValidator(WholeNumberValidator(LowestModemPort, HighestModemPort, txtModemPort));
    txtModemPort->setMaxLength(2);
    auto *port = new QHBoxLayout;
    port->addWidget(Label(phone, QStringLiteral("Modem is connected to"), QStringLiteral("lblModem")));
    port->addSpacing(8);
    port->addWidget(Label(phone, QStringLiteral("COM Port #"), QStringLiteral("lblComPort")));
    port->addWidget(txtModemPort);
    port->addStretch();
    phoneGrid->addWidget(ckCallerID, 0, 0);
    phoneGrid->addWidget(lblCallid, 1, 0);
    phoneGrid->setRowMinimumHeight(1, lblCallid->sizeHint().height());
    phoneGrid->addWidget(ckPhone, 2, 0);
    phoneGrid->setRowMinimumHeight(3, 8);
    phoneGrid->addLayout(port, 4, 0);
    phoneGrid->addWidget(Label(phone, QStringLiteral("(Used to auto-dial Customers, Technicians, etc)"),
                               QStringLiteral("lblAutoDial")),
                         5, 0);
    phoneGrid->setRowStretch(6, 1);

    tabSub->addTab(printing, QStringLiteral("Printing"));
    tabSub->addTab(phone, QStringLiteral("Phone"));
    auto *layout = new QVBoxLayout(page);
    layout->setContentsMargins(10, 10, 10, 10);
    layout->addWidget(tabSub);
    return page;
}

QWidget *frmSetup::BuildProposalTab() {
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("tabProposal"));
    txtProposalNo = new QLineEdit(page);
    txtProposalNo->setObjectName(QStringLiteral("txtProposalNo"));
    txtProposalNo->setFixedWidth(100);
    // Room for 32767 written with grouping and blanks.
    txtProposalNo->setMaxLength(ProposalNoBoxLength);
    cmdSaveProposal = Button(page, QStringLiteral("Save Proposal No."), QStringLiteral("cmdSaveProposal"));
    connect(cmdSaveProposal, &QPushButton::clicked, this, &frmSetup::cmdSaveProposal_Click);
    auto *row = new QHBoxLayout;
    row->setSpacing(10);
    row->addWidget(Label(page, QStringLiteral("Enter Proposal Number"), QStringLiteral("lblProposalNo")));
    row->addWidget(txtProposalNo);
    row->addWidget(cmdSaveProposal);
    row->addStretch();
    auto *layout = new QVBoxLayout(page);
    layout->setContentsMargins(16, 16, 16, 16);
    layout->setSpacing(6);
    layout->addLayout(row);
    layout->addSpacing(12);
    layout->addWidget(Note(page, QStringLiteral("The starting Proposal number defaults to 1001.")));
    layout->addWidget(Note(page, QStringLiteral("You can change the Number at any time.")));
    layout->addWidget(Note(page, QStringLiteral("Enter the Number in the box and click Save Proposal No.")));
    layout->addStretch();
    return page;
}

QWidget *frmSetup::BuildLogoTab() {
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("tabLogo"));

    // The picture as found on disk, in a view that scrolls when it is large.
    Image2 = new QtPictureBox(QStringLiteral("Image2"), page);
    Image2->setToolTip(QStringLiteral("Displays your Selected Logo"));
    auto *view = new QScrollArea(page);
    view->setObjectName(QStringLiteral("scrLogoView"));
    view->setWidget(Image2);
    view->setAlignment(Qt::AlignCenter);
    view->setMinimumSize(150, 150);
    auto *onDisk = new QVBoxLayout;
    onDisk->addWidget(Label(page, QStringLiteral("File on Disk"), QStringLiteral("lblFileOnDisk")));
    onDisk->addWidget(view, 1);
    onDisk->addWidget(Note(page, QStringLiteral("The selected file may overflow in the view Window, thats OK")));

    // The logo at the size it is printed, with its spinners.
    auto *sizing = new QGroupBox(QStringLiteral("LOGO Sizing"), page);
    sizing->setObjectName(QStringLiteral("fraLogoSizing"));
    Image3 = new QtPictureBox(QStringLiteral("Image3"), sizing);
    Image3->setFrameShape(QFrame::Box);
    auto *holder = new QWidget(sizing); // room for the largest size, so nothing moves while sizing
    holder->setObjectName(QStringLiteral("fraAdjustedLogo"));
    holder->setFixedSize(LogoSizeMax / TwipsPerPixel + 4, LogoSizeMax / TwipsPerPixel + 4);
    auto *holderLayout = new QGridLayout(holder);
    holderLayout->setContentsMargins(0, 0, 0, 0);
    holderLayout->addWidget(Image3, 0, 0, Qt::AlignCenter);

    UpDown1Up = Arrow(sizing, Qt::UpArrow, QStringLiteral("UpDown1_Up"), QStringLiteral("Taller"));
    UpDown1Down = Arrow(sizing, Qt::DownArrow, QStringLiteral("UpDown1_Down"), QStringLiteral("Shorter"));
    UpDown2Down = Arrow(sizing, Qt::LeftArrow, QStringLiteral("UpDown2_Down"), QStringLiteral("Narrower"));
    UpDown2Up = Arrow(sizing, Qt::RightArrow, QStringLiteral("UpDown2_Up"), QStringLiteral("Wider"));
    connect(UpDown1Up, &QToolButton::clicked, this, &frmSetup::UpDown1_UpClick);
    connect(UpDown1Down, &QToolButton::clicked, this, &frmSetup::UpDown1_DownClick);
    connect(UpDown2Up, &QToolButton::clicked, this, &frmSetup::UpDown2_UpClick);
    connect(UpDown2Down, &QToolButton::clicked, this, &frmSetup::UpDown2_DownClick);
    auto *height = new QVBoxLayout;
    height->addStretch();
    height->addWidget(UpDown1Up, 0, Qt::AlignHCenter);
    height->addWidget(UpDown1Down, 0, Qt::AlignHCenter);
    height->addWidget(Label(sizing, QStringLiteral("Height"), QStringLiteral("lblHeight")), 0, Qt::AlignHCenter);
    height->addStretch();
    auto *width = new QHBoxLayout;
    width->addStretch();
    width->addWidget(Label(sizing, QStringLiteral("Width"), QStringLiteral("lblWidth")));
    width->addWidget(UpDown2Down);
    width->addWidget(UpDown2Up);
    width->addStretch();
    auto *sizingGrid = new QGridLayout(sizing);
    sizingGrid->setContentsMargins(12, 12, 12, 12);
    sizingGrid->addWidget(Label(sizing, QStringLiteral("Adjusted Logo"), QStringLiteral("lblAdjustedLogo")), 0, 0,
                          Qt::AlignHCenter);
    sizingGrid->addWidget(holder, 1, 0, Qt::AlignCenter);
    sizingGrid->addLayout(height, 1, 1);
    sizingGrid->addLayout(width, 2, 0);
    QLabel *sizingNote = Note(sizing, QStringLiteral("Click Height and Width until your LOGO size is acceptable. "
                                                     "Adjustment is limited based upon the space on the form."));
    sizingNote->setMaximumWidth(220);
    sizing->setSizePolicy(QSizePolicy::Maximum, QSizePolicy::Preferred);
    sizingGrid->addWidget(sizingNote, 3, 0, 1, 2);
    cmdLogo[5] = Button(sizing, QStringLiteral("Print Sample"), QStringLiteral("cmdLogo_5"));
    connect(cmdLogo[5], &QPushButton::clicked, this, [this] { cmdLogo_Click(5); });
    auto *sample = new QHBoxLayout;
    sample->addWidget(Label(sizing, QStringLiteral("Print a sample to Review"), QStringLiteral("lblPrintSample")));
    sample->addWidget(cmdLogo[5]);
    sizingGrid->addLayout(sample, 4, 0, 1, 2);
    sizingGrid->setRowStretch(5, 1);

    // Find, Store, Clear and how to use them.
    cmdLogo[0] = Button(page, QStringLiteral("Find"), QStringLiteral("cmdLogo_0"),
                        QStringLiteral("Opens up your disk files for locating a Logo File (Image)"));
    cmdLogo[1] = Button(page, QStringLiteral("&Store"), QStringLiteral("cmdLogo_1"),
                        QStringLiteral("Saves your Logo (no need to Click our logo)"));
    cmdLogo[2] = Button(page, QStringLiteral("&Clear"), QStringLiteral("cmdLogo_2"),
                        QStringLiteral("Clears your current Logo"));
    cmdLogo[1]->setEnabled(false);
    auto *actions = new QVBoxLayout;
    actions->setSpacing(6);
    for (int index = 0; index < 3; ++index) {
        connect(cmdLogo[index], &QPushButton::clicked, this, [this, index] { cmdLogo_Click(index); });
        actions->addWidget(cmdLogo[index]);
    }
    actions->addSpacing(12);
    const char *steps[] = {"1. Copy your Logo file (a picture) into the program's folder first.",
                           "2. Click Find and select the Logo file in the program's folder.",
                           "3. Adjust the Height and Width, then click Store."};
    for (const char *step : steps) {
        QLabel *label = Note(page, QString::fromLatin1(step));
        label->setFixedWidth(170);
        actions->addWidget(label);
    }
    actions->addStretch();

    auto *layout = new QHBoxLayout(page);
    layout->setContentsMargins(16, 16, 16, 16);
    layout->setSpacing(16);
    layout->addLayout(onDisk, 1);
    layout->addWidget(sizing);
    layout->addLayout(actions);
    return page;
}

QWidget *frmSetup::BuildHelpTab() {
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("tabHelp"));
    auto *layout = new QVBoxLayout(page);
    layout->setContentsMargins(16, 16, 16, 16);
    layout->setSpacing(4);
    layout->addWidget(Heading(page, QStringLiteral("Business")));
    layout->addWidget(Note(page, QStringLiteral("Enter your Business Data. Select whether you use a USA style "
                                                "address or an International style address.")));
    layout->addSpacing(12);
    layout->addWidget(Heading(page, QStringLiteral("Options")));
    layout->addWidget(Note(page, QStringLiteral("If you select the Color Option, pages 1 and 2 are printed in Color.")));
    layout->addWidget(Note(page, QStringLiteral("Additional pages are in Black and White.")));
    layout->addWidget(Note(page, QStringLiteral("You can print from 1 to 5 copies of a Proposal.")));
    layout->addSpacing(12);
    layout->addWidget(Heading(page, QStringLiteral("Logo")));
    layout->addWidget(Note(page, QStringLiteral("Select and Save a Logo to print on Proposals.  Do not select your "
                                                "LOGO from a Network Device or a removable device.   An error will "
                                                "occur if the network device or removable device is unavailable.")));
    layout->addStretch();
    return page;
}

void frmSetup::Form_Load() {
    TamselForm::Form_Load();
    FillCopiesList();
    if (PhoneSettingsLoader)
        PhoneSettingsLoader();
    if (FileExists(QStringLiteral("/CompanyLogo.txt")))
        LoadLogo();
    if (FileExists(QStringLiteral("/LogoSettings.txt")))
        LoadLogoSize();
    LoadPrintColors();
    ShowBusinessFields();
}

void frmSetup::Form_Activate() {
    ShowBusinessFields();
    tabSetup->setCurrentIndex(BusinessTab);
    txtBusiness[0]->setFocus();
}

void frmSetup::ShowBusinessFields() {
    // The style's length limit is set again below; a saved text is never cut.
    txtBusiness[4]->setMaxLength(32767);
    for (int i = 0; i < 9; ++i)
        txtBusiness[i]->setText(BusinessData[i]);
    // The button switches to the other style, so it is first set to the opposite.
    const AddressStyle wanted = DerivedAddressStyle(BusinessData[0], BusinessData[5]);
    cmdAddress->setText(wanted == AddressStyle::Usa ? InternationalStyle : UsaStyle);
    cmdAddress_Click();
}

void frmSetup::cmdAddress_Click() {
    QLineEdit *state = txtBusiness[4];
    auto *grid = qobject_cast<QGridLayout *>(state->parentWidget()->layout());
    if (cmdAddress->text() != UsaStyle) {
        cmdAddress->setText(UsaStyle);
        lblPostal->setVisible(true);
        lblAddress[3]->setText(QStringLiteral("City"));
        lblAddress[4]->setText(QStringLiteral("State"));
        lblAddress[5]->setVisible(true);
        txtBusiness[5]->setText(BusinessData[5]);
        txtBusiness[5]->setVisible(true);
        SetFieldLimit(state, 2);
        state->setFixedWidth(std::max(390 / TwipsPerPixel, state->fontMetrics().horizontalAdvance(QStringLiteral("WWW")) + 12));
        if (grid)
            grid->setAlignment(state, Qt::AlignLeft);
    } else {
        cmdAddress->setText(InternationalStyle);
        lblAddress[3]->setText(QStringLiteral("Address 3"));
        lblAddress[4]->setText(QStringLiteral("Address 4"));
        lblAddress[5]->setVisible(false);
        txtBusiness[5]->clear();
        txtBusiness[5]->setVisible(false);
        SetFieldLimit(state, 55);
        state->setMinimumWidth(3675 / TwipsPerPixel);
        state->setMaximumWidth(QWIDGETSIZE_MAX);
        if (grid)
            grid->setAlignment(state, Qt::Alignment());
        lblPostal->setVisible(false);
    }
}

void frmSetup::cmdMenu_Click() {
    if (cmdAddress->text() == UsaStyle && txtBusiness[5]->text().trimmed().isEmpty()) {
        Beep();
        MsgBox(QStringLiteral("The Postal Code field can not be Blank"));
        tabSetup->setCurrentIndex(BusinessTab);
        txtBusiness[5]->setFocus();
        return;
    }
    // A file that cannot be written keeps the user here, with everything typed.
    if (!SaveBusiness())
        return;
    LoadBusinessData();
    if (!SavePrintColors())
        return;
    hide();
    ScreenRegistry::Show(Screen::MainMenu);
}

void frmSetup::cmdChange_Click(int Index) {
    switch (Index) {
    case 0:
    case 1: {
        QLineEdit *swatch = Index == 0 ? txtBorders : txtData;
        if (const auto color = ChooseColor(SwatchColor(swatch)))
            SetSwatchColor(swatch, *color);
        break;
    }
    case 2:
        if (const auto font = ChooseFont(lblFont->text()))
            lblFont->setText(*font);
        break;
    default:
        break;
    }
}

void frmSetup::cmdLogo_Click(int Index) {
    switch (Index) {
    case 0: {
        // Starts in the program's folder: that is where the user is asked to put the logo.
        const auto path = ChooseOpenFile(QStringLiteral("Find your Logo"),
                                         PictureFileFilter(QImageReader::supportedImageFormats()), AppFolder);
        if (!path)
            return;
        const QImage picture = QImageReader(*path).read();
        if (picture.isNull()) {
            MsgBox(QStringLiteral("The file %1 is not a picture this program can read.\r\n"
                                  "Choose a picture in one of the formats the Find window lists "
                                  "(for example PNG, JPEG or BMP).")
                       .arg(QFileInfo(*path).fileName()),
                   MsgButtons::Ok, QStringLiteral("Find Logo"));
            return;
        }
        chosenLogo_ = *path;
        ShowLogoPicture(picture);
        cmdLogo[1]->setEnabled(true);
        break;
    }
    case 1:
        if (chosenLogo_.isEmpty())
            return;
        // Storing the path also stores the size.
        if (!SaveLogoPath(chosenLogo_))
            return;
        MsgBox(QStringLiteral("Your Logo has been Stored"));
        LoadLogo();
        LoadLogoSize();
        chosenLogo_.clear();
        cmdLogo[1]->setEnabled(false);
        break;
    case 2:
        if (MsgBox(QStringLiteral("This will Delete your Company Logo"), MsgButtons::YesNo,
                   QStringLiteral("Delete Logo")) == MsgAnswer::No)
            return;
        Image2->clearPicture();
        Image3->clearPicture();
        DeleteWithBackup(QStringLiteral("/CompanyLogo.txt"));
        Image2->setTwipsSize(QSize(1440, 1440));
        // A picture found but not stored goes too: Store has nothing left to store.
        chosenLogo_.clear();
        cmdLogo[1]->setEnabled(false);
        break;
    case 5: {
        // The logo as sized here, stored or not: the sample is how the user judges the size.
        const SamplePrintOutcome outcome = PrintSampleHook ? PrintSampleHook(Image3->picture(), Image3->twipsSize())
                                                           : SamplePrintOutcome::Failed;
        if (outcome == SamplePrintOutcome::Cancelled)
            MsgBox(QStringLiteral("The Sample will not be Printed"));
        else if (outcome == SamplePrintOutcome::Failed)
            MsgBox(QStringLiteral("A Print Error has occurred"), MsgButtons::Ok, QStringLiteral("Print Error"));
        break;
    }
    default:
        break;
    }
}

void frmSetup::cmdSaveProposal_Click() {
    const auto number = ParseProposalNumber(txtProposalNo->text());
    if (!number) {
        MsgBox(QStringLiteral("The Proposal Number must be a Whole Number from %1 to %2")
                   .arg(LowestProposalNo)
                   .arg(std::numeric_limits<qint16>::max()));
        txtProposalNo->clear();
        txtProposalNo->setFocus();
        return;
    }
    if (!SaveProposalCounter(*number)) {
        ReportWriteFailure(QStringLiteral("TProposalCounter.txt"));
        return;
    }
    // Read back, so ProposalNo and both screens show what the file now holds.
    LoadProposalCounter();
}

void frmSetup::cboCopies_Click() {
    const int copies = cboCopies->currentText().toInt();
    if (copies >= 1 && copies <= 5)
        NumCopies = quint8(copies);
}

// The printed page follows the box, and the return button saves it.
void frmSetup::ckColor_Click() { PrintInColor = ckColor->isChecked(); }

void frmSetup::ckCallerID_Click() { lblCallid->setVisible(ckCallerID->isChecked()); }

void frmSetup::Image1_Click(int Index) {
    if (Index == 0) {
        NextTab(tabSetup);
    } else if (Index == 1) {
        NextTab(tabSub);
        // The sub-tabs live on the Options tab: show it so the change is seen.
        if (tabSetup->isTabEnabled(OptionsTab))
            tabSetup->setCurrentIndex(OptionsTab);
    }
}

void frmSetup::Image4_Click() {
    if (MsgBox(QStringLiteral("Do you want to reset (clear)all Business Data?"), MsgButtons::YesNo,
               QStringLiteral("Reset Business Data")) == MsgAnswer::No)
        return;
    for (QLineEdit *field : txtBusiness)
        field->clear();
    txtBusiness[0]->setFocus();
}

void frmSetup::Image5_Click() {
    LoadBusinessData();
    ShowBusinessFields();
}

void frmSetup::SetLogoSize(int width, int height) { Image3->setTwipsSize(QSize(width, height)); }

void frmSetup::UpDown1_UpClick() {
    SetLogoSize(Image3->twipsSize().width(), NextLogoSize(Image3->twipsSize().height(), true));
}
void frmSetup::UpDown1_DownClick() {
    SetLogoSize(Image3->twipsSize().width(), NextLogoSize(Image3->twipsSize().height(), false));
}
void frmSetup::UpDown2_UpClick() {
    SetLogoSize(NextLogoSize(Image3->twipsSize().width(), true), Image3->twipsSize().height());
}
void frmSetup::UpDown2_DownClick() {
    SetLogoSize(NextLogoSize(Image3->twipsSize().width(), false), Image3->twipsSize().height());
}

// Image2 shows the picture at its own size (its view scrolls); Image3 keeps
// the size the logo is printed at.
void frmSetup::ShowLogoPicture(const QImage &picture) {
    Image2->setTwipsSize(picture.size() * TwipsPerPixel);
    Image2->setPicture(picture);
    Image3->setPicture(picture);
}

void frmSetup::FillCopiesList() {
    cboCopies->clear();
    for (int i = 1; i <= 5; ++i)
        cboCopies->addItem(QString::number(i));
    cboCopies->setCurrentIndex(2);
}

void frmSetup::SetSwatchColor(QLineEdit *swatch, quint32 rgb) {
    swatch->setProperty("rgb", rgb);
    swatch->setStyleSheet(QStringLiteral("background-color: %1;").arg(ColorFromRgb(rgb).name()));
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
    ShowLogoPicture(picture);
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
    const QList<QWidget *> boxes(txtBusiness.begin(), txtBusiness.end());
    // The question is about these boxes, so they are in sight when it is asked.
    if (std::any_of(txtBusiness.begin(), txtBusiness.end(),
                    [](const QLineEdit *box) { return !TextCodec::Unstorable(box->text()).isEmpty(); }))
        tabSetup->setCurrentIndex(BusinessTab);
    if (!FitBoxesToCodePage(boxes))
        return false;
    for (int i = 0; i < 9; ++i)
        BusinessData[i] = txtBusiness[i]->text();
    if (!WriteBusinessFile(BusinessData)) {
        ReportWriteFailure(QStringLiteral("MyBusinessData.txt"));
        return false;
    }
    return true;
}
