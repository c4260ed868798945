#pragma once
#include <QString>
#include <cstdint>

namespace vesdra {

// Why an ASCII copy was not written. The conversion dialog shows text 168
// for CarpetaNoExiste (the target folder is missing) and the error box for
// the others.
enum class ErrorCopia {
    Ninguno,
    DestinoEsOrigen, // a target is one of the open record's own files
    CarpetaNoExiste,
    NoSeLee, // a source file cannot be read, or its .cfg not understood
    NoSeEscribe,
    DatCambiado, // the data file no longer holds the open record's samples
};

struct ResultadoCopia {
    ErrorCopia Error{ErrorCopia::Ninguno};
    QString Detalle;        // what failed, in English
    QString DetalleEspanol; // and in Spanish
    // DatCambiado: the whole samples the data file still holds, and the
    // record's.
    std::int32_t MuestrasHalladas{0};
    std::int32_t MuestrasRegistro{0};
    [[nodiscard]] bool Ok() const { return Error == ErrorCopia::Ninguno; }
};

// The three targets of Registro().NombreConversion (".DAT", ".hdr", ".cfg"),
// each resolved as a case-insensitive file system would: an existing file
// whose name differs only in letter case is the one replaced.
[[nodiscard]] QString DestinoConversion(const char* extension);

// Checks the targets before anything is written: their folder exists
// (CarpetaNoExiste) and none of them is one of the open record's own files
// (DestinoEsOrigen).
[[nodiscard]] ResultadoCopia ComprobarConversion();

// Writes Registro().NombreConversion + ".DAT": the open BINARY record's data
// file re-read and written as ASCII lines (" " sample,time,raw analog values,
// digital bits; CR LF), unscaled. Registro().NumMuestras() lines; a source
// that no longer holds them all (it changed since it was opened) is
// refused (DatCambiado) and nothing is written: no line is made up. When
// SalirTrasConversion is
// set the record's value matrices are zeroed (same shapes) once the copy is
// written; a failed copy leaves them as they were. The file
// is written under a temporary name and renamed at the end, so a failure
// leaves neither a partial copy nor a touched source. The progress bar hooks
// run while it works.
[[nodiscard]] ResultadoCopia GuardarDatAscii();

// Copies the record's .hdr to NombreConversion + ".hdr" (a record without
// one copies none and says nothing; a header that cannot be copied gives
// message 160 through the message hook, and the copy goes on) and its
// .cfg to NombreConversion + ".cfg" with only the file-type line's text
// replaced by "ASCII"; every other byte, the time-multiplier line included,
// is copied as it stands.
[[nodiscard]] ResultadoCopia GuardarCfgAscii();

} // namespace vesdra
