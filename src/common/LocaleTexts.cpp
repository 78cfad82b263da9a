#include "common/LocaleTexts.h"

#include "common/InputRules.h"

#include <QLocale>

QString CurrencyText(double amount) { return QLocale().toCurrencyString(amount); }

std::optional<double> CurrencyAmount(const QString &text) { return ParseNumericText(text); }

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
