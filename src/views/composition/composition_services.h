#pragma once
#include <vector>

namespace vesdra {

class frmVerCmpang;

// What the shell calls of the analog composition views.

// The composition menu item: unloads the dialog, loads it afresh (empty
// slots, slot 1 selected, the channel list filled) and shows it modeless.
void AbrirComposicion();

// The main window's close button on a window whose Tag is "4": closes every
// composition window, each running its own unload (the last one brings the
// menu form back).
void CerrarVentanasComposicion();

// The close-record command's resets: the selection and the window array are
// emptied, the count and the ready flag set to 0. No window is closed.
void ReiniciarComposiciones();

// The other side of a 1997 record was put in force: the extremes of every
// column are taken again from it and every composition window is laid out
// and drawn afresh.
void LadoCambiadoComposicion();

// Program end: unloads the dialog and closes every composition window.
void DescargarComposiciones();

namespace composicion {

// Every composition window alive, whichever build made it, in creation
// order. The windows register and leave themselves.
[[nodiscard]] std::vector<frmVerCmpang*> VentanasAbiertas();
void RegistrarVentana(frmVerCmpang* ventana);
void QuitarVentana(frmVerCmpang* ventana);

} // namespace composicion
} // namespace vesdra
