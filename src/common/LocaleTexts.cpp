#include "common/LocaleTexts.h"

#include "common/InputRules.h"
#include "common/QuotedFields.h"
#include "platform/TextCodec.h"

#include <QLocale>

namespace {

constexpr QChar NoBreakSpace(0x00A0);

// What earlier versions stored for a text: the code page's question mark for
// every character it lacks.
QString AsStoredBefore(const QString &text) { return TextCodec::Decode(TextCodec::Encode(text)); }

bool InCodePage(const QString &text) { return AsStoredBefore(text) == text; }

QString ToCodePage(const QString &text) {
    QString out;
    for (const QChar c : text) {
        if (c.category() == QChar::Separator_Space && !InCodePage(QString(c)))
            out += NoBreakSpace;
        else if (c == QChar(0x2212)) // minus sign
            out += QLatin1Char('-');
        else
            out += c;
    }
    return out;
}

} // namespace

QString CurrencyText(Currency amount) { return QLocale().toCurrencyString(amount.ToAmount()); }

std::optional<Currency> CurrencyAmount(const QString &text) {
    const auto value = ParseNumericText(text);
    return value ? Currency::FromAmount(*value) : std::nullopt;
}

QString ShortDateFormat() {
    QString format = QLocale().dateFormat(QLocale::ShortFormat);
    if (!format.contains(QLatin1String("yyyy")))
        format.replace(QLatin1String("yy"), QLatin1String("yyyy"));
    return format;
}

QString ShortDateText(const QDate &date) { return QLocale().toString(date, ShortDateFormat()); }

std::optional<QDate> ShortDateValue(const QString &text) {
    const QLocale locale;
    const QString trimmed = text.trimmed();
    QDate date = locale.toDate(trimmed, ShortDateFormat());
    if (date.isValid())
        return date;
    date = locale.toDate(trimmed, QLocale::ShortFormat);
    if (!date.isValid())
        return std::nullopt;
    if (date.year() < 1930)
        date = date.addYears(100);
    return date;
}

QString StoredCurrencyText(Currency amount) {
    const QLocale locale;
    QString stored = CurrencyText(amount);
    const auto shown = CurrencyAmount(stored); // rounded as the screen shows it
    if (!InCodePage(ShownCurrencySymbol()))
        stored = locale.toCurrencyString(amount.ToAmount(), locale.currencySymbol(QLocale::CurrencyIsoCode));
    stored = ToCodePage(stored);
    if (shown && InCodePage(stored) && StoredCurrencyAmount(stored) == shown)
        return stored;
    return QuotedFields::Money(shown.value_or(amount));
}

std::optional<Currency> StoredCurrencyAmount(const QString &text) {
    if (const auto value = CurrencyAmount(text))
        return value;
    // Back to the screen form; the symbol first, so that question marks
    // standing for it are not taken for grouping.
    const QLocale locale;
    QString t = text;
    const QString symbol = ShownCurrencySymbol();
    if (!InCodePage(symbol)) {
        const QString iso = locale.currencySymbol(QLocale::CurrencyIsoCode);
        for (const QString &standIn : {iso, AsStoredBefore(symbol)})
            if (!standIn.isEmpty() && t.contains(standIn)) {
                t.replace(standIn, symbol);
                break;
            }
    }
    const QString group = locale.groupSeparator();
    if (!InCodePage(group)) {
        if (group.size() == 1 && group[0].category() == QChar::Separator_Space)
            t.replace(NoBreakSpace, group);
        t.replace(AsStoredBefore(group), group);
    }
    return CurrencyAmount(t);
}

QString StoredDateText(const QDate &date) {
    const QString stored = ToCodePage(ShortDateText(date));
    if (InCodePage(stored) && StoredDateValue(stored) == date)
        return stored;
    return date.toString(Qt::ISODate);
}

std::optional<QDate> StoredDateValue(const QString &text) {
    if (const auto date = ShortDateValue(text))
        return date;
    const QDate date = QDate::fromString(text.trimmed(), Qt::ISODate);
    if (!date.isValid())
        return std::nullopt;
    return date;
}
