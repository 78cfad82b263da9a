#pragma once
// The item inventory: QXInventoriedItems.txt, shared with another program
// that owns the fields this one does not use, and CustomItems.txt, which is
// only read. Both are files of fixed-length records despite their names.
#include "customers/RecordLayout.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <vector>

inline constexpr int InventoryItemLength = 104;
inline constexpr int CustomItemLength = 70;
// The inventory record's text fields, as the item window limits its boxes.
inline constexpr int InventoryDescriptionWidth = 50;
inline constexpr int InventoryCategoryWidth = 20;
inline constexpr int InventorySellingPriceOffset = 70;
inline constexpr int CustomPriceOffset = 50;
inline const QString InventoryFile = QStringLiteral("\\QXInventoriedItems.txt");
inline const QString CustomItemsFile = QStringLiteral("\\CustomItems.txt");

// The fields after the category belong to the other program; a new item
// gets the typed price in Field4 and zeros elsewhere.
struct InventoryItemRecord {
    QString Description;
    QString Category;
    Currency SellingPrice; // the price the item list offers
    Currency Field4;
    qint16 Field5 = 0;
    Currency Field6;
    qint32 Field7 = 0;
    qint16 Field8 = 0;
    qint16 Field9 = 0;
};

struct CustomItemRecord {
    QString Description;
    Currency Price;
    Currency Field3;
    qint32 Field4 = 0;
};

const RecordLayout<InventoryItemRecord> &InventoryItemLayout();
const RecordLayout<CustomItemRecord> &CustomItemLayout();

// What the item window lists, read once per writer.
struct ItemLists {
    bool InventoryAvailable = false;  // at least one of the two files exists
    QStringList Unsorted;             // descriptions in file order: inventory, then custom items
    QStringList Sorted;               // the same alphabetically, letter case aside
    QStringList Categories;           // each trimmed inventory category once, first seen first
    std::vector<Currency> ItemPrices; // one per entry of Unsorted, at the locale's currency digits

    // Position in Unsorted (and ItemPrices) of the first item with exactly
    // this description, or -1.
    int FirstIndexOf(const QString &description) const;

    QHash<QString, int> firstIndex;
};

// Both item files as read, before their items are decoded.
struct ItemFiles {
    bool InventoryAvailable = false; // at least one of the two files exists
    QByteArray Inventory;            // whole records only
    QByteArray Custom;
};

// Reads both files whole, however many records they hold. Bytes after the
// last whole record are not kept, and the user is told; neither file is
// ever written here.
ItemFiles ReadItemFiles();
// The lists of the item window from the files as read.
ItemLists DecodeItems(const ItemFiles &files);
// Both of the above.
ItemLists LoadItems();

// Writes one record (description, category, the typed price in Field4,
// zeros elsewhere) in place at record number RecordCount + 1 of
// QXInventoriedItems.txt and tells the user what was stored. A failed write
// or sync is reported and leaves the file as it was; false then.
bool SaveItemToInventory(const QString &description, const QString &category, Currency price);
