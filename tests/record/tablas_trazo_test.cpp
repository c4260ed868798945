#include "record/tablas_trazo.h"

#include <cmath>
#include <gtest/gtest.h>

#include "gen/comtrade_gen.h"
#include "record/cfg_reader.h"
#include "record/dat_reader.h"
#include "record/helpers.h"
#include "record_fixture.h"

namespace vesdra {
namespace {

class TablasTest : public test::RecordTest, public ::testing::WithParamInterface<gen::DataFormat>
{
};

// Every matrix's tables are those of its own samples once a record is
// read, and after the other 1997 side is put in force: the values, both
// sides (a side derived by a ratio, by the ratio 1, by an unknown flag that
// shows the values as the file holds them) and the digital states.
TEST_P(TablasTest, ReadingARecordBuildsTheTablesOfEveryMatrix)
{
    gen::GenSpec spec = test::RegistroConLados(5000, 5, 19, GetParam());
    spec.analog[3].primary = -400; // a negative ratio swaps the ends
    RegistrarGenerado(spec, "g");
    ASSERT_TRUE(LeerRegistro().Ok());
    RecordModel& r = Registro();
    const TablasTrazo& t = r.Tablas;
    for (const Lado lado : {Lado::Primario, Lado::Secundario}) {
        SCOPED_TRACE(lado == Lado::Primario ? "primary in force" : "secondary in force");
        EXPECT_EQ(ElegirLado(r, lado), lado == Lado::Secundario);
        ASSERT_EQ(t.Valores.size(), 5u);
        ASSERT_EQ(t.OtroLado.size(), 5u);
        ASSERT_EQ(t.Estados.size(), 19u);
        for (std::int32_t c = 1; c <= 5; ++c) {
            SCOPED_TRACE(c);
            ASSERT_EQ(TablaValores(r, c), &t.Valores[static_cast<size_t>(c - 1)]);
            EXPECT_TRUE(t.Valores[static_cast<size_t>(c - 1)] == TracePyramid(r.Valores.Column(c)));
            EXPECT_TRUE(t.OtroLado[static_cast<size_t>(c - 1)] == TracePyramid(r.ValoresOtroLado.Column(c)));
        }
    }
    for (std::int32_t d = 1; d <= 19; ++d)
        EXPECT_TRUE(*TablaEstados(r, d) == StatePyramid(r.EstadosDigitales.Column(d))) << d;
    EXPECT_EQ(TablaValores(r, 6), nullptr);
    EXPECT_EQ(TablaEstados(r, 0), nullptr);
}

INSTANTIATE_TEST_SUITE_P(BothFormats, TablasTest,
                         ::testing::Values(gen::DataFormat::Binary, gen::DataFormat::Ascii));

// Tables go with the record: closing drops them, a model filled by hand
// has none, and tables that no longer fit the matrices are not handed out.
TEST_F(TablasTest, TablesGoWithTheRecordAndAreNeverHandedOutStale)
{
    RecordModel& r = Registro();
    r.Valores = Matrix<float>(300, 2, 1.0f);
    r.EstadosDigitales = Matrix<std::uint8_t>(300, 1, 1);
    EXPECT_EQ(TablaValores(r, 1), nullptr);
    ConstruirTablasTrazo(r);
    EXPECT_NE(TablaValores(r, 2), nullptr);
    EXPECT_NE(TablaEstados(r, 1), nullptr);
    EXPECT_EQ(TablasTramo(r, 2, 41).Offset, 40);

    r.Valores = Matrix<float>(301, 2, 1.0f);
    EXPECT_EQ(TablaValores(r, 1), nullptr);
    r.Valores = Matrix<float>(300, 3, 1.0f);
    EXPECT_EQ(TablaValores(r, 1), nullptr);

    CerrarRegistro();
    EXPECT_TRUE(r.Tablas.Valores.empty());
    EXPECT_TRUE(r.Tablas.Estados.empty());
}

// The channels' extremes taken through the tables are those of the walk
// over the samples, NaN left out.
TEST_F(TablasTest, ChannelExtremesThroughTheTablesAreTheWalks)
{
    RecordModel& r = Registro();
    r.Valores = Matrix<float>(4000, 4);
    for (std::int32_t s = 1; s <= 4000; ++s) {
        r.Valores(s, 1) = static_cast<float>(std::sin(s * 0.01) * 70);
        r.Valores(s, 2) = -5.0f - static_cast<float>(s % 13); // all below 0
        r.Valores(s, 3) = s % 17 == 1 ? std::nanf("") : 3.0f + static_cast<float>(s % 5);
        r.Valores(s, 4) = std::nanf("");
    }
    MaxMinCanales(r.Valores);
    const Array<float> minimos = r.MinimosCanal;
    const Array<float> maximos = r.MaximosCanal;
    ConstruirTablasTrazo(r);
    MaxMinCanales(r.Valores);
    for (std::int32_t c = 1; c <= 4; ++c) {
        EXPECT_EQ(r.MinimosCanal(c), minimos(c)) << c;
        EXPECT_EQ(r.MaximosCanal(c), maximos(c)) << c;
    }
    EXPECT_EQ(r.MaximosCanal(2), -5.0f);
    EXPECT_EQ(r.MinimosCanal(3), 3.0f);
    EXPECT_EQ(r.MinimosCanal(4), 0.0f);
    EXPECT_EQ(r.MaximosCanal(4), 0.0f);
}

} // namespace
} // namespace vesdra
