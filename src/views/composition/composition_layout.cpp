#include "views/composition/composition_layout.h"

#include <algorithm>

namespace vesdra::composicion {

namespace {
double NoNegativo(double v)
{
    return std::max(0.0, v);
}
} // namespace

namespace {

DisposicionVentana Colocar(double ancho, double ph, double margen, double separacion, double altoZoom,
                           const DisenoVentana& d)
{
    DisposicionVentana v;
    v.Picture1 = {0, 0, NoNegativo(ancho - 1335), NoNegativo(ph)};
    const double pw = v.Picture1.Width;
    ph = v.Picture1.Height;

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

    v.HScroll_Amar = {v.Picture1.Left + pw + 20, v.lblam[6].Top + 30, d.AnchoScrollLateral,
                      d.AltoScrollLateral};
    v.HScroll_Cian = {v.HScroll_Amar.Left, v.lblci[6].Top + 20, d.AnchoScrollLateral, d.AltoScrollLateral};
    return v;
}

// The lowest edge of the rows under the picture.
double FondoFilas(const DisposicionVentana& v)
{
    double f = std::max({v.Label2.Bottom(), v.HScroll_Cian.Bottom(), v.HScroll_Amar.Bottom()});
    for (std::size_t k = 1; k <= 6; ++k)
        f = std::max(f, v.lblci[k].Bottom());
    return f;
}

// The column from the zoom button down, with the print button beside the
// zoom button and the buttons altoBoton high.
void ColumnaCompacta(DisposicionVentana& v, double separacion, double altoBoton)
{
    const double columna = v.cmdzoom.Left;
    const double anchoColumna = v.cmdzoom.Width;
    const double medio = anchoColumna / 2.1;
    v.cmdzoom = {columna, v.cmdzoom.Top, medio, altoBoton};
    v.pctimpresora = {columna + anchoColumna - medio, v.cmdzoom.Top, medio, altoBoton};
    v.cmdadel = {columna, v.cmdzoom.Bottom() + separacion, medio, altoBoton};
    v.cmdatras = {columna + anchoColumna - medio, v.cmdadel.Top, medio, altoBoton};
    v.lblamar.Top = v.cmdadel.Bottom() + separacion;
    v.lblcian.Top = v.lblamar.Bottom() + separacion;
    v.lblms.Top = v.lblcian.Bottom() + separacion;
}

} // namespace

DisposicionVentana CalcularDisposicion(double ancho, double alto, double margen, double separacion,
                                       double altoZoom, const DisenoVentana& d,
                                       std::optional<AreaCliente> cliente)
{
    DisposicionVentana v = Colocar(ancho, alto - 1350, margen, separacion, altoZoom, d);
    if (!cliente)
        return v;

    // The rows under the picture end inside the client area: the picture
    // gives way by what they pass its lower edge.
    const double exceso = FondoFilas(v) - cliente->Alto;
    if (exceso > 0)
        v = Colocar(ancho, v.Picture1.Height - exceso, margen, separacion, altoZoom, d);

    // The column ends at the client area's right edge.
    const double derecha = cliente->Ancho - v.cmdzoom.Left;
    if (v.cmdzoom.Width > derecha) {
        const double anchoColumna = NoNegativo(derecha);
        for (Rect* r : {&v.cmdzoom, &v.lblamar, &v.lblcian, &v.lblms, &v.pctimpresora})
            r->Width = anchoColumna;
        v.cmdadel.Width = v.cmdatras.Width = anchoColumna / 2.1;
        v.cmdatras.Left = v.cmdzoom.Left + anchoColumna - v.cmdatras.Width;
    }

    // The column stays clear of the side-scroll bar under it.
    const double limite = v.HScroll_Amar.Top - separacion;
    if (v.pctimpresora.Bottom() > limite) {
        ColumnaCompacta(v, separacion, altoZoom);
        if (v.lblms.Bottom() > limite) {
            // Only the two button rows can give: the read-outs hold a line.
            const double fijo = v.lblms.Bottom() - v.cmdzoom.Top - 2.0 * altoZoom;
            const double alto2 = std::max(kAltoBotonMinimo, (limite - v.cmdzoom.Top - fijo) / 2.0);
            ColumnaCompacta(v, separacion, std::min(altoZoom, alto2));
        }
    }
    return v;
}

ContenidoBoton ElegirContenidoBoton(double anchoBoton, double anchoTexto, double anchoImagen)
{
    // The button's frame and the room between picture and caption.
    constexpr double margen = 8;
    constexpr double entre = 4;
    if (anchoImagen > 0 && anchoImagen + entre + anchoTexto + margen <= anchoBoton)
        return ContenidoBoton::ImagenYTexto;
    if (anchoTexto + margen <= anchoBoton)
        return ContenidoBoton::Texto;
    return ContenidoBoton::Simbolo;
}

} // namespace vesdra::composicion
