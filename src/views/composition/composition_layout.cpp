#include "views/composition/composition_layout.h"

#include <algorithm>

namespace vesdra::composicion {

namespace {
double NoNegativo(double v)
{
    return std::max(0.0, v);
}
} // namespace

DisposicionVentana CalcularDisposicion(double ancho, double alto, double margen, double separacion,
                                       double altoZoom, const DisenoVentana& d)
{
    DisposicionVentana v;
    v.Picture1 = {0, 0, NoNegativo(ancho - 1335), NoNegativo(alto - 1350)};
    const double pw = v.Picture1.Width;
    const double ph = v.Picture1.Height;

    v.marcamar = {0, ph + 50, d.AnchoMarca, d.AltoMarca};
    v.HScroll1 = {v.marcamar.Left + v.marcamar.Width + 50, ph + 50, pw / 2.15, d.AltoScroll};
    v.marcaci = {v.marcamar.Left + v.marcamar.Width + v.HScroll1.Width + 320, v.HScroll1.Top, d.AnchoMarca,
                 d.AltoMarca};
    v.HScroll2 = {v.marcaci.Left + v.marcaci.Width + 50, v.HScroll1.Top, v.HScroll1.Width, d.AltoScroll};

    const double columna = pw + 50;
    const double anchoColumna = NoNegativo(ancho - pw - 200);
    v.cmdzoom = {columna, margen, anchoColumna, altoZoom};
    v.cmdadel = {columna, v.cmdzoom.Top + v.cmdzoom.Height + separacion, anchoColumna / 2.1, altoZoom};
    v.cmdatras = {columna + anchoColumna - v.cmdadel.Width, v.cmdadel.Top, v.cmdadel.Width, altoZoom};

    v.Label1 = {v.Picture1.Left, v.HScroll1.Top + v.HScroll1.Height + 50, 400, d.AltoCabecera};
    v.Label2 = {v.Label1.Left, v.Label1.Top + v.Label1.Height + 30, v.Label1.Width, d.AltoCabecera};
    const double anchoCaja = NoNegativo((pw - v.Label1.Width) / 6.8);
    v.lblam[1] = {v.Label1.Left + v.Label1.Width + 190, v.Label1.Top, anchoCaja, 250};
    v.lblci[1] = {v.lblam[1].Left, v.Label2.Top, anchoCaja, 250};
    for (std::size_t k = 2; k <= 6; ++k) {
        v.lblam[k] = {v.lblam[k - 1].Left + v.lblam[k - 1].Width + 190, v.lblam[k - 1].Top, anchoCaja, 250};
        v.lblci[k] = {v.lblam[k].Left, v.lblci[k - 1].Top, anchoCaja, 250};
    }

    v.lblamar = {columna, v.cmdadel.Top + v.cmdadel.Height + separacion, anchoColumna, d.AltoLectura};
    v.lblcian = {columna, v.lblamar.Top + v.lblamar.Height + separacion, anchoColumna, d.AltoLectura};
    v.lblms = {columna, v.lblcian.Top + v.lblcian.Height + separacion, anchoColumna, d.AltoLectura};
    v.pctimpresora = {columna, v.lblms.Top + v.lblms.Height + separacion, anchoColumna, d.AltoBoton};

    v.HScroll_Amar = {v.Picture1.Left + pw + 20, v.lblam[6].Top + 30, d.AnchoScrollLateral, d.AltoScrollLateral};
    v.HScroll_Cian = {v.HScroll_Amar.Left, v.lblci[6].Top + 20, d.AnchoScrollLateral, d.AltoScrollLateral};
    return v;
}

} // namespace vesdra::composicion
