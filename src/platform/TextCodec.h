#pragma once
// Text files of the data folder are Windows-1252 with CR LF line ends.
// Qt has no converter for that code page, so this is the one place that
// turns bytes into text and back.
#include <QByteArray>
#include <QString>

namespace TextCodec {

// Bytes in Windows-1252 to text. The five bytes the code page leaves
// undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the control characters
// of the same number, so every byte survives a read and a write.
QString Decode(const QByteArray &bytes);

// Text to Windows-1252 bytes; characters the code page lacks become '?'.
QByteArray Encode(const QString &text);

// A document the user brings in from elsewhere: UTF-8 when the bytes are
// valid UTF-8 (a byte-order mark is dropped), Windows-1252 otherwise.
QString DecodeDocument(const QByteArray &bytes);

// The characters of the text the code page lacks, each once, in the order
// they first appear; one outside the 16-bit range (an emoji) is one entry.
QStringList Unstorable(const QString &text);
// What is stored in place of such a character: the letter without its mark
// ("ś" s, "Ł" L), a plain dash, space, quote, "<" or ">" for their
// typographic kin, otherwise "?". Always one character, so a text that fits
// a field still fits it.
QChar StandIn(const QString &character);
// The text with every character the code page lacks replaced by its stand-in.
QString Storable(const QString &text);

// True when the bytes hold a control character other than CR, LF and tab
// (a NUL byte included) or one of the bytes the code page leaves undefined:
// no text the user typed looks like that, a damaged or foreign file does.
bool HoldsControlBytes(const QByteArray &bytes);

// Line ends of the stored files.
inline constexpr const char *LineEnd = "\r\n";

// Splits text into lines at CR LF, a lone CR or a lone LF. A final line end
// does not make an empty last line.
QStringList SplitLines(const QString &text);

} // namespace TextCodec
