#include "platform/text_box.h"

#include <QLineEdit>

namespace vesdra {

void MostrarPrincipio(QLineEdit& caja)
{
    // setText moves the caret to the end whether or not the text changes,
    // and only a change of text is signalled: the caret's move is the one
    // notice every assignment gives.
    QObject::connect(&caja, &QLineEdit::cursorPositionChanged, &caja, [&caja](int, int nueva) {
        if (nueva != 0 && !caja.hasFocus())
            caja.setCursorPosition(0);
    });
    caja.setCursorPosition(0);
}

} // namespace vesdra
