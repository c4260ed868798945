#pragma once
#include <cstdint>
#include <span>
#include <vector>

namespace vesdra {

// What one press of the setup dialog's OK decides.
struct DecisionSeleccion {
    // Language text of the refusal (81 more than two sets in a column, 247
    // no three-phase sets, 82 nothing ticked), 0 when views open.
    int Texto{0};
    // The dialog closes (views opened, or the template has no sets).
    bool Descargar{false};
    bool AbrirFases{false};
    bool AbrirSecuencias{false};
    // 2 both views side by side, 1 one view alone; 0 when nothing opens.
    std::int32_t ModoVistas{0};
    // Selections 0..numTrifasicos as the dialog writes them, also when it
    // refuses (the rejected ticks stay until the next press).
    std::vector<std::int32_t> SeleccionFases;
    std::vector<std::int32_t> SeleccionSecuencias;
};

// fases[g - 1] / secuencias[g - 1]: the boxes of set g are ticked; boxes past
// numTrifasicos are ignored (the dialog disables them).
[[nodiscard]] DecisionSeleccion
DecidirSeleccion(std::span<const bool> fases, std::span<const bool> secuencias, std::int32_t numTrifasicos);

} // namespace vesdra
