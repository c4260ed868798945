#pragma once
#include <QString>
#include <QStringView>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "platform/base/vb_error.h"

namespace vesdra {

// The .cnf channel template file. Windows-1252 text, one item per line:
//   ver 1.1
//   <identifier>
//   ANALOGICOS / " n " / n lines  channel%name%second name%units$
//   TRIFASICOS / " m " / m lines  phase1%phase2%phase3%name%factor$
//   DIGITALES / "T" / " G " / per group: *** / name / " k " / k lines  number%name$
//   -----
// Each section is optional; those present stand in this order. Counts are
// written " 3 " (a blank for the sign, the digits, a blank), the digital
// total as bare digits; both read alike.

// What a text stored in a template would break, as language texts in this
// order: 176 for a "%" and 177 for a "$" (the field separators of its
// lines), 124 for a CR or LF (the end of a line), 200 for a character the
// file's Windows-1252 cannot hold (it would read back as "?"). None when the
// file holds the text as it is. Every check of a text bound for a template
// uses this.
[[nodiscard]] std::vector<int> TextosNoGuardables(QStringView texto);
inline constexpr int kTextoCaracterNoGuardable = 200;
// The first character of `texto` that Windows-1252 cannot hold, followed by
// its code ("Ω (U+03A9)"), so that an invisible one is named too; "" when
// every character can be stored.
[[nodiscard]] QString CaracterNoGuardable(QStringView texto);

// What became of reading a template.
enum class LecturaPlantilla {
    Leida,          // read whole; PlantillaNoEncaja False
    NoEncaja,       // does not fit the open record (text 253); reading stopped, PlantillaNoEncaja True
    VersionAntigua, // first line "ver 1.0": the older layout, refused (text 172)
    Danada,         // a line the writer never writes (Linea); nothing was touched (text 201)
    Error,          // the file could not be read (error box); nothing was touched
};

struct ResultadoPlantilla {
    LecturaPlantilla Estado{LecturaPlantilla::Leida};
    std::optional<VbError> Error; // set when Estado is Error
    std::int32_t Linea{0};        // Danada: the line at fault, 1-based

    // The language text the caller shows (vbCritical), 0 for none.
    [[nodiscard]] int Texto() const
    {
        return Estado == LecturaPlantilla::NoEncaja         ? 253
               : Estado == LecturaPlantilla::VersionAntigua ? 172
               : Estado == LecturaPlantilla::Danada         ? 201
                                                            : 0;
    }
    // The whole message, with `textos` giving the language table's texts: a
    // damaged file names itself (`ruta`) and its line (text 201, the path,
    // text 202, the line number). "" for none.
    [[nodiscard]] QString Mensaje(const std::function<QString(int)>& textos, const QString& ruta) const;
};

// Reads the file named by RutaPlantilla into the loaded-template tables and
// counts. Lines end at CR LF or at a lone LF. Sections absent from the file
// get the count 0 and keep their tables. A field whose separator is missing
// is left empty (names only). While ComprobarEncajeActivo(), the template
// is checked against the open record as it is read: more analog rows than
// the record's analog channels (before any row is read), or an analog row,
// a three-phase channel or a digital member naming a channel the record
// lacks, ends the read as a misfit with what was read so far left in the
// tables. A file the writer could not have written is Danada, naming the
// first such line: no line at all, or none after the identifier; where a
// section heading stands, a line that is neither a heading still to come in
// the order ANALOGICOS, TRIFASICOS, DIGITALES (exactly so written) nor the
// end line "-----" (a misspelt or misplaced heading would read as a
// template without its sections); where a group's "***" or, after the last
// group, the end line stands, another line; a count (analog rows, sets, the
// digital total, groups, a group's members) that is no whole number, is
// negative or announces more lines than the file holds; a channel number (of
// an analog row, a phase, a member) that is no whole number. The file may end
// after a whole section without its end line; what follows the end line is
// not read. A damaged or unreadable file leaves every table, count, text and
// flag as it was.
[[nodiscard]] ResultadoPlantilla LeerPlantilla();

// Line 1 of the file named by RutaPlantilla, also stored in
// VersionPlantillaActiva. Throws VbError when the file cannot be opened or
// has no line (callers report it with the error box).
[[nodiscard]] QString LeerVersionPlantilla();

// What became of writing a template.
enum class EscrituraPlantilla {
    Escrita,
    Rechazada, // a text holds "%" (text 176), "$" (text 177) or a line break (Error); nothing written
    Error,     // the file could not be written, or the tables do not hold what the counts say
};

struct ResultadoEscritura {
    EscrituraPlantilla Estado{EscrituraPlantilla::Escrita};
    int Texto{0};                 // the language text of a refusal, 0 for none
    QString TextoRechazado;       // the text refused
    std::optional<VbError> Error; // for the error box
};

// Writes the loaded template (IdentificadorPlantilla, AnalogicosPlantilla,
// TrifasicosPlantilla, the digital editing tables GruposEdicion and
// CanalesEdicion, and the four counts) to path, replacing any file there.
// Every text is checked before anything is written, so a saved template
// always reads back as written; the file goes to a temporary name and is
// renamed once complete, so a failure leaves no half-written file and any
// earlier file of that name untouched. Changes no table, flag or path.
[[nodiscard]] ResultadoEscritura EscribirPlantilla(const QString& path);

} // namespace vesdra
