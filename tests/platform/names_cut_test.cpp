// Names too long for their controls: a drop-down shows a long name's start
// and lists every name whole, a cut name shows whole on hover, and a label
// cut in the middle keeps names that share their start apart.
#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QHelpEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QRadioButton>
#include <QSet>
#include <QToolTip>
#include <QWidget>
#include <functional>
#include <vector>

#include "common/test_support.h"
#include "platform/elided_check_box.h"
#include "platform/elided_label.h"
#include "platform/elided_line_edit.h"
#include "platform/mdi_forms.h"
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
        EXPECT_TRUE(l->IsCut());
        EXPECT_LE(l->fontMetrics().horizontalAdvance(l->VisibleText()), l->contentsRect().width());
        vistos.insert(l->VisibleText());
        EXPECT_EQ(AyudaAlPasar(*l), l->text());
    }
    EXPECT_EQ(vistos.size(), 3) << "phases A, B and C read apart";
}

// The rightmost column of a box's picture that differs from its background
// inside its frame: where its drawn text ends.
int FinDeTinta(QWidget& caja)
{
    const QImage img = caja.grab().toImage();
    const QColor fondo = caja.palette().color(QPalette::Base);
    int fin = -1;
    for (int y = 3; y < img.height() - 3; ++y)
        for (int x = 3; x < img.width() - 3; ++x) {
            const QColor c = img.pixelColor(x, y);
            if (std::abs(c.red() - fondo.red()) + std::abs(c.green() - fondo.green()) +
                    std::abs(c.blue() - fondo.blue()) >
                60)
                fin = std::max(fin, x);
        }
    return fin;
}

TEST(NamesCut, AReadOutKeepsItsValueWholeAndCutsTheNameInTheMiddle)
{
    QWidget ventana;
    ventana.resize(600, 300);
    std::vector<ElidedLineEdit*> cajas;
    for (int i = 0; i < 3; ++i)
        cajas.push_back(test::CajaLectura(ventana, QRect(5, 5 + 30 * i, 190, 24), kNombres[i],
                                          QStringLiteral("-13.950 kV")));
    ventana.show();
    QSet<QString> vistos;
    for (ElidedLineEdit* c : cajas) {
        const QString visible = c->VisibleText();
        EXPECT_EQ(c->text(), c->text().left(37) + QStringLiteral(": -13.950 kV")) << "text() stays whole";
        EXPECT_TRUE(c->IsCut());
        EXPECT_TRUE(visible.endsWith(QStringLiteral(": -13.950 kV"))) << visible.toStdString();
        EXPECT_TRUE(visible.startsWith(QStringLiteral("DIS"))) << visible.toStdString();
        EXPECT_TRUE(visible.contains(QChar(0x2026))) << visible.toStdString();
        EXPECT_LT(FinDeTinta(*c), c->width() - MargenesDe(*c).Horizontal / 2)
            << "drawn inside the box: " << visible.toStdString();
        EXPECT_EQ(AyudaAlPasar(*c), c->text());
        vistos.insert(visible);
    }
    EXPECT_EQ(vistos.size(), 3) << "phases A, B and C read apart";

    // The sideways scroll drops characters from the start: the value stays.
    ElidedLineEdit& c = *cajas[0];
    c.setText(c.text().mid(8));
    EXPECT_TRUE(c.VisibleText().endsWith(QStringLiteral(": -13.950 kV"))) << c.VisibleText().toStdString();
    // A plain name: cut in the middle.
    c.setText(kNombres[2] + kNombres[2]);
    EXPECT_TRUE(c.VisibleText().endsWith(QStringLiteral("FASE C"))) << c.VisibleText().toStdString();
    // Wide enough: whole, no tip, drawn as any line edit draws it.
    c.ShowReadOut(QStringLiteral("IN"), QStringLiteral(": "), QStringLiteral("1.000 A"));
    EXPECT_FALSE(c.IsCut());
    EXPECT_EQ(c.VisibleText(), c.text());
    // With the focus the box scrolls through its whole text as a line edit does.
    QApplication::setActiveWindow(&ventana);
    cajas[1]->setFocus();
    EXPECT_EQ(cajas[1]->VisibleText(), cajas[1]->text());
}

TEST(NamesCut, AReadOutSetAgainToWhatItShowsIsNotRepainted)
{
    QWidget ventana;
    ventana.resize(600, 300);
    // The focus is elsewhere (on the view's scroll bar, say).
    auto* barra = new QLineEdit(&ventana);
    barra->setGeometry(5, 40, 100, 24);
    auto* c = new ElidedLineEdit(&ventana);
    c->setReadOnly(true);
    MostrarPrincipio(*c);
    c->setGeometry(5, 5, 190, 24);
    const auto lectura = [c](const QString& nombre, const QString& valor) {
        c->ShowReadOut(nombre, QStringLiteral(": "), valor);
    };
    lectura(kNombres[0], QStringLiteral("-13.950 kV"));
    ventana.show();
    barra->setFocus();
    // The first paint done, as the box stands between cursor moves.
    for (int i = 0; i < 5; ++i)
        QApplication::processEvents();
    test::PaintCount pintados;
    c->installEventFilter(&pintados);
    const auto pintadoTras = [&pintados](const std::function<void()>& cambio) {
        pintados.count = 0;
        cambio();
        QApplication::processEvents();
        return pintados.count > 0;
    };

    // The other cursor's read-outs are set again at every cursor move.
    EXPECT_FALSE(pintadoTras([&] { lectura(kNombres[0], QStringLiteral("-13.950 kV")); }));
    EXPECT_TRUE(pintadoTras([&] { lectura(kNombres[0], QStringLiteral("-13.951 kV")); }));
    // The same text split elsewhere is cut by the new rule.
    const QString texto = c->text();
    EXPECT_TRUE(pintadoTras([&] { c->ShowReadOut(texto.left(10), QString(), texto.mid(10)); }));
    EXPECT_EQ(c->text(), texto);
}

TEST(NamesCut, CheckBoxesListsAndWindowTitlesCutInTheMiddleAndShowWholeOnHover)
{
    QWidget ventana;
    ventana.resize(700, 500);
    QStringList vistos;

    // Check boxes.
    std::vector<ElidedCheckBox*> casillas;
    for (int i = 0; i < 3; ++i) {
        auto* c = new ElidedCheckBox(&ventana);
        c->setGeometry(5, 5 + 25 * i, 150, 22);
        c->setText(kNombres[i]);
        casillas.push_back(c);
    }
    // A list.
    auto* lista = new QListWidget(&ventana);
    lista->setGeometry(200, 5, 140, 120);
    NombresEnLista(*lista);
    lista->addItems(kNombres);
    // Sub-windows of an MDI area.
    auto* area = new QMdiArea(&ventana);
    area->setGeometry(5, 150, 690, 340);
    std::vector<QMdiSubWindow*> subs;
    for (int i = 0; i < 3; ++i) {
        auto* w = new QWidget;
        w->setWindowTitle(kNombres[i]);
        QMdiSubWindow* sub = area->addSubWindow(w);
        TituloCortadoEnMedio(*sub);
        sub->setGeometry(5 + 230 * i, 5, 220, 150);
        sub->show();
        subs.push_back(sub);
    }
    ventana.show();
    (void)ventana.grab(); // the title bars are drawn

    for (ElidedCheckBox* c : casillas) {
        EXPECT_TRUE(c->IsCut());
        EXPECT_EQ(c->text(), kNombres[vistos.size()]) << "the caption stays whole";
        EXPECT_EQ(AyudaAlPasar(*c), c->text());
        vistos << c->VisibleText();
    }
    EXPECT_TRUE(test::TodosDistintos(vistos)) << "check boxes";

    vistos.clear();
    for (int fila = 0; fila < 3; ++fila) {
        const QString visible = TextoVisibleEnLista(*lista, fila);
        EXPECT_TRUE(visible.contains(QChar(0x2026))) << visible.toStdString();
        EXPECT_LE(lista->fontMetrics().horizontalAdvance(visible), lista->viewport()->width());
        const QPoint centro = lista->visualRect(lista->model()->index(fila, 0)).center();
        QHelpEvent e(QEvent::ToolTip, centro, lista->viewport()->mapToGlobal(centro));
        QApplication::sendEvent(lista->viewport(), &e);
        EXPECT_EQ(QToolTip::text(), kNombres[fila]);
        QToolTip::hideText();
        vistos << visible;
    }
    EXPECT_EQ(TextoVisibleEnLista(*lista, 3), QStringLiteral("IN")) << "a short name whole";
    EXPECT_TRUE(test::TodosDistintos(vistos)) << "list entries";

    vistos.clear();
    for (QMdiSubWindow* sub : subs) {
        const QString visible = TituloVisible(*sub);
        EXPECT_TRUE(visible.contains(QChar(0x2026))) << visible.toStdString();
        EXPECT_EQ(sub->windowTitle(), sub->widget()->windowTitle()) << "the caption stays whole";
        // Hovering the title bar shows the whole caption.
        QHelpEvent barra(QEvent::ToolTip, QPoint(60, 8), sub->mapToGlobal(QPoint(60, 8)));
        QApplication::sendEvent(sub, &barra);
        EXPECT_EQ(QToolTip::text(), sub->windowTitle());
        QToolTip::hideText();
        vistos << visible;
    }
    EXPECT_TRUE(test::TodosDistintos(vistos)) << "window titles";
}

} // namespace
} // namespace vesdra
