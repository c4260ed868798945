#include <QFile>
#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

#include "record/dat_common.h"
#include "record/dat_reader.h"

namespace vesdra {
namespace {

std::int32_t LeerI32(const unsigned char* p)
{
    std::uint32_t u = static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
                      (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
    return static_cast<std::int32_t>(u);
}

std::int16_t LeerI16(const unsigned char* p)
{
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(p[0] | (p[1] << 8)));
}

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
// channel ready to store.
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
void Convertir(RecordModel& r, const dat::Plan& plan, const unsigned char* bloque, std::int64_t tam,
               std::int32_t s0, std::int32_t m)
{
    const size_t primero = static_cast<size_t>(s0 - 1);
    double* tiempos = r.Tiempos.Data() + primero;
    for (std::int32_t j = 0; j < m; ++j) {
        const double t = LeerI32(bloque + j * tam + 4);
        tiempos[j] = plan.mult != 0.0 ? t * plan.mult : t;
    }
    for (std::int32_t c = 1; c <= plan.nA; ++c) {
        const dat::Escala& e = plan.escalas[static_cast<size_t>(c - 1)];
        const unsigned char* p = bloque + 8 + 2 * (c - 1);
        float* v = r.Valores.Column(c).data() + primero;
        const float a = e.a; // kept in registers: v might alias the plan
        const float b = e.b;
        for (std::int32_t j = 0; j < m; ++j)
            v[j] = static_cast<float>(LeerI16(p + j * tam)) * a + b;
        if (e.escribePrimario) {
            float* d = r.ValoresPrimario.Column(c).data() + primero;
            for (std::int32_t j = 0; j < m; ++j)
                d[j] = v[j] * e.factorPrimario;
        }
        if (e.escribeSecundario) {
            float* d = r.ValoresSecundario.Column(c).data() + primero;
            for (std::int32_t j = 0; j < m; ++j)
                d[j] = v[j] * e.factorSecundario;
        }
    }
    const std::int64_t inicioDig = 8 + 2 * static_cast<std::int64_t>(plan.nA);
    const std::int32_t octetos = (plan.nD + 7) / 8;
    for (std::int32_t q = 0; q < octetos; ++q) {
        // Channels 8q+1..8q+8 are the bits of byte q of the digital words
        // (little-endian: word w is bytes 2w-2 and 2w-1).
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
    const std::int64_t palabras = plan.nD / 16 + (plan.nD % 16 != 0 ? 1 : 0);
    const std::int64_t tam = 8 + 2 * static_cast<std::int64_t>(plan.nA) + 2 * palabras;
    const std::int64_t bytes = fichero.size();
    // A last record cut short still counts: what it lacks reads as 0.
    const ResultadoLectura res = dat::Acotar(plan, (bytes + tam - 1) / tam, tam);
    if (!res.Ok())
        return res;

    dat::CrearMatrices(r, plan, true);
    dat::ProgressTicker gasolino(plan);
    const std::int32_t porBloque = static_cast<std::int32_t>(std::max<std::int64_t>(1, (256 * 1024) / tam));
    std::vector<unsigned char> bloque(static_cast<size_t>(porBloque * tam));
    for (std::int32_t s0 = 1; s0 <= plan.nS; s0 += porBloque) {
        const std::int32_t m = std::min(porBloque, plan.nS - s0 + 1);
        const std::int64_t pedidos = m * tam;
        const std::int64_t leidos = fichero.read(reinterpret_cast<char*>(bloque.data()), pedidos);
        if (leidos < pedidos)
            std::memset(bloque.data() + std::max<std::int64_t>(leidos, 0), 0,
                        static_cast<size_t>(pedidos - std::max<std::int64_t>(leidos, 0)));
        Convertir(r, plan, bloque.data(), tam, s0, m);
        gasolino.Avanzar(static_cast<std::int64_t>(s0) + m - 1);
    }
    dat::ConstruirTablas(r, plan);
    dat::CalcularTasa(r);
    return res;
}

} // namespace vesdra
