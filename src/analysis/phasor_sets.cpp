#include "analysis/phasor_sets.h"

#include <algorithm>

#include "platform/messages.h"
#include "record/helpers.h"
#include "record/record_model.h"
#include "shell/language.h"
#include "templates/template_apply.h"
#include "templates/template_state.h"

namespace vesdra {

namespace {

QString Celda(std::int32_t g, std::int32_t col)
{
    const Matrix<QString>& t = Plantillas().TablaTrifasicos;
    if (g < 1 || g > t.Rows() || col < 1 || col > t.Cols())
        return {};
    return t(g, col);
}

} // namespace

FactorSetLeido LeerFactorSet(std::int32_t g)
{
    const QString texto = Celda(g, 5).trimmed();
    if (texto.isEmpty())
        return {};
    if (!TextoEsNumero(texto))
        return {1.0f, false, texto};
    return {static_cast<float>(ValorNumero(texto)), true, texto};
}

float FactorSetAvisando(std::int32_t g)
{
    const FactorSetLeido f = LeerFactorSet(g);
    if (!f.EsNumero)
        (void)MsgBox(TextosIdioma(110) + QStringLiteral(" ") + NombreSet(g) + QStringLiteral(": \"") +
                         f.Texto + QStringLiteral("\""),
                     vbExclamation);
    return f.Valor;
}

QString NombreSet(std::int32_t g)
{
    return Celda(g, 4);
}

std::int32_t FilaDeCanal(std::int32_t n, bool ultima)
{
    const Matrix<QString>& tabla = Registro().TablaCanales;
    const std::int32_t filas = std::min(Plantillas().NumCanalesTabla, tabla.Rows());
    std::int32_t encontrada = 0;
    for (std::int32_t i = 1; i <= filas && tabla.Cols() >= 1; ++i) {
        if (EnteroCelda(tabla(i, 1)) == n) {
            encontrada = i;
            if (!ultima)
                break;
        }
    }
    return encontrada;
}

RotuloCanal RotuloDeCanal(std::int32_t n, std::int32_t g, bool ultima)
{
    const std::int32_t fila = FilaDeCanal(n, ultima);
    if (fila == 0)
        return {NombreSet(g), {}};
    return {NombreCanal(fila), UnidadCanal(fila)};
}

} // namespace vesdra
