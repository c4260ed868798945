#include "views/digital/digital_zoom.h"

#include <algorithm>

#include "views/digital/digital_geometry.h"

namespace vesdra::digital {

void HistorialDigital::Reiniciar(const NivelDigital& completo)
{
    niveles_.Reset(completo);
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
    niveles_.Append(n);
    pendiente_ = false;
    return {.Nivel = n};
}

PasoZoom HistorialDigital::Atras()
{
    if (!niveles_.Back())
        return {.Texto = TextoSinAnterior};
    pendiente_ = false;
    return {.Nivel = Actual()};
}

PasoZoom HistorialDigital::Adelante()
{
    if (!niveles_.Forward())
        return {.Texto = TextoSinPosterior};
    pendiente_ = false;
    return {.Nivel = Actual()};
}

} // namespace vesdra::digital
