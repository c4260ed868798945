#pragma once

namespace vesdra {

// What the shell calls of the phasor and sequence analysis.

// The Fasores menu command: refuses without an open record (text 91), with
// fewer than one sample per cycle (text 283), with an applied template that
// does not fit the record (text 246) or of version "ver 1.0" (text 172);
// then computes the phasor table once per record behind the hourglass and
// opens the setup dialog afresh. A failed computation shows its error box,
// leaves the record marked as not computed and opens nothing.
void AbrirFasores();

// The close command's part: both selections emptied, ModoVistas and the
// closing flags 0 (FasoresCalculados is the record model's). The tables and
// any open view stay.
void CerrarRegistroFasores();

// The status-bar close button on the phasor view (Tag "1") or the sequence
// view (Tag "2"): that view, and the other one too when both were opened
// together, are unloaded; the menu form comes back.
void CerrarVistaFasesBoton();
void CerrarVistaSecuenciasBoton();

// Program end: the phasor view, the setup dialog and the sequence view are
// unloaded.
void DescargarFormulariosFasores();

} // namespace vesdra
