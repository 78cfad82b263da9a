#include "customers/frmCustomer.h"

#include "common/CommonRoutines.h"
#include "common/CommonVariables.h"
#include "common/KeyFiltersUi.h"
#include "common/ScreenRegistry.h"
#include "common/StoredTextUi.h"
#include "customers/AccountFolders.h"
#include "customers/AccountListModel.h"
#include "customers/CustomerRecords.h"
#include "customers/CustomerReportHook.h"
#include "customers/CustomerSearch.h"
#include "customers/CustomersFoundModel.h"
#include "platform/QtPictureBox.h"
#include "platform/UserPrompt.h"
#include "settings/frmSetup.h"
#include "settings/SetupRules.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QStringListModel>
#include <QTableView>
#include <QVBoxLayout>

namespace {

const QString Business = QStringLiteral("Business");
const QString Individual = QStringLiteral("Individual");
const QString PhoneTip = QStringLiteral("Enter telephone Number with Area Code FIRST (as AAA-EEE-NNNN)");

QLineEdit *NewLineEdit(QWidget *parent, const QString &name, int maxLength) {
    auto *box = new QLineEdit(parent);
    box->setObjectName(name);
    if (maxLength > 0)
        box->setMaxLength(maxLength);
    return box;
}

QPushButton *NewButton(QWidget *parent, const QString &name, const QString &caption, const QString &tip) {
    auto *button = new QPushButton(caption, parent);
    button->setObjectName(name);
    if (!tip.isEmpty())
        button->setToolTip(tip);
    return button;
}

QComboBox *NewCombo(QWidget *parent, const QString &name) {
    auto *combo = new QComboBox(parent);
    combo->setObjectName(name);
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->setCompleter(nullptr);
    // Lists can hold tens of thousands of entries: never measure them all.
    combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    combo->setMinimumContentsLength(8);
    if (auto *list = qobject_cast<QListView *>(combo->view()))
        list->setUniformItemSizes(true);
    return combo;
}

QLabel *NewLabel(QWidget *parent, const QString &text) {
    auto *label = new QLabel(text, parent);
    return label;
}

void DuplicateAccountMessage() {
    MsgBox(QStringLiteral("The Account Number has been duplicated\r\nEnter a different Number"),
           MsgButtons::Ok, QStringLiteral("Duplicate Account Number"));
}

QString Indexed(const char *name, int index) { return QString::fromLatin1(name) + QLatin1Char('_') + QString::number(index); }

// The dial picture: a receiver drawn once, so no picture file is needed.
QImage DialPicture() {
    QImage image(64, 64, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(40, 90, 160));
    painter.drawRoundedRect(QRectF(6, 10, 52, 14), 7, 7);
    painter.drawRoundedRect(QRectF(16, 28, 32, 28), 4, 4);
    painter.setBrush(Qt::white);
    for (int row = 0; row < 3; ++row)
        for (int col = 0; col < 3; ++col)
            painter.drawEllipse(QRectF(21 + col * 9, 32 + row * 8, 4, 4));
    return image;
}

} // namespace

frmCustomer::frmCustomer() : TamselForm(QStringLiteral("frmCustomer")) {
    setWindowTitle(QStringLiteral("Customer Selection") + QString(7, QLatin1Char(' ')));
    accountModel_ = new AccountListModel(this);
    foundModel_ = new CustomersFoundModel(this);
    cityModel_ = new QStringListModel(this);

    menuBar = new QMenuBar(this);
    mnuCust = menuBar->addMenu(QStringLiteral("Files"));
    mnuCust->setObjectName(QStringLiteral("mnuCust"));
    mnuAdd = mnuCust->addAction(QStringLiteral("Add a New Customer"));
    mnuAdd->setObjectName(QStringLiteral("mnuAdd"));
    mnuDelete = mnuCust->addAction(QStringLiteral("DELETE This customer"));
    mnuDelete->setObjectName(QStringLiteral("mnuDelete"));
    mnuPrint = mnuCust->addAction(QStringLiteral("Print Customer List"));
    mnuPrint->setObjectName(QStringLiteral("mnuPrint"));
    mnupopup = new QMenu(QStringLiteral("popup"), this);
    mnupopup->setObjectName(QStringLiteral("mnupopup"));
    mnuSelect = mnupopup->addAction(QStringLiteral("Select Customer"));
    mnuSelect->setObjectName(QStringLiteral("mnuSelect"));
    mnuAux = mnupopup->addAction(QStringLiteral("Data Screen"));
    mnuAux->setObjectName(QStringLiteral("mnuAux"));
    connect(mnuAdd, &QAction::triggered, this, &frmCustomer::mnuAdd_Click);
    connect(mnuDelete, &QAction::triggered, this, &frmCustomer::mnuDelete_Click);
    connect(mnuPrint, &QAction::triggered, this, &frmCustomer::mnuPrint_Click);
    connect(mnuSelect, &QAction::triggered, this, &frmCustomer::mnuSelect_Click);
    connect(mnuAux, &QAction::triggered, this, &frmCustomer::mnuAux_Click);
    // The pop-up also opens on the screen itself, so the data screen is always at hand.
    setContextMenuPolicy(Qt::CustomContextMenu);
    connect(this, &QWidget::customContextMenuRequested, this, [this] { mnupopup->popup(QCursor::pos()); });

    auto *top = new QHBoxLayout;
    top->addWidget(BuildCustomerFields(), 1);
    top->addWidget(BuildButtons());

    auto *layout = new QVBoxLayout(this);
    layout->setMenuBar(menuBar);
    layout->addLayout(top);
    layout->addWidget(BuildSearch());
    layout->addWidget(BuildResults());
    layout->addWidget(BuildAux());
    layout->addStretch();
    fraSearch->hide();
    fraCustomersFound->hide();
    fraAux->hide();
    fraBig->hide();
    fraListSelect->hide();
    cmdCustomer->hide();
    ShowAddressStyle();
}

QWidget *frmCustomer::BuildCustomerFields() {
    auto *panel = new QWidget(this);
    panel->setMinimumWidth(520);
    auto *grid = new QGridLayout(panel);
    grid->setContentsMargins(0, 0, 0, 0);
    // Widths of the stored fields, so nothing typed is cut off silently.
    const int widths[12] = {20, 45, 35, 25, 0, 10, 13, 30, 15, 1, 25, 13};
    for (int i = 0; i < 12; ++i) {
        if (i == 4)
            continue;
        txtCustomer[i] = NewLineEdit(panel, Indexed("txtCustomer", i), widths[i]);
    }
    txtCustomer[3]->setToolTip(QStringLiteral("Enter any additional info here"));
    txtCustomer[5]->setToolTip(QStringLiteral("Enter Zipcode here"));
    txtCustomer[6]->setToolTip(PhoneTip);
    txtCustomer[11]->setToolTip(PhoneTip);
    txtCustomer[9]->setMaximumWidth(32);
    txtCustomer[8]->setPlaceholderText(QStringLiteral("First"));
    txtCustomer[9]->setPlaceholderText(QStringLiteral("MI"));
    txtCustomer[10]->setPlaceholderText(QStringLiteral("Last"));

    cboTitle = NewCombo(panel, QStringLiteral("cboTitle"));
    cboTitle->setMaximumWidth(90);
    cboTitle->lineEdit()->setMaxLength(10);

    fraListSelect = new QGroupBox(panel);
    fraListSelect->setObjectName(QStringLiteral("fraListSelect"));
    fraListSelect->setFlat(true);
    cboAccounts = NewCombo(fraListSelect, QStringLiteral("cboAccounts"));
    cboAccounts->setModel(accountModel_);
    cboAccounts->setMaxVisibleItems(20);
    auto *listLayout = new QHBoxLayout(fraListSelect);
    listLayout->setContentsMargins(0, 0, 0, 0);
    listLayout->addWidget(cboAccounts);
    connect(cboAccounts->lineEdit(), &QLineEdit::textChanged, this, &frmCustomer::cboAccounts_Change);
    connect(cboAccounts, &QComboBox::activated, this, &frmCustomer::cboAccounts_Click);
    cboAccounts->lineEdit()->installEventFilter(this);
    cboAccounts->installEventFilter(this);

    auto *nameRow = new QHBoxLayout;
    nameRow->addWidget(txtCustomer[1]);
    nameRow->addWidget(cboTitle);
    nameRow->addWidget(txtCustomer[8], 2);
    nameRow->addWidget(txtCustomer[9]);
    nameRow->addWidget(txtCustomer[10], 3);
    nameRow->addWidget(fraListSelect, 1);

    lbLType = new QLabel(Individual, panel);
    lbLType->setObjectName(QStringLiteral("lbLType"));
    lbLType->setFrameShape(QFrame::StyledPanel);
    lbLType->setMinimumWidth(80);
    cmdAcctType = NewButton(panel, QStringLiteral("cmdAcctType"), QStringLiteral("&Toggle Type"),
                            QStringLiteral("Selct either Individual or Business Customer"));
    connect(cmdAcctType, &QPushButton::clicked, this, &frmCustomer::cmdAcctType_Click);

    auto *accountRow = new QHBoxLayout;
    accountRow->addWidget(txtCustomer[0]);
    accountRow->addSpacing(12);
    accountRow->addWidget(NewLabel(panel, QStringLiteral("Account Type")));
    accountRow->addWidget(lbLType);
    accountRow->addWidget(cmdAcctType);

    // City, state and postal code, or two free address lines.
    fraUSAddress = new QGroupBox(panel);
    fraUSAddress->setObjectName(QStringLiteral("fraUSAddress"));
    fraUSAddress->setFlat(true);
    cboCity = NewCombo(fraUSAddress, QStringLiteral("cboCity"));
    cboCity->setModel(cityModel_);
    cboCity->lineEdit()->setMaxLength(25);
    cboStates = NewCombo(fraUSAddress, QStringLiteral("cboStates"));
    cboStates->lineEdit()->setMaxLength(2);
    cboStates->setMinimumWidth(64);
    cboStates->setMaximumWidth(80);
    txtCustomer[5]->setParent(fraUSAddress);
    txtCustomer[5]->setMinimumWidth(90);
    txtCustomer[5]->setMaximumWidth(120);
    auto *us = new QHBoxLayout(fraUSAddress);
    us->setContentsMargins(0, 0, 0, 0);
    us->addWidget(cboCity, 1);
    us->addWidget(NewLabel(fraUSAddress, QStringLiteral("State")));
    us->addWidget(cboStates);
    us->addWidget(NewLabel(fraUSAddress, QStringLiteral("Postal Code")));
    us->addWidget(txtCustomer[5]);

    fraIntAddress = new QGroupBox(panel);
    fraIntAddress->setObjectName(QStringLiteral("fraIntAddress"));
    fraIntAddress->setFlat(true);
    txtAdd3 = NewLineEdit(fraIntAddress, QStringLiteral("txtAdd3"), 25);
    txtAdd4 = NewLineEdit(fraIntAddress, QStringLiteral("txtAdd4"), 25);
    auto *intl = new QHBoxLayout(fraIntAddress);
    intl->setContentsMargins(0, 0, 0, 0);
    intl->addWidget(txtAdd3, 1);
    intl->addWidget(NewLabel(fraIntAddress, QStringLiteral("Address 4")));
    intl->addWidget(txtAdd4, 1);
    lblCity_ = NewLabel(panel, QStringLiteral("City"));
    lblAdd3_ = NewLabel(panel, QStringLiteral("Address 3"));

    auto *phoneRow = new QHBoxLayout;
    phoneRow->addWidget(txtCustomer[6]);
    phoneRow->addWidget(NewLabel(panel, QStringLiteral("Cell")));
    phoneRow->addWidget(txtCustomer[11]);

    lblName_ = NewLabel(panel, QStringLiteral("Name"));
    int row = 0;
    grid->addWidget(NewLabel(panel, QStringLiteral("Account No")), row, 0);
    grid->addLayout(accountRow, row++, 1);
    grid->addWidget(lblName_, row, 0);
    grid->addLayout(nameRow, row++, 1);
    grid->addWidget(NewLabel(panel, QStringLiteral("Address 1")), row, 0);
    grid->addWidget(txtCustomer[2], row++, 1);
    grid->addWidget(NewLabel(panel, QStringLiteral("Address 2")), row, 0);
    grid->addWidget(txtCustomer[3], row++, 1);
    grid->addWidget(lblCity_, row, 0);
    grid->addWidget(lblAdd3_, row, 0);
    grid->addWidget(fraUSAddress, row, 1);
    grid->addWidget(fraIntAddress, row++, 1);
    grid->addWidget(NewLabel(panel, QStringLiteral("Telephone")), row, 0);
    grid->addLayout(phoneRow, row++, 1);
    grid->addWidget(NewLabel(panel, QStringLiteral("Fax, Email, ETC")), row, 0);
    grid->addWidget(txtCustomer[7], row++, 1);
    grid->setRowStretch(row, 1);
    grid->setColumnStretch(1, 1);

    for (int i : {0, 6}) {
        QLineEdit *box = txtCustomer[i];
        InstallKeyFilter(box, [box](int key) { return CheckKeyEntry(key, box); });
    }
    for (QLineEdit *box : {txtAdd3, txtAdd4})
        InstallKeyFilter(box, [box](int key) { return CheckKeyEntry(key, box); });
    txtCustomer[0]->installEventFilter(this);
    return panel;
}

QWidget *frmCustomer::BuildButtons() {
    auto *panel = new QWidget(this);
    auto *column = new QVBoxLayout(panel);
    column->setContentsMargins(0, 0, 0, 0);

    const char *navCaptions[7] = {"|<", "<", ">", ">|", "1/4", "3/4", "1/2"};
    const char *navTips[7] = {"Selects 1st Customer Record",      "Selects Previous Customer Record",
                              "Selects Next Customer Record",     "Selects Last Customer Record",
                              "Goes  1/4 into Customer Records",  "Goes 3/4 into Customer Record",
                              "Goes 1/2 into Customer Records"};
    for (int i = 0; i < 7; ++i) {
        cmdNav[i] = NewButton(panel, Indexed("cmdNav", i), QString::fromLatin1(navCaptions[i]),
                              QString::fromLatin1(navTips[i]));
        cmdNav[i]->setFixedWidth(44);
        connect(cmdNav[i], &QPushButton::clicked, this, [this, i] { cmdNav_Click(i); });
    }
    auto *find = new QGroupBox(QStringLiteral("Find Account"), panel);
    find->setToolTip(QStringLiteral("Step through Customer Records"));
    auto *findRow = new QHBoxLayout;
    for (int i = 0; i < 4; ++i)
        findRow->addWidget(cmdNav[i]);
    auto *position = new QLabel(QStringLiteral("Position"), find);
    auto *percent = new QLabel(QStringLiteral("(% of File)"), find);
    position->setToolTip(QStringLiteral("Position Record Pointer"));
    percent->setToolTip(QStringLiteral("Position Record Pointer"));
    auto *positionRow = new QHBoxLayout;
    positionRow->addWidget(position);
    positionRow->addWidget(cmdNav[4]);
    positionRow->addWidget(cmdNav[6]);
    positionRow->addWidget(cmdNav[5]);
    positionRow->addWidget(percent);
    auto *findLayout = new QVBoxLayout(find);
    findLayout->addLayout(findRow);
    findLayout->addLayout(positionRow);

    const char *captions[4] = {"&Search by Criteria,such as Street Address",
                               "&Find Account in Name List Alphbetically", "Select from &Account List",
                               "&Locate Account in Name List "};
    const char *tips[4] = {"opens the search window to find a Customer by criteria",
                           "Converts the Name window to a drop down list window", "Select Account",
                           "Converts the Name window to a drop down list window"};
    auto *locate = new QGroupBox(QStringLiteral("Locate Accounts"), panel);
    auto *locateLayout = new QVBoxLayout(locate);
    for (int i = 0; i < 4; ++i) {
        Command1[i] = NewButton(locate, Indexed("Command1", i), QString::fromLatin1(captions[i]),
                                QString::fromLatin1(tips[i]));
        connect(Command1[i], &QPushButton::clicked, this, [this, i] { Command1_Click(i); });
        locateLayout->addWidget(Command1[i]);
    }

    auto *actions = new QGroupBox(QStringLiteral("Actions"), panel);
    cmdSchedule = NewButton(actions, QStringLiteral("cmdSchedule"), QStringLiteral("&Start Proposal"),
                            QStringLiteral("Starts the Selected Event"));
    cmdExit = NewButton(actions, QStringLiteral("cmdExit"), QStringLiteral("&Menu"), QStringLiteral("Returns Main Menu"));
    cmdNew = NewButton(actions, QStringLiteral("cmdNew"), QStringLiteral("Add New Customer"),
                       QStringLiteral("Cancels the Current New Account"));
    cmdCustomer = NewButton(actions, QStringLiteral("cmdCustomer"), QStringLiteral("Cancel Add &New"),
                            QStringLiteral("Cancels the Current New Account"));
    Image2 = new QtPictureBox(QStringLiteral("Image2"), actions);
    Image2->setTwipsSize(QSize(480, 480));
    Image2->setPicture(DialPicture());
    Image2->setCursor(Qt::PointingHandCursor);
    Image2->setHidden(!dialHandler_);
    connect(Image2, &QtPictureBox::clicked, this, &frmCustomer::Image2_Click);
    connect(cmdSchedule, &QPushButton::clicked, this, &frmCustomer::cmdSchedule_Click);
    connect(cmdExit, &QPushButton::clicked, this, &frmCustomer::cmdExit_Click);
    connect(cmdNew, &QPushButton::clicked, this, &frmCustomer::cmdNew_Click);
    connect(cmdCustomer, &QPushButton::clicked, this, &frmCustomer::cmdCustomer_Click);
    auto *actionGrid = new QGridLayout(actions);
    actionGrid->addWidget(cmdSchedule, 0, 0);
    actionGrid->addWidget(cmdExit, 0, 1);
    actionGrid->addWidget(cmdNew, 1, 0);
    actionGrid->addWidget(cmdCustomer, 1, 1);
    actionGrid->addWidget(Image2, 0, 2, 2, 1, Qt::AlignCenter);

    column->addWidget(find);
    column->addWidget(locate);
    column->addWidget(actions);
    column->addStretch();
    return panel;
}

QGroupBox *frmCustomer::BuildSearch() {
    fraSearch = new QGroupBox(QStringLiteral("Customer Search"), this);
    fraSearch->setObjectName(QStringLiteral("fraSearch"));
    const char *captions[9] = {"by Business Name", "by Address #1",  "by Address #2",
                               "by City or Addr #3)", "by State",   "by Zip Code (or Addr #4)",
                               "by Telephone Number", "by Last Name", "by Account Number"};
    auto *options = new QGridLayout;
    for (int i = 0; i < 9; ++i) {
        optSearch[i] = new QRadioButton(QString::fromLatin1(captions[i]), fraSearch);
        optSearch[i]->setObjectName(Indexed("optSearch", i));
        connect(optSearch[i], &QRadioButton::clicked, this, [this, i] { optSearch_Click(i); });
        options->addWidget(optSearch[i], i % 3, i / 3);
    }
    txtSearchfor = NewLineEdit(fraSearch, QStringLiteral("txtSearchfor"), 0);
    cmdStartSearch = NewButton(fraSearch, QStringLiteral("cmdStartSearch"), QStringLiteral("Search"),
                               QStringLiteral("Finds all customers that match criteria"));
    cmdClearSearch = NewButton(fraSearch, QStringLiteral("cmdClearSearch"), QStringLiteral("Clear"),
                               QStringLiteral("Clears the current Search criteria"));
    cmdHideSearch = NewButton(fraSearch, QStringLiteral("cmdHideSearch"), QStringLiteral("Hide"),
                              QStringLiteral("Hides the Search Screen"));
    cmdStartSearch->setDefault(true);
    connect(cmdStartSearch, &QPushButton::clicked, this, &frmCustomer::cmdStartSearch_Click);
    connect(cmdClearSearch, &QPushButton::clicked, this, &frmCustomer::cmdClearSearch_Click);
    connect(cmdHideSearch, &QPushButton::clicked, this, &frmCustomer::cmdHideSearch_Click);
    connect(txtSearchfor, &QLineEdit::returnPressed, this, &frmCustomer::cmdStartSearch_Click);

    auto *entry = new QHBoxLayout;
    entry->addWidget(new QLabel(QStringLiteral("Enter Search Data"), fraSearch));
    entry->addWidget(txtSearchfor, 1);
    entry->addWidget(cmdStartSearch);
    entry->addWidget(cmdClearSearch);
    entry->addWidget(cmdHideSearch);
    auto *layout = new QVBoxLayout(fraSearch);
    layout->addWidget(new QLabel(QStringLiteral("Click the Button to Select a Search Criteria"), fraSearch));
    layout->addLayout(options);
    layout->addLayout(entry);
    layout->addWidget(new QLabel(QStringLiteral("Click Search"), fraSearch));
    return fraSearch;
}

QGroupBox *frmCustomer::BuildResults() {
    fraCustomersFound = new QGroupBox(QStringLiteral("Customers Search by Name Results"), this);
    fraCustomersFound->setObjectName(QStringLiteral("fraCustomersFound"));
    fgCustomersFound = new QTableView(fraCustomersFound);
    fgCustomersFound->setObjectName(QStringLiteral("fgCustomersFound"));
    fgCustomersFound->setModel(foundModel_);
    fgCustomersFound->setSelectionBehavior(QAbstractItemView::SelectRows);
    fgCustomersFound->setSelectionMode(QAbstractItemView::SingleSelection);
    fgCustomersFound->setEditTriggers(QAbstractItemView::NoEditTriggers);
    fgCustomersFound->setContextMenuPolicy(Qt::CustomContextMenu);
    fgCustomersFound->verticalHeader()->hide();
    fgCustomersFound->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    fgCustomersFound->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    // The headings' lengths, blanks included, set the widths in characters (never
    // measured per row); the street takes what room is left.
    for (int c = 0; c < CustomersFoundModel::ColumnCount; ++c)
        fgCustomersFound->setColumnWidth(
            c, fontMetrics().averageCharWidth() * int(CustomersFoundModel::HeaderText(c).size()) + 12);
    fgCustomersFound->horizontalHeader()->setSectionResizeMode(CustomersFoundModel::StreetColumn,
                                                               QHeaderView::Stretch);
    fgCustomersFound->setMinimumHeight(220);
    connect(fgCustomersFound, &QTableView::customContextMenuRequested, this,
            &frmCustomer::fgCustomersFound_RightClick);

    cmdRetry = NewButton(fraCustomersFound, QStringLiteral("cmdRetry"), QStringLiteral("&Close/Retry"),
                         QStringLiteral("Clears the Search"));
    // The list is printed by the customer report.
    cmdPrintCustomers = NewButton(fraCustomersFound, QStringLiteral("cmdPrintCustomers"), QStringLiteral("&Print"),
                                  QStringLiteral("Prints the Customer Data"));
    cmdPrintCustomers->hide();
    connect(cmdPrintCustomers, &QPushButton::clicked, this, &frmCustomer::cmdPrintCustomers_Click);
    connect(cmdRetry, &QPushButton::clicked, this, &frmCustomer::cmdRetry_Click);

    auto *hints = new QHBoxLayout;
    hints->addWidget(new QLabel(QStringLiteral("Left Click to Select a Customer"), fraCustomersFound));
    hints->addWidget(new QLabel(QStringLiteral("Right Click to Load "), fraCustomersFound));
    hints->addWidget(new QLabel(QStringLiteral("Click Retry if not Found"), fraCustomersFound));
    hints->addStretch();
    hints->addWidget(cmdPrintCustomers);
    hints->addWidget(cmdRetry);
    auto *layout = new QVBoxLayout(fraCustomersFound);
    layout->addWidget(fgCustomersFound);
    layout->addLayout(hints);
    return fraCustomersFound;
}

QGroupBox *frmCustomer::BuildAux() {
    fraAux = new QGroupBox(QStringLiteral("Aux Data"), this);
    fraAux->setObjectName(QStringLiteral("fraAux"));
    auto *boxes = new QGridLayout;
    for (int k = 0; k < AuxBoxes; ++k) {
        txtHeading[k] = NewLineEdit(fraAux, Indexed("txtHeading", k), 0);
        txtHeading[k]->setText(QStringLiteral("Heading #%1").arg(k + 1));
        txtHeading[k]->setToolTip(QStringLiteral("Applies to All Accounts"));
        txtHeading[k]->installEventFilter(this);
        txtAux[k] = new QPlainTextEdit(fraAux);
        txtAux[k]->setObjectName(Indexed("txtAux", k));
        txtAux[k]->setToolTip(QStringLiteral("Dbl Click to show in Big Window"));
        txtAux[k]->setFixedHeight(60);
        txtAux[k]->viewport()->installEventFilter(this);
        lblClear[k] = new QLabel(QStringLiteral("<Clear"), fraAux);
        lblClear[k]->setObjectName(Indexed("lblClear", k));
        lblClear[k]->setCursor(Qt::PointingHandCursor);
        lblClear[k]->installEventFilter(this);
        auto *head = new QHBoxLayout;
        head->addWidget(txtHeading[k], 1);
        head->addWidget(lblClear[k]);
        boxes->addLayout(head, (k / 3) * 2, k % 3);
        boxes->addWidget(txtAux[k], (k / 3) * 2 + 1, k % 3);
    }
    lblAccount = new QLabel(fraAux);
    lblAccount->setObjectName(QStringLiteral("lblAccount"));
    QFont bold = lblAccount->font();
    bold.setBold(true);
    lblAccount->setFont(bold);
    ckSaveAux = new QCheckBox(QStringLiteral("RETAIN Aux Data between Accounts"), fraAux);
    ckSaveAux->setObjectName(QStringLiteral("ckSaveAux"));
    ckSaveAux->setToolTip(QStringLiteral("The data for one account is not cleared when the next account is loaded"));

    const struct {
        int index;
        const char *caption;
        const char *tip;
    } buttons[] = {{0, "Save &Headings", "Saves the Aux Headings"},
                   {2, "Close Screen", "Closes the Aux Data Screen"},
                   {3, "Reload Aux Data", "Reload Aux Data for this Account"},
                   {7, "&Show Next Account", "Save the aux data for this Account"},
                   {8, "Show &Previous Account", "Save the aux data for this Account"},
                   {4, "Hi&de", "Closes the Aux Data Screen"},
                   {5, "Clear", "Clear Data Box"},
                   {6, "Oops, Reload", "Clear Data Box"}};
    fraBig = new QGroupBox(fraAux);
    fraBig->setObjectName(QStringLiteral("fraBig"));
    for (const auto &b : buttons) {
        QWidget *owner = b.index >= 4 && b.index <= 6 ? static_cast<QWidget *>(fraBig) : fraAux;
        cmdSaveAux[b.index] = NewButton(owner, Indexed("cmdSaveAux", b.index), QString::fromLatin1(b.caption),
                                        QString::fromLatin1(b.tip));
        const int index = b.index;
        connect(cmdSaveAux[index], &QPushButton::clicked, this, [this, index] { cmdSaveAux_Click(index); });
    }
    lblEditing = new QLabel(fraBig);
    lblEditing->setObjectName(QStringLiteral("lblEditing"));
    txtBig = new QPlainTextEdit(fraBig);
    txtBig->setObjectName(QStringLiteral("txtBig"));
    txtBig->setMinimumHeight(120);
    auto *bigButtons = new QHBoxLayout;
    bigButtons->addStretch();
    for (int i : {4, 5, 6})
        bigButtons->addWidget(cmdSaveAux[i]);
    auto *bigLayout = new QVBoxLayout(fraBig);
    bigLayout->addWidget(lblEditing);
    bigLayout->addWidget(txtBig);
    bigLayout->addLayout(bigButtons);

    auto *hintText = new QLabel(
        QStringLiteral("Use this screen to store data about each Customer Account.  You can create six different "
                       "Headings.  Enter New Heading, click \"Save Headings\" when All Headings are completed.  "
                       "Enter unique data in each box for each account.  (Double Click any Data Box for Larger "
                       "Data Screen)  (place the cursor over the Heading and Dbl-click to Clear)  Headings apply "
                       "to all Accounts.  If data in all text boxes will be the same in many accounts, click "
                       "RETAIN to load the same data to the next account selected."),
        fraAux);
    hintText->setWordWrap(true);
    auto *savedHint = new QLabel(
        QStringLiteral("Data is SAVED when clicking \"Close Screen\", \"Show Previous\", \"Show Next\""), fraAux);

    auto *top = new QHBoxLayout;
    top->addWidget(lblAccount, 1);
    top->addWidget(ckSaveAux);
    auto *commands = new QHBoxLayout;
    commands->addWidget(cmdSaveAux[0]);
    commands->addWidget(cmdSaveAux[3]);
    commands->addStretch();
    commands->addWidget(cmdSaveAux[8]);
    commands->addWidget(cmdSaveAux[7]);
    commands->addWidget(cmdSaveAux[2]);
    auto *layout = new QVBoxLayout(fraAux);
    layout->addWidget(hintText);
    layout->addLayout(top);
    // The big box opens beside the six, so the screen is no taller with it.
    auto *boxesAndBig = new QHBoxLayout;
    boxesAndBig->addLayout(boxes, 3);
    boxesAndBig->addWidget(fraBig, 2);
    layout->addLayout(boxesAndBig);
    layout->addWidget(savedHint);
    layout->addLayout(commands);
    return fraAux;
}

void frmCustomer::Form_Load() {
    TamselForm::Form_Load();
    cboTitle->clear();
    cboTitle->addItems({QStringLiteral("Mr/Mrs"), QStringLiteral("Mr."), QStringLiteral("Mrs"), QStringLiteral("Ms"),
                        QStringLiteral("Miss")});
    cboTitle->setCurrentIndex(-1);
    const QStringList states = LoadStatesList();
    if (!states.isEmpty()) {
        cboStates->clear();
        cboStates->addItems(states);
        cboStates->setCurrentIndex(-1);
    }
    CustomerRecNo = 1;
}

bool frmCustomer::SetupUsesUsaStyle() {
    if (auto *setup = ScreenRegistry::Existing<frmSetup>())
        return setup->cmdAddress->text() == QLatin1String("USA Style Address");
    // Without the setup screen, the style its fields would show for the saved data.
    return DerivedAddressStyle(BusinessData[0], BusinessData[5]) == AddressStyle::Usa;
}

void frmCustomer::ShowAddressStyle() {
    fraUSAddress->setVisible(usaStyle_);
    lblCity_->setVisible(usaStyle_);
    fraIntAddress->setVisible(!usaStyle_);
    lblAdd3_->setVisible(!usaStyle_);
}

void frmCustomer::Form_Activate() {
    const QStringList headings = LoadAuxHeadings();
    for (int k = 0; k < headings.size(); ++k)
        txtHeading[k]->setText(headings[k]);
    ClearCustomerFields();
    lbLType->setText(Business);
    cmdAcctType_Click();
    usaStyle_ = SetupUsesUsaStyle();
    ShowAddressStyle();

    RecoverCustomerFiles();
    if (FileExists(QStringLiteral("/CustomerData.txt"))) {
        EnableBrowsing(true);
        const CustomerFileSize size = CustomerFileSizeNow();
        CustomerCount = size.records;
        if (size.tailBytes > 0 && !toldIncompleteFile_) {
            toldIncompleteFile_ = true;
            ReportDamagedFile(QStringLiteral("CustomerData.txt"),
                              QStringLiteral("Its last %1 bytes are not a whole customer record. The %2 complete "
                                             "customers are shown; the incomplete end is kept as it is.")
                                  .arg(size.tailBytes)
                                  .arg(size.records));
        }
        BuildAccountList();
        ShowCustomer();
        // The companion files follow the customer file; with no customer file
        // there is nothing to rebuild them from, and nothing to tell the user
        // beyond the invitation to create the first customer.
        qint32 recPointer = CustomerCount;
        if (!FileExists(QStringLiteral("/ContractInfo.txt")))
            BuildContractInfo(recPointer);
        recPointer = CustomerCount;
        if (!FileExists(QStringLiteral("/CycleInfo.txt")))
            BuildCycleInfo(recPointer);
    } else {
        EnableBrowsing(false);
        shownRecord_ = CustomerRecord{};
        shownBoxes_.reset();
        PrefillFromBusiness();
        txtCustomer[6]->setText(BusinessData[6].left(7) + QLatin1Char('-'));
        txtCustomer[0]->setFocus();
        MsgBox(QStringLiteral("Your Customer File is Empty\r\nCreate your First Customer Now"), MsgButtons::Ok,
               QStringLiteral("Create Customers"));
        mnuDelete->setEnabled(false);
    }
    txtCustomer[0]->setFocus();
}

void frmCustomer::ClearCustomerFields() {
    for (QLineEdit *box : txtCustomer)
        if (box)
            box->clear();
    cboCity->setEditText(QString());
    txtAdd3->clear();
    txtAdd4->clear();
}

void frmCustomer::EnableBrowsing(bool enabled) {
    for (QPushButton *button : cmdNav)
        button->setEnabled(enabled);
    for (int i = 0; i <= 2; ++i)
        Command1[i]->setEnabled(enabled);
}

void frmCustomer::EnableCustomerMenus(bool enabled) {
    mnuAux->setEnabled(enabled);
    mnuDelete->setEnabled(enabled);
    mnuAdd->setEnabled(enabled);
}

void frmCustomer::PrefillFromBusiness() {
    cboCity->setEditText(BusinessData[3]);
    txtCustomer[5]->setText(BusinessData[5]);
    cboStates->setEditText(BusinessData[4]);
}

QStringList frmCustomer::CityList() const { return cityModel_->stringList(); }

void frmCustomer::BuildAccountList() {
    AccountLists lists = BuildAccountLists(CustomerCount);
    // Rebuilding the lists keeps what the boxes show.
    const QString city = cboCity->currentText();
    const QString typed = cboAccounts->currentText();
    const QSignalBlocker quiet(cboAccounts->lineEdit()); // no type-ahead while refilling
    accountModel_->SetEntries(std::move(lists.accounts));
    cityModel_->setStringList(lists.cities);
    cboAccounts->setCurrentIndex(-1);
    cboAccounts->setEditText(typed);
    cboCity->setCurrentIndex(-1);
    cboCity->setEditText(city);
}

void frmCustomer::AddCity(const QString &city) {
    if (city.isEmpty())
        return;
    QStringList cities = cityModel_->stringList();
    for (const QString &entry : cities)
        if (entry.trimmed() == city)
            return;
    const int row = static_cast<int>(ListBoxInsertPosition(cities, city));
    const QString shown = cboCity->currentText();
    cityModel_->insertRows(row, 1);
    cityModel_->setData(cityModel_->index(row), city);
    cboCity->setEditText(shown);
}

void frmCustomer::ShowNameFields(const QString &type) {
    const bool business = type == Business;
    txtCustomer[1]->setVisible(business);
    for (QWidget *w : {static_cast<QWidget *>(cboTitle), static_cast<QWidget *>(txtCustomer[8]),
                       static_cast<QWidget *>(txtCustomer[9]), static_cast<QWidget *>(txtCustomer[10])})
        w->setVisible(!business);
    lbLType->setText(business ? Business : Individual);
    lblName_->setText(business ? QStringLiteral("Account Name") : QStringLiteral("Name"));
    txtCustomer[0]->setFocus();
}

void frmCustomer::cmdAcctType_Click() {
    ShowNameFields(lbLType->text() == Individual ? Business : Individual);
}

void frmCustomer::ShowCustomer() {
    if (CustomerRecNo < 1)
        return;
    ClearCustomerFields();
    CustomerRecord rec;
    const qint32 records =
        FileExists(QStringLiteral("/CustomerData.txt")) ? CustomerFileSizeNow().records : 0;
    bool stored = false;
    if (CustomerRecNo <= records && OpenCustomerFile()) {
        rec = GetCustomerRecord(FileNo, CustomerRecNo);
        CloseAllFiles();
        stored = true;
    }
    // Showing a stored customer gives up a new one not yet saved.
    if (stored && CustomerCount > records) {
        CustomerCount = records;
        cmdCustomer->hide();
        EnableCustomerMenus(true);
    }
    // A record beyond the end of the file (the only customer was deleted) shows empty fields.
    CustomerRec = rec;
    shownRecord_ = rec;
    txtCustomer[0]->setText(rec.AcctNo.trimmed());
    txtCustomer[1]->setText(rec.AcctName.trimmed());
    txtCustomer[2]->setText(rec.Address1.trimmed());
    txtCustomer[3]->setText(rec.Address2.trimmed());
    cboCity->setEditText(rec.City.trimmed());
    txtAdd3->setText(rec.City.trimmed());
    cboStates->setEditText(rec.State.trimmed());
    const QString postal = rec.PostalCode.trimmed();
    txtCustomer[5]->setText(postal.isEmpty() ? rec.Address4.trimmed() : postal);
    txtAdd4->setText(rec.Address4.trimmed());
    txtCustomer[6]->setText(rec.Phone.trimmed());
    txtCustomer[7]->setText(rec.Other.trimmed());
    txtCustomer[8]->setText(rec.FirstName.trimmed());
    txtCustomer[9]->setText(rec.MiddleInitial);
    txtCustomer[10]->setText(rec.LastName.trimmed());
    txtCustomer[11]->setText(rec.Cell.trimmed());
    cboTitle->setEditText(rec.Title.trimmed());
    lbLType->setText(rec.AcctType.trimmed());
    ShowNameFields(lbLType->text());
    shownBoxes_.reset();
    if (stored)
        shownBoxes_ = CurrentBoxes();
    if (txtCustomer[1]->text().isEmpty())
        txtCustomer[0]->setFocus();
    LoadAuxBoxes();
    LoadCompanions(CustomerRecNo);
}

frmCustomer::BoxTexts frmCustomer::CurrentBoxes() const {
    BoxTexts boxes;
    for (size_t i = 0; i < txtCustomer.size(); ++i)
        if (txtCustomer[i])
            boxes[i] = txtCustomer[i]->text();
    boxes[TitleBox] = cboTitle->currentText();
    boxes[CityBox] = cboCity->currentText();
    boxes[StateBox] = cboStates->currentText();
    boxes[Add3Box] = txtAdd3->text();
    boxes[Add4Box] = txtAdd4->text();
    boxes[TypeBox] = lbLType->text();
    return boxes;
}

void frmCustomer::TellDuplicateAccount() {
    DuplicateAccountMessage();
    txtCustomer[0]->clear();
    txtCustomer[0]->setFocus();
}

bool frmCustomer::SaveCustomer() {
    saveSucceeded_ = true;
    // A stored customer left as it was shown is not written again: what the
    // boxes show of it is not always all it holds.
    if (shownBoxes_ && CurrentBoxes() == *shownBoxes_)
        return true;
    if (lbLType->text() == Business) {
        if (txtCustomer[1]->text().isEmpty()) {
            MsgBox(QStringLiteral("The Account Name Cannot be Blank"));
            saveSucceeded_ = false;
            txtCustomer[1]->setFocus();
            return false;
        }
    } else if (txtCustomer[8]->text().isEmpty() || txtCustomer[10]->text().isEmpty()) {
        txtCustomer[8]->setFocus();
        MsgBox(QStringLiteral("Enter Account Data or\r\n Click Cancel AddNew if Visible"));
        saveSucceeded_ = false;
        return false;
    }
    // Blanks alone are no account number either: it names the customer's folders.
    if (txtCustomer[0]->text().trimmed().isEmpty()) {
        if (txtCustomer[6]->text().trimmed().isEmpty()) {
            MsgBox(QStringLiteral("The Telephone Number cannot be blank"), MsgButtons::Ok, QStringLiteral("No number"));
            const MsgAnswer leave = MsgBox(QStringLiteral("Would you like to exit\r\nwithout creating a Customer?"),
                                           MsgButtons::YesNo, QStringLiteral("No Customer"));
            saveSucceeded_ = false;
            if (leave == MsgAnswer::No) {
                txtCustomer[6]->setFocus();
                return false;
            }
            // Nothing is written; the screen starts afresh the next time it is needed.
            CloseAllFiles();
            ScreenRegistry::Show(Screen::MainMenu);
            ScreenRegistry::Unload(this);
            return false;
        }
        txtCustomer[0]->setText(txtCustomer[6]->text().trimmed());
        MsgBox(QStringLiteral("Telephone Number will be used as Acct No."), MsgButtons::Ok,
               QStringLiteral("Account not Entered"));
    }
    if (!FitBoxesToCodePage(QList<QWidget *>(txtCustomer.begin(), txtCustomer.end())
                            << cboTitle << cboCity << cboStates << txtAdd3 << txtAdd4)) {
        saveSucceeded_ = false;
        return false;
    }
    // The account number names the customer's folders; pasting can bring in
    // what the key filter keeps out.
    const QString problem = AccountNoProblem(txtCustomer[0]->text());
    if (!problem.isEmpty()) {
        MsgBox(problem, MsgButtons::Ok, QStringLiteral("Invalid Account Number"));
        saveSucceeded_ = false;
        txtCustomer[0]->setFocus();
        return false;
    }

    // A new customer is numbered from the records actually in the file.
    const qint32 records = CustomerFileSizeNow().records;
    CustomerRecNo = std::min(CustomerRecNo, records + 1);
    // Numbers that differ only in blanks or letter case name the same folder.
    if (OtherHolderOfAccount(txtCustomer[0]->text(), CustomerRecNo) != 0) {
        TellDuplicateAccount();
        saveSucceeded_ = false;
        return false;
    }

    // Fields whose boxes were not changed keep their stored bytes.
    const BoxTexts now = CurrentBoxes();
    const auto changed = [&](int box) { return !shownBoxes_ || now[box] != (*shownBoxes_)[box]; };
    CustomerRecord rec = shownRecord_;
    const std::pair<int, QString CustomerRecord::*> trimmed[] = {
        {0, &CustomerRecord::AcctNo},        {1, &CustomerRecord::AcctName},
        {2, &CustomerRecord::Address1},      {3, &CustomerRecord::Address2},
        {6, &CustomerRecord::Phone},         {7, &CustomerRecord::Other},
        {8, &CustomerRecord::FirstName},     {9, &CustomerRecord::MiddleInitial},
        {10, &CustomerRecord::LastName},     {11, &CustomerRecord::Cell},
        {TitleBox, &CustomerRecord::Title},  {TypeBox, &CustomerRecord::AcctType},
        {CityBox, &CustomerRecord::CityCopy}};
    for (const auto &[box, field] : trimmed)
        if (changed(box))
            rec.*field = now[box].trimmed();
    if (changed(5))
        rec.PostalCode = now[5];
    if (usaStyle_) {
        if (changed(CityBox))
            rec.City = now[CityBox].trimmed();
        if (changed(StateBox))
            rec.State = now[StateBox].trimmed();
        if (changed(5))
            rec.Address4 = now[5].trimmed();
    } else {
        if (changed(Add3Box))
            rec.City = now[Add3Box].trimmed();
        if (changed(Add4Box))
            rec.Address4 = now[Add4Box].trimmed();
        // An address entered in international style has no state.
        if (changed(Add3Box) || changed(Add4Box))
            rec.State.clear();
    }
    CustomerRec = rec;
    if (!SaveCustomerRecord(CustomerRecNo)) {
        ReportWriteFailure(QStringLiteral("CustomerData.txt"));
        saveSucceeded_ = false;
        return false;
    }
    // The file now holds this record, also when it was the first one.
    CustomerCount = std::max(records, CustomerRecNo);
    shownRecord_ = rec;
    shownBoxes_ = now;
    AddCity(rec.City.trimmed());
    EnableBrowsing(true);
    // The buffers keep this customer's companions: a later save of the same
    // customer writes them back as they were loaded.
    if (!SaveCompanions(CustomerRecNo))
        ReportWriteFailure(QStringLiteral("ContractInfo.txt / CycleInfo.txt"));
    txtCustomer[0]->setFocus();
    EnableCustomerMenus(true);
    cmdCustomer->hide();
    return true;
}

void frmCustomer::cmdNav_Click(int Index) {
    const bool listOpen = !fraListSelect->isHidden();
    fraListSelect->hide();
    cboAccounts->hide();
    if (listOpen) // the name fields the list covered come back, also if the save stops
        ShowNameFields(lbLType->text());
    if (!SaveCustomer())
        return;
    const qint32 n = CustomerCount;
    const qint32 quarter = n / 4;
    switch (Index) {
    case 0: CustomerRecNo = 1; break;
    case 1:
        if (CustomerRecNo >= 2)
            CustomerRecNo = CustomerRecNo - 1;
        break;
    case 2: CustomerRecNo = CustomerRecNo == n ? 1 : CustomerRecNo + 1; break;
    case 3: CustomerRecNo = n; break;
    case 4:
    case 5:
    case 6:
        if (n < 4)
            return;
        CustomerRecNo = quarter * (Index == 4 ? 1 : Index == 5 ? 3 : 2);
        break;
    default: return;
    }
    ShowCustomer();
    cmdSchedule->setFocus();
}

void frmCustomer::Command1_Click(int Index) {
    CloseAllFiles();
    fraListSelect->hide();
    switch (Index) {
    case 0:
        if (!SaveCustomer())
            return;
        cboAccounts->hide();
        fraCustomersFound->hide();
        fraSearch->show();
        txtSearchfor->clear();
        break;
    case 1:
        if (accountModel_->rowCount() == 0)
            return;
        fraListSelect->show();
        cboAccounts->show();
        fraSearch->hide();
        fraCustomersFound->hide();
        for (QWidget *w : {static_cast<QWidget *>(txtCustomer[1]), static_cast<QWidget *>(txtCustomer[8]),
                           static_cast<QWidget *>(txtCustomer[9]), static_cast<QWidget *>(txtCustomer[10]),
                           static_cast<QWidget *>(cboTitle)})
            w->hide();
        cboAccounts->setFocus();
        cboAccounts->setCurrentIndex(-1);
        cboAccounts->setEditText(QString());
        break;
    case 2:
        cboAccounts->hide();
        fraSearch->hide();
        fraCustomersFound->hide();
        ShowNameFields(lbLType->text());
        break;
    case 3: ShowCustomerList(); break;
    default: break;
    }
}

void frmCustomer::cboAccounts_Change() {
    if (suppressTypeAhead_) {
        suppressTypeAhead_ = false;
        return;
    }
    QLineEdit *edit = cboAccounts->lineEdit();
    const QString typed = edit->text();
    // An emptied box stays empty rather than showing the first account.
    if (typed.isEmpty())
        return;
    const int found = accountModel_->FindStartingWith(typed);
    if (found < 0)
        return;
    const QString entry = accountModel_->Entries()[found].name;
    if (entry.size() <= typed.size())
        return;
    suppressTypeAhead_ = true;
    const QString tail = entry.mid(typed.size());
    edit->setText(typed + tail);
    edit->setSelection(static_cast<int>(typed.size()), static_cast<int>(tail.size()));
}

void frmCustomer::cboAccounts_KeyDown(int KeyCode) {
    if (KeyCode == 46 || KeyCode == 8)
        suppressTypeAhead_ = true;
}

void frmCustomer::cboAccounts_Click(int index) {
    if (index < 0 || index >= accountModel_->rowCount())
        return;
    cboAccounts->hide();
    CustomerRecNo = accountModel_->Entries()[index].recNo;
    fraListSelect->hide();
    ShowCustomer();
}

void frmCustomer::cboAccounts_LostFocus() {
    if (cboAccounts->isHidden() || fraListSelect->isHidden() || cboAccounts->currentText().isEmpty())
        return;
    const int found = accountModel_->FindEqual(cboAccounts->currentText());
    if (found < 0)
        return;
    suppressTypeAhead_ = true;
    cboAccounts->setCurrentIndex(found);
    suppressTypeAhead_ = false;
    cboAccounts->hide();
    fraListSelect->hide();
    CustomerRecNo = accountModel_->Entries()[found].recNo;
    ShowCustomer();
}

void frmCustomer::optSearch_Click(int Index) {
    txtSearchfor->setFocus();
    if (Index == 6) {
        txtSearchfor->setText(BusinessData[6].left(8));
        txtSearchfor->end(false);
    } else {
        txtSearchfor->clear();
    }
}

void frmCustomer::cmdStartSearch_Click() {
    int mode = 8;
    for (int i = 0; i <= 7; ++i) {
        if (optSearch[i]->isChecked()) {
            mode = i;
            break;
        }
    }
    if (mode == 6 && txtSearchfor->text().size() < 12) {
        Beep();
        txtSearchfor->setFocus();
        return;
    }
    Search(mode, txtSearchfor->text().trimmed().toUpper());
    fraSearch->hide();
}

void frmCustomer::cmdClearSearch_Click() {
    txtSearchfor->clear();
    txtSearchfor->setFocus();
}

void frmCustomer::cmdHideSearch_Click() { fraSearch->hide(); }

void frmCustomer::cmdRetry_Click() { fraCustomersFound->hide(); }

void frmCustomer::Search(int mode, const QString &key) {
    foundModel_->SetRows(SearchCustomers(mode, key, CustomerCount));
    if (mode == CustomerListMode)
        return;
    const int matches = foundModel_->rowCount();
    if (matches == 0) {
        txtSearchfor->clear();
        const MsgAnswer answer = MsgBox(QStringLiteral("No Accounts Matching the Search Data were Found\r\n"
                                                       "Would you like to Create a New Account?"),
                                        MsgButtons::YesNo, QStringLiteral("Customer not Found"));
        if (answer == MsgAnswer::Yes) {
            fraSearch->hide();
            mnuAdd_Click();
        } else {
            cmdRetry_Click();
        }
        return;
    }
    fraSearch->hide();
    if (matches == 1) {
        CustomerRecNo = foundModel_->RecNoAt(0);
        ShowCustomer();
        return;
    }
    fraCustomersFound->setTitle(QStringLiteral("Customers Search Results"));
    fraCustomersFound->show();
    cmdPrintCustomers->hide();
}

void frmCustomer::ShowCustomerList() {
    cboAccounts->hide();
    fraSearch->hide();
    if (!FileExists(QStringLiteral("/CustomerData.txt"))) {
        Beep();
        return;
    }
    fraCustomersFound->setTitle(QStringLiteral("Customer List"));
    fraCustomersFound->show();
    Search(CustomerListMode, QStringLiteral("All"));
    // Only the whole list is printed (from the file, not from the grid).
    cmdPrintCustomers->setVisible(fraCustomersFound->isVisibleTo(this));
}

void frmCustomer::mnuPrint_Click() { ShowCustomerList(); }

void frmCustomer::cmdPrintCustomers_Click() {
    if (PrintCustomerReportHook)
        PrintCustomerReportHook(usaStyle_);
}

void frmCustomer::fgCustomersFound_RightClick() { mnupopup->popup(QCursor::pos()); }

void frmCustomer::mnuSelect_Click() {
    const qint32 recNo = foundModel_->RecNoAt(fgCustomersFound->currentIndex().row());
    if (recNo < 1)
        return;
    CustomerRecNo = recNo;
    ShowCustomer();
    fraCustomersFound->hide();
}

void frmCustomer::cmdSchedule_Click() {
    if (!SaveCustomer())
        return;
    CloseAllFiles();
    hide();
    if (SelectedRoutine == 1)
        ScreenRegistry::Show(Screen::WriteProposal);
    else if (SelectedRoutine == 4)
        ScreenRegistry::Show(Screen::FieldProposal);
}

void frmCustomer::cmdExit_Click() {
    if (!SaveCustomer())
        return;
    CloseAllFiles();
    hide();
    ScreenRegistry::Show(Screen::MainMenu);
}

void frmCustomer::SetDialHandler(DialHandler handler) {
    dialHandler_ = std::move(handler);
    if (frmCustomer *screen = ScreenRegistry::Existing<frmCustomer>())
        screen->Image2->setHidden(!dialHandler_);
}

void frmCustomer::Image2_Click() {
    if (!dialHandler_)
        return;
    const QString phone = txtCustomer[6]->text().trimmed();
    const QString cell = txtCustomer[11]->text().trimmed();
    std::optional<QString> number;
    if (!phone.isEmpty() && !cell.isEmpty())
        number = MsgBox(QStringLiteral("Click YES to dial Phone,\r\nClick NO to dial Cell"), MsgButtons::YesNo,
                        QStringLiteral("Select Phone or Cell")) == MsgAnswer::Yes
                     ? phone
                     : cell;
    else if (!phone.isEmpty())
        number = phone;
    else if (!cell.isEmpty())
        number = cell;
    // A copy: the hand-over may switch dialling off and drop the handler.
    const DialHandler dial = dialHandler_;
    dial(txtCustomer[1]->text(), number);
}

void frmCustomer::txtCustomer_LostFocus(int Index) {
    if (Index != 0 || CustomerRecNo == 0 || txtCustomer[0]->text().trimmed().isEmpty())
        return;
    // A number left as stored is not the user's doing (files written before
    // duplicates were refused); a save of other changes asks for a new one.
    if (shownBoxes_ && txtCustomer[0]->text() == (*shownBoxes_)[0])
        return;
    const bool duplicated = OtherHolderOfAccount(txtCustomer[0]->text(), CustomerRecNo) != 0;
    CloseAllFiles();
    if (duplicated)
        TellDuplicateAccount();
}

void frmCustomer::mnuAdd_Click() {
    if (!SaveCustomer())
        return;
    const qint32 records = CustomerFileSizeNow().records;
    if (records >= MaxCustomers) {
        MsgBox(QStringLiteral("The customer file holds %1 customers, the most it can keep.\r\n"
                              "Delete a customer before adding a new one.")
                   .arg(MaxCustomers),
               MsgButtons::Ok, QStringLiteral("Customer File Full"));
        return;
    }
    cmdCustomer->show();
    // Numbered from the records in the file: a new customer given up for a
    // stored one is not in it.
    CustomerCount = records + 1;
    CustomerRecNo = CustomerCount;
    CustomerRec = CustomerRecord{};
    CustomerRec.LastName = QStringLiteral("'");
    CustomerRec.Reserved1 = 1;
    shownRecord_ = CustomerRec;
    shownBoxes_.reset();
    ClearCustomerFields();
    cboTitle->setEditText(QString());
    ShowNameFields(Individual);
    BuildAccountList();
    PrefillFromBusiness();
    txtCustomer[6]->clear();
    txtCustomer[0]->setFocus();
    ApplyBillingDefaults();
    EnableCustomerMenus(false);
}

void frmCustomer::cmdNew_Click() {
    fraCustomersFound->hide();
    fraSearch->hide();
    mnuAdd_Click();
}

void frmCustomer::cmdCustomer_Click() {
    CloseAllFiles();
    CustomerCount = CustomerCount - 1;
    CustomerRecNo = 1;
    cmdCustomer->hide();
    ShowCustomer();
    EnableCustomerMenus(true);
}

void frmCustomer::mnuDelete_Click() {
    if (CustomerCount < 1)
        return;
    if (MsgBox(QStringLiteral("Delete this Customer"), MsgButtons::YesNo) != MsgAnswer::Yes) {
        txtCustomer[0]->setFocus();
        return;
    }
    // The stored number names the customer's active-accounts file, whatever the box holds now.
    if (!DeleteCustomerRecord(CustomerRecNo, shownRecord_.AcctNo)) {
        txtCustomer[0]->setFocus();
        return;
    }
    // Record numbers after the deleted one have moved: a result grid still on
    // screen would pick the wrong customers.
    fraCustomersFound->hide();
    foundModel_->Clear();
    ShowCustomer();
    txtCustomer[0]->setFocus();
    BuildAccountList();
}

void frmCustomer::SetAccountLabel() {
    if (lbLType->text() == Individual)
        lblAccount->setText(cboTitle->currentText() + QLatin1Char(' ') + txtCustomer[8]->text() + QLatin1Char(' ') +
                            txtCustomer[10]->text());
    else
        lblAccount->setText(txtCustomer[1]->text());
}

void frmCustomer::mnuAux_Click() {
    fraAux->setVisible(fraAux->isHidden());
    if (!fraAux->isHidden())
        SetAccountLabel();
}

void frmCustomer::LoadAuxBoxes() {
    if (ckSaveAux->isChecked())
        return;
    const AuxTexts boxes = LoadAuxData(txtCustomer[0]->text());
    for (int k = 0; k < AuxBoxes; ++k)
        txtAux[k]->setPlainText(boxes[k]);
}

bool frmCustomer::SaveAuxBoxes() {
    if (!FitBoxesToCodePage(QList<QWidget *>(txtAux.begin(), txtAux.end())))
        return false;
    AuxTexts boxes;
    for (int k = 0; k < AuxBoxes; ++k)
        boxes[k] = txtAux[k]->toPlainText();
    const QString account = txtCustomer[0]->text();
    if (AccountFolderName(account).isEmpty()) {
        MsgBox(QStringLiteral("The Aux Data can only be saved for a customer with an Account Number."),
               MsgButtons::Ok, QStringLiteral("Aux Data not saved"));
        return false;
    }
    // Numbers that differ only in blanks or letter case share one folder:
    // saving would overwrite another customer's boxes.
    if (OtherHolderOfAccount(account, CustomerRecNo) != 0) {
        DuplicateAccountMessage();
        return false;
    }
    if (!SaveAuxData(account, boxes)) {
        ReportWriteFailure(QStringLiteral("AuxFiles\\") + AccountFolderName(account));
        return false;
    }
    return true;
}

void frmCustomer::cmdSaveAux_Click(int Index) {
    switch (Index) {
    case 0: {
        AuxTexts headings;
        if (!FitBoxesToCodePage(QList<QWidget *>(txtHeading.begin(), txtHeading.end())))
            break;
        for (int k = 0; k < AuxBoxes; ++k)
            headings[k] = txtHeading[k]->text();
        if (!SaveAuxHeadings(headings))
            ReportWriteFailure(QStringLiteral("AuxHeadings.txt"));
        break;
    }
    // Boxes that could not be saved stay on screen rather than be replaced.
    case 2:
        if (SaveAuxBoxes())
            fraAux->hide();
        break;
    case 3: LoadAuxBoxes(); break;
    case 4:
        txtAux[auxBoxEditing_]->setPlainText(txtBig->toPlainText());
        fraBig->hide();
        break;
    case 5: txtBig->clear(); break;
    case 6: txtBig->setPlainText(txtAux[auxBoxEditing_]->toPlainText()); break;
    case 7:
        if (!SaveAuxBoxes())
            break;
        if (CustomerRecNo != CustomerCount) {
            CustomerRecNo = CustomerRecNo + 1;
            ShowCustomer();
            SetAccountLabel();
        }
        break;
    case 8:
        if (!SaveAuxBoxes())
            break;
        if (CustomerRecNo > 1) {
            CustomerRecNo = CustomerRecNo - 1;
            ShowCustomer();
            SetAccountLabel();
        }
        break;
    default: break;
    }
}

void frmCustomer::txtAux_DblClick(int Index) {
    if (Index < 0 || Index >= AuxBoxes)
        return;
    txtBig->setPlainText(txtAux[Index]->toPlainText());
    fraBig->show();
    lblEditing->setText(QStringLiteral("Editing Data Box # ") + QString::number(Index + 1) + QStringLiteral(" - ") +
                        txtHeading[Index]->text() + QStringLiteral(" - for ") + lblAccount->text());
    txtBig->setFocus();
    auxBoxEditing_ = static_cast<qint16>(Index);
}

void frmCustomer::lblClear_Click(int Index) {
    txtAux[Index]->clear();
    txtAux[Index]->setFocus();
}

void frmCustomer::txtHeading_DblClick(int Index) { txtHeading[Index]->clear(); }

bool frmCustomer::eventFilter(QObject *watched, QEvent *event) {
    const QEvent::Type type = event->type();
    if (type == QEvent::FocusOut) {
        // Focus given away to a message box or a list's pop-up is not leaving the box.
        const auto reason = static_cast<QFocusEvent *>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) {
            if (watched == txtCustomer[0])
                txtCustomer_LostFocus(0);
            else if (watched == cboAccounts)
                cboAccounts_LostFocus();
        }
    } else if (type == QEvent::KeyPress && (watched == cboAccounts || watched == cboAccounts->lineEdit())) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Delete)
            cboAccounts_KeyDown(46);
        else if (key == Qt::Key_Backspace)
            cboAccounts_KeyDown(8);
    } else if (type == QEvent::MouseButtonDblClick) {
        for (int k = 0; k < AuxBoxes; ++k) {
            if (watched == txtHeading[k])
                txtHeading_DblClick(k);
            else if (watched == txtAux[k]->viewport()) {
                txtAux_DblClick(k);
                return true;
            }
        }
    } else if (type == QEvent::MouseButtonRelease) {
        for (int k = 0; k < AuxBoxes; ++k)
            if (watched == lblClear[k])
                lblClear_Click(k);
    }
    return TamselForm::eventFilter(watched, event);
}
