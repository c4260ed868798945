#include <QDateTime>
#include <QLocale>
#include <cmath>
#include <gtest/gtest.h>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "platform/base/vb_error.h"
#include "record/helpers.h"
#include "record/numero.h"
#include "record_fixture.h"

namespace vesdra {
namespace {

using test::RecordTest;

struct CasoNumero {
    const char* texto;
    double valor;
};

TEST(ValorNumero, ReadsNumbersWhateverTheLocaleAndStopsAtTheFirstNonNumber)
{
    const CasoNumero casos[] = {
        {"1.5", 1.5},
        {"1,5", 1.5},
        {"  3,25  ", 3.25},
        {"1,234,5", 1.234}, // only the first comma becomes the point
        {"1.234,5", 1.234}, // a point present: the comma ends the number
        {"12A", 12.0},
        {"", 0.0},
        {"abc", 0.0},
        {"-7", -7.0},
        {"+7", 7.0},
        {"-.5", -0.5},
        {".5", 0.5},
        {"1 2", 12.0}, // blanks inside are skipped
        {"6.103516E-05", 6.103516e-05},
        {"2.836798e+000", 2.836798},
        {"-1.021247e+002", -102.1247},
        {"1.5D2", 150.0},
        {"1E", 1.0}, // an exponent without digits is none
        {"1e+", 1.0},
        {"50.0", 50.0},
        {"1200\r", 1200.0},
        {"inf", 0.0},
        {"nan", 0.0},
    };
    for (const CasoNumero& c : casos) {
        EXPECT_DOUBLE_EQ(ValorNumero(std::string_view(c.texto)), c.valor) << '"' << c.texto << '"';
        EXPECT_DOUBLE_EQ(ValorNumero(QString::fromLatin1(c.texto)), c.valor) << '"' << c.texto << '"';
    }
}

TEST(ValorNumero, IgnoresTheProcessLocale)
{
    const QLocale antes;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    const double v = ValorNumero(std::string_view("3.5"));
    QLocale::setDefault(antes);
    EXPECT_DOUBLE_EQ(v, 3.5);
}

TEST(NumeroCampo, TakesWholeFieldsOnly)
{
    double v = -1;
    EXPECT_TRUE(NumeroCampo(" -12 ", v));
    EXPECT_DOUBLE_EQ(v, -12);
    EXPECT_TRUE(NumeroCampo("1.5e3", v));
    EXPECT_DOUBLE_EQ(v, 1500);
    EXPECT_FALSE(NumeroCampo("", v));
    EXPECT_FALSE(NumeroCampo("12A", v));
    EXPECT_FALSE(NumeroCampo("1,5", v));
    EXPECT_FALSE(NumeroCampo("inf", v));
}

TEST(RedondearEntero, RoundsHalvesToEvenWithin32Bits)
{
    const std::pair<double, std::int32_t> casos[] = {{0.5, 0},
                                                     {1.5, 2},
                                                     {2.5, 2},
                                                     {-2.5, -2},
                                                     {50000.0, 50000},
                                                     {1000000.0, 1000000},
                                                     {2147483647.0, 2147483647}};
    for (const auto& [v, esperado] : casos) {
        std::int32_t n = -99;
        ASSERT_TRUE(RedondearEntero(v, n)) << v;
        EXPECT_EQ(n, esperado) << v;
    }
    std::int32_t n = 0;
    EXPECT_FALSE(RedondearEntero(2147483648.0, n));
    EXPECT_FALSE(RedondearEntero(std::nan(""), n));
}

class HelpersTest : public RecordTest
{
protected:
    static void Canal(std::int32_t n, const QString& nombre, const QString& circuito)
    {
        Registro().TablaCanales(n, 2) = nombre;
        Registro().TablaCanales(n, 3) = circuito;
    }
};

TEST_F(HelpersTest, ChannelCaptionPrefersAShortCircuitName)
{
    Registro().TablaCanales.Resize(3, 4);
    Canal(1, "IA", "Feeder 1");
    Canal(2, "IA", "L1");
    Canal(3, "IA", "");
    EXPECT_EQ(NombreCanal(1), "IA");
    EXPECT_EQ(NombreCanal(2), "L1");
    EXPECT_EQ(NombreCanal(3), "IA");
    EXPECT_EQ(NombreCanal(4), ""); // past the table: no caption, no crash

    Canal(1, "", "Feeder 1");
    EXPECT_EQ(NombreCanalId(1), "Feeder 1");
    EXPECT_EQ(NombreCanalId(2), "IA");

    Matrix<QString> plantilla(1, 4);
    plantilla(1, 3) = "Barra";
    EXPECT_EQ(NombreCanalPlantilla(plantilla, 1), "Barra");
}

// A record's captions, its texts trimmed of the blanks its fields are
// padded with: a circuit text that other channels' captions share tells
// none of them apart, so the caption carries the channel's name too.
TEST_F(HelpersTest, ChannelCaptionsTellChannelsApartWhereTheirCircuitTextIsShared)
{
    const QString guion = QString::fromUtf8(" \u2013 ");
    struct Caso {
        const char* que;
        std::vector<std::pair<QString, QString>> filas; // name, circuit
        QStringList rotulos;
    };
    const std::vector<Caso> casos = {
        {"one circuit for some",
         {{"IA", "L1"}, {"IB", "L1"}, {"IC", "L2"}},
         {"L1" + guion + "IA", "L1" + guion + "IB", "L2"}},
        {"padded with blanks",
         {{"J2 - VA          ", "LÍNEA 1   "}, {"J2 - VB", " LÍNEA 1"}},
         {"LÍNEA 1" + guion + "J2 - VA", "LÍNEA 1" + guion + "J2 - VB"}},
        {"a name that is another's circuit",
         {{"IA", "FEEDER 1"}, {"IAX", "IA"}},
         {"IA", "IA" + guion + "IAX"}},
        {"no name", {{"", "Barra 1"}, {"   ", "Barra 2"}}, {"Barra 1", "Barra 2"}},
        {"nothing more to tell", {{"IA", "IA"}, {"IA", "IA"}}, {"IA", "IA"}},
        {"names alone, padded", {{"  VA  ", ""}, {"VB", "    "}}, {"VA", "VB"}},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.que);
        const auto n = static_cast<std::int32_t>(c.filas.size());
        Registro().TablaCanales = Matrix<QString>(n, 4);
        for (std::int32_t k = 1; k <= n; ++k)
            Canal(k, c.filas[static_cast<size_t>(k - 1)].first, c.filas[static_cast<size_t>(k - 1)].second);
        QStringList uno;
        for (std::int32_t k = 1; k <= n; ++k)
            uno << NombreCanal(k);
        EXPECT_EQ(uno, c.rotulos);
        EXPECT_EQ(NombresCanales(), c.rotulos) << "the whole table at once";
    }

    Registro().TablaCanales = Matrix<QString>(1, 4);
    Canal(1, "  J2 - VA   ", "LÍNEA 1");
    Registro().TablaCanales(1, 4) = "kV    ";
    EXPECT_EQ(NombreCanalId(1), "J2 - VA");
    EXPECT_EQ(UnidadCanal(1), "kV");
    EXPECT_EQ(UnidadCanal(2), "");
    EXPECT_EQ(Registro().TablaCanales(1, 2), "  J2 - VA   ") << "the table keeps the file's text";
}

TEST_F(HelpersTest, SamplingRateFallsBackToTheRateFromTimeStamps)
{
    RecordModel& r = Registro();
    r.TasaCalculada = 1000;
    EXPECT_EQ(FrecuenciaMuestreo(), 1000); // no rate table at all
    r.TasasMuestreo.Resize(1, 0);
    EXPECT_EQ(FrecuenciaMuestreo(), 1000);
    r.TasasMuestreo(1) = 50000;
    EXPECT_EQ(FrecuenciaMuestreo(), 50000);
    r.TasasMuestreo(1) = -1000; // no rate: the time stamps'
    EXPECT_EQ(FrecuenciaMuestreo(), 1000);
}

// The views' cycle: the waveform window's page step, the stacked view's and
// the composition windows' cursor step, the digital view's cycle.
TEST(MuestrasPorCiclo, RateOverLineFrequencyRoundedHalvesToEvenAtLeastOne)
{
    struct Caso {
        std::int32_t tasa, linea, muestras;
    };
    const Caso casos[] = {
        {1000, 50, 20},    {1200, 60, 20}, {1250, 100, 12}, // 12.5: halves go to even
        {125, 50, 2},                                       // 2.5 -> 2
        {75, 50, 2},                                        // 1.5 -> 2
        {25, 50, 1},                                        // 0.5 rounds to 0, raised to 1
        {50000, 50, 1000},
    };
    for (const Caso& c : casos)
        EXPECT_EQ(MuestrasPorCiclo(c.tasa, c.linea), c.muestras) << c.tasa << "/" << c.linea;
    try {
        (void)MuestrasPorCiclo(1000, 0);
        FAIL() << "a line frequency of 0 must fail";
    } catch (const VbError& e) {
        EXPECT_EQ(e.Number, vberr::DivisionByZero);
    }
}

// A channel's extremes are the smallest and largest value its samples hold,
// whatever their sign: a channel all above 0 has a minimum above 0.
TEST_F(HelpersTest, ExtremesAreTheSmallestAndLargestSample)
{
    const float nan = std::nanf("");
    struct Caso {
        std::vector<float> Muestras;
        float Minimo;
        float Maximo;
    };
    const Caso casos[] = {
        {{5, 7, 6}, 5, 7},              // all above 0
        {{-3, -1, -2}, -3, -1},         // all below 0
        {{-4, 9, 0}, -4, 9},            // both sides
        {{nan, 2.5f, nan}, 2.5f, 2.5f}, // NaN left out
        {{nan, nan, nan}, 0, 0},        // no number at all
    };
    Matrix<float> m(3, static_cast<std::int32_t>(std::size(casos)));
    for (std::int32_t c = 1; c <= m.Cols(); ++c)
        for (std::int32_t s = 1; s <= 3; ++s)
            m(s, c) = casos[c - 1].Muestras[static_cast<size_t>(s - 1)];
    MaxMinCanales(m);
    const RecordModel& r = Registro();
    ASSERT_EQ(r.MinimosCanal.Size(), m.Cols());
    for (std::int32_t c = 1; c <= m.Cols(); ++c) {
        EXPECT_EQ(r.MinimosCanal(c), casos[c - 1].Minimo) << c;
        EXPECT_EQ(r.MaximosCanal(c), casos[c - 1].Maximo) << c;
    }

    // A record of one sample: its value is both extremes.
    Matrix<float> una(1, 2);
    una(1, 1) = 11.379f;
    una(1, 2) = -0.5f;
    MaxMinCanales(una);
    EXPECT_EQ(r.MinimosCanal(1), 11.379f);
    EXPECT_EQ(r.MaximosCanal(1), 11.379f);
    EXPECT_EQ(r.MinimosCanal(2), -0.5f);
    EXPECT_EQ(r.MaximosCanal(2), -0.5f);
}

TEST_F(HelpersTest, ClockTextTurnsLocalePointsIntoColonsAndDecimalProbeFollowsLocale)
{
    const QLocale antes;
    QLocale::setDefault(QLocale(QLocale::Finnish, QLocale::Finland)); // writes times with "."
    const QString hora = HoraTexto();
    ComprobarDecimal();
    const bool puntoFinlandia = Registro().PuntoDecimal;
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    ComprobarDecimal();
    const bool puntoEeuu = Registro().PuntoDecimal;
    QLocale::setDefault(antes);

    EXPECT_TRUE(hora.contains(':')) << hora.toStdString();
    EXPECT_FALSE(hora.contains('.')) << hora.toStdString();
    EXPECT_FALSE(puntoFinlandia);
    EXPECT_TRUE(puntoEeuu);
}

} // namespace
} // namespace vesdra
