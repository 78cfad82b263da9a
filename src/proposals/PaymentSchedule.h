#pragma once
// The arithmetic and checks behind the writer's price and payment schedule,
// apart from the screen: equal shares of a price, due dates that must rise,
// payments that must add up to the price. Amounts are exact counts of
// ten-thousandths; texts are the locale's currency and short-date forms.
#include "common/Currency.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

namespace PaymentRules {

inline constexpr int MaxPayments = 8;

// Digits after the decimal separator in the locale's currency form (2 in
// most locales, 0 for the yen).
int CurrencyDigits();
// The amount brought to that many digits, halves away from zero.
Currency RoundedToDigits(Currency amount, int digits);
// The currency form of an amount as the screen shows it: rounded first, so
// the text never depends on how a binary fraction happens to print.
QString CurrencyForm(Currency amount);
// The largest amount a price, a payment or an item's price may be, either
// way from zero: far above any job, and eight of them still add up in 64 bits.
inline constexpr Currency MaxAmount = Currency::FromCents(99'999'999'999);
// Told when a box is left holding a larger amount.
QString AmountTooLargeMessage();
inline const QString AmountTooLargeTitle = QStringLiteral("Amount too Large");
// A box holding a number beyond MaxAmount.
bool IsTooLarge(const QString &text);

// The value of a price or payment box; nothing when it is not a number or
// beyond MaxAmount.
std::optional<Currency> BoxAmount(const QString &text);
// A box showing the currency form of 0.
bool IsZeroText(const QString &text);

// n equal payments of the price as they are shown: each share is the exact
// share (to the ten-thousandth, halves to even) less half a cent, shown in
// the currency form, and the last payment takes up the difference, so the
// shown amounts add up to the price exactly. n from 1 to 8.
QList<Currency> CalculateEqualPayments(Currency price, int n, int digits = 2);

// The index of the first of the n due-date captions that is not a date, or
// nothing when every one is.
std::optional<int> CheckDueDates(const QStringList &captions, int n);

// Whether a date picked on the calendar may become the next due date: it
// must be later than every date already assigned.
bool DueDateFollows(const QList<QDate> &assigned, const QDate &picked);

enum class TotalCheck {
    Equal,            // the payments add up to the price
    PriceNotSet,      // the price is zero or not a number
    PaymentNotNumber, // a payment box does not hold a number (see index)
    Unequal,          // the payments do not add up to the price
};
struct TotalResult {
    TotalCheck outcome = TotalCheck::Unequal;
    int index = -1; // the payment at fault for PaymentNotNumber
};
// The first n payment texts against the price text, to the ten-thousandth.
TotalResult CheckPaymentTotal(const QString &priceText, const QStringList &paymentTexts, int n);

} // namespace PaymentRules
