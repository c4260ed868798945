#include "views/digital/digital_zoom.h"

#include <algorithm>

#include "views/digital/digital_geometry.h"

namespace vesdra::digital {

void HistorialDigital::Reiniciar(const NivelDigital& completo)
{
    filas_[0] = completo;
    nivel_ = 0;
    niveles_ = 1;
    pendiente_ = true;
}

PasoZoom HistorialDigital::Zoom(std::int32_t cursor1, std::int32_t cursor2, double anchoPicture)
{
    pendiente_ = true;
    // Refused before anything is drawn: the view stays as it is.
    if (Lleno())
        return {.Texto = TextoHistorialLleno};
    if (cursor1 == cursor2)
        return {.Texto = TextoCursoresJuntos};
    NivelDigital n;
    n.Primera = std::min(cursor1, cursor2);
    n.Ultima = std::max(cursor1, cursor2);
    n.Origen = n.Primera;
    n.Ancho = anchoPicture - MargenDerecho;
    // The stretch's last sample lands on the right end of the axis lines.
    n.EscalaX = (anchoPicture - MargenDerecho - XEje) /
                static_cast<double>(static_cast<std::int64_t>(n.Ultima) - n.Primera);
    filas_[static_cast<std::size_t>(niveles_)] = n;
    nivel_ = niveles_;
    ++niveles_;
    pendiente_ = false;
    return {.Nivel = n};
}

PasoZoom HistorialDigital::Atras()
{
    if (nivel_ <= 0)
        return {.Texto = TextoSinAnterior};
    pendiente_ = false;
    --nivel_;
    return {.Nivel = Actual()};
}

PasoZoom HistorialDigital::Adelante()
{
    if (nivel_ >= niveles_ - 1)
        return {.Texto = TextoSinPosterior};
    pendiente_ = false;
    ++nivel_;
    return {.Nivel = Actual()};
}

} // namespace vesdra::digital
