// Times the proposals report with 32,767 proposal files (the most the 16-bit
// proposal numbers allow), ordinary and field proposals, a state file beside
// every other one: opening it, scrolling, refilling, and deleting marked rows
// with the refill after, each shown on screen, against the floor of merely
// listing the folder's file names (readdir). Reading every file is timed as well, for
// what opening the report cost when it read them all.
//
//   bench_report [parent folder for the data] [runs]
#include "BenchDataFiles.h"
#include "BenchPrompt.h"
#include "BenchTiming.h"
#include "common/CommonVariables.h"
#include "common/ScreenRegistry.h"
#include "records/ProposalReportModel.h"
#include "records/frmProposalReport.h"

#include <QApplication>
#include <QDir>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <dirent.h>

int main(int argc, char **argv) {
    QApplication app(argc, argv);
    const auto prompt = InstallBenchPrompt();
    const QString parent = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::tempPath();
    const int runs = argc > 2 ? QByteArray(argv[2]).toInt() : 5;
    QTemporaryDir dir(parent + QStringLiteral("/bench_report-XXXXXX"));
    AppFolder = dir.path();
    if (!MakeProposalFiles(dir.path(), MaxProposals))
        return 1;
    const QString folder = dir.filePath(QStringLiteral("TamselProposals"));

    // The floor: the folder's names, as the system lists them, and nothing more.
    int listed = 0;
    const double listFloor = BestOfRunsMs([&] {
        QStringList names;
        DIR *d = ::opendir(QFile::encodeName(folder).constData());
        while (const dirent *entry = d ? ::readdir(d) : nullptr)
            if (entry->d_type == DT_REG)
                names << QFile::decodeName(entry->d_name);
        if (d)
            ::closedir(d);
        listed = int(names.size());
    }, runs);
    qint64 bytesRead = 0;
    const double readAll = BestOfRunsMs([&] {
        bytesRead = 0;
        for (const QString &name : QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Unsorted)) {
            QFile file(folder + QLatin1Char('/') + name);
            if (file.open(QIODevice::ReadOnly))
                bytesRead += file.readAll().size();
        }
    }, runs);

    ProposalReportModel bare;
    const double fillAlone = BestOfRunsMs([&] { bare.Fill(); }, runs);
    auto *form = ScreenRegistry::Get<frmProposalReport>();
    ScreenRegistry::Show(form);
    QCoreApplication::processEvents();
    const QString size = QString::number(MaxProposals) + QStringLiteral(" proposals");
    const double open = BestOfRunsMs(Painted([form] { form->Form_Activate(); }), runs);
    const int rows = form->Model()->rowCount();
    const double scroll = BestOfRunsMs(Painted([form] {
        form->fgProposals->scrollToTop();
        QCoreApplication::processEvents();
        form->fgProposals->scrollToBottom();
    }), runs);
    const double middle = BestOfRunsMs(Painted([form, rows] {
        form->fgProposals->scrollTo(form->Model()->index(rows / 2, 0), QAbstractItemView::PositionAtCenter);
    }), runs);
    const double refill = BestOfRunsMs(Painted([form] { form->FillGrid(); }), runs);
    const int before = form->Model()->rowCount();
    const double deleteOne = BestOfRunsMs(Painted([form] {
        form->fgProposals_Click(101, ProposalReportModel::SelectColumn);
        form->cmdReport[2]->click();
    }), runs);
    const double deleteTen = BestOfRunsMs(Painted([form] {
        for (int row = 100; row < 110; ++row)
            form->fgProposals_Click(row + 1, ProposalReportModel::SelectColumn);
        form->cmdReport[2]->click();
    }), runs);
    const bool deleted = form->Model()->rowCount() == before - 11 * runs;
    // What every row of the report needs read: opening cost this when it read them all.
    const double fillAll = BestOfRunsMs([form] {
        auto *model = form->Model();
        for (int row = 0; row < model->rowCount(); ++row)
            model->RowAt(row);
    }, 1);

    BenchRow(QStringLiteral("proposals report: list the file names (floor)"), size, listFloor);
    BenchRow(QStringLiteral("proposals report: list and order the rows (Fill)"), size, fillAlone, listFloor);
    BenchRow(QStringLiteral("proposals report: open, first rows shown"), size, open, listFloor);
    BenchRow(QStringLiteral("proposals report: scroll to the top, then the end"), size, scroll, listFloor);
    BenchRow(QStringLiteral("proposals report: scroll to the middle"), size, middle, listFloor);
    BenchRow(QStringLiteral("proposals report: refill (as after a deletion)"), size, refill, listFloor);
    BenchRow(QStringLiteral("proposals report: delete 1 marked row, refill"), size, deleteOne, listFloor);
    BenchRow(QStringLiteral("proposals report: delete 10 marked rows, refill"), size, deleteTen, listFloor);
    BenchRow(QStringLiteral("proposals report: list and read every proposal file"), size, readAll, listFloor);
    BenchRow(QStringLiteral("proposals report: every row read, one by one"), size, fillAll, readAll);
    ScreenRegistry::UnloadAll();
    const bool ok = listed == MaxProposals && rows == MaxProposals && deleted && prompt->boxes == 0 && bytesRead > 0;
    if (!ok)
        QTextStream(stderr) << "bench_report: listed " << listed << ", rows " << rows << ", deleted " << deleted
                            << ", boxes " << prompt->boxes << "\n";
    return ok ? 0 : 1;
}
