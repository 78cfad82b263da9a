#include "LayoutCheck.h"
#include "ProposalFixtures.h"
#include "ScriptedDialogs.h"
#include "TestMain.h"

#include "common/ScreenRegistry.h"
#include "platform/RecordingPrintSurface.h"
#include "records/ProposalReportModel.h"
#include "records/frmProposalReport.h"

#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace {

// Shows the report and waits for its activation, which fills the grid.
frmProposalReport *OpenReport() {
    auto *screen = ScreenRegistry::Get<frmProposalReport>();
    ShowActive(screen);
    return screen;
}

QString Cell(frmProposalReport *screen, int gridRow, int column) {
    const auto *model = screen->Model();
    return model->data(model->index(gridRow - 1, column)).toString();
}

// A file the file system refuses to delete, whoever asks (root included).
bool SetImmutable(const QString &path, bool on) {
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY);
    if (fd < 0)
        return false;
    int flags = 0;
    bool ok = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    flags = on ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
    ok = ok && ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    ::close(fd);
    return ok;
}

QByteArray PaymentsOf(int count) {
    QByteArray bytes = "$1,600.00\r\n" + QByteArray::number(count) + "\r\n";
    for (int i = 1; i <= count; ++i)
        bytes += "$" + QByteArray::number(1600 / count) + ".00\r\n" + QByteArray::number(i) + "/15/2026\r\n";
    return bytes;
}

const QByteArray OpenState = "\"30\",\"open\",1,#TRUE#,8,#TRUE#\r\n";

// Three proposals: 1001 ordinary with body and payments, FP1002 without a
// price, 1003 ordinary without payments.
void WriteThree(const TestFolder &folder) {
    MakeProposalFolders(folder);
    folder.write(ProposalPath(1001), OrdinaryProposal(1001, "1600", "2026-11-20", "John Smith"));
    folder.write(BodyPath(1001), "Replace the roof.\r\nHaul away debris.\r\n");
    folder.write(PaymentsPath(1001), PaymentsOf(2));
    folder.write(ProposalPath(1002), FieldProposal(1002, "0", "2026-12-05", "A-100", "Harbor Lane Roofing"));
    folder.write(ProposalPath(1003), OrdinaryProposal(1003, "80", "2026-11-21", "Ann Lee"));
    folder.write(BodyPath(1003), "Gutter repair.\r\n");
}

} // namespace

class ProposalReportTest : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { Clock::SetToday({}); }
    void priceQuoteRewritesOnlyTheAmountOfAGoodFile();
    void deletionOfMarkedRows();
    void stateFromThePopupMenu();
    void printAgainFromTheStoredFiles_data();
    void printAgainFromTheStoredFiles();
};

void ProposalReportTest::priceQuoteRewritesOnlyTheAmountOfAGoodFile() {
    TestFolder folder;
    WriteThree(folder);
    const QByteArray before = folder.read(ProposalPath(1002));
    frmProposalReport *screen = OpenReport();
    const QString intro = QStringLiteral("This Proposal is a Field Proposal\r\n");
    folder.prompt->Answer(MsgAnswer::Yes);
    screen->fgProposals_Click(2, 2);
    QCOMPARE(folder.prompt->shown.last().text, intro + QStringLiteral("Would You like to enter the Price Quoted?"));
    // Not a number: refused silently, the entry emptied, nothing written.
    screen->txtQuote->setText(QStringLiteral("about 1250"));
    screen->cmdQuote[0]->click();
    QVERIFY(screen->txtQuote->text().isEmpty() && screen->fraQuote->isVisible());
    QCOMPARE(folder.read(ProposalPath(1002)), before);
    screen->txtQuote->setText(QStringLiteral("1250"));
    screen->cmdQuote[0]->click();
    QCOMPARE(Cell(screen, 2, 5), QStringLiteral("$1,250.00"));
    QCOMPARE(folder.read(ProposalPath(1002)), QByteArray(before).replace("\"FP1002\",0,", "\"FP1002\",1250,"));
    // A field proposal damaged after the quote frame opened is never rewritten.
    const QByteArray damaged = before.left(70);
    folder.write(ProposalPath(1002), before);
    ShowActive(ScreenRegistry::Get<frmStartup>()); // back from the menu: the files are read anew
    screen = OpenReport();
    folder.prompt->Answer(MsgAnswer::Yes);
    screen->fgProposals_Click(2, 2);
    folder.write(ProposalPath(1002), damaged);
    screen->txtQuote->setText(QStringLiteral("900"));
    folder.prompt->AnswerOk();
    screen->cmdQuote_Click(0);
    QCOMPARE(folder.prompt->shown.last().title, QStringLiteral("Damaged File"));
    QCOMPARE(folder.read(ProposalPath(1002)), damaged);
    QCOMPARE(Cell(screen, 2, 5), QStringLiteral("$0.00"));
}

void ProposalReportTest::deletionOfMarkedRows() {
    TestFolder folder;
    WriteThree(folder);
    folder.write(StatePath(1001), OpenState);
    folder.write(ProposalPath(1004), OrdinaryProposal(1004, "80", "2026-11-21", "Bo Li"));
    folder.write(PaymentsPath(1004), PaymentsOf(2));
    // A file the file system refuses to delete (where it can: root on ext4 or
    // tmpfs) keeps its whole proposal listed.
    const QString stuck = folder.file(PaymentsPath(1004));
    const bool stuckOne = SetImmutable(stuck, true);
    // A name holding a backslash, as some unzip tools leave a path: listed
    // last, it must never lead to the body file of 1003.
    const QString odd = QStringLiteral("ProposalBody\\1003.txt");
    folder.write(QStringLiteral("TamselProposals/") + odd, "Gutter repair.\r\n");
    frmProposalReport *screen = OpenReport();
    QCOMPARE(screen->Model()->RowAt(4).fileName, odd);
    for (int row : {1, 4, 5})
        screen->fgProposals_Click(row, 0);
    folder.prompt->AnswerOk();
    screen->cmdReport[2]->click();
    SetImmutable(stuck, false);
    // No question asked; what stays is said to.
    QCOMPARE(folder.prompt->Texts(), QStringList({"These Proposals could not be Deleted and are still listed:\r\n" +
                                                  QString(stuckOne ? "1004\r\n" : "") + odd}));
    for (const QString &path : {ProposalPath(1001), BodyPath(1001), PaymentsPath(1001), StatePath(1001)})
        QVERIFY2(!folder.exists(path), qPrintable(path));
    for (const QString &path : {ProposalPath(1002), ProposalPath(1003), BodyPath(1003), "TamselProposals/" + odd})
        QVERIFY2(folder.exists(path), qPrintable(path));
    QCOMPARE(folder.exists(ProposalPath(1004)) && folder.exists(PaymentsPath(1004)), stuckOne);
    QCOMPARE(screen->Model()->rowCount(), stuckOne ? 4 : 3);
    QCOMPARE(Cell(screen, 1, 2), QStringLiteral("FP1002"));
    QVERIFY(Cell(screen, 1, 0).isEmpty() && Cell(screen, 3, 0).isEmpty());
    if (!stuckOne)
        QSKIP("the file system cannot make a file undeletable here");
}

void ProposalReportTest::stateFromThePopupMenu() {
    TestFolder folder;
    WriteThree(folder);
    const QByteArray damagedState = "\"30\",\"sometime\",1,#TRUE#,8,#TRUE#\r\n";
    folder.write(StatePath(1003), damagedState);
    // A proposal file listed in capitals finds its state file all the same.
    folder.write(QStringLiteral("TamselProposals/1004.TXT"), OrdinaryProposal(1004, "80", "2026-11-20", "Bo Li"));
    folder.write(StatePath(1004), QByteArray(OpenState).replace("open", "accepted"));
    frmProposalReport *screen = OpenReport();
    QCOMPARE(Cell(screen, 4, 6), QStringLiteral("accepted"));
    screen->fgProposals_RightClick(1);
    screen->mnuState[2]->trigger();
    QCOMPARE(Cell(screen, 1, 6), QStringLiteral("declined"));
    QCOMPARE(folder.read(StatePath(1001)), QByteArray(OpenState).replace("open", "declined"));
    screen->fgProposals_RightClick(4);
    screen->mnuState[0]->trigger();
    QCOMPARE(folder.read(StatePath(1004)), OpenState);
    // A state file that does not read is left alone.
    screen->fgProposals_RightClick(3);
    folder.prompt->AnswerOk();
    screen->mnuState_Click(1);
    QCOMPARE(folder.prompt->shown.last().title, QStringLiteral("Damaged File"));
    QCOMPARE(folder.read(StatePath(1003)), damagedState);
    QCOMPARE(QDir(folder.file(QStringLiteral("TamselProposals/ProposalState"))).entryList(QDir::Files).size(), 3);
}

void ProposalReportTest::printAgainFromTheStoredFiles_data() {
    QTest::addColumn<int>("number");       // in the proposal file 1001.txt
    QTest::addColumn<int>("payments");     // in its payments file
    QTest::addColumn<QByteArray>("state"); // empty: no state file
    QTest::addColumn<QStringList>("printed");
    QTest::addColumn<QString>("damaged"); // the file a refusal names
    const QStringList schedule = {"Payment Due Date", "1/15/2026", "2/15/2026", "3/15/2026", "$533.00",
                                  "Proposal may be withdrawn if not accepted in 45 Days"};
    QTest::newRow("no state, one payment: in full")
        << 1001 << 1 << QByteArray() << QStringList{"Final Payment of $1,600.00 on or before 1/15/2026"} << "";
    QTest::newRow("no state, two payments: down and final")
        << 1001 << 2 << QByteArray()
        << QStringList{"Down Payment of $800.00 on or before 1/15/2026",
                       "Final Payment of $800.00 on or before 2/15/2026", "400 Farm Rd"}
        << "";
    QTest::newRow("a state of one payment, three stored")
        << 1001 << 3 << QByteArray(OpenState).replace("30", "45") << schedule << "";
    QTest::newRow("numbered 40000") << 40000 << 2 << QByteArray() << QStringList() << "1001.txt";
    QTest::newRow("damaged payments") << 1001 << 9 << QByteArray() << QStringList() << "ProposalPayments\\1001.txt";
    QTest::newRow("damaged state") << 1001 << 2 << QByteArray("\"30\"\r\n") << QStringList()
                                   << "ProposalState\\1001.txt";
}

void ProposalReportTest::printAgainFromTheStoredFiles() {
    QFETCH(int, number);
    QFETCH(int, payments);
    QFETCH(QByteArray, state);
    QFETCH(QStringList, printed);
    QFETCH(QString, damaged);
    TestFolder folder;
    WriteThree(folder);
    folder.write(ProposalPath(1001), OrdinaryProposal(number, "1600", "2026-11-20", "John Smith"));
    folder.write(PaymentsPath(1001), payments > 8 ? QByteArray("$1,600.00\r\n9\r\n") : PaymentsOf(payments));
    if (!state.isEmpty())
        folder.write(StatePath(1001), state);
    auto dialogs = std::make_shared<ScriptedDialogs>();
    SetDialogs(dialogs);
    auto printer = std::make_shared<RecordingPrintSurface>();
    frmProposalReport *screen = OpenReport();
    const QSize first = screen->size();
    if (payments > 8)
        folder.prompt->AnswerOk(); // the details say so too
    // The details of another proposal first: nothing of them may linger.
    screen->fgProposals_Click(3, 2);
    screen->fgProposals_Click(1, 2);
    QCOMPARE(screen->txtProposalBody->toPlainText(), QStringLiteral("Replace the roof.\nHaul away debris.\n"));
    for (int i = 1; i <= 8; ++i)
        QCOMPARE(screen->lblAmount[i]->text().isEmpty(), i > payments || payments > 8);
    const QStringList faults = TidyAtBothSizes(screen, first);
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QStringLiteral("; "))));
    if (damaged.isEmpty())
        dialogs->AnswerPrinter(printer);
    else
        folder.prompt->AnswerOk();
    screen->cmdPrintAgain->click();
    const QStringList texts = printer->Texts();
    for (const QString &line : printed)
        QVERIFY2(texts.contains(line), qPrintable(line));
    // Nothing prints from a damaged proposal; the print dialog never opens.
    QCOMPARE(dialogs->opened.size(), damaged.isEmpty() ? 1 : 0);
    if (!damaged.isEmpty())
        QVERIFY(folder.prompt->shown.last().text.startsWith(QStringLiteral("The file %1 ").arg(damaged)));
    QVERIFY(dialogs->ScriptUsed() && dialogs->unexpected.isEmpty() && folder.prompt->ScriptUsed());
    SetDialogs(nullptr);
}

TAMSEL_TEST(ProposalReportTest)
#include "tst_ProposalReport.moc"
