#pragma once
// Rules for what the user types, shared by the screens' key filters.
#include <QChar>
#include <QString>
#include <optional>

// A text the user would call a number: optional blanks, sign, grouping and a
// currency symbol of the user's locale, or a plain number with a point.
std::optional<double> ParseNumericText(const QString &text);
inline bool IsNumericText(const QString &text) { return ParseNumericText(text).has_value(); }

// The seven characters refused in fields that end up in file names or
// comma-separated files, in the order they are tested.
inline constexpr char RefusedKeys[] = {',', '&', '.', '\\', '*', '/', '?'};
bool IsRefusedKey(QChar key);

inline constexpr int BackspaceKey = 8;
