#pragma once
#include <cstdint>
#include <exception>

#include "templates/wizard_analog.h"
#include "wizard/form_asistente.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace vesdra {

class SpreadGrid;

// Step 1 of the template wizard: the template's identifier, its number of
// analog rows and, in a grid, each row's name, second name and units. The
// rules live in PasoAnalogico; the form shows it and forwards each change.
class frmAnalog : public FormAsistente
{
    Q_OBJECT
public:
    explicit frmAnalog(QWidget* parent = nullptr);

    // Centred, captions set, the proposal shown. A failure shows the error
    // box and the template dialog (the form stays loaded).
    void Form_Load();

    // Handlers, public so that tests drive them as a user would.
    void txtIdentif_Change();
    void txtnumAnalog_Change();
    void cmdOK_Click();
    void cmdvolver_Click();
    void cmdcancel_Click();
    void cmdmodelos_Click();

    PasoAnalogico Paso;

    QLabel* lblIdentif{};
    QLineEdit* txtIdentif{};
    QLabel* lblnumAnalog{};
    QLineEdit* txtnumAnalog{};
    SpreadGrid* vaSpread1{};
    QPushButton* cmdOK{};
    QPushButton* cmdvolver{};
    QPushButton* cmdcancel{};
    QPushButton* cmdmodelos{};

private:
    // The boxes and the grid as the step holds them.
    void Mostrar();
    // The handlers' error path: the error box, steps 1 to 3 unloaded, the
    // template dialog shown.
    void ErrorYVolver(std::exception_ptr e);
};

} // namespace vesdra
