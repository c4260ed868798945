#pragma once
#include <QString>
#include <array>
#include <cstdint>

namespace vesdra {

// Texts of the language table; text N is line N of the language file.
inline constexpr int NumTextosIdioma = 288;

// Languages the Idioma menu offers.
inline constexpr std::int32_t IdiomaIngles = 0;
inline constexpr std::int32_t IdiomaEspanol = 1;

// Process-wide state of the application shell: one instance, reached through
// Shell(). Fields are added here by whoever owns the shell feature that needs
// them; keep each group commented with who writes it.
struct ShellState {
    // Language table, 1-based: element 0 is never used. Read it through
    // TextosIdioma(n) (language.h), which is safe for any n.
    std::array<QString, NumTextosIdioma + 1> TextosIdioma{};
    // 1 Spanish, 0 English. Any other value read from ficher.ini or tools.ini
    // is kept as read and means English when the file is chosen.
    std::int32_t Idioma{IdiomaEspanol};
    // Full path of the language file the table was last loaded from.
    QString FicheroIdioma{};
    // Folder of the language files, tools.ini and ficher.ini; no trailing separator.
    QString CarpetaIni{};

    // Default folders from tools.ini lines 2..4 (LeerTools, RecargarTools),
    // absolute: records, templates, external tools' programs.
    QString DirOscilos{};
    QString DirPlantillas{};
    QString DirAplicaciones{};

    // Abort flag of printing: set by the cancel window (its button and any
    // unloading of it), so it is True after every print; each print loop
    // clears it before its first item and reads it after one yield per item.
    bool CancelarImpresion{false};

    // The converter program's path as last read from WIN.INI (section
    // "Brunakor", key "path") by the converter command.
    QString RutaConversor{};

    // The tools dialog's mode: true while it adds a tool, false while it
    // deletes one. Set by the two menu commands that open it.
    bool ModoAnadirTool{false};
};

ShellState& Shell();

} // namespace vesdra
