#pragma once
#include <cstdint>
#include <span>
#include <vector>

#include "platform/base/trace_envelope.h"
#include "platform/base/trace_pyramid.h"

namespace vesdra {

struct RecordModel;

// The block tables behind every trace of a record: per column of each
// analog value matrix its min/max pyramid, per digital column its "any
// state 1" pyramid. Built once when the record is read, they travel with
// the record model and go with it (closing, or another record taking its
// place). Valores' tables follow the side the views draw: choosing the
// primary or secondary side copies that side's tables with its values.
struct TablasTrazo {
    std::vector<TracePyramid> Valores;    // [c - 1]
    std::vector<TracePyramid> Primario;   // 1997 only
    std::vector<TracePyramid> Secundario; // 1997 only
    std::vector<StatePyramid> Estados;    // [c - 1] of EstadosDigitales
};

// How a column of a 1997 side follows from Valores: its values times
// Factor in double, rounded once (Derivado), or not at all (the side's own
// samples are read).
struct LadoColumna {
    bool Derivado{false};
    double Factor{1.0};
};

// Builds every table of r from its matrices as they stand. A side column
// derived by a factor that scales exactly takes Valores' tables scaled;
// `primario` / `secundario` (per column, or empty) tell which are.
void ConstruirTablasTrazo(RecordModel& r, std::span<const LadoColumna> primario = {},
                          std::span<const LadoColumna> secundario = {});

// The tables of column `columna` of r.Valores (r.EstadosDigitales), or
// nullptr when the record has none that fit it (a model filled by hand).
[[nodiscard]] const TracePyramid* TablaValores(const RecordModel& r, std::int32_t columna);
[[nodiscard]] const StatePyramid* TablaEstados(const RecordModel& r, std::int32_t columna);

// The tables for a stretch of column `columna` of r.Valores that starts at
// sample `primera` (1-based), for the trace envelope.
[[nodiscard]] EnvelopeTables TablasTramo(const RecordModel& r, std::int32_t columna, std::int32_t primera);

} // namespace vesdra
