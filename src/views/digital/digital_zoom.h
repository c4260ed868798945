#pragma once
#include <cstdint>
#include <optional>

#include "platform/base/zoom_history.h"

namespace vesdra::digital {

// Language texts of the zoom's refusals (all shown with the information icon).
inline constexpr std::int32_t TextoCursoresJuntos = 76; // both cursors on one sample
inline constexpr std::int32_t TextoSinPosterior = 79;   // forward at the newest level
inline constexpr std::int32_t TextoSinAnterior = 84;    // back at the whole record

// One level: the stretch of samples shown and where it is drawn. Sample s
// lies at x = 1200 + (s - Origen) * EscalaX twips.
struct NivelDigital {
    std::int32_t Primera{1}; // Min of both cursor bars
    std::int32_t Ultima{1};  // Max of both cursor bars, inclusive
    std::int32_t Origen{1};  // the sample drawn on the vertical axis
    double Ancho{0};         // drawing width when stored (not used to redraw)
    double EscalaX{0};       // twips per sample
    bool operator==(const NivelDigital&) const = default;
};

// A level to draw, or the language text of a refusal that changed nothing.
struct PasoZoom {
    std::optional<NivelDigital> Nivel{};
    std::int32_t Texto{0};
    [[nodiscard]] bool Rechazado() const { return !Nivel.has_value(); }
};

// The zoom history of the digital view. Level 0 is the whole record; a zoom
// is appended after the newest level whatever level is shown (levels after
// the shown one stay reachable), and back / forward only move the pointer.
// Invariant: 0 <= NivelZoom() <= NivelesZoom() - 1 < MaxNivelesZoom.
class HistorialDigital
{
public:
    // A new history holding only `completo` as level 0, shown.
    void Reiniciar(const NivelDigital& completo);

    // Zoom to the samples between the cursors on a picture `anchoPicture`
    // twips wide: the stretch fills the width from x = 1200 to its right
    // margin. Refused with text 105 when the history already holds 31
    // levels (whatever the cursors), else with text 76 when both cursors
    // stand on one sample.
    [[nodiscard]] PasoZoom Zoom(std::int32_t cursor1, std::int32_t cursor2, double anchoPicture);
    // One level back (text 84 at level 0) or forward (text 79 at the newest).
    [[nodiscard]] PasoZoom Atras();
    [[nodiscard]] PasoZoom Adelante();

    [[nodiscard]] std::int32_t NivelZoom() const { return niveles_.Position(); }
    [[nodiscard]] std::int32_t NivelesZoom() const { return niveles_.Count(); }
    [[nodiscard]] bool Lleno() const { return niveles_.Full(); }
    // A zoom was asked for and not stored (cursors together); the next
    // step through the history clears it.
    [[nodiscard]] bool ZoomPendiente() const { return pendiente_; }
    [[nodiscard]] const NivelDigital& Fila(std::int32_t r) const { return niveles_.At(r); }
    [[nodiscard]] const NivelDigital& Actual() const { return niveles_.Current(); }

private:
    ZoomHistory<NivelDigital> niveles_{};
    bool pendiente_{true};
};

} // namespace vesdra::digital
