#include "shell/impresion_piezas.h"

#include <cmath>

#include "platform/base/numeric.h"
#include "platform/base/vb_error.h"
#include "platform/printer.h"
#include "record/canales.h"
#include "record/helpers.h"
#include "record/record_model.h"
#include "shell/language.h"

namespace vesdra
{

CajaPagina CajaDePagina(const Printer& p)
{
    const double w = p.Width();
    const double h = p.Height();
    return {w, h, MarcoDePagina(p), 0.15 * w, 0.92 * w, 0.05 * w, 0.82 * h};
}

double Cerca(double x)
{
    return static_cast<double>(CLng(x));
}

std::int32_t ColumnaConUnidad(std::int32_t fila)
{
    if (Registro().TablaCanales.Cols() < 4)
        throw VbError(vberr::SubscriptOutOfRange);
    return ColumnaAnalogica(fila);
}

std::int32_t ColumnaFila(std::int32_t fila)
{
    const std::int32_t c = ColumnaConUnidad(fila);
    const RecordModel& r = Registro();
    if (c > r.MinimosCanal.Size() || c > r.MaximosCanal.Size())
        throw VbError(vberr::SubscriptOutOfRange);
    return c;
}

float ValorMuestra(const RecordModel& r, std::int32_t muestra, std::int32_t c)
{
    if (muestra < 1 || muestra > r.NumMuestras() || c < 1 || c > r.Valores.Cols())
        throw VbError(vberr::SubscriptOutOfRange);
    return r.Valores(muestra, c);
}

std::span<const float> TramoColumna(const RecordModel& r, std::int32_t c, std::int32_t primera,
                                    std::int32_t ultima)
{
    if (primera > ultima)
        return {};
    if (primera < 1 || ultima > r.NumMuestras() || c < 1 || c > r.Valores.Cols())
        throw VbError(vberr::SubscriptOutOfRange);
    return r.Valores.Column(c).subspan(static_cast<size_t>(primera - 1),
                                       static_cast<size_t>(ultima - primera + 1));
}

ExtremosAlcanzados BuscarExtremos(std::span<const float> tramo, std::int32_t primera, float maximo,
                                  float minimo, const EnvelopeTables& tablas)
{
    ExtremosAlcanzados e;
    const auto n = static_cast<std::int64_t>(tramo.size());
    if (const std::span<const float> canal = tablas.Channel(tramo); !canal.empty()) {
        const auto ultima = [&](float x) {
            const std::int64_t i = tablas.Pyramid->LastEqual(canal, tablas.Offset, tablas.Offset + n - 1, x);
            return i < 0 ? 0 : primera + (i - tablas.Offset);
        };
        e.UltimoMaximo = ultima(maximo);
        e.UltimoMinimo = ultima(minimo);
        return e;
    }
    for (size_t i = 0; i < tramo.size(); ++i) {
        if (tramo[i] == maximo)
            e.UltimoMaximo = primera + static_cast<std::int64_t>(i);
        if (tramo[i] == minimo)
            e.UltimoMinimo = primera + static_cast<std::int64_t>(i);
    }
    return e;
}

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

void Encabezado(Printer& p, const MedidaTexto& m, double x, double arriba, std::int32_t titulo)
{
    p.CurrentX = x;
    p.CurrentY = arriba + m.Alto(QString());
    p.Print(TextosIdioma(titulo).toUpper());
    p.CurrentX = x;
    p.Print(TextosIdioma(265) + Registro().RutaDat);
}

std::optional<double> DibujarEscalaTiempo(Printer& p, const MedidaTexto& m, const EscalaTiempo& e)
{
    const double ancho = p.Width();
    const double tpp = p.TwipsPerPixelX();
    const double base = Cerca(e.Izquierda);
    const double filaEtiquetas = e.Abajo + m.Ancho(QStringLiteral("A"));
    const auto columna = [tpp](double x) { return std::floor(x / tpp + 0.5); };
    // A line rounded to the twip may stand up to half a twip right of the
    // box's side and still be its own.
    const auto fuera = [&e](double x) { return e.Derecha && x > *e.Derecha + 0.5; };
    double ultimaLinea = std::nan("");
    double ultimoTick = std::nan("");
    // A dotted line across the box; false once x is off the sheet or past
    // the limit.
    const auto linea = [&](double x) {
        if (x > ancho || fuera(x))
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
        if (fuera(x))
            break;
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

void UnidadMs(Printer& p, const MedidaTexto& m, double derecha, double fila)
{
    p.CurrentX = derecha - m.Ancho(QStringLiteral("  ms "));
    p.CurrentY = fila;
    p.Print(QStringLiteral("  ms"));
    p.DrawStyle = 0;
}

void PieConTiempo(Printer& p, const MedidaTexto& m, const MarcoPagina& f, double filaMs,
                  const QString& tiempo)
{
    UnidadMs(p, m, f.Derecha, filaMs);
    // The line is placed by the width of its Spanish wording, whatever the
    // language printed.
    p.CurrentX = (f.Derecha - f.Izquierda) / 2 - m.Ancho(QStringLiteral("Tiempo entre cursores : ") + tiempo);
    p.CurrentY = f.Abajo - m.Alto(tiempo);
    p.Print(TextosIdioma(264) + tiempo);
    ImprimirFecha(p, f, m);
}

std::int32_t MuestrasPor50ms()
{
    const std::int32_t tasa = FrecuenciaMuestreo();
    if (tasa <= 0)
        return 0;
    return CLng(50.0 / (1000.0 / tasa));
}

} // namespace vesdra
