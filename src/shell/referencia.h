#pragma once

namespace vesdra {

// The primary/secondary reference of a revision-1997 record, as every choice
// dialog that offers it applies it (waveform, digital, composition and
// phasor dialogs).

// Valores becomes a copy of the primary (or the secondary) matrix, and its
// block tables those of that side. The
// chosen side's flag is set and the other cleared, so the P/S indicators
// tell the side shown; when the side differs from the one Valores held, the
// phasor table no longer fits it and FasoresCalculados is cleared. Any other
// revision: nothing.
void ElegirReferencia(bool primario);

// The side the values every view draws are on, for a dialog to open on:
// true when Valores holds the secondary side of a 1997 record (and not also
// the primary one); false for the primary side, the file's own values or
// another revision.
[[nodiscard]] bool SecundarioEnVigor();

} // namespace vesdra
