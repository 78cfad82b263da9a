#include "common/QuotedFields.h"

#include <cmath>

namespace QuotedFields {

QString Text(const QString &text) {
    QString quoted = text;
    quoted.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

QString Number(double value) {
    if (std::isfinite(value) && value == std::trunc(value) && std::fabs(value) < 1e15)
        return QString::number(static_cast<qint64>(value));
    // Enough digits for money (four decimals) and sizes, never a trailing zero.
    QString text = QString::number(value, 'f', 10);
    while (text.endsWith(QLatin1Char('0')))
        text.chop(1);
    if (text.endsWith(QLatin1Char('.')))
        text.chop(1);
    // 'f' with ten decimals may show binary noise of a value such as 0.1;
    // the shortest form that reads back the same is the one to store.
    const QString shortest = QString::number(value, 'g', 15);
    if (!shortest.contains(QLatin1Char('e')) && shortest.size() < text.size())
        text = shortest;
    return text;
}

QString Number(qint64 value) { return QString::number(value); }

QString Money(double amount) {
    const auto exact = Currency::FromAmount(amount);
    return exact ? Money(*exact) : Number(amount);
}

QString Money(Currency amount) {
    // Whole ten-thousandths give the digits exactly, without binary noise.
    const qint64 signedUnits = amount.scaled;
    const quint64 magnitude = signedUnits < 0 ? quint64(0) - quint64(signedUnits) : quint64(signedUnits);
    QString text = QString::number(magnitude / 10000);
    if (const quint64 fraction = magnitude % 10000) {
        QString digits = QStringLiteral("%1").arg(fraction, 4, 10, QLatin1Char('0'));
        while (digits.endsWith(QLatin1Char('0')))
            digits.chop(1);
        text += QLatin1Char('.') + digits;
    }
    if (signedUnits < 0)
        text.prepend(QLatin1Char('-'));
    return text;
}

QString Bool(bool value) { return value ? QStringLiteral("#TRUE#") : QStringLiteral("#FALSE#"); }

QString Date(const QDate &date) { return QLatin1Char('#') + date.toString(Qt::ISODate) + QLatin1Char('#'); }

QString Line(const QStringList &fields) { return fields.join(QLatin1Char(',')) + QStringLiteral("\r\n"); }

} // namespace QuotedFields

FieldReader::FieldReader(QString text) : text_(std::move(text)) {}

bool FieldReader::AtEnd() const {
    for (qsizetype i = pos_; i < text_.size(); ++i) {
        const QChar c = text_.at(i);
        if (c != u' ' && c != u'\t' && c != u'\r' && c != u'\n')
            return false;
    }
    return true;
}

void FieldReader::SkipSpaces() {
    while (pos_ < text_.size() && (text_.at(pos_) == u' ' || text_.at(pos_) == u'\t'))
        ++pos_;
}

void FieldReader::SkipLineEnd() {
    if (pos_ < text_.size() && text_.at(pos_) == u'\r')
        ++pos_;
    if (pos_ < text_.size() && text_.at(pos_) == u'\n')
        ++pos_;
}

std::optional<FieldReader::Field> FieldReader::Next() {
    // Blank lines between fields are skipped, as a line end is only a separator.
    while (true) {
        SkipSpaces();
        if (pos_ < text_.size() && (text_.at(pos_) == u'\r' || text_.at(pos_) == u'\n')) {
            SkipLineEnd();
            continue;
        }
        break;
    }
    if (pos_ >= text_.size())
        return std::nullopt;

    Field field;
    if (text_.at(pos_) == u'"') {
        field.quoted = true;
        ++pos_;
        while (pos_ < text_.size()) {
            const QChar c = text_.at(pos_++);
            if (c == u'"') {
                if (pos_ < text_.size() && text_.at(pos_) == u'"') {
                    field.text.append(c);
                    ++pos_;
                    continue;
                }
                break;
            }
            field.text.append(c);
        }
        // Anything between the closing quote and the separator is dropped.
        while (pos_ < text_.size() && text_.at(pos_) != u',' && text_.at(pos_) != u'\r' &&
               text_.at(pos_) != u'\n')
            ++pos_;
    } else {
        while (pos_ < text_.size() && text_.at(pos_) != u',' && text_.at(pos_) != u'\r' &&
               text_.at(pos_) != u'\n')
            field.text.append(text_.at(pos_++));
        field.text = field.text.trimmed();
    }
    if (pos_ < text_.size() && text_.at(pos_) == u',')
        ++pos_;
    else
        SkipLineEnd();
    return field;
}

bool FieldReader::ReadText(QString &out) {
    const auto field = Next();
    if (!field)
        return false;
    out = field->text;
    return true;
}

bool FieldReader::ReadNumber(double &out) {
    const auto field = Next();
    if (!field || field->quoted || field->text.isEmpty())
        return false;
    bool ok = false;
    QString text = field->text;
    if (text.startsWith(QLatin1Char('.')) || text.startsWith(QLatin1String("-.")))
        text.insert(text.indexOf(QLatin1Char('.')), QLatin1Char('0'));
    const double value = text.toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return false;
    out = value;
    return true;
}

bool FieldReader::ReadMoney(Currency &out) {
    double value = 0;
    if (!ReadNumber(value))
        return false;
    const auto money = Currency::FromAmount(value);
    if (!money)
        return false;
    out = *money;
    return true;
}

bool FieldReader::ReadInteger(qint64 &out) {
    double value = 0;
    if (!ReadNumber(value) || value != std::trunc(value) || std::fabs(value) > 9e15)
        return false;
    out = static_cast<qint64>(value);
    return true;
}

bool FieldReader::ReadBool(bool &out) {
    const auto field = Next();
    if (!field || field->quoted)
        return false;
    if (field->text.compare(QLatin1String("#TRUE#"), Qt::CaseInsensitive) == 0)
        out = true;
    else if (field->text.compare(QLatin1String("#FALSE#"), Qt::CaseInsensitive) == 0)
        out = false;
    else
        return false;
    return true;
}

bool FieldReader::ReadDate(QDate &out) {
    const auto field = Next();
    if (!field || field->quoted || field->text.size() < 3 || !field->text.startsWith(QLatin1Char('#')) ||
        !field->text.endsWith(QLatin1Char('#')))
        return false;
    const QDate date = QDate::fromString(field->text.mid(1, field->text.size() - 2), Qt::ISODate);
    if (!date.isValid())
        return false;
    out = date;
    return true;
}

bool FieldReader::ReadLine(QString &out) {
    if (pos_ >= text_.size())
        return false;
    out.clear();
    while (pos_ < text_.size() && text_.at(pos_) != u'\r' && text_.at(pos_) != u'\n')
        out.append(text_.at(pos_++));
    SkipLineEnd();
    return true;
}
