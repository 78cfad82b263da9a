#pragma once
// The print surface on paper: paints with QPainter on a QPrinter, which is the
// user's printer or, when its output file name is set, a PDF file. The printer
// is set to 1440 dots per inch, so one device pixel is one twip, portrait,
// colour, with quarter-inch margins (a printer that needs wider ones keeps its
// own), on US Letter or on the paper chosen in the print dialog. Text is
// measured in the font in use on the printer itself.
#include "platform/PrintSurface.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <optional>

class QPrinter;

// The installed face a print font name is drawn in. "Arial", "Courier New"
// and "Times New Roman" are drawn in their metric twins (Liberation Sans,
// Mono and Serif) when those are installed, so text measures the same on
// every machine; a name that is not installed falls back to Arial's face, the
// font the layout is made for.
QString PrintFontFamily(const QString &name);
// The Qt font a print font is drawn and measured in (before the device's
// resolution is applied).
QFont PrintQFont(const PrintFont &font);

enum class PrintPaper { Letter, AsChosen };

class QtPrintSurface : public PrintSurface {
public:
    // The printer must outlive the surface; it is set up here, before anything
    // is measured.
    explicit QtPrintSurface(QPrinter &printer, PrintPaper paper = PrintPaper::Letter);
    // A document left open is ended, so what was painted reaches the file.
    ~QtPrintSurface() override;

    double PrintableWidth() const override;
    double PrintableHeight() const override;
    // The printable area holds every page the program prints: the proposal's
    // frames (7.5 x 9.5 in) with its copy label below them, and the customer
    // list across the paper.
    bool HoldsPages() const;

protected:
    double MeasureWidth(const QString &text) override;
    double MeasureLineHeight() override;
    void PaintText(double x, double y, const QString &text) override;
    void PaintLine(double x1, double y1, double x2, double y2, quint32 rgb) override;
    void PaintBox(double x1, double y1, double x2, double y2, quint32 rgb, BoxFill fill) override;
    bool PaintPicture(const QByteArray &picture, double x, double y, double width, double height) override;
    bool StartPage(bool firstOfDocument) override;
    bool FinishDocument() override;
    void FontChanged() override { metrics_.reset(); }
    void PaperChanged() override;

private:
    const QFontMetricsF &Metrics();
    QPen Pen(quint32 rgb) const;

    QPrinter &printer_;
    QPainter painter_;
    QFont font_;
    std::optional<QFontMetricsF> metrics_;
};
