#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include "app/registro_vistas.h"
#include "record/helpers.h"
#include "shell/frm_menu.h"
#include "shell/mdi_fixture.h"
#include "views/composition/composition_state.h"
#include "views/composition/frm_new_companalog.h"
#include "views/composition/frm_ver_cmpang.h"

namespace vesdra {
namespace {

// The program started on the bundled sample alone: the record is open with
// no template applied.
class NoTemplate : public test::MdiTest
{
protected:
    void SetUp() override
    {
        MdiTest::SetUp();
        ASSERT_NO_FATAL_FAILURE(CopiarIconos());
        RegistrarVistas();
        Arrancar(test::MuestraDat());
        ASSERT_TRUE(Registro().RegistroAbierto);
        ASSERT_FALSE(Plantillas().PlantillaAplicada);
    }
};

// A record shown without a template can be composed: the composition
// dialog lists the record's own channels, and a double-click places them.
TEST_F(NoTemplate, TheCompositionDialogListsTheRecordsChannels)
{
    MenuForm()->mnuCompanalog_Click();
    Procesar();
    frmNewCompanalog* d = NewCompanalogCargado();
    ASSERT_NE(d, nullptr);
    QListWidget* lista = d->List1;
    ASSERT_EQ(lista->count(), Registro().NumAnalogicos);
    EXPECT_EQ(lista->item(0)->text(), NombreCanalId(1));
    for (const int fila : {1, 3}) {
        const QPoint punto = lista->visualItemRect(lista->item(fila)).center();
        QTest::mouseClick(lista->viewport(), Qt::LeftButton, {}, punto);
        QTest::mouseDClick(lista->viewport(), Qt::LeftButton, {}, punto);
    }
    EXPECT_EQ(d->NumerosCasillas()[1], "2");
    EXPECT_EQ(d->NumerosCasillas()[2], "4");
    QTest::mouseClick(d->cmdOK, Qt::LeftButton);
    Procesar();
    ASSERT_EQ(Mensajes(), QStringList{});
    ASSERT_EQ(Composiciones().NumVentanasComposicion, 1);
    EXPECT_NE(Composiciones().VentanasComposicion[1].data(), nullptr);
    EXPECT_EQ(composicion::FilasElegidas(Composiciones().SeleccionComposicion, 1),
              (std::vector<std::int32_t>{2, 4}));
}

} // namespace
} // namespace vesdra
