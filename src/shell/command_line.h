#pragma once
#include <QString>
#include <QStringList>

namespace vesdra {

// The program's command line: a data file, optionally one blank and a
// template, each part trimmed. A line that names an existing file whole is
// the data file alone (a path with blanks); otherwise it is split at the
// first blank whose left part is an existing file, and failing that at its
// first blank. A line without a blank is the data file alone.
struct LineaComandos {
    QString Datos;     // "" when the line is empty
    QString Plantilla; // "" when there is no second part
};

[[nodiscard]] LineaComandos PartirLineaComandos(const QString& linea);

// The program's arguments (argv without the program name): two arguments are
// the data file and the template as given (the desktop hands paths with
// blanks that way); one, or more than two, are joined with blanks and split
// as one line ("rec.dat plan.cnf" in one argument).
[[nodiscard]] LineaComandos LeerArgumentos(const QStringList& argumentos);

// The arguments joined with blanks, trimmed.
[[nodiscard]] QString UnirArgumentos(const QStringList& argumentos);

// A template is known by its name: it ends in exactly "CNF" or "cnf"
// (relay.Cnf is refused).
[[nodiscard]] bool EsNombrePlantilla(const QString& ruta);

} // namespace vesdra
