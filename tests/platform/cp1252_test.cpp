#include <gtest/gtest.h>

#include "common/process_state.h"
#include "common/test_support.h"
#include "platform/base/app_paths.h"
#include "platform/base/cp1252.h"

namespace vesdra {

TEST(Cp1252, RoundTripsSpanishTextAndHighBlock)
{
    const QString text = QString::fromUtf8("Tensión €ñÑáéíóú “x” – ü");
    const QByteArray bytes = ToCp1252(text);
    EXPECT_EQ(bytes.size(), text.size());
    EXPECT_EQ(static_cast<unsigned char>(bytes.at(5)), 0xF3); // ó
    EXPECT_EQ(FromCp1252(bytes), text);
    for (int b = 0; b < 256; ++b) {
        const QByteArray one(1, static_cast<char>(b));
        EXPECT_EQ(ToCp1252(FromCp1252(one)), one) << b;
    }
    EXPECT_EQ(ToCp1252(QString::fromUtf8("中")), QByteArray("?"));
}

TEST(Cp1252, AFileIsUtf8OnlyWhenValidUtf8WithMultiByteSequences)
{
    const struct {
        const char* bytes;
        bool utf8;
    } casos[] = {
        {"plain ASCII", false}, // reads the same either way
        {"25 \xC2\xB0"
         "C",
         true},                                  // U+00B0
        {"\xE2\x82\xAC \xF0\x9F\x98\x80", true}, // euro sign, a 4-byte sequence
        {"Subestaci\xF3n", false},               // Windows-1252 accent
        {"\xC0\xAF", false},                     // overlong
        {"\xED\xA0\x80", false},                 // surrogate
        {"\xF4\x90\x80\x80", false},             // beyond U+10FFFF
        {"\xC2", false},                         // cut sequence
    };
    for (const auto& c : casos)
        EXPECT_EQ(IsMultiByteUtf8(c.bytes), c.utf8) << c.bytes;
    EXPECT_EQ(DecodeText(QByteArray("25 \xC2\xB0"
                                    "C"),
                         true),
              QString::fromUtf8("25 °C"));
    EXPECT_EQ(DecodeText(QByteArray("25 \xC2\xB0"
                                    "C"),
                         false),
              QString::fromUtf8("25 Â°C"));
}

TEST(AppPaths, FoldersAreFoundByLevelsFromTheExecutableFolder)
{
    const test::ScopedExeFolder exe(QStringLiteral("/opt/x/VESDRA/EXE"));
    EXPECT_EQ(IniFolder(), QStringLiteral("/opt/x/VESDRA/ini"));
    EXPECT_EQ(IconosFolder(), QStringLiteral("/opt/x/VESDRA/Iconos"));
    EXPECT_EQ(ModelsFolder(), QStringLiteral("/opt/x/Models"));
}

} // namespace vesdra
