#pragma once
#include "record/read_result.h"

namespace vesdra {

// The .dat readers fill the sample matrices of Registro() from RutaDat, with
// the counts and factors the .cfg gave: MuestrasFinales(1) samples (the first
// rate segment only), each analog value scaled to a*x + b, the digital
// channels as 0/1, the time stamps times MultTiempo (when it is not 0), and
// TasaCalculada from the first two time stamps (0 when it cannot be derived).
// A 1997 record also gets ValoresPrimario / ValoresSecundario by its P/S flags.
//
// Before anything is sized, the sample count is checked against what the
// file can hold; a refused or unreadable file leaves every sample matrix
// empty and says why. A record without analog channels has no samples.
// The opening gauge advances by 1 percent every nS / 90 samples (records
// with digital channels).

// BINARY: fixed-size little-endian records. A last record cut short by the
// end of the file reads 0 for what is missing.
[[nodiscard]] ResultadoLectura LeerDatBinario();

// ASCII: one comma-separated line per sample (CR LF or LF). A field that is
// no number leaves its cell 0; a line with fewer fields leaves the rest 0.
[[nodiscard]] ResultadoLectura LeerDatAscii();

} // namespace vesdra
