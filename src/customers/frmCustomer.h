#pragma once
// The customer screen: finding, choosing and editing customers, and the
// auxiliary data boxes of each account. Loaded once per run and kept while
// hidden, so its fields still show the chosen customer when the proposal is
// printed.
#include "common/TamselForm.h"
#include "customers/CustomerRecords.h"
#include "customers/CustomerTextFiles.h"

#include <array>
#include <functional>
#include <optional>

class AccountListModel;
class CustomersFoundModel;
class QAction;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QMenuBar;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QStringListModel;
class QTableView;
class QtPictureBox;

class frmCustomer : public TamselForm {
    Q_OBJECT
public:
    frmCustomer();

    void Form_Load() override;
    void Form_Activate() override;

    // Screen state the other routines and the tests look at.
    bool UsaStyle() const { return usaStyle_; }
    bool SaveSucceeded() const { return saveSucceeded_; }
    CustomersFoundModel *FoundModel() const { return foundModel_; }
    AccountListModel *AccountModel() const { return accountModel_; }
    QStringList CityList() const;

    // Hands the shown customer's name and number (none when both numbers are
    // blank) over to the dialer. The program installs it; without one, as
    // when no modem answered at start-up, the dial icon Image2 is hidden.
    using DialHandler = std::function<void(const QString &name, const std::optional<QString> &number)>;
    static void SetDialHandler(DialHandler handler);

    // Customer fields (there is no txtCustomer[4]).
    std::array<QLineEdit *, 12> txtCustomer{};
    QComboBox *cboTitle = nullptr;
    QComboBox *cboCity = nullptr;
    QComboBox *cboStates = nullptr;
    QLineEdit *txtAdd3 = nullptr;
    QLineEdit *txtAdd4 = nullptr;
    QLabel *lbLType = nullptr;
    QGroupBox *fraUSAddress = nullptr;
    QGroupBox *fraIntAddress = nullptr;

    QPushButton *cmdAcctType = nullptr;
    QPushButton *cmdNew = nullptr;
    QPushButton *cmdCustomer = nullptr;
    std::array<QPushButton *, 7> cmdNav{};
    std::array<QPushButton *, 4> Command1{};
    QPushButton *cmdSchedule = nullptr;
    QPushButton *cmdExit = nullptr;
    QtPictureBox *Image2 = nullptr;

    // Account list.
    QGroupBox *fraListSelect = nullptr;
    QComboBox *cboAccounts = nullptr;

    // Criteria search and results.
    QGroupBox *fraSearch = nullptr;
    std::array<QRadioButton *, 9> optSearch{};
    QLineEdit *txtSearchfor = nullptr;
    QPushButton *cmdStartSearch = nullptr;
    QPushButton *cmdClearSearch = nullptr;
    QPushButton *cmdHideSearch = nullptr;
    QGroupBox *fraCustomersFound = nullptr;
    QTableView *fgCustomersFound = nullptr;
    QPushButton *cmdRetry = nullptr;
    QPushButton *cmdPrintCustomers = nullptr;

    // Menus.
    QMenuBar *menuBar = nullptr;
    QMenu *mnuCust = nullptr;
    QAction *mnuAdd = nullptr;
    QAction *mnuDelete = nullptr;
    QAction *mnuPrint = nullptr;
    QMenu *mnupopup = nullptr;
    QAction *mnuSelect = nullptr;
    QAction *mnuAux = nullptr;

    // Auxiliary data screen (there is no cmdSaveAux[1]).
    QGroupBox *fraAux = nullptr;
    std::array<QLineEdit *, 6> txtHeading{};
    std::array<QPlainTextEdit *, 6> txtAux{};
    std::array<QLabel *, 6> lblClear{};
    QLabel *lblAccount = nullptr;
    QCheckBox *ckSaveAux = nullptr;
    std::array<QPushButton *, 9> cmdSaveAux{};
    QGroupBox *fraBig = nullptr;
    QPlainTextEdit *txtBig = nullptr;
    QLabel *lblEditing = nullptr;

public slots:
    void ShowCustomer();
    bool SaveCustomer();
    void BuildAccountList();
    void Search(int mode, const QString &key);
    void ShowNameFields(const QString &type);

    void cmdNav_Click(int Index);
    void Command1_Click(int Index);
    void cboAccounts_Change();
    void cboAccounts_KeyDown(int KeyCode);
    void cboAccounts_Click(int index);
    void cboAccounts_LostFocus();
    void optSearch_Click(int Index);
    void cmdStartSearch_Click();
    void cmdClearSearch_Click();
    void cmdHideSearch_Click();
    void cmdRetry_Click();
    void cmdPrintCustomers_Click();
    void fgCustomersFound_RightClick();
    void mnuSelect_Click();
    void mnuPrint_Click();
    void cmdSchedule_Click();
    void cmdExit_Click();
    void Image2_Click();

    void cmdAcctType_Click();
    void txtCustomer_LostFocus(int Index);
    void mnuAdd_Click();
    void cmdNew_Click();
    void cmdCustomer_Click();
    void mnuDelete_Click();

    void mnuAux_Click();
    void cmdSaveAux_Click(int Index);
    void txtAux_DblClick(int Index);
    void lblClear_Click(int Index);
    void txtHeading_DblClick(int Index);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    static inline DialHandler dialHandler_;
    // The texts of the customer boxes: txtCustomer by its index (4 unused),
    // then the boxes that are not txtCustomer.
    enum Box { TitleBox = 12, CityBox, StateBox, Add3Box, Add4Box, TypeBox, BoxCount };
    using BoxTexts = std::array<QString, BoxCount>;
    BoxTexts CurrentBoxes() const;
    void TellDuplicateAccount();

    QWidget *BuildCustomerFields();
    QWidget *BuildButtons();
    QGroupBox *BuildSearch();
    QGroupBox *BuildResults();
    QGroupBox *BuildAux();
    void ClearCustomerFields();
    void EnableBrowsing(bool enabled);
    void EnableCustomerMenus(bool enabled);
    void PrefillFromBusiness();
    void LoadAuxBoxes();
    bool SaveAuxBoxes();
    void SetAccountLabel();
    void AddCity(const QString &city);
    void ShowCustomerList();
    void ShowAddressStyle();
    static bool SetupUsesUsaStyle();

    AccountListModel *accountModel_ = nullptr;
    CustomersFoundModel *foundModel_ = nullptr;
    QStringListModel *cityModel_ = nullptr;
    QLabel *lblName_ = nullptr;
    QLabel *lblCity_ = nullptr; // row labels of the two address frames
    QLabel *lblAdd3_ = nullptr;

    bool usaStyle_ = true;
    bool saveSucceeded_ = false;
    bool suppressTypeAhead_ = false;
    qint16 auxBoxEditing_ = 0;
    // The record shown as it is stored (for a new customer, the blank record it
    // starts from) and what the boxes showed of it. A save writes only the
    // fields whose boxes have changed since, and nothing when none has; with
    // no snapshot (a new customer) every field is written from its box.
    CustomerRecord shownRecord_;
    std::optional<BoxTexts> shownBoxes_;
    bool toldIncompleteFile_ = false;
};
