#include "views/waves/waves_state.h"

#include <algorithm>

#include "record/record_model.h"
#include "shell/shell_state.h"
#include "templates/template_state.h"

namespace vesdra {

OndasState& Ondas()
{
    static OndasState state;
    return state;
}

std::int32_t FilasCanalesVista()
{
    const TemplateState& p = Plantillas();
    const std::int32_t filas = Registro().TablaCanales.Rows();
    return p.PlantillaAplicada ? std::min(p.NumCanalesTabla, filas) : filas;
}

std::int32_t IndiceColor(std::int32_t n)
{
    const std::int32_t r = n % 8; // C++ keeps the sign of n, as Mod does
    switch (r) {
    case 0:
        return 8;
    case 4:
        return 9;
    case 5:
        return 14;
    default:
        return r;
    }
}

int NumeroColorCanal(std::int32_t n)
{
    const std::int32_t k = IndiceColor(n) - 1;
    const auto& paleta = Registro().PaletaColores;
    // A negative row gives a position below 0: the first colour rather than
    // a read outside the palette.
    if (k < 0 || k >= static_cast<std::int32_t>(paleta.size()))
        return paleta[0];
    return paleta[static_cast<size_t>(k)];
}

} // namespace vesdra
