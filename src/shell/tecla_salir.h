#pragma once
#include <cstdint>

namespace vesdra {

// Key codes of the exit letters.
inline constexpr int vbKeyS = 83;
inline constexpr int vbKeyX = 88;

// The exit letter of a language number as tools.ini line 1 holds it: 'S' (83)
// for 1, 'X' (88) for 0, none (0) for any other value.
[[nodiscard]] int LetraSalir(std::int32_t idioma);

// The exit key, called with the (Shift, KeyCode) of every form's key press:
// Alt alone with the exit letter of the language stored in tools.ini (read
// afresh, not the Idioma in force) presses the main window's close button.
// tools.ini is read only for Alt+S and Alt+X; when it cannot be read the
// error box is shown and nothing is pressed. Returns whether it pressed.
bool TeclaSalir(int shift, int keyCode);

// Routes every Alt key press of the application to TeclaSalir (start-up, once).
void InstalarTeclaSalir();

} // namespace vesdra
