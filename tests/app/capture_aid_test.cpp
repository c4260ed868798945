#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

#include "common/test_support.h"

namespace vesdra {
namespace {

// The sample record and its template, as the command line names them.
const QString kMuestra =
    QStringLiteral("<arbol>/vesdra/Oscilos/muestra.dat <arbol>/vesdra/Plantillas/muestra.cnf");

// The program the build made, run with its hidden capture options on the
// bundled sample record and its template, in a runtime tree of its own per
// run (a copy of the build's: ini, Iconos, Oscilos, Plantillas, Models, and
// the model reader beside the executable), under the offscreen platform.
class CaptureAidTest : public ::testing::Test
{
protected:
    struct Corrida {
        QString Nombre; // of the run's tree and pictures
        QStringList Argumentos;
        std::function<void(const QString& arbol)> Preparar;
    };
    // What came of a run: its exit code (-1 when it crashed or hung) and
    // its standard error.
    struct Resultado {
        int Codigo{-1};
        QString Errores;
    };

    static void Copiar(const QString& desde, const QString& hacia)
    {
        ASSERT_TRUE(QDir().mkpath(hacia));
        QDirIterator it(desde, QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QFileInfo f(it.next());
            const QString destino = hacia + QLatin1Char('/') + QDir(desde).relativeFilePath(f.filePath());
            if (f.isDir())
                ASSERT_TRUE(QDir().mkpath(destino));
            else
                ASSERT_TRUE(QFile::copy(f.filePath(), destino)) << destino.toStdString();
        }
    }

    // The tree of a run: <dir>/<nombre>/vesdra/{EXE,ini,...} and Models.
    QString Arbol(const QString& nombre)
    {
        const QString raiz = dir_.filePath(nombre);
        const QString runtime = QStringLiteral(VESDRA_RUNTIME_ROOT);
        for (const char* sub : {"ini", "Iconos", "Oscilos", "Plantillas"})
            Copiar(runtime + QLatin1Char('/') + QLatin1String(sub), raiz + QStringLiteral("/vesdra/") + sub);
        Copiar(runtime + QStringLiteral("/../Models"), raiz + QStringLiteral("/Models"));
        EXPECT_TRUE(QDir().mkpath(raiz + QStringLiteral("/vesdra/EXE")));
        EXPECT_TRUE(QFile::link(runtime + QStringLiteral("/EXE/vesdra_mdb_reader"),
                                raiz + QStringLiteral("/vesdra/EXE/vesdra_mdb_reader")));
        EXPECT_TRUE(QDir().mkpath(raiz + QStringLiteral("/out")));
        return raiz;
    }
    // Runs them, a few at a time.
    std::vector<Resultado> Correr(const std::vector<Corrida>& corridas)
    {
        std::vector<Resultado> resultados(corridas.size());
        constexpr std::size_t kALaVez = 4;
        std::vector<std::unique_ptr<QProcess>> procesos(corridas.size());
        std::size_t siguiente = 0, hechas = 0;
        const auto empezar = [&](std::size_t i) {
            const Corrida& c = corridas[i];
            const QString arbol = Arbol(c.Nombre);
            if (c.Preparar)
                c.Preparar(arbol);
            QStringList args;
            for (QString a : c.Argumentos)
                args << a.replace(QStringLiteral("<arbol>"), arbol);
            auto p = std::make_unique<QProcess>();
            QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
            env.insert(QStringLiteral("VESDRA_EXE_DIR"), arbol + QStringLiteral("/vesdra/EXE"));
            env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
            p->setProcessEnvironment(env);
            p->setWorkingDirectory(arbol);
            p->setStandardOutputFile(QProcess::nullDevice());
            p->start(QStringLiteral(VESDRA_PROGRAM), args);
            procesos[i] = std::move(p);
        };
        std::vector<std::size_t> enMarcha;
        while (hechas < corridas.size()) {
            while (enMarcha.size() < kALaVez && siguiente < corridas.size()) {
                empezar(siguiente);
                enMarcha.push_back(siguiente++);
            }
            const std::size_t i = enMarcha.front();
            enMarcha.erase(enMarcha.begin());
            QProcess& p = *procesos[i];
            if (!p.waitForFinished(120000))
                p.kill();
            p.waitForFinished(-1);
            resultados[i].Codigo = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
            resultados[i].Errores = QString::fromLocal8Bit(p.readAllStandardError());
            ++hechas;
        }
        return resultados;
    }

    QTemporaryDir dir_;
};

// Each --view opens, acts and saves its pictures on the sample: a step of
// its that did not happen (a handler renamed, a dialog that no longer
// opens) fails here.
TEST_F(CaptureAidTest, EveryViewRunsOnTheBundledSample)
{
    const char* vistas[] = {"inicio",       "abrir",        "ondas",     "ondas8",      "todo",
                            "fasores",      "fasores-zoom", "dialogos",  "composicion", "composicion3",
                            "digital",      "grid",         "asistente", "conversion",  "informe",
                            "herramientas", "directorios"};
    std::vector<Corrida> corridas;
    for (const char* v : vistas) {
        const QString nombre = QString::fromLatin1(v);
        corridas.push_back(
            {nombre, {"--screenshot", "<arbol>/out/" + nombre + ".png", "--view", nombre, kMuestra}, {}});
    }
    const std::vector<Resultado> r = Correr(corridas);
    for (std::size_t i = 0; i < corridas.size(); ++i) {
        const QString& nombre = corridas[i].Nombre;
        SCOPED_TRACE(nombre.toStdString());
        EXPECT_EQ(r[i].Codigo, 0) << r[i].Errores.toStdString();
        EXPECT_FALSE(r[i].Errores.contains(QStringLiteral("captura: no "))) << r[i].Errores.toStdString();
        const QString fotos = dir_.filePath(nombre + QStringLiteral("/out/")) + nombre;
        EXPECT_GT(QFileInfo(fotos + QStringLiteral(".png")).size(), 0);
        if (nombre != QLatin1String("inicio")) {
            EXPECT_GT(QFileInfo(fotos + QStringLiteral("-0.png")).size(), 0);
        }
    }
    // The wizard's run saved its template beside the record.
    EXPECT_TRUE(QFile::exists(dir_.filePath("asistente/vesdra/Oscilos/asistente.cnf")));
}

// A step asked for that did not happen ends the run with exit code 1 and
// says so; a decorative file missing stops nothing.
TEST_F(CaptureAidTest, MendedARunEndsWithCode1WhenAStepAskedForDidNotHappen)
{
    const QString conPlantilla = kMuestra;
    const std::vector<Corrida> corridas = {
        {"nada", {"--screenshot", "<arbol>/out/x.png", "--view", "nada", conPlantilla}, {}},
        // Without a template the digital menu refuses (a box), so no view.
        {"sin-plantilla",
         {"--screenshot", "<arbol>/out/x.png", "--view", "digital", "<arbol>/vesdra/Oscilos/muestra.dat"},
         {}},
        {"sin-carpeta", {"--screenshot", "<arbol>/no/x.png", "--view", "informe", conPlantilla}, {}},
        {"sin-animacion",
         {"--screenshot", "<arbol>/out/x.png", "--view", "ondas", conPlantilla},
         [](const QString& arbol) { ASSERT_TRUE(QFile::remove(arbol + "/vesdra/Iconos/onda.avi")); }},
    };
    const std::vector<Resultado> r = Correr(corridas);
    const struct {
        int codigo;
        const char* dice;
    } esperado[] = {
        {1, "captura: no view of that name"},
        {1, "captura: no digital view"},
        {1, "captura: no picture written"},
        {0, "the progress window's animation is left out"},
    };
    for (std::size_t i = 0; i < corridas.size(); ++i) {
        SCOPED_TRACE(corridas[i].Nombre.toStdString());
        EXPECT_EQ(r[i].Codigo, esperado[i].codigo) << r[i].Errores.toStdString();
        EXPECT_TRUE(r[i].Errores.contains(QLatin1String(esperado[i].dice))) << r[i].Errores.toStdString();
    }
    EXPECT_GT(QFileInfo(dir_.filePath("sin-animacion/out/x.png")).size(), 0);
}

} // namespace
} // namespace vesdra
