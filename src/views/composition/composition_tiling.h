#pragma once
#include <array>
#include <cstdint>
#include <vector>

namespace vesdra::composicion {

// Place of one composition window on the usable screen, in twips.
struct TeselaVentana {
    std::int32_t Composicion{0}; // 1..3
    double Left{0}, Top{0}, Width{0}, Height{0};
    std::int32_t TextoTitulo{0}; // language text of the caption: 65, 66, 67 from the top
};

// The windows of the compositions in use (enUso[1..3]) as full-width rows of
// the usable height alto and width ancho: one row of the whole height, two
// halves or three thirds, in increasing composition order from the top.
// Captions number the rows, not the compositions.
[[nodiscard]] std::vector<TeselaVentana> Teselar(const std::array<bool, 4>& enUso, double alto, double ancho);

// Top margin and vertical gap of a window's button column, by the number of
// composition windows: three windows crowd their buttons together.
[[nodiscard]] constexpr double MargenSuperior(std::int32_t numVentanas)
{
    return numVentanas == 3 ? 10 : numVentanas == 2 ? 50 : 295;
}
[[nodiscard]] constexpr double Separacion(std::int32_t numVentanas)
{
    return numVentanas == 3 ? 10 : 100;
}

// Height of the zoom button: halved with three windows on a screen at most
// 800 pixels wide.
[[nodiscard]] constexpr double AltoBotonZoom(double altoDiseno, std::int32_t anchoPantallaPixeles,
                                             std::int32_t numVentanas)
{
    return (anchoPantallaPixeles <= 800 && numVentanas == 3) ? altoDiseno / 2 : altoDiseno;
}

} // namespace vesdra::composicion
