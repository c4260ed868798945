#pragma once

namespace vesdra {

// Texts of the language table (tools/language_texts.py) that the template
// subsystem, its wizard and the views of its groups added to the program's
// own: their numbers, named here and nowhere else.

// Template wizard step 3: a group name already in the list (Añadir or a
// rename refused; nothing changes).
inline constexpr int kTextoGrupoRepetido = 288;
// Template wizard step 2: a template of more than four three-phase sets (the
// first four are kept).
inline constexpr int kTextoTrifasicosConservados = 287;
// Template wizard step 3: a template of more than 16 digital groups (the
// first 16 are kept).
inline constexpr int kTextoGruposConservados = 281;
// Digital group and digital composition dialogs: an applied template of more
// than 16 digital groups (the first 16 are offered).
inline constexpr int kTextoGruposOfrecidos = 276;
// Relay-model chooser and template wizard steps 1 and 3: the model reader
// program is not beside the executable, or does not run (before its path).
inline constexpr int kTextoSinLectorModelos = 226;
// Relay-model chooser: Aceptar with no model chosen or typed.
inline constexpr int kTextoSinModeloElegido = 254;
// Template wizard step 4: a name the file system or the template dialog's
// listing cannot hold (nothing is written).
inline constexpr int kTextoNombrePlantillaNoValido = 274;

} // namespace vesdra
