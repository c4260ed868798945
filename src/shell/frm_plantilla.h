#pragma once
#include <QString>
#include <QWidget>
#include <exception>
#include <functional>

#include "platform/elided_label.h"

class QComboBox;
class QLabel;
class QPushButton;

namespace vesdra {

class DirListBox;

class DriveListBox;
class FileListBox;

// The template dialog: the user browses to a .cnf file and applies it to
// the open record (Abrir), opens it in the four-step wizard to modify it
// (modificar) or starts a new template in the wizard (nueva). A dialog,
// modal in front of the main window; one instance, loaded afresh by the menu
// and by the wizard.
class frmPlantilla : public QWidget
{
    Q_OBJECT
public:
    explicit frmPlantilla(QWidget* parent = nullptr);
    ~frmPlantilla() override;

    // tools.ini's folders re-read, the templates folder listed, the dialog
    // centred on the screen, the captions set, no file chosen. A failure ends
    // the load without a message.
    void Form_Load();
    // Each activation lists the templates folder again (the chosen file and
    // RutaPlantilla stay). A failure shows the error box; the dialog stays.
    Q_INVOKABLE void Form_Activate();

    // Handlers, public so that tests drive them as a user would.
    void Drive1_Change();
    void Dir1_Change();
    void Combo1_Change();
    void File1_Click();
    void File1_DblClick() { cmdBuscar_Click(); }
    void cmdBuscar_Click();
    void cmdModif_Click();
    void cmdNueva_Click();
    void cmdcancel_Click();

    // A file has been clicked since the dialog was loaded.
    [[nodiscard]] bool PlantillaElegida() const { return plantillaElegida_; }

    // Unload: at once for everyone asking FormPlantilla(); the widget itself
    // goes once the handler running now has returned.
    void Descargar();

    DriveListBox* Drive1{};
    DirListBox* Dir1{};
    FileListBox* File1{};
    QComboBox* Combo1{};
    ElidedLabel* lblPath{};
    QLabel* lbltext{};
    QLabel* Label1{};
    QLabel* label{};
    QLabel* Label4{};
    QLabel* Label5{};
    QLabel* Label6{};
    QPushButton* cmdBuscar{};
    QPushButton* cmdModif{};
    QPushButton* cmdNueva{};
    QPushButton* cmdcancel{};

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void CrearControles();
    void ListarCarpetaPlantillas();
    void ErrorYDescargar(std::exception_ptr e);

    bool plantillaElegida_{false};
};

// The loaded dialog, or null.
[[nodiscard]] frmPlantilla* FormPlantilla();
// Unload: nothing when it is not loaded.
void DescargarFrmPlantilla();
// The menu's Plantillas and the wizard's last step: unloaded, loaded afresh
// and shown.
void AbrirFrmPlantilla();
// The wizard's first step going back: shown, loaded afresh only when it
// was unloaded.
void MostrarFrmPlantilla();

// Where the dialog hands over to the template wizard; filled by the wizard,
// a harmless stub until then.
struct AsistenteHooks {
    // Step 1 (frmAnalog) unloaded, loaded afresh and shown.
    std::function<void()> MostrarPaso1;
    // Program end: every step unloaded.
    std::function<void()> Descargar;
};
AsistenteHooks& Asistente();

} // namespace vesdra
