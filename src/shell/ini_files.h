#pragma once
#include <QString>
#include <QStringList>
#include <QStringView>
#include <cstdint>
#include <vector>

namespace vesdra {

// The two settings files of the ini folder (Shell().CarpetaIni). Both are
// Windows-1252 text, one item per line, CR LF written, CR LF or LF read; a
// path in them (folders, tool programs, the record's files) is the file
// system's own bytes, so an external tool opens the same file.
//
// tools.ini
//   1        language number (write form: bare digits)
//   2..4     folders of records, templates, tool programs (print form)
//   5        N, the number of tools (write form)
//   6..5+N   one tool each, "name=path" in double quotes (write form)
// ficher.ini (print form throughout), for the external tools
//   1        language number
//   2        count of path lines, 4 when the program writes it
//   3..6     RutaDat, RutaHdr, RutaCfg of the open record, the applied
//            template ("" when there is none)
//
// Every writer goes through a temporary file renamed over the target, so an
// interrupted write never leaves an empty or half-written settings file; in
// an ini folder that is not writable the files are rewritten in place.

inline constexpr std::int32_t NumRutasFicher = 4;

// Full paths of the two files in the ini folder; a file of that name in
// another letter case is found too (folders copied from Windows).
[[nodiscard]] QString RutaTools();
[[nodiscard]] QString RutaFicher();

// One tool of tools.ini.
struct Herramienta {
    QString Nombre;
    QString Ruta;
    bool ConIgual{true}; // false: the line holds no "=" to cut it at
};

// A tool line cut by position: k is the first "=" searched from the second
// character; the name is characters 2..k-1, the path k+1 up to the
// next-to-last character (the quotes are never part of either). A second "="
// belongs to the path. A line without "=" gives an empty path.
[[nodiscard]] Herramienta PartirHerramienta(QStringView linea);
// The same cut on a line as tools.ini holds it: the name is Windows-1252
// text, the path the file system's own bytes.
[[nodiscard]] Herramienta PartirLineaHerramienta(const QByteArray& linea);
// The text written inside the quotes: name "=" path.
[[nodiscard]] QString UnirHerramienta(const Herramienta& h);

struct ContenidoTools {
    std::int32_t Idioma{1};
    // The folders as the file holds them (a relative folder is kept relative;
    // CarpetaPrograma() resolves it when the globals are set).
    QString DirOscilos;
    QString DirPlantillas;
    QString DirAplicaciones;
    std::vector<Herramienta> Herramientas;
};

// Reads tools.ini whole. Throws VbError: 53 missing file, 62 a line missing,
// 13 a language or count line that is no number.
[[nodiscard]] ContenidoTools LeerFicheroTools();
// Rewrites tools.ini from c; throws VbError when it cannot be written (the
// old file is then left as it was).
void EscribirFicheroTools(const ContenidoTools& c);

// The three folders of c taken into Shell() as the program uses them
// (CarpetaPrograma of each); Idioma is left alone.
void PonerCarpetasTools(const ContenidoTools& c);

// A folder line of tools.ini as the program uses it: an absolute folder as it
// stands, a relative one (the files shipped with the program) taken from the
// program's own folder, the one holding EXE, ini and Iconos.
[[nodiscard]] QString CarpetaPrograma(const QString& carpeta);

// Reads tools.ini: Idioma from line 1, DirOscilos, DirPlantillas and
// DirAplicaciones from lines 2..4; returns N, the number of tools. Throws
// VbError (the caller's handler shows the error box).
[[nodiscard]] std::int32_t LeerTools();
// Only the three folders of tools.ini; Idioma is left alone. On failure shows
// the error box and returns false.
bool RecargarTools();
// Whether the Análisis menu is to be visible: LeerTools() is not 0. Throws
// as LeerTools; the menu form sets the menu's visibility from the answer.
[[nodiscard]] bool HabilitarTools();
// The tools of tools.ini, in file order (the Análisis menu, the tools dialog).
// Throws as LeerFicheroTools.
[[nodiscard]] std::vector<Herramienta> LeerHerramientas();

struct ContenidoFicher {
    std::int32_t Idioma{1};
    QStringList Rutas; // the counted lines; the count is Rutas.size()
};

// Reads ficher.ini: line 1, the count N and N lines. Throws VbError: 53
// missing, 62 fewer lines than counted, 13 a number line that is no number.
[[nodiscard]] ContenidoFicher LeerFicheroFicher();
// Rewrites ficher.ini from c; throws VbError when it cannot be written.
void EscribirFicheroFicher(const ContenidoFicher& c);

// Writes ficher.ini afresh for the external tools: Idioma, 4, then the open
// record's RutaDat, RutaHdr and RutaCfg and the applied template's path,
// each "" when no record is open or no template applied (a template only
// chosen, refused as a misfit or opened in the wizard is never named).
// When the file cannot be written the error box names it, so the user knows
// the tools would read a stale file; returns whether it was written.
bool EscribirFicher();

// The menu form's load: reads ficher.ini, takes its line 1 into Idioma and
// rewrites the file with the lines it counts (extra lines are dropped). A
// missing, short or unreadable ficher.ini is rebuilt with the Idioma in force
// and the current paths, so the language table can still be loaded.
// Returns false when the file had to be rebuilt (or could not be written).
bool RenovarFicher();

// Idioma from ficher.ini's line 1, the file left untouched; false (Idioma
// unchanged) when it cannot be read. For a start whose load stopped before
// the language was read, so that the files written later keep the language.
bool TomarIdiomaFicher();

// The language switch's persistence: line 1 of ficher.ini and of tools.ini
// becomes lang, every other line is written back as read. A missing or short
// ficher.ini is rebuilt from the current paths. Throws VbError when tools.ini
// cannot be read or either file cannot be rewritten; a bad tools.ini leaves
// both files as they were.
void GuardarIdioma(std::int32_t lang);
// Installs GuardarIdioma as the language switch's hook (start-up, once).
void InstalarGuardarIdioma();

} // namespace vesdra
