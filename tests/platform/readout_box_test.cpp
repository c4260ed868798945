// The read-out boxes of the views: scrolled sideways a box is a window onto
// its text; a read-out's name keeps its cut while its value changes; a box
// with room for two lines draws the name above the value.
#include <gtest/gtest.h>

#include <QWidget>
#include <vector>

#include "common/test_support.h"
#include "platform/base/readout_fit.h"
#include "platform/elided_line_edit.h"
#include "platform/name_group.h"
#include "platform/text_box.h"

namespace vesdra {
namespace {

const QString kSep = QStringLiteral(": ");

struct Cajas {
    QWidget ventana;
    NameGroup grupo;
    std::vector<ElidedLineEdit*> cajas;
    explicit Cajas(QSize tamano, int n = 3)
    {
        ventana.resize(tamano.width() + 10, n * (tamano.height() + 5) + 5);
        for (int i = 0; i < n; ++i) {
            auto* c = new ElidedLineEdit(&ventana);
            c->setReadOnly(true);
            c->setGeometry(5, 5 + i * (tamano.height() + 5), tamano.width(), tamano.height());
            c->SetNameGroup(&grupo);
            cajas.push_back(c);
        }
        grupo.AddNames([] { return test::NombresSubestacion::Analogicos(); });
        ventana.show();
    }
};

TEST(ReadOutBox, ScrolledSidewaysABoxShowsItsTextFromWhereTheBarStands)
{
    Cajas c(QSize(150, 24));
    const QString nombre = test::NombresSubestacion::Analogicos()[3];
    ElidedLineEdit& caja = *c.cajas[0];
    caja.setText(nombre);
    ASSERT_TRUE(caja.IsCut());
    // Every position shows the text from its own character on, so stepping
    // the bar along brings every part of the name into view.
    for (qsizetype p = 1; p < nombre.size(); p += 7) {
        const QString desde = nombre.mid(p);
        caja.ShowScrolled(nombre, desde);
        EXPECT_EQ(caja.text(), desde);
        QString visto = caja.VisibleText();
        if (visto.endsWith(Ellipsis()))
            visto.chop(1);
        EXPECT_FALSE(visto.isEmpty()) << p;
        EXPECT_TRUE(desde.startsWith(visto)) << p << ": " << caja.VisibleText().toStdString();
        EXPECT_EQ(test::AyudaAlPasar(caja), nombre) << p;
    }
    // A read-out keeps its value whole after the window.
    caja.ShowReadOut(nombre, kSep, QStringLiteral("-46.678 A"));
    const QString lectura = caja.text();
    caja.ShowScrolled(lectura, lectura.mid(20));
    EXPECT_TRUE(caja.VisibleText().endsWith(QString(Ellipsis()) + kSep + QStringLiteral("-46.678 A")))
        << caja.VisibleText().toStdString();
    EXPECT_TRUE(lectura.mid(20).startsWith(caja.VisibleText().left(10)));
    // The whole text set again is drawn by the name rule.
    caja.setText(nombre);
    EXPECT_TRUE(test::SeLeenAparte({caja.VisibleText()}, {nombre}));
    EXPECT_FALSE(ReadsAs(caja.VisibleText(), test::NombresSubestacion::Analogicos()[0]));
}

TEST(ReadOutBox, ANamesCutStaysWhereItIsWhileItsValueChangesWidth)
{
    Cajas c(QSize(260, 24), 2);
    const QString nombre = test::NombresSubestacion::Analogicos()[4];
    const QStringList valores{QStringLiteral("0.5 A"), QStringLiteral("-46.678 A"),
                              QStringLiteral("12345.678 A")};
    ElidedLineEdit& fija = *c.cajas[0];
    ElidedLineEdit& libre = *c.cajas[1];
    fija.ReserveValueRoom({QStringLiteral("-12345.678 A")});
    QStringList partesFija;
    QStringList partesLibre;
    for (const QString& v : valores) {
        fija.ShowReadOut(nombre, kSep, v);
        libre.ShowReadOut(nombre, kSep, v);
        EXPECT_TRUE(test::LecturaConValorEntero(fija, nombre, v));
        partesFija << NameShown({fija.VisibleText()}, kSep, v);
        partesLibre << NameShown({libre.VisibleText()}, kSep, v);
    }
    EXPECT_EQ(partesFija.removeDuplicates(), 2) << partesFija.join('|').toStdString();
    EXPECT_LT(partesLibre.removeDuplicates(), 2) << "a box with no room kept moves its cut";
}

TEST(ReadOutBox, WithRoomForTwoLinesTheNameStandsAboveItsWholeValue)
{
    Cajas c(QSize(100, 44), 3);
    const QStringList nombres = test::NombresSubestacion::Analogicos();
    const QString valor = QStringLiteral("-46.678 kV");
    QStringList partes;
    for (int i = 0; i < 3; ++i) {
        ElidedLineEdit& caja = *c.cajas[static_cast<std::size_t>(i)];
        FijarPixelesFuente(caja, 13);
        caja.SetMaxLines(2);
        caja.ShowReadOut(nombres[i], kSep, valor);
        const QStringList lineas = caja.VisibleText().split('\n');
        ASSERT_EQ(lineas.size(), 2) << caja.VisibleText().toStdString();
        EXPECT_TRUE(test::LecturaConValorEntero(caja, nombres[i], valor));
        partes << NameShown(lineas, kSep, valor);
        // Drawn as two lines of text, one under the other.
        EXPECT_EQ(test::InkRowBands(caja, 3).size(), 2u);
    }
    EXPECT_TRUE(test::SeLeenAparte(partes, nombres.mid(0, 3))) << partes.join('|').toStdString();

    // One line where the height holds only one, whatever the box may take.
    ElidedLineEdit& baja = *c.cajas[0];
    baja.resize(100, 22);
    EXPECT_EQ(baja.VisibleText().count('\n'), 0);
    EXPECT_EQ(test::InkRowBands(baja, 3).size(), 1u);
}

} // namespace
} // namespace vesdra
