#include "views/waves/impresion_ondas.h"

#include <cmath>
#include <span>

#include "platform/base/formats.h"
#include "platform/base/numeric.h"
#include "platform/base/vb_error.h"
#include "platform/messages.h"
#include "platform/printer.h"
#include "record/helpers.h"
#include "record/record_model.h"
#include "shell/impresion_piezas.h"
#include "shell/language.h"

namespace vesdra {

namespace {

// A column's extremes as the record holds it now, the side in force (both
// from 0, through its block tables): never those some view took earlier.
struct ExtremosColumna {
    float Minimo{0.0f};
    float Maximo{0.0f};
};
ExtremosColumna ExtremosDe(const RecordModel& r, std::int32_t c)
{
    ExtremosColumna e;
    ExtremosDesdeCero(r.Valores.Column(c), TablaValores(r, c), e.Minimo, e.Maximo);
    return e;
}

} // namespace

std::optional<RechazoPagina> PaginaOnda(Printer& p, const DatosPaginaOnda& d, const MedidaTexto& m)
{
    const RecordModel& r = Registro();
    const std::int32_t c = ColumnaFila(d.CanalVentana);
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
    TextosPagina textos(p, f, QRectF(QPointF(izq, arriba), QPointF(der, abajo)));

    // 2. Left column: the channel, both cursors, time and difference, each
    // line ending left of the plot box. One size for all of it, in which
    // every value fits whole; a name or caption too long gives way in the
    // middle.
    {
        const double limite = izq - m.Ancho(blanco);
        const QString valor1 = Format(ValorMuestra(r, d.Cursor1, c), "0.000") + blanco + u;
        const QString valor2 = Format(ValorMuestra(r, d.Cursor2, c), "0.000") + blanco + u;
        const QString puntos = QStringLiteral("\u2026");
        TamanoFuente fuente(p);
        fuente.Escala(EscalaQueCabe(p, {{puntos + Str(d.Cursor1), limite - x1},
                                        {puntos + Str(d.Cursor2), limite - x1},
                                        {valor1, limite - x1},
                                        {valor2, limite - x1},
                                        {d.TextoTiempo, limite - x1},
                                        {d.TextoDiferencia, limite - x1}}));
        const auto lectura = [&](const QString& t) {
            textos.ImprimirHasta(t, p.CurrentX, p.CurrentY, limite);
        };
        const auto nombre = [&](const QString& n, const QString& despues) {
            (void)textos.ImprimirNombre(n, p.CurrentX, p.CurrentY, limite, 0, {}, despues);
        };
        p.CurrentX = x0;
        p.CurrentY = arriba;
        lectura(TextosIdioma(74));
        p.CurrentX = x1;
        p.CurrentY += m.Alto(QString());
        nombre(NombreCanalId(d.CanalVentana), {});
        p.CurrentY += m.Alto(QString());
        const auto lecturaCursor = [&](const QString& titulo, std::int32_t muestra, const QString& valor) {
            p.CurrentX = x0;
            p.CurrentY += m.Alto(blanco);
            lectura(titulo);
            p.CurrentX = x1;
            p.CurrentY += m.Alto(blanco);
            nombre(TextosIdioma(266), Str(muestra));
            p.CurrentX = x1;
            p.CurrentY += m.Alto(blanco);
            nombre(NombreCanal(d.CanalVentana), QStringLiteral(": "));
            p.CurrentX = x1;
            p.CurrentY += m.Alto(QString());
            lectura(valor);
        };
        lecturaCursor(QStringLiteral(" Cursor 1: "), d.Cursor1, valor1);
        lecturaCursor(QStringLiteral("Cursor 2 : "), d.Cursor2, valor2);
        for (const auto& [titulo, valor] :
             {std::pair{TextosIdioma(264), d.TextoTiempo}, std::pair{TextosIdioma(267), d.TextoDiferencia}}) {
            p.CurrentX = x0;
            p.CurrentY += m.Alto(blanco);
            lectura(titulo);
            p.CurrentX = x1;
            p.CurrentY += m.Alto(blanco);
            lectura(valor);
        }
    }

    // 3.-5. Frames, vertical scale, title.
    RectanguloImpresora(p, f.Izquierda, f.Arriba, f.Derecha, f.Abajo);
    RectanguloImpresora(p, izq, arriba, der, abajo);
    if (d.AltoPicture == 0.0)
        throw VbError(vberr::DivisionByZero);
    const double k = 0.75 * h / d.AltoPicture;
    Encabezado(textos, m, izq, f.Arriba, 60);

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
    (void)EtiquetaDeLinea(textos, cero, izq - m.Ancho(cero + blanco), y0);

    // 8.-9. Cursors, their labels under the time labels when there are.
    const std::int32_t m50 = MuestrasPor50ms();
    const bool conEscala = !ampliada && m50 > 0;
    const double bajoEscala = conEscala ? FilaEtiquetasTiempo(m, abajo) + textos.Linea() : 0.0;
    const std::uint32_t amarillo = ColorImpresora(p, kAmarilloImpresora);
    const std::uint32_t cian = ColorImpresora(p, kCianImpresora);
    (void)CursoresImpresos(
        textos, m,
        {(d.Cursor1 - inicio) * sx + izq, amarillo, QStringLiteral("AAAA"), m.Ancho(blanco),
         QStringLiteral("Cursor 1")},
        {(d.Cursor2 - inicio) * sx + izq, cian, QStringLiteral("AAA"), 0.0, QStringLiteral("Cursor 2")},
        arriba, abajo, bajoEscala);

    // 10. Extremes: each marked once; the one the samples reach last gives
    // the value grid its step.
    const std::span<const float> tramo = TramoColumna(r, c, inicio, fin);
    const auto [minimo, maximo] = ExtremosDe(r, c);
    const double escala = factor * d.EscalaY * k;
    const auto yDe = [&](float v) { return y0 - factor * v * d.EscalaY * k; };
    const std::uint32_t azul = ColorImpresora(p, kAzulImpresora);
    const ExtremosAlcanzados e = BuscarExtremos(tramo, inicio, maximo, minimo, TablasTramo(r, c, inicio));
    double nGrid = 0.0;
    double vGrid = 0.0;
    std::vector<MarcadorPagina> marcadores;
    if (e.UltimoMaximo > 0) {
        const double y = yDe(maximo);
        marcadores.push_back({y, Format(maximo, "0.000") + blanco + u, azul});
        nGrid = (y0 - y) / pasoValor;
        vGrid = nGrid == 0.0 ? 0.0 : maximo / nGrid;
    }
    if (e.UltimoMinimo > 0) {
        const double y = yDe(minimo);
        marcadores.push_back({y, Format(minimo, "0.000") + blanco + u, azul});
        // At one sample the minimum is looked at after the maximum.
        if (e.UltimoMinimo >= e.UltimoMaximo) {
            nGrid = (y - y0) / pasoValor;
            vGrid = nGrid == 0.0 ? 0.0 : std::fabs(minimo) / nGrid;
        }
    }
    MarcadoresExtremos(textos, m, marcadores, izq, der, arriba, abajo);

    // 11. The trace, clipped to the plot's height.
    p.DrawWidth = 3;
    TrazarEnImpresora(p, tramo, GeometriaImpresora(p, izq, sx, y0, escala), azul, BandaY{arriba, abajo},
                      TablasTramo(r, c, inicio));
    p.DrawWidth = 1;

    // 12.-13. Value grid and time scale, on the whole record only.
    p.DrawStyle = 2;
    const double filaMs = abajo + m.Ancho(ampliada ? QStringLiteral("AAA") : QStringLiteral("A"));
    if (!ampliada) {
        if (nGrid != 0.0 || vGrid != 0.0) {
            for (const int sentido : {-1, 1}) {
                for (int j = 1; j <= 7; ++j) {
                    const double y = y0 + sentido * Cerca(j * pasoValor);
                    p.Line(izq, y, der, y, 0u);
                    const QString g = Format(j * vGrid, "#.##") + blanco + u;
                    // A grid value gives way to the extremes' and the zero's.
                    const QString t = sentido < 0 ? g : QStringLiteral("-") + g;
                    (void)textos.ImprimirSiLibre(
                        t, textos.FueraDeCaja(t, izq - m.Ancho(g + QStringLiteral("  ")), y), y);
                }
            }
        }
        if (m50 > 0)
            (void)DibujarEscalaTiempo(
                textos, m,
                {izq, arriba, abajo, sx * m50, columna, CLng(static_cast<double>(n) / m50), false});
    }

    // 14.-15. Unit of the time scale, date.
    UnidadMs(textos, m, der, filaMs);
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
    const auto centro = [&, arriba = arriba](std::int32_t b) {
        return arriba + (b - 1) * altoBanda + altoBanda / 2;
    };

    // The bands' rows with their columns, units and peaks, read first: a
    // table emptied under the view fails here, before anything is drawn.
    std::vector<CanalBanda> canales;
    std::vector<ExtremosColumna> extremos;
    for (const std::int32_t fila : d.Filas) {
        CanalBanda c;
        c.Fila = fila;
        c.Columna = ColumnaFila(fila);
        c.Unidad = r.TablaCanales(fila, 4).trimmed();
        const ExtremosColumna e = ExtremosDe(r, c.Columna);
        c.Extremo = std::max(std::fabs(e.Minimo), std::fabs(e.Maximo));
        c.Visible = true;
        canales.push_back(std::move(c));
        extremos.push_back(e);
    }

    // 2.-3. Header and frames.
    TextosPagina textos(p, f, QRectF(QPointF(izq, arriba), QPointF(der, abajo)));
    Encabezado(textos, m, izq, f.Arriba, 60);
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
    const std::int32_t s50 = completa ? MuestrasPor50ms() : 0;

    // 5. Zero lines.
    for (std::int32_t b = 1; b <= numBandas; ++b)
        p.Line(izq, centro(b), der, centro(b), 0u);

    // 6.-7. Cursors, their labels under the time labels when there are.
    const double bajoEscala = s50 > 0 ? FilaEtiquetasTiempo(m, abajo) + textos.Linea() : 0.0;
    double finTick =
        CursoresImpresos(textos, m,
                         {(d.Cursor1 - primeraMuestra) * escalaX + izq, ColorImpresora(p, kAmarilloImpresora),
                          QStringLiteral("AAAA"), m.Ancho(blanco), QStringLiteral("Cursor 1")},
                         {(d.Cursor2 - primeraMuestra) * escalaX + izq, ColorImpresora(p, kAzulImpresora),
                          QStringLiteral("AAA"), 0.0, QStringLiteral("Cursor 2")},
                         arriba, abajo, bajoEscala);

    // Each band's extremes reached in the level.
    const EscalasAV escalas = EscalasCompartidas(canales);
    std::vector<ExtremosAlcanzados> alcanzados;
    for (std::size_t i = 0; i < canales.size(); ++i) {
        const CanalBanda& c = canales[i];
        const std::span<const float> tramo = TramoColumna(r, c.Columna, primeraMuestra, ultima - 1);
        alcanzados.push_back(BuscarExtremos(tramo, primeraMuestra, extremos[i].Maximo, extremos[i].Minimo,
                                            TablasTramo(r, c.Columna, primeraMuestra)));
    }
    const auto extremo = [&](std::int32_t b, bool maximo) {
        const ExtremosColumna& e = extremos[static_cast<size_t>(b - 1)];
        return maximo ? e.Maximo : e.Minimo;
    };
    const auto yExtremo = [&](std::int32_t b, bool maximo) {
        const CanalBanda& c = canales[static_cast<size_t>(b - 1)];
        const double ys = EscalaYBanda(altoBanda, FondoEscalaBanda(c, escalas, altoBanda));
        return centro(b) - extremo(b, maximo) * ys;
    };
    const auto etiquetaExtremo = [&](std::int32_t b, bool maximo) {
        const CanalBanda& c = canales[static_cast<size_t>(b - 1)];
        return Format(extremo(b, maximo), "0.000") + blanco + r.TablaCanales(c.Fila, 4);
    };
    const double finEtiqueta = izq - m.Ancho(blanco);
    // From five bands a band's name stands right of the plot where the
    // frame leaves it room enough to tell the channel by; else left of it.
    const double xDerecha = der + m.Ancho(blanco);
    const double finDerecha = f.Derecha - textos.Blanco() / 2;
    const auto aLaDerecha = [&](const CanalBanda& c) {
        const QString nombre = NombreCanal(c.Fila);
        const QString t = textos.NombreQueCabe(nombre, finDerecha - xDerecha, blanco);
        return t.size() - 1 >= MenorNombre(nombre) ? std::optional<QString>(t) : std::nullopt;
    };

    // 8. Band labels: up to four bands left of the plot with the zero and
    // units; from five the name alone, right of the plot where it has room,
    // else left of it. A name gives way in the middle, the zero and unit
    // stay whole. The read-outs make way for them.
    for (std::int32_t b = 1; b <= numBandas; ++b) {
        const CanalBanda& c = canales[static_cast<size_t>(b - 1)];
        const std::uint32_t color = ColorTrazaImpresora(p, c.Fila);
        const double y = centro(b);
        if (numBandas >= 5) {
            const std::optional<QString> derecha = aLaDerecha(c);
            if (!derecha || !textos.ImprimirSiLibre(*derecha, xDerecha, y, color))
                (void)EtiquetaConNombre(textos, NombreCanal(c.Fila), {}, {}, finEtiqueta, y, color);
        } else {
            (void)EtiquetaConNombre(textos, NombreCanal(c.Fila), QStringLiteral("    "),
                                    QStringLiteral("0") + r.TablaCanales(c.Fila, 4), finEtiqueta, y, color);
        }
    }

    // Each band's extremes marked once (current and voltage bands share
    // their full scale): every band's maximum first, then the minima, whose
    // values rest on their line where the next band's maximum stands below
    // its own. Before the read-outs, which make way for them.
    {
        std::vector<MarcadorPagina> marcadores;
        for (const bool maximos : {true, false}) {
            for (std::int32_t b = 1; b <= numBandas; ++b) {
                const CanalBanda& c = canales[static_cast<size_t>(b - 1)];
                const ExtremosAlcanzados& e = alcanzados[static_cast<size_t>(b - 1)];
                if ((maximos ? e.UltimoMaximo : e.UltimoMinimo) > 0)
                    marcadores.push_back(
                        {yExtremo(b, maximos), etiquetaExtremo(b, maximos), ColorTrazaImpresora(p, c.Fila)});
            }
        }
        MarcadoresExtremos(textos, m, marcadores, izq, der, arriba, abajo);
    }

    // 9. Left column: the channels, then each cursor's sample and values,
    // every one of them down the frame. One size for all of it, in which
    // every value fits whole; a name or caption gives way in the middle, to
    // the room its row leaves. A line whose row a band's label or an
    // extreme's value takes goes below it; where the window's spacing would
    // then run past the frame's foot (up to eight bands) the blank between
    // the lines narrows, then the font shrinks.
    {
        const double xTitulo = f.Izquierda + m.Ancho(a);
        const double xEntrada = f.Izquierda + m.Ancho(QStringLiteral("AA"));
        const double limite = izq - m.Ancho(blanco);
        const QString puntos = QStringLiteral("\u2026");
        std::vector<QString> valores[2];
        std::vector<std::pair<QString, double>> fijos = {
            {puntos + QString::number(d.Cursor1), limite - xEntrada},
            {puntos + QString::number(d.Cursor2), limite - xEntrada}};
        for (int i = 0; i < 2; ++i) {
            const std::int32_t muestra = i == 0 ? d.Cursor1 : d.Cursor2;
            for (const CanalBanda& c : canales) {
                valores[i].push_back(QStringLiteral(": ") +
                                     Format(ValorMuestra(r, muestra, c.Columna), "0.000") +
                                     r.TablaCanales(c.Fila, 4));
                fijos.emplace_back(puntos + valores[i].back(), limite - xEntrada);
            }
        }
        TamanoFuente fuente(p);
        double escala = EscalaQueCabe(p, fijos);
        double hueco = m.Alto(a);
        // A blank under the frame's line, which the title would touch.
        const double tope = f.Arriba + m.Ancho(blanco);
        // Lays the column out from its top, printing it or only measuring
        // it; the foot of its last line.
        const auto disponer = [&](bool imprimir) {
            fuente.Escala(escala);
            const double huecoVacio = hueco == m.Alto(a) ? m.Alto(QString()) : hueco;
            ColumnaPagina columna(textos, tope, limite, imprimir);
            double& y = columna.Y;
            columna.Entrada(TextosIdioma(31) + QStringLiteral(":"), xTitulo);
            y = std::max(y, tope + std::max(hueco == m.Alto(a) ? m.Alto(a) : 0.0, textos.Linea()));
            for (const CanalBanda& c : canales) {
                columna.Nombre(NombreCanal(c.Fila), xEntrada);
                y += hueco;
            }
            for (int i = 0; i < 2; ++i) {
                y += hueco;
                columna.Entrada(i == 0 ? QStringLiteral("Cursor 1: ") : QStringLiteral("Cursor 2: "),
                                xTitulo);
                y += hueco;
                columna.Entrada(TextosIdioma(266), xEntrada, QString::number(i == 0 ? d.Cursor1 : d.Cursor2));
                y += hueco;
                for (std::size_t k = 0; k < canales.size(); ++k) {
                    columna.Nombre(NombreCanal(canales[k].Fila), xEntrada, valores[i][k]);
                    y += huecoVacio;
                }
            }
            return y - huecoVacio;
        };
        // The gaps between its lines, which narrow first.
        const auto huecos = static_cast<double>(numBandas + 2 * (3 + numBandas));
        for (int vuelta = 0; vuelta < 16; ++vuelta) {
            const double pie = disponer(false);
            if (pie <= f.Abajo)
                break;
            if (hueco > 0.0)
                hueco = std::max(0.0, hueco - (pie - f.Abajo) / huecos - 1.0);
            else
                escala *= std::max(0.5, 0.99 * (f.Abajo - tope) / (pie - tope));
        }
        (void)disponer(true);
    }

    // 10.-11. Each band's trace over its full scale (current and voltage
    // bands share theirs).
    for (std::int32_t b = 1; b <= numBandas; ++b) {
        const CanalBanda& c = canales[static_cast<size_t>(b - 1)];
        const double ys = EscalaYBanda(altoBanda, FondoEscalaBanda(c, escalas, altoBanda));
        const std::span<const float> tramo = TramoColumna(r, c.Columna, primeraMuestra, ultima - 1);
        p.DrawWidth = 3;
        TrazarEnImpresora(p, tramo, GeometriaImpresora(p, izq, escalaX, centro(b), ys),
                          ColorTrazaImpresora(p, c.Fila), std::nullopt,
                          TablasTramo(r, c.Columna, primeraMuestra));
        p.DrawWidth = 1;
    }

    // 12. Time grid, on the whole record only.
    if (s50 > 0) {
        const std::optional<double> fila =
            DibujarEscalaTiempo(textos, m,
                                {izq, arriba, abajo, escalaX * s50, (der - izq) / 23.0,
                                 CLng(static_cast<double>(r.NumMuestras()) / s50), true});
        if (fila)
            finTick = *fila;
    }

    // Unit of the time axis, time between the cursors, date.
    PieConTiempo(textos, m, finTick, d.TextoTiempo);
}

} // namespace vesdra
