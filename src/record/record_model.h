#pragma once
#include <QString>
#include <array>
#include <cstdint>
#include <optional>

#include "record/array.h"
#include "record/matrix.h"
#include "record/tablas_trazo.h"

namespace vesdra {

// A side of a 1997 record's values: referred to the primary or to the
// secondary of the instrument transformers.
enum class Lado : std::uint8_t { Primario, Secundario };

// Primary and secondary ratings of one analog channel of a 1997 record and
// the flag telling which side the file's values are referred to.
struct PrimSec {
    double Primario{0.0};   // primary factor
    double Secundario{0.0}; // secondary factor
    QString PS;             // rest of the channel line after the secondary factor, untrimmed ("P"/"S")
};

// The side a 1997 channel's P/S flag names (blanks round it and case
// aside), or none.
[[nodiscard]] std::optional<Lado> LadoMarcado(const PrimSec& ps);

// The open COMTRADE record. One instance per process (Registro()); written by
// the .cfg and .dat readers, read by every view, the templates and the shell.
//
// Invariants while a record is open:
// - FactorA, FactorB, Desfase, the rows of TablaCanales (and TablaPrimSec of a
//   1997 record) and the columns of the sample matrices number NumAnalogicos;
//   NombresDigitales and the columns of EstadosDigitales number NumDigitales.
// - The sample count is NumMuestras() == Valores.Rows(); Tiempos and
//   EstadosDigitales (when NumDigitales > 0) have as many rows. A record
//   without analog channels has no samples at all.
// - TablaCanales(c, 1) is a channel position 1..NumAnalogicos as text; for
//   the record's own table it is c (see record/canales.h).
// - AnioRevision is "1991" or "1997".
struct RecordModel {
    // Paths, written by the open sequence. RutaCfg / RutaHdr are "" when the
    // file was not found beside the data file.
    QString RutaDat;
    QString RutaCfg;
    QString RutaHdr;

    // Contents of the .cfg.
    QString NombreEstacion;      // line 1, field 1 (a template's identifier once applied)
    QString AnioRevision{"0"};   // "1991" or "1997"; "0" when no record is open
    QString TextoRevision{"0"};  // revision field as written
    bool RevisionErronea{false}; // the last .cfg read refused its revision field
    std::int32_t TotalCanales{0};
    std::int32_t NumAnalogicos{0};
    std::int32_t NumDigitales{0};
    std::int32_t NumAnalogicosOfrecidos{0}; // copies offered to the template wizard
    std::int32_t NumDigitalesOfrecidos{0};
    // (channel row, column): 1 channel number, 2 name (ch_id), 3 circuit
    // (ccbm), 4 units. The channel number is the row's position among the
    // .cfg's analog lines (record/canales.h); applying a template rebuilds
    // the table with five columns and the template's positions.
    Matrix<QString> TablaCanales;
    // The numbers the .cfg writes at the head of each analog (digital)
    // channel line, as written: text only, never a column.
    Array<QString> NumerosAnalogicos;
    Array<QString> NumerosDigitales;
    // Multiplier a and offset b per analog channel, as the .cfg writes them
    // (within single precision): every value is a*x + b computed in double
    // and rounded once to single precision.
    Array<double> FactorA;
    Array<double> FactorB;
    Array<float> Desfase;            // time skew per analog channel, microseconds
    Array<PrimSec> TablaPrimSec;     // 1997 only; not reset by closing a record
    Array<QString> NombresDigitales; // empty when NumDigitales is 0
    std::int32_t FrecuenciaLinea{0}; // Hz
    std::int32_t NumTasas{0};
    Array<std::int32_t> TasasMuestreo;   // 1..max(NumTasas, 1), Hz
    Array<std::int32_t> MuestrasFinales; // 1..max(NumTasas, 1); element 1 fixes the samples read
    QString FechaInicio;                 // start time line, whole ("0" after closing)
    QString FechaDisparo{"0"};           // trigger time line, whole
    QString TipoFichero;                 // file type line; trimmed and upper-cased before use
    // Time multiplier of a 1997 record (a real: 0.001 multiplies by 0.001);
    // 1 after reading a 1991 .cfg. 0 means time stamps are not multiplied.
    double MultTiempo{1.0};

    // Sample matrices, (sample, channel). Valores holds the values every view
    // draws: a*x + b for a 1991 record. A 1997 record keeps its two sides in
    // two matrices: Valores holds the side in force (LadoEnVigor), and
    // ValoresOtroLado the other one (empty for a 1991 record). Choosing the
    // other side swaps them (ElegirLado): no side is ever a third copy.
    // ValoresPrimario() / ValoresSecundario() give each side wherever it is.
    Matrix<float> Valores;
    Matrix<float> ValoresOtroLado;
    // The side Valores holds, set where the side is chosen: by the reader
    // (the side the file's values are referred to when every channel says
    // the same, else the primary) and by ElegirLado.
    Lado LadoEnVigor{Lado::Primario};
    Matrix<std::uint8_t> EstadosDigitales; // 0 or 1 (an ASCII field is kept as written)
    Array<double> Tiempos;                 // per sample, microseconds (multiplied by MultTiempo)
    // Block tables of the matrices above, built when the record is read;
    // empty for a model filled by hand (the traces then read every sample).
    TablasTrazo Tablas;
    std::int32_t TasaCalculada{0}; // Hz, from the first two time stamps

    // Extremes per column of the last matrix given to MaxMinCanales: the
    // smallest and largest value the column holds.
    Array<float> MinimosCanal;
    Array<float> MaximosCanal;

    // Trace colours: QBColor numbers (0..15), index 0..14.
    std::array<std::uint8_t, 15> PaletaColores{};

    bool RegistroAbierto{false};
    bool FasoresCalculados{false};
    bool TipoErroneo{false};  // the file type was neither ASCII nor BINARY
    bool PuntoDecimal{false}; // the locale writes numbers with "."

    // ASCII copy of a BINARY record: target path without extension, and
    // whether the user chose to convert and stop (value matrices zeroed).
    QString NombreConversion;
    bool SalirTrasConversion{false};

    [[nodiscard]] std::int32_t NumMuestras() const { return Valores.Rows(); }
    [[nodiscard]] bool Es1997() const { return AnioRevision.trimmed() == QLatin1String("1997"); }

    // The values of one side of a 1997 record, (sample, channel): Valores
    // when that side is in force, else ValoresOtroLado. Empty for any other
    // revision. A channel whose side cannot be derived (a flag neither P nor
    // S, a rating 0, or a ratio that takes its values beyond single
    // precision) holds there its values as the file holds them.
    [[nodiscard]] const Matrix<float>& ValoresLado(Lado lado) const;
    [[nodiscard]] const Matrix<float>& ValoresPrimario() const { return ValoresLado(Lado::Primario); }
    [[nodiscard]] const Matrix<float>& ValoresSecundario() const { return ValoresLado(Lado::Secundario); }
};

// The one process-wide record.
RecordModel& Registro();

// After a record opened successfully: phasors not computed, record open,
// the channel palette set.
void IniciarValores();

// Puts the side `lado` of a 1997 record in force: when Valores holds the
// other one, the two matrices and their block tables change places and
// FasoresCalculados is cleared (the phasors were of the other side). No pass
// over the samples. Any other revision: nothing. Returns whether the side
// changed.
bool ElegirLado(RecordModel& r, Lado lado);

// A 1997 model filled by hand (tests, benchmarks): the two sides, the one
// `enVigor` in Valores. Builds no block tables.
void PonerLados(RecordModel& r, Matrix<float> primario, Matrix<float> secundario,
                Lado enVigor = Lado::Primario);

// What the close command does to the record model: releases the per-channel
// and sample arrays and their tables, zeroes the counts and flags, "0" for AnioRevision,
// TextoRevision, FechaDisparo and FechaInicio, "" for TipoFichero,
// NombreEstacion and NombreConversion. Leaves the paths, TablaPrimSec,
// MultTiempo and PaletaColores as they are.
void CerrarRegistro();

} // namespace vesdra
