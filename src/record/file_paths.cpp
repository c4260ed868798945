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

QString BuscarFichero(const QString& path)
{
    if (path.isEmpty())
        return {};
    const QFileInfo info(path);
    if (info.isFile())
        return path;
    const QString nombre = info.fileName();
    const QStringList entradas = info.absoluteDir().entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& e : entradas) {
        if (e.compare(nombre, Qt::CaseInsensitive) == 0)
            return info.path() + QLatin1Char('/') + e; // the folder as the caller wrote it
    }
    return {};
}

bool MismoFichero(const QString& a, const QString& b)
{
    if (a.isEmpty() || b.isEmpty())
        return false;
    return RutaCanonica(a).compare(RutaCanonica(b), Qt::CaseInsensitive) == 0;
}

} // namespace vesdra
