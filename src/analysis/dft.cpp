#include "analysis/dft.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <new>
#include <system_error>
#include <thread>

#include "analysis/analysis_state.h"
#include "platform/base/vb_error.h"
#include "record/helpers.h"
#include "record/record_model.h"

namespace vesdra {

namespace {

constexpr double kPi = 3.14159; // the weights' π, kept for the same numbers

// One channel's streams: its samples, its two phasor columns, its weights.
struct Canal {
    const float* v{nullptr}; // v[s - 1] is sample s
    float* fs{nullptr};      // fs[r - 1] is row r of the sine-weighted column
    float* fc{nullptr};
    const float* senos{nullptr}; // senos[k - 1] is weight row k
    const float* cosenos{nullptr};
};

// One step of the recursion, with the widths the table is defined by.
inline float Paso(float anterior, double d, float peso)
{
    return static_cast<float>(static_cast<double>(anterior) + d * static_cast<double>(peso));
}

// Rows 1 .. 6n: rows 1..n are 0; then the window fills with the repeated
// first cycle (rows up to 2n) and slides over its copies, whose differences
// are 0 (rows up to 6n, where row 5n + s holds sample s <= n, the same value
// as n rows before).
void Arranque(const Canal& ch, std::int32_t n)
{
    std::fill(ch.fs, ch.fs + n, 0.0f);
    std::fill(ch.fc, ch.fc + n, 0.0f);
    float ps = 0.0f;
    float pc = 0.0f;
    const std::int64_t fin = 6 * static_cast<std::int64_t>(n);
    for (std::int64_t r = n + 1; r <= fin; ++r) {
        const std::int32_t k = IndiceCiclo(r, n);
        const double actual = ch.v[k - 1];
        const double previo = r <= 2 * static_cast<std::int64_t>(n) ? 0.0 : static_cast<double>(ch.v[k - 1]);
        const double d = actual - previo;
        ps = Paso(ps, d, ch.senos[k - 1]);
        pc = Paso(pc, d, ch.cosenos[k - 1]);
        ch.fs[r - 1] = ps;
        ch.fc[r - 1] = pc;
    }
}

template <int B> void Deslizar(const Canal* ch, std::int32_t n, std::int64_t filas)
{
    float ps[B];
    float pc[B];
    const std::int64_t inicio = 6 * static_cast<std::int64_t>(n) + 1;
    for (int b = 0; b < B; ++b) {
        ps[b] = ch[b].fs[inicio - 2];
        pc[b] = ch[b].fc[inicio - 2];
    }
    const std::int64_t desplazamiento = 5 * static_cast<std::int64_t>(n);
    std::int32_t k = 1; // IndiceCiclo(6n + 1)
    for (std::int64_t r = inicio; r <= filas; ++r) {
        const std::int64_t s = r - desplazamiento;
        for (int b = 0; b < B; ++b) {
            const double d = static_cast<double>(ch[b].v[s - 1]) - static_cast<double>(ch[b].v[s - n - 1]);
            ps[b] = Paso(ps[b], d, ch[b].senos[k - 1]);
            pc[b] = Paso(pc[b], d, ch[b].cosenos[k - 1]);
            ch[b].fs[r - 1] = ps[b];
            ch[b].fc[r - 1] = pc[b];
        }
        if (++k > n)
            k = 1;
    }
}

// The whole recursion for a group of channels.
void CalcularCanales(std::span<const Canal> ch, std::int32_t n, std::int64_t filas)
{
    for (const Canal& c : ch)
        Arranque(c, n);
    size_t c = 0;
    for (; c + 4 <= ch.size(); c += 4)
        Deslizar<4>(&ch[c], n, filas);
    switch (ch.size() - c) {
    case 3:
        Deslizar<3>(&ch[c], n, filas);
        break;
    case 2:
        Deslizar<2>(&ch[c], n, filas);
        break;
    case 1:
        Deslizar<1>(&ch[c], n, filas);
        break;
    default:
        break;
    }
}

// Channels are independent, so groups of them run on a few worker threads:
// the first touch of a large fresh table is page-fault bound and spreads
// over cores. The caller waits for all of them; the result is the same
// whatever the grouping.
void CalcularEnParalelo(std::span<const Canal> ch, std::int32_t n, std::int64_t filas)
{
    const unsigned nucleos = std::max(1u, std::thread::hardware_concurrency());
    const size_t grupos = std::min<size_t>({4, nucleos, (ch.size() + 3) / 4});
    if (grupos <= 1) {
        CalcularCanales(ch, n, filas);
        return;
    }
    // Multiples of 4 channels per group, so every group interleaves fully.
    const size_t porGrupo = ((ch.size() + grupos - 1) / grupos + 3) / 4 * 4;
    std::vector<std::thread> hilos;
    size_t inicio = porGrupo;
    for (; inicio < ch.size(); inicio += porGrupo) {
        const auto grupo = ch.subspan(inicio, std::min(porGrupo, ch.size() - inicio));
        try {
            hilos.emplace_back(CalcularCanales, grupo, n, filas);
        } catch (const std::system_error&) {
            CalcularCanales(grupo, n, filas);
        }
    }
    CalcularCanales(ch.first(std::min(porGrupo, ch.size())), n, filas);
    for (std::thread& h : hilos)
        h.join();
}

} // namespace

std::int32_t MuestrasPorCicloDft(std::int32_t frecuenciaMuestreo, std::int32_t frecuenciaLinea)
{
    if (frecuenciaLinea <= 0)
        return 0;
    // The default rounding mode rounds halves to the even neighbour.
    const double q =
        std::nearbyint(static_cast<double>(frecuenciaMuestreo) / static_cast<double>(frecuenciaLinea));
    if (!(q >= 1.0) || q > static_cast<double>(std::numeric_limits<std::int32_t>::max()))
        return 0;
    return static_cast<std::int32_t>(q);
}

PesosDFT CalcularPesosDFT(float desfase, std::int32_t frecuenciaLinea, std::int32_t n)
{
    PesosDFT p;
    p.Senos.resize(static_cast<size_t>(n));
    p.Cosenos.resize(static_cast<size_t>(n));
    const double sesgo =
        2.0 * static_cast<double>(desfase) * static_cast<double>(frecuenciaLinea) * 1e-6 * 180.0;
    const double paso = 360.0 / static_cast<double>(n);
    const double raiz2 = std::sqrt(2.0);
    for (std::int32_t i = 1; i <= n; ++i) {
        const auto angulo = static_cast<float>(sesgo + paso * static_cast<double>(i));
        const double a = static_cast<double>(angulo) * kPi / 180.0;
        p.Cosenos[static_cast<size_t>(i - 1)] = static_cast<float>(raiz2 * std::cos(a) / n);
        p.Senos[static_cast<size_t>(i - 1)] = static_cast<float>(raiz2 * std::sin(a) / n);
    }
    return p;
}

TablaReal CalcularTablaFasores(const Matrix<float>& valores, std::span<const float> desfase,
                               std::int32_t frecuenciaLinea, std::int32_t n)
{
    const std::int32_t muestras = valores.Rows();
    const std::int32_t canales = valores.Cols();
    if (n < 1 || muestras < n)
        throw VbError(vberr::SubscriptOutOfRange);
    const std::int64_t filas = 5 * static_cast<std::int64_t>(n) + muestras;
    const std::int64_t columnas = 2 * static_cast<std::int64_t>(canales);
    if (filas > std::numeric_limits<std::int32_t>::max() ||
        columnas > std::numeric_limits<std::int32_t>::max())
        throw VbError(vberr::Overflow);

    TablaReal fasores;
    std::vector<PesosDFT> pesos;
    try {
        fasores = TablaReal(static_cast<std::int32_t>(filas), static_cast<std::int32_t>(columnas));
        pesos.reserve(static_cast<size_t>(canales));
        for (std::int32_t c = 1; c <= canales; ++c) {
            const float skew =
                static_cast<size_t>(c) <= desfase.size() ? desfase[static_cast<size_t>(c - 1)] : 0.0f;
            pesos.push_back(CalcularPesosDFT(skew, frecuenciaLinea, n));
        }
    } catch (const std::bad_alloc&) {
        throw VbError(vberr::OutOfMemory);
    }

    std::vector<Canal> ch(static_cast<size_t>(canales));
    for (std::int32_t c = 1; c <= canales; ++c) {
        Canal& k = ch[static_cast<size_t>(c - 1)];
        k.v = valores.Column(c).data();
        k.fs = fasores.Column(2 * c - 1).data();
        k.fc = fasores.Column(2 * c).data();
        k.senos = pesos[static_cast<size_t>(c - 1)].Senos.data();
        k.cosenos = pesos[static_cast<size_t>(c - 1)].Cosenos.data();
    }
    CalcularEnParalelo(ch, n, filas);
    return fasores;
}

void CalcularFasores()
{
    const RecordModel& reg = Registro();
    const std::int32_t n = MuestrasPorCicloDft(FrecuenciaMuestreo(), reg.FrecuenciaLinea);
    TablaReal tabla = CalcularTablaFasores(reg.Valores, reg.Desfase.Span(), reg.FrecuenciaLinea, n);

    AnalysisState& a = Analisis();
    a.FilasDFT = tabla.Rows();
    a.Fasores = std::make_shared<const TablaReal>(std::move(tabla));
    a.MuestrasCicloDFT = n;
    a.NumMuestrasDFT = reg.Valores.Rows();
    a.CanalesDFT = reg.Valores.Cols();
}

} // namespace vesdra
