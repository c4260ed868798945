#pragma once
#include <QString>
#include <functional>

#include "templates/wizard_common.h"

namespace vesdra {

// Step 4 of the template wizard (saving) without its form.

// The template file of a name typed in the folder shown: the folder, a
// separator unless it ends in one, the name as typed (blanks and case
// kept) and ".cnf".
[[nodiscard]] QString RutaPlantillaNueva(const QString& carpeta, const QString& nombre);

// Whether a template can be saved under `nombre`: not when it holds a
// character a file name cannot (\ / : * ? " < > |, control characters) or
// begins with a dot (a hidden file the template dialog would not list).
// Blanks and letters of any language are names.
[[nodiscard]] bool NombrePlantillaValido(const QString& nombre);

// The name a click on a file of the list puts in the name box: the file's
// name less its extension (the whole name when it has none).
[[nodiscard]] QString NombreSinExtension(const QString& fichero);

// Writes the loaded template (identifier, analog rows, three-phase sets,
// the digital editing tables) as the template `nombre` in `carpeta`:
// text 243 (plain box) when the name is empty; a name NombrePlantillaValido
// refuses gets kTextoNombrePlantillaNoValido. When a template of that name
// is there already (case ignored, as the folder's own file system may),
// `sustituir` asks text 138; Cancel stays with nothing written, OK writes
// over that very file. Texts the file cannot hold are refused (176, 177,
// 124, 200) with nothing written. The file is written whole or not at all, so a
// failure leaves any earlier template as it was. Sale when written; a
// failure to write comes back as Error for the error box.
[[nodiscard]] SalidaPaso GuardarPlantillaNueva(const QString& carpeta, const QString& nombre,
                                               const std::function<bool()>& sustituir);

} // namespace vesdra
