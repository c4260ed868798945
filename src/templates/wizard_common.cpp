#include "templates/wizard_common.h"

#include "templates/template_file.h"

namespace vesdra {

QString AvisoPaso::Componer(const std::function<QString(int)>& textos) const
{
    QString s;
    if (Previo != 0)
        s = textos(Previo) + QStringLiteral(" : ");
    s += textos(Texto) + Cola;
    if (Despues != 0)
        s += textos(Despues);
    return s;
}

std::vector<AvisoPaso> AvisosTextoPlantilla(QStringView texto)
{
    std::vector<AvisoPaso> avisos;
    for (const int t : TextosNoGuardables(texto)) {
        if (t == kTextoCaracterNoGuardable)
            avisos.push_back({t, vbCritical, CaracterNoGuardable(texto)});
        else
            avisos.push_back({t});
    }
    return avisos;
}

QString QuitarBlancos(const QString& texto)
{
    qsizetype a = 0;
    qsizetype b = texto.size();
    while (a < b && texto.at(a) == QLatin1Char(' '))
        ++a;
    while (b > a && texto.at(b - 1) == QLatin1Char(' '))
        --b;
    return texto.mid(a, b - a);
}

SelectorCasillas::SelectorCasillas(std::int32_t casillas)
    : casillas_(static_cast<std::size_t>(casillas)),
      marcadores_(static_cast<std::size_t>(casillas), kMarcadorLibre)
{
    if (!marcadores_.empty())
        marcadores_.front() = kMarcadorActual;
}

void SelectorCasillas::Seleccionar(std::int32_t i)
{
    if (i < 1 || i > Numero())
        return;
    marcadores_.at(Indice(actual_)) = kMarcadorLibre;
    actual_ = i;
    marcadores_.at(Indice(actual_)) = kMarcadorActual;
}

void SelectorCasillas::Vaciar(std::int32_t i)
{
    if (i < 1 || i > Numero())
        return;
    casillas_.at(Indice(i)) = {};
    Seleccionar(i);
}

bool SelectorCasillas::Colocar(const QString& nombre, const QString& numero, Repetidos regla)
{
    const std::int32_t hasta = regla == Repetidos::NombreHastaActual ? actual_ : actual_ - 1;
    for (std::int32_t j = 1; j <= hasta; ++j) {
        const Casilla& c = (*this)(j);
        if (c.Nombre == nombre && (regla == Repetidos::NombreHastaActual || c.Numero == numero))
            return false;
    }
    (*this)(actual_) = {nombre, numero};
    if (actual_ < Numero())
        Seleccionar(actual_ + 1);
    return true;
}

} // namespace vesdra
