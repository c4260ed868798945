#include "common/test_support.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace vesdra::test {

QString DataPath(const QString& relative)
{
    return QString::fromUtf8(VESDRA_TEST_DATA_DIR) + QLatin1Char('/') + relative;
}

QString SamplePath(const QString& name)
{
    return QString::fromUtf8(VESDRA_SAMPLES_DIR) + QLatin1Char('/') + name;
}

bool WriteBytes(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    return f.write(bytes) == bytes.size();
}

QByteArray ReadBytes(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

} // namespace vesdra::test
