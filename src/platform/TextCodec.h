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

// Line ends of the stored files.
inline constexpr const char *LineEnd = "\r\n";

// Splits text into lines at CR LF, a lone CR or a lone LF. A final line end
// does not make an empty last line.
QStringList SplitLines(const QString &text);

} // namespace TextCodec
