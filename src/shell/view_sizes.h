#pragma once
#include <cstdint>

namespace vesdra {

// Usable drawing width and height of a view window, in twips, from Screen().
[[nodiscard]] float AnchoVista();
[[nodiscard]] float AltoVista();
// Screen width in pixels.
[[nodiscard]] std::int32_t AnchoPantalla();

} // namespace vesdra
