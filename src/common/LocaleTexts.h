#pragma once
// Money and dates in the forms the user's locale shows them (QLocale()), as
// the screens show them and the payments file keeps them, and back.
#include "common/Currency.h"

#include <QDate>
#include <QString>
#include <optional>

// The locale's currency text of an amount (in the United States $1,250.50).
QString CurrencyText(Currency amount);
// The amount of a currency text or a plain number; nothing when the text is
// not one under the current locale.
std::optional<Currency> CurrencyAmount(const QString &text);

// The locale's short date form with the year in four digits (M/d/yyyy in
// the United States): a two-digit year would not read back unambiguously.
QString ShortDateFormat();
QString ShortDateText(const QDate &date);
// A date in that form; the locale's two-digit form is accepted too, its
// years taken from 1930 to 2029. Nothing when the text is no such date.
std::optional<QDate> ShortDateValue(const QString &text);

// The forms the payments file keeps. The file is Windows-1252, so what the
// screen forms hold beyond that code page is stored as what it has: thin and
// narrow spaces as the no-break space, the minus sign as a hyphen, a currency
// symbol the code page lacks ("zł", "￥") as the currency's ISO code ("PLN",
// "JPY"). A text that would still not read back (digits of another script)
// is stored as a plain number with a point, a date as yyyy-MM-dd.
QString StoredCurrencyText(Currency amount);
QString StoredDateText(const QDate &date);
// The readers take those forms, the screen forms, and what earlier versions
// stored: a question mark for each character the code page lacked.
std::optional<Currency> StoredCurrencyAmount(const QString &text);
std::optional<QDate> StoredDateValue(const QString &text);
