#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <gtest/gtest.h>

#include "platform/key_hook.h"
#include "shell/tecla_salir.h"
#include "shell_fixture.h"

namespace vesdra {
namespace {

using test::Crlf;

class TeclaSalirTest : public test::ShellTest
{
protected:
    void SetUp() override
    {
        test::ShellTest::SetUp();
        AperturaHooks().PulsarSalir = [this] { ++pulsado_; };
    }
    void Idioma(const char* linea1) { Escribir("tools.ini", Crlf(QByteArray(linea1) + "\n/a\n/b\n/c\n0\n")); }
    int pulsado_{0};
};

TEST_F(TeclaSalirTest, AltWithTheLetterOfTheStoredLanguagePressesTheCloseButton)
{
    struct Caso {
        const char* linea1;
        int shift;
        int key;
        bool pulsa;
    };
    const Caso casos[] = {
        {"1", vbAltMask, vbKeyS, true},
        {"1", vbAltMask, vbKeyX, false},
        {"0", vbAltMask, vbKeyX, true},
        {"0", vbAltMask, vbKeyS, false},
        {" 1 ", vbAltMask, vbKeyS, true}, // blanks round the number
        {"2", vbAltMask, vbKeyS, false},  // no exit letter
        {"2", vbAltMask, vbKeyX, false},
        {"1", vbAltMask | vbShiftMask, vbKeyS, false}, // Alt+Shift+S
        {"1", vbAltMask | vbCtrlMask, vbKeyS, false},
        {"1", 0, vbKeyS, false},
    };
    for (const Caso& c : casos) {
        Idioma(c.linea1);
        pulsado_ = 0;
        EXPECT_EQ(TeclaSalir(c.shift, c.key), c.pulsa) << c.linea1 << " " << c.shift << " " << c.key;
        EXPECT_EQ(pulsado_, c.pulsa ? 1 : 0);
    }
    EXPECT_EQ(Boxes().Count(), 0);
}

TEST_F(TeclaSalirTest, FollowsToolsIniNotTheLanguageInForce)
{
    Idioma("0");
    Shell().Idioma = 1;
    EXPECT_FALSE(TeclaSalir(vbAltMask, vbKeyS));
    EXPECT_TRUE(TeclaSalir(vbAltMask, vbKeyX));
}

TEST_F(TeclaSalirTest, MissingToolsIniShowsTheErrorBoxAndPressesNothing)
{
    EXPECT_FALSE(TeclaSalir(vbAltMask, vbKeyS));
    EXPECT_EQ(pulsado_, 0);
    ASSERT_EQ(Boxes().Count(), 1);
    EXPECT_TRUE(Boxes().Last().Prompt.startsWith("Error 53: File not found\n"));
    EXPECT_TRUE(Boxes().Last().Prompt.endsWith("tools.ini"));
    // Other keys never read the file, so typing brings no stream of boxes.
    EXPECT_FALSE(TeclaSalir(vbAltMask, 65));
    EXPECT_FALSE(TeclaSalir(vbAltMask, 18));
    EXPECT_EQ(Boxes().Count(), 1);
}

TEST_F(TeclaSalirTest, AnAltKeyPressInAnyFormReachesIt)
{
    Idioma("1");
    InstalarTeclaSalir();
    QLineEdit campo;
    campo.show();
    campo.setFocus();
    QApplication::setActiveWindow(&campo);
    QKeyEvent alt(QEvent::KeyPress, Qt::Key_S, Qt::AltModifier);
    QApplication::sendEvent(&campo, &alt);
    SetKeyHandler({});
    EXPECT_EQ(pulsado_, 1);
    EXPECT_EQ(campo.text(), "");
}

} // namespace
} // namespace vesdra
