#include "views/waves/casillas.h"

#include <optional>

#include "platform/base/numeric.h"
#include "platform/base/vb_error.h"

namespace vesdra {

namespace {

std::optional<std::int32_t> ComoNumero(const QString& texto)
{
    try {
        return CIntText(texto);
    } catch (const VbError&) {
        return std::nullopt;
    }
}

} // namespace

bool ColocarCanal(CasillasOndas& c, const QString& texto, std::int32_t fila)
{
    const std::int32_t s = c.Seleccionada;
    if (s < 1 || s > CasillasOndas::NumCasillas)
        return false;
    for (std::int32_t j = 1; j < s; ++j) {
        if (c.Nombres[static_cast<size_t>(j)] == texto &&
            ComoNumero(c.Numeros[static_cast<size_t>(j)]) == fila)
            return false;
    }
    c.Nombres[static_cast<size_t>(s)] = texto;
    c.Numeros[static_cast<size_t>(s)] = QString::number(fila);
    if (s < CasillasOndas::NumCasillas)
        c.Seleccionada = s + 1;
    return true;
}

void VaciarCasilla(CasillasOndas& c, std::int32_t i)
{
    if (i < 1 || i > CasillasOndas::NumCasillas)
        return;
    c.Nombres[static_cast<size_t>(i)].clear();
    c.Numeros[static_cast<size_t>(i)].clear();
    c.Seleccionada = i;
}

Array<std::int32_t> CanalesElegidos(const CasillasOndas& c, std::int32_t numAnalogicos)
{
    Array<std::int32_t> visibles(numAnalogicos, 0);
    for (std::int32_t i = 1; i <= CasillasOndas::NumCasillas; ++i) {
        if (c.Nombres[static_cast<size_t>(i)].trimmed().isEmpty())
            continue;
        const std::int32_t fila = CIntText(c.Numeros[static_cast<size_t>(i)]);
        if (fila < 1 || fila > numAnalogicos)
            throw VbError(vberr::SubscriptOutOfRange);
        visibles(fila) = 1;
    }
    return visibles;
}

std::int32_t CuentaElegidos(const Array<std::int32_t>& visibles)
{
    std::int32_t n = 0;
    for (const std::int32_t v : visibles)
        n += v == 1 ? 1 : 0;
    return n;
}

} // namespace vesdra
