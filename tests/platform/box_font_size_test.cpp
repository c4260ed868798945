#include <QLineEdit>
#include <gtest/gtest.h>

#include "common/test_support.h"
#include "platform/base/box_font_size.h"
#include "platform/text_box.h"

namespace vesdra {
namespace {

// A font whose every character is 0.6 px wide per pixel of size and whose
// line is 1.2 px high per pixel: 10 characters at 10 px take 60 px.
MedidorTexto Fijo()
{
    return {[](int px, const QString& t) { return 0.6 * px * t.size(); }, [](int px) { return 1.2 * px; }};
}

TEST(TextFit, SizeFromTheHeightThenLoweredUntilEveryTextFits)
{
    const MargenesCaja m{8.0, 4.0};
    struct Caso {
        const char* que;
        double ancho, alto;
        QStringList textos;
        int px;
    };
    const Caso casos[] = {
        // 19 high leaves 15: 12 px (14.4 high) is the largest line.
        {"room to spare: the height decides", 200, 19, {"0.000 ms"}, 12},
        {"a taller box takes a larger font", 200, 31, {"0.000 ms"}, 22},
        // 10 characters need 6 px per size pixel plus 8: 12 px gives 80.
        {"exactly wide enough", 80, 19, {"320.833 ms"}, 12},
        {"one pixel short drops a size", 79, 19, {"320.833 ms"}, 11},
        {"the widest text decides", 65, 19, {"1.0 ms", "99999.999 ms"}, 8},
        {"never below the smallest size", 30, 19, {"99999.999 ms"}, kPixelesFuenteMinimos},
        {"a box lower than the smallest line keeps the smallest", 200, 6, {"x"}, kPixelesFuenteMinimos},
        {"no text: the height alone", 50, 19, {}, 12},
    };
    for (const Caso& c : casos)
        EXPECT_EQ(PixelesCaja(c.ancho, c.alto, c.textos, Fijo(), m), c.px) << c.que;
    EXPECT_DOUBLE_EQ(AnchoNecesario({"ab", "abcd"}, 10, Fijo(), m), 24.0 + 8.0);
    EXPECT_TRUE(CabenEnCaja(32, {"ab", "abcd"}, 10, Fijo(), m));
    EXPECT_FALSE(CabenEnCaja(31.9, {"ab", "abcd"}, 10, Fijo(), m));
}

TEST(TextFit, ABoxGivenItsFontShowsItsWidestTextWhole)
{
    // A waveform read-out of the 8-window tile: 85 x 19 pixels.
    for (const QString& texto : {QStringLiteral("-2070.500 A"), QStringLiteral("SECUNDARIO"),
                                 QStringLiteral("99999.999 ms"), QStringLiteral("No.: 10000000")}) {
        QLineEdit caja;
        caja.setReadOnly(true);
        caja.resize(85, 19);
        caja.setText(texto);
        const int px = AjustarFuenteCaja(caja, {texto});
        EXPECT_GE(px, kPixelesFuenteMinimos);
        EXPECT_TRUE(MuestraEntero(caja, texto)) << texto.toStdString() << " at " << px;
        EXPECT_TRUE(test::TextoEnteroEnCaja(caja)) << texto.toStdString() << " at " << px;
        // One size larger would no longer fit (the box takes the largest).
        if (px < PixelesPorAlto(19, MedidorDeFuente(caja.font()), MargenesDe(caja))) {
            EXPECT_GT(AnchoNecesarioCaja(caja, {texto}, px + 1), 85) << texto.toStdString();
        }
    }
}

TEST(TextFit, TheRenderCheckSeesACutText)
{
    QLineEdit caja;
    caja.setReadOnly(true);
    caja.resize(40, 19);
    FijarPixelesFuente(caja, 12);
    caja.setText(QStringLiteral("99999.999 ms"));
    EXPECT_FALSE(MuestraEntero(caja, caja.text()));
    EXPECT_FALSE(test::TextoEnteroEnCaja(caja));
    caja.setText(QStringLiteral("1"));
    EXPECT_TRUE(test::TextoEnteroEnCaja(caja));
}

// One unit a character: widths are counts.
} // namespace
} // namespace vesdra
