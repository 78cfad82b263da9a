#include "platform/QtPrintSurface.h"

#include "platform/QtDialogs.h"

#include <QFile>
#include <QFontDatabase>
#include <QHash>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <algorithm>

namespace {
constexpr int TwipsPerInch = 1440;
constexpr double TwipsPerPoint = 20;
constexpr double TwipsPerPenUnit = 15;
// The least printable area, short side and long side, that HoldsPages needs.
constexpr double LeastShortSide = 10830;
constexpr double LeastLongSide = 14160;

// A PDF written whole ends with its end-of-file marker (and a line end).
bool PdfFileComplete(const QString &path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() < 64)
        return false;
    file.seek(file.size() - 64);
    return file.read(64).contains("%%EOF");
}
} // namespace

QString PrintFontFamily(const QString &name) {
    static const QHash<QString, QString> twins = {
        {QStringLiteral("arial"), QStringLiteral("Liberation Sans")},
        {QStringLiteral("courier new"), QStringLiteral("Liberation Mono")},
        {QStringLiteral("times new roman"), QStringLiteral("Liberation Serif")}};
    const QString twin = twins.value(name.trimmed().toLower());
    if (!twin.isEmpty() && QFontDatabase::hasFamily(twin))
        return twin;
    if (!name.trimmed().isEmpty() && QFontDatabase::hasFamily(name))
        return name;
    const QString arial = twins.value(QStringLiteral("arial"));
    return QFontDatabase::hasFamily(arial) ? arial : QStringLiteral("Arial");
}

QFont PrintQFont(const PrintFont &f) {
    // Looked up once per name: a print changes fonts hundreds of times.
    static QHash<QString, QString> families;
    auto family = families.constFind(f.name);
    if (family == families.constEnd())
        family = families.insert(f.name, PrintFontFamily(f.name));
    QFont font(*family);
    font.setPointSizeF(f.size > 0 ? f.size : 1);
    font.setBold(f.bold);
    font.setUnderline(f.underline);
    return font;
}

QtPrintSurface::QtPrintSurface(QPrinter &printer, PrintPaper paper) : printer_(printer) {
    // QPrinter starts at 1200 dpi; every measure below depends on this.
    printer_.setResolution(TwipsPerInch);
    printer_.setFullPage(false);
    // The layout is made in twips from the top-left corner, so any paper that
    // holds it will do; HoldsPages tells.
    if (paper == PrintPaper::Letter)
        printer_.setPageSize(QPageSize(QPageSize::Letter));
    printer_.setPageMargins(QMarginsF(0.25, 0.25, 0.25, 0.25), QPageLayout::Inch);
    PaperChanged();
}

QtPrintSurface::~QtPrintSurface() {
    if (painter_.isActive())
        painter_.end();
}

double QtPrintSurface::PrintableWidth() const {
    return printer_.pageLayout().paintRect(QPageLayout::Point).width() * TwipsPerPoint;
}

double QtPrintSurface::PrintableHeight() const {
    return printer_.pageLayout().paintRect(QPageLayout::Point).height() * TwipsPerPoint;
}

bool QtPrintSurface::HoldsPages() const {
    const double w = PrintableWidth(), h = PrintableHeight();
    return std::min(w, h) >= LeastShortSide && std::max(w, h) >= LeastLongSide;
}

void QtPrintSurface::PaperChanged() {
    printer_.setPageOrientation(Orientation() == PrintOrientation::Portrait ? QPageLayout::Portrait
                                                                            : QPageLayout::Landscape);
    printer_.setColorMode(ColorMode() ? QPrinter::Color : QPrinter::GrayScale);
}

const QFontMetricsF &QtPrintSurface::Metrics() {
    if (!metrics_) {
        font_ = PrintQFont(Font());
        // Measured on the printer, at its resolution, not on the screen.
        metrics_.emplace(font_, &printer_);
    }
    return *metrics_;
}

double QtPrintSurface::MeasureWidth(const QString &text) {
    return Metrics().horizontalAdvance(text);
}

double QtPrintSurface::MeasureLineHeight() {
    return Metrics().lineSpacing();
}

QPen QtPrintSurface::Pen(quint32 rgb) const {
    QPen pen(ColorFromRgb(rgb));
    pen.setWidthF(PenWidth() * TwipsPerPenUnit);
    pen.setCapStyle(Qt::SquareCap);
    pen.setJoinStyle(Qt::MiterJoin);
    return pen;
}

void QtPrintSurface::PaintText(double x, double y, const QString &text) {
    const QFontMetricsF &metrics = Metrics();
    painter_.setFont(font_);
    painter_.setPen(ColorFromRgb(TextColor()));
    // The current position is the top of the line box; Qt draws on the baseline.
    painter_.drawText(QPointF(x, y + metrics.ascent()), text);
}

void QtPrintSurface::PaintLine(double x1, double y1, double x2, double y2, quint32 rgb) {
    painter_.setPen(Pen(rgb));
    painter_.drawLine(QPointF(x1, y1), QPointF(x2, y2));
}

void QtPrintSurface::PaintBox(double x1, double y1, double x2, double y2, quint32 rgb, BoxFill fill) {
    const QRectF box = QRectF(QPointF(x1, y1), QPointF(x2, y2)).normalized();
    if (fill == BoxFill::Filled) {
        painter_.fillRect(box, ColorFromRgb(rgb));
        return;
    }
    painter_.setPen(Pen(rgb));
    painter_.setBrush(Qt::NoBrush);
    painter_.drawRect(box);
}

bool QtPrintSurface::PaintPicture(const QByteArray &picture, double x, double y, double width,
                                  double height) {
    QImage image;
    if (!image.loadFromData(picture))
        return false;
    painter_.drawImage(QRectF(x, y, width, height), image);
    return true;
}

bool QtPrintSurface::StartPage(bool firstOfDocument) {
    if (firstOfDocument) {
        printer_.setDocName(JobName());
        return painter_.begin(&printer_);
    }
    return printer_.newPage();
}

bool QtPrintSurface::FinishDocument() {
    bool ok = !painter_.isActive() || painter_.end();
    const QPrinter::PrinterState state = printer_.printerState();
    ok = ok && state != QPrinter::Error && state != QPrinter::Aborted;
    // A file cut short (a full disk, a size limit) is not told by the painter.
    if (printer_.outputFormat() == QPrinter::PdfFormat && !printer_.outputFileName().isEmpty())
        ok = PdfFileComplete(printer_.outputFileName()) && ok;
    return ok;
}
