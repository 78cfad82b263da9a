// The print run: one job for every copy, no empty page after the last one,
// and a print that cannot be done reported to the caller without a crash and
// without touching a file; the print dialog and the page settings the
// program has loaded.
#include "PrintFixtures.h"
#include "ScriptedDialogs.h"
#include "TestMain.h"
#include "common/CommonVariables.h"
#include "printing/PageSettingsUi.h"
#include "printing/ProposalPrintRoutines.h"
#include "printing/ProposalPrintRun.h"
#include "printing/ProposalPrinting.h"
#include "settings/BusinessFiles.h"

#include <QBuffer>
#include <QDir>
#include <QImage>
#include <QTest>

using namespace PrintFixtures;

namespace {
struct DialogsInstalled {
    std::shared_ptr<ScriptedDialogs> dialogs = std::make_shared<ScriptedDialogs>();
    DialogsInstalled() { SetDialogs(dialogs); }
    ~DialogsInstalled() { SetDialogs(nullptr); }
};

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

    void oneJobForAllCopies_data();
    void oneJobForAllCopies();
    void printerSetUp();
    void failedPrintsChangeNoFile_data();
    void failedPrintsChangeNoFile();
    void throughThePrintDialog_data();
    void throughThePrintDialog();
    void settingsAsLoaded();
    void logoFromItsFile_data();
    void logoFromItsFile();

private:
    std::unique_ptr<TestFolder> folder;
};

void PrintRunTest::oneJobForAllCopies_data() {
    QTest::addColumn<int>("bodyLines");
    QTest::addColumn<int>("copies");
    QTest::addColumn<int>("pages");
    QTest::newRow("one page, one copy") << 5 << 1 << 1;
    QTest::newRow("one page, three copies") << 5 << 3 << 3;
    QTest::newRow("two pages, three copies") << 50 << 3 << 6;
    QTest::newRow("two pages, five copies") << 50 << 5 << 10;
}

void PrintRunTest::oneJobForAllCopies() {
    QFETCH(int, bodyLines);
    QFETCH(int, copies);
    QFETCH(int, pages);
    ProposalDocument document = Document();
    document.printSize = 6;
    PageSettings settings = Settings();
    settings.copies = copies;
    WriteBody(*folder, BodyLines(bodyLines));
    RecordingPrintSurface surface;
    QVERIFY(PrintProposal(surface, document, settings));
    // Every page that reached the device holds something; the page begun
    // after the last copy never did.
    QCOMPARE(surface.PagesStarted(), pages);
    QCOMPARE(surface.DocumentsEnded(), 1);
    QCOMPARE(surface.Operations().last().page, pages);
    QCOMPARE(surface.Operations().last().text, CopyLabel(copies));
    QCOMPARE(PageNo, quint8(pages / copies));
    // The surface is ready for the next job.
    QCOMPARE(surface.JobPageNo(), 1);
}

void PrintRunTest::printerSetUp() {
    ProposalDocument document = Document();
    PageSettings settings = Settings();
    settings.copies = 1;
    settings.colorMode = false;
    settings.fontName = QStringLiteral("Tahoma");
    WriteBody(*folder, BodyLines(1));
    RecordingPrintSurface surface;
    surface.SetOrientation(PrintOrientation::Landscape);
    surface.SetTextColor(PrintColors::Blue);
    surface.SetBold(true);
    QVERIFY(PrintProposal(surface, document, settings));
    QCOMPARE(surface.Orientation(), PrintOrientation::Portrait);
    QVERIFY(!surface.ColorMode());
    // The first text of the page is in the print font, as the set-up left it.
    const PrintOperation first = OfKind(surface, PrintOperation::Text).first();
    QCOMPARE(first.text, QStringLiteral("Proposal"));
    QCOMPARE(first.font.name, QStringLiteral("Tahoma"));

    RecordingPrintSurface other;
    SetupPrinter(other, QStringLiteral("Landscape"), true, QStringLiteral("Verdana"));
    QCOMPARE(other.Orientation(), PrintOrientation::Landscape);
    QVERIFY(other.ColorMode());
    QCOMPARE(other.Font(), (PrintFont{"Verdana", 10, false, false}));
    QCOMPARE(other.TextColor(), PrintColors::Black);
}

void PrintRunTest::failedPrintsChangeNoFile_data() {
    QTest::addColumn<QString>("fault");
    QTest::addColumn<int>("pagesStarted");
    QTest::newRow("body file missing") << "missing body" << 0;
    QTest::newRow("body file unreadable") << "unreadable body" << 0;
    QTest::newRow("logo unreadable") << "unreadable logo" << 0;
    QTest::newRow("printer cannot start") << "refused from 1" << 0;
    QTest::newRow("printer fails on the second page") << "refused from 2" << 1;
}

void PrintRunTest::failedPrintsChangeNoFile() {
    QFETCH(QString, fault);
    QFETCH(int, pagesStarted);
    ProposalDocument document = Document();
    PageSettings settings = Settings();
    const QStringList lines = BodyLines(4);
    if (fault == QLatin1String("unreadable body"))
        QVERIFY(QDir(folder->path()).mkpath(QStringLiteral("TamselProposals/ProposalBody/1001.txt")));
    else if (fault != QLatin1String("missing body"))
        WriteBody(*folder, lines);
    if (fault == QLatin1String("unreadable logo"))
        settings.logoUnreadable = true;
    RecordingPrintSurface surface;
    if (fault == QLatin1String("refused from 1"))
        surface.RefusePagesFrom(1);
    if (fault == QLatin1String("refused from 2"))
        surface.RefusePagesFrom(2);

    const QByteArray before =
        folder->exists("TamselProposals/ProposalBody/1001.txt") && fault != QLatin1String("unreadable body")
            ? folder->read("TamselProposals/ProposalBody/1001.txt")
            : QByteArray();
    QVERIFY(!PrintProposal(surface, document, settings));
    QCOMPARE(surface.PagesStarted(), pagesStarted);
    if (!before.isEmpty())
        QCOMPARE(folder->read("TamselProposals/ProposalBody/1001.txt"), before);
    // The surface can print the next job once the fault is gone.
    surface.RefusePagesFrom(0);
    settings.logoUnreadable = false;
    if (fault.endsWith(QLatin1String("body"))) {
        QDir(folder->file("TamselProposals/ProposalBody/1001.txt")).removeRecursively();
        WriteBody(*folder, lines);
    }
    surface.Clear();
    settings.copies = 1;
    QVERIFY(PrintProposal(surface, document, settings));
    QCOMPARE(surface.PagesStarted(), 1);
}

void PrintRunTest::throughThePrintDialog_data() {
    QTest::addColumn<QString>("fault");
    QTest::addColumn<int>("outcome");
    QTest::newRow("printed") << QString() << int(PrintOutcome::Printed);
    QTest::newRow("dialog cancelled") << "cancel" << int(PrintOutcome::Cancelled);
    QTest::newRow("body file missing") << "missing body" << int(PrintOutcome::Failed);
    QTest::newRow("logo file no picture") << "bad logo" << int(PrintOutcome::Failed);
    QTest::newRow("printer cannot start") << "refused" << int(PrintOutcome::Failed);
}

void PrintRunTest::throughThePrintDialog() {
    QFETCH(QString, fault);
    QFETCH(int, outcome);
    LoadedSettings();
    DialogsInstalled installed;
    auto surface = std::make_shared<RecordingPrintSurface>();
    installed.dialogs->AnswerPrinter(fault == QLatin1String("cancel") ? nullptr : surface);
    if (fault != QLatin1String("missing body"))
        WriteBody(*folder, BodyLines(3));
    if (fault == QLatin1String("bad logo")) {
        folder->write("Logo.png", "not a picture at all");
        QVERIFY(WriteLogoPathFile(folder->file("Logo.png")));
    }
    if (fault == QLatin1String("refused"))
        surface->RefusePagesFrom(1);

    QCOMPARE(int(PrintProposalWithDialog(Document())), outcome);
    QVERIFY(installed.dialogs->ScriptUsed());
    QCOMPARE(surface->PagesStarted(), outcome == int(PrintOutcome::Printed) ? 3 : 0);
    if (outcome == int(PrintOutcome::Printed)) {
        QCOMPARE(TextOps(*surface, QStringLiteral("Proposal")).first().font.name,
                 QStringLiteral("Courier New"));
        QCOMPARE(TextsStarting(*surface, QStringLiteral("Hollis Roofing")).size(), 3);
    }
    if (fault == QLatin1String("bad logo"))
        QCOMPARE(folder->read("Logo.png"), QByteArray("not a picture at all"));
}

void PrintRunTest::settingsAsLoaded() {
    LoadedSettings();
    NumCopies = 5;
    PrintInColor = false;
    BusinessData[5].clear(); // no postal code: an international address
    folder->write("MyWebSite.txt", "\"www.hollis.example\"\r\n");
    folder->write("CustomDisclaimer.txt", "\"Our own words.\r\nSecond line.\"\r\n");
    const PageSettings settings = CurrentPageSettings();
    QVERIFY(settings.business == BusinessData);
    QVERIFY(!settings.usaStyle);
    QCOMPARE(settings.fontName, QStringLiteral("Courier New"));
    QCOMPARE(settings.copies, 5);
    QVERIFY(!settings.printInColor);
    QVERIFY(!settings.colorMode);
    QCOMPARE(settings.webSite.value_or(QString()), QStringLiteral("www.hollis.example"));
    QCOMPARE(settings.customDisclaimer.value_or(QString()), QStringLiteral("Our own words.\r\nSecond line."));
    QVERIFY(settings.genericDisclaimer.endsWith(QStringLiteral("on above work to be provided by: ")));
    QVERIFY(settings.logo.isEmpty());
    QVERIFY(!settings.logoUnreadable);

    QDir(folder->path()).remove(QStringLiteral("MyWebSite.txt"));
    QDir(folder->path()).remove(QStringLiteral("CustomDisclaimer.txt"));
    QDir(folder->path()).remove(QStringLiteral("PrintColors.txt"));
    const PageSettings bare = CurrentPageSettings();
    QVERIFY(!bare.webSite);
    QVERIFY(!bare.customDisclaimer);
    QCOMPARE(bare.fontName, QStringLiteral("Arial"));
}

void PrintRunTest::logoFromItsFile_data() {
    QTest::addColumn<QByteArray>("bytes"); // empty: the file named is not there
    QTest::addColumn<bool>("unreadable");
    QTest::addColumn<double>("naturalWidth");
    QTest::addColumn<double>("left");
    QTest::newRow("a picture: centred by its width on screen")
        << PngBytes(120, 40) << false << 1800.0 << (11520 - 1800) / 2.0;
    // 1000 pixels are 15000 twips, wider than the page: kept on the paper.
    QTest::newRow("a picture wider than the page starts at its left edge")
        << PngBytes(1000, 100) << false << 15000.0 << 0.0;
    QTest::newRow("no picture in the file") << QByteArray("GIF89a but nothing more") << true << 0.0 << 0.0;
    QTest::newRow("file gone: no logo") << QByteArray() << false << 0.0 << 0.0;
}

void PrintRunTest::logoFromItsFile() {
    QFETCH(QByteArray, bytes);
    QFETCH(bool, unreadable);
    QFETCH(double, naturalWidth);
    QFETCH(double, left);
    LoadedSettings();
    if (!bytes.isEmpty())
        folder->write("Logo.png", bytes);
    QVERIFY(WriteLogoPathFile(folder->file("Logo.png")));
    QVERIFY(WriteLogoSizeFile(QSize(900, 600)));
    const PageSettings settings = CurrentPageSettings();
    QCOMPARE(settings.logoUnreadable, unreadable);
    QCOMPARE(settings.logoNaturalWidth, naturalWidth);
    QCOMPARE(settings.logo.isEmpty(), naturalWidth == 0);
    if (naturalWidth == 0)
        return;
    QCOMPARE(settings.logoWidth, 900.0);
    QCOMPARE(settings.logoHeight, 600.0);

    RecordingPrintSurface surface;
    QVERIFY(PrintLogo(surface, settings));
    const auto pictures = OfKind(surface, PrintOperation::Picture);
    QCOMPARE(pictures.size(), 1);
    QCOMPARE(QRectF(QPointF(pictures[0].x, pictures[0].y), QPointF(pictures[0].x2, pictures[0].y2)),
             QRectF(left, 360, 900, 600));
    QCOMPARE(surface.CurrentY(), 360.0);
}

TAMSEL_TEST(PrintRunTest)
#include "tst_PrintRun.moc"
