#pragma once
#include <QString>
#include <QWidget>
#include <array>
#include <exception>

class QLabel;
class QLineEdit;
class QPushButton;

namespace vesdra {

class DirListBox;
class DriveListBox;

// ---- The default folders without the dialog ----

// A folder as typed, as tools.ini keeps it (a relative one taken from the
// program's folder) and whether it names an existing folder: a file of that
// name is no folder, since every later file dialog would fail on it.
[[nodiscard]] bool EsCarpeta(const QString& texto);

// Which of the three folders was refused (texts 169, 170, 171), in order.
enum class RechazoDirectorio { Ninguno, Oscilos, Plantillas, Aplicaciones };
[[nodiscard]] int TextoRechazo(RechazoDirectorio r);

// OK of the dialog: each folder in turn is checked and, once it passes,
// taken over in memory at once (DirOscilos, DirPlantillas, DirAplicaciones);
// at the first refusal the rest is left and tools.ini is not written. When
// all three pass, tools.ini lines 2 to 4 become the three texts as typed and
// every other line is written back as it was. Throws VbError when tools.ini
// cannot be read or rewritten (the file is then left as it was).
[[nodiscard]] RechazoDirectorio GuardarDirectorios(const QString& oscilos, const QString& plantillas,
                                                   const QString& aplicaciones);

// ---- frmDirect: the three default folders ----

class frmDirect : public QWidget
{
    Q_OBJECT
public:
    explicit frmDirect(QWidget* parent = nullptr);
    ~frmDirect() override;

    // Centred on the screen, captions (192, 188, 189, 190, 24, 25), each
    // picker on its folder.
    void Form_Load();

    // One behaviour on each picker (0 records, 1 templates, 2 applications).
    void drv_Change(int picker);
    void dir_Change(int picker);
    void cmdOK_Click();
    void cmdcancel_Click();

    void Descargar();

    QLabel* Label1{};
    QLabel* Label2{};
    QLabel* Label3{};
    QLineEdit* txtoscilos{};
    QLineEdit* txtplantillas{};
    QLineEdit* txtaplic{};
    DriveListBox* drvoscilos{};
    DriveListBox* drvplantillas{};
    DriveListBox* drvaplic{};
    DirListBox* diroscilos{};
    DirListBox* dirplantillas{};
    DirListBox* diraplic{};
    QPushButton* cmdOK{};
    QPushButton* cmdcancel{};

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    struct Selector {
        QLineEdit* Texto;
        DriveListBox* Unidad;
        DirListBox* Carpeta;
    };
    [[nodiscard]] Selector Picker(int picker) const;
    void ErrorYDescargar(std::exception_ptr e);
};

// The loaded dialog, or null.
[[nodiscard]] frmDirect* DirectCargado();
// The menu command: tools.ini's folders read again, then the dialog loaded
// afresh and shown.
void AbrirDirect();
void DescargarDirect();

} // namespace vesdra
