#include "common/CommonRoutines.h"
#include "common/CommonVariables.h"
#include "CustomerFixtures.h"
#include "customers/CustomerRecords.h"
#include "FileSizeLimit.h"
#include "platform/Clock.h"
#include "TestMain.h"

#include <QDir>
#include <QTest>

class CustomerRecordsTest : public QObject {
    Q_OBJECT
private slots:
    void customerRecordMatchesHandBuiltBytes();
    void textIsPaddedAndCutAtWidth();
    void currencyIntegerAndDateEncodings();
    void gapRecordsAreZeroFilledAndReadBlank();
    void wholeRecordsOnly_data();
    void wholeRecordsOnly();
    void incompleteEndIsNeverWrittenInto();
    void newRecordOnAFullDiskLeavesTheFile();
    void displayNames();
    void billingDefaultsBytes();
    void deleteRecordTwoOfThreeInAllFiles();
    void deleteRemovesOnlyItsOwnActiveFile();
    void deleteOnAFullDiskChangesNothing_data();
    void deleteOnAFullDiskChangesNothing();
    void rebuildCompanions();
    void accountNumberRules_data();
    void accountNumberRules();
};

void CustomerRecordsTest::customerRecordMatchesHandBuiltBytes() {
    QVERIFY(CustomerLayout().IsContiguous());
    QVERIFY(ContractLayout().IsContiguous());
    QVERIFY(CycleLayout().IsContiguous());
    // A record laid out by hand, every offset typed here, so a fault in the
    // layout (two fields swapped, a field moved) cannot hide behind itself.
    const struct {
        QString CustomerRecord::*member;
        int offset;
        const char *text;
    } fields[] = {{&CustomerRecord::AcctNo, 0, "A-1001"},
                  {&CustomerRecord::AcctName, 20, "Tamsel Roofing"},
                  {&CustomerRecord::Address1, 65, "12 Elm Street"},
                  {&CustomerRecord::Address2, 100, "Rear entrance"},
                  {&CustomerRecord::City, 125, "Springfield"},
                  {&CustomerRecord::CityCopy, 150, "Shelbyville"},
                  {&CustomerRecord::State, 170, "IL"},
                  {&CustomerRecord::PostalCode, 172, " 62704"},
                  {&CustomerRecord::Address4, 182, "62704-1234"},
                  {&CustomerRecord::Phone, 207, "217-555-0100"},
                  {&CustomerRecord::Cell, 220, "217-555-0199"},
                  {&CustomerRecord::Other, 233, "office@example"},
                  {&CustomerRecord::Title, 263, "Mr."},
                  {&CustomerRecord::FirstName, 273, "John"},
                  {&CustomerRecord::MiddleInitial, 288, "Q"},
                  {&CustomerRecord::LastName, 289, "Smith"},
                  {&CustomerRecord::AcctType, 314, "Individual"}};
    QByteArray bytes(324, ' ');
    CustomerRecord rec;
    for (const auto &f : fields) {
        bytes.replace(f.offset, qsizetype(qstrlen(f.text)), f.text);
        rec.*f.member = QString::fromLatin1(f.text);
    }
    bytes += QByteArray::fromHex("0100feff");
    rec.Reserved1 = 1;
    rec.Reserved2 = -2;
    QCOMPARE(CustomerLayout().Write(rec), bytes);
    const CustomerRecord back = CustomerLayout().Read(bytes);
    for (const auto &f : fields)
        QCOMPARE((back.*f.member).trimmed(), QString::fromLatin1(f.text).trimmed());
    QCOMPARE(back.PostalCode, QStringLiteral(" 62704    "));
    // The scans read single fields by name.
    QCOMPARE(CustomerLayout().ReadText(bytes, &CustomerRecord::Phone).trimmed(),
             QStringLiteral("217-555-0100"));
    QCOMPARE(CustomerLayout().ReadText(bytes, &CustomerRecord::Cell).trimmed(),
             QStringLiteral("217-555-0199"));
}

void CustomerRecordsTest::textIsPaddedAndCutAtWidth() {
    CustomerRecord rec;
    rec.AcctNo = QStringLiteral("123456789012345678901"); // 21 characters
    rec.AcctName = QString::fromUtf8("Caf\u00e9 \u20ac");
    rec.Address1 = QString::fromUtf8("\u201cThe Elms\u201d"); // 0x93 and 0x94, nothing below 0x90
    const QByteArray bytes = CustomerLayout().Write(rec);
    QCOMPARE(bytes.left(27), QByteArray("12345678901234567890Caf\xe9 \x80 "));
    QCOMPARE(bytes.mid(65, 10), QByteArray("\x93The Elms\x94"));
    const CustomerRecord back = CustomerLayout().Read(bytes);
    QCOMPARE(back.AcctNo, QStringLiteral("12345678901234567890"));
    QCOMPARE(back.AcctName, QString::fromUtf8("Caf\u00e9 \u20ac").leftJustified(45));
    QCOMPARE(back.Address1.trimmed(), rec.Address1);
}

void CustomerRecordsTest::currencyIntegerAndDateEncodings() {
    CycleRecord cycle;
    cycle.Field2 = Currency{123400}; // 12.34
    cycle.Field3 = 300;
    cycle.Field6 = -1;
    const QByteArray c = CycleLayout().Write(cycle);
    QCOMPARE(c.mid(35, 10), QByteArray::fromHex("08e20100000000002c01"));
    QCOMPARE(c.mid(67, 2), QByteArray::fromHex("ffff"));
    ContractRecord contract;
    contract.Field6 = RecordFields::DateToDays(QDate(2000, 1, 1));
    contract.Field3 = Currency{-10000};
    const QByteArray k = ContractLayout().Write(contract);
    QCOMPARE(k.mid(107, 8), QByteArray::fromHex("00000000c0d5e140"));
    QCOMPARE(k.mid(50, 8), QByteArray::fromHex("f0d8ffffffffffff"));
    QCOMPARE(RecordFields::DaysToDate(ContractLayout().Read(k).Field6), QDate(2000, 1, 1));
    QCOMPARE(RecordFields::DaysToDate(2.75), QDate(1900, 1, 1));
    QVERIFY(!RecordFields::DaysToDate(std::numeric_limits<double>::quiet_NaN()).isValid());
}

void CustomerRecordsTest::gapRecordsAreZeroFilledAndReadBlank() {
    TestFolder folder;
    QVERIFY(OpenContractFile());
    QVERIFY(PutRecord(FileNo2, 5, ContractLayout().Write(ContractRecord{})));
    CloseAllFiles();
    const QByteArray bytes = folder.read(QStringLiteral("ContractInfo.txt"));
    QCOMPARE(bytes.size(), 1930);
    QCOMPARE(bytes.left(1544), QByteArray(1544, '\0'));
    QCOMPARE(DisplayName(CustomerLayout().Read(QByteArray(328, '\0'))), QStringLiteral(",   "));
}

void CustomerRecordsTest::wholeRecordsOnly_data() {
    QTest::addColumn<int>("length");
    QTest::addColumn<int>("records");
    QTest::addColumn<int>("tail");
    QTest::newRow("missing") << -1 << 0 << 0;
    QTest::newRow("empty") << 0 << 0 << 0;
    QTest::newRow("656 bytes are 2 records") << 656 << 2 << 0;
    QTest::newRow("an incomplete third is not counted") << 656 + 300 << 2 << 300;
}

void CustomerRecordsTest::wholeRecordsOnly() {
    QFETCH(int, length);
    QFETCH(int, records);
    QFETCH(int, tail);
    TestFolder folder;
    if (length >= 0)
        folder.write(QStringLiteral("CustomerData.txt"), QByteArray(length, 'a'));
    const CustomerFileSize size = CustomerFileSizeNow();
    QCOMPARE(size.records, records);
    QCOMPARE(size.tailBytes, qint64(tail));
    int visited = 0;
    QVERIFY(ScanCustomers(100, [&](qint32, const CustomerRecord &) { ++visited; }));
    QCOMPARE(visited, records);
    QCOMPARE(folder.exists(QStringLiteral("CustomerData.txt")), length >= 0);
}

void CustomerRecordsTest::incompleteEndIsNeverWrittenInto() {
    TestFolder folder;
    const QByteArray tail("half a record");
    const QByteArray two = CustomerBytes({Business("1", "One"), Business("2", "Two")});
    folder.write(QStringLiteral("CustomerData.txt"), two + tail);
    // Rewriting an existing record leaves the end alone.
    CustomerRec = Business("1", "Uno");
    QVERIFY(SaveCustomerRecord(1));
    QVERIFY(folder.read(QStringLiteral("CustomerData.txt")).endsWith(tail));
    CustomerRec = Business("3", "Three");
    QVERIFY(SaveCustomerRecord(3));
    const QByteArray after = folder.read(QStringLiteral("CustomerData.txt"));
    QCOMPARE(after.size(), 3 * 328 + tail.size());
    QCOMPARE(after.mid(328, 328), two.mid(328));
    QCOMPARE(StoredCustomer(folder, 3).AcctName.trimmed(), QStringLiteral("Three"));
    QCOMPARE(after.mid(3 * 328), tail);

    // Deleting compacts the whole records and keeps the tail after them.
    CustomerCount = 3;
    QVERIFY(DeleteCustomerRecord(1, QStringLiteral("1")));
    QCOMPARE(folder.read(QStringLiteral("CustomerData.txt")), after.mid(328));
}

void CustomerRecordsTest::newRecordOnAFullDiskLeavesTheFile() {
    // The first customer of a missing file: no file is left behind.
    TestFolder empty;
    CustomerRec = Business(QStringLiteral("1"), QStringLiteral("First"));
    bool limited = false, appended = true;
    {
        FileSizeLimit disk(100);
        limited = disk.active();
        appended = SaveCustomerRecord(1);
    }
    QVERIFY(limited);
    QVERIFY(!appended);
    QVERIFY(!empty.exists(QStringLiteral("CustomerData.txt")));
    QVERIFY(SaveCustomerRecord(1));
    QCOMPARE(empty.read(QStringLiteral("CustomerData.txt")).size(), 328);
}

void CustomerRecordsTest::displayNames() {
    CustomerRecord smith = CustomerLayout().Read(CustomerLayout().Write(Individual("7", "John", "Smith")));
    QCOMPARE(DisplayName(smith), QStringLiteral("Smith, John  "));
    smith.Title = QStringLiteral("Mr.");
    QCOMPARE(GridName(smith), QStringLiteral("Mr. John Smith"));
    smith.MiddleInitial = QStringLiteral("Q");
    QCOMPARE(DisplayName(smith), QStringLiteral("Smith, John Q"));
    QCOMPARE(DisplayName(Business("8", "  Smith Plumbing ")), QStringLiteral("Smith Plumbing"));
}

void CustomerRecordsTest::billingDefaultsBytes() {
    TestFolder folder;
    Clock::SetToday([] { return QDate(2026, 12, 6); }); // a Sunday
    ContractRec.Field14 = QStringLiteral("kept as it was");
    ApplyBillingDefaults();
    const QByteArray k = ContractLayout().Write(ContractRec);
    QCOMPARE(k.left(67), QByteArray("None Selected").leftJustified(35, ' ') + QByteArray("None").leftJustified(15, ' ') +
                             QByteArray(8, '\0') + "Sunday   ");
    const QByteArray today = QByteArray::fromHex("0000000040a3e640"); // 46362 days
    QCOMPARE(k.mid(107, 22), today + today + QByteArray::fromHex("0000ffff0000"));
    QCOMPARE(k.mid(129, 40), QByteArray("None").leftJustified(40, ' '));
    QCOMPARE(k.mid(199, 35), QByteArray("kept as it was").leftJustified(35, ' '));
    const QByteArray c = CycleLayout().Write(CycleRec);
    QCOMPARE(c, QByteArray("None Selected").leftJustified(35, ' ') + QByteArray(10, '\0') + QByteArray(20, ' ') +
                    QByteArray::fromHex("0000ffff"));
    Clock::SetToday({});
}

void CustomerRecordsTest::deleteRecordTwoOfThreeInAllFiles() {
    TestFolder folder;
    WriteCustomers(folder, {Business("A1", "First"), Business("B2", "Second"), Business("C3", "Third")});
    folder.write(QStringLiteral("QXActiveAccounts/B2.txt"), "active");
    folder.write(QStringLiteral("Backup/QXActiveAccounts/B2.txt"), "active");
    folder.write(QStringLiteral("Backup/CycleInfo.txt"), "stale");
    folder.write(QStringLiteral("QXActiveAccounts/C3.txt"), "other");
    CustomerCount = 3;
    CustomerRecNo = 2;
    QVERIFY(DeleteCustomerRecord(2, QStringLiteral(" B2 ")));
    QCOMPARE(folder.read(QStringLiteral("CustomerData.txt")), CustomerBytes({Business("A1", "First"), Business("C3", "Third")}));
    const QByteArray contracts = folder.read(QStringLiteral("ContractInfo.txt"));
    QCOMPARE(contracts.size(), 2 * 386);
    QCOMPARE(ContractLayout().Read(contracts.mid(386)).Field1.trimmed(), QStringLiteral("contract 3"));
    const QByteArray cycles = folder.read(QStringLiteral("CycleInfo.txt"));
    QCOMPARE(cycles.size(), 2 * 69);
    QCOMPARE(CycleLayout().Read(cycles.mid(69)).Field1.trimmed(), QStringLiteral("cycle 3"));
    for (const char *gone : {"QXActiveAccounts/B2.txt", "Backup/QXActiveAccounts/B2.txt", "Backup/CycleInfo.txt"})
        QVERIFY2(!folder.exists(gone), gone);
    QVERIFY(folder.exists(QStringLiteral("QXActiveAccounts/C3.txt")));
    QCOMPARE(CustomerCount, 2);
    QCOMPARE(CustomerRecNo, 1);

    // The only customer: empty files, the count stays 1.
    QVERIFY(DeleteCustomerRecord(1, QStringLiteral("A1")));
    QVERIFY(DeleteCustomerRecord(1, QStringLiteral("C3")));
    QCOMPARE(folder.read(QStringLiteral("ContractInfo.txt")).size(), 0);
    QCOMPARE(CustomerCount, 1);
}

void CustomerRecordsTest::deleteRemovesOnlyItsOwnActiveFile() {
    TestFolder folder;
    // Written before numbers differing only in case or blanks were refused.
    WriteCustomers(folder, {Business("ab1", "Lower"), Business("C3", "Other"), Business(" AB1", "Upper")});
    folder.write(QStringLiteral("QXActiveAccounts/ab1.txt"), "shared");
    folder.write(QStringLiteral("CustomerData.txt.txt"), "keep");
    folder.write(QStringLiteral("QXActiveAccounts/x.txt"), "keep");
    folder.write(QStringLiteral("Backup/secret.txt"), "keep");
    for (const QString &bad : {QStringLiteral(".."), QStringLiteral("../Backup/secret"), QStringLiteral("..\\CustomerData.txt"),
                               QStringLiteral("")}) {
        CustomerCount = 3;
        QVERIFY(DeleteCustomerRecord(5, bad));
    }
    for (const char *kept : {"CustomerData.txt.txt", "QXActiveAccounts/x.txt", "Backup/secret.txt"})
        QVERIFY2(folder.exists(kept), kept);
    QVERIFY(DeleteCustomerRecord(3, QStringLiteral(" AB1")));
    QVERIFY(folder.exists(QStringLiteral("QXActiveAccounts/ab1.txt")));
    QCOMPARE(folder.read(QStringLiteral("CustomerData.txt")).size(), 2 * 328);
    // The last customer with the number takes its file along.
    QVERIFY(DeleteCustomerRecord(1, QStringLiteral("ab1")));
    QVERIFY(!folder.exists(QStringLiteral("QXActiveAccounts/ab1.txt")));
}

void CustomerRecordsTest::deleteOnAFullDiskChangesNothing_data() {
    QTest::addColumn<int>("limit");
    // Compacted sizes: customers 656, cycles 138, contracts 772 bytes.
    QTest::newRow("the customer file cannot be written") << 600;
    QTest::newRow("only the contract file cannot be written") << 700;
}

void CustomerRecordsTest::deleteOnAFullDiskChangesNothing() {
    QFETCH(int, limit);
    TestFolder folder;
    WriteCustomers(folder, {Business("A1", "First"), Business("B2", "Second"), Business("C3", "Third")});
    folder.write(QStringLiteral("QXActiveAccounts/B2.txt"), "active");
    const QStringList names{QStringLiteral("ContractInfo.txt"), QStringLiteral("CustomerData.txt"),
                            QStringLiteral("CycleInfo.txt")};
    QList<QByteArray> before;
    for (const QString &name : names)
        before << folder.read(name);
    CustomerCount = 3;
    folder.prompt->AnswerOk();
    bool limited = false, deleted = true;
    {
        FileSizeLimit disk(limit);
        limited = disk.active();
        deleted = DeleteCustomerRecord(2, QStringLiteral("B2"));
    }
    QVERIFY(limited);
    QVERIFY(!deleted);
    QCOMPARE(folder.prompt->shown.size(), 1);
    for (int i = 0; i < names.size(); ++i)
        QVERIFY2(folder.read(names[i]) == before[i], qPrintable(names[i]));
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files), names); // no temporary file left
    QVERIFY(folder.exists(QStringLiteral("QXActiveAccounts/B2.txt")));
    QCOMPARE(CustomerCount, 3);
}

void CustomerRecordsTest::rebuildCompanions() {
    TestFolder folder;
    folder.prompt->AnswerOk(2);
    qint32 recPointer = 0;
    BuildContractInfo(recPointer);
    BuildCycleInfo(recPointer);
    QCOMPARE(folder.prompt->Texts(),
             (QStringList{"Your Customer Information File is missing\r\nThe Contract File can not be rebuilt",
                          "Your Customer Information File is missing\r\nThe Cycle File can not be rebuilt"}));
    QVERIFY(!folder.exists(QStringLiteral("ContractInfo.txt")));
    QVERIFY(!folder.exists(QStringLiteral("CycleInfo.txt")));

    folder.write(QStringLiteral("CustomerData.txt"), CustomerBytes({Business("1", "a"), Business("2", "b"),
                                                                    Business("3", "c")}));
    folder.write(QStringLiteral("Backup/ContractInfo.txt"), "old");
    ContractRec.Field1 = QStringLiteral("buffer");
    recPointer = 3;
    BuildContractInfo(recPointer);
    const QByteArray contracts = folder.read(QStringLiteral("ContractInfo.txt"));
    QCOMPARE(contracts.size(), 3 * 386);
    QCOMPARE(contracts.left(2 * 386), QByteArray(2 * 386, '\0'));
    QCOMPARE(ContractLayout().Read(contracts.mid(2 * 386)).Field1.trimmed(), QStringLiteral("buffer"));
    QVERIFY(!folder.exists(QStringLiteral("Backup/ContractInfo.txt")));

    folder.prompt->AnswerOk();
    CustomerCount = 3;
    BuildCycleInfo(recPointer);
    QCOMPARE(folder.prompt->shown[2].text, QStringLiteral("Your Billing Information File will be Built with Default Values"));
    const QByteArray cycles = folder.read(QStringLiteral("CycleInfo.txt"));
    QCOMPARE(cycles.size(), 3 * 69);
    for (int i = 0; i < 3; ++i)
        QCOMPARE(CycleLayout().Read(cycles.mid(i * 69)).Field6, qint16(-1));

    // Companions shorter than the customer file are filled up to it with defaults.
    folder.write(QStringLiteral("ContractInfo.txt"), contracts.left(386));
    folder.write(QStringLiteral("CycleInfo.txt"), cycles.left(69));
    QVERIFY(RecoverCustomerFiles());
    const QByteArray filled = folder.read(QStringLiteral("ContractInfo.txt"));
    QCOMPARE(filled.size(), 3 * 386);
    QCOMPARE(ContractLayout().Read(filled.mid(2 * 386)).Field1.trimmed(), QStringLiteral("None Selected"));
    QCOMPARE(folder.read(QStringLiteral("CycleInfo.txt")).size(), 3 * 69);
    QCOMPARE(ContractRec.Field1.trimmed(), QStringLiteral("buffer"));
}

void CustomerRecordsTest::accountNumberRules_data() {
    QTest::addColumn<QString>("account");
    QTest::addColumn<QString>("refusal"); // a part of the message; empty when accepted
    QTest::newRow("digits") << "1001" << "";
    QTest::newRow("telephone") << "555-123-4567" << "";
    QTest::newRow("a number with a point") << "12.5" << "";
    QTest::newRow("a number with grouping") << "1,000" << "";
    for (const char *refused : {"AB.1", "A/B", "A\\B", "Smith & Co", "Who?", "A*", "A,B"})
        QTest::newRow(refused) << QString::fromLatin1(refused) << "is invalid";
    // Folder names of their own, whatever the character rules say.
    QTest::newRow(".") << "." << "cannot be \".\"";
    QTest::newRow("dot dot with blanks") << " .. " << "cannot be \"..\"";
}

void CustomerRecordsTest::accountNumberRules() {
    QFETCH(QString, account);
    QFETCH(QString, refusal);
    const QString problem = AccountNoProblem(account);
    QCOMPARE(problem.isEmpty(), refusal.isEmpty());
    QVERIFY2(problem.contains(refusal), qPrintable(problem));
}

TAMSEL_TEST(CustomerRecordsTest)
#include "tst_CustomerRecords.moc"
