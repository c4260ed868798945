#pragma once
#include <QPointer>
#include <cstdint>

#include "record/array.h"
#include "shell/referencia.h"

namespace vesdra {

class frmVerOndas;

// Process-wide state of the waveform views: what the channel-choice dialog
// writes for the windows it opens, and what the shell reads and resets.
struct OndasState {
    // Element k (1..NumAnalogicos) is the waveform window of channel row k of
    // the last "individually" build; only the chosen rows hold a window.
    // A window deleted meanwhile reads as null.
    Array<QPointer<frmVerOndas>> VentanasOndas;
    // 1 while channel row k has a waveform window open (or a band in the
    // stacked view), else 0. Rebuilt by both buttons of the dialog.
    Array<std::int32_t> CanalesVisibles;
    // Waveform windows open; each closing window counts it down.
    std::int32_t NumVentanasOndas{0};
    // The channel row of the window being activated or shown (the dialog's
    // public field, read by the window's activation).
    std::int32_t IndiceVentana{0};
    // The stacked view's channel loop counter and trace scale (twips per
    // sample) of its last redraw, read by its printing.
    std::int32_t ContadorCanal{0};
    float EscalaXImpresion{0.0f};
};

OndasState& Ondas();

// Rows of TablaCanales the waveform views list and draw: the applied
// template's NumCanalesTabla; before any template is applied, the record's
// own channel rows, so the views work on a record without a template.
// Never more than the table holds.
[[nodiscard]] std::int32_t FilasCanalesVista();

// Channel colour rule of the waveform window and the stacked view: the
// palette position of channel row n's colour plus 1. Colours repeat every
// eight rows: n Mod 8 (sign of n) gives r; 0 -> 8, 4 -> 9, 5 -> 14, else r.
[[nodiscard]] std::int32_t IndiceColor(std::int32_t n);

// The 16-colour palette number of channel row n's trace:
// PaletaColores(IndiceColor(n) - 1).
[[nodiscard]] int NumeroColorCanal(std::int32_t n);

} // namespace vesdra
