#pragma once
#include <QString>
#include <QWidget>
#include <array>

#include "platform/elided_line_edit.h"
#include "views/composition/composition_slots.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;

namespace vesdra {

// The composition dialog: the record's analog channels distributed over
// three compositions of six slots. OK builds one window per composition
// that holds channels. The dialog edits only its own slots; the build
// reads their number boxes.
class frmNewCompanalog : public QWidget
{
    Q_OBJECT
public:
    explicit frmNewCompanalog(QWidget* parent = nullptr);

    // Shows the dialog modeless, centred on the screen.
    void Mostrar();

    // Handlers, callable directly.
    void lblpunt_Click(int index);
    void grp_Click(int index);
    void grp_DblClick(int index);
    void List1_DblClick();
    void grp_Change(int index);
    void cmdOK_Click();
    void cmdcancel_Click();

    [[nodiscard]] const composicion::CasillasComposicion& Casillas() const { return modelo_; }
    // The number boxes lbl(1..18) as the build reads them.
    [[nodiscard]] std::array<QString, 19> NumerosCasillas() const;

    QGroupBox* Frame1{};
    QGroupBox* Frame2{};
    QGroupBox* Frame3{};
    QGroupBox* Frame4{};
    QGroupBox* Frame5{};
    QListWidget* List1{};
    std::array<ElidedLineEdit*, 19> grp{}; // 1..18
    std::array<QLabel*, 19> lblpunt{};     // 1..18
    std::array<QLineEdit*, 19> lbl{};      // 1..18
    QRadioButton* CmdPrimario{};
    QRadioButton* CmdSecundario{};
    QPushButton* cmdOK{};
    QPushButton* cmdcancel{};

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void CrearControles();
    void Form_Load();
    void MostrarCasilla(int index);
    void MostrarMarcadores();

    composicion::CasillasComposicion modelo_{};
};

// The dialog's one instance: created (loaded) on first use, destroyed by
// DescargarNewCompanalog. NewCompanalogCargado is null while none is loaded.
frmNewCompanalog& NewCompanalog();
[[nodiscard]] frmNewCompanalog* NewCompanalogCargado();
void DescargarNewCompanalog();

} // namespace vesdra
