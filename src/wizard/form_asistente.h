#pragma once
#include <QWidget>

#include "templates/wizard_common.h"

class QLineEdit;
class QPushButton;

namespace vesdra {

// A control's back colour from the 16-colour palette (slot markers, the
// boxes of active and inactive sets).
void FondoPaleta(QWidget* w, int color);
// A button of a wizard form, placed in twips (the steps' buttons are 450
// high).
QPushButton* BotonAsistente(QWidget* padre, const char* nombre, double left, double top, double width,
                            double height = 450);
// Writes a box's text from the step without running its change handler:
// the step already holds that text.
void TextoSinAviso(QLineEdit* caja, const QString& texto);

// What the forms of the template wizard share: each is a dialog (modal in
// front of the main window), unloading from the program (Descargar) is told
// apart from the frame's close box, and the step's messages.
class FormAsistente : public QWidget
{
    Q_OBJECT
public:
    explicit FormAsistente(QWidget* parent = nullptr);

    // Unloads the form: gone at once for everyone asking for it, the widget
    // itself once the handler running now has returned.
    void Descargar();
    [[nodiscard]] bool Descargado() const { return descargado_; }

protected:
    // The frame's close box (the form not yet unloading) ends the wizard as
    // Cancelar does.
    void closeEvent(QCloseEvent* event) override;
    // The wizard ends without a template (not aborted: the template dialog
    // is not shown again): every step and the chooser unloaded, none shown
    // again and none left behind hidden.
    static void Cancelar();

    // Shows a step's message: the pointer back to the default first for a
    // critical one.
    void Avisar(const AvisoPaso& aviso);
    void Avisar(const std::vector<AvisoPaso>& avisos);
    // How a press of continue or back went: true when the step is left; a
    // message shown when it stays; a failure thrown for the handler's error
    // path.
    bool Sale(const SalidaPaso& salida);
    // Centres the form on the screen (twips of Screen()).
    void Centrar();

private:
    bool descargado_{false};
};

} // namespace vesdra
