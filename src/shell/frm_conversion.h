#pragma once
#include <QString>
#include <QWidget>
#include <exception>

#include "platform/elided_label.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace vesdra {

class DirListBox;
class DriveListBox;

// ---- What the conversion dialogs decide, without the windows ----

// The keys that empty the whole name box when typed: ".", " ", "[" and "]"
// (so a name never carries an extension).
[[nodiscard]] bool TeclaBorraNombre(int keyAscii);

// The target without extension: the folder, one separator, the name. A
// folder that already ends in a separator (a drive root) gets none more.
[[nodiscard]] QString UnirCarpetaNombre(const QString& carpeta, const QString& nombre);

enum class FinConversion {
    SinNombre,          // the name box is empty: nothing happens
    RegistroCambiado,   // the record it was opened for is not the open BINARY record (text 193)
    Rechazada,          // the user refused to overwrite an existing record
    EsOrigen,           // a target is one of the open record's own files (text 128)
    CarpetaNoExiste,    // the target folder is missing (text 168)
    EscrituraRechazada, // the target folder refused the writing (text 194)
    DatCambiado,        // the data file changed since the record was opened (text 214): nothing written
    Hecha,              // the ASCII copy was written
};

// Whether the record whose data file is `rutaOrigen` (the one a conversion
// window was opened for) is still the open BINARY record.
[[nodiscard]] bool SigueAbiertoParaConvertir(const QString& rutaOrigen);

// OK of the conversion dialog opened for the BINARY record of `rutaOrigen`:
// refuses, writing nothing, when that is no longer the open BINARY record
// (text 193); sets NombreConversion from the folder and the name, refuses a
// target that is a file of the open record (text 128) or lies in a missing
// folder (text 168, OK and Cancel), asks before overwriting an existing
// ".DAT" (text 167, OK and Cancel), then writes the copy behind the
// hourglass (on `dialogo` when given). A write the target folder refuses
// (text 194, OK and Cancel) leaves nothing written, as a missing folder
// does. Convert and stop (SalirTrasConversion) closes the record once the
// whole copy is written, as the close command does; until then the record
// keeps its values, so a refused copy can be tried again. Any other failure
// throws VbError (the caller shows the error box). Whenever the copy fails,
// a data file already copied is removed, with a header copied beside it
// that was not there before, so no target is left without its
// configuration. A data file that no longer holds the record's samples (it
// changed since the record was opened) refuses the copy with text 214,
// nothing written, and the record goes on as opened (SalirTrasConversion
// cleared).
[[nodiscard]] FinConversion ConvertirAAscii(const QString& carpeta, const QString& nombre,
                                            const QString& rutaOrigen, QWidget* dialogo = nullptr);

// ---- poscamb: the choice after a BINARY record is opened ----

class poscamb : public QWidget
{
    Q_OBJECT
public:
    explicit poscamb(QWidget* parent = nullptr);
    ~poscamb() override;

    // Captions (texts 154, 151, 152, 153, 25), centred on the screen.
    void Form_Load();

    // Go on with the BINARY record: the template dialog.
    void continuar_Click();
    // Convert to ASCII and go on / convert and stop: the conversion dialog.
    void Convertir_continuar_Click();
    void Convertir_salir_Click();
    // The record stays open with no template; nothing follows.
    void cmdcancel_Click();

    void Descargar();

    // The data file of the BINARY record this window was opened for.
    QString RutaOrigen;

    QPushButton* continuar{};
    QPushButton* Convertir_continuar{};
    QPushButton* Convertir_salir{};
    QPushButton* cmdcancel{};

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    template <typename F> void Atrapar(F&& cuerpo);
    void Elegir(bool salir);
};

// ---- Conversion: target folder and name ----

class Conversion : public QWidget
{
    Q_OBJECT
public:
    explicit Conversion(QWidget* parent = nullptr);
    ~Conversion() override;

    // Captions (157, 155, 24, 25, 156), the folder DirOscilos, centred.
    void Form_Load();

    void Drive1_Change();
    void Dir1_Change();
    // The remembered key of the name box and the box's change.
    void Senda_KeyPress(int keyAscii) { ultimaTecla_ = keyAscii; }
    void Senda_Change();
    void Aceptar_Click();
    // Back to the choice.
    void Cancelar_Click();
    // The help window in place of this dialog.
    void Ayuda_Click();

    void Descargar();

    // The data file of the BINARY record this dialog converts.
    QString RutaOrigen;

    QLabel* Label1{};
    QLineEdit* Senda{};
    ElidedLabel* camin{};
    DriveListBox* Drive1{};
    DirListBox* Dir1{};
    QPushButton* Aceptar{};
    QPushButton* Cancelar{};
    QPushButton* Ayuda{};

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ErrorYDescargar(std::exception_ptr e);
    int ultimaTecla_{0};
};

// ---- Mensaje: the help of the conversion dialog ----

class Mensaje : public QWidget
{
    Q_OBJECT
public:
    explicit Mensaje(QWidget* parent = nullptr);
    ~Mensaje() override;

    // Captions (158, 159, 24), centred.
    void Form_Load();
    // The conversion dialog afresh (empty name, DirOscilos), this one gone.
    void OK_Click();

    void Descargar();

    // The record the conversion dialog it replaces was opened for.
    QString RutaOrigen;

    QLabel* Label1{};
    QPushButton* OK{};

protected:
    void closeEvent(QCloseEvent* event) override;
};

// The loaded windows, or null.
[[nodiscard]] poscamb* PoscambCargado();
[[nodiscard]] Conversion* ConversionCargada();
[[nodiscard]] Mensaje* MensajeCargado();

// The open sequence's hand-over after a BINARY record: poscamb afresh, for
// the record open now.
void MostrarPoscamb();
// poscamb afresh for the record of `rutaOrigen` (Cancel in the conversion
// dialog goes back to the choice).
void VolverAPoscamb(const QString& rutaOrigen);
// Conversion afresh for the record of `rutaOrigen` (the choice's two
// convert buttons, and the help's OK).
void MostrarConversion(const QString& rutaOrigen);
// The three windows unloaded: a record opened, refused or closed (what they
// would act on is gone), and program end.
void DescargarConversion();

} // namespace vesdra
