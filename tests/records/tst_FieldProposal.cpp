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
    ~FieldFixture() { SetDialogs(nullptr); }
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
    void daysAndDisclaimerKept();
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
    // Mr. John Smith's proposal 1001 unless the row says otherwise.
    const auto row = [](const char *name, const QStringList &existing, const char *printers,
                        const QList<int> &answers, const QStringList &titles, const char *outcome,
                        int number = 1001) {
        QTest::newRow(name) << Smith() << QByteArray("Mr. John Smith") << number << existing
                            << QByteArray(printers) << answers << titles << QString::fromLatin1(outcome);
    };
    QTest::newRow("individual with title and middle initial")
        << Smith(QStringLiteral("Mr."), QStringLiteral("Q")) << QByteArray("Mr. John Q Smith") << 1001
        << QStringList() << QByteArray("p") << QList<int>{yes} << QStringList{confirm} << "recorded";
    QTest::newRow("individual without title") << Smith(QString()) << QByteArray(" John Smith") << 1001
                                              << QStringList() << QByteArray("p") << QList<int>{yes}
                                              << QStringList{confirm} << "recorded";
    QTest::newRow("business") << business << QByteArray("Harbor Lane Roofing") << 1001 << QStringList()
                              << QByteArray("p") << QList<int>{yes} << QStringList{confirm} << "recorded";
    row("recorded proposal kept", ordinary, "", {no}, {exists}, "kept");
    row("recorded proposal replaced whole", ordinary, "p", {yes, yes}, {exists, confirm}, "recorded");
    row("32767: warned, then recorded; the number stays", {}, "p", {ok, yes, ok}, {last, confirm, last},
        "recorded", 32767);
    row("32767: the field proposal before it kept", {ProposalPath(32767)}, "", {ok, no}, {last, exists}, "kept",
        32767);
    row("declined, no reprint: file deleted, number kept", {}, "p", {no, no}, {confirm, retry}, "declined");
    row("declined, reprinted, confirmed", {}, "pp", {no, yes, yes}, {confirm, retry, confirm}, "recorded");
    row("dialog cancelled", {}, "c", {ok}, {AppTitle}, "stays");
    row("printer fails: file kept, number kept", {}, "f", {ok}, {QStringLiteral("Print Error")}, "stays");
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
    QVERIFY(f.folder.prompt->ScriptUsed() && f.dialogs->ScriptUsed() && f.dialogs->unexpected.isEmpty());
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

// The days and the custom disclaimer, which the file does not keep, are kept
// for a reprint.
void FieldProposalTest::daysAndDisclaimerKept() {
    FieldFixture f;
    const QStringList faults = TidyAtBothSizes(f.screen, f.screen->size());
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QStringLiteral("; "))));
    // No custom disclaimer: only the generic one can be chosen.
    QVERIFY(!f.screen->optDisclaimer[1]->isEnabled() && f.screen->optDisclaimer[0]->isChecked());
    f.folder.write(QStringLiteral("CustomDisclaimer.txt"), "\"Owner insures the work\"\r\n");
    ShowActive(ScreenRegistry::Get<frmTerms>());
    ShowActive(f.screen);
    QVERIFY(f.screen->optDisclaimer[1]->isEnabled());
    f.screen->optDisclaimer[1]->setChecked(true);
    f.screen->cboDays->setCurrentIndex(4);
    f.PrintConfirmed();
    QCOMPARE(f.folder.read(StatePath(1001)), QByteArray("\"45\",\"open\",1,#FALSE#,8,#TRUE#\r\n"));
}

TAMSEL_TEST(FieldProposalTest)
#include "tst_FieldProposal.moc"
