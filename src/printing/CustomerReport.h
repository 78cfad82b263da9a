#pragma once
// The customer report: every customer of the customer file as an address
// block, three side by side on a landscape page, under a header with the
// title, the business letterhead and the date.
#include "printing/PageSettings.h"

#include <QDate>

class PrintSurface;

// usaStyle: city, state and zip on one line (the customer screen's style,
// whatever style each customer was entered in). A text too wide for its
// column is cut at the column's edge. False when the customer file could not
// be read or the device refused a page.
bool PrintCustomerReport(PrintSurface &surface, const PageSettings &settings, bool usaStyle,
                         const QDate &today);
