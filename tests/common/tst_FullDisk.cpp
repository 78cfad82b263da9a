// Every writer on a disk that runs out of room: the write is refused, and
// every file in the folder (old file, its backup) stays byte for byte, with
// no piece of a record and no temporary file left behind. A settings file
// that cannot be read while \Backup holds a good copy: the exit backup never
// copies the damaged file over that copy, and the user is offered the copy.
#include "common/CommonRoutines.h"
#include "common/CommonVariables.h"
#include "common/ScreenRegistry.h"
#include "customers/CustomerTextFiles.h"
#include "FileSizeLimit.h"
#include "proposals/ProposalFiles.h"
#include "records/frmTerms.h"
#include "settings/BusinessFiles.h"
#include "settings/frmSetup.h"
#include "TestFolder.h"
#include "TestMain.h"

#include <QDirIterator>
#include <QLineEdit>
#include <QMap>
#include <QPlainTextEdit>
#include <QTest>
#include <functional>

namespace {

using Files = QMap<QString, QByteArray>; // relative path -> bytes

struct Writer {
    QString name;
    QString target; // the file a write that goes through replaces or makes
    Files before;   // the folder before the write
    std::function<bool()> write;
    bool dropsBackup = false; // a write that goes through removes Backup/<target>
    qint64 limit = 4;         // no file may grow past this many bytes
};

const QByteArray OldBusiness = "\"Old Roofing\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\"\r\n";
const QByteArray OldColors = "255\r\n0\r\n\"Arial\"\r\n#TRUE#\r\n3\r\n";
const QByteArray TwoRecords = "AAAAAAAAAABBBBBBBBBB"; // ten-byte records

// Puts a ten-byte record into Items.dat through the record routines.
bool PutItem(qint64 recordNo) {
    if (!OpenRandom(QStringLiteral("/Items.dat"), 10))
        return false;
    const int no = FileNo;
    const bool put = PutRecord(no, recordNo, "CCCCCCCCCC");
    return CloseFile(no) && put;
}

// Written through the file number: the data sit in Qt's buffer until closed.
bool WriteThroughFileNumber() {
    if (!OpenOutput(QStringLiteral("/Notes.txt")))
        return false;
    const int no = FileNo;
    FileDevice(no)->write("A note written through its file number\r\n");
    return CloseFile(no);
}

Files WithBackup(const QString &name, const QByteArray &bytes) {
    return {{name, bytes}, {QStringLiteral("Backup/") + name, bytes}};
}

QList<Writer> Writers() {
    BusinessFields business;
    business[0] = QStringLiteral("Acme Roofing");
    ProposalParties parties;
    parties.price = Money(1250.5);
    const AuxTexts aux = {QStringLiteral("Roof"),    QStringLiteral("Gutters"), QStringLiteral("Siding"),
                          QStringLiteral("Windows"), QStringLiteral("Doors"),   QStringLiteral("Notes")};
    // clang-format off
    return {
        {"record file: a new record", "Items.dat", {{"Items.dat", TwoRecords}}, [] { return PutItem(3); }, false, 25},
        {"record file: past the end", "Items.dat", {{"Items.dat", TwoRecords}}, [] { return PutItem(5); }, false, 35},
        {"output file", "Notes.txt", {{"Notes.txt", "old note"}}, WriteThroughFileNumber},
        {"business data", "MyBusinessData.txt", WithBackup("MyBusinessData.txt", OldBusiness),
         [=] { return WriteBusinessFile(business); }},
        {"print colours", "PrintColors.txt", WithBackup("PrintColors.txt", OldColors),
         [] { return WritePrintColorsFile(PrintColorSettings()); }, true},
        {"proposal counter", "TProposalCounter.txt", {{"TProposalCounter.txt", "1005\r\n"}},
         [] { return SaveProposalCounter(1006); }},
        {"exit backup", "Backup/MyBusinessData.txt",
         {{"MyBusinessData.txt", OldBusiness + "new"}, {"Backup/MyBusinessData.txt", OldBusiness}}, BackupDataFiles},
        {"restore from Backup", "PrintColors.txt", {{"Backup/PrintColors.txt", OldColors}},
         [] { return FileExists(QStringLiteral("/PrintColors.txt")); }},
        {"proposal", "TamselProposals/1001.txt", {{"TamselProposals/1001.txt", "\"old proposal\"\r\n"}},
         [=] { return WriteProposalFile(1001, parties); }},
        {"proposal payments", "TamselProposals/ProposalPayments/1001.txt",
         {{"TamselProposals/ProposalPayments/1001.txt", "old payments\r\n"}},
         [] { return WritePaymentsFile(1001, PaymentSchedule{Money(1000), {{Money(400), QDate(2027, 1, 1)}}}); }},
        {"aux data boxes", "AuxFiles/A100/AuxFile0/Data.txt", {{"AuxFiles/A100/AuxFile0/Data.txt", "Old\r\n"}},
         [=] { return SaveAuxData(QStringLiteral("A100"), aux); }},
    };
    // clang-format on
}

struct Reader {
    QString file;
    QByteArray good;               // the copy in \Backup
    std::function<QString()> read; // reads the file as the program does; what it got
    QString goodValue;             // what it gets from the good copy
};

QList<Reader> Readers() {
    return {
        {QStringLiteral("MyBusinessData.txt"),
         "\"Acme Roofing\",\"1 Main St\",\"\",\"\",\"\",\"\",\"\",\"\",\"\"\r\n",
         [] { return ReadBusinessFile().value_or(BusinessFields())[0]; }, QStringLiteral("Acme Roofing")},
        {QStringLiteral("PrintColors.txt"), "255\r\n0\r\n\"Courier New\"\r\n#FALSE#\r\n2\r\n",
         [] { return ReadPrintColorsFile().value_or(PrintColorSettings()).fontName; },
         QStringLiteral("Courier New")},
        {QStringLiteral("CustomTerms.txt"), "\"Net 30 days\"\r\n",
         [] { return ScreenRegistry::Get<frmTerms>()->Text1[0]->toPlainText(); },
         QStringLiteral("Net 30 days")},
    };
}

void Prepare(const TestFolder &folder, const Files &files) {
    for (auto it = files.begin(); it != files.end(); ++it)
        folder.write(it.key(), it.value());
}

// Every file below the folder, with its bytes.
Files Snapshot(const TestFolder &folder) {
    Files files;
    QDirIterator it(folder.path(), QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString relative = it.next().mid(folder.path().size() + 1);
        files.insert(relative, folder.read(relative));
    }
    return files;
}

} // namespace

class FullDiskTest : public QObject {
    Q_OBJECT
private slots:
    void failedWriteChangesNothing_data();
    void failedWriteChangesNothing();
    void callersSayWhatWasNotSaved();
    void damagedFileNeverReplacesItsBackup_data();
    void damagedFileNeverReplacesItsBackup();
};

void FullDiskTest::failedWriteChangesNothing_data() {
    QTest::addColumn<int>("index");
    const QList<Writer> writers = Writers();
    for (int i = 0; i < writers.size(); ++i)
        QTest::newRow(qPrintable(writers[i].name)) << i;
}

void FullDiskTest::failedWriteChangesNothing() {
    QFETCH(int, index);
    const Writer writer = Writers()[index];
    {
        // With room on the disk the write goes through, so the refusal below
        // is the full disk's doing.
        TestFolder folder;
        Prepare(folder, writer.before);
        QVERIFY(writer.write());
        QVERIFY(folder.exists(writer.target));
        QVERIFY(folder.read(writer.target) != writer.before.value(writer.target));
        QCOMPARE(folder.exists(QStringLiteral("Backup/") + writer.target),
                 writer.before.contains(QStringLiteral("Backup/") + writer.target) && !writer.dropsBackup);
    }
    TestFolder folder;
    Prepare(folder, writer.before);
    const Files before = Snapshot(folder);
    bool written = true;
    {
        FileSizeLimit limit(writer.limit);
        QVERIFY(limit.active());
        written = writer.write();
    }
    CloseAllFiles();
    QVERIFY(!written);
    QCOMPARE(Snapshot(folder), before);
}

void FullDiskTest::callersSayWhatWasNotSaved() {
    TestFolder folder;
    folder.write(QStringLiteral("MyBusinessData.txt"), OldBusiness);
    frmSetup *setup = ScreenRegistry::Get<frmSetup>();
    setup->txtBusiness[0]->setText(QStringLiteral("Acme Roofing"));
    folder.prompt->AnswerOk();
    bool saved = true;
    {
        FileSizeLimit limit(4);
        QVERIFY(limit.active());
        saved = setup->SaveBusiness();
    }
    QVERIFY(!saved);
    QCOMPARE(folder.prompt->shown.size(), 1);
    QVERIFY(folder.prompt->shown[0].text.contains(QStringLiteral("MyBusinessData.txt could not be written")));
    QCOMPARE(folder.read(QStringLiteral("MyBusinessData.txt")), OldBusiness);
}

// Kept as it is (No), the damaged file never replaces the good copy at exit;
// taken back (Yes), the good copy is read and put in its place.
void FullDiskTest::damagedFileNeverReplacesItsBackup_data() {
    QTest::addColumn<int>("index");
    QTest::addColumn<bool>("restore");
    const QList<Reader> readers = Readers();
    for (int i = 0; i < readers.size(); ++i) {
        QTest::addRow("%s kept", qPrintable(readers[i].file)) << i << false;
        QTest::addRow("%s restored", qPrintable(readers[i].file)) << i << true;
    }
}

void FullDiskTest::damagedFileNeverReplacesItsBackup() {
    QFETCH(int, index);
    QFETCH(bool, restore);
    const Reader reader = Readers()[index];
    const QString backup = QStringLiteral("Backup/") + reader.file;
    TestFolder folder;
    folder.write(reader.file, QByteArray());
    folder.write(backup, reader.good);
    folder.prompt->Answer(restore ? MsgAnswer::Yes : MsgAnswer::No);
    const QString got = reader.read();
    QCOMPARE(folder.prompt->shown.size(), 1);
    QVERIFY(folder.prompt->shown[0].text.contains(reader.file));
    if (restore)
        QCOMPARE(got, reader.goodValue);
    ExitProgram();
    QCOMPARE(folder.read(backup), reader.good);
    QCOMPARE(folder.read(reader.file), restore ? reader.good : QByteArray());
}

TAMSEL_TEST(FullDiskTest)
#include "tst_FullDisk.moc"
