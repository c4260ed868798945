#pragma once
#include <QWidget>
#include <array>

#include "platform/elided_check_box.h"

class QCheckBox;
class QGroupBox;
class QPushButton;
class QRadioButton;

namespace vesdra {

// The phasor setup dialog: which three-phase sets of the applied template
// go into the phasor view (left column) and which into the sequence view
// (right column). OK writes SeleccionFases, SeleccionSecuencias and
// ModoVistas and opens the views; it refuses more than two sets in a column
// (text 81), nothing ticked (text 82) and a template without sets (text 247).
// A revision-1997 record shows the primary/secondary reference frame: it
// opens on the side the views show, and OK makes the chosen side the one
// shown (ElegirReferencia), computing the phasors again when the side
// changed. Modeless; one instance, loaded afresh on every use.
class frmFasecuencias : public QWidget
{
    Q_OBJECT
public:
    explicit frmFasecuencias(QWidget* parent = nullptr);

    void cmdOK_Click();
    void cmdSalir_Click();
    // Centred on the screen.
    void Centrar();

    // Controls; index g - 1 is set g.
    QGroupBox* Frame1{};
    QGroupBox* Frame2{};
    QGroupBox* Frame3{};
    std::array<ElidedCheckBox*, 4> fas{};
    std::array<ElidedCheckBox*, 4> sec{};
    QRadioButton* CmdPrimario{};
    QRadioButton* CmdSecundario{};
    QPushButton* cmdOK{};
    QPushButton* cmdSalir{};

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void CrearControles();
    void Form_Load();
    void Form_Unload();

    bool descargado_{false};
};

// The loaded dialog, or null.
[[nodiscard]] frmFasecuencias* Fasecuencias();
// Unloads any open dialog, loads it anew (nothing ticked) and shows it.
void MostrarFasecuencias();
void DescargarFasecuencias();

} // namespace vesdra
