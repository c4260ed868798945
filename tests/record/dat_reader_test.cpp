#include <QByteArray>
#include <QFile>
#include <QtEndian>
#include <cmath>
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "common/peak_memory.h"
#include "gen/comtrade_gen.h"
#include "record/cfg_reader.h"
#include "record/dat_reader.h"
#include "record/tablas_trazo.h"
#include "record_fixture.h"

namespace vesdra {
namespace {

// BINARY sample records written field by field.
class Binario
{
public:
    Binario& I32(std::int32_t v)
    {
        char b[4];
        qToLittleEndian(v, b);
        bytes.append(b, 4);
        return *this;
    }
    Binario& I16(std::int16_t v)
    {
        char b[2];
        qToLittleEndian(v, b);
        bytes.append(b, 2);
        return *this;
    }
    Binario& U16(std::uint16_t v) { return I16(static_cast<std::int16_t>(v)); }
    QByteArray bytes;
};

QByteArray Cfg(const char* linea1, int nA, int nD, const QByteArray& analogicos, int muestras,
               const char* tipo, const char* mult = nullptr)
{
    QByteArray c = QByteArray(linea1) + "\n" + QByteArray::number(nA + nD) + "," + QByteArray::number(nA) +
                   "A," + QByteArray::number(nD) + "D\n" + analogicos;
    for (int d = 1; d <= nD; ++d)
        c += QByteArray::number(d) + ",D" + QByteArray::number(d) + ",,,0\n";
    c += "50\n1\n1000," + QByteArray::number(muestras) + "\n01/01/2000,00:00:00\n01/01/2000,00:00:00\n" +
         tipo + "\n";
    if (mult != nullptr)
        c += QByteArray(mult) + "\n";
    return c;
}

class DatTest : public test::RecordTest
{
protected:
    ResultadoLectura Abrir(const QByteArray& cfg, const QByteArray& dat, const QString& nombre = "r")
    {
        Registrar(nombre, cfg, dat);
        const ResultadoLectura cfgLeido = LeerCfg(Registro());
        EXPECT_TRUE(cfgLeido.Ok()) << cfgLeido.Detalle.toStdString();
        return LeerDat(Registro());
    }
};

TEST_F(DatTest, BinaryRecordLayoutScalesAnalogsAndSplitsDigitalWords)
{
    // nA = 2, nD = 20: 4 + 4 + 2*2 + 2*2 = 16 bytes a sample.
    Binario b;
    b.I32(1).I32(0).I16(-12).I16(407).U16(0x8001).U16(0x0009);
    b.I32(2).I32(1000).I16(32767).I16(-32768).U16(0x0000).U16(0x000A);
    ASSERT_EQ(b.bytes.size(), 32);
    const QByteArray analog = "1,IA,,,A,0.5,1,0,-32767,32767\n2,VA,,,V,2,0,0,-32767,32767\n";
    ASSERT_TRUE(Abrir(Cfg("SE,REL", 2, 20, analog, 2, "BINARY"), b.bytes).Ok());
    const RecordModel& r = Registro();
    ASSERT_EQ(r.NumMuestras(), 2);
    EXPECT_EQ(r.Valores(1, 1), -12 * 0.5f + 1);
    EXPECT_EQ(r.Valores(1, 2), 814);
    EXPECT_EQ(r.Valores(2, 1), 32767 * 0.5f + 1);
    EXPECT_EQ(r.Valores(2, 2), -65536);
    EXPECT_TRUE(r.ValoresPrimario().Empty()); // 1991: no sides
    ASSERT_EQ(r.EstadosDigitales.Cols(), 20);
    EXPECT_EQ(r.EstadosDigitales(1, 1), 1);
    EXPECT_EQ(r.EstadosDigitales(1, 2), 0);
    EXPECT_EQ(r.EstadosDigitales(1, 16), 1); // bit 15: the word's sign does not matter
    EXPECT_EQ(r.EstadosDigitales(1, 17), 1); // bit 0 of the second word
    EXPECT_EQ(r.EstadosDigitales(1, 20), 1); // its bit 3
    EXPECT_EQ(r.EstadosDigitales(1, 18), 0);
    EXPECT_EQ(r.EstadosDigitales(2, 17), 0);
    EXPECT_EQ(r.EstadosDigitales(2, 18), 1);
    EXPECT_EQ(r.EstadosDigitales(2, 20), 1);
    EXPECT_EQ(r.Tiempos(1), 0);
    EXPECT_EQ(r.Tiempos(2), 1000);
    EXPECT_EQ(r.TasaCalculada, 1000);
}

// A 1997 record keeps its two sides in two matrices: the side in force in
// Valores (the file's own side when every channel is referred to it, else
// the primary), the other one beside it. A channel whose flag names no side,
// or whose ratings give no ratio, shows the values as the file holds them on
// the side that cannot be derived, and the read names it; every side's
// tables are those of its values.
TEST_F(DatTest, Record1997KeepsItsSidesAndShowsUnderivableOnesAsTheFileHoldsThem)
{
    const double aSecundario = 5.0 / 1200.0;
    // clang-format off
    const struct {
        const char* linea; // the channel's line after its multiplier 2
        float primario;    // at sample 1, raw 10 * c
        float secundario;
    } canales[] = {
        {",0,0,-32767,32767,1200,5,P", 20.0f, static_cast<float>(20.0 * aSecundario)},
        {",0,0,-32767,32767,1200,5, s ", static_cast<float>(40.0 / aSecundario), 40.0f}, // case, blanks
        {",0,0,-32767,32767,1200,5,X", 60.0f, 60.0f},          // no side named
        {",0,0,-32767,32767,1200,5,", 80.0f, 80.0f},           // blank flag
        {",0,0,-32767,32767,1200,5", 100.0f, 100.0f},          // no flag field
        {",0,0,-32767,32767,0,110,P", 120.0f, 120.0f},         // primary 0
        {",0,0,-32767,32767,1200,0,P", 140.0f, 140.0f},        // secondary 0
        {",0,0,-32767,32767,0,110,S", 160.0f, 160.0f},         // primary 0, referred to the secondary
        {",0,0,-32767,32767,1e999,110,S", 180.0f, 180.0f},     // a rating beyond any number
        {",0,0,-32767,32767,1e38,1e-38,P", 200.0f, 200.0f},    // a ratio below single precision
        {",0,0,-32767,32767,1e-38,1e38,P", 220.0f, 220.0f},    // and beyond it
        {",0,0,-32767,32767,1e-30,1e6,P", 240.0f, 240.0f},     // 1e36, which takes 480 beyond it
        {",0,0,-32767,32767,-600,5,P", 260.0f, 260.0f},        // a negative rating would flip the sign
        {",0,0,-32767,32767,1200,-5,S", 280.0f, 280.0f},       // of the side derived
    };
    // clang-format on
    constexpr int nA = static_cast<int>(std::size(canales));
    QByteArray analog;
    Binario b;
    QByteArray ascii;
    for (int s = 1; s <= 2; ++s) {
        b.I32(s).I32((s - 1) * 1000);
        ascii += QByteArray::number(s) + "," + QByteArray::number((s - 1) * 1000);
        for (int c = 1; c <= nA; ++c) {
            b.I16(static_cast<std::int16_t>(10 * c * s));
            ascii += "," + QByteArray::number(10 * c * s);
        }
        ascii += "\n";
    }
    for (int c = 1; c <= nA; ++c)
        analog +=
            QByteArray::number(c) + ",C" + QByteArray::number(c) + ",,,A,2" + canales[c - 1].linea + "\n";
    for (const char* tipo : {"BINARY", "ASCII"}) {
        SCOPED_TRACE(tipo);
        const ResultadoLectura res =
            Abrir(Cfg("SE,REL,1997", nA, 0, analog, 2, tipo), QByteArray(tipo) == "ASCII" ? ascii : b.bytes);
        ASSERT_TRUE(res.Ok());
        EXPECT_EQ(res.CanalesSinMarca, (std::vector<std::int32_t>{3, 4, 5}));
        EXPECT_EQ(res.CanalesSinRelacion, (std::vector<std::int32_t>{6, 7, 8, 9, 10, 11, 12, 13, 14}));
        RecordModel& r = Registro();
        EXPECT_EQ(r.LadoEnVigor, Lado::Primario);
        EXPECT_EQ(r.Valores.Data(), r.ValoresPrimario().Data()); // no third matrix
        EXPECT_EQ(r.ValoresOtroLado.Data(), r.ValoresSecundario().Data());
        for (const Lado lado : {Lado::Secundario, Lado::Primario}) {
            SCOPED_TRACE(lado == Lado::Primario ? "primary in force" : "secondary in force");
            EXPECT_TRUE(ElegirLado(r, lado));
            for (int c = 1; c <= nA; ++c) {
                SCOPED_TRACE(c);
                for (int s = 1; s <= 2; ++s) {
                    EXPECT_EQ(r.ValoresPrimario()(s, c), static_cast<float>(canales[c - 1].primario * s));
                    EXPECT_EQ(r.ValoresSecundario()(s, c), static_cast<float>(canales[c - 1].secundario * s));
                }
                const auto k = static_cast<size_t>(c - 1);
                EXPECT_TRUE(r.Tablas.Valores.at(k) == TracePyramid(r.Valores.Column(c)));
                EXPECT_TRUE(r.Tablas.OtroLado.at(k) == TracePyramid(r.ValoresOtroLado.Column(c)));
            }
        }
    }

    // Every channel referred to the secondary: that side first, the file's
    // own values as they are, also where the primary cannot be derived.
    QByteArray secundarios = analog;
    secundarios.replace(",P\n", ",S\n")
        .replace(",X\n", ",S\n")
        .replace(", s \n", ",S\n")
        .replace(",5,\n", ",5,S\n");
    secundarios.replace(",5\n", ",5,S\n");
    const ResultadoLectura res = Abrir(Cfg("SE,REL,1997", nA, 0, secundarios, 2, "BINARY"), b.bytes);
    ASSERT_TRUE(res.Ok());
    EXPECT_TRUE(res.CanalesSinMarca.empty());
    // Referred to the secondary, channel 12's primary is its values times
    // 1e-36: that side can be derived.
    EXPECT_EQ(res.CanalesSinRelacion, (std::vector<std::int32_t>{6, 7, 8, 9, 10, 11, 13, 14}));
    const RecordModel& r = Registro();
    EXPECT_EQ(r.LadoEnVigor, Lado::Secundario);
    EXPECT_EQ(r.Valores(1, 3), 60.0f);
    EXPECT_EQ(r.ValoresPrimario()(1, 3), static_cast<float>(60.0 * (1200.0 / 5.0)));
    EXPECT_EQ(r.ValoresPrimario()(2, 6), 240.0f); // 0 / 110: as the file holds it
    EXPECT_EQ(r.ValoresSecundario()(2, 6), 240.0f);
    EXPECT_EQ(r.ValoresPrimario()(2, 12), static_cast<float>(480.0 * (1e-30 / 1e6)));
    EXPECT_TRUE(r.Tablas.OtroLado.at(5) == TracePyramid(r.ValoresOtroLado.Column(6)));
}

TEST_F(DatTest, TimeMultiplierIsARealNumber)
{
    const QByteArray analog = "1,IA,,,A,1,0,0,-32767,32767,1,1,P\n";
    Binario b;
    b.I32(1).I32(0).I16(0).I32(2).I32(1000).I16(0);
    ASSERT_TRUE(Abrir(Cfg("SE,REL,1997", 1, 0, analog, 2, "BINARY", "0.001"), b.bytes).Ok());
    EXPECT_DOUBLE_EQ(Registro().Tiempos(2), 1.0);
    EXPECT_EQ(Registro().TasaCalculada, 1000000);
    EXPECT_TRUE(Registro().EstadosDigitales.Empty()); // no digital channels
    EXPECT_TRUE(Registro().NombresDigitales.Empty());

    ASSERT_TRUE(Abrir(Cfg("SE,REL,1997", 1, 0, analog, 2, "BINARY", "0"), b.bytes).Ok());
    EXPECT_DOUBLE_EQ(Registro().Tiempos(2), 1000.0); // 0: not multiplied
    EXPECT_EQ(Registro().TasaCalculada, 1000);

    // A time stamp that a huge multiplier takes beyond double precision
    // takes the first one that stays within it.
    Binario grande;
    grande.I32(1).I32(2000000000).I16(0).I32(2).I32(1).I16(0);
    ASSERT_TRUE(Abrir(Cfg("SE,REL,1997", 1, 0, analog, 2, "BINARY", "1e300"), grande.bytes).Ok());
    EXPECT_EQ(Registro().Tiempos(1), 1e300);
    EXPECT_EQ(Registro().Tiempos(2), 1e300);
}

TEST_F(DatTest, TimeStampsKeepMicrosecondsLongAfterTheStart)
{
    const QByteArray analog = "1,IA,,,A,1,0,0,-32767,32767\n";
    Binario b;
    b.I32(1).I32(20000001).I16(0).I32(2).I32(20000002).I16(0);
    ASSERT_TRUE(Abrir(Cfg("SE,REL", 1, 0, analog, 2, "BINARY"), b.bytes).Ok());
    EXPECT_EQ(Registro().Tiempos(2) - Registro().Tiempos(1), 1.0);
    EXPECT_EQ(Registro().TasaCalculada, 1000000);
}

// Time stamps that are the same, or fall, give no rate.
TEST_F(DatTest, UnderivableRateIsZeroNotThePreviousRecords)
{
    const QByteArray analog = "1,IA,,,A,1,0,0,-32767,32767\n";
    for (const std::int32_t segundo : {-1, -1001}) {
        Binario b;
        b.I32(1).I32(-1).I16(0).I32(2).I32(segundo).I16(0);
        Registro().TasaCalculada = 4800;
        ASSERT_TRUE(Abrir(Cfg("SE,REL", 1, 0, analog, 2, "BINARY"), b.bytes).Ok());
        EXPECT_EQ(Registro().TasaCalculada, 0) << segundo;
    }
}

TEST_F(DatTest, GaugeAdvancesOnePercentEveryStepOfSamples)
{
    const QByteArray analog = "1,IA,,,A,1,0,0,-32767,32767\n";
    const struct {
        int muestras;
        int nD;
        int avisos;
    } casos[] = {
        {900, 1, 900 / 11}, // p = 10: every 11th sample
        {30, 1, 30},        // p = 0: every sample
        {45, 1, 45},        // 0.5 rounds to even 0
        {900, 0, 900 / 11}, // no digital channels: the same
    };
    for (const auto& c : casos) {
        int avisos = 0;
        ProgresoRegistro().LlenarGasolino = [&](bool add, int pct) {
            EXPECT_TRUE(add);
            EXPECT_EQ(pct, 1);
            ++avisos;
        };
        Binario b;
        for (int s = 1; s <= c.muestras; ++s) {
            b.I32(s).I32(s * 1000).I16(0);
            if (c.nD > 0)
                b.U16(0);
        }
        for (const char* tipo : {"BINARY", "ASCII"}) {
            avisos = 0;
            QByteArray dat = b.bytes;
            if (QByteArray(tipo) == "ASCII") {
                dat.clear();
                for (int s = 1; s <= c.muestras; ++s)
                    dat += QByteArray::number(s) + "," + QByteArray::number(s * 1000) + ",0" +
                           (c.nD > 0 ? ",0" : "") + "\n";
            }
            ASSERT_TRUE(Abrir(Cfg("SE,REL", 1, c.nD, analog, c.muestras, tipo), dat).Ok());
            EXPECT_EQ(avisos, c.avisos) << tipo << ' ' << c.muestras << ' ' << c.nD;
        }
    }
}

TEST_F(DatTest, ShortDataFileOpensTheSamplesItHoldsWithoutSizingBeyondThem)
{
    const QByteArray analog = "1,IA,,,A,1,0,0,-32767,32767\n";
    Binario b;
    b.I32(1).I32(0).I16(5).I32(2).I32(1000).I16(6);
    Registro().Valores.Resize(3, 3, 1.0f); // left over from an earlier record
    // One sample short opens the two samples present; so does a count far
    // beyond any file (more than 2 GiB of samples), read as far as the file
    // goes without sizing anything by the count: a few megabytes at most,
    // where the count's matrices would take gigabytes.
    const test::PeakMemory pico;
    for (const int muestras : {3, 2000000000}) {
        for (const char* tipo : {"BINARY", "ASCII"}) {
            const QByteArray dat = QByteArray(tipo) == "ASCII" ? QByteArray("1,0,5\n2,1000,6\n") : b.bytes;
            const ResultadoLectura res = Abrir(Cfg("SE,REL", 1, 0, analog, muestras, tipo), dat);
            ASSERT_TRUE(res.Ok()) << tipo << muestras;
            EXPECT_EQ(res.MuestrasAnunciadas, muestras) << tipo;
            const RecordModel& r = Registro();
            ASSERT_EQ(r.NumMuestras(), 2) << tipo;
            EXPECT_EQ(r.Tiempos.Size(), 2);
            EXPECT_EQ(r.Valores(2, 1), 6);
            EXPECT_EQ(r.TasaCalculada, 1000);
        }
    }
    if (pico.Available()) {
        EXPECT_LT(pico.PeakKb(), 64 * 1024);
    }

    // ASCII: every sample line is a sample, a short one too, and no more
    // samples are sized than the file has lines, nor than it could hold
    // whole lines (of six commas each, and a line end).
    QByteArray cinco;
    for (int c = 1; c <= 5; ++c)
        cinco += QByteArray::number(c) + ",C,,,A,1,0,0,-32767,32767\n";
    ASSERT_TRUE(Abrir(Cfg("SE,REL", 5, 0, cinco, 1000000, "ASCII"),
                      "1,0,1,2,3,4,5\n" + QByteArray("1000000\n").repeated(10))
                    .Ok());
    EXPECT_EQ(Registro().NumMuestras(), 11);
    const QByteArray cortas = "1,0,1,2,3,4,5\n" + QByteArray("1\n").repeated(10);
    ASSERT_TRUE(Abrir(Cfg("SE,REL", 5, 0, cinco, 1000000, "ASCII"), cortas).Ok());
    EXPECT_EQ(Registro().NumMuestras(), (cortas.size() + 1) / 7);

    // The whole count present: nothing announced beyond it.
    EXPECT_EQ(Abrir(Cfg("SE,REL", 1, 0, analog, 2, "BINARY"), b.bytes).MuestrasAnunciadas, 0);

    // A .dat that is missing altogether.
    Registrar("r", Cfg("SE,REL", 1, 0, analog, 2, "BINARY"), {});
    Registro().RutaDat = Ruta("falta.dat");
    ASSERT_TRUE(LeerCfg(Registro()).Ok());
    EXPECT_EQ(LeerDatBinario(Registro()).Error, ErrorLectura::NoSeAbre);
    EXPECT_TRUE(Registro().Valores.Empty());
}

TEST_F(DatTest, RecordsWithNoAnalogSampleAreRefused)
{
    const QByteArray analog = "1,IA,,,A,1,0,0,-32767,32767\n";
    const struct {
        const char* que;
        QByteArray cfg;
        QByteArray dat;
    } casos[] = {
        {"no analog channel", Cfg("SE,REL", 0, 2, "", 5, "BINARY"), QByteArray(60, '\0')},
        {"no analog channel, ASCII", Cfg("SE,REL", 0, 2, "", 5, "ASCII"), "1,0,1,0\n"},
        {"0 samples announced", Cfg("SE,REL", 1, 0, analog, 0, "BINARY"), QByteArray(20, '\0')},
        {"ASCII file of blank lines", Cfg("SE,REL", 1, 0, analog, 5, "ASCII"), "\r\n  \n\t\n"},
    };
    for (const auto& c : casos) {
        Registro().Valores.Resize(3, 3, 1.0f);
        EXPECT_EQ(Abrir(c.cfg, c.dat).Error, ErrorLectura::SinMuestras) << c.que;
        EXPECT_TRUE(Registro().Valores.Empty()) << c.que;
        EXPECT_TRUE(Registro().Tiempos.Empty()) << c.que;
        EXPECT_TRUE(Registro().EstadosDigitales.Empty()) << c.que;
    }
}

TEST_F(DatTest, BlankLinesOfAnAsciiFileAreNoSamples)
{
    const QByteArray analog = "1,IA,,,A,1,0,0,-32767,32767\n";
    // An empty line after every sample, blank-only lines, CR LF, a blank end.
    const QByteArray dat = "\r\n1,0,10,1\r\n\r\n2,1000,20,0\n\n   \n3,2000,30,1\n\t \r\n4,3000,40,1\n\n";
    const ResultadoLectura res = Abrir(Cfg("SE,REL", 1, 1, analog, 4, "ASCII"), dat);
    ASSERT_TRUE(res.Ok());
    EXPECT_EQ(res.MuestrasAnunciadas, 0);
    const RecordModel& r = Registro();
    ASSERT_EQ(r.NumMuestras(), 4);
    for (int s = 1; s <= 4; ++s) {
        EXPECT_EQ(r.Valores(s, 1), 10.0f * s) << s;
        EXPECT_EQ(r.Tiempos(s), 1000.0 * (s - 1)) << s;
    }
    EXPECT_EQ(r.EstadosDigitales(3, 1), 1);
    EXPECT_EQ(r.EstadosDigitales(2, 1), 0);
}

TEST_F(DatTest, EveryRateSegmentIsRead)
{
    const QByteArray analog = "1,IA,,,A,1,0,0,-32767,32767\n";
    QByteArray dat;
    for (int s = 1; s <= 30; ++s)
        dat +=
            QByteArray::number(s) + "," + QByteArray::number(s * 1000) + "," + QByteArray::number(s) + "\n";
    const struct {
        const char* tasas;
        int muestras;
        bool distintas;
    } casos[] = {
        {"3\n1000,10\n2000,20\n1000,30\n", 30, true},
        {"2\n1000,10\n1000,30\n", 30, false},
        {"2\n1000,10\n500,40\n", 30, true}, // more announced than present: what is there
        {"1\n1000,12\n", 12, false},
    };
    for (const auto& c : casos) {
        QByteArray cfg = Cfg("SE,REL", 1, 0, analog, 1, "ASCII");
        cfg.replace("1\n1000,1\n", c.tasas);
        const ResultadoLectura res = Abrir(cfg, dat);
        ASSERT_TRUE(res.Ok()) << c.tasas;
        ASSERT_EQ(Registro().NumMuestras(), c.muestras) << c.tasas;
        EXPECT_EQ(Registro().Valores(c.muestras, 1), c.muestras);
        EXPECT_EQ(TasasDistintas(Registro()), c.distintas) << c.tasas;
    }
}

TEST_F(DatTest, BinarySampleCutByTheEndOfTheFileIsNotRead)
{
    const QByteArray analog = "1,IA,,,A,1,0,0,-32767,32767\n2,IB,,,A,1,0,0,-32767,32767\n";
    Binario b;
    b.I32(1).I32(0).I16(5).I16(6).I32(2).I32(1000).I16(7); // channel 2 of sample 2 missing
    const ResultadoLectura res = Abrir(Cfg("SE,REL", 2, 0, analog, 2, "BINARY"), b.bytes);
    ASSERT_TRUE(res.Ok());
    ASSERT_EQ(Registro().NumMuestras(), 1);
    EXPECT_EQ(res.MuestrasAnunciadas, 2);
    EXPECT_EQ(Registro().Valores(1, 2), 6);
}

// Damaged ASCII sample lines, one rule wherever they stand: each is one
// sample (every later sample keeps its time), and whatever of it is missing
// or cannot be read takes the sample before it (at the start of the file,
// the first sample that has it); no value and no digital state is made up.
// The result counts the lines and names the first.
TEST_F(DatTest, DamagedAsciiLinesAreSamplesThatTakeTheSampleBefore)
{
    // Channel 1 scaled by 2 and 1: a raw 1.7e38 is 3.4e38, a raw 2e38 is
    // beyond single precision.
    const QByteArray analog = "1,IA,,,A,2,1,0,-32767,32767\n2,IB,,,A,1,0,0,-32767,32767\n";
    const QByteArray bien = "1,0,10,20,0,1\r\n"
                            "2,1000,11,21,1,0\r\n"
                            "3,2000,12,22,0,1\r\n"
                            "4,3000,13,23,1,1\r\n";
    // A sample as the file gives it: raw channel 1, channel 2, two states.
    struct Muestra {
        double x1;
        float v2;
        int d1, d2;
    };
    const Muestra m1{10, 20, 0, 1}, m2{11, 21, 1, 0}, m3{12, 22, 0, 1}, m4{13, 23, 1, 1};
    const struct {
        const char* que;
        QByteArray de, a; // text replaced in the well-formed file
        std::vector<Muestra> leidas;
        std::int64_t danadas;
        std::int64_t primera;     // line number
        std::int32_t sinTiempo{}; // the sample whose time stamp is that of the sample before
    } casos[] = {
        {"mid-file line of the sample number, time and channel 1",
         "2,1000,11,21,1,0",
         "2,1000,11",
         {m1, m1, m3, m4},
         1,
         2},
        {"garbled analog field", "3,2000,12,", "3,2000,1x2,", {m1, m2, {11, 22, 0, 1}, m4}, 1, 3},
        {"empty analog field", "3,2000,12,22", "3,2000,12,", {m1, m2, {12, 21, 0, 1}, m4}, 1, 3},
        {"garbled digital fields", "2,1000,11,21,1,0", "2,1000,11,21,x,", {m1, {11, 21, 0, 1}, m3, m4}, 1, 2},
        {"short last line ended by CR LF", "4,3000,13,23,1,1", "4,3000,13", {m1, m2, m3, m3}, 1, 4},
        {"short last line without its end", "4,3000,13,23,1,1\r\n", "4,3000,13", {m1, m2, m3, m3}, 1, 4},
        {"last line cut after a comma",
         "4,3000,13,23,1,1\r\n",
         "4,3000,13,23,1,",
         {m1, m2, m3, {13, 23, 1, 1}},
         1,
         4},
        {"1e40 in a field", "21,1,0", "1e40,1,0", {m1, {11, 20, 1, 0}, m3, m4}, 1, 2},
        {"a value scaled beyond single precision",
         "2,1000,11,",
         "2,1000,2e38,",
         {m1, {10, 21, 1, 0}, m3, m4},
         1,
         2},
        {"the largest value single precision holds",
         "2,1000,11,",
         "2,1000,1.7e38,",
         {m1, {1.7e38, 21, 1, 0}, m3, m4},
         0,
         0},
        {"damaged first line, after a blank one",
         "1,0,10,20,0,1",
         "\r\n1,0,10,20,x,1",
         {{10, 20, 1, 1}, m2, m3, m4},
         1,
         2},
        {"first line short", "1,0,10,20,0,1", "1,0", {m2, m2, m3, m4}, 1, 1},
        {"two lines run together", "2,1000,11,21,1,0\r\n3", "2,1000,11,21,1,03", {m1, m1, m4}, 1, 2},
        {"a trailing comma on a line", "3,2000,12,22,0,1", "3,2000,12,22,0,1, ,", {m1, m2, m3, m4}, 0, 0},
        {"fields blank round their numbers",
         "3,2000,12,22,0,1",
         "3, 2000 , 12 ,22 , 0,1 ",
         {m1, m2, m3, m4},
         0,
         0},
        {"a time stamp that is no number", "3,2000,", "3,x,", {m1, m2, m3, m4}, 1, 3, 3},
        {"an empty time stamp", "4,3000,", "4,,", {m1, m2, m3, m4}, 1, 4, 4},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.que);
        QByteArray dat = bien;
        ASSERT_TRUE(dat.contains(c.de));
        dat.replace(c.de, c.a);
        const ResultadoLectura res = Abrir(Cfg("SE,REL", 2, 2, analog, 4, "ASCII"), dat);
        ASSERT_TRUE(res.Ok());
        EXPECT_EQ(res.LineasDanadas, c.danadas);
        EXPECT_EQ(res.PrimeraLineaDanada, c.primera);
        const RecordModel& r = Registro();
        ASSERT_EQ(r.NumMuestras(), static_cast<std::int32_t>(c.leidas.size()));
        EXPECT_EQ(res.MuestrasAnunciadas, c.leidas.size() < 4 ? 4 : 0);
        for (std::int32_t s = 1; s <= r.NumMuestras(); ++s) {
            const Muestra& m = c.leidas[static_cast<size_t>(s - 1)];
            EXPECT_EQ(r.Valores(s, 1), static_cast<float>(m.x1 * 2 + 1)) << s;
            EXPECT_EQ(r.Valores(s, 2), m.v2) << s;
            EXPECT_EQ(r.EstadosDigitales(s, 1), m.d1) << s;
            EXPECT_EQ(r.EstadosDigitales(s, 2), m.d2) << s;
            EXPECT_TRUE(std::isfinite(r.Valores(s, 1)) && std::isfinite(r.Valores(s, 2))) << s;
        }
        if (c.sinTiempo > 0) {
            EXPECT_EQ(r.Tiempos(c.sinTiempo), r.Tiempos(c.sinTiempo - 1));
        }
        EXPECT_EQ(r.TasaCalculada, 1000);
    }
}

// Data files refused whole, each naming what it holds: the sample matrices
// are left empty.
TEST_F(DatTest, DataFilesThatHoldNoSampleToShowAreRefusedSayingWhy)
{
    const QByteArray analog = "1,IA,,,A,1,0,0,-32767,32767\n2,IB,,,A,1,0,0,-32767,32767\n";
    const struct {
        const char* que;
        const char* tipo;
        QByteArray dat;
        ErrorLectura error;
    } casos[] = {
        {"every line short", "ASCII", "1,0,5\r\n2,1000,7\r\n", ErrorLectura::SinLineaEntera},
        {"every line with a field that cannot be read", "ASCII", "1,0,5,x\r\n2,1000,y,8\r\n",
         ErrorLectura::SinLineaEntera},
        {"the file holds only a cut sample", "ASCII", "1,0,5", ErrorLectura::SinLineaEntera},
        {"lines ended by CR alone", "ASCII", "1,0,5,6\r2,1000,7,8\r", ErrorLectura::FinesDeLineaCR},
        {"BINARY shorter than one sample", "BINARY", QByteArray(11, '\1'), ErrorLectura::DatCorto},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.que);
        Registro().Valores.Resize(3, 3, 1.0f);
        const ResultadoLectura res = Abrir(Cfg("SE,REL", 2, 0, analog, 2, c.tipo), c.dat);
        EXPECT_EQ(res.Error, c.error);
        EXPECT_TRUE(Registro().Valores.Empty());
        EXPECT_TRUE(Registro().Tiempos.Empty());
        if (c.error == ErrorLectura::DatCorto) {
            EXPECT_EQ(res.Hallado, "11");  // the file's bytes
            EXPECT_EQ(res.Necesarios, 12); // a sample's
        }
    }
    // One line whose CR ends the file is a line end, not a CR-only file.
    const ResultadoLectura una = Abrir(Cfg("SE,REL", 2, 0, analog, 2, "ASCII"), "1,0,5,6\r");
    ASSERT_TRUE(una.Ok());
    EXPECT_EQ(Registro().Valores(1, 2), 6);
}

TEST_F(DatTest, EmptyDataFileIsToldApart)
{
    const QByteArray analog = "1,IA,,,A,1,0,0,-32767,32767\n";
    for (const char* tipo : {"BINARY", "ASCII"}) {
        EXPECT_EQ(Abrir(Cfg("SE,REL", 1, 0, analog, 5, tipo), {}).Error, ErrorLectura::DatVacio) << tipo;
        EXPECT_TRUE(Registro().Valores.Empty());
    }
}

TEST_F(DatTest, AsciiLinesAreCutIntoFieldsWithoutTheLocale)
{
    const QByteArray analog = "1,IA,,,A,2,1,0,-32767,32767\n2,IB,,,A,1,0,0,-32767,32767\n";
    const QByteArray dat = "1,0,10,-3,1,0,1\r\n"
                           "2, 1.5e3 , 2.5 ,1E2,0,1,0\n"
                           "3,2000,+000007,-000012,1,1,0\n"
                           "5,4000,1,2,0,0,1\n";
    const ResultadoLectura res = Abrir(Cfg("SE,REL", 2, 3, analog, 4, "ASCII"), dat);
    ASSERT_TRUE(res.Ok());
    EXPECT_EQ(res.LineasDanadas, 0);
    const RecordModel& r = Registro();
    EXPECT_EQ(r.Valores(1, 1), 21);
    EXPECT_EQ(r.Valores(1, 2), -3);
    EXPECT_EQ(r.EstadosDigitales(1, 3), 1); // last field, before CR LF
    EXPECT_EQ(r.Tiempos(2), 1500);
    EXPECT_EQ(r.Valores(2, 1), 6);
    EXPECT_EQ(r.Valores(2, 2), 100);
    EXPECT_EQ(r.EstadosDigitales(2, 2), 1);
    EXPECT_EQ(r.Valores(3, 1), 15);
    EXPECT_EQ(r.Valores(3, 2), -12);
    EXPECT_EQ(r.EstadosDigitales(4, 3), 1);
    EXPECT_EQ(r.TasaCalculada, 667);
}

// A small file cannot make the reader take memory out of all measure: 2000
// analog channels and 100,000 lines of one field each (200 KB) ask for
// 100,000 samples of 2000 channels (800 MB) if every line is a sample, yet
// the file can hold no more than about a hundred whole lines of 2001
// commas. The reader sizes its matrices for those at most, and its peak
// stays within a small multiple of the file and those samples, whether no
// line is whole (refused) or the first is (read).
TEST_F(DatTest, MemoryStaysBoundedByWhatTheFileCanHold)
{
    constexpr std::int32_t nA = 2000;
    gen::GenSpec spec;
    spec.revision = gen::Revision::R1991;
    spec.format = gen::DataFormat::Ascii;
    spec.samples = 100000;
    spec.analog.resize(nA);
    const QByteArray cfg = gen::CfgText(spec);
    const QByteArray cortas = QByteArray("7\n").repeated(spec.samples);
    QByteArray entera = "1,0";
    for (std::int32_t c = 1; c <= nA; ++c)
        entera += ",1";
    const struct {
        const char* que;
        QByteArray dat;
        ErrorLectura error;
    } casos[] = {
        {"no line whole", cortas, ErrorLectura::SinLineaEntera},
        {"the first line whole", entera + "\n" + cortas, ErrorLectura::Ninguno},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.que);
        Registrar("grande", cfg, c.dat);
        ASSERT_TRUE(LeerCfg(Registro()).Ok());
        const test::PeakMemory pico;
        if (!pico.Available())
            GTEST_SKIP() << "peak memory cannot be measured here";
        const ResultadoLectura res = LeerDat(Registro());
        const std::int64_t enteras = (c.dat.size() + 1) / (nA + 2);
        const std::int64_t limiteKb = (8 * c.dat.size() + 16 * enteras * nA) / 1024 + 4096;
        RecordProperty(std::string("peak_kb, ") + c.que, static_cast<int>(pico.PeakKb()));
        EXPECT_LT(pico.PeakKb(), limiteKb);
        EXPECT_EQ(res.Error, c.error);
        if (res.Ok()) {
            EXPECT_EQ(Registro().NumMuestras(), enteras);
            EXPECT_EQ(res.MuestrasAnunciadas, spec.samples);
            EXPECT_EQ(Registro().Valores(enteras, nA), 1.0f); // the first line's, all along
        }
    }
}

// Another program cutting the data file short between its measuring and
// its reading ends nothing and shows no sample the file no longer holds:
// BINARY reads as far as the file then goes and tells it as a file short
// from the start; ASCII, whose lines were counted, shows the lines it no
// longer holds as damaged ones taking the sample before.
TEST_F(DatTest, DataFileThatShrinksWhileItIsReadShowsOnlyTheSamplesItStillHolds)
{
    constexpr std::int32_t kMuestras = 200000;
    const struct {
        const char* que;
        gen::DataFormat formato;
        std::int32_t analogicos, digitales;
        double parte;       // of the file left
        std::int64_t resto; // bytes beyond that: a sample cut short
    } casos[] = {
        {"BINARY to a quarter", gen::DataFormat::Binary, 4, 0, 0.25, 0},
        {"BINARY, a 1997 record with digital words, cut inside a sample", gen::DataFormat::Binary, 3, 20, 0.5,
         7},
        {"ASCII to a quarter", gen::DataFormat::Ascii, 4, 0, 0.25, 0},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.que);
        gen::GenSpec spec = c.digitales > 0
                                ? test::RegistroConLados(kMuestras, c.analogicos, c.digitales, c.formato)
                                : gen::BenchRecordSpec(kMuestras, c.analogicos, 0, c.formato);
        if (c.digitales == 0)
            spec.revision = gen::Revision::R1991;
        RegistrarGenerado(spec, "encoge");
        ASSERT_TRUE(LeerCfg(Registro()).Ok());
        const QString ruta = Registro().RutaDat;
        const qint64 tam = static_cast<qint64>(gen::BinaryRecordSize(spec));
        const qint64 queda = c.formato == gen::DataFormat::Binary
                                 ? static_cast<qint64>(kMuestras * c.parte) * tam + c.resto
                                 : static_cast<qint64>(static_cast<double>(QFile(ruta).size()) * c.parte);
        int medidos = 0;
        ProgresoRegistro().DatMedido = [&](const QString& dat) {
            ++medidos;
            ASSERT_TRUE(QFile::resize(dat, queda));
        };
        const ResultadoLectura res = LeerDat(Registro());
        ProgresoRegistro() = RecordProgress{};
        ASSERT_EQ(medidos, 1);
        ASSERT_TRUE(res.Ok());
        const RecordModel& r = Registro();
        if (c.formato == gen::DataFormat::Binary) {
            const auto enteras = static_cast<std::int32_t>(queda / tam);
            ASSERT_EQ(r.NumMuestras(), enteras);
            EXPECT_EQ(res.MuestrasAnunciadas, kMuestras);
            EXPECT_EQ(r.Tiempos.Size(), enteras);
            EXPECT_DOUBLE_EQ(r.Tiempos(enteras), gen::TimeMicroseconds(spec, enteras));
            for (std::int32_t k = 1; k <= c.analogicos; ++k) {
                if (r.Es1997()) {
                    EXPECT_EQ(r.ValoresPrimario()(enteras, k), gen::ExpectedPrimary(spec, k, enteras)) << k;
                    EXPECT_EQ(r.ValoresSecundario()(enteras, k), gen::ExpectedSecondary(spec, k, enteras))
                        << k;
                } else {
                    EXPECT_EQ(r.Valores(enteras, k), gen::ExpectedValue(spec, k, enteras)) << k;
                }
            }
            for (std::int32_t d = 1; d <= c.digitales; ++d)
                EXPECT_EQ(r.EstadosDigitales(enteras, d), gen::DigitalState(spec, d, enteras)) << d;
            EXPECT_TRUE(r.Tablas.Valores.at(0) == TracePyramid(r.Valores.Column(1)));
        } else {
            ASSERT_EQ(r.NumMuestras(), kMuestras);
            EXPECT_EQ(r.Valores(1000, 1), gen::ExpectedValue(spec, 1, 1000));
            EXPECT_GT(res.LineasDanadas, 0);
            const auto ultima = static_cast<std::int32_t>(res.PrimeraLineaDanada) - 1;
            EXPECT_EQ(r.Valores(ultima, 4), gen::ExpectedValue(spec, 4, ultima));
            EXPECT_EQ(r.Valores(kMuestras, 4), r.Valores(ultima, 4));
        }
    }

    // Cut to less than one sample: refused as a file that short, nothing kept.
    gen::GenSpec spec = gen::BenchRecordSpec(100, 2, 0, gen::DataFormat::Binary);
    RegistrarGenerado(spec, "nada");
    ASSERT_TRUE(LeerCfg(Registro()).Ok());
    ProgresoRegistro().DatMedido = [](const QString& dat) { ASSERT_TRUE(QFile::resize(dat, 5)); };
    const ResultadoLectura res = LeerDat(Registro());
    EXPECT_EQ(res.Error, ErrorLectura::DatCorto);
    EXPECT_EQ(res.Hallado, "5");
    EXPECT_TRUE(Registro().Valores.Empty());
    EXPECT_TRUE(Registro().Tiempos.Empty());
}

// The ASCII file is read in blocks of whole lines: however the blocks fall
// (lines cut between two, lines longer than a block, the last line without
// its end), the samples are the same; a line longer than its fields allow
// is one damaged line where it stands, whether or not a block holds it
// whole, and a file whose lines end in CR alone is told as such.
TEST_F(DatTest, AsciiBlocksOfAnySizeGiveTheSameSamples)
{
    gen::GenSpec spec = gen::BenchRecordSpec(300, 3, 5, gen::DataFormat::Ascii);
    spec.revision = gen::Revision::R1991;
    spec.crlf = true;
    QList<QByteArray> lineas = gen::DatBytes(spec).split('\n');
    ASSERT_TRUE(lineas.last().isEmpty());
    lineas.removeLast();
    lineas[99] = QByteArray(5000, 'x') + "\r";    // line 100: one field far longer than a line's
    lineas[299] = "300," + QByteArray(5000, ' '); // the last line, without its end
    const QByteArray dat = lineas.join('\n');
    const QByteArray cfg = gen::CfgText(spec);

    struct Lectura {
        Matrix<float> valores;
        Matrix<std::uint8_t> estados;
        Array<double> tiempos;
        std::int64_t danadas, primera;
    };
    std::vector<Lectura> lecturas;
    for (const std::int64_t bloque :
         {std::int64_t{1} << 20, std::int64_t{1}, std::int64_t{3}, std::int64_t{64}, std::int64_t{1000}}) {
        SCOPED_TRACE(bloque);
        ProgresoRegistro().BloqueAscii = bloque;
        const ResultadoLectura res = Abrir(cfg, dat);
        ASSERT_TRUE(res.Ok());
        RecordModel& r = Registro();
        ASSERT_EQ(r.NumMuestras(), 300);
        EXPECT_EQ(res.LineasDanadas, 2);
        EXPECT_EQ(res.PrimeraLineaDanada, 100);
        for (std::int32_t c = 1; c <= 3; ++c) {
            EXPECT_EQ(r.Valores(99, c), gen::ExpectedValue(spec, c, 99));
            EXPECT_EQ(r.Valores(100, c), gen::ExpectedValue(spec, c, 99));
            EXPECT_EQ(r.Valores(101, c), gen::ExpectedValue(spec, c, 101));
            EXPECT_EQ(r.Valores(300, c), gen::ExpectedValue(spec, c, 299));
        }
        EXPECT_EQ(r.EstadosDigitales(298, 5), gen::DigitalState(spec, 5, 298));
        lecturas.push_back(
            {r.Valores, r.EstadosDigitales, r.Tiempos, res.LineasDanadas, res.PrimeraLineaDanada});

        QByteArray cr = dat;
        cr.replace("\r\n", "\r");
        EXPECT_EQ(Abrir(cfg, cr).Error, ErrorLectura::FinesDeLineaCR);
    }
    for (const Lectura& l : lecturas) {
        EXPECT_EQ(l.valores, lecturas.front().valores);
        EXPECT_EQ(l.estados, lecturas.front().estados);
        EXPECT_EQ(l.tiempos, lecturas.front().tiempos);
    }
}

// A file declared ASCII with no line end, of zeros or of garbage, is one
// line longer than any sample line: it is refused after one pass over it,
// holding no more than a block and a line at a time.
TEST_F(DatTest, AFileWithoutLineEndsIsRefusedInOnePassWithinAFewBlocks)
{
    gen::GenSpec spec = gen::BenchRecordSpec(100000, 4, 2, gen::DataFormat::Ascii);
    spec.revision = gen::Revision::R1991;
    constexpr qint64 kBytes = qint64{24} << 20;
    constexpr std::int64_t kBloque = std::int64_t{64} << 10;
    for (const bool basura : {false, true}) {
        SCOPED_TRACE(basura ? "garbage" : "zeros");
        Registrar("sinfin", gen::CfgText(spec), {});
        {
            QFile f(Registro().RutaDat);
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            QByteArray trozo(1 << 20, '0');
            std::uint32_t x = 12345;
            for (qint64 escritos = 0; escritos < kBytes; escritos += trozo.size()) {
                for (char& b : trozo) {
                    if (!basura)
                        break;
                    x = x * 1664525u + 1013904223u;
                    b = static_cast<char>(x >> 24);
                    if (b == '\n' || b == '\r')
                        b = 'x';
                }
                ASSERT_EQ(f.write(trozo), trozo.size());
            }
        }
        ASSERT_TRUE(LeerCfg(Registro()).Ok());
        ProgresoRegistro().BloqueAscii = kBloque;
        const test::PeakMemory pico;
        if (!pico.Available() || !pico.CountsReads())
            GTEST_SKIP() << "peak memory or the bytes read cannot be measured here";
        const ResultadoLectura res = LeerDat(Registro());
        RecordProperty(std::string("peak_kb, ") + (basura ? "garbage" : "zeros"),
                       static_cast<int>(pico.PeakKb()));
        EXPECT_EQ(res.Error, ErrorLectura::SinLineaEntera);
        EXPECT_TRUE(Registro().Valores.Empty());
        EXPECT_LT(pico.PeakKb(), 16 * kBloque / 1024);
        EXPECT_GE(pico.BytesRead(), kBytes);
        EXPECT_LT(pico.BytesRead(), kBytes + 16 * kBloque); // one pass
    }
}

// The generator writes records whose every value is known.
class GeneratedTest : public DatTest, public ::testing::WithParamInterface<gen::DataFormat>
{
};

TEST_P(GeneratedTest, EveryValueOfA1997RecordIsReadBack)
{
    gen::GenSpec spec = test::RegistroConLados(700, 7, 21, GetParam());
    spec.timeMultiplier = 0.5;
    spec.crlf = GetParam() == gen::DataFormat::Ascii; // one of each line end
    RegistrarGenerado(spec, "g");
    ASSERT_TRUE(LeerRegistro().Ok());
    const RecordModel& r = Registro();
    ASSERT_EQ(r.NumMuestras(), 700);
    EXPECT_EQ(r.LadoEnVigor, Lado::Primario); // the flags differ: the primary first
    EXPECT_EQ(r.ValoresOtroLado.Rows(), 700);
    for (int s = 1; s <= 700; ++s) {
        ASSERT_DOUBLE_EQ(r.Tiempos(s), gen::TimeMicroseconds(spec, s)) << s;
        for (int c = 1; c <= 7; ++c) {
            ASSERT_EQ(r.Valores(s, c), gen::ExpectedPrimary(spec, c, s)) << s << ',' << c;
            ASSERT_EQ(r.ValoresPrimario()(s, c), gen::ExpectedPrimary(spec, c, s)) << s << ',' << c;
            ASSERT_EQ(r.ValoresSecundario()(s, c), gen::ExpectedSecondary(spec, c, s)) << s << ',' << c;
        }
        for (int d = 1; d <= 21; ++d)
            ASSERT_EQ(r.EstadosDigitales(s, d), gen::DigitalState(spec, d, s)) << s << ',' << d;
    }
}

INSTANTIATE_TEST_SUITE_P(BothFormats, GeneratedTest,
                         ::testing::Values(gen::DataFormat::Binary, gen::DataFormat::Ascii));

TEST_F(DatTest, AMillionSamplesOpen)
{
    gen::GenSpec spec = gen::BenchRecordSpec(1000000, 1, 0, gen::DataFormat::Binary);
    spec.revision = gen::Revision::R1991;
    RegistrarGenerado(spec, "m");
    ASSERT_TRUE(LeerCfg(Registro()).Ok());
    ASSERT_EQ(Registro().MuestrasFinales(1), 1000000);
    ASSERT_TRUE(LeerDatBinario(Registro()).Ok());
    EXPECT_EQ(Registro().NumMuestras(), 1000000);
    EXPECT_EQ(Registro().Valores(1000000, 1), gen::ExpectedValue(spec, 1, 1000000));
    EXPECT_DOUBLE_EQ(Registro().Tiempos(1000000), gen::TimeMicroseconds(spec, 1000000));
}

} // namespace
} // namespace vesdra
