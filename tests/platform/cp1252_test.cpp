#include <gtest/gtest.h>

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

TEST(AppPaths, FoldersAreFoundByLevelsFromTheExecutableFolder)
{
    SetExeFolderOverride(QStringLiteral("/opt/x/VESDRA/EXE"));
    EXPECT_EQ(IniFolder(), QStringLiteral("/opt/x/VESDRA/ini"));
    EXPECT_EQ(IconosFolder(), QStringLiteral("/opt/x/VESDRA/Iconos"));
    EXPECT_EQ(ModelsFolder(), QStringLiteral("/opt/x/Models"));
    SetExeFolderOverride(QString::fromUtf8(VESDRA_RUNTIME_ROOT "/EXE"));
}

} // namespace vesdra
