#include "../customers/CustomerFixtures.h"
#include "ProposalFixtures.h"
#include "ScriptedDialogs.h"
#include "TestMain.h"

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

CustomerRecord Smith(const QString &title = QStringLiteral("Mr."), const QString &middle = {}) {
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

// Proposal 1001 of the second customer, the counter file at 1001.
struct FieldFixture {
    explicit FieldFixture(const CustomerRecord &customer = Smith()) {
        MakeProposalFolders(folder);
        folder.write(QStringLiteral("TProposalCounter.txt"), "1001\r\n");
        WriteCustomers(folder, {Business(QStringLiteral("B-1"), QStringLiteral("Other Co")), customer});
        ProposalNo = 1001;
        CustomerRecNo = 2;
        SetDialogs(dialogs);
        screen = ScreenRegistry::Get<frmFieldProposal>();
        ShowActive(screen);
    }
    ~FieldFixture() {
        if (!dialogs->unexpected.isEmpty())
            QTest::qFail("unscripted dialog", __FILE__, __LINE__);
        SetDialogs(nullptr);
    }
    // Prints with a working printer and confirms the print.
    void PrintConfirmed() {
        dialogs->AnswerPrinter(std::make_shared<RecordingPrintSurface>());
        folder.prompt->Answer(MsgAnswer::Yes);
        screen->cmdField[1]->click();
    }

    TestFolder folder;
    std::shared_ptr<ScriptedDialogs> dialogs = std::make_shared<ScriptedDialogs>();
    frmFieldProposal *screen = nullptr;
};

QByteArray FieldFile(const QByteArray &name) { return FieldProposal(1001, "0", "2026-12-05", "A-100", name); }

} // namespace

class FieldProposalTest : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { Clock::SetToday({}); }
    void declineRetryAndCancel_data();
    void declineRetryAndCancel();
    void confirmedPrintNeverReplacesFilesItDidNotWrite_data();
    void confirmedPrintNeverReplacesFilesItDidNotWrite();
    void daysDisclaimerAndTheMenu();
};

void FieldProposalTest::declineRetryAndCancel_data() {
    QTest::addColumn<int>("printers"); // dialogs answered with a printer
    QTest::addColumn<int>("last");     // then 0 nothing more, 1 a cancelled dialog, 2 a printer that fails
    QTest::addColumn<QList<int>>("answers");
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<bool>("fileKept");
    QTest::addColumn<bool>("numbered"); // the number moved on; else the screen stays for another try
    const QString confirm = QStringLiteral("Did the Proposal Print Correctly");
    const QString retry = QStringLiteral("Would you like to try to Reprint?");
    const QString notPrinted = QStringLiteral("The Proposal will not be Printed");
    const int yes = int(MsgAnswer::Yes), no = int(MsgAnswer::No), ok = int(MsgAnswer::Ok);
    QTest::newRow("declined, no reprint: file deleted, number kept")
        << 1 << 0 << QList<int>{no, no} << QStringList{confirm, retry} << false << false;
    QTest::newRow("declined, reprinted, confirmed")
        << 2 << 0 << QList<int>{no, yes, yes} << QStringList{confirm, retry, confirm} << true << true;
    QTest::newRow("dialog cancelled") << 0 << 1 << QList<int>{ok} << QStringList{notPrinted} << true << false;
    QTest::newRow("declined, reprint cancelled")
        << 1 << 1 << QList<int>{no, yes, ok} << QStringList{confirm, retry, notPrinted} << true << false;
    QTest::newRow("printer fails: file kept, number kept")
        << 0 << 2 << QList<int>{ok} << QStringList{QStringLiteral("A Print Error has occurred")} << true << false;
}

void FieldProposalTest::declineRetryAndCancel() {
    QFETCH(int, printers);
    QFETCH(int, last);
    QFETCH(QList<int>, answers);
    QFETCH(QStringList, texts);
    QFETCH(bool, fileKept);
    QFETCH(bool, numbered);
    FieldFixture f;
    for (int i = 0; i < printers; ++i)
        f.dialogs->AnswerPrinter(std::make_shared<RecordingPrintSurface>());
    if (last == 1)
        f.dialogs->AnswerPrinter(nullptr);
    if (last == 2) {
        auto refusing = std::make_shared<RecordingPrintSurface>();
        refusing->RefusePagesFrom(1);
        f.dialogs->AnswerPrinter(refusing);
    }
    for (int answer : answers)
        f.folder.prompt->Answer(MsgAnswer(answer));
    f.screen->cmdField_Click(1);
    QCOMPARE(f.folder.prompt->Texts(), texts);
    QVERIFY(f.folder.prompt->ScriptUsed() && f.dialogs->ScriptUsed());
    QCOMPARE(f.folder.exists(ProposalPath(1001)), fileKept);
    QCOMPARE(int(ProposalNo), numbered ? 1002 : 1001);
    QCOMPARE(f.folder.exists(StatePath(1001)), numbered);
    const bool screenStays = last != 0;
    QCOMPARE(ScreenRegistry::Existing<frmFieldProposal>() != nullptr, screenStays);
    if (screenStays) {
        QCOMPARE(f.folder.prompt->shown.last().title, last == 2 ? QStringLiteral("Print Error") : AppTitle);
        // Printing again writes the file anew under the same number.
        f.folder.write(ProposalPath(1001), "stale");
        f.PrintConfirmed();
        QCOMPARE(f.folder.read(ProposalPath(1001)), FieldFile("Mr. John Smith"));
        QCOMPARE(ProposalNo, qint16(1002));
    } else {
        QVERIFY(MainMenuShown());
    }
}

void FieldProposalTest::confirmedPrintNeverReplacesFilesItDidNotWrite_data() {
    QTest::addColumn<CustomerRecord>("customer");
    QTest::addColumn<QByteArray>("name"); // as the file keeps it
    QTest::addColumn<int>("number");
    QTest::addColumn<QStringList>("existing"); // files of the number recorded before
    QTest::addColumn<QList<int>>("answers");
    QTest::addColumn<QStringList>("titles");
    QTest::addColumn<bool>("printed"); // else nothing is written and the screen stays
    const QStringList ordinary = {ProposalPath(1001), BodyPath(1001), PaymentsPath(1001), StatePath(1001)};
    const QString exists = QStringLiteral("Proposal Exists"), confirm = QStringLiteral("Print Confirmation"),
                  last = QStringLiteral("Proposal Number");
    const int yes = int(MsgAnswer::Yes), no = int(MsgAnswer::No), ok = int(MsgAnswer::Ok);
    CustomerRecord business = Smith(QStringLiteral("Mr."), QStringLiteral("Q"));
    business.AcctType = QStringLiteral("Business");
    business.AcctName = QStringLiteral("Harbor Lane Roofing");
    const QByteArray mr = "Mr. John Smith";
    QTest::newRow("individual with title and middle initial")
        << Smith(QStringLiteral("Mr."), QStringLiteral("Q")) << QByteArray("Mr. John Q Smith") << 1001
        << QStringList() << QList<int>{yes} << QStringList{confirm} << true;
    QTest::newRow("individual without title") << Smith(QString()) << QByteArray(" John Smith") << 1001
                                              << QStringList() << QList<int>{yes} << QStringList{confirm} << true;
    QTest::newRow("business") << business << QByteArray("Harbor Lane Roofing") << 1001 << QStringList()
                              << QList<int>{yes} << QStringList{confirm} << true;
    QTest::newRow("recorded proposal kept")
        << Smith() << mr << 1001 << ordinary << QList<int>{no} << QStringList{exists} << false;
    QTest::newRow("only its state file left, kept")
        << Smith() << mr << 1001 << QStringList{StatePath(1001)} << QList<int>{no} << QStringList{exists} << false;
    QTest::newRow("recorded proposal replaced whole")
        << Smith() << mr << 1001 << ordinary << QList<int>{yes, yes} << QStringList{exists, confirm} << true;
    QTest::newRow("32767: warned, then recorded; the number stays") << Smith() << mr << 32767 << QStringList()
                                                                     << QList<int>{ok, yes, ok}
                                                                     << QStringList{last, confirm, last} << true;
    QTest::newRow("32767: the field proposal before it kept")
        << Smith() << mr << 32767 << QStringList{ProposalPath(32767)} << QList<int>{ok, no}
        << QStringList{last, exists} << false;
}

void FieldProposalTest::confirmedPrintNeverReplacesFilesItDidNotWrite() {
    QFETCH(CustomerRecord, customer);
    QFETCH(QByteArray, name);
    QFETCH(int, number);
    QFETCH(QStringList, existing);
    QFETCH(QList<int>, answers);
    QFETCH(QStringList, titles);
    QFETCH(bool, printed);
    FieldFixture f(customer);
    ProposalNo = qint16(number);
    for (const QString &path : existing)
        f.folder.write(path, path.toLatin1());
    if (printed)
        f.dialogs->AnswerPrinter(std::make_shared<RecordingPrintSurface>());
    for (int answer : answers)
        f.folder.prompt->Answer(MsgAnswer(answer));
    f.screen->cmdField_Click(1);
    QStringList shown;
    for (const auto &box : f.folder.prompt->shown)
        shown << box.title;
    QCOMPARE(shown, titles);
    QVERIFY(f.folder.prompt->ScriptUsed() && f.dialogs->ScriptUsed());
    QCOMPARE(int(ProposalNo), printed && number < 32767 ? number + 1 : number);
    QCOMPARE(ScreenRegistry::Existing<frmFieldProposal>() != nullptr, !printed);
    if (!printed) {
        for (const QString &path : existing)
            QCOMPARE(f.folder.read(path), path.toLatin1());
        QCOMPARE(f.folder.exists(ProposalPath(number)), existing.contains(ProposalPath(number)));
        return;
    }
    QCOMPARE(f.folder.read(ProposalPath(number)), FieldProposal(number, "0", "2026-12-05", "A-100", name));
    QVERIFY(!f.folder.exists(BodyPath(number)) && !f.folder.exists(PaymentsPath(number)));
    // What the file does not keep, for the report.
    QCOMPARE(f.folder.read(StatePath(number)), QByteArray("\"30\",\"open\",1,#TRUE#,8,#TRUE#\r\n"));
    if (number < 32767)
        QCOMPARE(f.folder.read(QStringLiteral("TProposalCounter.txt")), QByteArray::number(number + 1) + "\r\n");
    QVERIFY(MainMenuShown());
}

void FieldProposalTest::daysDisclaimerAndTheMenu() {
    FieldFixture f;
    // No custom disclaimer: only the generic one can be chosen.
    QVERIFY(!f.screen->optDisclaimer[1]->isEnabled() && f.screen->optDisclaimer[0]->isChecked());
    // A custom disclaimer written on the terms screen since: it can be chosen
    // the next time the screen comes up.
    auto *terms = ScreenRegistry::Get<frmTerms>();
    terms->Text1[1]->setPlainText(QStringLiteral("Owner insures the work"));
    ShowActive(terms);
    ShowActive(f.screen);
    QVERIFY(f.screen->optDisclaimer[1]->isEnabled());
    f.screen->optDisclaimer[1]->setChecked(true);
    f.screen->cboDays->setCurrentIndex(4);
    // What is printed and previewed.
    const ProposalDocument doc = f.screen->CurrentDocument();
    QVERIFY(doc.isField && doc.number == 1001 && !doc.genericDisclaimer && doc.days == QStringLiteral("45"));
    QCOMPARE(doc.customer[1], QStringLiteral("Mr. John Smith"));
    QCOMPARE(doc.customer[7], QStringLiteral("503-555-0199"));
    QCOMPARE(doc.internationalLines[1], QStringLiteral("97301"));
    f.PrintConfirmed();
    QCOMPARE(f.folder.read(StatePath(1001)), QByteArray("\"45\",\"open\",1,#FALSE#,8,#TRUE#\r\n"));

    // Emptied again: the choice falls back to the generic disclaimer.
    f.screen = ScreenRegistry::Get<frmFieldProposal>();
    ShowActive(f.screen);
    ShowActive(terms);
    terms->Text1[1]->clear();
    ShowActive(f.screen);
    QVERIFY(!f.screen->optDisclaimer[1]->isEnabled() && f.screen->optDisclaimer[0]->isChecked());
    QCOMPARE(f.screen->txtNextFieldProposal->text(), QStringLiteral("1002"));
    // Back to the menu: nothing written, the number kept.
    f.screen->cmdField[0]->click();
    QVERIFY(!ScreenRegistry::Existing<frmFieldProposal>() && MainMenuShown());
    QVERIFY(!f.folder.exists(ProposalPath(1002)));
    QCOMPARE(ProposalNo, qint16(1002));
}

TAMSEL_TEST(FieldProposalTest)
#include "tst_FieldProposal.moc"
