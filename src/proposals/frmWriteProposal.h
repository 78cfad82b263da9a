#pragma once
// The proposal writer: job site, body, price and payments, finalizing. One
// writer per proposal: every way out unloads it, so each proposal starts
// from the state the constructor and Form_Load give.
#include "common/TamselForm.h"
#include "printing/ProposalDocument.h"

#include <QDate>
#include <QList>
#include <array>

class ItemWindow;
class QAction;
class QCalendarWidget;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

class frmWriteProposal : public TamselForm {
    Q_OBJECT
public:
    frmWriteProposal();

    void Form_Load() override;
    void Form_Activate() override;

    // What the printed page needs, read from the screen as it stands now.
    ProposalDocument MakeDocument() const;

    // Stage frames and the instruction panels.
    QGroupBox *fraCustomer = nullptr;
    QGroupBox *fraBody = nullptr;
    QGroupBox *fraPricing = nullptr;
    QGroupBox *fraFinalize = nullptr;
    std::array<QGroupBox *, 6> fraInstructions{};
    std::array<QPushButton *, 6> cmdCreation{};
    // 0 back to the menu, 1 clear the body, 2 another customer.
    std::array<QPushButton *, 3> cmdWrite{};

    // Stage 1: account (labels) and job site (boxes), 1 to 8.
    std::array<QLabel *, 9> lblCustomerInfo{};
    std::array<QLineEdit *, 9> txtCustomerInfo{};
    QLabel *lblAccount = nullptr;
    QPushButton *cmdSetJobSite = nullptr;

    // Stage 2.
    QPlainTextEdit *txtBody = nullptr;
    std::array<QRadioButton *, 3> optCreate{};
    QGroupBox *fraTemplates = nullptr;
    QListWidget *File1 = nullptr;
    QPushButton *cmdCancel = nullptr;
    QPushButton *cmdAddBasic = nullptr;
    QGroupBox *fraTerms = nullptr;
    std::array<QRadioButton *, 2> optFooter{};
    QPushButton *cmdAddTerms = nullptr;
    QLineEdit *txtTaxation = nullptr;
    std::array<QPushButton *, 3> cmdTax{};

    // Stage 3.
    QLineEdit *txtAmount = nullptr;
    QPushButton *cmdClearAmount = nullptr;
    std::array<QRadioButton *, 3> optPayment{};
    QComboBox *cboPayments = nullptr;
    QPushButton *cmdMultiContinue = nullptr;
    std::array<QLabel *, 5> Label2{};
    QLabel *imgArrow = nullptr;
    QGroupBox *fraPayments = nullptr;
    QCheckBox *ckAllEqual = nullptr;
    std::array<QLineEdit *, 8> txtPayment{};
    std::array<QLabel *, 10> lblPaymentDate{};
    QPushButton *cmdClearSchedule = nullptr;
    QPushButton *cmdRedo = nullptr;
    QGroupBox *fraCalendar = nullptr;
    QCalendarWidget *MonthView1 = nullptr;
    std::array<QLabel *, 10> lblWrite{};

    // Stage 4 and the print frame.
    std::array<QRadioButton *, 2> optDisclaimer{};
    QComboBox *cboDays = nullptr;
    QGroupBox *fraSaveAs = nullptr;
    QPushButton *cmdSave = nullptr;
    QGroupBox *fraDelete = nullptr;
    QPushButton *cmdDelete = nullptr;
    QPushButton *cmdContinue = nullptr;
    QGroupBox *fraPrint = nullptr;
    QPushButton *cmdProposalContinue = nullptr;
    QPushButton *cmdPreview = nullptr;
    QPushButton *cmdPrintEmail = nullptr;
    QPushButton *cmdCancelPrint = nullptr;
    std::array<QLabel *, 3> lblPrint{};

    // Menus.
    QMenu *mnuSize = nullptr;
    QAction *mnuSmaller = nullptr;
    QAction *mnuStandard = nullptr;
    QAction *mnuLarger = nullptr;
    QAction *mnuLargest = nullptr;
    QAction *mnuItems = nullptr;
    ItemWindow *FraItems = nullptr;

    // Writer state.
    qint16 PrintSize = 8;
    bool CustomTermsAdded = false;
    // Set by the item window's loading (at least one inventory file exists).
    bool InventoryAvailable = false;
    bool ScheduleReset = false;
    int DatesAssigned = 0;
    QString GenericTermsText;

    // Routines of the stages.
    void FillCustomerInfo();
    void CopyAccountToSite();
    void ListTemplates();
    void ShowInstructions(int k);
    void ClearBodyOptions();
    void CheckBodyOption();
    void InitTermsOptions();
    void DisableTermsOptions();
    void ResetAmount();
    void HidePaymentRows();
    void SetPaymentPlansEnabled(bool flag);
    void ClearPaymentPlans();
    void ClearPaymentAmounts();
    void ResetDueDateCaptions();
    void SetScheduleVisible();
    void CalculateEqualPayments();
    void AssignDueDate(const QDate &picked);
    bool CheckDueDates();
    bool CheckPaymentTotal();
    // The number of payments chosen in cboPayments (1 to 8).
    int PaymentCount() const;

public slots:
    void cmdSetJobSite_Click();
    void cmdCreation_Click(int Index);
    void optCreate_Click(int Index);
    void File1_Click(QListWidgetItem *item);
    void cmdCancel_Click();
    void cmdAddBasic_Click();
    void cmdWrite_Click(int Index);
    void cmdAddTerms_Click();
    void cmdTax_Click(int Index);
    void txtBody_GotFocus(Qt::FocusReason reason = Qt::OtherFocusReason);
    void txtAmount_LostFocus();
    void cmdClearAmount_Click();
    void optPayment_Click(int Index);
    void cboPayments_Click();
    void cmdMultiContinue_Click();
    void ckAllEqual_Click();
    void txtPayment_GotFocus(int Index);
    void txtPayment_LostFocus(int Index);
    void cmdClearSchedule_Click();
    void cmdRedo_Click();
    void MonthView1_DateClick(const QDate &date);
    void cmdSave_Click();
    void cmdDelete_Click();
    void cmdContinue_Click();
    void cmdCancelPrint_Click();
    void cmdProposalContinue_Click();
    void cmdPrintEmail_Click();
    void cmdPreview_Click();
    void mnuSize_Click(int points);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void Leave(int screen);
    void SelectPayments(int n);
    bool RecordProposal(const ProposalDocument &document);
    // Leaves an amount beyond the largest one in its box, with a word.
    void RefuseTooLarge(QLineEdit *box);
    QString BodyText() const;
    void AppendToBody(const QString &text);
    void FocusBodyAtEnd();

    // The number whose three files this writer has written (0: none yet).
    qint16 wroteNumber_ = 0;
    bool emailAfterPrint_ = false; // the print was asked for with E-mail
    // The body has had the focus once.
    bool bodyEntered_ = false;
};
