#pragma once
#include <vector>

class QWidget;

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

// Program end: unloads the dialog and closes every composition window.
void DescargarComposiciones();

namespace composicion {

// Every composition window alive, whichever build made it, in creation
// order. The windows register and leave themselves.
[[nodiscard]] std::vector<frmVerCmpang*> VentanasAbiertas();
void RegistrarVentana(frmVerCmpang* ventana);
void QuitarVentana(frmVerCmpang* ventana);

// Closes a form the way its close box would: through the MDI sub-window
// that holds it, when there is one, so no empty frame stays behind.
void CerrarFormulario(QWidget* form);
// Puts a shown form in its normal state (neither maximised nor minimised),
// whatever state its MDI area gives new windows.
void MostrarNormal(QWidget* form);
// Hides a form, and the MDI sub-window that holds it.
void OcultarFormulario(QWidget* form);

} // namespace composicion
} // namespace vesdra
