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
// the other side v * factor.
struct Escala {
    double a{1.0};
    double b{0.0};
    // Where v goes: Valores (a 1991 record; a 1997 channel referred to the
    // side in force, or that says no side) or ValoresOtroLado (a 1997
    // channel referred to the other side).
    enum class Destino : std::uint8_t { Valores, OtroLado };
    Destino propio{Destino::Valores};
    // 1997: the other matrix's column is v times `factor`, the ratio of the
    // ratings; 1 (the values as the file holds them) for a channel that says
    // no side or whose ratings give none.
    double factor{1.0};
    // 1997: the other side is derived once the whole column is read
    // (DerivarLados), its products checked; else as each value is read.
    bool derivarAlFinal{false};
};

// A value times a side's factor, in double, rounded once.
[[nodiscard]] inline float PorFactor(float v, double factor)
{
    return static_cast<float>(static_cast<double>(v) * factor);
}

struct Plan {
    std::int32_t nA{0};
    std::int32_t nD{0};
    std::int64_t anunciadas{0}; // samples the .cfg announces
    std::int32_t nS{0};         // samples read: the announced ones the file holds
    bool es1997{false};
    Lado enVigor{Lado::Primario}; // 1997: the side Valores holds
    double mult{0.0};             // 0: time stamps unmultiplied
    std::vector<Escala> escalas;  // [c - 1]
    // 1997 channels shown on both sides as the file holds them: those whose
    // flag is neither P nor S, and those whose other side the ratings cannot
    // give (a rating 0, or a ratio or a value times it beyond single
    // precision), in channel order.
    std::vector<std::int32_t> sinMarca;
    std::vector<std::int32_t> sinRelacion;
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
// `seSobrescriben` the cells the reader writes whole (the value matrices,
// EstadosDigitales) are left unset for it. A 1997 record gets its two value
// matrices and the side in force.
void CrearMatrices(RecordModel& r, const Plan& plan, bool seSobrescriben);

// The sample matrices and time stamps cut to their first plan.nS samples
// (fewer than they were made for).
void Recortar(RecordModel& r, const Plan& plan);

// The record's block tables once its matrices are filled; a 1997 side
// derived by a factor takes the other side's tables scaled.
void ConstruirTablas(RecordModel& r, const Plan& plan);

// What a read that succeeds tells of the plan: the 1997 channels shown as
// the file holds them.
void AnotarLados(const Plan& plan, ResultadoLectura& res);

// The other side of the 1997 channels marked derivarAlFinal, from their own
// side's values: a channel for which some value times its ratio lies beyond
// single precision cannot be derived after all; both its sides then hold
// the file's values (factor 1) and it joins plan.sinRelacion. Before the
// block tables are built.
void DerivarLados(RecordModel& r, Plan& plan);

// Each time stamp that lies beyond double precision (a huge multiplier)
// takes the one before it; those before the first that does not, that one;
// none at all, 0.
void AcotarTiempos(Array<double>& tiempos);

// TasaCalculada from the first two time stamps; 0 when they give none (the
// same, or not rising, or a rate beyond 32 bits).
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
