// The rules every print surface shares, on the recording surface: at size 10
// a character is 100 twips wide and a line 240 twips high.
#include "TestMain.h"
#include "platform/RecordingPrintSurface.h"

#include <QTest>

namespace {
// Texts as "text@x,y" joined by '|'.
QString Placed(const RecordingPrintSurface &surface) {
    QStringList placed;
    for (const PrintOperation &op : surface.Operations())
        if (op.kind == PrintOperation::Text)
            placed << QStringLiteral("%1@%2,%3").arg(op.text).arg(op.x).arg(op.y);
    return placed.join('|');
}

// Steps split by '|': "P:text" print, "L:text" or "L" end a line, "#:n" and
// "#L:n" a number, "F:n" font size, "line", "box", "picture", "N" new page, "E" end.
void Run(PrintSurface &s, const QString &steps) {
    for (const QString &step : steps.split('|')) {
        const QString arg = step.section(':', 1);
        if (step.startsWith(QLatin1String("P:")))
            s.Print(arg);
        else if (step == QLatin1String("L"))
            s.PrintLine();
        else if (step.startsWith(QLatin1String("L:")))
            s.PrintLine(arg);
        else if (step.startsWith(QLatin1String("#L:")))
            s.PrintNumberLine(arg.toDouble());
        else if (step.startsWith(QLatin1String("#:")))
            s.PrintNumber(arg.toDouble());
        else if (step.startsWith(QLatin1String("F:")))
            s.SetFontSize(arg.toDouble());
        else if (step == QLatin1String("line"))
            s.DrawLine(1600, 4500, 10650, 4510, 0);
        else if (step == QLatin1String("box"))
            s.DrawBox(1080, 2160, 5400, 3600, 0, BoxFill::Filled);
        else if (step == QLatin1String("picture"))
            QVERIFY(s.DrawPicture("picture", 3000, 360, 1440, 720));
        else if (step == QLatin1String("N"))
            s.NewPage();
        else if (step == QLatin1String("E"))
            s.EndDoc();
        else
            QFAIL(qPrintable("unknown step " + step));
    }
}

const quint32 Blue = PrintRgb(0, 0, 255);
const quint32 Navy = PrintRgb(0, 0, 128);
} // namespace

class PrintSurfaceTest : public QObject {
    Q_OBJECT
private slots:
    void currentPositionAfterOutput_data() {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<double>("x");
        QTest::addColumn<double>("y");
        QTest::addColumn<QString>("placed");
        // All from x 1000, y 2000.
        QTest::newRow("continuing moves x to the end of the text, y stays")
            << "P:abc" << 1300.0 << 2000.0 << "abc@1000,2000";
        QTest::newRow("ending the line returns x to 0 and moves y down one line")
            << "L:abc" << 0.0 << 2240.0 << "abc@1000,2000";
        QTest::newRow("an empty line only moves down") << "L" << 0.0 << 2240.0 << "";
        QTest::newRow("a number after a text leaves two spaces after the hyphen")
            << "P:No. - |#L:1001" << 0.0 << 2240.0 << "No. - @1000,2000| 1001 @1600,2000";
        QTest::newRow("a negative number takes the sign column") << "#:-5" << 1300.0 << 2000.0 << "-5 @1000,2000";
        QTest::newRow("the line height is that of the font in use")
            << "F:18|L:a" << 0.0 << 2432.0 << "a@1000,2000";
        QTest::newRow("a line leaves the position at its second corner") << "line" << 10650.0 << 4510.0 << "";
        QTest::newRow("a box leaves the position at its second corner") << "box" << 5400.0 << 3600.0 << "";
        QTest::newRow("a picture leaves the position where it was") << "picture" << 1000.0 << 2000.0 << "";
        QTest::newRow("a new page starts at the top left") << "P:a|N" << 0.0 << 0.0 << "a@1000,2000";
    }
    void currentPositionAfterOutput() {
        QFETCH(QString, steps);
        QFETCH(double, x);
        QFETCH(double, y);
        QFETCH(QString, placed);
        RecordingPrintSurface surface;
        surface.SetCurrentX(1000);
        surface.SetCurrentY(2000);
        Run(surface, steps);
        QCOMPARE(QPointF(surface.CurrentX(), surface.CurrentY()), QPointF(x, y));
        QCOMPARE(Placed(surface), placed);
    }
    void operationsKeepTheStateTheyWereMadeIn() {
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
        QCOMPARE(ops[0].font, (PrintFont{"Courier New", 12, true, true}));
        QCOMPARE(ops[1].color, Navy); // the colour given, not the text colour
        QCOMPARE(ops[1].penWidth, 2);
        QCOMPARE(ops[1].filled, false);
        QCOMPARE(ops[2].penWidth, 1);
        QCOMPARE(ops[3].font.underline, false);
        QCOMPARE(ops[3].color, Blue); // text colour stays until set again
    }
    void pagesThatReachTheDevice_data() {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<int>("pages");
        QTest::addColumn<int>("documents");
        QTest::addColumn<QList<int>>("pageOfEachText");
        QTest::addColumn<int>("jobPageAfter");

        QTest::newRow("the page begun after the last copy never comes out")
            << "L:copy 1|N|E" << 1 << 1 << QList<int>{1} << 1;
        QTest::newRow("a blank page ended by a new page still comes out")
            << "L:one|N|N|L:three|E" << 3 << 1 << QList<int>{1, 3} << 1;
        QTest::newRow("empty lines alone start no document") << "L|P:|E" << 0 << 0 << QList<int>{} << 1;
        QTest::newRow("the job page number counts before the page is drawn on")
            << "L:one|N|N" << 2 << 0 << QList<int>{1} << 3;
        QTest::newRow("a second job starts again at page 1")
            << "L:first job|N|E|L:second job|E" << 2 << 2 << QList<int>{1, 1} << 1;
    }
    void pagesThatReachTheDevice() {
        QFETCH(QString, steps);
        QFETCH(int, pages);
        QFETCH(int, documents);
        QFETCH(QList<int>, pageOfEachText);
        QFETCH(int, jobPageAfter);
        RecordingPrintSurface surface;
        Run(surface, steps);
        QCOMPARE(surface.PagesStarted(), pages);
        QCOMPARE(surface.DocumentsEnded(), documents);
        QList<int> pageOf;
        for (const PrintOperation &op : surface.Operations())
            pageOf << op.page;
        QCOMPARE(pageOf, pageOfEachText);
        QCOMPARE(surface.JobPageNo(), jobPageAfter);
    }
    void refusedPageStopsTheJobUntilTheNext() {
        RecordingPrintSurface surface;
        surface.RefusePagesFrom(2);
        surface.PrintLine("page 1");
        QVERIFY(!surface.Failed());
        surface.NewPage();
        surface.PrintLine("page 2");
        QVERIFY(surface.Failed());
        QVERIFY(!surface.DrawPicture("logo", 0, 0, 10, 10));
        QCOMPARE(surface.Texts(), QStringList{"page 1"});
        surface.EndDoc();
        QVERIFY(surface.Failed()); // the caller can still tell after the end
        QCOMPARE(surface.DocumentsEnded(), 1);

        surface.RefusePagesFrom(0);
        surface.PrintLine("next job");
        QVERIFY(!surface.Failed());
    }
    void landscapeTurnsThePrintableArea() {
        RecordingPrintSurface surface;
        const auto area = [&] { return QSizeF(surface.PrintableWidth(), surface.PrintableHeight()); };
        QCOMPARE(surface.Orientation(), PrintOrientation::Portrait);
        QCOMPARE(area(), QSizeF(11520, 15120));
        surface.SetOrientation(PrintOrientation::Landscape);
        QCOMPARE(area(), QSizeF(15120, 11520));
        surface.SetPrintableSize(15000, 11000);
        surface.SetOrientation(PrintOrientation::Portrait);
        QCOMPARE(area(), QSizeF(11000, 15000));
    }
};

TAMSEL_TEST(PrintSurfaceTest)
#include "tst_PrintSurface.moc"
