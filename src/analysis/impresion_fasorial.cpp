#include "analysis/impresion_fasorial.h"

#include <QLineF>
#include <QRectF>
#include <cmath>

#include "analysis/frm_fases.h"
#include "analysis/frm_secuencias.h"
#include "analysis/phasor_sets.h"
#include "analysis/polar.h"
#include "platform/base/segment_clip.h"
#include "platform/base/vb_error.h"
#include "platform/picture_box.h"
#include "platform/printer.h"
#include "platform/scroll_bar.h"
#include "record/helpers.h"
#include "record/record_model.h"
#include "shell/impresion.h"
#include "shell/impresion_piezas.h"
#include "shell/language.h"
#include "templates/template_apply.h"

namespace vesdra {

namespace {

// By phasor: the first set's three, then the second's.
constexpr std::array<std::uint32_t, 6> kColores{kCianImpresora, kAmarilloImpresora, kMagentaImpresora,
                                                kAzulImpresora, kVerdeImpresora,    kRojoImpresora};

// A phasor from the diagram's centre cut at the box along its own
// direction, as the screen's picture cuts it: a view zoomed far in prints
// the part inside the box, pointing where the whole phasor points, never
// over the legend or off the sheet. The end points go to the printer in
// single precision; a phasor with no finite end is an overflow.
QLineF FasorEnCaja(QPointF centro, QPointF fin, const QRectF& caja)
{
    if (!std::isfinite(fin.x()) || !std::isfinite(fin.y()))
        throw VbError(vberr::Overflow);
    if (!ClipSegment(centro, fin, caja))
        return {};
    const auto simple = [](double v) { return static_cast<double>(static_cast<float>(v)); };
    return {simple(centro.x()), simple(centro.y()), simple(fin.x()), simple(fin.y())};
}

// The pen is left 1 wide when the page ends, however it ends: a page that
// failed half-way leaves no widened pen to the next print.
class PlumaFinal
{
public:
    explicit PlumaFinal(Printer& p) : p_(p) {}
    ~PlumaFinal() { p_.DrawWidth = 1; }
    PlumaFinal(const PlumaFinal&) = delete;
    PlumaFinal& operator=(const PlumaFinal&) = delete;

private:
    Printer& p_;
};

} // namespace

std::uint32_t ColorFasor(const Printer& p, std::size_t i)
{
    return ColorImpresora(p, kColores.at(i));
}

void PaginaFasorial(Printer& p, const DatosPaginaFasorial& d, const MedidaTexto& m)
{
    PlumaFinal plumaFinal(p);
    FuenteDeMedida(p, m);
    const double w = p.Width();
    const double h = p.Height();
    const MarcoPagina marco = MarcoDePagina(p);
    const double izquierda = 0.15 * w;
    const double derecha = 0.9 * w;
    const double arriba = 0.05 * w; // of the width, as the waveform pages
    const double abajo = 0.8 * h;
    const double xc = (derecha - izquierda) / 2 + izquierda;
    const double yc = (abajo - arriba) / 2 + arriba;
    const double linea = m.Alto(QString());
    const double x0 = m.Ancho(QStringLiteral("AA")) + marco.Izquierda;
    const bool fases = d.Tipo == TipoPaginaFasorial::Fases;
    const QRectF caja(QPointF(izquierda, arriba), QPointF(derecha, abajo));
    TextosPagina textos(p, marco, caja);
    // Legend texts and strokes end one blank left of the box; a name leaves
    // room for its stroke.
    const double limite = izquierda - m.Ancho(QStringLiteral(" "));
    constexpr double kTrazo = 500.0;

    // Outline in the pen the page starts with.
    RectanguloImpresora(p, marco.Izquierda, marco.Arriba, marco.Derecha, marco.Abajo);
    RectanguloImpresora(p, izquierda, arriba, derecha, abajo);
    p.Line(izquierda, yc, derecha, yc, 0u);
    p.Line(xc, arriba, xc, abajo, 0u);

    if (d.NumSets == 1 || d.NumSets == 2) {
        if (d.AltoPicture == 0.0)
            throw VbError(vberr::DivisionByZero);
        const auto k = static_cast<float>(0.72 * h / d.AltoPicture);
        const auto fasor = [&](std::size_t i) {
            const FasorImpreso& f = d.Fasores[i];
            const QPointF fin(xc + static_cast<double>(f.X) * k * f.Factor,
                              yc - static_cast<double>(f.Y) * k * f.Factor);
            const QLineF l = FasorEnCaja({xc, yc}, fin, caja);
            p.Line(l.x1(), l.y1(), l.x2(), l.y2(), ColorFasor(p, i));
        };
        // The legend's one size: every digit and value whole in its room.
        std::vector<std::pair<QString, double>> fijos;
        for (std::size_t i = 0; i < 6; ++i) {
            const FasorImpreso& f = d.Fasores[i];
            if (i < 3 * static_cast<std::size_t>(d.NumSets) && f.Leyenda)
                fijos.emplace_back(QStringLiteral("\u2026") + f.Digito + QStringLiteral(": ") + f.Valor,
                                   limite - x0);
        }
        TamanoFuente fuente(p);
        fuente.Escala(EscalaQueCabe(p, fijos));
        // The legend's names give way against each other and the record's
        // other channels: what tells them apart stays. A name takes a second
        // line where the column has room for every block with two (it is
        // mostly empty below them).
        QStringList junto = d.Junto;
        std::size_t bloques = 0;
        for (std::size_t i = 0; i < 3 * static_cast<std::size_t>(d.NumSets) && i < 6; ++i) {
            if (d.Fasores[i].Leyenda) {
                junto.append(d.Fasores[i].Nombre);
                ++bloques;
            }
        }
        const double alturaBloque = 3 * textos.Linea() + 1.5 * linea;
        const int lineas = arriba + linea + static_cast<double>(bloques) * alturaBloque <= abajo ? 2 : 1;
        // The pen before the legend stroke of phasor i; the second set's
        // first stroke goes on from the first set's last phasor.
        std::int32_t w1 = 1;
        double y2 = 0.0;
        const auto bloque = [&](std::size_t i) {
            const FasorImpreso& f = d.Fasores[i];
            if (!f.Leyenda)
                return;
            const std::size_t fase = i % 3;
            const double yNombre = fase != 0 ? p.CurrentY + linea : (i == 0 ? arriba : y2) + linea;
            const QStringList rotulo = textos.ImprimirNombreEnLineas(
                f.Nombre, x0, yNombre, limite - kTrazo - textos.Blanco(), lineas, 0, f.Digito, junto);
            const double yUltima = yNombre + static_cast<double>(rotulo.size() - 1) * textos.Linea();
            const double finNombre = textos.Rectangulo(rotulo.back(), x0, yUltima).right();
            if (fase != 0)
                EngrosarPluma(p);
            else if (i == 3)
                FijarGrosor(p, w1);
            const double ancho = m.Ancho(f.Medida);
            const double y = p.CurrentY - linea / 2;
            // The stroke after the name as printed; one that would reach the
            // box ends left of it.
            const TrazoLeyenda t = TrazoAntesDe((fases ? 6.0 : 6.2) * ancho, 6 * ancho + kTrazo, limite,
                                                finNombre, textos.Blanco() / 2);
            textos.Linea(t.Desde, y, t.Hasta, y, ColorFasor(p, i));
            // The value line reads as its channel only: the name's cut that
            // reads as no other channel of the record; where one line has
            // no room for such a cut, the name (and digit) as a caption on up
            // to two lines and the value alone on the line under it.
            const QString despues = f.Digito + QStringLiteral(": ") + f.Valor;
            const QString una = textos.NombreQueCabe(f.Nombre, limite - x0, {}, despues, junto);
            const QString corte = una.chopped(std::min(una.size(), despues.size()));
            if (una.endsWith(despues) && !corte.trimmed().isEmpty() && !LeeComoOtro(corte, f.Nombre, junto)) {
                textos.Imprimir(una, x0, y + linea);
            } else {
                const QStringList rotulo = textos.ImprimirNombreEnLineas(
                    f.Nombre, x0, y + linea, limite, 2, 0, f.Digito + QStringLiteral(":"), junto);
                textos.ImprimirHasta(f.Valor, x0,
                                     y + linea + static_cast<double>(rotulo.size()) * textos.Linea(), limite);
            }
        };
        const auto set = [&](std::size_t primero) {
            fasor(primero);
            EngrosarPluma(p);
            fasor(primero + 1);
            EngrosarPluma(p);
            fasor(primero + 2);
        };

        // The phasor view starts its phasors from a pen 1 wide (on a
        // monochrome printer with one set, on a colour one with two).
        if (fases && p.ColorMode() != (d.NumSets == 1 ? 2 : 1))
            p.DrawWidth = 1;
        set(0);
        w1 = p.DrawWidth;
        p.DrawWidth = 1;
        for (std::size_t i = 0; i < 3; ++i)
            bloque(i);
        p.DrawWidth = 1;
        y2 = p.CurrentY;
        if (d.NumSets == 2) {
            FijarGrosor(p, w1);
            set(3);
            p.DrawWidth = 1;
            for (std::size_t i = 3; i < 6; ++i)
                bloque(i);
        }
    }

    // Title, record, window number and date.
    p.DrawWidth = 1;
    Encabezado(textos, m, izquierda, marco.Arriba, fases ? 69 : 70);
    textos.ImprimirHasta(TextosIdioma(266) + QString::number(d.Posicion), x0, abajo + linea,
                         marco.Derecha - textos.Blanco() / 2);
    ImprimirFecha(p, marco, m);
}

namespace {

// What every page takes of its view: position, picture, sets and phasor
// offsets; the legend is each view's own.
template <typename Vista> DatosPaginaFasorial DatosComunes(const Vista& v, TipoPaginaFasorial tipo)
{
    DatosPaginaFasorial d;
    d.Tipo = tipo;
    d.Junto = RotulosAnalogicos();
    d.AltoPicture = v.Picture1->Height();
    d.NumSets = v.NumSets();
    const std::int32_t fila = v.HScroll1->Value();
    d.Posicion = static_cast<std::int64_t>(fila) - 5 * static_cast<std::int64_t>(v.MuestrasCiclo()) + 1;
    // A picture with no room left shows no diagram: the page draws it as a
    // square picture of one inch would, at the view's zoom.
    const bool sinSitio = RadioDiagrama(static_cast<float>(v.Picture1->Width()),
                                        static_cast<float>(v.Picture1->Height())) <= 0.0f;
    constexpr float kLado = 1440.0f;
    if (sinSitio)
        d.AltoPicture = kLado;
    const float escala = EscalaBase(RadioDiagrama(kLado, kLado), v.Maximo());
    for (int i = 0; i < 3 * d.NumSets && i < 6; ++i) {
        FasorImpreso& f = d.Fasores[static_cast<size_t>(i)];
        const std::int32_t columna = v.ColumnaLinea(i);
        if (sinSitio) {
            f.X = Coordenada(escala, v.Tabla()(fila, columna), v.Zoom());
            f.Y = Coordenada(escala, v.Tabla()(fila, columna + 1), v.Zoom());
        } else {
            f.X = v.Coordenadas(fila, columna);
            f.Y = v.Coordenadas(fila, columna + 1);
        }
        f.Factor = v.FactorLinea(i);
    }
    return d;
}

} // namespace

DatosPaginaFasorial DatosFases(const frmFases& v)
{
    DatosPaginaFasorial d = DatosComunes(v, TipoPaginaFasorial::Fases);
    const std::int32_t fila = v.HScroll1->Value();
    const QString arroba = QStringLiteral("@");
    for (int i = 0; i < 3 * d.NumSets && i < 6; ++i) {
        FasorImpreso& f = d.Fasores[static_cast<size_t>(i)];
        const std::int32_t canal = (v.ColumnaLinea(i) + 1) / 2;
        const bool primero = i < 3;
        // The first set takes the last row of the phase's channel, the
        // second the first, and leaves out a phase whose channel has none.
        // The first set's phase without a row is captioned as the screen
        // captions it: the set's name and no unit.
        f.Leyenda = primero || FilaDeCanal(canal, false) != 0;
        const RotuloCanal r = RotuloDeCanal(canal, v.Set(i / 3), primero);
        f.Nombre = r.Nombre;
        f.Medida = r.Nombre;
        f.Valor = TextoMagnitudAngulo(v.PolarFila(fila, canal), r.Unidades, arroba);
    }
    return d;
}

DatosPaginaFasorial DatosSecuencias(const frmSecuencias& v)
{
    DatosPaginaFasorial d = DatosComunes(v, TipoPaginaFasorial::Secuencias);
    const std::int32_t fila = v.HScroll1->Value();
    const QString arroba = QStringLiteral("@");
    const QString digitos[3] = {QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("0")};
    for (int s = 0; s < d.NumSets && s < 2; ++s) {
        const std::int32_t g = v.Set(s);
        const bool primero = s == 0;
        // Positive, negative and zero sequence take the unit of the row of
        // phase A, B and C; the caption of all three is phase A's (the
        // set's name when phase A's channel has no row).
        std::int32_t filas[3];
        for (int q = 0; q < 3; ++q)
            filas[q] = FilaDeCanal(CanalTrifasico(g, q + 1), primero);
        const QString rotulo = filas[0] != 0 ? NombreCanal(filas[0]) : NombreSet(g);
        for (int q = 0; q < 3; ++q) {
            const int i = 3 * s + q;
            FasorImpreso& f = d.Fasores[static_cast<size_t>(i)];
            f.Leyenda = primero || filas[q] != 0;
            f.Nombre = rotulo;
            f.Digito = digitos[q];
            f.Medida = filas[q] != 0 ? NombreCanal(filas[q]) : rotulo;
            const Polar polar = v.PolarFila(fila, (v.ColumnaLinea(i) + 1) / 2);
            f.Valor = TextoMagnitudAngulo(polar, UnidadCanal(filas[q]), arroba);
        }
    }
    return d;
}

namespace {

template <typename Vista> void Imprimir(Vista& v, const DatosPaginaFasorial& d)
{
    const MedidaTexto medida = MedidaDeVentana(v);
    (void)ImprimirVista(MarcoDeVista(v, *v.Picture1, false),
                        [d, medida](Printer& p) -> std::optional<RechazoPagina> {
                            PaginaFasorial(p, d, medida);
                            return std::nullopt;
                        });
}

} // namespace

void ImprimirFases(frmFases& v)
{
    Imprimir(v, DatosFases(v));
}

void ImprimirSecuencias(frmSecuencias& v)
{
    Imprimir(v, DatosSecuencias(v));
}

} // namespace vesdra
