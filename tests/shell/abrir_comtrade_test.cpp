#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QMainWindow>
#include <QtEndian>
#include <algorithm>
#include <cmath>
#include <functional>
#include <gtest/gtest.h>
#include <span>
#include <vector>

#include "gen/comtrade_gen.h"
#include "platform/common_dialog.h"
#include "platform/mdi_forms.h"
#include "platform/mouse_pointer.h"
#include "record/canales.h"
#include "record/helpers.h"
#include "shell/abrir_comtrade.h"
#include "shell/frm_abrir_comtrade.h"
#include "shell/gasolino.h"
#include "shell/ini_files.h"
#include "shell/menu_commands.h"
#include "shell/progress_windows.h"
#include "shell_fixture.h"
#include "templates/template_apply.h"
#include "templates/template_file.h"

namespace vesdra {
namespace {

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
    // The message names the file looked for.
    EXPECT_EQ(Boxes().Last().Prompt,
              "The record's configuration file (.cfg) was not found; looked for: " + Ruta("b.cfg"));
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
    EXPECT_EQ(Boxes().Last().Prompt, TextosIdioma(213).arg("1999"));
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

// A small record of five analog and two digital channels, thirty samples.
gen::GenSpec Pequeno(gen::DataFormat formato)
{
    gen::GenSpec spec;
    spec.revision = gen::Revision::R1991;
    spec.format = formato;
    spec.station = QStringLiteral("SE NUEVA");
    spec.samples = 30;
    for (int c = 1; c <= 5; ++c) {
        gen::AnalogSpec a;
        a.name = QStringLiteral("CH%1").arg(c);
        a.amplitude = 100.0 * c;
        a.a = 0.1;
        spec.analog.push_back(a);
    }
    spec.digital.push_back({QStringLiteral("D1"), 0, {}, 3});
    spec.digital.push_back({QStringLiteral("D2"), 1, {5}, 0});
    return spec;
}

const QString kCorto = QStringLiteral(
    "The data file holds %1 of the 30 samples the configuration file announces; those it holds are shown");
const QString kTasas =
    QStringLiteral("The record has several sampling rates; times are computed at the first one");
const QString kFrecuencia = QStringLiteral(
    "The line frequency of the configuration file is not valid; the views that need it cannot be opened");
const QString kSinMuestras = QStringLiteral("The record holds no analog samples to show; it is not opened");
// The sides a notice names for the 1997 channels whose ratings cannot give
// them.
QString Primario()
{
    return TextosIdioma(279).toLower();
}
QString Secundario()
{
    return TextosIdioma(280).toLower();
}
// Sample lines incomplete or unreadable: how many, the first one's line.
QString Danadas(int n, int linea)
{
    return QStringLiteral(
               "Sample lines of the data file that are incomplete or hold fields that cannot be read: "
               "%1 (the first, line %2). What they lack or cannot be read is shown with the value of "
               "the sample before (at the start of the file, with that of the first sample that has "
               "one)")
        .arg(n)
        .arg(linea);
}

// Line n (1-based) of a generated ASCII data file (CR LF ends), its fields
// changed by `cambiar`; `fin` is what ends it afterwards.
void CambiarLinea(QByteArray& dat, int n, const std::function<void(QList<QByteArray>&)>& cambiar,
                  const QByteArray& fin = "\r")
{
    QList<QByteArray> lineas = dat.split('\n');
    QByteArray& l = lineas[n - 1];
    l.chop(1); // its CR
    QList<QByteArray> campos = l.split(',');
    cambiar(campos);
    l = campos.join(',') + fin;
    dat = lineas.join('\n');
    if (fin.isEmpty() && n == lineas.size() - 1)
        dat.chop(1); // the last line without its end
}

// The multiplier of analog channel 1 of a generated .cfg replaced.
void CambiarMultiplicador(QByteArray& cfg, const QByteArray& a)
{
    const qsizetype p = cfg.indexOf(",V,0.1,");
    cfg.replace(p, 7, ",V," + a + ",");
}

// Damaged and unusual records opened over a record that is open with its
// template: what opens, what the user is told, and that a refusal leaves the
// earlier record exactly as it was.
TEST_F(AbrirTest, DamagedAndUnusualRecordsOpenOrAreRefusedKeepingTheOpenRecord)
{
    using Especificar = std::function<void(gen::GenSpec&)>;
    using Danar = std::function<void(QByteArray & cfg, QByteArray & dat)>;
    const auto ascii = gen::DataFormat::Ascii;
    const auto binario = gen::DataFormat::Binary;
    constexpr qsizetype tam = 8 + 2 * 5 + 2; // one BINARY sample
    // The cases stay one to a few lines each, so the table reads as a table.
    // clang-format off
    const struct {
        const char* que;
        gen::DataFormat formato;
        Especificar especificar; // may be empty
        Danar danar;             // may be empty
        Apertura estado;
        std::int32_t muestras; // of the record opened
        QString mensaje;       // "" for none
        int estilo;
        // A sample whose line was damaged, which shows the sample before it
        // in every column, or in column `columna` only (1..5 the analog
        // channels, 6 and 7 the digital ones).
        std::int32_t repite = 0;
        std::int32_t columna = 0;
    } casos[] = {
        {"numbers 1, 2, 4, 5, 6", ascii, [](gen::GenSpec& s) { s.analogNumbers = {1, 2, 4, 5, 6}; }, {},
         Apertura::Abierto, 30, {}, 0},
        {"numbers 10..14", binario,
         [](gen::GenSpec& s) {
             s.analogNumbers = {10, 11, 12, 13, 14};
             s.digitalNumbers = {15, 17};
         },
         {}, Apertura::Abierto, 30, {}, 0},
        {"blank line after every sample", ascii, {},
         [](QByteArray&, QByteArray& d) { d.replace("\r\n", "\r\n\r\n").prepend("  \r\n"); }, Apertura::Abierto, 30,
         {}, 0},
        {"one sample short, ASCII", ascii, {},
         [](QByteArray&, QByteArray& d) { d.truncate(d.lastIndexOf("\r\n", d.size() - 3) + 2); }, Apertura::Abierto,
         29, kCorto.arg(29), vbInformation},
        {"one sample short, BINARY", binario, {}, [](QByteArray&, QByteArray& d) { d.chop(tam); },
         Apertura::Abierto, 29, kCorto.arg(29), vbInformation},
        // A sample not wholly in the file is no sample: the values its
        // missing bytes would make are never shown.
        {"last BINARY sample without its digital word", binario, {}, [](QByteArray&, QByteArray& d) { d.chop(2); },
         Apertura::Abierto, 29, kCorto.arg(29), vbInformation},
        {"BINARY 7 bytes short", binario, {}, [](QByteArray&, QByteArray& d) { d.chop(7); }, Apertura::Abierto, 29,
         kCorto.arg(29), vbInformation},
        {"BINARY one sample short and a stray byte", binario, {},
         [](QByteArray&, QByteArray& d) { d.chop(tam); d.append('\x7f'); }, Apertura::Abierto, 29,
         kCorto.arg(29), vbInformation},
        // One rule for an ASCII sample line that is not whole, wherever it
        // stands: it is a sample, and what it lacks or cannot be read takes
        // the sample before (the user is told how many, and where).
        {"ASCII cut in the middle of a number", ascii, {},
         [](QByteArray&, QByteArray& d) {
             const qsizetype ultima = d.lastIndexOf("\r\n", d.size() - 3) + 2;
             d.truncate(d.indexOf(',', d.indexOf(',', ultima) + 1) + 2);
         },
         Apertura::Abierto, 30, Danadas(1, 30), vbInformation, 30},
        {"ASCII cut after a comma", ascii, {},
         [](QByteArray&, QByteArray& d) { d.truncate(d.lastIndexOf(',') + 1); }, Apertura::Abierto, 30,
         Danadas(1, 30), vbInformation, 30, 7},
        {"ASCII short last line ended by CR LF", ascii, {},
         [](QByteArray&, QByteArray& d) { CambiarLinea(d, 30, [](QList<QByteArray>& f) { f = f.mid(0, 3); }); },
         Apertura::Abierto, 30, Danadas(1, 30), vbInformation, 30},
        {"ASCII mid-file line of the sample number, time and channel 1", ascii, {},
         [](QByteArray&, QByteArray& d) { CambiarLinea(d, 10, [](QList<QByteArray>& f) { f = f.mid(0, 3); }); },
         Apertura::Abierto, 30, Danadas(1, 10), vbInformation, 10}, // D1 goes 0 to 1 at sample 10
        {"ASCII garbled fields in two lines", ascii, {},
         [](QByteArray&, QByteArray& d) {
             CambiarLinea(d, 9, [](QList<QByteArray>& f) { f[4] = "1x2"; });
             CambiarLinea(d, 21, [](QList<QByteArray>& f) { f[4] = "#"; });
         },
         Apertura::Abierto, 30, Danadas(2, 9), vbInformation, 9, 3},
        {"ASCII 1e40 as a value", ascii, {},
         [](QByteArray&, QByteArray& d) { CambiarLinea(d, 9, [](QList<QByteArray>& f) { f[3] = "1e40"; }); },
         Apertura::Abierto, 30, Danadas(1, 9), vbInformation, 9, 2},
        {"ASCII last line whole without its line end", ascii, {}, [](QByteArray&, QByteArray& d) { d.chop(2); },
         Apertura::Abierto, 30, {}, 0},
        // A 1997 channel whose side cannot be derived shows the values as
        // the file holds them, and the user is told which.
        {"1997, flags neither P nor S", ascii,
         [](gen::GenSpec& s) { s.revision = gen::Revision::R1997; s.analog[1].ps = "X"; s.analog[3].ps = ""; }, {},
         Apertura::Abierto, 30,
         "Channels whose configuration file line does not say whether their values are primary or secondary "
         "(the P/S flag): 2 (\"CH2\", \"CH4\"). Both sides show their values as the file holds them",
         vbInformation},
        {"1997, CH1 (P) without its secondary rating, CH5 (S) without its primary", binario,
         [](gen::GenSpec& s) { s.revision = gen::Revision::R1997; s.analog[0].secondary = 0; s.analog[4].ps = "S"; s.analog[4].primary = 0; },
         {}, Apertura::Abierto, 30,
         "Channels one side of which cannot be computed from their ratings (one is 0, negative or not valid, or "
         "their ratio gives values beyond single precision): 2 (\"CH1\": secondary, \"CH5\": primary, each with "
         "the side that cannot be computed). That side shows their values as the file holds them",
         vbInformation},
        {"more than 2 GiB announced, the file short", binario, {},
         [](QByteArray& c, QByteArray&) { c.replace("\r\n1000,30\r\n", "\r\n1000,300000000\r\n"); },
         Apertura::Abierto, 30, TextosIdioma(98).arg(30).arg(300000000), vbInformation},

        {"several segments of one rate", ascii,
         [](gen::GenSpec& s) { s.rateSegments = {{1000, 10}, {1000, 25}, {1000, 30}}; }, {}, Apertura::Abierto, 30,
         {}, 0},
        {"several rates", binario, [](gen::GenSpec& s) { s.rateSegments = {{1000, 10}, {2000, 30}}; }, {},
         Apertura::Abierto, 30, kTasas, vbInformation},
        {"line frequency 0", ascii, [](gen::GenSpec& s) { s.lineFrequency = 0; }, {}, Apertura::Abierto, 30,
         kFrecuencia, vbInformation},
        {"line frequency no number", binario, {},
         [](QByteArray& c, QByteArray&) { c.replace("\r\n50\r\n1\r\n", "\r\nxx\r\n1\r\n"); }, Apertura::Abierto, 30,
         kFrecuencia, vbInformation},
        {"short, several rates, no line frequency", binario,
         [](gen::GenSpec& s) {
             s.rateSegments = {{1000, 10}, {500, 30}};
             s.lineFrequency = 0;
         },
         [](QByteArray&, QByteArray& d) { d.chop(5 * tam); }, Apertura::Abierto, 25,
         kCorto.arg(25) + "\n\n" + kTasas + "\n\n" + kFrecuencia, vbInformation},
        // Refused: the record open before stays.
        {"0 samples", ascii, [](gen::GenSpec& s) { s.samples = 0; }, {}, Apertura::DatNoValido, 0, kSinMuestras,
         vbCritical},
        {"empty data file", binario, {}, [](QByteArray&, QByteArray& d) { d.clear(); }, Apertura::DatNoValido, 0,
         TextosIdioma(211) + ' ' + Ruta("b.dat"), vbCritical},
        {"no whole ASCII sample line", ascii, {},
         [](QByteArray&, QByteArray& d) {
             for (int n = 1; n <= 30; ++n)
                 CambiarLinea(d, n, [](QList<QByteArray>& f) { f.removeLast(); });
         },
         Apertura::DatNoValido, 0,
         "No sample line of the data file is whole and readable; the record is not opened: " + Ruta("b.dat"),
         vbCritical},
        {"CR-only ASCII data file", ascii, {}, [](QByteArray&, QByteArray& d) { d.replace("\r\n", "\r"); },
         Apertura::DatNoValido, 0,
         "The data file (.dat) ends its lines with CR (carriage return) alone; lines ending in CR LF or LF are "
         "read; the record is not opened: " +
             Ruta("b.dat"),
         vbCritical},
        {"BINARY shorter than a sample", binario, {}, [](QByteArray&, QByteArray& d) { d.truncate(15); },
         Apertura::DatNoValido, 0,
         "The data file holds 15 bytes, less than one sample of this record (20 bytes); the record is not "
         "opened: " +
             Ruta("b.dat"),
         vbCritical},
        {"end sample no number", ascii, {},
         [](QByteArray& c, QByteArray&) { c.replace("\r\n1000,30\r\n", "\r\n1000,treinta\r\n"); },
         Apertura::CfgNoValido, 0,
         "The configuration file (.cfg) gives \"treinta\" as an end sample, which is not a number; the record is "
         "not opened",
         vbCritical},
        {"multiplier beyond single precision", ascii, {},
         [](QByteArray& c, QByteArray&) { CambiarMultiplicador(c, "1e39"); }, Apertura::CfgNoValido, 0,
         "The configuration file (.cfg) is damaged: on line 3, an analog channel's factor (\"1e39\") is missing, "
         "is no number or gives values beyond single precision; the record is not opened",
         vbCritical},
        {"multiplier missing", binario, {}, [](QByteArray& c, QByteArray&) { CambiarMultiplicador(c, ""); },
         Apertura::CfgNoValido, 0, TextosIdioma(106).arg(3).arg(""), vbCritical},
        {"multiplier that takes a value beyond single precision", ascii, {},
         [](QByteArray& c, QByteArray&) { CambiarMultiplicador(c, "1e35"); }, Apertura::CfgNoValido, 0,
         TextosIdioma(106).arg(3).arg("1e35"), vbCritical},
        {"line 2 announcing a digital channel for an analog one listed", ascii, {},
         [](QByteArray& c, QByteArray&) { c.replace("\r\n7,5A,2D\r\n", "\r\n7,4A,3D\r\n"); },
         Apertura::CfgNoValido, 0,
         "The channel counts on line 2 of the configuration file (.cfg), \"7,4A,3D\" (4 analog and 3 digital), "
         "do not match its channel lines: line 7 is not the one those counts ask for there; the record is not "
         "opened",
         vbCritical},
        {"end sample of 10^12", binario, {},
         [](QByteArray& c, QByteArray&) { c.replace("\r\n1000,30\r\n", "\r\n1000,1000000000000\r\n"); },
         Apertura::CfgNoValido, 0, TextosIdioma(212).arg("1000000000000"), vbCritical},
        {"CR-only line ends", ascii, {}, [](QByteArray& c, QByteArray&) { c.replace("\r\n", "\r"); },
         Apertura::CfgNoValido, 0, TextosIdioma(210), vbCritical},
        {"no analog channel", binario, [](gen::GenSpec& s) { s.analog.clear(); }, {}, Apertura::DatNoValido, 0,
         kSinMuestras, vbCritical},
        {"bad file type", ascii, {}, [](QByteArray& c, QByteArray&) { c.replace("\r\nASCII\r\n", "\r\nTEXT\r\n"); },
         Apertura::TipoErroneo, 0, "Unknown data file type: the .cfg must say ASCII or BINARY", vbOKOnly},
        {"counts no number", ascii, {}, [](QByteArray& c, QByteArray&) { c.replace("\r\n7,5A,", "\r\n7,xA,"); },
         Apertura::CfgNoValido, 0,
         "The channel or sampling-rate counts of the configuration file (.cfg) are not valid; the record is not "
         "opened",
         vbCritical},
        {"counts beyond the lines", ascii, {},
         [](QByteArray& c, QByteArray&) { c.replace("\r\n7,5A,2D\r\n", "\r\n907,905A,2D\r\n"); },
         Apertura::CfgNoValido, 0,
         "The configuration file (.cfg) ends before the lines its counts announce; the record is not opened",
         vbCritical},
        {"revision 1999", ascii, {}, [](QByteArray& c, QByteArray&) { c.replace("REGISTRADOR", "REGISTRADOR,1999"); },
         Apertura::RevisionRechazada, 0, TextosIdioma(213).arg("1999"), vbOKOnly},
    };
    // clang-format on
    for (const auto& caso : casos) {
        SCOPED_TRACE(caso.que);
        CerrarPlantillas();
        ASSERT_TRUE(Abrir(Registrar("a", CfgAscii(), kDatAscii)).Abierto());
        EnsuciarPlantillaYVistas();
        const QByteArray ficher = Leer("ficher.ini");
        const Matrix<float> valores = Registro().Valores;
        const int reiniciadas = vistasReiniciadas_;
        Boxes().Clear();
        mostrado_.clear();

        gen::GenSpec spec = Pequeno(caso.formato);
        if (caso.especificar)
            caso.especificar(spec);
        QByteArray cfg = gen::CfgText(spec);
        QByteArray dat = gen::DatBytes(spec);
        if (caso.danar)
            caso.danar(cfg, dat);
        const ResultadoApertura res = Abrir(Registrar("b", cfg, dat));

        EXPECT_EQ(res.Estado, caso.estado);
        if (caso.mensaje.isEmpty()) {
            EXPECT_EQ(Boxes().Count(), 0);
        } else {
            ASSERT_EQ(Boxes().Count(), 1);
            EXPECT_EQ(Boxes().Last().Prompt, caso.mensaje);
            EXPECT_EQ(Boxes().Last().Style, caso.estilo);
        }
        EXPECT_FALSE(GasolinoCargado());
        const RecordModel& r = Registro();
        EXPECT_TRUE(r.RegistroAbierto);
        if (res.Abierto()) {
            EXPECT_EQ(r.RutaDat, Ruta("b.dat"));
            EXPECT_EQ(mostrado_, Ruta("b.dat"));
            EXPECT_FALSE(Plantillas().PlantillaAplicada);
            ASSERT_EQ(r.NumMuestras(), caso.muestras);
            // The sample whose value a cell shows.
            const auto fuente = [&caso](std::int32_t s, std::int32_t columna) {
                return s == caso.repite && (caso.columna == 0 || caso.columna == columna) ? s - 1 : s;
            };
            for (const std::int32_t s : {1, 9, 20, caso.muestras, std::max(caso.repite, 1)}) {
                for (std::int32_t k = 1; k <= 5; ++k)
                    EXPECT_EQ(r.Valores(s, ColumnaAnalogica(k)), gen::ExpectedValue(spec, k, fuente(s, k)))
                        << k << ',' << s;
                for (std::int32_t d = 1; d <= 2; ++d)
                    EXPECT_EQ(r.EstadosDigitales(s, d), gen::DigitalState(spec, d, fuente(s, 5 + d)))
                        << d << ',' << s;
            }
            EXPECT_NE(Leer("ficher.ini"), ficher);
        } else {
            EXPECT_EQ(r.RutaDat, Ruta("a.dat"));
            EXPECT_EQ(r.RutaCfg, Ruta("a.cfg"));
            EXPECT_EQ(r.NombreEstacion, "SE SUR");
            EXPECT_TRUE(r.Valores == valores);
            EXPECT_FALSE(r.TipoErroneo);
            EXPECT_FALSE(r.RevisionErronea);
            EXPECT_TRUE(Plantillas().PlantillaAplicada);
            EXPECT_EQ(Plantillas().NumTrifasicos, 1);
            EXPECT_EQ(Plantillas().IdentificadorPlantilla, "SE SUR"); // nothing offered to the wizard
            EXPECT_EQ(vistasReiniciadas_, reiniciadas);
            EXPECT_EQ(mostrado_, "");
            EXPECT_EQ(quitado_, 0);
            EXPECT_EQ(Leer("ficher.ini"), ficher);
            EXPECT_EQ(plantilla_ + poscamb_, 0);
        }
    }
}

// The 1997 channels shown as the file holds them are named, the first five,
// each name cut in the middle when long, a channel without a name by its
// number; the notices come together with the others, and both sides hold
// the file's values.
TEST_F(AbrirTest, Underivable1997ChannelsAreNamedTheFirstFive)
{
    gen::GenSpec spec = Pequeno(gen::DataFormat::Binary);
    spec.revision = gen::Revision::R1997;
    for (int c = 6; c <= 8; ++c) {
        gen::AnalogSpec a = spec.analog[0];
        a.name = QStringLiteral("CH%1").arg(c);
        spec.analog.push_back(a);
    }
    spec.analog[1].name = QString(30, 'A') + QString(30, 'Z');
    spec.analog[2].name = "";
    for (int c = 1; c <= 7; ++c)
        spec.analog[static_cast<size_t>(c - 1)].ps = c % 2 == 0 ? " x " : "";
    spec.analog[7].secondary = 0;
    QByteArray dat = gen::DatBytes(spec);
    dat.chop(static_cast<qsizetype>(gen::BinaryRecordSize(spec)));
    ASSERT_TRUE(Abrir(Registrar("u", gen::CfgText(spec), dat)).Abierto());

    ASSERT_EQ(Boxes().Count(), 1);
    EXPECT_EQ(Boxes().Last().Prompt,
              kCorto.arg(29) + "\n\n" +
                  TextosIdioma(113).arg(7).arg("\"CH1\", \"" + QString(19, 'A') + "…" + QString(20, 'Z') +
                                               "\", 3, \"CH4\", \"CH5\", …") +
                  "\n\n" + TextosIdioma(114).arg(1).arg("\"CH8\": " + Secundario()));
    EXPECT_EQ(Boxes().Last().Style, vbInformation);
    const RecordModel& r = Registro();
    for (std::int32_t c = 1; c <= 8; ++c) {
        EXPECT_EQ(r.ValoresPrimario()(29, c), gen::ExpectedValue(spec, c, 29)) << c;
        EXPECT_EQ(r.ValoresSecundario()(29, c), gen::ExpectedValue(spec, c, 29)) << c;
    }
}

// Field `campo` (0-based) of lines `desde`..`hasta` (1-based) of a text of
// LF lines set to `valor`.
void PonerCampo(QByteArray& texto, int desde, int campo, const QByteArray& valor, int hasta = 0)
{
    QList<QByteArray> lineas = texto.split('\n');
    for (int n = desde; n <= std::max(desde, hasta); ++n) {
        QList<QByteArray> campos = lineas[n - 1].split(',');
        campos[campo] = valor;
        lineas[n - 1] = campos.join(',');
    }
    texto = lineas.join('\n');
}

// Every number the record model holds, the block tables' extremes of both
// sides among them, is finite.
void EsperarTodoFinito(RecordModel& r)
{
    const auto finitos = [](const auto& v) {
        return std::ranges::all_of(v, [](auto x) { return std::isfinite(x); });
    };
    const auto celdas = [](const Matrix<float>& m) {
        return std::span<const float>(m.Data(),
                                      static_cast<size_t>(m.Rows()) * static_cast<size_t>(m.Cols()));
    };
    EXPECT_TRUE(finitos(celdas(r.Valores)));
    EXPECT_TRUE(finitos(celdas(r.ValoresOtroLado)));
    EXPECT_TRUE(finitos(r.Tiempos));
    EXPECT_TRUE(finitos(r.Desfase));
    EXPECT_TRUE(finitos(r.FactorA));
    EXPECT_TRUE(finitos(r.FactorB));
    EXPECT_TRUE(std::isfinite(r.MultTiempo));
    for (const PrimSec& ps : r.TablaPrimSec)
        EXPECT_TRUE(std::isfinite(ps.Primario) && std::isfinite(ps.Secundario));
    const Lado enVigor = r.LadoEnVigor;
    for (const Lado lado : {Lado::Primario, Lado::Secundario, enVigor}) {
        (void)ElegirLado(r, lado);
        MaxMinCanales(r.Valores);
        EXPECT_TRUE(finitos(r.MinimosCanal) && finitos(r.MaximosCanal));
    }
}

// The public sample records, each damaged by one small change, opened as
// the user opens them: every value shown is the file's (a field that cannot
// be read shows the sample before), none is infinite or NaN, the notice
// names the cause, and a record without a sampling rate is refused by every
// view that needs one instead of dividing by zero.
TEST_F(AbrirTest, DamagedPublicSamplesShowOnlyTheFilesValuesAndSayWhy)
{
    using Danar = std::function<void(QByteArray & cfg, QByteArray & dat)>;
    const char* sepam = "SEPAM_1997_BIN";
    const char* sel = "sel311l_1991_ascii";
    // clang-format off
    const struct {
        const char* que;
        const char* muestra;
        Danar danar;
        QString mensaje;     // "" for none
        std::int32_t canal;  // SEPAM: the channel whose both sides hold the file's values
        std::int32_t linea;  // sel311l: the line whose channel `canal` shows the line before
        bool sinTasa;
    } casos[] = {
        {"ratings 1e38 and 1e-38, secondary values", sepam,
         [](QByteArray& c, QByteArray&) { PonerCampo(c, 3, 10, "1e38"); PonerCampo(c, 3, 11, "1e-38"); PonerCampo(c, 3, 12, "S"); },
         TextosIdioma(114).arg(1).arg("\"I1\": " + Primario()), 1, 0, false},
        {"ratings 1e38 and 1e-38, primary values", sepam,
         [](QByteArray& c, QByteArray&) { PonerCampo(c, 7, 10, "1e38"); PonerCampo(c, 7, 11, "1e-38"); },
         TextosIdioma(114).arg(1).arg("\"U32\": " + Secundario()), 5, 0, false},
        {"a negative rating, which would flip the sign of the side derived", sepam,
         [](QByteArray& c, QByteArray&) { PonerCampo(c, 4, 10, "-600"); },
         TextosIdioma(114).arg(1).arg("\"I2\": " + Secundario()), 2, 0, false},
        {"a ratio of 1e36 that takes the peaks beyond single precision", sepam,
         [](QByteArray& c, QByteArray&) { PonerCampo(c, 6, 10, "1e-30"); PonerCampo(c, 6, 11, "1e6"); },
         TextosIdioma(114).arg(1).arg("\"U21\": " + Secundario()), 4, 0, false},
        {"sampling rate 0, the time stamps all the same", sepam,
         [](QByteArray& c, QByteArray&) { c.replace("\n600.000000,2399\n", "\n0,2399\n"); },
         TextosIdioma(115).arg(0), 0, 0, true},
        {"time multiplier 1e300 and a time stamp of 2e9", sepam,
         [](QByteArray& c, QByteArray& d) { c.replace("\nBINARY\n1.0", "\nBINARY\n1e300"); qToLittleEndian<std::int32_t>(2000000000, d.data() + 4); },
         {}, 0, 0, false},
        {"1e40 in a channel whose factor brings it within single precision", sel,
         [](QByteArray&, QByteArray& d) { PonerCampo(d, 9, 2, "1e40"); },
         TextosIdioma(104).arg(1).arg(9), 1, 9, false},
        {"a skew of 1e40", sel, [](QByteArray& c, QByteArray&) { PonerCampo(c, 3, 7, "1e40"); },
         TextosIdioma(216).arg(1).arg("\"IA\": 3"), 0, 0, false},
        {"an empty time stamp", sel, [](QByteArray&, QByteArray& d) { PonerCampo(d, 5, 1, ""); },
         TextosIdioma(104).arg(1).arg(5), 0, 0, false},
        {"sampling rate 0, a time stamp that is no number", sel,
         [](QByteArray& c, QByteArray& d) { c.replace("\n960,480\n", "\n0,480\n"); PonerCampo(d, 2, 1, "x"); },
         TextosIdioma(104).arg(1).arg(2) + "\n\n" + TextosIdioma(115).arg(0), 0, 0, true},
        {"sampling rate 0, every time stamp -1", sel,
         [](QByteArray& c, QByteArray& d) {
             c.replace("\n960,480\n", "\n0,480\n");
             PonerCampo(d, 1, 1, "-1", 480);
         },
         TextosIdioma(115).arg(0), 0, 0, true},
    };
    // clang-format on
    for (const auto& caso : casos) {
        SCOPED_TRACE(caso.que);
        const bool binario = QByteArray(caso.muestra) == sepam;
        const QByteArray cfgOriginal =
            test::ReadBytes(test::SamplePath(QString(caso.muestra) + (binario ? ".CFG" : ".cfg")));
        const QByteArray datOriginal =
            test::ReadBytes(test::SamplePath(QString(caso.muestra) + (binario ? ".DAT" : ".dat")));
        QByteArray cfg = cfgOriginal;
        QByteArray dat = datOriginal;
        caso.danar(cfg, dat);
        ASSERT_NE(cfg + dat, cfgOriginal + datOriginal);
        Boxes().Clear();
        ASSERT_TRUE(Abrir(Registrar("m", cfg, dat)).Abierto());
        EXPECT_EQ(Boxes().Count(), caso.mensaje.isEmpty() ? 0 : 1);
        if (!caso.mensaje.isEmpty() && Boxes().Count() > 0) {
            EXPECT_EQ(Boxes().Last().Prompt, caso.mensaje);
            EXPECT_EQ(Boxes().Last().Style, vbInformation);
        }
        RecordModel& r = Registro();
        EsperarTodoFinito(r);

        // The values shown against the file's, scaled by its own factors:
        // the cells that differ.
        std::int64_t distintos = 0;
        std::vector<QList<QByteArray>> lineasCfg;
        for (const QByteArray& linea : cfgOriginal.split('\n'))
            lineasCfg.push_back(linea.split(','));
        const auto factor = [&](std::int32_t c, int campo) {
            return lineasCfg.at(static_cast<size_t>(1 + c)).at(campo).toDouble();
        };
        if (binario) {
            ASSERT_EQ(r.NumMuestras(), 2399);
            const int tam = 8 + 2 * 6 + 2;
            for (std::int32_t c = 1; c <= 6; ++c) {
                for (std::int32_t s = 1; s <= r.NumMuestras(); ++s) {
                    const auto* p = reinterpret_cast<const unsigned char*>(datOriginal.constData()) +
                                    (s - 1) * tam + 8 + 2 * (c - 1);
                    const auto x = static_cast<std::int16_t>(p[0] | (p[1] << 8));
                    const auto v = static_cast<float>(x * factor(c, 5) + factor(c, 6));
                    const auto secundario =
                        c == caso.canal
                            ? v
                            : static_cast<float>(static_cast<double>(v) * factor(c, 11) / factor(c, 10));
                    distintos += r.ValoresPrimario()(s, c) != v;
                    distintos += r.ValoresSecundario()(s, c) != secundario;
                }
            }
        } else {
            ASSERT_EQ(r.NumMuestras(), 480);
            std::vector<QList<QByteArray>> campos;
            for (const QByteArray& linea : datOriginal.split('\n'))
                campos.push_back(linea.split(','));
            for (std::int32_t s = 1; s <= r.NumMuestras(); ++s) {
                for (std::int32_t c = 1; c <= 24; ++c) {
                    const std::int32_t fuente = c == caso.canal && s == caso.linea ? s - 1 : s;
                    const double x =
                        campos.at(static_cast<size_t>(fuente - 1)).at(1 + c).trimmed().toDouble();
                    distintos += r.Valores(s, c) != static_cast<float>(x * factor(c, 5) + factor(c, 6));
                }
            }
        }
        EXPECT_EQ(distintos, 0);

        // Without a sampling rate, no view that needs one opens.
        EXPECT_EQ(FrecuenciaMuestreo(), caso.sinTasa ? 0 : (binario ? 600 : 960));
        if (caso.sinTasa) {
            Boxes().Clear();
            ComandoCanalog();
            ComandoCompanalog();
            ComandoDigGrupos();
            ComandoCompdig();
            EXPECT_EQ(Boxes().Count(), 4);
            for (const MsgBoxCall& box : Boxes().Calls())
                EXPECT_EQ(box.Prompt, TextosIdioma(116));
        }
    }
}

TEST_F(AbrirTest, UnreadableDataFileIsRefusedWithItsPathAndKeepsTheOpenRecord)
{
    ASSERT_TRUE(Abrir(Registrar("a", CfgAscii(), kDatAscii)).Abierto());
    Escribir("b.cfg", CfgBinario());
    ASSERT_TRUE(QDir(dir_.path()).mkdir("b.dat")); // a folder: no file to read
    EXPECT_EQ(Abrir(Ruta("b.dat")).Estado, Apertura::DatNoValido);
    ASSERT_EQ(Boxes().Count(), 1);
    EXPECT_EQ(Boxes().Last().Prompt,
              "The data file cannot be read; the record is not opened: " + Ruta("b.dat"));
    EXPECT_EQ(Boxes().Last().Style, vbCritical);
    EXPECT_TRUE(Registro().RegistroAbierto);
    EXPECT_EQ(Registro().RutaDat, Ruta("a.dat"));
    EXPECT_EQ(Registro().NumMuestras(), 3);
}

TEST_F(AbrirTest, TheGaugeShowsTheReadGoingOn)
{
    // No digital channel: the gauge moves all the same.
    gen::GenSpec spec = Pequeno(gen::DataFormat::Binary);
    spec.digital.clear();
    spec.samples = 9000;
    std::vector<std::int32_t> pasos;
    const auto llenar = ProgresoRegistro().LlenarGasolino;
    ProgresoRegistro().LlenarGasolino = [&](bool add, int pct) {
        llenar(add, pct);
        EXPECT_TRUE(gasolino().isVisible());
        pasos.push_back(gasolino().Estado().Recordado);
    };
    ASSERT_TRUE(Abrir(Registrar("g", gen::CfgText(spec), gen::DatBytes(spec))).Abierto());
    ASSERT_GE(pasos.size(), 85u); // 1 percent every 101 samples
    EXPECT_TRUE(std::is_sorted(pasos.begin(), pasos.end()));
    EXPECT_GE(pasos.back(), 90);
    EXPECT_FALSE(GasolinoCargado());
}

// On a desktop the gauge belongs to the main window; the read starts once
// the window system has it on screen and painted, and every step paints it
// again, though the read never yields.
TEST_F(AbrirTest, TheGaugeIsOnScreenAndPaintedBeforeTheReadAndAtEveryStep)
{
    QMainWindow principal;
    principal.resize(900, 700);
    principal.show();
    gen::GenSpec spec = Pequeno(gen::DataFormat::Binary);
    spec.samples = 9000;
    constexpr unsigned kPista = 0xE6E6FA;   // the track, lavender
    constexpr unsigned kRelleno = 0x000080; // the filled part, navy
    std::vector<int> relleno;
    bool siempreEnPantalla = true;
    bool pistaPintada = true;
    const auto llenar = ProgresoRegistro().LlenarGasolino;
    ProgresoRegistro().LlenarGasolino = [&](bool add, int pct) {
        // Before this step's own painting: what the window shows already.
        Gasolino& g = gasolino();
        siempreEnPantalla = siempreEnPantalla && VentanaExpuesta(g) && g.parentWidget() == &principal;
        const QImage antes = test::ImagenEnPantalla(g);
        pistaPintada = pistaPintada && test::PixelesDeColor(antes, kPista) > 0;
        llenar(add, pct);
        relleno.push_back(test::PixelesDeColor(test::ImagenEnPantalla(g), kRelleno));
    };
    ASSERT_TRUE(Abrir(Registrar("g", gen::CfgText(spec), gen::DatBytes(spec))).Abierto());
    EXPECT_TRUE(siempreEnPantalla);
    EXPECT_TRUE(pistaPintada);
    ASSERT_GE(relleno.size(), 85u);
    EXPECT_GT(relleno.front(), 0);
    EXPECT_TRUE(std::is_sorted(relleno.begin(), relleno.end()));
    EXPECT_GT(relleno.back(), 10 * relleno.front()) << "5 % grows to 95 % on screen";
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
    EXPECT_FALSE(Registro().FasoresCalculados);
    EXPECT_EQ(vistasReiniciadas_, 2);
    EXPECT_EQ(Registro().Valores(2, 2), -20.0f);
    // The traces' tables are the new record's.
    for (std::int32_t c = 1; c <= 2; ++c) {
        ASSERT_NE(TablaValores(Registro(), c), nullptr);
        EXPECT_TRUE(*TablaValores(Registro(), c) == TracePyramid(Registro().Valores.Column(c))) << c;
    }
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

// The file chosen in the open dialog: a .cfg opens its record (the .dat
// beside it, whatever its case); anything else that is no data file is
// refused, the open record kept.
TEST_F(AbrirTest, DialogOpensTheRecordOfAChosenCfgAndRefusesOtherFiles)
{
    const QString binario = Registrar("b", CfgBinario(), DatBinario());
    Escribir("MAYUS.CFG", CfgAscii());
    Escribir("mayus.dat", kDatAscii);
    Escribir("solo.cfg", CfgAscii());
    Escribir("plantilla.cnf", "ver 1.1\r\n");

    ScopedDialogAnswers respuestas({false, Ruta("b.cfg"), 1});
    ASSERT_TRUE(CargarAbrirComtrade().Abierto());
    EXPECT_EQ(Boxes().Count(), 0);
    EXPECT_EQ(Registro().RutaDat, binario);
    EXPECT_EQ(Registro().RutaCfg, Ruta("b.cfg"));
    EXPECT_EQ(Registro().NumMuestras(), 2);
    EXPECT_EQ(Registro().Valores(2, 2), -20.0f);
    EXPECT_EQ(LeerFicheroFicher().Rutas.value(0), binario);
    EXPECT_EQ(poscamb_, 1);

    respuestas.Queue({false, Ruta("MAYUS.CFG"), 1});
    ASSERT_TRUE(CargarAbrirComtrade().Abierto());
    EXPECT_EQ(Registro().RutaDat, Ruta("mayus.dat"));
    EXPECT_EQ(Registro().NumMuestras(), 3);
    EXPECT_EQ(plantilla_, 1);

    const struct {
        QString ruta;
        Apertura estado;
        int texto;
    } rechazos[] = {
        {Ruta("solo.cfg"), Apertura::CfgSinDatos, 209},
        {Ruta("plantilla.cnf"), Apertura::NoEsRegistro, 208},
        {Ruta("b.hdr"), Apertura::NoEsRegistro, 208},
    };
    for (const auto& r : rechazos) {
        Boxes().Clear();
        respuestas.Queue({false, r.ruta, 1});
        EXPECT_EQ(CargarAbrirComtrade().Estado, r.estado) << qPrintable(r.ruta);
        ASSERT_EQ(Boxes().Count(), 1) << qPrintable(r.ruta);
        EXPECT_EQ(Boxes().Last().Prompt, TextosIdioma(r.texto) + ' ' + r.ruta);
        EXPECT_EQ(Boxes().Last().Style, vbCritical);
        EXPECT_EQ(Registro().RutaDat, Ruta("mayus.dat"));
        EXPECT_EQ(Registro().NumMuestras(), 3);
        EXPECT_EQ(LeerFicheroFicher().Rutas.value(0), Ruta("mayus.dat"));
    }
    EXPECT_EQ(plantilla_ + poscamb_, 2);
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
}

} // namespace
} // namespace vesdra
