#include "views/waves/waves_fit.h"

#include <algorithm>
#include <array>

#include "platform/base/box_font_size.h"

namespace vesdra {

namespace {

// Places are compared to a tenth of a twip: whole pixels converted back and
// forth must not count as overlaps.
constexpr double kHolgura = 0.1;

bool Dentro(const RectTwips& r, double ancho)
{
    return r.Left >= -kHolgura && r.Right() <= ancho + kHolgura;
}

// The four buttons from `desde` to `hasta`: their design widths and gaps,
// all scaled down alike when they do not fit. False when a button falls
// below the smallest width (they are placed all the same).
bool ColocarBotones(DisposicionOndas& r, double desde, double hasta, double margen)
{
    std::array<RectTwips*, 4> b{&r.cmdzoom, &r.cmdadel, &r.cmdatras, &r.pctimpresora};
    double total = 0.0;
    for (const RectTwips* x : b)
        total += x->Width + margen;
    const double libre = hasta - desde;
    const double f = total > libre ? std::max(0.0, libre) / total : 1.0;
    double x = desde;
    bool legibles = true;
    for (RectTwips* boton : b) {
        x += margen * f;
        boton->Left = x;
        boton->Width *= f;
        x += boton->Width;
        legibles = legibles && boton->Width >= kAnchoMinimoBoton;
    }
    return legibles;
}

// The indicator, as wide as its words and flush right, wherever it
// overlaps nothing: the place the standard layout gives it, the other row's place, or
// (the buttons narrowed to end before it) the standard place again.
bool ColocarIndicador(DisposicionOndas& r, double ancho, std::int32_t numVentanas, double anchoIndicador,
                      const std::array<RectTwips, 4>& botones)
{
    if (anchoIndicador <= 0.0)
        return true;
    r.lbl_PS.Width = anchoIndicador;
    r.lbl_PS.Left = ancho - r.lbl_PS.Width;
    const RectTwips* otros[] = {&r.HScroll1, &r.HScroll2, &r.lblizq,   &r.lblamar,
                                &r.lblder,   &r.lblcian,  &r.lblms,    &r.lblDif,
                                &r.cmdzoom,  &r.cmdadel,  &r.cmdatras, &r.pctimpresora};
    const auto libre = [&] {
        return r.lbl_PS.Left >= -kHolgura &&
               std::none_of(std::begin(otros), std::end(otros),
                            [&](const RectTwips* o) { return SeSolapan(*o, r.lbl_PS); });
    };
    const double filaBotones = r.pctimpresora.Bottom() - r.lbl_PS.Height;
    const double filaLecturas = r.lblizq.Top + 50.0;
    const double estandar = PosicionSegunVentanas(numVentanas, r.lblizq.Top, filaBotones);
    for (const double top : {estandar, estandar == filaBotones ? filaLecturas : filaBotones}) {
        r.lbl_PS.Top = top;
        if (libre())
            return true;
    }
    r.cmdzoom = botones[0];
    r.cmdadel = botones[1];
    r.cmdatras = botones[2];
    r.pctimpresora = botones[3];
    r.lbl_PS.Top = estandar;
    return ColocarBotones(r, r.lblms.Right(), r.lbl_PS.Left - 50.0, MargenSegunVentanas(numVentanas)) &&
           libre();
}

// The buttons after the time boxes, then the indicator.
bool ColocarBotonesEIndicador(DisposicionOndas& r, double ancho, std::int32_t numVentanas,
                              double anchoIndicador)
{
    const std::array<RectTwips, 4> diseno{r.cmdzoom, r.cmdadel, r.cmdatras, r.pctimpresora};
    const bool botones = ColocarBotones(r, r.lblms.Right(), ancho, MargenSegunVentanas(numVentanas));
    return ColocarIndicador(r, ancho, numVentanas, anchoIndicador, diseno) && botones;
}

// The standard layout, the time boxes widened and the buttons narrowed as
// needed. False when the texts do not fit so.
bool AjustarEstandar(DisposicionOndas& r, double ancho, std::int32_t numVentanas,
                     const AnchosLecturasOndas& n, const DisenoOndas& d)
{
    if (r.lblizq.Width + kHolgura < n.Numero || r.lblamar.Width + kHolgura < n.Valor)
        return false;
    const double tiempo = std::max(r.lblms.Width, n.Tiempo);
    r.lblms.Width = r.lblDif.Width = tiempo;
    const double indicador = n.Indicador > 0.0 ? std::max(d.AnchoPS, n.Indicador) : 0.0;
    return ColocarBotonesEIndicador(r, ancho, numVentanas, indicador);
}

// Each box as wide as its texts, the pairs side by side, each cursor bar
// over its pair, the time boxes after them, the buttons in what is left.
bool Compacta(DisposicionOndas& r, double ancho, std::int32_t numVentanas, const AnchosLecturasOndas& n,
              const DisenoOndas& d)
{
    constexpr double hueco = 30.0;
    const double fila1 = r.HScroll1.Top;
    const double fila2 = r.lblizq.Top;
    const double alto = r.lblizq.Height;
    r.lblizq = {0.0, fila2, n.Numero, alto};
    r.lblamar = {r.lblizq.Right() + hueco, fila2, n.Valor, alto};
    r.HScroll1 = {0.0, fila1, r.lblamar.Right(), d.AltoScroll};
    r.lblder = {r.HScroll1.Right() + 50.0, fila2, n.Numero, alto};
    r.lblcian = {r.lblder.Right() + hueco, fila2, n.Valor, alto};
    r.HScroll2 = {r.lblder.Left, fila1, r.lblcian.Right() - r.lblder.Left, d.AltoScroll};
    r.lblms = {r.HScroll2.Right() + 50.0, fila1, n.Tiempo, r.lblms.Height};
    r.lblDif = {r.lblms.Left, fila2, n.Tiempo, alto};
    return ColocarBotonesEIndicador(r, ancho, numVentanas, n.Indicador);
}

bool TodoDentro(const DisposicionOndas& r, double ancho)
{
    for (const RectTwips* x : {&r.HScroll1, &r.HScroll2, &r.lblizq, &r.lblamar, &r.lblder, &r.lblcian,
                               &r.lblms, &r.lblDif, &r.cmdzoom, &r.cmdadel, &r.cmdatras, &r.pctimpresora}) {
        if (!Dentro(*x, ancho))
            return false;
    }
    return true;
}

} // namespace

int PixelesTesela(std::span<const int> propios)
{
    int px = kPixelesFuenteMaximos;
    for (const int p : propios) {
        if (p > 0)
            px = std::min(px, p);
    }
    return px;
}

bool SeSolapan(const RectTwips& a, const RectTwips& b)
{
    return a.Left < b.Right() - kHolgura && b.Left < a.Right() - kHolgura && a.Top < b.Bottom() - kHolgura &&
           b.Top < a.Bottom() - kHolgura;
}

DisposicionOndasEntera ColocarControlesOndasEnteras(double ancho, double alto, std::int32_t numVentanas,
                                                    int pxMaximo, const MedidaLecturasOndas& medir,
                                                    const DisenoOndas& d)
{
    const int minimo = std::min(pxMaximo, kPixelesFuenteMinimos);
    for (int px = pxMaximo; px >= minimo; --px) {
        DisposicionOndas r = ColocarControlesOndas(ancho, alto, numVentanas, d);
        if (AjustarEstandar(r, ancho, numVentanas, medir(px), d) && TodoDentro(r, ancho))
            return {r, px};
    }
    for (int px = pxMaximo; px >= minimo; --px) {
        DisposicionOndas r = ColocarControlesOndas(ancho, alto, numVentanas, d);
        if (Compacta(r, ancho, numVentanas, medir(px), d) && TodoDentro(r, ancho))
            return {r, px};
    }
    DisposicionOndas r = ColocarControlesOndas(ancho, alto, numVentanas, d);
    (void)Compacta(r, ancho, numVentanas, medir(minimo), d);
    return {r, minimo};
}

DisposicionTodoEntera ColocarControlesTodoEnteras(double ancho, double alto, int pxMaximo,
                                                  const MedidaLecturasTodo& medir, const DisenoTodo& d)
{
    const int minimo = std::min(pxMaximo, kPixelesFuenteMinimos);
    const DisposicionTodo estandar = ColocarControlesTodo(ancho, alto, d);
    const auto ponerIndicador = [&](DisposicionTodo& r, const AnchosLecturasTodo& n) {
        r.lbl_PS.Left = r.pctimpresora.Right() + 50.0;
        r.lbl_PS.Width = std::max(d.AnchoPS, n.Indicador);
    };
    const auto cabe = [&](const DisposicionTodo& r, const AnchosLecturasTodo& n) {
        return r.lblam.Width + kHolgura >= n.Numero && r.lblms.Width + kHolgura >= n.Tiempo &&
               (n.Indicador <= 0.0 ? r.pctimpresora.Right() : r.lbl_PS.Right()) <= ancho + kHolgura;
    };
    for (int px = pxMaximo; px >= minimo; --px) {
        const AnchosLecturasTodo n = medir(px);
        DisposicionTodo r = estandar;
        ponerIndicador(r, n);
        if (cabe(r, n))
            return {r, px};
    }
    // The boxes take their texts' width; the bars share the rest.
    const auto elastica = [&](const AnchosLecturasTodo& n) {
        DisposicionTodo r = estandar;
        const double numero = std::max(estandar.lblam.Width, n.Numero);
        const double tiempo = std::max(estandar.lblms.Width, n.Tiempo);
        const double botones = r.pctimpresora.Right() - r.cmdzoom.Left;
        const double indicador = n.Indicador > 0.0 ? 50.0 + std::max(d.AnchoPS, n.Indicador) : 0.0;
        // bar, 100, box, 100, bar, 100, box, 100, time, 100, buttons, indicator
        const double fijo = 2.0 * numero + tiempo + 5.0 * 100.0 + botones + indicador;
        const double barra = std::min(estandar.HScroll1.Width, (ancho - fijo) / 2.0);
        const double top = r.HScroll1.Top;
        r.HScroll1 = {0.0, top, barra, d.AltoScroll};
        r.lblam = {r.HScroll1.Right() + 100.0, top, numero, d.AltoLectura};
        r.HScroll2 = {r.lblam.Right() + 100.0, top, barra, d.AltoScroll};
        r.lblci = {r.HScroll2.Right() + 100.0, top, numero, d.AltoLectura};
        r.lblms = {r.lblci.Right() + 100.0, top, tiempo, d.AltoLectura};
        const double corrimiento = r.lblms.Right() + 100.0 - r.cmdzoom.Left;
        for (RectTwips* b : {&r.cmdzoom, &r.cmdadel, &r.cmdatras, &r.pctimpresora})
            b->Left += corrimiento;
        ponerIndicador(r, n);
        return r;
    };
    for (int px = pxMaximo; px >= minimo; --px) {
        const AnchosLecturasTodo n = medir(px);
        DisposicionTodo r = elastica(n);
        if (r.HScroll1.Width >= kAnchoMinimoBarra && cabe(r, n))
            return {r, px};
    }
    DisposicionTodo r = elastica(medir(minimo));
    r.HScroll1.Width = r.HScroll2.Width = std::max(0.0, r.HScroll1.Width);
    return {r, minimo};
}

} // namespace vesdra
