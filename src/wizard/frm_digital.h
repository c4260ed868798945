#pragma once
#include <array>
#include <cstdint>
#include <exception>

#include "platform/elided_line_edit.h"
#include "templates/wizard_digital.h"
#include "wizard/form_asistente.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace vesdra {

class NameGroup;

// Step 3 of the template wizard: the digital signals on offer, the named
// digital groups (at most 16) and the 19 member slots of the current group.
// The rules live in PasoDigital; the form shows it and forwards each
// change. Slots are 1-based.
class frmDigital : public FormAsistente
{
    Q_OBJECT
public:
    static constexpr std::int32_t kCasillas = PasoDigital::kCasillas;

    explicit frmDigital(QWidget* parent = nullptr);

    // Centred, captions, the signals on offer and the groups shown. A
    // failure shows the error box; the form stays.
    void Form_Load();

    // Handlers, public so that tests drive them as a user would.
    void List1_DblClick(std::int32_t posicion);
    void List2_Click(std::int32_t indice);
    void cmdAnadir_Click();
    void cmdEliminar_Click();
    void cmdOK_Click();
    void cmdvolver_Click();
    void cmdcancel_Click();
    void txtnbgrp_Change();
    void grp_Change(std::int32_t i);
    void lbl_Change(std::int32_t i);
    void lblpunt_Click(std::int32_t i);
    void grp_Click(std::int32_t i) { lblpunt_Click(i); }
    void lbl_Click(std::int32_t i) { lblpunt_Click(i); }
    void grp_DblClick(std::int32_t i);
    void lbl_DblClick(std::int32_t i) { grp_DblClick(i); }

    PasoDigital Paso;

    QGroupBox* Frame1{};
    QGroupBox* Frame2{};
    QGroupBox* Frame3{};
    QGroupBox* Frame4{};
    QGroupBox* Frame5{};
    QListWidget* List1{};
    QListWidget* List2{};
    QLabel* txtGrupos{};
    // The group's name gives way against the groups listed.
    ElidedLineEdit* txtnbgrp{};
    // Element 0 unused. The slots give way against each other and the
    // signals on offer.
    std::array<ElidedLineEdit*, kCasillas + 1> grp{};
    std::array<QLineEdit*, kCasillas + 1> lbl{};
    std::array<QLabel*, kCasillas + 1> lblpunt{};
    QPushButton* cmdAnadir{};
    QPushButton* cmdEliminar{};
    QPushButton* cmdOK{};
    QPushButton* cmdvolver{};
    QPushButton* cmdcancel{};

protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override;

private:
    // Every control as the step holds it.
    void Mostrar();
    // The group list's current entry and highlight on the group shown.
    void MarcarGrupo();
    // The handlers' error path: the error box, this step unloaded, step 2
    // shown again.
    void ErrorYVolver(std::exception_ptr e);

    NameGroup* casillas_{};
    NameGroup* grupos_{};
};

} // namespace vesdra
