#include "platform/RecordingPrintSurface.h"

#include <QStringList>

RecordingPrintSurface::RecordingPrintSurface()
    : widthModel_(
          [](const QString &text, const PrintFont &font) { return double(text.size()) * font.size * 10; }),
      lineHeightModel_([](const PrintFont &font) { return font.size * 24; }) {}

void RecordingPrintSurface::SetPrintableSize(double width, double height) {
    // Kept in portrait terms, so a later change of orientation swaps them.
    const bool portrait = Orientation() == PrintOrientation::Portrait;
    width_ = portrait ? width : height;
    height_ = portrait ? height : width;
}

double RecordingPrintSurface::PrintableWidth() const {
    return Orientation() == PrintOrientation::Portrait ? width_ : height_;
}

double RecordingPrintSurface::PrintableHeight() const {
    return Orientation() == PrintOrientation::Portrait ? height_ : width_;
}

QStringList RecordingPrintSurface::Texts() const {
    QStringList texts;
    for (const PrintOperation &op : operations_)
        if (op.kind == PrintOperation::Text)
            texts << op.text;
    return texts;
}

void RecordingPrintSurface::Clear() {
    operations_.clear();
    pagesStarted_ = 0;
    documentsEnded_ = 0;
}

double RecordingPrintSurface::MeasureWidth(const QString &text) {
    return widthModel_(text, Font());
}

double RecordingPrintSurface::MeasureLineHeight() {
    return lineHeightModel_(Font());
}

PrintOperation RecordingPrintSurface::Made(PrintOperation::Kind kind) const {
    PrintOperation op;
    op.kind = kind;
    op.font = Font();
    op.color = TextColor();
    op.penWidth = PenWidth();
    op.page = JobPageNo();
    return op;
}

void RecordingPrintSurface::PaintText(double x, double y, const QString &text) {
    PrintOperation op = Made(PrintOperation::Text);
    op.x = x;
    op.y = y;
    op.text = text;
    operations_ << op;
}

PrintOperation RecordingPrintSurface::Spanning(PrintOperation::Kind kind, double x1, double y1, double x2,
                                               double y2, quint32 rgb) const {
    PrintOperation op = Made(kind);
    op.x = x1;
    op.y = y1;
    op.x2 = x2;
    op.y2 = y2;
    op.color = rgb;
    return op;
}

void RecordingPrintSurface::PaintLine(double x1, double y1, double x2, double y2, quint32 rgb) {
    operations_ << Spanning(PrintOperation::Line, x1, y1, x2, y2, rgb);
}

void RecordingPrintSurface::PaintBox(double x1, double y1, double x2, double y2, quint32 rgb, BoxFill fill) {
    PrintOperation op = Spanning(PrintOperation::Box, x1, y1, x2, y2, rgb);
    op.filled = fill == BoxFill::Filled;
    operations_ << op;
}

bool RecordingPrintSurface::PaintPicture(const QByteArray &picture, double x, double y, double width,
                                         double height) {
    // Nothing here can decode a picture; empty data is the one sure failure.
    if (picture.isEmpty())
        return false;
    PrintOperation op = Made(PrintOperation::Picture);
    op.x = x;
    op.y = y;
    op.x2 = x + width;
    op.y2 = y + height;
    op.picture = picture;
    operations_ << op;
    return true;
}

bool RecordingPrintSurface::StartPage(bool) {
    if (refuseFrom_ > 0 && JobPageNo() >= refuseFrom_)
        return false;
    ++pagesStarted_;
    return true;
}

bool RecordingPrintSurface::FinishDocument() {
    ++documentsEnded_;
    return !refuseToFinish_;
}
