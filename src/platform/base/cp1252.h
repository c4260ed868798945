#pragma once
#include <QByteArray>
#include <QString>
#include <string_view>

namespace vesdra {

// Windows-1252, the encoding of every text file the program reads or writes.
// Qt 6 has no such codec without ICU, so it is a table here.
QString FromCp1252(std::string_view bytes);
inline QString FromCp1252(const QByteArray& bytes)
{
    return FromCp1252(std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())));
}
// Characters Windows-1252 cannot hold are written as '?'.
QByteArray ToCp1252(const QString& text);

// Text files come from Windows programs (Windows-1252) and from modern
// recorders (UTF-8). A file is UTF-8 when its bytes are valid UTF-8 and hold
// at least one multi-byte sequence: Windows-1252 text with accents is
// practically never valid UTF-8, and plain ASCII reads the same either way.
// The choice is made once for a whole file and applies to all its lines.
[[nodiscard]] bool IsMultiByteUtf8(std::string_view bytes);
// Bytes of a file decoded as UTF-8 (utf8) or Windows-1252.
[[nodiscard]] QString DecodeText(std::string_view bytes, bool utf8);
inline QString DecodeText(const QByteArray& bytes, bool utf8)
{
    return DecodeText(std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())), utf8);
}

} // namespace vesdra
