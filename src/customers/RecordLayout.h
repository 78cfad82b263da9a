#pragma once
// Fixed-length binary records, written and read field by field: text is
// single-byte Windows-1252 padded with blanks, integers are 16-bit (a few
// files owned with other programs hold 32-bit ones too), currency
// is a 64-bit count of ten-thousandths, dates are doubles counting days since
// 30 December 1899; everything little-endian. Each record type describes its
// fields once with a RecordLayout, and every read and write goes through it.
#include "common/Currency.h"

#include <QByteArray>
#include <QDate>
#include <QString>
#include <type_traits>
#include <utility>
#include <variant>
#include <vector>


namespace RecordFields {

// The field's bytes as text, padding included. Zero bytes (records that were
// never written) read as blanks, so trimming works on them too.
QString GetText(const QByteArray &record, int offset, int width);
// The text cut at the width and padded with blanks.
void PutText(QByteArray &record, int offset, int width, const QString &text);
qint16 GetInteger(const QByteArray &record, int offset);
void PutInteger(QByteArray &record, int offset, qint16 value);
qint32 GetLong(const QByteArray &record, int offset);
void PutLong(QByteArray &record, int offset, qint32 value);
Currency GetCurrency(const QByteArray &record, int offset);
void PutCurrency(QByteArray &record, int offset, Currency value);
double GetDate(const QByteArray &record, int offset);
void PutDate(QByteArray &record, int offset, double days);

// Days since 30 December 1899, and back (the whole-day part).
double DateToDays(const QDate &date);
QDate DaysToDate(double days);

} // namespace RecordFields

template <class Rec> class RecordLayout {
public:
    // A date field holds a double; every double member is a date.
    using Member = std::variant<QString Rec::*, qint16 Rec::*, qint32 Rec::*, Currency Rec::*, double Rec::*>;
    struct Field {
        const char *name;
        int offset;
        int width;
        Member member;
    };

    RecordLayout(int length, std::vector<Field> fields) : length_(length), fields_(std::move(fields)) {}

    int Length() const { return length_; }
    const std::vector<Field> &Fields() const { return fields_; }

    // True when the fields follow one another without gap or overlap, fill the
    // record exactly and numbers have their stored widths.
    bool IsContiguous() const {
        int next = 0;
        for (const Field &f : fields_) {
            if (f.offset != next || f.width <= 0)
                return false;
            const int numberWidth = std::visit(
                [](auto m) {
                    using T = std::remove_reference_t<decltype(std::declval<Rec>().*m)>;
                    if constexpr (std::is_same_v<T, qint16>)
                        return 2;
                    else if constexpr (std::is_same_v<T, qint32>)
                        return 4;
                    else if constexpr (std::is_same_v<T, QString>)
                        return 0;
                    else
                        return 8;
                },
                f.member);
            if (numberWidth != 0 && numberWidth != f.width)
                return false;
            next += f.width;
        }
        return next == length_;
    }

    // One text field of a stored record, without decoding the others (scans).
    QString ReadText(const QByteArray &stored, QString Rec::*member) const {
        for (const Field &f : fields_) {
            const auto *candidate = std::get_if<QString Rec::*>(&f.member);
            if (candidate && *candidate == member)
                return stored.size() >= f.offset + f.width ? RecordFields::GetText(stored, f.offset, f.width)
                                                           : Read(stored).*member;
        }
        return {};
    }

    QByteArray Write(const Rec &rec) const {
        QByteArray bytes(length_, '\0');
        for (const Field &f : fields_) {
            std::visit(
                [&](auto m) {
                    const auto &value = rec.*m;
                    using T = std::remove_cvref_t<decltype(value)>;
                    if constexpr (std::is_same_v<T, QString>)
                        RecordFields::PutText(bytes, f.offset, f.width, value);
                    else if constexpr (std::is_same_v<T, qint16>)
                        RecordFields::PutInteger(bytes, f.offset, value);
                    else if constexpr (std::is_same_v<T, qint32>)
                        RecordFields::PutLong(bytes, f.offset, value);
                    else if constexpr (std::is_same_v<T, Currency>)
                        RecordFields::PutCurrency(bytes, f.offset, value);
                    else
                        RecordFields::PutDate(bytes, f.offset, value);
                },
                f.member);
        }
        return bytes;
    }

    // A short buffer reads as if padded with zero bytes.
    Rec Read(const QByteArray &stored) const {
        QByteArray bytes = stored.left(length_);
        if (bytes.size() < length_)
            bytes.append(QByteArray(length_ - bytes.size(), '\0'));
        Rec rec{};
        for (const Field &f : fields_) {
            std::visit(
                [&](auto m) {
                    auto &value = rec.*m;
                    using T = std::remove_cvref_t<decltype(value)>;
                    if constexpr (std::is_same_v<T, QString>)
                        value = RecordFields::GetText(bytes, f.offset, f.width);
                    else if constexpr (std::is_same_v<T, qint16>)
                        value = RecordFields::GetInteger(bytes, f.offset);
                    else if constexpr (std::is_same_v<T, qint32>)
                        value = RecordFields::GetLong(bytes, f.offset);
                    else if constexpr (std::is_same_v<T, Currency>)
                        value = RecordFields::GetCurrency(bytes, f.offset);
                    else
                        value = RecordFields::GetDate(bytes, f.offset);
                },
                f.member);
        }
        return rec;
    }

private:
    int length_;
    std::vector<Field> fields_;
};
