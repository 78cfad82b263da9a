#include "proposals/ItemLines.h"

#include "common/InputRules.h"
#include "common/LocaleTexts.h"
#include "proposals/PaymentSchedule.h"

#include <QLocale>
#include <QRegularExpression>
#include <algorithm>
#include <limits>
#include <optional>

namespace {

const QString CrLf = QStringLiteral("\r\n");

// Columns of the line, counted from 0: the quantity ends in column 4, the
// description starts in column 6, the price ends in column 38 and the
// extension in column 49. Description and price share columns 6 to 38.
constexpr int QuantityEnd = 4, QuantityWidth = 5;
constexpr int DescriptionStart = 6, DescriptionWidth = 31;
constexpr int PriceEnd = 38;
constexpr int ExtensionEnd = 49, ExtensionWidth = 11;
constexpr int SharedWidth = PriceEnd - DescriptionStart + 1; // 33

qint64 PowerOfTen(int n) {
    qint64 p = 1;
    while (n-- > 0)
        p *= 10;
    return p;
}

// a / b to the nearest whole number, halves away from zero (b > 0).
__int128 DivideRounded(__int128 a, __int128 b) {
    const __int128 magnitude = ((a < 0 ? -a : a) * 2 + b) / (2 * b);
    return a < 0 ? -magnitude : magnitude;
}

// The amount in the locale's currency form, as every amount is shown;
// nothing when it is too wide for its columns or would run into a number
// just before them.
std::optional<QString> AmountInWidth(Currency amount, int width, QChar before = QChar()) {
    const QString text = CurrencyText(amount);
    const bool runsTogether = before.isDigit() && text.size() >= width && text.front().isDigit();
    if (text.size() > width || runsTogether)
        return std::nullopt;
    return text;
}

void PutRightAligned(QString &line, int lastColumn, const QString &text) {
    line.replace(lastColumn + 1 - text.size(), text.size(), text);
}

ItemLine Refused(int box, const QString &message) {
    ItemLine result;
    result.faultBox = box;
    result.message = message;
    return result;
}

const QRegularExpression &QuantityPattern() {
    static const QRegularExpression pattern(QStringLiteral("^(\\d*)(?:\\.(\\d*))?$"));
    return pattern;
}

} // namespace

int LocaleCurrencyDigits() {
    const QLocale locale;
    const QString text = locale.toCurrencyString(0.0);
    const QString point = locale.decimalPoint();
    // The decimal point is the one followed by digits; a symbol such as "kr."
    // may hold the same character.
    for (qsizetype at = text.indexOf(point); at >= 0; at = text.indexOf(point, at + 1)) {
        int digits = 0;
        for (qsizetype i = at + point.size(); i < text.size() && text[i].isDigit(); ++i)
            ++digits;
        if (digits > 0)
            return digits;
    }
    return 0;
}

Currency RoundedToDigits(Currency amount, int digits) {
    const qint64 step = PowerOfTen(4 - std::clamp(digits, 0, 4));
    return Currency{static_cast<qint64>(DivideRounded(amount.scaled, step) * step)};
}

Currency RoundedToLocaleDigits(Currency amount) {
    return RoundedToDigits(amount, LocaleCurrencyDigits());
}

ItemLine AddItemLine(const QString &body, const QString &quantity, const QString &description,
                     const QString &priceText) {
    // The quantity: digits and at most one point, with at least one digit.
    const QString typed = quantity.trimmed();
    if (typed.isEmpty())
        return Refused(ItemQuantityBox, QStringLiteral("Please enter the Quantity of this Item."));
    const QRegularExpressionMatch parts = QuantityPattern().match(typed);
    if (!parts.hasMatch() || (parts.captured(1).isEmpty() && parts.captured(2).isEmpty()))
        return Refused(ItemQuantityBox, QStringLiteral("The Quantity must be a number, such as 2 or 2.5."));
    const QString whole = parts.captured(1);
    QString wholeDigits = whole;
    while (wholeDigits.startsWith(QLatin1Char('0')))
        wholeDigits.remove(0, 1);
    // Below 10 a blank goes first, so units line up under one another. What
    // does not fit the five columns loses the blank, then leading zeros and a
    // point with nothing after it; a quantity still too long is refused,
    // never cut, so the line shows what was typed.
    QString shown = (wholeDigits.size() <= 1 ? QStringLiteral(" ") : QString()) + typed;
    if (shown.size() > QuantityWidth)
        shown = typed;
    if (shown.size() > QuantityWidth) {
        shown = wholeDigits + typed.mid(whole.size());
        if (shown.endsWith(QLatin1Char('.')))
            shown.chop(1);
    }
    if (shown.size() > QuantityWidth)
        return Refused(ItemQuantityBox,
                       QStringLiteral("The Quantity does not fit the item line: 5 characters at most, "
                                      "such as 12345 or 12.25."));
    const QString shownTrimmed = shown.trimmed();
    const qsizetype point = shownTrimmed.indexOf(QLatin1Char('.'));
    const int decimals = point < 0 ? 0 : int(shownTrimmed.size() - point - 1);
    const qint64 count = QString(shownTrimmed).remove(QLatin1Char('.')).toLongLong(); // at most 5 digits

    // The price, as an amount at the currency digits.
    const int digits = LocaleCurrencyDigits();
    if (priceText.trimmed().isEmpty())
        return Refused(ItemPriceBox, QStringLiteral("Please enter the Selling Price of this Item."));
    const std::optional<Currency> typedPrice = CurrencyAmount(priceText);
    if (!typedPrice)
        return Refused(ItemPriceBox, QStringLiteral("The Selling Price must be an amount, such as 10.00."));
    if (PaymentRules::IsTooLarge(priceText))
        return Refused(ItemPriceBox, PaymentRules::AmountTooLargeMessage());
    const Currency price = RoundedToDigits(*typedPrice, digits);
    const auto priceShown = AmountInWidth(price, SharedWidth - 1);
    if (!priceShown)
        return Refused(ItemPriceBox, QStringLiteral("The Selling Price is too large for the item line."));

    // Quantity times price, exactly, then to the currency digits.
    const __int128 step = PowerOfTen(4 - std::clamp(digits, 0, 4));
    const __int128 units = DivideRounded(__int128(price.scaled) * count, PowerOfTen(decimals) * step);
    const __int128 extension = units * step;
    std::optional<QString> extensionShown;
    if (extension <= std::numeric_limits<qint64>::max() && extension >= std::numeric_limits<qint64>::min())
        extensionShown = AmountInWidth(Currency{static_cast<qint64>(extension)}, ExtensionWidth, priceShown->back());
    if (!extensionShown)
        return Refused(ItemQuantityBox,
                       QStringLiteral("The Extension (Quantity times Price) is too large for "
                                      "the item line."));

    // The description may run up to the price, as the two share their columns.
    const int room = std::min<int>(DescriptionWidth, SharedWidth - int(priceShown->size()));
    const QString text = description.trimmed();
    if (text.size() > room)
        return Refused(ItemDescriptionBox,
                       QStringLiteral("The Description is too long for the item line: %1 characters at most "
                                      "with this Selling Price.")
                           .arg(room));

    ItemLine result;
    result.ok = true;
    result.quantityShown = shown;
    result.line = QString(ItemMask.size(), QLatin1Char(' '));
    PutRightAligned(result.line, QuantityEnd, shown);
    result.line.replace(DescriptionStart, text.size(), text);
    PutRightAligned(result.line, PriceEnd, *priceShown);
    PutRightAligned(result.line, ExtensionEnd, *extensionShown);
    if (!body.contains(QLatin1String("Qty Des")))
        result.addition = CrLf + ItemHeading + CrLf;
    result.addition += CrLf + result.line;
    return result;
}

ItemProblem NewItemProblem(const QString &description, const QString &priceText) {
    if (description.trimmed().isEmpty())
        return {ItemDescriptionBox, QStringLiteral("Please enter the Description of this Item.")};
    if (priceText.trimmed().isEmpty())
        return {ItemPriceBox, QStringLiteral("Please enter the Selling Price of this Item.")};
    if (!CurrencyAmount(priceText))
        return {ItemPriceBox, QStringLiteral("The Selling Price must be an amount, such as 10.00.")};
    return {};
}
