#pragma once
#include "analysis/vista_fasorial.h"

namespace vesdra {

// The symmetrical-component view: at one window position, the positive,
// negative and zero sequence of one or two chosen three-phase sets, from
// ComponentesSecuencia, which its loading builds from Fasores. With two sets
// each set's lines are scaled by its drawing factor; the value boxes show
// the unscaled values. Tag "2". One instance.
class frmSecuencias : public VistaFasorial
{
    Q_OBJECT
public:
    explicit frmSecuencias(QWidget* parent = nullptr);

    // Builds the view from Fasores, SeleccionSecuencias and ModoVistas
    // (hidden); throws VbError when the selection or the table does not
    // allow it.
    void Form_Load();
    void Mostrar() { MostrarCargada(); }

protected:
    [[nodiscard]] VistaFasorial* Pareja() const override;
    void Form_Unload() override;
};

[[nodiscard]] frmSecuencias* Secuencias();
bool CargarSecuencias();
void DescargarSecuencias();
// The printout of the sequence view, as for the phasor view.
void InstalarImpresionSecuencias(std::function<void(frmSecuencias&)> imprimir);

} // namespace vesdra
