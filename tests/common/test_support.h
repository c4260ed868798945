#pragma once
#include <QString>
#include <QTemporaryDir>
#include <ostream>

// Lets gtest print texts readably in failure messages.
inline void PrintTo(const QString& s, std::ostream* os)
{
    *os << '"' << s.toStdString() << '"';
}

// Helpers shared by the test programs.
namespace vesdra::test {

// Folder of committed fixtures (tests/data) and of the public sample records.
QString DataPath(const QString& relative);
QString SamplePath(const QString& name);

// Writes bytes to a file, creating folders; returns false on failure.
bool WriteBytes(const QString& path, const QByteArray& bytes);
QByteArray ReadBytes(const QString& path);

} // namespace vesdra::test
