#include "record/helpers.h"

#include <QDateTime>
#include <QHash>
#include <QLocale>
#include <algorithm>
#include <limits>
#include <vector>

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

// A row's caption before the other rows are weighed: the circuit text, or
// the name where that is empty or longer than the name (or the name is
// empty: a channel is never captioned by nothing while it has a text).
struct Rotulo {
    QString Texto;
    QString Nombre;
    bool DeCircuito{false};
};

Rotulo RotuloDe(const Matrix<QString>& tabla, std::int32_t n)
{
    Rotulo r;
    r.Nombre = Celda(tabla, n, 2).trimmed();
    const QString circuito = Celda(tabla, n, 3).trimmed();
    r.DeCircuito = !circuito.isEmpty() && (circuito.size() <= r.Nombre.size() || r.Nombre.isEmpty());
    r.Texto = r.DeCircuito ? circuito : r.Nombre;
    return r;
}

// A circuit text other rows share tells this row from none of them: its
// name goes with it.
QString RotuloFinal(const Rotulo& r, bool compartido)
{
    if (!compartido || !r.DeCircuito || r.Nombre.isEmpty() || r.Nombre == r.Texto)
        return r.Texto;
    return r.Texto + QStringLiteral(" \u2013 ") + r.Nombre;
}

} // namespace

QString NombreCanal(std::int32_t n)
{
    const Matrix<QString>& tabla = Registro().TablaCanales;
    const Rotulo r = RotuloDe(tabla, n);
    bool compartido = false;
    if (r.DeCircuito && n >= 1 && n <= tabla.Rows()) {
        for (std::int32_t k = 1; k <= tabla.Rows() && !compartido; ++k)
            compartido = k != n && RotuloDe(tabla, k).Texto == r.Texto;
    }
    return RotuloFinal(r, compartido);
}

QStringList NombresCanales()
{
    const Matrix<QString>& tabla = Registro().TablaCanales;
    std::vector<Rotulo> rotulos;
    rotulos.reserve(static_cast<std::size_t>(std::max(tabla.Rows(), 0)));
    QHash<QString, std::int32_t> veces;
    for (std::int32_t k = 1; k <= tabla.Rows(); ++k) {
        rotulos.push_back(RotuloDe(tabla, k));
        ++veces[rotulos.back().Texto];
    }
    QStringList nombres;
    nombres.reserve(static_cast<qsizetype>(rotulos.size()));
    for (const Rotulo& r : rotulos)
        nombres.append(RotuloFinal(r, veces.value(r.Texto) > 1));
    return nombres;
}

QString UnidadCanal(std::int32_t n)
{
    return Celda(Registro().TablaCanales, n, 4).trimmed();
}

QString NombreCanalId(std::int32_t n)
{
    const Matrix<QString>& tabla = Registro().TablaCanales;
    QString nombre = Celda(tabla, n, 2).trimmed();
    return nombre.isEmpty() ? Celda(tabla, n, 3).trimmed() : nombre;
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
        ExtremosMuestras(m.Column(c), &m == &r.Valores ? TablaValores(r, c) : nullptr, r.MinimosCanal(c),
                         r.MaximosCanal(c));
}

void ExtremosMuestras(std::span<const float> columna, const TracePyramid* tablas, float& lo, float& hi)
{
    SampleExtremes e{std::numeric_limits<float>::infinity(), -std::numeric_limits<float>::infinity()};
    if (tablas != nullptr && tablas->Size() == static_cast<std::int64_t>(columna.size()) &&
        !columna.empty()) {
        e = tablas->Range(columna, 0, static_cast<std::int64_t>(columna.size()) - 1);
    } else {
        // NaN compares false both ways and is left out, as the tables leave it.
        for (const float v : columna) {
            if (v < e.Min)
                e.Min = v;
            if (v > e.Max)
                e.Max = v;
        }
    }
    if (e.Empty()) {
        lo = 0.0f;
        hi = 0.0f;
        return;
    }
    lo = e.Min;
    hi = e.Max;
}

void ComprobarDecimal(RecordModel& r)
{
    r.PuntoDecimal = QLocale().toString(0.0, 'f', 1).contains(QLatin1Char('.'));
}

} // namespace vesdra
