#pragma once

namespace vesdra {

// What the shell calls of the digital views.

// The digital-group menu item: unloads the group choice dialog, loads it
// afresh (options and analog list from the record and template of this
// moment) and shows it modeless. The menu form stays as it is.
void AbrirElecdig();

// The digital-composition menu item (the menu form already hidden):
// unloads the composition dialog and loads and shows a fresh one.
void AbrirComposicionDigital();
// The main window's close button on a window whose Tag is "9": closes the
// composition dialog, whose unload brings the menu form back.
void CerrarComposicionDigital();

// The main window's close button on a window whose Tag is "6": closes the
// digital view, whose unload clears ModoDigital and brings the menu form
// back.
void CerrarVistaDigital();

// The other side of a 1997 record was put in force: the open digital view
// (if any) is laid out and drawn afresh from it, as after a resize.
void LadoCambiadoDigital();

// The close-record command's resets: ModoDigital, PrimerMiembro,
// UltimoMiembro, AnalogicoElegido and NumFilasDigitales 0, GrupoElegido "".
// ListaDigitales is kept and no form is closed.
void CerrarRegistroDigital();

// Program end: closes both choice dialogs and the digital view.
void DescargarFormasDigitales();

} // namespace vesdra
