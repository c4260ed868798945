#include "analysis/polar.h"

#include <cmath>

#include "platform/base/formats.h"

namespace vesdra {

Polar PolarGrados(float x, float y)
{
    Polar p;
    const double dx = x;
    const double dy = y;
    p.Magnitud = static_cast<float>(std::sqrt(dx * dx + dy * dy));
    if (x == 0.0f) {
        p.Angulo = y < 0.0f ? -90.0f : 90.0f;
    } else if (y == 0.0f) {
        p.Angulo = x > 0.0f ? 0.0f : 180.0f;
    } else {
        p.Angulo = static_cast<float>(std::atan(dy / dx) * 180.0 / 3.14159);
        if (x < 0.0f)
            p.Angulo = static_cast<float>(static_cast<double>(p.Angulo) + 180.0);
    }
    return p;
}

float Coordenada(float escala, float valor, float zoom)
{
    return static_cast<float>(static_cast<double>(escala) * static_cast<double>(valor) *
                              static_cast<double>(zoom));
}

float MaximoMagnitudPar(const TablaReal& pares, std::int32_t k)
{
    if (k < 1 || 2 * k > pares.Cols())
        return 0.0f;
    const float* x = pares.Column(2 * k - 1).data();
    const float* y = pares.Column(2 * k).data();
    // The square root is monotonic: compare squares in double and take one
    // root at the end; the same value as the largest stored magnitude.
    double mayor = 0.0;
    for (std::int32_t i = 0; i < pares.Rows(); ++i) {
        const double m = static_cast<double>(x[i]) * x[i] + static_cast<double>(y[i]) * y[i];
        if (m > mayor)
            mayor = m;
    }
    return static_cast<float>(std::sqrt(mayor));
}

std::vector<float> MaximosMagnitud(const TablaReal& pares)
{
    std::vector<float> maximos(static_cast<size_t>(pares.Cols() / 2), 0.0f);
    for (std::int32_t k = 1; k <= pares.Cols() / 2; ++k)
        maximos[static_cast<size_t>(k - 1)] = MaximoMagnitudPar(pares, k);
    return maximos;
}

float RadioDiagrama(float ancho, float alto)
{
    return (ancho > alto ? alto : ancho) / 2.0f;
}

float EscalaBase(float radio, float maximo)
{
    return maximo == 0.0f ? 0.0f : radio / maximo;
}

float MaximoFases(std::span<const float> maximos, std::span<const std::int32_t> canales)
{
    float m = 0.0f;
    for (const std::int32_t c : canales) {
        if (c >= 1 && static_cast<size_t>(c) <= maximos.size() &&
            std::fabs(maximos[static_cast<size_t>(c - 1)]) > m)
            m = std::fabs(maximos[static_cast<size_t>(c - 1)]);
    }
    return m;
}

float MaximoSecuencias(std::span<const float> maximos)
{
    float m = 0.0f;
    for (const float v : maximos) {
        if (std::fabs(v) > m)
            m = std::fabs(v);
    }
    return m;
}

float FactorZoomPaso(std::int32_t paso)
{
    return static_cast<float>(std::pow(1.25, static_cast<double>(paso)));
}

QString TextoValor(const QString& nombre, const QString& digito, Polar p, const QString& unidades,
                   const QString& arroba)
{
    return nombre + digito + QStringLiteral(": ") + TextoMagnitudAngulo(p, unidades, arroba);
}

namespace {

// The "#" patterns write a value that rounds to 0 as the separator alone:
// such a value is written as the number it is.
QString CifraOCero(float valor, const char* patron)
{
    QString texto = Format(valor, patron);
    if (texto.size() == 1 && texto.front() == DecimalSeparator())
        texto = QStringLiteral("0");
    return texto;
}

} // namespace

QString TextoMagnitudAngulo(Polar p, const QString& unidades, const QString& arroba)
{
    const QString magnitud = CifraOCero(p.Magnitud, "#.###");
    // The angle of a magnitude that reads 0 means nothing: it is left out.
    if (magnitud == QLatin1String("0"))
        return magnitud + unidades;
    return magnitud + arroba + CifraOCero(p.Angulo, "#.##") + unidades;
}

QStringList TextosMagnitudAnguloMasAnchos(float maximo, const QString& unidades)
{
    const float m = std::isfinite(maximo) && std::fabs(maximo) < 1e9f
                        ? static_cast<float>(std::floor(std::fabs(maximo)) + 0.888)
                        : maximo;
    return {TextoMagnitudAngulo({m, 269.99f}, unidades), TextoMagnitudAngulo({m, -89.99f}, unidades)};
}

bool CoordenadaValida(double twips)
{
    return std::fabs(twips) <= kLimiteCoordenada;
}

} // namespace vesdra
