#pragma once
#include <array>
#include <cstdint>
#include <exception>

#include "platform/elided_line_edit.h"
#include "templates/wizard_trifasic.h"
#include "wizard/form_asistente.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace vesdra {

class NameGroup;

// Step 2 of the template wizard: up to four three-phase sets over the
// template's analog rows, each a name, a factor and three phase slots
// filled from the set's list. The rules live in PasoTrifasico; the form
// shows it and forwards each change. Sets and slots are 1-based.
class frmTrifasic : public FormAsistente
{
    Q_OBJECT
public:
    static constexpr std::int32_t kConjuntos = PasoTrifasico::kConjuntos;
    static constexpr std::int32_t kFases = PasoTrifasico::kFases;

    explicit frmTrifasic(QWidget* parent = nullptr);

    // Layout from the screen, captions, lists, the stored sets.
    void Form_Load();

    // Handlers, public so that tests drive them as a user would.
    void txtnumTrif_Change();
    void nbTrif_Change(std::int32_t s);
    void txtFactor_Change(std::int32_t s);
    void ListTrif_DblClick(std::int32_t s, std::int32_t posicion);
    void lblpunt_Click(std::int32_t s, std::int32_t k);
    void grp_Click(std::int32_t s, std::int32_t k) { lblpunt_Click(s, k); }
    void grp_DblClick(std::int32_t s, std::int32_t k);
    void cmdOK_Click();
    void cmdvolver_Click();
    void cmdcancel_Click();

    PasoTrifasico Paso;

    QLabel* Label1{};
    QLineEdit* txtnumTrif{};
    QLabel* Label2{};
    QLabel* Label3{};
    // Element 0 unused. The sets' names give way against each other.
    std::array<ElidedLineEdit*, kConjuntos + 1> nbTrif{};
    std::array<QLineEdit*, kConjuntos + 1> txtFactor{};
    std::array<QGroupBox*, kConjuntos + 1> fmetrif{};
    std::array<QLabel*, kConjuntos + 1> lblSeleccion{};
    std::array<QListWidget*, kConjuntos + 1> ListTrif{};
    // The slots give way against each other and the channels on offer.
    std::array<std::array<ElidedLineEdit*, kFases + 1>, kConjuntos + 1> grp{};
    std::array<std::array<QLineEdit*, kFases + 1>, kConjuntos + 1> lbl{};
    std::array<std::array<QLabel*, kFases + 1>, kConjuntos + 1> lblpunt{};
    QPushButton* cmdOK{};
    QPushButton* cmdvolver{};
    QPushButton* cmdcancel{};

protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override;

private:
    void ColocarControles();
    // Every control as the step holds it.
    void Mostrar();
    // The handlers' error path: the error box, this step unloaded, step 1
    // shown again.
    void ErrorYDescargar(std::exception_ptr e);

    NameGroup* nombres_{};
    NameGroup* casillas_{};
};

} // namespace vesdra
