#pragma once
#include <QString>
#include <QStringView>
#include <optional>
#include <vector>

#include "platform/base/vb_error.h"

namespace vesdra
{

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
// lines), 124 for a CR or LF (the end of a line). None when the file holds
// the text as it is. Every check of a text bound for a template uses this.
[[nodiscard]] std::vector<int> TextosNoGuardables(QStringView texto);

// What became of reading a template.
enum class LecturaPlantilla {
    Leida,          // read whole; PlantillaNoEncaja False
    NoEncaja,       // does not fit the open record (text 253); reading stopped, PlantillaNoEncaja True
    VersionAntigua, // first line "ver 1.0": the older layout, refused (text 172)
    Error,          // the file could not be read (error box); no table or count was touched
};

struct ResultadoPlantilla {
    LecturaPlantilla Estado{LecturaPlantilla::Leida};
    std::optional<VbError> Error; // set when Estado is Error

    // The language text the caller shows (vbCritical), 0 for none.
    [[nodiscard]] int Texto() const
    {
        return Estado == LecturaPlantilla::NoEncaja         ? 253
               : Estado == LecturaPlantilla::VersionAntigua ? 172
                                                            : 0;
    }
};

// Reads the file named by RutaPlantilla into the loaded-template tables and
// counts. Lines end at CR LF or at a lone LF. Sections absent from the file
// get the count 0 and keep their tables. A malformed line never stops the
// read: a field whose separator is missing is left empty. While
// ComprobarEncajeActivo(), the template is checked against the open record
// as it is read: more analog rows than the record's analog channels (before
// any row is read), or an analog row, a three-phase channel or a digital
// member naming a channel the record lacks, ends the read as a misfit with
// what was read so far left in the tables. An empty or unreadable file is
// an Error and leaves every table, count and text as it was.
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
