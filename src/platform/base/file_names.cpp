#include "platform/base/file_names.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <QStringList>

#include "platform/base/cp1252.h"

namespace vesdra {

QString ExistingPathNoCase(const QString& path)
{
    if (path.isEmpty() || QFileInfo::exists(path))
        return path;
    const QString clean = QDir::fromNativeSeparators(path);
    const bool absolute = clean.startsWith(QLatin1Char('/'));
    const QStringList parts = clean.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    QString current = absolute ? QStringLiteral("/") : QString();
    for (qsizetype i = 0; i < parts.size(); ++i) {
        const QString& part = parts[i];
        const QString base = current.isEmpty() ? QStringLiteral(".") : current;
        const auto join = [&](const QString& name) {
            return current.isEmpty()                    ? name
                   : current.endsWith(QLatin1Char('/')) ? current + name
                                                        : current + QLatin1Char('/') + name;
        };
        if (part == QLatin1String(".") || part == QLatin1String("..") || QFileInfo::exists(join(part))) {
            current = join(part);
            continue;
        }
        QString found;
        const QStringList names =
            QDir(base).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
        for (const QString& name : names)
            if (name.compare(part, Qt::CaseInsensitive) == 0) {
                found = name;
                break;
            }
        if (found.isEmpty()) {
            // Nothing further can exist: keep the rest as it was given.
            for (qsizetype k = i; k < parts.size(); ++k)
                current = join(parts[k]);
            return current;
        }
        current = join(found);
    }
    return current;
}

QString FileNoCase(const QString& path)
{
    QString found = ExistingPathNoCase(path);
    if (!QFileInfo(found).isFile())
        found.clear();
    return found;
}

bool FileExistsNoCase(const QString& path)
{
    return !FileNoCase(path).isEmpty();
}

QByteArray PathBytes(const QString& path)
{
    return QFile::encodeName(path);
}

QString PathFromBytes(const QByteArray& bytes)
{
    // The file system's names are UTF-8 here; anything else is a Windows path.
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = utf8.decode(bytes);
    return utf8.hasError() ? FromCp1252(bytes) : text;
}

} // namespace vesdra
