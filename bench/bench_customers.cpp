// Times the customer screen on a customer file of 32,767 records, the most
// the 16-bit record counts allow: activation (account and city lists), one
// criteria search, the full customer list, and, for comparison, merely
// reading the file.
#include "BenchTiming.h"
#include "BenchCustomerFile.h"
#include "common/CommonRoutines.h"
#include "common/CommonVariables.h"
#include "common/ScreenRegistry.h"
#include "customers/CustomerRecords.h"
#include "customers/CustomerSearch.h"
#include "customers/CustomersFoundModel.h"
#include "customers/frmCustomer.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTextStream>
#include <algorithm>
#include <functional>

namespace {

} // namespace

int main(int argc, char **argv) {
    QApplication app(argc, argv);
    QTemporaryDir dir;
    AppFolder = dir.path();
    BusinessData[0] = QStringLiteral("Bench Co");
    BusinessData[5] = QStringLiteral("62704");
    const int count = MaxCustomers;
    {
        QFile file(dir.filePath(QStringLiteral("CustomerData.txt")));
        if (!file.open(QIODevice::WriteOnly) || file.write(CustomerFile(count)) < 0)
            return 1;
    }
    // Companions in place, so activation only reads.
    for (const auto &[name, length] : {std::pair{"ContractInfo.txt", ContractRecordLength},
                                       std::pair{"CycleInfo.txt", CycleRecordLength}}) {
        QFile file(dir.filePath(QString::fromLatin1(name)));
        if (!file.open(QIODevice::WriteOnly) || file.write(QByteArray(qint64(count) * length, '\0')) < 0)
            return 1;
    }

    QTextStream out(stdout);
    out << "customer records: " << count << "\n";
    out << QStringLiteral("read the file whole:              %1 ms\n")
               .arg(BestOfRunsMs([] { (void)ReadWholeFile(QStringLiteral("\\CustomerData.txt")); }), 0, 'f', 1);
    out << QStringLiteral("read every record (GetRecord):    %1 ms\n")
               .arg(BestOfRunsMs([count] {
                        OpenCustomerFile();
                        const int no = FileNo;
                        for (int i = 1; i <= count; ++i)
                            (void)GetRecord(no, i);
                        CloseAllFiles();
                    }),
                    0, 'f', 1);
    out << QStringLiteral("read and decode every record:     %1 ms\n")
               .arg(BestOfRunsMs([count] { ScanCustomers(count, [](qint32, const CustomerRecord &) {}); }), 0, 'f', 1);

    out << QStringLiteral("search alone (name, \"SMITH\"):     %1 ms\n")
               .arg(BestOfRunsMs([count] { (void)SearchCustomers(0, QStringLiteral("SMITH"), count); }), 0, 'f', 1);

    // Shown, so that laying out and painting the lists and the grid count too.
    auto *form = ScreenRegistry::Get<frmCustomer>();
    ScreenRegistry::Show(form);
    QCoreApplication::processEvents();
    const auto painted = [](const std::function<void()> &run) {
        return [run] {
            run();
            QCoreApplication::processEvents();
        };
    };
    out << QStringLiteral("activation (account + city list): %1 ms\n").arg(BestOfRunsMs(painted([form] { form->Form_Activate(); })), 0, 'f', 1);
    int matches = 0;
    out << QStringLiteral("criteria search on screen:        %1 ms\n")
               .arg(BestOfRunsMs(painted([form, &matches] {
                        form->Command1_Click(0);
                        form->optSearch[0]->setChecked(true);
                        form->txtSearchfor->setText(QStringLiteral("smith"));
                        form->cmdStartSearch_Click();
                        matches = form->FoundModel()->rowCount();
                    })),
                    0, 'f', 1);
    out << "  matches: " << matches << "\n";
    out << QStringLiteral("customer list (mode 10):          %1 ms\n")
               .arg(BestOfRunsMs(painted([form] { form->Command1_Click(3); })), 0, 'f', 1);
    out << "  rows: " << form->FoundModel()->rowCount() << "\n";
    out << QStringLiteral("account list dropped down:        %1 ms\n")
               .arg(BestOfRunsMs(painted([form] {
                        form->Command1_Click(1);
                        form->cboAccounts->showPopup();
                        QCoreApplication::processEvents();
                        form->cboAccounts->hidePopup();
                        form->Command1_Click(2);
                    })),
                    0, 'f', 1);
    ScreenRegistry::UnloadAll();
    return 0;
}
