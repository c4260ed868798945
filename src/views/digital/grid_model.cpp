#include "views/digital/grid_model.h"

#include <algorithm>
#include <cstring>

#include "platform/base/colors.h"
#include "platform/base/vb_error.h"
#include "record/canales.h"
#include "record/record_model.h"
#include "views/digital/digital_selection.h"

namespace vesdra::grid {

std::optional<std::span<const std::uint8_t>> EstadosCanalDigital(const RecordModel& r, std::int32_t canal)
{
    const Matrix<std::uint8_t>& e = r.EstadosDigitales;
    const std::optional<std::int32_t> columna = ColumnaDeCanal(canal, e.Cols());
    if (!columna || e.Rows() < 1)
        return std::nullopt;
    return e.Column(*columna);
}

std::int32_t CambiaEstado(std::span<const std::uint8_t> estados)
{
    if (estados.size() < 2)
        return 0;
    const std::uint8_t opuesto = estados.front() == 1 ? 0 : 1;
    // One contiguous byte search that ends at the first change.
    return std::memchr(estados.data() + 1, opuesto, estados.size() - 1) != nullptr ? 1 : 0;
}

RellenoColumna LlenarColumna(std::int32_t grupo, std::int32_t inicio, const Matrix<QString>& tablaGrupos,
                             const Matrix<QString>& tablaMiembros, const RecordModel& r)
{
    RellenoColumna c;
    c.Miembros = EnteroTabla(tablaGrupos, grupo, 2);
    if (c.Miembros < 0)
        throw VbError(vberr::SubscriptOutOfRange);
    const std::int64_t siguiente = static_cast<std::int64_t>(inicio) + c.Miembros;
    if (siguiente > INT32_MAX)
        throw VbError(vberr::Overflow);
    c.Siguiente = static_cast<std::int32_t>(siguiente);
    for (std::int32_t m = 1; m <= c.SlotsUsados(); ++m) {
        const std::int32_t fila = inicio + m - 1;
        const auto i = static_cast<std::size_t>(m - 1);
        c.Nombres[i] = CeldaTabla(tablaMiembros, fila, 2);
        const std::int32_t canal = EnteroTabla(tablaMiembros, fila, 1);
        const std::optional<std::span<const std::uint8_t>> estados = EstadosCanalDigital(r, canal);
        if (!estados)
            c.FaltaCanal = true;
        c.Cambia[i] = estados && CambiaEstado(*estados) == 1;
        c.ColorNormal[i] = c.Cambia[i] ? ColorCambia : kSysWindowBackground;
    }
    return c;
}

std::vector<std::int32_t> MarcasNuevas(std::int32_t miembros)
{
    if (miembros < 0)
        throw VbError(vberr::SubscriptOutOfRange);
    // Members past the last slot can never be marked: the count stays in
    // element 0 (later columns' rows follow from it), the marks stop there.
    std::vector<std::int32_t> m(static_cast<std::size_t>(std::min(miembros, SlotsColumna)) + 2, 0);
    m[0] = miembros;
    return m;
}

std::vector<std::int32_t>* MarcasComposicion::Columna(std::int32_t columna, std::int32_t indice) const
{
    if (!Marcas || columna < 1 || columna > NumColumnas || indice < 1 || indice > SlotsColumna)
        return nullptr;
    std::vector<std::int32_t>& m = (*Marcas)[static_cast<std::size_t>(columna)];
    if (m.empty() || indice > m[0])
        return nullptr;
    return &m;
}

bool MarcasComposicion::Marcado(std::int32_t columna, std::int32_t indice) const
{
    const std::vector<std::int32_t>* m = Columna(columna, indice);
    return m && (*m)[static_cast<std::size_t>(indice)] == 1;
}

Gesto MarcasComposicion::Click(std::int32_t columna, std::int32_t indice)
{
    std::vector<std::int32_t>* m = Columna(columna, indice);
    if (!m)
        return Gesto::Nada;
    if ((*m)[static_cast<std::size_t>(indice)] == 1)
        DblClick(columna, indice);
    if (NumElegidos >= MaxElegidos)
        return Gesto::Rechazado;
    ++NumElegidos;
    (*m)[static_cast<std::size_t>(indice)] = 1;
    return Gesto::Marcado;
}

Gesto MarcasComposicion::DblClick(std::int32_t columna, std::int32_t indice)
{
    std::vector<std::int32_t>* m = Columna(columna, indice);
    if (!m)
        return Gesto::Nada;
    if ((*m)[static_cast<std::size_t>(indice)] != 1)
        return Gesto::Rechazado;
    (*m)[static_cast<std::size_t>(indice)] = 0;
    --NumElegidos;
    return Gesto::Desmarcado;
}

} // namespace vesdra::grid
