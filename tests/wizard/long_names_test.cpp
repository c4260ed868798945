// The wizard on the screens users have, with the sample model's channel
// names and with long names that share their start: step 2's phase slots
// show the phase, its lists and step 3's lists tell names that differ only
// at their end apart and show them whole on hover, and steps 3 and 4 keep
// every frame and list whole inside the form.
#include <QApplication>
#include <QGroupBox>
#include <QHelpEvent>
#include <QListWidget>
#include <QPushButton>
#include <QToolTip>
#include <gtest/gtest.h>

#include "common/test_support.h"
#include "platform/base/screen.h"
#include "platform/elided_label.h"
#include "platform/file_lists.h"
#include "platform/spread_grid.h"
#include "platform/text_box.h"
#include "wizard/frm_base_modelo.h"
#include "wizard/frm_digital.h"
#include "wizard/frm_salva_plan.h"
#include "wizard_fixture.h"

namespace vesdra {
namespace {

class WizardLongNames : public WizardFormsTest, public ::testing::WithParamInterface<test::PantallaPrueba>
{
protected:
    void SetUp() override
    {
        WizardFormsTest::SetUp();
        const test::PantallaPrueba p = GetParam();
        Screen() = ScreenInfo{p.Ancho * 15, p.Alto * 15, 15, 15};
    }

    // The entries of a list as drawn read apart, and hovering a cut one shows it whole.
    static void ExpectDistintasConAyuda(QListWidget& lista, int desde, int cuantas)
    {
        QStringList vistos;
        for (int fila = desde; fila < desde + cuantas; ++fila) {
            const QString visible = TextoVisibleEnLista(lista, fila);
            vistos << visible;
            if (visible == lista.item(fila)->text())
                continue;
            const QPoint centro = lista.visualRect(lista.model()->index(fila, 0)).center();
            QHelpEvent e(QEvent::ToolTip, centro, lista.viewport()->mapToGlobal(centro));
            QApplication::sendEvent(lista.viewport(), &e);
            EXPECT_EQ(QToolTip::text(), lista.item(fila)->text());
            QToolTip::hideText();
        }
        EXPECT_TRUE(test::TodosDistintos(vistos)) << lista.objectName().toStdString();
    }

    // Every child frame, list and box of a form lies inside it with a pixel
    // to spare, so that its right border shows.
    static void ExpectDentro(const QWidget& form)
    {
        for (const QObject* o : form.children()) {
            const auto* w = qobject_cast<const QWidget*>(o);
            if (!w || !w->isVisibleTo(&form))
                continue;
            EXPECT_LT(w->geometry().right(), form.width() - 1)
                << w->metaObject()->className() << " " << w->objectName().toStdString();
            EXPECT_LT(w->geometry().bottom(), form.height() - 1) << w->metaObject()->className();
        }
    }
};

TEST_P(WizardLongNames, StepTwoShowsThePhaseAndTellsLongNamesApart)
{
    ModelosMuestra();
    Arrancar();
    frmAnalog* a = DelPrimerModelo();
    ASSERT_NE(a, nullptr);
    a->cmdOK_Click();
    Procesar();

    // The sample model's names: each slot shows its channel's phase.
    frmTrifasic* t = FormTrifasic();
    ASSERT_NE(t, nullptr);
    t->txtnumTrif->setText("2");
    for (std::int32_t k = 0; k < 3; ++k) {
        t->ListTrif_DblClick(1, k);
        t->ListTrif_DblClick(2, 4 + k);
    }
    const char* fases[] = {"A", "B", "C"};
    for (std::int32_t s : {1, 2})
        for (std::int32_t k = 1; k <= 3; ++k) {
            const QString visible = t->grp[s][k]->VisibleText();
            EXPECT_TRUE(visible.endsWith(QLatin1String(fases[k - 1]))) << visible.toStdString();
        }

    // Long names that share their start.
    t->cmdvolver_Click();
    Procesar();
    const char* fines[] = {"TENSION FASE A", "TENSION FASE B", "TENSION FASE C"};
    for (int r = 1; r <= 3; ++r)
        a->vaSpread1->Escribir(r, 1, test::NombreLargo(QLatin1String(fines[r - 1])));
    a->cmdOK_Click();
    Procesar();
    t = FormTrifasic();
    ASSERT_NE(t, nullptr);
    t->ListTrif[1]->setObjectName(QStringLiteral("ListTrif1"));
    ExpectDistintasConAyuda(*t->ListTrif[1], 0, 3);
    QStringList casillas;
    for (std::int32_t k = 1; k <= 3; ++k) {
        ElidedLineEdit& g = *t->grp[1][k];
        EXPECT_TRUE(g.IsCut());
        EXPECT_EQ(test::AyudaAlPasar(g), g.text());
        casillas << g.VisibleText();
    }
    EXPECT_TRUE(test::TodosDistintos(casillas)) << "phase slots";
}

TEST_P(WizardLongNames, StepsThreeAndFourListsAndFramesWholeInsideTheForm)
{
    Arrancar();
    frmDigital* d = &HastaPaso3();
    ExpectDentro(*d);
    d->cmdOK_Click(); // no groups: on to step 4
    Procesar();
    frmSalvaPlan* s = FormSalvaPlan();
    ASSERT_NE(s, nullptr);
    ExpectDentro(*s);
    s->cmdvolver_Click();
    Procesar();
    ASSERT_EQ(FormDigital(), d);

    // Groups named alike but for their end; signals likewise (the list as
    // step 3 fills it from a record or a model).
    for (const char* fin : {"GRUPO DISPAROS 1", "GRUPO DISPAROS 2", "GRUPO DISPAROS 3"}) {
        d->txtnbgrp->setText(test::NombreLargo(QLatin1String(fin)));
        d->cmdAnadir_Click();
    }
    ExpectDistintasConAyuda(*d->List2, 0, 3);
    const int primera = d->List1->count();
    for (const char* fin : {"DISPARO 21 ZONA 1", "DISPARO 21 ZONA 2", "DISPARO 21 ZONA 3"})
        d->List1->addItem(test::NombreLargo(QLatin1String(fin)));
    ExpectDistintasConAyuda(*d->List1, primera, 3);
}

// A substation's names through the steps: the grid's name and second-name
// cells, the sets' names and phase slots, the group's name and the member
// slots each show the part that tells them from the names beside them, whole
// on hover.
TEST_P(WizardLongNames, SubstationNamesReadApartInEveryStep)
{
    using test::NombresSubestacion;
    using test::SeLeenAparte;
    const QStringList nombres = NombresSubestacion::Analogicos();
    const QStringList circuitos = NombresSubestacion::Circuitos();
    Arrancar();
    frmAnalog& a = Nueva();
    a.txtIdentif->setText("RELE");
    a.txtnumAnalog->setText("8");
    for (std::int32_t f = 1; f <= 8; ++f) {
        a.vaSpread1->Escribir(f, 1, nombres[f - 1]);
        a.vaSpread1->Escribir(f, 2, circuitos[f - 1]);
        a.vaSpread1->Escribir(f, 3, QStringLiteral("kV"));
    }
    const auto celdas = test::TextosDibujados(*a.vaSpread1);
    for (std::int32_t c = 1; c <= 2; ++c) {
        const QStringList& enteros = c == 1 ? nombres : circuitos;
        QStringList vistos;
        for (int f = 0; f < 8; ++f) {
            ASSERT_TRUE(celdas.count({f, c})) << "row " << f + 1 << " in sight";
            vistos << celdas.at({f, c});
            EXPECT_EQ(test::AyudaAlPasarEntrada(*a.vaSpread1, f, c), enteros[f]);
        }
        EXPECT_TRUE(SeLeenAparte(vistos, enteros)) << vistos.join(QStringLiteral(" | ")).toStdString();
    }
    a.cmdOK_Click();
    Procesar();

    frmTrifasic* t = FormTrifasic();
    ASSERT_NE(t, nullptr);
    const QStringList sets = NombresSubestacion::Trifasicos();
    t->txtnumTrif->setText("2");
    for (std::int32_t s = 1; s <= 2; ++s) {
        t->nbTrif[s]->setText(sets[s - 1]);
        for (std::int32_t k = 0; k < 3; ++k)
            t->ListTrif_DblClick(s, 3 * (s - 1) + k);
    }
    t->cmdOK->setFocus();
    QStringList vistos, casillas;
    for (std::int32_t s = 1; s <= 2; ++s) {
        ElidedLineEdit& n = *t->nbTrif[s];
        vistos << n.VisibleText();
        EXPECT_TRUE(n.IsCut());
        EXPECT_EQ(test::AyudaAlPasar(n), n.text());
        for (std::int32_t k = 1; k <= 3; ++k) {
            ElidedLineEdit& g = *t->grp[s][k];
            casillas << g.VisibleText();
            EXPECT_EQ(test::AyudaAlPasar(g), g.text());
        }
    }
    EXPECT_TRUE(SeLeenAparte(vistos, sets)) << vistos.join(QStringLiteral(" | ")).toStdString();
    EXPECT_TRUE(SeLeenAparte(casillas, nombres.mid(0, 6)))
        << casillas.join(QStringLiteral(" | ")).toStdString();
    t->cmdOK_Click();
    Procesar();

    frmDigital* d = FormDigital();
    ASSERT_NE(d, nullptr);
    const QStringList grupos = NombresSubestacion::Grupos();
    for (const QString& g : grupos) {
        d->txtnbgrp->setText(g);
        d->cmdAnadir_Click();
    }
    d->Paso.Lista = NombresSubestacion::Digitales();
    for (std::int32_t i = 0; i < 6; ++i)
        d->List1_DblClick(i);
    d->cmdOK->setFocus();
    QStringList miembros;
    for (std::size_t i = 1; i <= 6; ++i) {
        ElidedLineEdit& g = *d->grp[i];
        miembros << g.VisibleText();
        EXPECT_EQ(test::AyudaAlPasar(g), g.text());
    }
    EXPECT_TRUE(SeLeenAparte(miembros, d->Paso.Lista.mid(0, 6)))
        << miembros.join(QStringLiteral(" | ")).toStdString();
    QStringList nombresGrupo;
    for (int g = 0; g < grupos.size(); ++g) {
        d->List2_Click(g);
        ASSERT_EQ(d->txtnbgrp->text(), grupos[g]);
        nombresGrupo << d->txtnbgrp->VisibleText();
        EXPECT_TRUE(d->txtnbgrp->IsCut());
        EXPECT_EQ(test::AyudaAlPasar(*d->txtnbgrp), grupos[g]);
    }
    EXPECT_TRUE(SeLeenAparte(nombresGrupo, grupos)) << nombresGrupo.join(QStringLiteral(" | ")).toStdString();
}

INSTANTIATE_TEST_SUITE_P(Screens, WizardLongNames,
                         ::testing::Values(test::PantallaPrueba{800, 600}, test::PantallaPrueba{1280, 1024}),
                         [](const auto& i) { return test::NombrePantalla(i.param); });

} // namespace
} // namespace vesdra
