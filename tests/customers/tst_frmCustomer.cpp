#include "app/frmStartup.h"
#include "common/CommonVariables.h"
#include "common/ScreenRegistry.h"
#include "CustomerFixtures.h"
#include "customers/AccountListModel.h"
#include "customers/CustomerTextFiles.h"
#include "customers/CustomersFoundModel.h"
#include "customers/frmCustomer.h"
#include "FileSizeLimit.h"
#include "records/frmFieldProposal.h"
#include "proposals/frmWriteProposal.h"
#include "TestMain.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTest>

Q_DECLARE_METATYPE(CustomerRecord)

// The customer screen driven through its handlers, with scripted message boxes.
class frmCustomerTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup() { CloseAllScreens(); }
    void emptyFileStartsTheFirstCustomer();
    void browsingArithmetic();
    void accountListTypeAheadAndLeavingTheBox();
    void searchResultsAndCustomerListInTheGrid();
    void searchWithoutMatch_data();
    void searchWithoutMatch();
    void incompleteNewCustomerIsNotSaved_data();
    void incompleteNewCustomerIsNotSaved();
    void accountNumberAndKeyChecks();
    void addressStyles();
    void deleteRecordTwoOfThreeThenTheRest();
    void auxDataRoundTripRetainAndBigWindow();
    void startProposalHandsOver_data();
    void startProposalHandsOver();
    void incompleteCustomerFileIsToldOnce();
    void secondSaveKeepsTheLoadedCompanions_data();
    void secondSaveKeepsTheLoadedCompanions();
    void duplicateAccountNumbersAreRefusedOnEveryPath_data();
    void duplicateAccountNumbersAreRefusedOnEveryPath();
    void auxDataNeverGoesIntoAnotherCustomersFolder();
    void browsingLeavesAnUntouchedCustomerAsStored_data();
    void browsingLeavesAnUntouchedCustomerAsStored();
    void newCustomerIsNumberedFromTheFile();
    void deleteDropsTheStaleSearchGrid();
    void newCustomerOnAFullDiskIsReported();
    void fullCustomerFile();
    void unkeptCharactersAreAskedAbout_data();
    void unkeptCharactersAreAskedAbout();
    void screenshots();
};

namespace {

void UsaBusiness() {
    BusinessData[0] = "Tamsel Co";
    BusinessData[3] = "Springfield";
    BusinessData[4] = "IL";
    BusinessData[5] = "62704";
    BusinessData[6] = "217-555-0100";
}

QList<CustomerRecord> Numbered(int count) {
    QList<CustomerRecord> records;
    for (int i = 1; i <= count; ++i)
        records << Individual(QString::number(1000 + i), "First", QString("Last%1").arg(i));
    return records;
}

QList<CustomerRecord> Mixed() {
    CustomerRecord john = Individual("300", "John", "Smith", "Springfield");
    john.Phone = "555-123-4567";
    return {Business("100", "Smith Plumbing", "Springfield"), Business("200", "Blacksmith Inc", "Shelbyville"), john,
            Business("400", "Adams Roofing", "Capital City")};
}

frmCustomer *Activate(TestFolder &folder, const QList<CustomerRecord> &records) {
    UsaBusiness();
    if (!records.isEmpty())
        WriteCustomers(folder, records);
    auto *form = ScreenRegistry::Get<frmCustomer>();
    form->Form_Activate();
    return form;
}

void FillIndividual(frmCustomer *form, const QString &acct, const QString &first, const QString &last) {
    form->txtCustomer[0]->setText(acct);
    form->txtCustomer[8]->setText(first);
    form->txtCustomer[10]->setText(last);
}

} // namespace

void frmCustomerTest::init() { QLocale::setDefault(QLocale("en_US")); }

void frmCustomerTest::emptyFileStartsTheFirstCustomer() {
    TestFolder folder;
    folder.prompt->AnswerOk();
    frmCustomer *form = Activate(folder, {});
    // Only the invitation: with no customer file there is nothing to rebuild
    // the companion files from, and no reason to say so.
    QCOMPARE(folder.prompt->Texts(), (QStringList{"Your Customer File is Empty\r\nCreate your First Customer Now"}));
    QCOMPARE(form->txtCustomer[6]->text(), QString("217-555-"));
    QCOMPARE(form->cboCity->currentText(), QString("Springfield"));
    for (const char *name : {"CustomerData.txt", "ContractInfo.txt", "CycleInfo.txt"})
        QVERIFY2(!folder.exists(name), name);

    FillIndividual(form, "1", "Ann", "Lee");
    QVERIFY(form->SaveCustomer());
    QCOMPARE(StoredCustomer(folder, 1).LastName.trimmed(), QString("Lee"));
    QCOMPARE(CustomerCount, 1);
    QCOMPARE(folder.read("ContractInfo.txt").size(), 386);
    QCOMPARE(folder.read("CycleInfo.txt").size(), 69);
    QCOMPARE(form->CityList(), QStringList{"Springfield"});
}

void frmCustomerTest::browsingArithmetic() {
    TestFolder folder;
    frmCustomer *form = Activate(folder, Numbered(10));
    const struct {
        int button;
        int expected;
    } steps[] = {{4, 2}, {6, 4}, {5, 6}, {3, 10}, {2, 1}, {1, 1}, {2, 2}, {1, 1}, {3, 10}, {1, 9}, {0, 1}};
    for (const auto &step : steps) {
        form->cmdNav_Click(step.button);
        QCOMPARE(CustomerRecNo, step.expected);
        QCOMPARE(form->txtCustomer[10]->text(), QString("Last%1").arg(step.expected));
    }
    // Each move first saved the customer being left, unchanged.
    QCOMPARE(folder.read("CustomerData.txt"), CustomerBytes(Numbered(10)));
    QVERIFY(folder.prompt->shown.isEmpty());
}

void frmCustomerTest::accountListTypeAheadAndLeavingTheBox() {
    TestFolder folder;
    frmCustomer *form = Activate(folder, Mixed());
    form->Command1_Click(1);
    QLineEdit *edit = form->cboAccounts->lineEdit();
    QTest::keyClicks(edit, "sm");
    // "Smith Plumbing" comes before "Smith, John" in the list.
    QCOMPARE(edit->text(), QString("smith Plumbing"));
    QCOMPARE(edit->selectedText(), QString("ith Plumbing"));
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClicks(edit, "ith,");
    QCOMPARE(edit->text(), QString("smith, John  "));

    // Leaving the box selects the entry equal to the typed text, in any case;
    // without an equal entry nothing changes.
    for (const QString &typed : {QString("SMITH, JOHN"), QString("Nobody")}) {
        form->Command1_Click(1);
        form->cboAccounts->lineEdit()->setText(typed);
        form->cboAccounts_LostFocus();
        QCOMPARE(CustomerRecNo, 3);
        QCOMPARE(form->txtCustomer[8]->text(), QString("John"));
    }
}

void frmCustomerTest::searchResultsAndCustomerListInTheGrid() {
    TestFolder folder;
    frmCustomer *form = Activate(folder, Mixed());
    form->Command1_Click(0);
    form->optSearch[0]->setChecked(true);
    form->optSearch_Click(0);
    form->txtSearchfor->setText("  smi ");
    form->cmdStartSearch_Click();
    QCOMPARE(form->FoundModel()->rowCount(), 2);
    QCOMPARE(form->FoundModel()->RecNoAt(1), 2);
    form->cmdRetry_Click();

    // No option chosen: the account number, anywhere in it.
    form->Command1_Click(0);
    for (QRadioButton *option : form->optSearch)
        option->setAutoExclusive(false), option->setChecked(false);
    form->txtSearchfor->setText("0");
    form->cmdStartSearch_Click();
    QCOMPARE(form->FoundModel()->rowCount(), 4);
    form->cmdRetry_Click();

    // A telephone number too short beeps; one match is shown at once, without the grid.
    form->Command1_Click(0);
    form->optSearch[6]->setChecked(true);
    form->optSearch_Click(6);
    QCOMPARE(form->txtSearchfor->text(), QString("217-555-"));
    form->cmdStartSearch_Click();
    QCOMPARE(folder.prompt->beeps, 1);
    form->txtSearchfor->setText("555-123-4567");
    form->cmdStartSearch_Click();
    QCOMPARE(CustomerRecNo, 3);
    QVERIFY(form->fraCustomersFound->isHidden());

    // The customer list; picking a row drops what was typed into the shown customer.
    form->cmdNav_Click(0);
    form->Command1_Click(3);
    QCOMPARE(form->FoundModel()->rowCount(), 4);
    form->txtCustomer[2]->setText("dropped, not saved");
    form->fgCustomersFound->selectRow(2);
    form->mnuSelect_Click();
    QCOMPARE(CustomerRecNo, 3);
    QVERIFY(form->fraCustomersFound->isHidden());
    QVERIFY(StoredCustomer(folder, 1).Address1.trimmed().isEmpty());
}

void frmCustomerTest::searchWithoutMatch_data() {
    QTest::addColumn<bool>("create");
    QTest::newRow("No closes the results") << false;
    QTest::newRow("Yes starts a new customer") << true;
}

void frmCustomerTest::searchWithoutMatch() {
    QFETCH(bool, create);
    TestFolder folder;
    frmCustomer *form = Activate(folder, Mixed());
    form->Command1_Click(0);
    form->optSearch[7]->setChecked(true);
    form->txtSearchfor->setText("zzz");
    folder.prompt->Answer(create ? MsgAnswer::Yes : MsgAnswer::No);
    form->cmdStartSearch_Click();
    QCOMPARE(folder.prompt->Texts(), QStringList{"No Accounts Matching the Search Data were Found\r\n"
                                                 "Would you like to Create a New Account?"});
    QVERIFY(form->fraCustomersFound->isHidden());
    QCOMPARE(CustomerRecNo, create ? 5 : 1);
    QCOMPARE(CustomerCount, create ? 5 : 4);
    QCOMPARE(form->cmdCustomer->isHidden(), !create);
}

void frmCustomerTest::incompleteNewCustomerIsNotSaved_data() {
    QTest::addColumn<bool>("business");
    QTest::addColumn<QString>("account");
    QTest::addColumn<int>("answer");
    QTest::addColumn<QStringList>("texts");
    QTest::newRow("individual without last name")
        << false << "500" << 0 << QStringList{"Enter Account Data or\r\n Click Cancel AddNew if Visible"};
    QTest::newRow("business without name") << true << "500" << 0 << QStringList{"The Account Name Cannot be Blank"};
    const QStringList blank{"The Telephone Number cannot be blank", "Would you like to exit\r\nwithout creating a Customer?"};
    QTest::newRow("blank number, No stays") << false << "" << int(MsgAnswer::No) << blank;
    QTest::newRow("blank number, Yes returns to the menu") << false << "" << int(MsgAnswer::Yes) << blank;
}

void frmCustomerTest::incompleteNewCustomerIsNotSaved() {
    QFETCH(bool, business);
    QFETCH(QString, account);
    QFETCH(int, answer);
    QFETCH(QStringList, texts);
    TestFolder folder;
    frmCustomer *form = Activate(folder, Mixed());
    const QByteArray before = folder.read("CustomerData.txt");
    form->mnuAdd_Click();
    if (business)
        form->cmdAcctType_Click();
    FillIndividual(form, account, "Jane", account.isEmpty() ? "Doe" : "");
    folder.prompt->AnswerOk();
    if (answer)
        folder.prompt->Answer(MsgAnswer(answer));
    form->cmdSchedule_Click();
    QCOMPARE(folder.prompt->Texts(), texts);
    QCOMPARE(folder.read("CustomerData.txt"), before);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    const bool leave = answer == int(MsgAnswer::Yes);
    QCOMPARE(ScreenRegistry::Existing<frmCustomer>() == form, !leave);
    QCOMPARE(ScreenRegistry::Existing<frmStartup>() != nullptr, leave);
    QVERIFY(!ScreenRegistry::Existing<frmWriteProposal>());
    if (!leave)
        QCOMPARE(CustomerRecNo, 5);
}

void frmCustomerTest::accountNumberAndKeyChecks() {
    TestFolder folder;
    frmCustomer *form = Activate(folder, Mixed());
    const QByteArray before = folder.read("CustomerData.txt");
    // The boxes that name files take no character a file name cannot hold.
    for (QLineEdit *box : {form->txtCustomer[0], form->txtCustomer[6], form->txtAdd3, form->txtAdd4}) {
        box->clear();
        folder.prompt->AnswerOk();
        QTest::keyClicks(box, "A/");
        QCOMPARE(box->text(), QString("A"));
    }
    QCOMPARE(folder.prompt->Texts().size(), 4);
    QTest::keyClicks(form->txtCustomer[2], "/");
    QVERIFY(form->txtCustomer[2]->text().endsWith('/'));
    form->Form_Activate(); // the customer reloaded as stored
    folder.prompt->shown.clear();
    // Leaving the box: its own number, or part of another's, is no duplicate.
    for (const QString &own : {QString("100"), QString("30")}) {
        form->txtCustomer[0]->setText(own);
        form->txtCustomer_LostFocus(0);
    }
    QVERIFY(folder.prompt->shown.isEmpty());

    // Saving: a number that would leave its folder is refused, whatever the key filter let through.
    for (const QString &bad : {QString("../x"), QString(".."), QString("A&B")}) {
        form->txtCustomer[0]->setText(bad);
        folder.prompt->AnswerOk();
        QVERIFY(!form->SaveCustomer());
        QCOMPARE(folder.prompt->shown.last().title, QString("Invalid Account Number"));
    }
    QCOMPARE(folder.read("CustomerData.txt"), before);
    form->txtCustomer[0]->setText("12.5");
    QVERIFY(form->SaveCustomer());
    QCOMPARE(StoredCustomer(folder, 1).AcctNo.trimmed(), QString("12.5"));

    // No account number: the telephone number becomes it.
    form->mnuAdd_Click();
    FillIndividual(form, "  ", "Jane", "Doe");
    form->txtCustomer[6]->setText(" 555-123-4567 ");
    folder.prompt->AnswerOk();
    QVERIFY(form->SaveCustomer());
    QCOMPARE(folder.prompt->shown.last().text, QString("Telephone Number will be used as Acct No."));
    QCOMPARE(StoredCustomer(folder, 5).AcctNo.trimmed(), QString("555-123-4567"));
}

void frmCustomerTest::addressStyles() {
    TestFolder folder;
    frmCustomer *form = Activate(folder, Mixed());
    QVERIFY(form->UsaStyle());
    form->txtCustomer[5]->setText(" 62704");
    form->cboStates->setEditText("MO");
    QVERIFY(form->SaveCustomer());
    CustomerRecord stored = StoredCustomer(folder, 1);
    QCOMPARE(stored.PostalCode, QString(" 62704    "));
    QCOMPARE(stored.Address4.trimmed(), QString("62704"));
    QCOMPARE(stored.State, QString("MO"));

    BusinessData[5].clear(); // a business name without a postal code: international style
    form->Form_Activate();
    QVERIFY(!form->UsaStyle());
    form->txtAdd3->setText("Line three");
    form->txtAdd4->setText("Line four");
    QVERIFY(form->SaveCustomer());
    stored = StoredCustomer(folder, 1);
    QCOMPARE(stored.City.trimmed(), QString("Line three"));
    QCOMPARE(stored.Address4.trimmed(), QString("Line four"));
    QCOMPARE(stored.State, QString("  "));
}

void frmCustomerTest::deleteRecordTwoOfThreeThenTheRest() {
    TestFolder folder;
    frmCustomer *form = Activate(folder, Mixed().mid(0, 3));
    form->cmdNav_Click(2);
    folder.prompt->Answer(MsgAnswer::No);
    form->mnuDelete_Click();
    QCOMPARE(folder.read("CustomerData.txt").size(), 3 * 328);
    folder.prompt->Answer(MsgAnswer::Yes);
    form->mnuDelete_Click();
    QCOMPARE(StoredCustomer(folder, 2).AcctNo.trimmed(), QString("300"));
    QCOMPARE(CustomerCount, 2);
    QCOMPARE(form->txtCustomer[0]->text(), QString("100"));
    QCOMPARE(form->AccountModel()->rowCount(), 2);

    // After the only customer is gone the screen shows empty fields.
    folder.prompt->Answer(MsgAnswer::Yes);
    folder.prompt->Answer(MsgAnswer::Yes);
    form->mnuDelete_Click();
    form->mnuDelete_Click();
    QCOMPARE(folder.read("CustomerData.txt").size(), 0);
    QVERIFY(form->txtCustomer[0]->text().isEmpty());
    QCOMPARE(form->AccountModel()->rowCount(), 0);
    QVERIFY(form->CityList().isEmpty());
}

void frmCustomerTest::auxDataRoundTripRetainAndBigWindow() {
    TestFolder folder;
    frmCustomer *form = Activate(folder, Mixed());
    folder.write("AuxFiles/200/AuxFile0/Data.txt", "second's own\r\n");
    form->mnuAux_Click();
    form->txtAux[0]->setPlainText("Gate 1234");
    form->txtAux[5]->setPlainText("two\nlines");
    form->cmdSaveAux_Click(2);
    QCOMPARE(folder.read("AuxFiles/100/AuxFile5/Data.txt"), QByteArray("two\r\nlines\r\n"));
    QCOMPARE(folder.read("AuxFiles/100/AuxFile4/Data.txt"), QByteArray("\r\n"));
    form->mnuAux_Click();
    form->cmdSaveAux_Click(7);
    QCOMPARE(form->txtAux[0]->toPlainText(), QString("second's own"));
    form->cmdSaveAux_Click(8);
    QCOMPARE(form->txtAux[0]->toPlainText(), QString("Gate 1234"));

    // Retained boxes go to the next account at its next save of the boxes.
    form->ckSaveAux->setChecked(true);
    form->cmdSaveAux_Click(7);
    form->cmdSaveAux_Click(7);
    QCOMPARE(CustomerRecNo, 3);
    QCOMPARE(folder.read("AuxFiles/200/AuxFile0/Data.txt"), QByteArray("Gate 1234\r\n"));
    form->cmdSaveAux_Click(2);
    QCOMPARE(folder.read("AuxFiles/300/AuxFile5/Data.txt"), QByteArray("two\r\nlines\r\n"));
    form->txtHeading[1]->setText("Dog's name");
    form->txtHeading_DblClick(0);
    form->cmdSaveAux_Click(0);
    QCOMPARE(folder.read("AuxHeadings.txt"),
             QByteArray("\r\nDog's name\r\nHeading #3\r\nHeading #4\r\nHeading #5\r\nHeading #6\r\n"));

    // A data box opened in the big window, cleared, restored and edited there.
    form->mnuAux_Click();
    form->txtAux[2]->setPlainText("small");
    form->txtAux_DblClick(2);
    QCOMPARE(form->lblEditing->text(), QString("Editing Data Box # 3 - Heading #3 - for  John Smith"));
    form->cmdSaveAux_Click(5);
    QVERIFY(form->txtBig->toPlainText().isEmpty());
    form->cmdSaveAux_Click(6);
    QCOMPARE(form->txtBig->toPlainText(), QString("small"));
    form->txtBig->setPlainText("bigger text");
    form->cmdSaveAux_Click(4);
    QCOMPARE(form->txtAux[2]->toPlainText(), QString("bigger text"));
    // A new customer not yet given a number has no folder to save into.
    form->mnuAdd_Click();
    folder.prompt->AnswerOk();
    form->cmdSaveAux_Click(2);
    QCOMPARE(folder.prompt->shown.size(), 1);
    QCOMPARE(QDir(folder.file("AuxFiles")).entryList(QDir::Dirs | QDir::NoDotAndDotDot),
             (QStringList{"100", "200", "300"}));
}

void frmCustomerTest::startProposalHandsOver_data() {
    QTest::addColumn<int>("routine");
    QTest::newRow("proposal") << 1;
    QTest::newRow("field proposal") << 4;
    QTest::newRow("another routine shows nothing") << 5;
}

void frmCustomerTest::startProposalHandsOver() {
    QFETCH(int, routine);
    TestFolder folder;
    frmCustomer *form = Activate(folder, Mixed());
    form->show();
    SelectedRoutine = static_cast<qint16>(routine);
    form->cmdNav_Click(2);
    form->txtCustomer[7]->setText("on the hand-over");
    form->cmdSchedule_Click();
    QVERIFY(form->isHidden());
    QCOMPARE(StoredCustomer(folder, 2).Other.trimmed(), QString("on the hand-over"));
    QCOMPARE(ScreenRegistry::Existing<frmWriteProposal>() != nullptr, routine == 1);
    QCOMPARE(ScreenRegistry::Existing<frmFieldProposal>() != nullptr, routine == 4);
    // The buffers hold the companions of the customer handed over.
    QCOMPARE(ContractRec.Field1.trimmed(), QString("contract 2"));
    ScreenRegistry::Show(form);
    form->cmdExit_Click();
    QVERIFY(ScreenRegistry::Existing<frmStartup>()->isVisible());
}

void frmCustomerTest::incompleteCustomerFileIsToldOnce() {
    TestFolder folder;
    WriteCustomers(folder, Mixed().mid(0, 2));
    const QByteArray stored = folder.read("CustomerData.txt") + QByteArray("partial");
    folder.write("CustomerData.txt", stored);
    folder.prompt->AnswerOk();
    frmCustomer *form = Activate(folder, {});
    form->Form_Activate();
    QCOMPARE(folder.prompt->shown.size(), 1);
    QVERIFY(folder.prompt->shown[0].text.contains("CustomerData.txt"));
    QCOMPARE(form->AccountModel()->rowCount(), 2);
    form->cmdNav_Click(3);
    form->cmdNav_Click(2);
    QCOMPARE(CustomerRecNo, 1);
    QCOMPARE(folder.read("CustomerData.txt"), stored);
}

void frmCustomerTest::secondSaveKeepsTheLoadedCompanions_data() {
    QTest::addColumn<int>("customers");
    QTest::addColumn<bool>("search");
    QTest::newRow("criteria search opened twice") << 4 << true;
    QTest::newRow("quarter button twice with three customers") << 3 << false;
}

void frmCustomerTest::secondSaveKeepsTheLoadedCompanions() {
    QFETCH(int, customers);
    QFETCH(bool, search);
    TestFolder folder;
    frmCustomer *form = Activate(folder, Mixed().mid(0, customers));
    form->cmdNav_Click(2);
    const QByteArray contracts = folder.read("ContractInfo.txt");
    const QByteArray cycles = folder.read("CycleInfo.txt");
    for (int pass = 1; pass <= 2; ++pass) {
        form->txtCustomer[7]->setText(QString("edit %1").arg(pass)); // something to save each time
        if (search)
            form->Command1_Click(0);
        else
            form->cmdNav_Click(4);
        QCOMPARE(CustomerRecNo, 2);
        QCOMPARE(StoredCustomer(folder, 2).Other.trimmed(), QString("edit %1").arg(pass));
    }
    QCOMPARE(folder.read("ContractInfo.txt"), contracts);
    QCOMPARE(folder.read("CycleInfo.txt"), cycles);
}

void frmCustomerTest::duplicateAccountNumbersAreRefusedOnEveryPath_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("phone");
    QTest::addColumn<QString>("path");
    const auto row = [](const char *name, const QString &typed, const QString &phone, const QString &path) {
        QTest::newRow(name) << typed << phone << path;
    };
    row("access key while the box has the focus", "200", "", "exit");
    row("trailing blank", "200 ", "", "exit");
    row("letter case", "ab1", "", "exit");
    row("menu takes the focus as a pop-up", "200", "", "menu");
    row("hand-over to the proposal", " AB1", "", "proposal");
    row("blank number takes another's as telephone", "", " 200 ", "exit");
    row("leaving the box: trailing blank", "200 ", "", "leave");
    row("leaving the box: letter case", "Ab1", "", "leave");
}

void frmCustomerTest::duplicateAccountNumbersAreRefusedOnEveryPath() {
    QFETCH(QString, typed);
    QFETCH(QString, phone);
    QFETCH(QString, path);
    TestFolder folder;
    frmCustomer *form = Activate(folder, Mixed() << Business("AB1", "Lettered Inc"));
    const QByteArray before = folder.read("CustomerData.txt");
    form->txtCustomer[0]->setText(typed);
    form->txtCustomer[6]->setText(phone);
    folder.prompt->AnswerOk(phone.isEmpty() ? 1 : 2);
    if (path == "exit")
        form->cmdExit_Click();
    else if (path == "menu")
        form->mnuAdd_Click();
    else if (path == "proposal")
        form->cmdSchedule_Click();
    else
        form->txtCustomer_LostFocus(0);
    QVERIFY(!folder.prompt->shown.isEmpty());
    QCOMPARE(folder.prompt->shown.last().text,
             QString("The Account Number has been duplicated\r\nEnter a different Number"));
    QVERIFY(folder.prompt->ScriptUsed());
    QVERIFY(form->txtCustomer[0]->text().isEmpty());
    QCOMPARE(folder.read("CustomerData.txt"), before);
    QCOMPARE(CustomerCount, 5);
    QCOMPARE(CustomerRecNo, 1);
    QVERIFY(!ScreenRegistry::Existing<frmStartup>());
    QVERIFY(!ScreenRegistry::Existing<frmWriteProposal>());
}

void frmCustomerTest::auxDataNeverGoesIntoAnotherCustomersFolder() {
    TestFolder folder;
    // "AB1" was written before numbers differing only in case were refused;
    // both numbers name the folder of "ab1".
    frmCustomer *form = Activate(folder, Mixed() << Business("ab1", "Lower") << Business("AB1", "Upper"));
    const QByteArray before = folder.read("CustomerData.txt");
    folder.write("AuxFiles/200/AuxFile0/Data.txt", "second's own\r\n");
    folder.write("AuxFiles/ab1/AuxFile0/Data.txt", "lower's own\r\n");
    const QString message = "The Account Number has been duplicated\r\nEnter a different Number";
    // Such old duplicates still load and browse untouched.
    for (int i = 0; i < 6; ++i)
        form->cmdNav_Click(2);
    QCOMPARE(CustomerRecNo, 1);
    QCOMPARE(folder.read("CustomerData.txt"), before);

    // Another customer's number typed over this one's, not saved yet.
    form->txtCustomer[0]->setText("200 ");
    form->mnuAux_Click();
    form->txtAux[0]->setPlainText("first's notes");
    folder.prompt->AnswerOk(2);
    form->cmdSaveAux_Click(2);
    form->cmdSaveAux_Click(7);
    QCOMPARE(folder.prompt->Texts(), (QStringList{message, message}));
    QCOMPARE(folder.read("AuxFiles/200/AuxFile0/Data.txt"), QByteArray("second's own\r\n"));
    // Nothing typed is dropped: the boxes and the customer stay on screen.
    QVERIFY(!form->fraAux->isHidden());
    QCOMPARE(CustomerRecNo, 1);
    QCOMPARE(form->txtAux[0]->toPlainText(), QString("first's notes"));

    // The stored numbers of the two that differ only in case.
    form->txtCustomer[0]->setText("100");
    form->cmdSaveAux_Click(2);
    form->cmdNav_Click(3);
    form->mnuAux_Click();
    form->txtAux[0]->setPlainText("upper's notes");
    folder.prompt->AnswerOk();
    form->cmdSaveAux_Click(2);
    QCOMPARE(folder.prompt->shown.size(), 3);
    QCOMPARE(folder.read("AuxFiles/ab1/AuxFile0/Data.txt"), QByteArray("lower's own\r\n"));
    QCOMPARE(folder.read("AuxFiles/100/AuxFile0/Data.txt"), QByteArray("first's notes\r\n"));
    // Changing one of them asks for a number of its own.
    form->txtCustomer[0]->setText("AB2");
    QVERIFY(form->SaveCustomer());
    QCOMPARE(StoredCustomer(folder, 6).AcctNo.trimmed(), QString("AB2"));
}

void frmCustomerTest::browsingLeavesAnUntouchedCustomerAsStored_data() {
    QTest::addColumn<bool>("usa");
    QTest::addColumn<CustomerRecord>("stored");
    CustomerRecord canada = Business("100", "Maple Leaf Ltd", "Ottawa");
    canada.Address4 = "Ontario K1A 0B1 Canada"; // the postal code left blank
    QTest::newRow("USA style, long Address4 behind a blank postal code") << true << canada;
    CustomerRecord usa = Business("100", "Smith Plumbing", "Springfield");
    usa.State = "IL";
    usa.PostalCode = " 62704";
    usa.Address4 = "62704";
    QTest::newRow("international style, a USA-style customer") << false << usa;
    CustomerRecord padded = Individual(" 100", "  John", "Smith ");
    padded.Address1 = "  12 Elm Street";
    padded.Title = "Dr.";
    padded.MiddleInitial = " ";
    padded.AcctType = "individual";
    QTest::newRow("USA style, blanks and case as stored") << true << padded;
}

void frmCustomerTest::browsingLeavesAnUntouchedCustomerAsStored() {
    QFETCH(bool, usa);
    QFETCH(CustomerRecord, stored);
    TestFolder folder;
    frmCustomer *form = Activate(folder, {stored, Business("200", "Blacksmith Inc")});
    if (!usa) {
        BusinessData[5].clear();
        form->Form_Activate();
    }
    QCOMPARE(form->UsaStyle(), usa);
    const QByteArray before = folder.read("CustomerData.txt");
    // Browsing saves untouched; an edit rewrites the field edited and keeps the others as stored.
    form->cmdNav_Click(2);
    form->cmdNav_Click(1);
    QCOMPARE(folder.read("CustomerData.txt"), before);
    form->txtCustomer[6]->setText("555-000-1111");
    form->cmdNav_Click(2);
    CustomerRecord expected = CustomerLayout().Read(before.left(328));
    expected.Phone = "555-000-1111";
    QCOMPARE(folder.read("CustomerData.txt"), CustomerLayout().Write(expected) + before.mid(328));
    QVERIFY(folder.prompt->shown.isEmpty());
}

void frmCustomerTest::newCustomerIsNumberedFromTheFile() {
    TestFolder folder;
    frmCustomer *form = Activate(folder, Mixed());
    // A new customer cancelled: nothing is written and the first is shown.
    form->cmdNav_Click(3);
    form->cmdNew_Click();
    QCOMPARE(CustomerRecNo, 5);
    QCOMPARE(form->cboStates->currentText(), QString("IL"));
    QCOMPARE(form->txtCustomer[5]->text(), QString("62704"));
    form->cmdCustomer_Click();
    QCOMPARE(CustomerCount, 4);
    QCOMPARE(CustomerRecNo, 1);
    QCOMPARE(folder.read("CustomerData.txt").size(), 4 * 328);
    form->mnuAdd_Click();
    // An existing customer picked from the list instead of entering the new one.
    form->Command1_Click(1);
    form->cboAccounts_Click(form->cboAccounts->findText("Adams Roofing"));
    QCOMPARE(CustomerRecNo, 4);
    form->mnuAdd_Click();
    QCOMPARE(CustomerRecNo, 5);
    FillIndividual(form, "500", "Jane", "Doe");
    form->cboCity->setEditText("Rivertown");
    QVERIFY(form->SaveCustomer());
    const CustomerRecord stored = StoredCustomer(folder, 5);
    QCOMPARE(stored.LastName.trimmed(), QString("Doe"));
    QCOMPARE(stored.Reserved1, qint16(1));
    QCOMPARE(stored.CityCopy.trimmed(), QString("Rivertown"));
    QCOMPARE(folder.read("ContractInfo.txt").size(), 5 * 386);
    QCOMPARE(folder.read("CycleInfo.txt").size(), 5 * 69);
    QCOMPARE(form->CityList().indexOf("Rivertown"), 1 + form->CityList().indexOf("Capital City"));
    form->BuildAccountList();
    for (const AccountEntry &entry : form->AccountModel()->Entries())
        QVERIFY(!entry.name.trimmed().startsWith(','));
}

void frmCustomerTest::deleteDropsTheStaleSearchGrid() {
    TestFolder folder;
    frmCustomer *form =
        Activate(folder, {Business("100", "Smith Plumbing"), Business("200", "Smithers Roofing"),
                          Business("300", "Adams Paint"), Business("400", "Blacksmith Inc")});
    form->Command1_Click(0);
    form->optSearch[0]->setChecked(true);
    form->txtSearchfor->setText("SMI");
    form->cmdStartSearch_Click();
    QCOMPARE(form->FoundModel()->rowCount(), 3);
    QCOMPARE(CustomerRecNo, 1);
    folder.prompt->Answer(MsgAnswer::Yes);
    form->mnuDelete_Click();
    QCOMPARE(StoredCustomer(folder, 1).AcctName.trimmed(), QString("Smithers Roofing"));
    QVERIFY(form->fraCustomersFound->isHidden());
    // Whatever the grid still holds picks the customer it names.
    for (int row = 0; row < form->FoundModel()->rowCount(); ++row) {
        const QString name = form->FoundModel()->Rows()[size_t(row)].name;
        form->fgCustomersFound->selectRow(row);
        form->mnuSelect_Click();
        QCOMPARE(form->txtCustomer[1]->text(), name);
    }
}

void frmCustomerTest::newCustomerOnAFullDiskIsReported() {
    TestFolder folder;
    frmCustomer *form = Activate(folder, Numbered(12));
    const QStringList names{"CustomerData.txt", "ContractInfo.txt", "CycleInfo.txt"};
    QList<QByteArray> before;
    for (const QString &name : names)
        before << folder.read(name);
    form->mnuAdd_Click();
    FillIndividual(form, "2000", "Jane", "Doe");
    folder.prompt->AnswerOk();
    bool limited = false, saved = true;
    {
        FileSizeLimit disk(4096); // room for 160 bytes of the new record
        limited = disk.active();
        saved = form->SaveCustomer();
    }
    QVERIFY(limited);
    QVERIFY(!saved);
    QVERIFY(folder.prompt->shown[0].text.contains("CustomerData.txt"));
    for (int i = 0; i < names.size(); ++i)
        QVERIFY2(folder.read(names[i]) == before[i], qPrintable(names[i]));
    // Still the new customer on the screen: with room again the same entry is saved.
    QVERIFY(form->SaveCustomer());
    QCOMPARE(StoredCustomer(folder, 13).LastName.trimmed(), QString("Doe"));
    QCOMPARE(folder.read("ContractInfo.txt").size(), 13 * 386);
}

void frmCustomerTest::fullCustomerFile() {
    TestFolder folder;
    frmCustomer *form = Activate(folder, Numbered(32766));
    form->mnuAdd_Click();
    QCOMPARE(CustomerRecNo, 32767);
    FillIndividual(form, "last", "Jane", "Doe");
    QVERIFY(form->SaveCustomer());
    QCOMPARE(StoredCustomer(folder, 32767).LastName.trimmed(), QString("Doe"));
    folder.prompt->AnswerOk();
    form->mnuAdd_Click();
    QCOMPARE(folder.prompt->Texts(),
             QStringList{"The customer file holds 32767 customers, the most it can keep.\r\n"
                         "Delete a customer before adding a new one."});
    QCOMPARE(CustomerCount, 32767);
    QCOMPARE(CustomerRecNo, 32767);
    QCOMPARE(folder.read("CustomerData.txt").size(), 32767 * 328);
}

// Pictures of the screen for the documentation, written only when asked:
// TAMSEL_SCREENSHOTS=<folder> test_customers screenshots
void frmCustomerTest::screenshots() {
    const QString target = qEnvironmentVariable("TAMSEL_SCREENSHOTS");
    if (target.isEmpty())
        QSKIP("TAMSEL_SCREENSHOTS is not set");
    TestFolder folder;
    QList<CustomerRecord> records = Mixed();
    records[2].Address1 = "88 Maple Avenue";
    records[2].State = "IL";
    records[2].PostalCode = records[2].Address4 = "62702";
    folder.write("AuxHeadings.txt", "Gate code\r\nDog\r\nWater shut-off\r\nPanel\r\nParking\r\nNotes\r\n");
    frmCustomer *form = Activate(folder, records);
    form->show();
    const auto save = [&](const QString &name) {
        form->resize(960, form->sizeHint().height());
        QCoreApplication::processEvents();
        QVERIFY(form->grab().save(target + "/" + name));
    };
    save("customer-business.png");
    form->cmdNav_Click(2);
    form->cmdNav_Click(2);
    save("customer-individual.png");
    form->Command1_Click(0);
    form->optSearch[0]->setChecked(true);
    form->txtSearchfor->setText("smi");
    save("customer-search.png");
    form->cmdStartSearch_Click();
    form->fgCustomersFound->selectRow(1);
    save("customer-results.png");
    form->cmdRetry_Click();
    form->txtAux[0]->setPlainText("4711#");
    form->txtAux[5]->setPlainText("Call before arriving.\nInvoices to the office.");
    form->mnuAux_Click();
    save("customer-aux.png");
    form->txtAux_DblClick(5);
    save("customer-aux-big.png");
}

void frmCustomerTest::unkeptCharactersAreAskedAbout_data() {
    QTest::addColumn<bool>("aux");
    QTest::addColumn<int>("answer");
    QTest::addColumn<QString>("stored");
    QTest::newRow("name kept for changing") << false << int(MsgAnswer::No) << QString("Lee");
    QTest::newRow("name with stand-ins") << false << int(MsgAnswer::Yes) << QString("Lecka ?");
    QTest::newRow("aux box kept for changing") << true << int(MsgAnswer::No) << QString();
    QTest::newRow("aux box with stand-ins") << true << int(MsgAnswer::Yes) << QString("Lecka ?\r\n");
}

void frmCustomerTest::unkeptCharactersAreAskedAbout() {
    QFETCH(bool, aux);
    QFETCH(int, answer);
    QFETCH(QString, stored);
    TestFolder folder;
    frmCustomer *form = Activate(folder, {Individual("1", "Ann", "Lee")});
    QLineEdit *name = form->txtCustomer[10];
    QPlainTextEdit *box = form->txtAux[2];
    const QString typed = QStringLiteral("Łęcka ✓");
    aux ? box->setPlainText(typed) : name->setText(typed);
    folder.prompt->Answer(MsgAnswer(answer));
    const bool saved = aux ? (form->cmdSaveAux_Click(2), folder.exists(AuxDataFileName("1", 2).mid(1)))
                           : form->SaveCustomer();
    QCOMPARE(saved, answer == int(MsgAnswer::Yes));
    QVERIFY(folder.prompt->ScriptUsed());
    QCOMPARE(aux ? box->toPlainText() : name->text(), saved ? QStringLiteral("Lecka ?") : typed);
    if (aux && saved)
        QCOMPARE(folder.read(AuxDataFileName("1", 2).mid(1)), stored.toLatin1());
    else if (!aux)
        QCOMPARE(StoredCustomer(folder, 1).LastName.trimmed(), stored);
}

TAMSEL_TEST(frmCustomerTest)
#include "tst_frmCustomer.moc"
