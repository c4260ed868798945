#include "views/waves/todo_vista.h"

#include <algorithm>
#include <cmath>

#include "platform/base/numeric.h"
#include "platform/base/vb_error.h"
#include "platform/messages.h"
#include "record/canales.h"
#include "record/helpers.h"
#include "views/waves/onda_vista.h"

namespace vesdra {

namespace {

ResultadoZoomTodo Rechazo(std::int32_t texto, int estilo)
{
    return {std::nullopt, texto, estilo};
}

} // namespace

VistaTodo VistaTodoCompleta(double ancho, std::int32_t n)
{
    VistaTodo v;
    v.Primera = 1;
    v.Ultima = std::max(n, 1);
    v.PrimeraMuestra = 1;
    v.Ancho = ancho;
    v.EscalaX = (ancho - 150.0) / std::max(n, 1);
    return v;
}

NivelTodo NivelDeVista(const VistaTodo& v)
{
    return {v.Primera, v.Ultima, v.PrimeraMuestra, v.Ancho, v.EscalaX};
}

VistaTodo VistaDeNivelTodo(const NivelTodo& l)
{
    return {l.Primera, l.Ultima, l.PrimeraMuestra, l.Ancho, l.EscalaX};
}

ResultadoZoomTodo ZoomEntreCursores(HistorialTodo& historial, std::int32_t cursor1, std::int32_t cursor2,
                                    double ancho)
{
    if (historial.Full())
        return Rechazo(TextoHistorialLleno, vbInformation);
    if (cursor1 == cursor2)
        return Rechazo(TextoCursoresJuntos, vbInformation);
    VistaTodo v;
    v.Primera = std::min(cursor1, cursor2);
    v.Ultima = std::max(cursor1, cursor2);
    v.PrimeraMuestra = v.Primera;
    v.Ancho = ancho;
    v.EscalaX = (ancho - 150.0) / (static_cast<double>(v.Ultima) - v.Primera);
    historial.Append(NivelDeVista(v));
    return {v, 0, 0};
}

ResultadoZoomTodo TodoSiguiente(HistorialTodo& historial)
{
    if (!historial.Forward())
        return Rechazo(TextoSinNivelPosterior, vbCritical);
    return {VistaDeNivelTodo(historial.Current()), 0, 0};
}

ResultadoZoomTodo TodoAnterior(HistorialTodo& historial)
{
    if (!historial.Back())
        return Rechazo(TextoSinNivelAnterior, vbInformation);
    return {VistaDeNivelTodo(historial.Current()), 0, 0};
}

std::vector<CanalBanda> CanalesDeTabla(const Matrix<QString>& tabla, std::int32_t numFilas,
                                       const Array<std::int32_t>& visibles, const Matrix<float>& valores,
                                       const Array<float>* minimos, const Array<float>* maximos)
{
    const bool conExtremos =
        minimos && maximos && minimos->Size() >= valores.Cols() && maximos->Size() >= valores.Cols();
    std::vector<CanalBanda> filas;
    filas.reserve(static_cast<size_t>(std::max(numFilas, 0)));
    for (std::int32_t k = 1; k <= numFilas; ++k) {
        if (k > tabla.Rows() || tabla.Cols() < 4)
            throw VbError(vberr::SubscriptOutOfRange);
        CanalBanda c;
        c.Fila = k;
        c.Columna = ColumnaDeCanalOError(tabla(k, 1), valores.Cols());
        c.Unidad = tabla(k, 4).trimmed();
        c.Extremo = conExtremos ? std::max(std::fabs((*minimos)(c.Columna)), std::fabs((*maximos)(c.Columna)))
                                : ExtremoColumna(valores.Column(c.Columna));
        c.Visible = k <= visibles.Size() && visibles(k) == 1;
        filas.push_back(std::move(c));
    }
    return filas;
}

EscalasAV EscalasCompartidas(const std::vector<CanalBanda>& filas)
{
    EscalasAV e;
    for (const CanalBanda& c : filas) {
        if (!c.Visible)
            continue;
        if (c.Unidad == QLatin1String("A"))
            e.A = std::max(e.A, static_cast<double>(c.Extremo));
        else if (c.Unidad == QLatin1String("V"))
            e.V = std::max(e.V, static_cast<double>(c.Extremo));
    }
    const double mayor = std::max(e.A, e.V);
    return {mayor, mayor};
}

EscalasAV EscalasPorUnidad(const std::vector<CanalBanda>& filas)
{
    EscalasAV e;
    for (const CanalBanda& c : filas) {
        if (c.Unidad == QLatin1String("A"))
            e.A = std::max(e.A, static_cast<double>(c.Extremo));
        else if (c.Unidad == QLatin1String("V"))
            e.V = std::max(e.V, static_cast<double>(c.Extremo));
    }
    return e;
}

double FondoEscalaBanda(const CanalBanda& canal, const EscalasAV& escalas, double altoBanda)
{
    double fondo = canal.Extremo;
    if (canal.Unidad == QLatin1String("A"))
        fondo = escalas.A;
    else if (canal.Unidad == QLatin1String("V"))
        fondo = escalas.V;
    return fondo == 0.0 ? altoBanda / 2.0 : fondo;
}

double EscalaYBanda(double altoBanda, double fondoEscala)
{
    if (fondoEscala == 0.0)
        return 0.0;
    return ((altoBanda - 2.0 * altoBanda / 50.0) / 2.0) / fondoEscala;
}

float ExtremoColumna(std::span<const float> valores)
{
    float lo = 0.0f;
    float hi = 0.0f;
    ExtremosMuestras(valores, nullptr, lo, hi);
    return std::max(std::fabs(lo), std::fabs(hi));
}

} // namespace vesdra
