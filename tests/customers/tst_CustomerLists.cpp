#include "common/CommonVariables.h"
#include "CustomerFixtures.h"
#include "customers/CustomerSearch.h"
#include "customers/CustomersFoundModel.h"
#include "customers/CustomerTextFiles.h"
#include "TestMain.h"

#include <QDir>
#include <QTest>

// Search, account lists, their models and the customers' text files.
class CustomerListsTest : public QObject {
    Q_OBJECT
private slots:
    void searchFoldsCaseAndMatchesAnywhere_data();
    void searchFoldsCaseAndMatchesAnywhere();
    void accountAndCityListsAreSortedFromTheFile();
    void foundModelShowsRows();
    void auxDataRefusesAccountsOutsideAuxFiles();
    void auxHeadings();
    void statesList();
};

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

void CustomerListsTest::searchFoldsCaseAndMatchesAnywhere_data() {
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QList<int>>("records");
    QTest::newRow("business name smi") << 0 << "SMI" << QList<int>{1, 2};
    QTest::newRow("empty key lists all") << 0 << "" << QList<int>{1, 2, 3, 4, 5};
    QTest::newRow("plain key in an accented name") << 0 << "LLER" << QList<int>{4};
    QTest::newRow("accent folded") << 0 << QString::fromUtf8("B\u00c4CK") << QList<int>{4};
    QTest::newRow("key across trimmed blanks") << 0 << "INC " << QList<int>{};
    QTest::newRow("tab trimmed like a blank") << 3 << "OAK" << QList<int>{4};
    QTest::newRow("address 1, a small z") << 1 << "PLAZA" << QList<int>{1};
    QTest::newRow("city folded") << 3 << "SHELBY" << QList<int>{2};
    QTest::newRow("state") << 4 << "IL" << QList<int>{2};
    QTest::newRow("zip in Address4") << 5 << "627" << QList<int>{3};
    QTest::newRow("telephone") << 6 << "555-111" << QList<int>{1};
    QTest::newRow("last name") << 7 << "SMITH" << QList<int>{3};
    QTest::newRow("account number anywhere") << 8 << "B-2" << QList<int>{2};
    QTest::newRow("customer list") << CustomerListMode << "All" << QList<int>{1, 2, 3, 4, 5};
    QTest::newRow("unknown mode") << 9 << "" << QList<int>{};
    QTest::newRow("no match") << 0 << "ZZZ" << QList<int>{};
}

void CustomerListsTest::searchFoldsCaseAndMatchesAnywhere() {
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

void CustomerListsTest::accountAndCityListsAreSortedFromTheFile() {
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

void CustomerListsTest::foundModelShowsRows() {
    TestFolder folder;
    WriteCustomers(folder, SearchFile());
    CustomersFoundModel model;
    model.SetRows(SearchCustomers(CustomerListMode, {}, 3));
    QCOMPARE(model.rowCount(), 3);
    QCOMPARE(model.data(model.index(0, 1)).toString(), QString("555-111-2222"));
    QCOMPARE(model.data(model.index(0, 2)).toString(), QString("12 Elm Plaza"));
    QCOMPARE(model.data(model.index(2, 0)).toString(), QString("Mr. John Smith"));
    QCOMPARE(model.data(model.index(2, 3)).toString(), QString("Springfield"));
    QCOMPARE(model.data(model.index(2, 4)).toString(), QString("3"));
    QCOMPARE(model.RecNoAt(1), 2);
    QCOMPARE(model.RecNoAt(3), 0);
}

void CustomerListsTest::auxDataRefusesAccountsOutsideAuxFiles() {
    TestFolder folder;
    AuxTexts boxes;
    boxes[0] = "x";
    for (const QString &bad : {QString(".."), QString("."), QString("../Escape"), QString("a\\b"), QString("")})
        QVERIFY2(!SaveAuxData(bad, boxes), qPrintable(bad));
    QVERIFY(!folder.exists("Escape"));
    QVERIFY(!folder.exists("AuxFile0"));
    QVERIFY(QDir(folder.path()).isEmpty());
}

void CustomerListsTest::auxHeadings() {
    TestFolder folder;
    QVERIFY(LoadAuxHeadings().isEmpty());
    folder.write("Backup/AuxHeadings.txt", "old\r\n");
    AuxTexts headings{"Gate code", "Dog", "", "Pool", "Roof", "Notes"};
    folder.write("AuxHeadings.txt", "x\r\n");
    QVERIFY(SaveAuxHeadings(headings));
    QCOMPARE(folder.read("AuxHeadings.txt"), QByteArray("Gate code\r\nDog\r\n\r\nPool\r\nRoof\r\nNotes\r\n"));
    QVERIFY(!folder.exists("Backup/AuxHeadings.txt"));
    folder.write("AuxHeadings.txt", "One\r\nTwo\r\n");
    QCOMPARE(LoadAuxHeadings(), (QStringList{"One", "Two"}));
}

void CustomerListsTest::statesList() {
    TestFolder folder;
    QVERIFY(LoadStatesList().isEmpty());
    folder.write("StatesList.txt", "\"AL\", AK ,AZ\r\n\"AR\"\r\nCA");
    QCOMPARE(LoadStatesList(), (QStringList{"AL", "AK", "AZ", "AR", "CA"}));
    QByteArray many;
    for (int i = 0; i < 60; ++i)
        many += QByteArray::number(i) + "\r\n";
    folder.write("StatesList.txt", many);
    QCOMPARE(LoadStatesList().size(), 50);
    QCOMPARE(LoadStatesList().last(), QString("49"));
}

TAMSEL_TEST(CustomerListsTest)
#include "tst_CustomerLists.moc"
