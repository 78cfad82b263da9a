// Each save path runs in a child process that is killed (SIGKILL) right after
// each change it makes to the data folder in turn: every write, sync, rename,
// link and remove. Whatever point it dies at, every file must be its old or
// its new version, the next start must take no temporary file for data, and
// files that belong together must be all old or all new once the next start
// has put right what it can.
#include "TestMain.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QMap>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>
#include <optional>

namespace {

using Snapshot = QMap<QString, QByteArray>;

Snapshot Take(const QString &folder) {
    Snapshot files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        QFile file(path);
        file.open(QIODevice::ReadOnly);
        files.insert(QDir(folder).relativeFilePath(path), file.readAll());
    }
    return files;
}

bool CopyFolder(const QString &from, const QString &to) {
    if (!QDir().mkpath(to))
        return false;
    for (const QFileInfo &entry : QDir(from).entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot)) {
        const QString target = to + QLatin1Char('/') + entry.fileName();
        if (entry.isDir() ? !CopyFolder(entry.filePath(), target) : !QFile::copy(entry.filePath(), target))
            return false;
    }
    return true;
}

QString Tool(const QString &name) { return QCoreApplication::applicationDirPath() + QLatin1Char('/') + name; }

struct Run {
    bool killed = false;
    int exitCode = -1;
    QByteArray output;
};

// The driver, preloaded with the counting library when killAt is given
// (0: count only, into trace).
Run Driver(const QStringList &args, const QString &folder, std::optional<int> killAt = {},
           const QString &trace = {}) {
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    // In the sanitizer build the counting library comes before the sanitizer's
    // runtime, and the driver's own leaks at exit are not the program's.
    env.insert(QStringLiteral("ASAN_OPTIONS"), env.value(QStringLiteral("ASAN_OPTIONS")) +
                                                   QStringLiteral(":verify_asan_link_order=0:detect_leaks=0"));
    if (killAt) {
        env.insert(QStringLiteral("LD_PRELOAD"), Tool(QStringLiteral("libtamsel_kill_at_change.so")));
        env.insert(QStringLiteral("TAMSEL_CRASH_FOLDER"), QDir(folder).canonicalPath());
        env.insert(QStringLiteral("TAMSEL_CRASH_KILL_AT"), QString::number(*killAt));
        if (!trace.isEmpty())
            env.insert(QStringLiteral("TAMSEL_CRASH_TRACE"), trace);
    }
    process.setProcessEnvironment(env);
    process.start(Tool(QStringLiteral("crash_driver")), args + QStringList{folder});
    process.waitForFinished(30000);
    return {process.exitStatus() == QProcess::CrashExit, process.exitCode(), process.readAllStandardOutput()};
}

QString Shown(const std::optional<QByteArray> &bytes) {
    return bytes ? QString::number(bytes->size()) + QStringLiteral(" bytes") : QStringLiteral("missing");
}

std::optional<QByteArray> In(const Snapshot &files, const QString &name) {
    return files.contains(name) ? std::optional(files[name]) : std::nullopt;
}

// Files of the old or the new folder that are neither their old nor their new version.
QStringList Mixed(const Snapshot &now, const Snapshot &before, const Snapshot &after) {
    QStringList names = before.keys() + after.keys();
    names.removeDuplicates();
    QStringList mixed;
    for (const QString &name : names) {
        const auto is = In(now, name);
        if (is != In(before, name) && is != In(after, name))
            mixed << name + QStringLiteral(" (") + Shown(is) + QLatin1Char(')');
    }
    return mixed;
}

} // namespace

class tst_CrashPoints : public QObject {
    Q_OBJECT
private slots:
    void everyKillPoint_data();
    void everyKillPoint();
};

void tst_CrashPoints::everyKillPoint_data() {
    QTest::addColumn<QStringList>("together"); // files that must end all old or all new
    QTest::addColumn<QString>("knownFault");   // why the row fails on today's code, if it does
    const QStringList customer = {"CustomerData.txt", "ContractInfo.txt", "CycleInfo.txt"};
    QTest::newRow("settings") << QStringList{} << QString();
    QTest::newRow("counter") << QStringList{} << QString();
    QTest::newRow("customer") << customer << QString();
    QTest::newRow("new customer") << customer << QString();
    QTest::newRow("delete customer") << customer << QString();
    QTest::newRow("aux boxes and headings") << QStringList{} << QString();
    QTest::newRow("proposal record")
        << QStringList{"TamselProposals/1002.txt", "TamselProposals/ProposalBody/1002.txt",
                       "TamselProposals/ProposalPayments/1002.txt", "TamselProposals/ProposalState/1002.txt"}
        << QString();
    QTest::newRow("field proposal") << QStringList{} << QString();
    QTest::newRow("price quote") << QStringList{} << QString();
    QTest::newRow("proposal state") << QStringList{} << QString();
    QTest::newRow("report deletes marked")
        << QStringList{"TamselProposals/1001.txt", "TamselProposals/ProposalBody/1001.txt",
                       "TamselProposals/ProposalPayments/1001.txt", "TamselProposals/ProposalState/1001.txt"}
        << QString();
    QTest::newRow("template save") << QStringList{} << QString();
    QTest::newRow("template delete") << QStringList{} << QString();
    QTest::newRow("terms and disclaimer") << QStringList{} << QString();
    QTest::newRow("speed dial") << QStringList{} << QString();
    QTest::newRow("inventory append") << QStringList{} << QString();
    QTest::newRow("exit backup") << QStringList{} << QString();
    QTest::newRow("restore from backup") << QStringList{} << QString();
}

void tst_CrashPoints::everyKillPoint() {
    QFETCH(QStringList, together);
    QFETCH(QString, knownFault);
    if (!QFile::exists(Tool(QStringLiteral("crash_driver"))))
        QSKIP("crash_driver is not built beside this test");
    const QString path = QString::fromLatin1(QTest::currentDataTag());
    QTemporaryDir dir;
    const QString oldFolder = dir.filePath(QStringLiteral("old")), newFolder = dir.filePath(QStringLiteral("new"));
    QVERIFY(QDir().mkpath(oldFolder));
    QCOMPARE(Driver({path, QStringLiteral("prepare")}, oldFolder).exitCode, 0);
    QVERIFY(CopyFolder(oldFolder, newFolder));
    const QString trace = dir.filePath(QStringLiteral("trace"));
    QCOMPARE(Driver({path, QStringLiteral("save")}, newFolder, 0, trace).exitCode, 0);
    const Snapshot oldFiles = Take(oldFolder), newFiles = Take(newFolder);
    QVERIFY2(oldFiles != newFiles, "the save changes nothing");
    QFile traced(trace);
    QVERIFY(traced.open(QIODevice::ReadOnly));
    const int points = traced.readAll().count('\n');
    QVERIFY2(points > 0, "no change was counted");

    QStringList faults;
    QList<Snapshot> started; // the next start depends on nothing but the folder
    int leftovers = 0;       // points after which a temporary file outlives the next start
    for (int k = 1; k <= points; ++k) {
        const QString work = dir.filePath(QString::number(k));
        QVERIFY(CopyFolder(oldFolder, work));
        if (!Driver({path, QStringLiteral("save")}, work, k).killed) {
            faults << QStringLiteral("point %1: not reached").arg(k);
            continue;
        }
        const Snapshot killed = Take(work);
        for (const QString &name : Mixed(killed, oldFiles, newFiles))
            faults << QStringLiteral("point %1, killed: %2").arg(k).arg(name);
        if (started.contains(killed))
            continue;
        started << killed;
        const Run start = Driver({QStringLiteral("start")}, work);
        if (start.exitCode != 0)
            faults << QStringLiteral("point %1: the next start failed").arg(k);
        for (const QString &listed : QString::fromUtf8(start.output).split(QLatin1Char('\n'), Qt::SkipEmptyParts))
            if (!oldFiles.contains(listed) && !newFiles.contains(listed))
                faults << QStringLiteral("point %1: the next start lists %2").arg(k).arg(listed);
        const Snapshot after = Take(work);
        leftovers += std::any_of(after.keyBegin(), after.keyEnd(), [&](const QString &name) {
            return !oldFiles.contains(name) && !newFiles.contains(name);
        });
        for (const QString &name : Mixed(after, oldFiles, newFiles))
            faults << QStringLiteral("point %1, started: %2").arg(k).arg(name);
        const auto all = [&](const Snapshot &files) {
            return std::all_of(together.begin(), together.end(),
                               [&](const QString &name) { return In(after, name) == In(files, name); });
        };
        if (!together.isEmpty() && !all(oldFiles) && !all(newFiles))
            faults << QStringLiteral("point %1: %2 are neither all old nor all new").arg(k).arg(together.join(", "));
        QDir(work).removeRecursively();
    }
    qInfo("%s: %d kill points, %d faults, %d leave a temporary file", qPrintable(path), points, int(faults.size()),
          leftovers);
    if (!knownFault.isEmpty())
        QEXPECT_FAIL(QTest::currentDataTag(), qPrintable(knownFault), Abort);
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
}

TAMSEL_TEST(tst_CrashPoints)
#include "tst_CrashPoints.moc"
