#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QLineEdit>
#include <QWidget>
#include <functional>

#include "platform/text_box.h"

namespace vesdra {
namespace {

const QString kLargo = QStringLiteral("DISPARO 21 ZONA 1: -46.678 kV");

// A box much narrower than kLargo, in a shown window.
struct Marco {
    QWidget ventana;
    QLineEdit* caja{new QLineEdit(&ventana)};
    Marco()
    {
        ventana.resize(300, 60);
        caja->setReadOnly(true);
        caja->setGeometry(5, 5, 80, 24);
        ventana.show();
    }
};

// What the box shows: its own picture.
QImage Imagen(QLineEdit& caja)
{
    QApplication::processEvents();
    return caja.grab().toImage();
}

// The program rewrites read-outs with the text they already hold (both
// cursors on one sample): a QLineEdit then shows the end of a long text.
TEST(TextBox, EveryAssignmentShowsTheBeginningAlsoOfTheSameText)
{
    struct Caso {
        const char* que;
        std::function<void(QLineEdit&)> escribir;
    };
    const Caso casos[] = {
        {"one text", [](QLineEdit& c) { c.setText(kLargo); }},
        {"the same text twice",
         [](QLineEdit& c) {
             c.setText(kLargo);
             c.setText(kLargo);
         }},
        {"a short text, then a long one",
         [](QLineEdit& c) {
             c.setText("IA");
             c.setText(kLargo);
         }},
    };
    Marco referencia;
    referencia.caja->setText(kLargo);
    referencia.caja->setCursorPosition(0);
    const QImage esperada = Imagen(*referencia.caja);

    for (const Caso& c : casos) {
        Marco m;
        MostrarPrincipio(*m.caja);
        c.escribir(*m.caja);
        EXPECT_EQ(m.caja->cursorPosition(), 0) << c.que;
        EXPECT_EQ(Imagen(*m.caja), esperada) << c.que;
    }

    Marco sin;
    sin.caja->setText(kLargo);
    EXPECT_NE(Imagen(*sin.caja), esperada) << "a plain box would pass without the helper";
}

TEST(TextBox, UserCaretInAFocusedBoxIsLeftAlone)
{
    Marco m;
    MostrarPrincipio(*m.caja);
    m.caja->setText(kLargo);
    m.ventana.activateWindow();
    m.caja->setFocus();
    QApplication::processEvents();
    if (!m.caja->hasFocus())
        GTEST_SKIP() << "no focus on this platform";
    m.caja->setCursorPosition(10);
    m.caja->setSelection(3, 5);
    EXPECT_EQ(m.caja->selectedText(), kLargo.mid(3, 5));
}

} // namespace
} // namespace vesdra
