#pragma once
#include <cstdint>

#include "wizard/form_asistente.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace vesdra {

// The relay-model chooser, opened from step 1 of the template wizard: lists
// the models of the index database; Aceptar loads the measurement rows of
// the model named in the box and shows step 1 afresh with them (with no
// model named it asks for one); cancelar, Escape and the close box show
// step 1 again as it was left, what was typed in it kept.
class frmBaseModelo : public FormAsistente
{
    Q_OBJECT
public:
    explicit frmBaseModelo(QWidget* parent = nullptr);

    // Centred, captions, the models listed (a missing models folder lists
    // nothing silently, another failure shows text 245).
    void Form_Load();

    void List1_DblClick(std::int32_t indice);
    void cmdOK_Click();
    void cmdCancelar_Click();

    QGroupBox* Frame1{};
    QListWidget* List1{};
    QLabel* Label1{};
    QLineEdit* lblNomModelo{};
    QPushButton* cmdOK{};
    QPushButton* cmdCancelar{};

protected:
    void closeEvent(QCloseEvent* event) override;
};

} // namespace vesdra
