#pragma once
#include <QString>
#include <QStringList>

namespace vesdra {

// The program's command line: a data file, optionally one blank and a
// template. The line is split at its first blank and each part trimmed; a
// line without a blank is the data file alone. A path holding a blank
// cannot be given (the template would start at that blank).
struct LineaComandos {
    QString Datos;     // "" when the line is empty
    QString Plantilla; // "" when there is no second part
};

[[nodiscard]] LineaComandos PartirLineaComandos(const QString& linea);

// The one command line of the program from its arguments (argv without the
// program name): they are joined with blanks, so "rec.dat plan.cnf" given
// as one argument or as two reads alike. The result is trimmed.
[[nodiscard]] QString UnirArgumentos(const QStringList& argumentos);

// A template is known by its name: it ends in exactly "CNF" or "cnf"
// (relay.Cnf is refused).
[[nodiscard]] bool EsNombrePlantilla(const QString& ruta);

} // namespace vesdra
