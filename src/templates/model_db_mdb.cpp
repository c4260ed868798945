// The relay-model databases read by the model reader, a program of the
// installation beside this one's executable, run once per table.
#include <QAbstractEventDispatcher>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFileInfo>
#include <QProcess>
#include <QTimer>
#include <algorithm>
#include <chrono>

#include "platform/base/app_paths.h"
#include "platform/base/file_names.h"
#include "platform/modal_loops.h"
#include "templates/model_db.h"

namespace vesdra {

namespace {

// The most a reader may answer: far beyond any model's tables.
constexpr qsizetype kMaxRespuesta = 64 * 1024 * 1024;

// Waits at most `ms` for the reader's output or its end. Meanwhile the
// windows are painted and the timers run, in a loop of its own that takes
// no input of the user (a click now would run a handler in the middle of
// the read); without an event loop to run, the wait blocks.
void Esperar(QProcess& lector, int ms)
{
    if (!QAbstractEventDispatcher::instance()) {
        if (!lector.waitForReadyRead(ms))
            (void)lector.waitForFinished(std::min(ms, 100));
        return;
    }
    QEventLoop bucle;
    QTimer tope;
    tope.setSingleShot(true);
    QObject::connect(&tope, &QTimer::timeout, &bucle, &QEventLoop::quit);
    QObject::connect(&lector, &QProcess::readyReadStandardOutput, &bucle, &QEventLoop::quit);
    QObject::connect(&lector, &QProcess::finished, &bucle, &QEventLoop::quit);
    tope.start(ms);
    const NestedLoopGuard enBucle;
    bucle.exec(QEventLoop::ExcludeUserInputEvents);
}

VbError Danada(const QString& ruta, const QString& por)
{
    return VbError::Bilingual(kErrorBaseDanada,
                              VbErrorDescription(kErrorBaseDanada, false) + QStringLiteral(" (%1)").arg(por),
                              VbErrorDescription(kErrorBaseDanada, true), ruta);
}

class LectorMdbProceso final : public LectorBasesModelo
{
public:
    explicit LectorMdbProceso(std::chrono::milliseconds limite) : limite_{limite} {}

    TablaModelo LeerTabla(const QString& ruta, const QString& tabla) override
    {
        // The databases come from a file system that ignores case.
        const QFileInfo fichero(ExistingPathNoCase(ruta));
        if (!fichero.absoluteDir().exists())
            throw FileError(vberr::InvalidDatabasePath, fichero.absolutePath());
        if (!fichero.isFile())
            throw FileError(3024, ruta);
        const QString base = fichero.absoluteFilePath();

        // The reader missing is a fault of the installation, not of the
        // database: said as such, with where it was looked for.
        const QString programa = RutaLectorModelos();
        const QFileInfo ejecutable(programa);
        if (!ejecutable.isFile() || !ejecutable.isExecutable())
            throw FileError(kErrorSinLectorModelos, programa);

        QProcess lector;
        lector.setProgram(programa);
        lector.setArguments({base, tabla});
        lector.setStandardInputFile(QProcess::nullDevice());
        lector.setStandardErrorFile(QProcess::nullDevice());
        QElapsedTimer reloj;
        reloj.start();
        lector.start(QIODevice::ReadOnly);
        if (!lector.waitForStarted(static_cast<int>(limite_.count()))) {
            if (lector.error() == QProcess::FailedToStart)
                throw FileError(kErrorSinLectorModelos, programa);
            throw Danada(base, QStringLiteral("the model reader %1 did not start").arg(programa));
        }

        QByteArray respuesta;
        const auto parar = [&](const QString& por) {
            lector.kill();
            lector.waitForFinished(-1);
            return Danada(base, por);
        };
        for (;;) {
            respuesta += lector.readAllStandardOutput();
            if (respuesta.size() > kMaxRespuesta)
                throw parar(QStringLiteral("an answer beyond any table"));
            if (lector.state() == QProcess::NotRunning)
                break;
            const qint64 resto = limite_.count() - reloj.elapsed();
            if (resto <= 0)
                throw parar(QStringLiteral("no answer in %1 ms").arg(limite_.count()));
            Esperar(lector, static_cast<int>(std::min<qint64>(resto, 1000)));
        }
        respuesta += lector.readAllStandardOutput();
        if (lector.exitStatus() != QProcess::NormalExit || lector.exitCode() != 0)
            throw Danada(base, QStringLiteral("the model reader ended abnormally"));
        std::optional<ModelTableAnswer> r = DecodeModelTable(respuesta);
        if (!r)
            throw Danada(base, QStringLiteral("the model reader's answer is damaged"));
        if (r->Error)
            throw r->Error->WithPath(base);
        return std::move(*r->Tabla);
    }

private:
    std::chrono::milliseconds limite_;
};

} // namespace

QString RutaLectorModelos()
{
    return ExeFolder() + QLatin1Char('/') + QLatin1String(kLectorModelos);
}

std::unique_ptr<LectorBasesModelo> CrearLectorMdb(std::chrono::milliseconds limite)
{
    return std::make_unique<LectorMdbProceso>(limite);
}

} // namespace vesdra
