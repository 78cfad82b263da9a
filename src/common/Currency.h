#pragma once
// Money: a 64-bit count of ten-thousandths, as the record files store it.
// Sums, shares and comparisons are integer arithmetic; amounts become text
// only at the screens and the files (LocaleTexts, QuotedFields).
#include <QtGlobal>
#include <compare>
#include <optional>

struct Currency {
    qint64 scaled = 0;

    static constexpr qint64 Scale = 10000;
    static constexpr Currency FromCents(qint64 cents) { return Currency{cents * 100}; }
    static constexpr Currency FromUnits(qint64 units) { return Currency{units * Scale}; }
    // The nearest ten-thousandth of a typed or stored number; nothing when it
    // is not finite or beyond what 64 bits hold.
    static std::optional<Currency> FromAmount(double amount);
    // For the text edges only.
    double ToAmount() const { return double(scaled) / double(Scale); }

    friend constexpr bool operator==(Currency, Currency) = default;
    friend constexpr auto operator<=>(Currency a, Currency b) { return a.scaled <=> b.scaled; }
    friend constexpr Currency operator+(Currency a, Currency b) { return Currency{a.scaled + b.scaled}; }
    friend constexpr Currency operator-(Currency a, Currency b) { return Currency{a.scaled - b.scaled}; }
    constexpr Currency &operator+=(Currency b) { scaled += b.scaled; return *this; }
    constexpr Currency &operator-=(Currency b) { scaled -= b.scaled; return *this; }
};
