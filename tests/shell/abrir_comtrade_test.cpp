#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QtEndian>
#include <gtest/gtest.h>

#include "platform/common_dialog.h"
#include "platform/mouse_pointer.h"
#include "shell/abrir_comtrade.h"
#include "shell/frm_abrir_comtrade.h"
#include "shell/ini_files.h"
#include "shell/progress_windows.h"
#include "shell_fixture.h"
#include "templates/template_apply.h"
#include "templates/template_file.h"

namespace vesdra
{
namespace
{

using test::Crlf;

// A 1991 record with one analog and one digital channel and three samples.
QByteArray CfgAscii(const QByteArray& estacion = "SE SUR,REL-2", const QByteArray& tipo = "ASCII")
{
    return Crlf(estacion +
                "\n2,1A,1D\n1,VA,,,V,1,0,0,-32767,32767\n1,Disparo,,,0\n50\n1\n1000,3\n"
                "01/06/2004,10:15:30.000000\n01/06/2004,10:15:30.500000\n" +
                tipo + "\n");
}
const QByteArray kDatAscii = Crlf("1,0,5,0\n2,1000,6,1\n3,2000,7,0\n");

// A BINARY record of two analog channels and two samples.
QByteArray CfgBinario()
{
    return Crlf("SE NORTE,REL-9\n2,2A,0D\n1,IA,,,A,1,0,0,-32767,32767\n2,IB,,,A,1,0,0,-32767,32767\n"
                "50\n1\n1000,2\n01/06/2004,10:15:30.000000\n01/06/2004,10:15:30.500000\nBINARY\n");
}
QByteArray DatBinario()
{
    QByteArray b;
    auto i32 = [&b](std::int32_t v) {
        char c[4];
        qToLittleEndian(v, c);
        b.append(c, 4);
    };
    auto i16 = [&b](std::int16_t v) {
        char c[2];
        qToLittleEndian(v, c);
        b.append(c, 2);
    };
    for (int s = 1; s <= 2; ++s) {
        i32(s);
        i32((s - 1) * 1000);
        i16(static_cast<std::int16_t>(10 * s));
        i16(static_cast<std::int16_t>(-10 * s));
    }
    return b;
}

class AbrirTest : public test::ShellTest
{
protected:
    void SetUp() override
    {
        test::ShellTest::SetUp();
        ConectarVentanasProgreso();
        OpenHooks& h = AperturaHooks();
        h.RegistroMostrado = [this](const QString& ruta) { mostrado_ = ruta; };
        h.RegistroQuitado = [this] { ++quitado_; };
        h.ReiniciarVistas = [this] { ++vistasReiniciadas_; };
        h.MostrarPlantilla = [this] { ++plantilla_; };
        h.MostrarPoscamb = [this] { ++poscamb_; };
    }

    // Writes name.cfg / name.dat (and name.hdr when given) in the scratch folder.
    QString Registrar(const QString& nombre, const QByteArray& cfg, const QByteArray& dat,
                      const QByteArray& hdr = {})
    {
        Escribir(nombre + ".cfg", cfg);
        Escribir(nombre + ".dat", dat);
        if (!hdr.isEmpty())
            Escribir(nombre + ".hdr", hdr);
        return Ruta(nombre + ".dat");
    }

    ResultadoApertura Abrir(const QString& rutaDat) { return AbrirRegistro(DerivarRutas(rutaDat)); }

    // An applied template and view state as left by working on a record.
    static void EnsuciarPlantillaYVistas()
    {
        TemplateState& t = Plantillas();
        t.PlantillaAplicada = true;
        t.NumTrifasicos = 1;
        t.TablaTrifasicos = Matrix<QString>(1, 6);
        t.NumGruposDigitales = 1;
        t.RutaPlantilla = "/p/vieja.cnf";
        Shell().UsaPrimario = true;
    }

    QString mostrado_;
    int quitado_{0};
    int vistasReiniciadas_{0};
    int plantilla_{0};
    int poscamb_{0};
};

TEST_F(AbrirTest, SiblingsAreFoundByTheLastExtensionWhateverTheirCase)
{
    Escribir("rec.cfg", "x");
    Escribir("rec.hdr", "x");
    Escribir("rec.1.cfg", "x");
    Escribir("MAYUS.CFG", "x");
    Escribir("Mixto.Hdr", "x");
    Escribir("sinext.cfg", "x");
    Escribir("a.b/pieza.cfg", "x");
    struct Caso {
        const char* dat;
        const char* cfg; // "" when none
        const char* hdr;
    };
    const Caso casos[] = {
        {"rec.dat", "rec.cfg", "rec.hdr"},
        {"REC.DAT", "rec.cfg", "rec.hdr"},
        {"rec.1.dat", "rec.1.cfg", ""}, // not rec.cfg
        {"mayus.dat", "MAYUS.CFG", ""},
        {"mixto.dat", "", "Mixto.Hdr"},
        {"sinext", "sinext.cfg", ""},
        {"a.b/pieza", "a.b/pieza.cfg", ""}, // a dot in the folder is no extension
        {"nada.dat", "", ""},
    };
    for (const Caso& c : casos) {
        const RutasRegistro r = DerivarRutas(Ruta(c.dat));
        EXPECT_EQ(r.Dat, Ruta(c.dat));
        EXPECT_EQ(r.Cfg, *c.cfg ? Ruta(c.cfg) : QString()) << c.dat;
        EXPECT_EQ(r.Hdr, *c.hdr ? Ruta(c.hdr) : QString()) << c.dat;
    }
    EXPECT_EQ(DerivarRutas({}).Cfg, "");
}

TEST_F(AbrirTest, AsciiRecordOpensAndIsHandedToTheExternalTools)
{
    // A file type of lower-case letters with blanks round it is still ASCII.
    const QString dat = Registrar("rec", CfgAscii("SE SUR,REL-2", "  ascii "), kDatAscii);
    SetMousePointer(vbDefault);
    const ResultadoApertura res = Abrir(dat);
    ASSERT_TRUE(res.Abierto());
    EXPECT_EQ(res.TipoFichero, "ASCII");
    EXPECT_EQ(Boxes().Count(), 0);

    const RecordModel& r = Registro();
    EXPECT_TRUE(r.RegistroAbierto);
    EXPECT_EQ(r.NumMuestras(), 3);
    EXPECT_EQ(r.PaletaColores[0], 9);
    EXPECT_EQ(r.RutaHdr, "");
    EXPECT_EQ(mostrado_, dat);
    EXPECT_EQ(Leer("ficher.ini"),
              Crlf(" 0 \n 4 \n" + dat.toUtf8() + "\n\n" + Ruta("rec.cfg").toUtf8() + "\n\n"));
    // No progress window and no hourglass are left behind.
    EXPECT_FALSE(GasolinoCargado());
    EXPECT_EQ(MousePointer(), vbDefault);
}

TEST_F(AbrirTest, MissingCfgOrDataPathIsRefusedAndTheOpenRecordStays)
{
    ASSERT_TRUE(Abrir(Registrar("a", CfgAscii(), kDatAscii)).Abierto());
    Escribir("b.dat", kDatAscii);

    EXPECT_EQ(Abrir(Ruta("b.dat")).Estado, Apertura::SinCfg);
    ASSERT_EQ(Boxes().Count(), 1);
    EXPECT_EQ(Boxes().Last().Prompt, TextosIdioma(173));
    EXPECT_EQ(Boxes().Last().Style, vbCritical);

    EXPECT_EQ(AbrirRegistro({}).Estado, Apertura::SinDatos);
    EXPECT_EQ(Boxes().Last().Prompt, TextosIdioma(174));

    EXPECT_TRUE(Registro().RegistroAbierto);
    EXPECT_EQ(Registro().RutaDat, Ruta("a.dat"));
    EXPECT_EQ(Registro().NumMuestras(), 3);
}

TEST_F(AbrirTest, RefusedRevisionWhileARecordIsOpenKeepsThatRecordAndDoesNotStick)
{
    ASSERT_TRUE(Abrir(Registrar("a", CfgAscii(), kDatAscii)).Abierto());
    EnsuciarPlantillaYVistas();
    const QByteArray ficher = Leer("ficher.ini");
    mostrado_.clear();

    const ResultadoApertura res = Abrir(Registrar("b", CfgAscii("SE OTRA,REL,1999"), kDatAscii));
    EXPECT_EQ(res.Estado, Apertura::RevisionRechazada);
    ASSERT_EQ(Boxes().Count(), 1);
    EXPECT_EQ(Boxes().Last().Prompt, ".cfg COMTRADE file is not OK, you must check the year of revision ");
    EXPECT_EQ(Boxes().Last().Style, vbOKOnly);

    // The open record, its paths and its template are as they were.
    const RecordModel& r = Registro();
    EXPECT_TRUE(r.RegistroAbierto);
    EXPECT_EQ(r.NombreEstacion, "SE SUR");
    EXPECT_EQ(r.RutaDat, Ruta("a.dat"));
    EXPECT_EQ(r.RutaCfg, Ruta("a.cfg"));
    EXPECT_EQ(r.NumMuestras(), 3);
    EXPECT_TRUE(Plantillas().PlantillaAplicada);
    EXPECT_EQ(Plantillas().NumTrifasicos, 1);
    EXPECT_EQ(vistasReiniciadas_, 1); // only by the first open
    EXPECT_EQ(mostrado_, "");
    EXPECT_EQ(Leer("ficher.ini"), ficher);
    EXPECT_EQ(plantilla_ + poscamb_, 0);
    EXPECT_FALSE(GasolinoCargado());

    // The flag does not stick: the next good record opens.
    EXPECT_FALSE(r.RevisionErronea);
    EXPECT_TRUE(Abrir(Registrar("c", CfgAscii("SE TRES,REL"), kDatAscii)).Abierto());
    EXPECT_EQ(Registro().NombreEstacion, "SE TRES");
}

TEST_F(AbrirTest, RefusedRevisionWithNoRecordOpenLeavesNothingOpen)
{
    EXPECT_EQ(Abrir(Registrar("b", CfgAscii("SE,REL,2013"), kDatAscii)).Estado, Apertura::RevisionRechazada);
    EXPECT_FALSE(Registro().RegistroAbierto);
    EXPECT_FALSE(Registro().RevisionErronea);
    EXPECT_EQ(Registro().RutaDat, "");
    EXPECT_FALSE(QFileInfo::exists(Ruta("ficher.ini")));
}

TEST_F(AbrirTest, BadFileTypeLeavesNoRecordOpenAndNoOldTemplate)
{
    ASSERT_TRUE(Abrir(Registrar("a", CfgAscii(), kDatAscii)).Abierto());
    EnsuciarPlantillaYVistas();
    const QByteArray ficher = Leer("ficher.ini");

    const ResultadoApertura res = Abrir(Registrar("b", CfgAscii("SE B,REL", "TEXTO"), kDatAscii));
    EXPECT_EQ(res.Estado, Apertura::TipoErroneo);
    ASSERT_EQ(Boxes().Count(), 1);
    EXPECT_EQ(Boxes().Last().Prompt, TextosIdioma(277));
    EXPECT_EQ(Boxes().Last().Style, vbOKOnly);

    const RecordModel& r = Registro();
    EXPECT_FALSE(r.RegistroAbierto);
    EXPECT_TRUE(r.TipoErroneo);
    EXPECT_EQ(r.TipoFichero, "TEXTO");
    // No count of the new .cfg stands over samples of the old record.
    EXPECT_EQ(r.NumAnalogicos, 0);
    EXPECT_EQ(r.NumMuestras(), 0);
    EXPECT_FALSE(Plantillas().PlantillaAplicada);
    EXPECT_EQ(quitado_, 1);
    EXPECT_EQ(Leer("ficher.ini"), ficher);
    EXPECT_FALSE(GasolinoCargado());
}

TEST_F(AbrirTest, UnreadableDataFileLeavesNoRecordOpen)
{
    ASSERT_TRUE(Abrir(Registrar("a", CfgAscii(), kDatAscii)).Abierto());
    // The BINARY .dat holds one sample of the two the .cfg announces.
    const ResultadoApertura res = Abrir(Registrar("b", CfgBinario(), DatBinario().left(12)));
    EXPECT_EQ(res.Estado, Apertura::DatNoValido);
    ASSERT_EQ(Boxes().Count(), 1);
    EXPECT_EQ(Boxes().Last().Style, vbCritical);
    EXPECT_FALSE(Registro().RegistroAbierto);
    EXPECT_EQ(Registro().NumAnalogicos, 0);
    EXPECT_EQ(quitado_, 1);
    EXPECT_FALSE(GasolinoCargado());
}

TEST_F(AbrirTest, AnotherRecordStartsWithoutTheOldTemplateOrViewSelections)
{
    ASSERT_TRUE(Abrir(Registrar("a", CfgAscii(), kDatAscii)).Abierto());
    EnsuciarPlantillaYVistas();
    Registro().FasoresCalculados = true;

    ASSERT_TRUE(Abrir(Registrar("b", CfgBinario(), DatBinario())).Abierto());
    const TemplateState& t = Plantillas();
    EXPECT_FALSE(t.PlantillaAplicada);
    EXPECT_EQ(t.NumTrifasicos, 0);
    EXPECT_EQ(t.NumGruposDigitales, 0);
    EXPECT_EQ(t.TablaTrifasicos.Rows(), 0);
    EXPECT_EQ(t.RutaPlantilla, "/p/vieja.cnf"); // kept, as closing keeps it
    // The wizard is offered the new record's channels.
    EXPECT_EQ(t.IdentificadorPlantilla, "SE NORTE");
    EXPECT_EQ(t.AnalogicosPlantilla.Rows(), 2);
    EXPECT_FALSE(Shell().UsaPrimario);
    EXPECT_FALSE(Registro().FasoresCalculados);
    EXPECT_EQ(vistasReiniciadas_, 2);
    EXPECT_EQ(Registro().Valores(2, 2), -20.0f);
}

TEST_F(AbrirTest, DialogIsSetUpAndLeadsOnByFileType)
{
    Shell().DirOscilos = Ruta("oscilos");
    AperturaHooks().GeometriaMenu = [] { return QRect(0, 0, 8000, 6000); };
    const QString ascii = Registrar("a", CfgAscii(), kDatAscii);
    const QString binario = Registrar("b", CfgBinario(), DatBinario());

    ScopedDialogAnswers respuestas({false, ascii, 1});
    EXPECT_TRUE(CargarAbrirComtrade().Abierto());
    ASSERT_EQ(respuestas.Calls().size(), 1u);
    const CommonDialog& d = respuestas.Calls()[0].Dialog;
    EXPECT_TRUE(d.CancelError);
    EXPECT_EQ(d.Flags, 2104325);
    EXPECT_EQ(d.Filter, "Data Files (*.dat)|*.dat");
    EXPECT_EQ(d.FilterIndex, 1);
    EXPECT_EQ(d.DefaultExt, ".dat");
    EXPECT_EQ(d.DialogTitle, TextosIdioma(18));
    EXPECT_EQ(d.FileName, Ruta("oscilos") + "/*.dat");
    EXPECT_EQ(d.Left, 2000);
    EXPECT_EQ(d.Top, 1500);
    EXPECT_EQ(plantilla_, 1);
    EXPECT_EQ(poscamb_, 0);

    respuestas.Queue({false, binario, 1});
    EXPECT_TRUE(CargarAbrirComtrade().Abierto());
    EXPECT_EQ(plantilla_, 1);
    EXPECT_EQ(poscamb_, 1);
    EXPECT_EQ(Registro().RutaDat, binario);
}

TEST_F(AbrirTest, CancelledDialogChangesNothingAndSaysNothing)
{
    ASSERT_TRUE(Abrir(Registrar("a", CfgAscii(), kDatAscii)).Abierto());
    ScopedDialogAnswers respuestas({true, {}, 1});
    EXPECT_EQ(CargarAbrirComtrade().Estado, Apertura::Cancelada);
    EXPECT_EQ(Boxes().Count(), 0);
    EXPECT_TRUE(Registro().RegistroAbierto);
    EXPECT_EQ(Registro().RutaDat, Ruta("a.dat"));
    EXPECT_EQ(plantilla_, 0);

    // A dialog answer without a file name ends quietly too.
    EXPECT_EQ(AbrirFicheros({}, {}).Estado, Apertura::SinTitulo);
    EXPECT_EQ(Boxes().Count(), 0);
}

TEST_F(AbrirTest, TheSampleRecordAndItsTemplateOpenWithoutAMainWindow)
{
    const QString dat = QStringLiteral(VESDRA_RUNTIME_ROOT "/Oscilos/muestra.dat");
    const QString cnf = QStringLiteral(VESDRA_RESOURCES_DIR "/Plantillas/muestra.cnf");
    ConectarPlantillasConRegistro();
    const RutasRegistro rutas = DerivarRutas(dat);
    EXPECT_FALSE(rutas.Hdr.isEmpty());
    ASSERT_TRUE(AbrirRegistro(rutas).Abierto()) << Boxes().Count();

    Plantillas().RutaPlantilla = cnf;
    Plantillas().PlantillaAplicada = true;
    const ResultadoPlantilla leida = LeerPlantilla();
    ASSERT_EQ(leida.Estado, LecturaPlantilla::Leida);
    AplicarPlantilla();
    ASSERT_TRUE(EscribirFicher());
    EXPECT_GT(Plantillas().NumCanalesTabla, 0);
    const ContenidoFicher f = LeerFicheroFicher();
    EXPECT_EQ(f.Rutas, (QStringList{dat, rutas.Hdr, rutas.Cfg, cnf}));
    EXPECT_EQ(Boxes().Count(), 0);
    ProgresoRegistro().CfgLeido = [] {};
}

} // namespace
} // namespace vesdra
