#include "common/CommonRoutines.h"
#include "common/CommonVariables.h"
#include "CustomerFixtures.h"
#include "customers/CustomerRecords.h"
#include "customers/CustomerSearch.h"
#include "customers/CustomerTextFiles.h"
#include "FileSizeLimit.h"
#include "platform/Clock.h"
#include "TestMain.h"

#include <QDir>
#include <QTest>

// The record files, their search and lists, and the folders named by account numbers.
class CustomerRecordsTest : public QObject {
    Q_OBJECT
private slots:
    void customerRecordMatchesHandBuiltBytes();
    void textIsPaddedAndCutAtWidth();
    void incompleteEndIsNeverWrittenInto();
    void companionRecordBytes();
    void deleteCompactsAllFilesAndRemovesOnlyItsOwnActiveFile();
    void deleteOnAFullDiskChangesNothing_data();
    void deleteOnAFullDiskChangesNothing();
    void rebuildCompanions();
    void accountNumberRules_data();
    void accountNumberRules();
    void searchFoldsCaseAndMatchesAnywhere_data();
    void searchFoldsCaseAndMatchesAnywhere();
    void accountAndCityListsAreSortedFromTheFile();
    void auxDataRefusesAccountsOutsideAuxFiles();
    void auxHeadingsFile();
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

void CustomerRecordsTest::incompleteEndIsNeverWrittenInto() {
    TestFolder folder;
    const QByteArray tail("half a record");
    const QByteArray two = CustomerBytes({Business("1", "One"), Business("2", "Two")});
    folder.write(QStringLiteral("CustomerData.txt"), two + tail);
    // The incomplete third is no record: neither counted nor scanned.
    QCOMPARE(CustomerFileSizeNow().records, 2);
    QCOMPARE(CustomerFileSizeNow().tailBytes, qint64(tail.size()));
    int visited = 0;
    QVERIFY(ScanCustomers(100, [&](qint32, const CustomerRecord &) { ++visited; }));
    QCOMPARE(visited, 2);
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

// The companions as the billing defaults leave them, with an amount of each sign.
void CustomerRecordsTest::companionRecordBytes() {
    TestFolder folder;
    Clock::SetToday([] { return QDate(2026, 12, 6); }); // a Sunday
    ContractRec.Field14 = QStringLiteral("kept as it was");
    ApplyBillingDefaults();
    ContractRec.Field3 = Currency{-10000};
    const QByteArray k = ContractLayout().Write(ContractRec);
    QCOMPARE(k.left(67), QByteArray("None Selected").leftJustified(35, ' ') + QByteArray("None").leftJustified(15, ' ') +
                             QByteArray::fromHex("f0d8ffffffffffff") + "Sunday   ");
    const QByteArray today = QByteArray::fromHex("0000000040a3e640"); // 46362 days
    QCOMPARE(k.mid(107, 22), today + today + QByteArray::fromHex("0000ffff0000"));
    QCOMPARE(k.mid(129, 40), QByteArray("None").leftJustified(40, ' '));
    QCOMPARE(k.mid(199, 35), QByteArray("kept as it was").leftJustified(35, ' '));
    QCOMPARE(RecordFields::DaysToDate(ContractLayout().Read(k).Field6), QDate(2026, 12, 6));
    QVERIFY(!RecordFields::DaysToDate(std::numeric_limits<double>::quiet_NaN()).isValid());
    CycleRec.Field2 = Currency{123400}; // 12.34
    CycleRec.Field3 = 300;
    const QByteArray c = CycleLayout().Write(CycleRec);
    QCOMPARE(c, QByteArray("None Selected").leftJustified(35, ' ') +
                    QByteArray::fromHex("08e20100000000002c01") + QByteArray(20, ' ') +
                    QByteArray::fromHex("0000ffff"));
    Clock::SetToday({});
}

void CustomerRecordsTest::deleteCompactsAllFilesAndRemovesOnlyItsOwnActiveFile() {
    TestFolder folder;
    // "ab1" and " AB1" were written before numbers differing only in case or blanks were refused.
    const QList<CustomerRecord> four{Business("ab1", "Lower"), Business("B2", "Second"),
                                     Business("C3", "Third"), Business(" AB1", "Upper")};
    WriteCustomers(folder, four);
    for (const char *name : {"QXActiveAccounts/ab1.txt", "QXActiveAccounts/B2.txt",
                             "Backup/QXActiveAccounts/B2.txt", "Backup/CycleInfo.txt", "CustomerData.txt.txt",
                             "Backup/secret.txt"})
        folder.write(name, "x");
    for (const QString &bad : {QStringLiteral(".."), QStringLiteral("../Backup/secret"), QStringLiteral("..\\CustomerData.txt"),
                               QStringLiteral("")}) {
        CustomerCount = 4;
        QVERIFY(DeleteCustomerRecord(6, bad));
    }
    for (const char *kept : {"CustomerData.txt.txt", "Backup/secret.txt"})
        QVERIFY2(folder.exists(kept), kept);
    CustomerCount = 4;
    CustomerRecNo = 2;
    QVERIFY(DeleteCustomerRecord(2, QStringLiteral(" B2 ")));
    QCOMPARE(folder.read(QStringLiteral("CustomerData.txt")), CustomerBytes({four[0], four[2], four[3]}));
    const QByteArray contracts = folder.read(QStringLiteral("ContractInfo.txt"));
    QCOMPARE(contracts.size(), 3 * 386);
    QCOMPARE(ContractLayout().Read(contracts.mid(386)).Field1.trimmed(), QStringLiteral("contract 3"));
    const QByteArray cycles = folder.read(QStringLiteral("CycleInfo.txt"));
    QCOMPARE(cycles.size(), 3 * 69);
    QCOMPARE(CycleLayout().Read(cycles.mid(69)).Field1.trimmed(), QStringLiteral("cycle 3"));
    for (const char *gone : {"QXActiveAccounts/B2.txt", "Backup/QXActiveAccounts/B2.txt", "Backup/CycleInfo.txt"})
        QVERIFY2(!folder.exists(gone), gone);
    QCOMPARE(CustomerCount, 3);
    QCOMPARE(CustomerRecNo, 1);

    // Another customer holds the number: its file stays; the last one with it takes it along.
    QVERIFY(DeleteCustomerRecord(3, QStringLiteral(" AB1")));
    QVERIFY(folder.exists(QStringLiteral("QXActiveAccounts/ab1.txt")));
    QVERIFY(DeleteCustomerRecord(1, QStringLiteral("ab1")));
    QVERIFY(!folder.exists(QStringLiteral("QXActiveAccounts/ab1.txt")));
    // The only customer: empty files, the count stays 1.
    QVERIFY(DeleteCustomerRecord(1, QStringLiteral("C3")));
    QCOMPARE(folder.read(QStringLiteral("ContractInfo.txt")).size(), 0);
    QCOMPARE(CustomerCount, 1);
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
    // Nothing to rebuild from: told twice, nothing made.
    QCOMPARE(folder.prompt->shown.size(), 2);
    QVERIFY(QDir(folder.path()).isEmpty());

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
    QTest::newRow("a number with grouping") << "1,000" << "";
    for (const char *refused : {"AB.1", "A/B", "A\\B", "Smith & Co", "A,B"})
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

namespace {
QList<CustomerRecord> SearchFile() {
    CustomerRecord plumbing = Business("100", "Smith Plumbing", "Springfield");
    plumbing.Address1 = "12 Elm Plaza";
    plumbing.Phone = "555-111-2222";
    CustomerRecord blacksmith = Business("ab-200", "Blacksmith Inc", "shelbyville");
    blacksmith.State = "IL";
    CustomerRecord john = Individual("300", "John", "Smith", "Springfield");
    john.Title = "Mr.";
    john.Address4 = "62704";
    CustomerRecord baker = Business("500", QString::fromUtf8("B\u00e4ckerei M\u00fcller"), "\tOakton");
    return {plumbing, blacksmith, john, baker};
}
} // namespace

void CustomerRecordsTest::searchFoldsCaseAndMatchesAnywhere_data() {
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QList<int>>("records");
    QTest::newRow("business name smi") << 0 << "SMI" << QList<int>{1, 2};
    QTest::newRow("empty key lists all") << 0 << "" << QList<int>{1, 2, 3, 4, 5};
    QTest::newRow("accent folded") << 0 << QString::fromUtf8("B\u00c4CK") << QList<int>{4};
    QTest::newRow("tab trimmed like a blank") << 3 << "OAK" << QList<int>{4};
    QTest::newRow("address 1, a small z") << 1 << "PLAZA" << QList<int>{1};
    QTest::newRow("zip in Address4") << 5 << "627" << QList<int>{3};
    QTest::newRow("telephone") << 6 << "555-111" << QList<int>{1};
    QTest::newRow("last name") << 7 << "SMITH" << QList<int>{3};
    QTest::newRow("account number anywhere") << 8 << "B-2" << QList<int>{2};
    QTest::newRow("customer list") << CustomerListMode << "All" << QList<int>{1, 2, 3, 4, 5};
    QTest::newRow("no match") << 0 << "ZZZ" << QList<int>{};
}

void CustomerRecordsTest::searchFoldsCaseAndMatchesAnywhere() {
    QFETCH(int, mode);
    QFETCH(QString, key);
    QFETCH(QList<int>, records);
    TestFolder folder;
    WriteCustomers(folder, SearchFile());
    // A zero-filled record (written beyond the end once) reads as blanks.
    folder.write("CustomerData.txt", folder.read("CustomerData.txt") + QByteArray(328, '\0'));
    QList<int> found;
    for (const FoundCustomer &row : SearchCustomers(mode, key, 5))
        found << row.recNo;
    QCOMPARE(found, records);
}

void CustomerRecordsTest::accountAndCityListsAreSortedFromTheFile() {
    TestFolder folder;
    WriteCustomers(folder, SearchFile() + QList<CustomerRecord>{Business("400", "acme", " Springfield ")});
    // A count beyond the file (a new customer not yet written) reads only what is there.
    const AccountLists lists = BuildAccountLists(7);
    QStringList names;
    QList<int> recNos;
    for (const AccountEntry &entry : lists.accounts) {
        names << entry.name;
        recNos << entry.recNo;
    }
    QCOMPARE(names, (QStringList{"acme", "Blacksmith Inc", QString::fromUtf8("B\u00e4ckerei M\u00fcller"),
                                 "Smith Plumbing", "Smith, John  "}));
    QCOMPARE(recNos, (QList<int>{5, 2, 4, 1, 3}));
    QCOMPARE(lists.cities, (QStringList{"Oakton", "shelbyville", "Springfield"}));
    QCOMPARE(ListBoxInsertPosition(lists.cities, "Sparta"), qsizetype(2));
}

void CustomerRecordsTest::auxDataRefusesAccountsOutsideAuxFiles() {
    TestFolder folder;
    AuxTexts boxes;
    boxes[0] = "x";
    for (const QString &bad : {QString(".."), QString("."), QString("../Escape"), QString("a\\b"), QString("")})
        QVERIFY2(!SaveAuxData(bad, boxes), qPrintable(bad));
    QVERIFY(QDir(folder.path()).isEmpty());
}

void CustomerRecordsTest::auxHeadingsFile() {
    TestFolder folder;
    QVERIFY(LoadAuxHeadings().isEmpty());
    folder.write("Backup/AuxHeadings.txt", "old\r\n");
    folder.write("AuxHeadings.txt", "x\r\n");
    QVERIFY(SaveAuxHeadings({"Gate code", "Dog", "", "Pool", "Roof", "Notes"}));
    QCOMPARE(folder.read("AuxHeadings.txt"), QByteArray("Gate code\r\nDog\r\n\r\nPool\r\nRoof\r\nNotes\r\n"));
    QVERIFY(!folder.exists("Backup/AuxHeadings.txt")); // a stale copy would come back over it
    folder.write("AuxHeadings.txt", "One\r\nTwo\r\n");
    QCOMPARE(LoadAuxHeadings(), (QStringList{"One", "Two"}));
}

TAMSEL_TEST(CustomerRecordsTest)
#include "tst_CustomerRecords.moc"
