#include "app/frmStartup.h"
#include "common/CommonRoutines.h"
#include "common/ScreenRegistry.h"
#include "records/frmTerms.h"
#include "settings/TermsTexts.h"
#include "TestFolder.h"
#include "TestMain.h"

#include <QDir>
#include <QPlainTextEdit>
#include <QPushButton>
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

// As at the next start of the program: the screen is made and loaded anew.
frmTerms *Reopen() {
    CloseAllScreens();
    return OpenTerms();
}

} // namespace

class TermsTest : public QObject {
    Q_OBJECT
private slots:
    void savesLoadsAndClearsEachBox();
    void deletingRemovesFileAndBackup();
    void damagedAndUnwritableFilesLoseNothing_data();
    void damagedAndUnwritableFilesLoseNothing();
    void unkeptCharactersAreAskedAbout();
    void longWordsWrapAnywhere();
};

void TermsTest::savesLoadsAndClearsEachBox() {
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
    // Quotes in the text are kept whole, doubled in the file.
    const QString quoted = QStringLiteral("Insurance by \"owner\", see \"B\"");
    screen->Text1[1]->setPlainText(quoted);
    screen->Command1_Click(2);
    QCOMPARE(folder.read(Disclaimer), QByteArray("\"Insurance by \"\"owner\"\", see \"\"B\"\"\"\r\n"));
    QCOMPARE(folder.read(Terms), saved);

    // Clearing a box tells so and leaves its file alone; loading brings it back.
    folder.prompt->AnswerOk(2);
    screen->Command1_Click(4);
    screen->Command1_Click(3);
    QVERIFY(screen->Text1[0]->toPlainText().isEmpty() && screen->Text1[1]->toPlainText().isEmpty());
    QVERIFY(folder.prompt->shown[0].text.startsWith(QStringLiteral("The Custom Disclaimer input box")));
    QVERIFY(folder.prompt->shown[1].text.startsWith(QStringLiteral("The Custom Terms input box")));
    screen->Command1_Click(5);
    screen->Command1_Click(6);
    QCOMPARE(screen->Text1[0]->toPlainText(), QStringLiteral("Net 30 days\nNo refunds"));
    QCOMPARE(screen->Text1[1]->toPlainText(), quoted);
    // A file from before, with a quote written undoubled, reads as it always did.
    folder.write(Disclaimer, "\"Say \"yes\" now\"\r\n");
    screen->Command1_Click(6);
    QCOMPARE(screen->Text1[1]->toPlainText(), QStringLiteral("Say "));
    // Loading with no file leaves the box as it is.
    QVERIFY(QFile::remove(folder.file(Disclaimer)));
    screen->Command1_Click(6);
    QCOMPARE(screen->Text1[1]->toPlainText(), QStringLiteral("Say "));

    // The menu hides the screen, keeping what was typed.
    screen->Text1[0]->setPlainText(QStringLiteral("unsaved"));
    screen->findChild<QPushButton *>(QStringLiteral("Command1_0"))->click();
    QVERIFY(!screen->isVisible() && ScreenRegistry::Existing<frmStartup>()->isVisible());
    QCOMPARE(OpenTerms()->Text1[0]->toPlainText(), QStringLiteral("unsaved"));
    QCOMPARE(folder.prompt->shown.size(), 2);
}

void TermsTest::deletingRemovesFileAndBackup() {
    TestFolder folder;
    for (const QString &file : {Terms, Backup + Terms})
        folder.write(file, "\"Old terms\"\r\n");
    for (const QString &file : {Disclaimer, Backup + Disclaimer})
        folder.write(file, "\"Kept\"\r\n");
    frmTerms *screen = OpenTerms();
    screen->Command1_Click(7);
    QVERIFY(!folder.exists(Terms) && !folder.exists(Backup + Terms));
    QVERIFY(folder.exists(Disclaimer) && folder.exists(Backup + Disclaimer));
    screen = Reopen();
    QVERIFY(screen->Text1[0]->toPlainText().isEmpty() && !CustomTermsExist());
    QCOMPARE(screen->Text1[1]->toPlainText(), QStringLiteral("Kept"));

    // Saving the empty box writes the file anew and drops a stale backup for good.
    folder.write(Backup + Terms, "\"stale\"\r\n");
    screen->Command1_Click(1);
    QCOMPARE(folder.read(Terms), QByteArray("\"\"\r\n"));
    QVERIFY(!folder.exists(Backup + Terms));
    QVERIFY(CustomTermsExist() && ReadCustomTerms().ok());
    QVERIFY(folder.prompt->shown.isEmpty());
}

void TermsTest::damagedAndUnwritableFilesLoseNothing_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("damaged");
    QByteArray random;
    for (int i = 0; i < 4096; ++i)
        random += char((i * 7919 + 13) % 251);
    QTest::newRow("empty file") << QByteArray() << true;
    QTest::newRow("random bytes") << random << true;
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
    QVERIFY(!folder.prompt->shown.isEmpty());
    QCOMPARE(folder.prompt->shown.last().title, QStringLiteral("File not saved"));
    QCOMPARE(screen->Text1[1]->toPlainText(), QStringLiteral("New"));
}

void TermsTest::unkeptCharactersAreAskedAbout() {
    TestFolder folder;
    frmTerms *screen = OpenTerms();
    const QString typed = QStringLiteral("Łazienka ≤ 30 cm ✓");
    // No: the terms stay as typed and unsaved; Yes: the disclaimer is stored with stand-ins.
    for (int box : {0, 1}) {
        screen->Text1[box]->setPlainText(typed);
        folder.prompt->Answer(box == 0 ? MsgAnswer::No : MsgAnswer::Yes);
        screen->Command1_Click(1 + box);
    }
    QCOMPARE(folder.prompt->shown.size(), 2);
    QCOMPARE(folder.prompt->shown[0].text,
             QStringLiteral("These characters cannot be kept in the file: \"Ł\" as \"L\", \"≤\" as \"<\", \"✓\" as "
                            "\"?\".\r\nClick Yes to store them as shown, or No to change the text first."));
    QCOMPARE(screen->Text1[0]->toPlainText(), typed);
    QVERIFY(!folder.exists(Terms));
    QCOMPARE(screen->Text1[1]->toPlainText(), QStringLiteral("Lazienka < 30 cm ?"));
    QCOMPARE(folder.read(Disclaimer), QByteArray("\"Lazienka < 30 cm ?\"\r\n"));
}

void TermsTest::longWordsWrapAnywhere() {
    TestFolder folder;
    // Word wrapping a word like this one grows with the square of its length
    // (a megabyte took minutes); wrapping anywhere stays linear.
    const QString word(20000, QLatin1Char('9'));
    folder.write(Terms, "\"" + word.toLatin1() + "\"\r\n");
    frmTerms *screen = OpenTerms();
    QPlainTextEdit *box = screen->Text1[0];
    (void)screen->grab(); // lays the text out
    QCOMPARE(box->wordWrapMode(), QTextOption::WrapAnywhere);
    box->setPlainText(QStringLiteral("Net 30 days. ").repeated(2000));
    (void)screen->grab();
    QCOMPARE(box->wordWrapMode(), QTextOption::WrapAtWordBoundaryOrAnywhere);
    box->moveCursor(QTextCursor::End);
    box->insertPlainText(word);
    (void)screen->grab();
    QVERIFY(box->toPlainText().endsWith(word));
    QCOMPARE(box->wordWrapMode(), QTextOption::WrapAnywhere);
}

TAMSEL_TEST(TermsTest)
#include "tst_Terms.moc"
