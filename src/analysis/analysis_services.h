#pragma once

namespace vesdra {

// What the shell calls of the phasor and sequence analysis. The Fasores
// menu command itself (its checks, the computation once per record, the
// setup dialog) is the shell's ComandoFasores, which reaches CalcularFasores
// and MostrarFasecuencias through the view registry.

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
