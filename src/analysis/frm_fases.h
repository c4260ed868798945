#pragma once
#include "analysis/vista_fasorial.h"

namespace vesdra {

// The phasor view: at one window position of the phasor table, the phasors
// of the three phase channels of one or two chosen three-phase sets, each
// line scaled by its set's drawing factor, with a value line per phase
// (channel caption, magnitude @ angle, unit). Tag "1". One instance.
class frmFases : public VistaFasorial
{
    Q_OBJECT
public:
    explicit frmFases(QWidget* parent = nullptr);

    // Builds the view from Fasores, SeleccionFases and ModoVistas (hidden);
    // throws VbError when the selection or the table does not allow it.
    void Form_Load();
    void Mostrar() { MostrarCargada(); }

protected:
    [[nodiscard]] VistaFasorial* Pareja() const override;
    void Form_Unload() override;
};

// The open phasor view, or null.
[[nodiscard]] frmFases* Fases();
// Loads the phasor view afresh (an open one is unloaded first) and shows it.
// A failure shows the error box, leaves no view and returns false.
bool CargarFases();
// Unloads the phasor view when it is open (its closing rule runs).
void DescargarFases();
// The printout of the phasor view, given to every view loaded from now on
// (its print button shows only once one is installed).
void InstalarImpresionFases(std::function<void(frmFases&)> imprimir);

} // namespace vesdra
