#pragma once
// The BINARY data file's sample record, shared by the BINARY reader and the
// ASCII copy, which both read the file block by block.
#include <QFile>
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

namespace vesdra::dat {

// Little-endian, no header, records back to back: sample number (4 bytes,
// signed), time stamp (4 bytes, signed), one signed 16-bit raw value per
// analog channel, then the digital words, nD / 16 full 16-bit words and one
// more for the rest. Bit k of word w (least significant first) is digital
// channel 16 w + k, 0-based: as the words are little-endian, that is bit
// d % 8 of byte d / 8 of the digital part.
struct FormatoBinario {
    std::int32_t nA{0};
    std::int32_t nD{0};

    static constexpr std::int64_t kTiempo = 4;
    static constexpr std::int64_t kAnalogicos = 8;

    [[nodiscard]] std::int64_t Palabras() const { return nD / 16 + (nD % 16 != 0 ? 1 : 0); }
    // Bytes of one sample record.
    [[nodiscard]] std::int64_t Tam() const
    {
        return kAnalogicos + 2 * static_cast<std::int64_t>(nA) + 2 * Palabras();
    }
    // Offset of analog channel c (0-based) and of the digital words.
    [[nodiscard]] static std::int64_t Analogico(std::int32_t c)
    {
        return kAnalogicos + 2 * static_cast<std::int64_t>(c);
    }
    [[nodiscard]] std::int64_t Digitales() const { return Analogico(nA); }
    // Samples that lie whole in a file of `bytes`: a record cut by the end
    // of the file is no sample.
    [[nodiscard]] std::int64_t MuestrasEnteras(std::int64_t bytes) const
    {
        return std::max<std::int64_t>(bytes, 0) / Tam();
    }
};

inline std::int32_t LeerI32(const unsigned char* p)
{
    const std::uint32_t u = static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
                            (static_cast<std::uint32_t>(p[2]) << 16) |
                            (static_cast<std::uint32_t>(p[3]) << 24);
    return static_cast<std::int32_t>(u);
}

inline std::int16_t LeerI16(const unsigned char* p)
{
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(p[0] | (p[1] << 8)));
}

// State of digital channel d (0-based) of the digital part `dig`.
inline std::uint8_t EstadoDigital(const unsigned char* dig, std::int32_t d)
{
    return static_cast<std::uint8_t>((dig[d / 8] >> (d % 8)) & 1u);
}

// Reads samples 1..nS of `fichero` from where it stands, `porBloque` records
// at a time, and hands each block to cuerpo(bloque, s0, m): m records from
// sample s0 (1-based). Only whole records are handed: a file that ends
// early (it shrank since it was measured) ends the walk at its last whole
// record. Returns the samples handed, nS when the file held them all.
template <typename F>
std::int32_t RecorrerBloques(QFile& fichero, const FormatoBinario& formato, std::int32_t nS,
                             std::int32_t porBloque, F&& cuerpo)
{
    const std::int64_t tam = formato.Tam();
    porBloque = std::max(porBloque, 1);
    std::vector<unsigned char> bloque(static_cast<size_t>(porBloque * tam));
    for (std::int32_t s0 = 1; s0 <= nS; s0 += porBloque) {
        const std::int32_t m = std::min(porBloque, nS - s0 + 1);
        const std::int64_t pedidos = m * tam;
        std::int64_t leidos = 0;
        while (leidos < pedidos) {
            const qint64 n = fichero.read(reinterpret_cast<char*>(bloque.data()) + leidos, pedidos - leidos);
            if (n <= 0)
                break;
            leidos += n;
        }
        const auto enteros = static_cast<std::int32_t>(leidos / tam);
        if (enteros > 0)
            cuerpo(static_cast<const unsigned char*>(bloque.data()), s0, enteros);
        if (enteros < m)
            return s0 - 1 + enteros;
    }
    return std::max(nS, 0);
}

} // namespace vesdra::dat
