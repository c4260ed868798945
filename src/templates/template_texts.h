#pragma once

namespace vesdra {

// Texts of the language table (tools/language_texts.py) that the template
// subsystem, its wizard and the views of its groups added to the program's
// own: their numbers, named here and nowhere else.

// Template wizard step 3: a group name already in the list (Añadir or a
// rename refused; nothing changes).
inline constexpr int kTextoGrupoRepetido = 288;

} // namespace vesdra
