#pragma once
#include <QWidget>
#include <array>
#include <cstdint>

#include "platform/elided_check_box.h"
#include "views/digital/digital_handover.h"

class QGroupBox;
class QPushButton;
class QRadioButton;

namespace vesdra {

class NameGroup;

// The group choice dialog: one digital group of the applied template (one
// option per group, at most 16), one analog channel and, for a 1997 record,
// the side its values are referred to. OK hands the choice over in group
// mode and opens the digital view in place of any open one.
class frmElecdig : public QWidget
{
    Q_OBJECT
public:
    explicit frmElecdig(QWidget* parent = nullptr);

    // Captions, the reference frame, the analog list and the group options
    // from the record and template of this moment. An error shows the error
    // box and leaves the dialog open with what was filled.
    void Form_Load();

    void cmdOK_Click();
    void cmdcancel_Click();

    // The analog list's choice as the dialog reads it: 0-based entry, -1
    // while none is picked (also after typing into the box).
    [[nodiscard]] int IndiceAnalogico() const;
    // Picks entry i as the user would.
    void ElegirAnalogico(int indice);

    QGroupBox* fmeDigital{};
    // 1..16; their captions give way against each other.
    std::array<ElidedRadioButton*, 17> optdg{};
    QGroupBox* Frame1{};
    ComboAnalogico* Combo1{};
    QGroupBox* Frame3{};
    QRadioButton* CmdPrimario{};
    QRadioButton* CmdSecundario{};
    QPushButton* cmdOK{};
    QPushButton* cmdcancel{};

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void CrearControles();

    NameGroup* grupos_{};
};

// The dialog's one instance: created and loaded on first use, destroyed when
// unloaded. ElecdigCargado is null while none is loaded.
frmElecdig& Elecdig();
[[nodiscard]] frmElecdig* ElecdigCargado();
void DescargarElecdig();

} // namespace vesdra
