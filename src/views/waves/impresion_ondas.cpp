#include "views/waves/impresion_ondas.h"

#include <cmath>
#include <span>

#include "platform/base/formats.h"
#include "platform/base/numeric.h"
#include "platform/base/vb_error.h"
#include "platform/messages.h"
#include "platform/printer.h"
#include "record/canales.h"
#include "record/helpers.h"
#include "record/record_model.h"
#include "shell/language.h"

namespace vesdra
{

namespace
{

// The page both waveform printouts share: the frame, and the plot box from
// 0.15 to 0.92 of the width and from 0.05 of the width (not the height)
// down to 0.82 of the height.
struct CajaPagina {
    double Ancho{0.0};
    double Alto{0.0};
    MarcoPagina Marco{};
    double Izquierda{0.0};
    double Derecha{0.0};
    double Arriba{0.0};
    double Abajo{0.0};
};
CajaPagina CajaDePagina(const Printer& p)
{
    const double w = p.Width();
    const double h = p.Height();
    return {w, h, MarcoDePagina(p), 0.15 * w, 0.92 * w, 0.05 * w, 0.82 * h};
}

// Nearest whole number, halves to even; 32-bit as every rounded page value.
double Cerca(double x)
{
    return static_cast<double>(CLng(x));
}

// A channel row's column of Valores, checked against the record as it is
// now (the close command may have emptied it under the open view).
std::int32_t ColumnaFila(const RecordModel& r, std::int32_t fila)
{
    if (fila < 1 || fila > r.TablaCanales.Rows() || r.TablaCanales.Cols() < 4)
        throw VbError(vberr::SubscriptOutOfRange);
    const std::int32_t c = ColumnaDeCanalOError(r.TablaCanales(fila, 1), r.Valores.Cols());
    if (c > r.MinimosCanal.Size() || c > r.MaximosCanal.Size())
        throw VbError(vberr::SubscriptOutOfRange);
    return c;
}

float ValorMuestra(const RecordModel& r, std::int32_t muestra, std::int32_t c)
{
    if (muestra < 1 || muestra > r.NumMuestras())
        throw VbError(vberr::SubscriptOutOfRange);
    return r.Valores(muestra, c);
}

// Samples primera..ultima (1-based, within the column) of a column.
std::span<const float> Tramo(const RecordModel& r, std::int32_t c, std::int32_t primera, std::int32_t ultima)
{
    if (primera > ultima)
        return {};
    if (primera < 1 || ultima > r.NumMuestras())
        throw VbError(vberr::SubscriptOutOfRange);
    return r.Valores.Column(c).subspan(static_cast<size_t>(primera - 1),
                                       static_cast<size_t>(ultima - primera + 1));
}

// Which extremes of a channel the samples reach, and the last sample that
// reaches each (0: none).
struct Extremos {
    std::int64_t UltimoMaximo{0};
    std::int64_t UltimoMinimo{0};
};
Extremos BuscarExtremos(std::span<const float> tramo, std::int32_t primera, float maximo, float minimo)
{
    Extremos e;
    for (size_t i = 0; i < tramo.size(); ++i) {
        if (tramo[i] == maximo)
            e.UltimoMaximo = primera + static_cast<std::int64_t>(i);
        if (tramo[i] == minimo)
            e.UltimoMinimo = primera + static_cast<std::int64_t>(i);
    }
    return e;
}

// A cursor: dashed line across the plot, a solid tick below it and its
// label under the tick, all in its colour. Returns the tick's lower end.
double CursorImpreso(Printer& p, const MedidaTexto& m, double x, double arriba, double abajo,
                     std::uint32_t color, const QString& largoTick, double hueco, const QString& etiqueta)
{
    p.DrawWidth = 2;
    p.DrawStyle = 1;
    p.Line(x, arriba, x, abajo, color);
    p.DrawStyle = 0;
    p.DrawWidth = 3;
    const double fin = abajo + m.Ancho(largoTick);
    p.Line(x, abajo, x, fin, color);
    p.CurrentY = fin + hueco; // CurrentX stays where the tick ended
    p.ForeColor = color;
    p.Print(etiqueta);
    p.ForeColor = 0;
    return fin;
}

// An extreme's marker: a dotted line from just left of the plot to its
// right side and the value with its unit left of the plot, when the height
// lies inside the plot.
void MarcadorExtremo(Printer& p, const MedidaTexto& m, double y, double izquierda, double derecha,
                     double arriba, double abajo, const QString& etiqueta, std::uint32_t color)
{
    if (!(y > arriba && y < abajo))
        return;
    p.DrawStyle = 2;
    p.DrawWidth = 1;
    p.Line(izquierda - m.Ancho(QStringLiteral(" ")), y, derecha, y, color);
    p.CurrentX = izquierda - m.Ancho(etiqueta + QStringLiteral("  "));
    p.CurrentY = y;
    p.DrawStyle = 0;
    p.ForeColor = color;
    p.Print(etiqueta);
    p.ForeColor = 0;
}

// The page's title and the record's data-file path below it.
void Encabezado(Printer& p, const MedidaTexto& m, double x, double arriba)
{
    p.CurrentX = x;
    p.CurrentY = arriba + m.Alto(QString());
    p.Print(TextosIdioma(60).toUpper());
    p.CurrentX = x;
    p.Print(TextosIdioma(265) + Registro().RutaDat);
}

// The 50 ms time scale of a page showing the whole record.
struct EscalaTiempo {
    double Izquierda{0.0}; // box left: time 0
    double Arriba{0.0};
    double Abajo{0.0};
    double Paso{0.0};       // page distance of 50 ms
    double Columna{0.0};    // the density unit: a 23rd of the box width
    std::int32_t Marcas{0}; // 50 ms steps in the record
    // The stacked page measures a label by its digits, draws the half-step
    // lines from 2 units apart and the fifth-step lines from 5 (both when
    // both hold); the waveform page measures the printed number with its
    // sign blank and draws either the fifths or the halves.
    bool Apilada{false};
};

// Draws the time scale: per 50 ms a dotted line across the box, a tick
// below it and, when the ticks are far enough apart, its label ("100" on
// the second tick always); finer dotted lines where 50 ms is wide. Each
// line stands where its time falls (no rounding carried from one line to
// the next), a line in the device column of the one before adds nothing
// and is left out, and nothing is drawn past the sheet. Returns the row of
// the labels, or nothing when there was no tick.
std::optional<double> DibujarEscalaTiempo(Printer& p, const MedidaTexto& m, const EscalaTiempo& e)
{
    const double ancho = p.Width();
    const double tpp = p.TwipsPerPixelX();
    const double base = Cerca(e.Izquierda);
    const double filaEtiquetas = e.Abajo + m.Ancho(QStringLiteral("A"));
    const auto columna = [tpp](double x) { return std::floor(x / tpp + 0.5); };
    double ultimaLinea = std::nan("");
    double ultimoTick = std::nan("");
    // A dotted line across the box; false once x is off the sheet.
    const auto linea = [&](double x) {
        if (x > ancho)
            return false;
        if (columna(x) != ultimaLinea) {
            p.DrawStyle = 2;
            p.Line(x, e.Arriba, x, e.Abajo, 0u);
            ultimaLinea = columna(x);
        }
        return true;
    };

    std::optional<double> fila;
    const bool etiquetas = e.Paso >= e.Columna / 1.5;
    for (std::int32_t i = 1; i <= e.Marcas; ++i) {
        const double x = Cerca(base + i * e.Paso);
        const bool etiqueta = i == 2 || etiquetas;
        const QString numero = etiqueta ? Str(i * 50.0) : QString();
        const double mitad = etiqueta ? m.Ancho(e.Apilada ? numero.trimmed() : numero) / 2 : 0.0;
        if (!linea(x) && !(etiqueta && x - mitad <= ancho))
            break;
        if (columna(x) != ultimoTick) {
            p.DrawStyle = 0;
            p.DrawWidth = 1;
            p.Line(x, e.Abajo, x, filaEtiquetas, 0u);
            ultimoTick = columna(x);
        }
        fila = filaEtiquetas;
        if (etiqueta) {
            p.CurrentX = x - mitad;
            p.CurrentY = filaEtiquetas;
            p.Print(i == 2 ? QStringLiteral("100") : numero + QStringLiteral(" "));
        }
    }
    const bool quintos = e.Paso >= 5 * e.Columna;
    const bool medios = e.Apilada ? e.Paso >= 2 * e.Columna : !quintos && e.Paso >= 2 * e.Columna;
    if (medios) {
        for (std::int32_t i = 1; i <= e.Marcas; ++i) {
            if (!linea(Cerca(e.Paso / 2 + e.Izquierda + (i - 1) * e.Paso)))
                break;
        }
    }
    if (quintos) {
        bool enHoja = true;
        for (std::int32_t i = 1; i <= e.Marcas && enHoja; ++i) {
            const double desde = Cerca((i - 1) * e.Paso + base);
            for (int q = 1; q <= 4 && enHoja; ++q)
                enHoja = linea(Cerca(desde + q * e.Paso / 5));
        }
    }
    p.DrawStyle = 0;
    return fila;
}

// Samples per 50 ms at the record's rate; 0 when there is no time scale to
// draw (a rate under 10 per second, or none).
std::int32_t MuestrasPor50ms()
{
    const std::int32_t tasa = FrecuenciaMuestreo();
    if (tasa <= 0)
        return 0;
    return CLng(50.0 / (1000.0 / tasa));
}

} // namespace

std::optional<RechazoPagina> PaginaOnda(Printer& p, const DatosPaginaOnda& d, const MedidaTexto& m)
{
    const RecordModel& r = Registro();
    const std::int32_t c = ColumnaFila(r, d.CanalVentana);
    const QString u = r.TablaCanales(d.CanalVentana, 4);
    const std::int32_t n = r.NumMuestras();
    const QString blanco = QStringLiteral(" ");

    // 1. Pens, font and positions.
    FuenteDeMedida(p, m);
    p.DrawStyle = 0;
    p.DrawWidth = 1;
    const auto [w, h, f, izq, der, arriba, abajo] = CajaDePagina(p);
    const double pasoValor = (abajo - arriba) / 16.0;
    const double columna = (der - izq) / 23.0;
    const double x0 = f.Izquierda + m.Ancho(blanco);
    const double x1 = f.Izquierda + m.Ancho(QStringLiteral("AA"));

    // 2. Left column: the channel, both cursors, time and difference.
    p.CurrentX = x0;
    p.CurrentY = arriba;
    p.Print(TextosIdioma(74));
    p.CurrentX = x1;
    p.CurrentY += m.Alto(QString());
    p.Print(NombreCanalId(d.CanalVentana));
    p.CurrentY += m.Alto(QString());
    const auto lecturaCursor = [&](const QString& titulo, std::int32_t muestra) {
        p.CurrentX = x0;
        p.CurrentY += m.Alto(blanco);
        p.Print(titulo);
        p.CurrentX = x1;
        p.CurrentY += m.Alto(blanco);
        p.Print(TextosIdioma(266) + Str(muestra));
        p.CurrentX = x1;
        p.CurrentY += m.Alto(blanco);
        p.Print(NombreCanal(d.CanalVentana) + QStringLiteral(": "));
        p.CurrentX = x1;
        p.CurrentY += m.Alto(QString());
        p.Print(Format(ValorMuestra(r, muestra, c), "0.000") + blanco + u);
    };
    lecturaCursor(QStringLiteral(" Cursor 1: "), d.Cursor1);
    lecturaCursor(QStringLiteral("Cursor 2 : "), d.Cursor2);
    for (const auto& [titulo, valor] :
         {std::pair{TextosIdioma(264), d.TextoTiempo}, std::pair{TextosIdioma(267), d.TextoDiferencia}}) {
        p.CurrentX = x0;
        p.CurrentY += m.Alto(blanco);
        p.Print(titulo);
        p.CurrentX = x1;
        p.CurrentY += m.Alto(blanco);
        p.Print(valor);
    }

    // 3.-5. Frames, vertical scale, title.
    RectanguloImpresora(p, f.Izquierda, f.Arriba, f.Derecha, f.Abajo);
    RectanguloImpresora(p, izq, arriba, der, abajo);
    if (d.AltoPicture == 0.0)
        throw VbError(vberr::DivisionByZero);
    const double k = 0.75 * h / d.AltoPicture;
    Encabezado(p, m, izq, f.Arriba);

    // 6. The level's samples, with its own vertical factor.
    const std::optional<RangoMuestras> rango = RangoDeNivel(d.Nivel, n);
    if (!rango)
        return RechazoPagina{TextoRangoVacio, vbOKOnly};
    const std::int32_t inicio = rango->Inicio;
    const std::int32_t fin = rango->Fin;
    const double sx = (der - izq) / (fin - inicio);
    const bool ampliada = fin < n - 1 || inicio > 1;
    const double factor = d.Nivel.FactorZoom;

    // 7. Zero line and its label.
    const double y0 = k * d.Nivel.OrigenY + arriba;
    p.DrawStyle = 0;
    p.DrawWidth = 1;
    if (d.Nivel.OrigenY < d.Nivel.Alto)
        p.Line(izq, y0, der, y0, 0u);
    const QString cero = QStringLiteral("0 ") + u;
    p.CurrentX = izq - m.Ancho(cero + blanco);
    p.CurrentY = y0;
    p.Print(cero);

    // 8.-9. Cursors.
    const std::uint32_t amarillo = ColorImpresora(p, kAmarilloImpresora);
    const std::uint32_t cian = ColorImpresora(p, kCianImpresora);
    (void)CursorImpreso(p, m, (d.Cursor1 - inicio) * sx + izq, arriba, abajo, amarillo,
                        QStringLiteral("AAAA"), m.Ancho(blanco), QStringLiteral("Cursor 1"));
    (void)CursorImpreso(p, m, (d.Cursor2 - inicio) * sx + izq, arriba, abajo, cian, QStringLiteral("AAA"),
                        0.0, QStringLiteral("Cursor 2"));

    // 10. Extremes: each marked once; the one the samples reach last gives
    // the value grid its step.
    const std::span<const float> tramo = Tramo(r, c, inicio, fin);
    const float maximo = r.MaximosCanal(c);
    const float minimo = r.MinimosCanal(c);
    const double escala = factor * d.EscalaY * k;
    const auto yDe = [&](float v) { return y0 - factor * v * d.EscalaY * k; };
    const std::uint32_t azul = ColorImpresora(p, kAzulImpresora);
    const Extremos e = BuscarExtremos(tramo, inicio, maximo, minimo);
    double nGrid = 0.0;
    double vGrid = 0.0;
    if (e.UltimoMaximo > 0) {
        const double y = yDe(maximo);
        MarcadorExtremo(p, m, y, izq, der, arriba, abajo, Format(maximo, "0.000") + blanco + u, azul);
        nGrid = (y0 - y) / pasoValor;
        vGrid = nGrid == 0.0 ? 0.0 : maximo / nGrid;
    }
    if (e.UltimoMinimo > 0) {
        const double y = yDe(minimo);
        MarcadorExtremo(p, m, y, izq, der, arriba, abajo, Format(minimo, "0.000") + blanco + u, azul);
        // At one sample the minimum is looked at after the maximum.
        if (e.UltimoMinimo >= e.UltimoMaximo) {
            nGrid = (y - y0) / pasoValor;
            vGrid = nGrid == 0.0 ? 0.0 : std::fabs(minimo) / nGrid;
        }
    }

    // 11. The trace, clipped to the plot's height.
    p.DrawWidth = 3;
    TrazarEnImpresora(p, tramo, GeometriaImpresora(p, izq, sx, y0, escala), azul, BandaY{arriba, abajo});
    p.DrawWidth = 1;

    // 12.-13. Value grid and time scale, on the whole record only.
    p.DrawStyle = 2;
    const std::int32_t m50 = MuestrasPor50ms();
    if (!ampliada) {
        if (nGrid != 0.0 || vGrid != 0.0) {
            for (const int sentido : {-1, 1}) {
                for (int j = 1; j <= 7; ++j) {
                    const double y = y0 + sentido * Cerca(j * pasoValor);
                    p.Line(izq, y, der, y, 0u);
                    const QString g = Format(j * vGrid, "#.##") + blanco + u;
                    p.CurrentX = izq - m.Ancho(g + QStringLiteral("  "));
                    p.CurrentY = y;
                    p.Print(sentido < 0 ? g : QStringLiteral("-") + g);
                }
            }
        }
        if (m50 > 0)
            (void)DibujarEscalaTiempo(
                p, m, {izq, arriba, abajo, sx * m50, columna, CLng(static_cast<double>(n) / m50), false});
    }

    // 14.-15. Unit of the time scale, date.
    p.CurrentX = der - m.Ancho(QStringLiteral("  ms "));
    p.CurrentY = abajo + m.Ancho(ampliada ? QStringLiteral("AAA") : QStringLiteral("A"));
    p.Print(QStringLiteral("  ms"));
    p.DrawStyle = 0;
    ImprimirFecha(p, f, m);
    return std::nullopt;
}

void PaginaTodo(Printer& p, const DatosPaginaTodo& d, const MedidaTexto& m)
{
    const RecordModel& r = Registro();
    const std::int32_t numBandas = static_cast<std::int32_t>(d.Filas.size());
    const QString blanco = QStringLiteral(" ");
    const QString a = QStringLiteral("A");

    // 1. Font and positions.
    FuenteDeMedida(p, m);
    const auto [w, h, f, izq, der, arriba, abajo] = CajaDePagina(p);
    if (numBandas == 0)
        throw VbError(vberr::DivisionByZero);
    const double altoBanda = 0.75 * h / numBandas;
    const auto centro = [&](std::int32_t b) { return arriba + (b - 1) * altoBanda + altoBanda / 2; };

    // The bands' rows with their columns, units and peaks, read first: a
    // table emptied under the view fails here, before anything is drawn.
    std::vector<CanalBanda> canales;
    for (const std::int32_t fila : d.Filas) {
        CanalBanda c;
        c.Fila = fila;
        c.Columna = ColumnaFila(r, fila);
        c.Unidad = r.TablaCanales(fila, 4).trimmed();
        c.Extremo = std::max(std::fabs(r.MinimosCanal(c.Columna)), std::fabs(r.MaximosCanal(c.Columna)));
        c.Visible = true;
        canales.push_back(std::move(c));
    }

    // 2.-3. Header and frames.
    Encabezado(p, m, izq, f.Arriba);
    p.DrawStyle = 0;
    p.DrawWidth = 1;
    RectanguloImpresora(p, f.Izquierda, f.Arriba, f.Derecha, f.Abajo);
    RectanguloImpresora(p, izq, arriba, der, abajo);

    // 4. The level shown.
    const std::int32_t primera = d.Nivel.Primera;
    const std::int32_t ultima = d.Nivel.Ultima;
    const std::int32_t primeraMuestra = d.Nivel.PrimeraMuestra;
    if (ultima == primera)
        throw VbError(vberr::DivisionByZero);
    const double escalaX = (der - izq) / (static_cast<double>(ultima) - primera);
    const bool completa = primera <= 1 && ultima >= r.NumMuestras() - 1;

    // 5. Zero lines.
    for (std::int32_t b = 1; b <= numBandas; ++b)
        p.Line(izq, centro(b), der, centro(b), 0u);

    // 6.-7. Cursors.
    (void)CursorImpreso(p, m, (d.Cursor1 - primeraMuestra) * escalaX + izq, arriba, abajo,
                        ColorImpresora(p, kAmarilloImpresora), QStringLiteral("AAAA"), m.Ancho(blanco),
                        QStringLiteral("Cursor 1"));
    double finTick = CursorImpreso(p, m, (d.Cursor2 - primeraMuestra) * escalaX + izq, arriba, abajo,
                                   ColorImpresora(p, kAzulImpresora), QStringLiteral("AAA"), 0.0,
                                   QStringLiteral("Cursor 2"));

    // 8. Band labels.
    for (std::int32_t b = 1; b <= numBandas; ++b) {
        const CanalBanda& c = canales[static_cast<size_t>(b - 1)];
        QString texto;
        if (numBandas >= 5) {
            texto = blanco + NombreCanal(c.Fila);
            p.CurrentX = der + m.Ancho(blanco);
        } else {
            texto = NombreCanal(c.Fila) + QStringLiteral("    0") + r.TablaCanales(c.Fila, 4);
            p.CurrentX = izq - m.Ancho(texto + blanco);
        }
        p.CurrentY = centro(b);
        p.ForeColor = ColorTrazaImpresora(p, c.Fila);
        p.Print(texto);
        p.ForeColor = 0;
    }

    // 9. Left column: the channels, then each cursor's sample and values.
    const double xTitulo = f.Izquierda + m.Ancho(a);
    const double xEntrada = f.Izquierda + m.Ancho(QStringLiteral("AA"));
    p.CurrentX = xTitulo;
    p.CurrentY = f.Arriba;
    p.Print(TextosIdioma(31) + QStringLiteral(":"));
    p.CurrentY = f.Arriba + m.Alto(a);
    for (const CanalBanda& c : canales) {
        p.CurrentX = xEntrada;
        p.Print(NombreCanal(c.Fila));
        p.CurrentY += m.Alto(a);
    }
    for (const auto& [titulo, muestra] : {std::pair{QStringLiteral("Cursor 1: "), d.Cursor1},
                                          std::pair{QStringLiteral("Cursor 2: "), d.Cursor2}}) {
        p.CurrentY += m.Alto(a);
        p.CurrentX = xTitulo;
        p.Print(titulo);
        p.CurrentY += m.Alto(a);
        p.CurrentX = xEntrada;
        p.Print(TextosIdioma(266) + QString::number(muestra));
        p.CurrentY += m.Alto(a);
        for (const CanalBanda& c : canales) {
            p.CurrentX = xEntrada;
            p.Print(NombreCanal(c.Fila) + QStringLiteral(": ") +
                    Format(ValorMuestra(r, muestra, c.Columna), "0.000") + r.TablaCanales(c.Fila, 4));
            p.CurrentY += m.Alto(QString());
        }
    }

    // 10.-11. Each band's trace over its full scale (current and voltage
    // bands share theirs), with its extremes marked once.
    const EscalasAV escalas = EscalasCompartidas(canales);
    for (std::int32_t b = 1; b <= numBandas; ++b) {
        const CanalBanda& c = canales[static_cast<size_t>(b - 1)];
        const double ys = EscalaYBanda(altoBanda, FondoEscalaBanda(c, escalas, altoBanda));
        const double y0 = centro(b);
        const std::uint32_t color = ColorTrazaImpresora(p, c.Fila);
        const QString unidad = r.TablaCanales(c.Fila, 4);
        const std::span<const float> tramo = Tramo(r, c.Columna, primeraMuestra, ultima - 1);
        const float minimo = r.MinimosCanal(c.Columna);
        const float maximo = r.MaximosCanal(c.Columna);
        const Extremos e = BuscarExtremos(tramo, primeraMuestra, maximo, minimo);
        if (e.UltimoMinimo > 0)
            MarcadorExtremo(p, m, y0 - minimo * ys, izq, der, arriba, abajo,
                            Format(minimo, "0.000") + blanco + unidad, color);
        if (e.UltimoMaximo > 0)
            MarcadorExtremo(p, m, y0 - maximo * ys, izq, der, arriba, abajo,
                            Format(maximo, "0.000") + blanco + unidad, color);
        p.DrawWidth = 3;
        TrazarEnImpresora(p, tramo, GeometriaImpresora(p, izq, escalaX, y0, ys), color);
        p.DrawWidth = 1;
    }

    // 12. Time grid, on the whole record only.
    const std::int32_t s50 = completa ? MuestrasPor50ms() : 0;
    if (s50 > 0) {
        const std::optional<double> fila =
            DibujarEscalaTiempo(p, m,
                                {izq, arriba, abajo, escalaX * s50, (der - izq) / 23.0,
                                 CLng(static_cast<double>(r.NumMuestras()) / s50), true});
        if (fila)
            finTick = *fila;
    }

    // 13.-14. Unit of the time axis, time between the cursors, date.
    p.CurrentX = f.Derecha - m.Ancho(QStringLiteral("  ms "));
    p.CurrentY = finTick;
    p.Print(QStringLiteral("  ms"));
    p.DrawStyle = 0;
    p.CurrentX =
        (f.Derecha - f.Izquierda) / 2 - m.Ancho(QStringLiteral("Tiempo entre cursores : ") + d.TextoTiempo);
    p.CurrentY = f.Abajo - m.Alto(d.TextoTiempo);
    p.Print(TextosIdioma(264) + d.TextoTiempo);
    ImprimirFecha(p, f, m);
}

} // namespace vesdra
