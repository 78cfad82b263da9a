#include "common/InputRules.h"

#include <QLocale>
#include <cmath>

QString ShownCurrencySymbol() {
    const QLocale locale;
    const QString symbol = locale.currencySymbol();
    return symbol.isEmpty() ? locale.currencySymbol(QLocale::CurrencyIsoCode) : symbol;
}

std::optional<double> ParseNumericText(const QString &text) {
    return ParseNumericText(text, ShownCurrencySymbol());
}

std::optional<double> ParseNumericText(const QString &text, const QString &symbol) {
    QString t = text.trimmed();
    if (t.isEmpty())
        return std::nullopt;
    const QLocale locale;
    bool ok = false;
    double value = 0;
    const QString decimal = locale.decimalPoint();
    if (decimal != QLatin1String(".") && t.contains(QLatin1Char('.')) &&
        (symbol.isEmpty() || !t.contains(symbol))) {
        // Where the point is no decimal point of the locale, it is one all
        // the same in a bare number; beside the locale's own separator it
        // can only be the locale's grouping.
        value = t.contains(decimal) ? locale.toDouble(t, &ok) : QLocale::c().toDouble(t, &ok);
    } else {
        value = locale.toDouble(t, &ok);
        if (!ok)
            value = QLocale::c().toDouble(t, &ok);
    }
    if (!ok) {
        // Amounts shown in the currency format count as numbers too.
        bool negative = false;
        if (t.startsWith(QLatin1Char('(')) && t.endsWith(QLatin1Char(')'))) {
            negative = true;
            t = t.mid(1, t.size() - 2).trimmed();
        }
        if (t.startsWith(QLatin1Char('-'))) {
            negative = !negative;
            t = t.mid(1).trimmed();
        }
        if (!symbol.isEmpty() && (t.startsWith(symbol) || t.endsWith(symbol))) {
            t = t.startsWith(symbol) ? t.mid(symbol.size()) : t.left(t.size() - symbol.size());
            t = t.trimmed();
            value = locale.toDouble(t, &ok);
            if (ok && negative)
                value = -value;
        }
    }
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

bool IsRefusedKey(QChar key) {
    for (char refused : RefusedKeys)
        if (key == QLatin1Char(refused))
            return true;
    return false;
}
