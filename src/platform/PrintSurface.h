#pragma once
// The printer as the print routines see it. Everything is in twips (1440 to
// the inch) from the top-left corner of the printable area, x to the right and
// y downwards. The surface keeps a state between calls (font, colour, pen,
// current position, job page number) and every routine relies on what the one
// before it left, so the rules that move the current position live here, once,
// for every kind of surface; a surface only measures and paints.
//
// QtPrintSurface paints on a printer or a PDF file; RecordingPrintSurface keeps
// every operation so a page layout can be checked in twips without a display.
#include <QByteArray>
#include <QString>

enum class PrintOrientation { Portrait, Landscape };
enum class BoxFill { Outline, Filled };

// The font in use: a family name, a size in points and the two styles.
struct PrintFont {
    QString name = QStringLiteral("Arial");
    double size = 10;
    bool bold = false;
    bool underline = false;
    bool operator==(const PrintFont &) const = default;
};

// Colours are RGB values with red in the low byte, as elsewhere in the program.
inline constexpr quint32 PrintRgb(int red, int green, int blue) {
    return quint32(red & 0xFF) | (quint32(green & 0xFF) << 8) | (quint32(blue & 0xFF) << 16);
}

class PrintSurface {
public:
    virtual ~PrintSurface() = default;

    // Font, text colour and pen stay as set until set again, across pages and
    // across the end of a document. A new surface starts with Arial 10, plain,
    // black text, pen width 1, at (0, 0), on job page 1.
    const PrintFont &Font() const { return font_; }
    void SetFontName(const QString &name);
    void SetFontSize(double points);
    void SetBold(bool on);
    void SetUnderline(bool on);
    quint32 TextColor() const { return textColor_; }
    void SetTextColor(quint32 rgb) { textColor_ = rgb; }
    // Width of drawn lines and box outlines, counted in pixels of a 96-dpi
    // screen (15 twips each), so a frame looks as heavy on paper as on screen.
    int PenWidth() const { return penWidth_; }
    void SetPenWidth(int width) { penWidth_ = width < 1 ? 1 : width; }

    double CurrentX() const { return x_; }
    double CurrentY() const { return y_; }
    void SetCurrentX(double twips) { x_ = twips; }
    void SetCurrentY(double twips) { y_ = twips; }

    // Text is one line, drawn with the top-left corner of its line box at the
    // current position. Print continues the line: current x moves to the end
    // of the text, current y stays. PrintLine ends the line: current x becomes
    // 0 and current y moves down by the line height of the current font, so
    // PrintLine() alone is an empty line. A date is printed as text (the short
    // date form belongs to the caller).
    void Print(const QString &text);
    void PrintLine(const QString &text = QString());
    // A number takes one character before it for the sign (a space unless
    // negative) and one space after it: 1001 prints as " 1001 ".
    void PrintNumber(double value);
    void PrintNumberLine(double value);
    static QString NumberText(double value);

    // Measured in the current font, in twips. The height of a text is the line
    // height of the font (the distance PrintLine moves down).
    double TextWidth(const QString &text) { return MeasureWidth(text); }
    double TextHeight(const QString &text = QStringLiteral("ABC"));

    // Lines and boxes are drawn in the colour given, with the current pen;
    // afterwards the current position is their second corner. A filled box is
    // painted wholly in its colour.
    void DrawLine(double x1, double y1, double x2, double y2, quint32 rgb);
    void DrawBox(double x1, double y1, double x2, double y2, quint32 rgb, BoxFill fill = BoxFill::Outline);
    // An encoded picture (the bytes of a PNG, JPEG, BMP ... file) scaled into
    // the box at (x, y) of the given size; the current position is unchanged.
    // False when the picture cannot be read (nothing is drawn).
    bool DrawPicture(const QByteArray &picture, double x, double y, double width, double height);

    // Ends the page: the job page number goes up by 1 and the current position
    // returns to (0, 0). The next page reaches the paper only once something is
    // drawn on it, so a page begun just before EndDoc never comes out; a page
    // ended by NewPage comes out even when blank.
    void NewPage();
    // Ends the document (the print job). The surface can then start another
    // one, on job page 1. A document the device could not finish whole (a
    // file cut short, a job the print system refused) counts as failed.
    void EndDoc();
    // The name the print system lists the job under (and a PDF's title); set
    // before the job's first page, kept until set again.
    const QString &JobName() const { return jobName_; }
    void SetJobName(const QString &name) { jobName_ = name; }
    // The print system's printer the jobs go to; empty for a file or a
    // preview, whose pages need no following.
    const QString &PrinterName() const { return printerName_; }
    void SetPrinterName(const QString &name) { printerName_ = name; }
    // 1 for the first page of the job, counting every page of every copy.
    int JobPageNo() const { return jobPageNo_; }
    // True once the device refused to start the document or a page; from then
    // on nothing more is painted in that job. It still tells after EndDoc,
    // until the next job begins.
    bool Failed() const { return failed_; }

    // The printable area of the paper as set up now.
    virtual double PrintableWidth() const = 0;
    virtual double PrintableHeight() const = 0;
    // Paper set-up, made before the first page of a document (US Letter,
    // portrait, colour on a new surface).
    PrintOrientation Orientation() const { return orientation_; }
    void SetOrientation(PrintOrientation orientation);
    bool ColorMode() const { return colorMode_; }
    void SetColorMode(bool color);

protected:
    // What a surface supplies: metrics of the current font, and painting
    // (called only once the page has been started).
    virtual double MeasureWidth(const QString &text) = 0;
    virtual double MeasureLineHeight() = 0;
    virtual void PaintText(double x, double y, const QString &text) = 0;
    virtual void PaintLine(double x1, double y1, double x2, double y2, quint32 rgb) = 0;
    virtual void PaintBox(double x1, double y1, double x2, double y2, quint32 rgb, BoxFill fill) = 0;
    virtual bool PaintPicture(const QByteArray &picture, double x, double y, double width, double height) = 0;
    // Starts the document (first page) or the next page; false when the device
    // cannot.
    virtual bool StartPage(bool firstOfDocument) = 0;
    // False when the document did not reach its device whole.
    virtual bool FinishDocument() = 0;
    virtual void FontChanged() {}
    virtual void PaperChanged() {}

private:
    bool EnsurePage();
    void AfterText(const QString &text, bool endLine);

    PrintFont font_;
    QString jobName_;
    QString printerName_;
    quint32 textColor_ = 0;
    int penWidth_ = 1;
    double x_ = 0;
    double y_ = 0;
    int jobPageNo_ = 1;
    bool jobOpen_ = false;         // something of this job has been asked for
    bool documentStarted_ = false; // the device has a first page
    bool pageStarted_ = false;     // the device has the current page
    bool failed_ = false;
    PrintOrientation orientation_ = PrintOrientation::Portrait;
    bool colorMode_ = true;
};
