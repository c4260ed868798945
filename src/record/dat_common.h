#pragma once
// Internal to the .dat readers.
#include <QFile>
#include <cstdint>
#include <vector>

#include "record/read_result.h"
#include "record/record_model.h"

namespace vesdra::dat {

// How one analog channel's values are scaled and where they go. Every value
// is computed in double and rounded once to single precision: v = a*x + b,
// a side v * factor.
struct Escala {
    double a{1.0};
    double b{0.0};
    // 1997 sides: ratio applied to v for the side the file is not referred
    // to; a side that cannot be computed (no flag, or a zero factor) stays 0.
    bool escribePrimario{false};
    bool escribeSecundario{false};
    double factorPrimario{1.0};   // ValoresPrimario = v * factorPrimario
    double factorSecundario{1.0}; // ValoresSecundario = v * factorSecundario

    [[nodiscard]] float Valor(double x) const { return static_cast<float>(x * a + b); }
};

// A value times a side's factor, in double, rounded once.
[[nodiscard]] inline float Lado(float v, double factor)
{
    return static_cast<float>(static_cast<double>(v) * factor);
}

struct Plan {
    std::int32_t nA{0};
    std::int32_t nD{0};
    std::int64_t anunciadas{0}; // samples the .cfg announces
    std::int32_t nS{0};         // samples read: the announced ones the file holds
    bool es1997{false};
    double mult{0.0};            // 0: time stamps unmultiplied
    std::vector<Escala> escalas; // [c - 1]
};

// Empties every sample matrix, the time stamps, the block tables and the
// derived rate: what a refused data file leaves.
void VaciarMatrices(RecordModel& r);

// Erases the sample matrices and builds the plan from the .cfg variables;
// refuses negative counts, a missing rate table and a record with no analog
// sample to show.
[[nodiscard]] ResultadoLectura PrepararPlan(RecordModel& r, Plan& plan);

// Builds the plan and opens the data file; an empty file is refused
// (DatVacio).
[[nodiscard]] ResultadoLectura AbrirDat(RecordModel& r, Plan& plan, QFile& fichero);

// The file holds `capacidad` whole samples: plan.nS becomes the announced
// count or that, whichever is less. Refuses a file with no whole sample. An
// Ok result names the announced count when fewer are read.
[[nodiscard]] ResultadoLectura Acotar(Plan& plan, std::int64_t capacidad);

// Sizes the sample matrices for plan.nS samples, all 0; with
// `seSobrescriben` the cells the reader writes whole (Valores,
// EstadosDigitales, the written 1997 sides) are left unset for it.
void CrearMatrices(RecordModel& r, const Plan& plan, bool seSobrescriben);

// The record's block tables once its matrices are filled; the 1997 sides
// written from the values by a factor take the values' tables scaled.
void ConstruirTablas(RecordModel& r, const Plan& plan);

// TasaCalculada from the first two time stamps; 0 when it cannot be derived.
void CalcularTasa(RecordModel& r);

// The opening gauge: 1 percent every p + 1 samples, p = nS / 90 rounded
// half to even.
class ProgressTicker
{
public:
    explicit ProgressTicker(const Plan& plan);
    // Samples 1..hecho have been read.
    void Avanzar(std::int64_t hecho);

private:
    std::int64_t periodo_{1};
    std::int64_t avisados_{0};
};

} // namespace vesdra::dat
