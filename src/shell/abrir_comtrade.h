#pragma once
#include <QString>

namespace vesdra
{

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
    RevisionRechazada, // the .cfg's revision is refused; the open record stays as it was
    CfgNoValido,       // the .cfg cannot be read or its counts are wrong; the open record stays
    TipoErroneo,       // file type neither ASCII nor BINARY (text 277); no record open
    DatNoValido,       // the data file cannot be read; no record open
};

struct ResultadoApertura {
    Apertura Estado{Apertura::Abierto};
    QString TipoFichero; // trimmed and upper-cased, once the .cfg was read

    [[nodiscard]] bool Abierto() const { return Estado == Apertura::Abierto; }
};

// Opens the record of `rutas`, showing the opening gauge and every message
// itself. The .cfg is read first; a .cfg that is refused (revision, counts,
// unreadable) leaves the open record, its template and its paths exactly as
// they were. Once a .cfg is accepted the old record is gone: the applied
// template and the view selections are reset as the close command does,
// then the data file is read. Only when it was read is the record marked
// open (IniciarValores), ficher.ini rewritten and the main window told
// (caption, status path); otherwise the record model is left empty.
[[nodiscard]] ResultadoApertura AbrirRegistro(const RutasRegistro& rutas);

// The same on the paths already in Registro() (RutaDat, RutaCfg, RutaHdr).
[[nodiscard]] ResultadoApertura AbrirComtrade();

} // namespace vesdra
