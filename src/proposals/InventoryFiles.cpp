#include "proposals/InventoryFiles.h"

#include "common/CommonRoutines.h"
#include "common/CommonVariables.h"
#include "platform/UserPrompt.h"
#include "proposals/ItemLines.h"

#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <algorithm>

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
    static const RecordLayout<R> layout(InventoryItemLength,
                                        {{"Description", 0, 50, &R::Description},
                                         {"Category", 50, 20, &R::Category},
                                         {"SellingPrice", InventorySellingPriceOffset, 8, &R::SellingPrice},
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
                                                           {"Price", CustomPriceOffset, 8, &R::Price},
                                                           {"Field3", 58, 8, &R::Field3},
                                                           {"Field4", 66, 4, &R::Field4}});
    return layout;
}

int ItemLists::FirstIndexOf(const QString &description) const {
    return firstIndex.value(description, -1);
}

namespace {

// Each UTF-16 unit of text as QString::compare(Qt::CaseInsensitive) folds
// it, written at to; a plain comparison of two keys then orders as that
// compare does. That compare folds a surrogate pair as one code point, which
// no key here mirrors: false for such a text (never one decoded from the
// files), which is then compared as before.
bool WriteCaseBlindKey(QStringView text, char16_t *to) {
    const char16_t *from = text.utf16();
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t unit = from[i];
        if (unit < 0x80)
            to[i] = unit >= 'A' && unit <= 'Z' ? char16_t(unit + 0x20) : unit;
        else if (QChar::isSurrogate(unit))
            return false;
        else
            to[i] = char16_t(QChar::toCaseFolded(char32_t(unit)));
    }
    return true;
}

} // namespace

ItemFiles ReadItemFiles() {
    ItemFiles files;
    const auto read = [&files](const QString &name, int length, QByteArray &into) {
        bool exists = false;
        if (auto bytes = ReadItemFile(name, exists)) {
            const qint64 tail = bytes->size() % length;
            ReportTail(name, tail);
            bytes->chop(tail);
            into = std::move(*bytes);
        }
        files.InventoryAvailable = files.InventoryAvailable || exists;
    };
    read(InventoryFile, InventoryItemLength, files.Inventory);
    read(CustomItemsFile, CustomItemLength, files.Custom);
    return files;
}

ItemLists LoadItems() {
    return DecodeItems(ReadItemFiles());
}

ItemLists DecodeItems(const ItemFiles &files) {
    ItemLists lists;
    lists.InventoryAvailable = files.InventoryAvailable;
    const int digits = LocaleCurrencyDigits();
    const auto addItem = [&](const QByteArray &record, int priceOffset) {
        lists.Unsorted << RecordFields::GetText(record, 0, InventoryDescriptionWidth).trimmed();
        lists.ItemPrices.push_back(RoundedToDigits(RecordFields::GetCurrency(record, priceOffset), digits));
    };
    const auto recordAt = [](const QByteArray &bytes, qint64 i, int length) {
        return QByteArray::fromRawData(bytes.constData() + i * length, length);
    };

    // Only the fields the window shows are decoded: description, category,
    // selling price. A category's bytes are decoded once however many items
    // share them.
    QSet<QByteArray> seenCategoryBytes;
    QSet<QString> seenCategories;
    const qint64 inventoryCount = files.Inventory.size() / InventoryItemLength;
    const qint64 customCount = files.Custom.size() / CustomItemLength;
    lists.Unsorted.reserve(inventoryCount + customCount);
    lists.ItemPrices.reserve(size_t(inventoryCount + customCount));
    for (qint64 i = 0; i < inventoryCount; ++i) {
        const QByteArray record = recordAt(files.Inventory, i, InventoryItemLength);
        addItem(record, InventorySellingPriceOffset);
        const QByteArray categoryBytes =
            QByteArray::fromRawData(record.constData() + InventoryDescriptionWidth, InventoryCategoryWidth);
        if (seenCategoryBytes.contains(categoryBytes))
            continue;
        seenCategoryBytes.insert(QByteArray(categoryBytes.constData(), categoryBytes.size()));
        const QString category =
            RecordFields::GetText(record, InventoryDescriptionWidth, InventoryCategoryWidth).trimmed();
        if (!seenCategories.contains(category)) {
            seenCategories.insert(category);
            lists.Categories << category;
        }
    }
    for (qint64 i = 0; i < customCount; ++i)
        addItem(recordAt(files.Custom, i, CustomItemLength), CustomPriceOffset);

    // Backwards, so the first item of each description is the one kept.
    const qsizetype total = lists.Unsorted.size();
    lists.firstIndex.reserve(total);
    for (qsizetype i = total - 1; i >= 0; --i)
        lists.firstIndex.insert(lists.Unsorted[i], int(i));

    // Alphabetical as a sorted list box shows it, letter case aside; texts
    // equal but for case by plain comparison; equal texts keep file order.
    // The folded keys are made once, into one buffer, rather than in every
    // comparison.
    qsizetype keyLength = 0;
    for (const QString &text : std::as_const(lists.Unsorted))
        keyLength += text.size();
    std::vector<char16_t> keys(static_cast<size_t>(keyLength));
    struct Entry {
        QStringView key; // null: compared as the text itself
        int index;
    };
    std::vector<Entry> order;
    order.reserve(size_t(total));
    qsizetype at = 0;
    for (qsizetype i = 0; i < total; ++i) {
        const QString &text = lists.Unsorted[i];
        const bool keyed = WriteCaseBlindKey(text, keys.data() + at);
        order.push_back({keyed ? QStringView(keys.data() + at, text.size()) : QStringView(), int(i)});
        at += text.size();
    }
    std::stable_sort(order.begin(), order.end(), [&](const Entry &a, const Entry &b) {
        const QString &textA = lists.Unsorted[a.index];
        const QString &textB = lists.Unsorted[b.index];
        const int byLetters = !a.key.isNull() && !b.key.isNull() ? a.key.compare(b.key)
                                                                 : textA.compare(textB, Qt::CaseInsensitive);
        return byLetters != 0 ? byLetters < 0 : textA < textB;
    });
    lists.Sorted.reserve(total);
    for (const Entry &e : order)
        lists.Sorted << lists.Unsorted[e.index];
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
