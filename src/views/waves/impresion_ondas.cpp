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

// A column's extremes as the record holds it now, the side in force
// (through its block tables): never those some view took earlier.
struct ExtremosColumna {
    float Minimo{0.0f};
    float Maximo{0.0f};
};
ExtremosColumna ExtremosDe(const RecordModel& r, std::int32_t c)
{
    ExtremosColumna e;
    ExtremosMuestras(r.Valores.Column(c), TablaValores(r, c), e.Minimo, e.Maximo);
    return e;
}

} // namespace

std::optional<RechazoPagina> PaginaOnda(Printer& p, const DatosPaginaOnda& d, const MedidaTexto& m)
{
    const RecordModel& r = Registro();
    const std::int32_t c = ColumnaFila(d.CanalVentana);
    const QString u = UnidadCanal(d.CanalVentana);
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
    const auto [minimo, maximo] = ExtremosDe(r, c);
    const QString textoMaximo = QStringLiteral("max: ") + Format(maximo, "0.000") + blanco + u;
    const QString textoMinimo = QStringLiteral("min: ") + Format(minimo, "0.000") + blanco + u;
    // The column's size, and where its last line ends.
    double escalaColumna = 1.0;
    double pieColumna = arriba;
    double lineaColumna = 0.0;

    // 2. Left column: the channel, both cursors, time and difference, each
    // line ending left of the plot box. One size for all of it, in which
    // every sample number and value fits whole, and every word of a caption:
    // a caption too long for a line goes on two, broken between words. The
    // channel's name and caption give way by the name rule against the
    // record's other channels (what the page must tell its channel from), on
    // the lines the column has room for: the name on three, the caption on
    // two.
    {
        const double limite = izq - m.Ancho(blanco);
        const QString valor1 = Format(ValorMuestra(r, d.Cursor1, c), "0.000") + blanco + u;
        const QString valor2 = Format(ValorMuestra(r, d.Cursor2, c), "0.000") + blanco + u;
        const QString tituloCursor1 = QStringLiteral(" Cursor 1: ");
        const QString tituloCursor2 = QStringLiteral("Cursor 2 : ");
        std::vector<std::pair<QString, double>> fijos = {{TextosIdioma(266) + Str(d.Cursor1), limite - x1},
                                                         {TextosIdioma(266) + Str(d.Cursor2), limite - x1},
                                                         {valor1, limite - x1},
                                                         {valor2, limite - x1},
                                                         {d.TextoTiempo, limite - x1},
                                                         {d.TextoDiferencia, limite - x1},
                                                         {textoMaximo, limite - x1},
                                                         {textoMinimo, limite - x1}};
        for (const QString& t :
             {TextosIdioma(74), tituloCursor1, tituloCursor2, TextosIdioma(264), TextosIdioma(267)}) {
            for (const QString& palabra : t.split(blanco, Qt::SkipEmptyParts))
                fijos.emplace_back(palabra, limite - x0);
        }
        TamanoFuente fuente(p);
        escalaColumna = EscalaQueCabe(p, fijos);
        fuente.Escala(escalaColumna);
        lineaColumna = textos.Linea();
        const QStringList nombres = NombresAnalogicos();
        const QStringList rotulos = RotulosAnalogicos();
        const auto lectura = [&](const QString& t) {
            textos.ImprimirHasta(t, p.CurrentX, p.CurrentY, limite);
        };
        const auto titulo = [&](const QString& t) {
            (void)textos.ImprimirNombreEnLineas(t, p.CurrentX, p.CurrentY, limite, 2);
        };
        const auto nombre = [&](const QString& n, const QString& despues) {
            (void)textos.ImprimirNombre(n, p.CurrentX, p.CurrentY, limite, 0, {}, despues);
        };
        const auto nombreEnLineas = [&](const QString& n, int lineas, const QString& despues,
                                        const QStringList& junto) {
            (void)textos.ImprimirNombreEnLineas(n, p.CurrentX, p.CurrentY, limite, lineas, 0, despues, junto);
        };
        p.CurrentX = x0;
        p.CurrentY = arriba;
        titulo(TextosIdioma(74));
        p.CurrentX = x1;
        p.CurrentY += m.Alto(QString());
        nombreEnLineas(NombreCanalId(d.CanalVentana), 4, {}, nombres);
        p.CurrentY += m.Alto(QString());
        const auto lecturaCursor = [&](const QString& rotulo, std::int32_t muestra, const QString& valor) {
            p.CurrentX = x0;
            p.CurrentY += m.Alto(blanco);
            titulo(rotulo);
            p.CurrentX = x1;
            p.CurrentY += m.Alto(blanco);
            nombre(TextosIdioma(266), Str(muestra));
            p.CurrentX = x1;
            p.CurrentY += m.Alto(blanco);
            nombreEnLineas(NombreCanal(d.CanalVentana), 2, QStringLiteral(": "), rotulos);
            p.CurrentX = x1;
            p.CurrentY += m.Alto(QString());
            lectura(valor);
        };
        lecturaCursor(tituloCursor1, d.Cursor1, valor1);
        lecturaCursor(tituloCursor2, d.Cursor2, valor2);
        for (const auto& [rotulo, valor] :
             {std::pair{TextosIdioma(264), d.TextoTiempo}, std::pair{TextosIdioma(267), d.TextoDiferencia}}) {
            p.CurrentX = x0;
            p.CurrentY += m.Alto(blanco);
            titulo(rotulo);
            p.CurrentX = x1;
            p.CurrentY += m.Alto(blanco);
            lectura(valor);
        }
        pieColumna = p.CurrentY;
    }
    // No label of the plot's axis stands among the read-outs, where it
    // would be read as one of them.
    const auto reservarColumna = [&, f = f, izq = izq, arriba = arriba] {
        textos.ReservarColumna(
            QRectF(QPointF(f.Izquierda, arriba - lineaColumna), QPointF(izq, pieColumna + lineaColumna)));
    };
    reservarColumna();

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
    const double escala = factor * d.EscalaY * k;
    const auto yDe = [&](float v) { return y0 - factor * v * d.EscalaY * k; };
    const std::uint32_t azul = ColorImpresora(p, kAzulImpresora);
    const ExtremosAlcanzados e = BuscarExtremos(tramo, inicio, maximo, minimo, TablasTramo(r, c, inicio));
    double nGrid = 0.0;
    double vGrid = 0.0;
    std::vector<MarcadorPagina> marcadores;
    std::vector<QString> enColumna; // each marker's value as the column would read it
    if (e.UltimoMaximo > 0) {
        const double y = yDe(maximo);
        marcadores.push_back({y, Format(maximo, "0.000") + blanco + u, azul});
        enColumna.push_back(textoMaximo);
        nGrid = (y0 - y) / pasoValor;
        vGrid = nGrid == 0.0 ? 0.0 : maximo / nGrid;
    }
    if (e.UltimoMinimo > 0) {
        const double y = yDe(minimo);
        marcadores.push_back({y, Format(minimo, "0.000") + blanco + u, azul});
        enColumna.push_back(textoMinimo);
        // At one sample the minimum is looked at after the maximum. The
        // step's value has the sign of the distance: a minimum above 0 stands
        // above the zero line as surely as a maximum does.
        if (e.UltimoMinimo >= e.UltimoMaximo) {
            nGrid = (y - y0) / pasoValor;
            vGrid = nGrid == 0.0 ? 0.0 : -minimo / nGrid;
        }
    }
    // An extreme whose value has no place by the plot clear of the column
    // is read in the column, under the read-outs.
    const std::vector<std::size_t> sinSitio =
        MarcadoresExtremos(textos, m, marcadores, izq, der, arriba, abajo);
    if (!sinSitio.empty()) {
        TamanoFuente fuente(p);
        fuente.Escala(escalaColumna);
        // A line apart from the difference above, whose value it is not.
        double y = pieColumna + m.Alto(blanco) + textos.Linea();
        for (const std::size_t i : sinSitio) {
            textos.ImprimirHasta(enColumna[i], x1, y, izq - m.Ancho(blanco));
            y += textos.Linea();
        }
        pieColumna = y;
        reservarColumna();
    }

    // 7. The zero's label, by the plot where the column leaves it room;
    // else right of the plot, with its unit where the margin has room.
    {
        const QString cero = QStringLiteral("0 ") + u;
        if (!EtiquetaDeLinea(textos, cero, izq - m.Ancho(cero + blanco), y0)) {
            const double x = der + m.Ancho(blanco);
            const QString t = textos.Rectangulo(cero, x, y0).right() <= f.Derecha - textos.Blanco() / 2
                                  ? cero
                                  : QStringLiteral("0");
            (void)textos.ImprimirSiLibre(t, x, y0);
        }
    }

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
                    // A grid value gives way to the extremes' and the zero's,
                    // and to the left column: beside a read-out it would be
                    // read as its value.
                    const QString t = sentido < 0 ? g : QStringLiteral("-") + g;
                    const double xg = textos.FueraDeCaja(t, izq - m.Ancho(g + QStringLiteral("  ")), y);
                    if (textos.NadaAntes(xg, y) && textos.FueraDeColumna(textos.Rectangulo(t, xg, y)))
                        (void)textos.ImprimirSiLibre(t, xg, y);
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
        c.Unidad = UnidadCanal(fila);
        const ExtremosColumna e = ExtremosDe(r, c.Columna);
        c.Extremo = std::max(std::fabs(e.Minimo), std::fabs(e.Maximo));
        c.Visible = true;
        canales.push_back(std::move(c));
        extremos.push_back(e);
    }
    // The bands' captions, from one pass over the table.
    const QStringList rotulos = NombresCanales();
    const auto nombre = [&rotulos](const CanalBanda& c) { return rotulos.value(c.Fila - 1); };

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
        return Format(extremo(b, maximo), "0.000") + blanco + c.Unidad;
    };
    // The names a band's name must not read as: every channel of the
    // record, shown on the page or not (a page of some channels still
    // tells them from the others).
    const QStringList junto = RotulosAnalogicos();

    // 8. Band labels, right of the plot on each band's zero line, in its
    // colour: the name where every band's fits there whole, else each
    // band's key in the legend, "(b)". So every band is labelled by it, and
    // on a printer without colour too the label names the legend's entry;
    // the left margin holds the read-outs column alone.
    const double xDerecha = der + m.Ancho(blanco);
    const double finDerecha = f.Derecha - textos.Blanco() / 2;
    bool conClaves = false;
    for (const CanalBanda& c : canales)
        conClaves = conClaves || textos.Rectangulo(blanco + nombre(c), xDerecha, 0.0).right() > finDerecha;
    const auto clave = [&](std::int32_t b) { return conClaves ? ClaveLeyenda(b) : QString(); };
    // The names in the page's size, each after a blank; the keys in the
    // page's size too where the margin has room for them, else in the size
    // in which the widest fits it.
    {
        std::vector<std::pair<QString, double>> claves;
        for (std::int32_t b = 1; b <= numBandas && conClaves; ++b)
            claves.emplace_back(ClaveLeyenda(b), finDerecha - xDerecha);
        TamanoFuente fuente(p);
        fuente.Escala(EscalaQueCabe(p, claves));
        for (std::int32_t b = 1; b <= numBandas; ++b) {
            const CanalBanda& c = canales[static_cast<size_t>(b - 1)];
            textos.Imprimir(conClaves ? ClaveLeyenda(b) : blanco + nombre(c), xDerecha, centro(b),
                            ColorTrazaImpresora(p, c.Fila));
        }
    }

    // Each band's extremes marked once (current and voltage bands share
    // their full scale): the dotted lines across the plot, the values in
    // the legend under the band's name ("max: value"), so that no value
    // stands among the read-outs as if it were one of them.
    std::vector<std::vector<QString>> extremosLeyenda(canales.size());
    {
        std::vector<MarcadorPagina> marcadores;
        for (const bool maximos : {true, false}) {
            for (std::int32_t b = 1; b <= numBandas; ++b) {
                const CanalBanda& c = canales[static_cast<size_t>(b - 1)];
                const ExtremosAlcanzados& e = alcanzados[static_cast<size_t>(b - 1)];
                if ((maximos ? e.UltimoMaximo : e.UltimoMinimo) <= 0)
                    continue;
                const double y = yExtremo(b, maximos);
                marcadores.push_back({y, etiquetaExtremo(b, maximos), ColorTrazaImpresora(p, c.Fila)});
                if (MarcadorDentro(y, arriba, abajo))
                    extremosLeyenda[static_cast<size_t>(b - 1)].push_back(
                        (maximos ? QStringLiteral(" max: ") : QStringLiteral(" min: ")) +
                        etiquetaExtremo(b, maximos));
            }
        }
        (void)MarcadoresExtremos(textos, m, marcadores, izq, der, arriba, abajo, false);
    }

    // 9. Left column: the channels (the bands' legend, each name in its
    // band's colour after its key, with its extremes), then each cursor's
    // sample and values, every one of them down the frame. One size for all
    // of it, in which every value fits whole; each line that carries a value
    // is tied to its band by its key, or (without keys) by the least of its
    // name that reads as no other channel of the record. Where the window's
    // spacing would run past the frame's foot (up to eight bands) the blank
    // between the lines narrows, then the legend's names go to one line,
    // then the font shrinks.
    {
        const double xTitulo = f.Izquierda + m.Ancho(a);
        const double xEntrada = f.Izquierda + m.Ancho(QStringLiteral("AA"));
        const double limite = izq - m.Ancho(blanco);
        const QString puntos = QStringLiteral("\u2026");
        std::vector<QString> valores[2];
        // A line whose row an extreme's dotted line starts on ends a blank
        // short of it: the room every line is sized for.
        const double ancho = limite - xEntrada - textos.Blanco() - p.TwipsPerPixelX();
        std::vector<std::pair<QString, double>> fijos = {{puntos + QString::number(d.Cursor1), ancho},
                                                         {puntos + QString::number(d.Cursor2), ancho}};
        // Each read-out keeps room for its key, or for the least of its name
        // that tells it from the others, besides its value.
        std::vector<QString> distintos;
        for (std::int32_t b = 1; b <= numBandas; ++b) {
            const CanalBanda& c = canales[static_cast<size_t>(b - 1)];
            distintos.push_back(conClaves ? ClaveLeyenda(b)
                                          : NombreQueSeDistingue(nombre(c), junto, [&p](const QString& t) {
                                                return p.TextWidth(t);
                                            }));
        }
        for (int i = 0; i < 2; ++i) {
            const std::int32_t muestra = i == 0 ? d.Cursor1 : d.Cursor2;
            for (std::size_t k = 0; k < canales.size(); ++k) {
                const CanalBanda& c = canales[k];
                valores[i].push_back(QStringLiteral(": ") +
                                     Format(ValorMuestra(r, muestra, c.Columna), "0.000") + c.Unidad);
                fijos.emplace_back(distintos[k] + valores[i].back(), ancho);
            }
        }
        for (std::size_t k = 0; k < extremosLeyenda.size(); ++k)
            for (const QString& t : extremosLeyenda[k])
                fijos.emplace_back(distintos[k] + t, ancho);
        TamanoFuente fuente(p);
        double escala = EscalaQueCabe(p, fijos);
        double hueco = m.Alto(a);
        int lineasNombre = 2;
        // A blank under the frame's line, which the title would touch.
        const double tope = f.Arriba + m.Ancho(blanco);
        // Lays the column out from its top, printing it or only measuring
        // it; the foot of its last line.
        const auto disponer = [&](bool imprimir) {
            fuente.Escala(escala);
            const double huecoVacio = hueco == m.Alto(a) ? m.Alto(QString()) : hueco;
            ColumnaPagina columna(textos, tope, limite, imprimir);
            columna.Junto = junto;
            double& y = columna.Y;
            columna.Entrada(TextosIdioma(31) + QStringLiteral(":"), xTitulo);
            y = std::max(y, tope + std::max(hueco == m.Alto(a) ? m.Alto(a) : 0.0, textos.Linea()));
            for (std::size_t k = 0; k < canales.size(); ++k) {
                const CanalBanda& c = canales[k];
                const auto b = static_cast<std::int32_t>(k + 1);
                const std::uint32_t color = ColorTrazaImpresora(p, c.Fila);
                // The key before the name's first line, the name's lines
                // after it.
                const double xNombre =
                    conClaves ? xEntrada + textos.Rectangulo(ClaveLeyenda(b) + blanco, 0.0, 0.0).width() +
                                    textos.Blanco()
                              : xEntrada;
                columna.Fila(xEntrada);
                const QStringList lineas =
                    columna.NombreEnLineas(nombre(c), xNombre, limite, lineasNombre, color);
                if (imprimir && conClaves && !lineas.isEmpty())
                    textos.Imprimir(ClaveLeyenda(b), xEntrada,
                                    y - static_cast<double>(lineas.size()) * textos.Linea(), color);
                for (const QString& e : extremosLeyenda[k]) {
                    if (conClaves) {
                        columna.Entrada(ClaveLeyenda(b), xEntrada, e);
                    } else {
                        (void)columna.Lectura(nombre(c), xEntrada, e);
                    }
                }
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
                    (void)columna.Lectura(nombre(canales[k]), xEntrada, valores[i][k],
                                          clave(static_cast<std::int32_t>(k + 1)));
                    y += huecoVacio;
                }
            }
            return y - huecoVacio;
        };
        // The gaps between its lines, which narrow first; then the legend's
        // names go back to one line; then the font shrinks.
        const auto huecos = static_cast<double>(numBandas + 2 * (3 + numBandas));
        for (int vuelta = 0; vuelta < 24; ++vuelta) {
            const double pie = disponer(false);
            if (pie <= f.Abajo)
                break;
            if (hueco > 0.0) {
                hueco = std::max(0.0, hueco - (pie - f.Abajo) / huecos - 1.0);
            } else if (lineasNombre > 1) {
                lineasNombre = 1;
                hueco = m.Alto(a);
            } else {
                escala *= std::max(0.5, 0.99 * (f.Abajo - tope) / (pie - tope));
            }
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
