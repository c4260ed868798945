#pragma once
#include <cstdint>
#include <optional>

#include "platform/base/zoom_history.h"

namespace vesdra::composicion {

// Language texts and message-box styles of the zoom's refusals.
inline constexpr std::int32_t TextoRangoVacio = 80;    // no samples in the rectangle
inline constexpr std::int32_t TextoSinAltura = 219;    // a rectangle of no height
inline constexpr std::int32_t TextoUltimoNivel = 79;   // ">>" at the newest level
inline constexpr std::int32_t TextoVistaCompleta = 84; // "<<" at the full view
inline constexpr std::int32_t EstiloInformacion = 64;

// Where the traces of a composition window are drawn. Sample s lies at
// x = (s - PrimeraMuestra) * EscalaX + OrigenX, and a value v at
// y = OrigenY - v * ZoomVertical * EscalaVertical. One convention for the
// traces, the cursor lines and the zoom rectangle: PrimeraMuestra is the
// first sample drawn (1 at the full view).
struct VistaTrazos {
    std::int32_t PrimeraMuestra{1};
    std::int32_t UltimaMuestra{0};
    double EscalaX{0};
    double OrigenX{0};
    double OrigenY{0};
    double ZoomVertical{1};
    bool Completa{true}; // the full view: axes drawn, every sample shown

    [[nodiscard]] double XDeMuestra(double s) const { return (s - PrimeraMuestra) * EscalaX + OrigenX; }
};

// The full view of a picture ancho x alto over nS samples: sample 1 on the
// vertical axis at ancho / 50, nS samples spread over 48/50 of the width (so
// the last lies one step short of 49/50), the time axis at mid-height.
[[nodiscard]] VistaTrazos VistaCompleta(double ancho, double alto, std::int32_t nS);

// One stored level: the rectangle that made it (sorted), the view before it
// and the view it shows, and the picture size it was made for.
struct NivelZoom {
    double ZoomY1{0}, ZoomY2{0}, ZoomX1{0}, ZoomX2{0};
    double ZoomVertical{1};
    std::int32_t PrimeraMuestraAnterior{1};
    double Alto{0}, Ancho{0};
    double EscalaXAnterior{0};
    double OrigenY{0};
    bool operator==(const NivelZoom&) const = default;
};

struct RectanguloZoom {
    double X1{0}, Y1{0}, X2{0}, Y2{0};
};

// What a zoom or a step through the history gives: a view to draw, or a
// refusal (language text and style) that leaves everything as it was.
struct ResultadoZoom {
    std::optional<VistaTrazos> Vista{};
    std::int32_t Texto{0};
    std::int32_t Estilo{0};
    [[nodiscard]] bool Rechazado() const { return !Vista.has_value(); }
};

// The zoom history of one composition window. Row 0 is the full view; a new
// zoom is always appended after the newest level, whatever level is shown.
// Invariant: 0 <= NivelActual() <= NumNiveles() - 1 <= 30.
class HistorialZoom
{
public:
    // Restarts the history at the full view of a picture ancho x alto.
    void Reiniciar(double ancho, double alto, std::int32_t nS);

    [[nodiscard]] std::int32_t NivelActual() const { return niveles_.Position(); }
    [[nodiscard]] std::int32_t NumNiveles() const { return niveles_.Count(); }
    // No further zoom fits (31 levels); the window says so before a rectangle.
    [[nodiscard]] bool Lleno() const { return niveles_.Full(); }
    [[nodiscard]] const NivelZoom& Fila(std::int32_t r) const { return niveles_.At(r); }

    // A new level from a rectangle dragged over the picture (ancho x alto)
    // showing `actual`. Refused, with nothing stored and nothing changed: a
    // full history (31 levels, text 105), a range with no two samples once clamped to
    // the record, a rectangle of no height.
    [[nodiscard]] ResultadoZoom ZoomNuevo(const VistaTrazos& actual, RectanguloZoom r, double ancho,
                                          double alto, std::int32_t nS);
    // ">>" and "<<": the next or previous stored level, or the refusal at
    // either end of the history (texts 79 and 84).
    [[nodiscard]] ResultadoZoom Adelante(std::int32_t nS);
    [[nodiscard]] ResultadoZoom Atras(std::int32_t nS);

    // The view of stored level r, drawn with the size stored with it.
    [[nodiscard]] ResultadoZoom VistaDeNivel(std::int32_t r, std::int32_t nS) const;

private:
    ZoomHistory<NivelZoom> niveles_{};
};

} // namespace vesdra::composicion
