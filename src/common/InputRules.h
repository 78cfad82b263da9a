#pragma once
// Rules for what the user types, shared by the screens' key filters.
#include <QChar>
#include <QString>
#include <optional>

// A text the user would call a number: optional blanks, sign, grouping and a
// currency symbol of the user's locale, or a plain number with a point.
// The point of a bare number is its decimal point in every locale, as the
// quantity filter lets only the point through ("1.250" is 1.25 in Germany
// too); a text with the locale's own decimal separator or its currency
// symbol is read as the screens show amounts ("1.250,50 €", "1.250 ISK").
std::optional<double> ParseNumericText(const QString &text);
// The same with another text in the place of the locale's currency symbol.
std::optional<double> ParseNumericText(const QString &text, const QString &currencySymbol);
// The currency symbol that the locale's currency texts show: its symbol, or
// its ISO code where it has none ("CHF 1’250.50" in English Switzerland).
QString ShownCurrencySymbol();
inline bool IsNumericText(const QString &text) { return ParseNumericText(text).has_value(); }

// The seven characters refused in fields that end up in file names or
// comma-separated files, in the order they are tested.
inline constexpr char RefusedKeys[] = {',', '&', '.', '\\', '*', '/', '?'};
bool IsRefusedKey(QChar key);

inline constexpr int BackspaceKey = 8;
