// Times filling the proposals report with 32,767 proposal files (the most
// the 16-bit proposal numbers allow), ordinary and field proposals, a state
// file beside every other one, against the floor of merely listing and
// reading those files.
#include "BenchTiming.h"
#include "common/CommonVariables.h"
#include "records/ProposalReportModel.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>
#include <algorithm>
#include <functional>

namespace {

bool Write(const QString &path, const QByteArray &bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QByteArray ProposalBytes(int n) {
    if (n % 5 == 0)
        return "\"FP" + QByteArray::number(n) + "\",0,#2026-12-05#\r\n\"A-" + QByteArray::number(n) +
               "\"\r\n\"Harbor Lane Roofing\"\r\n\"5 Elm St\"\r\n\"\"\r\n\"Salem\"\r\n\"OR\"\r\n\"97301\"\r\n"
               "\"(503) 555-0199\"\r\n";
    QByteArray bytes = "\"" + QByteArray::number(n) + "\",1250.5,#2026-11-02#\r\n\"(217) 555-0100 \"\r\n";
    for (int i = 0; i < 14; ++i)
        bytes += "\"Line " + QByteArray::number(i) + " of proposal " + QByteArray::number(n) + "\"\r\n";
    return bytes;
}

} // namespace

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    const QString parent = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::tempPath();
    const int runs = argc > 2 ? QByteArray(argv[2]).toInt() : 3;
    QTemporaryDir dir(parent + QStringLiteral("/bench_report-XXXXXX"));
    AppFolder = dir.path();
    const QString folder = dir.filePath(QStringLiteral("TamselProposals"));
    QDir().mkpath(folder + QStringLiteral("/ProposalBody"));
    QDir().mkpath(folder + QStringLiteral("/ProposalPayments"));
    QDir().mkpath(folder + QStringLiteral("/ProposalState"));
    const int count = 32767;
    for (int n = 1; n <= count; ++n) {
        if (!Write(folder + QStringLiteral("/%1.txt").arg(n), ProposalBytes(n)))
            return 1;
        if (n % 2 == 0 &&
            !Write(folder + QStringLiteral("/ProposalState/%1.txt").arg(n), "\"30\",\"open\",1,#TRUE#,8,#TRUE#\r\n"))
            return 1;
    }

    qint64 bytesRead = 0;
    const double floor = BestOfRunsMs([&] {
        bytesRead = 0;
        const QStringList names = QDir(folder).entryList({QStringLiteral("*.txt")}, QDir::Files);
        for (const QString &name : names) {
            QFile file(folder + QLatin1Char('/') + name);
            if (file.open(QIODevice::ReadOnly))
                bytesRead += file.readAll().size();
        }
    }, runs);
    ProposalReportModel model;
    int rows = 0;
    const double fill = BestOfRunsMs([&] { rows = model.Fill(); }, runs);

    QTextStream out(stdout);
    out << "proposal files: " << rows << " (" << bytesRead << " bytes)\n"
        << "list and read the files: " << floor << " ms\n"
        << "fill the report: " << fill << " ms (" << fill / floor << " x)\n";
    return rows == count ? 0 : 1;
}
