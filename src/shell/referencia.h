#pragma once

namespace vesdra {

// The primary/secondary reference of a revision-1997 record, as every choice
// dialog that offers it applies it (waveform, digital, composition and
// phasor dialogs).

// The primary (or the secondary) side is put in force (ElegirLado: when it
// was not, the two value matrices and their tables change places, and the
// phasor table, of the other side, is no longer calculated), and the views
// open then are drawn afresh from it (LadoCambiadoVistas): their traces,
// scales, read-outs and P/S indicators are of the side in force. Any other
// revision: nothing.
void ElegirReferencia(bool primario);

// The side the values every view draws are on, for a dialog to open on:
// true when the secondary side of a 1997 record is in force, as the record
// keeps it (no value is looked at); false for the primary side or another
// revision.
[[nodiscard]] bool SecundarioEnVigor();

} // namespace vesdra
