#pragma once
#include <QString>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "platform/base/zoom_history.h"
#include "record/array.h"
#include "record/matrix.h"

namespace vesdra {

// What the stacked view shows: samples Primera..Ultima of every band, sample
// s at x = (s - PrimeraMuestra) EscalaX + 50, for the trace and the cursor
// lines alike (one scale, so a cursor line stands on the sample it reads).
struct VistaTodo {
    std::int32_t Primera{1};
    std::int32_t Ultima{1};
    std::int32_t PrimeraMuestra{1};
    double Ancho{0.0}; // picture width the view was made for
    double EscalaX{0.0};

    [[nodiscard]] double XDeMuestra(double muestra) const
    {
        return (muestra - PrimeraMuestra) * EscalaX + 50.0;
    }
};

// A level of the stacked view's history: the span and the scale it was drawn with.
struct NivelTodo {
    std::int32_t Primera{1};
    std::int32_t Ultima{1};
    std::int32_t PrimeraMuestra{1};
    double Ancho{0.0};
    double EscalaX{0.0};
};
using HistorialTodo = ZoomHistory<NivelTodo>;

// The whole record of n samples over a picture ancho twips wide:
// (ancho - 150) / n twips per sample from x = 50.
[[nodiscard]] VistaTodo VistaTodoCompleta(double ancho, std::int32_t n);
[[nodiscard]] NivelTodo NivelDeVista(const VistaTodo& v);
[[nodiscard]] VistaTodo VistaDeNivelTodo(const NivelTodo& l);

struct ResultadoZoomTodo {
    std::optional<VistaTodo> Vista;
    std::int32_t Texto{0};
    int Estilo{0};
};
inline constexpr std::int32_t TextoCursoresJuntos = 76;

// The span zoom: the stretch between the two cursors, stored as a new level
// after the newest and shown. Refused, with nothing drawn or stored: a full
// history (31 levels; text 105, said before the cursors are looked at) and both cursors on one sample (text
// 76), both with the information icon.
[[nodiscard]] ResultadoZoomTodo ZoomEntreCursores(HistorialTodo& historial, std::int32_t cursor1,
                                                  std::int32_t cursor2, double ancho);
// The history buttons: forward at the newest level gives text 79 (critical),
// back at the whole record text 84 (information); nothing moves then.
[[nodiscard]] ResultadoZoomTodo TodoSiguiente(HistorialTodo& historial);
[[nodiscard]] ResultadoZoomTodo TodoAnterior(HistorialTodo& historial);

// ---- Vertical scales of the bands ----

// A chosen channel row as its band draws it.
struct CanalBanda {
    std::int32_t Fila{0};    // row of TablaCanales
    std::int32_t Columna{0}; // column of Valores
    QString Unidad;          // trimmed
    float Extremo{0.0f};     // larger magnitude of the column's extremes
    bool Visible{false};
};

// Rows 1..numFilas of a channel table with their Valores column, trimmed
// unit and extreme; a row is visible when its CanalesVisibles element is 1.
// A column outside Valores (or not a number) fails as the table read would:
// VbError 9 (or 13). When the record's extremes of `valores` are given
// (MinimosCanal / MaximosCanal just filled from it) they are used instead of
// another pass over the samples.
[[nodiscard]] std::vector<CanalBanda> CanalesDeTabla(const Matrix<QString>& tabla, std::int32_t numFilas,
                                                     const Array<std::int32_t>& visibles,
                                                     const Matrix<float>& valores,
                                                     const Array<float>* minimos = nullptr,
                                                     const Array<float>* maximos = nullptr);

// Full scales of current ("A") and voltage ("V") bands; the unit comparison
// is exact in case after trimming. 0 when there is no such band.
struct EscalasAV {
    double A{0.0};
    double V{0.0};
};
// After a build or a resize: the largest extreme of the shown "A" rows and
// of the shown "V" rows, then both set to the larger, so every current and
// voltage band shares one scale.
[[nodiscard]] EscalasAV EscalasCompartidas(const std::vector<CanalBanda>& filas);
// In a zoom or history redraw: the largest extreme of all "A" rows and of
// all "V" rows of the table, shown or not, each kept apart.
[[nodiscard]] EscalasAV EscalasPorUnidad(const std::vector<CanalBanda>& filas);

// The value drawn at 0.48 of the band height from its zero line: the A or V
// scale for those units, else the channel's own extreme; 0 becomes
// altoBanda / 2. Twips per unit follow.
[[nodiscard]] double FondoEscalaBanda(const CanalBanda& canal, const EscalasAV& escalas, double altoBanda);
[[nodiscard]] double EscalaYBanda(double altoBanda, double fondoEscala);

// Largest magnitude a column holds (0 for none).
[[nodiscard]] float ExtremoColumna(std::span<const float> valores);

} // namespace vesdra
