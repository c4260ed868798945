#pragma once
#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QFile>
#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

#include "platform/base/app_paths.h"
#include "platform/base/screen.h"
#include "shell/frm_plantilla.h"
#include "shell/ini_files.h"
#include "shell/mdi_form.h"
#include "shell/view_services.h"
#include "shell_fixture.h"

namespace vesdra::test {

// The bundled sample record (BINARY, 1997, 8 analog and 24 digital
// channels) and its template, as the build lays them out.
inline QString MuestraDat()
{
    return QStringLiteral(VESDRA_RUNTIME_ROOT "/Oscilos/muestra.dat");
}
inline QString MuestraCnf()
{
    return QStringLiteral(VESDRA_RESOURCES_DIR "/Plantillas/muestra.cnf");
}

// A runtime tree of the program in a scratch folder (EXE, ini with both
// language files, tools.ini and ficher.ini in Spanish, Plantillas, Oscilos),
// the executable's folder pointed at it, and the view registry holding
// recorders: every call a view entry receives is listed in Llamadas().
class MdiTest : public ShellTest
{
protected:
    void SetUp() override
    {
        ShellTest::SetUp();
        raiz_ = dir_.filePath(QStringLiteral("vesdra"));
        for (const char* sub : {"EXE", "ini", "Plantillas", "Oscilos"})
            ASSERT_TRUE(QDir().mkpath(raiz_ + QLatin1Char('/') + QLatin1String(sub)));
        for (const char* f : {"vsotro.ini", "vsingles.ini"})
            ASSERT_TRUE(QFile::copy(QStringLiteral(VESDRA_RESOURCES_DIR "/ini/") + QLatin1String(f),
                                    Ini(QLatin1String(f))));
        SetExeFolderOverride(raiz_ + QStringLiteral("/EXE"));
        Shell().CarpetaIni = raiz_ + QStringLiteral("/ini");
        EscribirTools(1, {});
        EscribirFicherIni(1);
        Screen() = ScreenInfo{};
        RestablecerVistas();
        Asistente().MostrarPaso1 = [this] { llamadas_.push_back(QStringLiteral("Paso1")); };
        Asistente().Descargar = [] {};
        Grabar();
    }

    void TearDown() override
    {
        principal_.reset();
        DescargarFrmPlantilla();
        Procesar();
        RestablecerVistas();
        Asistente() = AsistenteHooks{[] {}, [] {}};
        Screen() = ScreenInfo{};
        ShellTest::TearDown();
    }

    // Posted events and deferred deletions (forms unloaded from their own
    // handlers go once the handler returns).
    static void Procesar()
    {
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    QString Ini(const QString& nombre) const { return raiz_ + QStringLiteral("/ini/") + nombre; }
    QString Carpeta(const QString& sub) const { return raiz_ + QLatin1Char('/') + sub; }

    // tools.ini with absolute folders under the scratch tree.
    void EscribirTools(int idioma, const QStringList& herramientas)
    {
        QByteArray b = QByteArray::number(idioma) + "\r\n";
        for (const char* sub : {"Oscilos", "Plantillas", "EXE"})
            b += Carpeta(QLatin1String(sub)).toUtf8() + "\r\n";
        b += QByteArray::number(herramientas.size()) + "\r\n";
        for (const QString& h : herramientas)
            b += "\"" + h.toUtf8() + "\"\r\n";
        ASSERT_TRUE(WriteBytes(Ini(QStringLiteral("tools.ini")), b));
    }
    void EscribirFicherIni(int idioma)
    {
        const QByteArray n = " " + QByteArray::number(idioma) + " ";
        ASSERT_TRUE(WriteBytes(Ini(QStringLiteral("ficher.ini")), n + "\r\n 4 \r\n\r\n\r\n\r\n\r\n"));
    }
    QStringList LineasFicher() const
    {
        return QString::fromLatin1(ReadBytes(Ini(QStringLiteral("ficher.ini"))))
            .split(QStringLiteral("\r\n"));
    }

    // A file of the templates folder with the given contents (CR LF).
    QString Plantilla(const QString& nombre, const QByteArray& lf)
    {
        const QString ruta = Carpeta(QStringLiteral("Plantillas/")) + nombre;
        EXPECT_TRUE(WriteBytes(ruta, Crlf(lf)));
        return ruta;
    }
    QString CopiarMuestraCnf(const QString& nombre = QStringLiteral("muestra.cnf"))
    {
        const QString ruta = Carpeta(QStringLiteral("Plantillas/")) + nombre;
        EXPECT_TRUE(QFile::copy(MuestraCnf(), ruta));
        return ruta;
    }
    // The build's Iconos folder copied into the tree: the views' progress
    // window plays its animation.
    void CopiarIconos()
    {
        ASSERT_TRUE(QDir().mkpath(Carpeta(QStringLiteral("Iconos"))));
        const QString iconos = QStringLiteral(VESDRA_RUNTIME_ROOT "/Iconos/");
        for (const QString& f : QDir(iconos).entryList(QDir::Files))
            ASSERT_TRUE(QFile::copy(iconos + f, Carpeta(QStringLiteral("Iconos/")) + f));
    }

    // The frame, built and loaded with a command line.
    MDIForm1& Arrancar(const QString& linea = {})
    {
        principal_ = std::make_unique<MDIForm1>();
        principal_->resize(1024, 768);
        principal_->show();
        principal_->MDIForm_Load(linea);
        Procesar();
        return *principal_;
    }

    // Every view entry records its name when called.
    void Grabar()
    {
        ServiciosVistas& v = Vistas();
        const auto r = [this](const char* nombre) {
            return [this, n = QString::fromLatin1(nombre)] { llamadas_.push_back(n); };
        };
        v.Ondas = {r("Ondas.AbrirDialogo"), r("Ondas.CerrarVentanas"), r("Ondas.CerrarTodo"),
                   r("Ondas.Reiniciar"),    r("Ondas.Descargar"),      r("Ondas.DescargarDialogo"),
                   r("Ondas.LadoCambiado")};
        v.Fasores = {r("Fasores.Calcular"),         r("Fasores.AbrirDialogo"), r("Fasores.CerrarFases"),
                     r("Fasores.CerrarSecuencias"), r("Fasores.Reiniciar"),    r("Fasores.Descargar"),
                     r("Fasores.DescargarDialogo")};
        v.Composicion = {r("Composicion.AbrirDialogo"),     r("Composicion.CerrarVentanas"),
                         r("Composicion.Reiniciar"),        r("Composicion.Descargar"),
                         r("Composicion.DescargarDialogo"), r("Composicion.LadoCambiado")};
        v.Digital = {r("Digital.AbrirGrupos"),       r("Digital.AbrirGrid"),   r("Digital.CerrarVista"),
                     r("Digital.CerrarGrid"),        r("Digital.Reiniciar"),   r("Digital.Descargar"),
                     r("Digital.DescargarDialogos"), r("Digital.LadoCambiado")};
        v.Informe = {r("Informe.Abrir"), r("Informe.Cerrar"), r("Informe.Descargar")};
        v.Herramientas = {r("Herramientas.AbrirAnadir"), r("Herramientas.AbrirBorrar"),
                          r("Herramientas.AbrirDirectorios"), r("Herramientas.Descargar")};
        v.Conversion = {r("Conversion.MostrarPoscamb"), r("Conversion.Descargar")};
    }
    std::vector<QString>& Llamadas() { return llamadas_; }

    // The texts of the boxes shown so far.
    QStringList Mensajes() const
    {
        QStringList m;
        for (const MsgBoxCall& c : boxes_->Calls())
            m << c.Prompt;
        return m;
    }

    QString raiz_;
    std::vector<QString> llamadas_;
    std::unique_ptr<MDIForm1> principal_;
};

} // namespace vesdra::test
