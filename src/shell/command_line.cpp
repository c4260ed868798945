#include "shell/command_line.h"

namespace vesdra {

LineaComandos PartirLineaComandos(const QString& linea)
{
    const QString t = linea.trimmed();
    const qsizetype blanco = t.indexOf(QLatin1Char(' '));
    if (blanco < 0)
        return {t, {}};
    return {t.left(blanco).trimmed(), t.mid(blanco + 1).trimmed()};
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
