#include "views/digital/impresion_digital.h"

#include <algorithm>
#include <limits>
#include <span>

#include "platform/base/formats.h"
#include "platform/base/numeric.h"
#include "platform/base/vb_error.h"
#include "platform/printer.h"
#include "record/helpers.h"
#include "record/record_model.h"
#include "shell/impresion_piezas.h"
#include "shell/language.h"
#include "views/digital/digital_geometry.h"
#include "views/digital/digital_readouts.h"
#include "views/digital/digital_traces.h"

namespace vesdra {

namespace {

constexpr std::int32_t kTextoGrupo = 16;
constexpr std::int32_t kTextoComposicion = 17;
constexpr std::int32_t kTextoTitulo = 47;
constexpr std::int32_t kTextoNombreGrupo = 49;
constexpr std::int32_t kTextoCursor1 = 262;
constexpr std::int32_t kTextoCursor2 = 263;
constexpr std::int32_t kTextoTiempo = 264;

// The extremes of a whole column, its smallest and largest sample, as the
// process-wide extremes hold them; only the printed channel's column is read.
struct ExtremosCanal {
    float Minimo{0.0f};
    float Maximo{0.0f};
};

// A row's step boxes on the printer, between its base line and 75 twips
// above it, on the printer's pixel grid.
void CajasEnImpresora(Printer& p, const digital::CajasFila& cajas, double base, const digital::Tramo& t,
                      std::uint32_t color)
{
    const double y1 = digital::EnRejilla(base, t.TwipsPorPixelY);
    const double y2 = digital::EnRejilla(base - digital::AltoEstado, t.TwipsPorPixelY);
    const LineForm forma = cajas.Rellenas ? LineForm::FilledBox : LineForm::Box;
    for (const digital::CajaEstado& c : cajas.Cajas)
        p.Line(c.X1, y1, c.X2, y2, color, forma);
}

} // namespace

void PaginaDigital(Printer& p, const DatosPaginaDigital& d, const MedidaTexto& m)
{
    const RecordModel& r = Registro();
    const std::int32_t n = r.NumMuestras();
    // What the page draws, read before anything is: a record closed or
    // replaced under the view fails here.
    const digital::CanalAnalogico canal = digital::LeerCanalAnalogico(d.FilaAnalogica);
    for (const FilaDigitalVista& f : d.Filas) {
        if (f.Canal < 1 || f.Canal > r.EstadosDigitales.Cols() || r.EstadosDigitales.Rows() != n)
            throw VbError(vberr::SubscriptOutOfRange);
    }
    const QString blanco = QStringLiteral(" ");
    const QString a = QStringLiteral("A");

    // Frames.
    FuenteDeMedida(p, m);
    const auto [w, h, f, izq, der, arriba, abajo] = CajaDePagina(p);
    TextosPagina textos(p, f, QRectF(QPointF(izq, arriba), QPointF(der, abajo)));
    p.DrawStyle = 0;
    p.DrawWidth = 1;
    RectanguloImpresora(p, f.Izquierda, f.Arriba, f.Derecha, f.Abajo);
    RectanguloImpresora(p, izq, arriba, der, abajo);

    // Header: the view's title by mode and the record's data file.
    const double finCabecera = f.Derecha - textos.Blanco() / 2;
    textos.ImprimirHasta(TextosIdioma(kTextoTitulo).toUpper() + QStringLiteral("__") +
                             TextosIdioma(d.ModoDigital == 1 ? kTextoGrupo : kTextoComposicion).toUpper(),
                         izq, f.Arriba + m.Alto(QString()), finCabecera);
    (void)textos.ImprimirNombre(r.RutaDat, izq, p.CurrentY, finCabecera, 0,
                                QStringLiteral("Fichero origen : "));

    // The level shown over the box's width; the window's 1200-twip analog
    // band carried to paper with the picture's height as 3/4 of the page's.
    const std::int32_t primera = d.Nivel.Primera;
    const std::int32_t ultima = d.Nivel.Ultima;
    const std::int32_t origen = d.Nivel.Origen;
    if (ultima == primera || d.AltoPicture == 0.0)
        throw VbError(vberr::DivisionByZero);
    if (origen < 1 || ultima > n || origen > ultima)
        throw VbError(vberr::SubscriptOutOfRange);
    const double escalaX = (der - izq) / (static_cast<double>(ultima) - primera);
    const bool ampliada = ultima < n - 1 || primera >= 2;
    const double factor = 0.75 * h / d.AltoPicture;
    const double ceroAnalogico = arriba + digital::YCeroAnalogico * factor;
    const double finBanda = arriba + digital::AltoBandaAnalogica * factor;
    const auto numFilas = static_cast<std::int32_t>(d.Filas.size());
    const double paso = (abajo - arriba - digital::AltoBandaAnalogica * factor) / (numFilas + 1);
    const auto xDe = [&, izq = izq](std::int32_t s) { return (s - origen) * escalaX + izq; };

    // Read-outs under the names, first: the time labels and the cursors'
    // labels give way to them. The first, on the box's foot, stays in the
    // margin left of the box (under it, it would meet the time scale's
    // ticks). Their captions and numbers print whole, in one size in which
    // the first fits its margin.
    const double xLectura = f.Izquierda + m.Ancho(QStringLiteral("AA"));
    {
        const double finPrimera = izq - m.Ancho(blanco);
        const double finOtras = f.Derecha - textos.Blanco() / 2;
        const std::pair<QString, QString> lecturas[3] = {
            {TextosIdioma(kTextoCursor1), QString::number(d.Cursor1)},
            {TextosIdioma(kTextoCursor2), QString::number(d.Cursor2)},
            {TextosIdioma(kTextoTiempo), d.TextoTiempo}};
        TamanoFuente fuente(p);
        fuente.Escala(EscalaQueCabe(p, {{lecturas[0].first + lecturas[0].second, finPrimera - xLectura},
                                        {lecturas[1].first + lecturas[1].second, finOtras - xLectura},
                                        {lecturas[2].first + lecturas[2].second, finOtras - xLectura}}));
        p.CurrentY = abajo;
        for (int i = 0; i < 3; ++i) {
            if (i > 0)
                p.CurrentY += m.Alto(a);
            (void)textos.ImprimirNombre(lecturas[i].first, xLectura, p.CurrentY,
                                        i == 0 ? finPrimera : finOtras, 0, {}, lecturas[i].second);
        }
        // No label of the analog channel's axis (its zero, an extreme)
        // stands among them, where it would be read as one of them.
        textos.ReservarColumna(
            QRectF(QPointF(f.Izquierda, abajo - textos.Linea()), QPointF(izq, p.CurrentY + textos.Linea())));
    }

    // Cursors, their labels under the time labels when there are.
    const std::int32_t m50 = ampliada ? 0 : MuestrasPor50ms();
    const double bajoEscala = m50 > 0 ? FilaEtiquetasTiempo(m, abajo) + textos.Linea() : 0.0;
    const double finCursor2 =
        CursoresImpresos(textos, m,
                         {xDe(d.Cursor1), ColorImpresora(p, kAmarilloImpresora), QStringLiteral("AAAA"),
                          m.Ancho(blanco), QStringLiteral("Cursor 1")},
                         {xDe(d.Cursor2), ColorImpresora(p, kCianImpresora), QStringLiteral("AAA"), 0.0,
                          QStringLiteral("Cursor 2")},
                         arriba, abajo, bajoEscala);

    // Zero line of the band and the rows' base lines, in the cursors' solid
    // pen.
    p.Line(izq, ceroAnalogico, der, ceroAnalogico, 0u);
    for (std::int32_t k = 1; k <= numFilas; ++k)
        p.Line(izq, finBanda + k * paso, der, finBanda + k * paso, 0u);

    // The analog channel: its name and zero left of the band's zero line,
    // its trace over the band, its extremes over the whole record marked
    // once each where the level reaches them.
    // The analog channel's name is told from the record's other channels:
    // the page names one of them.
    const std::uint32_t verde = ColorImpresora(p, kVerdeImpresora);
    (void)EtiquetaConNombre(textos, canal.Nombre, QStringLiteral("    "), QStringLiteral("0") + canal.Unidad,
                            izq - m.Ancho(blanco), ceroAnalogico, verde, RotulosAnalogicos());

    // The digital rows' names, standing on their base lines as on the
    // screen, whatever the rows' pitch (in a smaller font where the rows
    // are closer than its lines), each ending left of the box and giving
    // way against the other rows' names; on two lines where the pitch has
    // room for them.
    {
        QStringList junto;
        for (const FilaDigitalVista& fila : d.Filas)
            junto.append(fila.Nombre);
        TamanoFuente fuente(p);
        if (textos.Linea() > paso)
            fuente.Escala(std::max(0.6, paso / textos.Linea()));
        const int lineas = paso >= 2.5 * textos.Linea() ? 2 : 1;
        const double xNombre = f.Izquierda + m.Ancho(QStringLiteral("AA"));
        const double finNombre = izq - m.Ancho(blanco);
        for (std::int32_t k = 1; k <= numFilas; ++k) {
            const FilaDigitalVista& fila = d.Filas[static_cast<std::size_t>(k - 1)];
            const double base = finBanda + k * paso;
            // Its lines, broken once, stand up from its base line.
            const QStringList t = textos.NombreEnLineas(fila.Nombre, finNombre - xNombre, lineas, {}, junto);
            const double alto = std::max(m.Alto(fila.Nombre), textos.Linea());
            textos.ImprimirLineas(t, xNombre,
                                  base - alto - static_cast<double>(t.size() - 1) * textos.Linea());
        }
    }

    // The group's name block, in group mode: below the band's zero line,
    // or as near above it as it is clear of the names and the channel's.
    if (d.Grupo && d.ModoDigital == 1) {
        const QString titulo = TextosIdioma(kTextoNombreGrupo);
        const double limite = izq - m.Ancho(blanco);
        const double xGrupo = f.Izquierda + m.Ancho(a);
        const auto recorte = [&](const QString& t, double x, double y) {
            QRectF rr = textos.Rectangulo(t, x, y);
            rr.setRight(std::min(rr.right(), limite));
            return rr;
        };
        const double salto = textos.Linea() + m.Alto(a);
        // Half a blank right of the frame's line, which it would touch.
        const double xTitulo = f.Izquierda + m.Ancho(blanco) / 2;
        const auto libre = [&](double y) {
            return textos.Libre(recorte(titulo, xTitulo, y)) &&
                   textos.Libre(recorte(d.GrupoElegido, xGrupo, y + salto));
        };
        double y = ceroAnalogico + m.Alto(a);
        if (!libre(y)) {
            for (double arribaBloque = y - textos.Linea(); arribaBloque >= f.Arriba;
                 arribaBloque -= textos.Linea()) {
                if (libre(arribaBloque)) {
                    y = arribaBloque;
                    break;
                }
            }
        }
        textos.ImprimirHasta(titulo, xTitulo, y, limite);
        (void)textos.ImprimirNombre(d.GrupoElegido, xGrupo, y + salto, limite, 0, {}, {}, d.Grupos);
        // An extreme's value under the group's name would read as the group's.
        textos.ReservarColumna(
            QRectF(QPointF(f.Izquierda, y - textos.Linea()), QPointF(izq, y + salto + 2 * textos.Linea())));
    }

    const std::span<const float> columna = r.Valores.Column(canal.Columna);
    const TracePyramid* tablas = TablaValores(r, canal.Columna);
    const digital::Tramo tramo{origen, ultima, escalaX, p.TwipsPerPixelX(), p.TwipsPerPixelY(), izq};
    const double escalaY = digital::EscalaVertical(columna, tramo, tablas) * factor;
    p.DrawWidth = 2;
    TrazarEnImpresora(p, TramoColumna(r, canal.Columna, origen, ultima),
                      GeometriaImpresora(p, izq, escalaX, ceroAnalogico, escalaY), verde, std::nullopt,
                      TablasTramo(r, canal.Columna, origen));
    ExtremosCanal extremos;
    ExtremosMuestras(columna, tablas, extremos.Minimo, extremos.Maximo);
    const ExtremosAlcanzados alcanzados =
        BuscarExtremos(TramoColumna(r, canal.Columna, origen + 1, ultima), origen + 1, extremos.Maximo,
                       extremos.Minimo, TablasTramo(r, canal.Columna, origen + 1));
    // The band's scale keeps every sample of the level in it, its edges
    // included: a marker is never left out for its height.
    const double sinLimite = std::numeric_limits<double>::max();
    std::vector<MarcadorPagina> marcadores;
    if (alcanzados.UltimoMinimo > 0)
        marcadores.push_back({ceroAnalogico - extremos.Minimo * escalaY,
                              Format(extremos.Minimo, "0.000") + blanco + canal.Unidad, verde});
    if (alcanzados.UltimoMaximo > 0)
        marcadores.push_back({ceroAnalogico - extremos.Maximo * escalaY,
                              Format(extremos.Maximo, "0.000") + blanco + canal.Unidad, verde});
    (void)MarcadoresExtremos(textos, m, marcadores, izq, der, -sinLimite, sinLimite);

    // The digital rows' step boxes: a box per state 1 (merged per device
    // column where the samples are closer than the printer's dots).
    const std::uint32_t azul = ColorImpresora(p, kAzulImpresora);
    p.DrawWidth = 1;
    p.DrawStyle = 0;
    for (std::int32_t k = 1; k <= numFilas; ++k) {
        const FilaDigitalVista& fila = d.Filas[static_cast<std::size_t>(k - 1)];
        CajasEnImpresora(
            p,
            digital::CajasEstados(r.EstadosDigitales.Column(fila.Canal), tramo, TablaEstados(r, fila.Canal)),
            finBanda + k * paso, tramo, azul);
    }

    // The 50 ms scale, on the whole record only, kept inside the box.
    std::optional<double> filaEscala;
    if (m50 > 0) {
        EscalaTiempo escala{
            izq, arriba, abajo, escalaX * m50, (der - izq) / 23.0, CLng(static_cast<double>(n) / m50), true};
        escala.Derecha = der;
        filaEscala = DibujarEscalaTiempo(textos, m, escala);
    }

    // Unit of the time axis, date.
    UnidadMs(textos, m, f.Derecha, filaEscala.value_or(finCursor2));
    ImprimirFecha(p, f, m);
}

} // namespace vesdra
