#pragma once
#include <QString>
#include <QStringList>
#include <cstdint>
#include <span>
#include <vector>

#include "analysis/float_table.h"

namespace vesdra {

// A phasor in polar form: magnitude, and angle in degrees counter-clockwise
// from the positive real direction, from −90 up to 270.
struct Polar {
    float Magnitud{0};
    float Angulo{0};
};

// x + j·y in polar form. Magnitude √(x² + y²) in double, stored single.
// Angle by the first rule that applies: x = 0 gives 90 (y >= 0, the zero
// phasor included) or −90; y = 0 gives 0 (x > 0) or 180; otherwise
// atan(y/x)·180/3.14159 stored single, plus 180 when x < 0. The constant
// 3.14159 is the program's: (1, 1) reads 45.00004.
[[nodiscard]] Polar PolarGrados(float x, float y);

// A drawing offset: scale × value × zoom multiplied in that order in double
// and stored single.
[[nodiscard]] float Coordenada(float escala, float valor, float zoom);

// Largest magnitude of each phasor column pair of `pares` (pair k is columns
// 2k − 1, 2k), over every row; 0 for a pair that is all 0. Element k − 1 is
// pair k. These are the extremes the common scales are taken from.
[[nodiscard]] std::vector<float> MaximosMagnitud(const TablaReal& pares);
// The same for pair k alone; 0 for a pair the table lacks.
[[nodiscard]] float MaximoMagnitudPar(const TablaReal& pares, std::int32_t k);

// Radius of the diagram: half the shorter side of the picture (the width
// when both are equal).
[[nodiscard]] float RadioDiagrama(float ancho, float alto);

// Base scale: radius over the largest magnitude, 0 when that is 0, so the
// largest phasor of the record reaches the edge at zoom 1.
[[nodiscard]] float EscalaBase(float radio, float maximo);

// Phasor view's largest magnitude: the greatest |maximos(c)| among the listed
// channels c (those of the chosen sets), so that the chosen phasors fill the
// diagram whatever the other channels hold. Channels outside `maximos` are
// skipped; no listed channel gives 0.
[[nodiscard]] float MaximoFases(std::span<const float> maximos, std::span<const std::int32_t> canales);

// Sequence view's largest magnitude: the greatest of all.
[[nodiscard]] float MaximoSecuencias(std::span<const float> maximos);

// Zoom factor of step k: 1.25^k in double, stored single.
[[nodiscard]] float FactorZoomPaso(std::int32_t paso);

// A value line: caption, digit, ": ", magnitude "#.###", " @ ", angle
// "#.##", then the unit with nothing between ("IA1: 1.5 @ 30.25A"). The
// printed pages join magnitude and angle with "@" alone ("IA1: 1.5@30.25A").
// A value that rounds to 0 reads "0"; a magnitude that does is written
// without its angle ("I2: 0A").
[[nodiscard]] QString TextoValor(const QString& nombre, const QString& digito, Polar p,
                                 const QString& unidades, const QString& arroba = QStringLiteral(" @ "));
// The value of a value line, what follows the caption's ": " ("1.5 @ 30.25A").
[[nodiscard]] QString TextoMagnitudAngulo(Polar p, const QString& unidades,
                                          const QString& arroba = QStringLiteral(" @ "));

// The widest value lines a box may show for magnitudes up to `maximo`: its
// whole digits with three decimals, beside the widest angles the polar form
// gives (it spans -90 to 270 degrees). Digits are as wide as one another in
// the read-outs' fonts.
[[nodiscard]] QStringList TextosMagnitudAnguloMasAnchos(float maximo, const QString& unidades);

// Largest twips value a line end point may take: the drawing coordinates are
// 32-bit twips. Beyond it (or not finite) the drawing overflows.
inline constexpr double kLimiteCoordenada = 2147483647.0;
[[nodiscard]] bool CoordenadaValida(double twips);

} // namespace vesdra
