#include <QFile>
#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstring>
#include <vector>

#include "record/binary_layout.h"
#include "record/dat_common.h"
#include "record/dat_reader.h"
#include "record/numero.h"
#include "record/progress_hook.h"

namespace vesdra {
namespace {

// An 8x8 bit matrix, bit 8r + c, transposed to bit 8c + r.
std::uint64_t Transponer8x8(std::uint64_t x)
{
    std::uint64_t t = (x ^ (x >> 7)) & 0x00AA00AA00AA00AAull;
    x = x ^ t ^ (t << 7);
    t = (x ^ (x >> 14)) & 0x0000CCCC0000CCCCull;
    x = x ^ t ^ (t << 14);
    t = (x ^ (x >> 28)) & 0x00000000F0F0F0F0ull;
    return x ^ t ^ (t << 28);
}

// Entry b: byte i is bit i of b (0 or 1), eight samples' states of one
// channel ready to store: stored as it stands, byte i lands in sample i
// only where the first byte in memory is the least significant.
static_assert(std::endian::native == std::endian::little,
              "the digital states are stored eight at a time as little-endian words");
constexpr std::array<std::uint64_t, 256> kBitsABytes = [] {
    std::array<std::uint64_t, 256> t{};
    for (unsigned b = 0; b < 256; ++b)
        for (unsigned i = 0; i < 8; ++i)
            t[b] |= static_cast<std::uint64_t>((b >> i) & 1u) << (8 * i);
    return t;
}();

// Samples are read in blocks that stay in the cache while each channel's
// column is filled from them in turn: the file is record by record, the
// matrices channel by channel.
void Convertir(RecordModel& r, const dat::Plan& plan, const dat::FormatoBinario& formato,
               const unsigned char* bloque, std::int32_t s0, std::int32_t m)
{
    using dat::LeerI16;
    using dat::LeerI32;
    const std::int64_t tam = formato.Tam();
    const size_t primero = static_cast<size_t>(s0 - 1);
    double* tiempos = r.Tiempos.Data() + primero;
    for (std::int32_t j = 0; j < m; ++j) {
        const double t = LeerI32(bloque + j * tam + dat::FormatoBinario::kTiempo);
        tiempos[j] = plan.mult != 0.0 ? t * plan.mult : t;
    }
    using Destino = dat::Escala::Destino;
    for (std::int32_t c = 1; c <= plan.nA; ++c) {
        const dat::Escala& e = plan.escalas[static_cast<size_t>(c - 1)];
        const unsigned char* p = bloque + dat::FormatoBinario::Analogico(c - 1);
        Matrix<float>& propia = e.propio == Destino::Valores ? r.Valores : r.ValoresOtroLado;
        float* v = propia.Column(c).data() + primero;
        const double a = e.a; // kept in registers: v might alias the plan
        const double b = e.b;
        for (std::int32_t j = 0; j < m; ++j)
            v[j] = static_cast<float>(static_cast<double>(LeerI16(p + j * tam)) * a + b);
        if (plan.es1997 && !e.derivarAlFinal) {
            Matrix<float>& otra = e.propio == Destino::Valores ? r.ValoresOtroLado : r.Valores;
            float* d = otra.Column(c).data() + primero;
            const double f = e.factor;
            for (std::int32_t j = 0; j < m; ++j)
                d[j] = dat::PorFactor(v[j], f);
        }
    }
    const std::int64_t inicioDig = formato.Digitales();
    const std::int32_t octetos = (plan.nD + 7) / 8;
    for (std::int32_t q = 0; q < octetos; ++q) {
        // Channels 8q+1..8q+8 are the bits of byte q of the digital words
        // (dat::EstadoDigital, eight samples at a time).
        const unsigned char* p = bloque + inicioDig + q;
        const std::int32_t canales = std::min(8, plan.nD - 8 * q);
        std::uint8_t* estados[8];
        for (std::int32_t k = 0; k < canales; ++k)
            estados[k] = r.EstadosDigitales.Column(8 * q + k + 1).data() + primero;
        std::int32_t j = 0;
        for (; j + 8 <= m; j += 8) {
            std::uint64_t x = 0;
            for (int i = 0; i < 8; ++i)
                x |= static_cast<std::uint64_t>(p[(j + i) * tam]) << (8 * i);
            x = Transponer8x8(x);
            for (std::int32_t k = 0; k < canales; ++k) {
                const std::uint64_t bytes = kBitsABytes[(x >> (8 * k)) & 0xFFu];
                std::memcpy(estados[k] + j, &bytes, 8);
            }
        }
        for (; j < m; ++j) {
            for (std::int32_t k = 0; k < canales; ++k)
                estados[k][j] = static_cast<std::uint8_t>((p[j * tam] >> k) & 1u);
        }
    }
}

} // namespace

ResultadoLectura LeerDatBinario(RecordModel& r)
{
    dat::Plan plan;
    QFile fichero;
    if (ResultadoLectura res = dat::AbrirDat(r, plan, fichero); !res.Ok())
        return res;
    const dat::FormatoBinario formato{plan.nA, plan.nD};
    const std::int64_t tam = formato.Tam();
    if (fichero.size() < tam) {
        ResultadoLectura corto = ResultadoLectura::Fallo(
            ErrorLectura::DatCorto, QStringLiteral("The data file is shorter than one sample."),
            QString::number(fichero.size()));
        corto.Necesarios = tam;
        return corto;
    }
    // Only whole records are samples: a record cut by the end of the file
    // would show values made of its missing bytes.
    ResultadoLectura res = dat::Acotar(plan, formato.MuestrasEnteras(fichero.size()));
    if (!res.Ok())
        return res;

    // A 16-bit value gives at most MayorBinario: where that times the ratio
    // lies within single precision every product does, and the other side
    // is derived as the values are read; else once they are, each checked.
    for (dat::Escala& e : plan.escalas)
        e.derivarAlFinal = !EnSimple(MayorBinario(e.a, e.b) * e.factor);
    dat::CrearMatrices(r, plan, true);
    dat::ProgressTicker gasolino(plan);
    ProgresoRegistro().DatMedido(r.RutaDat);
    const auto porBloque = static_cast<std::int32_t>(std::max<std::int64_t>(1, (256 * 1024) / tam));
    const std::int32_t leidas =
        dat::RecorrerBloques(fichero, formato, plan.nS, porBloque,
                             [&](const unsigned char* bloque, std::int32_t s0, std::int32_t m) {
                                 Convertir(r, plan, formato, bloque, s0, m);
                                 gasolino.Avanzar(static_cast<std::int64_t>(s0) + m - 1);
                             });
    if (leidas < plan.nS) {
        // The file shrank since it was measured: the samples are those it
        // still held, told as for a file short from the start.
        if (leidas == 0) {
            dat::VaciarMatrices(r);
            ResultadoLectura corto = ResultadoLectura::Fallo(
                ErrorLectura::DatCorto, QStringLiteral("The data file is shorter than one sample."),
                QString::number(std::max<qint64>(fichero.size(), 0)));
            corto.Necesarios = tam;
            return corto;
        }
        plan.nS = leidas;
        dat::Recortar(r, plan);
        res.MuestrasAnunciadas = plan.anunciadas;
    }
    dat::DerivarLados(r, plan);
    // 32-bit time stamps can go beyond double precision only by a
    // multiplier of more than about 1e298.
    if (!std::isfinite(plan.mult * 2147483648.0))
        dat::AcotarTiempos(r.Tiempos);
    dat::ConstruirTablas(r, plan);
    dat::CalcularTasa(r);
    dat::AnotarLados(plan, res);
    return res;
}

} // namespace vesdra
