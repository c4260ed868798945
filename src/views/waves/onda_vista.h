#pragma once
#include <cstdint>
#include <optional>

#include "platform/base/zoom_history.h"

namespace vesdra {

// What a waveform window shows: the samples PrimeraMuestra..UltimaMuestra
// of its channel over a picture Ancho x Alto twips. One convention holds for
// the trace, the cursor lines and the zoom: sample s is drawn at
//     x = (s - PrimeraMuestra) EscalaX + OrigenX
// so the first shown sample sits on the vertical axis and a cursor line
// stands on the sample it reads, at the full view as after any zoom.
struct VistaOnda {
    double Ancho{0.0};
    double Alto{0.0};
    std::int32_t PrimeraMuestra{1};
    std::int32_t UltimaMuestra{1};
    double EscalaX{0.0};    // twips per sample
    double EscalaY{0.0};    // twips per engineering unit at zoom 1
    double OrigenX{0.0};    // x of the vertical axis: Ancho / 50
    double OrigenY{0.0};    // y of the value 0
    double FactorZoom{1.0}; // vertical zoom of this window alone
    bool Completa{true};    // the layout's full view: both axes drawn

    [[nodiscard]] double XDeMuestra(double muestra) const
    {
        return (muestra - PrimeraMuestra) * EscalaX + OrigenX;
    }
    [[nodiscard]] double YDeValor(double valor) const { return OrigenY - FactorZoom * valor * EscalaY; }
};

// One level of a window's zoom history: the rectangle in the coordinates of
// the view it was drawn on, with that view's first sample and scale, so that
// replaying it (or printing it) computes the same sample range again; and
// the vertical zoom and zero line it gave.
struct NivelOnda {
    double RectY1{0.0};
    double RectY2{0.0};
    double RectX1{0.0};
    double RectX2{0.0};
    double FactorZoom{1.0};
    std::int32_t PrimeraMuestraAnterior{1};
    double Alto{0.0};
    double Ancho{0.0};
    double EscalaXAnterior{0.0};
    double OrigenY{0.0};
};

using HistorialOnda = ZoomHistory<NivelOnda>;

struct RangoMuestras {
    std::int32_t Inicio{1};
    std::int32_t Fin{1};
    bool operator==(const RangoMuestras&) const = default;
};

// The samples between two x positions of a view whose first sample p is on
// the axis at ancho / 50 with escalaX twips per sample: offsets rounded
// (halves to even) and not below 0, start = p + a, end = p + b; an end past
// the last sample n becomes n - 1. Empty (no value) when start >= end or the
// scale is not positive: the caller refuses such a range (text 80).
[[nodiscard]] std::optional<RangoMuestras>
RangoEntre(double x1, double x2, double ancho, std::int32_t primeraMuestra, double escalaX, std::int32_t n);
// The range a stored level shows (the zoom redraw's and the printout's rule).
[[nodiscard]] std::optional<RangoMuestras> RangoDeNivel(const NivelOnda& nivel, std::int32_t n);

// Vertical scale at zoom 1: the larger magnitude of the channel's extremes
// reaches 24/50 of the height from the zero line; a channel that is zero
// throughout gets a full scale of alto / 2.
[[nodiscard]] double EscalaYCanal(double alto, float minimo, float maximo);

// The layout's full view of n samples over a picture ancho x alto.
[[nodiscard]] VistaOnda VistaCompleta(double ancho, double alto, std::int32_t n, double escalaY);
// Level 1 of the history, describing that full view.
[[nodiscard]] NivelOnda NivelCompleto(const VistaOnda& completa);

// Outcome of a zoom step: the view to draw, or the refusal to show (language
// text and message-box style) that leaves the window as it was.
struct ResultadoZoomOnda {
    std::optional<VistaOnda> Vista;
    std::int32_t Texto{0};
    int Estilo{0};
};

inline constexpr std::int32_t TextoRangoVacio = 80;
inline constexpr std::int32_t TextoRectanguloSinAltura = 219;
inline constexpr std::int32_t TextoSinNivelPosterior = 79;
inline constexpr std::int32_t TextoSinNivelAnterior = 84;

// The rubber-band zoom of the view shown: the rectangle (corners in either
// order) selects a sample range and stretches its height over the picture.
// Refused before anything changes: a full history (31 levels; text 105,
// information), a rectangle holding no two samples (text 80, critical) or,
// over a real range, one of zero height (text 219, critical). Otherwise stores the new level after the newest
// and returns the view.
[[nodiscard]] ResultadoZoomOnda ZoomRectangulo(const VistaOnda& actual, HistorialOnda& historial, double x1,
                                               double y1, double x2, double y2, std::int32_t n);

// The view of the level the history shows (after a back or forward step),
// keeping the window's EscalaY. A level whose range is empty gives text 80
// (OK only).
[[nodiscard]] ResultadoZoomOnda VistaDeNivel(const NivelOnda& nivel, double escalaY, std::int32_t n);

// The history buttons: one level forward or back and its view; at the newest
// level forward gives text 79, at the full view back gives text 84 (both
// information), and nothing moves.
[[nodiscard]] ResultadoZoomOnda NivelSiguiente(HistorialOnda& historial, double escalaY, std::int32_t n);
[[nodiscard]] ResultadoZoomOnda NivelAnterior(HistorialOnda& historial, double escalaY, std::int32_t n);

} // namespace vesdra
