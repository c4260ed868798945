#include "analysis/sequence.h"

#include <new>

#include "platform/base/vb_error.h"
#include "record/canales.h"

namespace vesdra {

Componentes ComponentesSimetricas(float xA, float yA, float xB, float yB, float xC, float yC)
{
    const double xa = xA, ya = yA, xb = xB, yb = yB, xc = xC, yc = yC;
    Componentes k;
    k.X1r = static_cast<float>((xa - 0.5 * (xb + xc) - 0.866 * (yb - yc)) / 3.0);
    k.X1i = static_cast<float>((ya - 0.5 * (yb + yc) + 0.866 * (xb - xc)) / 3.0);
    k.X2r = static_cast<float>((xa - 0.5 * (xb + xc) + 0.866 * (yb - yc)) / 3.0);
    k.X2i = static_cast<float>((ya - 0.5 * (yb + yc) - 0.866 * (xb - xc)) / 3.0);
    k.X0r = static_cast<float>((xa + xb + xc) / 3.0);
    k.X0i = static_cast<float>((ya + yb + yc) / 3.0);
    return k;
}

TablaReal CalcularComponentesSecuencia(const TablaReal& fasores, std::span<const TrioCanales> sets)
{
    const std::int32_t canales = fasores.Cols() / 2;
    for (const TrioCanales& s : sets) {
        for (const std::int32_t c : {s.A, s.B, s.C}) {
            if (!ColumnaDeCanal(c, canales))
                throw VbError(vberr::SubscriptOutOfRange);
        }
    }
    TablaReal tabla;
    try {
        tabla = TablaReal(fasores.Rows(), static_cast<std::int32_t>(6 * sets.size()));
    } catch (const std::bad_alloc&) {
        throw VbError(vberr::OutOfMemory);
    }
    std::int32_t j0 = 1;
    for (const TrioCanales& s : sets) {
        const float* xa = fasores.Column(2 * s.A - 1).data();
        const float* ya = fasores.Column(2 * s.A).data();
        const float* xb = fasores.Column(2 * s.B - 1).data();
        const float* yb = fasores.Column(2 * s.B).data();
        const float* xc = fasores.Column(2 * s.C - 1).data();
        const float* yc = fasores.Column(2 * s.C).data();
        float* col[6];
        for (int j = 0; j < 6; ++j)
            col[j] = tabla.Column(j0 + j).data();
        for (std::int32_t i = 0; i < fasores.Rows(); ++i) {
            const Componentes k = ComponentesSimetricas(xa[i], ya[i], xb[i], yb[i], xc[i], yc[i]);
            col[0][i] = k.X1r;
            col[1][i] = k.X1i;
            col[2][i] = k.X2r;
            col[3][i] = k.X2i;
            col[4][i] = k.X0r;
            col[5][i] = k.X0i;
        }
        j0 += 6;
    }
    return tabla;
}

} // namespace vesdra
