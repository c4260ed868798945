#pragma once
#include <vector>

namespace vesdra {

class frmVerOndas;

// What the shell calls of the waveform views.

// The analog-waveforms menu item: unloads the channel-choice dialog, loads
// it afresh (captions, channel list, slot 1 selected) and shows it
// modeless. Needs an open record.
void AbrirDialogoOndas();

// The main window's close button on a window whose Tag is "5": closes every
// waveform window, each running its own unload; the last one brings the menu
// form back.
void CerrarVentanasOndas();

// The close button on a window whose Tag is "3": closes the stacked view,
// whose unload brings the menu form back.
void CerrarVistaTodo();

// The other side of a 1997 record was put in force: every waveform window
// and the stacked view are laid out and drawn afresh from it, as after a
// resize.
void LadoCambiadoOndas();

// The close-record command's resets: CanalesVisibles and VentanasOndas emptied, the window count, the stacked
// view's channel counter and print scale set to 0. No window is closed.
void ReiniciarOndas();

// Program end: unloads the dialog and closes every waveform view.
void DescargarOndas();

namespace ondas {

// Every waveform window alive, whichever build made it, in creation order.
// The windows register and leave themselves.
[[nodiscard]] std::vector<frmVerOndas*> VentanasOndasAbiertas();
void RegistrarVentanaOndas(frmVerOndas* ventana);
void QuitarVentanaOndas(frmVerOndas* ventana);

// One read-out font for the tile: every laid-out waveform window shows its
// read-outs at the largest size that holds every window's widest texts
// (PixelesTesela of their own sizes); a window at another size places its
// boxes again, its view untouched.
void IgualarLecturasTesela();

} // namespace ondas
} // namespace vesdra
