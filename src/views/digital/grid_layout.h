#pragma once
#include <array>
#include <cstdint>

#include "platform/base/rect_twips.h"
#include "platform/base/screen.h"

namespace vesdra::grid {

// The screen as the composition dialog's layout reads it, and how the
// toolkit stores what it is given.
struct EntradaDisposicion {
    ScreenInfo Pantalla{};
    bool Es1997{false}; // a 1997 record (RecordModel::Es1997)
    // Height and width of the form's frame (caption and borders), twips:
    // the form's size less its client area.
    double AltoMarco{0};
    double AnchoMarco{0};
    // Positions and sizes are stored in whole pixels and read back as such
    // (later positions follow from values read back); false keeps them
    // exactly as computed.
    bool Redondear{true};
};

// Design sizes of the right-hand controls (twips); the layout reads them.
inline constexpr double AnchoFrame1 = 1845;
inline constexpr double AnchoFrame3 = 1815;
inline constexpr double AnchoLabel101 = 1455, AltoLabel101 = 495;
inline constexpr double AnchoLabel102 = 495, AltoLabel102 = 255;
inline constexpr double AnchoBoton = 1815, AltoBoton = 495;
inline constexpr double AnchoLabel99 = 1695, AltoLabel99 = 735;

// Every place the dialog's layout sets, twips. Label i (0 title, 1..19
// members) of column K (1..16) is Etiquetas[K][i]; the form's size is its
// outer size (frame included); labels and the right-hand stack are inside
// its client area.
struct DisposicionGrid {
    std::int32_t Caso{0}; // 1..5: which screen case gave the form's size
    double AltoFormulario{0};
    double AnchoFormulario{0};
    // Label height and column width as computed (before the toolkit stores
    // them); AltoEtiqueta is below the form's width / 63 only where the two
    // bands would not fit in the form's height, AnchoColumna below its
    // height / 7 only where the stack would not fit in its width.
    double AltoEtiqueta{0};
    double AnchoColumna{0};
    std::array<std::array<RectTwips, 20>, 17> Etiquetas{};
    RectTwips Frame1{};
    bool ColocaFrame3{false}; // only for a 1997 record
    RectTwips Frame3{};
    RectTwips Label101{};
    RectTwips Label102{};
    RectTwips cmdOK{};
    RectTwips cmdcancel{};
    RectTwips Label99{};
};

// The form's size by the screen case (640 pixels wide; 12 twips per pixel
// on an 800- or other-width screen; 800 pixels wide; any other screen), two
// bands of eight columns with the label height from the form's width and the
// column width from its height, columns 9..16 one empty row under columns
// 1..8, and the right-hand stack (analog frame, reference frame of a 1997
// record, count, OK, Cancel, hint) one label height apart beside column 8.
// On a screen wider than 4:3 the form's height cannot hold the two bands at
// that label height: the labels are then made as tall as the height allows;
// where the width cannot hold the stack beside the columns (a screen
// narrower than 4:3), the columns are made as wide as the width allows.
[[nodiscard]] DisposicionGrid AjustarAPantalla(const EntradaDisposicion& e);

} // namespace vesdra::grid
