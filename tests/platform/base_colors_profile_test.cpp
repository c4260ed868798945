#include <gtest/gtest.h>

#include <QColor>
#include <QTemporaryDir>

#include "common/test_support.h"
#include "platform/base/colors.h"
#include "platform/base/profile.h"
#include "platform/base/vb_error.h"

namespace vesdra {
namespace {

TEST(Colors, SixteenColourPaletteIsBgr)
{
    const std::uint32_t expected[16] = {0x0,    0x800000, 0x8000,   0x808000, 0x80,   0x800080,
                                        0x8080, 0xC0C0C0, 0x808080, 0xFF0000, 0xFF00, 0xFFFF00,
                                        0xFF,   0xFF00FF, 0xFFFF,   0xFFFFFF};
    for (int n = 0; n < 16; ++n)
        EXPECT_EQ(QBColor(n), expected[n]) << n;
    EXPECT_THROW((void)QBColor(16), VbError);
    EXPECT_THROW((void)QBColor(-1), VbError);

    // &HBBGGRR: the low byte is red.
    EXPECT_EQ(OleColor(QBColor(12)), QColor(255, 0, 0));   // light red
    EXPECT_EQ(OleColor(QBColor(9)), QColor(0, 0, 255));    // light blue
    EXPECT_EQ(OleColor(QBColor(14)), QColor(255, 255, 0)); // yellow
    EXPECT_EQ(OleColor(0xFFC0C0), QColor(0xC0, 0xC0, 0xFF));
    EXPECT_EQ(BgrToRgb(0x123456), 0x563412u);
}

TEST(Colors, SystemColoursResolve)
{
    EXPECT_TRUE(IsSystemColor(kSysWindowBackground));
    EXPECT_FALSE(IsSystemColor(0xFFFFFF));
    EXPECT_EQ(ResolveColor(kSysWindowBackground), 0xFFFFFFu);
    EXPECT_EQ(ResolveColor(kSysMenu), 0xC8D0D4u);
    EXPECT_EQ(ResolveColor(0x80000063), 0xFFFFFFu);
    EXPECT_EQ(ResolveColor(0x12345678), 0x345678u);
    EXPECT_TRUE(OleColor(kSysMenu).isValid());
    EXPECT_EQ(OleColor(kSysWindowBackground).alpha(), 255);
}

TEST(Colors, ContrastAndTheReadableDisabledGrey)
{
    EXPECT_NEAR(ContrastRatio(0x000000, 0xFFFFFF), 21.0, 1e-9);
    EXPECT_NEAR(ContrastRatio(0x808080, 0x808080), 1.0, 1e-9);
    EXPECT_NEAR(ContrastRatio(0xFFFFFF, 0x777777), ContrastRatio(0x777777, 0xFFFFFF), 1e-12);
    struct Caso {
        std::uint32_t fondo;
        bool oscuro; // the grey lies on the dark side
    };
    for (const Caso c :
         {Caso{0xC0C0C0, true}, Caso{0xD4D0C8, true}, Caso{0xFFFFFF, true}, Caso{0x202020, false}}) {
        const std::uint32_t g = ReadableGreyOn(c.fondo);
        EXPECT_GE(ContrastRatio(g, c.fondo), 4.5) << std::hex << c.fondo;
        EXPECT_EQ((g >> 16) & 0xFF, g & 0xFF) << "a grey";
        // The next lighter (or darker) grey would not read: it is the lightest that does.
        const std::uint32_t v = g & 0xFF;
        const std::uint32_t w = c.oscuro ? v + 1 : v - 1;
        EXPECT_LT(ContrastRatio((w << 16) | (w << 8) | w, c.fondo), 4.5) << std::hex << c.fondo;
        EXPECT_EQ(v < 0x80, c.oscuro);
    }
}

TEST(Colors, TextOnAColouredBoxIsBlackOrWhiteWhicheverReads)
{
    // Every colour of the 16-colour palette, the trace colours among them.
    for (int n = 0; n <= 15; ++n) {
        const std::uint32_t fondo = BgrToRgb(QBColor(n));
        const std::uint32_t texto = ReadableTextOn(fondo);
        ASSERT_TRUE(texto == 0x000000u || texto == 0xFFFFFFu) << n;
        EXPECT_GE(ContrastRatio(texto, fondo), ContrastRatio(texto ^ 0xFFFFFFu, fondo)) << n;
        EXPECT_GE(ContrastRatio(texto, fondo), 4.5) << n;
    }
    EXPECT_EQ(ReadableTextOn(0x00FF00), 0x000000u); // light green: black, not grey
    EXPECT_EQ(ReadableTextOn(0x0000FF), 0xFFFFFFu); // light blue
    EXPECT_EQ(ReadableTextOn(0xFFFF00), 0x000000u); // yellow
}

class Profile : public ::testing::Test
{
protected:
    void SetUp() override
    {
        saved_ = qgetenv("WININI");
        qputenv("WININI", dir_.filePath("win.ini").toLocal8Bit());
    }
    void TearDown() override
    {
        if (saved_.isNull())
            qunsetenv("WININI");
        else
            qputenv("WININI", saved_);
    }
    void Write(const QByteArray& bytes) { ASSERT_TRUE(test::WriteBytes(dir_.filePath("win.ini"), bytes)); }

    QTemporaryDir dir_;
    QByteArray saved_;
};

TEST_F(Profile, ReadsTheKeyWithoutRegardToCase)
{
    Write("[windows]\r\npath=wrong\r\n"
          "; comment\r\n"
          "[BRUNAKOR]\r\n"
          "  PATH =  /opt/brunakor/conv.exe  \r\n"
          "[brunakor]\r\npath=second section ignored\n");
    const struct {
        const char* section;
        const char* key;
        const char* value;
    } cases[] = {{"Brunakor", "path", "/opt/brunakor/conv.exe"},
                 {"brunakor", "PATH", "/opt/brunakor/conv.exe"},
                 {"windows", "Path", "wrong"},
                 {"Brunakor", "other", ""},
                 {"None", "path", ""}};
    for (const auto& c : cases) {
        const ProfileString p = GetProfileString(QString::fromLatin1(c.section), QString::fromLatin1(c.key));
        EXPECT_EQ(p.Value, QString::fromLatin1(c.value)) << c.section << "/" << c.key;
        EXPECT_EQ(p.Length, p.Value.size());
    }
    EXPECT_EQ(GetProfileString("x", "y", "dflt  ").Value, QStringLiteral("dflt"));
}

TEST_F(Profile, ValueIsCutToTheBufferAndQuotesRemoved)
{
    const QByteArray longPath = "/" + QByteArray(200, 'a');
    Write("[Brunakor]\npath=" + longPath + "\nq=\"/with blanks/x\"\nempty=\n");
    const ProfileString p = GetProfileString("Brunakor", "path", {}, 150);
    EXPECT_EQ(p.Length, 149);
    EXPECT_EQ(p.Value, QString::fromLatin1(longPath.left(149)));
    EXPECT_EQ(GetProfileString("Brunakor", "q").Value, QStringLiteral("/with blanks/x"));
    EXPECT_EQ(GetProfileString("Brunakor", "empty", "dflt").Value, QString());
    EXPECT_EQ(GetProfileString("Brunakor", "path", {}, 0).Length, 0);
}

TEST_F(Profile, MissingFileGivesTheDefault)
{
    EXPECT_EQ(GetProfileString("Brunakor", "path").Length, 0);
    EXPECT_EQ(WinIniPath(), dir_.filePath("win.ini"));
    qunsetenv("WININI");
    const QByteArray xdg = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", "/cfg");
    EXPECT_EQ(WinIniPath(), QStringLiteral("/cfg/win.ini"));
    if (xdg.isNull())
        qunsetenv("XDG_CONFIG_HOME");
    else
        qputenv("XDG_CONFIG_HOME", xdg);
}

} // namespace
} // namespace vesdra
