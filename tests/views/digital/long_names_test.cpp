// Signals with long names that share their start, on the screens users
// have: the digital view's row names and its analog channel's name give way
// in the middle, so that names differing only at their end read apart, and
// show whole on hover; the analog values show whole.
#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

#include "common/screen_fixture.h"
#include "common/test_support.h"
#include "digital_fixture.h"
#include "platform/base/name_elide.h"
#include "platform/picture_box.h"
#include "platform/scroll_bar.h"
#include "record/record_model.h"
#include "templates/template_state.h"
#include "views/digital/frm19.h"

using namespace vesdra;

namespace {

using LongNames = test::EnPantalla<test::DigitalFixture>;

TEST_P(LongNames, RowNamesReadApartAndShowWholeOnHover)
{
    const QStringList nombres{test::NombreLargo(QStringLiteral("DISPARO 21 ZONA 1")),
                              test::NombreLargo(QStringLiteral("DISPARO 21 ZONA 2")),
                              test::NombreLargo(QStringLiteral("DISPARO 21 ZONA 3"))};
    for (std::int32_t m = 3; m <= 5; ++m)
        Plantillas().TablaMiembrosDigitales(m, 2) = nombres[m - 3];
    Registro().TablaCanales(1, 2) = test::NombreLargo(QStringLiteral("INTENSIDAD FASE C"));
    frm19* v = AbrirVista(2, 0);
    ASSERT_NE(v, nullptr);
    v->HScroll1->SetValue(55);

    QStringList vistos;
    for (std::size_t i = 1; i <= 3; ++i) {
        ElidedLineEdit& caja = *v->label[i];
        EXPECT_EQ(caja.text(), nombres[static_cast<qsizetype>(i - 1)]);
        EXPECT_TRUE(caja.IsCut());
        EXPECT_EQ(test::AyudaAlPasar(caja), caja.text());
        vistos << caja.VisibleText();
    }
    EXPECT_TRUE(test::TodosDistintos(vistos));

    EXPECT_TRUE(v->lblanalog->VisibleText().endsWith(QStringLiteral(" C")))
        << v->lblanalog->VisibleText().toStdString() << " of " << v->lblanalog->text().toStdString();
    EXPECT_EQ(test::AyudaAlPasar(*v->lblanalog), v->lblanalog->text());
    for (const QLineEdit* valor : {static_cast<QLineEdit*>(v->lblamar), static_cast<QLineEdit*>(v->lblcian)})
        EXPECT_TRUE(test::TextoEnteroEnCaja(*valor)) << valor->text().toStdString();
}

// A text as drawn, its lines joined (they break between words) and a
// trailing "…" of a cut window left out.
QString Unido(const QString& visible)
{
    QString t = visible;
    t.replace(QLatin1Char('\n'), QLatin1Char(' '));
    if (t.endsWith(Ellipsis()))
        t.chop(Ellipsis().size());
    return t;
}

// Where a window shown of `texto` from `desde` ends in it, its lines'
// breaks and blanks aside; -1 when it is not what the text holds there.
qsizetype FinDeVentana(const QString& texto, qsizetype desde, const QString& ventana)
{
    qsizetype i = desde;
    for (const QChar c : ventana) {
        if (c.isSpace())
            continue;
        while (i < texto.size() && texto.at(i).isSpace())
            ++i;
        if (i >= texto.size() || texto.at(i) != c)
            return -1;
        ++i;
    }
    return i;
}

// A substation's signals (57-64 characters, one long shared start): seven
// rows of one group, three of them ending in "FASE A", each row showing what
// tells it from every signal of the template, on two lines where the rows'
// height holds them; the analog channel's name showing what tells it from
// the record's other channels; the names' bar bringing every part of every
// name into view.
TEST_P(LongNames, SubstationSignalsReadApartAndTheNamesBarShowsEveryPart)
{
    const QStringList digitales = test::NombresSubestacion::Digitales();
    TemplateState& p = Plantillas();
    p.NumGruposDigitales = 2;
    p.TablaGruposDigitales.Resize(2, 2);
    p.TablaGruposDigitales(1, 1) = test::NombresSubestacion::Grupos()[0];
    p.TablaGruposDigitales(1, 2) = QStringLiteral("7");
    p.TablaGruposDigitales(2, 1) = test::NombresSubestacion::Grupos()[1];
    p.TablaGruposDigitales(2, 2) = QString::number(digitales.size() - 7);
    p.TablaMiembrosDigitales.Resize(static_cast<std::int32_t>(digitales.size()), 2);
    for (std::int32_t m = 1; m <= digitales.size(); ++m) {
        p.TablaMiembrosDigitales(m, 1) = QString::number((m - 1) % 4 + 1);
        p.TablaMiembrosDigitales(m, 2) = digitales[m - 1];
    }
    p.NumMiembrosDigitales = static_cast<std::int32_t>(digitales.size());
    const QStringList analogicos = test::NombresSubestacion::Analogicos();
    const QStringList captions = test::NombresSubestacion::Circuitos();
    for (std::int32_t f = 1; f <= 3; ++f) {
        Registro().TablaCanales(f, 2) = analogicos[f + 2];
        Registro().TablaCanales(f, 3) = captions[f + 2];
    }
    frm19* v = AbrirVista(1, 0);
    ASSERT_NE(v, nullptr);

    QStringList vistos;
    for (std::size_t i = 1; i <= 7; ++i) {
        ElidedLineEdit& caja = *v->label[i];
        ASSERT_EQ(caja.text(), digitales[static_cast<qsizetype>(i - 1)]);
        EXPECT_EQ(test::AyudaAlPasar(caja), caja.text());
        // Inside the picture left of the axis, clear of the other boxes and the bars.
        EXPECT_TRUE(v->Picture1->rect().contains(caja.geometry())) << i;
        EXPECT_LE(caja.geometry().right(), test::ColumnaPixel(1200)) << i;
        for (const QWidget* otro : std::initializer_list<const QWidget*>{
                 v->label[i - 1], v->label[i + 1], v->HScroll_Analog, v->HScroll_Nombres, v->lblcian})
            EXPECT_TRUE(!otro || !caja.geometry().intersects(otro->geometry())) << i;
        vistos << Unido(caja.VisibleText());
        // Where the rows' height holds two lines a name whose distinct part
        // does not fit one takes them.
        if (GetParam().Alto >= 1024 && i <= 6) {
            EXPECT_EQ(caja.VisibleText().count('\n'), 1) << "two lines: " << caja.VisibleText().toStdString();
        }
    }
    for (qsizetype i = 0; i < vistos.size(); ++i) {
        EXPECT_TRUE(ReadsAs(vistos[i], digitales[i])) << vistos[i].toStdString();
        for (qsizetype j = 0; j < digitales.size(); ++j)
            EXPECT_TRUE(j == i || !ReadsAs(vistos[i], digitales[j]))
                << vistos[i].toStdString() << " reads as " << digitales[j].toStdString();
    }
    const QString analogico = v->lblanalog->VisibleText();
    EXPECT_TRUE(ReadsAs(analogico, captions[3])) << analogico.toStdString();
    for (qsizetype j = 4; j <= 5; ++j)
        EXPECT_FALSE(ReadsAs(analogico, captions[j])) << analogico.toStdString();
    EXPECT_EQ(test::AyudaAlPasar(*v->lblanalog), captions[3]);
    // A click restores the box's text and leaves it drawn so, not turned
    // into a field showing the name's start.
    QApplication::setActiveWindow(v->window());
    QTest::mouseClick(v->lblanalog, Qt::LeftButton);
    QTest::mouseClick(v->label[2], Qt::LeftButton);
    EXPECT_EQ(v->lblanalog->VisibleText(), analogico);
    EXPECT_EQ(Unido(v->label[2]->VisibleText()), vistos[1]);

    // Step by step along the names' bar every box is a window onto its name
    // from where the bar stands: together the windows hold every character
    // but the first, which the bar's first step leaves behind as the original
    // scroll does (it belongs to the start the names share; the tip has it).
    EXPECT_TRUE(v->HScroll_Nombres->isVisibleTo(v));
    EXPECT_TRUE(v->Picture1->rect().contains(v->HScroll_Nombres->geometry()));
    std::vector<std::vector<bool>> vistas;
    for (const QString& n : digitales.mid(0, 7))
        vistas.emplace_back(static_cast<std::size_t>(n.size()), false);
    for (std::int32_t pos = 1; pos <= v->HScroll_Nombres->Max(); ++pos) {
        v->HScroll_Nombres->SetValue(pos);
        for (std::size_t i = 1; i <= 7; ++i) {
            const QString& nombre = digitales[static_cast<qsizetype>(i - 1)];
            if (pos >= nombre.size())
                continue;
            const QString desde = nombre.mid(pos);
            ASSERT_EQ(v->label[i]->text(), desde);
            const QString ventana = Unido(v->label[i]->VisibleText());
            const qsizetype fin = FinDeVentana(nombre, pos, ventana);
            ASSERT_GE(fin, pos) << pos << ": " << v->label[i]->VisibleText().toStdString();
            for (qsizetype k = pos; k < fin; ++k)
                vistas[i - 1][static_cast<std::size_t>(k)] = true;
        }
    }
    for (std::size_t i = 0; i < vistas.size(); ++i)
        for (std::size_t k = 1; k < vistas[i].size(); ++k)
            EXPECT_TRUE(vistas[i][k]) << "row " << i + 1 << " never shows character " << k;
}

INSTANTIATE_TEST_SUITE_P(Screens, LongNames,
                         ::testing::Values(test::PantallaPrueba{800, 600}, test::PantallaPrueba{1280, 1024}),
                         [](const auto& i) { return test::NombrePantalla(i.param); });

} // namespace
