// Times the item window with an inventory of 32,767 items (the most the
// other program's 16-bit record numbers reach): reading both files, filling
// the window's lists, and both together as a writer does when it opens; then
// adding one item line to a body of 30 printed pages.

#include "BenchTiming.h"
#include "common/CommonVariables.h"
#include "proposals/InventoryFiles.h"
#include "proposals/ItemWindow.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTextStream>
#include <QtEndian>
#include <algorithm>
#include <functional>

namespace {

// Descriptions in no order, so sorting has work to do.
QByteArray InventoryFileBytes(int count) {
    QByteArray bytes;
    bytes.reserve(qint64(count) * InventoryItemLength);
    for (int i = 0; i < count; ++i) {
        const int key = int((quint64(i) * 7919) % quint64(count));
        QByteArray r = ("Item " + QByteArray::number(key) + " roofing material").leftJustified(50) +
                       ("Category " + QByteArray::number(i % 40)).leftJustified(20);
        r.append(QByteArray(34, '\0'));
        qToLittleEndian<qint64>(qint64(key) * 2500, r.data() + 70);
        bytes += r;
    }
    return bytes;
}

} // namespace

int main(int argc, char **argv) {
    QApplication app(argc, argv);
    QLocale::setDefault(QLocale(QStringLiteral("en_US"))); // the prices below are in its currency form
    QTemporaryDir dir;
    AppFolder = dir.path();
    const int count = 32767;
    {
        QFile file(dir.filePath(QStringLiteral("QXInventoriedItems.txt")));
        if (!file.open(QIODevice::WriteOnly) || file.write(InventoryFileBytes(count)) < 0)
            return 1;
    }

    QPlainTextEdit body;
    ItemWindow window(&body);
    const double read = BestOfRunsMs([] { LoadItems(); });
    const double all = BestOfRunsMs([&] { window.LoadItems(); });
    if (window.lstItems->count() != count)
        return 2;

    // 30 pages of about 55 lines each.
    QString text;
    for (int line = 0; line < 30 * 55; ++line)
        text += QStringLiteral("Line %1 of the body: remove and replace the decking where it is soft.\n")
                    .arg(line);
    body.setPlainText(text);
    const double add = BestOfRunsMs([&] {
        window.txtItem[0]->setText(QStringLiteral("Ridge Vent"));
        window.txtItem[1]->setText(QStringLiteral("$12.50"));
        window.txtItem[2]->setText(QStringLiteral("3"));
        window.cmdItem_Click(0);
    });
    if (!body.toPlainText().endsWith(QStringLiteral("$37.50"))) {
        QTextStream(stderr) << "the line was not added: " << body.toPlainText().right(60) << "\n";
        return 3;
    }

    QTextStream out(stdout);
    out << "Inventory of " << count << " items:\n"
        << "  reading both files (LoadItems)            " << read << " ms\n"
        << "  reading and filling the item window       " << all << " ms\n"
        << "Adding an item line to a 30-page body:      " << add << " ms\n";
    return 0;
}
