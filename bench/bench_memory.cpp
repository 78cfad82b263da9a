// The most memory the program holds with every store at its largest: 32,767
// customers, 32,767 proposals and 32,767 inventory items, the customer
// screen, the proposals report and the item window each opened once and
// shown (offscreen), the report scrolled to its end.
#include "BenchCustomerFile.h"
#include "BenchDataFiles.h"
#include "BenchPrompt.h"
#include "BenchTiming.h"
#include "common/CommonVariables.h"
#include "common/ScreenRegistry.h"
#include "customers/frmCustomer.h"
#include "proposals/ItemWindow.h"
#include "records/ProposalReportModel.h"
#include "records/frmProposalReport.h"

#include <QApplication>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTableView>
#include <QTemporaryDir>

int main(int argc, char **argv) {
    QApplication app(argc, argv);
    const auto prompt = InstallBenchPrompt();
    QTemporaryDir dir;
    AppFolder = dir.path();
    BusinessData[0] = QStringLiteral("Bench Co");
    const QByteArray customers = CustomerFile(MaxCustomers);
    if (!WriteBenchFile(dir.filePath(QStringLiteral("CustomerData.txt")), customers) ||
        !WriteBenchFile(dir.filePath(QStringLiteral("ContractInfo.txt")),
                        QByteArray(qint64(MaxCustomers) * ContractRecordLength, '\0')) ||
        !WriteBenchFile(dir.filePath(QStringLiteral("CycleInfo.txt")),
                        QByteArray(qint64(MaxCustomers) * CycleRecordLength, '\0')) ||
        !WriteBenchFile(dir.filePath(QStringLiteral("QXInventoriedItems.txt")), InventoryFileBytes(MaxItems)) ||
        !MakeProposalFiles(dir.path(), MaxProposals))
        return 1;
    const double before = PeakResidentMb();

    QElapsedTimer timer;
    timer.start();
    auto *customer = ScreenRegistry::Get<frmCustomer>();
    ScreenRegistry::Show(customer);
    customer->Form_Activate();
    QCoreApplication::processEvents();

    auto *report = ScreenRegistry::Get<frmProposalReport>();
    ScreenRegistry::Show(report);
    report->Form_Activate();
    QCoreApplication::processEvents();
    report->fgProposals->scrollToBottom();
    QCoreApplication::processEvents();

    QPlainTextEdit body;
    body.show();
    ItemWindow items(&body, &body);
    items.LoadItems();
    items.Open();
    QCoreApplication::processEvents();
    const double ms = timer.nsecsElapsed() / 1e6;

    const bool ok = report->Model()->rowCount() == MaxProposals && items.lstItems->count() == MaxItems &&
                    prompt->boxes == 0;
    QTextStream(stdout) << "| memory: data made, no screen open | " << MaxCustomers << " customers, "
                        << MaxProposals << " proposals, " << MaxItems << " items |  |  |  | "
                        << QString::number(before, 'f', 0) << " MB |\n";
    BenchRow(QStringLiteral("memory: customer screen, report and item window opened"),
             QStringLiteral("the same"), ms);
    ScreenRegistry::UnloadAll();
    return ok ? 0 : 1;
}
