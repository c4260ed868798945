#pragma once
#include <QString>
#include <QStringList>
#include <QStringView>
#include <cstdint>
#include <span>
#include <string_view>

#include "record/matrix.h"
#include "record/record_model.h"

namespace vesdra {

// Number of a .cfg field or an ASCII time stamp, whatever the locale: the
// text is trimmed; when it holds no "." its first "," is the decimal point;
// blanks are skipped and the leading number is taken ("12A" is 12,
// "6.103516E-05" is 6.103516e-05); no number at all gives 0.
[[nodiscard]] double ValorNumero(std::string_view text);
[[nodiscard]] double ValorNumero(QStringView text);
// The same, telling whether the text holds a number at all: false (and 0)
// for a text without one, or whose number lies beyond double precision.
[[nodiscard]] bool ValorNumero(std::string_view text, double& out);

// Whether a whole text is a number as ValorNumero reads it (trimmed; "," the
// point when the text has none), with nothing left over: a set factor that
// passes gives the same value wherever it is read.
[[nodiscard]] bool TextoEsNumero(const QString& text);

// Caption of analog channel row n of TablaCanales, its texts trimmed of the
// blanks a file pads them with: the circuit name unless it is empty or
// longer than the channel name (then the channel name; an empty name gives
// the circuit name). A circuit name that another row's caption shares tells
// the channel from none of them: the caption then carries the channel name
// too, "circuit – name".
[[nodiscard]] QString NombreCanal(std::int32_t n);
// NombreCanal of every row of TablaCanales, in their order, with one pass
// over the table.
[[nodiscard]] QStringList NombresCanales();
// Channel name of row n unless it is empty, then the circuit name; trimmed.
[[nodiscard]] QString NombreCanalId(std::int32_t n);
// The units text of row n trimmed (empty for a row outside the table). The
// table keeps each text as the file gives it (the ASCII copy writes that).
[[nodiscard]] QString UnidadCanal(std::int32_t n);
// The NombreCanalId rule on a template's analog table (AnalogicosPlantilla,
// same four columns as TablaCanales), which the templates subsystem owns.
[[nodiscard]] QString NombreCanalPlantilla(const Matrix<QString>& analogicosPlantilla, std::int32_t n);

// TasasMuestreo(1) when it is a rate (above 0), else TasaCalculada (0 when
// the time stamps give none): a record without a usable rate gives 0.
[[nodiscard]] std::int32_t FrecuenciaMuestreo(const RecordModel& r);
[[nodiscard]] std::int32_t FrecuenciaMuestreo();

// Samples per cycle of the line frequency as the views use it (the cursors'
// page step, the stretch of a cycle): rate / line frequency rounded (halves
// to even), 1 when that gives 0. A line frequency of 0 throws VbError 11
// (division by zero). The phasor views' cycle has a rule of its own.
[[nodiscard]] std::int32_t MuestrasPorCiclo(std::int32_t frecuenciaMuestreo, std::int32_t frecuenciaLinea);

// The smallest and largest value a column of Valores holds (NaN left out):
// through its block tables when it has them, else (nullptr) sample by
// sample. A column of no number at all gives 0 and 0.
void ExtremosMuestras(std::span<const float> columna, const TracePyramid* tablas, float& lo, float& hi);

// Fills Registro().MinimosCanal / MaximosCanal (1..columns) with the extremes
// of each column of m, as ExtremosMuestras. The record's own Valores is
// read through its block tables when it has them.
void MaxMinCanales(const Matrix<float>& m);

// The date and time of WallClockNow() in the locale's short format, its first three "."
// turned into ":" (print headers).
[[nodiscard]] QString HoraTexto();

// Sets PuntoDecimal of r: the locale writes numbers with ".".
void ComprobarDecimal(RecordModel& r = Registro());

} // namespace vesdra
