#pragma once
#include <cstdint>
#include <memory>
#include <vector>

#include "analysis/float_table.h"

namespace vesdra {

// Process-wide state of the phasor and sequence analysis. One instance,
// reached through Analisis().
struct AnalysisState {
    // Phasor table of the sliding one-cycle DFT: rows 1..FilasDFT, columns
    // 1..2·CanalesDFT. Column 2c − 1 holds the sine-weighted and column 2c the
    // cosine-weighted sum of analog channel c, scaled to RMS, for the window
    // of N rows ending at the row. Rows 1..5·N are lead-in; row 5·N + s
    // belongs to record sample s. Replaced whole, and only, by a complete run;
    // an open view keeps the table it was built on. Null until the first run.
    std::shared_ptr<const TablaReal> Fasores;
    std::int32_t NumMuestrasDFT{0};
    std::int32_t FilasDFT{0};
    std::int32_t CanalesDFT{0};
    // Samples per cycle the table was built with.
    std::int32_t MuestrasCicloDFT{0};

    // View selections written by the setup dialog: element 0 the number of
    // sets chosen for the view, element g (1..NumTrifasicos) 1 when set g is
    // chosen. Empty until the first OK and after the record is closed.
    std::vector<std::int32_t> SeleccionFases;
    std::vector<std::int32_t> SeleccionSecuencias;
    // 2: the phasor and the sequence views were opened together; 1: one view
    // alone; 0 after the record is closed.
    std::int32_t ModoVistas{0};
    // Which view of a pair opened together has already closed.
    bool FasesCerrada{false};
    bool SecuenciasCerrada{false};

    // Symmetrical components of the sets chosen for the sequence view, one
    // row per row of Fasores, six columns per set (X1, X2, X0 as real and
    // imaginary parts). Rebuilt at every opening of the sequence view.
    std::shared_ptr<const TablaReal> ComponentesSecuencia;
};

AnalysisState& Analisis();

// Element g of a selection, 0 outside its bounds (an empty selection chooses
// nothing).
[[nodiscard]] std::int32_t Elegido(const std::vector<std::int32_t>& seleccion, std::int32_t g);

// The sets a selection chooses, in ascending order (at most `maximo`).
[[nodiscard]] std::vector<std::int32_t> SetsElegidos(const std::vector<std::int32_t>& seleccion,
                                                     std::int32_t numTrifasicos, std::size_t maximo = 2);

// What the close command resets: both selections emptied, ModoVistas and the
// closing flags 0. The phasor and sequence tables stay; the next computation
// replaces them.
void ReiniciarSeleccionesFasores();

} // namespace vesdra
