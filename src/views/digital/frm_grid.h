#pragma once
#include <QWidget>
#include <array>
#include <cstdint>

#include "views/digital/digital_handover.h"
#include "views/digital/grid_model.h"

class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;

namespace vesdra {

class NameGroup;

// One column of the composition dialog: the group's name (label 0) over
// its member slots (labels 1..19), and the colour each slot returns to when
// it is unmarked (entry m - 1 for slot m).
struct ColumnaGrupo {
    std::int32_t Columna{0}; // K, 1..16: the column of group K
    std::array<QLabel*, 20> lblgrp{};
    std::array<std::uint32_t, grid::SlotsColumna> ColoresGrupo{};

    // A long name gives way against the names beside it: the title against
    // the other columns' titles (`titulos`), a slot against the slots of
    // every column (`miembros`).
    void Crear(QWidget* form, std::int32_t columna, NameGroup* titulos, NameGroup* miembros);
    void Titular(const QString& nombre);
    // Slots 1..n named, enabled and tinted where the channel changes state;
    // the further slots disabled (captions left empty).
    void Llenar(const grid::RellenoColumna& r);
    // Title and slots disabled (a column without a group).
    void Deshabilitar();
    void Fondo(std::int32_t indice, std::uint32_t color);
};

// The composition dialog: one analog channel and up to 19 digital channels
// marked in the columns of the applied template's digital groups (click
// marks, double-click unmarks), and for a 1997 record the side its values
// are referred to. OK hands the composition over and opens the digital view
// in place of any open one. The menu form is hidden while it is open.
class frmGrid : public QWidget
{
    Q_OBJECT
public:
    explicit frmGrid(QWidget* parent = nullptr);

    // The set-up: size and layout for the screen, captions, the reference
    // frame, the analog list, the columns and their marks afresh. An error
    // shows the error box and leaves the dialog with what was set up; an
    // error filling a column unloads it.
    void Form_Load();
    // Fits the form and its controls to the screen (left, top 0).
    void AjustarAPantalla();

    // Handlers, callable directly: label i (0..19) of column K (1..16).
    void lblgrp_Click(std::int32_t columna, std::int32_t indice);
    void lblgrp_DblClick(std::int32_t columna, std::int32_t indice);
    void cmdOK_Click();
    void cmdcancel_Click();

    [[nodiscard]] std::int32_t NumElegidos() const { return marcas_.NumElegidos; }

    std::array<ColumnaGrupo, grid::NumColumnas + 1> Columnas{}; // 1..16
    QGroupBox* Frame1{};
    ComboAnalogico* Combo1{};
    QGroupBox* Frame3{};
    QRadioButton* CmdPrimario{};
    QRadioButton* CmdSecundario{};
    QLabel* Label101{};
    QLabel* Label102{};
    QLabel* Label99{};
    QPushButton* cmdOK{};
    QPushButton* cmdcancel{};

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void CrearControles();
    void LlenarColumnas(std::int32_t grupos);
    void MostrarGesto(std::int32_t columna, std::int32_t indice, grid::Gesto gesto);
    void Form_Unload();

    grid::MarcasComposicion marcas_{};
    bool descargado_{false};
};

// The dialog's one instance: created and loaded on first use, destroyed when
// unloaded. GridCargado is null while none is loaded.
[[nodiscard]] frmGrid* GridCargado();
void DescargarGrid();

// The menu command: any open dialog unloaded, a fresh one loaded and shown
// at the top left of the main window. Nothing is shown when its load
// unloaded it.
void AbrirGrid();

} // namespace vesdra
