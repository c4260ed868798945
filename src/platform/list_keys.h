#pragma once
#include <functional>

class QListWidget;

namespace vesdra {

// Enter (either key) or Space on a list whose current entry is selected
// does what a double-click on that entry does: `accion` is called with the
// entry's row (0-based) and the key goes no further. Without a selected
// entry (a list just given the keyboard stands on its first entry without
// choosing it), or with Ctrl, Alt or Shift held, the key is left to the
// list: Space then selects the entry, and Enter goes on to the dialog,
// which presses its default button.
void PulsarComoDobleClic(QListWidget& lista, std::function<void(int fila)> accion);

// Enter (either key) on a list whose current entry is selected first takes
// that entry (`accion` with its row, 0-based), then goes on to the dialog,
// which presses its default button: the entry chosen is the one the button
// acts on. Space, and Enter with no entry chosen or with a modifier, are
// left as they are.
void TakeEntryOnEnter(QListWidget& lista, std::function<void(int fila)> accion);

} // namespace vesdra
