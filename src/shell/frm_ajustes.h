#pragma once
#include <QString>
#include <QStringList>
#include <QWidget>

#include "shell/impresion.h"

class QListWidget;
class QPushButton;

namespace vesdra {

class Printer;

// ---- The header report without its window ----

// The first entry of the report, before the header's lines.
inline constexpr const char* CabeceraInforme = "VESDRA";
// The most header lines the report holds.
inline constexpr int MaxLineasInforme = 2500;

struct ContenidoInforme {
    QStringList Lineas;    // CabeceraInforme, then the header's lines in file order
    bool Recortado{false}; // the header had more than MaxLineasInforme lines
};

// Reads a header file (Windows-1252, or UTF-8 when it is valid UTF-8 with
// multi-byte sequences; CR LF or LF line ends) into the
// report's entries; lines past MaxLineasInforme are left out. Throws VbError
// when the file cannot be read.
[[nodiscard]] ContenidoInforme LeerInforme(const QString& rutaHdr);

// The report's print: one printed line per entry on `impresora`, in the
// printer's own font and layout (an entry wider than the page going on in
// the lines below it), a new page when the next line would pass the page's
// foot, under the cancel protocol (the cancel window shown and
// the message loop given one turn before each line; a cancel abandons the
// job). A failing device abandons the job, unloads the cancel window and
// throws VbError. Nothing is done while another print runs (EnCurso), and
// nothing where a print without a dialog may not go (DestinoSinDialogo: its
// message shown, Rechazada).
FinImpresion ImprimirLineas(const QStringList& lineas, Printer& impresora);

// ---- frmAjustes: the report window (Tag 7) ----

class frmAjustes : public QWidget
{
    Q_OBJECT
public:
    explicit frmAjustes(QWidget* parent = nullptr);
    ~frmAjustes() override;

    // The menu form hidden; the window at the top left with the size of the
    // view region (AltoVista, AnchoVista), the list and the print button
    // placed from it; the header's lines listed under "VESDRA". Without a
    // header, text 161 and the window closes itself when activated.
    void Form_Load();
    // Closes the window when its load found no header.
    Q_INVOKABLE void Form_Activate();
    // Prints the list on the default printer without a dialog. With no
    // printer at all, text 129, and to a file that exists, text 223: nothing
    // printed; the window stays.
    void cmdImprimir_Click();

    [[nodiscard]] bool CerrarAlActivar() const { return cerrarAlActivar_; }

    // Unload: the menu form comes back, visible and maximised.
    void Descargar();

    QListWidget* Lista1{};
    QPushButton* cmdImprimir{};

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    bool cerrarAlActivar_{false};
};

// The loaded report, or null.
[[nodiscard]] frmAjustes* InformeCargado();
// The Info command: the report unloaded, loaded afresh and shown.
void AbrirInforme();
// The close button (Tag 7) and the program's end: the report unloaded.
void CerrarInforme();

} // namespace vesdra
