// The print run: a print that cannot be done reported without a crash or a
// changed file, the print dialog, the job followed through the print system,
// and the page settings as loaded.
#include "FakePrintJobs.h"
#include "PrintFixtures.h"
#include "TestMain.h"
#include "common/CommonVariables.h"
#include "printing/PageSettingsUi.h"
#include "printing/ProposalPrintRoutines.h"
#include "printing/ProposalPrintRun.h"
#include "printing/ProposalPrinting.h"
#include "settings/BusinessFiles.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QTest>

using namespace PrintFixtures;

namespace {
QByteArray PngBytes(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::darkGreen);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

// The shared settings as the setup screen leaves them, and its files.
void LoadedSettings() {
    BusinessData = Settings().business;
    PrintInColor = true;
    NumCopies = 3;
    PrintColorSettings colors;
    colors.fontName = QStringLiteral("Courier New");
    QVERIFY(WritePrintColorsFile(colors));
}
} // namespace

class PrintRunTest : public QObject {
    Q_OBJECT
private slots:
    void init() { folder = std::make_unique<TestFolder>(); }
    void cleanup() {
        QVERIFY2(folder->prompt->unexpected.isEmpty(), qPrintable(folder->prompt->unexpected.join(" | ")));
        folder.reset();
    }

    void failedPrintsChangeNoFile_data() {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<int>("pagesStarted");
        QTest::newRow("body file missing") << "missing body" << 0;
        QTest::newRow("body file unreadable") << "unreadable body" << 0;
        QTest::newRow("logo unreadable") << "unreadable logo" << 0;
        QTest::newRow("printer fails on the second page") << "refused from 2" << 1;
    }
    void failedPrintsChangeNoFile() {
        QFETCH(QString, fault);
        QFETCH(int, pagesStarted);
        const QString body = QStringLiteral("TamselProposals/ProposalBody/1001.txt");
        PageSettings settings = Settings();
        if (fault == QLatin1String("unreadable body"))
            QVERIFY(QDir(folder->path()).mkpath(body));
        else if (fault != QLatin1String("missing body"))
            WriteBody(*folder, BodyLines(4));
        settings.logoUnreadable = fault == QLatin1String("unreadable logo");
        RecordingPrintSurface surface;
        if (fault.startsWith(QLatin1String("refused from ")))
            surface.RefusePagesFrom(fault.right(1).toInt());
        const bool hadBody = QFileInfo(folder->file(body)).isFile();
        const QByteArray before = hadBody ? folder->read(body) : QByteArray();

        QVERIFY(!PrintProposal(surface, Document(), settings));
        QCOMPARE(surface.PagesStarted(), pagesStarted);
        if (hadBody)
            QCOMPARE(folder->read(body), before);
        // The surface prints the next job once the fault is gone, set up afresh.
        surface.RefusePagesFrom(0);
        settings.logoUnreadable = false;
        if (!hadBody) {
            QDir(folder->file(body)).removeRecursively();
            WriteBody(*folder, BodyLines(4));
        }
        surface.Clear();
        surface.SetOrientation(PrintOrientation::Landscape);
        settings.copies = 1;
        settings.colorMode = false;
        QVERIFY(PrintProposal(surface, Document(), settings));
        QCOMPARE(surface.PagesStarted(), 1);
        QCOMPARE(surface.Orientation(), PrintOrientation::Portrait);
        QVERIFY(!surface.ColorMode());
    }
    void throughThePrintDialog_data() {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<int>("outcome");
        QTest::newRow("printed") << QString() << int(PrintOutcome::Printed);
        QTest::newRow("dialog cancelled") << "cancel" << int(PrintOutcome::Cancelled);
        QTest::newRow("logo file no picture") << "bad logo" << int(PrintOutcome::Failed);
        QTest::newRow("printer cannot start") << "refused" << int(PrintOutcome::Failed);
        QTest::newRow("document not finished whole") << "unfinished" << int(PrintOutcome::Failed);
    }
    void throughThePrintDialog() {
        QFETCH(QString, fault);
        QFETCH(int, outcome);
        LoadedSettings();
        DialogsInstalled installed;
        auto surface = std::make_shared<RecordingPrintSurface>();
        installed.dialogs->AnswerPrinter(fault == QLatin1String("cancel") ? nullptr : surface);
        WriteBody(*folder, BodyLines(3));
        if (fault == QLatin1String("bad logo")) {
            folder->write("Logo.png", "not a picture at all");
            QVERIFY(WriteLogoPathFile(folder->file("Logo.png")));
        }
        if (fault == QLatin1String("refused"))
            surface->RefusePagesFrom(1);
        surface->RefuseToFinish(fault == QLatin1String("unfinished"));

        QCOMPARE(int(PrintProposalWithDialog(Document())), outcome);
        QVERIFY(installed.dialogs->ScriptUsed());
        QCOMPARE(surface->PagesStarted(),
                 outcome == int(PrintOutcome::Printed) || fault == QLatin1String("unfinished") ? 3 : 0);
        if (outcome == int(PrintOutcome::Printed))
            QCOMPARE(TextOps(*surface, QStringLiteral("Proposal")).first().font.name,
                     QStringLiteral("Courier New"));
    }
    // A printer's job is followed through the print system: refused or
    // unreachable is a print error, a waiting job is told before the
    // question, and a print not confirmed is taken back from the queue.
    void followsTheJob_data() {
        QTest::addColumn<QString>("situation");
        QTest::addColumn<QString>("answers");
        QTest::addColumn<int>("outcome");
        QTest::addColumn<QString>("titles");
        QTest::addColumn<QString>("told");
        QTest::addColumn<int>("pages");
        QTest::addColumn<QList<int>>("cancelled");
        const int confirmed = int(PrintConfirmation::Confirmed), declined = int(PrintConfirmation::Declined),
                  notPrinted = int(PrintConfirmation::NotPrinted);
        QTest::newRow("taken and confirmed")
            << "" << "Yes" << confirmed << "Print Confirmation" << "" << 3 << QList<int>{};
        QTest::newRow("to a file: no queue asked")
            << "file unreachable" << "Yes" << confirmed << "Print Confirmation" << "" << 3 << QList<int>{};
        QTest::newRow("print system unreachable")
            << "unreachable" << "Ok" << notPrinted << "Print Error" << "cannot be reached" << 0 << QList<int>{};
        QTest::newRow("printer unknown")
            << "unknown" << "Ok" << notPrinted << "Print Error" << "\"Office\" is not known" << 3 << QList<int>{};
        QTest::newRow("printer rejecting jobs") << "rejecting" << "Ok" << notPrinted << "Print Error"
                                                << "not accepting jobs (Rejecting Jobs)" << 0 << QList<int>{};
        QTest::newRow("job refused")
            << "refused" << "Ok" << notPrinted << "Print Error" << "did not take the job" << 3 << QList<int>{};
        QTest::newRow("job aborted")
            << "aborted" << "Ok" << notPrinted << "Print Error" << "stopped the job" << 3 << QList<int>{};
        QTest::newRow("paused, discarded, cancel refused: told it may still print")
            << "paused, cancel fails" << "Ok,No,Ok,No" << declined
            << "Print Job Waiting|Print Confirmation|Print Job|Print Retry" << "is paused" << 3 << QList<int>{10};
        QTest::newRow("job held, confirmed: job kept")
            << "held" << "Ok,Yes" << confirmed << "Print Job Waiting|Print Confirmation" << "is held" << 3
            << QList<int>{};
        QTest::newRow("paused, reprinted: the first job cancelled")
            << "paused twice" << "Ok,No,Yes,Ok,Yes" << confirmed
            << "Print Job Waiting|Print Confirmation|Print Retry|Print Job Waiting|Print Confirmation"
            << "is paused" << 6 << QList<int>{10};
        QTest::newRow("printed but not correctly, discarded: nothing left to cancel")
            << "completes" << "No,No" << declined << "Print Confirmation|Print Retry" << "" << 3 << QList<int>{};
    }
    void followsTheJob() {
        QFETCH(QString, situation);
        QFETCH(QString, answers);
        QFETCH(int, outcome);
        QFETCH(QString, titles);
        QFETCH(QString, told);
        QFETCH(int, pages);
        QFETCH(QList<int>, cancelled);
        LoadedSettings();
        WriteBody(*folder, BodyLines(3));
        DialogsInstalled installed;
        auto queue = std::make_shared<FakePrintJobs>();
        SetPrintJobs(queue);
        const QString printer = situation.startsWith(QLatin1String("file")) ? QString() : QStringLiteral("Office");
        auto surface = std::make_shared<QueuedPrintSurface>(*queue, printer);
        installed.dialogs->AnswerPrinter(surface);
        if (situation == QLatin1String("paused twice"))
            installed.dialogs->AnswerPrinter(surface);
        queue->reachable = !situation.endsWith(QLatin1String("unreachable"));
        queue->queue.known = situation != QLatin1String("unknown");
        if (situation == QLatin1String("rejecting")) {
            queue->queue.accepting = false;
            queue->queue.message = QStringLiteral("Rejecting Jobs");
        }
        queue->queue.stopped = situation.startsWith(QLatin1String("paused"));
        queue->cancelWorks = !situation.endsWith(QLatin1String("cancel fails"));
        const QHash<QString, std::optional<PrintJobState>> takenAs = {
            {"refused", std::nullopt},
            {"aborted", PrintJobState::Aborted},
            {"held", PrintJobState::Held},
            {"completes", PrintJobState::Completed}};
        if (takenAs.contains(situation))
            queue->takeAs = takenAs.value(situation);
        for (const QString &answer : answers.split(QLatin1Char(',')))
            folder->prompt->Answer(answer == QLatin1String("Yes")  ? MsgAnswer::Yes
                                   : answer == QLatin1String("No") ? MsgAnswer::No
                                                                   : MsgAnswer::Ok);

        QCOMPARE(int(PrintAndConfirm(Document())), outcome);
        SetPrintJobs(nullptr);
        QStringList shownTitles;
        for (const auto &box : folder->prompt->shown)
            shownTitles << box.title;
        QCOMPARE(shownTitles.join('|'), titles);
        const QString first = folder->prompt->shown.first().text;
        QVERIFY2(first.contains(told), qPrintable(first));
        QCOMPARE(first.startsWith(QLatin1String("A Print Error has occurred\r\n")), titles == "Print Error");
        QCOMPARE(surface->PagesStarted(), pages);
        QCOMPARE(queue->cancelled, cancelled);
    }
    void settingsAsLoaded() {
        LoadedSettings();
        NumCopies = 5;
        PrintInColor = false;
        BusinessData[5].clear(); // no postal code: an international address
        folder->write("MyWebSite.txt", "\"www.hollis.example\"\r\n");
        folder->write("CustomDisclaimer.txt", "\"Our own words.\r\nSecond line.\"\r\n");
        const PageSettings settings = CurrentPageSettings();
        QVERIFY(settings.business == BusinessData);
        QVERIFY(!settings.usaStyle && !settings.printInColor && !settings.colorMode);
        QCOMPARE(settings.fontName, QStringLiteral("Courier New"));
        QCOMPARE(settings.copies, 5);
        QCOMPARE(settings.webSite.value_or(QString()), QStringLiteral("www.hollis.example"));
        QCOMPARE(settings.customDisclaimer.value_or(QString()), QStringLiteral("Our own words.\r\nSecond line."));
        QVERIFY(settings.genericDisclaimer.endsWith(QStringLiteral("on above work to be provided by: ")));

        for (const char *name : {"MyWebSite.txt", "CustomDisclaimer.txt", "PrintColors.txt"})
            QVERIFY(QDir(folder->path()).remove(QString::fromLatin1(name)));
        const PageSettings bare = CurrentPageSettings();
        QVERIFY(!bare.webSite && !bare.customDisclaimer);
        QCOMPARE(bare.fontName, QStringLiteral("Arial"));
    }
    void logoFromItsFile_data() {
        QTest::addColumn<QByteArray>("bytes"); // empty: the file named is not there
        QTest::addColumn<bool>("unreadable");
        QTest::addColumn<double>("left"); // -1: no logo
        QTest::newRow("a picture: centred by its width on screen") << PngBytes(120, 40) << false << (11520 - 1800) / 2.0;
        // 1000 pixels are 15000 twips, wider than the page: kept on the paper.
        QTest::newRow("a picture wider than the page starts at its left edge") << PngBytes(1000, 100) << false << 0.0;
        QTest::newRow("no picture in the file") << QByteArray("GIF89a but nothing more") << true << -1.0;
        QTest::newRow("file gone: no logo") << QByteArray() << false << -1.0;
    }
    void logoFromItsFile() {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, unreadable);
        QFETCH(double, left);
        LoadedSettings();
        if (!bytes.isEmpty())
            folder->write("Logo.png", bytes);
        QVERIFY(WriteLogoPathFile(folder->file("Logo.png")));
        QVERIFY(WriteLogoSizeFile(QSize(900, 600)));
        const PageSettings settings = CurrentPageSettings();
        QCOMPARE(settings.logoUnreadable, unreadable);
        QCOMPARE(settings.logo.isEmpty(), left < 0);
        RecordingPrintSurface surface;
        QVERIFY(PrintLogo(surface, settings));
        const auto pictures = OfKind(surface, PrintOperation::Picture);
        QCOMPARE(pictures.size(), left < 0 ? 0 : 1);
        if (left >= 0)
            QCOMPARE(QRectF(QPointF(pictures[0].x, pictures[0].y), QPointF(pictures[0].x2, pictures[0].y2)),
                     QRectF(left, 360, 900, 600));
    }

private:
    std::unique_ptr<TestFolder> folder;
};

TAMSEL_TEST(PrintRunTest)
#include "tst_PrintRun.moc"
