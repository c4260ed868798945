#pragma once
#include <QString>

namespace vesdra {

// The three files of a record. Cfg and Hdr are "" when no such file lies
// beside the data file.
struct RutasRegistro {
    QString Dat;
    QString Cfg;
    QString Hdr;
};

// The .cfg and .hdr beside a data file: its name with the extension after the
// last "." replaced (rec.1.dat gives rec.1.cfg; a name without "." gets one).
// A sibling whose name differs only in letter case (REC.CFG beside rec.dat)
// is found too.
[[nodiscard]] RutasRegistro DerivarRutas(const QString& rutaDat);

enum class Apertura {
    Abierto,           // the data file was read: the record is open
    Cancelada,         // the file dialog was cancelled; nothing changed
    SinTitulo,         // the dialog gave no file name; nothing changed
    SinDatos,          // no data file given (text 174); nothing changed
    SinCfg,            // no .cfg beside the data file (text 173); nothing changed
    RevisionRechazada, // the .cfg's revision is refused; nothing changed
    CfgNoValido,       // the .cfg cannot be read, its lines end in CR alone, or its counts or
                       // end samples are wrong; nothing changed
    TipoErroneo,       // file type neither ASCII nor BINARY (text 277); nothing changed
    DatNoValido,       // the data file cannot be read, is empty or holds no whole analog sample;
                       // nothing changed
    NoEsRegistro,      // the file chosen is neither a .dat nor a .cfg (text 208); nothing changed
    CfgSinDatos,       // a .cfg chosen with no .dat beside it (text 209); nothing changed
};

struct ResultadoApertura {
    Apertura Estado{Apertura::Abierto};
    QString TipoFichero; // trimmed and upper-cased, once the .cfg was read

    [[nodiscard]] bool Abierto() const { return Estado == Apertura::Abierto; }
};

// Opens the record of `rutas`, showing the opening gauge and every message
// itself. Whatever the outcome, the conversion windows left for the record
// open before are unloaded first. The record is read aside, .cfg then .dat, and takes the open
// record's place only once it was read whole: a refusal (revision, counts,
// file type, an unreadable data file, no analog sample) leaves the open
// record, its template, its view selections, its paths and ficher.ini
// exactly as they were. Once read, the old record's template and view
// selections are reset as the close command does, the new record is marked
// open (IniciarValores), ficher.ini is rewritten and the main window told
// (caption, status path). One information box then tells of a data file
// shorter than announced (its samples are shown), of sample lines that are
// incomplete or cannot be read (how many, the first one's line, and what is
// shown for them), of several sampling rates and of a line frequency that is
// not valid.
[[nodiscard]] ResultadoApertura AbrirRegistro(const RutasRegistro& rutas);

// A file chosen to open a record by: a data file (.dat in any case) opens
// its record, a .cfg the record of the .dat beside it (found whatever its
// case; none: text 209); any other name is refused (text 208). A refusal
// leaves the open record as it was.
[[nodiscard]] ResultadoApertura AbrirFicheroElegido(const QString& ruta);
// Whether a file name ends in ".cfg", in any case.
[[nodiscard]] bool EsFicheroCfg(const QString& ruta);

// The same on the paths already in Registro() (RutaDat, RutaCfg, RutaHdr).
[[nodiscard]] ResultadoApertura AbrirComtrade();

} // namespace vesdra
