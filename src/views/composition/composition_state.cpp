#include "views/composition/composition_state.h"

#include <QString>
#include <algorithm>

#include "platform/base/vb_error.h"
#include "record/helpers.h"
#include "record/record_model.h"

namespace vesdra {

ComposicionState& Composiciones()
{
    static ComposicionState state;
    return state;
}

namespace composicion {

std::vector<std::int32_t> FilasElegidas(const Matrix<std::uint8_t>& seleccion, std::int32_t n)
{
    std::vector<std::int32_t> filas;
    if (n < 1 || n > seleccion.Rows())
        return filas;
    // The last column is the in-use flag, not a channel.
    for (std::int32_t c = 1; c < seleccion.Cols(); ++c) {
        if (seleccion(n, c) == 1)
            filas.push_back(c);
    }
    return filas;
}

Matrix<std::uint8_t> SeleccionDesdeCasillas(const std::array<QString, 19>& numeros,
                                            std::int32_t numAnalogicos)
{
    Matrix<std::uint8_t> seleccion(3, numAnalogicos + 1, 0);
    for (std::int32_t k = 1; k <= 18; ++k) {
        const QString texto = numeros[static_cast<std::size_t>(k)].trimmed();
        if (texto.isEmpty())
            continue;
        bool ok = false;
        const int c = texto.toInt(&ok);
        if (!ok)
            throw VbError(vberr::TypeMismatch);
        if (c < 1 || c > numAnalogicos)
            throw VbError(vberr::SubscriptOutOfRange);
        seleccion((k - 1) / 6 + 1, c) = 1;
    }
    for (std::int32_t n = 1; n <= 3; ++n) {
        if (!FilasElegidas(seleccion, n).empty())
            seleccion(n, numAnalogicos + 1) = 1;
    }
    return seleccion;
}

bool EnUso(const Matrix<std::uint8_t>& seleccion, std::int32_t n)
{
    return n >= 1 && n <= seleccion.Rows() && seleccion.Cols() >= 1 && seleccion(n, seleccion.Cols()) == 1;
}

std::int32_t ComposicionesEnUso(const Matrix<std::uint8_t>& seleccion)
{
    std::int32_t count = 0;
    for (std::int32_t n = 1; n <= 3; ++n)
        count += EnUso(seleccion, n) ? 1 : 0;
    return count;
}

Extremos ExtremosColumna(std::int32_t col)
{
    const ComposicionState& st = Composiciones();
    if (col >= 1 && col <= st.MinimosValores.Size() && col <= st.MaximosValores.Size())
        return {st.MinimosValores(col), st.MaximosValores(col)};
    Extremos e;
    const RecordModel& r = Registro();
    const Matrix<float>& valores = r.Valores;
    if (col < 1 || col > valores.Cols())
        return e;
    ExtremosMuestras(valores.Column(col), TablaValores(r, col), e.Minimo, e.Maximo);
    return e;
}

} // namespace composicion
} // namespace vesdra
