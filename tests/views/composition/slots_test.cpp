#include <gtest/gtest.h>

#include "common/test_support.h"
#include "views/composition/composition_slots.h"

using namespace vesdra::composicion;

namespace {

// Places list line p (channel row p + 1) named by `nombre` into the selected slot.
ResultadoColocar Poner(CasillasComposicion& m, int p, const QString& nombre)
{
    return m.Colocar(p, nombre);
}

} // namespace

TEST(CompositionSlots, LoadingSelectsSlotOneWithAllEmpty)
{
    CasillasComposicion m;
    EXPECT_EQ(m.CasillaActual, 1);
    EXPECT_EQ(m.Marcadores[1], MarcadorSeleccionado);
    EXPECT_EQ(m.Marcadores[2], MarcadorDiseno);
    for (int k = 1; k <= NumCasillas; ++k)
        EXPECT_TRUE(m.Casillas[k].Nombre.isEmpty() && m.Casillas[k].Numero.isEmpty()) << k;
}

TEST(CompositionSlots, PlacingStoresNameAndRowAndAdvancesAcrossCompositions)
{
    CasillasComposicion m;
    const QStringList nombres{"IA", "IB", "IC", "IN", "VA", "VB"};
    for (int p = 0; p < 6; ++p)
        ASSERT_EQ(Poner(m, p, nombres[p]), ResultadoColocar::Colocado);
    EXPECT_EQ(m.Casillas[6].Nombre, "VB");
    EXPECT_EQ(m.Casillas[6].Numero, "6");
    // Slot 6 filled: the selection moves to the first slot of composition 2.
    EXPECT_EQ(m.CasillaActual, 7);
    EXPECT_EQ(m.Marcadores[6], MarcadorLibre);
    EXPECT_EQ(m.Marcadores[7], MarcadorSeleccionado);
    // The same channel may sit in another composition.
    EXPECT_EQ(Poner(m, 0, "IA"), ResultadoColocar::Colocado);
    EXPECT_EQ(m.Casillas[7].Numero, "1");
}

TEST(CompositionSlots, DuplicateRuleComparesOnlyEarlierSlotsOfTheSameComposition)
{
    struct Caso {
        const char* que;
        int seleccion;      // slot selected before the double-click
        const char* nombre; // channel double-clicked
        ResultadoColocar esperado;
    };
    // Slots 1-4 hold IA, IB, IC, IN; slot 8 holds IA.
    const Caso casos[] = {
        {"name in an earlier slot", 5, "IB", ResultadoColocar::Duplicado},
        {"name only in a later slot", 2, "IN", ResultadoColocar::Colocado},
        {"name in the selected slot itself", 3, "IC", ResultadoColocar::Colocado},
        {"comparison is case-sensitive", 5, "ia", ResultadoColocar::Colocado},
        {"other composition not compared", 9, "IB", ResultadoColocar::Colocado},
        {"earlier slot of composition 2", 9, "IA", ResultadoColocar::Duplicado},
    };
    for (const Caso& c : casos) {
        CasillasComposicion m;
        for (const char* n : {"IA", "IB", "IC", "IN"})
            (void)Poner(m, 0, n);
        m.Seleccionar(8);
        (void)Poner(m, 0, "IA");
        m.Seleccionar(c.seleccion);
        const CasillasComposicion antes = m;
        EXPECT_EQ(Poner(m, 3, c.nombre), c.esperado) << c.que;
        if (c.esperado == ResultadoColocar::Duplicado) {
            EXPECT_EQ(m.CasillaActual, antes.CasillaActual) << c.que;
            EXPECT_EQ(m.Casillas[c.seleccion].Nombre, antes.Casillas[c.seleccion].Nombre) << c.que;
        } else {
            EXPECT_EQ(m.Casillas[c.seleccion].Nombre, c.nombre) << c.que;
        }
    }
}

TEST(CompositionSlots, SlotEighteenStaysSelectedAndIsReplaced)
{
    CasillasComposicion m;
    m.Seleccionar(18);
    EXPECT_EQ(Poner(m, 0, "IA"), ResultadoColocar::Colocado);
    EXPECT_EQ(m.CasillaActual, 18);
    EXPECT_EQ(Poner(m, 1, "IB"), ResultadoColocar::Colocado);
    EXPECT_EQ(m.Casillas[18].Nombre, "IB");
    EXPECT_EQ(m.Casillas[18].Numero, "2");
}

TEST(CompositionSlots, DoubleClickWithoutSelectedLineLosesNoSlot)
{
    CasillasComposicion m;
    (void)Poner(m, 0, "IA");
    m.Seleccionar(1);
    EXPECT_EQ(m.Colocar(-1, QString()), ResultadoColocar::SinLinea);
    EXPECT_EQ(m.Casillas[1].Nombre, "IA");
    EXPECT_EQ(m.Casillas[1].Numero, "1");
    EXPECT_EQ(m.CasillaActual, 1);
}

TEST(CompositionSlots, SelectingAndEmptying)
{
    CasillasComposicion m;
    EXPECT_FALSE(m.Seleccionar(0));
    EXPECT_FALSE(m.Seleccionar(19));
    EXPECT_EQ(m.CasillaActual, 1);
    (void)Poner(m, 0, "IA");
    (void)Poner(m, 1, "IB");
    m.Vaciar(1);
    EXPECT_TRUE(m.Casillas[1].Nombre.isEmpty() && m.Casillas[1].Numero.isEmpty());
    EXPECT_EQ(m.CasillaActual, 1);
    EXPECT_EQ(m.Marcadores[3], MarcadorLibre);
    EXPECT_EQ(m.Marcadores[1], MarcadorSeleccionado);
}

TEST(CompositionSlots, NameWarningsForTemplateSeparators)
{
    EXPECT_EQ(AvisosNombre("IA"), std::vector<std::int32_t>{});
    EXPECT_EQ(AvisosNombre("I%A"), std::vector<std::int32_t>{176});
    EXPECT_EQ(AvisosNombre("I$A"), std::vector<std::int32_t>{177});
    EXPECT_EQ(AvisosNombre("$I%A"), (std::vector<std::int32_t>{176, 177}));
}

TEST(CompositionSlots, DialogClosesUpWithoutReferenceFrame)
{
    const DisposicionDialogo d91 = CalcularDisposicionDialogo(false);
    EXPECT_FALSE(d91.MuestraReferencia);
    EXPECT_DOUBLE_EQ(d91.AnchoInterior, 11880 - 1695);
    EXPECT_DOUBLE_EQ(d91.OkTop, 3300);
    EXPECT_DOUBLE_EQ(d91.CancelTop, 3300);
    EXPECT_DOUBLE_EQ(d91.OkLeft, 2130);
    EXPECT_DOUBLE_EQ(d91.CancelLeft, 6607.5);

    const DisposicionDialogo d97 = CalcularDisposicionDialogo(true);
    EXPECT_TRUE(d97.MuestraReferencia);
    EXPECT_DOUBLE_EQ(d97.AnchoInterior, 11880);
    EXPECT_DOUBLE_EQ(d97.OkLeft, 10080);
}
