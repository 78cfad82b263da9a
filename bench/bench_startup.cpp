// Times start-up on a customer file of 32,767 records (the most the format
// holds) copied into a data folder without \AuxFiles: the first start, which
// makes 32,767 x 7 folders, and a later one, which finds them all. Beside it,
// as floors, a plain mkdir loop and a plain stat loop over the same folders.
//
//   bench_startup [customers] [parent folder for the data folders] [rounds, 2]
//
// On a disk, how long a mkdir takes drifts with what the disk did just before
// (removing the last round's folders, other programs) and over minutes; a
// parent folder on tmpfs such as /dev/shm gives the steadiest ratios.

#include "BenchCustomerFile.h"
#include "BenchPrompt.h"
#include "BenchTiming.h"
#include "app/DataFolders.h"
#include "app/SingleInstance.h"
#include "app/Startup.h"
#include "common/CommonRoutines.h"
#include "common/CommonVariables.h"
#include "common/ScreenRegistry.h"
#include "customers/AccountFolders.h"
#include "customers/CustomerRecords.h"
#include "platform/UserPrompt.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QStorageInfo>
#include <QTemporaryDir>
#include <QTextStream>
#include <sys/stat.h>
#include <unistd.h>
#include <algorithm>
#include <functional>
#include <vector>

namespace {

// Written through to the disk before any timing starts: the floors write no
// file, and 10 MB still being written back would slow the timed mkdirs.
bool WriteFile(const QString &path, const QByteArray &bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.flush() &&
           ::fsync(file.handle()) == 0;
}

double Milliseconds(const QElapsedTimer &timer) { return timer.nsecsElapsed() / 1e6; }

// \AuxFiles/<account>/AuxFile<k> under a data folder, parents first, as the
// start makes them.
std::vector<QByteArray> AccountFolders(const QString &dataFolder, int count) {
    const QByteArray aux = QFile::encodeName(dataFolder) + "/AuxFiles";
    std::vector<QByteArray> paths;
    paths.reserve(size_t(count) * 7);
    for (int i = 1; i <= count; ++i) {
        const QByteArray account = aux + '/' + QByteArray::number(100000 + i);
        paths.push_back(account);
        for (int k = 0; k <= 5; ++k)
            paths.push_back(account + "/AuxFile" + QByteArray::number(k));
    }
    return paths;
}

// Removing the folders by name is much quicker than a recursive removal that
// lists every folder first; what is left goes with the temporary folder.
void RemoveAccountFolders(const QString &dataFolder, int count) {
    const std::vector<QByteArray> paths = AccountFolders(dataFolder, count);
    for (auto path = paths.rbegin(); path != paths.rend(); ++path)
        ::rmdir(path->constData());
}

// Ends a start as a test would: screens gone, the single-copy lock released.
void CloseStart() {
    ScreenRegistry::UnloadAll();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
    ReleaseInstanceLock();
}

} // namespace

int main(int argc, char **argv) {
    QApplication app(argc, argv);
    const int count = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : MaxCustomers;
    const QString parent = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QDir::tempPath();
    const int rounds = argc > 3 ? QString::fromLocal8Bit(argv[3]).toInt() : 2;
    if (count < 1 || count > MaxCustomers || rounds < 1)
        return 2;
    auto prompt = std::make_shared<BenchPrompt>();
    SetPrompt(prompt);
    SetExitHandlers([] { ScreenRegistry::UnloadAll(); }, [] {});

    const qint64 folders = qint64(count) * 7;
    const QByteArray customers = CustomerFile(count);

    // How long a mkdir takes on a disk drifts by the minute (on this machine
    // it doubled and tripled over one run), so a first start is set against
    // the mkdir loop timed just before it and just after it, the mean of the
    // two; the middle ratio of the rounds is reported. The rest is the best
    // of the rounds. Every time goes to the log, to show the drift.
    double statFloorMs = 0, laterStartMs = 0, laterCheckMs = 0, newAccountMs = 0, missingNameMs = 0;
    std::vector<double> mkdirRuns, firstStarts, firstChecks; // in the order timed
    std::vector<size_t> startAfter, checkAfter;             // the mkdir run before each
    const auto keep = [](const char *what, double &best, const QElapsedTimer &timer) {
        const double ms = Milliseconds(timer);
        best = best == 0 ? ms : std::min(best, ms);
        QTextStream(stderr) << what << ": " << ms << " ms\n";
    };
    const auto add = [](const char *what, std::vector<double> &runs, const QElapsedTimer &timer) {
        runs.push_back(Milliseconds(timer));
        QTextStream(stderr) << what << ": " << runs.back() << " ms\n";
    };
    // A data folder as copied from another machine: the customers and the
    // proposal counter. (Without a counter the start writes one safely, and
    // that write waits until the disk holds every folder made before it.)
    const auto WriteDataFolder = [&](const QTemporaryDir &dir) {
        return WriteFile(dir.filePath(QStringLiteral("CustomerData.txt")), customers) &&
               WriteFile(dir.filePath(QStringLiteral("TProposalCounter.txt")), "1001\r\n");
    };
    // The floors: the same folders made by a plain mkdir loop, and looked at
    // by a plain stat loop (names built beforehand).
    const auto floors = [&] {
        QTemporaryDir dir(parent + QStringLiteral("/bench-mkdir-XXXXXX"));
        const QByteArray aux = QFile::encodeName(dir.path()) + "/AuxFiles";
        const std::vector<QByteArray> paths = AccountFolders(dir.path(), count);
        QElapsedTimer timer;
        timer.start();
        bool ok = ::mkdir(aux.constData(), 0777) == 0;
        for (const QByteArray &path : paths)
            ok = ::mkdir(path.constData(), 0777) == 0 && ok;
        add("mkdir loop", mkdirRuns, timer);
        timer.start();
        struct stat info;
        for (const QByteArray &path : paths)
            ok = ::stat(path.constData(), &info) == 0 && S_ISDIR(info.st_mode) && ok;
        keep("stat loop", statFloorMs, timer);
        RemoveAccountFolders(dir.path(), count);
        return ok;
    };
    // The whole start-up to the splash, first and later start.
    const auto startUps = [&] {
        QTemporaryDir dir(parent + QStringLiteral("/bench-start-XXXXXX"));
        if (!WriteDataFolder(dir))
            return false;
        QElapsedTimer timer;
        timer.start();
        const bool first = StartUp(dir.path());
        add("first start", firstStarts, timer);
        startAfter.push_back(mkdirRuns.size() - 1);
        CloseStart();
        timer.start();
        const bool later = StartUp(dir.path());
        keep("later start", laterStartMs, timer);
        CloseStart();
        const QString last = QStringLiteral("AuxFiles/%1/AuxFile5").arg(100000 + count);
        const bool made = QFileInfo(dir.filePath(last)).isDir();
        RemoveAccountFolders(dir.path(), count);
        return first && later && made;
    };
    // The folder check alone, and one account looked up by name as the
    // customer screen does when it saves a new customer.
    const auto checks = [&] {
        QTemporaryDir dir(parent + QStringLiteral("/bench-check-XXXXXX"));
        AppFolder = dir.path();
        if (!WriteDataFolder(dir))
            return false;
        QElapsedTimer timer;
        timer.start();
        const bool first = CreateDataFolders();
        add("first check", firstChecks, timer);
        checkAfter.push_back(mkdirRuns.size() - 1);
        timer.start();
        const bool later = CreateDataFolders();
        keep("later check", laterCheckMs, timer);
        timer.start();
        const QString missing = DataPath(QStringLiteral("\\AuxFiles\\NoSuchAccount"));
        keep("missing name", missingNameMs, timer);
        timer.start();
        const bool added = EnsureAccountFolders(QStringLiteral("NewAccount"));
        keep("new account", newAccountMs, timer);
        RemoveAccountFolders(dir.path(), count);
        return first && later && added && !missing.isEmpty();
    };
    // Floors, start, floors, check, floors, start, ...; each part starts
    // with the disk settled: removing the last part's folders slows the
    // next one down.
    const std::function<bool()> parts[] = {startUps, floors, checks, floors};
    ::sync();
    if (!floors())
        return 1;
    for (int round = 0; round < rounds; ++round) {
        for (const auto &part : parts) {
            ::sync();
            if (!part())
                return 1;
        }
    }
    // The round with the middle ratio (of two, the higher): its time, its
    // floor and their ratio.
    struct Paired {
        double ms, floorMs;
    };
    const auto middle = [&](const std::vector<double> &runs, const std::vector<size_t> &after) {
        std::vector<Paired> paired;
        for (size_t i = 0; i < runs.size(); ++i)
            paired.push_back({runs[i], (mkdirRuns[after[i]] + mkdirRuns[after[i] + 1]) / 2});
        std::sort(paired.begin(), paired.end(),
                  [](const Paired &a, const Paired &b) { return a.ms / a.floorMs < b.ms / b.floorMs; });
        return paired[paired.size() / 2];
    };
    const Paired firstStart = middle(firstStarts, startAfter);
    const Paired firstCheck = middle(firstChecks, checkAfter);

    const QString size = QStringLiteral("%1 customers, %2 folders, %3")
                             .arg(count)
                             .arg(folders)
                             .arg(QString::fromLatin1(QStorageInfo(parent).fileSystemType()));
    BenchRow(QStringLiteral("start-up: mkdir loop (floor of a first start; best run)"), size,
             *std::min_element(mkdirRuns.begin(), mkdirRuns.end()));
    BenchRow(QStringLiteral("start-up: first start to the splash (middle round)"), size, firstStart.ms,
             firstStart.floorMs);
    BenchRow(QStringLiteral("start-up: first folder check, CreateDataFolders (middle round)"), size, firstCheck.ms,
             firstCheck.floorMs);
    BenchRow(QStringLiteral("start-up: stat loop (floor of a later start)"), size, statFloorMs);
    BenchRow(QStringLiteral("start-up: later start to the splash"), size, laterStartMs, statFloorMs);
    BenchRow(QStringLiteral("start-up: later folder check"), size, laterCheckMs, statFloorMs);
    BenchRow(QStringLiteral("start-up: one missing name in \\AuxFiles (DataPath)"), size, missingNameMs);
    BenchRow(QStringLiteral("start-up: one new account's folders"), size, newAccountMs);
    return prompt->boxes == 0 ? 0 : 1;
}
