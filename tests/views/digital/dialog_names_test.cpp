// The digital choice dialogs with a substation's names, on the screens users
// have: the group options and the closed analog drop-downs show the part of
// each name that tells it from the others beside it, whole on hover.
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <gtest/gtest.h>

#include "common/screen_fixture.h"
#include "common/test_support.h"
#include "digital_fixture.h"
#include "platform/elided_label.h"
#include "platform/elided_line_edit.h"
#include "record/record_model.h"
#include "templates/template_state.h"
#include "views/digital/digital_services.h"
#include "views/digital/frm_elecdig.h"
#include "views/digital/frm_grid.h"

using namespace vesdra;
using test::NombresSubestacion;

namespace {

class DialogNames : public test::EnPantalla<test::DigitalFixture>
{
protected:
    void SetUp() override
    {
        EnPantalla::SetUp();
        // Eight analog channels (their captions are the circuit names) and
        // five groups of four of the record's digital channels.
        RecordModel& r = Registro();
        const QStringList nombres = NombresSubestacion::Analogicos();
        const QStringList circuitos = NombresSubestacion::Circuitos();
        r.NumAnalogicos = 8;
        r.Valores.Resize(200, 8);
        r.TablaCanales.Resize(8, 5);
        for (std::int32_t f = 1; f <= 8; ++f) {
            r.TablaCanales(f, 1) = QString::number(f);
            r.TablaCanales(f, 2) = nombres[f - 1];
            r.TablaCanales(f, 3) = circuitos[f - 1];
            r.TablaCanales(f, 4) = QStringLiteral("kV");
        }
        TemplateState& p = Plantillas();
        p.NumCanalesTabla = 8;
        const QStringList grupos = NombresSubestacion::Grupos();
        const QStringList digitales = NombresSubestacion::Digitales();
        p.NumGruposDigitales = 5;
        p.TablaGruposDigitales.Resize(5, 2);
        for (std::int32_t g = 1; g <= 5; ++g) {
            p.TablaGruposDigitales(g, 1) = grupos[g - 1];
            p.TablaGruposDigitales(g, 2) = QStringLiteral("4");
        }
        p.NumMiembrosDigitales = 20;
        p.TablaMiembrosDigitales.Resize(20, 2);
        for (std::int32_t m = 1; m <= 20; ++m) {
            p.TablaMiembrosDigitales(m, 1) = QString::number((m - 1) % 4 + 1);
            p.TablaMiembrosDigitales(m, 2) = digitales[m - 1];
        }
    }

    // Each entry of the drop-down picked in turn, the focus left on it as a
    // pick leaves it: the closed box reads apart from the others and shows
    // whole on hover.
    static void ExpectCerradoSeLeeAparte(ComboAnalogico& combo)
    {
        QApplication::setActiveWindow(combo.window());
        combo.setFocus();
        auto* caja = qobject_cast<ElidedLineEdit*>(combo.lineEdit());
        ASSERT_NE(caja, nullptr);
        ASSERT_TRUE(caja->hasFocus());
        const QStringList circuitos = NombresSubestacion::Circuitos();
        QStringList vistos{caja->VisibleText()}; // as opened: channel 1, none picked
        for (int i = 1; i < combo.count(); ++i) {
            combo.Elegir(i);
            vistos.append(caja->VisibleText());
            EXPECT_TRUE(caja->IsCut());
            EXPECT_EQ(test::AyudaAlPasar(*caja), circuitos[i]);
        }
        EXPECT_TRUE(test::SeLeenAparte(vistos, circuitos))
            << vistos.join(QStringLiteral(" | ")).toStdString();
    }
};

TEST_P(DialogNames, GroupOptionsAndTheAnalogDropDownReadApart)
{
    AbrirElecdig();
    frmElecdig* d = ElecdigCargado();
    ASSERT_NE(d, nullptr);
    // Each option on the two lines its row holds, clear of the next one.
    QStringList vistos;
    for (std::size_t g = 1; g <= 5; ++g) {
        ElidedRadioButton& o = *d->optdg[g];
        EXPECT_EQ(o.VisibleText().count(QLatin1Char('\n')), 1) << o.VisibleText().toStdString();
        vistos.append(o.VisibleText().replace(QLatin1Char('\n'), QLatin1Char(' ')));
        EXPECT_TRUE(o.IsCut());
        EXPECT_EQ(test::AyudaAlPasar(o), o.text());
        EXPECT_FALSE(o.geometry().intersects(d->optdg[g + 1]->geometry())) << g;
        EXPECT_TRUE(d->fmeDigital->contentsRect().contains(o.geometry())) << g;
    }
    EXPECT_TRUE(test::SeLeenAparte(vistos, NombresSubestacion::Grupos()))
        << vistos.join(QStringLiteral(" | ")).toStdString();
    ExpectCerradoSeLeeAparte(*d->Combo1);
}

TEST_P(DialogNames, TheCompositionDialogsColumnsAndAnalogDropDownReadApart)
{
    AbrirGrid();
    frmGrid* d = GridCargado();
    ASSERT_NE(d, nullptr);
    // The groups' titles beside each other, and the members of every column
    // (a phase of one signal stands in a row beside the same phase of another).
    QStringList titulos, miembros;
    for (std::size_t k = 1; k <= 5; ++k) {
        const ColumnaGrupo& c = d->Columnas[k];
        for (std::size_t i = 0; i <= 4; ++i) {
            auto& l = static_cast<ElidedLabel&>(*c.lblgrp[i]);
            (i == 0 ? titulos : miembros) << l.VisibleText();
            EXPECT_TRUE(l.IsCut());
            EXPECT_EQ(test::AyudaAlPasar(l), l.text());
        }
    }
    EXPECT_TRUE(test::SeLeenAparte(titulos, NombresSubestacion::Grupos()))
        << titulos.join(QStringLiteral(" | ")).toStdString();
    EXPECT_TRUE(test::SeLeenAparte(miembros, NombresSubestacion::Digitales()))
        << miembros.join(QStringLiteral(" | ")).toStdString();
    ExpectCerradoSeLeeAparte(*d->Combo1);
}

INSTANTIATE_TEST_SUITE_P(Screens, DialogNames,
                         ::testing::Values(test::PantallaPrueba{800, 600}, test::PantallaPrueba{1280, 1024}),
                         [](const auto& i) { return test::NombrePantalla(i.param); });

} // namespace
