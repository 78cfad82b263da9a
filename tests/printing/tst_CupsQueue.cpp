// The print run against a real print system: a private cupsd (its own
// folder, socket and cups-pdf queue writing PDF files into the folder),
// printed to through the real printer surface. Skipped where cupsd cannot
// be started (it needs root, and a mount namespace for cups-pdf's settings).
#include "PrintFixtures.h"
#include "TestMain.h"
#include "common/CommonVariables.h"
#include "platform/CupsPrintJobs.h"
#include "printing/ProposalPrinting.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <cups/cups.h>
#include <unistd.h>

using namespace PrintFixtures;

namespace {

const QString Queue = QStringLiteral("TamselPdf");
const QString PdfPpd = QStringLiteral("/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd");

// The printer surface as the print dialog hands it out.
struct PrinterHolder {
    explicit PrinterHolder(const QString &name) { printer.setPrinterName(name); }
    QPrinter printer{QPrinter::HighResolution};
};
class CupsSurface : private PrinterHolder, public QtPrintSurface {
public:
    explicit CupsSurface(const QString &name) : PrinterHolder(name), QtPrintSurface(PrinterHolder::printer) {
        SetPrinterName(printer.outputFormat() == QPrinter::NativeFormat ? printer.printerName() : QString());
    }
};

PrintJobInfo Newest(const QList<PrintJobInfo> &jobs) {
    PrintJobInfo newest;
    for (const PrintJobInfo &job : jobs)
        if (job.id > newest.id)
            newest = job;
    return newest;
}

bool Write(const QString &path, const QByteArray &bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace

class CupsQueueTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        if (geteuid() != 0)
            QSKIP("A private cupsd needs root; run the tests as root to print through a real CUPS.");
        for (const QString &needed :
             {QStringLiteral("/usr/sbin/cupsd"), QStringLiteral("/usr/lib/cups/backend/cups-pdf"),
              QStringLiteral("/etc/cups/cups-pdf.conf"), PdfPpd})
            if (!QFile::exists(needed))
                QSKIP(qPrintable(needed + " is missing (packages cups and printer-driver-cups-pdf)."));
        QVERIFY(dir.isValid());
        const QString root = dir.path();
        for (const char *sub : {"etc", "spool", "tmp", "cache", "state", "log", "out"})
            QVERIFY(QDir(root).mkpath(sub));
        // Filters run as lp: they must reach the folder and write their scratch files.
        QFile::setPermissions(root, QFile::Permissions(0x7755));
        QVERIFY(QProcess::execute("chmod", {"1777", root + "/tmp"}) == 0);
        socket = root + "/cups.sock";
        QVERIFY(
            Write(root + "/etc/cupsd.conf", "Listen " + socket.toUtf8() +
                                                "\nLogLevel warn\nWebInterface No\nBrowsing No\n"
                                                "DefaultAuthType None\n<Location />\n  Order allow,deny\n"
                                                "  Allow all\n</Location>\n<Policy default>\n  <Limit All>\n"
                                                "    Order deny,allow\n  </Limit>\n</Policy>\n"));
        QVERIFY(Write(
            root + "/etc/cups-files.conf",
            QStringLiteral("ServerRoot %1/etc\nRequestRoot %1/spool\nTempDir %1/tmp\nCacheDir %1/cache\n"
                           "StateDir %1/state\nErrorLog %1/log/error_log\nAccessLog %1/log/access_log\n"
                           "PageLog %1/log/page_log\n")
                .arg(root)
                .toUtf8()));
        // cups-pdf reads its settings from a fixed place: they are laid over it
        // for cupsd alone, in a mount namespace of its own.
        QVERIFY(Write(root + "/cups-pdf.conf", "Out " + (root + "/out").toUtf8() + "\nAnonDirName " +
                                                   (root + "/out").toUtf8() + "\nUserUMask 0022\n"));
        cupsd.setProgram("unshare");
        cupsd.setArguments(
            {"--mount", "--propagation", "private", "sh", "-c",
             "mount --bind \"$0\" /etc/cups/cups-pdf.conf && exec /usr/sbin/cupsd -f -c \"$1\" -s \"$2\"",
             root + "/cups-pdf.conf", root + "/etc/cupsd.conf", root + "/etc/cups-files.conf"});
        cupsd.setProcessChannelMode(QProcess::MergedChannels);
        cupsd.start();
        if (!cupsd.waitForStarted())
            QSKIP("unshare could not be started: no private cupsd.");
        QElapsedTimer waited;
        waited.start();
        while (!Answers() && cupsd.state() == QProcess::Running && waited.elapsed() < 20000)
            QTest::qWait(50);
        if (!Answers())
            QSKIP(qPrintable("The private cupsd did not start: " + QString::fromLocal8Bit(cupsd.readAll())));
        QVERIFY2(Admin("lpadmin", {"-p", Queue, "-E", "-v", "cups-pdf:/", "-P", PdfPpd}),
                 qPrintable(adminOutput));
        qputenv("CUPS_SERVER", socket.toUtf8());
        cupsSetServer(socket.toUtf8().constData());
        started = true;
    }
    void cleanupTestCase() {
        cupsSetServer(nullptr);
        qunsetenv("CUPS_SERVER");
        if (cupsd.state() != QProcess::NotRunning) {
            cupsd.terminate();
            if (!cupsd.waitForFinished(10000))
                cupsd.kill();
            cupsd.waitForFinished();
        }
    }
    void init() {
        folder = std::make_unique<TestFolder>();
        SetPrintJobs(std::make_shared<CupsPrintJobs>());
        cupsSetServer(socket.toUtf8().constData());
        QVERIFY(Admin("cupsaccept", {Queue}));
        QVERIFY(Admin("cupsenable", {Queue}));
        for (const QString &name : QDir(dir.filePath("out")).entryList(QDir::Files))
            QVERIFY(QFile::remove(dir.filePath("out/" + name)));
    }
    void cleanup() {
        SetPrintJobs(nullptr);
        QVERIFY2(folder->prompt->unexpected.isEmpty(), qPrintable(folder->prompt->unexpected.join(" | ")));
        folder.reset();
    }

    void printsThroughCups_data() {
        QTest::addColumn<QString>("queue"); // what is done to the queue first
        QTest::addColumn<QString>("answers");
        QTest::addColumn<int>("outcome");
        QTest::addColumn<QStringList>("titles");
        QTest::addColumn<QString>("told");
        QTest::newRow("accepted: the PDF comes out")
            << "" << "Yes" << int(PrintConfirmation::Confirmed) << QStringList{"Print Confirmation"} << "";
        QTest::newRow("paused: told, then the discarded job is cancelled")
            << "cupsdisable" << "Ok,No,No" << int(PrintConfirmation::Declined)
            << QStringList{"Print Job Waiting", "Print Confirmation", "Print Retry"} << "is paused";
    }
    void printsThroughCups() {
        if (!started)
            QSKIP("No private cupsd.");
        QFETCH(QString, queue);
        QFETCH(QString, answers);
        QFETCH(int, outcome);
        QFETCH(QStringList, titles);
        QFETCH(QString, told);
        BusinessData = Settings().business;
        NumCopies = 1;
        WriteBody(*folder, 3);
        DialogsInstalled installed;
        auto surface = std::make_shared<CupsSurface>(Queue);
        QCOMPARE(surface->PrinterName(), Queue);
        installed.dialogs->AnswerPrinter(surface);
        CupsPrintJobs cups;
        const int jobsBefore = int(cups.Jobs(Queue).value().size());
        if (!queue.isEmpty())
            QVERIFY(Admin(queue, {Queue}));
        for (const QString &answer : answers.split(','))
            folder->prompt->Answer(answer == "Yes"  ? MsgAnswer::Yes
                                   : answer == "No" ? MsgAnswer::No
                                                    : MsgAnswer::Ok);

        QCOMPARE(int(PrintAndConfirm(Document())), outcome);
        QStringList shown;
        for (const auto &box : folder->prompt->shown)
            shown << box.title;
        QCOMPARE(shown, titles);
        QVERIFY2(folder->prompt->Texts().first().contains(told), qPrintable(folder->prompt->Texts().first()));
        const QList<PrintJobInfo> jobs = cups.Jobs(Queue).value();
        QCOMPARE(int(jobs.size()), jobsBefore + 1);
        if (queue == "cupsdisable") {
            QCOMPARE(Newest(jobs).title, QStringLiteral("Proposal 1001 - Ann Baker"));
            QCOMPARE(Newest(jobs).state, PrintJobState::Canceled);
            // Resumed, the queue prints a later job; the cancelled one never comes out.
            QVERIFY(Admin("cupsenable", {Queue}));
            QVERIFY(Write(dir.filePath("later.txt"), "A later job\n"));
            QVERIFY(Admin("lp", {"-d", Queue, "-t", "Later", dir.filePath("later.txt")}));
        }
        QTRY_COMPARE_WITH_TIMEOUT(Newest(cups.Jobs(Queue).value()).state, PrintJobState::Completed, 30000);
        const QStringList out = QDir(dir.filePath("out")).entryList(QDir::Files);
        QCOMPARE(int(out.size()), 1);
        QFile pdf(dir.filePath("out/" + out.first()));
        QVERIFY(pdf.open(QIODevice::ReadOnly));
        QVERIFY(pdf.read(4) == "%PDF");
        QCOMPARE(out.first().contains("Later"), queue == "cupsdisable");
    }

private:
    bool Answers() { return QFile::exists(socket) && Admin("lpstat", {"-r"}); }
    bool Admin(const QString &tool, QStringList arguments) {
        QProcess run;
        run.setProcessChannelMode(QProcess::MergedChannels);
        arguments.prepend(socket);
        arguments.prepend("-h");
        run.start(tool, arguments);
        const bool ok =
            run.waitForFinished(20000) && run.exitStatus() == QProcess::NormalExit && run.exitCode() == 0;
        adminOutput = QString::fromLocal8Bit(run.readAll());
        return ok;
    }

    QTemporaryDir dir{QStringLiteral("/tmp/tamsel-cups-XXXXXX")};
    QProcess cupsd;
    QString socket;
    QString adminOutput;
    bool started = false;
    std::unique_ptr<TestFolder> folder;
};

TAMSEL_TEST(CupsQueueTest)
#include "tst_CupsQueue.moc"
