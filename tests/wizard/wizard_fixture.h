#pragma once
#include <QApplication>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

#include "platform/base/colors.h"
#include "platform/mdi_forms.h"
#include "platform/spread_grid.h"
#include "record/record_model.h"
#include "shell/abrir_comtrade.h"
#include "shell/frm_plantilla.h"
#include "shell/language.h"
#include "shell/mdi_fixture.h"
#include "templates/model_db.h"
#include "templates/template_fixture.h"
#include "wizard/asistente.h"
#include "wizard/frm_analog.h"
#include "wizard/frm_digital.h"
#include "wizard/frm_trifasic.h"

namespace vesdra {

// The wizard's forms run offscreen from the template dialog, as a user
// drives them, with the databases of a Models folder beside the runtime tree.
class WizardFormsTest : public test::MdiTest
{
protected:
    void SetUp() override
    {
        MdiTest::SetUp();
        ConectarAsistente();
        SetMotorBasesModelo(nullptr);
    }
    void TearDown() override
    {
        DescargarAsistente();
        SiguientesPasos() = {};
        Procesar();
        MdiTest::TearDown();
        SetMotorBasesModelo(nullptr);
    }

    // Counts the reads of the model index, then reads as the program does.
    struct Contador final : LectorBasesModelo {
        std::unique_ptr<LectorBasesModelo> Real = CrearLectorMdb();
        int Indice{0};
        TablaModelo LeerTabla(const QString& ruta, const QString& tabla) override
        {
            if (QFileInfo(ruta).fileName() == QLatin1String("Modelos.mdb"))
                ++Indice;
            return Real->LeerTabla(ruta, tabla);
        }
    };
    // A Contador made the process's engine until the test ends.
    static Contador* ContarLecturasIndice()
    {
        auto motor = std::make_unique<Contador>();
        Contador* contador = motor.get();
        SetMotorBasesModelo(std::move(motor));
        return contador;
    }

    // The databases of `desde` copied into the runtime tree's Models folder.
    void Modelos(const QString& desde, const QStringList& ficheros)
    {
        test::CopiarModelos(dir_.filePath("Models"), desde, ficheros);
    }
    void ModelosMuestra()
    {
        Modelos(QStringLiteral(VESDRA_RESOURCES_DIR "/Models"), {"Modelos.mdb", "RD21.mdb", "TD3.mdb"});
    }

    // The bundled sample record opened without a template, the template
    // dialog its opening shows put away and its boxes forgotten.
    void AbrirMuestra()
    {
        Arrancar();
        ASSERT_TRUE(AbrirRegistro(DerivarRutas(test::MuestraDat())).Abierto());
        DescargarFrmPlantilla();
        Procesar();
        Boxes().Clear();
    }
    static void Clic(QWidget* w)
    {
        ASSERT_NE(w, nullptr);
        QTest::mouseClick(w, Qt::LeftButton);
        Procesar();
    }
    // A key pressed where the keyboard is.
    static void Pulsar(Qt::Key tecla)
    {
        QWidget* foco = QApplication::focusWidget();
        ASSERT_NE(foco, nullptr);
        QTest::keyClick(foco, tecla);
        Procesar();
    }
    // A box clicked, its text selected and `texto` typed over it one key at
    // a time (an empty `texto` deletes it).
    static void Teclear(QLineEdit* caja, const QString& texto)
    {
        ASSERT_NE(caja, nullptr);
        QTest::mouseClick(caja, Qt::LeftButton);
        QTest::keyClick(caja, Qt::Key_A, Qt::ControlModifier);
        if (texto.isEmpty())
            QTest::keyClick(caja, Qt::Key_Backspace);
        QTest::keyClicks(caja, texto);
        Procesar();
    }

    // The editor of grid cell (fila, columna) opened by a click on it (F2
    // where a click does not open it), its text selected; nullptr when none
    // opened.
    static QLineEdit* OpenCellEditor(SpreadGrid* grid, std::int32_t fila, std::int32_t columna)
    {
        const QModelIndex celda = grid->model()->index(fila - 1, columna);
        if (!celda.isValid())
            return nullptr;
        grid->scrollTo(celda);
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(celda).center());
        Procesar();
        QLineEdit* editor = grid->viewport()->findChild<QLineEdit*>();
        if (!editor || !editor->isVisible()) {
            QTest::keyClick(grid, Qt::Key_F2);
            editor = grid->viewport()->findChild<QLineEdit*>();
        }
        if (editor)
            QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
        return editor;
    }

    // Entry `fila` of a list double-clicked as a user does it, its window
    // shown.
    static void DobleClic(QListWidget* lista, int fila)
    {
        ASSERT_NE(lista, nullptr);
        ASSERT_LT(fila, lista->count());
        lista->window()->show();
        lista->scrollToItem(lista->item(fila));
        const QPoint punto = lista->visualItemRect(lista->item(fila)).center();
        // The press of the first click, then the second one.
        QTest::mouseClick(lista->viewport(), Qt::LeftButton, {}, punto);
        QTest::mouseDClick(lista->viewport(), Qt::LeftButton, {}, punto);
        Procesar();
    }
    // A grid cell clicked, `texto` typed into its editor and Enter.
    static void TeclearCelda(SpreadGrid* grid, std::int32_t fila, std::int32_t columna, const QString& texto)
    {
        ASSERT_TRUE(grid->model()->index(fila - 1, columna).isValid());
        QLineEdit* editor = OpenCellEditor(grid, fila, columna);
        ASSERT_NE(editor, nullptr);
        QTest::keyClicks(editor, texto);
        QTest::keyClick(editor, Qt::Key_Return);
        Procesar();
    }

    frmAnalog& Nueva()
    {
        AbrirFrmPlantilla();
        FormPlantilla()->cmdNueva_Click();
        Procesar();
        EXPECT_EQ(FormPlantilla(), nullptr);
        frmAnalog* a = FormAnalog();
        EXPECT_NE(a, nullptr);
        return *a;
    }
    // A new template from the first model of the list: step 1 with the
    // model's rows, or nullptr when a form is missing on the way.
    frmAnalog* DelPrimerModelo()
    {
        Nueva().cmdmodelos_Click();
        Procesar();
        frmBaseModelo* b = FormBaseModelo();
        EXPECT_NE(b, nullptr);
        if (!b)
            return nullptr;
        b->List1_DblClick(0);
        b->cmdOK_Click();
        Procesar();
        return FormAnalog();
    }
    // Step 1 accepted as it stands, then step 2: step 3, or nullptr when a
    // form is missing on the way.
    frmDigital* OnToStep3(frmAnalog& a)
    {
        a.cmdOK_Click();
        Procesar();
        frmTrifasic* t = FormTrifasic();
        EXPECT_NE(t, nullptr);
        if (!t)
            return nullptr;
        t->cmdOK_Click();
        Procesar();
        frmDigital* d = FormDigital();
        EXPECT_NE(d, nullptr);
        return d;
    }
    // A new template from the first model of the list (its eight analog
    // rows), through steps 1 and 2 to step 3, or nullptr when a form is
    // missing on the way.
    frmDigital* FirstModelToStep3()
    {
        frmAnalog* a = DelPrimerModelo();
        EXPECT_NE(a, nullptr);
        if (!a)
            return nullptr;
        EXPECT_EQ(a->txtnumAnalog->text(), "8");
        return OnToStep3(*a);
    }
    // A new template of one analog row, through steps 1 and 2 to step 3.
    frmDigital& HastaPaso3()
    {
        frmAnalog& a = Nueva();
        a.txtIdentif->setText("RELE");
        a.txtnumAnalog->setText("1");
        a.vaSpread1->Escribir(1, 1, "Va");
        return *OnToStep3(a);
    }
    static bool Visible(QWidget* w) { return w && MarcoFormulario(*w)->isVisible() && w->isVisible(); }
    static QColor Marcador(const frmTrifasic& t, std::int32_t s, std::int32_t k)
    {
        return t.lblpunt[s][k]->palette().color(QPalette::Window);
    }
    static QColor Marcador(const QLabel* marcador) { return marcador->palette().color(QPalette::Window); }
    static QString T(int n) { return TextosIdioma(n); }
};

} // namespace vesdra
