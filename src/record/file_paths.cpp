#include "record/file_paths.h"

#include <QDir>
#include <QFileInfo>

namespace vesdra {
namespace {

QString RutaCanonica(const QString& path)
{
    const QFileInfo info(path);
    const QString real = info.canonicalFilePath();
    if (!real.isEmpty())
        return real;
    const QString carpeta = QFileInfo(info.absolutePath()).canonicalFilePath();
    return (carpeta.isEmpty() ? info.absolutePath() : carpeta) + QLatin1Char('/') + info.fileName();
}

} // namespace

bool MismoFichero(const QString& a, const QString& b)
{
    if (a.isEmpty() || b.isEmpty())
        return false;
    return RutaCanonica(a).compare(RutaCanonica(b), Qt::CaseInsensitive) == 0;
}

} // namespace vesdra
