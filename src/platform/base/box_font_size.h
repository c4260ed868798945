#pragma once
#include <QString>
#include <QStringList>
#include <functional>

namespace vesdra {

// The size rule of the one-line read-out boxes: the font is ours to choose,
// so a box takes the largest font whose line fits its height and lowers it
// until every text it may show fits its width whole. Sizes are font pixel
// sizes; box sizes and margins are pixels.

// How a font measures text at a pixel size: the advance of a text and the
// height of one line.
struct MedidorTexto {
    std::function<double(int px, const QString& texto)> Ancho;
    std::function<double(int px)> Alto;
};

// What a box keeps around its text, both sides added: its frame and inner
// margins across (Horizontal) and down (Vertical).
struct MargenesCaja {
    double Horizontal{0.0};
    double Vertical{0.0};
};

// Font sizes the read-outs use: never below the smallest size that reads
// well on screen, never above what a box's height holds.
inline constexpr int kPixelesFuenteMinimos = 8;
inline constexpr int kPixelesFuenteMaximos = 24;

// The largest size, from maximo down to minimo, whose line fits a box of
// that height; minimo when none does.
[[nodiscard]] int PixelesPorAlto(double altoCaja, const MedidorTexto& medir, MargenesCaja m,
                                 int minimo = kPixelesFuenteMinimos, int maximo = kPixelesFuenteMaximos);

// The width (pixels) a box needs to show each of the texts whole at px.
[[nodiscard]] double AnchoNecesario(const QStringList& textos, int px, const MedidorTexto& medir,
                                    MargenesCaja m);

// The size of a box anchoCaja x altoCaja showing any of the texts: the size
// its height gives, lowered until every text fits the width; minimo when even
// that does not fit (the box then cuts; a layout that can should widen it).
[[nodiscard]] int PixelesCaja(double anchoCaja, double altoCaja, const QStringList& textos,
                              const MedidorTexto& medir, MargenesCaja m, int minimo = kPixelesFuenteMinimos,
                              int maximo = kPixelesFuenteMaximos);

// True when every text fits whole a box anchoCaja wide at px.
[[nodiscard]] bool CabenEnCaja(double anchoCaja, const QStringList& textos, int px, const MedidorTexto& medir,
                               MargenesCaja m);

} // namespace vesdra
