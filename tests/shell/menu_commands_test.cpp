#include <QFile>
#include <gtest/gtest.h>

#include "mdi_fixture.h"
#include "platform/base/vb_error.h"
#include "platform/process.h"
#include "shell/menu_commands.h"

namespace vesdra {
namespace {

using test::Crlf;
using test::ReadBytes;
using test::WriteBytes;

class MenuCommandsTest : public test::MdiTest
{
protected:
    // An open record of `rate` Hz on a `lf` Hz line.
    void Registrar(std::int32_t rate, std::int32_t lf, std::int32_t muestras = 2000)
    {
        RecordModel& r = Registro();
        r.RegistroAbierto = true;
        r.Valores = Matrix<float>(muestras, 1);
        r.TasasMuestreo = Array<std::int32_t>(1, rate);
        r.FrecuenciaLinea = lf;
        r.RutaHdr = QStringLiteral("/r/rec.hdr");
    }
    // A template file of version `version` named by RutaPlantilla.
    void PlantillaVersion(const char* version)
    {
        Plantillas().RutaPlantilla =
            Plantilla(QStringLiteral("v.cnf"), QByteArray(version) + "\nID\nANALOGICOS\n 0 \n");
    }
    QString Texto(int n) const { return TextosIdioma(n); }
};

TEST_F(MenuCommandsTest, CloseResetsTheRecordTemplateShellAndViewStateAndKeepsTheRest)
{
    RecordModel& r = Registro();
    r.RutaDat = "/r/rec.dat";
    r.RutaCfg = "/r/rec.cfg";
    r.RutaHdr = "/r/rec.hdr";
    r.NombreEstacion = "SUB";
    r.AnioRevision = "1997";
    r.TextoRevision = "1997";
    r.FechaDisparo = "01/01/2020,00:00:00";
    r.FechaInicio = "01/01/2020,00:00:00";
    r.TipoFichero = "BINARY";
    r.TotalCanales = 3;
    r.NumAnalogicos = 2;
    r.NumDigitales = 1;
    r.FrecuenciaLinea = 50;
    r.NumTasas = 1;
    r.TasaCalculada = 1000;
    r.TasasMuestreo = Array<std::int32_t>(1, 1000);
    r.MuestrasFinales = Array<std::int32_t>(1, 10);
    PonerLados(r, Matrix<float>(10, 2, 1.0f), Matrix<float>(10, 2, 2.0f), Lado::Secundario);
    r.EstadosDigitales.Resize(10, 1, 1);
    r.Tiempos = Array<double>(10, 1.0);
    r.TablaCanales.Resize(2, 4, "x");
    r.FactorA = Array<double>(2, 1.0);
    r.FactorB = Array<double>(2, 1.0);
    r.Desfase = Array<float>(2, 1.0f);
    r.MinimosCanal = Array<float>(2, -1.0f);
    r.MaximosCanal = Array<float>(2, 1.0f);
    r.NombresDigitales = Array<QString>(1, "D1");
    r.TablaPrimSec = Array<PrimSec>(2, PrimSec{110.0, 1.0, "P"});
    r.MultTiempo = 0.001;
    r.PaletaColores = {9, 10, 12, 11, 14, 13, 15, 0, 1, 2, 4, 3, 6, 5, 7};
    r.RegistroAbierto = true;
    r.FasoresCalculados = true;
    r.PuntoDecimal = true;
    r.NumAnalogicosOfrecidos = 2;
    r.NumDigitalesOfrecidos = 1;
    r.NombreConversion = "/r/rec_a";
    r.SalirTrasConversion = true;

    TemplateState& p = Plantillas();
    p.RutaPlantilla = "/p/plan.cnf";
    p.VersionPlantilla = "ver 1.1";
    p.IdentificadorPlantilla = "RELE";
    p.NumAnalogicosPlantilla = 2;
    p.AnalogicosPlantilla.Resize(2, 5, "a");
    p.NumTrifasicosPlantilla = 1;
    p.TrifasicosPlantilla.Resize(1, 6, "1");
    p.NumGruposPlantilla = 1;
    p.GruposPlantilla.Resize(1, 2, "1");
    p.NumMiembrosPlantilla = 1;
    p.MiembrosPlantilla.Resize(1, 2, "1");
    p.GruposEdicion.Resize(1, 21, "g");
    p.CanalesEdicion.Resize(1, 21, 1);
    p.EstadosModelo = Array<QString>(1, "e");
    p.VersionPlantillaActiva = "ver 1.1";
    p.NumCanalesTabla = 2;
    p.NumTrifasicos = 1;
    p.TablaTrifasicos.Resize(1, 6, "1");
    p.NumGruposDigitales = 1;
    p.TablaGruposDigitales.Resize(1, 2, "1");
    p.NumMiembrosDigitales = 1;
    p.TablaMiembrosDigitales.Resize(1, 2, "1");
    p.PlantillaAplicada = p.PlantillaNoEncaja = p.ModificandoPlantilla = p.ModeloCargado = true;
    p.PlantillaNueva = p.AsistenteAbortado = p.VueltaAtras = p.GruposEditados = true;
    p.NombreRegistroGuardado = "SUB";

    ShellState& s = Shell();
    s.CancelarImpresion = true;
    s.Idioma = 1;
    s.DirPlantillas = "/p";
    bool etiquetaBorrada = false;
    AperturaHooks().RegistroQuitado = [&] { etiquetaBorrada = true; };
    const QByteArray ficher = ReadBytes(Ini("ficher.ini"));
    const QByteArray tools = ReadBytes(Ini("tools.ini"));

    CerrarComtrade();

    // Reset: the record model.
    for (const auto* m : {&r.Valores, &r.ValoresOtroLado})
        EXPECT_EQ(m->Rows() * m->Cols(), 0);
    EXPECT_EQ(r.LadoEnVigor, Lado::Primario);
    EXPECT_EQ(r.EstadosDigitales.Rows(), 0);
    EXPECT_EQ(r.TablaCanales.Rows(), 0);
    EXPECT_EQ(r.Tiempos.Size() + r.TasasMuestreo.Size() + r.MuestrasFinales.Size(), 0);
    EXPECT_EQ(r.FactorA.Size() + r.FactorB.Size() + r.Desfase.Size(), 0);
    EXPECT_EQ(r.MinimosCanal.Size() + r.MaximosCanal.Size() + r.NombresDigitales.Size(), 0);
    EXPECT_EQ(r.TotalCanales + r.NumAnalogicos + r.NumDigitales + r.TasaCalculada + r.FrecuenciaLinea +
                  r.NumTasas + r.NumAnalogicosOfrecidos + r.NumDigitalesOfrecidos,
              0);
    EXPECT_FALSE(r.PuntoDecimal || r.TipoErroneo || r.RevisionErronea || r.FasoresCalculados ||
                 r.RegistroAbierto);
    EXPECT_EQ(r.TipoFichero, "");
    EXPECT_EQ(r.NombreEstacion, "");
    EXPECT_EQ(r.FechaDisparo, "0");
    EXPECT_EQ(r.AnioRevision, "0");
    EXPECT_EQ(r.TextoRevision, "0");
    EXPECT_EQ(r.FechaInicio, "0");
    EXPECT_EQ(r.NombreConversion, "");
    EXPECT_FALSE(r.SalirTrasConversion);
    // The loaded and applied template and the wizard.
    EXPECT_EQ(p.AnalogicosPlantilla.Rows() + p.TrifasicosPlantilla.Rows() + p.GruposPlantilla.Rows() +
                  p.MiembrosPlantilla.Rows(),
              0);
    EXPECT_EQ(p.NumAnalogicosPlantilla + p.NumTrifasicosPlantilla + p.NumGruposPlantilla +
                  p.NumMiembrosPlantilla,
              0);
    EXPECT_EQ(p.VersionPlantilla, "0");
    EXPECT_EQ(p.IdentificadorPlantilla, "0");
    EXPECT_EQ(p.TablaTrifasicos.Rows() + p.TablaGruposDigitales.Rows() + p.TablaMiembrosDigitales.Rows(), 0);
    EXPECT_EQ(p.NumCanalesTabla + p.NumTrifasicos + p.NumGruposDigitales + p.NumMiembrosDigitales, 0);
    EXPECT_EQ(p.VersionPlantillaActiva, "");
    EXPECT_FALSE(p.PlantillaAplicada || p.PlantillaNoEncaja || p.ModificandoPlantilla || p.ModeloCargado);
    EXPECT_EQ(p.GruposEdicion.Rows() + p.CanalesEdicion.Rows() + p.EstadosModelo.Size(), 0);
    EXPECT_FALSE(p.PlantillaNueva || p.AsistenteAbortado || p.VueltaAtras || p.GruposEditados);
    EXPECT_EQ(p.NombreRegistroGuardado, "");
    // The shell and every view family.
    EXPECT_FALSE(s.CancelarImpresion);
    EXPECT_TRUE(etiquetaBorrada);
    // The conversion windows and the view-choice dialogs go with the record
    // they were opened for.
    EXPECT_EQ(Llamadas(),
              (std::vector<QString>{"Ondas.Reiniciar", "Fasores.Reiniciar", "Composicion.Reiniciar",
                                    "Digital.Reiniciar", "Conversion.Descargar", "Ondas.DescargarDialogo",
                                    "Composicion.DescargarDialogo", "Fasores.DescargarDialogo",
                                    "Digital.DescargarDialogos"}));

    // Kept: the paths, the time multiplier, the ratings, the palette, the
    // language, the folders and both settings files; no message.
    EXPECT_EQ(r.RutaDat, "/r/rec.dat");
    EXPECT_EQ(r.RutaCfg, "/r/rec.cfg");
    EXPECT_EQ(r.RutaHdr, "/r/rec.hdr");
    EXPECT_EQ(p.RutaPlantilla, "/p/plan.cnf");
    EXPECT_EQ(r.MultTiempo, 0.001);
    ASSERT_EQ(r.TablaPrimSec.Size(), 2);
    EXPECT_EQ(r.TablaPrimSec(2).PS, "P");
    EXPECT_EQ(r.PaletaColores[0], 9);
    EXPECT_EQ(s.Idioma, 1);
    EXPECT_EQ(s.DirPlantillas, "/p");
    EXPECT_EQ(ReadBytes(Ini("ficher.ini")), ficher);
    EXPECT_EQ(ReadBytes(Ini("tools.ini")), tools);
    EXPECT_EQ(Boxes().Count(), 0);
}

TEST_F(MenuCommandsTest, CloseWithNoRecordOpenShowsNothing)
{
    CerrarComtrade();
    CerrarComtrade();
    EXPECT_FALSE(Registro().RegistroAbierto);
    EXPECT_EQ(Boxes().Count(), 0);
}

TEST_F(MenuCommandsTest, SamplesPerCycleRoundHalvesToEven)
{
    struct Caso {
        std::int32_t rate, lf, n;
    };
    const Caso casos[] = {{25, 50, 0},  {75, 50, 2},    {125, 50, 2},
                          {175, 50, 4}, {1000, 60, 17}, {1000, 50, 20}};
    for (const Caso& c : casos)
        EXPECT_EQ(MuestrasPorCicloMenu(c.rate, c.lf), c.n) << c.rate << "/" << c.lf;
    const auto error = [](std::int32_t rate, std::int32_t lf) {
        try {
            (void)MuestrasPorCicloMenu(rate, lf);
        } catch (const VbError& e) {
            return e.Number;
        }
        return 0;
    };
    EXPECT_EQ(error(1000, 0), vberr::DivisionByZero);
    EXPECT_EQ(error(0, 0), vberr::Overflow);
}

TEST_F(MenuCommandsTest, PhasorChecksRunInOrderAndEachRefusalEndsTheCommand)
{
    struct Caso {
        const char* nombre;
        bool abierto;
        std::int32_t rate, lf, muestras;
        bool noEncaja;
        const char* version;
        int texto;
        int estilo;
    };
    // Every later check would refuse too: the first one that fails speaks.
    const Caso casos[] = {
        {"no record", false, 25, 0, 0, true, "ver 1.0", 91, vbCritical},
        {"line frequency 0", true, 25, 0, 0, true, "ver 1.0", 102, vbInformation},
        {"line frequency negative", true, 1000, -50, 0, true, "ver 1.0", 102, vbInformation},
        // No usable rate: the cause the other views name, not a rate too low.
        {"no sampling rate", true, 0, 50, 0, true, "ver 1.0", 116, vbInformation},
        {"25 Hz on 50 Hz", true, 25, 50, 0, true, "ver 1.0", 283, vbInformation},
        {"19 samples of a 20-sample cycle", true, 1000, 50, 19, true, "ver 1.0", 103, vbInformation},
        {"ratio 1.5 goes on to the fit", true, 75, 50, 2, true, "ver 1.0", 246, vbCritical},
        {"old template", true, 1000, 50, 20, false, "ver 1.0", 172, vbCritical},
    };
    for (const Caso& c : casos) {
        Registro() = RecordModel{};
        Registrar(c.rate, c.lf, c.muestras);
        Registro().RegistroAbierto = c.abierto;
        Plantillas().PlantillaAplicada = true;
        Plantillas().PlantillaNoEncaja = c.noEncaja;
        PlantillaVersion(c.version);
        Boxes().Clear();
        Llamadas().clear();
        ComandoFasores();
        ASSERT_EQ(Boxes().Count(), 1) << c.nombre;
        EXPECT_EQ(Boxes().Last().Prompt, Texto(c.texto)) << c.nombre;
        EXPECT_EQ(Boxes().Last().Style, c.estilo) << c.nombre;
        EXPECT_TRUE(Llamadas().empty()) << c.nombre;
        QFile::remove(Plantillas().RutaPlantilla);
    }
}

TEST_F(MenuCommandsTest, PhasorTableIsComputedOncePerRecordAndTheDialogOpensEachTime)
{
    Registrar(1000, 50);
    Plantillas().PlantillaAplicada = true;
    PlantillaVersion("ver 1.1");
    ComandoFasores();
    ComandoFasores();
    EXPECT_EQ(Boxes().Count(), 0);
    EXPECT_EQ(Llamadas(),
              (std::vector<QString>{"Fasores.Calcular", "Fasores.AbrirDialogo", "Fasores.AbrirDialogo"}));
    EXPECT_TRUE(Registro().FasoresCalculados);

    // Closing clears the mark: the next record computes again.
    CerrarComtrade();
    Registrar(1000, 50);
    Llamadas().clear();
    ComandoFasores();
    EXPECT_EQ(Llamadas().front(), "Fasores.Calcular");
}

TEST_F(MenuCommandsTest, PhasorFailuresShowTheErrorBoxAndOpenNothing)
{
    Registrar(1000, 50);
    PlantillaVersion("ver 1.1");
    Vistas().Fasores.Calcular = [] { throw VbError(vberr::SubscriptOutOfRange); };
    Boxes().Clear();
    ComandoFasores();
    ASSERT_EQ(Boxes().Count(), 1);
    EXPECT_EQ(Boxes().Last().Prompt, ErrorBoxText(VbError(vberr::SubscriptOutOfRange)));
    EXPECT_EQ(Boxes().Last().Style, vbCritical);
    EXPECT_FALSE(Registro().FasoresCalculados);
    EXPECT_TRUE(Llamadas().empty());

    // A template file that is gone ends the command in the error box too.
    Vistas().Fasores.Calcular = [] {};
    Plantillas().RutaPlantilla = Carpeta("Plantillas/no_existe.cnf");
    Boxes().Clear();
    ComandoFasores();
    ASSERT_EQ(Boxes().Count(), 1);
    EXPECT_TRUE(Boxes().Last().Prompt.startsWith("Error "));
}

TEST_F(MenuCommandsTest, ReportChecksRecordThenHeader)
{
    ComandoInforme();
    Registrar(1000, 50);
    Registro().RutaHdr.clear();
    ComandoInforme();
    Registro().RutaHdr = "/r/rec.hdr";
    ComandoInforme();
    EXPECT_EQ(Mensajes(), (QStringList{Texto(91), Texto(161)}));
    EXPECT_EQ(Llamadas(), std::vector<QString>{"Informe.Abrir"});
}

TEST_F(MenuCommandsTest, WaveformAndDigitalMenusEnableWithARecordAndWarnWithoutRefusing)
{
    struct Caso {
        const char* nombre;
        bool abierto;
        const char* version; // nullptr: no template ever chosen
        std::int32_t grupos;
        bool habilitadas;
        QStringList ondas;
        QStringList digital;
    };
    const Caso casos[] = {
        {"no record", false, nullptr, 0, false, {}, {}},
        {"no template", true, nullptr, 0, true, {Texto(246)}, {Texto(246)}},
        {"old template", true, "ver 1.0", 0, true, {Texto(172)}, {Texto(172)}},
        {"no digital groups", true, "ver 1.1", 0, true, {}, {Texto(92)}},
        {"complete", true, "ver 1.1", 2, true, {}, {}},
    };
    for (const Caso& c : casos) {
        Registro().RegistroAbierto = c.abierto;
        Plantillas().RutaPlantilla.clear();
        if (c.version)
            PlantillaVersion(c.version);
        Plantillas().NumGruposDigitales = c.grupos;
        Plantillas().NumMiembrosDigitales = c.grupos * 3;
        Boxes().Clear();
        EXPECT_EQ(MenuOndasAbierto(), c.habilitadas) << c.nombre;
        EXPECT_EQ(Mensajes(), c.ondas) << c.nombre;
        Boxes().Clear();
        EXPECT_EQ(MenuDigitalAbierto(), c.habilitadas) << c.nombre;
        EXPECT_EQ(Mensajes(), c.digital) << c.nombre;
    }
}

TEST_F(MenuCommandsTest, ViewItemsLeftEnabledRefuseOnceTheRecordIsClosed)
{
    // F4..F7 reach the items without opening their menus: with the record
    // closed, with a record whose line frequency is not valid (the views
    // cannot count cycles) and with one without a sampling rate (the views
    // cannot turn samples into times), each refuses before any dialog.
    CerrarComtrade();
    bool oculto = false;
    Hooks().OcultarMenu = [&] { oculto = true; };
    for (const int texto : {91, 102, 116}) {
        if (texto == 102)
            Registrar(1000, 0);
        if (texto == 116)
            Registrar(0, 50);
        Llamadas().clear();
        Boxes().Clear();
        ComandoCanalog();
        ComandoCompanalog();
        ComandoDigGrupos();
        ComandoCompdig();
        EXPECT_TRUE(Llamadas().empty()) << texto;
        EXPECT_FALSE(oculto) << texto;
        EXPECT_EQ(Mensajes(), QStringList(4, Texto(texto)));
    }

    Registrar(1000, 50);
    ComandoCanalog();
    ComandoCompanalog();
    ComandoDigGrupos();
    EXPECT_EQ(Llamadas(), (std::vector<QString>{"Ondas.AbrirDialogo", "Composicion.AbrirDialogo",
                                                "Digital.AbrirGrupos"}));
}

TEST_F(MenuCommandsTest, DigitalCompositionHidesTheMenuFormAndBringsItBackWhenTheGridFails)
{
    Registrar(1000, 50);
    std::vector<QString> orden;
    Hooks().OcultarMenu = [&] { orden.push_back("ocultar"); };
    Hooks().MostrarMenu = [&] { orden.push_back("mostrar"); };
    Vistas().Digital.AbrirGrid = [&] { orden.push_back("grid"); };
    ComandoCompdig();
    EXPECT_EQ(orden, (std::vector<QString>{"ocultar", "grid"}));

    orden.clear();
    Vistas().Digital.AbrirGrid = [] { throw VbError(vberr::SubscriptOutOfRange); };
    ComandoCompdig();
    EXPECT_EQ(orden, (std::vector<QString>{"ocultar", "mostrar"}));
    EXPECT_EQ(Mensajes(), QStringList{ErrorBoxText(VbError(vberr::SubscriptOutOfRange))});
}

TEST_F(MenuCommandsTest, ConverterComesFromWinIniAndIsStartedInANormalWindow)
{
    const QString winini = Ruta("win.ini");
    qputenv("WININI", winini.toLocal8Bit());
    std::vector<QString> arrancados;
    SetProgramStarterForTests([&](const QString& p) {
        arrancados.push_back(p);
        return 42;
    });
    const QString programa = Ruta("conversor");
    ASSERT_TRUE(WriteBytes(programa, "#!/bin/sh\n"));

    // No section, an empty path, a program that is not there: text 270.
    Escribir("win.ini", Crlf("[windows]\nload=\n"));
    ComandoConversor();
    Escribir("win.ini", Crlf("[Brunakor]\npath=\n"));
    ComandoConversor();
    Escribir("win.ini", Crlf("[Brunakor]\npath=/no/existe/conversor\n"));
    ComandoConversor();
    EXPECT_EQ(Mensajes(), (QStringList{Texto(270), Texto(270), Texto(270)}));
    for (const MsgBoxCall& c : Boxes().Calls())
        EXPECT_EQ(c.Style, vbInformation);
    EXPECT_TRUE(arrancados.empty());

    Escribir("win.ini", Crlf("[brunakor]\nPATH=" + programa.toUtf8() + "\n"));
    Boxes().Clear();
    ComandoConversor();
    EXPECT_EQ(Boxes().Count(), 0);
    EXPECT_EQ(arrancados, std::vector<QString>{programa});
    EXPECT_EQ(LastLaunch().WindowStyle, vbNormalFocus);

    // The buffer holds 149 characters and the terminating zero.
    Escribir("win.ini", Crlf("[Brunakor]\npath=/" + QByteArray(200, 'a') + "\n"));
    ComandoConversor();
    EXPECT_EQ(Shell().RutaConversor.size(), 149);

    // A program that is there but does not start: the box names it.
    SetProgramStarterForTests([](const QString&) { return -1; });
    Escribir("win.ini", Crlf("[Brunakor]\npath=" + programa.toUtf8() + "\n"));
    Boxes().Clear();
    ComandoConversor();
    EXPECT_EQ(Mensajes(), QStringList{"Error 5: Invalid procedure call or argument\n" + programa});

    SetProgramStarterForTests({});
    qunsetenv("WININI");
}

TEST_F(MenuCommandsTest, ExitAsksForConfirmation)
{
    Boxes().QueueAnswer(vbCancel);
    EXPECT_FALSE(ConfirmarSalida());
    EXPECT_TRUE(ConfirmarSalida());
    ASSERT_EQ(Boxes().Count(), 2);
    EXPECT_EQ(Boxes().Last().Prompt, Texto(284));
    EXPECT_EQ(Boxes().Last().Style, vbOKCancel);
}

TEST_F(MenuCommandsTest, ToolEntriesAreEnabledOnlyWithARecordAndATemplate)
{
    EscribirTools(1, {"Calc=/bin/calc", "Plot=/opt/plot"});
    MenuHerramientas m = LeerMenuHerramientas();
    EXPECT_EQ(m.Cuenta, 2);
    ASSERT_EQ(m.Entradas.size(), 2u);
    EXPECT_EQ(m.Entradas[1].Nombre, "Plot");
    EXPECT_EQ(m.Entradas[1].Ruta, "/opt/plot");
    EXPECT_FALSE(m.Habilitadas);
    Registro().RegistroAbierto = true;
    EXPECT_FALSE(LeerMenuHerramientas().Habilitadas);
    Plantillas().PlantillaAplicada = true;
    EXPECT_TRUE(LeerMenuHerramientas().Habilitadas);
}

TEST_F(MenuCommandsTest, StartingAToolChecksFitVersionAndGroupsInOrder)
{
    std::vector<QString> arrancados;
    SetProgramStarterForTests([&](const QString& p) {
        arrancados.push_back(p);
        return 7;
    });
    const QString tool = Ruta("tool");
    ASSERT_TRUE(WriteBytes(tool, "#!/bin/sh\n"));
    const std::vector<QString> rutas{tool, QString()};

    Registro().RegistroAbierto = true;
    TemplateState& p = Plantillas();
    p.PlantillaAplicada = true;
    p.PlantillaNoEncaja = true;
    PlantillaVersion("ver 1.0");
    EjecutarHerramienta(1, rutas);
    p.PlantillaNoEncaja = false;
    EjecutarHerramienta(1, rutas);
    PlantillaVersion("ver 1.1");
    EjecutarHerramienta(1, rutas);
    EXPECT_EQ(Mensajes(), (QStringList{Texto(246), Texto(172), Texto(92)}));

    p.NumGruposDigitales = 1;
    Boxes().Clear();
    EjecutarHerramienta(3, rutas); // beyond the list
    EjecutarHerramienta(2, rutas); // an empty path
    EXPECT_TRUE(arrancados.empty());
    EjecutarHerramienta(1, rutas);
    EXPECT_EQ(arrancados, std::vector<QString>{tool});
    EXPECT_EQ(LastLaunch().WindowStyle, vbMaximizedFocus);
    EXPECT_EQ(Boxes().Count(), 0);
    SetProgramStarterForTests({});
}

} // namespace
} // namespace vesdra
