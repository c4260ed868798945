#pragma once

class QLineEdit;

namespace vesdra {

// A read-only box whose text the program writes keeps the beginning of that
// text in sight, as a text box whose text is assigned does: every
// assignment, also of the text the box already holds, leaves the caret at
// the start. A QLineEdit would put it at the end and so show the tail of a
// text longer than the box. While the box has the focus the user's caret
// and selection are left alone.
void MostrarPrincipio(QLineEdit& caja);

} // namespace vesdra
