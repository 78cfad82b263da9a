#include "printing/ProposalPrintRoutines.h"

#include "common/CommonRoutines.h"
#include "common/CommonVariables.h"
#include "common/LocaleTexts.h"
#include "platform/TextCodec.h"

#include <QIODevice>
#include <algorithm>
#include <cmath>

namespace {

constexpr double TwipsPerInch = 1440;
constexpr int BodyTop = 4176;
constexpr int BodyLeft = 2664;
constexpr int BodyWidth = 7920;
constexpr int PageBreakY = 10080;
// The closing block's first lines (6.4 in, a field proposal's price 6.3 in).
constexpr int ClosingTop = 9216;
constexpr int FieldClosingTop = 9072;
constexpr int RuleLeft = 1600;
constexpr int CustomerFrameRight = 5400;
constexpr int JobSiteFrameRight = 10800;
constexpr int RuleRight = 10650;
constexpr int RuleStop = 7920;
constexpr int RuleStep = 500;
constexpr int DisclaimerLeft = 5904;
constexpr int DisclaimerWidth = 4680;
constexpr int ScheduleDateRight = 2160;
constexpr int ScheduleAmountRight = 5040;

const QString Arial = QStringLiteral("Arial");
const QString CourierNew = QStringLiteral("Courier New");
const QString InsurerMark = QStringLiteral("on above work to be provided by:");

QString Underscores(int count) {
    return QString(count, QLatin1Char('_'));
}

// Whole hundredths of a twip, so 4.1 inches is 5904 twips, not a hair less.
double InchesToTwips(double inches) {
    return std::round(inches * TwipsPerInch * 100) / 100;
}

void AtInches(PrintSurface &surface, double x) {
    surface.SetCurrentX(InchesToTwips(x));
}

// Title, header, price and acceptance: blue on the first two pages of the job
// when printing in colour, black from the third page on. In black and white
// the colour is left as it is (black since the printer set-up).
void ApplyJobPageColor(const ProposalPage &page) {
    if (page.surface.JobPageNo() < 3) {
        if (page.settings.printInColor)
            page.surface.SetTextColor(PrintColors::Blue);
    } else {
        page.surface.SetTextColor(PrintColors::Black);
    }
}

ProposalDocument::Payment PaymentAt(const ProposalDocument &document, int index) {
    return index < document.payments.size() ? document.payments.at(index) : ProposalDocument::Payment{};
}

int RoundedWidth(PrintSurface &surface, const QString &text) {
    return int(std::lround(surface.TextWidth(text)));
}

// Where one wrapped line of the text ends, and where the next one begins
// (after the spaces at the break). Only the text near the line is measured,
// never the rest of a long paragraph, so wrapping a text costs time in
// proportion to its length.
struct WrappedLine {
    qsizetype end;
    qsizetype next;
};

WrappedLine NextWrappedLine(PrintSurface &surface, const QString &text, qsizetype start, int limit) {
    const qsizetype rest = text.size() - start;
    auto fits = [&](qsizetype length) { return RoundedWidth(surface, text.mid(start, length)) <= limit; };
    // Longer and longer starts of the text until one does not fit (widths
    // only grow with the length): fitting fits, over does not.
    qsizetype fitting = 0;
    qsizetype over = -1;
    for (qsizetype length = std::min<qsizetype>(rest, 64);; length = std::min(rest, length * 2)) {
        if (!fits(length)) {
            over = length;
            break;
        }
        fitting = length;
        if (length == rest)
            break;
    }
    auto skipSpaces = [&](qsizetype end) {
        qsizetype next = end;
        while (next < text.size() && text.at(next) == QLatin1Char(' '))
            ++next;
        return WrappedLine{end, next};
    };
    if (over < 0)
        return {text.size(), text.size()};

    // The longest start ending in a space that fits: those up to fitting do;
    // the ones between are searched.
    QList<qsizetype> between;
    for (qsizetype i = fitting; i + 1 < over; ++i)
        if (text.at(start + i) == QLatin1Char(' '))
            between << i + 1;
    qsizetype best = 0;
    qsizetype low = -1, high = between.size();
    while (high - low > 1) {
        const qsizetype middle = (low + high) / 2;
        if (fits(between.at(middle)))
            low = middle;
        else
            high = middle;
    }
    if (low >= 0) {
        best = between.at(low);
    } else {
        for (qsizetype i = fitting - 1; i >= 0 && best == 0; --i)
            if (text.at(start + i) == QLatin1Char(' '))
                best = i + 1;
    }
    if (best > 0)
        return skipSpaces(start + best);

    // The first word alone does not fit with its space. Without the space it
    // may; otherwise it is broken at the end of the line rather than printed
    // past the edge of its frame.
    const qsizetype space = text.indexOf(QLatin1Char(' '), start);
    const qsizetype word = space < 0 ? rest : space - start;
    if (space >= 0 && (word <= fitting || (word < over && fits(word))))
        return skipSpaces(space + 1);
    low = fitting;
    high = over;
    while (high - low > 1) {
        const qsizetype middle = (low + high) / 2;
        if (fits(middle))
            low = middle;
        else
            high = middle;
    }
    return skipSpaces(start + std::max<qsizetype>(low, 1));
}

// Prints the text wrapped from the current y, calling afterLine after each
// printed line.
template <typename AfterLine>
void PrintWrappedLines(PrintSurface &surface, int x, int width, const QString &text, AfterLine afterLine) {
    const int limit = width - 20;
    qsizetype start = 0;
    do {
        const WrappedLine line = NextWrappedLine(surface, text, start, limit);
        surface.SetCurrentX(x);
        surface.PrintLine(text.mid(start, line.end - start));
        start = line.next;
        afterLine();
    } while (start < text.size());
}

// One body line, with a page break after any of its printed lines that
// fills the page, so a long paragraph never runs out of the body frame.
void PrintBodyLine(ProposalPage &page, int copy, const QString &line) {
    PrintSurface &surface = page.surface;
    surface.SetCurrentY(int(surface.CurrentY()));
    PrintWrappedLines(surface, BodyLeft, BodyWidth, line, [&] {
        if (surface.CurrentY() < PageBreakY)
            return;
        PrintWrapped(surface, BodyLeft, int(surface.CurrentY()), BodyWidth,
                     QStringLiteral("Continued on Next Page"));
        StartContinuationPage(page, copy);
    });
}

// The body file line by line; false when it cannot be opened or read to its
// end. Lines end as in every text the program shows (TextCodec::SplitLines).
bool PrintBodyFile(ProposalPage &page, int copy) {
    PrintSurface &surface = page.surface;
    surface.SetCurrentY(BodyTop);
    surface.SetFontName(CourierNew);
    surface.SetFontSize(page.document.printSize);
    if (!OpenInput(ProposalBodyFileName(page.document))) {
        CloseAllFiles();
        return false;
    }
    QIODevice *file = FileDevice(FileNo);
    bool ok = file != nullptr;
    QByteArray bytes;
    while (ok && !file->atEnd()) {
        const QByteArray chunk = file->read(1 << 16);
        if (chunk.isEmpty())
            ok = false;
        bytes += chunk;
    }
    CloseAllFiles();
    if (!ok)
        return false;
    for (const QString &line : TextCodec::SplitLines(TextCodec::Decode(bytes)))
        PrintBodyLine(page, copy, line);
    return true;
}

// Prints the text from the current position so that it ends inside a frame
// whose right edge is at right: a text too wide is printed smaller, down to
// 6 points, so a long name stays whole, and cut only when even that is too
// wide. The line is then ended, or continued, in the size it had.
void PrintInFrame(PrintSurface &surface, const QString &text, double right, bool endLine) {
    constexpr double Clearance = 60; // the frame's pen and a little air
    constexpr double Smallest = 6;
    const double room = right - Clearance - surface.CurrentX();
    const double size = surface.Font().size;
    QString shown = text;
    if (surface.TextWidth(text) > room) {
        for (double smaller = size - 0.5; smaller >= Smallest && surface.TextWidth(text) > room;
             smaller -= 0.5)
            surface.SetFontSize(smaller);
        shown = CutToWidth(surface, text, room);
    }
    surface.Print(shown);
    if (surface.Font().size != size)
        surface.SetFontSize(size);
    if (endLine)
        surface.PrintLine();
}

void PrintFieldRules(PrintSurface &surface) {
    surface.SetCurrentY(BodyTop);
    NextRuleY = 4500;
    for (int i = 0; i < 9; ++i) {
        surface.DrawLine(RuleLeft, NextRuleY, RuleRight, NextRuleY, PrintColors::Black);
        NextRuleY = qint16(NextRuleY + RuleStep);
    }
}

// Below the body, lines for what is added by hand; then a new page when the
// body ends below the top of the closing block, which would be printed over it.
void PrintRuleLines(ProposalPage &page, int copy) {
    PrintSurface &surface = page.surface;
    const double bodyEnd = surface.CurrentY();
    surface.SetFontName(page.settings.fontName);
    surface.SetFontSize(8);
    surface.SetFontName(Arial);
    surface.SetCurrentY(surface.CurrentY() + 360);
    NextRuleY = qint16(std::lround(surface.CurrentY()));
    for (int i = 0; i < 9 && surface.CurrentY() < RuleStop; ++i) {
        surface.DrawLine(RuleLeft, NextRuleY, RuleRight, NextRuleY, PrintColors::Black);
        NextRuleY = qint16(NextRuleY + RuleStep);
    }
    if (bodyEnd > (page.document.isField ? FieldClosingTop : ClosingTop))
        StartContinuationPage(page, copy);
}

void PrintClosingBlock(ProposalPage &page) {
    PrintSurface &surface = page.surface;
    SetPrintPosition(surface, 4.1, 6.4);
    surface.PrintLine(QStringLiteral("Representative ") + Underscores(30));
    surface.SetFontName(page.settings.fontName);
    AtInches(surface, 4.1);
    surface.PrintLine(QStringLiteral("Proposal may be withdrawn if not accepted in ") + page.document.days +
                      QStringLiteral(" Days"));

    QString disclaimer;
    if (page.document.genericDisclaimer) {
        disclaimer = page.settings.genericDisclaimer;
        PrintWrapped(surface, DisclaimerLeft, int(surface.CurrentY()), DisclaimerWidth, disclaimer);
    } else if (!page.document.customDisclaimer.isEmpty() || page.settings.customDisclaimer) {
        const QString custom = page.document.customDisclaimer.isEmpty() ? *page.settings.customDisclaimer
                                                                        : page.document.customDisclaimer;
        const QStringList lines = custom.split(QStringLiteral("\r\n"));
        for (const QString &line : lines)
            PrintWrapped(surface, DisclaimerLeft, int(surface.CurrentY()), DisclaimerWidth, line);
        disclaimer = lines.join(QString());
    }
    if (disclaimer.contains(InsurerMark)) {
        surface.PrintLine();
        AtInches(surface, 4.1);
        surface.SetFontName(Arial);
        surface.PrintLine(Underscores(46));
        surface.SetFontName(page.settings.fontName);
    }
}

void PrintPayments(ProposalPage &page) {
    PrintSurface &surface = page.surface;
    const ProposalDocument &document = page.document;
    SetPrintPosition(surface, 0.85, 6.4);
    surface.PrintLine(QStringLiteral("Proposed Price: ") + document.priceText);
    surface.SetFontSize(8);
    AtInches(surface, 0.85);
    surface.PrintLine(QStringLiteral("With Payments to be made as follows:"));
    surface.SetBold(true);
    surface.SetUnderline(true);

    auto paymentLine = [&](const QString &what, int index) {
        const ProposalDocument::Payment payment = PaymentAt(document, index);
        AtInches(surface, 0.85);
        surface.PrintLine(what + CurrencyText(payment.amount) + QStringLiteral(" on or before ") +
                          payment.dueText);
    };
    if (document.plan == 0) {
        paymentLine(QStringLiteral("Down Payment of "), 0);
        paymentLine(QStringLiteral("Final Payment of "), 1);
    } else if (document.plan == 1) {
        paymentLine(QStringLiteral("Final Payment of "), 0);
    } else if (document.plan == 2) {
        surface.SetBold(true);
        surface.SetUnderline(true);
        AtInches(surface, 0.85);
        surface.Print(QStringLiteral("Payment Due Date"));
        const QString amount = QStringLiteral("Amount");
        surface.SetCurrentX(ScheduleAmountRight - surface.TextWidth(amount));
        surface.PrintLine(amount);
        surface.SetBold(true);
        surface.SetUnderline(false);
        surface.PrintLine();
        for (const ProposalDocument::Payment &payment : document.payments) {
            surface.SetCurrentX(ScheduleDateRight - surface.TextWidth(payment.dueText));
            surface.Print(payment.dueText);
            const QString text = CurrencyText(payment.amount);
            surface.SetCurrentX(ScheduleAmountRight - surface.TextWidth(text));
            surface.PrintLine(text);
        }
    }
}

void PrintFieldPayments(ProposalPage &page) {
    PrintSurface &surface = page.surface;
    surface.SetFontName(Arial);
    SetPrintPosition(surface, 0.85, 6.3);
    surface.PrintLine(QStringLiteral("Proposed Price: ") + Underscores(13));
    surface.SetFontSize(8);
    AtInches(surface, 0.85);
    surface.PrintLine(QStringLiteral("With Payments to be made as follows:"));
    SetPrintPosition(surface, 0.85, 6.8);
    const QString blank = Underscores(14) + QLatin1Char('.') + Underscores(7) + QStringLiteral("     by") +
                          Underscores(4) + QLatin1Char('/') + Underscores(4) + QLatin1Char('/') +
                          Underscores(4);
    for (int i = 0; i < 5; ++i) {
        AtInches(surface, 0.85);
        surface.PrintLine(blank);
        surface.PrintLine();
    }
    surface.SetFontName(page.settings.fontName);
}

} // namespace

void SetPrintFont(PrintSurface &surface, int size, int bold, int underline) {
    if (size > 0)
        surface.SetFontSize(size);
    surface.SetBold(bold == -1);
    surface.SetUnderline(underline == -1);
}

void SetPrintPosition(PrintSurface &surface, double x, double y) {
    if (x > 0)
        surface.SetCurrentX(InchesToTwips(x));
    if (y > 0)
        surface.SetCurrentY(InchesToTwips(y));
}

void PrintWrapped(PrintSurface &surface, int x, int y, int width, const QString &text) {
    surface.SetCurrentY(y);
    PrintWrappedLines(surface, x, width, text, [] {});
}

bool PrintLogo(PrintSurface &surface, const PageSettings &settings) {
    surface.SetCurrentY(360);
    if (settings.logo.isEmpty())
        return true;
    // Centred by the picture's own width, as the setup screen shows it, and
    // drawn at the size chosen there; a picture wider than the page would
    // put the logo past the left edge, so it never starts left of the page.
    const double x = std::max(0.0, (surface.PrintableWidth() - settings.logoNaturalWidth) / 2);
    const bool drawn = surface.DrawPicture(settings.logo, x, 360, settings.logoWidth, settings.logoHeight);
    surface.SetCurrentY(360);
    return drawn;
}

void DrawFrames(PrintSurface &surface, const PageSettings &settings, int copy) {
    const quint32 a =
        settings.printInColor && (copy == 1 || copy == 2) ? PrintColors::Blue : PrintColors::Black;
    const int jobPage = surface.JobPageNo();
    const quint32 b =
        settings.printInColor && (jobPage == 1 || jobPage == 2) ? PrintColors::Navy : PrintColors::Black;
    surface.SetPenWidth(2);
    surface.DrawBox(1080, 2160, 5400, 3600, a);
    surface.DrawBox(5760, 2160, 10800, 3600, a);
    surface.DrawBox(1080, 3960, 10800, 11520, a);
    surface.DrawBox(8640, 720, 10800, 1800, b);
    surface.DrawBox(1080, 11880, 10800, 13680, b);
    surface.SetPenWidth(1);
}

void PrintPageFrame(ProposalPage &page, int copy, int pageNo) {
    if (!PrintLogo(page.surface, page.settings))
        page.failed = true;
    DrawFrames(page.surface, page.settings, copy);
    PrintPageHeader(page, pageNo);
    PrintCustomerBlock(page);
}

void PrintPageHeader(ProposalPage &page, double pageNo) {
    PrintSurface &surface = page.surface;
    const std::array<QString, 9> &business = page.settings.business;
    ApplyJobPageColor(page);
    SetPrintFont(surface, 18, -1, -1);
    SetPrintPosition(surface, 1.0, 0.2);
    surface.PrintLine(QStringLiteral("Proposal"));

    SetPrintFont(surface, 8, 0, 0);
    SetPrintPosition(surface, 1.0, 0.5);
    surface.PrintLine(QStringLiteral("Submitted by: "));
    for (int field : {0, 1}) {
        AtInches(surface, 1.0);
        surface.PrintLine(business[field]);
    }
    AtInches(surface, 1.0);
    if (page.document.usaStyle) {
        surface.PrintLine(business[3] + QStringLiteral(", ") + business[4] + QLatin1Char(' ') + business[5]);
    } else {
        surface.PrintLine(business[3]);
        AtInches(surface, 1.0);
        surface.PrintLine(business[4]);
    }
    AtInches(surface, 1.0);
    surface.PrintLine(business[6]);

    SetPrintPosition(surface, 6.1, 0.75);
    surface.Print(QStringLiteral("Page # "));
    surface.PrintNumberLine(pageNo);
    AtInches(surface, 6.1);
    surface.Print(QStringLiteral("Proposal No. - "));
    surface.PrintNumberLine(page.document.number);
    AtInches(surface, 6.1);
    surface.Print(QStringLiteral("Date: "));
    surface.PrintLine(ShortDateText(page.document.date));
}

void PrintCustomerBlock(ProposalPage &page) {
    PrintSurface &surface = page.surface;
    const ProposalDocument &document = page.document;
    surface.SetTextColor(PrintColors::Black);
    SetPrintFont(surface, 8, -1, 0);
    SetPrintPosition(surface, 1.6, 1.35);
    surface.Print(QStringLiteral("Proposal submitted to:"));
    SetPrintPosition(surface, 5.0, 0);
    surface.PrintLine(QStringLiteral("Work to be performed at:"));
    SetPrintPosition(surface, 1.0, 1.6);

    if (!document.isField) {
        auto row = [&](const QString &customer, const QString &jobSite) {
            AtInches(surface, 1.0);
            PrintInFrame(surface, customer, CustomerFrameRight, false);
            AtInches(surface, 4.2);
            PrintInFrame(surface, jobSite, JobSiteFrameRight, true);
        };
        const auto &c = document.customer;
        const auto &j = document.jobSite;
        row(c[1], j[1]);
        row(c[2], j[2]);
        if (!j[3].isEmpty())
            row(c[3], j[3]);
        if (document.usaStyle) {
            row(c[4] + QStringLiteral(", ") + c[5] + QLatin1Char(' ') + c[6],
                j[4] + QStringLiteral(", ") + j[5] + QLatin1Char(' ') + j[6]);
        } else {
            for (int i : {4, 5, 6})
                row(c[i], j[i]);
        }
        row(c[7], j[7]);
        return;
    }

    const auto &c = document.customer;
    auto line = [&](const QString &text) {
        AtInches(surface, 1.0);
        PrintInFrame(surface, text, CustomerFrameRight, true);
    };
    line(c[1]);
    line(c[2]);
    if (!c[3].isEmpty())
        line(c[3]);
    if (document.usaStyle) {
        line(c[4] + QStringLiteral(", ") + c[5] + QLatin1Char(' ') + c[6]);
    } else {
        line(document.internationalLines[0]);
        line(document.internationalLines[1]);
    }
    line(c[7]);

    // The job site is written in by hand.
    SetPrintFont(surface, 8, 0, 0);
    surface.SetFontName(Arial);
    for (double y : {1.6, 1.8, 2.0, 2.2}) {
        SetPrintPosition(surface, 4.3, y);
        surface.PrintLine(Underscores(45));
    }
    surface.SetFontName(page.settings.fontName);
}

void PrintProposalBody(ProposalPage &page, int copy) {
    if (page.document.isField) {
        PrintFieldRules(page.surface);
    } else if (!PrintBodyFile(page, copy)) {
        page.failed = true;
        return;
    }
    PrintRuleLines(page, copy);
    PrintClosingBlock(page);
    ApplyJobPageColor(page);
    page.surface.SetFontSize(12);
    if (page.document.isField)
        PrintFieldPayments(page);
    else
        PrintPayments(page);
}

void StartContinuationPage(ProposalPage &page, int copy) {
    PrintSurface &surface = page.surface;
    const PrintFont font = surface.Font();
    const quint32 color = surface.TextColor();
    surface.NewPage();
    ++PageNo;
    // The frame is printed in the fonts of the first page; what was being
    // printed then goes on in its own font.
    surface.SetFontName(page.settings.fontName);
    PrintPageFrame(page, copy, PageNo);
    surface.SetFontName(font.name);
    surface.SetFontSize(font.size);
    surface.SetBold(font.bold);
    surface.SetUnderline(font.underline);
    surface.SetTextColor(color);
    surface.SetCurrentY(BodyTop);
}

QString CutToWidth(PrintSurface &surface, const QString &text, double width) {
    if (surface.TextWidth(text) <= width)
        return text;
    qsizetype low = 0;
    qsizetype high = text.size() - 1;
    while (low < high) {
        const qsizetype middle = (low + high + 1) / 2;
        if (surface.TextWidth(text.left(middle)) <= width)
            low = middle;
        else
            high = middle - 1;
    }
    return text.left(low);
}

QString ProposalJobName(const ProposalDocument &document) {
    if (document.isField)
        return QStringLiteral("Field Proposal FP%1").arg(document.number);
    const QString name = document.customer[1].trimmed();
    const QString number = QStringLiteral("Proposal %1").arg(document.number);
    return name.isEmpty() ? number : number + QStringLiteral(" - ") + name;
}

QString ProposalBodyFileName(const ProposalDocument &document) {
    if (!document.bodyName.isEmpty())
        return document.bodyName;
    return QStringLiteral("\\TamselProposals\\ProposalBody\\%1.txt").arg(document.number);
}

QString CopyLabel(int copy) {
    static const QStringList labels = {QStringLiteral("Original"), QStringLiteral("Duplicate"),
                                       QStringLiteral("Triplicate"), QStringLiteral("File Copy"),
                                       QStringLiteral("File Copy")};
    return copy >= 1 && copy <= labels.size() ? labels.at(copy - 1) : QString();
}

void PrintAcceptance(ProposalPage &page, int copy) {
    PrintSurface &surface = page.surface;
    SetPrintFont(surface, 10, -1, 0);
    ApplyJobPageColor(page);
    const QString title = QStringLiteral("Acceptance of Proposal");
    surface.SetCurrentY(11952);
    surface.SetCurrentX((surface.PrintableWidth() - surface.TextWidth(title)) / 2);
    surface.PrintLine(title);
    // The words the customer signs, kept word for word: "as specified" there
    // means as this proposal describes the work.
    PrintWrapped(
        surface, 1224, 12240, 9720,
        QStringLiteral("The above prices, specifications and conditions are satisfactory and are hereby "
                       "accepted. You are authorized to do the work as specified. Payment will be made "
                       "as outlined above"));
    surface.PrintLine();
    surface.SetFontName(Arial);
    const QString signature = QStringLiteral("Signature") + Underscores(30);
    AtInches(surface, 3.5);
    surface.PrintLine(signature);
    AtInches(surface, 1.0);
    surface.PrintLine(QStringLiteral("Date") + Underscores(15));
    AtInches(surface, 3.5);
    surface.PrintLine(signature);
    surface.SetFontName(page.settings.fontName);

    const QString label = CopyLabel(copy);
    surface.SetCurrentY(surface.PrintableHeight() - surface.TextHeight(QStringLiteral("ABC")));
    surface.SetCurrentX(surface.PrintableWidth() / 2 - surface.TextWidth(label) / 2);
    surface.PrintLine(label);
}

void PrintLetterhead(PrintSurface &surface, const PageSettings &settings, double x, double y, int size) {
    const std::array<QString, 9> &b = settings.business;
    SetPrintPosition(surface, x, y);
    SetPrintFont(surface, size, -1, 0);
    if (b[0].size() > 25)
        surface.SetFontSize(10);
    surface.PrintLine(b[0]);
    surface.SetFontSize(10);
    surface.SetBold(false);

    auto line = [&](const QString &text) {
        SetPrintPosition(surface, x, 0);
        surface.PrintLine(text);
    };
    line(b[1]);
    if (!b[2].isEmpty())
        line(b[2]);
    if (settings.usaStyle) {
        QString cityLine;
        if (!b[3].isEmpty())
            cityLine = b[3] + QStringLiteral(", ");
        if (!b[4].isEmpty())
            cityLine += b[4] + QStringLiteral(". ") + b[5];
        if (!cityLine.isEmpty())
            line(cityLine);
    } else {
        if (!b[3].isEmpty())
            line(b[3]);
        if (!b[4].isEmpty())
            line(b[4]);
    }
    if (!b[6].isEmpty())
        line(QStringLiteral("Telephone: ") + b[6]);
    if (!b[7].isEmpty())
        line(b[7]);
    if (!b[8].isEmpty())
        line(b[8]);
    if (settings.webSite)
        line(*settings.webSite);
}
