#include "common/CommonRoutines.h"
#include "common/CommonVariables.h"
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
    void namesMatchEntriesOfAnyCase();
    void fileExistsRestoresFromBackup();
    void recordCountRoundsHalvesToEven_data();
    void recordCountRoundsHalvesToEven();
    void outputReplacesTheFileOnlyWhenClosed();
    void recordsPastTheEndAreZeroFilled();
    void backupCopiesTheElevenSettingsFiles();
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

// Names the program spells one way find files and folders written in another case.
void FileRoutinesTest::namesMatchEntriesOfAnyCase() {
    TestFolder folder;
    folder.write(QStringLiteral("customerdata.TXT"), "x");
    QVERIFY(QDir().mkpath(folder.file(QStringLiteral("AuxFiles/a1"))));
    QVERIFY(QDir().mkpath(folder.file(QStringLiteral("AuxFiles/A1"))));
    QCOMPARE(DataPath(QStringLiteral("\\CustomerData.txt")), folder.file(QStringLiteral("customerdata.TXT")));
    QVERIFY(FileExists(QStringLiteral("/CUSTOMERDATA.txt")));
    // The exact spelling first; a missing tail is kept as written.
    QCOMPARE(DataPath(QStringLiteral("/AuxFiles/A1")), folder.file(QStringLiteral("AuxFiles/A1")));
    QCOMPARE(DataPath(QStringLiteral("\\AUXFILES/a1\\AuxFile0")),
             folder.file(QStringLiteral("AuxFiles/a1/AuxFile0")));
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
    QTest::newRow("two and a half") << 2 * 328 + 164 << 2;
    QTest::newRow("one and a half") << 328 + 164 << 2;
    QTest::newRow("just over half") << 2 * 328 + 165 << 3;
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

TAMSEL_TEST(FileRoutinesTest)
#include "tst_FileRoutines.moc"
