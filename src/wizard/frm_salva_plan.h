#pragma once
#include <exception>

#include "platform/elided_label.h"
#include "wizard/form_asistente.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace vesdra {

class DirListBox;
class DriveListBox;
class FileListBox;

// Step 4 of the template wizard: a folder (the templates folder at first)
// and a name; Aceptar writes the template there and brings the template
// dialog back, volver goes back to step 3, cancelar ends the wizard.
class frmSalvaPlan : public FormAsistente
{
    Q_OBJECT
public:
    explicit frmSalvaPlan(QWidget* parent = nullptr);

    // Centred, captions, the templates folder listed, the name empty. A
    // failure shows the error box; the step stays.
    void Form_Load();

    // Handlers, public so that tests drive them as a user would.
    void Drive1_Change();
    void Dir1_Change();
    void File1_Click();
    void cmdOK_Click();
    void cmdvolver_Click();
    void cmdcancel_Click();

    DriveListBox* Drive1{};
    DirListBox* Dir1{};
    FileListBox* File1{};
    ElidedLabel* Text1{};
    QLabel* Label1{};
    QLineEdit* Text2{};
    QPushButton* cmdOK{};
    QPushButton* cmdvolver{};
    QPushButton* cmdcancel{};

private:
    // The handlers' error path: the error box, this step unloaded, step 3
    // shown again.
    void ErrorYVolver(std::exception_ptr e);

    // The folder the step opened on.
    QString carpetaAlCargar_;
};

} // namespace vesdra
