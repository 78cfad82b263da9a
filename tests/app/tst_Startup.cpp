#include "app/DataFolders.h"
#include "app/frmSplash.h"
#include "app/frmStartup.h"
#include "app/SingleInstance.h"
#include "app/Startup.h"
#include "common/CommonRoutines.h"
#include "common/CommonVariables.h"
#include "common/ScreenRegistry.h"
#include "customers/frmCustomer.h"
#include "records/frmFieldProposal.h"
#include "settings/frmSetup.h"
#include "TestFolder.h"
#include "TestMain.h"

#include <QCryptographicHash>
#include <QDirIterator>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QLineEdit>
#include <QLockFile>
#include <QProcess>
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

QStringList ScreenNames() {
    QStringList names;
    for (TamselForm *screen : ScreenRegistry::Screens())
        names << screen->objectName();
    return names;
}

} // namespace

class StartupTest : public QObject {
    Q_OBJECT
private slots:
    void firstRunCreatesTheFoldersAndCounter();
    void foldersAreCreatedInOrderAndAFailureEndsTheStart();
    void missingFilesComeBackFromBackup();
    void auxFoldersSkipUnsafeNamesAndReuseAnyCase();
    void splashTellsHowFarTheFoldersHaveCome();
    void secondStartChangesNothingNotEvenTheCounter();
    void lockBelongsToTheFolderHoweverItIsNamed();
    void secondCopyIsRefusedWithoutTouchingFiles_data();
    void secondCopyIsRefusedWithoutTouchingFiles();
    void continueLeadsToMenuOrWelcomeAndLogoToSetup();
    void closeButtonEndsTheProgramButUnloadDoesNot();
    void screensComeBackWhereTheyWere();
    void executableStartsInAnEmptyFolder();
};

void StartupTest::firstRunCreatesTheFoldersAndCounter() {
    TestFolder folder;
    QVERIFY(StartUp(folder.path()));
    for (const QString &name : DataFolderNames())
        QVERIFY2(QFileInfo(DataPath(name)).isDir(), qPrintable(name));
    QVERIFY(!folder.exists(QStringLiteral("AuxFiles")));
    QCOMPARE(folder.read(QStringLiteral("TProposalCounter.txt")), QByteArray("1001\r\n"));
    QCOMPARE(ProposalNo, qint16(1001));
    QCOMPARE(ScreenRegistry::Get<frmSetup>()->txtProposalNo->text(), QStringLiteral("1001"));
    QCOMPARE(ScreenRegistry::Get<frmFieldProposal>()->txtNextFieldProposal->text(), QStringLiteral("1001"));
    // No business data: the setup screen is first touched by the counter.
    // The search for the modem, whose port the dialer holds, starts last.
    QCOMPARE(ScreenNames(), QStringList({"frmSplash", "frmCustomer", "frmSetup", "frmFieldProposal", "frmDialer"}));
    QVERIFY(ScreenRegistry::Existing<frmSplash>()->isVisible());
    QVERIFY(!ScreenRegistry::Existing<frmSplash>()->lblFolderProgress->isVisible());
    QVERIFY(!ScreenRegistry::Existing<frmSetup>()->isVisible());
    QVERIFY(!ScreenRegistry::Existing<frmCustomer>()->isVisible());
    QVERIFY(folder.prompt->shown.isEmpty());
}

void StartupTest::foldersAreCreatedInOrderAndAFailureEndsTheStart() {
    TestFolder folder;
    // A file where the third folder belongs stops the sequence there.
    folder.write(QStringLiteral("TamselProposals"), "in the way");
    folder.prompt->AnswerOk();
    QVERIFY(!StartUp(folder.path()));
    QVERIFY(folder.exists(QStringLiteral("Backup")));
    QVERIFY(folder.exists(QStringLiteral("Templates")));
    QVERIFY(!folder.exists(QStringLiteral("Templates/Proposals")));
    QVERIFY(!folder.exists(QStringLiteral("TProposalCounter.txt")));
    QCOMPARE(folder.prompt->shown.size(), 1);
    QVERIFY(folder.prompt->shown[0].text.contains(QStringLiteral("\\TamselProposals")));
    QVERIFY(ScreenRegistry::Screens().isEmpty());

    // So does an account's folder that cannot be made.
    QVERIFY(QFile::remove(folder.file(QStringLiteral("TamselProposals"))));
    ReleaseInstanceLock();
    folder.write(QStringLiteral("CustomerData.txt"), RawCustomerRecord("A1"));
    folder.write(QStringLiteral("AuxFiles"), "a file where the folder belongs");
    folder.prompt->AnswerOk();
    QVERIFY(!StartUp(folder.path()));
    QCOMPARE(folder.prompt->shown.size(), 2);
    QVERIFY(folder.prompt->shown[1].text.contains(QStringLiteral("could not be created")));
    QVERIFY(!folder.exists(QStringLiteral("TProposalCounter.txt")));
}

void StartupTest::missingFilesComeBackFromBackup() {
    TestFolder folder;
    const QByteArray customers = RawCustomerRecord("A1   ") + RawCustomerRecord("B2") + RawCustomerRecord("C3");
    const QByteArray business = "\"Acme Roofing\",\"1 Main St\",\"\",\"Springfield\",\"IL\",\"62701\","
                                "\"555-1234\",\"\",\"\"\r\n";
    folder.write(QStringLiteral("Backup/CustomerData.txt"), customers);
    folder.write(QStringLiteral("Backup/MyBusinessData.txt"), business);
    QVERIFY(StartUp(folder.path()));
    QCOMPARE(folder.read(QStringLiteral("CustomerData.txt")), customers);
    QCOMPARE(folder.read(QStringLiteral("MyBusinessData.txt")), business);
    for (const char *account : {"A1", "B2", "C3"})
        for (int i = 0; i <= 5; ++i)
            QVERIFY(QFileInfo(folder.file(QStringLiteral("AuxFiles/%1/AuxFile%2").arg(account).arg(i))).isDir());
    QCOMPARE(QDir(folder.file(QStringLiteral("AuxFiles"))).entryList(QDir::Dirs | QDir::NoDotAndDotDot),
             QStringList({"A1", "B2", "C3"}));
    QCOMPARE(BusinessData[0], QStringLiteral("Acme Roofing"));
    QCOMPARE(ScreenRegistry::Existing<frmSetup>()->txtBusiness[3]->text(), QStringLiteral("Springfield"));
    // With business data the setup screen is created before the customer screen.
    QCOMPARE(ScreenNames(), QStringList({"frmSplash", "frmSetup", "frmCustomer", "frmFieldProposal", "frmDialer"}));
}

void StartupTest::auxFoldersSkipUnsafeNamesAndReuseAnyCase() {
    TestFolder folder;
    const auto entries = [&](const QString &sub) {
        QStringList names = QDir(folder.file(sub)).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
        names.sort();
        return names;
    };
    // Names that would leave the folder, or are blank, get none.
    folder.write(QStringLiteral("CustomerData.txt"), RawCustomerRecord("..") + RawCustomerRecord("../X") +
                                                         RawCustomerRecord("   ") + RawCustomerRecord("OK1"));
    QVERIFY(CheckAuxFolders());
    QCOMPARE(entries(QStringLiteral("AuxFiles")), QStringList({"OK1"}));
    QVERIFY(!folder.exists(QStringLiteral("X")));
    QVERIFY(!folder.exists(QStringLiteral("AuxFile0")));
    QVERIFY(QDir(folder.file(QStringLiteral("AuxFiles"))).removeRecursively());

    // Folders copied from a system that wrote other letter cases.
    for (const char *sub : {"auxfiles/a1/auxfile0", "auxfiles/a1/AUXFILE3", "auxfiles/B2"})
        QVERIFY(QDir().mkpath(folder.file(QString::fromLatin1(sub))));
    folder.write(QStringLiteral("CustomerData.txt"), RawCustomerRecord("A1") + RawCustomerRecord("b2") +
                                                         RawCustomerRecord("C3") + RawCustomerRecord("c3") +
                                                         RawCustomerRecord("A1"));
    QVERIFY(CheckAuxFolders());
    QCOMPARE(entries(QString()), QStringList({"CustomerData.txt", "auxfiles"}));
    QCOMPARE(entries(QStringLiteral("auxfiles")), QStringList({"B2", "C3", "a1"}));
    QCOMPARE(entries(QStringLiteral("auxfiles/a1")),
             QStringList({"AUXFILE3", "AuxFile1", "AuxFile2", "AuxFile4", "AuxFile5", "auxfile0"}));
    const QStringList six = {"AuxFile0", "AuxFile1", "AuxFile2", "AuxFile3", "AuxFile4", "AuxFile5"};
    QCOMPARE(entries(QStringLiteral("auxfiles/B2")), six);
    QCOMPARE(entries(QStringLiteral("auxfiles/C3")), six);
    QVERIFY(folder.prompt->shown.isEmpty());

    // A file where a sub-folder of an existing account belongs stops the pass
    // there, named as the customer file spells the account.
    QVERIFY(QDir(folder.file(QStringLiteral("auxfiles/B2"))).rmdir(QStringLiteral("AuxFile2")));
    folder.write(QStringLiteral("auxfiles/B2/auxfile2"), "in the way");
    folder.write(QStringLiteral("CustomerData.txt"), RawCustomerRecord("b2") + RawCustomerRecord("D4"));
    folder.prompt->AnswerOk();
    QVERIFY(!CheckAuxFolders());
    QCOMPARE(folder.prompt->shown.size(), 1);
    QVERIFY2(folder.prompt->shown[0].text.contains(QStringLiteral("\\AuxFiles\\b2/AuxFile2 could not be created")),
             qPrintable(folder.prompt->shown[0].text));
    QVERIFY(!folder.exists(QStringLiteral("auxfiles/D4")));
}

void StartupTest::splashTellsHowFarTheFoldersHaveCome() {
    TestFolder folder;
    folder.write(QStringLiteral("CustomerData.txt"), RawCustomerRecord("A1") + RawCustomerRecord("   ") +
                                                         RawCustomerRecord("B2") + RawCustomerRecord("C3"));
    frmSplash *splash = ScreenRegistry::Get<frmSplash>();
    ScreenRegistry::Show(splash);

    // A quick check shows nothing, yet the core tells every record.
    QList<QPair<int, int>> told;
    const FolderProgress quiet = splash->FolderProgressReporter(60000, 0);
    QVERIFY(CheckAuxFolders([&](int done, int total) {
        told << qMakePair(done, total);
        quiet(done, total);
        QVERIFY(!splash->lblFolderProgress->isVisible());
    }));
    QCOMPARE(told, (QList<QPair<int, int>>{{1, 4}, {2, 4}, {3, 4}, {4, 4}}));

    // A slow one says how far it has come, and closing the window meanwhile
    // waits until the folders are made.
    QVERIFY(QDir(folder.file(QStringLiteral("AuxFiles"))).removeRecursively());
    QStringList shown;
    const FolderProgress report = splash->FolderProgressReporter(0, 0);
    QVERIFY(CheckAuxFolders([&](int done, int total) {
        report(done, total);
        if (splash->lblFolderProgress->isVisible())
            shown << splash->lblFolderProgress->text();
        if (done == 2)
            splash->close();
    }));
    QCOMPARE(shown, QStringList({QStringLiteral("Preparing the customer folders\u2026 1 of 4"),
                                 QStringLiteral("Preparing the customer folders\u2026 2 of 4"),
                                 QStringLiteral("Preparing the customer folders\u2026 3 of 4"),
                                 QStringLiteral("Preparing the customer folders\u2026 4 of 4")}));
    QVERIFY(folder.exists(QStringLiteral("AuxFiles/C3/AuxFile5")));
    QCOMPARE(folder.endRequests, 0);
    QVERIFY(splash->isVisible());
    splash->EndFolderProgress();
    QVERIFY(!splash->lblFolderProgress->isVisible());
    QCoreApplication::processEvents();
    QCOMPARE(folder.endRequests, 1);
}

void StartupTest::secondStartChangesNothingNotEvenTheCounter() {
    TestFolder folder;
    folder.write(QStringLiteral("CustomerData.txt"), RawCustomerRecord("A1"));
    folder.write(QStringLiteral("TProposalCounter.txt"), "2417\r\n");
    QVERIFY(StartUp(folder.path()));
    QCOMPARE(ProposalNo, qint16(2417));
    QCOMPARE(folder.read(QStringLiteral("TProposalCounter.txt")), QByteArray("2417\r\n"));
    QCOMPARE(ScreenRegistry::Existing<frmFieldProposal>()->txtNextFieldProposal->text(), QStringLiteral("2417"));
    const QStringList before = Snapshot(folder.path());
    CloseAllScreens();
    ReleaseInstanceLock();
    QVERIFY(StartUp(folder.path()));
    QCOMPARE(Snapshot(folder.path()), before);

    // A recording cut short after all its new files were whole is finished
    // by the next start, so the report never sees half of it.
    CloseAllScreens();
    ReleaseInstanceLock();
    folder.write(QStringLiteral("TamselProposals/1001.txt"), "new proposal");
    folder.write(QStringLiteral("TamselProposals/1001.txt.old"), "old proposal");
    folder.write(QStringLiteral("TamselProposals/ProposalBody/1001.txt.new"), "new body");
    folder.write(QStringLiteral("TamselProposals/1001.record"), "");
    QVERIFY(StartUp(folder.path()));
    QCOMPARE(folder.read(QStringLiteral("TamselProposals/ProposalBody/1001.txt")), QByteArray("new body"));
    QVERIFY(!folder.exists(QStringLiteral("TamselProposals/1001.record")));
    QVERIFY(!folder.exists(QStringLiteral("TamselProposals/1001.txt.old")));
}

void StartupTest::lockBelongsToTheFolderHoweverItIsNamed() {
    TestFolder folder;
    QTemporaryDir elsewhere;
    const QString link = elsewhere.path() + QStringLiteral("/Proposals");
    QVERIFY(QFile::link(folder.path(), link));
    QDir().mkpath(folder.file(QStringLiteral("Backup")));
    AppFolder = folder.path();
    const QString lock = InstanceLockPath();
    for (const QString &sameFolder : {link, link + QLatin1Char('/'), folder.path() + QStringLiteral("/Backup/..")}) {
        AppFolder = sameFolder;
        QCOMPARE(InstanceLockPath(), lock);
    }
    // A folder that is not there (yet) still has a lock of its own.
    AppFolder = elsewhere.path() + QStringLiteral("/Missing");
    const QString missing = InstanceLockPath();
    QVERIFY(missing != lock);
    AppFolder = elsewhere.path() + QStringLiteral("/Missing/");
    QCOMPARE(InstanceLockPath(), missing);
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
    QCOMPARE(folder.prompt->shown.size(), 1);
    QCOMPARE(folder.prompt->shown[0].text, QStringLiteral("Tamsel Proposal is already Running!"));
    QCOMPARE(folder.prompt->shown[0].buttons, MsgButtons::Ok);
    QVERIFY(Snapshot(folder.path()).isEmpty());
    QVERIFY(ScreenRegistry::Screens().isEmpty());
    QCOMPARE(folder.endRequests, 0); // ends by returning, without the exit's backup
    // Once the first copy has gone, the next one starts.
    firstCopy.unlock();
    AppFolder = throughLink ? link : folder.path();
    QVERIFY(!CheckPrevInstance());
    ReleaseInstanceLock();
}

void StartupTest::continueLeadsToMenuOrWelcomeAndLogoToSetup() {
    TestFolder folder;
    QVERIFY(StartUp(folder.path()));
    frmSplash *splash = ScreenRegistry::Existing<frmSplash>();
    QTest::mouseClick(splash->cmdContinue, Qt::LeftButton);
    QVERIFY(splash->fraWelcome->isVisible());
    QVERIFY(splash->lblLogoPointer->isVisible());
    QCOMPARE(splash->lblLogoPointer->text(), QStringLiteral("LOGO >"));
    QVERIFY(!ScreenRegistry::Existing<frmStartup>());
    CloseAllScreens();
    ReleaseInstanceLock();

    // Both settings files present (PrintColors.txt only in the backup): the menu.
    folder.write(QStringLiteral("MyBusinessData.txt"), "\"A\",\"\",\"\",\"\",\"\",\"1\",\"\",\"\",\"\"\r\n");
    folder.write(QStringLiteral("Backup/PrintColors.txt"), "0\r\n0\r\n\"Arial\"\r\n#TRUE#\r\n3\r\n");
    QVERIFY(StartUp(folder.path()));
    QPointer<frmSplash> second = ScreenRegistry::Existing<frmSplash>();
    second->cmdContinue_Click();
    QVERIFY(folder.exists(QStringLiteral("PrintColors.txt")));
    QVERIFY(ScreenRegistry::Existing<frmStartup>()->isVisible());
    QVERIFY(!ScreenRegistry::Existing<frmSplash>());
    QCOMPARE(folder.endRequests, 0);
    CloseAllScreens();
    ReleaseInstanceLock();

    QVERIFY(StartUp(folder.path()));
    ScreenRegistry::Existing<frmSplash>()->Image1_Click();
    QVERIFY(ScreenRegistry::Existing<frmSetup>()->isVisible());
    QVERIFY(!ScreenRegistry::Existing<frmSplash>());
}

void StartupTest::closeButtonEndsTheProgramButUnloadDoesNot() {
    TestFolder folder;
    folder.write(QStringLiteral("MyBusinessData.txt"), "\"A\",\"\",\"\",\"\",\"\",\"1\",\"\",\"\",\"\"\r\n");
    QVERIFY(StartUp(folder.path()));
    frmStartup *menu = ScreenRegistry::Get<frmStartup>();
    ScreenRegistry::Show(menu);
    ScreenRegistry::Unload(ScreenRegistry::Existing<frmSplash>());
    QCOMPARE(folder.endRequests, 0);
    QVERIFY(!folder.exists(QStringLiteral("Backup/MyBusinessData.txt")));

    menu->close(); // the window's own close button
    QCOMPARE(folder.endRequests, 1);
    QCOMPARE(folder.read(QStringLiteral("Backup/MyBusinessData.txt")), folder.read(QStringLiteral("MyBusinessData.txt")));
    QVERIFY(ScreenRegistry::Screens().isEmpty());
}

void StartupTest::screensComeBackWhereTheyWere() {
    TestFolder folder;
    // A place that fits the offscreen platform's 800x600 screen, which a
    // window kept from elsewhere would be brought back onto.
    frmStartup *menu = ScreenRegistry::Get<frmStartup>();
    menu->setGeometry(120, 100, 640, 380);
    ScreenRegistry::Show(menu);
    const QRect placed = menu->geometry();
    ScreenRegistry::Unload(menu);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!ScreenRegistry::Existing<frmStartup>());
    frmStartup *again = ScreenRegistry::Get<frmStartup>();
    QVERIFY(again != nullptr);
    QCOMPARE(again->size(), placed.size());
    QCOMPARE(again->pos(), placed.topLeft());
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
