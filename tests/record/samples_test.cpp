#include <QByteArray>
#include <QList>
#include <algorithm>
#include <gtest/gtest.h>
#include <limits>
#include <vector>

#include "platform/base/file_names.h"
#include "record/ascii_copy.h"
#include "record/cfg_reader.h"
#include "record/dat_reader.h"
#include "record/file_paths.h"
#include "record/helpers.h"
#include "record_fixture.h"

namespace vesdra {
namespace {

using test::SamplePath;

// The public sample records, opened as the open sequence does: .cfg, then
// the .dat of the kind the .cfg names.
class SamplesTest : public test::RecordTest
{
protected:
    ResultadoLectura Abrir(const QString& dat)
    {
        RecordModel& r = Registro();
        r.RutaDat = SamplePath(dat);
        r.RutaCfg = FileNoCase(r.RutaDat.left(r.RutaDat.size() - 3) + "cfg");
        return LeerRegistro();
    }
    // Fields of line `linea` (1-based) of a sample's ASCII .dat.
    static QList<QByteArray> Campos(const QString& dat, int linea)
    {
        return test::ReadBytes(SamplePath(dat)).split('\n').at(linea - 1).trimmed().split(',');
    }
    static float Escalado(const QByteArray& campo, std::int32_t c)
    {
        return static_cast<float>(campo.trimmed().toDouble() * Registro().FactorA(c) + Registro().FactorB(c));
    }
};

// The fields of the analog channel lines of a sample's .cfg, read here from
// its text: a, b and, for 1997, the primary and secondary ratings.
struct FactoresCfg {
    std::vector<double> a, b, primario, secundario;
};

FactoresCfg LeerFactores(const QString& cfg, int nA, bool es1997)
{
    const QList<QByteArray> lineas = test::ReadBytes(SamplePath(cfg)).split('\n');
    FactoresCfg f;
    for (int c = 1; c <= nA; ++c) {
        const QList<QByteArray> campos = lineas.at(1 + c).trimmed().split(',');
        f.a.push_back(campos.at(5).toDouble());
        f.b.push_back(campos.at(6).toDouble());
        if (es1997) {
            f.primario.push_back(campos.at(10).toDouble());
            f.secundario.push_back(campos.at(11).toDouble());
        }
    }
    return f;
}

// Every value the readers store is a*x + b (a side: that value times the
// ratio of its ratings) computed in double and rounded once to single
// precision, for every sample and channel of the public samples. Computed
// in single precision, large offsets would cost digits (sel311l's IP, IG,
// VS, ICT): the test says so, so it would catch that.
TEST_F(SamplesTest, EveryStoredValueIsTheDoubleResultRoundedOnce)
{
    const struct {
        const char* dat;
        const char* cfg;
        bool pierdeEnSimple; // single precision is known to give other values
    } casos[] = {
        {"sel311l_1991_ascii.dat", "sel311l_1991_ascii.cfg", true},
        {"multirate_1991_ascii.dat", "multirate_1991_ascii.cfg", false},
        {"SEPAM_1997_BIN.DAT", "SEPAM_1997_BIN.CFG", false},
    };
    for (const auto& caso : casos) {
        SCOPED_TRACE(caso.dat);
        Reiniciar();
        ASSERT_TRUE(Abrir(caso.dat).Ok());
        const RecordModel& r = Registro();
        const std::int32_t nA = r.NumAnalogicos;
        const FactoresCfg f = LeerFactores(caso.cfg, nA, r.Es1997());
        const QByteArray bytes = test::ReadBytes(SamplePath(caso.dat));
        const QList<QByteArray> lineas = bytes.split('\n');
        const bool binario = r.TipoFichero == "BINARY";
        const qsizetype tam = 8 + 2 * nA + 2 * ((r.NumDigitales + 15) / 16);
        std::int64_t distintosEnSimple = 0;
        for (std::int32_t s = 1; s <= r.NumMuestras(); ++s) {
            const QList<QByteArray> campos = binario ? QList<QByteArray>{} : lineas.at(s - 1).split(',');
            for (std::int32_t c = 1; c <= nA; ++c) {
                double x = 0;
                if (binario) {
                    const auto* p = reinterpret_cast<const unsigned char*>(bytes.constData()) +
                                    (s - 1) * tam + 8 + 2 * (c - 1);
                    x = static_cast<std::int16_t>(p[0] | (p[1] << 8));
                } else {
                    x = campos.at(1 + c).trimmed().toDouble();
                }
                const double a = f.a[c - 1];
                const double b = f.b[c - 1];
                const auto v = static_cast<float>(x * a + b);
                ASSERT_EQ(r.Valores(s, c), v) << s << ',' << c;
                if (static_cast<float>(x) * static_cast<float>(a) + static_cast<float>(b) != v)
                    ++distintosEnSimple;
                if (r.Es1997()) { // every channel is referred to its primary
                    const double razon = f.secundario[c - 1] / f.primario[c - 1];
                    ASSERT_EQ(r.ValoresPrimario()(s, c), v) << s << ',' << c;
                    ASSERT_EQ(r.ValoresSecundario()(s, c), static_cast<float>(static_cast<double>(v) * razon))
                        << s << ',' << c;
                }
            }
        }
        if (caso.pierdeEnSimple) {
            EXPECT_GT(distintosEnSimple, 0);
        }
    }
}

TEST_F(SamplesTest, Sel311l1991AsciiOpens)
{
    const QString dat = "sel311l_1991_ascii.dat";
    ASSERT_TRUE(Abrir(dat).Ok());
    const RecordModel& r = Registro();
    EXPECT_EQ(r.AnioRevision, "1991");
    EXPECT_EQ(r.NumAnalogicos, 24);
    EXPECT_EQ(r.NumDigitales, 592);
    EXPECT_EQ(r.FrecuenciaLinea, 60);
    EXPECT_EQ(FrecuenciaMuestreo(), 960);
    ASSERT_EQ(r.NumMuestras(), 480);
    for (int linea : {1, 240, 480}) {
        const QList<QByteArray> f = Campos(dat, linea);
        ASSERT_EQ(f.size(), 2 + 24 + 592);
        EXPECT_EQ(r.Tiempos(linea), f[1].trimmed().toDouble());
        for (int c = 1; c <= 24; ++c)
            ASSERT_EQ(r.Valores(linea, c), Escalado(f[1 + c], c)) << linea << ',' << c;
        for (int d = 1; d <= 592; ++d)
            ASSERT_EQ(r.EstadosDigitales(linea, d), f[25 + d].toInt()) << linea << ',' << d;
    }
}

TEST_F(SamplesTest, Multirate1991AsciiOpensEveryRateSegment)
{
    const QString dat = "multirate_1991_ascii.dat";
    const ResultadoLectura res = Abrir(dat);
    ASSERT_TRUE(res.Ok());
    EXPECT_EQ(res.MuestrasAnunciadas, 0);
    const RecordModel& r = Registro();
    EXPECT_EQ(r.NumTasas, 8);
    ASSERT_EQ(r.NumMuestras(), 2131); // the last segment's end, not the first's (289)
    EXPECT_FALSE(TasasDistintas(r));  // eight segments of 1200 Hz
    EXPECT_EQ(r.Tiempos(1), -77500);
    for (const int linea : {289, 290, 2131}) {
        const QList<QByteArray> f = Campos(dat, linea);
        for (int c = 1; c <= 24; ++c)
            EXPECT_EQ(r.Valores(linea, c), Escalado(f[1 + c], c)) << linea << ',' << c;
    }
    EXPECT_EQ(r.TasaCalculada, 1199); // its first two time stamps are 834 microseconds apart
}

TEST_F(SamplesTest, Sepam1997BinaryOpensWithValoresFilled)
{
    ASSERT_TRUE(Abrir("SEPAM_1997_BIN.DAT").Ok());
    const RecordModel& r = Registro();
    EXPECT_EQ(r.AnioRevision, "1997");
    EXPECT_EQ(r.NumAnalogicos, 6);
    EXPECT_EQ(r.NumDigitales, 16);
    EXPECT_DOUBLE_EQ(r.MultTiempo, 1.0);
    EXPECT_EQ(r.FactorA(1), 2.836798);
    ASSERT_EQ(r.NumMuestras(), 2399);     // the file holds one more: only the announced ones
    EXPECT_EQ(FrecuenciaMuestreo(), 600); // equal time stamps give no rate of their own
    EXPECT_EQ(r.TasaCalculada, 0);
    EXPECT_EQ(r.Tiempos(2399), -1);

    const QByteArray bytes = test::ReadBytes(SamplePath("SEPAM_1997_BIN.DAT"));
    const int tam = 8 + 2 * 6 + 2;
    for (int s : {1, 1200, 2399}) {
        for (int c = 1; c <= 6; ++c) {
            const auto* p =
                reinterpret_cast<const unsigned char*>(bytes.constData()) + (s - 1) * tam + 8 + 2 * (c - 1);
            const auto x = static_cast<std::int16_t>(p[0] | (p[1] << 8));
            const auto v = static_cast<float>(x * r.FactorA(c) + r.FactorB(c));
            ASSERT_EQ(r.Valores(s, c), v) << s << ',' << c;
            ASSERT_EQ(r.ValoresPrimario()(s, c), v);
            ASSERT_EQ(r.ValoresSecundario()(s, c),
                      static_cast<float>(v * (r.TablaPrimSec(c).Secundario / r.TablaPrimSec(c).Primario)));
        }
    }
    float mayor = 0;
    for (float v : r.Valores.Column(1))
        mayor = std::max(mayor, std::abs(v));
    EXPECT_GT(mayor, 1.0f);
}

// Each channel's extremes are the smallest and largest value its samples
// hold, read from the file's own bytes: I2 stays above 0 throughout, its
// minimum 11.379 A at sample 755, and the block tables give what a walk
// over the samples gives.
TEST_F(SamplesTest, SepamExtremesAreTheSmallestAndLargestSampleOfEachChannel)
{
    ASSERT_TRUE(Abrir("SEPAM_1997_BIN.DAT").Ok());
    const RecordModel& r = Registro();
    const QByteArray bytes = test::ReadBytes(SamplePath("SEPAM_1997_BIN.DAT"));
    const int tam = 8 + 2 * 6 + 2;
    std::vector<float> minimos(6, std::numeric_limits<float>::infinity());
    std::vector<float> maximos(6, -std::numeric_limits<float>::infinity());
    std::int32_t muestraMinimoI2 = 0;
    for (std::int32_t s = 1; s <= r.NumMuestras(); ++s) {
        for (std::int32_t c = 1; c <= 6; ++c) {
            const auto* p =
                reinterpret_cast<const unsigned char*>(bytes.constData()) + (s - 1) * tam + 8 + 2 * (c - 1);
            const auto x = static_cast<std::int16_t>(p[0] | (p[1] << 8));
            const auto v = static_cast<float>(x * r.FactorA(c) + r.FactorB(c));
            if (c == 2 && v < minimos[1])
                muestraMinimoI2 = s;
            minimos[static_cast<size_t>(c - 1)] = std::min(minimos[static_cast<size_t>(c - 1)], v);
            maximos[static_cast<size_t>(c - 1)] = std::max(maximos[static_cast<size_t>(c - 1)], v);
        }
    }
    ASSERT_FALSE(r.Tablas.Valores.empty()) << "read through the block tables";
    MaxMinCanales(r.Valores);
    for (std::int32_t c = 1; c <= 6; ++c) {
        EXPECT_EQ(r.MinimosCanal(c), minimos[static_cast<size_t>(c - 1)]) << c;
        EXPECT_EQ(r.MaximosCanal(c), maximos[static_cast<size_t>(c - 1)]) << c;
    }
    EXPECT_NEAR(r.MinimosCanal(2), 11.379f, 0.0005f);
    EXPECT_EQ(muestraMinimoI2, 755);
}

TEST_F(SamplesTest, SepamAsciiCopyKeepsItsMultiplierLineAndReadsBackIdentically)
{
    ASSERT_TRUE(Abrir("SEPAM_1997_BIN.DAT").Ok());
    const RecordModel binario = Registro();
    Registro().NombreConversion = Ruta("sepam");
    ASSERT_TRUE(GuardarDatAscii().Ok());
    ASSERT_TRUE(GuardarCfgAscii().Ok()); // no .HDR beside it: told, the copy goes on
    QByteArray esperado = test::ReadBytes(SamplePath("SEPAM_1997_BIN.CFG"));
    esperado.replace("\nBINARY\n", "\nASCII\n");
    EXPECT_EQ(test::ReadBytes(Ruta("sepam.cfg")), esperado);

    Registro() = RecordModel{};
    Registro().RutaCfg = Ruta("sepam.cfg");
    Registro().RutaDat = Ruta("sepam.DAT");
    ASSERT_TRUE(LeerCfg(Registro()).Ok());
    ASSERT_TRUE(LeerDatAscii(Registro()).Ok());
    EXPECT_EQ(Registro().Tiempos, binario.Tiempos);
    EXPECT_EQ(Registro().Valores, binario.Valores);
    EXPECT_EQ(Registro().ValoresSecundario(), binario.ValoresSecundario());
    EXPECT_EQ(Registro().EstadosDigitales, binario.EstadosDigitales);
}

TEST_F(SamplesTest, Revisions1999And2013AreRefusedWithTheRevisionMessage)
{
    for (const char* dat :
         {"c60_1999_bin.dat", "pq_1999_ascii.dat", "sample_1999_bin.dat", "sample_2013_ascii.dat"}) {
        Reiniciar();
        const ResultadoLectura res = Abrir(dat);
        EXPECT_EQ(res.Error, ErrorLectura::RevisionRechazada) << dat;
        EXPECT_EQ(res.Hallado, QString(dat).contains("2013") ? "2013" : "1999") << dat; // the revision found
        EXPECT_TRUE(Registro().RevisionErronea) << dat;
        EXPECT_EQ(Registro().NumAnalogicos, 0) << dat;
        EXPECT_TRUE(Registro().Valores.Empty()) << dat;
    }
}

TEST_F(SamplesTest, UpperCaseConfigurationIsFoundBesideTheDataFile)
{
    const QString dat = SamplePath("SEPAM_1997_BIN.DAT");
    EXPECT_EQ(FileNoCase(dat.left(dat.size() - 3) + "cfg"), SamplePath("SEPAM_1997_BIN.CFG"));
    EXPECT_EQ(FileNoCase(SamplePath("sepam_1997_bin.dat")), dat);
    EXPECT_EQ(FileNoCase(SamplePath("SEPAM_1997_BIN.hdr")), "");
}

} // namespace
} // namespace vesdra
