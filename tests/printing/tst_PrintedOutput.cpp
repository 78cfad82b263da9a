// What leaves the program besides the proposal on the recording surface: the
// customer report, the proposal and other jobs on paper (PDF read back with
// poppler's tools) and the e-mailed PDF.
#include "../customers/CustomerFixtures.h"
#include "FileSizeLimit.h"
#include "PrintFixtures.h"
#include "TestMain.h"
#include "common/CommonVariables.h"
#include "platform/MailComposer.h"
#include "printing/CustomerReport.h"
#include "printing/ProposalPrintRun.h"
#include "printing/ProposalPrinting.h"

#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTest>

using namespace PrintFixtures;

namespace {
QList<CustomerRecord> Customers(int count) {
    QList<CustomerRecord> records;
    for (int i = 1; i <= count; ++i) {
        CustomerRecord rec = Individual(QString::number(100 + i), QStringLiteral("Ann"),
                                        QStringLiteral("Lee%1").arg(i), QStringLiteral("Xenia"));
        rec.Title = QStringLiteral("Ms.");
        rec.Address1 = QStringLiteral("%1 Elm St").arg(i);
        rec.State = QStringLiteral("OH");
        rec.Address4 = QStringLiteral("45385");
        rec.Phone = QStringLiteral("555-01%1").arg(i, 2, 10, QLatin1Char('0'));
        records << rec;
    }
    return records;
}

// The texts of the report's address blocks (below its header), as "text@x,y".
QStringList Blocks(const RecordingPrintSurface &surface, int page) {
    QList<PrintOperation> ops;
    for (const PrintOperation &op : OfKind(surface, PrintOperation::Text, page))
        if (op.y >= 3240)
            ops << op;
    return Placed(ops);
}

// A poppler tool's output, or nothing where it is not installed.
QString Poppler(const QString &tool, const QStringList &arguments) {
    QProcess process;
    process.start(QStandardPaths::findExecutable(tool), arguments);
    process.waitForFinished(60000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

struct RecordingComposer : MailComposer {
    QString failure; // what the mail program answers
    QStringList handed;
    void Compose(const QString &subject, const QString &attachment, const Done &done) override {
        handed << subject << attachment;
        done(failure);
    }
};
} // namespace

class PrintedOutputTest : public QObject {
    Q_OBJECT
private slots:
    void init() {
        folder = std::make_unique<TestFolder>();
        QLocale::setDefault(QLocale("en_US"));
    }
    void cleanup() {
        SetMailComposer(nullptr);
        QVERIFY2(folder->prompt->unexpected.isEmpty(), qPrintable(folder->prompt->unexpected.join(" | ")));
        folder.reset();
    }

    void customerReport_data() {
        QTest::addColumn<int>("count");
        QTest::addColumn<bool>("usaStyle");
        QTest::addColumn<int>("pages");
        QTest::addColumn<QString>("fourth"); // the fourth block's first line
        QTest::addColumn<QString>("lastPageFirst");
        // Size 10: 240 twips a line; a USA row takes 5 lines, an international one 6,
        // from 3240; a row that would end past 11520 goes on a new page.
        QTest::newRow("seven customers: rows of three")
            << 7 << true << 1 << "Ms. Ann Lee4@1440,4440" << "Ms. Ann Lee1@1440,3240";
        QTest::newRow("international style: a line more a row")
            << 4 << false << 1 << "Ms. Ann Lee4@1440,4680" << "Ms. Ann Lee1@1440,3240";
        QTest::newRow("thirty customers: six rows a page")
            << 30 << true << 2 << "Ms. Ann Lee4@1440,4440" << "Ms. Ann Lee19@1440,3240";
    }
    void customerReport() {
        QFETCH(int, count);
        QFETCH(bool, usaStyle);
        QFETCH(int, pages);
        QFETCH(QString, fourth);
        QFETCH(QString, lastPageFirst);
        WriteCustomers(*folder, Customers(count));
        RecordingPrintSurface surface;
        QVERIFY(PrintCustomerReport(surface, Settings(), usaStyle, QDate(2024, 3, 5)));
        QCOMPARE(surface.Orientation(), PrintOrientation::Landscape);
        QCOMPARE(surface.PagesStarted(), pages);
        QCOMPARE(surface.DocumentsEnded(), 1);
        const QStringList placed = Placed(OfKind(surface, PrintOperation::Text));
        for (const char *text :
             {"Account Information@6230,720", "3/5/2024@12960,720", "Hollis Roofing and Gutters@1440,1152"})
            QCOMPARE(placed.count(QString::fromLatin1(text)), pages);

        const QStringList blocks = Blocks(surface, 0);
        QCOMPARE(blocks.size(), count * (usaStyle ? 4 : 5));
        QCOMPARE(blocks.filter(QRegularExpression("^Ms\\. ")).mid(0, 4).join('|'),
                 "Ms. Ann Lee1@1440,3240|Ms. Ann Lee2@5760,3240|Ms. Ann Lee3@10080,3240|" + fourth);
        QCOMPARE(Blocks(surface, pages).value(0), lastPageFirst);
        QCOMPARE(blocks.mid(0, usaStyle ? 4 : 5).join('|'),
                 usaStyle ? "Ms. Ann Lee1@1440,3240|1 Elm St@1440,3480|Xenia, OH 45385@1440,3720|555-0101@1440,3960"
                          : "Ms. Ann Lee1@1440,3240|1 Elm St@1440,3480|Xenia@1440,3720|45385@1440,3960|"
                            "555-0101@1440,4200");
    }
    void customerReportCutsTextsAtTheirColumn() {
        QList<CustomerRecord> records = Customers(3);
        for (CustomerRecord &rec : records) {
            rec.AcctType = QStringLiteral("Business");
            rec.AcctName = QStringLiteral("Northwestern Regional Property Management Associates");
            rec.Address1 = QStringLiteral("12345 Old Settlers Memorial Parkway Extension Building C");
        }
        WriteCustomers(*folder, records);
        RecordingPrintSurface surface;
        // 120 twips a character: columns 1 and 2 end a tenth of an inch before
        // the next (34 characters), column 3 at the page's edge (42 characters).
        surface.SetWidthModel(
            [](const QString &text, const PrintFont &font) { return text.size() * font.size * 12.0; });
        QVERIFY(PrintCustomerReport(surface, Settings(), true, QDate(2024, 3, 5)));
        // As the record keeps them (its fields have lengths of their own).
        const QString name = StoredCustomer(*folder, 1).AcctName.trimmed();
        const QString street = StoredCustomer(*folder, 1).Address1.trimmed();
        const QList<QStringList> expected = {
            {name.left(34), street.left(34)}, {name.left(34), street.left(34)}, {name.left(42), street}};
        for (int column = 0; column < 3; ++column) {
            QStringList texts;
            for (const PrintOperation &op : OfKind(surface, PrintOperation::Text))
                if (op.y >= 3240 && op.x == 1440.0 + 4320 * column && op.text.size() > 20)
                    texts << op.text;
            QCOMPARE(texts, expected[column]);
        }
    }
    // Each job on paper, named in the print system by its title; the
    // proposal's two pages in three copies make six pages in one job. Kept
    // in TAMSEL_PRINTED for the pictures in docs/printed.
    void jobsOnPaper_data() {
        QTest::addColumn<QString>("job");
        QTest::addColumn<QString>("title");
        QTest::addColumn<int>("pages");
        QTest::newRow("proposal") << "proposal" << "Proposal 1001 - Mr. John Q Public" << 6;
        QTest::newRow("field proposal") << "field" << "Field Proposal FP1002" << 3;
        QTest::newRow("customer list") << "customer-report" << "Customer List" << 1;
        QTest::newRow("sample page") << "sample" << "Sample Page" << 1;
    }
    void jobsOnPaper() {
        QFETCH(QString, job);
        QFETCH(QString, title);
        QFETCH(int, pages);
        ProposalDocument document = Document();
        document.customer[1] = QStringLiteral("Mr. John Q Public");
        document.isField = job == QLatin1String("field");
        document.number = document.isField ? 1002 : 1001;
        WriteBody(*folder, 30);
        WriteCustomers(*folder, Customers(7));
        const PageSettings settings = Settings();
        const QString pdf = KeptPdf(*folder, job + ".pdf");
        QVERIFY(PrintPdf(pdf, [&](QtPrintSurface &surface) {
            if (job == QLatin1String("customer-report"))
                return PrintCustomerReport(surface, settings, true, QDate(2024, 3, 5));
            if (job == QLatin1String("sample"))
                return PrintSample(surface, settings);
            return PrintProposal(surface, document, settings);
        }));
        if (QStandardPaths::findExecutable("pdfinfo").isEmpty() || QStandardPaths::findExecutable("pdftotext").isEmpty())
            QSKIP("poppler-utils is not installed");
        const QString info = Poppler("pdfinfo", {pdf});
        QCOMPARE(QRegularExpression("Title:\\s+(.*)\n").match(info).captured(1).trimmed(), title);
        QCOMPARE(QRegularExpression("Pages:\\s+(\\d+)").match(info).captured(1).toInt(), pages);
        // Every copy's body reaches the paper.
        if (job == QLatin1String("proposal"))
            QCOMPARE(Poppler("pdftotext", {pdf, "-"}).count(QStringLiteral("Body line 30")), 3);
    }
    void pdfCutShortIsAFailure() {
        WriteBody(*folder, 30);
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
    void emailSavesThePdfAndHandsItOver_data() {
        QTest::addColumn<QString>("customer");
        QTest::addColumn<QString>("failure");
        QTest::addColumn<QString>("fileName"); // empty: nothing saved
        QTest::newRow("handed to the mail program")
            << "Mr. John Q Public" << "" << "Proposal 1001 - Mr. John Q Public.pdf";
        QTest::newRow("unsafe characters replaced; no mail program: the box says where the PDF is")
            << "A/B: \"C\" <D>?*|\\.." << "xdg-email could not be started" << "Proposal 1001 - A_B_ _C_ _D_____.pdf";
        QTest::newRow("body file missing: a print error, nothing saved") << "Ann Baker" << "" << "";
    }
    void emailSavesThePdfAndHandsItOver() {
        QFETCH(QString, customer);
        QFETCH(QString, failure);
        QFETCH(QString, fileName);
        BusinessData = Settings().business;
        NumCopies = 3; // Original, Duplicate and Triplicate on paper
        auto composer = std::make_shared<RecordingComposer>();
        composer->failure = failure;
        SetMailComposer(composer);
        if (!fileName.isEmpty())
            WriteBody(*folder, 3);
        // An older PDF of the proposal is replaced whole.
        folder->write("E-mail/" + (fileName.isEmpty() ? QStringLiteral("x.pdf") : fileName), "old");
        ProposalDocument document = Document();
        document.customer[1] = customer;
        if (!failure.isEmpty() || fileName.isEmpty())
            folder->prompt->AnswerOk();

        EmailProposal(document);

        if (fileName.isEmpty()) {
            QVERIFY(composer->handed.isEmpty());
            QVERIFY(folder->prompt->Texts().first().startsWith(QLatin1String("A Print Error has occurred")));
            return;
        }
        const QString pdf = folder->file("E-mail/" + fileName);
        QCOMPARE(composer->handed, (QStringList{"Proposal 1001 from Hollis Roofing and Gutters", pdf}));
        QVERIFY(!QFile::exists(pdf + ".part"));
        QCOMPARE(folder->prompt->shown.size(), failure.isEmpty() ? 0 : 1);
        if (!failure.isEmpty())
            QVERIFY(folder->prompt->Texts().first().startsWith(failure) && folder->prompt->Texts().first().endsWith(pdf));
        // The Original alone, whatever the labelled copies on paper are.
        QVERIFY(folder->read("E-mail/" + fileName).startsWith("%PDF"));
        const QString pages = Poppler("pdftotext", {pdf, "-"});
        QVERIFY(!pages.contains("Duplicate"));
    }
private:
    std::unique_ptr<TestFolder> folder;
};

TAMSEL_TEST(PrintedOutputTest)
#include "tst_PrintedOutput.moc"
