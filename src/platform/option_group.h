#pragma once
#include <vector>

class QRadioButton;

namespace vesdra {

// Option buttons that make one choice (PRIMARIO / SECUNDARIO) behave as one
// control: Tab and Shift+Tab stop once, on the option chosen (the first one
// that can take the keyboard while none is chosen), and the arrow keys move
// the choice to the next option (Down, Right) or the one before (Up, Left)
// in the order given, round from the last to the first, wherever each
// option stands in the form. A move is a click on the option moved to.
// The grouping lives as long as the first option.
void MakeOptionGroup(std::vector<QRadioButton*> options);

} // namespace vesdra
