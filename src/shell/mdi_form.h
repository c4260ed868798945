#pragma once
#include <QMainWindow>
#include <QString>
#include <cstdint>
#include <functional>

#include "shell/command_line.h"
#include "shell/open_hooks.h"
#include "shell/shell_hooks.h"

class QIcon;
class QLabel;
class QLineEdit;
class QMdiArea;
class QMdiSubWindow;
class QPushButton;
class QTimer;

namespace vesdra {

class FrmMenu;

// Status-bar placement in twips from the frame's left and width W, the
// clock box's width C and the close button's width B. 32-bit throughout:
// a wide screen is several times 32767 twips.
struct DisposicionBarraEstado {
    std::int32_t EtiquetaLeft{0};
    std::int32_t EtiquetaWidth{0};
    std::int32_t SalirLeft{0};
    std::int32_t RelojLeft{0};
};
[[nodiscard]] DisposicionBarraEstado CalcularBarraEstado(std::int32_t frameLeft, std::int32_t w,
                                                         std::int32_t c, std::int32_t b);

// The Tag a form carries (its "Tag" property as a number); 0 without one.
[[nodiscard]] int TagDe(const QWidget* form);

// The frame of the program: an MDI area holding the menu form and every
// view, and a status bar with the open record's path (Etiqueta), the clock
// (mnuTime, rewritten every second by Reloj) and the close button
// (cmdSalir). While it lives it fills the shell's and the open sequence's
// hooks (menu form shown or hidden, forms placed in the MDI area, caption
// and status path, the close button pressed by the exit key).
class MDIForm1 : public QMainWindow
{
    Q_OBJECT
public:
    explicit MDIForm1(QWidget* parent = nullptr);
    ~MDIForm1() override;

    // The start-up sequence with the program's command line (a data file,
    // one blank, a template), or with its two parts as given. Failures show
    // the error box; the frame stays.
    void MDIForm_Load(const QString& lineaComandos);
    void MDIForm_Load(const LineaComandos& lineaComandos);

    // The clock: "hh:mm AM/PM".
    void Reloj_Timer();

    // The close button: acts on the active child by its Tag. Views close
    // (a whole family for the waveform and composition windows) and the
    // menu form comes back; on the menu form itself it asks to end the
    // program (text 284). While a handler waits in a box, a file dialog or a
    // print loop no view closes under it: the button then asks to end the
    // program. An error shows the error box and brings the menu form back;
    // the program never ends without confirmation.
    void cmdSalir_Click();

    // The exit question (text 284), one at a time: while it is open the exit
    // key, the exit command and the frame's close box ask nothing more. OK
    // ends the program (Salir). Returns whether the exit was confirmed.
    // `enManejador`: asked from a handler of a form that the unloading
    // removes (a menu item's), so the unloading waits until it returns.
    bool PedirSalida(bool enManejador = false);
    // The program ends, whatever is open: no box or dialog is shown any more,
    // the open ones are closed as by Cancel, printing is cancelled, and every
    // form is unloaded as soon as no handler waits in a loop of its own (at
    // once when none does and `enManejador` is false). During the start-up
    // sequence the sequence stops and unloads; its caller finds Descargado()
    // and runs no event loop.
    void Salir(bool enManejador = false);
    [[nodiscard]] bool Saliendo() const { return saliendo_; }

    // Program end: every form unloaded, then the frame; AlDescargar runs.
    void Descargar();
    [[nodiscard]] bool Descargado() const { return descargado_; }
    // Run once the frame is unloaded (the program's start quits there).
    std::function<void()> AlDescargar;

    // The MDI children.
    [[nodiscard]] FrmMenu* Menu() const;
    // The active child form (the widget inside the current sub-window; a
    // dialog form while one is modal in front of the frame), or null.
    [[nodiscard]] QWidget* FormularioActivo() const;
    // Places a form in the MDI area (once) and shows and activates it; a
    // dialog form is shown modal in front of the frame instead (null).
    QMdiSubWindow* MostrarFormulario(QWidget* form);
    void MostrarMenu(); // visible and maximised
    void OcultarMenu();

    // Sets the status-bar controls from the frame's width.
    void ColocarBarraEstado();
    // Text 63 on the close button (start-up and after a language switch).
    void PonerTextoSalir();
    // A caption for the close button. Its access key is drawn but takes no
    // key: the exit key is TeclaSalir's, which follows tools.ini alone.
    void TextoSalir(const QString& texto);

    QMdiArea* Area{};
    QWidget* BarraEstado{};
    QLabel* Etiqueta{};
    QLineEdit* mnuTime{};
    QPushButton* cmdSalir{};
    QTimer* Reloj{};

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void ConectarHooks();
    void ArrancarConLinea(const LineaComandos& lc);
    void AplicarPlantillaInicial(const QString& ruta);
    void AlActivarSubventana(QMdiSubWindow* sub);
    void DescargarTrasBucles();

    FrmMenu* menu_{};
    QMdiSubWindow* menuSub_{};
    QMdiSubWindow* ultimaActiva_{};
    bool descargado_{false};
    bool saliendo_{false};
    bool preguntandoSalida_{false};
    bool cargando_{false};
    std::int32_t frameLeft_{0};
    ShellHooks hooksPrevios_;
    OpenHooks aperturaPrevia_;
};

// The frame while it lives, or null.
[[nodiscard]] MDIForm1* VentanaPrincipal();

// The program's own icon (three phases of a disturbance on a dark ground),
// drawn at the usual sizes; the frame makes it the application's icon, so
// every window and box shows it instead of the toolkit's.
[[nodiscard]] QIcon IconoPrograma();

} // namespace vesdra
