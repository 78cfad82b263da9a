// Times the item window with an inventory of 32,767 items (the most the
// other program's 16-bit record numbers reach) and no custom items, against
// a plain read of both files: what the writer's load pays (ItemWindow's
// LoadItems reads the files; the lists are made when the window is first
// shown), decoding and ordering the items, the window opened and filled as
// a writer opens it, then adding one item line to a body of 30 printed pages.
#include "BenchDataFiles.h"
#include "BenchPrompt.h"
#include "BenchTiming.h"
#include "common/CommonRoutines.h"
#include "common/CommonVariables.h"
#include "proposals/InventoryFiles.h"
#include "proposals/ItemWindow.h"

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QPlainTextEdit>
#include <QTemporaryDir>

int main(int argc, char **argv) {
    QApplication app(argc, argv);
    const auto prompt = InstallBenchPrompt();
    QLocale::setDefault(QLocale(QStringLiteral("en_US"))); // the prices below are in its currency form
    QTemporaryDir dir;
    AppFolder = dir.path();
    if (!WriteBenchFile(dir.filePath(QStringLiteral("QXInventoriedItems.txt")), InventoryFileBytes(MaxItems)))
        return 1;

    const double floor = BestOfRunsMs([] {
        (void)ReadWholeFile(InventoryFile);
        (void)ReadWholeFile(CustomItemsFile);
    });
    const ItemFiles files = ReadItemFiles();
    const double decode = BestOfRunsMs([&files] { (void)DecodeItems(files); });

    QPlainTextEdit body;
    body.resize(900, 700);
    body.show();
    ItemWindow window(&body, &body);
    const double read = BestOfRunsMs([&] { window.LoadItems(); });
    const double open = BestOfRunsMs([&] {
        window.LoadItems();
        window.Open();
        QCoreApplication::processEvents();
    });
    const bool filled = window.isVisible() && window.lstItems->count() == MaxItems;

    // 30 pages of about 55 lines each.
    QString text;
    for (int line = 0; line < 30 * 55; ++line)
        text += QStringLiteral("Line %1 of the body: remove and replace the decking where it is soft.\n").arg(line);
    body.setPlainText(text);
    const double add = BestOfRunsMs([&] {
        window.txtItem[0]->setText(QStringLiteral("Ridge Vent"));
        window.txtItem[1]->setText(QStringLiteral("$12.50"));
        window.txtItem[2]->setText(QStringLiteral("3"));
        window.cmdItem_Click(0);
    });
    const bool added = body.toPlainText().endsWith(QStringLiteral("$37.50"));

    const QString size = QStringLiteral("%1 items").arg(MaxItems);
    BenchRow(QStringLiteral("items: read both files whole (floor)"), size, floor);
    BenchRow(QStringLiteral("items: the writer's LoadItems (files read)"), size, read, floor);
    BenchRow(QStringLiteral("items: decode and order every item (DecodeItems)"), size, decode, floor);
    BenchRow(QStringLiteral("items: item window opens, filled"), size, open, floor);
    BenchRow(QStringLiteral("items: add an item line to the body"), QStringLiteral("30 pages"), add);
    if (!filled || !added || prompt->boxes > 0) {
        QTextStream(stderr) << "bench_items: filled " << filled << ", added " << added << "\n";
        return 1;
    }
    return 0;
}
