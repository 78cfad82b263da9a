#include "platform/PrintSurface.h"

#include <cmath>

void PrintSurface::SetFontName(const QString &name) {
    font_.name = name;
    FontChanged();
}

void PrintSurface::SetFontSize(double points) {
    font_.size = points;
    FontChanged();
}

void PrintSurface::SetBold(bool on) {
    font_.bold = on;
    FontChanged();
}

void PrintSurface::SetUnderline(bool on) {
    font_.underline = on;
    FontChanged();
}

QString PrintSurface::NumberText(double value) {
    const QString sign = value < 0 ? QStringLiteral("-") : QStringLiteral(" ");
    const double magnitude = std::fabs(value);
    // Whole numbers (page and proposal numbers) print as plain digits; others
    // with the seven significant digits a single-precision value holds.
    QString digits;
    if (magnitude == std::floor(magnitude) && magnitude < 1e15)
        digits = QString::number(static_cast<qint64>(magnitude));
    else
        digits = QString::number(magnitude, 'g', 7);
    return sign + digits + QLatin1Char(' ');
}

double PrintSurface::TextHeight(const QString &text) {
    const qsizetype lines = text.count(QLatin1Char('\n')) + 1;
    return MeasureLineHeight() * double(lines);
}

bool PrintSurface::EnsurePage() {
    if (!jobOpen_) {
        jobOpen_ = true;
        failed_ = false;
    }
    if (failed_)
        return false;
    if (pageStarted_)
        return true;
    if (!StartPage(!documentStarted_)) {
        failed_ = true;
        return false;
    }
    documentStarted_ = true;
    pageStarted_ = true;
    return true;
}

void PrintSurface::AfterText(const QString &text, bool endLine) {
    if (!text.isEmpty() && EnsurePage())
        PaintText(x_, y_, text);
    if (endLine) {
        x_ = 0;
        y_ += MeasureLineHeight();
    } else if (!text.isEmpty()) {
        x_ += MeasureWidth(text);
    }
}

void PrintSurface::Print(const QString &text) {
    AfterText(text, false);
}

void PrintSurface::PrintLine(const QString &text) {
    AfterText(text, true);
}

void PrintSurface::PrintNumber(double value) {
    AfterText(NumberText(value), false);
}

void PrintSurface::PrintNumberLine(double value) {
    AfterText(NumberText(value), true);
}

void PrintSurface::DrawLine(double x1, double y1, double x2, double y2, quint32 rgb) {
    if (EnsurePage())
        PaintLine(x1, y1, x2, y2, rgb);
    x_ = x2;
    y_ = y2;
}

void PrintSurface::DrawBox(double x1, double y1, double x2, double y2, quint32 rgb, BoxFill fill) {
    if (EnsurePage())
        PaintBox(x1, y1, x2, y2, rgb, fill);
    x_ = x2;
    y_ = y2;
}

bool PrintSurface::DrawPicture(const QByteArray &picture, double x, double y, double width, double height) {
    if (!EnsurePage())
        return false;
    return PaintPicture(picture, x, y, width, height);
}

void PrintSurface::NewPage() {
    // A page ended without anything on it still comes out: the job's page
    // numbers must match the paper.
    if (!pageStarted_)
        EnsurePage();
    pageStarted_ = false;
    ++jobPageNo_;
    x_ = 0;
    y_ = 0;
}

void PrintSurface::EndDoc() {
    // The page begun by the last NewPage holds nothing unless something was
    // drawn on it since, and it is simply never started.
    if (documentStarted_ && !FinishDocument())
        failed_ = true;
    jobOpen_ = false;
    documentStarted_ = false;
    pageStarted_ = false;
    jobPageNo_ = 1;
    x_ = 0;
    y_ = 0;
}

void PrintSurface::SetOrientation(PrintOrientation orientation) {
    orientation_ = orientation;
    PaperChanged();
}

void PrintSurface::SetColorMode(bool color) {
    colorMode_ = color;
    PaperChanged();
}
