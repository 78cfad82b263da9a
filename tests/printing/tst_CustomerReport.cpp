// The customer report on a landscape page: the header, three address blocks a
// row, rows by address style, a new page when a row would not fit, texts cut
// at their column; and the report from the customer screen's "&Print".
#include "../customers/CustomerFixtures.h"
#include "PrintFixtures.h"
#include "ScriptedDialogs.h"
#include "TestMain.h"
#include "common/CommonVariables.h"
#include "common/ScreenRegistry.h"
#include "customers/frmCustomer.h"
#include "platform/Clock.h"
#include "platform/QtPrintSurface.h"
#include "printing/CustomerReport.h"

#include <QDir>
#include <QPrinter>
#include <QPushButton>
#include <QTest>

using namespace PrintFixtures;

namespace {
struct DialogsInstalled {
    std::shared_ptr<ScriptedDialogs> dialogs = std::make_shared<ScriptedDialogs>();
    DialogsInstalled() { SetDialogs(dialogs); }
    ~DialogsInstalled() { SetDialogs(nullptr); }
};

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

// The texts of the address blocks (below the header), as "text@x,y" by page.
QStringList Blocks(const RecordingPrintSurface &surface, int page) {
    QList<PrintOperation> ops;
    for (const PrintOperation &op : OfKind(surface, PrintOperation::Text, page))
        if (op.y >= 3240)
            ops << op;
    return Placed(ops);
}
} // namespace

class CustomerReportTest : public QObject {
    Q_OBJECT
private slots:
    void init() {
        folder = std::make_unique<TestFolder>();
        QLocale::setDefault(QLocale("en_US"));
    }
    void cleanup() {
        CloseAllScreens();
        QVERIFY2(folder->prompt->unexpected.isEmpty(), qPrintable(folder->prompt->unexpected.join(" | ")));
        folder.reset();
    }

    void headerAndRowsOfThree_data();
    void headerAndRowsOfThree();
    void newPageWhenARowWouldNotFit();
    void longTextsAreCutAtTheirColumn();
    void fromTheCustomerScreen_data();
    void fromTheCustomerScreen();
    void reportOnPaper();

private:
    std::unique_ptr<TestFolder> folder;
};

void CustomerReportTest::headerAndRowsOfThree_data() {
    QTest::addColumn<int>("count");
    QTest::addColumn<bool>("usaStyle");
    QTest::addColumn<QStringList>("firstLines"); // the first line of each block
    // Size 10: 240 twips a line; a USA row takes 5 lines, an international one 6.
    QTest::newRow("seven customers: rows of 3, 3 and 1")
        << 7 << true
        << QStringList{"Ms. Ann Lee1@1440,3240", "Ms. Ann Lee2@5760,3240", "Ms. Ann Lee3@10080,3240",
                       "Ms. Ann Lee4@1440,4440", "Ms. Ann Lee5@5760,4440", "Ms. Ann Lee6@10080,4440",
                       "Ms. Ann Lee7@1440,5640"};
    QTest::newRow("international style: a line more a row")
        << 4 << false
        << QStringList{"Ms. Ann Lee1@1440,3240", "Ms. Ann Lee2@5760,3240", "Ms. Ann Lee3@10080,3240",
                       "Ms. Ann Lee4@1440,4680"};
    QTest::newRow("no customers: the header alone") << 0 << true << QStringList{};
}

void CustomerReportTest::headerAndRowsOfThree() {
    QFETCH(int, count);
    QFETCH(bool, usaStyle);
    QFETCH(QStringList, firstLines);
    WriteCustomers(*folder, Customers(count));
    RecordingPrintSurface surface;
    QVERIFY(PrintCustomerReport(surface, Settings(), usaStyle, QDate(2024, 3, 5)));
    QCOMPARE(surface.Orientation(), PrintOrientation::Landscape);
    QCOMPARE(surface.PagesStarted(), 1);
    QCOMPARE(surface.DocumentsEnded(), 1);

    const auto title = TextOps(surface, QStringLiteral("Account Information"));
    QCOMPARE(Placed(title), QStringList{"Account Information@6230,720"});
    QCOMPARE(title[0].font, (PrintFont{"Arial", 14, true, true}));
    QCOMPARE(Placed(TextOps(surface, QStringLiteral("3/5/2024"))), QStringList{"3/5/2024@12960,720"});
    QCOMPARE(Placed(TextOps(surface, QStringLiteral("Hollis Roofing and Gutters"))),
             QStringList{"Hollis Roofing and Gutters@1440,1152"});

    const QStringList blocks = Blocks(surface, 1);
    QCOMPARE(blocks.size(), count * (usaStyle ? 4 : 5));
    QStringList firsts;
    for (const QString &text : blocks)
        if (text.startsWith(QLatin1String("Ms. ")))
            firsts << text;
    QCOMPARE(firsts, firstLines);
    if (count > 0) {
        const QStringList first = blocks.mid(0, usaStyle ? 4 : 5);
        QCOMPARE(first, usaStyle ? (QStringList{"Ms. Ann Lee1@1440,3240", "1 Elm St@1440,3480",
                                                "Xenia, OH 45385@1440,3720", "555-0101@1440,3960"})
                                 : (QStringList{"Ms. Ann Lee1@1440,3240", "1 Elm St@1440,3480",
                                                "Xenia@1440,3720", "45385@1440,3960", "555-0101@1440,4200"}));
    }
}

void CustomerReportTest::newPageWhenARowWouldNotFit() {
    // Rows from 3240 every 1200: after the sixth the next would end past 11520.
    WriteCustomers(*folder, Customers(30));
    RecordingPrintSurface surface;
    QVERIFY(PrintCustomerReport(surface, Settings(), true, QDate(2024, 3, 5)));
    QCOMPARE(surface.PagesStarted(), 2);
    QCOMPARE(TextOps(surface, QStringLiteral("Account Information"), 2).size(), 1);
    QCOMPARE(Blocks(surface, 1).size(), 18 * 4);
    QCOMPARE(Blocks(surface, 2).size(), 12 * 4);
    QCOMPARE(Blocks(surface, 2).first(), QStringLiteral("Ms. Ann Lee19@1440,3240"));
}

void CustomerReportTest::longTextsAreCutAtTheirColumn() {
    QList<CustomerRecord> records = Customers(3);
    const QString longName = QStringLiteral("Northwestern Regional Property Management Associates");
    const QString longStreet = QStringLiteral("12345 Old Settlers Memorial Parkway Extension Building C");
    for (CustomerRecord &rec : records) {
        rec.AcctType = QStringLiteral("Business");
        rec.AcctName = longName;
        rec.Address1 = longStreet;
    }
    WriteCustomers(*folder, records);
    RecordingPrintSurface surface;
    // 120 twips a character: columns 1 and 2 end a tenth of an inch before
    // the next (4176 twips, 34 characters), column 3 at the page's edge
    // (5040 twips, 42 characters).
    surface.SetWidthModel(
        [](const QString &text, const PrintFont &font) { return text.size() * font.size * 12.0; });
    QVERIFY(PrintCustomerReport(surface, Settings(), true, QDate(2024, 3, 5)));
    // As the record keeps them (its fields have lengths of their own).
    const CustomerRecord stored = StoredCustomer(*folder, 1);
    const QString name = stored.AcctName.trimmed();   // 45 characters
    const QString street = stored.Address1.trimmed(); // 35
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

void CustomerReportTest::fromTheCustomerScreen_data() {
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<int>("pages");
    QTest::newRow("printed") << "yes" << QStringList{"Click Yes to print a Customer Report"} << 1;
    QTest::newRow("not wanted") << "no" << QStringList{"Click Yes to print a Customer Report"} << 0;
    QTest::newRow("dialog cancelled")
        << "cancel"
        << QStringList{"Click Yes to print a Customer Report", "The Customer List will not be Printed"} << 0;
    QTest::newRow("printer fails") << "refuse"
                                   << QStringList{"Click Yes to print a Customer Report",
                                                  "A Print Error has occurred"}
                                   << 0;
}

void CustomerReportTest::fromTheCustomerScreen() {
    QFETCH(QString, answer);
    QFETCH(QStringList, messages);
    QFETCH(int, pages);
    BusinessData = Settings().business;
    WriteCustomers(*folder, Customers(4));
    Clock::SetToday([] { return QDate(2024, 3, 5); });
    DialogsInstalled installed;
    auto surface = std::make_shared<RecordingPrintSurface>();
    if (answer == QLatin1String("refuse"))
        surface->RefusePagesFrom(1);
    if (answer != QLatin1String("no"))
        installed.dialogs->AnswerPrinter(answer == QLatin1String("cancel") ? nullptr : surface);

    auto *form = ScreenRegistry::Get<frmCustomer>();
    form->Form_Activate();
    form->mnuPrint_Click();
    QVERIFY(form->cmdPrintCustomers->isVisibleTo(form));
    folder->prompt->shown.clear();
    folder->prompt->Answer(answer == QLatin1String("no") ? MsgAnswer::No : MsgAnswer::Yes);
    if (messages.size() > 1)
        folder->prompt->AnswerOk();
    form->cmdPrintCustomers->click();
    Clock::SetToday({});

    QStringList shown;
    for (const auto &box : folder->prompt->shown)
        shown << box.text;
    QCOMPARE(shown, messages);
    QCOMPARE(folder->prompt->shown[0].title, QStringLiteral("Customer Report"));
    if (answer == QLatin1String("refuse"))
        QCOMPARE(folder->prompt->shown[1].title, QStringLiteral("Print Error"));
    QVERIFY(installed.dialogs->ScriptUsed());
    QCOMPARE(surface->PagesStarted(), pages);
    if (pages)
        QCOMPARE(TextsStarting(*surface, QStringLiteral("Ms. Ann Lee")).size(), 4);
}

// A landscape page in the PDF; with TAMSEL_PRINTED naming a folder the file
// is kept there as customer-report.pdf (the picture in docs/printed).
void CustomerReportTest::reportOnPaper() {
    const QString keep = qEnvironmentVariable("TAMSEL_PRINTED");
    const QString pdf =
        keep.isEmpty() ? folder->file("customer-report.pdf") : QDir(keep).filePath("customer-report.pdf");
    QList<CustomerRecord> records = Customers(7);
    records[1].AcctType = QStringLiteral("Business");
    records[1].AcctName = QStringLiteral("Northwestern Regional Property Management Ltd");
    records[4].Address1 = QStringLiteral("12345 Old Settlers Memorial Parkway");
    WriteCustomers(*folder, records);
    {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        QtPrintSurface surface(printer);
        QVERIFY(PrintCustomerReport(surface, Settings(), true, QDate(2024, 3, 5)));
        QVERIFY(surface.PrintableWidth() > surface.PrintableHeight());
    }
    QFile file(pdf);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.read(5) == "%PDF-");
}

TAMSEL_TEST(CustomerReportTest)
#include "tst_CustomerReport.moc"
