#pragma once
#include <QString>
#include <cstdint>
#include <exception>
#include <vector>

#include "platform/base/vb_error.h"
#include "shell/ini_files.h"

class QWidget;

namespace vesdra {

// The commands of the menu form, without the form: each checks the state in
// the order the program always has, shows its messages and opens what it
// opens through the view registry (view_services.h). The menu form connects
// its items to these and applies what they return to its items.

// The handlers' error path: the pointer of `form` (when given) and the
// screen's back to the default, then the error box.
void MostrarErrorManejador(QWidget* form, std::exception_ptr e);

// Runs a handler's body; a failure goes to MostrarErrorManejador and the
// result is false.
template <typename F> bool Atrapar(QWidget* form, F&& cuerpo)
{
    try {
        cuerpo();
        return true;
    } catch (...) {
        MostrarErrorManejador(form, std::current_exception());
        return false;
    }
}

// ---- File menu ----

// Open COMTRADE: a fresh open dialog, whose load runs the open sequence.
void ComandoAbrirComtrade();

// Close COMTRADE: the record model, the conversion, the loaded and applied
// template, the wizard flags, the print abort flag, the status path and the
// view selections are reset, and the conversion's choice, dialog and help
// windows unloaded; no view is closed and no file written. Also runs with no
// record open, and shows nothing.
void CerrarComtrade();

// The converter named in WIN.INI (section "Brunakor", key "path", a
// 150-character buffer) started in a normal window; text 270 when there is
// no path or no such program. Traps its errors.
void ComandoConversor();

// Exit: text 284 with OK and Cancel; true on OK (the caller unloads the
// main window).
[[nodiscard]] bool ConfirmarSalida();

// ---- Waveform and digital menus, opened ----

// Whether their two items are enabled: only while a record is open. With a
// record they warn (the items stay enabled): no template chosen (246), a
// template of version "ver 1.0" (172); the digital menu also a template
// without digital members or groups (92). Trap their errors.
[[nodiscard]] bool MenuOndasAbierto(QWidget* menuForm = nullptr);
[[nodiscard]] bool MenuDigitalAbierto(QWidget* menuForm = nullptr);

// ---- View commands ----
// The item shortcuts (F4..F7) act while an item is still enabled from the
// last opening of its menu, also after the record was closed: with no
// record open these refuse with text 91, so no dialog reads the released
// record. A record without a valid line frequency (0 or less), in which the
// views cannot count cycles, is refused with text 102 (information).
void ComandoCanalog();
void ComandoCompanalog();
void ComandoDigGrupos();
// The group view's key (F6) with a record open and no template chosen
// warns as opening the digital menu does (text 246) and opens nothing: a
// group dialog without groups would only end in "no groups". True when the
// key may go on to the command.
[[nodiscard]] bool AtajoDigGruposPermitido(QWidget* menuForm = nullptr);
// Hourglass, menu form hidden, frmGrid afresh, default pointer. A failure,
// or a grid that did not open, brings the menu form back, so the frame is
// never left with no form to show.
void ComandoCompdig(QWidget* menuForm = nullptr);

// Phasors, in this order: no record (91), no valid line frequency (102,
// information), fewer than one sample per cycle (283, information), a record
// shorter than one cycle (103, information), an applied template that does
// not fit (246), a template of version "ver 1.0" (172); then the phasor
// table is computed once per record behind the hourglass and the setup
// dialog opened afresh. Traps its errors.
void ComandoFasores(QWidget* menuForm = nullptr);

// Samples per cycle as the phasor command rounds them: rate / line
// frequency in double precision, halves to the even integer. Throws
// VbError 11 for a line frequency of 0 (6 when the rate is 0 too) and 6
// beyond 32 bits.
[[nodiscard]] std::int32_t MuestrasPorCicloMenu(std::int32_t frecuenciaMuestreo,
                                                std::int32_t frecuenciaLinea);

// Info: no record (91), no header file (161); then the report afresh.
// Traps its errors.
void ComandoInforme(QWidget* menuForm = nullptr);

// ---- Analysis tools ----

// What the tools menu shows when it opens: one entry per tool of
// tools.ini (name and program path), enabled only while a record is open
// and a template applied. Throws VbError (the caller shows the error box),
// 5 for a tool line without "=".
struct MenuHerramientas {
    std::int32_t Cuenta{0}; // LeerTools
    std::vector<Herramienta> Entradas;
    bool Habilitadas{false};
};
[[nodiscard]] MenuHerramientas LeerMenuHerramientas();

// Starts tool `index` (1-based) of `rutas` in a maximised window. Refuses
// an applied template that does not fit (246), version "ver 1.0" (172), a
// template without digital groups (92); an index beyond the list or an
// empty path does nothing. Traps its errors.
void EjecutarHerramienta(std::int32_t index, const std::vector<QString>& rutas, QWidget* menuForm = nullptr);

} // namespace vesdra
