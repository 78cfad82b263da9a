#include "proposals/ItemLines.h"

#include "common/InputRules.h"
#include "common/LocaleTexts.h"

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

// The amount in the locale's currency form; when that is too wide for its
// columns, without grouping, then without the symbol. Nothing when no form
// fits, or none that fits stays apart from a number just before it.
std::optional<QString> AmountInWidth(Currency amount, int width, int digits, QChar before = QChar()) {
    QLocale plain;
    plain.setNumberOptions(plain.numberOptions() | QLocale::OmitGroupSeparator);
    const QString forms[3] = {CurrencyText(amount),
                              plain.toCurrencyString(amount.ToAmount(), ShownCurrencySymbol(), digits),
                              plain.toString(amount.ToAmount(), 'f', digits)};
    for (const QString &text : forms) {
        const bool runsTogether = before.isDigit() && text.size() >= width && text.front().isDigit();
        if (text.size() <= width && !runsTogether)
            return text;
    }
    return std::nullopt;
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
    if (wholeDigits.size() > QuantityWidth)
        return Refused(ItemQuantityBox, QStringLiteral("The Quantity is too large for the item line."));
    // Below 10 a blank goes first, so units line up under one another. What
    // does not fit the five columns loses the blank, then decimals; the
    // extension is worked out from the quantity the line shows.
    QString shown = (wholeDigits.size() <= 1 ? QStringLiteral(" ") : QString()) + typed;
    if (shown.size() > QuantityWidth)
        shown = typed;
    if (shown.size() > QuantityWidth) {
        shown = (wholeDigits + typed.mid(whole.size())).left(QuantityWidth);
        if (shown.endsWith(QLatin1Char('.')))
            shown.chop(1);
        if (shown.isEmpty())
            shown = QStringLiteral("0");
    }
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
    const Currency price = RoundedToDigits(*typedPrice, digits);
    const auto priceShown = AmountInWidth(price, SharedWidth - 1, digits);
    if (!priceShown)
        return Refused(ItemPriceBox, QStringLiteral("The Selling Price is too large for the item line."));

    // Quantity times price, exactly, then to the currency digits.
    const __int128 step = PowerOfTen(4 - std::clamp(digits, 0, 4));
    const __int128 units = DivideRounded(__int128(price.scaled) * count, PowerOfTen(decimals) * step);
    const __int128 extension = units * step;
    std::optional<QString> extensionShown;
    if (extension <= std::numeric_limits<qint64>::max() && extension >= std::numeric_limits<qint64>::min())
        extensionShown = AmountInWidth(Currency{static_cast<qint64>(extension)}, ExtensionWidth, digits,
                                       priceShown->back());
    if (!extensionShown)
        return Refused(ItemQuantityBox,
                       QStringLiteral("The Extension (Quantity times Price) is too large for "
                                      "the item line."));

    // The description keeps a blank before the price.
    const int room = std::min<int>(DescriptionWidth, SharedWidth - int(priceShown->size()) - 1);
    const QString text = description.trimmed().left(std::max(room, 0));

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
