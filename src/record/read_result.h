#pragma once
#include <QString>
#include <cstdint>
#include <utility>
#include <vector>

namespace vesdra {

// Why a record file was not read. Each reader leaves the record model as it
// was (the .cfg reader) or with empty sample matrices (the .dat readers) when
// it refuses a file, and says why here; the open sequence shows the message.
enum class ErrorLectura {
    Ninguno,
    NoSeAbre,             // the file is missing or cannot be read
    RevisionRechazada,    // line 1 carries a revision field other than 1997 (Hallado: the field)
    FinesDeLineaCR,       // the .cfg (or the ASCII data file) ends its lines with CR alone
    CuentaNoValida,       // a channel, rate or sample count is no number or negative
    CuentasNoCoinciden,   // the counts ask for more lines than the .cfg holds
    MuestraFinalNoValida, // an end sample beyond 32-bit sample numbers (Hallado: the field)
    MuestraFinalNoNumero, // an end sample that is no number (Hallado: the field)
    DatVacio,             // the data file holds no byte
    DatCorto,             // a BINARY data file shorter than one sample (Hallado: its bytes;
                          // Necesarios: a sample's)
    SinLineaEntera,       // no sample line of an ASCII data file is whole and readable
    SinMuestras,          // no analog sample to show: no analog channel, or 0 samples
    TipoDesconocido,      // the .cfg's file type is neither ASCII nor BINARY (Hallado: the type)
    FactorNoValido,       // an analog channel's factor is missing, no number or beyond single
                          // precision (Linea: its .cfg line; Hallado: the field)
    CanalesNoCoinciden,   // the channel counts of line 2 do not match the channel lines (Hallado:
                          // line 2; Linea: the first line that does not fit; CuentaAnalogicos,
                          // CuentaDigitales: the counts)
};

struct ResultadoLectura {
    ErrorLectura Error{ErrorLectura::Ninguno};
    QString Detalle;            // English, for the log
    QString Hallado;            // what the file holds where it is refused, as written
    std::int64_t Linea{0};      // the line refused (1-based), where one is named
    std::int64_t Necesarios{0}; // DatCorto: the bytes of one sample
    // A data file that holds fewer samples than the .cfg announces is read as
    // far as it goes: then the count announced, else 0.
    std::int64_t MuestrasAnunciadas{0};
    // ASCII sample lines that are incomplete or hold fields that cannot be
    // read (each is still one sample): how many, and the first one's line
    // number in the file (1-based, blank lines counted).
    std::int64_t LineasDanadas{0};
    std::int64_t PrimeraLineaDanada{0};
    // 1997 analog channels (1-based) shown on both sides as the file holds
    // their values: those whose P/S flag is neither P nor S, and those whose
    // other side cannot be computed from their ratings (one is 0 or not
    // finite, or their ratio, or a value times it, lies beyond single
    // precision).
    std::vector<std::int32_t> CanalesSinMarca;
    std::vector<std::int32_t> CanalesSinRelacion;
    // The .cfg: analog channels (1-based) whose skew is a number beyond
    // single precision, taken as 0.
    std::vector<std::int32_t> CanalesDesfaseFuera;
    // CanalesNoCoinciden: the counts line 2 gives.
    std::int32_t CuentaAnalogicos{0};
    std::int32_t CuentaDigitales{0};

    [[nodiscard]] bool Ok() const { return Error == ErrorLectura::Ninguno; }
    [[nodiscard]] static ResultadoLectura Fallo(ErrorLectura e, QString detalle, QString hallado = {},
                                                std::int64_t linea = 0)
    {
        ResultadoLectura res;
        res.Error = e;
        res.Detalle = std::move(detalle);
        res.Hallado = std::move(hallado);
        res.Linea = linea;
        return res;
    }
};

} // namespace vesdra
