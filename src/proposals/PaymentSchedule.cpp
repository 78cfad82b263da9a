#include "proposals/PaymentSchedule.h"

#include "common/LocaleTexts.h"

#include <QLocale>

namespace PaymentRules {

int CurrencyDigits() {
    const QLocale locale;
    const QString zero = locale.toCurrencyString(0.0);
    const qsizetype point = zero.lastIndexOf(locale.decimalPoint());
    if (point < 0)
        return 0;
    int digits = 0;
    for (qsizetype i = point + locale.decimalPoint().size(); i < zero.size() && zero[i].isDigit(); ++i)
        ++digits;
    return qBound(0, digits, 4);
}

Currency RoundedToDigits(Currency amount, int digits) {
    qint64 unit = 1;
    for (int i = qBound(0, digits, 4); i < 4; ++i)
        unit *= 10;
    const qint64 half = unit / 2;
    const qint64 magnitude = amount.scaled >= 0 ? amount.scaled : -amount.scaled;
    const qint64 rounded = (magnitude + half) / unit * unit;
    return Currency{amount.scaled >= 0 ? rounded : -rounded};
}

QString CurrencyForm(Currency amount) {
    return CurrencyText(RoundedToDigits(amount, CurrencyDigits()));
}

QString AmountTooLargeMessage() {
    return QStringLiteral("An amount cannot be more than %1.\r\nPlease enter a smaller amount.")
        .arg(CurrencyText(MaxAmount));
}

bool IsTooLarge(const QString &text) {
    const auto amount = CurrencyAmount(text);
    return amount && (*amount > MaxAmount || *amount < Currency{} - MaxAmount);
}

std::optional<Currency> BoxAmount(const QString &text) {
    if (IsTooLarge(text))
        return std::nullopt;
    return CurrencyAmount(text);
}

bool IsZeroText(const QString &text) {
    return text == CurrencyForm(Currency{});
}

namespace {

// price / n to the ten-thousandth, halves to the even neighbour.
Currency ExactShare(Currency price, int n) {
    const bool negative = price.scaled < 0;
    const qint64 magnitude = negative ? -price.scaled : price.scaled;
    qint64 quotient = magnitude / n;
    const qint64 twiceRest = 2 * (magnitude % n);
    if (twiceRest > n || (twiceRest == n && quotient % 2 != 0))
        ++quotient;
    return Currency{negative ? -quotient : quotient};
}

} // namespace

QList<Currency> CalculateEqualPayments(Currency price, int n, int digits) {
    QList<Currency> shown;
    if (n < 1 || n > MaxPayments)
        return shown;
    // Half a cent less before rounding keeps every shown share at or below
    // the exact one; what is missing goes onto the last payment.
    const Currency share = RoundedToDigits(ExactShare(price, n) - Currency{50}, digits);
    Currency total;
    for (int k = 0; k < n; ++k) {
        shown << share;
        total += share;
    }
    shown.last() += price - total;
    return shown;
}

std::optional<int> CheckDueDates(const QStringList &captions, int n) {
    for (int k = 0; k < n; ++k)
        if (k >= captions.size() || !ShortDateValue(captions[k]))
            return k;
    return std::nullopt;
}

bool DueDateFollows(const QList<QDate> &assigned, const QDate &picked) {
    if (!picked.isValid())
        return false;
    for (const QDate &date : assigned)
        if (date >= picked)
            return false;
    return true;
}

TotalResult CheckPaymentTotal(const QString &priceText, const QStringList &paymentTexts, int n) {
    const auto price = BoxAmount(priceText);
    if (!price || *price == Currency{} || IsZeroText(priceText))
        return {TotalCheck::PriceNotSet, -1};
    // Each payment is within MaxAmount; the sum is kept wider all the same.
    __int128 sum = 0;
    for (int k = 0; k < n; ++k) {
        const auto amount = k < paymentTexts.size() ? BoxAmount(paymentTexts[k]) : std::nullopt;
        if (!amount)
            return {TotalCheck::PaymentNotNumber, k};
        sum += amount->scaled;
    }
    return {sum == price->scaled ? TotalCheck::Equal : TotalCheck::Unequal, -1};
}

} // namespace PaymentRules
