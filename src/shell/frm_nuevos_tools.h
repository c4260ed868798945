#pragma once
#include <QString>
#include <QWidget>
#include <cstdint>
#include <exception>
#include <optional>
#include <vector>

#include "shell/ini_files.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace vesdra {

class DirListBox;
class DriveListBox;
class FileListBox;

// ---- The tool list without the dialog ----

// Why a tool is not added; each has its message (vbExclamation).
enum class RechazoHerramienta {
    Ninguno,
    SinNombre,      // 232: the name is blank
    NombreConIgual, // 52: the name holds "=", where tools.ini cuts name and path
    PropioPrograma, // 261: the path is this program's own executable
    NoEjecutable,   // 233: the path is not an executable file
    NombreRepetido, // 234: the last entry that matches has this name
    RutaRepetida,   // 235: the last entry that matches has this path
};
[[nodiscard]] int TextoRechazo(RechazoHerramienta r);

// The running program's own file: the same file once links and ".." are
// resolved, or a file of the same name in any letter case.
[[nodiscard]] bool EsPropioPrograma(const QString& ruta);
// A file (not a folder) that may be run.
[[nodiscard]] bool EsEjecutable(const QString& ruta);

// The add checks in their order: a blank name, a name holding "=", this
// program, not a program, then the entries of tools.ini in file order,
// names and paths compared exactly as typed; the last entry that matches
// decides, and within one entry a path match wins over a name match.
[[nodiscard]] RechazoHerramienta ComprobarHerramienta(const QString& nombre, const QString& ruta,
                                                      const std::vector<Herramienta>& herramientas);

// Adds the tool as typed at the end of tools.ini (count n + 1), after the
// checks above; Idioma and the three folders are read again from the file
// and written back as they were. Returns the refusal, if any, with tools.ini
// untouched. Throws VbError when tools.ini cannot be read or rewritten (the
// file is then left as it was).
[[nodiscard]] RechazoHerramienta AnadirHerramienta(const QString& nombre, const QString& ruta);

// Removes the first entry whose name equals `nombre` exactly (the entries
// after it move up) and rewrites tools.ini; with no such entry, or no name
// at all, the file is written back as it was. Returns the new count. Throws
// VbError as above.
std::int32_t BorrarHerramienta(const std::optional<QString>& nombre);

// A list item of the delete mode ("name=path") and the name it stands for:
// the text before its first "=".
[[nodiscard]] QString NombreDeEntrada(const QString& entrada);

// ---- frmNuevosTools: add a tool, or delete one ----

class frmNuevosTools : public QWidget
{
    Q_OBJECT
public:
    explicit frmNuevosTools(QWidget* parent = nullptr);
    ~frmNuevosTools() override;

    // Centred on the main window; the controls of the mode in force
    // (Shell().ModoAnadirTool); in add mode the browser starts in
    // DirAplicaciones.
    void Form_Load();

    void Drive1_Change();
    void Dir1_Change();
    void File1_Click();
    // Adds or deletes, rewrites tools.ini, adjusts the Análisis entries and
    // closes; a refused check leaves the dialog open.
    void cmdOK_Click();
    void cmdcancel_Click();

    void Descargar();

    QLabel* Label1{};
    QLabel* Label2{};
    QLineEdit* txtNombre{};
    QLineEdit* txtPath{};
    DriveListBox* Drive1{};
    DirListBox* Dir1{};
    FileListBox* File1{};
    QListWidget* List1{};
    QPushButton* cmdOK{};
    QPushButton* cmdcancel{};

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void ErrorYDescargar(std::exception_ptr e);
};

// The loaded dialog, or null.
[[nodiscard]] frmNuevosTools* NuevosToolsCargado();
// The two menu commands: the dialog loaded afresh in add mode (captions 53,
// 55, 57) or in delete mode (54, 56; the entries of tools.ini listed), shown.
void AbrirAnadirTool();
void AbrirBorrarTool();
void DescargarNuevosTools();

} // namespace vesdra
