#include "ProposalsFixtures.h"
#include "TestMain.h"
#include "proposals/ItemLines.h"
#include "proposals/ItemWindow.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

namespace {

const QString Inventory = QStringLiteral("QXInventoriedItems.txt");

void WriteSampleInventory(const TestFolder &folder) {
    folder.write(Inventory, InventoryBytes("Shingles, architectural", "Roof", 325000) +
                                InventoryBytes("Drip Edge", "roof", 87500) +
                                InventoryBytes("Shingles, architectural", "Roof", 999900) +
                                InventoryBytes("Gutter, 5 inch", "Gutters", 42500) +
                                InventoryBytes("Ice and Water Shield", "Roof", 1150000));
    folder.write(QStringLiteral("CustomItems.txt"), CustomBytes("Haul Away and Dump Fees", 2250000));
}

// The writer's body stage as far as the item window sees it.
struct Writer {
    QWidget host;
    QPlainTextEdit *txtBody = new QPlainTextEdit(&host);
    ItemWindow *items = new ItemWindow(txtBody, &host);
    Writer() {
        auto *layout = new QHBoxLayout(&host);
        layout->addWidget(txtBody);
        layout->addWidget(items);
        host.resize(1100, 520);
    }
    // The lists loaded and the window open on the shown writer.
    void Show() {
        items->LoadItems();
        host.show();
        items->Open();
        QVERIFY(QTest::qWaitForWindowActive(&host));
    }
    void Pick(const QString &description) {
        const QList<QListWidgetItem *> found = items->lstItems->findItems(description, Qt::MatchExactly);
        QVERIFY(!found.isEmpty());
        items->lstItems->setCurrentItem(found.last());
        items->lstItems_Click();
    }
};

} // namespace

class ItemWindowTest : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { QApplication::closeAllWindows(); }
    void pickedItemsGoToTheEndOfTheBody();
    void priceBoxTakesOnlyAmounts_data();
    void priceBoxTakesOnlyAmounts();
    void manualItemSavedToTheInventory();
};

void ItemWindowTest::pickedItemsGoToTheEndOfTheBody() {
    TestFolder folder;
    WriteSampleInventory(folder);
    Writer writer;
    writer.txtBody->setPlainText(QStringLiteral("Tear off and replace the roof."));
    writer.Show();
    QCOMPARE(writer.items->lstItems->item(0)->text(), QStringLiteral("Drip Edge"));
    QCOMPARE(writer.items->cboCategories->count(), 3);

    // Equal descriptions: whichever entry is clicked, the first price.
    writer.Pick(QStringLiteral("Shingles, architectural"));
    QCOMPARE(writer.items->txtItem[0]->text(), QStringLiteral("Shingles, architectural"));
    QCOMPARE(writer.items->txtItem[1]->text(), QStringLiteral("$32.50"));
    QVERIFY(writer.items->txtItem[2]->text().isEmpty());
    QVERIFY(writer.items->txtItem[2]->hasFocus());
    QTest::keyClicks(writer.items->txtItem[2], QStringLiteral("x2"));
    QCOMPARE(folder.prompt->beeps, 1); // the quantity takes digits and the point only
    writer.items->cmdItem_Click(0);
    QVERIFY(writer.items->txtItem[0]->text().isEmpty());

    // A line refused leaves the body and the boxes as they were, the focus on the box at fault.
    writer.Pick(QStringLiteral("Drip Edge"));
    writer.items->txtItem[1]->clear();
    writer.items->txtItem[2]->setText(QStringLiteral("3"));
    folder.prompt->AnswerOk();
    writer.items->cmdItem_Click(0);
    QCOMPARE(folder.prompt->shown.last().title, ItemRefusedTitle);
    QCOMPARE(writer.items->txtItem[2]->text(), QStringLiteral("3"));
    QVERIFY(writer.items->txtItem[1]->hasFocus());

    writer.Pick(QStringLiteral("Haul Away and Dump Fees"));
    QCOMPARE(writer.items->txtItem[1]->text(), QStringLiteral("$225.00"));
    QTest::keyClicks(writer.items->txtItem[2], QStringLiteral("12"));
    writer.items->cmdItem_Click(0);
    QCOMPARE(writer.txtBody->toPlainText(),
             QStringLiteral("Tear off and replace the roof.\n") + ItemHeading + QStringLiteral("\n\n") +
                 QStringLiteral("    2 Shingles, architectural    $32.50     $65.00\n"
                                "   12 Haul Away and Dump Fees   $225.00  $2,700.00"));
    writer.items->Open(); // the menu item opens and closes it
    QVERIFY(!writer.items->isVisible());
    TestFolder none;
    QVERIFY(!writer.items->LoadItems());
    QCOMPARE(writer.items->lstItems->count(), 0);
}

void ItemWindowTest::priceBoxTakesOnlyAmounts_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");  // the box when it is left
    QTest::addColumn<bool>("focusBack"); // the box takes the focus back
    QTest::addColumn<int>("messages");
    QTest::newRow("amount") << "1234.5" << "$1,234.50" << false << 0;
    // Halves away from zero, as the writer's price box and the item line round.
    QTest::newRow("1.005") << "1.005" << "$1.01" << false << 0;
    QTest::newRow("2.675") << "2.675" << "$2.68" << false << 0;
    QTest::newRow("no amount") << "12 dollars" << "" << true << 0;
    QTest::newRow("empty") << "" << "" << true << 0;
    QTest::newRow("beyond the largest amount") << "1000000000" << "1000000000" << true << 1;
}

void ItemWindowTest::priceBoxTakesOnlyAmounts() {
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    QFETCH(bool, focusBack);
    QFETCH(int, messages);
    TestFolder folder;
    Writer writer;
    writer.host.show();
    writer.items->Open();
    QVERIFY(QTest::qWaitForWindowActive(&writer.host));
    QLineEdit *price = writer.items->txtItem[1];
    price->setFocus();
    QTest::keyClicks(price, typed);
    folder.prompt->AnswerOk(messages);
    writer.items->txtItem[2]->setFocus(); // leaving the box
    QCOMPARE(price->text(), shown);
    QCOMPARE(price->hasFocus(), focusBack);
    QCOMPARE(folder.prompt->shown.size(), messages);
}

void ItemWindowTest::manualItemSavedToTheInventory() {
    TestFolder folder;
    WriteSampleInventory(folder);
    const QByteArray before = folder.read(Inventory);
    Writer writer;
    writer.Show();
    writer.items->txtItem[1]->setText(QStringLiteral("leftover"));
    writer.items->cmdItem_Click(3);
    QVERIFY(writer.items->ManualItemMode() && writer.items->txtItem[1]->text().isEmpty());
    QTest::keyClicks(writer.items->txtItem[0], QStringLiteral("Copper Flashing"));
    writer.items->txtItem[1]->setFocus();
    QTest::keyClicks(writer.items->txtItem[1], QStringLiteral("12.75"));
    writer.items->txtItem[2]->setFocus();
    QTest::keyClicks(writer.items->txtItem[2], QStringLiteral("3"));

    folder.prompt->Answer(MsgAnswer::Yes);
    writer.items->cmdItem_Click(0);
    QVERIFY(writer.items->fraAddNew->isVisible());
    // The boxes stay, the quantity as the line shows it.
    QCOMPARE(writer.items->txtItem[0]->text(), QStringLiteral("Copper Flashing"));
    QCOMPARE(writer.items->txtItem[2]->text(), QStringLiteral(" 3"));
    QVERIFY(writer.txtBody->toPlainText().endsWith(
        QStringLiteral("    3 Copper Flashing            $12.75     $38.25")));

    // The price taken away before saving: refused, nothing written.
    writer.items->txtItem[1]->clear();
    folder.prompt->AnswerOk();
    writer.items->cmdItem_Click(4);
    QCOMPARE(folder.prompt->shown.last().text,
             QStringLiteral("Please enter the Selling Price of this Item."));
    QCOMPARE(folder.read(Inventory), before);

    writer.items->txtItem[1]->setText(QStringLiteral("$12.75"));
    writer.items->cboCategories->setCurrentText(QStringLiteral("Flashing"));
    folder.prompt->AnswerOk(2);
    writer.items->cmdItem_Click(4);
    QCOMPARE(folder.prompt->shown.size(), 4);
    // The record itself is checked byte for byte with the item files; here the boxes' values reach it.
    const QByteArray after = folder.read(Inventory);
    QCOMPARE(after.left(before.size()), before);
    const InventoryItemRecord saved = InventoryItemLayout().Read(after.mid(before.size()));
    QCOMPARE(saved.Description.trimmed() + saved.Category.trimmed(),
             QStringLiteral("Copper FlashingFlashing"));
    QCOMPARE(saved.Field4, Money(12.75));

    // From now on every added line asks.
    writer.items->txtItem[0]->setText(QStringLiteral("Drip Edge"));
    writer.items->txtItem[1]->setText(QStringLiteral("$8.75"));
    writer.items->txtItem[2]->setText(QStringLiteral("4"));
    folder.prompt->Answer(MsgAnswer::No);
    writer.items->cmdItem_Click(0);
    QCOMPARE(folder.prompt->shown.size(), 5);
    QVERIFY(writer.items->txtItem[0]->text().isEmpty());
    QVERIFY(writer.items->fraAddNew->isHidden());
}

TAMSEL_TEST(ItemWindowTest)
#include "tst_ItemWindow.moc"
