#include "platform/base/cp1252.h"

#include <array>

namespace vesdra {

namespace {
// 0x80..0x9F; 0 marks the five bytes Windows-1252 leaves undefined, which
// are kept as the control characters of the same value.
constexpr std::array<char16_t, 32> kHigh = {
    0x20AC, 0, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0, 0x017D, 0,
    0, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0, 0x017E, 0x0178};
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

} // namespace vesdra
