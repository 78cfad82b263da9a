#include "common/Currency.h"

#include <cmath>

std::optional<Currency> Currency::FromAmount(double amount) {
    const double units = std::round(amount * double(Scale));
    if (!std::isfinite(units) || std::fabs(units) > 9e18)
        return std::nullopt;
    return Currency{static_cast<qint64>(units)};
}

Currency Currency::RoundedToCents() const {
    const qint64 half = 50;
    const qint64 cents = scaled >= 0 ? (scaled + half) / 100 : -((-scaled + half) / 100);
    return Currency{cents * 100};
}
