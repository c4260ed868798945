#pragma once
#include <QString>
#include <QWidget>
#include <exception>

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
    SinNombre,       // the name box is empty: nothing happens
    Rechazada,       // the user refused to overwrite an existing record
    EsOrigen,        // a target is one of the open record's own files (text 128)
    CarpetaNoExiste, // the target folder is missing (text 168)
    Hecha,           // the ASCII copy was written
};

// OK of the conversion dialog on the open BINARY record: sets
// NombreConversion from the folder and the name, refuses a target that is a
// file of the open record (text 128) or lies in a missing folder (text 168,
// OK and Cancel), asks before overwriting an existing ".DAT" (text 167, OK
// and Cancel), then writes the copy behind the hourglass (on `dialogo` when
// given). Convert and stop (SalirTrasConversion) closes the record once its
// data file has been copied, as the close command does, so no view draws the
// zeroed values as data. Any other failure throws VbError (the caller shows
// the error box); a data file already copied is then removed, with a header
// copied beside it that was not there before, so no target is left without
// its configuration.
[[nodiscard]] FinConversion ConvertirAAscii(const QString& carpeta, const QString& nombre,
                                            QWidget* dialogo = nullptr);

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

    QLabel* Label1{};
    QLineEdit* Senda{};
    QLabel* camin{};
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

    QLabel* Label1{};
    QPushButton* OK{};

protected:
    void closeEvent(QCloseEvent* event) override;
};

// The loaded windows, or null.
[[nodiscard]] poscamb* PoscambCargado();
[[nodiscard]] Conversion* ConversionCargada();
[[nodiscard]] Mensaje* MensajeCargado();

// The open sequence's hand-over after a BINARY record: poscamb afresh.
void MostrarPoscamb();
// Conversion afresh (the choice's two convert buttons, and the help's OK).
void MostrarConversion();
// Program end: the three windows unloaded.
void DescargarConversion();

} // namespace vesdra
