#pragma once
#include <functional>

class QListWidget;

namespace vesdra {

// Enter (either key) or Space on a list with a current entry does what a
// double-click on that entry does: `accion` is called with the entry's row
// (0-based) and the key goes no further. Without a current entry, or with
// Ctrl, Alt or Shift held, the key is left to the list.
void PulsarComoDobleClic(QListWidget& lista, std::function<void(int fila)> accion);

} // namespace vesdra
