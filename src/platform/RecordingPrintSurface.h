#pragma once
// A print surface that paints nothing and keeps every operation, so a page
// layout can be checked in twips without a printer or a display.
//
// Text metrics come from a model: by default every character is half an em
// wide (10 twips per point of the font size) and a line is 1.2 em high
// (24 twips per point), whatever the font; a test that needs other widths
// sets its own model. The printable area is US Letter less a quarter inch on
// each side (11520 x 15120 twips in portrait, the other way round in
// landscape) unless a test sets it.
#include "platform/PrintSurface.h"

#include <QList>
#include <functional>

struct PrintOperation {
    enum Kind { Text, Line, Box, Picture };
    Kind kind = Text;
    double x = 0; // text and picture: top-left corner; line and box: first corner
    double y = 0;
    double x2 = 0; // line and box: second corner; picture: right and bottom edges
    double y2 = 0;
    QString text;      // Text only
    PrintFont font;    // in use when the operation was made
    quint32 color = 0; // text colour for text, the colour given for lines and boxes
    int penWidth = 1;
    bool filled = false;
    QByteArray picture;
    int page = 1; // job page number
};

class RecordingPrintSurface : public PrintSurface {
public:
    using WidthModel = std::function<double(const QString &text, const PrintFont &font)>;
    using LineHeightModel = std::function<double(const PrintFont &font)>;

    RecordingPrintSurface();

    void SetWidthModel(WidthModel model) { widthModel_ = std::move(model); }
    void SetLineHeightModel(LineHeightModel model) { lineHeightModel_ = std::move(model); }
    // Replaces the printable area of the current orientation.
    void SetPrintableSize(double width, double height);
    // A device that refuses to start a page from the given job page on (0: never).
    void RefusePagesFrom(int jobPage) { refuseFrom_ = jobPage; }
    // A device that cannot finish the document (a file cut short).
    void RefuseToFinish(bool refuse) { refuseToFinish_ = refuse; }

    double PrintableWidth() const override;
    double PrintableHeight() const override;

    const QList<PrintOperation> &Operations() const { return operations_; }
    // The texts printed, in order (handy for a whole block at once).
    QStringList Texts() const;
    // Pages that reached the device in all the jobs so far, and the jobs ended.
    int PagesStarted() const { return pagesStarted_; }
    int DocumentsEnded() const { return documentsEnded_; }
    void Clear();

protected:
    double MeasureWidth(const QString &text) override;
    double MeasureLineHeight() override;
    void PaintText(double x, double y, const QString &text) override;
    void PaintLine(double x1, double y1, double x2, double y2, quint32 rgb) override;
    void PaintBox(double x1, double y1, double x2, double y2, quint32 rgb, BoxFill fill) override;
    bool PaintPicture(const QByteArray &picture, double x, double y, double width, double height) override;
    bool StartPage(bool firstOfDocument) override;
    bool FinishDocument() override;

private:
    PrintOperation Made(PrintOperation::Kind kind) const;
    // An operation from one corner to the other (a line or a box) in the given colour.
    PrintOperation Spanning(PrintOperation::Kind kind, double x1, double y1, double x2, double y2,
                            quint32 rgb) const;

    WidthModel widthModel_;
    LineHeightModel lineHeightModel_;
    double width_ = 11520;
    double height_ = 15120;
    int refuseFrom_ = 0;
    bool refuseToFinish_ = false;
    QList<PrintOperation> operations_;
    int pagesStarted_ = 0;
    int documentsEnded_ = 0;
};
