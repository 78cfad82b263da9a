// The rules every print surface shares, on the recording surface: at size 10
// a character is 100 twips wide and a line 240 twips high. Then the surface on
// paper: what is painted in twips must land where it should in the PDF's
// pictures at 72 dpi (20 twips a pixel, after an 18-pixel margin).
#include "TestMain.h"
#include "platform/QtPrintSurface.h"
#include "platform/RecordingPrintSurface.h"

#include <QBuffer>
#include <QDir>
#include <QFontInfo>
#include <QImage>
#include <QPrinter>
#include <QProcess>
#include <QTemporaryDir>
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
// "#L:n" a number, "F:n" font size, "N" new page.
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
        else if (step == QLatin1String("N"))
            s.NewPage();
        else
            QFAIL(qPrintable("unknown step " + step));
    }
}

constexpr int Margin = 18; // pixels at 72 dpi

int Px(double twips) {
    return Margin + int(twips / 20);
}
bool IsDark(const QImage &page, int x, int y) {
    return qGray(page.pixel(x, y)) < 64;
}
bool IsWhite(const QImage &page, int x, int y) {
    return qGray(page.pixel(x, y)) > 240;
}

// The pages of a PDF as 72-dpi pictures, in order.
QList<QImage> Render(const QString &pdf, const QString &folder) {
    QList<QImage> pages;
    const QStringList arguments{"-r", "72", "-png", pdf, QDir(folder).filePath(QStringLiteral("page"))};
    if (QProcess::execute(QStringLiteral("pdftoppm"), arguments) != 0)
        return pages;
    for (const QString &name : QDir(folder).entryList({"page-*.png"}, QDir::Files, QDir::Name))
        pages << QImage(QDir(folder).filePath(name));
    return pages;
}

QByteArray RedPicture() {
    QImage image(4, 2, QImage::Format_RGB32);
    image.fill(Qt::red);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}
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
        QTest::newRow("a number after a text leaves two spaces after the hyphen")
            << "P:No. - |#L:1001" << 0.0 << 2240.0 << "No. - @1000,2000| 1001 @1600,2000";
        QTest::newRow("a negative number takes the sign column") << "#:-5" << 1300.0 << 2000.0 << "-5 @1000,2000";
        QTest::newRow("the line height is that of the font in use")
            << "F:18|L:a" << 0.0 << 2432.0 << "a@1000,2000";
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
    // Only pages drawn on, or ended by a new page, reach the device; the job's
    // page number counts before the page is drawn on.
    void pagesThatReachTheDevice() {
        RecordingPrintSurface surface;
        surface.PrintLine();
        surface.EndDoc();
        QCOMPARE(surface.DocumentsEnded(), 0); // empty lines alone start no document
        surface.PrintLine("one");
        surface.NewPage();
        surface.NewPage();
        QCOMPARE(surface.JobPageNo(), 3);
        surface.EndDoc();
        QCOMPARE(surface.PagesStarted(), 2); // the blank second page, not the third begun
        QCOMPARE(surface.DocumentsEnded(), 1);
        surface.PrintLine("second job");
        QCOMPARE(surface.JobPageNo(), 1);
    }
    void pdfPagesLandInTwips() {
        QTemporaryDir folder;
        const QString pdf = folder.filePath("job.pdf");
        QPrinter printer;
        printer.setOutputFileName(pdf);
        QtPrintSurface surface(printer);
        QCOMPARE(printer.resolution(), 1440);
        QCOMPARE(QSizeF(surface.PrintableWidth(), surface.PrintableHeight()),
                 QSizeF(11520, 15120)); // 8 x 10.5 in

        // Page 1: a black square from 1 to 2 inches, a red picture scaled into a
        // box 2 by 1 inches, and big text from y = 4320.
        surface.DrawBox(1440, 1440, 2880, 2880, 0, BoxFill::Filled);
        QVERIFY(surface.DrawPicture(RedPicture(), 4320, 1440, 2880, 1440));
        QVERIFY(!surface.DrawPicture("not a picture", 4320, 4320, 1440, 1440));
        surface.SetFontSize(36);
        surface.SetCurrentX(1440);
        surface.SetCurrentY(4320);
        surface.Print("HHHH");
        const double textRight = surface.CurrentX();
        surface.PrintLine();
        const double nextLine = surface.CurrentY();
        surface.NewPage();
        surface.SetFontSize(12);
        surface.SetCurrentY(1440);
        surface.PrintLine("Second page");
        surface.NewPage(); // as after the last copy: nothing follows
        surface.EndDoc();
        QVERIFY(!surface.Failed());

        const QList<QImage> pages = Render(pdf, folder.path());
        QCOMPARE(pages.size(), 2); // no empty page after the end
        const QImage &page = pages[0];
        QCOMPARE(page.size(), QSize(612, 792)); // US Letter, portrait

        // The square: inside dark, just outside white, on every side.
        QVERIFY(IsDark(page, Px(1440) + 2, Px(1440) + 2) && IsDark(page, Px(2880) - 2, Px(2880) - 2));
        QVERIFY(IsWhite(page, Px(1440) - 3, Px(1440) - 3) && IsWhite(page, Px(2880) + 3, Px(2880) + 3));

        // The picture fills its box and no more.
        const QRgb inside = page.pixel(Px(4320) + 5, Px(1440) + 5);
        QVERIFY(qRed(inside) > 200 && qGreen(inside) < 60 && qBlue(inside) < 60);
        QVERIFY(qRed(page.pixel(Px(7200) - 3, Px(2880) - 3)) > 200);
        QVERIFY(IsWhite(page, Px(7200) + 3, Px(2880) + 3));

        // Text hangs below its current y and stays within its measured box.
        QRect ink;
        for (int y = Px(4320) - 20; y < Px(nextLine) + 20; ++y)
            for (int x = Px(1440) - 20; x < Px(textRight) + 20; ++x)
                if (IsDark(page, x, y))
                    ink |= QRect(x, y, 1, 1);
        QVERIFY2(!ink.isEmpty(), "no text was painted");
        QVERIFY(ink.top() >= Px(4320) && ink.bottom() <= Px(nextLine));
        QVERIFY(ink.left() >= Px(1440) && ink.left() <= Px(1440) + 6);
        QVERIFY(ink.right() <= Px(textRight) && ink.right() >= Px(textRight) - 8);

        // The second page's line is on the second page.
        bool inked = false;
        for (int y = Px(1440); y < Px(1680); ++y)
            for (int x = Px(0); x < Px(1440); ++x)
                inked = inked || IsDark(pages[1], x, y);
        QVERIFY(inked);
    }
    void metricsAreThoseOfThePrinterFont() {
        QPrinter printer;
        printer.setOutputFileName(QDir::temp().filePath("unused.pdf"));
        QtPrintSurface surface(printer);

        // Courier New's face: every character 0.6 em, 120 twips at 10 points, at
        // the printer's 1440 dpi, not the screen's.
        surface.SetFontName("Courier New");
        surface.SetFontSize(10);
        QVERIFY(qAbs(surface.TextWidth("iiiiiiiiii") - 1200) < 2);
        QVERIFY(surface.TextHeight() > 200 && surface.TextHeight() < 300);

        // Arial is metric-compatible with the installed Liberation Sans.
        surface.SetFontName("Arial");
        const double arial = surface.TextWidth("Acceptance of Proposal");
        QFont liberation("Liberation Sans");
        liberation.setPointSizeF(10);
        QVERIFY(QFontInfo(liberation).family().contains("Liberation Sans"));
        QVERIFY(qAbs(arial -
                     QFontMetricsF(liberation, &printer).horizontalAdvance("Acceptance of Proposal")) < 1);

        // Size and the line height follow the font as it is set now.
        const double line10 = surface.TextHeight();
        surface.SetFontSize(20);
        QVERIFY(qAbs(surface.TextWidth("Acceptance of Proposal") - 2 * arial) < 4);
        surface.PrintLine();
        QVERIFY(qAbs(surface.CurrentY() - 2 * line10) < 4);
    }
    void paperChosenInTheDialog_data() {
        QTest::addColumn<int>("paper"); // QPageSize::PageSizeId
        QTest::addColumn<bool>("asChosen");
        QTest::addColumn<QSizeF>("printable"); // portrait; landscape turns it
        QTest::addColumn<bool>("holds");
        // Qt's A4 is 595 x 842 points; a quarter inch is taken on each side.
        QTest::newRow("A5: too small") << int(QPageSize::A5) << true << QSizeF(7680, 11180) << false;
        QTest::newRow("A4 outside the dialog: Letter")
            << int(QPageSize::A4) << false << QSizeF(11520, 15120) << true;
    }
    void paperChosenInTheDialog() {
        QFETCH(int, paper);
        QFETCH(bool, asChosen);
        QFETCH(QSizeF, printable);
        QFETCH(bool, holds);
        QTemporaryDir folder;
        QPrinter printer;
        printer.setOutputFileName(folder.filePath("job.pdf"));
        printer.setPageSize(QPageSize(QPageSize::PageSizeId(paper)));
        QtPrintSurface surface(printer, asChosen ? PrintPaper::AsChosen : PrintPaper::Letter);
        QVERIFY(qAbs(surface.PrintableWidth() - printable.width()) < 1);
        QVERIFY(qAbs(surface.PrintableHeight() - printable.height()) < 1);
        QCOMPARE(surface.HoldsPages(), holds);
        surface.SetOrientation(PrintOrientation::Landscape);
        QVERIFY(qAbs(surface.PrintableWidth() - printable.height()) < 1);
        QVERIFY(qAbs(surface.PrintableHeight() - printable.width()) < 1);
        QCOMPARE(surface.HoldsPages(), holds);
    }
    void printerThatCannotStartFails() {
        QTemporaryDir folder;
        QPrinter printer;
        printer.setOutputFileName(folder.filePath("no such folder/job.pdf"));
        QtPrintSurface surface(printer);
        surface.PrintLine("Proposal");
        surface.DrawBox(0, 0, 1440, 1440, 0);
        QVERIFY(surface.Failed());
        surface.EndDoc();
        QVERIFY(surface.Failed());
        QVERIFY(!QFile::exists(folder.filePath("no such folder/job.pdf")));
    }
};

TAMSEL_TEST(PrintSurfaceTest)
#include "tst_PrintSurface.moc"
