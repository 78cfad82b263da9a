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
#include <algorithm>
#include <functional>

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

    const QString size = QString::number(count) + QStringLiteral(" customers");
    const double readWhole = BestOfRunsMs([] { (void)ReadWholeFile(QStringLiteral("\\CustomerData.txt")); });
    const double readRecords = BestOfRunsMs([count] {
        OpenCustomerFile();
        const int no = FileNo;
        for (int i = 1; i <= count; ++i)
            (void)GetRecord(no, i);
        CloseAllFiles();
    });
    const double decode = BestOfRunsMs([count] { ScanCustomers(count, [](qint32, const CustomerRecord &) {}); });
    const double search = BestOfRunsMs([count] { (void)SearchCustomers(0, QStringLiteral("SMITH"), count); });

    // Shown, so that laying out and painting the lists and the grid count too.
    auto *form = ScreenRegistry::Get<frmCustomer>();
    ScreenRegistry::Show(form);
    QCoreApplication::processEvents();
    const double activation = BestOfRunsMs(Painted([form] { form->Form_Activate(); }));
    int matches = 0;
    const double onScreen = BestOfRunsMs(Painted([form, &matches] {
        form->Command1_Click(0);
        form->optSearch[0]->setChecked(true);
        form->txtSearchfor->setText(QStringLiteral("smith"));
        form->cmdStartSearch_Click();
        matches = form->FoundModel()->rowCount();
    }));
    const double list = BestOfRunsMs(Painted([form] { form->Command1_Click(3); }));
    const int listed = form->FoundModel()->rowCount();
    const double dropped = BestOfRunsMs(Painted([form] {
        form->Command1_Click(1);
        form->cboAccounts->showPopup();
        QCoreApplication::processEvents();
        form->cboAccounts->hidePopup();
        form->Command1_Click(2);
    }));

    BenchRow(QStringLiteral("customers: read the file whole"), size, readWhole);
    BenchRow(QStringLiteral("customers: read every record (GetRecord)"), size, readRecords);
    BenchRow(QStringLiteral("customers: read and decode every record (floor)"), size, decode);
    BenchRow(QStringLiteral("customers: search alone (name, \"SMITH\")"), size, search, decode);
    BenchRow(QStringLiteral("customers: screen activation (account and city lists)"), size, activation, decode);
    BenchRow(QStringLiteral("customers: criteria search on screen (%1 found)").arg(matches), size, onScreen, decode);
    BenchRow(QStringLiteral("customers: full customer list (%1 rows)").arg(listed), size, list, decode);
    BenchRow(QStringLiteral("customers: account list dropped down"), size, dropped, decode);
    ScreenRegistry::UnloadAll();
    return 0;
}
