#include "proposals/frmWriteProposal.h"

#include "common/CommonRoutines.h"
#include "common/CommonVariables.h"
#include "common/LocaleTexts.h"
#include "common/ScreenRegistry.h"
#include "common/StoredText.h"
#include "common/StoredTextUi.h"
#include "customers/CustomerRecords.h"
#include "customers/frmCustomer.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/UserPrompt.h"
#include "printing/ProposalPrinting.h"
#include "proposals/ItemWindow.h"
#include "proposals/PaymentSchedule.h"
#include "proposals/ProposalFiles.h"
#include "proposals/ProposalState.h"
#include "proposals/Templates.h"
#include "settings/SettingsUi.h"
#include "settings/TermsTexts.h"
#include "settings/frmSetup.h"

#include <QAbstractItemView>
#include <QActionGroup>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QTextCursor>
#include <QVBoxLayout>
#include <limits>

using namespace PaymentRules;

namespace {

const QString DefaultTax = QStringLiteral("The Proposed Price includes all applicable Taxes and Fees");
const QString Header = QStringLiteral(
    "We hereby propose to furnish the materials and perform the labor necessary for the completion of ");
const QString PreviewBodyName = QStringLiteral("\\PreviewBody.tmp");

QString Indexed(const QString &name, int index) {
    return name + QLatin1Char('_') + QString::number(index);
}

QPushButton *Button(QWidget *parent, const QString &name, const QString &caption, const QString &tip = {}) {
    auto *button = new QPushButton(caption, parent);
    button->setObjectName(name);
    if (!tip.isEmpty())
        button->setToolTip(tip);
    return button;
}

QLabel *Caption(QWidget *parent, const QString &text, const QString &name = {}, bool wrap = false) {
    auto *label = new QLabel(text, parent);
    if (!name.isEmpty())
        label->setObjectName(name);
    label->setWordWrap(wrap);
    return label;
}

QGroupBox *Frame(QWidget *parent, const QString &name, const QString &title) {
    auto *frame = new QGroupBox(title, parent);
    frame->setObjectName(name);
    return frame;
}

QRadioButton *Option(QWidget *parent, const QString &name, const QString &caption) {
    auto *option = new QRadioButton(caption, parent);
    option->setObjectName(name);
    return option;
}

// Radio buttons cannot be unticked one by one while they are exclusive.
void Untick(QRadioButton *option) {
    option->setAutoExclusive(false);
    option->setChecked(false);
    option->setAutoExclusive(true);
}

template <size_t N> int Chosen(const std::array<QRadioButton *, N> &options) {
    for (size_t i = 0; i < N; ++i)
        if (options[i] && options[i]->isChecked())
            return int(i);
    return -1;
}

bool IsKeyToEmptyZero(const QKeyEvent *key) {
    switch (key->key()) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Shift:
    case Qt::Key_Control:
    case Qt::Key_Alt:
        return false;
    default:
        return true;
    }
}

// A focus change that a message box or a menu causes is no leaving of the box.
bool LeftByUser(const QEvent *event) {
    const auto reason = static_cast<const QFocusEvent *>(event)->reason();
    return reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason;
}

bool AnyProposalFileExists(qint16 number) {
    const QString name = QLatin1Char('\\') + ProposalFileName(number);
    return FileExists(ProposalFolder + name) || FileExists(BodyFolder + name) ||
           FileExists(PaymentsFolder + name);
}

} // namespace

frmWriteProposal::frmWriteProposal() : TamselForm(QStringLiteral("frmWriteProposal")) {
    setWindowTitle(QStringLiteral("Write a Proposal"));

    // Menus.
    auto *menuBar = new QMenuBar(this);
    menuBar->setObjectName(QStringLiteral("menuBar"));
    mnuSize = menuBar->addMenu(QStringLiteral("Print Size"));
    mnuSize->setObjectName(QStringLiteral("mnuSize"));
    auto *sizes = new QActionGroup(this);
    const auto sizeAction = [&](const QString &name, const QString &caption, int points) {
        QAction *action = mnuSize->addAction(caption);
        action->setObjectName(name);
        action->setCheckable(true);
        sizes->addAction(action);
        connect(action, &QAction::triggered, this, [this, points] { mnuSize_Click(points); });
        return action;
    };
    mnuSmaller = sizeAction(QStringLiteral("mnuSmaller"), QStringLiteral("Smaller"), 6);
    mnuStandard = sizeAction(QStringLiteral("mnuStandard"), QStringLiteral("Standard"), 8);
    mnuLarger = sizeAction(QStringLiteral("mnuLarger"), QStringLiteral("Larger"), 10);
    mnuLargest = sizeAction(QStringLiteral("mnuLargest"), QStringLiteral("Largest"), 12);
    mnuStandard->setChecked(true);
    mnuItems = menuBar->addAction(QStringLiteral("Add Items"));
    mnuItems->setObjectName(QStringLiteral("mnuItems"));
    mnuItems->setEnabled(false);

    const QIcon nextIcon = style()->standardIcon(QStyle::SP_ArrowForward);
    const QIcon backIcon = style()->standardIcon(QStyle::SP_ArrowBack);
    const QString nextTip = QStringLiteral("Advances to the next screen");
    const QString backTip = QStringLiteral("Goes back 1 screen");
    for (int i = 0; i < 6; ++i) {
        const bool next = i == 0 || i == 2 || i == 4;
        cmdCreation[i] =
            Button(this, Indexed(QStringLiteral("cmdCreation"), i),
                   next ? QStringLiteral("NEXT") : QStringLiteral("BACK"), next ? nextTip : backTip);
        cmdCreation[i]->setIcon(next ? nextIcon : backIcon);
        if (next)
            cmdCreation[i]->setLayoutDirection(Qt::RightToLeft);
        connect(cmdCreation[i], &QPushButton::clicked, this, [this, i] { cmdCreation_Click(i); });
    }
    const QString writeCaptions[3] = {QStringLiteral("Return to the &Menu without Creating a Proposal"),
                                      QStringLiteral("&Clear the Body and Redo"),
                                      QStringLiteral("Select a Different &Customer")};
    for (int i = 0; i < 3; ++i) {
        cmdWrite[i] = Button(this, Indexed(QStringLiteral("cmdWrite"), i), writeCaptions[i]);
        connect(cmdWrite[i], &QPushButton::clicked, this, [this, i] { cmdWrite_Click(i); });
    }
    const auto navRow = [&](int back, int next) {
        auto *row = new QHBoxLayout;
        if (back >= 0)
            row->addWidget(cmdCreation[back]);
        row->addStretch();
        if (next >= 0)
            row->addWidget(cmdCreation[next]);
        return row;
    };

    // Stage 1: service location.
    fraCustomer = Frame(this, QStringLiteral("fraCustomer"), QStringLiteral("Service Location"));
    {
        auto *grid = new QGridLayout;
        grid->addWidget(Caption(fraCustomer, QStringLiteral("Account Billing Address"),
                                QStringLiteral("lblAccountHeading")),
                        0, 0);
        grid->addWidget(
            Caption(fraCustomer, QStringLiteral("Site Address"), QStringLiteral("lblSiteHeading")), 0, 1);
        for (int k = 1; k <= 8; ++k) {
            lblCustomerInfo[k] =
                Caption(fraCustomer, QString(), Indexed(QStringLiteral("lblCustomerInfo"), k));
            lblCustomerInfo[k]->setFrameShape(QFrame::StyledPanel);
            lblCustomerInfo[k]->setMinimumWidth(240);
            lblCustomerInfo[k]->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
            txtCustomerInfo[k] = new QLineEdit(fraCustomer);
            txtCustomerInfo[k]->setObjectName(Indexed(QStringLiteral("txtCustomerInfo"), k));
            txtCustomerInfo[k]->setMinimumWidth(240);
            grid->addWidget(lblCustomerInfo[k], k, 0);
            grid->addWidget(txtCustomerInfo[k], k, 1);
        }
        auto *account = new QHBoxLayout;
        account->addWidget(
            Caption(fraCustomer, QStringLiteral("Account Number"), QStringLiteral("lblAccountCaption")));
        lblAccount = Caption(fraCustomer, QString(), QStringLiteral("lblAccount"));
        lblAccount->setFrameShape(QFrame::StyledPanel);
        lblAccount->setMinimumWidth(120);
        account->addWidget(lblAccount);
        account->addStretch();
        grid->addLayout(account, 9, 0);
        cmdSetJobSite = Button(fraCustomer, QStringLiteral("cmdSetJobSite"), QStringLiteral("Enter Manually"),
                               QStringLiteral("Toggles the Site Data for manual entry"));
        connect(cmdSetJobSite, &QPushButton::clicked, this, &frmWriteProposal::cmdSetJobSite_Click);
        auto *toggle = new QHBoxLayout;
        toggle->addWidget(cmdSetJobSite);
        toggle->addWidget(Caption(fraCustomer, QStringLiteral("Button Toggles the Site Location"),
                                  QStringLiteral("lblToggle")));
        toggle->addStretch();
        grid->addLayout(toggle, 9, 1);
        grid->setColumnStretch(0, 1);
        grid->setColumnStretch(1, 1);
        auto *layout = new QVBoxLayout(fraCustomer);
        layout->addWidget(Caption(fraCustomer, QStringLiteral("Start Here"), QStringLiteral("lblStartHere")));
        layout->addWidget(Caption(
            fraCustomer, QStringLiteral("You can use the Account Billing Address or enter a Site Address"),
            QStringLiteral("lblSiteHint"), true));
        layout->addLayout(grid);
        layout->addStretch();
        layout->addLayout(navRow(-1, 0));
    }

    // Stage 2: the body.
    fraBody = Frame(this, QStringLiteral("fraBody"), QStringLiteral("Create the Body of the Proposal"));
    {
        auto *create = Frame(fraBody, QStringLiteral("fraCreate"), QStringLiteral("Select a Button"));
        auto *createLayout = new QVBoxLayout(create);
        const QString createCaptions[3] = {QStringLiteral("Create from a Document"),
                                           QStringLiteral("Create from a Template"),
                                           QStringLiteral("Create from Scratch (Manually)")};
        for (int i = 0; i < 3; ++i) {
            optCreate[i] = Option(create, Indexed(QStringLiteral("optCreate"), i), createCaptions[i]);
            createLayout->addWidget(optCreate[i]);
            connect(optCreate[i], &QRadioButton::clicked, this, [this, i] { optCreate_Click(i); });
        }
        cmdAddBasic = Button(fraBody, QStringLiteral("cmdAddBasic"), QStringLiteral("Add Header "));
        connect(cmdAddBasic, &QPushButton::clicked, this, &frmWriteProposal::cmdAddBasic_Click);

        fraTerms = Frame(fraBody, QStringLiteral("fraTerms"), QStringLiteral("Select Terms"));
        auto *termsLayout = new QVBoxLayout(fraTerms);
        optFooter[0] = Option(fraTerms, QStringLiteral("optFooter_0"), QStringLiteral("Use Generic Terms"));
        optFooter[1] = Option(fraTerms, QStringLiteral("optFooter_1"), QStringLiteral("Use Custom Terms"));
        optFooter[1]->setEnabled(false);
        cmdAddTerms =
            Button(fraTerms, QStringLiteral("cmdAddTerms"), QStringLiteral("Add Terms to Proposal"));
        connect(cmdAddTerms, &QPushButton::clicked, this, &frmWriteProposal::cmdAddTerms_Click);
        termsLayout->addWidget(optFooter[0]);
        termsLayout->addWidget(optFooter[1]);
        termsLayout->addWidget(cmdAddTerms);

        auto *tax = Frame(fraBody, QStringLiteral("fraTax"), QStringLiteral("Tax Statement"));
        auto *taxLayout = new QVBoxLayout(tax);
        txtTaxation = new QLineEdit(tax);
        txtTaxation->setObjectName(QStringLiteral("txtTaxation"));
        taxLayout->addWidget(txtTaxation);
        const QString taxCaptions[3] = {QStringLiteral("Clear &Tax Box"), QStringLiteral("Reload De&fault "),
                                        QStringLiteral("Add Tax Statement to Body")};
        auto *taxButtons = new QHBoxLayout;
        for (int i = 0; i < 3; ++i) {
            cmdTax[i] = Button(tax, Indexed(QStringLiteral("cmdTax"), i), taxCaptions[i]);
            connect(cmdTax[i], &QPushButton::clicked, this, [this, i] { cmdTax_Click(i); });
            taxButtons->addWidget(cmdTax[i]);
        }
        taxLayout->addLayout(taxButtons);

        txtBody = new QPlainTextEdit(fraBody);
        txtBody->setObjectName(QStringLiteral("txtBody"));
        txtBody->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        QFont courier(QStringLiteral("Courier New"));
        courier.setStyleHint(QFont::TypeWriter);
        courier.setPointSize(10);
        txtBody->setFont(courier);
        txtBody->setMinimumSize(420, 260);
        txtBody->installEventFilter(this);

        fraTemplates = Frame(fraBody, QStringLiteral("fraTemplates"),
                             QStringLiteral("Create the Proposal Body from an existing Template"));
        auto *templatesLayout = new QVBoxLayout(fraTemplates);
        File1 = new QListWidget(fraTemplates);
        File1->setObjectName(QStringLiteral("File1"));
        File1->setMinimumHeight(90);
        connect(File1, &QListWidget::itemClicked, this, &frmWriteProposal::File1_Click);
        cmdCancel = Button(fraTemplates, QStringLiteral("cmdCancel"), QStringLiteral("Cancel Load Template"));
        connect(cmdCancel, &QPushButton::clicked, this, &frmWriteProposal::cmdCancel_Click);
        templatesLayout->addWidget(File1);
        templatesLayout->addWidget(cmdCancel, 0, Qt::AlignRight);
        fraTemplates->hide();

        auto *toolsBox = new QWidget(fraBody);
        auto *tools = new QVBoxLayout(toolsBox);
        tools->setContentsMargins(0, 0, 0, 0);
        tools->addWidget(create);
        tools->addWidget(cmdAddBasic);
        tools->addWidget(cmdWrite[1]);
        tools->addWidget(fraTerms);
        tools->addStretch();
        auto *right = new QVBoxLayout;
        right->addWidget(fraTemplates);
        right->addWidget(txtBody, 1);
        right->addWidget(tax);
        // The item window opens in place of the body tools, over the stage's
        // left column: the body stays in view beside it, so every added line
        // shows at once, and the writer is no wider with it than without.
        FraItems = new ItemWindow(txtBody, fraBody);
        FraItems->hide();
        FraItems->CoverWhileOpen(toolsBox);
        connect(mnuItems, &QAction::triggered, this, [this] {
            FraItems->Open();
            KeepOnScreen(); // the window may have grown to make room
        });
        auto *left = new QGridLayout;
        left->setContentsMargins(0, 0, 0, 0);
        left->addWidget(toolsBox, 0, 0);
        left->addWidget(FraItems, 0, 0);
        auto *columns = new QHBoxLayout;
        columns->addLayout(left);
        columns->addLayout(right, 1);
        auto *layout = new QVBoxLayout(fraBody);
        layout->addLayout(columns, 1);
        layout->addLayout(navRow(1, 2));
    }

    // Stage 3: price and payment schedule.
    fraPricing =
        Frame(this, QStringLiteral("fraPricing"), QStringLiteral("Enter Pricing and Payment Schedule"));
    {
        txtAmount = new QLineEdit(fraPricing);
        txtAmount->setObjectName(QStringLiteral("txtAmount"));
        txtAmount->setToolTip(QStringLiteral("Enter amount here"));
        txtAmount->setMinimumWidth(140);
        txtAmount->installEventFilter(this);
        cmdClearAmount =
            Button(fraPricing, QStringLiteral("cmdClearAmount"), QStringLiteral("Clear &Amount"));
        connect(cmdClearAmount, &QPushButton::clicked, this, &frmWriteProposal::cmdClearAmount_Click);
        Label2[4] = Caption(fraPricing, QStringLiteral("Amount"), QStringLiteral("Label2_4"));
        Label2[4]->setMinimumWidth(120);
        auto *price = new QHBoxLayout;
        price->addWidget(Caption(fraPricing, QStringLiteral("Enter the Proposed Amount, include all taxes"),
                                 QStringLiteral("lblPriceCaption")));
        price->addWidget(txtAmount);
        price->addWidget(Caption(fraPricing, QStringLiteral("<Press TAB>"), QStringLiteral("lblPressTab")));
        price->addWidget(cmdClearAmount);
        price->addWidget(Label2[4]);
        price->addStretch();

        auto *plans = Frame(fraPricing, QStringLiteral("fraPlans"), QStringLiteral("Select a Payment Plan:"));
        auto *plansLayout = new QVBoxLayout(plans);
        const QString planCaptions[3] = {QStringLiteral("A Down Payment and Final Payment"),
                                         QStringLiteral("In Full upon Completion"),
                                         QStringLiteral("Multiple Payments Schedule (1-8)")};
        const QString planTips[3] = {QStringLiteral("Two payments are created"),
                                     QStringLiteral("One payment is created"), QString()};
        for (int i = 0; i < 3; ++i) {
            optPayment[i] = Option(plans, Indexed(QStringLiteral("optPayment"), i), planCaptions[i]);
            if (!planTips[i].isEmpty())
                optPayment[i]->setToolTip(planTips[i]);
            optPayment[i]->setEnabled(false);
            connect(optPayment[i], &QRadioButton::clicked, this, [this, i] { optPayment_Click(i); });
            plansLayout->addWidget(optPayment[i]);
        }
        Label2[3] = Caption(plans, QStringLiteral("Select Number of Payments (Drop Down)"),
                            QStringLiteral("Label2_3"));
        imgArrow = Caption(plans, QString(), QStringLiteral("imgArrow"));
        imgArrow->setPixmap(style()->standardIcon(QStyle::SP_ArrowRight).pixmap(16, 16));
        cboPayments = new QComboBox(plans);
        cboPayments->setObjectName(QStringLiteral("cboPayments"));
        connect(cboPayments, &QComboBox::activated, this, [this] { cboPayments_Click(); });
        cmdMultiContinue =
            Button(plans, QStringLiteral("cmdMultiContinue"), QStringLiteral("Create Schedule"));
        connect(cmdMultiContinue, &QPushButton::clicked, this, &frmWriteProposal::cmdMultiContinue_Click);
        auto *count = new QHBoxLayout;
        count->addWidget(Label2[3]);
        count->addWidget(imgArrow);
        count->addWidget(cboPayments);
        count->addWidget(Caption(plans, QStringLiteral("Payments"), QStringLiteral("lblPaymentsCaption")));
        count->addWidget(cmdMultiContinue);
        count->addStretch();
        plansLayout->addLayout(count);
        Label2[3]->hide();
        imgArrow->hide();
        cmdMultiContinue->hide();

        fraPayments = Frame(fraPricing, QStringLiteral("fraPayments"),
                            QStringLiteral("-------Payment Schedule-------"));
        ckAllEqual =
            new QCheckBox(QStringLiteral("Tick this box to make all payments equal amounts"), fraPayments);
        ckAllEqual->setObjectName(QStringLiteral("ckAllEqual"));
        connect(ckAllEqual, &QCheckBox::clicked, this, &frmWriteProposal::ckAllEqual_Click);
        auto *rows = new QGridLayout;
        lblPaymentDate[9] =
            Caption(fraPayments, QStringLiteral("ProposedPrice"), QStringLiteral("lblPaymentDate_9"));
        lblPaymentDate[8] =
            Caption(fraPayments, QStringLiteral("Payment Date"), QStringLiteral("lblPaymentDate_8"));
        rows->addWidget(lblPaymentDate[9], 0, 0);
        rows->addWidget(lblPaymentDate[8], 0, 1);
        for (int k = 0; k < 8; ++k) {
            txtPayment[k] = new QLineEdit(fraPayments);
            txtPayment[k]->setObjectName(Indexed(QStringLiteral("txtPayment"), k));
            txtPayment[k]->setMinimumWidth(130);
            txtPayment[k]->setMaximumWidth(200);
            txtPayment[k]->installEventFilter(this);
            lblPaymentDate[k] = Caption(fraPayments, QString(), Indexed(QStringLiteral("lblPaymentDate"), k));
            lblPaymentDate[k]->setMinimumWidth(110);
            rows->addWidget(txtPayment[k], k + 1, 0);
            rows->addWidget(lblPaymentDate[k], k + 1, 1);
        }
        rows->setRowStretch(9, 1);
        fraCalendar = Frame(fraPayments, QStringLiteral("fraCalendar"), QString());
        MonthView1 = new QCalendarWidget(fraCalendar);
        MonthView1->setObjectName(QStringLiteral("MonthView1"));
        MonthView1->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
        // A click on a day assigns it; moving through the calendar with the keys does not.
        connect(MonthView1, &QCalendarWidget::clicked, this, &frmWriteProposal::MonthView1_DateClick);
        if (auto *view = MonthView1->findChild<QAbstractItemView *>())
            view->installEventFilter(this);
        auto *calendarLayout = new QVBoxLayout(fraCalendar);
        calendarLayout->addWidget(Caption(fraCalendar,
                                          QStringLiteral("Click to Assign a Payment Date to each Payment"),
                                          QStringLiteral("lblCalendarCaption"), true));
        calendarLayout->addWidget(MonthView1);
        cmdClearSchedule =
            Button(fraPayments, QStringLiteral("cmdClearSchedule"), QStringLiteral("Clear &Payments"));
        connect(cmdClearSchedule, &QPushButton::clicked, this, &frmWriteProposal::cmdClearSchedule_Click);
        cmdRedo = Button(fraPayments, QStringLiteral("cmdRedo"), QStringLiteral(" Redo Payments"));
        connect(cmdRedo, &QPushButton::clicked, this, &frmWriteProposal::cmdRedo_Click);
        lblWrite[9] =
            Caption(fraPayments,
                    QStringLiteral("Review  the Payment Schedule and Dates if Correct Click  NEXT Arrow"),
                    QStringLiteral("lblWrite_9"), true);
        lblWrite[9]->hide();
        auto *scheduleColumns = new QHBoxLayout;
        scheduleColumns->addLayout(rows);
        scheduleColumns->addSpacing(12);
        scheduleColumns->addWidget(fraCalendar);
        scheduleColumns->addStretch();
        auto *scheduleButtons = new QHBoxLayout;
        scheduleButtons->addWidget(cmdClearSchedule);
        scheduleButtons->addWidget(cmdRedo);
        scheduleButtons->addWidget(lblWrite[9], 1);
        scheduleButtons->addStretch();
        auto *paymentsLayout = new QVBoxLayout(fraPayments);
        paymentsLayout->addWidget(ckAllEqual);
        paymentsLayout->addLayout(scheduleColumns, 1);
        paymentsLayout->addLayout(scheduleButtons);
        paymentsLayout->addWidget(
            Caption(fraPayments,
                    QStringLiteral("If the Payment Schedule contains errors, Click Clear Payments and Redo"),
                    QStringLiteral("lblScheduleHint"), true));
        fraPayments->hide();

        auto *layout = new QVBoxLayout(fraPricing);
        layout->addLayout(price);
        layout->addWidget(plans);
        layout->addWidget(fraPayments, 1);
        layout->addStretch();
        layout->addLayout(navRow(3, 4));
    }

    QFont bold = font();
    bold.setBold(true);

    // Stage 4: finalizing, and the print frame.
    fraFinalize = Frame(this, QStringLiteral("fraFinalize"), QStringLiteral("Print and Finalize"));
    {
        auto *disclaimer = Frame(fraFinalize, QStringLiteral("fraDisclaimer"), QStringLiteral("Disclaimer"));
        auto *disclaimerLayout = new QVBoxLayout(disclaimer);
        optDisclaimer[0] =
            Option(disclaimer, QStringLiteral("optDisclaimer_0"), QStringLiteral("Use Generic Disclaimer"));
        optDisclaimer[1] =
            Option(disclaimer, QStringLiteral("optDisclaimer_1"), QStringLiteral("Use Custom Disclaimer"));
        optDisclaimer[0]->setChecked(true);
        disclaimerLayout->addWidget(optDisclaimer[0]);
        disclaimerLayout->addWidget(optDisclaimer[1]);

        cboDays = new QComboBox(fraFinalize);
        cboDays->setObjectName(QStringLiteral("cboDays"));
        auto *days = new QHBoxLayout;
        days->addWidget(Caption(fraFinalize,
                                QStringLiteral("The Proposal is Null and Void if not Accepted in"),
                                QStringLiteral("lblDaysBefore")));
        days->addWidget(cboDays);
        days->addWidget(Caption(fraFinalize, QStringLiteral("Days"), QStringLiteral("lblDaysAfter")));
        days->addStretch();

        fraSaveAs = Frame(fraFinalize, QStringLiteral("fraSaveAs"), QStringLiteral("Create a Template"));
        cmdSave = Button(fraSaveAs, QStringLiteral("cmdSave"), QStringLiteral("Save As"));
        connect(cmdSave, &QPushButton::clicked, this, &frmWriteProposal::cmdSave_Click);
        (new QVBoxLayout(fraSaveAs))->addWidget(cmdSave);
        fraDelete =
            Frame(fraFinalize, QStringLiteral("fraDelete"), QStringLiteral("Delete Current Template"));
        cmdDelete = Button(fraDelete, QStringLiteral("cmdDelete"), QStringLiteral("Delete"));
        connect(cmdDelete, &QPushButton::clicked, this, &frmWriteProposal::cmdDelete_Click);
        (new QVBoxLayout(fraDelete))->addWidget(cmdDelete);
        fraDelete->setEnabled(false);
        auto *templates = new QHBoxLayout;
        templates->addWidget(fraSaveAs);
        templates->addWidget(fraDelete);
        templates->addStretch();

        cmdContinue = Button(fraFinalize, QStringLiteral("cmdContinue"), QStringLiteral("Ready to Print"));
        connect(cmdContinue, &QPushButton::clicked, this, &frmWriteProposal::cmdContinue_Click);

        fraPrint = Frame(fraFinalize, QStringLiteral("fraPrint"),
                         QStringLiteral("Proposal Print then Store Record"));
        cmdProposalContinue = Button(fraPrint, QStringLiteral("cmdProposalContinue"),
                                     QStringLiteral("&Print and Record Proposal"));
        connect(cmdProposalContinue, &QPushButton::clicked, this,
                &frmWriteProposal::cmdProposalContinue_Click);
        cmdPreview = Button(fraPrint, QStringLiteral("cmdPreview"), QStringLiteral("Pre&view"));
        connect(cmdPreview, &QPushButton::clicked, this, &frmWriteProposal::cmdPreview_Click);
        cmdPrintEmail =
            Button(fraPrint, QStringLiteral("cmdPrintEmail"), QStringLiteral("Print and &E-mail"));
        cmdPrintEmail->setToolTip(
            QStringLiteral("Print and record the Proposal, then e-mail it as a PDF file"));
        connect(cmdPrintEmail, &QPushButton::clicked, this, &frmWriteProposal::cmdPrintEmail_Click);
        cmdCancelPrint = Button(fraPrint, QStringLiteral("cmdCancelPrint"), QStringLiteral("Cancel Print"));
        connect(cmdCancelPrint, &QPushButton::clicked, this, &frmWriteProposal::cmdCancelPrint_Click);
        lblPrint[2] = Caption(fraPrint, QStringLiteral("Number of Copies "), QStringLiteral("lblPrint_2"));
        auto *printLayout = new QVBoxLayout(fraPrint);
        printLayout->addWidget(Caption(fraPrint,
                                       QStringLiteral("The Proposal will be Printed and Data Recorded"),
                                       QStringLiteral("lblPrintNote")));
        auto *sizeHint = new QHBoxLayout;
        sizeHint->addWidget(Caption(fraPrint, QStringLiteral("Select a"), QStringLiteral("lblSelectA")));
        auto *printSizeCaption =
            Caption(fraPrint, QStringLiteral("Print Size"), QStringLiteral("lblPrintSize"));
        printSizeCaption->setFont(bold);
        sizeHint->addWidget(printSizeCaption);
        sizeHint->addWidget(
            Caption(fraPrint, QStringLiteral("from the MENU above"), QStringLiteral("lblFromMenu")));
        sizeHint->addStretch();
        printLayout->addLayout(sizeHint);
        auto *feed = new QHBoxLayout;
        feed->addWidget(Caption(fraPrint, QStringLiteral("Feed Direction"), QStringLiteral("lblFeed")));
        feed->addSpacing(24);
        feed->addWidget(lblPrint[2]);
        feed->addStretch();
        printLayout->addLayout(feed);
        auto *printButtons = new QHBoxLayout;
        printButtons->addWidget(cmdProposalContinue);
        printButtons->addWidget(cmdPreview);
        printButtons->addWidget(cmdPrintEmail);
        printButtons->addStretch();
        printButtons->addWidget(cmdCancelPrint);
        printLayout->addLayout(printButtons);
        fraPrint->hide();

        auto *ready = new QHBoxLayout;
        ready->addWidget(Caption(fraFinalize, QStringLiteral("Click "), QStringLiteral("lblClick")));
        ready->addWidget(cmdContinue);
        ready->addWidget(
            Caption(fraFinalize, QStringLiteral("when Correct"), QStringLiteral("lblWhenCorrect")));
        ready->addStretch();

        auto *layout = new QVBoxLayout(fraFinalize);
        layout->addWidget(disclaimer);
        layout->addLayout(days);
        layout->addLayout(templates);
        layout->addLayout(ready);
        layout->addWidget(fraPrint);
        layout->addStretch();
        layout->addLayout(navRow(5, -1));
    }

    // Instruction panels: one shown at a time beside the stage.
    const QList<QStringList> panelTexts = {
        {QStringLiteral("Drop the Calendar Down and Select")},
        {QStringLiteral("Select Site Location")},
        {QStringLiteral("Insert the Proposal Header")},
        {QStringLiteral("< Press TAB >"),
         QStringLiteral(
             "Enter the Price < Press TAB >,    Select a Payment Plan, and Create a Payment Schedule")},
        {QStringLiteral("Print, Store and Finalize Proposal")},
        {QStringLiteral("Type to Add Deliverables to the Body"),
         QStringLiteral("When complete, add a Tax Statement"), QStringLiteral("Select a Terms Button"),
         QStringLiteral("Add Items(above)"), QStringLiteral("if Enabled"),
         QStringLiteral("Later, you can Save the Body as a Template")}};
    auto *panels = new QVBoxLayout;
    auto *basic = Caption(this, QStringLiteral("Basic Instructions"), QStringLiteral("lblBasicHeading"));
    basic->setFont(bold);
    panels->addWidget(basic);
    panels->addWidget(
        Caption(this, QStringLiteral("To Create a Proposal, follow the instructions for each Window."),
                QStringLiteral("lblFollow"), true));
    int labelNo = 0;
    for (int k = 0; k < 6; ++k) {
        fraInstructions[k] = Frame(this, Indexed(QStringLiteral("fraInstructions"), k), QString());
        auto *panelLayout = new QVBoxLayout(fraInstructions[k]);
        for (const QString &text : panelTexts[k])
            panelLayout->addWidget(
                Caption(fraInstructions[k], text, Indexed(QStringLiteral("lblBasicInst"), labelNo++), true));
        if (k == 1) {
            auto *next = Caption(fraInstructions[k], QStringLiteral("NEXT ARROW"),
                                 Indexed(QStringLiteral("lblBasicInst"), labelNo++));
            panelLayout->addWidget(next);
        }
        fraInstructions[k]->setFixedWidth(230);
        panels->addWidget(fraInstructions[k]);
    }
    panels->addStretch();

    auto *stages = new QVBoxLayout;
    for (QGroupBox *stage : {fraCustomer, fraBody, fraPricing, fraFinalize})
        stages->addWidget(stage, 1);
    auto *middle = new QHBoxLayout;
    middle->addLayout(stages, 1);
    middle->addLayout(panels);
    auto *bottom = new QHBoxLayout;
    bottom->addWidget(cmdWrite[0]);
    bottom->addStretch();
    bottom->addWidget(cmdWrite[2]);
    auto *layout = new QVBoxLayout(this);
    layout->setMenuBar(menuBar);
    layout->addLayout(middle, 1);
    layout->addLayout(bottom);

    fraBody->hide();
    fraPricing->hide();
    fraFinalize->hide();
    ShowInstructions(1);
    HidePaymentRows();
    resize(1060, 700);
}

void frmWriteProposal::Form_Load() {
    TamselForm::Form_Load();
    if (ProposalNo == std::numeric_limits<qint16>::max())
        MsgBox(QStringLiteral(
                   "Proposal Number 32767, the last number a Proposal can have, is the next to be used.\r\n"
                   "This Proposal can be recorded as 32767, but the number cannot advance after it: "
                   "set a new number on the Setup Screen (Proposal tab) before the next Proposal."),
               MsgButtons::Ok, QStringLiteral("Proposal Number"));
    const auto disclaimer = ReadCustomDisclaimer();
    if (!disclaimer.ok() || disclaimer.value.isEmpty())
        optDisclaimer[1]->setEnabled(false);
    InitTermsOptions();

    InventoryAvailable = FraItems->LoadItems();

    for (int n = 1; n <= MaxPayments; ++n)
        cboPayments->addItem(QString::number(n));
    cboPayments->setCurrentIndex(0);
    for (const char *days : {"10", "15", "20", "30", "45", "60"})
        cboDays->addItem(QString::fromLatin1(days));
    cboDays->setCurrentText(QStringLiteral("30"));
    PrintSize = 8;
    GenericTermsText = BoxLineEnds(GenericTerms());
    ClearBodyOptions();
    MonthView1->setSelectedDate(Clock::Today());
}

void frmWriteProposal::Form_Activate() {
    FillCustomerInfo();
    ListTemplates();
    txtTaxation->setText(DefaultTax);
    ClearBodyOptions();
    QString copies = QString::number(NumCopies);
    if (auto *setup = ScreenRegistry::Existing<frmSetup>())
        copies = setup->cboCopies->currentText();
    lblPrint[2]->setText(QStringLiteral("Number of Copies ") + copies);
}

// ---- Stage 1 -------------------------------------------------------------

void frmWriteProposal::FillCustomerInfo() {
    if (CustomerRecNo >= 1 && OpenCustomerFile())
        CustomerRec = GetCustomerRecord(FileNo, CustomerRecNo);
    CloseAllFiles();
    cmdWrite[2]->setEnabled(true);
    const CustomerRecord &rec = CustomerRec;
    if (rec.AcctType.trimmed() != QLatin1String("Individual")) {
        lblCustomerInfo[1]->setText(rec.AcctName.trimmed());
    } else {
        // The middle initial as stored: a blank when there is none.
        const QString initial = rec.MiddleInitial.isEmpty() ? QStringLiteral(" ") : rec.MiddleInitial.left(1);
        lblCustomerInfo[1]->setText(rec.Title.trimmed() + QLatin1Char(' ') + rec.FirstName.trimmed() +
                                    QLatin1Char(' ') + initial + QLatin1Char(' ') + rec.LastName.trimmed());
    }
    const QString *fields[8] = {&rec.Address1, &rec.Address2, &rec.City, &rec.State,
                                &rec.Address4, &rec.Phone,    &rec.Cell};
    for (int k = 2; k <= 8; ++k)
        lblCustomerInfo[k]->setText(fields[k - 2]->trimmed());
    lblAccount->setText(rec.AcctNo.trimmed());
    CopyAccountToSite();
}

void frmWriteProposal::CopyAccountToSite() {
    for (int k = 1; k <= 8; ++k)
        txtCustomerInfo[k]->setText(lblCustomerInfo[k]->text());
    cmdSetJobSite->setText(QStringLiteral("Enter Manually"));
}

void frmWriteProposal::cmdSetJobSite_Click() {
    if (cmdSetJobSite->text() != QLatin1String("Enter Manually")) {
        CopyAccountToSite();
        return;
    }
    for (int k = 1; k <= 8; ++k)
        txtCustomerInfo[k]->clear();
    txtCustomerInfo[1]->setFocus();
    cmdSetJobSite->setText(QStringLiteral("Same as Account"));
}

void frmWriteProposal::ShowInstructions(int k) {
    for (QGroupBox *panel : fraInstructions)
        panel->hide();
    if (k >= 0 && k < 6)
        fraInstructions[k]->show();
}

// ---- Navigation ----------------------------------------------------------

void frmWriteProposal::cmdCreation_Click(int Index) {
    // Each move hides the stage it leaves before it shows the next: showing a
    // frame lays the window out at once, and with both stages counted the
    // window would grow past the screen and stay that size.
    switch (Index) {
    case 0:
        ShowInstructions(2);
        fraCustomer->hide();
        cmdWrite[2]->setEnabled(false);
        fraBody->show();
        if (BodyText().isEmpty())
            InitTermsOptions();
        break;
    case 1:
        cmdWrite[2]->setEnabled(true);
        ShowInstructions(1);
        fraBody->hide();
        fraCustomer->show();
        break;
    case 2:
        if (BodyText().isEmpty()) {
            Beep();
            MsgBox(QStringLiteral("The Proposal Body cannot be blank"));
            return;
        }
        fraBody->hide();
        FraItems->hide();
        mnuItems->setEnabled(false);
        fraPayments->hide();
        fraPricing->show();
        ShowInstructions(3);
        // A schedule made earlier comes back with the plan that made it, so
        // the page, the payments file and the state file agree on it.
        if (!ShortDateValue(lblPaymentDate[0]->text()) && !BoxAmount(txtPayment[0]->text())) {
            ClearPaymentPlans();
            cmdClearSchedule_Click();
        } else if (Chosen(optPayment) >= 0) {
            fraPayments->show();
        }
        if (BoxAmount(txtAmount->text()))
            txtAmount->setFocus();
        else
            ResetAmount();
        break;
    case 3:
        ClearBodyOptions();
        if (InventoryAvailable)
            mnuItems->setEnabled(true);
        fraPricing->hide();
        fraBody->show();
        ShowInstructions(2);
        break;
    case 4:
        if (!CheckDueDates())
            return;
        if (!CheckPaymentTotal()) {
            MsgBox(QStringLiteral("The total of payments do not equal Proposed Amount"));
            return;
        }
        fraPricing->hide();
        fraFinalize->show();
        ShowInstructions(4);
        break;
    case 5:
        fraFinalize->hide();
        fraPrint->hide();
        fraPricing->show();
        ShowInstructions(3);
        break;
    default:
        break;
    }
}

void frmWriteProposal::cmdWrite_Click(int Index) {
    switch (Index) {
    case 0:
        Leave(int(Screen::MainMenu));
        break;
    case 1:
        ClearBodyOptions();
        cmdAddBasic->setEnabled(true);
        txtBody->clear();
        DisableTermsOptions();
        CustomTermsAdded = false;
        InitTermsOptions();
        break;
    case 2:
        Leave(int(Screen::Customer));
        break;
    default:
        break;
    }
}

void frmWriteProposal::Leave(int screen) {
    ScreenRegistry::Unload(this);
    ScreenRegistry::Show(static_cast<Screen>(screen));
}

// ---- Stage 2 -------------------------------------------------------------

QString frmWriteProposal::BodyText() const {
    return txtBody->toPlainText();
}

void frmWriteProposal::AppendToBody(const QString &text) {
    txtBody->setPlainText(BodyText() + BoxLineEnds(text));
}

void frmWriteProposal::FocusBodyAtEnd() {
    txtBody->setFocus();
    txtBody->moveCursor(QTextCursor::End);
}

void frmWriteProposal::ClearBodyOptions() {
    for (QRadioButton *option : optCreate)
        Untick(option);
}

void frmWriteProposal::ListTemplates() {
    const TemplateList list = ::ListTemplates();
    File1->clear();
    File1->addItems(list.files);
    optCreate[1]->setEnabled(list.anyFile);
}

void frmWriteProposal::optCreate_Click(int Index) {
    fraTemplates->hide();
    InitTermsOptions();
    fraDelete->setEnabled(false);
    fraSaveAs->setEnabled(true);
    switch (Index) {
    case 0: {
        const auto path = ChooseOpenFile(QStringLiteral("Create from a Document"),
                                         QStringLiteral("Text Files(*.txt)"), QString());
        if (!path || path->isEmpty())
            return;
        const auto document = LoadDocument(*path);
        if (!document.ok()) {
            MsgBox(QStringLiteral("The file ") + *path + QStringLiteral(" could not be read."));
            return;
        }
        txtBody->setPlainText(BoxLineEnds(document.value));
        CheckBodyOption();
        break;
    }
    case 1:
        fraTemplates->show();
        break;
    case 2:
        fraTemplates->hide();
        InitTermsOptions();
        ShowInstructions(5);
        CheckBodyOption();
        break;
    default:
        break;
    }
}

void frmWriteProposal::CheckBodyOption() {
    if (Chosen(optCreate) < 0) {
        MsgBox(QStringLiteral("Select a Body Creation Button before Entering Data"));
        return;
    }
    if (txtBody->isVisible() && !BodyText().isEmpty())
        FocusBodyAtEnd();
}

void frmWriteProposal::File1_Click(QListWidgetItem *item) {
    if (!item)
        return;
    fraTemplates->hide();
    const auto body = LoadTemplate(item->text());
    if (!body.ok()) {
        MsgBox(QStringLiteral("The Template ") + item->text() + QStringLiteral(" could not be read."));
        return;
    }
    txtBody->setPlainText(BoxLineEnds(body.value));
    CheckBodyOption();
    fraDelete->setEnabled(true);
    fraSaveAs->setEnabled(true);
}

void frmWriteProposal::cmdCancel_Click() {
    fraTemplates->hide();
    Untick(optCreate[1]);
}

void frmWriteProposal::txtBody_GotFocus(Qt::FocusReason reason) {
    ShowInstructions(5);
    // The caret goes to the end when the user comes into the body, not when
    // a message box, a menu or the window itself gives the focus back.
    const bool givenBack = reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason;
    if (!bodyEntered_ || !givenBack)
        txtBody->moveCursor(QTextCursor::End);
    bodyEntered_ = true;
    if (InventoryAvailable)
        mnuItems->setEnabled(true);
}

void frmWriteProposal::cmdAddBasic_Click() {
    txtBody->setPlainText(Header + QLatin1Char('\n'));
    cmdAddBasic->setEnabled(false);
    FocusBodyAtEnd();
}

void frmWriteProposal::InitTermsOptions() {
    optFooter[0]->setEnabled(true);
    if (CustomTermsExist()) {
        optFooter[1]->setEnabled(true);
        optFooter[1]->setChecked(true);
    } else {
        optFooter[0]->setChecked(true);
    }
    cmdAddTerms->setEnabled(true);
}

void frmWriteProposal::DisableTermsOptions() {
    optFooter[0]->setEnabled(false);
    optFooter[1]->setEnabled(false);
    cmdAddTerms->setEnabled(false);
}

void frmWriteProposal::cmdAddTerms_Click() {
    if (optFooter[0]->isChecked() || !optFooter[1]->isChecked()) {
        if (!BodyText().contains(GenericTermsText))
            AppendToBody(QStringLiteral("\n\n") + GenericTermsText);
    } else {
        if (CustomTermsAdded || !CustomTermsExist())
            return;
        const auto custom = ReadCustomTerms();
        if (!custom.ok()) {
            ReportDamagedFile(QStringLiteral("CustomTerms.txt"),
                              QStringLiteral("The custom terms have not been added."));
            return;
        }
        AppendToBody(QStringLiteral("\n\n") + custom.value);
        CustomTermsAdded = true;
    }
    DisableTermsOptions();
    FocusBodyAtEnd();
}

void frmWriteProposal::cmdTax_Click(int Index) {
    switch (Index) {
    case 0:
        txtTaxation->clear();
        txtTaxation->setFocus();
        break;
    case 1:
        txtTaxation->setText(DefaultTax);
        break;
    case 2: {
        const QString tax = txtTaxation->text();
        const QString body = BodyText();
        if (tax.isEmpty() ? !body.isEmpty() : body.contains(tax))
            return;
        AppendToBody(QStringLiteral("\n") + tax);
        FocusBodyAtEnd();
        break;
    }
    default:
        break;
    }
}

// ---- Stage 3 -------------------------------------------------------------

int frmWriteProposal::PaymentCount() const {
    return qBound(1, cboPayments->currentText().toInt(), MaxPayments);
}

void frmWriteProposal::ResetAmount() {
    txtAmount->setText(CurrencyForm(Currency{}));
    txtAmount->setFocus();
}

void frmWriteProposal::HidePaymentRows() {
    for (int k = 0; k < 8; ++k) {
        txtPayment[k]->hide();
        lblPaymentDate[k]->hide();
    }
}

void frmWriteProposal::SetPaymentPlansEnabled(bool flag) {
    for (QRadioButton *option : optPayment)
        option->setEnabled(flag);
}

void frmWriteProposal::ClearPaymentPlans() {
    for (QRadioButton *option : optPayment)
        Untick(option);
}

void frmWriteProposal::ClearPaymentAmounts() {
    for (int k = 0; k < PaymentCount(); ++k)
        txtPayment[k]->clear();
}

void frmWriteProposal::ResetDueDateCaptions() {
    for (int k = 0; k < PaymentCount(); ++k)
        lblPaymentDate[k]->setText(QStringLiteral("due Date # ") + QString::number(k + 1));
}

void frmWriteProposal::SetScheduleVisible() {
    fraPayments->show();
}

void frmWriteProposal::txtAmount_LostFocus() {
    if (IsTooLarge(txtAmount->text())) {
        SetPaymentPlansEnabled(false);
        RefuseTooLarge(txtAmount);
        return;
    }
    const auto amount = BoxAmount(txtAmount->text());
    if (!amount) {
        ResetAmount();
        return;
    }
    txtAmount->setText(CurrencyForm(*amount));
    SetPaymentPlansEnabled(true);
    Label2[4]->setText(txtAmount->text());
}

void frmWriteProposal::RefuseTooLarge(QLineEdit *box) {
    // What was typed stays, to be put right.
    MsgBox(AmountTooLargeMessage(), MsgButtons::Ok, AmountTooLargeTitle);
    box->setFocus();
    box->selectAll();
}

void frmWriteProposal::cmdClearAmount_Click() {
    ResetAmount();
    HidePaymentRows();
    SetPaymentPlansEnabled(false);
}

void frmWriteProposal::SelectPayments(int n) {
    cboPayments->setCurrentIndex(n - 1);
    cboPayments_Click();
}

void frmWriteProposal::optPayment_Click(int Index) {
    cmdMultiContinue->hide();
    HidePaymentRows();
    SelectPayments(5);
    fraPayments->show();
    fraCalendar->show();
    if (IsZeroText(txtAmount->text()))
        ResetAmount();
    Label2[3]->hide();
    imgArrow->hide();
    switch (Index) {
    case 0:
        SelectPayments(1);
        SelectPayments(2);
        cboPayments->setEnabled(false);
        ckAllEqual->setChecked(false);
        ckAllEqual_Click();
        fraPayments->show();
        break;
    case 1:
        SelectPayments(1);
        cboPayments->setEnabled(false);
        ckAllEqual->setChecked(true);
        ckAllEqual_Click();
        fraPayments->show();
        break;
    case 2:
        Label2[3]->show();
        imgArrow->show();
        cboPayments->setEnabled(true);
        cmdClearSchedule_Click();
        fraPayments->hide();
        cboPayments->setFocus();
        cmdMultiContinue->show();
        break;
    default:
        break;
    }
    if (!fraPayments->isHidden() && !ckAllEqual->isChecked())
        txtPayment[0]->setFocus();
}

void frmWriteProposal::cboPayments_Click() {
    const int n = PaymentCount();
    ClearPaymentAmounts();
    ResetDueDateCaptions();
    for (int k = 0; k < 8; ++k) {
        txtPayment[k]->setVisible(k < n);
        lblPaymentDate[k]->setVisible(k < n);
    }
    // The captions start again, so the dates are picked again from the first.
    DatesAssigned = 0;
    ScheduleReset = false;
    fraCalendar->show();
    lblWrite[9]->hide();
    if (IsZeroText(txtAmount->text()))
        ResetAmount();
}

void frmWriteProposal::cmdMultiContinue_Click() {
    fraPayments->show();
    if (!ckAllEqual->isChecked())
        txtPayment[0]->setFocus();
}

void frmWriteProposal::ckAllEqual_Click() {
    const auto price = BoxAmount(txtAmount->text());
    if (!price || *price == Currency{}) {
        ResetAmount();
        return;
    }
    if (!ckAllEqual->isChecked()) {
        ckAllEqual->setText(QStringLiteral("Enter Payments Manually or Click to Calculate ->"));
        ClearPaymentAmounts();
        return;
    }
    ckAllEqual->setText(QStringLiteral("Payment Amounts Have been Calculated"));
    CalculateEqualPayments();
}

void frmWriteProposal::CalculateEqualPayments() {
    const auto price = BoxAmount(txtAmount->text());
    if (!price)
        return;
    const QList<Currency> shares =
        PaymentRules::CalculateEqualPayments(*price, PaymentCount(), CurrencyDigits());
    for (int k = 0; k < shares.size(); ++k)
        txtPayment[k]->setText(CurrencyForm(shares[k]));
    SetScheduleVisible();
}

void frmWriteProposal::txtPayment_GotFocus(int Index) {
    if (IsZeroText(txtAmount->text())) {
        ResetAmount();
        return;
    }
    if (IsZeroText(txtPayment[Index]->text()))
        txtPayment[Index]->clear();
}

void frmWriteProposal::txtPayment_LostFocus(int Index) {
    QLineEdit *box = txtPayment[Index];
    if (IsTooLarge(box->text())) {
        RefuseTooLarge(box);
        return;
    }
    if (!box->text().isEmpty()) {
        const auto amount = BoxAmount(box->text());
        if (!amount) {
            // Nothing that is not an amount stays in a payment box.
            box->clear();
            box->setFocus();
            return;
        }
        box->setText(CurrencyForm(*amount));
    }
    if (Index + 1 == PaymentCount())
        SetScheduleVisible();
}

void frmWriteProposal::cmdClearSchedule_Click() {
    ClearPaymentAmounts();
    ResetDueDateCaptions();
    ScheduleReset = true;
    if (ckAllEqual->isChecked()) {
        ckAllEqual->setChecked(false);
        ckAllEqual_Click();
    }
    lblWrite[9]->hide();
}

void frmWriteProposal::cmdRedo_Click() {
    cmdClearSchedule_Click();
    fraPayments->hide();
    fraCalendar->show();
    lblWrite[9]->hide();
    ClearPaymentPlans();
}

void frmWriteProposal::MonthView1_DateClick(const QDate &date) {
    AssignDueDate(date);
}

void frmWriteProposal::AssignDueDate(const QDate &picked) {
    const int n = PaymentCount();
    if (ScheduleReset || DatesAssigned >= n) {
        DatesAssigned = 0;
        ScheduleReset = false;
    }
    QList<QDate> assigned;
    for (int k = 0; k < DatesAssigned; ++k)
        if (const auto date = ShortDateValue(lblPaymentDate[k]->text()))
            assigned << *date;
    if (!DueDateFollows(assigned, picked)) {
        MsgBox(QStringLiteral("The Selected date is less than or equal a previous date"));
        return;
    }
    lblPaymentDate[DatesAssigned]->setText(ShortDateText(picked));
    ++DatesAssigned;
    if (DatesAssigned == n) {
        DatesAssigned = 0;
        lblWrite[9]->show();
        fraCalendar->hide();
        cmdClearSchedule->setFocus();
        if (txtPayment[0]->text().isEmpty())
            txtPayment[0]->setFocus();
    }
}

bool frmWriteProposal::CheckDueDates() {
    QStringList captions;
    for (int k = 0; k < 8; ++k)
        captions << lblPaymentDate[k]->text();
    if (PaymentRules::CheckDueDates(captions, PaymentCount())) {
        MsgBox(QStringLiteral("You must enter a Payment Date for each Payment"));
        return false;
    }
    return true;
}

bool frmWriteProposal::CheckPaymentTotal() {
    QStringList payments;
    for (int k = 0; k < 8; ++k)
        payments << txtPayment[k]->text();
    const TotalResult result = PaymentRules::CheckPaymentTotal(txtAmount->text(), payments, PaymentCount());
    switch (result.outcome) {
    case TotalCheck::Equal:
        return true;
    case TotalCheck::PriceNotSet:
        ResetAmount();
        return false;
    case TotalCheck::PaymentNotNumber:
        Beep();
        MsgBox(QStringLiteral("Enter a Payment Amount"));
        txtPayment[result.index]->setFocus();
        return false;
    case TotalCheck::Unequal:
        break;
    }
    return false;
}

// ---- Stage 4 -------------------------------------------------------------

void frmWriteProposal::cmdSave_Click() {
    if (!FitBoxesToCodePage({txtBody}))
        return;
    const TemplateSave save = SaveBodyAsTemplate(StoredLineEnds(BodyText()));
    const QString body = BoxLineEnds(save.body);
    if (body != BodyText())
        txtBody->setPlainText(body);
    if (!save.saved)
        return;
    if (save.added)
        ListTemplates();
    // The template just saved is the current one, for a Delete that follows.
    const QList<QListWidgetItem *> saved = File1->findItems(save.fileName, Qt::MatchFixedString);
    if (!saved.isEmpty())
        File1->setCurrentItem(saved.first());
    fraDelete->setEnabled(true);
}

void frmWriteProposal::cmdDelete_Click() {
    QListWidgetItem *item = File1->currentItem();
    if (!item) {
        MsgBox(QStringLiteral("No Template is selected. Load a Template first, then Delete it."), MsgButtons::Ok,
               QStringLiteral("Delete Template"));
        return;
    }
    DeleteTemplate(item->text());
}

void frmWriteProposal::cmdContinue_Click() {
    fraPrint->show();
}

void frmWriteProposal::cmdCancelPrint_Click() {
    fraPrint->hide();
    fraFinalize->show();
}

void frmWriteProposal::mnuSize_Click(int points) {
    PrintSize = static_cast<qint16>(points);
    QAction *chosen = points == 6    ? mnuSmaller
                      : points == 10 ? mnuLarger
                      : points == 12 ? mnuLargest
                                     : mnuStandard;
    chosen->setChecked(true);
}

ProposalDocument frmWriteProposal::MakeDocument() const {
    ProposalDocument doc;
    doc.isField = false;
    doc.number = ProposalNo;
    doc.date = Clock::Today();
    for (int k = 1; k <= 7; ++k) {
        doc.customer[k] = lblCustomerInfo[k]->text().trimmed();
        doc.jobSite[k] = txtCustomerInfo[k]->text().trimmed();
    }
    if (auto *customer = ScreenRegistry::Existing<frmCustomer>())
        doc.usaStyle = customer->UsaStyle();
    doc.bodyName = BodyFolder + QLatin1Char('\\') + ProposalFileName(ProposalNo);
    doc.printSize = PrintSize;
    doc.days = cboDays->currentText();
    doc.genericDisclaimer = !optDisclaimer[1]->isChecked();
    if (!doc.genericDisclaimer)
        doc.customDisclaimer = ReadCustomDisclaimer().value;
    doc.priceText = txtAmount->text();
    doc.plan = qMax(0, Chosen(optPayment));
    for (int k = 0; k < PaymentCount(); ++k)
        doc.payments << ProposalDocument::Payment{BoxAmount(txtPayment[k]->text()).value_or(Currency{}),
                                                  lblPaymentDate[k]->text()};
    return doc;
}

bool frmWriteProposal::RecordProposal(const ProposalDocument &document) {
    const qint16 number = ProposalNo;
    // Files of this number that another proposal left are replaced only when the user says so.
    if (wroteNumber_ != number && AnyProposalFileExists(number) &&
        MsgBox(QStringLiteral("A Proposal numbered ") + QString::number(number) +
                   QStringLiteral(" is already recorded.\r\nClick Yes to Replace it, or No to keep it "
                                  "(set a new number on the Setup Screen, Proposal tab)"),
               MsgButtons::YesNo, QStringLiteral("Proposal Exists")) != MsgAnswer::Yes)
        return false;

    ProposalRecord record;
    ProposalParties &parties = record.parties;
    parties.price = BoxAmount(txtAmount->text()).value_or(Currency{});
    for (int k = 1; k <= 8; ++k) {
        parties.lblCustomerInfo[k] = lblCustomerInfo[k]->text();
        parties.txtCustomerInfo[k] = txtCustomerInfo[k]->text();
    }
    record.body = BodyText();
    record.schedule.price = parties.price;
    for (int k = 0; k < PaymentCount(); ++k)
        record.schedule.payments << Payment{BoxAmount(txtPayment[k]->text()).value_or(Currency{}),
                                            ShortDateValue(lblPaymentDate[k]->text()).value_or(QDate())};
    // What the files do not keep (days, plan, disclaimer, print size) goes with them,
    // replacing whatever an older proposal of this number left.
    record.state = StateOfDocument(document);

    if (!RecordProposalFiles(number, record)) {
        const QString proposal = QStringLiteral("Proposal ") + QString::number(number);
        MsgBox(proposal + QStringLiteral(" could not be recorded: its files could not be written (is the disk "
                                         "full or the folder read-only?).\r\nNo file of ") +
                   proposal + QStringLiteral(" has been changed, and nothing was printed."),
               MsgButtons::Ok, QStringLiteral("File not saved"));
        return false;
    }
    wroteNumber_ = number;
    return true;
}

void frmWriteProposal::cmdProposalContinue_Click() {
    if (!FitBoxesToCodePage(QList<QWidget *>(txtCustomerInfo.begin(), txtCustomerInfo.end()) << txtBody))
        return;
    fraPrint->hide();
    const qint16 number = ProposalNo;
    const ProposalDocument document = MakeDocument();
    if (!RecordProposal(document))
        return;
    switch (PrintAndConfirm(document)) {
    case PrintConfirmation::NotPrinted:
        // The files stay and the number is kept; printing again rewrites them.
        return;
    case PrintConfirmation::Confirmed:
        // At the last number the advance tells the user itself; the files of this proposal stay.
        AdvanceProposalNo();
        if (emailAfterPrint_)
            EmailProposal(document);
        break;
    case PrintConfirmation::Declined:
        if (!DeleteProposalFiles(number))
            MsgBox(QStringLiteral("The files of Proposal ") + QString::number(number) +
                       QStringLiteral(" could not all be deleted."),
                   MsgButtons::Ok, QStringLiteral("Files not Deleted"));
        break;
    }
    Leave(int(Screen::MainMenu));
}

void frmWriteProposal::cmdPrintEmail_Click() {
    // Only a print the user confirms is e-mailed: it is then recorded under its number.
    emailAfterPrint_ = true;
    cmdProposalContinue_Click();
    emailAfterPrint_ = false;
}

void frmWriteProposal::cmdPreview_Click() {
    // The page reads the body from a file; a scratch copy serves, so nothing is recorded.
    if (!WriteWholeFile(PreviewBodyName, BodyFileBytes(BodyText()))) {
        ReportWriteFailure(PreviewBodyName.mid(1));
        return;
    }
    ProposalDocument document = MakeDocument();
    document.bodyName = PreviewBodyName;
    PreviewProposal(document);
    DeleteFile(PreviewBodyName);
}

// ---- Keys and focus ------------------------------------------------------

bool frmWriteProposal::eventFilter(QObject *watched, QEvent *event) {
    const QEvent::Type type = event->type();
    if (watched == txtBody && type == QEvent::FocusIn) {
        txtBody_GotFocus(static_cast<QFocusEvent *>(event)->reason());
    } else if (watched == txtAmount) {
        if (type == QEvent::KeyPress) {
            auto *key = static_cast<QKeyEvent *>(event);
            if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
                focusNextChild();
                return true;
            }
            if (IsZeroText(txtAmount->text()) && IsKeyToEmptyZero(key))
                txtAmount->clear();
        } else if (type == QEvent::FocusOut && LeftByUser(event)) {
            txtAmount_LostFocus();
        }
    } else if (type == QEvent::KeyPress && watched == MonthView1->findChild<QAbstractItemView *>()) {
        // Enter or the space bar assigns the day the keys have moved to.
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space) {
            AssignDueDate(MonthView1->selectedDate());
            return true;
        }
    } else {
        for (int k = 0; k < 8; ++k) {
            if (watched != txtPayment[k])
                continue;
            if (type == QEvent::FocusIn)
                txtPayment_GotFocus(k);
            else if (type == QEvent::FocusOut && LeftByUser(event))
                txtPayment_LostFocus(k);
            else if (type == QEvent::KeyPress) {
                auto *key = static_cast<QKeyEvent *>(event);
                if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
                    focusNextChild();
                    return true;
                }
                if (IsZeroText(txtPayment[k]->text()) && IsKeyToEmptyZero(key))
                    txtPayment[k]->clear();
            }
            break;
        }
    }
    return TamselForm::eventFilter(watched, event);
}
