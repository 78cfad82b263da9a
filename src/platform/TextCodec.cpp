#include "platform/TextCodec.h"

#include <QSet>
#include <QStringDecoder>
#include <QStringList>

namespace {

// Unicode code points of the bytes 0x80 to 0x9F; 0 marks an undefined byte.
constexpr char16_t High[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

bool InCodePage(char16_t u) {
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF))
        return true;
    for (int i = 0; i < 32; ++i)
        if (High[i] == u || (High[i] == 0 && u == 0x80 + i))
            return true;
    return false;
}

// Stand-ins that no decomposition gives.
struct StandInPair {
    char16_t from;
    char to;
};
constexpr StandInPair Plain[] = {
    {0x0110, 'D'}, {0x0111, 'd'}, {0x0126, 'H'},  {0x0127, 'h'},  {0x0131, 'i'},  {0x0141, 'L'},
    {0x0142, 'l'}, {0x0166, 'T'}, {0x0167, 't'},  {0x2212, '-'},  {0x201B, '\''}, {0x201F, '"'},
    {0x2032, '\''}, {0x2033, '"'}, {0x2190, '<'}, {0x21D0, '<'}, {0x2264, '<'},  {0x2192, '>'},
    {0x21D2, '>'}, {0x2265, '>'}};

} // namespace

QString TextCodec::Decode(const QByteArray &bytes) {
    QString text;
    text.reserve(bytes.size());
    for (char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        if (b >= 0x80 && b <= 0x9F && High[b - 0x80] != 0)
            text.append(QChar(High[b - 0x80]));
        else
            text.append(QChar(b));
    }
    return text;
}

QByteArray TextCodec::Encode(const QString &text) {
    QByteArray bytes;
    bytes.reserve(text.size());
    for (QChar ch : text) {
        const char16_t u = ch.unicode();
        if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) {
            bytes.append(static_cast<char>(u));
            continue;
        }
        char out = '?';
        for (int i = 0; i < 32; ++i) {
            if (High[i] == u || (High[i] == 0 && u == 0x80 + i)) {
                out = static_cast<char>(0x80 + i);
                break;
            }
        }
        bytes.append(out);
    }
    return bytes;
}

QStringList TextCodec::SplitLines(const QString &text) {
    QStringList lines;
    QString current;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == u'\r' || c == u'\n') {
            lines.append(current);
            current.clear();
            if (c == u'\r' && i + 1 < text.size() && text.at(i + 1) == u'\n')
                ++i;
        } else {
            current.append(c);
        }
    }
    if (!current.isEmpty())
        lines.append(current);
    return lines;
}

QString TextCodec::DecodeDocument(const QByteArray &bytes) {
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    QString text = utf8(bytes);
    return utf8.hasError() ? Decode(bytes) : text;
}

namespace {

// Calls take(character) for each character the code page lacks, a surrogate pair as one.
template <class Take> void EachUnstorable(const QString &text, Take take) {
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (!c.isSurrogate() && InCodePage(c.unicode()))
            continue;
        const bool pair = c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate();
        take(i, text.mid(i, pair ? 2 : 1));
        i += pair ? 1 : 0;
    }
}

} // namespace

QStringList TextCodec::Unstorable(const QString &text) {
    QStringList found;
    QSet<QString> seen;
    EachUnstorable(text, [&](qsizetype, const QString &character) {
        if (!seen.contains(character)) {
            seen.insert(character);
            found << character;
        }
    });
    return found;
}

QChar TextCodec::StandIn(const QString &character) {
    if (character.size() != 1)
        return QLatin1Char('?');
    const QChar c = character.at(0);
    for (const StandInPair &pair : Plain)
        if (pair.from == c.unicode())
            return QLatin1Char(pair.to);
    if (c.category() == QChar::Separator_Space || c.category() == QChar::Separator_Line ||
        c.category() == QChar::Separator_Paragraph)
        return QLatin1Char(' ');
    if (c.category() == QChar::Punctuation_Dash)
        return QLatin1Char('-');
    // The base letter or digit of a composed or compatibility form.
    QString base = character.normalized(QString::NormalizationForm_KD);
    base.removeIf([](QChar m) { return m.isMark(); });
    if (base.size() == 1 && base.at(0).isPrint() && InCodePage(base.at(0).unicode()))
        return base.at(0);
    return QLatin1Char('?');
}

QString TextCodec::Storable(const QString &text) {
    QString out;
    qsizetype from = 0;
    EachUnstorable(text, [&](qsizetype at, const QString &character) {
        out += QStringView(text).mid(from, at - from);
        out += StandIn(character);
        from = at + character.size();
    });
    if (from == 0)
        return text;
    out += QStringView(text).mid(from);
    return out;
}

bool TextCodec::HoldsControlBytes(const QByteArray &bytes) {
    for (char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        if ((b < 0x20 && b != '\r' && b != '\n' && b != '\t') || b == 0x7F ||
            (b >= 0x80 && b <= 0x9F && High[b - 0x80] == 0))
            return true;
    }
    return false;
}
