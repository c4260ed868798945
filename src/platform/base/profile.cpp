#include "platform/base/profile.h"

#include <QDir>
#include <QFile>

#include "platform/base/text_file.h"

namespace vesdra {

namespace {

QString TrimBlanks(QStringView s)
{
    qsizetype b = 0;
    qsizetype e = s.size();
    while (b < e && (s[b] == QLatin1Char(' ') || s[b] == QLatin1Char('\t')))
        ++b;
    while (e > b && (s[e - 1] == QLatin1Char(' ') || s[e - 1] == QLatin1Char('\t')))
        --e;
    return s.mid(b, e - b).toString();
}

// The value as read, or a null QString when the key is not in the file.
QString FindValue(const QString& path, const QString& section, const QString& key)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QStringList lines = SplitTextLines(file.readAll());
    bool inSection = false;
    bool sectionSeen = false;
    for (const QString& raw : lines) {
        const QString line = TrimBlanks(raw);
        if (line.startsWith(QLatin1Char('['))) {
            const qsizetype close = line.indexOf(QLatin1Char(']'));
            const QString name = TrimBlanks(QStringView(line).mid(1, close < 0 ? -1 : close - 1));
            // Only the first section of a name is searched.
            if (inSection)
                return {};
            inSection = !sectionSeen && name.compare(section, Qt::CaseInsensitive) == 0;
            sectionSeen = sectionSeen || inSection;
            continue;
        }
        if (!inSection || line.isEmpty() || line.startsWith(QLatin1Char(';')))
            continue;
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (eq < 0)
            continue;
        if (TrimBlanks(QStringView(line).left(eq)).compare(key, Qt::CaseInsensitive) != 0)
            continue;
        QString value = TrimBlanks(QStringView(line).mid(eq + 1));
        if (value.size() >= 2 && ((value.front() == QLatin1Char('"') && value.back() == QLatin1Char('"')) ||
                                  (value.front() == QLatin1Char('\'') && value.back() == QLatin1Char('\''))))
            value = value.mid(1, value.size() - 2);
        return value.isNull() ? QString(QLatin1String("")) : value;
    }
    return {};
}

} // namespace

QString WinIniPath()
{
    const QByteArray explicitPath = qgetenv("WININI");
    if (!explicitPath.isEmpty())
        return QString::fromLocal8Bit(explicitPath);
    const QByteArray config = qgetenv("XDG_CONFIG_HOME");
    if (!config.isEmpty())
        return QString::fromLocal8Bit(config) + QStringLiteral("/win.ini");
    return QDir::homePath() + QStringLiteral("/.config/win.ini");
}

ProfileString GetProfileString(const QString& section, const QString& key, const QString& defaultValue,
                               std::int32_t bufferSize)
{
    QString value = FindValue(WinIniPath(), section, key);
    if (value.isNull()) {
        value = defaultValue;
        while (!value.isEmpty() && value.back() == QLatin1Char(' '))
            value.chop(1);
    }
    if (bufferSize < 1)
        return {};
    if (value.size() > bufferSize - 1)
        value.truncate(bufferSize - 1);
    return {value, static_cast<std::int32_t>(value.size())};
}

} // namespace vesdra
