#include "views/digital/grid_layout.h"

#include <algorithm>
#include <cmath>

#include "views/digital/digital_geometry.h"

namespace vesdra::grid {

namespace {

// How far the members of upper column k (1..8) stand left of its title; the
// column under it takes the same.
constexpr std::array<double, 9> kRetranqueo{0, 0, 15, 35, 65, 85, 105, 125, 145};
// Consecutive labels of a column overlap by this much.
constexpr double kSolape = 16;
// Labels of the taller of the two stacks a band of 20 labels, an empty row
// and a second band need, in label heights and fixed twips:
// 2 x 19 x (h - 16) + 2 h + h.
constexpr double kAltosPorColumna = 41;
constexpr double kFijoColumna = 2 * 19 * kSolape;
// Pixels between the titles of neighbouring columns (their members stand
// up to two pixels closer than a column's width).
constexpr double kHuecoTitulos = 3;

// What the toolkit stores for a value given: whole pixels when rounding.
struct Almacen {
    bool redondear;
    double tx;
    double ty;
    [[nodiscard]] double X(double v) const { return redondear ? std::round(v / tx) * tx : v; }
    [[nodiscard]] double Y(double v) const { return redondear ? std::round(v / ty) * ty : v; }
    [[nodiscard]] double Alto(double v) const { return std::max(0.0, Y(v)); }
    [[nodiscard]] double Ancho(double v) const { return std::max(0.0, X(v)); }
};

// Places the 320 labels with label height h and column width w; returns the
// lowest bottom edge.
double ColocarColumnas(DisposicionGrid& d, const Almacen& a, double h, double w)
{
    double fondo = 0;
    const auto colocarColumna = [&](std::int32_t k, double leftTitulo, double topTitulo, double retranqueo) {
        std::array<RectTwips, 20>& c = d.Etiquetas[static_cast<std::size_t>(k)];
        // The members stand a little left of the column's place, so that the
        // borders of neighbouring columns fall together; the title stands
        // over its members, not drifting right of them column by column.
        // Titles side by side keep a gap, so that two long group names never
        // read as one.
        const double left = a.X(a.X(leftTitulo) - retranqueo);
        c[0] = {left, a.Y(topTitulo), a.Ancho(w - kHuecoTitulos * a.tx), a.Alto(h)};
        for (std::size_t m = 1; m <= 19; ++m) {
            RectTwips& l = c[m];
            l.Height = a.Alto(h);
            l.Width = a.Ancho(w);
            l.Left = left;
            l.Top = a.Y(c[m - 1].Top + l.Height - kSolape);
        }
        fondo = std::max(fondo, c[19].Bottom());
    };
    for (std::int32_t k = 1; k <= 8; ++k) {
        const double anchoColumna = a.Ancho(w);
        const double lugar = (k - 1) * anchoColumna;
        colocarColumna(k, lugar, 0, kRetranqueo[static_cast<std::size_t>(k)]);
        const RectTwips& ultima = d.Etiquetas[static_cast<std::size_t>(k)][19];
        colocarColumna(k + 8, lugar, ultima.Top + 2 * ultima.Height,
                       kRetranqueo[static_cast<std::size_t>(k)]);
    }
    return fondo;
}

// The right-hand stack beside the columns; returns its bottom edge.
double ColocarPila(DisposicionGrid& d, const Almacen& a, bool es1997)
{
    const double h = d.Etiquetas[1][0].Height;
    const double w = d.Etiquetas[1][1].Width; // the column's (its title leaves a gap)
    d.Frame1 = {a.X(8.5 * w), 0, a.Ancho(AnchoFrame1), a.Alto((es1997 ? 14 : 20) * h)};
    const RectTwips* ancla = &d.Frame1;
    d.ColocaFrame3 = es1997;
    if (es1997) {
        d.Frame3 = {d.Frame1.Left, a.Y(d.Frame1.Bottom() + h), a.Ancho(AnchoFrame3), a.Alto(6 * h)};
        ancla = &d.Frame3;
    }
    d.Label101 = {ancla->Left, a.Y(ancla->Bottom() + h), a.Ancho(AnchoLabel101), a.Alto(AltoLabel101)};
    const double ancho102 = a.Ancho(AnchoLabel102);
    d.Label102 = {a.X(ancla->Right() - ancho102), a.Y(d.Label101.Top + h + ancho102 / 3), ancho102,
                  a.Alto(AltoLabel102)};
    d.cmdOK = {ancla->Left, a.Y(d.Label101.Bottom() + h), a.Ancho(AnchoBoton), a.Alto(AltoBoton)};
    d.cmdcancel = {ancla->Left, a.Y(d.cmdOK.Bottom() + h), a.Ancho(AnchoBoton), a.Alto(AltoBoton)};
    d.Label99 = {ancla->Left, a.Y(d.cmdcancel.Bottom() + h), a.Ancho(AnchoLabel99), a.Alto(AltoLabel99)};
    return std::max({d.Label99.Bottom(), d.Label102.Bottom(), ancla->Bottom()});
}

} // namespace

DisposicionGrid AjustarAPantalla(const EntradaDisposicion& e)
{
    const ScreenInfo& s = e.Pantalla;
    const double t = s.TwipsPerPixelX > 0 ? s.TwipsPerPixelX : 15;
    const double pixeles = static_cast<float>(s.WidthTwips / t);
    const auto ancho = pixeles == std::floor(pixeles) ? static_cast<std::int32_t>(pixeles) : 0;

    DisposicionGrid d;
    d.Caso = digital::CasoPantalla(ancho, static_cast<std::int32_t>(t));
    const digital::FactoresPantalla f = digital::FactoresCaso(d.Caso);
    d.AltoFormulario = static_cast<float>(s.HeightTwips / f.Alto);
    d.AnchoFormulario = static_cast<float>(s.WidthTwips / f.Ancho);

    const Almacen a{e.Redondear, t, s.TwipsPerPixelY > 0 ? static_cast<double>(s.TwipsPerPixelY) : t};
    // Crossed on purpose: the label height from the form's width, the
    // column width from its height.
    d.AnchoColumna = static_cast<float>(d.AltoFormulario / 7);
    d.AltoEtiqueta = static_cast<float>(d.AnchoFormulario / 63);

    // On a 4:3 screen the two bands fit the form's height. On a wider one
    // that label height would run the lower band off the bottom: the labels
    // take the height there is (a pixel less at a time while what the
    // toolkit stores still runs over).
    const double util = d.AltoFormulario - e.AltoMarco;
    const auto colocar = [&] {
        const double fondoColumnas = ColocarColumnas(d, a, d.AltoEtiqueta, d.AnchoColumna);
        return std::max(fondoColumnas, ColocarPila(d, a, e.Es1997));
    };
    double fondo = colocar();
    // Likewise a screen narrower than 4:3 (or large fonts on a small one)
    // would put the right-hand stack beside column 8 off the right edge:
    // the columns are then made as wide as the width allows.
    const double utilAncho = d.AnchoFormulario - e.AnchoMarco;
    const auto derecha = [&d] { return std::max(d.Frame1.Right(), d.ColocaFrame3 ? d.Frame3.Right() : 0.0); };
    if (derecha() > utilAncho) {
        d.AnchoColumna = std::min<double>(d.AnchoColumna, (utilAncho - AnchoFrame1) / 8.5);
        fondo = colocar();
        for (int i = 0; i < 64 && derecha() > utilAncho && d.AnchoColumna > a.tx; ++i) {
            d.AnchoColumna -= a.tx;
            fondo = colocar();
        }
    }
    if (fondo > util) {
        d.AltoEtiqueta = std::min<double>(d.AltoEtiqueta, (util + kFijoColumna) / kAltosPorColumna);
        fondo = colocar();
        for (int i = 0; i < 64 && fondo > util && d.AltoEtiqueta > a.ty; ++i) {
            d.AltoEtiqueta -= a.ty;
            fondo = colocar();
        }
    }
    return d;
}

} // namespace vesdra::grid
