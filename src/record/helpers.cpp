#include "record/helpers.h"

#include <QDateTime>
#include <QLocale>
#include <algorithm>

#include "platform/base/clock.h"
#include "platform/base/numeric.h"
#include "platform/base/vb_error.h"

namespace vesdra {
namespace {

QString Celda(const Matrix<QString>& tabla, std::int32_t fila, std::int32_t columna)
{
    if (fila < 1 || fila > tabla.Rows() || columna < 1 || columna > tabla.Cols())
        return {};
    return tabla(fila, columna);
}

QString NombreIdDe(const Matrix<QString>& tabla, std::int32_t n)
{
    QString nombre = Celda(tabla, n, 2);
    return nombre.isEmpty() ? Celda(tabla, n, 3) : nombre;
}

} // namespace

QString NombreCanal(std::int32_t n)
{
    const Matrix<QString>& tabla = Registro().TablaCanales;
    const QString nombre = Celda(tabla, n, 2);
    const QString circuito = Celda(tabla, n, 3);
    if (circuito.isEmpty() || circuito.size() > nombre.size())
        return nombre;
    return circuito;
}

QString NombreCanalId(std::int32_t n)
{
    return NombreIdDe(Registro().TablaCanales, n);
}

QString NombreCanalPlantilla(const Matrix<QString>& analogicosPlantilla, std::int32_t n)
{
    return NombreIdDe(analogicosPlantilla, n);
}

std::int32_t FrecuenciaMuestreo(const RecordModel& r)
{
    if (!r.TasasMuestreo.Empty() && r.TasasMuestreo(1) > 0)
        return r.TasasMuestreo(1);
    return std::max(r.TasaCalculada, 0);
}

std::int32_t FrecuenciaMuestreo()
{
    return FrecuenciaMuestreo(Registro());
}

std::int32_t MuestrasPorCiclo(std::int32_t frecuenciaMuestreo, std::int32_t frecuenciaLinea)
{
    if (frecuenciaLinea == 0)
        throw VbError(vberr::DivisionByZero);
    const std::int32_t m = CInt(static_cast<double>(frecuenciaMuestreo) / frecuenciaLinea);
    return m == 0 ? 1 : m;
}

QString HoraTexto()
{
    QString texto = QLocale().toString(WallClockNow(), QLocale::ShortFormat);
    // Locales that write the time with "." get ":" in the print header.
    qsizetype desde = 0;
    for (int i = 0; i < 3; ++i) {
        const qsizetype p = texto.indexOf(QLatin1Char('.'), desde);
        if (p < 0)
            break;
        texto[p] = QLatin1Char(':');
        desde = p + 1;
    }
    return texto;
}

void MaxMinCanales(const Matrix<float>& m)
{
    RecordModel& r = Registro();
    r.MinimosCanal.Resize(m.Cols(), 0.0f);
    r.MaximosCanal.Resize(m.Cols(), 0.0f);
    for (std::int32_t c = 1; c <= m.Cols(); ++c)
        ExtremosDesdeCero(m.Column(c), &m == &r.Valores ? TablaValores(r, c) : nullptr, r.MinimosCanal(c),
                          r.MaximosCanal(c));
}

void ExtremosDesdeCero(std::span<const float> columna, const TracePyramid* tablas, float& lo, float& hi)
{
    if (tablas == nullptr || tablas->Size() != static_cast<std::int64_t>(columna.size())) {
        lo = 0.0f;
        hi = 0.0f;
        for (const float v : columna) {
            if (v < lo)
                lo = v;
            else if (v > hi)
                hi = v;
        }
        return;
    }
    // The walk from 0 leaves NaN out, as the tables do.
    const SampleExtremes e = tablas->Range(columna, 0, static_cast<std::int64_t>(columna.size()) - 1);
    lo = e.Min < 0.0f ? e.Min : 0.0f;
    hi = e.Max > 0.0f ? e.Max : 0.0f;
}

void ComprobarDecimal(RecordModel& r)
{
    r.PuntoDecimal = QLocale().toString(0.0, 'f', 1).contains(QLatin1Char('.'));
}

} // namespace vesdra
