// The rules every print surface shares (where the current position goes,
// how numbers print, when a page reaches the device), checked on the
// recording surface with its fixed metrics: at size 10 a character is 100
// twips wide and a line 240 twips high.
#include "platform/RecordingPrintSurface.h"
#include "TestMain.h"

#include <QTest>
#include <functional>

using SurfaceSteps = std::function<void(PrintSurface &)>;
Q_DECLARE_METATYPE(SurfaceSteps)

namespace {
// Each text printed as "text@x,y".
QStringList Placed(const RecordingPrintSurface &surface) {
    QStringList placed;
    for (const PrintOperation &op : surface.Operations())
        if (op.kind == PrintOperation::Text)
            placed << QStringLiteral("%1@%2,%3").arg(op.text).arg(op.x).arg(op.y);
    return placed;
}

const quint32 Blue = PrintRgb(0, 0, 255);
const quint32 Navy = PrintRgb(0, 0, 128);
} // namespace

class PrintSurfaceTest : public QObject {
    Q_OBJECT
private slots:
    void currentPositionAfterOutput_data();
    void currentPositionAfterOutput();
    void numbersTakeASignColumnAndATrailingSpace_data();
    void numbersTakeASignColumnAndATrailingSpace();
    void operationsKeepTheStateTheyWereMadeIn();
    void metricsFollowTheModelAndTheFont();
    void pagesThatReachTheDevice_data();
    void pagesThatReachTheDevice();
    void refusedPageStopsTheJobUntilTheNext();
    void landscapeTurnsThePrintableArea();
};

void PrintSurfaceTest::currentPositionAfterOutput_data() {
    QTest::addColumn<SurfaceSteps>("steps");
    QTest::addColumn<double>("x");
    QTest::addColumn<double>("y");
    QTest::addColumn<QStringList>("placed");

    QTest::newRow("continuing moves x to the end of the text, y stays")
        << SurfaceSteps([](PrintSurface &s) { s.Print("abc"); }) << 1300.0 << 2000.0
        << QStringList{"abc@1000,2000"};
    QTest::newRow("ending the line returns x to 0 and moves y down one line")
        << SurfaceSteps([](PrintSurface &s) { s.PrintLine("abc"); }) << 0.0 << 2240.0
        << QStringList{"abc@1000,2000"};
    QTest::newRow("an empty line only moves down")
        << SurfaceSteps([](PrintSurface &s) { s.PrintLine(); }) << 0.0 << 2240.0 << QStringList{};
    QTest::newRow("a number after a text leaves two spaces after the hyphen")
        << SurfaceSteps([](PrintSurface &s) {
               s.Print("No. - ");
               s.PrintNumberLine(1001);
           })
        << 0.0 << 2240.0 << QStringList{"No. - @1000,2000", " 1001 @1600,2000"};
    QTest::newRow("a number continuing the line counts its two spaces")
        << SurfaceSteps([](PrintSurface &s) { s.PrintNumber(-5); }) << 1300.0 << 2000.0
        << QStringList{"-5 @1000,2000"};
    QTest::newRow("the line height is that of the font in use") << SurfaceSteps([](PrintSurface &s) {
        s.SetFontSize(18);
        s.PrintLine("a");
    }) << 0.0 << 2432.0 << QStringList{"a@1000,2000"};
    QTest::newRow("a line leaves the position at its second corner")
        << SurfaceSteps([](PrintSurface &s) { s.DrawLine(1600, 4500, 10650, 4510, 0); }) << 10650.0 << 4510.0
        << QStringList{};
    QTest::newRow("a box leaves the position at its second corner")
        << SurfaceSteps([](PrintSurface &s) { s.DrawBox(1080, 2160, 5400, 3600, 0, BoxFill::Filled); })
        << 5400.0 << 3600.0 << QStringList{};
    QTest::newRow("a picture leaves the position where it was")
        << SurfaceSteps([](PrintSurface &s) { QVERIFY(s.DrawPicture("picture", 3000, 360, 1440, 720)); })
        << 1000.0 << 2000.0 << QStringList{};
    QTest::newRow("a new page starts at the top left") << SurfaceSteps([](PrintSurface &s) {
        s.Print("a");
        s.NewPage();
    }) << 0.0 << 0.0 << QStringList{"a@1000,2000"};
}

void PrintSurfaceTest::currentPositionAfterOutput() {
    QFETCH(SurfaceSteps, steps);
    QFETCH(double, x);
    QFETCH(double, y);
    QFETCH(QStringList, placed);
    RecordingPrintSurface surface;
    surface.SetCurrentX(1000);
    surface.SetCurrentY(2000);
    steps(surface);
    QCOMPARE(surface.CurrentX(), x);
    QCOMPARE(surface.CurrentY(), y);
    QCOMPARE(Placed(surface), placed);
}

void PrintSurfaceTest::numbersTakeASignColumnAndATrailingSpace_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("a proposal number") << 1001.0 << " 1001 ";
    QTest::newRow("negative") << -3.0 << "-3 ";
    QTest::newRow("a fraction") << 2.5 << " 2.5 ";
}

void PrintSurfaceTest::numbersTakeASignColumnAndATrailingSpace() {
    QFETCH(double, value);
    QFETCH(QString, text);
    QCOMPARE(PrintSurface::NumberText(value), text);
}

void PrintSurfaceTest::operationsKeepTheStateTheyWereMadeIn() {
    RecordingPrintSurface surface;
    surface.SetFontName("Courier New");
    surface.SetFontSize(12);
    surface.SetBold(true);
    surface.SetUnderline(true);
    surface.SetTextColor(Blue);
    surface.SetPenWidth(2);
    surface.Print("Proposal");
    surface.DrawBox(8640, 720, 10800, 1800, Navy);
    surface.SetPenWidth(0); // never thinner than one
    surface.SetUnderline(false);
    surface.DrawLine(1600, 4500, 10650, 4500, 0);
    surface.PrintLine("after");

    const QList<PrintOperation> &ops = surface.Operations();
    QCOMPARE(ops.size(), 4);
    const PrintFont courierBoldUnderlined{"Courier New", 12, true, true};
    QCOMPARE(ops[0].kind, PrintOperation::Text);
    QCOMPARE(ops[0].font, courierBoldUnderlined);
    QCOMPARE(ops[0].color, Blue);
    QCOMPARE(ops[1].kind, PrintOperation::Box);
    QCOMPARE(ops[1].color, Navy); // the colour given, not the text colour
    QCOMPARE(ops[1].penWidth, 2);
    QCOMPARE(ops[1].filled, false);
    QCOMPARE(QList<double>({ops[1].x, ops[1].y, ops[1].x2, ops[1].y2}),
             QList<double>({8640, 720, 10800, 1800}));
    QCOMPARE(ops[2].kind, PrintOperation::Line);
    QCOMPARE(ops[2].color, quint32(0));
    QCOMPARE(ops[2].penWidth, 1);
    QCOMPARE(ops[3].font.underline, false);
    QCOMPARE(ops[3].color, Blue); // text colour stays until set again
    QCOMPARE(ops[3].x, 10650.0);
    QCOMPARE(ops[3].y, 4500.0);
}

void PrintSurfaceTest::metricsFollowTheModelAndTheFont() {
    RecordingPrintSurface surface;
    surface.SetFontSize(8);
    QCOMPARE(surface.TextWidth("Amount"), 480.0);
    QCOMPARE(surface.TextHeight(), 192.0);
    QCOMPARE(surface.TextHeight("one\ntwo"), 384.0);
    // A test may measure with its own widths, e.g. per font.
    surface.SetWidthModel([](const QString &text, const PrintFont &font) {
        return double(text.size()) * (font.name == "Courier New" ? 120 : 90);
    });
    surface.SetLineHeightModel([](const PrintFont &font) { return font.bold ? 250.0 : 230.0; });
    QCOMPARE(surface.TextWidth("ab"), 180.0);
    surface.SetFontName("Courier New");
    surface.SetBold(true);
    QCOMPARE(surface.TextWidth("ab"), 240.0);
    surface.SetCurrentX(100);
    surface.PrintLine("ab");
    QCOMPARE(surface.CurrentY(), 250.0);
}

void PrintSurfaceTest::pagesThatReachTheDevice_data() {
    QTest::addColumn<SurfaceSteps>("steps");
    QTest::addColumn<int>("pages");
    QTest::addColumn<int>("documents");
    QTest::addColumn<QList<int>>("pageOfEachText");
    QTest::addColumn<int>("jobPageAfter");

    QTest::newRow("the page begun after the last copy never comes out") << SurfaceSteps([](PrintSurface &s) {
        s.PrintLine("copy 1");
        s.NewPage();
        s.EndDoc();
    }) << 1 << 1 << QList<int>{1} << 1;
    QTest::newRow("two pages, each numbered in the job") << SurfaceSteps([](PrintSurface &s) {
        s.PrintLine("one");
        s.NewPage();
        s.PrintLine("two");
        s.NewPage();
        s.EndDoc();
    }) << 2 << 1 << QList<int>{1, 2} << 1;
    QTest::newRow("a blank page ended by a new page still comes out") << SurfaceSteps([](PrintSurface &s) {
        s.PrintLine("one");
        s.NewPage();
        s.NewPage();
        s.PrintLine("three");
        s.EndDoc();
    }) << 3 << 1 << QList<int>{1, 3} << 1;
    QTest::newRow("empty lines alone start no document") << SurfaceSteps([](PrintSurface &s) {
        s.PrintLine();
        s.Print(QString());
        s.EndDoc();
    }) << 0 << 0 << QList<int>{} << 1;
    QTest::newRow("the job page number counts before the page is drawn on")
        << SurfaceSteps([](PrintSurface &s) {
               s.PrintLine("one");
               s.NewPage();
               s.NewPage();
           })
        << 2 << 0 << QList<int>{1} << 3;
    QTest::newRow("a second job starts again at page 1") << SurfaceSteps([](PrintSurface &s) {
        s.PrintLine("first job");
        s.NewPage();
        s.EndDoc();
        s.PrintLine("second job");
        s.EndDoc();
    }) << 2 << 2 << QList<int>{1, 1} << 1;
}

void PrintSurfaceTest::pagesThatReachTheDevice() {
    QFETCH(SurfaceSteps, steps);
    QFETCH(int, pages);
    QFETCH(int, documents);
    QFETCH(QList<int>, pageOfEachText);
    QFETCH(int, jobPageAfter);
    RecordingPrintSurface surface;
    steps(surface);
    QCOMPARE(surface.PagesStarted(), pages);
    QCOMPARE(surface.DocumentsEnded(), documents);
    QList<int> pageOf;
    for (const PrintOperation &op : surface.Operations())
        pageOf << op.page;
    QCOMPARE(pageOf, pageOfEachText);
    QCOMPARE(surface.JobPageNo(), jobPageAfter);
}

void PrintSurfaceTest::refusedPageStopsTheJobUntilTheNext() {
    RecordingPrintSurface surface;
    surface.RefusePagesFrom(2);
    surface.PrintLine("page 1");
    QVERIFY(!surface.Failed());
    surface.NewPage();
    surface.PrintLine("page 2");
    QVERIFY(surface.Failed());
    QVERIFY(!surface.DrawPicture("logo", 0, 0, 10, 10));
    surface.DrawBox(0, 0, 100, 100, 0);
    QCOMPARE(surface.Texts(), QStringList{"page 1"});
    QCOMPARE(surface.CurrentX(), 100.0); // the layout still moves on
    surface.EndDoc();
    QVERIFY(surface.Failed()); // the caller can still tell after the end
    QCOMPARE(surface.DocumentsEnded(), 1);

    surface.RefusePagesFrom(0);
    surface.PrintLine("next job");
    QVERIFY(!surface.Failed());
    QCOMPARE(surface.Texts().last(), QStringLiteral("next job"));
}

void PrintSurfaceTest::landscapeTurnsThePrintableArea() {
    RecordingPrintSurface surface;
    QCOMPARE(surface.Orientation(), PrintOrientation::Portrait);
    QCOMPARE(surface.PrintableWidth(), 11520.0);
    QCOMPARE(surface.PrintableHeight(), 15120.0);
    surface.SetOrientation(PrintOrientation::Landscape);
    QCOMPARE(surface.PrintableWidth(), 15120.0);
    QCOMPARE(surface.PrintableHeight(), 11520.0);
    surface.SetPrintableSize(15000, 11000);
    surface.SetOrientation(PrintOrientation::Portrait);
    QCOMPARE(surface.PrintableWidth(), 11000.0);
    QCOMPARE(surface.PrintableHeight(), 15000.0);
}

TAMSEL_TEST(PrintSurfaceTest)
#include "tst_PrintSurface.moc"
