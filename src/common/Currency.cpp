#include "common/Currency.h"

#include <cmath>

std::optional<Currency> Currency::FromAmount(double amount) {
    const double units = std::round(amount * double(Scale));
    if (!std::isfinite(units) || std::fabs(units) > 9e18)
        return std::nullopt;
    return Currency{static_cast<qint64>(units)};
}
