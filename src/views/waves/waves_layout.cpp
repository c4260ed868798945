#include "views/waves/waves_layout.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "platform/base/numeric.h"

namespace vesdra {

namespace {

double NoNegativo(double v)
{
    return std::max(0.0, v);
}

bool PocasVentanas(std::int32_t numVentanas)
{
    return std::abs(static_cast<std::int64_t>(numVentanas)) <= 3;
}

} // namespace

Mosaico MosaicoVentanas(std::int32_t n, std::int32_t altoTotal, std::int32_t anchoTotal)
{
    Mosaico m;
    if (n < 1)
        return m;
    if (n <= 3) {
        m.Filas = n;
        m.Columnas = 1;
    } else if (n <= 6) {
        m.Filas = 3;
        m.Columnas = 2;
    } else {
        m.Filas = 4;
        m.Columnas = 2;
    }
    m.Alto = n == 1 ? altoTotal : CInt(static_cast<double>(altoTotal) / m.Filas);
    m.Ancho = n == 1 ? anchoTotal : CInt(static_cast<double>(anchoTotal) / m.Columnas);
    m.Posiciones.reserve(static_cast<size_t>(n));
    for (std::int32_t p = 0; p < n; ++p)
        m.Posiciones.push_back({(p % m.Filas) * m.Alto, (p / m.Filas) * m.Ancho});
    return m;
}

double MargenSegunVentanas(std::int32_t numVentanas)
{
    return PocasVentanas(numVentanas) ? 50.0 : 0.0;
}

double TamanoSegunVentanas(std::int32_t numVentanas, double x)
{
    return PocasVentanas(numVentanas) ? 2.0 * x + 50.0 : x + 50.0;
}

double PosicionSegunVentanas(std::int32_t numVentanas, double x, double y)
{
    return PocasVentanas(numVentanas) ? y : x + 50.0;
}

double FactorSegunVentanas(std::int32_t numVentanas, double x)
{
    return PocasVentanas(numVentanas) ? 0.8 * x : 0.6 * x;
}

DisposicionOndas ColocarControlesOndas(double ancho, double alto, std::int32_t numVentanas,
                                       const DisenoOndas& d)
{
    DisposicionOndas r;
    ancho = NoNegativo(ancho);
    r.picbox = {0.0, 0.0, ancho, NoNegativo(alto - kAltoFilasOndas)};
    const double hp = r.picbox.Height;
    const double ws = ancho / 3.6;
    r.HScroll1 = {0.0, hp + 50.0, ws, d.AltoScroll};
    r.HScroll2 = {ws + 50.0, r.HScroll1.Top, ws, d.AltoScroll};

    // Each pair: the number box starts after half the scroll bar's free width,
    // the value box follows after a quarter of it (50 twips less free width
    // under cursor 2).
    const double wn = ws / 2.1;
    const double filaLecturas = r.HScroll1.Bottom() + 50.0;
    r.lblizq = {r.HScroll1.Left + (ws - 2.0 * wn) / 2.0, filaLecturas, wn, d.AltoLectura};
    r.lblamar = {r.lblizq.Right() + (ws - 2.0 * wn) / 4.0, filaLecturas, wn, d.AltoLectura};
    r.lblder = {r.HScroll2.Left + (r.HScroll2.Width - 2.0 * wn) / 2.0, filaLecturas, wn, d.AltoLectura};
    r.lblcian = {r.lblder.Right() + (r.HScroll2.Width - (2.0 * wn + 50.0)) / 4.0, filaLecturas, wn,
                 d.AltoLectura};
    r.lblms = {r.HScroll2.Right() + 50.0, r.HScroll1.Top, ws / 3.0, d.AltoLectura};
    r.lblDif = {r.lblms.Left, filaLecturas, r.lblms.Width, d.AltoLectura};

    const double margen = MargenSegunVentanas(numVentanas);
    const double altoBoton = TamanoSegunVentanas(numVentanas, r.lblDif.Height);
    r.cmdzoom = {r.lblms.Right() + margen, r.HScroll1.Top, d.AnchoZoom, altoBoton};
    r.cmdadel = {r.cmdzoom.Right() + margen, r.cmdzoom.Top, FactorSegunVentanas(numVentanas, d.AnchoZoom),
                 altoBoton};
    r.cmdatras = {r.cmdadel.Right() + margen, r.cmdadel.Top, r.cmdadel.Width, altoBoton};
    r.pctimpresora = {r.cmdatras.Right() + margen, r.cmdatras.Top, d.AnchoZoom * 0.8, altoBoton};

    // Flush with the right edge; bottom-aligned with the print button while
    // the buttons are tall, else just below the top of the number boxes.
    r.lbl_PS = {ancho - d.AnchoPS,
                PosicionSegunVentanas(numVentanas, r.lblizq.Top, r.pctimpresora.Bottom() - d.AltoPS),
                d.AnchoPS, d.AltoPS};
    return r;
}

TamanoForm AjustarAPantalla(std::int32_t anchoPantallaTwips, std::int32_t altoPantallaTwips,
                            std::int32_t twipsPorPixel)
{
    const std::int32_t t = twipsPorPixel;
    const double p = t != 0 ? static_cast<double>(anchoPantallaTwips) / t : 0.0;
    double hd = 0.0;
    double wd = 1.005;
    if (p == 640.0) {
        hd = 1.177;
        wd = 1.0077;
    } else if (t == 12) {
        hd = p == 800.0 ? 1.15 : 1.115;
        wd = p == 800.0 ? 1.0077 : 1.005;
    } else {
        hd = p == 800.0 ? 1.1364 : 1.104;
    }
    return {altoPantallaTwips / hd, anchoPantallaTwips / wd};
}

DisposicionTodo ColocarControlesTodo(double ancho, double alto, const DisenoTodo& d)
{
    DisposicionTodo r;
    r.Picture1 = {kMargenIzquierdoTodo, 0.0, NoNegativo(ancho - kMargenIzquierdoTodo),
                  NoNegativo(alto - kAltoFilaTodo)};
    const double top = r.Picture1.Height + 50.0;
    r.HScroll1 = {0.0, top, r.Picture1.Width / 4.0, d.AltoScroll};
    r.lblam = {r.HScroll1.Right() + 100.0, top, r.HScroll1.Width / 3.0, d.AltoLectura};
    r.HScroll2 = {r.lblam.Right() + 100.0, top, r.HScroll1.Width, d.AltoScroll};
    r.lblci = {r.HScroll2.Right() + 100.0, top, r.lblam.Width, d.AltoLectura};
    r.lblms = {r.lblci.Right() + 100.0, top, r.lblci.Width, d.AltoLectura};
    r.cmdzoom = {r.lblms.Right() + 100.0, top, 0.8 * r.lblci.Width, d.AltoBoton};
    r.cmdadel = {r.cmdzoom.Right() + 100.0, top, 0.7 * r.cmdzoom.Width, d.AltoBoton};
    r.cmdatras = {r.cmdadel.Right() + 100.0, top, r.cmdadel.Width, d.AltoBoton};
    r.pctimpresora = {r.cmdatras.Right() + 100.0, top, 0.7 * r.cmdzoom.Width, d.AltoBoton};
    r.HScroll_Nombres = {0.0, r.Picture1.Height - d.AltoNombres + 40.0, d.AnchoNombres, d.AltoNombres};
    r.lbl_PS = {r.pctimpresora.Right() + 50.0, r.pctimpresora.Top, d.AnchoPS, d.AltoLectura};
    return r;
}

Banda GeometriaBanda(double altoPicture, std::int32_t numBandas, std::int32_t b, double altoLectura,
                     double limite)
{
    Banda banda;
    if (numBandas < 1)
        return banda;
    banda.Alto = altoPicture / numBandas + 1.0;
    banda.CeroY = (b - 1) * banda.Alto + banda.Alto / 2.0;
    banda.Lectura1 = {5.0, banda.CeroY - altoLectura, 1300.0, altoLectura};
    banda.Lectura2 = {5.0, banda.CeroY, 1300.0, altoLectura};
    const double exceso = banda.Lectura2.Bottom() - limite;
    if (exceso > 0) {
        banda.Lectura1.Top -= exceso;
        banda.Lectura2.Top -= exceso;
    }
    return banda;
}

std::vector<RectTwips> CajasLecturaBandas(double altoPicture, std::int32_t numBandas, double altoLectura,
                                          double limite)
{
    std::vector<RectTwips> cajas;
    if (numBandas < 1)
        return cajas;
    const auto n = static_cast<std::size_t>(2 * numBandas);
    const bool conLimite = std::isfinite(limite);
    double alto = altoLectura;
    if (conLimite && alto * static_cast<double>(n) > limite)
        alto = NoNegativo(limite) / static_cast<double>(n);
    for (std::int32_t b = 1; b <= numBandas; ++b) {
        const Banda g = GeometriaBanda(altoPicture, numBandas, b, alto);
        cajas.push_back(g.Lectura1);
        cajas.push_back(g.Lectura2);
    }
    // Up from the bar, then down from the top: each box moves only as far as
    // its neighbours make it, and the room suffices for all of them.
    double tope = conLimite ? limite : std::numeric_limits<double>::infinity();
    for (std::size_t i = n; i-- > 0;) {
        cajas[i].Top = std::min(cajas[i].Top, tope - alto);
        tope = cajas[i].Top;
    }
    double suelo = 0.0;
    for (RectTwips& c : cajas) {
        c.Top = std::max(c.Top, suelo);
        suelo = c.Top + alto;
    }
    return cajas;
}

} // namespace vesdra
