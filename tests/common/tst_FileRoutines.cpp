#include "app/frmStartup.h"
#include "common/CommonRoutines.h"
#include "common/CommonVariables.h"
#include "common/ScreenRegistry.h"
#include "settings/frmSetup.h"
#include "TestFolder.h"
#include "TestMain.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>

class FileRoutinesTest : public QObject {
    Q_OBJECT
private slots:
    void namesNeverLeaveTheDataFolderAndFoldersAreMadeOneLevel();
    void missingNamesMatchEntriesOfAnyCase_data();
    void missingNamesMatchEntriesOfAnyCase();
    void fileExistsRestoresFromBackup();
    void recordCountRoundsHalvesToEven_data();
    void recordCountRoundsHalvesToEven();
    void outputReplacesTheFileOnlyWhenClosed();
    void recordsPastTheEndAreZeroFilled();
    void backupCopiesTheElevenSettingsFiles();
    void exitUnloadsAndEnds();
};

void FileRoutinesTest::namesNeverLeaveTheDataFolderAndFoldersAreMadeOneLevel() {
    TestFolder folder;
    QVERIFY(DataPath(QStringLiteral("\\..\\outside.txt")).isEmpty());
    QVERIFY(DataPath(QStringLiteral("/AuxFiles/../../x")).isEmpty());
    QVERIFY(!OpenOutput(QStringLiteral("\\..\\outside.txt")));
    QVERIFY(!EnsureFolder(QStringLiteral("/..")));
    QVERIFY(!QFile::exists(folder.path() + QStringLiteral("/../outside.txt")));
    QVERIFY(EnsureFolder(QStringLiteral("\\Templates")));
    QVERIFY(EnsureFolder(QStringLiteral("\\Templates")));
    QVERIFY(!EnsureFolder(QStringLiteral("\\AuxFiles\\A1")));
    QVERIFY(!folder.exists(QStringLiteral("AuxFiles")));
}

void FileRoutinesTest::missingNamesMatchEntriesOfAnyCase_data() {
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QStringList>("folders");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("found");
    QTest::newRow("either separator, any case")
        << QStringList{"TamselProposals/ProposalBody/1001.txt"} << QStringList{}
        << "\\TAMSELPROPOSALS/proposalbody\\1001.TXT" << "TamselProposals/ProposalBody/1001.txt";
    QTest::newRow("new name below an existing folder")
        << QStringList{"TamselProposals/x"} << QStringList{} << "\\tamselproposals\\New.txt"
        << "TamselProposals/New.txt";
    QTest::newRow("file written by another system")
        << QStringList{"customerdata.TXT"} << QStringList{} << "\\CustomerData.txt" << "customerdata.TXT";
    QTest::newRow("folders in another case, missing tail kept")
        << QStringList{} << QStringList{"auxfiles/a1"} << "\\AuxFiles\\A1/AuxFile0" << "auxfiles/a1/AuxFile0";
    QTest::newRow("exact spelling before another case")
        << QStringList{} << QStringList{"AuxFiles/a1", "AuxFiles/A1"} << "/AuxFiles/A1" << "AuxFiles/A1";
    QTest::newRow("other case when the exact one is missing")
        << QStringList{} << QStringList{"AuxFiles/a1", "AuxFiles/b2"} << "/AuxFiles/B2" << "AuxFiles/b2";
    QTest::newRow("hidden entries count")
        << QStringList{".Settings.txt"} << QStringList{} << "\\.SETTINGS.TXT" << ".Settings.txt";
    QTest::newRow("no entry of that name")
        << QStringList{"CustomerData.txt.bak"} << QStringList{"Templates"} << "\\templates\\Proposals\\New.txt"
        << "Templates/Proposals/New.txt";
}

void FileRoutinesTest::missingNamesMatchEntriesOfAnyCase() {
    QFETCH(QStringList, files);
    QFETCH(QStringList, folders);
    QFETCH(QString, name);
    QFETCH(QString, found);
    TestFolder folder;
    for (const QString &file : files)
        folder.write(file, "x");
    for (const QString &sub : folders)
        QVERIFY(QDir().mkpath(folder.file(sub)));
    QCOMPARE(DataPath(name), folder.file(found));
    QCOMPARE(FileExists(name), QFileInfo(folder.file(found)).isFile());
}

void FileRoutinesTest::fileExistsRestoresFromBackup() {
    TestFolder folder;
    folder.write(QStringLiteral("Backup/MyBusinessData.txt"), "\"Old copy\"\r\n");
    QVERIFY(FileExists(QStringLiteral("\\MyBusinessData.txt")));
    QCOMPARE(folder.read(QStringLiteral("MyBusinessData.txt")), QByteArray("\"Old copy\"\r\n"));
    // The file that is there wins over its backup.
    folder.write(QStringLiteral("MyBusinessData.txt"), "new");
    QVERIFY(FileExists(QStringLiteral("/MyBusinessData.txt")));
    QCOMPARE(folder.read(QStringLiteral("MyBusinessData.txt")), QByteArray("new"));
    // Deleting removes both copies; neither copy: nothing is found and nothing is made.
    QVERIFY(DeleteWithBackup(QStringLiteral("/MyBusinessData.txt")));
    QVERIFY(!FileExists(QStringLiteral("\\MyBusinessData.txt")));
    QVERIFY(!folder.exists(QStringLiteral("MyBusinessData.txt")));
    QVERIFY(DeleteFile(QStringLiteral("/MyBusinessData.txt")));
    QVERIFY(!FileExists(QStringLiteral("\\Backup")));
}

void FileRoutinesTest::recordCountRoundsHalvesToEven_data() {
    QTest::addColumn<int>("bytes");
    QTest::addColumn<int>("count");
    QTest::newRow("missing") << -1 << 0;
    QTest::newRow("three records") << 984 << 3;
    QTest::newRow("two and a half") << 2 * 328 + 164 << 2;
    QTest::newRow("one and a half") << 328 + 164 << 2;
    QTest::newRow("just over half") << 2 * 328 + 165 << 3;
    QTest::newRow("under half") << 2 * 328 + 100 << 2;
    // A longer file than the format allows is counted at its maximum, never as a negative count.
    QTest::newRow("the most the format holds") << 32767 * 328 << 32767;
    QTest::newRow("past the most") << 32769 * 328 << 32767;
}

void FileRoutinesTest::recordCountRoundsHalvesToEven() {
    QFETCH(int, bytes);
    QFETCH(int, count);
    TestFolder folder;
    if (bytes >= 0)
        folder.write(QStringLiteral("CustomerData.txt"), QByteArray(bytes, 'x'));
    QCOMPARE(int(RecordCount(QStringLiteral("/CustomerData.txt"), 328)), count);
}

void FileRoutinesTest::outputReplacesTheFileOnlyWhenClosed() {
    TestFolder folder;
    folder.write(QStringLiteral("CustomTerms.txt"), "old terms");
    QVERIFY(OpenOutput(QStringLiteral("\\CustomTerms.txt")));
    FileDevice(FileNo)->write("new terms");
    // Until it is closed a crash would leave the old file whole.
    QCOMPARE(folder.read(QStringLiteral("CustomTerms.txt")), QByteArray("old terms"));
    QVERIFY(CloseAllFiles());
    QCOMPARE(folder.read(QStringLiteral("CustomTerms.txt")), QByteArray("new terms"));
}

void FileRoutinesTest::recordsPastTheEndAreZeroFilled() {
    TestFolder folder;
    QVERIFY(OpenRandom(QStringLiteral("\\Items.dat"), 4));
    const int no = FileNo;
    QVERIFY(PutRecord(no, 3, "abcd"));
    QCOMPARE(GetRecord(no, 5), QByteArray(4, '\0'));
    QVERIFY(PutRecord(no, 1, "xy")); // short record padded to its length
    QVERIFY(CloseAllFiles());
    QCOMPARE(folder.read(QStringLiteral("Items.dat")), QByteArray("xy\0\0\0\0\0\0abcd", 12));
}

void FileRoutinesTest::backupCopiesTheElevenSettingsFiles() {
    TestFolder folder;
    QCOMPARE(BackupFileNames(),
             QStringList({"CompanyLogo", "TamselProposalSettings", "TamselProposalPremierSettings", "CustomTerms",
                          "CustomDisclaimer", "LogoSettings", "MyBusinessData", "MyCustomerData", "NextProposal",
                          "PrintColors", "ProposalCounter"}));
    folder.write(QStringLiteral("MyBusinessData.txt"), "current");
    folder.write(QStringLiteral("Backup/MyBusinessData.txt"), "older");
    folder.write(QStringLiteral("Backup/CustomTerms.txt"), "kept");
    folder.write(QStringLiteral("TProposalCounter.txt"), "1005\r\n");
    QVERIFY(BackupDataFiles());
    QCOMPARE(folder.read(QStringLiteral("Backup/MyBusinessData.txt")), QByteArray("current"));
    QCOMPARE(folder.read(QStringLiteral("Backup/CustomTerms.txt")), QByteArray("kept"));
    QVERIFY(!folder.exists(QStringLiteral("Backup/TProposalCounter.txt")));
    // No temporary file is left beside the copies.
    QCOMPARE(QDir(folder.file(QStringLiteral("Backup"))).entryList(QDir::Files).size(), 2);
}

void FileRoutinesTest::exitUnloadsAndEnds() {
    TestFolder folder;
    QPointer<frmSetup> setup = ScreenRegistry::Get<frmSetup>();
    QPointer<frmStartup> menu = ScreenRegistry::Get<frmStartup>();
    QList<QString> unloaded;
    connect(setup, &QObject::destroyed, this, [&] { unloaded << QStringLiteral("setup"); });
    connect(menu, &QObject::destroyed, this, [&] { unloaded << QStringLiteral("menu"); });
    ExitProgram();
    QVERIFY(ScreenRegistry::Screens().isEmpty());
    QCOMPARE(folder.endRequests, 1);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(unloaded, QList<QString>({"menu", "setup"})); // the last created goes first
}

TAMSEL_TEST(FileRoutinesTest)
#include "tst_FileRoutines.moc"
