#pragma once
#include <QComboBox>
#include <cstdint>

class QGroupBox;
class QRadioButton;
#include <functional>

#include "views/digital/digital_selection.h"

namespace vesdra {

// The analog list of the digital choice dialogs: channel 1's caption in
// the box with no entry picked, then one entry per channel row of the table
// in force. OK takes the entry picked, or row 1 when none is (nothing
// picked, or a text typed into the box). Closed, a long caption gives way by
// the name rule against the other entries.
class ComboAnalogico : public QComboBox
{
    Q_OBJECT
public:
    explicit ComboAnalogico(QWidget* parent = nullptr);

    void Llenar();
    // The 0-based entry picked, -1 while none is.
    [[nodiscard]] int Indice() const { return indice_; }
    // Picks entry i as the user would.
    void Elegir(int indice);
    // The analog row (of TablaCanales) OK takes.
    [[nodiscard]] std::int32_t AnalogicoElegido() const { return indice_ < 0 ? 1 : indice_ + 1; }

private:
    int indice_{-1};
};

// The reference frame of a 1997 record in either choice dialog: shown,
// PRIMARIO chosen, captions from the language table.
void MostrarReferencia(QGroupBox& marco, QRadioButton& primario, QRadioButton& secundario);
// The side the dialog's buttons choose; none while neither is.
[[nodiscard]] Referencia LadoElegido(const QRadioButton& primario, const QRadioButton& secundario);

// What both digital choice dialogs do on OK once the choice is made: the
// open view is closed, the progress window shows text 286, `escribir`
// writes the handover, the chosen side of a 1997 record goes into Valores,
// `descargarDialogo` closes the dialog and the view is built afresh and
// shown in place of the menu form. On an error (the progress window not
// loaded, the handover or the view's build failing, memory running out:
// error 7) the progress window closes, no view stays, the side flags and
// mode are cleared as the view's unload would, the menu form comes back,
// the error box shows and the dialog closes. Returns whether the view
// stands.
bool AbrirVistaElegida(const std::function<void()>& escribir, Referencia lado,
                       const std::function<void()>& descargarDialogo);

} // namespace vesdra
