#include <gtest/gtest.h>

#include "common/test_support.h"
#include "views/digital/digital_geometry.h"
#include "views/digital/digital_zoom.h"

using namespace vesdra::digital;

namespace {

constexpr double W = 15260; // picture width of a 1024-pixel screen
constexpr std::int32_t nS = 1000;

NivelDigital Completo()
{
    return {1, nS, 1, W, EscalaCompleta(W, nS)};
}

} // namespace

TEST(ZoomDigital, ZoomTakesTheStretchBetweenTheCursorsWhicheverIsLeft)
{
    HistorialDigital h;
    h.Reiniciar(Completo());
    const PasoZoom a = h.Zoom(600, 200, W);
    ASSERT_FALSE(a.Rechazado());
    EXPECT_EQ(*a.Nivel, (NivelDigital{200, 600, 200, W - 200, (W - 1400) / 400}));
    // The stretch's ends land on the axis and on the right end of the axis lines.
    EXPECT_DOUBLE_EQ(XMuestra(200, a.Nivel->Origen, a.Nivel->EscalaX), XEje);
    EXPECT_DOUBLE_EQ(XMuestra(600, a.Nivel->Origen, a.Nivel->EscalaX), XDerecha(W));

    HistorialDigital h2;
    h2.Reiniciar(Completo());
    EXPECT_EQ(*h2.Zoom(200, 600, W).Nivel, *a.Nivel);
}

TEST(ZoomDigital, ZoomBackForwardTable)
{
    // Each step: action, cursors (zoom only), the text of a refusal (0 for
    // none), then the level shown and the number of levels stored.
    enum Accion { Zoom, Atras, Adelante };
    struct Paso {
        Accion accion;
        std::int32_t c1, c2;
        std::int32_t texto;
        std::int32_t nivel, niveles;
        std::int32_t primera; // first sample shown afterwards
    };
    const std::vector<Paso> pasos = {
        {Atras, 0, 0, TextoSinAnterior, 0, 1, 1},
        {Adelante, 0, 0, TextoSinPosterior, 0, 1, 1},
        {Zoom, 5, 5, TextoCursoresJuntos, 0, 1, 1},
        {Zoom, 100, 900, 0, 1, 2, 100},
        {Zoom, 200, 300, 0, 2, 3, 200},
        {Atras, 0, 0, 0, 1, 3, 100},
        // A zoom from level 1 is appended after level 2, which stays.
        {Zoom, 150, 160, 0, 3, 4, 150},
        {Atras, 0, 0, 0, 2, 4, 200},
        {Atras, 0, 0, 0, 1, 4, 100},
        {Atras, 0, 0, 0, 0, 4, 1},
        {Atras, 0, 0, TextoSinAnterior, 0, 4, 1},
        {Adelante, 0, 0, 0, 1, 4, 100},
        {Adelante, 0, 0, 0, 2, 4, 200},
        {Adelante, 0, 0, 0, 3, 4, 150},
        {Adelante, 0, 0, TextoSinPosterior, 3, 4, 150},
    };
    HistorialDigital h;
    h.Reiniciar(Completo());
    for (std::size_t i = 0; i < pasos.size(); ++i) {
        const Paso& p = pasos[i];
        SCOPED_TRACE("step " + std::to_string(i));
        const PasoZoom r = p.accion == Zoom    ? h.Zoom(p.c1, p.c2, W)
                           : p.accion == Atras ? h.Atras()
                                               : h.Adelante();
        EXPECT_EQ(r.Texto, p.texto);
        EXPECT_EQ(r.Rechazado(), p.texto != 0);
        EXPECT_EQ(h.NivelZoom(), p.nivel);
        EXPECT_EQ(h.NivelesZoom(), p.niveles);
        EXPECT_EQ(h.Actual().Primera, p.primera);
    }
}

TEST(ZoomDigital, PendingZoomStaysUntilTheNextStepThroughTheHistory)
{
    HistorialDigital h;
    h.Reiniciar(Completo());
    (void)h.Zoom(10, 20, W);
    EXPECT_FALSE(h.ZoomPendiente());
    (void)h.Zoom(12, 12, W);
    EXPECT_TRUE(h.ZoomPendiente());
    (void)h.Atras();
    EXPECT_FALSE(h.ZoomPendiente());
}

TEST(ZoomDigital, ThirtyFirstZoomIsRefusedBeforeAnythingChanges)
{
    HistorialDigital h;
    h.Reiniciar(Completo());
    for (std::int32_t i = 1; i <= 30; ++i)
        ASSERT_FALSE(h.Zoom(i, nS - i, W).Rechazado()) << i;
    EXPECT_EQ(h.NivelesZoom(), vesdra::MaxNivelesZoom);
    EXPECT_TRUE(h.Lleno());
    const NivelDigital antes = h.Actual();
    const PasoZoom r = h.Zoom(40, 50, W);
    EXPECT_TRUE(r.Rechazado());
    EXPECT_EQ(r.Texto, vesdra::TextoHistorialLleno);
    EXPECT_EQ(h.Zoom(45, 45, W).Texto, vesdra::TextoHistorialLleno) << "a full history is said first";
    EXPECT_EQ(h.NivelZoom(), 30);
    EXPECT_EQ(h.Actual(), antes);
    // Every level is reached again.
    for (std::int32_t n = 29; n >= 0; --n) {
        ASSERT_FALSE(h.Atras().Rechazado());
        EXPECT_EQ(h.Actual().Primera, n == 0 ? 1 : n);
    }
    for (std::int32_t n = 1; n <= 30; ++n)
        EXPECT_EQ(h.Adelante().Nivel->Primera, n);
}

TEST(GeometriaDigital, FormSizeFactorsByScreen)
{
    struct Caso {
        std::int32_t pixeles, twips;
        FactoresPantalla f;
    };
    const std::vector<Caso> casos = {
        {640, 15, {1.177, 1.0077}}, {640, 12, {1.177, 1.0077}}, {800, 12, {1.15, 1.0077}},
        {800, 15, {1.1364, 1.005}}, {1024, 12, {1.115, 1.005}}, {1024, 15, {1.104, 1.005}},
        {1920, 15, {1.104, 1.005}},
    };
    for (const Caso& c : casos)
        EXPECT_EQ(AjustarAPantalla(c.pixeles, c.twips), c.f) << c.pixeles << " x " << c.twips;
}

TEST(GeometriaDigital, RowOfControlsRunsLeftToRightUnderThePicture)
{
    // 1024 x 768 at 15 twips per pixel: form height 11520 / 1.104.
    const double alto = 11520 / 1.104;
    const DisposicionVista d = DisponerVista(alto, 15360, AnchosIniciales(false));
    EXPECT_EQ(d.Picture1, (Caja{0, 0, 15260, alto - 900}));
    EXPECT_DOUBLE_EQ(d.HScroll1.Width, 15260.0 / 4);
    EXPECT_DOUBLE_EQ(d.HScroll1.Top, alto - 850);
    EXPECT_DOUBLE_EQ(d.lblizq.Left, 15260.0 / 4 + 50);
    EXPECT_DOUBLE_EQ(d.lblizq.Width, 900);
    EXPECT_DOUBLE_EQ(d.HScroll2.Left, d.lblizq.Right() + 50);
    EXPECT_DOUBLE_EQ(d.lbltiempo.Left, d.lblder.Right() + 50);
    EXPECT_DOUBLE_EQ(d.cmdzoom.Left, d.lbltiempo.Right() + 70);
    EXPECT_DOUBLE_EQ(d.cmdzoom.Width, d.lbltiempo.Width / 1.6);
    EXPECT_DOUBLE_EQ(d.cmdadel.Width, d.cmdzoom.Width / 1.6);
    EXPECT_DOUBLE_EQ(d.pctimpresora.Left, d.cmdatras.Right() + 50);
    // Everything, the P/S indicator included, fits the form's width.
    EXPECT_LT(d.lbl_PS.Right(), 15360 / 1.005 - 120);

    // A 1997 record on an 800-pixel screen narrows the time box, and the
    // buttons after it follow its new width.
    const AnchosFila estrecho = AnchosIniciales(true);
    EXPECT_DOUBLE_EQ(estrecho.lbltiempo, AnchosIniciales(false).lbltiempo * 0.75);
    EXPECT_DOUBLE_EQ(estrecho.cmdzoom, estrecho.lbltiempo / 1.6);
}

TEST(GeometriaDigital, RowsAndNameBoxesFollowThePictureHeight)
{
    EXPECT_EQ(AltoFila(9534), 389); // 9334 / 24 = 388.9
    EXPECT_EQ(AltoFila(212), 0);    // 0.5 rounds to even
    EXPECT_EQ(AltoFila(236), 2);    // 1.5 rounds to even
    const double h = 389;
    // Each name box stands just above its row's base line.
    for (std::int32_t i = 1; i <= 19; ++i) {
        EXPECT_LE(TopNombre(i, h) + AltoNombre, BaseFila(i, h));
        EXPECT_GT(TopNombre(i, h), BaseFila(i - 1, h));
    }
    // A box grows down for two lines where its row holds them, above its
    // base line and clear of the next row's box; else it keeps its height.
    struct {
        double fila, alto, esperado;
    } altos[] = {{600, 450, 450},
                 {555, 450, 450},
                 {554, 450, AltoNombre},
                 {389, 450, AltoNombre},
                 {540, 200, AltoNombre}};
    for (const auto& c : altos) {
        const double alto = AltoCajaNombre(c.fila, c.alto);
        EXPECT_DOUBLE_EQ(alto, c.esperado) << c.fila << " " << c.alto;
        EXPECT_LE(TopNombre(5, c.fila) + alto, BaseFila(5, c.fila) + (alto == AltoNombre ? 0 : 1e-9));
        EXPECT_LT(TopNombre(5, c.fila) + alto, TopNombre(6, c.fila));
    }
    const DisposicionAnalogica a = DisponerTextosAnalogicos();
    EXPECT_LE(a.HScroll_Analog.Bottom(), AltoBandaAnalogica); // all inside the analog band
    const Caja ancha = DisponerBarraNombres(true, 9534, a.HScroll_Analog, false);
    EXPECT_DOUBLE_EQ(ancha.Top, 9534 - AltoBarra - 20);
    EXPECT_DOUBLE_EQ(DisponerBarraNombres(true, 9534, a.HScroll_Analog, true).Top, a.HScroll_Analog.Bottom());
    EXPECT_DOUBLE_EQ(DisponerBarraNombres(false, 9534, a.HScroll_Analog, false).Left, 70);
}
