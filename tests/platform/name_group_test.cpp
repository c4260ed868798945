// Names shown beside each other give way knowing each other: in boxes,
// labels, options, lists and drop-downs alike, no two read alike, and a
// name that changes redraws the others.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QListWidget>
#include <QTest>
#include <functional>
#include <vector>

#include "common/test_support.h"
#include "platform/elided_check_box.h"
#include "platform/elided_label.h"
#include "platform/elided_line_edit.h"
#include "platform/name_group.h"
#include "platform/text_box.h"

namespace vesdra {
namespace {

using test::NombresSubestacion;
using test::SeLeenAparte;

TEST(NameGroup, BoxesLabelsAndOptionsOfOneGroupReadApart)
{
    const QStringList nombres = NombresSubestacion::Analogicos().mid(0, 6);
    QWidget ventana;
    ventana.resize(900, 400);
    NameGroup grupo(&ventana);
    std::vector<ElidedLineEdit*> lecturas;
    std::vector<ElidedLabel*> etiquetas;
    std::vector<ElidedRadioButton*> opciones;
    for (int i = 0; i < 6; ++i) {
        auto* l = test::CajaLectura(ventana, QRect(5, 5 + 30 * i, 210, 24), nombres[i],
                                    QStringLiteral("-123456.789 kV"));
        l->SetNameGroup(&grupo);
        lecturas.push_back(l);
        auto* e = new ElidedLabel(Qt::ElideMiddle, &ventana);
        e->setGeometry(230, 5 + 30 * i, 120, 24);
        e->setText(nombres[i]);
        e->SetNameGroup(&grupo);
        etiquetas.push_back(e);
        auto* o = new ElidedRadioButton(&ventana);
        o->setGeometry(360, 5 + 30 * i, 150, 24);
        o->setText(nombres[i]);
        o->SetNameGroup(&grupo);
        opciones.push_back(o);
    }
    ventana.show();
    QStringList vistosL, vistosE, vistosO;
    for (int i = 0; i < 6; ++i) {
        const QString l = lecturas[i]->VisibleText();
        ASSERT_TRUE(l.endsWith(QStringLiteral(": -123456.789 kV"))) << l.toStdString();
        vistosL.append(l.chopped(QStringLiteral(": -123456.789 kV").size()));
        vistosE.append(etiquetas[i]->VisibleText());
        vistosO.append(opciones[i]->VisibleText());
        EXPECT_TRUE(lecturas[i]->IsCut());
        EXPECT_EQ(test::AyudaAlPasar(*etiquetas[i]), nombres[i]);
        EXPECT_EQ(test::AyudaAlPasar(*opciones[i]), nombres[i]);
    }
    EXPECT_TRUE(SeLeenAparte(vistosL, nombres)) << vistosL.join(QStringLiteral(" | ")).toStdString();
    EXPECT_TRUE(SeLeenAparte(vistosE, nombres)) << vistosE.join(QStringLiteral(" | ")).toStdString();
    EXPECT_TRUE(SeLeenAparte(vistosO, nombres)) << vistosO.join(QStringLiteral(" | ")).toStdString();
    // Without the group, the same boxes cut every name alike at the start.
    ElidedRadioButton sola(&ventana);
    sola.setGeometry(360, 5, 150, 24);
    sola.setText(nombres[0]);
    EXPECT_TRUE(sola.VisibleText().startsWith(QStringLiteral("SUB"))) << sola.VisibleText().toStdString();

    // A name that changes redraws the other members, which now give way
    // against it; a value that changes does not.
    for (int i = 0; i < 5; ++i)
        QApplication::processEvents();
    test::PaintCount pintados;
    etiquetas[1]->installEventFilter(&pintados);
    lecturas[0]->ShowReadOut(nombres[0], QStringLiteral(": "), QStringLiteral("1.000 kV"));
    QApplication::processEvents();
    QApplication::processEvents();
    EXPECT_EQ(pintados.count, 0) << "a value alone changed";
    etiquetas[0]->setText(nombres[1] + QStringLiteral(" 2"));
    QApplication::processEvents();
    QApplication::processEvents();
    EXPECT_GT(pintados.count, 0);
}

TEST(NameGroup, ListEntriesAndTheClosedDropDownGiveWayAgainstTheOtherEntries)
{
    const QStringList nombres = NombresSubestacion::Circuitos();
    QWidget ventana;
    ventana.resize(600, 400);
    auto* lista = new QListWidget(&ventana);
    lista->setGeometry(5, 5, 160, 300);
    lista->addItems(nombres);
    NombresEnLista(*lista);
    auto* desplegable = new QComboBox(&ventana);
    desplegable->setEditable(true);
    desplegable->setLineEdit(new ElidedLineEdit(desplegable));
    desplegable->setGeometry(200, 5, 160, 26);
    desplegable->addItems(nombres);
    AjustarDesplegable(*desplegable);
    auto* otro = new QLineEdit(&ventana);
    otro->setGeometry(200, 100, 100, 24);
    ventana.show();
    QApplication::setActiveWindow(&ventana);
    otro->setFocus();
    QStringList vistos, cerrados;
    const auto dibujados = test::TextosDibujados(*lista);
    for (int i = 0; i < nombres.size(); ++i) {
        vistos.append(TextoVisibleEnLista(*lista, i));
        // What the list draws is what it says it shows.
        EXPECT_EQ(dibujados.at({i, 0}), vistos.back());
        desplegable->setCurrentIndex(i);
        cerrados.append(static_cast<ElidedLineEdit*>(desplegable->lineEdit())->VisibleText());
    }
    EXPECT_TRUE(SeLeenAparte(vistos, nombres)) << vistos.join(QStringLiteral(" | ")).toStdString();
    EXPECT_TRUE(SeLeenAparte(cerrados, nombres)) << cerrados.join(QStringLiteral(" | ")).toStdString();
    EXPECT_TRUE(TextoRecortado(*desplegable));
    EXPECT_EQ(test::AyudaAlPasar(*desplegable->lineEdit()), nombres.back());

    // A pick leaves the focus on the drop-down: its entry stays cut until
    // the user types into it.
    auto* entrada = static_cast<ElidedLineEdit*>(desplegable->lineEdit());
    desplegable->setFocus();
    ASSERT_TRUE(entrada->hasFocus());
    desplegable->setCurrentIndex(0);
    EXPECT_EQ(entrada->VisibleText(), cerrados.front());
    QTest::keyClick(entrada, Qt::Key_End);
    QTest::keyClick(entrada, Qt::Key_X);
    EXPECT_EQ(entrada->VisibleText(), nombres.front() + QLatin1Char('x'));
    desplegable->setCurrentIndex(1);
    EXPECT_EQ(entrada->VisibleText(), cerrados[1]);
}

// Labels and check boxes alike: each shown with room for two lines.
template <class Caja> void ExpectDosLineas(int ancho, const std::function<Caja*(QWidget*)>& crear)
{
    const QStringList nombres = NombresSubestacion::Trifasicos();
    QWidget ventana;
    ventana.resize(600, 400);
    NameGroup grupo(&ventana);
    std::vector<Caja*> cajas;
    for (int i = 0; i < 2; ++i) {
        Caja* e = crear(&ventana);
        e->setGeometry(5, 5 + 60 * i, ancho, 2 * e->fontMetrics().lineSpacing() + 4);
        e->SetMaxLines(2);
        e->setText(nombres[i]);
        e->SetNameGroup(&grupo);
        cajas.push_back(e);
    }
    ventana.show();
    for (Caja* e : cajas) {
        EXPECT_EQ(e->VisibleText().count(QLatin1Char('\n')), 1) << e->VisibleText().toStdString();
        EXPECT_FALSE(e->IsCut()) << "the whole name on two lines: " << e->VisibleText().toStdString();
        EXPECT_EQ(test::AyudaAlPasar(*e), QString()) << "nothing to show on hover";
    }
    // Half the width: the shared start gives way, still on two lines at most.
    QStringList vistos;
    for (Caja* e : cajas) {
        e->resize(ancho - 140, e->height());
        EXPECT_LE(e->VisibleText().count(QLatin1Char('\n')), 1);
        vistos.append(e->VisibleText().replace(QLatin1Char('\n'), QLatin1Char(' ')));
        EXPECT_TRUE(e->IsCut());
        EXPECT_EQ(test::AyudaAlPasar(*e), e->text());
    }
    EXPECT_TRUE(SeLeenAparte(vistos, nombres)) << vistos.join(QStringLiteral(" | ")).toStdString();
    // Too low for two lines: one.
    for (Caja* e : cajas) {
        e->resize(e->width(), e->fontMetrics().lineSpacing() + 4);
        EXPECT_EQ(e->VisibleText().count(QLatin1Char('\n')), 0) << e->VisibleText().toStdString();
    }
}

TEST(NameGroup, ALabelWithRoomForTwoLinesUsesThem)
{
    ExpectDosLineas<ElidedLabel>(250, [](QWidget* w) { return new ElidedLabel(Qt::ElideMiddle, w); });
}

TEST(NameGroup, ACheckBoxWithRoomForTwoLinesUsesThem)
{
    // The tick takes part of the width: the caption has what is left.
    ExpectDosLineas<ElidedCheckBox>(275, [](QWidget* w) { return new ElidedCheckBox(w); });
}

} // namespace
} // namespace vesdra
