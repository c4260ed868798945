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

} // namespace vesdra
