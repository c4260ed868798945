#include "platform/base/box_font_size.h"

#include <algorithm>

namespace vesdra {

int PixelesPorAlto(double altoCaja, const MedidorTexto& medir, MargenesCaja m, int minimo, int maximo)
{
    const double libre = altoCaja - m.Vertical;
    for (int px = maximo; px > minimo; --px) {
        if (medir.Alto(px) <= libre)
            return px;
    }
    return minimo;
}

double AnchoNecesario(const QStringList& textos, int px, const MedidorTexto& medir, MargenesCaja m)
{
    double ancho = 0.0;
    for (const QString& t : textos)
        ancho = std::max(ancho, medir.Ancho(px, t));
    return ancho + m.Horizontal;
}

bool CabenEnCaja(double anchoCaja, const QStringList& textos, int px, const MedidorTexto& medir,
                 MargenesCaja m)
{
    return AnchoNecesario(textos, px, medir, m) <= anchoCaja;
}

int PixelesCaja(double anchoCaja, double altoCaja, const QStringList& textos, const MedidorTexto& medir,
                MargenesCaja m, int minimo, int maximo)
{
    for (int px = PixelesPorAlto(altoCaja, medir, m, minimo, maximo); px > minimo; --px) {
        if (CabenEnCaja(anchoCaja, textos, px, medir, m))
            return px;
    }
    return minimo;
}

} // namespace vesdra
