#include "record/tablas_trazo.h"

#include "record/record_model.h"

namespace vesdra {

namespace {

std::vector<TracePyramid> TablasMatriz(const Matrix<float>& m)
{
    std::vector<TracePyramid> t;
    t.reserve(static_cast<size_t>(m.Cols()));
    for (std::int32_t c = 1; c <= m.Cols(); ++c)
        t.emplace_back(m.Column(c));
    return t;
}

std::vector<TracePyramid> TablasLado(const Matrix<float>& lado, const std::vector<TracePyramid>& valores,
                                     std::span<const LadoColumna> derivacion)
{
    std::vector<TracePyramid> t;
    t.reserve(static_cast<size_t>(lado.Cols()));
    for (std::int32_t c = 1; c <= lado.Cols(); ++c) {
        const auto i = static_cast<size_t>(c - 1);
        const bool derivado = i < derivacion.size() && derivacion[i].Derivado && i < valores.size() &&
                              TracePyramid::ScalesExactly(derivacion[i].Factor) &&
                              valores[i].Size() == lado.Rows();
        if (derivado)
            t.push_back(valores[i].Scaled(derivacion[i].Factor));
        else
            t.emplace_back(lado.Column(c));
    }
    return t;
}

} // namespace

void ConstruirTablasTrazo(RecordModel& r, std::span<const LadoColumna> primario,
                          std::span<const LadoColumna> secundario)
{
    TablasTrazo& t = r.Tablas;
    t.Valores = TablasMatriz(r.Valores);
    t.Primario = TablasLado(r.ValoresPrimario, t.Valores, primario);
    t.Secundario = TablasLado(r.ValoresSecundario, t.Valores, secundario);
    t.Estados.clear();
    t.Estados.reserve(static_cast<size_t>(r.EstadosDigitales.Cols()));
    for (std::int32_t c = 1; c <= r.EstadosDigitales.Cols(); ++c)
        t.Estados.emplace_back(r.EstadosDigitales.Column(c));
}

const TracePyramid* TablaValores(const RecordModel& r, std::int32_t columna)
{
    const std::vector<TracePyramid>& t = r.Tablas.Valores;
    if (columna < 1 || columna > r.Valores.Cols() || static_cast<std::int64_t>(t.size()) != r.Valores.Cols())
        return nullptr;
    const TracePyramid& p = t[static_cast<size_t>(columna - 1)];
    return p.Size() == r.Valores.Rows() ? &p : nullptr;
}

const StatePyramid* TablaEstados(const RecordModel& r, std::int32_t columna)
{
    const std::vector<StatePyramid>& t = r.Tablas.Estados;
    const Matrix<std::uint8_t>& e = r.EstadosDigitales;
    if (columna < 1 || columna > e.Cols() || static_cast<std::int64_t>(t.size()) != e.Cols())
        return nullptr;
    const StatePyramid& p = t[static_cast<size_t>(columna - 1)];
    return p.Size() == e.Rows() ? &p : nullptr;
}

EnvelopeTables TablasTramo(const RecordModel& r, std::int32_t columna, std::int32_t primera)
{
    return {TablaValores(r, columna), static_cast<std::int64_t>(primera) - 1};
}

} // namespace vesdra
