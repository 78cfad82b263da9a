#include "app/frmStartup.h"
#include "common/CommonVariables.h"
#include "common/ScreenRegistry.h"
#include "CustomerFixtures.h"
#include "customers/AccountListModel.h"
#include "customers/CustomersFoundModel.h"
#include "customers/frmCustomer.h"
#include "FileSizeLimit.h"
#include "records/frmFieldProposal.h"
#include "proposals/frmWriteProposal.h"
#include "TestMain.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTableView>
#include <QTest>

Q_DECLARE_METATYPE(CustomerRecord)

// The customer screen driven through its handlers, with scripted message boxes.
class frmCustomerTest : public QObject {
    Q_OBJECT
private slots:
    void init() { QLocale::setDefault(QLocale("en_US")); }
    void cleanup() { CloseAllScreens(); }
    void emptyFileStartsTheFirstCustomer();
    void browsingArithmetic();
    void browsingLeavesAnUntouchedCustomerAsStored_data();
    void browsingLeavesAnUntouchedCustomerAsStored();
    void refusedAccountNumbersChangeNothing_data();
    void refusedAccountNumbersChangeNothing();
    void newCustomerIsNumberedFromTheFile();
    void deleteCompactsAndDropsTheStaleSearchGrid();
    void auxDataGoesOnlyIntoItsOwnFolder();
    void startProposalHandsOver_data();
    void startProposalHandsOver();
    void secondSaveKeepsTheLoadedCompanions_data();
    void secondSaveKeepsTheLoadedCompanions();
    void unkeptCharactersAreAskedAbout_data();
    void unkeptCharactersAreAskedAbout();
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

void frmCustomerTest::emptyFileStartsTheFirstCustomer() {
    TestFolder folder;
    folder.prompt->AnswerOk(2);
    frmCustomer *form = Activate(folder, {});
    FillIndividual(form, "1", "Ann", "Lee");
    bool limited = false, saved = true;
    {
        FileSizeLimit disk(100);
        limited = disk.active();
        saved = form->SaveCustomer();
    }
    QVERIFY(limited);
    QVERIFY(!saved);
    // Only the invitation and the failed write: with no customer file there is
    // nothing to rebuild the companion files from, and no reason to say so.
    QCOMPARE(folder.prompt->Texts().size(), 2);
    QCOMPARE(folder.prompt->Texts()[0],
             QString("Your Customer File is Empty\r\nCreate your First Customer Now"));
    QVERIFY(folder.prompt->Texts()[1].contains("CustomerData.txt"));
    for (const char *name : {"CustomerData.txt", "ContractInfo.txt", "CycleInfo.txt"})
        QVERIFY2(!folder.exists(name), name);

    // Still the new customer on the screen: with room again the same entry is saved.
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

// Another customer's number, or one that would name a folder outside its own,
// is refused on every way out of the box; the file stays as it was.
void frmCustomerTest::refusedAccountNumbersChangeNothing_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("message"); // its first line
    const QString duplicated = "The Account Number has been duplicated";
    const auto row = [](const char *name, const QString &typed, const QString &path, const QString &message) {
        QTest::newRow(name) << typed << path << message;
    };
    row("access key while the box has the focus", "200 ", "exit", duplicated);
    row("letter case", "ab1", "exit", duplicated);
    row("hand-over to the proposal", " AB1", "proposal", duplicated);
    row("leaving the box: letter case", "Ab1", "leave", duplicated);
    row("saving: a folder above", "..", "save", "The Account Number cannot be \"..\"");
    row("saving: a path", "../x", "save", "This character, (.) is invalid for the Account Number");
}

void frmCustomerTest::refusedAccountNumbersChangeNothing() {
    QFETCH(QString, typed);
    QFETCH(QString, path);
    QFETCH(QString, message);
    TestFolder folder;
    frmCustomer *form = Activate(folder, Mixed() << Business("AB1", "Lettered Inc"));
    const QByteArray before = folder.read("CustomerData.txt");
    form->txtCustomer[0]->setText(typed);
    folder.prompt->AnswerOk();
    if (path == "exit")
        form->cmdExit_Click();
    else if (path == "proposal")
        form->cmdSchedule_Click();
    else if (path == "save")
        QVERIFY(!form->SaveCustomer());
    else
        form->txtCustomer_LostFocus(0);
    QVERIFY(!folder.prompt->shown.isEmpty());
    QCOMPARE(folder.prompt->shown.last().text.section("\r\n", 0, 0), message);
    QCOMPARE(folder.read("CustomerData.txt"), before);
    QVERIFY(!ScreenRegistry::Existing<frmStartup>());
    QVERIFY(!ScreenRegistry::Existing<frmWriteProposal>());
}

void frmCustomerTest::newCustomerIsNumberedFromTheFile() {
    TestFolder folder;
    frmCustomer *form = Activate(folder, Mixed());
    form->mnuAdd_Click();
    QCOMPARE(CustomerRecNo, 5);
    // No account number: the telephone number becomes it.
    FillIndividual(form, "  ", "Jane", "Doe");
    form->txtCustomer[6]->setText(" 555-123-4567 ");
    form->cboCity->setEditText("Rivertown");
    folder.prompt->AnswerOk();
    QVERIFY(form->SaveCustomer());
    QCOMPARE(folder.prompt->Texts(), QStringList{"Telephone Number will be used as Acct No."});
    const CustomerRecord stored = StoredCustomer(folder, 5);
    QCOMPARE(stored.AcctNo.trimmed(), QString("555-123-4567"));
    QCOMPARE(stored.LastName.trimmed(), QString("Doe"));
    QCOMPARE(stored.Reserved1, qint16(1));
    QCOMPARE(stored.CityCopy.trimmed(), QString("Rivertown"));
    QCOMPARE(folder.read("ContractInfo.txt").size(), 5 * 386);
    QCOMPARE(folder.read("CycleInfo.txt").size(), 5 * 69);
}

void frmCustomerTest::deleteCompactsAndDropsTheStaleSearchGrid() {
    TestFolder folder;
    const QList<CustomerRecord> four{Business("100", "Smith Plumbing"), Business("200", "Smithers Roofing"),
                                     Business("300", "Adams Paint"), Business("400", "Blacksmith Inc")};
    frmCustomer *form = Activate(folder, four);
    form->Command1_Click(0);
    form->optSearch[0]->setChecked(true);
    form->txtSearchfor->setText("SMI");
    form->cmdStartSearch_Click();
    QCOMPARE(form->FoundModel()->rowCount(), 3);
    form->fgCustomersFound->selectRow(1);
    form->mnuSelect_Click();
    QCOMPARE(CustomerRecNo, 2);
    folder.prompt->Answer(MsgAnswer::No);
    form->mnuDelete_Click();
    QCOMPARE(folder.read("CustomerData.txt"), CustomerBytes(four));
    folder.prompt->Answer(MsgAnswer::Yes);
    form->mnuDelete_Click();
    QCOMPARE(folder.read("CustomerData.txt"), CustomerBytes({four[0], four[2], four[3]}));
    QCOMPARE(ContractLayout().Read(folder.read("ContractInfo.txt").mid(386)).Field1.trimmed(),
             QString("contract 3"));
    QCOMPARE(form->AccountModel()->rowCount(), 3);
    // The grid's record numbers have moved: whatever it still holds picks the customer it names.
    for (int row = 0; row < form->FoundModel()->rowCount(); ++row) {
        const QString name = form->FoundModel()->Rows()[size_t(row)].name;
        form->fgCustomersFound->selectRow(row);
        form->mnuSelect_Click();
        QCOMPARE(form->txtCustomer[1]->text(), name);
    }
}

void frmCustomerTest::auxDataGoesOnlyIntoItsOwnFolder() {
    TestFolder folder;
    // "AB1" was written before numbers differing only in case were refused;
    // both numbers name the folder of "ab1".
    frmCustomer *form = Activate(folder, Mixed() << Business("ab1", "Lower") << Business("AB1", "Upper"));
    const QByteArray before = folder.read("CustomerData.txt");
    folder.write("AuxFiles/200/AuxFile0/Data.txt", "second's own\r\n");
    folder.write("AuxFiles/ab1/AuxFile0/Data.txt", "lower's own\r\n");
    // Such old duplicates still load and browse untouched.
    for (int i = 0; i < 6; ++i)
        form->cmdNav_Click(2);
    QCOMPARE(CustomerRecNo, 1);
    QCOMPARE(folder.read("CustomerData.txt"), before);

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

    // Another customer's number typed over this one's, not saved yet: refused,
    // and nothing typed is dropped.
    form->txtCustomer[0]->setText("200 ");
    form->txtAux[0]->setPlainText("first's notes");
    folder.prompt->AnswerOk();
    form->cmdSaveAux_Click(2);
    QCOMPARE(folder.read("AuxFiles/200/AuxFile0/Data.txt"), QByteArray("second's own\r\n"));
    QVERIFY(!form->fraAux->isHidden());
    QCOMPARE(form->txtAux[0]->toPlainText(), QString("first's notes"));

    // The stored numbers of the two that differ only in case.
    form->txtCustomer[0]->setText("100");
    form->cmdSaveAux_Click(2);
    QCOMPARE(folder.read("AuxFiles/100/AuxFile0/Data.txt"), QByteArray("first's notes\r\n"));
    form->cmdNav_Click(3);
    form->mnuAux_Click();
    form->txtAux[0]->setPlainText("upper's notes");
    folder.prompt->AnswerOk();
    form->cmdSaveAux_Click(2);
    QCOMPARE(folder.prompt->shown.size(), 2);
    QCOMPARE(folder.read("AuxFiles/ab1/AuxFile0/Data.txt"), QByteArray("lower's own\r\n"));
}

void frmCustomerTest::startProposalHandsOver_data() {
    QTest::addColumn<int>("routine");
    QTest::newRow("proposal") << 1;
    QTest::newRow("field proposal") << 4;
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

void frmCustomerTest::unkeptCharactersAreAskedAbout_data() {
    QTest::addColumn<int>("answer");
    QTest::addColumn<QString>("stored");
    QTest::newRow("kept for changing") << int(MsgAnswer::No) << QString("Lee");
    QTest::newRow("stored with stand-ins") << int(MsgAnswer::Yes) << QString("Lecka ?");
}

void frmCustomerTest::unkeptCharactersAreAskedAbout() {
    QFETCH(int, answer);
    QFETCH(QString, stored);
    TestFolder folder;
    frmCustomer *form = Activate(folder, {Individual("1", "Ann", "Lee")});
    const QString typed = QStringLiteral("Łęcka ✓");
    form->txtCustomer[10]->setText(typed);
    folder.prompt->Answer(MsgAnswer(answer));
    const bool saved = form->SaveCustomer();
    QCOMPARE(saved, answer == int(MsgAnswer::Yes));
    QVERIFY(folder.prompt->ScriptUsed());
    QCOMPARE(form->txtCustomer[10]->text(), saved ? QStringLiteral("Lecka ?") : typed);
    QCOMPARE(StoredCustomer(folder, 1).LastName.trimmed(), stored);
}

TAMSEL_TEST(frmCustomerTest)
#include "tst_frmCustomer.moc"
