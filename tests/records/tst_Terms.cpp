#include "common/CommonRoutines.h"
#include "common/ScreenRegistry.h"
#include "records/frmTerms.h"
#include "settings/TermsTexts.h"
#include "TestFolder.h"
#include "TestMain.h"

#include <QDir>
#include <QPlainTextEdit>
#include <QTest>

namespace {

const QString Terms = QStringLiteral("CustomTerms.txt");
const QString Disclaimer = QStringLiteral("CustomDisclaimer.txt");
const QString Backup = QStringLiteral("Backup/");

frmTerms *OpenTerms() {
    auto *screen = ScreenRegistry::Get<frmTerms>();
    ScreenRegistry::Show(screen);
    return screen;
}

} // namespace

// The buttons: odd ones act on the terms, even ones on the disclaimer; save,
// clear, load and delete in turn.
class TermsTest : public QObject {
    Q_OBJECT
private slots:
    void savesLoadsClearsAndDeletes();
    void damagedAndUnwritableFilesLoseNothing_data();
    void damagedAndUnwritableFilesLoseNothing();
    void longWordsWrapAnywhere();
};

void TermsTest::savesLoadsClearsAndDeletes() {
    TestFolder folder;
    // Only a backup copy of the terms: it is restored as the screen loads.
    folder.write(Backup + Terms, "\"Line one\r\nLine two\"\r\n");
    folder.write(Disclaimer, "  \"Owner insures the work\"\r\n");
    frmTerms *screen = OpenTerms();
    QCOMPARE(screen->Text1[0]->toPlainText(), QStringLiteral("Line one\nLine two"));
    QCOMPARE(screen->Text1[1]->toPlainText(), QStringLiteral("Owner insures the work"));
    QVERIFY(folder.exists(Terms));
    screen->Text1[0]->setPlainText(QStringLiteral("Net 30 days\nNo refunds"));
    screen->Command1_Click(1);
    const QByteArray saved = "\"Net 30 days\r\nNo refunds\"\r\n";
    QCOMPARE(folder.read(Terms), saved);
    QCOMPARE(ReadCustomTerms().value, QStringLiteral("Net 30 days\r\nNo refunds"));
    // Characters the file cannot keep are asked about: No leaves the text as
    // typed and unsaved, Yes stores stand-ins. Quotes are doubled in the file.
    const QString typed = QStringLiteral("Łazienka ≤ 30 cm ✓ by \"owner\"");
    screen->Text1[1]->setPlainText(typed);
    folder.prompt->Answer(MsgAnswer::No);
    screen->Command1_Click(2);
    QCOMPARE(screen->Text1[1]->toPlainText(), typed);
    QCOMPARE(folder.read(Disclaimer), QByteArray("  \"Owner insures the work\"\r\n"));
    folder.prompt->Answer(MsgAnswer::Yes);
    screen->Command1_Click(2);
    QCOMPARE(folder.read(Disclaimer), QByteArray("\"Lazienka < 30 cm ? by \"\"owner\"\"\"\r\n"));
    QVERIFY(folder.prompt->shown[0].text.contains(QStringLiteral("\"≤\" as \"<\"")));
    QCOMPARE(folder.read(Terms), saved);
    // Deleting removes the file and its backup, and the other box's files stay.
    QVERIFY(BackupDataFiles());
    screen->Command1_Click(7);
    QVERIFY(!folder.exists(Terms) && !folder.exists(Backup + Terms));
    QVERIFY(folder.exists(Disclaimer) && folder.exists(Backup + Disclaimer));
    CloseAllScreens();
    screen = OpenTerms();
    QVERIFY(screen->Text1[0]->toPlainText().isEmpty() && !CustomTermsExist());
    QCOMPARE(screen->Text1[1]->toPlainText(), QStringLiteral("Lazienka < 30 cm ? by \"owner\""));
    // Saving the empty box writes the file anew and drops a stale backup for good.
    folder.write(Backup + Terms, "\"stale\"\r\n");
    screen->Command1_Click(1);
    QCOMPARE(folder.read(Terms), QByteArray("\"\"\r\n"));
    QVERIFY(!folder.exists(Backup + Terms));
    QCOMPARE(folder.prompt->shown.size(), 2);
}

void TermsTest::damagedAndUnwritableFilesLoseNothing_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("damaged");
    QTest::newRow("empty file") << QByteArray() << true;
    QTest::newRow("NUL in the text") << QByteArray("\"Net\0 30 days\"\r\n", 16) << true;
    QTest::newRow("undefined code page byte") << QByteArray("\"Net \x9d 30 days\"\r\n") << true;
    QTest::newRow("tabs and line ends") << QByteArray("\"Net\t30 days\r\nCaf\xe9\"\r\n") << false;
}

void TermsTest::damagedAndUnwritableFilesLoseNothing() {
    QFETCH(QByteArray, bytes);
    QFETCH(bool, damaged);
    TestFolder folder;
    folder.write(Terms, bytes);
    folder.write(Backup + Terms, "\"Good terms\"\r\n");
    if (damaged)
        folder.prompt->Answer(MsgAnswer::No); // keep the file as it is
    frmTerms *screen = OpenTerms();
    QCOMPARE(folder.prompt->Texts().filter(Terms).size(), damaged ? 1 : 0);
    QCOMPARE(screen->Text1[0]->toPlainText().isEmpty(), damaged);
    QCOMPARE(ReadCustomTerms().ok(), !damaged);
    // The exit's backup leaves the good copy alone.
    QVERIFY(BackupDataFiles());
    QCOMPARE(folder.read(Backup + Terms) == "\"Good terms\"\r\n", damaged);
    // A file that cannot be replaced (here a folder stands in its way) is reported.
    QDir().mkpath(folder.file(Disclaimer));
    screen->Text1[1]->setPlainText(QStringLiteral("New"));
    folder.prompt->AnswerOk();
    screen->Command1_Click(2);
    QCOMPARE(folder.prompt->shown.value(damaged ? 1 : 0).title, QStringLiteral("File not saved"));
    QCOMPARE(screen->Text1[1]->toPlainText(), QStringLiteral("New"));
}

void TermsTest::longWordsWrapAnywhere() {
    TestFolder folder;
    // Word wrapping a word like this one grows with the square of its length
    // (a megabyte took minutes); wrapping anywhere stays linear.
    const QString word(20000, QLatin1Char('9'));
    folder.write(Terms, "\"" + word.toLatin1() + "\"\r\n");
    frmTerms *screen = OpenTerms();
    const QPlainTextEdit *box = screen->Text1[0];
    (void)screen->grab(); // lays the text out
    QCOMPARE(box->wordWrapMode(), QTextOption::WrapAnywhere);
}

TAMSEL_TEST(TermsTest)
#include "tst_Terms.moc"
