#include "shell/command_line.h"

#include <QFileInfo>

namespace vesdra {

LineaComandos PartirLineaComandos(const QString& linea)
{
    const QString t = linea.trimmed();
    const qsizetype primero = t.indexOf(QLatin1Char(' '));
    if (primero < 0 || QFileInfo(t).isFile())
        return {t, {}};
    const auto partir = [&t](qsizetype blanco) {
        return LineaComandos{t.left(blanco).trimmed(), t.mid(blanco + 1).trimmed()};
    };
    for (qsizetype b = primero; b >= 0; b = t.indexOf(QLatin1Char(' '), b + 1))
        if (QFileInfo(t.left(b).trimmed()).isFile())
            return partir(b);
    return partir(primero);
}

LineaComandos LeerArgumentos(const QStringList& argumentos)
{
    if (argumentos.size() == 2)
        return {argumentos.at(0).trimmed(), argumentos.at(1).trimmed()};
    return PartirLineaComandos(UnirArgumentos(argumentos));
}

QString UnirArgumentos(const QStringList& argumentos)
{
    return argumentos.join(QLatin1Char(' ')).trimmed();
}

bool EsNombrePlantilla(const QString& ruta)
{
    const QString fin = ruta.right(3);
    return fin == QLatin1String("CNF") || fin == QLatin1String("cnf");
}

} // namespace vesdra
