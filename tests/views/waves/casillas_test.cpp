#include "views/waves/casillas.h"

#include <gtest/gtest.h>

#include "common/test_support.h"
#include "platform/base/vb_error.h"

namespace vesdra {
namespace {

TEST(ChoiceSlots, DoubleClicksFillSlotsSkippingEarlierDuplicates)
{
    CasillasOndas c;
    EXPECT_TRUE(ColocarCanal(c, QStringLiteral("IA"), 1));
    EXPECT_TRUE(ColocarCanal(c, QStringLiteral("IB"), 2));
    EXPECT_EQ(c.Seleccionada, 3);
    // Already in an earlier slot: nothing changes, the selection stays.
    EXPECT_FALSE(ColocarCanal(c, QStringLiteral("IA"), 1));
    EXPECT_EQ(c.Seleccionada, 3);
    EXPECT_TRUE(c.Nombres[3].isEmpty());

    // Standing only in a later slot: placed in the selected slot too.
    VaciarCasilla(c, 1);
    EXPECT_EQ(c.Seleccionada, 1);
    EXPECT_TRUE(ColocarCanal(c, QStringLiteral("IB"), 2));
    EXPECT_EQ(c.Nombres[1], QStringLiteral("IB"));
    EXPECT_EQ(c.Numeros[1], QStringLiteral("2"));

    // At slot 8 the selection stays and the next double-click replaces it.
    c.Seleccionada = 8;
    EXPECT_TRUE(ColocarCanal(c, QStringLiteral("VA"), 5));
    EXPECT_EQ(c.Seleccionada, 8);
    EXPECT_TRUE(ColocarCanal(c, QStringLiteral("VB"), 6));
    EXPECT_EQ(c.Nombres[8], QStringLiteral("VB"));
}

TEST(ChoiceSlots, ChosenRowsCountOncePerRow)
{
    CasillasOndas c;
    c.Nombres[8] = QStringLiteral("VC");
    c.Numeros[8] = QStringLiteral("7");
    c.Nombres[1] = QStringLiteral("IB");
    c.Numeros[1] = QStringLiteral("2");
    c.Nombres[5] = QStringLiteral("IB");
    c.Numeros[5] = QStringLiteral("2");
    c.Nombres[3] = QStringLiteral("  "); // blank name: not chosen, its number unread
    c.Numeros[3] = QStringLiteral("x");
    const Array<std::int32_t> v = CanalesElegidos(c, 8);
    EXPECT_EQ(CuentaElegidos(v), 2);
    EXPECT_EQ(v(2), 1);
    EXPECT_EQ(v(7), 1);

    c.Numeros[5] = QString(); // a name without a number
    try {
        (void)CanalesElegidos(c, 8);
        FAIL();
    } catch (const VbError& e) {
        EXPECT_EQ(e.Number, vberr::TypeMismatch);
    }
    c.Numeros[5] = QStringLiteral("9"); // a row the record does not have
    try {
        (void)CanalesElegidos(c, 8);
        FAIL();
    } catch (const VbError& e) {
        EXPECT_EQ(e.Number, vberr::SubscriptOutOfRange);
    }
}

} // namespace
} // namespace vesdra
