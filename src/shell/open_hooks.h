#pragma once
#include <QRect>
#include <QString>
#include <functional>

class QWidget;

namespace vesdra {

// What the open sequence, the ini files, the progress windows and the exit
// key need of the main window (MDIForm1) and the menu form (FrmMenu). The
// main window fills these in when it is built; every hook has a harmless
// default, so a record opens in a test without any window.
struct OpenHooks {
    // A record has really been opened (its data file read): the main
    // window's caption becomes the program title and the status bar's path
    // label (Etiqueta) shows rutaDat.
    std::function<void(const QString& rutaDat)> RegistroMostrado;
    // No record is open any more (an open that replaced the old record's
    // configuration failed further on): the path label is cleared.
    std::function<void()> RegistroQuitado;

    // What the close command resets in the view subsystems (the selections of
    // the waveform, phasor, composition and digital views), called before a
    // newly opened record replaces the old one so that no old selection is
    // applied to it. Default: nothing.
    std::function<void()> ReiniciarVistas;
    // After an ASCII record is open: the template dialog frmPlantilla.
    std::function<void()> MostrarPlantilla;
    // After a BINARY record is open: the choice window poscamb (convert to
    // ASCII, go on, cancel).
    std::function<void()> MostrarPoscamb;

    // Presses the main window's close button (cmdSalir.Value = True).
    std::function<void()> PulsarSalir;

    // Outer geometry, in screen twips (Left, Top, Width, Height), of the main
    // window and of the menu form; the progress windows and the open dialog
    // are placed from them. Defaults: the whole screen.
    std::function<QRect()> GeometriaPrincipal;
    std::function<QRect()> GeometriaMenu;
};

// The one process-wide instance.
OpenHooks& AperturaHooks();

// Start-up, once, before any record is opened: plugs the progress windows into
// the record readers' and the views' hooks, the settings files into the
// language switch and the exit key into the key hook.
void ConectarServiciosApertura();

} // namespace vesdra
