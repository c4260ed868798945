#include <gtest/gtest.h>

#include "common/test_support.h"
#include "platform/base/vb_error.h"
#include "record/record_model.h"
#include "shell/shell_state.h"
#include "templates/template_state.h"
#include "views/digital/digital_selection.h"

using namespace vesdra;

namespace {

Matrix<QString> TablaGrupos(const std::vector<QString>& cuentas)
{
    Matrix<QString> t(static_cast<std::int32_t>(cuentas.size()), 2);
    for (std::int32_t g = 1; g <= t.Rows(); ++g) {
        t(g, 1) = QStringLiteral("Grupo %1").arg(g);
        t(g, 2) = cuentas[static_cast<size_t>(g - 1)];
    }
    return t;
}

class SeleccionDigital : public ::testing::Test
{
protected:
    void SetUp() override
    {
        Digitales() = {};
        TemplateState& p = Plantillas();
        p.TablaGruposDigitales = TablaGrupos({" 4 ", "2", "5"});
        p.NumGruposDigitales = 3;
        p.TablaMiembrosDigitales.Resize(11, 2);
        for (std::int32_t m = 1; m <= 11; ++m) {
            p.TablaMiembrosDigitales(m, 1) = QString::number(20 - m); // channel numbers out of row order
            p.TablaMiembrosDigitales(m, 2) = QStringLiteral("M%1").arg(m);
        }
    }
    void TearDown() override
    {
        Plantillas() = {};
        Registro() = {};
        Digitales() = {};
    }
};

} // namespace

TEST(RangoGrupoDigital, MembersOfEachGroupFollowThoseOfTheGroupsBefore)
{
    struct Caso {
        std::vector<QString> cuentas;
        std::int32_t g;
        RangoGrupo esperado;
    };
    const std::vector<Caso> casos = {
        {{"4", "2", "5"}, 1, {1, 4, 4}},
        {{"4", "2", "5"}, 2, {5, 6, 2}},
        {{"4", "2", "5"}, 3, {7, 11, 5}},
        {{"6", "3"}, 2, {7, 9, 3}},
        // An empty group: the range is empty but still starts at a real row.
        {{"4", "0", "5"}, 2, {5, 4, 0}},
        {{"0"}, 1, {1, 0, 0}},
    };
    for (const Caso& c : casos) {
        EXPECT_EQ(CalcularRangoGrupo(TablaGrupos(c.cuentas), c.g), c.esperado) << "group " << c.g;
    }
}

TEST(RangoGrupoDigital, BadCountsAndGroupsOutsideTheTableAreErrors)
{
    const auto numero = [](const std::vector<QString>& cuentas, std::int32_t g) {
        try {
            (void)CalcularRangoGrupo(TablaGrupos(cuentas), g);
        } catch (const VbError& e) {
            return e.Number;
        }
        return 0;
    };
    EXPECT_EQ(numero({"4", "x", "5"}, 3), vberr::TypeMismatch); // an earlier group's count
    EXPECT_EQ(numero({"4", ""}, 2), vberr::TypeMismatch);
    EXPECT_EQ(numero({"4"}, 2), vberr::SubscriptOutOfRange);
    EXPECT_EQ(numero({"4"}, 0), vberr::SubscriptOutOfRange);
    EXPECT_EQ(numero({"2147483647", "5"}, 2), vberr::Overflow);
}

TEST_F(SeleccionDigital, GroupHandoverWritesTheRangeAndLeavesTheOldCompositionRowsUnread)
{
    DigitalState& d = Digitales();
    // An earlier composition of two channels.
    d.ListaDigitales.UltimaFila = 3;
    d.ListaDigitales.Fila(2) = {7, "viejo 7"};
    d.ListaDigitales.Fila(3) = {8, "viejo 8"};

    EscribirSeleccionGrupo(3, 2);
    EXPECT_EQ(d.PrimerMiembro, 7);
    EXPECT_EQ(d.UltimoMiembro, 11);
    EXPECT_EQ(d.NumFilasDigitales, 5);
    EXPECT_EQ(d.GrupoElegido, "Grupo 3");
    EXPECT_EQ(d.AnalogicoElegido, 2);
    EXPECT_EQ(d.ModoDigital, 1);
    EXPECT_EQ(d.ListaDigitales.UltimaFila, 0);
    EXPECT_EQ(d.ListaDigitales.Fila(2).Nombre, "viejo 7");

    const std::vector<FilaDigitalVista> filas = FilasDigitalesElegidas();
    ASSERT_EQ(filas.size(), 5u);
    EXPECT_EQ(filas.front(), (FilaDigitalVista{13, "M7"}));
    EXPECT_EQ(filas.back(), (FilaDigitalVista{9, "M11"}));
}

TEST_F(SeleccionDigital, FailedGroupHandoverWritesNothing)
{
    Plantillas().TablaGruposDigitales(1, 2) = "cuatro";
    Digitales().AnalogicoElegido = 4;
    EXPECT_THROW(EscribirSeleccionGrupo(2, 1), VbError);
    EXPECT_EQ(Digitales().AnalogicoElegido, 4);
    EXPECT_EQ(Digitales().ModoDigital, 0);
}

TEST_F(SeleccionDigital, RowsOfAnEmptyGroupAndOfACompositionHandover)
{
    Plantillas().TablaGruposDigitales(2, 2) = "0";
    EscribirSeleccionGrupo(2, 1);
    EXPECT_TRUE(FilasDigitalesElegidas().empty());
    EXPECT_NE(Digitales().PrimerMiembro + Digitales().UltimoMiembro, 0); // still group mode

    DigitalState& d = Digitales();
    d.PrimerMiembro = d.UltimoMiembro = 0;
    d.ListaDigitales.UltimaFila = 3;
    d.ListaDigitales.Fila(2) = {5, "cinco"};
    d.ListaDigitales.Fila(3) = {1, "uno"};
    EXPECT_EQ(FilasDigitalesElegidas(), (std::vector<FilaDigitalVista>{{5, "cinco"}, {1, "uno"}}));
    d.ListaDigitales.UltimaFila = 1; // a composition without channels
    EXPECT_TRUE(FilasDigitalesElegidas().empty());
    d.ListaDigitales.UltimaFila = 99;
    EXPECT_THROW((void)FilasDigitalesElegidas(), VbError);
}

TEST_F(SeleccionDigital, MemberRowsBeyondTheMemberTableAreASubscriptError)
{
    Plantillas().TablaMiembrosDigitales.Resize(8, 2, "1");
    EscribirSeleccionGrupo(3, 1);
    try {
        (void)FilasDigitalesElegidas();
        FAIL();
    } catch (const VbError& e) {
        EXPECT_EQ(e.Number, vberr::SubscriptOutOfRange);
    }
}

TEST_F(SeleccionDigital, CloseAndUnloadResetWhatTheyOwn)
{
    DigitalState& d = Digitales();
    d.ListaDigitales.UltimaFila = 2;
    d.ListaDigitales.Fila(2) = {3, "tres"};
    EscribirSeleccionGrupo(1, 3);

    LimpiarSeleccionAlDescargar();
    EXPECT_EQ(d.ModoDigital, 0);
    EXPECT_EQ(d.PrimerMiembro, 1); // the view's unload keeps the choice

    d.MarcasGrupo[3] = {2, 1, 0, 0};
    CerrarSeleccionDigital();
    EXPECT_TRUE(d.MarcasGrupo[3].empty()); // the composition's marks are erased
    EXPECT_EQ(d.PrimerMiembro + d.UltimoMiembro + d.NumFilasDigitales + d.AnalogicoElegido + d.ModoDigital,
              0);
    EXPECT_EQ(d.GrupoElegido, "");
    EXPECT_EQ(d.ListaDigitales.UltimaFila, 0); // the group handover set it; closing never touches it
    EXPECT_EQ(d.ListaDigitales.Fila(2).Nombre, "tres");
}

TEST_F(SeleccionDigital, ReferenceSwitchByRevisionSideAndTheSideInForce)
{
    struct Caso {
        const char* revision;
        Referencia lado;
        Lado antes;          // the side in force before (1997)
        float valorEsperado; // 1 of 1991, 2 primary, 3 secondary
        Lado despues;
    };
    const std::vector<Caso> casos = {
        {"1991", Referencia::Primario, Lado::Primario, 1, Lado::Primario},
        {"1991", Referencia::Secundario, Lado::Primario, 1, Lado::Primario},
        {"1997", Referencia::Primario, Lado::Primario, 2, Lado::Primario},
        {"1997", Referencia::Secundario, Lado::Primario, 3, Lado::Secundario},
        {"1997", Referencia::Primario, Lado::Secundario, 2, Lado::Primario},
        {"1997", Referencia::Secundario, Lado::Secundario, 3, Lado::Secundario},
        {"1997", Referencia::Ninguna, Lado::Secundario, 3, Lado::Secundario},
        {"1997 ", Referencia::Secundario, Lado::Primario, 3,
         Lado::Secundario}, // blanks round it: 1997 all the same
    };
    for (const Caso& c : casos) {
        RecordModel& r = Registro();
        r.AnioRevision = c.revision;
        r.Valores = Matrix<float>(3, 2, 1.0f);
        r.ValoresOtroLado.Clear();
        r.LadoEnVigor = Lado::Primario;
        if (r.Es1997())
            PonerLados(r, Matrix<float>(3, 2, 2.0f), Matrix<float>(3, 2, 3.0f), c.antes);
        ElegirReferencia(c.lado);
        SCOPED_TRACE(std::string(c.revision) + " side " + std::to_string(static_cast<int>(c.lado)));
        EXPECT_EQ(r.Valores(3, 2), c.valorEsperado);
        EXPECT_EQ(r.Valores.Rows(), 3);
        EXPECT_EQ(r.LadoEnVigor, c.despues);
    }
}
