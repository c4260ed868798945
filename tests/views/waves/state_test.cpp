#include "views/waves/waves_state.h"

#include <gtest/gtest.h>
#include <limits>

#include "record/record_model.h"
#include "shell/referencia.h"
#include "shell/view_services.h"

namespace vesdra {
namespace {

TEST(ChannelColour, RepeatsEveryEightRows)
{
    IniciarValores(); // the default palette 9, 10, 12, 11, 14, 13, 15, 0, 1, 2, 4, 3, 6, 5, 7
    struct Case {
        std::int32_t row, indice, colour;
    };
    for (const Case& c :
         {Case{1, 1, 9}, Case{2, 2, 10}, Case{3, 3, 12}, Case{4, 9, 1}, Case{5, 14, 5}, Case{6, 6, 13},
          Case{7, 7, 15}, Case{8, 8, 0}, Case{9, 1, 9}, Case{12, 9, 1}, Case{15, 7, 15}, Case{16, 8, 0}}) {
        SCOPED_TRACE(c.row);
        EXPECT_EQ(IndiceColor(c.row), c.indice);
        EXPECT_EQ(NumeroColorCanal(c.row), c.colour);
    }
    EXPECT_EQ(IndiceColor(-3), -3);     // the remainder keeps the sign of n
    EXPECT_EQ(NumeroColorCanal(-3), 9); // ... and never reads outside the palette
}

class Reference : public ::testing::Test
{
protected:
    void SetUp() override
    {
        RecordModel& r = Registro();
        r.AnioRevision = QStringLiteral("1997");
        // Primary 1000, secondary 1; the secondary in force.
        PonerLados(r, Matrix<float>(3, 1, 1000.0f), Matrix<float>(3, 1, 1.0f), Lado::Secundario);
        r.FasoresCalculados = true;
        // The views open are told of every change of side, and of nothing else.
        ServiciosVistas& v = Vistas();
        for (Servicio* s : {&v.Ondas.LadoCambiado, &v.Composicion.LadoCambiado, &v.Digital.LadoCambiado})
            *s = [this] { ++avisos; };
    }
    void TearDown() override
    {
        RestablecerVistas();
        CerrarRegistro();
    }
    int avisos{0};
};

TEST_F(Reference, SwitchingSidesPutsTheSideShownInForceAndDropsThePhasors)
{
    RecordModel& r = Registro();
    EXPECT_TRUE(SecundarioEnVigor());
    ElegirReferencia(true);
    EXPECT_EQ(r.Valores(2, 1), 1000.0f);
    EXPECT_FALSE(r.FasoresCalculados);
    EXPECT_FALSE(SecundarioEnVigor());
    EXPECT_EQ(avisos, 3) << "each family of views drawn afresh";

    r.FasoresCalculados = true; // phasors computed for the primary side
    ElegirReferencia(true);     // same side again: they still fit
    EXPECT_TRUE(r.FasoresCalculados);
    EXPECT_EQ(avisos, 3) << "nothing changed for the views";

    ElegirReferencia(false);
    EXPECT_EQ(r.Valores(2, 1), 1.0f);
    EXPECT_FALSE(r.FasoresCalculados) << "phasors of the primary side would be shown for the secondary";
    EXPECT_TRUE(SecundarioEnVigor());
    EXPECT_EQ(avisos, 6);
}

// The side in force is kept, not found by comparing the values: the two
// sides change places without a copy (a record keeps two value matrices),
// and a NaN in the values, or two sides of equal values, change nothing.
TEST_F(Reference, TheSideInForceIsKeptAndTheSidesChangePlacesWithoutACopy)
{
    RecordModel& r = Registro();
    const float* primario = r.ValoresOtroLado.Data();
    const float* secundario = r.Valores.Data();
    ElegirReferencia(true);
    EXPECT_EQ(r.Valores.Data(), primario);
    EXPECT_EQ(r.ValoresOtroLado.Data(), secundario);
    EXPECT_EQ(r.ValoresPrimario().Data(), primario);
    EXPECT_EQ(r.ValoresSecundario().Data(), secundario);

    ElegirReferencia(false);
    r.Valores(2, 1) = std::numeric_limits<float>::quiet_NaN();
    EXPECT_TRUE(SecundarioEnVigor());
    PonerLados(r, Matrix<float>(3, 1, 4.0f), Matrix<float>(3, 1, 4.0f), Lado::Secundario);
    EXPECT_TRUE(SecundarioEnVigor());
}

// The values' block tables follow the side shown, and are the side's own.
TEST_F(Reference, TheValuesTablesFollowTheSideShown)
{
    RecordModel& r = Registro();
    r.Valores(2, 1) = -7.0f; // the secondary
    ConstruirTablasTrazo(r);
    ElegirReferencia(false);
    ASSERT_NE(TablaValores(r, 1), nullptr);
    EXPECT_EQ(TablaValores(r, 1)->Range(r.Valores.Column(1), 0, 2), (SampleExtremes{-7.0f, 1.0f}));
    ElegirReferencia(true);
    EXPECT_EQ(TablaValores(r, 1)->Range(r.Valores.Column(1), 0, 2), (SampleExtremes{1000.0f, 1000.0f}));
    EXPECT_TRUE(*TablaValores(r, 1) == TracePyramid(r.ValoresPrimario().Column(1)));
}

TEST_F(Reference, RecordOf1991IsLeftAlone)
{
    RecordModel& r = Registro();
    r.AnioRevision = QStringLiteral("1991");
    ElegirReferencia(true);
    EXPECT_EQ(r.Valores(1, 1), 1.0f);
    EXPECT_TRUE(r.FasoresCalculados);
    EXPECT_EQ(avisos, 0);
    EXPECT_FALSE(SecundarioEnVigor());
}

} // namespace
} // namespace vesdra
