#include "app/DataFolders.h"
#include "app/frmSplash.h"
#include "app/frmStartup.h"
#include "app/SingleInstance.h"
#include "app/Startup.h"
#include "common/CommonRoutines.h"
#include "common/CommonVariables.h"
#include "common/ScreenRegistry.h"
#include "platform/QtPictureBox.h"
#include "records/frmFieldProposal.h"
#include "settings/frmSetup.h"
#include "TestFolder.h"
#include "TestMain.h"

#include <QCryptographicHash>
#include <QAction>
#include <QDirIterator>
#include <QFrame>
#include <QLineEdit>
#include <QLockFile>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

namespace {

QByteArray RawCustomerRecord(const QByteArray &account) {
    QByteArray record = account.leftJustified(20, ' ');
    record.append(QByteArray(328 - 20, ' '));
    return record;
}

// Every file and folder under the data folder with a digest of its contents.
QStringList Snapshot(const QString &root) {
    QStringList entries;
    QDirIterator it(root, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        QString entry = path.mid(root.size());
        QFile file(path);
        if (it.fileInfo().isFile() && file.open(QIODevice::ReadOnly))
            entry += QLatin1Char(' ') + QCryptographicHash::hash(file.readAll(), QCryptographicHash::Md5).toHex();
        entries << entry;
    }
    entries.sort();
    return entries;
}

void Restart() {
    CloseAllScreens();
    ReleaseInstanceLock();
}

} // namespace

class StartupTest : public QObject {
    Q_OBJECT
private slots:
    void startsMakeRestoreAndThenChangeNothing();
    void aFolderThatCannotBeMadeEndsTheStart();
    void secondCopyIsRefusedWithoutTouchingFiles_data();
    void secondCopyIsRefusedWithoutTouchingFiles();
    void splashLeadsToWelcomeOrMenuAndExitBacksUp();
    void executableStartsInAnEmptyFolder();
};

void StartupTest::startsMakeRestoreAndThenChangeNothing() {
    TestFolder folder;
    QVERIFY(StartUp(folder.path()));
    for (const QString &name : DataFolderNames())
        QVERIFY2(QFileInfo(DataPath(name)).isDir(), qPrintable(name));
    QCOMPARE(folder.read(QStringLiteral("TProposalCounter.txt")), QByteArray("1001\r\n"));
    QCOMPARE(ScreenRegistry::Get<frmSetup>()->txtProposalNo->text(), QStringLiteral("1001"));
    QVERIFY(ScreenRegistry::Existing<frmSplash>()->isVisible());
    QVERIFY(folder.prompt->shown.isEmpty());

    // Files missing beside their backup come back from it, with every
    // customer's aux folders but none for names that would leave the folder
    // or are blank; the counter is read, not reset.
    Restart();
    const QByteArray customers = RawCustomerRecord("A1   ") + RawCustomerRecord("..") + RawCustomerRecord("../X") +
                                 RawCustomerRecord("B2") + RawCustomerRecord("   ") + RawCustomerRecord("C3");
    const QByteArray business = "\"Acme Roofing\",\"1 Main St\",\"\",\"Springfield\",\"IL\",\"62701\","
                                "\"555-1234\",\"\",\"\"\r\n";
    folder.write(QStringLiteral("Backup/CustomerData.txt"), customers);
    folder.write(QStringLiteral("Backup/MyBusinessData.txt"), business);
    folder.write(QStringLiteral("TProposalCounter.txt"), "2417\r\n");
    // Account folders there already, in other case or short of some folders, are kept and completed.
    QVERIFY(QDir().mkpath(folder.file(QStringLiteral("AuxFiles/a1/auxfile2"))));
    QVERIFY(QDir().mkpath(folder.file(QStringLiteral("AuxFiles/B2/AuxFile0"))));
    QVERIFY(StartUp(folder.path()));
    QCOMPARE(folder.read(QStringLiteral("CustomerData.txt")), customers);
    QCOMPARE(folder.read(QStringLiteral("MyBusinessData.txt")), business);
    const QStringList six = {"AuxFile0", "AuxFile1", "AuxFile2", "AuxFile3", "AuxFile4", "AuxFile5"};
    const auto folders = [&](const QString &name) {
        return QDir(folder.file(name)).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    };
    QCOMPARE(folders(QStringLiteral("AuxFiles")), QStringList({"a1", "B2", "C3"}));
    QCOMPARE(folders(QStringLiteral("AuxFiles/a1")),
             QStringList({"AuxFile0", "AuxFile1", "auxfile2", "AuxFile3", "AuxFile4", "AuxFile5"}));
    QCOMPARE(folders(QStringLiteral("AuxFiles/B2")), six);
    QCOMPARE(folders(QStringLiteral("AuxFiles/C3")), six);
    QVERIFY(!folder.exists(QStringLiteral("X")) && !folder.exists(QStringLiteral("AuxFile0")));
    QCOMPARE(ProposalNo, qint16(2417));
    QCOMPARE(ScreenRegistry::Existing<frmFieldProposal>()->txtNextFieldProposal->text(), QStringLiteral("2417"));
    QCOMPARE(folder.read(QStringLiteral("TProposalCounter.txt")), QByteArray("2417\r\n"));

    // With everything in place a start changes nothing.
    const QStringList before = Snapshot(folder.path());
    Restart();
    QVERIFY(StartUp(folder.path()));
    QCOMPARE(Snapshot(folder.path()), before);

    // A recording cut short after all its new files were whole is finished
    // by the next start, so the report never sees half of it.
    Restart();
    folder.write(QStringLiteral("TamselProposals/1001.txt"), "new proposal");
    folder.write(QStringLiteral("TamselProposals/1001.txt.old"), "old proposal");
    folder.write(QStringLiteral("TamselProposals/ProposalBody/1001.txt.new"), "new body");
    folder.write(QStringLiteral("TamselProposals/1001.record"), "");
    QVERIFY(StartUp(folder.path()));
    QCOMPARE(folder.read(QStringLiteral("TamselProposals/ProposalBody/1001.txt")), QByteArray("new body"));
    QVERIFY(!folder.exists(QStringLiteral("TamselProposals/1001.record")));
    QVERIFY(!folder.exists(QStringLiteral("TamselProposals/1001.txt.old")));
}

void StartupTest::aFolderThatCannotBeMadeEndsTheStart() {
    TestFolder folder;
    // A file where the third folder belongs stops the sequence there.
    folder.write(QStringLiteral("TamselProposals"), "in the way");
    folder.prompt->AnswerOk();
    QVERIFY(!StartUp(folder.path()));
    QVERIFY(folder.exists(QStringLiteral("Templates")));
    QVERIFY(!folder.exists(QStringLiteral("Templates/Proposals")));
    QVERIFY(!folder.exists(QStringLiteral("TProposalCounter.txt")));
    QCOMPARE(folder.prompt->shown.size(), 1);
    QVERIFY(folder.prompt->shown[0].text.contains(QStringLiteral("\\TamselProposals")));
    QVERIFY(ScreenRegistry::Screens().isEmpty());
}

void StartupTest::secondCopyIsRefusedWithoutTouchingFiles_data() {
    QTest::addColumn<bool>("throughLink");
    QTest::newRow("same folder") << false;
    QTest::newRow("started through a link to it") << true;
}

void StartupTest::secondCopyIsRefusedWithoutTouchingFiles() {
    QFETCH(bool, throughLink);
    TestFolder folder;
    QTemporaryDir elsewhere;
    const QString link = elsewhere.path() + QStringLiteral("/Proposals");
    QVERIFY(QFile::link(folder.path(), link));
    AppFolder = folder.path();
    QLockFile firstCopy(InstanceLockPath());
    QVERIFY(firstCopy.tryLock(0));
    folder.prompt->AnswerOk();
    QVERIFY(!StartUp(throughLink ? link : folder.path()));
    QCOMPARE(folder.prompt->Texts(), QStringList{QStringLiteral("Tamsel Proposal is already Running!")});
    QVERIFY(Snapshot(folder.path()).isEmpty());
    QVERIFY(ScreenRegistry::Screens().isEmpty());
    QCOMPARE(folder.endRequests, 0); // ends by returning, without the exit's backup
    // Once the first copy has gone, the next one starts.
    firstCopy.unlock();
    AppFolder = throughLink ? link : folder.path();
    QVERIFY(!CheckPrevInstance());
    ReleaseInstanceLock();
}

void StartupTest::splashLeadsToWelcomeOrMenuAndExitBacksUp() {
    TestFolder folder;
    QVERIFY(StartUp(folder.path()));
    frmSplash *splash = ScreenRegistry::Existing<frmSplash>();
    QTest::mouseClick(splash->cmdContinue, Qt::LeftButton);
    QVERIFY(splash->fraWelcome->isVisible());
    QVERIFY(!ScreenRegistry::Existing<frmStartup>());
    Restart();

    // Both settings files present (PrintColors.txt only in the backup): the menu.
    folder.write(QStringLiteral("MyBusinessData.txt"), "\"A\",\"\",\"\",\"\",\"\",\"1\",\"\",\"\",\"\"\r\n");
    folder.write(QStringLiteral("Backup/PrintColors.txt"), "0\r\n0\r\n\"Arial\"\r\n#TRUE#\r\n3\r\n");
    QVERIFY(StartUp(folder.path()));
    ScreenRegistry::Existing<frmSplash>()->cmdContinue_Click();
    QVERIFY(folder.exists(QStringLiteral("PrintColors.txt")));
    QVERIFY(ScreenRegistry::Existing<frmStartup>()->isVisible());
    // The logo leads to the setup screen; Exit ends the program after its backup.
    auto *menu = ScreenRegistry::Existing<frmStartup>();
    QTest::mouseClick(menu->Image1, Qt::LeftButton);
    QVERIFY(!menu->isVisible());
    QVERIFY(ScreenRegistry::Existing<frmSetup>()->isVisible());
    QVERIFY(!folder.exists(QStringLiteral("Backup/MyBusinessData.txt")));
    QCOMPARE(folder.endRequests, 0);
    menu->mnuExit->trigger();
    QCOMPARE(folder.endRequests, 1);
    QCOMPARE(folder.read(QStringLiteral("Backup/MyBusinessData.txt")), folder.read(QStringLiteral("MyBusinessData.txt")));
}

void StartupTest::executableStartsInAnEmptyFolder() {
    const QString exe = qEnvironmentVariable("TAMSEL_EXE");
    if (exe.isEmpty())
        QSKIP("TAMSEL_EXE is set by CTest");
    QTemporaryDir dir;
    const QString copy = dir.path() + QStringLiteral("/TamselProposal");
    QVERIFY(QFile::copy(exe, copy));
    QProcess program;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), dir.path() + QStringLiteral("/config"));
    program.setProcessEnvironment(env);
    program.start(copy, {});
    QVERIFY(program.waitForStarted());
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(dir.path() + QStringLiteral("/TProposalCounter.txt")), 20000);
    // Still running: it waits at the splash.
    QTest::qWait(300);
    QCOMPARE(program.state(), QProcess::Running);
    program.kill();
    program.waitForFinished();
}

TAMSEL_TEST(StartupTest)
#include "tst_Startup.moc"
