// The proposal on paper, read back from the PDF with poppler's tools; the
// faces the print fonts are drawn in; the preview showing the same pages.
#include "FileSizeLimit.h"
#include "PrintFixtures.h"
#include "TestMain.h"
#include "common/CommonVariables.h"
#include "printing/CustomerReport.h"
#include "printing/ProposalPrintRun.h"
#include "printing/ProposalPrinting.h"

#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace PrintFixtures;

namespace {
QString Tool(const QString &name) {
    return QStandardPaths::findExecutable(name);
}

QString Run(const QString &tool, const QStringList &arguments) {
    QProcess process;
    process.start(Tool(tool), arguments);
    process.waitForFinished(60000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

int PdfPages(const QString &pdf) {
    const auto match = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(Run("pdfinfo", {pdf}));
    return match.hasMatch() ? match.captured(1).toInt() : -1;
}

// The text of one page with runs of blanks made single.
QString PdfText(const QString &pdf, int page) {
    return Run("pdftotext", {"-f", QString::number(page), "-l", QString::number(page), pdf, "-"})
        .simplified();
}
} // namespace

class PrintedPdfTest : public QObject {
    Q_OBJECT
private slots:
    void init() { folder = std::make_unique<TestFolder>(); }
    void cleanup() {
        QVERIFY2(folder->prompt->unexpected.isEmpty(), qPrintable(folder->prompt->unexpected.join(" | ")));
        folder.reset();
    }

    void printFontsResolveToInstalledFaces_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("family");
        const QString sans = QStringLiteral("Liberation Sans");
        QTest::newRow("Arial: its metric twin") << "Arial" << sans;
        QTest::newRow("Courier New: its metric twin") << "Courier New" << QStringLiteral("Liberation Mono");
        QTest::newRow("an installed face stays") << "Liberation Serif" << QStringLiteral("Liberation Serif");
        QTest::newRow("a face not installed: Arial's") << "Comic Sans Nowhere" << sans;
        QTest::newRow("no name: Arial's") << "" << sans;
    }
    void printFontsResolveToInstalledFaces() {
        QFETCH(QString, name);
        QFETCH(QString, family);
        QCOMPARE(PrintFontFamily(name), family);

        // Measured on the printer, the name and the face it resolves to agree.
        QTemporaryDir dir;
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(dir.filePath("measure.pdf"));
        QtPrintSurface surface(printer);
        surface.SetFontSize(8);
        surface.SetBold(true);
        const QString text = QStringLiteral("Proposal submitted to: Work to be performed at:");
        surface.SetFontName(family);
        const double expected = surface.TextWidth(text);
        surface.SetFontName(name);
        QCOMPARE(surface.TextWidth(text), expected);
        QVERIFY(expected > 2000 && expected < 5000);
    }
    void twoPagesInThreeCopies_data() {
        QTest::addColumn<QString>("font");
        QTest::newRow("Arial") << "Arial";
        QTest::newRow("a print font not installed") << "Comic Sans Nowhere";
    }
    void twoPagesInThreeCopies() {
        QFETCH(QString, font);
        if (Tool("pdfinfo").isEmpty() || Tool("pdftotext").isEmpty())
            QSKIP("poppler-utils is not installed");
        PageSettings settings = Settings();
        settings.fontName = font;
        WriteBody(*folder, BodyLines(30));
        const QString pdf = folder->file("proposal.pdf");
        QVERIFY(PrintPdf(
            pdf, [&](QtPrintSurface &surface) { return PrintProposal(surface, Document(), settings); }));

        QCOMPARE(PdfPages(pdf), 6);
        const QStringList labels = {"Original", "Duplicate", "Triplicate"};
        for (int page = 1; page <= 6; ++page) {
            const QString text = PdfText(pdf, page);
            const bool first = page % 2 == 1;
            QVERIFY2(text.contains(first ? "Page # 1" : "Page # 2"), qPrintable(text));
            for (const char *always :
                 {"Proposal No. - 1001", "Date: 3/5/2024", "Hollis Roofing and Gutters", "Baker Rental"})
                QVERIFY2(text.contains(always), qPrintable(text));
            QCOMPARE(text.contains("Continued on Next Page"), first);
            QCOMPARE(text.contains("Body line 1 "), first);
            QCOMPARE(text.contains("Body line 30"), !first);
            QCOMPARE(text.contains("Acceptance of Proposal"), !first);
            QCOMPARE(text.contains(labels[(page - 1) / 2]), !first);
        }
    }
    void jobsAreNamed_data() {
        QTest::addColumn<QString>("job");
        QTest::addColumn<QString>("title");
        QTest::newRow("proposal") << "proposal"
                                  << "Proposal 1001 - Mr. John Q Public";
        QTest::newRow("field proposal") << "field"
                                        << "Field Proposal FP1002";
        QTest::newRow("customer list") << "customers"
                                       << "Customer List";
        QTest::newRow("sample page") << "sample"
                                     << "Sample Page";
    }
    void jobsAreNamed() {
        QFETCH(QString, job);
        QFETCH(QString, title);
        if (Tool("pdfinfo").isEmpty())
            QSKIP("poppler-utils is not installed");
        ProposalDocument document = Document();
        document.customer[1] = QStringLiteral("Mr. John Q Public");
        if (job == QLatin1String("field")) {
            document.isField = true;
            document.number = 1002;
        }
        WriteBody(*folder, BodyLines(2));
        const PageSettings settings = Settings();
        const QString pdf = folder->file("job.pdf");
        QVERIFY(PrintPdf(pdf, [&](QtPrintSurface &surface) {
            if (job == QLatin1String("customers"))
                return PrintCustomerReport(surface, settings, true, QDate(2024, 3, 5));
            if (job == QLatin1String("sample"))
                return PrintSample(surface, settings);
            return PrintProposal(surface, document, settings);
        }));
        const auto match =
            QRegularExpression(QStringLiteral("Title:\\s+(.*)\n")).match(Run("pdfinfo", {pdf}));
        QCOMPARE(match.captured(1).trimmed(), title);
    }
    void pdfCutShortIsAFailure() {
        WriteBody(*folder, BodyLines(30));
        const QString pdf = folder->file("cut.pdf");
        bool printed = true;
        {
            FileSizeLimit limit(20000);
            QVERIFY(limit.active());
            QPrinter printer(QPrinter::HighResolution);
            printer.setOutputFileName(pdf);
            QtPrintSurface surface(printer);
            printed = PrintProposal(surface, Document(), Settings());
        }
        QVERIFY(QFileInfo(pdf).size() <= 20000);
        QVERIFY(!printed);
    }
    void previewShowsEveryPage() {
        WriteBody(*folder, BodyLines(30));
        DialogsInstalled installed;
        const auto &dialogs = installed.dialogs;
        NumCopies = 3;
        PreviewProposal(Document());
        // Two pages in each of three copies, and no printer was asked for.
        QCOMPARE(dialogs->previews.size(), 1);
        QCOMPARE(dialogs->previews[0]->PagesStarted(), 6);
        QVERIFY(dialogs->previews[0]->Texts().contains("Triplicate"));
        QCOMPARE(dialogs->opened.size(), 1);
        QCOMPARE(dialogs->opened[0].title, QStringLiteral("Proposal Preview"));
    }

private:
    std::unique_ptr<TestFolder> folder;
};

TAMSEL_TEST(PrintedPdfTest)
#include "tst_PrintedPdf.moc"
