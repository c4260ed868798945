#pragma once
// Internal to the .dat readers.
#include <QFile>
#include <cstdint>
#include <vector>

#include "record/read_result.h"
#include "record/record_model.h"

namespace vesdra::dat {

// How one analog channel's values are scaled and where they go.
struct Escala {
    float a{1.0f};
    float b{0.0f};
    // 1997 sides: ratio applied to v for the side the file is not referred
    // to; a side that cannot be computed (no flag, or a zero factor) stays 0.
    bool escribePrimario{false};
    bool escribeSecundario{false};
    float factorPrimario{1.0f};   // ValoresPrimario = v * factorPrimario
    float factorSecundario{1.0f}; // ValoresSecundario = v * factorSecundario
};

struct Plan {
    std::int32_t nA{0};
    std::int32_t nD{0};
    std::int32_t nS{0};
    bool es1997{false};
    double mult{0.0}; // 0: time stamps unmultiplied
    std::vector<Escala> escalas; // [c - 1]
};

// Erases the sample matrices and builds the plan from the .cfg variables;
// refuses negative counts and a missing rate table.
[[nodiscard]] ResultadoLectura PrepararPlan(RecordModel& r, Plan& plan);

// Builds the plan and opens the data file. An Ok result with `hayMuestras`
// false means there is nothing to read: a record without analog channels,
// whose rate has been derived already.
[[nodiscard]] ResultadoLectura AbrirDat(RecordModel& r, Plan& plan, QFile& fichero, bool& hayMuestras);

// Sizes the sample matrices for plan.nS samples, all 0; with
// `seSobrescriben` the cells the reader writes whole (Valores,
// EstadosDigitales, the written 1997 sides) are left unset for it.
void CrearMatrices(RecordModel& r, const Plan& plan, bool seSobrescriben);

// TasaCalculada from the first two time stamps; 0 when it cannot be derived.
void CalcularTasa(RecordModel& r);

[[nodiscard]] ResultadoLectura DatInsuficiente(std::int64_t muestras, std::int64_t capacidad, const char* unidad);

// The opening gauge: 1 percent every p + 1 samples, p = nS / 90 rounded
// half to even; silent for records without digital channels.
class Gasolino {
public:
    explicit Gasolino(const Plan& plan);
    // Samples 1..hecho have been read.
    void Avanzar(std::int64_t hecho);

private:
    std::int64_t periodo_{1};
    std::int64_t avisados_{0};
    bool activo_{false};
};

} // namespace vesdra::dat
