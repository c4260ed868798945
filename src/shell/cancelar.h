#pragma once
#include <QWidget>

class QLabel;
class QPushButton;

namespace vesdra {

// The printing-in-progress window with its one cancel button. Its button and
// every unloading of the window (its close box included) set
// Shell().CancelarImpresion.
class Cancelar : public QWidget
{
    Q_OBJECT
public:
    explicit Cancelar(QWidget* parent = nullptr);

    QLabel* Label1{nullptr};
    QPushButton* cdmCancelar{nullptr};

protected:
    void closeEvent(QCloseEvent* event) override;
};

// Cancelar.Show: loads the window the first time (and again after it was
// closed) and shows it, not modal.
void MostrarCancelar();
// Unload Cancelar: sets the abort flag; nothing when it is not loaded.
void DescargarCancelar();
[[nodiscard]] bool CancelarCargado();
// The loaded window, or nullptr.
[[nodiscard]] Cancelar* VentanaCancelar();

// The protocol of every print loop:
//   EmpezarImpresion();                    // before the first item
//   for each item:
//       if (ImpresionCancelada()) { KillDoc; restore; break; }
//       print the item
//   EndDoc; TerminarImpresion();
// The flag is True after every print, cancelled or not, so the first step is
// never optional.
void EmpezarImpresion();
// Shows Cancelar (on screen and painted), yields to the message loop so a
// click on its button is handled, and reads the flag; a print cancelled
// already is answered at once.
[[nodiscard]] bool ImpresionCancelada();
// Unloads Cancelar (which sets the flag).
void TerminarImpresion();

} // namespace vesdra
