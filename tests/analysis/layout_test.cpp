#include <gtest/gtest.h>

#include <array>

#include "analysis/phasor_selection.h"
#include "analysis/view_layout.h"

namespace vesdra {
namespace {

void ExpectRect(const RectTwipsSingle& r, float left, float top, float width, float height, const char* what)
{
    EXPECT_FLOAT_EQ(r.Left, left) << what;
    EXPECT_FLOAT_EQ(r.Top, top) << what;
    EXPECT_FLOAT_EQ(r.Width, width) << what;
    EXPECT_FLOAT_EQ(r.Height, height) << what;
}

TEST(CalcularDisposicion, SequenceViewOf9000By6300)
{
    const DisposicionVista d = CalcularDisposicion(9000, 6300, EstiloDisposicion::Secuencias);
    ExpectRect(d.Picture1, 0, 0, 9000, 4032, "Picture1");
    ExpectRect(d.HScroll1, 0, 4077, 3000, 300, "HScroll1");
    ExpectRect(d.lblNumero, 0, 4477, 3000, 195, "lblNumero");
    ExpectRect(d.cmdmas, 0, 4867, 735, 495, "cmdmas");
    ExpectRect(d.cmdmenos, 835, 4867, 735, 495, "cmdmenos");
    ExpectRect(d.lblzoom, 0, 5462, 1575, 255, "lblzoom");
    ExpectRect(d.pctimpresora, 0, 5717, 1575, 495, "pctimpresora");
    const float muestras[] = {4077, 4422, 4767, 5112, 5457, 5802};
    const float valores[] = {4077, 4432, 4777, 5122, 5467, 5812};
    for (size_t i = 0; i < 6; ++i) {
        ExpectRect(d.Muestras[i], 3100, muestras[i], 255, 300, "swatch");
        ExpectRect(d.Valores[i], 3455, valores[i], 5400, 300, "value box");
    }
}

// The phasor view and the sequence view's opening space the legend 35
// twips apart; their value boxes from row 2 on sit 20 twips below the swatch.
TEST(CalcularDisposicion, PhasorViewAndSequenceOpeningLegend)
{
    const DisposicionVista f = CalcularDisposicion(9000, 6300, EstiloDisposicion::Fases);
    const DisposicionVista a = CalcularDisposicion(9000, 6300, EstiloDisposicion::AperturaSecuencias);
    EXPECT_EQ(f.Picture1, a.Picture1);
    EXPECT_EQ(f.pctimpresora, a.pctimpresora);
    const float muestras[] = {4067, 4402, 4737, 5072, 5407, 5742};
    const float valores[] = {4067, 4422, 4757, 5092, 5427, 5762};
    for (size_t i = 0; i < 6; ++i) {
        ExpectRect(f.Muestras[i], 3100, muestras[i], 255, 300, "phasor swatch");
        ExpectRect(a.Muestras[i], 3000, muestras[i], 255, 300, "opening swatch");
        ExpectRect(f.Valores[i], 3455, valores[i], 5400, 300, "phasor value");
        EXPECT_EQ(a.Valores[i], f.Valores[i]);
    }
}

TEST(CalcularDisposicion, SizesOfATinyFormAreClampedAtZero)
{
    for (const auto estilo : {EstiloDisposicion::Fases, EstiloDisposicion::Secuencias}) {
        const DisposicionVista d = CalcularDisposicion(600, -21, estilo);
        EXPECT_EQ(d.Valores[0].Width, 0.0f); // 2·200 − 600
        EXPECT_EQ(d.Picture1.Height, 0.0f);
        EXPECT_EQ(d.HScroll1.Height, 0.0f);
        EXPECT_EQ(d.Muestras[5].Height, 0.0f);
        EXPECT_EQ(d.Picture1.Width, 600.0f);
    }
}

TEST(DecidirSeleccion, ValidationMatrix)
{
    using Ticks = std::array<bool, 4>;
    struct Caso {
        Ticks fases, secuencias;
        std::int32_t sets;
        int texto;
        bool descargar, abrirFases, abrirSecuencias;
        std::int32_t modo;
    };
    const Caso casos[] = {
        {{1, 1, 1, 0}, {0, 0, 0, 0}, 4, 81, false, false, false, 0},
        {{1, 0, 0, 0}, {1, 1, 1, 0}, 4, 81, false, false, false, 0},
        {{0, 0, 0, 0}, {0, 0, 0, 0}, 0, 247, true, false, false, 0},
        {{0, 0, 0, 0}, {0, 0, 0, 0}, 4, 82, false, false, false, 0},
        {{1, 0, 1, 0}, {0, 0, 0, 0}, 4, 0, true, true, false, 1},
        {{0, 0, 0, 0}, {0, 1, 0, 0}, 2, 0, true, false, true, 1},
        {{1, 1, 0, 0}, {1, 0, 0, 0}, 2, 0, true, true, true, 2},     // the same set in both columns
        {{0, 0, 1, 1}, {0, 0, 0, 0}, 2, 82, false, false, false, 0}, // boxes past the sets
    };
    for (const Caso& c : casos) {
        const DecisionSeleccion d = DecidirSeleccion(c.fases, c.secuencias, c.sets);
        EXPECT_EQ(d.Texto, c.texto);
        EXPECT_EQ(d.Descargar, c.descargar);
        EXPECT_EQ(d.AbrirFases, c.abrirFases);
        EXPECT_EQ(d.AbrirSecuencias, c.abrirSecuencias);
        EXPECT_EQ(d.ModoVistas, c.modo);
        EXPECT_EQ(d.SeleccionFases.size(), static_cast<size_t>(c.sets + 1));
    }
}

TEST(DecidirSeleccion, SelectionsCountAndMarkTheTickedSets)
{
    const bool fases[] = {false, true, false, true};
    const bool secuencias[] = {false, true, false, false};
    const DecisionSeleccion d = DecidirSeleccion(fases, secuencias, 4);
    EXPECT_EQ(d.SeleccionFases, (std::vector<std::int32_t>{2, 0, 1, 0, 1}));
    EXPECT_EQ(d.SeleccionSecuencias, (std::vector<std::int32_t>{1, 0, 1, 0, 0}));
}

} // namespace
} // namespace vesdra
