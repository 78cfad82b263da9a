// The surface on paper: what is painted in twips must land where it should in
// the PDF's pictures at 72 dpi (20 twips a pixel, after an 18-pixel margin).
#include "TestMain.h"
#include "platform/QtDialogs.h"
#include "platform/QtPrintSurface.h"

#include <QApplication>
#include <QBuffer>
#include <QPrintDialog>
#include <QSpinBox>
#include <QTimer>
#include <QDir>
#include <QFontInfo>
#include <QImage>
#include <QPrinter>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {
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
    const QString tool = QStandardPaths::findExecutable(QStringLiteral("pdftoppm"));
    if (tool.isEmpty())
        return {};
    const int code =
        QProcess::execute(tool, {"-r", "72", "-png", pdf, QDir(folder).filePath(QStringLiteral("page"))});
    if (code != 0)
        return {};
    QList<QImage> pages;
    const QStringList names = QDir(folder).entryList({"page-*.png"}, QDir::Files, QDir::Name);
    for (const QString &name : names)
        pages << QImage(QDir(folder).filePath(name));
    return pages;
}

QString PdfText(const QString &pdf, int page) {
    QProcess process;
    process.start(QStringLiteral("pdftotext"),
                  {"-f", QString::number(page), "-l", QString::number(page), pdf, QStringLiteral("-")});
    process.waitForFinished();
    return QString::fromUtf8(process.readAllStandardOutput());
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

class QtPrintSurfaceTest : public QObject {
    Q_OBJECT
private slots:
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
        // box 2 by 1 inches, a blue frame, and big text from y = 4320.
        surface.DrawBox(1440, 1440, 2880, 2880, 0, BoxFill::Filled);
        QVERIFY(surface.DrawPicture(RedPicture(), 4320, 1440, 2880, 1440));
        QVERIFY(!surface.DrawPicture("not a picture", 4320, 4320, 1440, 1440));
        surface.SetPenWidth(2);
        surface.DrawBox(1080, 7200, 10800, 8640, PrintRgb(0, 0, 255));
        surface.SetPenWidth(1);
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

        // The frame's outline is blue, its inside untouched.
        const QRgb edge = page.pixel(Px(5000), Px(7200));
        QVERIFY(qBlue(edge) > 200 && qRed(edge) < 100);
        QVERIFY(IsWhite(page, Px(5000), Px(7920)));

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

        QVERIFY(PdfText(pdf, 2).contains("Second page"));
        QVERIFY(!PdfText(pdf, 1).contains("Second page"));
    }
    void landscapeAndMonochrome() {
        QTemporaryDir folder;
        const QString pdf = folder.filePath("report.pdf");
        QPrinter printer;
        printer.setOutputFileName(pdf);
        QtPrintSurface surface(printer);
        surface.SetOrientation(PrintOrientation::Landscape);
        surface.SetColorMode(false);
        QCOMPARE(QSizeF(surface.PrintableWidth(), surface.PrintableHeight()), QSizeF(15120, 11520));
        // A square in the printable area's bottom-right corner, and a blue one turned grey.
        surface.DrawBox(14400, 10800, 15120, 11520, 0, BoxFill::Filled);
        surface.DrawBox(0, 0, 1440, 1440, PrintRgb(0, 0, 255), BoxFill::Filled);
        surface.EndDoc();

        const QList<QImage> pages = Render(pdf, folder.path());
        QCOMPARE(pages.size(), 1);
        QCOMPARE(pages[0].size(), QSize(792, 612));
        QVERIFY(IsDark(pages[0], Px(15120) - 3, Px(11520) - 3));
        QVERIFY(IsWhite(pages[0], Px(15120) + 3, Px(11520) - 3));
        const QRgb grey = pages[0].pixel(Px(720), Px(720));
        QVERIFY(qAbs(qRed(grey) - qBlue(grey)) < 8 && qGray(grey) < 200);
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

        // Size, bold and the line height follow the font as it is set now.
        surface.SetBold(true);
        QVERIFY(surface.TextWidth("Acceptance of Proposal") > arial);
        surface.SetBold(false);
        const double line10 = surface.TextHeight();
        surface.SetFontSize(20);
        QVERIFY(qAbs(surface.TextWidth("Acceptance of Proposal") - 2 * arial) < 4);
        surface.PrintLine();
        QVERIFY(qAbs(surface.CurrentY() - 2 * line10) < 4);
    }
    void paperChosenInTheDialog_data() {
        QTest::addColumn<int>("paper"); // QPageSize::PageSizeId
        QTest::addColumn<bool>("asChosen");
        QTest::addColumn<QSizeF>("printable");
        QTest::addColumn<bool>("holds");
        // Qt's A4 is 595 x 842 points; a quarter inch is taken on each side.
        QTest::newRow("A4 kept") << int(QPageSize::A4) << true << QSizeF(11180, 16120) << true;
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
        QCOMPARE(surface.HoldsPages(), holds);
    }
    // The labelled copies come from the setup screen: the print dialog offers
    // no copies of its own, which would repeat the whole set.
    void printDialogOffersNoCopies() {
        bool copiesShown = true;
        QObject scope;
        QTimer::singleShot(0, &scope, [&] {
            auto *dialog = qobject_cast<QPrintDialog *>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            auto *copies = dialog->findChild<QSpinBox *>(QStringLiteral("copies"));
            QVERIFY(copies);
            copiesShown = copies->isVisibleTo(dialog);
            dialog->reject();
        });
        QtDialogs dialogs;
        QVERIFY(!dialogs.ChoosePrinter());
        QVERIFY(!copiesShown);
    }
    void printerThatCannotStartFails() {
        QTemporaryDir folder;
        QPrinter printer;
        printer.setOutputFileName(folder.filePath("no such folder/job.pdf"));
        QtPrintSurface surface(printer);
        surface.PrintLine("Proposal");
        surface.DrawBox(0, 0, 1440, 1440, 0);
        QVERIFY(surface.Failed());
        QCOMPARE(surface.CurrentY(), 1440.0);
        surface.EndDoc();
        QVERIFY(surface.Failed());
        QVERIFY(!QFile::exists(folder.filePath("no such folder/job.pdf")));
    }
};

TAMSEL_TEST(QtPrintSurfaceTest)
#include "tst_QtPrintSurface.moc"
