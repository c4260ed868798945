#include "views/composition/impresion_composicion.h"

#include <span>

#include "platform/base/formats.h"
#include "platform/base/numeric.h"
#include "platform/base/vb_error.h"
#include "platform/printer.h"
#include "record/helpers.h"
#include "record/record_model.h"
#include "shell/impresion_piezas.h"
#include "shell/language.h"
#include "views/composition/composition_state.h"

namespace vesdra {

namespace {

constexpr std::int32_t kTextoTitulo = 64;
constexpr std::int32_t kTextoCanales = 31;
constexpr std::int32_t kTextoMuestra = 266;

// A chosen row as the page prints it.
struct CanalPagina {
    std::int32_t Fila{0};
    std::int32_t Columna{0};
    QString Nombre;
    QString Unidad;
    composicion::Extremos Extremos{};
};

// The rows and their columns, read before anything is drawn: a table
// emptied under the window fails here with the subscript error.
std::vector<CanalPagina> LeerCanales(const RecordModel& r, const DatosPaginaComposicion& d)
{
    std::vector<CanalPagina> canales;
    for (const std::int32_t fila : d.Filas) {
        CanalPagina c;
        c.Fila = fila;
        c.Columna = ColumnaConUnidad(fila);
        c.Nombre = NombreCanal(fila);
        c.Unidad = r.TablaCanales(fila, 4);
        c.Extremos = composicion::ExtremosColumna(c.Columna);
        canales.push_back(std::move(c));
    }
    return canales;
}

// Height of the left column (legend and the values at both cursors) of n
// channels in the measure m and the printer's line `linea`, from the top
// of its first line to the foot of its last.
double AltoColumna(const MedidaTexto& m, double linea, std::size_t n)
{
    const QString a = QStringLiteral("A");
    const double vacia = m.Alto(QString());
    const double valores = static_cast<double>(n) * (linea + vacia);
    const double leyenda = static_cast<double>(n) * (m.Ancho(a) + 3 * linea + vacia);
    const double cursor1 = m.Alto(QStringLiteral("AA")) + linea + 2 * (m.Alto(a) + linea) - linea + valores;
    const double cursor2 = linea + 2 * (m.Alto(a) + linea) - linea + valores;
    return linea + leyenda + cursor1 + cursor2;
}

// The measure the left column is printed in: the window's, or, when the
// column would not fit in `alto`, the window's scaled down with the
// printer's font (whose size the caller restores) until it fits.
MedidaTexto ColumnaQueCabe(Printer& p, const MedidaTexto& m, std::size_t n, double alto)
{
    double escala = 1.0;
    MedidaTexto mc = m;
    const double tamano = p.FontSize;
    for (int vuelta = 0; vuelta < 4; ++vuelta) {
        const double necesario = AltoColumna(mc, p.TextHeight(QString()), n);
        if (necesario <= alto || !(necesario > 0.0) || !(alto > 0.0))
            break;
        escala *= 0.98 * alto / necesario;
        p.FontSize = tamano * escala;
        mc.Ancho = [m, escala](const QString& t) { return m.Ancho(t) * escala; };
        mc.Alto = [m, escala](const QString& t) { return m.Alto(t) * escala; };
        mc.Puntos = m.Puntos * escala;
    }
    return mc;
}

} // namespace

QString TextoSingle(float v)
{
    QString t = QString::number(static_cast<double>(v), 'g', 7).toUpper();
    t.replace(QLatin1Char('.'), DecimalSeparator());
    return t;
}

void PaginaComposicion(Printer& p, const DatosPaginaComposicion& d, const MedidaTexto& m)
{
    const RecordModel& r = Registro();
    const std::int32_t u = r.NumMuestras();
    const std::vector<CanalPagina> canales = LeerCanales(r, d);
    const QString blanco = QStringLiteral(" ");
    const QString a = QStringLiteral("A");
    const QString aa = QStringLiteral("AA");

    // Header, frame and plot box.
    FuenteDeMedida(p, m);
    const auto [w, h, f, p0, p1, q0, q1] = CajaDePagina(p);
    TextosPagina textos(p, f, QRectF(QPointF(p0, q0), QPointF(p1, q1)));
    Encabezado(textos, m, p0, f.Arriba, kTextoTitulo);
    p.DrawStyle = 0;
    p.DrawWidth = 1;
    RectanguloImpresora(p, f.Izquierda, f.Arriba, f.Derecha, f.Abajo);
    RectanguloImpresora(p, p0, q0, p1, q1);

    // The samples of the view in force spread over the box's width; the
    // picture's height becomes 3/4 of the page's.
    const std::int32_t primera = std::max(1, d.Vista.PrimeraMuestra);
    std::int32_t ultima = std::max(1, d.Vista.UltimaMuestra);
    if (ultima > u)
        ultima = u - 1;
    if (ultima == primera || d.AltoPicture == 0.0)
        throw VbError(vberr::DivisionByZero);
    const double e = (p1 - p0) / (static_cast<double>(ultima) - primera);
    const bool ampliada = ultima < u - 1 || primera > 1;
    const double s = 0.75 * h / d.AltoPicture;
    const double y0 = d.Vista.OrigenY * s + q0;
    const double escalaY = d.Vista.ZoomVertical * d.EscalaVertical * s;
    const auto xDe = [&, p0 = p0](std::int32_t muestra) { return (muestra - primera) * e + p0; };

    // Legend in the left margin: per channel its name, a stroke of its pen,
    // its maximum and minimum; then the values at both cursors. A column
    // that would run past the frame's foot (five or six channels in a
    // large font) is printed in a smaller font that fits it in. Printed
    // before the traces: the extremes' values give way to it.
    const double inicio = f.Arriba + m.Alto(QString());
    const double tamano = p.FontSize;
    const MedidaTexto mc = ColumnaQueCabe(p, m, canales.size(), f.Abajo - m.Alto(QString()) - inicio);
    const double xTitulo = f.Izquierda + mc.Ancho(a);
    const double xEntrada = f.Izquierda + mc.Ancho(aa);
    // Every line of it ends one blank left of the box; a name leaves room
    // for its stroke.
    const double limite = p0 - mc.Ancho(blanco);
    constexpr double kTrazo = 500.0;
    const auto entrada = [&](const QString& t, double x, double derecha) {
        textos.ImprimirHasta(t, x, p.CurrentY, derecha);
    };
    p.DrawWidth = 1;
    p.CurrentY = inicio;
    entrada(TextosIdioma(kTextoCanales) + QStringLiteral(":"), xTitulo, limite);
    for (std::size_t k = 0; k < canales.size(); ++k) {
        const CanalPagina& c = canales[k];
        p.CurrentY += mc.Ancho(a);
        const double yNombre = p.CurrentY;
        entrada(c.Nombre, xEntrada, limite - kTrazo - 100);
        const double finNombre = textos.Rectangulo(c.Nombre, xEntrada, yNombre).right();
        const double ancho = mc.Ancho(c.Nombre);
        const double y = p.CurrentY - mc.Alto(QString()) / 2;
        const double x = p.CurrentX;
        const TrazoLeyenda t =
            TrazoAntesDe(x + 3 * ancho + 100, x + 3 * ancho + 100 + kTrazo, limite, finNombre);
        p.DrawWidth = 1;
        p.Line(t.Desde, y, t.Hasta, y, ColorTrazaImpresora(p, static_cast<std::int32_t>(k + 1)));
        p.CurrentY += mc.Alto(QString());
        entrada(c.Nombre + QStringLiteral(" max: ") + TextoSingle(c.Extremos.Maximo) + c.Unidad, xEntrada,
                limite);
        entrada(c.Nombre + QStringLiteral(" min: ") + TextoSingle(c.Extremos.Minimo) + c.Unidad, xEntrada,
                limite);
    }

    // Values of every channel at both cursors.
    const auto valores = [&](std::int32_t muestra) {
        p.CurrentY += mc.Alto(a);
        entrada(TextosIdioma(kTextoMuestra) + QString::number(muestra), xEntrada, limite);
        p.CurrentY += mc.Alto(a);
        for (const CanalPagina& c : canales) {
            entrada(c.Nombre + QStringLiteral(": ") + Format(ValorMuestra(r, muestra, c.Columna), "0.000") +
                        c.Unidad,
                    xEntrada, limite);
            p.CurrentY += mc.Alto(QString());
        }
    };
    p.CurrentY += mc.Alto(aa);
    entrada(QStringLiteral("Cursor 1: "), xTitulo, limite);
    valores(d.Cursor1);
    entrada(QStringLiteral("Cursor 2: "), xTitulo, limite);
    valores(d.Cursor2);
    p.FontSize = tamano;
    p.DrawWidth = 1;

    // Zero line, when it lies in the box.
    if (d.AltoPicture > d.Vista.OrigenY && d.Vista.OrigenY >= 0)
        p.Line(p0, y0, p1, y0, 0u);

    // Cursors, their labels under the time labels when there are.
    const std::int32_t m50 = ampliada ? 0 : MuestrasPor50ms();
    const double bajoEscala = m50 > 0 ? FilaEtiquetasTiempo(m, q1) + textos.Linea() : 0.0;
    (void)CursorImpreso(textos, m, xDe(d.Cursor1), q0, q1, ColorImpresora(p, kAmarilloImpresora),
                        QStringLiteral("AAAA"), m.Ancho(blanco), QStringLiteral("Cursor 1"), bajoEscala);
    double filaMs = CursorImpreso(textos, m, xDe(d.Cursor2), q0, q1, ColorImpresora(p, kCianImpresora),
                                  QStringLiteral("AAA"), 0.0, QStringLiteral("Cursor 2"), bajoEscala);

    // Traces: each channel's extremes marked once where it reaches them in
    // the range, then its trace clipped to the box, in its pen.
    p.DrawWidth = 1;
    for (std::size_t k = 0; k < canales.size(); ++k) {
        const CanalPagina& c = canales[k];
        const std::uint32_t color = ColorTrazaImpresora(p, static_cast<std::int32_t>(k + 1));
        const std::span<const float> tramo = TramoColumna(r, c.Columna, primera, ultima);
        const float minimo = c.Extremos.Minimo;
        const float maximo = c.Extremos.Maximo;
        const EnvelopeTables tablas = TablasTramo(r, c.Columna, primera);
        const ExtremosAlcanzados alcanzados = BuscarExtremos(tramo, primera, maximo, minimo, tablas);
        const int ancho = p.DrawWidth; // the markers' pen is their own
        if (alcanzados.UltimoMinimo > 0)
            MarcadorExtremo(textos, m, y0 - minimo * escalaY, p0, p1, q0, q1,
                            Format(minimo, "0.000") + blanco + c.Unidad, color);
        if (alcanzados.UltimoMaximo > 0 && maximo != minimo)
            MarcadorExtremo(textos, m, y0 - maximo * escalaY, p0, p1, q0, q1,
                            Format(maximo, "0.000") + blanco + c.Unidad, color);
        p.DrawWidth = ancho;
        p.DrawStyle = 0;
        TrazarEnImpresora(p, tramo, GeometriaImpresora(p, p0, e, y0, escalaY), color, BandaY{q0, q1}, tablas);
        EngrosarPluma(p);
    }

    // The 50 ms grid, on the whole record only, kept inside the box.
    if (m50 > 0) {
        EscalaTiempo escala{p0, q0, q1, e * m50, (p1 - p0) / 23.0, CLng(static_cast<double>(u) / m50), true};
        escala.Derecha = p1;
        if (const std::optional<double> fila = DibujarEscalaTiempo(textos, m, escala))
            filaMs = *fila;
    }

    // Unit of the time axis, time between the cursors, date.
    PieConTiempo(textos, m, filaMs, d.TextoTiempo);
}

} // namespace vesdra
