#pragma once
// Money and dates in the forms the user's locale shows them (QLocale()), as
// the screens show them and the payments file keeps them, and back.
#include <QDate>
#include <QString>
#include <optional>

// The locale's currency text of an amount (in the United States $1,250.50).
QString CurrencyText(double amount);
// The amount of a currency text or a plain number; nothing when the text is
// not one under the current locale.
std::optional<double> CurrencyAmount(const QString &text);

// The locale's short date form with the year in four digits (M/d/yyyy in
// the United States): a two-digit year would not read back unambiguously.
QString ShortDateFormat();
QString ShortDateText(const QDate &date);
// A date in that form; the locale's two-digit form is accepted too, its
// years taken from 1930 to 2029. Nothing when the text is no such date.
std::optional<QDate> ShortDateValue(const QString &text);
