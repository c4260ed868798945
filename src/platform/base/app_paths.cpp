#include "platform/base/app_paths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace vesdra {

namespace {
QString& Override()
{
    static QString folder;
    return folder;
}

QString Clean(const QString& p)
{
    return QDir::cleanPath(QDir(p).absolutePath());
}

// The folder `levels` above `folder`, then `child` inside it.
QString Sibling(int levels, const QString& child)
{
    QString p = ExeFolder();
    for (int i = 0; i < levels; ++i)
        p += QStringLiteral("/..");
    return QDir::cleanPath(p + QLatin1Char('/') + child);
}
} // namespace

void SetExeFolderOverride(const QString& folder)
{
    Override() = folder;
}

QString ExeFolderOverride()
{
    return Override();
}

QString ExeFolder()
{
    if (!Override().isEmpty())
        return Clean(Override());
    const QByteArray env = qgetenv("VESDRA_EXE_DIR");
    if (!env.isEmpty())
        return Clean(QString::fromLocal8Bit(env));
    if (QCoreApplication::instance())
        return Clean(QCoreApplication::applicationDirPath());
    return Clean(QDir::currentPath());
}

QString IniFolder()
{
    return Sibling(1, QStringLiteral("ini"));
}
QString IconosFolder()
{
    return Sibling(1, QStringLiteral("Iconos"));
}
QString ModelsFolder()
{
    return Sibling(2, QStringLiteral("Models"));
}

} // namespace vesdra
