#pragma once
#include <string_view>
#include <vector>

namespace vesdra {

// Lines of a text file held in memory. A line ends at LF; a CR before the LF
// (CR LF files) is not part of the line. A last line without a line end is a
// line; an empty file has no lines.
[[nodiscard]] std::vector<std::string_view> PartirLineas(std::string_view texto);

// The text from `desde` up to the next comma, and `desde` moved past that
// comma; when no comma follows, the rest of the line, and `desde` at its end.
[[nodiscard]] std::string_view CortarCampo(std::string_view linea, size_t& desde);

} // namespace vesdra
