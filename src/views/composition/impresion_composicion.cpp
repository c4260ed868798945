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
std::vector<CanalPagina> LeerCanales(const DatosPaginaComposicion& d)
{
    std::vector<CanalPagina> canales;
    for (const std::int32_t fila : d.Filas) {
        CanalPagina c;
        c.Fila = fila;
        c.Columna = ColumnaConUnidad(fila);
        c.Nombre = NombreCanal(fila);
        c.Unidad = UnidadCanal(fila);
        c.Extremos = composicion::ExtremosColumna(c.Columna);
        canales.push_back(std::move(c));
    }
    return canales;
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
    const std::vector<CanalPagina> canales = LeerCanales(d);
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

    // Each channel's extremes marked once where it reaches them in the
    // range: a dotted line across the box in its pen and the value left of
    // the box, by the plot on its line where that stands clear of the
    // legend's column; else the value is read in the legend alone (it lists
    // every channel's maximum and minimum), never among its lines.
    std::vector<MarcadorPagina> marcadores;
    for (std::size_t k = 0; k < canales.size(); ++k) {
        const CanalPagina& c = canales[k];
        const std::uint32_t color = ColorTrazaImpresora(p, static_cast<std::int32_t>(k + 1));
        const std::span<const float> tramo = TramoColumna(r, c.Columna, primera, ultima);
        const ExtremosAlcanzados alcanzados = BuscarExtremos(
            tramo, primera, c.Extremos.Maximo, c.Extremos.Minimo, TablasTramo(r, c.Columna, primera));
        if (alcanzados.UltimoMinimo > 0)
            marcadores.push_back({y0 - c.Extremos.Minimo * escalaY,
                                  Format(c.Extremos.Minimo, "0.000") + blanco + c.Unidad, color});
        if (alcanzados.UltimoMaximo > 0)
            marcadores.push_back({y0 - c.Extremos.Maximo * escalaY,
                                  Format(c.Extremos.Maximo, "0.000") + blanco + c.Unidad, color});
    }
    // The lines first: the legend's lines keep off them.
    (void)MarcadoresExtremos(textos, m, marcadores, p0, p1, q0, q1, false);
    p.DrawWidth = 1;
    p.DrawStyle = 0;

    // Legend in the left margin: per channel its name, a stroke of its pen,
    // its maximum and minimum; then the values at both cursors. One size for
    // all of it, in which every value fits whole and each read-out's name
    // keeps what tells it from the others; a name gives way by the name rule
    // against the composition's other names, to the room its row leaves (a
    // name, and its stroke), the legend's on two lines where the column has
    // room for them. Each line that carries a value reads as its channel
    // only among the record's channels (or its name takes a second line).
    // Where the column would run past the frame's foot (five or six channels
    // in a large font) the blanks between its entries narrow, then it is
    // printed in a smaller font that fits; the names keep their two lines.
    const double inicio = f.Arriba + m.Alto(QString());
    const QString puntos = QStringLiteral("\u2026");
    // The channels' names give way against each other and the record's
    // other channels (a composition of some of them still tells them from
    // the rest): what tells them apart stays, and each read-out keeps room
    // for it besides its value.
    QStringList junto = RotulosAnalogicos();
    for (const CanalPagina& c : canales)
        if (!junto.contains(c.Nombre))
            junto.append(c.Nombre);
    std::vector<QString> distintos;
    for (const CanalPagina& c : canales)
        distintos.push_back(
            NombreQueSeDistingue(c.Nombre, junto, [&p](const QString& t) { return p.TextWidth(t); }));
    std::vector<QString> valores[2];
    std::vector<std::pair<QString, double>> fijos;
    // A line whose row an extreme's dotted line starts on ends a blank
    // short of it: the room every line is sized for.
    const double anchoEntrada =
        p0 - m.Ancho(blanco) - (f.Izquierda + m.Ancho(aa)) - textos.Blanco() - p.TwipsPerPixelX();
    for (int i = 0; i < 2; ++i) {
        const std::int32_t muestra = i == 0 ? d.Cursor1 : d.Cursor2;
        fijos.emplace_back(puntos + QString::number(muestra), anchoEntrada);
        for (std::size_t k = 0; k < canales.size(); ++k) {
            const CanalPagina& c = canales[k];
            valores[i].push_back(QStringLiteral(": ") + Format(ValorMuestra(r, muestra, c.Columna), "0.000") +
                                 c.Unidad);
            fijos.emplace_back(distintos[k] + valores[i].back(), anchoEntrada);
        }
    }
    std::vector<QString> maximos;
    std::vector<QString> minimos;
    for (const CanalPagina& c : canales) {
        maximos.push_back(QStringLiteral(" max: ") + TextoSingle(c.Extremos.Maximo) + c.Unidad);
        minimos.push_back(QStringLiteral(" min: ") + TextoSingle(c.Extremos.Minimo) + c.Unidad);
    }
    for (std::size_t k = 0; k < canales.size(); ++k) {
        fijos.emplace_back(distintos[k] + maximos[k], anchoEntrada);
        fijos.emplace_back(distintos[k] + minimos[k], anchoEntrada);
    }
    constexpr double kTrazo = 500.0;
    {
        TamanoFuente fuente(p);
        double escala = EscalaQueCabe(p, fijos);
        // A name takes two lines where it needs them; the blanks between
        // entries (a share of the window's) narrow before the font does.
        constexpr int lineasNombre = 2;
        double hueco = 1.0;
        double pieColumna = inicio;
        // Lays the legend out from its top in the window's measure scaled
        // as the font, printing it or only measuring it; the foot of its
        // last line.
        const auto disponer = [&, f = f, p0 = p0](bool imprimir) {
            fuente.Escala(escala);
            MedidaTexto mc = m;
            mc.Ancho = [m, escala](const QString& t) { return m.Ancho(t) * escala; };
            mc.Alto = [m, escala](const QString& t) { return m.Alto(t) * escala; };
            const double linea = textos.Linea();
            const double xTitulo = f.Izquierda + mc.Ancho(a);
            const double xEntrada = f.Izquierda + mc.Ancho(aa);
            // Every line of it ends one blank left of the box.
            const double limite = p0 - mc.Ancho(blanco);
            ColumnaPagina columna(textos, inicio, limite, imprimir);
            columna.Junto = junto;
            double& y = columna.Y;
            columna.Entrada(TextosIdioma(kTextoCanales) + QStringLiteral(":"), xTitulo);
            for (std::size_t k = 0; k < canales.size(); ++k) {
                const CanalPagina& c = canales[k];
                y += hueco * mc.Ancho(a);
                const double blancoImpreso = textos.Blanco();
                // A name with its stroke takes its row to the end.
                const QStringList impresas =
                    columna.NombreEnLineas(c.Nombre, xEntrada, limite - kTrazo - blancoImpreso, lineasNombre);
                const QString impreso = impresas.isEmpty() ? QString() : impresas.back();
                const double yNombre = y - linea;
                // Its stroke, 500 twips across the middle of the name's
                // line, after the name as printed.
                const double yTrazo = y - mc.Alto(QString()) / 2;
                if (imprimir) {
                    const double finNombre = textos.Rectangulo(impreso, xEntrada, yNombre).right();
                    const double ancho = mc.Ancho(c.Nombre);
                    const TrazoLeyenda t = TrazoAntesDe(3 * ancho + 100, 3 * ancho + 100 + kTrazo, limite,
                                                        finNombre, blancoImpreso / 2);
                    p.DrawWidth = 1;
                    textos.Linea(t.Desde, yTrazo, t.Hasta, yTrazo,
                                 ColorTrazaImpresora(p, static_cast<std::int32_t>(k + 1)));
                }
                y = std::max(yTrazo + hueco * mc.Alto(QString()), y);
                (void)columna.Lectura(c.Nombre, xEntrada, maximos[k]);
                (void)columna.Lectura(c.Nombre, xEntrada, minimos[k]);
            }
            for (int i = 0; i < 2; ++i) {
                if (i == 0)
                    y += hueco * mc.Alto(aa);
                columna.Entrada(i == 0 ? QStringLiteral("Cursor 1: ") : QStringLiteral("Cursor 2: "),
                                xTitulo);
                y += hueco * mc.Alto(a);
                columna.Entrada(TextosIdioma(kTextoMuestra), xEntrada,
                                QString::number(i == 0 ? d.Cursor1 : d.Cursor2));
                y += hueco * mc.Alto(a);
                for (std::size_t k = 0; k < canales.size(); ++k) {
                    (void)columna.Lectura(canales[k].Nombre, xEntrada, valores[i][k]);
                    y += hueco * mc.Alto(QString());
                }
            }
            pieColumna = y - hueco * mc.Alto(QString());
            return pieColumna;
        };
        for (int vuelta = 0; vuelta < 16; ++vuelta) {
            const double pie = disponer(false);
            if (pie <= f.Abajo - m.Alto(QString()))
                break;
            if (hueco > 0.0)
                hueco = std::max(0.0, hueco - 0.25);
            else
                escala *= std::max(0.5, 0.99 * (f.Abajo - m.Alto(QString()) - inicio) / (pie - inicio));
        }
        (void)disponer(true);
        // No extreme's value stands among its lines.
        textos.ReservarColumna(
            QRectF(QPointF(f.Izquierda, inicio - textos.Linea()), QPointF(p0, pieColumna + textos.Linea())));
    }
    (void)ValoresDeMarcadores(textos, m, marcadores, p0, q0, q1);
    p.DrawWidth = 1;

    // Zero line, when it lies in the box.
    if (d.AltoPicture > d.Vista.OrigenY && d.Vista.OrigenY >= 0)
        p.Line(p0, y0, p1, y0, 0u);

    // Cursors, their labels under the time labels when there are.
    const std::int32_t m50 = ampliada ? 0 : MuestrasPor50ms();
    const double bajoEscala = m50 > 0 ? FilaEtiquetasTiempo(m, q1) + textos.Linea() : 0.0;
    double filaMs = CursoresImpresos(textos, m,
                                     {xDe(d.Cursor1), ColorImpresora(p, kAmarilloImpresora),
                                      QStringLiteral("AAAA"), m.Ancho(blanco), QStringLiteral("Cursor 1")},
                                     {xDe(d.Cursor2), ColorImpresora(p, kCianImpresora),
                                      QStringLiteral("AAA"), 0.0, QStringLiteral("Cursor 2")},
                                     q0, q1, bajoEscala);

    // Traces: each channel's trace clipped to the box, in its pen.
    p.DrawWidth = 1;
    for (std::size_t k = 0; k < canales.size(); ++k) {
        const CanalPagina& c = canales[k];
        const std::uint32_t color = ColorTrazaImpresora(p, static_cast<std::int32_t>(k + 1));
        const std::span<const float> tramo = TramoColumna(r, c.Columna, primera, ultima);
        const EnvelopeTables tablas = TablasTramo(r, c.Columna, primera);
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
