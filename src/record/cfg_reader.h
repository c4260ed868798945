#pragma once
#include <QString>
#include <cstdint>
#include <string_view>
#include <vector>

#include "record/array.h"
#include "record/matrix.h"
#include "record/read_result.h"
#include "record/record_model.h"

namespace vesdra {

// What one .cfg holds, as the record model takes it (the same names).
struct ContenidoCfg {
    QString NombreEstacion;
    QString AnioRevision{"1991"};
    QString TextoRevision;
    std::int32_t TotalCanales{0};
    std::int32_t NumAnalogicos{0};
    std::int32_t NumDigitales{0};
    Matrix<QString> TablaCanales;
    Array<QString> NumerosAnalogicos;
    Array<QString> NumerosDigitales;
    Array<double> FactorA;
    Array<double> FactorB;
    Array<float> Desfase;
    Array<PrimSec> TablaPrimSec; // 1997 only
    Array<QString> NombresDigitales;
    std::int32_t FrecuenciaLinea{0};
    std::int32_t NumTasas{0};
    Array<std::int32_t> TasasMuestreo;
    Array<std::int32_t> MuestrasFinales;
    QString FechaInicio;
    QString FechaDisparo;
    QString TipoFichero;
    double MultTiempo{1.0};
    // 0-based index of the file-type line among the file's lines; the
    // time-multiplier line of a 1997 file follows it.
    std::int32_t LineaTipoFichero{0};
    // Analog channels whose skew is a number beyond single precision (taken
    // as 0).
    std::vector<std::int32_t> CanalesDesfaseFuera;
};

// Parses the text of a .cfg (Windows-1252, or UTF-8 when it is valid UTF-8
// with multi-byte sequences; CR LF or LF line ends).
// A malformed field is read as empty or 0 and the parse goes on; the parse
// is refused (and `cfg` then holds no more than was read before) for lines
// ended by CR alone, for a revision other than 1991/1997 (Hallado: the field
// found), for channel or rate counts that are no numbers or negative, for a
// negative sample count, for an end sample beyond 32-bit sample numbers
// (Hallado: the field), for counts that ask for more lines than the file
// has, and for an analog channel whose multiplier is missing or no number,
// whose offset is written but no number, or whose multiplier, offset or 1997
// rating lies beyond single precision, or whose factors take a value the
// data file can hold beyond it (FactorNoValido; Linea: the channel's line,
// Hallado: the field): every value of that channel would be made up; and
// for channel counts on line 2 that do not match the channel lines (a line
// of another kind where an analog or a digital one is due, or a channel
// line where the line frequency is), whatever the lines read in the wrong
// places gave (CanalesNoCoinciden, naming line 2, its counts and the first
// line that does not fit). A skew beyond single precision is read as 0 and
// named in the result (CanalesDesfaseFuera).
[[nodiscard]] ResultadoLectura AnalizarCfg(std::string_view texto, ContenidoCfg& cfg);

// Reads r.RutaCfg into the record model r. RevisionErronea is cleared first
// and set again for a refused revision. A refused or unreadable file leaves
// the rest of the model exactly as it was; a file that is read replaces
// every .cfg variable (TablaPrimSec only for a 1997 record, MultTiempo 1 for
// a 1991 record).
// The open sequence reads the new record aside with it and, once the record
// has taken the open one's place, offers its channels to the templates.
[[nodiscard]] ResultadoLectura LeerCfg(RecordModel& r);

} // namespace vesdra
