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
// place). They follow their matrices: choosing the other side of a 1997
// record swaps Valores' and OtroLado's with the values.
struct TablasTrazo {
    std::vector<TracePyramid> Valores;  // [c - 1]
    std::vector<TracePyramid> OtroLado; // [c - 1] of ValoresOtroLado, 1997 only
    std::vector<StatePyramid> Estados;  // [c - 1] of EstadosDigitales
};

// How a column of a 1997 record's two value matrices follows from the
// other's same column: its values times Factor in double, rounded once.
struct ColumnaDerivada {
    enum class Cual : std::uint8_t {
        Ninguna,  // each matrix's column is its own
        Valores,  // Valores' column is ValoresOtroLado's times Factor
        OtroLado, // ValoresOtroLado's column is Valores' times Factor
    };
    Cual Derivada{Cual::Ninguna};
    double Factor{1.0};
};

// Builds every table of r from its matrices as they stand. A column derived
// from the other matrix's by a factor that scales exactly takes that one's
// tables scaled; `derivadas` (per column, or empty) tells which are.
void ConstruirTablasTrazo(RecordModel& r, std::span<const ColumnaDerivada> derivadas = {});

// The tables of column `columna` of r.Valores (r.EstadosDigitales), or
// nullptr when the record has none that fit it (a model filled by hand).
[[nodiscard]] const TracePyramid* TablaValores(const RecordModel& r, std::int32_t columna);
[[nodiscard]] const StatePyramid* TablaEstados(const RecordModel& r, std::int32_t columna);

// The tables for a stretch of column `columna` of r.Valores that starts at
// sample `primera` (1-based), for the trace envelope.
[[nodiscard]] EnvelopeTables TablasTramo(const RecordModel& r, std::int32_t columna, std::int32_t primera);

} // namespace vesdra
