#include "FileSizeLimit.h"
#include "SyncFault.h"
#include "ProposalsFixtures.h"
#include "TestMain.h"
#include "proposals/InventoryFiles.h"
#include "proposals/ItemLines.h"

#include <QTest>
#include <algorithm>
#include <optional>
#include <sys/stat.h>

namespace {

const QString CrLf = QStringLiteral("\r\n");
const QString Inventory = QStringLiteral("QXInventoriedItems.txt");
const QString Custom = QStringLiteral("CustomItems.txt");

} // namespace

class ItemLinesTest : public QObject {
    Q_OBJECT
private slots:
    void itemLines_data();
    void itemLines();
    void headingOnlyBeforeTheFirstItem();
    void refusedItems_data();
    void refusedItems();
    void listsFromBothFilesWithPricesAndCategories();
    void listOrderIsCaseBlindThenExact_data();
    void listOrderIsCaseBlindThenExact();
    void filesOfAnySizeLoadWhole();
    void incompleteLastRecordIsNotListedAndFileKept_data();
    void incompleteLastRecordIsNotListedAndFileKept();
    void inventoryAppendInPlace_data();
    void inventoryAppendInPlace();
};

// Columns from 0: quantity ends in 4, description from 6, price ends in 38,
// extension ends in 49.
void ItemLinesTest::itemLines_data() {
    QTest::addColumn<QString>("quantity");
    QTest::addColumn<QString>("description");
    QTest::addColumn<QString>("price");
    QTest::addColumn<QString>("shownQuantity");
    QTest::addColumn<QString>("line");
    const auto row = [](const char *name, const char *quantity, const char *description, const char *price,
                        const char *shown, const char *line) {
        QTest::newRow(name) << QString(quantity) << QString(description) << QString(price) << QString(shown)
                            << QString(line);
    };
    row("quantity 2", "2", "Shingles", "$10.00", " 2",
        "    2 Shingles                   $10.00     $20.00");
    row("2.5 gets a blank", "2.5", "Shingles", "$10.00", " 2.5",
        "  2.5 Shingles                   $10.00     $25.00");
    row("extension halves away from zero", "0.5", "Caulk", "$0.25", " 0.5",
        "  0.5 Caulk                       $0.25      $0.13");
    row("price to whole cents first", "3", "Screws", "0.335", " 3",
        "    3 Screws                      $0.34      $1.02");
    row("negative price", "1", "Discount", "-$25.00", " 1",
        "    1 Discount                 ($25.00)   ($25.00)");
    row("one-letter description leaves no placeholder", "1", "X", "$1.00", " 1",
        "    1 X                           $1.00      $1.00");
    row("description runs up to the price", "1", "Architectural laminated shi", "$10.00", " 1",
        "    1 Architectural laminated shi$10.00     $10.00");
    row("long quantity loses its blank and leading zeros", "0002.5", "Felt", "$3.00", "2.5",
        "  2.5 Felt                        $3.00      $7.50");
}

void ItemLinesTest::itemLines() {
    QFETCH(QString, quantity);
    QFETCH(QString, description);
    QFETCH(QString, price);
    QFETCH(QString, shownQuantity);
    QFETCH(QString, line);
    QCOMPARE(line.size(), 50);
    const ItemLine item = AddItemLine(QStringLiteral("Body"), quantity, description, price);
    QVERIFY2(item.ok, qPrintable(item.message));
    QCOMPARE(item.line, line);
    QCOMPARE(item.quantityShown, shownQuantity);
}

// The heading goes in before the first item only, in an empty body too; "Qty Des"
// typed by hand counts as the heading, and typed placeholders are never where the line goes.
void ItemLinesTest::headingOnlyBeforeTheFirstItem() {
    const QString line = QStringLiteral("    2 Shingles                   $10.00     $20.00");
    const auto add = [](const QString &body) {
        return AddItemLine(body, QStringLiteral("2"), QStringLiteral("Shingles"), QStringLiteral("$10.00")).addition;
    };
    QCOMPARE(add(QString()), CrLf + ItemHeading + CrLf + CrLf + line);
    QCOMPARE(add(QStringLiteral("Body") + add(QStringLiteral("Body"))), CrLf + line);
    QCOMPARE(add(QStringLiteral("Use %Q, %D, %U and %E.\r\nQty Des by hand")), CrLf + line);
}

void ItemLinesTest::refusedItems_data() {
    QTest::addColumn<QString>("quantity");
    QTest::addColumn<QString>("price");
    QTest::addColumn<int>("box");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("description");
    const auto row = [](const char *name, const char *quantity, const char *price, int box, const char *message,
                        const char *description = "Shingles") {
        QTest::newRow(name) << QString(quantity) << QString(price) << box << QString(message)
                            << QString(description);
    };
    const int qty = ItemQuantityBox, price = ItemPriceBox;
    const char *notNumber = "The Quantity must be a number, such as 2 or 2.5.";
    const char *tooWide = "The Extension (Quantity times Price) is too large for the item line.";
    const char *tooLong = "The Quantity does not fit the item line: 5 characters at most, such as 12345 or 12.25.";
    // Nothing is cut: each of these would have printed less than was typed.
    row("1234.5", "1234.5", "$100.00", qty, tooLong);
    row("1.2345", "1.2345", "$1.00", qty, tooLong);
    row("10.999", "10.999", "$1.00", qty, tooLong);
    row("description one past the price", "1", "$10.00", ItemDescriptionBox,
        "The Description is too long for the item line: 27 characters at most with this Selling Price.",
        "Architectural laminated shin");
    row("empty quantity", "", "$10.00", qty, "Please enter the Quantity of this Item.");
    row("two points", "1.2.3", "$10.00", qty, notNumber);
    row("six-digit quantity", "123456", "$1.00", qty, tooLong);
    row("price of letters", "2", "ten", price, "The Selling Price must be an amount, such as 10.00.");
    // A bare number would run into the price before it.
    row("extension beyond every form", "99999", "$99,999,999.00", qty, tooWide);
}

void ItemLinesTest::refusedItems() {
    QFETCH(QString, quantity);
    QFETCH(QString, price);
    QFETCH(int, box);
    QFETCH(QString, message);
    QFETCH(QString, description);
    const ItemLine item = AddItemLine(QStringLiteral("Body"), quantity, description, price);
    QVERIFY(!item.ok);
    QCOMPARE(item.faultBox, box);
    QCOMPARE(item.message, message);
}

void ItemLinesTest::listsFromBothFilesWithPricesAndCategories() {
    TestFolder folder;
    folder.write(Inventory, InventoryBytes("Shingles", "Roof", 325000) +
                                InventoryBytes("flashing", "roof", 100050) +
                                InventoryBytes("Shingles", "Roof", 999900) +
                                InventoryBytes("Anchor", "", 10000) + InventoryBytes("Bolt", "", 20000));
    folder.write(Custom, CustomBytes("Haul Away", 1500000) + CustomBytes("Permit", 75000));
    const ItemLists lists = LoadItems();
    QVERIFY(lists.InventoryAvailable);
    QCOMPARE(lists.Sorted,
             (QStringList{"Anchor", "Bolt", "flashing", "Haul Away", "Permit", "Shingles", "Shingles"}));
    // Roof and roof both, the empty category once, in the order first seen.
    QCOMPARE(lists.Categories, (QStringList{"Roof", "roof", ""}));
    QCOMPARE(lists.ItemPrices[1], Money(10.01)); // 10.005 to the cent, halves away from zero
    // Equal descriptions: the first in file order gives the price.
    QCOMPARE(lists.FirstIndexOf(QStringLiteral("Shingles")), 0);
    QCOMPARE(lists.ItemPrices[0], Money(32.5));
    // The first custom item follows the inventory items.
    QCOMPARE(lists.FirstIndexOf(QStringLiteral("Haul Away")), 5);
    QCOMPARE(lists.ItemPrices[5], Money(150));
    TestFolder none;
    QVERIFY(!LoadItems().InventoryAvailable);
}

void ItemLinesTest::listOrderIsCaseBlindThenExact_data() {
    QTest::addColumn<QByteArrayList>("descriptions"); // in file order, code page bytes
    QTest::addColumn<QStringList>("shown");
    // Texts equal but for case follow plain order; equal texts keep file order.
    QTest::newRow("mixed case") << QByteArrayList{"b", "B", "ab", "a", "Ab", "A", "a"}
                                << QStringList{"A", "a", "a", "Ab", "ab", "B", "b"};
    // Folded, not lowered: the micro sign folds to Greek mu, past every Latin letter;
    // Y with diaeresis (0x9F) folds to 0xFF and so follows it.
    QTest::newRow("accents") << QByteArrayList{"\xE9" "clair", "\xB5m", "\x9Aimon", "\xC9" "CLAIR", "zebra",
                                               "\x8AIMON", "Eclair", "\x9Fx", "\xFFx"}
                             << QStringList{QStringLiteral("Eclair"), QStringLiteral("zebra"),
                                            QStringLiteral("\u00C9CLAIR"), QStringLiteral("\u00E9clair"),
                                            QStringLiteral("\u00FFx"), QStringLiteral("\u0178x"),
                                            QStringLiteral("\u0160IMON"), QStringLiteral("\u0161imon"),
                                            QStringLiteral("\u00B5m")};
}

void ItemLinesTest::listOrderIsCaseBlindThenExact() {
    QFETCH(QByteArrayList, descriptions);
    QFETCH(QStringList, shown);
    TestFolder folder;
    QByteArray bytes;
    for (const QByteArray &description : descriptions)
        bytes += InventoryBytes(description, "Roof", 10000);
    folder.write(Inventory, bytes);
    QCOMPARE(LoadItems().Sorted, shown);
}

void ItemLinesTest::filesOfAnySizeLoadWhole() {
    TestFolder folder;
    const int count = 40000; // past 255 and past what a 16-bit count holds
    QByteArray inventory;
    for (int i = 1; i <= count; ++i)
        inventory +=
            InventoryBytes("Item " + QByteArray::number(i), "C" + QByteArray::number(i % 3), i * 100);
    folder.write(Inventory, inventory);
    QByteArray custom;
    for (int i = 1; i <= 300; ++i)
        custom += CustomBytes("Custom " + QByteArray::number(i), i);
    folder.write(Custom, custom);
    const ItemLists lists = LoadItems();
    QCOMPARE(lists.Sorted.size(), count + 300);
    QCOMPARE(lists.ItemPrices[count - 1], Currency{4000000});
    QCOMPARE(lists.FirstIndexOf(QStringLiteral("Custom 256")), count + 255);
}

void ItemLinesTest::incompleteLastRecordIsNotListedAndFileKept_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("tail");
    // Rounding the count would make a fourth item of half a record.
    QTest::newRow("inventory, exactly half a record") << Inventory << 52;
    QTest::newRow("custom items, most of a record") << Custom << 60;
}

void ItemLinesTest::incompleteLastRecordIsNotListedAndFileKept() {
    QFETCH(QString, file);
    QFETCH(int, tail);
    TestFolder folder;
    QByteArray bytes;
    for (const char *name : {"One", "Two", "Three"})
        bytes += file == Inventory ? InventoryBytes(name, "Roof", 10000) : CustomBytes(name, 10000);
    bytes += QByteArray("Four piece of a record, cut short by a crash....................................")
                 .left(tail);
    folder.write(file, bytes);
    folder.prompt->AnswerOk();
    const ItemLists lists = LoadItems();
    QCOMPARE(lists.Unsorted, (QStringList{"One", "Two", "Three"}));
    QCOMPARE(folder.read(file), bytes);
    QCOMPARE(folder.prompt->shown.size(), 1);
    QVERIFY(folder.prompt->shown[0].text.contains(file));
}

void ItemLinesTest::inventoryAppendInPlace_data() {
    QTest::addColumn<int>("tail");   // bytes of a piece of an item after the two whole ones
    QTest::addColumn<int>("fault");  // 0 none, 1 the disk fills during the write, 2 the sync fails
    QTest::addColumn<int>("recordNo"); // where the new record goes (RecordCount + 1)
    QTest::newRow("after the whole records") << 0 << 0 << 3;
    QTest::newRow("over a piece under half a record") << 15 << 0 << 3;
    QTest::newRow("after a piece over half a record") << 60 << 0 << 4;
    QTest::newRow("disk full") << 0 << 1 << 3;
    QTest::newRow("sync fails") << 0 << 2 << 3;
}

void ItemLinesTest::inventoryAppendInPlace() {
    QFETCH(int, tail);
    QFETCH(int, fault);
    QFETCH(int, recordNo);
    TestFolder folder;
    const QByteArray before = InventoryBytes("Shingles", "Roof", 325000) + InventoryBytes("Nails", "Roof", 500) +
                              QByteArray(tail, 'p');
    folder.write(Inventory, before);
    struct stat old {};
    QCOMPARE(::stat(QFile::encodeName(folder.file(Inventory)).constData(), &old), 0);
    folder.prompt->AnswerOk();
    std::optional<FileSizeLimit> disk;
    std::optional<SyncFault> failing;
    if (fault == 1)
        QVERIFY(disk.emplace(before.size() + 10).active());
    if (fault == 2)
        failing.emplace();
    // Texts longer than their fields are cut to them.
    const bool saved = SaveItemToInventory(QString(60, QLatin1Char('V')), QString(25, QLatin1Char('R')), Money(5));
    disk.reset();
    failing.reset();
    const QByteArray after = folder.read(Inventory);
    // Written where it was: another program holding the file open still sees it.
    struct stat now {};
    QCOMPARE(::stat(QFile::encodeName(folder.file(Inventory)).constData(), &now), 0);
    QCOMPARE(now.st_ino, old.st_ino);
    QCOMPARE(folder.prompt->shown.size(), 1);
    if (fault) {
        QVERIFY(!saved);
        QCOMPARE(after, before);
        QCOMPARE(folder.prompt->shown[0].title, QStringLiteral("File not saved"));
        return;
    }
    QVERIFY(saved);
    const qint64 at = (recordNo - 1) * 104;
    QCOMPARE(after.size(), at + 104);
    const qint64 kept = std::min<qint64>(at, before.size());
    QCOMPARE(after.left(kept), before.left(kept));
    QCOMPARE(after.mid(kept, at - kept), QByteArray(at - kept, '\0')); // a gap is filled with zeros
    // The price goes to field 4; the selling price and the fields after it stay zero.
    const QByteArray record = QByteArray(50, 'V') + QByteArray(20, 'R') + QByteArray(8, '\0') +
                              QByteArray::fromHex("50c3000000000000") + QByteArray(18, '\0');
    QCOMPARE(after.mid(at), record);
}

TAMSEL_TEST(ItemLinesTest)
#include "tst_ItemLines.moc"
