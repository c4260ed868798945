#pragma once
#include <QString>
#include <cstdint>
#include <functional>
#include <optional>

#include "platform/base/vb_error.h"
#include "shell/shell_state.h"

namespace vesdra {

// Text n of the language table. Any n outside 1..288 gives an empty text.
[[nodiscard]] const QString& TextosIdioma(int n);

// The language file of a language: vsotro.ini for 1, vsingles.ini for any
// other value. A file of that name in another letter case is found too.
[[nodiscard]] QString FicheroDeIdioma(const QString& carpetaIni, std::int32_t idioma);

// Loads Shell().FicheroIdioma into the table. Exactly the first 288 lines are
// read (a line ends at CR LF or a lone LF); lines beyond are ignored.
// On failure (missing file: 53; fewer than 288 lines: 62) the texts read stay
// and every text the file did not supply keeps the text the table held before,
// or, when that was empty, a neutral "Texto N" / "Text N", so that no caption
// is ever left blank. Returns false and fills *error on failure; the caller
// shows ErrorBoxText(*error) in the critical box.
[[nodiscard]] bool CargarIdioma(VbError* error = nullptr);

// Every text of the table that is still empty becomes its neutral "Texto N"
// / "Text N" (by Idioma), as a short language file leaves them: a box shown
// before any table was loaded is never blank.
void RellenarTextosVacios();

// Start-up: chooses FicheroIdioma from Shell().Idioma and CarpetaIni, then
// loads it. A missing file is reported (false, *error naming it) and the
// other language's file is loaded in its place, so no caption is a
// placeholder; the language switch does the same.
[[nodiscard]] bool IniciarIdioma(VbError* error = nullptr);

// Writes the language number into line 1 of ficher.ini and tools.ini; throws
// VbError when a file is missing or cannot be rewritten. The configuration-file
// code installs it with SetGuardarIdiomaEnFicheros; until then a switch
// persists nothing.
using GuardarIdiomaEnFicheros = std::function<void(std::int32_t lang)>;
void SetGuardarIdiomaEnFicheros(GuardarIdiomaEnFicheros hook);

struct LanguageSwitchResult {
    bool Cambiado{false};                  // the language really changed
    std::optional<VbError> ErrorGuardar{}; // ficher.ini / tools.ini not rewritten
    std::optional<VbError> ErrorCargar{};  // the new language file failed to load
};

// The Idioma menu's commands without the form: when lang differs from
// Shell().Idioma, sets Idioma, rewrites line 1 of ficher.ini and tools.ini,
// chooses the new file and reloads the table. The caller then sets the menu
// captions again from the table (when Cambiado) and shows each error in the
// critical box.
[[nodiscard]] LanguageSwitchResult ElegirIdioma(std::int32_t lang);

// The switch itself, run even when lang is already in force. A failure to
// rewrite the settings does not stop it: the table always follows the
// language chosen, so Idioma and the captions never disagree.
[[nodiscard]] LanguageSwitchResult CambiarIdioma(std::int32_t lang);

} // namespace vesdra
