#include "../customers/CustomerFixtures.h"
#include "ProposalFixtures.h"
#include "ScriptedDialogs.h"
#include "TestMain.h"

#include "app/frmStartup.h"
#include "common/CommonVariables.h"
#include "common/ScreenRegistry.h"
#include "platform/RecordingPrintSurface.h"
#include "records/frmFieldProposal.h"
#include "records/frmTerms.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

Q_DECLARE_METATYPE(CustomerRecord)

namespace {

// Shows a screen and waits until it is the active one, as the user sees it.
void ShowActive(TamselForm *screen) {
    ScreenRegistry::Show(screen);
    QVERIFY(QTest::qWaitForWindowActive(screen));
}

struct FieldFixture {
    FieldFixture(const CustomerRecord &customer) {
        MakeProposalFolders(folder);
        folder.write(QStringLiteral("TProposalCounter.txt"), "1001\r\n");
        WriteCustomers(folder, {Business(QStringLiteral("B-1"), QStringLiteral("Other Co")), customer});
        ProposalNo = 1001;
        CustomerRecNo = 2;
        SetDialogs(dialogs);
    }
    ~FieldFixture() {
        if (!dialogs->unexpected.isEmpty())
            QTest::qFail("unscripted dialog", __FILE__, __LINE__);
        SetDialogs(nullptr);
    }
    frmFieldProposal *Open() {
        auto *screen = ScreenRegistry::Get<frmFieldProposal>();
        ShowActive(screen);
        return screen;
    }
    void AnswerPrinter() { dialogs->AnswerPrinter(std::make_shared<RecordingPrintSurface>()); }

    TestFolder folder;
    std::shared_ptr<ScriptedDialogs> dialogs = std::make_shared<ScriptedDialogs>();
};

CustomerRecord Smith(const QString &title, const QString &middle) {
    CustomerRecord rec = Individual(QStringLiteral("A-100"), QStringLiteral("John"), QStringLiteral("Smith"),
                                    QStringLiteral("Salem"));
    rec.Title = title;
    rec.MiddleInitial = middle;
    rec.Address1 = QStringLiteral("5 Elm St");
    rec.State = QStringLiteral("OR");
    rec.Address4 = QStringLiteral("97301");
    rec.Phone = QStringLiteral("503-555-0199");
    rec.Cell = QStringLiteral("503-555-0100");
    return rec;
}

QByteArray FieldFile(const QByteArray &name) {
    return "\"FP1001\",0,#2026-12-05#\r\n\"A-100\"\r\n\"" + name +
           "\"\r\n\"5 Elm St\"\r\n\"\"\r\n\"Salem\"\r\n\"OR\"\r\n\"97301\"\r\n\"503-555-0199\"\r\n";
}

bool MainMenuShown() {
    auto *menu = ScreenRegistry::Existing<frmStartup>();
    return menu && menu->isVisible();
}

} // namespace

class FieldProposalTest : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { Clock::SetToday({}); }
    void confirmedPrintWritesTheFileByteForByte_data();
    void confirmedPrintWritesTheFileByteForByte();
    void declineRetryAndCancel_data();
    void declineRetryAndCancel();
    void daysAndDisclaimerChoices();
    void documentOfTheCurrentCustomer();
    void menuReturnsWithoutWriting();
};

void FieldProposalTest::confirmedPrintWritesTheFileByteForByte_data() {
    QTest::addColumn<CustomerRecord>("customer");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("individual with title") << Smith(QStringLiteral("Mr."), QString()) << FieldFile("Mr. John Smith");
    QTest::newRow("individual with title and middle initial")
        << Smith(QStringLiteral("Mr."), QStringLiteral("Q")) << FieldFile("Mr. John Q Smith");
    QTest::newRow("individual without title") << Smith(QString(), QString()) << FieldFile(" John Smith");
    CustomerRecord business = Smith(QStringLiteral("Mr."), QStringLiteral("Q"));
    business.AcctType = QStringLiteral("Business");
    business.AcctName = QStringLiteral("Harbor Lane Roofing");
    QTest::newRow("business") << business << FieldFile("Harbor Lane Roofing");
}

void FieldProposalTest::confirmedPrintWritesTheFileByteForByte() {
    QFETCH(CustomerRecord, customer);
    QFETCH(QByteArray, bytes);
    FieldFixture f(customer);
    frmFieldProposal *screen = f.Open();
    QCOMPARE(screen->txtNextFieldProposal->text(), QStringLiteral("1001"));
    f.AnswerPrinter();
    f.folder.prompt->Answer(MsgAnswer::Yes);
    screen->cmdField[1]->click();
    QCOMPARE(f.folder.read(ProposalPath(1001)), bytes);
    QCOMPARE(bytes.count("\r\n"), 9);
    QVERIFY(!f.folder.exists(BodyPath(1001)) && !f.folder.exists(PaymentsPath(1001)));
    QCOMPARE(ProposalNo, qint16(1002));
    QCOMPARE(f.folder.read(QStringLiteral("TProposalCounter.txt")), QByteArray("1002\r\n"));
    // What the file does not keep, for the report.
    QCOMPARE(f.folder.read(StatePath(1001)), QByteArray("\"30\",\"open\",1,#TRUE#,8,#TRUE#\r\n"));
    QCOMPARE(f.folder.prompt->shown.size(), 1);
    QCOMPARE(f.folder.prompt->shown[0].text, QStringLiteral("Did the Proposal Print Correctly"));
    QCOMPARE(f.folder.prompt->shown[0].title, QStringLiteral("Print Confirmation"));
    QCOMPARE(f.folder.prompt->shown[0].buttons, MsgButtons::YesNo);
    QVERIFY(!ScreenRegistry::Existing<frmFieldProposal>());
    QVERIFY(MainMenuShown());
}

void FieldProposalTest::declineRetryAndCancel_data() {
    QTest::addColumn<int>("printers");   // dialogs answered with a printer
    QTest::addColumn<int>("last");       // then 0 nothing more, 1 a cancelled dialog, 2 a printer that fails
    QTest::addColumn<QList<int>>("answers");
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<bool>("fileKept");
    QTest::addColumn<int>("numberAfter");
    QTest::addColumn<bool>("screenStays");
    const QString confirm = QStringLiteral("Did the Proposal Print Correctly");
    const QString retry = QStringLiteral("Would you like to try to Reprint?");
    const int yes = int(MsgAnswer::Yes), no = int(MsgAnswer::No), ok = int(MsgAnswer::Ok);
    QTest::newRow("declined, no reprint: file deleted, number kept")
        << 1 << 0 << QList<int>{no, no} << QStringList{confirm, retry} << false << 1001 << false;
    QTest::newRow("declined, reprinted, confirmed")
        << 2 << 0 << QList<int>{no, yes, yes} << QStringList{confirm, retry, confirm} << true << 1002 << false;
    QTest::newRow("dialog cancelled") << 0 << 1 << QList<int>{ok}
                                      << QStringList{QStringLiteral("The Proposal will not be Printed")} << true
                                      << 1001 << true;
    QTest::newRow("declined, reprint cancelled")
        << 1 << 1 << QList<int>{no, yes, ok}
        << QStringList{confirm, retry, QStringLiteral("The Proposal will not be Printed")} << true << 1001 << true;
    QTest::newRow("printer fails: file kept, number kept")
        << 0 << 2 << QList<int>{ok} << QStringList{QStringLiteral("A Print Error has occurred")} << true << 1001
        << true;
}

void FieldProposalTest::declineRetryAndCancel() {
    QFETCH(int, printers);
    QFETCH(int, last);
    QFETCH(QList<int>, answers);
    QFETCH(QStringList, texts);
    QFETCH(bool, fileKept);
    QFETCH(int, numberAfter);
    QFETCH(bool, screenStays);
    FieldFixture f(Smith(QStringLiteral("Mr."), QString()));
    frmFieldProposal *screen = f.Open();
    for (int i = 0; i < printers; ++i)
        f.AnswerPrinter();
    if (last == 1)
        f.dialogs->AnswerPrinter(nullptr);
    if (last == 2) {
        auto refusing = std::make_shared<RecordingPrintSurface>();
        refusing->RefusePagesFrom(1);
        f.dialogs->AnswerPrinter(refusing);
    }
    for (int answer : answers)
        f.folder.prompt->Answer(MsgAnswer(answer));
    screen->cmdField_Click(1);
    QCOMPARE(f.folder.prompt->Texts(), texts);
    QVERIFY(f.folder.prompt->ScriptUsed() && f.dialogs->ScriptUsed());
    QCOMPARE(f.folder.exists(ProposalPath(1001)), fileKept);
    QCOMPARE(int(ProposalNo), numberAfter);
    QCOMPARE(f.folder.exists(StatePath(1001)), numberAfter == 1002);
    QCOMPARE(ScreenRegistry::Existing<frmFieldProposal>() != nullptr, screenStays);
    if (screenStays) {
        QCOMPARE(f.folder.prompt->shown.last().title, last == 2 ? QStringLiteral("Print Error") : AppTitle);
        // Printing again writes the file anew under the same number.
        f.folder.write(ProposalPath(1001), "stale");
        f.AnswerPrinter();
        f.folder.prompt->Answer(MsgAnswer::Yes);
        screen->cmdField_Click(1);
        QCOMPARE(f.folder.read(ProposalPath(1001)), FieldFile("Mr. John Smith"));
        QCOMPARE(ProposalNo, qint16(1002));
    } else {
        QVERIFY(MainMenuShown());
    }
}

void FieldProposalTest::daysAndDisclaimerChoices() {
    FieldFixture f(Smith(QStringLiteral("Mr."), QString()));
    frmFieldProposal *screen = f.Open();
    QStringList items;
    for (int i = 0; i < screen->cboDays->count(); ++i)
        items << screen->cboDays->itemText(i);
    QCOMPARE(items, QStringList({"10", "15", "20", "30", "45", "60"}));
    QCOMPARE(screen->cboDays->currentText(), QStringLiteral("30"));
    QCOMPARE(screen->cboDays->toolTip(), QStringLiteral("The number of days the Customer has to accept"));
    // No custom disclaimer: only the generic one can be chosen.
    QVERIFY(!screen->optDisclaimer[1]->isEnabled());
    QVERIFY(screen->optDisclaimer[0]->isChecked());

    // A custom disclaimer written on the terms screen since: it can be chosen
    // the next time the screen comes up.
    auto *terms = ScreenRegistry::Get<frmTerms>();
    terms->Text1[1]->setPlainText(QStringLiteral("Owner insures the work"));
    ShowActive(terms);
    ShowActive(screen);
    QVERIFY(screen->optDisclaimer[1]->isEnabled());
    screen->optDisclaimer[1]->setChecked(true);
    screen->cboDays->setCurrentIndex(4);
    f.AnswerPrinter();
    f.folder.prompt->Answer(MsgAnswer::Yes);
    screen->cmdField_Click(1);
    QCOMPARE(f.folder.read(StatePath(1001)), QByteArray("\"45\",\"open\",1,#FALSE#,8,#TRUE#\r\n"));

    // Emptied again: the choice falls back to the generic disclaimer.
    screen = f.Open();
    ShowActive(terms);
    terms->Text1[1]->clear();
    ShowActive(screen);
    QVERIFY(!screen->optDisclaimer[1]->isEnabled());
    QVERIFY(screen->optDisclaimer[0]->isChecked());
    QCOMPARE(screen->txtNextFieldProposal->text(), QStringLiteral("1002"));
}

void FieldProposalTest::documentOfTheCurrentCustomer() {
    FieldFixture f(Smith(QStringLiteral("Mrs."), QStringLiteral("Q")));
    frmFieldProposal *screen = f.Open();
    f.folder.write(QStringLiteral("CustomDisclaimer.txt"), "\"Owner insures the work\"\r\n");
    ShowActive(ScreenRegistry::Get<frmStartup>());
    ShowActive(screen);
    screen->cboDays->setCurrentIndex(0);
    screen->optDisclaimer[1]->setChecked(true);
    const ProposalDocument doc = screen->CurrentDocument();
    QVERIFY(doc.isField);
    QCOMPARE(doc.number, qint16(1001));
    QCOMPARE(doc.date, QDate(2026, 12, 5));
    QCOMPARE(doc.customer[1], QStringLiteral("Mrs. John Q Smith"));
    QCOMPARE(doc.customer[2], QStringLiteral("5 Elm St"));
    QCOMPARE(doc.customer[4], QStringLiteral("Salem"));
    QCOMPARE(doc.customer[6], QStringLiteral("97301"));
    QCOMPARE(doc.customer[7], QStringLiteral("503-555-0199"));
    QCOMPARE(doc.internationalLines[0], QStringLiteral("Salem"));
    QCOMPARE(doc.internationalLines[1], QStringLiteral("97301"));
    QCOMPARE(doc.days, QStringLiteral("10"));
    QVERIFY(!doc.genericDisclaimer);
    QVERIFY(doc.bodyName.isEmpty());
    QVERIFY(doc.payments.isEmpty());
}

void FieldProposalTest::menuReturnsWithoutWriting() {
    FieldFixture f(Smith(QStringLiteral("Mr."), QString()));
    frmFieldProposal *screen = f.Open();
    QCOMPARE(screen->cmdField[0]->text(), QStringLiteral("&Menu"));
    QCOMPARE(screen->cmdField[1]->text(), QStringLiteral("&Print"));
    QCOMPARE(screen->windowTitle(), QStringLiteral("Creating Field Proposals"));
    screen->cmdField[0]->click();
    QVERIFY(!ScreenRegistry::Existing<frmFieldProposal>());
    QVERIFY(MainMenuShown());
    QVERIFY(!f.folder.exists(ProposalPath(1001)));
    QCOMPARE(ProposalNo, qint16(1001));
}

TAMSEL_TEST(FieldProposalTest)
#include "tst_FieldProposal.moc"
