#include "platform/base/cp1252.h"

#include <array>
#include <cstdint>

namespace vesdra {

namespace {
// 0x80..0x9F; 0 marks the five bytes Windows-1252 leaves undefined, which
// are kept as the control characters of the same value.
constexpr std::array<char16_t, 32> kHigh = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                            0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                                            0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                            0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};
} // namespace

QString FromCp1252(std::string_view bytes)
{
    QString out;
    out.resize(static_cast<qsizetype>(bytes.size()));
    QChar* d = out.data();
    for (size_t i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        char16_t c = b;
        if (b >= 0x80 && b < 0xA0 && kHigh[b - 0x80] != 0)
            c = kHigh[b - 0x80];
        d[i] = QChar(c);
    }
    return out;
}

QByteArray ToCp1252(const QString& text)
{
    QByteArray out;
    out.resize(text.size());
    char* d = out.data();
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text.at(i).unicode();
        unsigned char b = '?';
        if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
            b = static_cast<unsigned char>(c);
        } else if (c >= 0x80 && c < 0xA0) {
            // An undefined byte read back in stays itself.
            if (kHigh[c - 0x80] == 0)
                b = static_cast<unsigned char>(c);
        } else {
            for (int k = 0; k < 32; ++k)
                if (kHigh[k] == c) {
                    b = static_cast<unsigned char>(0x80 + k);
                    break;
                }
        }
        d[i] = static_cast<char>(b);
    }
    return out;
}

bool IsMultiByteUtf8(std::string_view bytes)
{
    bool multiByte = false;
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const size_t n = bytes.size();
    for (size_t i = 0; i < n;) {
        const unsigned char b = p[i];
        if (b < 0x80) {
            ++i;
            continue;
        }
        // Lead byte: the sequence length and the least code point it may
        // carry (shorter forms are overlong, hence invalid).
        size_t len = 0;
        std::uint32_t cp = 0;
        std::uint32_t least = 0;
        if (b >= 0xC2 && b <= 0xDF) {
            len = 2;
            cp = b & 0x1Fu;
            least = 0x80;
        } else if (b >= 0xE0 && b <= 0xEF) {
            len = 3;
            cp = b & 0x0Fu;
            least = 0x800;
        } else if (b >= 0xF0 && b <= 0xF4) {
            len = 4;
            cp = b & 0x07u;
            least = 0x10000;
        } else {
            return false;
        }
        if (n - i < len)
            return false;
        for (size_t k = 1; k < len; ++k) {
            const unsigned char c = p[i + k];
            if ((c & 0xC0u) != 0x80u)
                return false;
            cp = (cp << 6) | (c & 0x3Fu);
        }
        if (cp < least || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
            return false;
        multiByte = true;
        i += len;
    }
    return multiByte;
}

QString DecodeText(std::string_view bytes, bool utf8)
{
    return utf8 ? QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size())) : FromCp1252(bytes);
}

} // namespace vesdra
