#include "customers/RecordLayout.h"

#include "platform/TextCodec.h"

#include <QtEndian>
#include <cmath>
#include <cstring>

namespace {
const QDate DayZero(1899, 12, 30);
}

QString RecordFields::GetText(const QByteArray &record, int offset, int width) {
    if (offset < 0 || width < 0 || offset + width > record.size()) {
        QByteArray part = record.mid(offset, width);
        return GetText(part.append(QByteArray(width - part.size(), ' ')), 0, width);
    }
    const QByteArray field = QByteArray::fromRawData(record.constData() + offset, width);
    bool latin1 = true; // the code page agrees with Latin-1 outside 0x80 to 0x9F
    bool zeros = false;
    for (char c : field) {
        const auto b = static_cast<unsigned char>(c);
        latin1 = latin1 && (b < 0x80 || b > 0x9F);
        zeros = zeros || b == 0;
    }
    if (!zeros)
        return latin1 ? QString::fromLatin1(field) : TextCodec::Decode(field);
    QByteArray blanks(field.constData(), width);
    return TextCodec::Decode(blanks.replace('\0', ' '));
}

void RecordFields::PutText(QByteArray &record, int offset, int width, const QString &text) {
    QByteArray bytes = TextCodec::Encode(text).left(width);
    bytes.append(QByteArray(width - bytes.size(), ' '));
    std::memcpy(record.data() + offset, bytes.constData(), width);
}

qint16 RecordFields::GetInteger(const QByteArray &record, int offset) {
    return qFromLittleEndian<qint16>(record.constData() + offset);
}

void RecordFields::PutInteger(QByteArray &record, int offset, qint16 value) {
    qToLittleEndian<qint16>(value, record.data() + offset);
}

qint32 RecordFields::GetLong(const QByteArray &record, int offset) {
    return qFromLittleEndian<qint32>(record.constData() + offset);
}

void RecordFields::PutLong(QByteArray &record, int offset, qint32 value) {
    qToLittleEndian<qint32>(value, record.data() + offset);
}

Currency RecordFields::GetCurrency(const QByteArray &record, int offset) {
    return Currency{qFromLittleEndian<qint64>(record.constData() + offset)};
}

void RecordFields::PutCurrency(QByteArray &record, int offset, Currency value) {
    qToLittleEndian<qint64>(value.scaled, record.data() + offset);
}

double RecordFields::GetDate(const QByteArray &record, int offset) {
    const quint64 bits = qFromLittleEndian<quint64>(record.constData() + offset);
    double days = 0;
    std::memcpy(&days, &bits, sizeof days);
    return days;
}

void RecordFields::PutDate(QByteArray &record, int offset, double days) {
    quint64 bits = 0;
    std::memcpy(&bits, &days, sizeof bits);
    qToLittleEndian<quint64>(bits, record.data() + offset);
}

double RecordFields::DateToDays(const QDate &date) { return static_cast<double>(DayZero.daysTo(date)); }

QDate RecordFields::DaysToDate(double days) {
    if (!std::isfinite(days) || std::abs(days) > 3e6)
        return {};
    return DayZero.addDays(static_cast<qint64>(std::floor(days)));
}
