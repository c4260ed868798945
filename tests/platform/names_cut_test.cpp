// Names too long for their controls: a drop-down shows a long name's start
// and lists every name whole, a cut name shows whole on hover, and a label
// cut in the middle keeps names that share their start apart.
#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QSet>
#include <QWidget>
#include <vector>

#include "common/test_support.h"
#include "platform/elided_label.h"
#include "platform/text_box.h"

namespace vesdra {
namespace {

using test::AyudaAlPasar;

// Signals of one kind for phases A, B and C, as recorders name them.
const QStringList kNombres{QStringLiteral("DISPARO MONOFASICO INTERRUPTOR FASE A"),
                           QStringLiteral("DISPARO MONOFASICO INTERRUPTOR FASE B"),
                           QStringLiteral("DISPARO MONOFASICO INTERRUPTOR FASE C"), QStringLiteral("IN")};

TEST(NamesCut, ADropDownShowsTheStartListsEveryNameWholeAndTipsACutEntry)
{
    QWidget ventana;
    ventana.resize(400, 200);
    auto* lista = new QComboBox(&ventana);
    lista->setEditable(true);
    lista->setGeometry(5, 5, 110, 24);
    lista->addItems(kNombres);
    lista->setEditText(kNombres[0]);
    ventana.show();
    AjustarDesplegable(*lista);
    QApplication::processEvents();

    EXPECT_EQ(lista->lineEdit()->cursorPosition(), 0) << "the start of a long name in sight";
    lista->setCurrentIndex(1); // picked from the list
    EXPECT_EQ(lista->lineEdit()->text(), kNombres[1]);
    EXPECT_EQ(lista->lineEdit()->cursorPosition(), 0);
    const QFontMetrics fm(lista->view()->font());
    for (const QString& n : kNombres)
        EXPECT_GE(lista->view()->minimumWidth(), fm.horizontalAdvance(n)) << n.toStdString();

    EXPECT_TRUE(TextoRecortado(*lista->lineEdit()));
    EXPECT_EQ(AyudaAlPasar(*lista->lineEdit()), kNombres[1]);
    lista->setEditText(kNombres[3]);
    EXPECT_FALSE(TextoRecortado(*lista->lineEdit())) << "a name shown whole needs no tip";
}

TEST(NamesCut, ACutOptionCaptionShowsWholeOnHover)
{
    QWidget ventana;
    auto* opcion = new QRadioButton(kNombres[2], &ventana);
    opcion->setGeometry(5, 5, 90, 24);
    ventana.show();
    AyudaSiRecortado(*opcion);
    EXPECT_TRUE(TextoRecortado(*opcion));
    EXPECT_EQ(AyudaAlPasar(*opcion), kNombres[2]);
    opcion->setText(QStringLiteral("IN"));
    EXPECT_FALSE(TextoRecortado(*opcion));
}

TEST(NamesCut, ALabelCutInTheMiddleKeepsNamesThatShareTheirStartApart)
{
    QWidget ventana;
    std::vector<ElidedLabel*> etiquetas;
    for (int i = 0; i < 3; ++i) {
        auto* l = new ElidedLabel(Qt::ElideMiddle, &ventana);
        l->setGeometry(5, 5 + 30 * i, 90, 24);
        l->setText(kNombres[i]);
        etiquetas.push_back(l);
    }
    ventana.show();
    QSet<QString> vistos;
    for (ElidedLabel* l : etiquetas) {
        EXPECT_TRUE(l->Recortado());
        EXPECT_LE(l->fontMetrics().horizontalAdvance(l->TextoVisible()), l->contentsRect().width());
        vistos.insert(l->TextoVisible());
        EXPECT_EQ(AyudaAlPasar(*l), l->text());
    }
    EXPECT_EQ(vistos.size(), 3) << "phases A, B and C read apart";
}

} // namespace
} // namespace vesdra
