#include "proposals/InventoryFiles.h"

#include "common/CommonRoutines.h"
#include "common/CommonVariables.h"
#include "platform/UserPrompt.h"
#include "proposals/ItemLines.h"

#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <algorithm>
#include <numeric>

namespace {

const QString CrLf = QStringLiteral("\r\n");

QString Label(const QString &name) {
    return name.mid(1);
}

// The whole file, or nothing when it is missing; a file that exists but
// cannot be read is reported.
std::optional<QByteArray> ReadItemFile(const QString &name, bool &exists) {
    exists = FileExists(name);
    if (!exists)
        return std::nullopt;
    auto bytes = ReadWholeFile(name);
    if (!bytes)
        ReportDamagedFile(Label(name), QStringLiteral("Its items are not listed."));
    return bytes;
}

void ReportTail(const QString &name, qint64 tail) {
    if (tail > 0)
        ReportDamagedFile(Label(name),
                          QStringLiteral("It ends with a piece of an item (%1 bytes). The whole items are "
                                         "listed, and the file is left as it is.")
                              .arg(tail));
}

} // namespace

const RecordLayout<InventoryItemRecord> &InventoryItemLayout() {
    using R = InventoryItemRecord;
    static const RecordLayout<R> layout(InventoryItemLength, {{"Description", 0, 50, &R::Description},
                                                              {"Category", 50, 20, &R::Category},
                                                              {"SellingPrice", 70, 8, &R::SellingPrice},
                                                              {"Field4", 78, 8, &R::Field4},
                                                              {"Field5", 86, 2, &R::Field5},
                                                              {"Field6", 88, 8, &R::Field6},
                                                              {"Field7", 96, 4, &R::Field7},
                                                              {"Field8", 100, 2, &R::Field8},
                                                              {"Field9", 102, 2, &R::Field9}});
    return layout;
}

const RecordLayout<CustomItemRecord> &CustomItemLayout() {
    using R = CustomItemRecord;
    static const RecordLayout<R> layout(CustomItemLength, {{"Description", 0, 50, &R::Description},
                                                           {"Price", 50, 8, &R::Price},
                                                           {"Field3", 58, 8, &R::Field3},
                                                           {"Field4", 66, 4, &R::Field4}});
    return layout;
}

int ItemLists::FirstIndexOf(const QString &description) const {
    return firstIndex.value(description, -1);
}

ItemLists LoadItems() {
    ItemLists lists;
    const int digits = LocaleCurrencyDigits();
    QSet<QString> seenCategories;
    const auto addItem = [&](const QString &description, Currency price) {
        if (!lists.firstIndex.contains(description))
            lists.firstIndex.insert(description, int(lists.Unsorted.size()));
        lists.Unsorted << description;
        lists.ItemPrices.push_back(RoundedToDigits(price, digits));
    };

    bool exists = false;
    if (const auto bytes = ReadItemFile(InventoryFile, exists)) {
        const qint64 count = bytes->size() / InventoryItemLength;
        lists.Unsorted.reserve(count);
        for (qint64 i = 0; i < count; ++i) {
            const QByteArray record =
                QByteArray::fromRawData(bytes->constData() + i * InventoryItemLength, InventoryItemLength);
            const InventoryItemRecord item = InventoryItemLayout().Read(record);
            addItem(item.Description.trimmed(), item.SellingPrice);
            const QString category = item.Category.trimmed();
            if (!seenCategories.contains(category)) {
                seenCategories.insert(category);
                lists.Categories << category;
            }
        }
        ReportTail(InventoryFile, bytes->size() % InventoryItemLength);
    }
    lists.InventoryAvailable = exists;

    if (const auto bytes = ReadItemFile(CustomItemsFile, exists)) {
        const qint64 count = bytes->size() / CustomItemLength;
        for (qint64 i = 0; i < count; ++i) {
            const QByteArray record =
                QByteArray::fromRawData(bytes->constData() + i * CustomItemLength, CustomItemLength);
            const CustomItemRecord item = CustomItemLayout().Read(record);
            addItem(item.Description.trimmed(), item.Price);
        }
        ReportTail(CustomItemsFile, bytes->size() % CustomItemLength);
    }
    lists.InventoryAvailable = lists.InventoryAvailable || exists;

    // Alphabetical as a sorted list box shows it; equal texts keep file order.
    std::vector<int> order(lists.Unsorted.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        const int byLetters = lists.Unsorted[a].compare(lists.Unsorted[b], Qt::CaseInsensitive);
        return byLetters != 0 ? byLetters < 0 : lists.Unsorted[a] < lists.Unsorted[b];
    });
    lists.Sorted.reserve(lists.Unsorted.size());
    for (int i : order)
        lists.Sorted << lists.Unsorted[i];
    return lists;
}

bool SaveItemToInventory(const QString &description, const QString &category, Currency price) {
    InventoryItemRecord item;
    item.Description = description;
    item.Category = category;
    item.Field4 = price;
    const QByteArray record = InventoryItemLayout().Write(item);

    // In place at its record number, as every record file is written: the
    // other program may hold the file open and must keep seeing it.
    const QString path = DataPath(InventoryFile);
    bool ok = !path.isEmpty();
    if (ok) {
        const bool existed = FileExists(InventoryFile);
        const qint64 recordNo = RecordCount(InventoryFile, InventoryItemLength) + 1;
        const qint64 offset = (recordNo - 1) * InventoryItemLength;
        const qint64 length = existed ? QFileInfo(path).size() : 0;
        // A piece of an item at the end that the record goes over, kept to put back.
        QByteArray covered;
        if (offset < length) {
            const auto bytes = ReadWholeFile(InventoryFile);
            ok = bytes.has_value();
            covered = ok ? bytes->mid(offset) : QByteArray();
        }
        ok = ok && OpenRandom(InventoryFile, InventoryItemLength) && PutRecord(FileNo, recordNo, record);
        // Closing flushes and syncs; a record that did not reach the disk is taken back.
        ok = CloseAllFiles() && ok;
        if (!ok) {
            QFile file(path);
            if (!existed)
                file.remove();
            else if (file.open(QIODevice::ReadWrite) && file.resize(length) && !covered.isEmpty() &&
                     file.seek(offset))
                file.write(covered);
        }
    }
    if (!ok) {
        ReportWriteFailure(Label(InventoryFile));
        return false;
    }
    MsgBox(RecordFields::GetText(record, 0, 50) + QStringLiteral(" has been added") + CrLf +
               QStringLiteral("Use the Inventory Program to ") + CrLf +
               QStringLiteral("enter all fields for this item"),
           MsgButtons::Ok);
    return true;
}
