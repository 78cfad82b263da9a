#pragma once
// The print surface on paper: paints with QPainter on a QPrinter, which is the
// user's printer or, when its output file name is set, a PDF file. The printer
// is set to 1440 dots per inch, so one device pixel is one twip, US Letter,
// portrait, colour, with quarter-inch margins (a printer that needs wider ones
// keeps its own). Text is measured in the font in use on the printer itself.
#include "platform/PrintSurface.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <optional>

class QPrinter;

class QtPrintSurface : public PrintSurface {
public:
    // The printer must outlive the surface; it is set up here, before anything
    // is measured.
    explicit QtPrintSurface(QPrinter &printer);
    // A document left open is ended, so what was painted reaches the file.
    ~QtPrintSurface() override;

    double PrintableWidth() const override;
    double PrintableHeight() const override;

protected:
    double MeasureWidth(const QString &text) override;
    double MeasureLineHeight() override;
    void PaintText(double x, double y, const QString &text) override;
    void PaintLine(double x1, double y1, double x2, double y2, quint32 rgb) override;
    void PaintBox(double x1, double y1, double x2, double y2, quint32 rgb, BoxFill fill) override;
    bool PaintPicture(const QByteArray &picture, double x, double y, double width, double height) override;
    bool StartPage(bool firstOfDocument) override;
    void FinishDocument() override;
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
