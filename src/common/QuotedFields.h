#pragma once
// The line format of most text files: fields separated by commas, texts in
// double quotes, numbers plain with a point, booleans #TRUE#/#FALSE#, dates
// #yyyy-mm-dd#, each line ended by CR LF.
//
// A double quote inside a text is written doubled and read back as one. Old
// files never hold a doubled quote, so they read exactly as before.
#include "common/Currency.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <optional>

namespace QuotedFields {

QString Text(const QString &text);
QString Number(double value);
QString Number(qint64 value);
inline QString Number(int value) { return Number(static_cast<qint64>(value)); }
// A money amount, rounded to the ten-thousandth as a currency amount is
// held: no trailing zeros and no point when whole (1250, 1250.5, 1234.5678).
QString Money(double amount);
QString Money(Currency amount);
QString Bool(bool value);
QString Date(const QDate &date);

// Fields joined by commas and ended by CR LF.
QString Line(const QStringList &fields);

} // namespace QuotedFields

// Reads fields one after another from the text of a whole file, the way the
// files were always read: a line end ends a field as a comma does, and a
// quoted text may run over several lines.
class FieldReader {
public:
    explicit FieldReader(QString text);

    struct Field {
        QString text;
        bool quoted = false;
    };

    bool AtEnd() const;
    // The next field as it stands in the file; nothing at the end.
    std::optional<Field> Next();

    // Typed reads; each consumes one field and returns false when there is
    // none or it holds the wrong kind of value.
    bool ReadText(QString &out);
    bool ReadNumber(double &out);
    bool ReadMoney(Currency &out);
    bool ReadInteger(qint64 &out);
    bool ReadBool(bool &out);
    bool ReadDate(QDate &out);
    // The rest of the current line as it stands, without its line end.
    bool ReadLine(QString &out);
    // Where the next field begins: just after the separator of the last one read.
    qsizetype Position() const { return pos_; }

private:
    void SkipSpaces();
    void SkipLineEnd();
    QString text_;
    qsizetype pos_ = 0;
};
