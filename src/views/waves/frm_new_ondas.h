#pragma once
#include <QWidget>
#include <array>
#include <cstdint>

#include "platform/elided_line_edit.h"
#include "views/waves/casillas.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;

namespace vesdra {

// The channel-choice dialog of the waveform views: the analog channels of
// the applied table, eight slots, for a 1997 record the primary/secondary
// choice, and two ways to show the chosen channels: one window each
// ("individually", cmdOK) tiled over the main window, or stacked in one
// view ("together", cmdtodo). One default instance (NewOndas()).
class frmNewOndas : public QWidget
{
    Q_OBJECT
public:
    explicit frmNewOndas(QWidget* parent = nullptr);
    ~frmNewOndas() override;

    // Centres the dialog, sets the captions, lays out the reference frame or
    // spreads the buttons, selects slot 1 and fills the list.
    void Form_Load();

    // Handlers, public so that the tests drive them as a user would.
    void lblpunt_Click(std::int32_t index);
    void grp_Click(std::int32_t index) { lblpunt_Click(index); }
    void grp_DblClick(std::int32_t index);
    void List1_DblClick(std::int32_t listIndex);
    void cmdOK_Click();
    void cmdtodo_Click();
    void cmdSalir_Click();

    // The slots as the boxes hold them.
    [[nodiscard]] CasillasOndas Casillas() const;
    [[nodiscard]] std::int32_t SlotSeleccionado() const { return slotSeleccionado_; }

    // Controls (index 1..8; element 0 unused).
    QGroupBox* Frame1{};
    QGroupBox* Frame2{};
    QGroupBox* Frame3{};
    QListWidget* List1{};
    std::array<ElidedLineEdit*, 9> grp{};
    std::array<QLineEdit*, 9> lbl{};
    std::array<QLabel*, 9> lblpunt{};
    QRadioButton* CmdPrimario{};
    QRadioButton* CmdSecundario{};
    QPushButton* cmdOK{};
    QPushButton* cmdtodo{};
    QPushButton* cmdSalir{};

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void grp_Change(std::int32_t index);
    void Seleccionar(std::int32_t index);
    void EscribirCasillas(const CasillasOndas& c);
    void ElegirReferenciaDialogo();
    void PunterosPorDefecto();
    void Descargar();

    std::int32_t slotSeleccionado_{1};
};

// The dialog's default instance, created on first use.
[[nodiscard]] frmNewOndas& NewOndas();
[[nodiscard]] bool NewOndasCargado();
// Unloads the default instance (closes and deletes it), when there is one.
void DescargarNewOndas();

} // namespace vesdra
