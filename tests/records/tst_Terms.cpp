#include "app/frmStartup.h"
#include "common/CommonRoutines.h"
#include "common/ScreenRegistry.h"
#include "records/frmTerms.h"
#include "settings/TermsTexts.h"
#include "TestFolder.h"
#include "TestMain.h"

#include <QDir>
#include <QLabel>
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
    void twoLineTermsAreOneQuotedFieldAndClearingKeepsTheFiles();
    void deletingRemovesFileAndBackup();
    void bothCustomTextsLoadWithTheScreenQuotesWhole();
    void unreadableAndUnwritableFilesLoseNothing();
    void menuHidesTheScreenAndShowsTheMainMenu();
    void foreignBytesAreDamage_data();
    void foreignBytesAreDamage();
    void unkeptCharactersAreAskedAbout_data();
    void unkeptCharactersAreAskedAbout();
    void longWordsKeepTheBoxResponsive_data();
    void longWordsKeepTheBoxResponsive();
    void screenshot();
};

void TermsTest::twoLineTermsAreOneQuotedFieldAndClearingKeepsTheFiles() {
    TestFolder folder;
    folder.write(Disclaimer, "\"Owner insures the work\"\r\n");
    frmTerms *screen = OpenTerms();
    QCOMPARE(screen->Text1[1]->toPlainText(), QStringLiteral("Owner insures the work"));
    screen->Text1[0]->setPlainText(QStringLiteral("Net 30 days\nNo refunds"));
    screen->Command1_Click(1);
    const QByteArray saved = "\"Net 30 days\r\nNo refunds\"\r\n";
    QCOMPARE(folder.read(Terms), saved);
    QVERIFY(CustomTermsExist());
    QCOMPARE(ReadCustomTerms().value, QStringLiteral("Net 30 days\r\nNo refunds"));

    // Clearing a box tells so and leaves its file alone.
    folder.prompt->AnswerOk(2);
    screen->Command1_Click(4);
    screen->Command1_Click(3);
    QVERIFY(screen->Text1[0]->toPlainText().isEmpty() && screen->Text1[1]->toPlainText().isEmpty());
    QCOMPARE(folder.prompt->shown.size(), 2);
    QVERIFY(folder.prompt->shown[0].text.startsWith(QStringLiteral("The Custom Disclaimer input box")));
    QVERIFY(folder.prompt->shown[1].text.startsWith(QStringLiteral("The Custom Terms input box")));
    QCOMPARE(folder.read(Disclaimer), QByteArray("\"Owner insures the work\"\r\n"));
    QCOMPARE(folder.read(Terms), saved);
    screen->Command1_Click(5);
    QCOMPARE(screen->Text1[0]->toPlainText(), QStringLiteral("Net 30 days\nNo refunds"));
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
    QCOMPARE(screen->Text1[0]->toPlainText(), QStringLiteral("Old terms"));
    QVERIFY(folder.exists(Disclaimer) && folder.exists(Backup + Disclaimer));

    screen = Reopen();
    QVERIFY(screen->Text1[0]->toPlainText().isEmpty());
    QVERIFY(!CustomTermsExist());
    QCOMPARE(screen->Text1[1]->toPlainText(), QStringLiteral("Kept"));

    // Saving the empty box writes the file anew and drops a stale backup for good.
    folder.write(Backup + Terms, "\"stale\"\r\n");
    screen->Command1_Click(1);
    QCOMPARE(folder.read(Terms), QByteArray("\"\"\r\n"));
    QVERIFY(!folder.exists(Backup + Terms));
    QVERIFY(CustomTermsExist() && ReadCustomTerms().ok());
    QCOMPARE(ReadCustomTerms().value, QString());
    QVERIFY(folder.prompt->shown.isEmpty());
}

void TermsTest::bothCustomTextsLoadWithTheScreenQuotesWhole() {
    TestFolder folder;
    // Only a backup copy of the terms: it is restored as the screen loads.
    folder.write(Backup + Terms, "\"Line one\r\nLine two\"\r\n");
    folder.write(Disclaimer, "  \"Insured by: owner\"\r\n");
    frmTerms *screen = OpenTerms();
    // The generic terms are one sentence, its pieces joined with nothing between them.
    QCOMPARE(screen->Label1[1]->text(),
             QStringLiteral("All material is guaranteed to be as "
                            "specified, and the work to be performed in "
                            "accordance with the drawings and specifications submitted for above work and "
                            "completed in substantial workmanlike manner"));
    QVERIFY(screen->Label1[0]->text().endsWith(QStringLiteral("Insurance on above work to be provided by: ")));
    QCOMPARE(screen->Text1[0]->toPlainText(), QStringLiteral("Line one\nLine two"));
    QCOMPARE(screen->Text1[1]->toPlainText(), QStringLiteral("Insured by: owner"));
    QVERIFY(folder.exists(Terms));

    // Loading with no file leaves the box as it is.
    QVERIFY(QFile::remove(folder.file(Disclaimer)));
    screen->Text1[1]->setPlainText(QStringLiteral("typed"));
    screen->Command1_Click(6);
    QCOMPARE(screen->Text1[1]->toPlainText(), QStringLiteral("typed"));
    QVERIFY(folder.prompt->shown.isEmpty());

    // Quotes in the text are kept whole, doubled in the file.
    screen->Text1[1]->setPlainText(QStringLiteral("Insurance by \"owner\", see \"B\""));
    screen->Command1_Click(2);
    QCOMPARE(folder.read(Disclaimer), QByteArray("\"Insurance by \"\"owner\"\", see \"\"B\"\"\"\r\n"));
    screen->Text1[1]->clear();
    screen->Command1_Click(6);
    QCOMPARE(screen->Text1[1]->toPlainText(), QStringLiteral("Insurance by \"owner\", see \"B\""));
    QCOMPARE(ReadCustomDisclaimer().value, QStringLiteral("Insurance by \"owner\", see \"B\""));

    // A file from before, with a quote written undoubled, reads as it always did.
    folder.write(Disclaimer, "\"Say \"yes\" now\"\r\n");
    screen->Command1_Click(6);
    QCOMPARE(screen->Text1[1]->toPlainText(), QStringLiteral("Say "));
}

void TermsTest::unreadableAndUnwritableFilesLoseNothing() {
    TestFolder folder;
    folder.write(Terms, "");
    folder.prompt->AnswerOk();
    frmTerms *screen = OpenTerms();
    QCOMPARE(folder.prompt->shown.size(), 1);
    QCOMPARE(folder.prompt->shown[0].title, QStringLiteral("Damaged File"));
    QVERIFY(folder.prompt->shown[0].text.contains(Terms));
    QVERIFY(screen->Text1[0]->toPlainText().isEmpty());
    QCOMPARE(ReadCustomTerms().outcome, ReadOutcome::Unreadable);

    // A file that cannot be replaced (here a folder stands in its way) is reported.
    QDir().mkpath(folder.file(Disclaimer));
    folder.write(Backup + Disclaimer, "\"backup\"\r\n");
    screen->Text1[1]->setPlainText(QStringLiteral("New"));
    folder.prompt->AnswerOk();
    screen->Command1_Click(2);
    QCOMPARE(folder.prompt->shown.size(), 2);
    QCOMPARE(folder.prompt->shown[1].title, QStringLiteral("File not saved"));
    QCOMPARE(folder.read(Backup + Disclaimer), QByteArray("\"backup\"\r\n"));
    QCOMPARE(screen->Text1[1]->toPlainText(), QStringLiteral("New"));
}

void TermsTest::menuHidesTheScreenAndShowsTheMainMenu() {
    TestFolder folder;
    frmTerms *screen = OpenTerms();
    screen->Text1[0]->setPlainText(QStringLiteral("unsaved"));
    screen->findChild<QPushButton *>(QStringLiteral("Command1_0"))->click();
    QVERIFY(!screen->isVisible());
    QCOMPARE(ScreenRegistry::Existing<frmTerms>(), screen); // hidden, not unloaded
    auto *menu = ScreenRegistry::Existing<frmStartup>();
    QVERIFY(menu && menu->isVisible());
    QCOMPARE(OpenTerms()->Text1[0]->toPlainText(), QStringLiteral("unsaved"));
}

void TermsTest::foreignBytesAreDamage_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("damaged");
    QByteArray random;
    for (int i = 0; i < 4096; ++i)
        random += char((i * 7919 + 13) % 251);
    QTest::newRow("random bytes") << random << true;
    QTest::newRow("NUL in the text") << QByteArray("\"Net\0 30 days\"\r\n", 16) << true;
    QTest::newRow("escape in the text") << QByteArray("\"Net \x1b 30 days\"\r\n") << true;
    QTest::newRow("undefined code page byte") << QByteArray("\"Net \x9d 30 days\"\r\n") << true;
    QTest::newRow("tabs and line ends") << QByteArray("\"Net\t30 days\r\nCaf\xe9\"\r\n") << false;
}

void TermsTest::foreignBytesAreDamage() {
    QFETCH(QByteArray, bytes);
    QFETCH(bool, damaged);
    TestFolder folder;
    folder.write(Terms, bytes);
    folder.write(Backup + Terms, "\"Good terms\"\r\n");
    if (damaged)
        folder.prompt->Answer(MsgAnswer::No); // keep the file as it is
    frmTerms *screen = OpenTerms();
    QCOMPARE(folder.prompt->shown.size(), damaged ? 1 : 0);
    QCOMPARE(screen->Text1[0]->toPlainText().isEmpty(), damaged);
    QCOMPARE(ReadCustomTerms().ok(), !damaged);
    // The exit's backup leaves the good copy alone.
    QVERIFY(BackupDataFiles());
    QCOMPARE(folder.read(Backup + Terms) == "\"Good terms\"\r\n", damaged);
}

void TermsTest::unkeptCharactersAreAskedAbout_data() {
    QTest::addColumn<int>("box");
    QTest::addColumn<int>("answer");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QByteArray>("stored"); // empty: no file
    const QString typed = QStringLiteral("Łazienka ≤ 30 cm ✓");
    QTest::newRow("terms changed first") << 0 << int(MsgAnswer::No) << typed << QByteArray();
    QTest::newRow("disclaimer with stand-ins") << 1 << int(MsgAnswer::Yes) << QStringLiteral("Lazienka < 30 cm ?")
                                               << QByteArray("\"Lazienka < 30 cm ?\"\r\n");
}

void TermsTest::unkeptCharactersAreAskedAbout() {
    QFETCH(int, box);
    QFETCH(int, answer);
    QFETCH(QString, shown);
    QFETCH(QByteArray, stored);
    TestFolder folder;
    frmTerms *screen = OpenTerms();
    screen->Text1[box]->setPlainText(QStringLiteral("Łazienka ≤ 30 cm ✓"));
    folder.prompt->Answer(MsgAnswer(answer));
    screen->Command1_Click(1 + box);
    QCOMPARE(folder.prompt->shown.size(), 1);
    QCOMPARE(folder.prompt->shown[0].text,
             QStringLiteral("These characters cannot be kept in the file: \"Ł\" as \"L\", \"≤\" as \"<\", \"✓\" as "
                            "\"?\".\r\nClick Yes to store them as shown, or No to change the text first."));
    QCOMPARE(screen->Text1[box]->toPlainText(), shown);
    const QString file = box == 0 ? Terms : Disclaimer;
    QCOMPARE(folder.exists(file), !stored.isEmpty());
    if (!stored.isEmpty())
        QCOMPARE(folder.read(file), stored);
}

void TermsTest::longWordsKeepTheBoxResponsive_data() {
    QTest::addColumn<bool>("fromFile");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("wrapsAnywhere");
    const QString word(20000, QLatin1Char('9'));
    QTest::newRow("file of one long word") << true << word << true;
    QTest::newRow("pasted long word") << false << word << true;
    QTest::newRow("ordinary words wrap at their ends") << false << QStringLiteral("Net 30 days. ").repeated(2000)
                                                       << false;
}

void TermsTest::longWordsKeepTheBoxResponsive() {
    QFETCH(bool, fromFile);
    QFETCH(QString, text);
    QFETCH(bool, wrapsAnywhere);
    TestFolder folder;
    frmTerms *screen = OpenTerms();
    QPlainTextEdit *box = screen->Text1[0];
    box->setPlainText(QStringLiteral("Typed first"));
    if (fromFile) {
        folder.write(Terms, "\"" + text.toLatin1() + "\"\r\n");
        screen->Command1_Click(5);
    } else {
        box->moveCursor(QTextCursor::End);
        box->insertPlainText(text);
    }
    (void)screen->grab(); // lays the text out
    // Word wrapping a word like this one grows with the square of its length
    // (a megabyte took minutes); wrapping anywhere stays linear.
    QCOMPARE(box->wordWrapMode() == QTextOption::WrapAnywhere, wrapsAnywhere);
    QVERIFY(box->toPlainText().endsWith(text.right(20)));
}

void TermsTest::screenshot() {
    const QString target = qEnvironmentVariable("TAMSEL_SCREENSHOTS");
    if (target.isEmpty())
        QSKIP("set TAMSEL_SCREENSHOTS to save the screenshot");
    TestFolder folder;
    folder.write(Terms, "\"Payment due within 30 days of completion.\r\n"
                        "A service charge of 1.5% per month applies to late payments.\"\r\n");
    folder.write(Disclaimer, "\"Owner to carry fire and other necessary insurance.\r\n"
                             "Liability insurance on above work to be provided by:\"\r\n");
    frmTerms *screen = OpenTerms();
    screen->resize(820, 600);
    QVERIFY(QDir().mkpath(target));
    QVERIFY(screen->grab().save(target + QStringLiteral("/frmTerms.png")));
}

TAMSEL_TEST(TermsTest)
#include "tst_Terms.moc"
