#pragma once
#include <QString>

namespace vesdra {

// The program's folders, found by folder levels from the executable's folder:
//   <root>/<program>/EXE      the executable (ExeFolder)
//   <root>/<program>/ini      language files, tools.ini, ficher.ini (CarpetaIni)
//   <root>/<program>/Iconos   onda.avi, gris.bmp
//   <root>/Models             relay-model databases
// Paths are returned without a trailing separator.
QString ExeFolder();
QString IniFolder();
QString IconosFolder();
QString ModelsFolder();

// Tests (and the environment variable VESDRA_EXE_DIR) may point the program
// at another executable folder; an empty text removes the override.
void SetExeFolderOverride(const QString& folder);
// The override set, empty when there is none.
[[nodiscard]] QString ExeFolderOverride();

} // namespace vesdra
