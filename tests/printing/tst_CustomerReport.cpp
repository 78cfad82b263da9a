// The customer report on a landscape page: the header, three address blocks a
// row, rows by address style, a new page when a row would not fit, texts cut
// at their column; and the report from the customer screen's "&Print".
#include "../customers/CustomerFixtures.h"
#include "PrintFixtures.h"
#include "TestMain.h"
#include "common/CommonVariables.h"
#include "common/ScreenRegistry.h"
#include "customers/frmCustomer.h"
#include "platform/Clock.h"
#include "printing/CustomerReport.h"

#include <QPushButton>
#include <QRegularExpression>
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

    void headerAndRowsOfThree_data() {
        QTest::addColumn<int>("count");
        QTest::addColumn<bool>("usaStyle");
        QTest::addColumn<QString>("firstLines"); // the first line of each block
        // Size 10: 240 twips a line; a USA row takes 5 lines, an international one 6.
        QTest::newRow("seven customers: rows of 3, 3 and 1")
            << 7 << true
            << "Ms. Ann Lee1@1440,3240|Ms. Ann Lee2@5760,3240|Ms. Ann Lee3@10080,3240|Ms. Ann Lee4@1440,4440|"
               "Ms. Ann Lee5@5760,4440|Ms. Ann Lee6@10080,4440|Ms. Ann Lee7@1440,5640";
        QTest::newRow("international style: a line more a row")
            << 4 << false
            << "Ms. Ann Lee1@1440,3240|Ms. Ann Lee2@5760,3240|Ms. Ann Lee3@10080,3240|Ms. Ann Lee4@1440,4680";
        QTest::newRow("no customers: the header alone") << 0 << true << QString();
    }
    void headerAndRowsOfThree() {
        QFETCH(int, count);
        QFETCH(bool, usaStyle);
        QFETCH(QString, firstLines);
        WriteCustomers(*folder, Customers(count));
        RecordingPrintSurface surface;
        QVERIFY(PrintCustomerReport(surface, Settings(), usaStyle, QDate(2024, 3, 5)));
        QCOMPARE(surface.Orientation(), PrintOrientation::Landscape);
        QCOMPARE(surface.PagesStarted(), 1);
        QCOMPARE(surface.DocumentsEnded(), 1);

        const QStringList placed = Placed(OfKind(surface, PrintOperation::Text));
        for (const char *text :
             {"Account Information@6230,720", "3/5/2024@12960,720", "Hollis Roofing and Gutters@1440,1152"})
            QCOMPARE(placed.count(QString::fromLatin1(text)), 1);
        QCOMPARE(TextOps(surface, "Account Information")[0].font, (PrintFont{"Arial", 14, true, true}));

        const QStringList blocks = Blocks(surface, 1);
        QCOMPARE(blocks.size(), count * (usaStyle ? 4 : 5));
        QCOMPARE(blocks.filter(QRegularExpression("^Ms\\. ")).join('|'), firstLines);
        if (count > 0)
            QCOMPARE(
                blocks.mid(0, usaStyle ? 4 : 5).join('|'),
                usaStyle
                    ? "Ms. Ann Lee1@1440,3240|1 Elm St@1440,3480|Xenia, OH 45385@1440,3720|555-0101@1440,3960"
                    : "Ms. Ann Lee1@1440,3240|1 Elm St@1440,3480|Xenia@1440,3720|45385@1440,3960|"
                      "555-0101@1440,4200");
    }
    void newPageWhenARowWouldNotFit() {
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
    void longTextsAreCutAtTheirColumn() {
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
    void fromTheCustomerScreen_data() {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("message"); // after the question
        QTest::addColumn<int>("pages");
        QTest::newRow("printed") << "yes" << QString() << 1;
        QTest::newRow("not wanted") << "no" << QString() << 0;
        QTest::newRow("dialog cancelled") << "cancel"
                                          << "The Customer List will not be Printed" << 0;
        QTest::newRow("printer fails") << "refuse"
                                       << "A Print Error has occurred" << 0;
    }
    void fromTheCustomerScreen() {
        QFETCH(QString, answer);
        QFETCH(QString, message);
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
        if (!message.isEmpty())
            folder->prompt->AnswerOk();
        form->cmdPrintCustomers->click();
        Clock::SetToday({});

        QStringList shown;
        for (const auto &box : folder->prompt->shown)
            shown << box.text;
        QCOMPARE(shown.join('|'),
                 "Click Yes to print a Customer Report" + (message.isEmpty() ? "" : "|" + message));
        QCOMPARE(folder->prompt->shown[0].title, QStringLiteral("Customer Report"));
        if (answer == QLatin1String("refuse"))
            QCOMPARE(folder->prompt->shown[1].title, QStringLiteral("Print Error"));
        QVERIFY(installed.dialogs->ScriptUsed());
        QCOMPARE(surface->PagesStarted(), pages);
        if (pages)
            QCOMPARE(TextsStarting(*surface, QStringLiteral("Ms. Ann Lee")).size(), 4);
    }
    // A landscape page in the PDF, kept as customer-report.pdf.
    void reportOnPaper() {
        QList<CustomerRecord> records = Customers(7);
        records[1].AcctType = QStringLiteral("Business");
        records[1].AcctName = QStringLiteral("Northwestern Regional Property Management Ltd");
        records[4].Address1 = QStringLiteral("12345 Old Settlers Memorial Parkway");
        WriteCustomers(*folder, records);
        QVERIFY(PrintPdf(KeptPdf(*folder, "customer-report.pdf"), [](QtPrintSurface &surface) {
            return PrintCustomerReport(surface, Settings(), true, QDate(2024, 3, 5)) &&
                   surface.PrintableWidth() > surface.PrintableHeight();
        }));
    }

private:
    std::unique_ptr<TestFolder> folder;
};

TAMSEL_TEST(CustomerReportTest)
#include "tst_CustomerReport.moc"
