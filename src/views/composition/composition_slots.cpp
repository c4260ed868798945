#include "views/composition/composition_slots.h"

namespace vesdra::composicion {

namespace {
// Design layout of the controls the close-up reads (Left, Top, Width, Height).
constexpr double kFrame1Top = 600, kFrame1Height = 2535, kFrame1Width = 2295;
constexpr double kFrame2Left = 5040, kFrame2Width = 2415;
constexpr double kFrame3Width = 2415;
constexpr double kFrame4Left = 120, kFrame4Width = 2415;
constexpr double kFrame5Width = 1695;
constexpr double kBotonWidth = 1695, kBotonHeight = 495;
} // namespace

CasillasComposicion::CasillasComposicion()
{
    Marcadores.fill(MarcadorDiseno);
    Marcadores[1] = MarcadorSeleccionado;
}

bool CasillasComposicion::Seleccionar(std::int32_t index)
{
    if (index < 1 || index > NumCasillas)
        return false;
    Marcadores[static_cast<std::size_t>(CasillaActual)] = MarcadorLibre;
    CasillaActual = index;
    Marcadores[static_cast<std::size_t>(CasillaActual)] = MarcadorSeleccionado;
    return true;
}

void CasillasComposicion::Vaciar(std::int32_t index)
{
    if (index < 1 || index > NumCasillas)
        return;
    Casillas[static_cast<std::size_t>(index)] = Casilla{};
    Seleccionar(index);
}

ResultadoColocar CasillasComposicion::Colocar(std::int32_t listIndex, const QString& texto)
{
    // Without a selected line there is no channel: storing "0" would only
    // make the build fail later.
    if (listIndex < 0)
        return ResultadoColocar::SinLinea;
    CanalElegido = texto;
    const std::int32_t s = CasillaActual;
    for (std::int32_t i = PrimeraCasilla(s); i < s; ++i) {
        if (Casillas[static_cast<std::size_t>(i)].Nombre == CanalElegido)
            return ResultadoColocar::Duplicado;
    }
    Casillas[static_cast<std::size_t>(s)] = Casilla{CanalElegido, QString::number(listIndex + 1)};
    if (s < NumCasillas)
        Seleccionar(s + 1);
    return ResultadoColocar::Colocado;
}

std::vector<std::int32_t> AvisosNombre(const QString& nombre)
{
    std::vector<std::int32_t> textos;
    if (nombre.contains(QLatin1Char('%')))
        textos.push_back(176);
    if (nombre.contains(QLatin1Char('$')))
        textos.push_back(177);
    return textos;
}

DisposicionDialogo CalcularDisposicionDialogo(bool es1997)
{
    DisposicionDialogo d;
    if (es1997) {
        d.MuestraReferencia = true;
        return d;
    }
    d.AnchoInterior -= kFrame5Width;
    d.OkTop = kFrame1Top + kFrame1Height + kBotonHeight / 3;
    d.CancelTop = d.OkTop;
    d.OkLeft = kFrame4Left + (kFrame4Width + kFrame1Width - kBotonWidth) / 1.5;
    d.CancelLeft = kFrame2Left + (kFrame2Width + kFrame3Width - kBotonWidth) / 2;
    return d;
}

} // namespace vesdra::composicion
