#include "printing/CustomerReport.h"

#include "common/CommonRoutines.h"
#include "common/LocaleTexts.h"
#include "customers/CustomerRecords.h"
#include "platform/PrintSurface.h"
#include "printing/ProposalPrintRoutines.h"
#include "printing/ProposalPrintRun.h"

namespace {

constexpr double TwipsPerInch = 1440;
constexpr double ColumnGap = 144; // a tenth of an inch between columns

void PrintReportHeader(PrintSurface &surface, const PageSettings &settings, const QDate &today) {
    const QString title = QStringLiteral("Account Information");
    SetPrintPosition(surface, 0, 0.5);
    SetPrintFont(surface, 14, -1, -1);
    surface.SetCurrentX((surface.PrintableWidth() - surface.TextWidth(title)) / 2);
    surface.PrintLine(title);
    SetPrintFont(surface, 10, 0, 0);
    SetPrintPosition(surface, 0, 0.5);
    PrintLetterhead(surface, settings, 1.0, 0.8, 12);
    SetPrintPosition(surface, 9.0, 0.5);
    surface.PrintLine(ShortDateText(today));
    SetPrintPosition(surface, 1.0, 2.25);
}

void PrintBlock(PrintSurface &surface, const CustomerRecord &rec, int column, double y, bool usaStyle) {
    const double x = 1.0 + 3.0 * (column - 1);
    // Columns 1 and 2 end where the next begins; column 3 at the page's edge.
    const double right = column < 3 ? (x + 3.0) * TwipsPerInch - ColumnGap : surface.PrintableWidth();
    const double width = right - x * TwipsPerInch;
    auto line = [&](const QString &text) {
        SetPrintPosition(surface, x, 0);
        surface.PrintLine(CutToWidth(surface, text, width));
    };
    SetPrintPosition(surface, x, y / TwipsPerInch);
    surface.PrintLine(CutToWidth(surface, GridName(rec), width));
    line(rec.Address1.trimmed());
    if (usaStyle) {
        line(rec.City.trimmed() + QStringLiteral(", ") + rec.State.trimmed() + QLatin1Char(' ') +
             rec.Address4.trimmed());
    } else {
        line(rec.City.trimmed());
        line(rec.Address4.trimmed());
    }
    line(rec.Phone.trimmed());
}

} // namespace

bool PrintCustomerReport(PrintSurface &surface, const PageSettings &settings, bool usaStyle,
                         const QDate &today) {
    surface.SetJobName(QStringLiteral("Customer List"));
    SetupPrinter(surface, QStringLiteral("Landscape"), settings.colorMode, settings.fontName);
    PrintReportHeader(surface, settings, today);
    const double lineHeight = surface.TextHeight(QStringLiteral("ABC"));
    double y = surface.CurrentY();
    int column = 1;
    const qint32 count = CustomerFileSizeNow().records;
    bool stopped = false;
    const bool read = ScanCustomers(count, [&](qint32 recNo, const CustomerRecord &rec) {
        if (stopped)
            return;
        PrintBlock(surface, rec, column, y, usaStyle);
        if (++column < 4)
            return;
        if (!usaStyle)
            y += lineHeight;
        if (recNo == count) {
            stopped = true;
            return;
        }
        column = 1;
        y += 5 * lineHeight;
        if (surface.PrintableHeight() < y + 5 * lineHeight) {
            surface.NewPage();
            PrintReportHeader(surface, settings, today);
            y = surface.CurrentY();
        }
    });
    CloseAllFiles();
    surface.EndDoc();
    return (read || count == 0) && !surface.Failed();
}
