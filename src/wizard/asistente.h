#pragma once
#include <functional>

class QWidget;

namespace vesdra {

class frmAnalog;
class frmTrifasic;
class frmDigital;
class frmSalvaPlan;
class frmBaseModelo;

// The forms of the template wizard and the moves between them. A step
// "shown afresh" is unloaded when loaded, then loaded (its load handler
// runs) and shown; a step that only steps aside is hidden and keeps what it
// holds, and is shown again as it was left.

// The loaded forms, or null.
[[nodiscard]] frmAnalog* FormAnalog();
[[nodiscard]] frmTrifasic* FormTrifasic();
[[nodiscard]] frmDigital* FormDigital();
[[nodiscard]] frmSalvaPlan* FormSalvaPlan();
[[nodiscard]] frmBaseModelo* FormBaseModelo();

// Step 1 (analog channels), step 2 (three-phase sets), step 3 (digital
// groups), step 4 (saving) and the relay-model chooser shown afresh.
void MostrarPaso1();
void MostrarPaso2();
void MostrarPaso3();
void MostrarPaso4();
void MostrarBaseModelo();
// Step 1, 2 or 3 shown again as it was hidden (the back of the step after
// it).
void VolverAPaso1();
void VolverAPaso2();
void VolverAPaso3();

// Unloading (nothing when not loaded).
void DescargarPaso1();
void DescargarPaso2();
void DescargarPaso3();
void DescargarPaso4();
void DescargarBaseModelo();
// Steps 1, 2 and 3: step 1 going back to the template dialog.
void DescargarPasos1a3();
// Every step and the chooser, and the wizard pass ended: a cancel, the end
// of the program.
void DescargarAsistente();

// How step 2 reaches step 3 (filled by ConectarAsistente; a test may put
// its own in its place). Unset, continue on step 2 stores the sets and
// stays.
struct PasosSiguientes {
    std::function<void()> MostrarPaso3; // step 3 shown afresh
};
PasosSiguientes& SiguientesPasos();

// Places a wizard form: shown again in its own frame when it has one, else
// through the shell's placement.
void MostrarFormAsistente(QWidget* form);

// Plugs the wizard into the template dialog (nueva, modificar) and into the
// end of the program.
void ConectarAsistente();

} // namespace vesdra
