#include "views/digital/digital_geometry.h"

#include <algorithm>

#include "platform/base/numeric.h"

namespace vesdra::digital {

namespace {

// Design widths of the row's boxes; the build narrows them once.
constexpr double DisenoIzqDer = 1260;
constexpr double DisenoTiempo = 1650;
constexpr double DisenoPS = 1000;

} // namespace

std::int32_t AltoFila(double altoPicture)
{
    return CInt((altoPicture - 200) / 24);
}

double EscalaCompleta(double anchoPicture, std::int32_t nS)
{
    // nS of 0 cannot reach a view (no samples, no digital channels); keep
    // the scale finite anyway.
    return (anchoPicture - MargenDerecho - XEje) / (nS > 0 ? nS : 1);
}

std::int32_t CasoPantalla(std::int32_t anchoPixeles, std::int32_t twipsPorPixel)
{
    if (anchoPixeles == 640)
        return 1;
    if (twipsPorPixel == 12)
        return anchoPixeles == 800 ? 2 : 3;
    return anchoPixeles == 800 ? 4 : 5;
}

FactoresPantalla FactoresCaso(std::int32_t caso)
{
    switch (caso) {
    case 1:
        return {1.177, 1.0077};
    case 2:
        return {1.15, 1.0077};
    case 3:
        return {1.115, 1.005};
    case 4:
        return {1.1364, 1.005};
    default:
        return {1.104, 1.005};
    }
}

FactoresPantalla AjustarAPantalla(std::int32_t anchoPixeles, std::int32_t twipsPorPixel)
{
    return FactoresCaso(CasoPantalla(anchoPixeles, twipsPorPixel));
}

AnchosFila AnchosIniciales(bool estrecharTiempo)
{
    AnchosFila a;
    a.lblizq = DisenoIzqDer / 1.4;
    a.lblder = DisenoIzqDer / 1.4;
    a.lbltiempo = DisenoTiempo / 1.1;
    if (estrecharTiempo)
        a.lbltiempo *= 0.75;
    a.cmdzoom = a.lbltiempo / 1.6;
    a.cmdadel = a.cmdzoom / 1.6;
    a.cmdatras = a.cmdadel;
    a.pctimpresora = a.cmdzoom / 1.6;
    a.lbl_PS = DisenoPS;
    return a;
}

AnchosFila AnchosParaTextos(AnchosFila a, double muestra, double tiempo, double indicador)
{
    a.lblizq = std::max(a.lblizq, muestra);
    a.lblder = std::max(a.lblder, muestra);
    a.lbltiempo = std::max(a.lbltiempo, tiempo);
    a.lbl_PS = std::max(a.lbl_PS, indicador);
    return a;
}

DisposicionVista DisponerVista(double altoFormulario, double pantallaAncho, const AnchosFila& a,
                               double anchoCliente)
{
    DisposicionVista d;
    d.Picture1 = {0, 0, pantallaAncho - 100, altoFormulario - 900};
    const double fila = d.Picture1.Height + 50;
    double anchoCursor = (pantallaAncho - 100) / 4;
    if (anchoCliente > 0) {
        // bar, 50, box, 50, bar, 50, box, 50, time, 70, four buttons with
        // 50 between, 50, indicator
        const double resto = 50 + a.lblizq + 50 + 50 + a.lblder + 50 + a.lbltiempo + 70 + a.cmdzoom + 50 +
                             a.cmdadel + 50 + a.cmdatras + 50 + a.pctimpresora + 50 + a.lbl_PS;
        const double exceso = 2 * anchoCursor + resto - anchoCliente;
        if (exceso > 0)
            anchoCursor = std::max(AnchoMinimoBarraCursor, anchoCursor - exceso / 2);
    }
    d.HScroll1 = {0, fila, anchoCursor, AltoBarra};
    d.lblizq = {d.HScroll1.Width + 50, fila, a.lblizq, AltoTexto};
    d.HScroll2 = {d.lblizq.Right() + 50, fila, anchoCursor, AltoBarra};
    d.lblder = {d.HScroll2.Right() + 50, fila, a.lblder, AltoTexto};
    d.lbltiempo = {d.lblder.Right() + 50, fila, a.lbltiempo, AltoTexto};
    d.cmdzoom = {d.lbltiempo.Right() + 70, fila, a.cmdzoom, AltoBoton};
    d.cmdadel = {d.cmdzoom.Right() + 50, fila, a.cmdadel, AltoBoton};
    d.cmdatras = {d.cmdadel.Right() + 50, fila, a.cmdatras, AltoBoton};
    d.pctimpresora = {d.cmdatras.Right() + 50, fila, a.pctimpresora, AltoBoton};
    d.lbl_PS = {d.pctimpresora.Right() + 50, fila, a.lbl_PS, AltoTexto};
    return d;
}

DisposicionAnalogica DisponerTextosAnalogicos()
{
    DisposicionAnalogica d;
    d.lblanalog = {50, 0, AnchoTextoAnalogico, AltoTexto};
    d.lblamar = {50, d.lblanalog.Bottom() + 10, AnchoTextoAnalogico, AltoTexto};
    d.lblcian = {50, d.lblamar.Bottom() + 50, AnchoTextoAnalogico, AltoTexto};
    d.HScroll_Analog = {50, d.lblcian.Bottom() + 20, AnchoTextoAnalogico, AltoBarra};
    return d;
}

Caja DisponerBarraNombres(bool pantallaAncha, double altoPicture, const Caja& hscrollAnalog, bool alCargar)
{
    Caja c;
    c.Height = AltoBarra;
    if (pantallaAncha) {
        c.Left = 0;
        c.Width = AnchoNombre;
        c.Top = altoPicture - c.Height - 20;
    } else {
        c.Left = hscrollAnalog.Left + 20;
        c.Width = AnchoTextoAnalogico;
        c.Top = hscrollAnalog.Bottom();
    }
    if (alCargar)
        c.Top = hscrollAnalog.Bottom();
    return c;
}

double AltoCajaNombre(double altoFila, double alto)
{
    // A box's top stands altoFila - 105 above its row's base line, and the
    // next row's box altoFila below it.
    return alto > AltoNombre && alto <= altoFila - 105 ? alto : AltoNombre;
}

} // namespace vesdra::digital
