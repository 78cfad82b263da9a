#include "../customers/CustomerFixtures.h"
#include "LayoutCheck.h"
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

} // namespace

class FieldProposalTest : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { Clock::SetToday({}); }
    void printRecordsOnlyWhatItMay_data();
    void printRecordsOnlyWhatItMay();
    void daysDisclaimerAndTheMenu();
};

void FieldProposalTest::printRecordsOnlyWhatItMay_data() {
    QTest::addColumn<CustomerRecord>("customer");
    QTest::addColumn<QByteArray>("name"); // as the file keeps it
    QTest::addColumn<int>("number");
    QTest::addColumn<QStringList>("existing"); // files of the number recorded before
    QTest::addColumn<QByteArray>("printers");  // per print dialog: p a printer, c cancelled, f one that fails
    QTest::addColumn<QList<int>>("answers");
    QTest::addColumn<QStringList>("titles");
    QTest::addColumn<QString>("outcome"); // recorded, declined (file deleted), stays (for another try), kept
    const QStringList ordinary = {ProposalPath(1001), BodyPath(1001), PaymentsPath(1001), StatePath(1001)};
    const QString exists = QStringLiteral("Proposal Exists"), confirm = QStringLiteral("Print Confirmation"),
                  last = QStringLiteral("Proposal Number"), retry = QStringLiteral("Print Retry");
    const int yes = int(MsgAnswer::Yes), no = int(MsgAnswer::No), ok = int(MsgAnswer::Ok);
    CustomerRecord business = Smith(QStringLiteral("Mr."), QStringLiteral("Q"));
    business.AcctType = QStringLiteral("Business");
    business.AcctName = QStringLiteral("Harbor Lane Roofing");
    const QByteArray mr = "Mr. John Smith";
    QTest::newRow("individual with title and middle initial")
        << Smith(QStringLiteral("Mr."), QStringLiteral("Q")) << QByteArray("Mr. John Q Smith") << 1001
        << QStringList() << QByteArray("p") << QList<int>{yes} << QStringList{confirm} << "recorded";
    QTest::newRow("individual without title") << Smith(QString()) << QByteArray(" John Smith") << 1001
                                              << QStringList() << QByteArray("p") << QList<int>{yes}
                                              << QStringList{confirm} << "recorded";
    QTest::newRow("business") << business << QByteArray("Harbor Lane Roofing") << 1001 << QStringList()
                              << QByteArray("p") << QList<int>{yes} << QStringList{confirm} << "recorded";
    QTest::newRow("recorded proposal kept")
        << Smith() << mr << 1001 << ordinary << QByteArray() << QList<int>{no} << QStringList{exists} << "kept";
    QTest::newRow("only its state file left, kept") << Smith() << mr << 1001 << QStringList{StatePath(1001)}
                                                    << QByteArray() << QList<int>{no} << QStringList{exists}
                                                    << "kept";
    QTest::newRow("recorded proposal replaced whole") << Smith() << mr << 1001 << ordinary << QByteArray("p")
                                                      << QList<int>{yes, yes} << QStringList{exists, confirm}
                                                      << "recorded";
    QTest::newRow("32767: warned, then recorded; the number stays")
        << Smith() << mr << 32767 << QStringList() << QByteArray("p") << QList<int>{ok, yes, ok}
        << QStringList{last, confirm, last} << "recorded";
    QTest::newRow("32767: the field proposal before it kept")
        << Smith() << mr << 32767 << QStringList{ProposalPath(32767)} << QByteArray() << QList<int>{ok, no}
        << QStringList{last, exists} << "kept";
    QTest::newRow("declined, no reprint: file deleted, number kept")
        << Smith() << mr << 1001 << QStringList() << QByteArray("p") << QList<int>{no, no}
        << QStringList{confirm, retry} << "declined";
    QTest::newRow("declined, reprinted, confirmed")
        << Smith() << mr << 1001 << QStringList() << QByteArray("pp") << QList<int>{no, yes, yes}
        << QStringList{confirm, retry, confirm} << "recorded";
    QTest::newRow("dialog cancelled") << Smith() << mr << 1001 << QStringList() << QByteArray("c")
                                      << QList<int>{ok} << QStringList{AppTitle} << "stays";
    QTest::newRow("declined, reprint cancelled")
        << Smith() << mr << 1001 << QStringList() << QByteArray("pc") << QList<int>{no, yes, ok}
        << QStringList{confirm, retry, AppTitle} << "stays";
    QTest::newRow("printer fails: file kept, number kept") << Smith() << mr << 1001 << QStringList()
                                                           << QByteArray("f") << QList<int>{ok}
                                                           << QStringList{QStringLiteral("Print Error")} << "stays";
}

void FieldProposalTest::printRecordsOnlyWhatItMay() {
    QFETCH(CustomerRecord, customer);
    QFETCH(QByteArray, name);
    QFETCH(int, number);
    QFETCH(QStringList, existing);
    QFETCH(QByteArray, printers);
    QFETCH(QList<int>, answers);
    QFETCH(QStringList, titles);
    QFETCH(QString, outcome);
    FieldFixture f(customer);
    ProposalNo = qint16(number);
    for (const QString &path : existing)
        f.folder.write(path, path.toLatin1());
    for (const char kind : printers) {
        auto printer = kind == 'c' ? nullptr : std::make_shared<RecordingPrintSurface>();
        if (kind == 'f')
            printer->RefusePagesFrom(1);
        f.dialogs->AnswerPrinter(printer);
    }
    for (int answer : answers)
        f.folder.prompt->Answer(MsgAnswer(answer));
    f.screen->cmdField_Click(1);
    QStringList shown;
    for (const auto &box : f.folder.prompt->shown)
        shown << box.title;
    QCOMPARE(shown, titles);
    QVERIFY(f.folder.prompt->ScriptUsed() && f.dialogs->ScriptUsed());
    const bool recorded = outcome == QLatin1String("recorded");
    const bool stays = outcome == QLatin1String("stays") || outcome == QLatin1String("kept");
    QCOMPARE(int(ProposalNo), recorded && number < 32767 ? number + 1 : number);
    QCOMPARE(ScreenRegistry::Existing<frmFieldProposal>() != nullptr, stays);
    QCOMPARE(MainMenuShown(), !stays);
    QCOMPARE(f.folder.exists(StatePath(number)), recorded || existing.contains(StatePath(number)));
    if (outcome == QLatin1String("kept")) {
        for (const QString &path : existing)
            QCOMPARE(f.folder.read(path), path.toLatin1());
        QCOMPARE(f.folder.exists(ProposalPath(number)), existing.contains(ProposalPath(number)));
        return;
    }
    QCOMPARE(f.folder.exists(ProposalPath(number)), outcome != QLatin1String("declined"));
    QVERIFY(!f.folder.exists(BodyPath(number)) && !f.folder.exists(PaymentsPath(number)));
    if (outcome == QLatin1String("declined"))
        return;
    if (stays) { // printing again writes the file anew under the same number
        f.folder.write(ProposalPath(number), "stale");
        f.PrintConfirmed();
    }
    QCOMPARE(f.folder.read(ProposalPath(number)), FieldProposal(number, "0", "2026-12-05", "A-100", name));
    // What the file does not keep, for the report.
    QCOMPARE(f.folder.read(StatePath(number)), QByteArray("\"30\",\"open\",1,#TRUE#,8,#TRUE#\r\n"));
    if (number < 32767)
        QCOMPARE(f.folder.read(QStringLiteral("TProposalCounter.txt")), QByteArray::number(number + 1) + "\r\n");
}

void FieldProposalTest::daysDisclaimerAndTheMenu() {
    FieldFixture f;
    // No custom disclaimer: only the generic one can be chosen. One written on
    // the terms screen since can be chosen the next time the screen comes up.
    QVERIFY(!f.screen->optDisclaimer[1]->isEnabled() && f.screen->optDisclaimer[0]->isChecked());
    const QStringList faults = TidyAtBothSizes(f.screen, f.screen->size());
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QStringLiteral("; "))));
    auto *terms = ScreenRegistry::Get<frmTerms>();
    terms->Text1[1]->setPlainText(QStringLiteral("Owner insures the work"));
    ShowActive(terms);
    ShowActive(f.screen);
    f.screen->optDisclaimer[1]->setChecked(true);
    f.screen->cboDays->setCurrentIndex(4);
    // What is printed and previewed, and kept for a reprint.
    const ProposalDocument doc = f.screen->CurrentDocument();
    QVERIFY(doc.isField && doc.number == 1001 && !doc.genericDisclaimer && doc.days == QStringLiteral("45"));
    QCOMPARE(doc.customer[7], QStringLiteral("503-555-0199"));
    QCOMPARE(doc.internationalLines[1], QStringLiteral("97301"));
    f.PrintConfirmed();
    QCOMPARE(f.folder.read(StatePath(1001)), QByteArray("\"45\",\"open\",1,#FALSE#,8,#TRUE#\r\n"));
    // Back to the menu: nothing written, the number kept.
    f.screen = ScreenRegistry::Get<frmFieldProposal>();
    ShowActive(f.screen);
    QCOMPARE(f.screen->txtNextFieldProposal->text(), QStringLiteral("1002"));
    f.screen->cmdField[0]->click();
    QVERIFY(!ScreenRegistry::Existing<frmFieldProposal>() && MainMenuShown());
    QVERIFY(!f.folder.exists(ProposalPath(1002)));
    QCOMPARE(ProposalNo, qint16(1002));
}

TAMSEL_TEST(FieldProposalTest)
#include "tst_FieldProposal.moc"
