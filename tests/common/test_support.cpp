#include "common/test_support.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

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

QString RunTool(const QString& tool, const QStringList& args)
{
    QProcess proc;
    proc.start(tool, args);
    if (!proc.waitForFinished(30000))
        return {};
    return QString::fromUtf8(proc.readAllStandardOutput());
}

QImage RenderPdfPage(const QString& pdf, int dpi)
{
    QTemporaryDir dir;
    if (!dir.isValid())
        return {};
    const QString base = dir.filePath(QStringLiteral("page"));
    (void)RunTool(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QString::number(dpi), QStringLiteral("-png"),
                                                QStringLiteral("-singlefile"), QStringLiteral("-f"),
                                                QStringLiteral("1"), pdf, base});
    return QImage(base + QStringLiteral(".png")).convertToFormat(QImage::Format_RGB32);
}

QString PdfText(const QString& pdf)
{
    return RunTool(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
}

} // namespace vesdra::test
