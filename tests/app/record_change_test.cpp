#include <QFileInfo>
#include <QListWidget>
#include <QMdiSubWindow>
#include <QPointer>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>

#include "analysis/frm_fasecuencias.h"
#include "app/registro_vistas.h"
#include "platform/file_lists.h"
#include "platform/mdi_forms.h"
#include "shell/abrir_comtrade.h"
#include "shell/frm_menu.h"
#include "shell/frm_plantilla.h"
#include "shell/mdi_fixture.h"
#include "shell/view_services.h"
#include "views/composition/frm_new_companalog.h"
#include "views/digital/frm_elecdig.h"
#include "views/digital/frm_grid.h"
#include "views/waves/frm_new_ondas.h"

namespace vesdra {
namespace {

// A dialog that chooses what a view of the open record shows, opened by its
// menu command.
struct Dialogo {
    const char* Nombre;
    void (FrmMenu::*Abrir)();
    std::function<QWidget*()> Cargado;
};

const Dialogo kDialogos[] = {
    {"frmNewOndas", &FrmMenu::mnuCanalog_Click,
     []() -> QWidget* { return NewOndasCargado() ? &NewOndas() : nullptr; }},
    {"frmNewCompanalog", &FrmMenu::mnuCompanalog_Click, [] { return NewCompanalogCargado(); }},
    {"frmFasecuencias", &FrmMenu::mnuFasores_Click, [] { return Fasecuencias(); }},
    {"frmElecdig", &FrmMenu::mnuDigGrupos_Click, [] { return ElecdigCargado(); }},
    {"frmGrid", &FrmMenu::mnuCompdig_Click, [] { return GridCargado(); }},
};

enum class Cambio { OtroRegistro, Cierre, AperturaRechazada, OtraPlantilla };

const char* NombreCambio(Cambio c)
{
    switch (c) {
    case Cambio::OtroRegistro:
        return "OtroRegistro";
    case Cambio::Cierre:
        return "Cierre";
    case Cambio::AperturaRechazada:
        return "AperturaRechazada";
    case Cambio::OtraPlantilla:
        return "OtraPlantilla";
    }
    return "";
}

// The program started on the bundled sample and its template, the views
// real.
class Programa : public test::MdiTest
{
protected:
    void SetUp() override
    {
        MdiTest::SetUp();
        RegistrarVistas();
        Arrancar(test::MuestraDat() + QLatin1Char(' ') + CopiarMuestraCnf());
        ASSERT_TRUE(Registro().RegistroAbierto);
        ASSERT_TRUE(Plantillas().PlantillaAplicada);
    }
};

// The dialogs of a fixed layout cannot be maximised: no button, and a
// double-click on the caption does nothing; the views stay sizable.
TEST_F(Programa, FixedLayoutDialogsHaveNothingToMaximise)
{
    FrmMenu* menu = MenuForm();
    ASSERT_NE(menu, nullptr);
    for (const Dialogo& d : kDialogos) {
        (menu->*d.Abrir)();
        Procesar();
        QWidget* dialogo = d.Cargado();
        ASSERT_NE(dialogo, nullptr) << d.Nombre;
        auto* marco = qobject_cast<QMdiSubWindow*>(dialogo->parentWidget());
        ASSERT_NE(marco, nullptr) << d.Nombre;
        EXPECT_FALSE(marco->windowFlags() & Qt::WindowMaximizeButtonHint) << d.Nombre;
        EXPECT_TRUE(marco->windowFlags() & Qt::WindowCloseButtonHint) << d.Nombre;
        QTest::mouseDClick(marco, Qt::LeftButton, {}, QPoint(marco->width() / 2, 6));
        Procesar();
        EXPECT_FALSE(marco->isMaximized()) << d.Nombre;
        DescargarDialogosVistas();
        Procesar();
    }
}

// Escape in a view's choice dialog does what its Cancel does.
TEST_F(Programa, EscapeCancelsEveryViewChoiceDialog)
{
    FrmMenu* menu = MenuForm();
    ASSERT_NE(menu, nullptr);
    for (const Dialogo& d : kDialogos) {
        (menu->*d.Abrir)();
        Procesar();
        const QPointer<QWidget> dialogo = d.Cargado();
        ASSERT_FALSE(dialogo.isNull()) << d.Nombre;
        QTest::keyClick(dialogo, Qt::Key_Escape);
        Procesar();
        EXPECT_EQ(d.Cargado(), nullptr) << d.Nombre;
        EXPECT_TRUE(MarcoFormulario(*menu)->isVisible()) << d.Nombre;
    }
}

class RecordChange : public Programa, public ::testing::WithParamInterface<std::tuple<int, Cambio>>
{
protected:
    // Another record, one analog channel, beside the sample.
    QString OtroRegistro()
    {
        const QString base = Carpeta(QStringLiteral("Oscilos/otro."));
        EXPECT_TRUE(test::WriteBytes(
            base + "cfg", test::Crlf("SE SUR,REL-2\n1,1A,0D\n1,AN1,,,V,1,0,0,-32767,32767\n50\n1\n1000,3\n"
                                     "01/06/2004,10:15:30.000000\n01/06/2004,10:15:30.500000\nASCII\n")));
        EXPECT_TRUE(test::WriteBytes(base + "dat", test::Crlf("1,0,5\n2,1000,6\n3,2000,7\n")));
        return base + "dat";
    }

    // The sample's template under other channel names, beside it.
    QString OtraPlantillaMuestra()
    {
        QByteArray cnf = test::ReadBytes(test::MuestraCnf());
        for (const char* c : {"VA", "VB", "VC", "IA", "IB", "IC"})
            cnf.replace(QByteArray("%") + c + "%", QByteArray("%U") + c + "%");
        const QString ruta = Carpeta(QStringLiteral("Plantillas/otra.cnf"));
        EXPECT_TRUE(test::WriteBytes(ruta, cnf));
        return ruta;
    }

    // Another template applied as the user applies one: Ctrl+T, then a
    // double-click on its name.
    void AplicarConElDialogo(const QString& ruta)
    {
        MenuForm()->mnuPlantilla_Click();
        Procesar();
        frmPlantilla* p = FormPlantilla();
        ASSERT_NE(p, nullptr);
        QListWidget* lista = p->File1;
        const QList<QListWidgetItem*> items = lista->findItems(QFileInfo(ruta).fileName(), Qt::MatchExactly);
        ASSERT_EQ(items.size(), 1);
        const QPoint punto = lista->visualItemRect(items.front()).center();
        QTest::mouseClick(lista->viewport(), Qt::LeftButton, {}, punto);
        QCoreApplication::processEvents();
        QTest::mouseDClick(lista->viewport(), Qt::LeftButton, {}, punto);
        Procesar();
        ASSERT_EQ(FormPlantilla(), nullptr);
        EXPECT_EQ(Plantillas().RutaPlantillaAplicada, ruta);
    }
};

// A view's choice dialog left open while the record changes under it would
// act on a record that is no longer open (channels and sets that are not
// there, or the new record's channel 1 under an old pick), or list and hold
// the names of a template no longer applied: opening another record,
// closing it, an open that is refused, or another template applied unloads
// it.
TEST_P(RecordChange, UnloadsTheViewChoiceDialogsLeftOpen)
{
    const Dialogo& d = kDialogos[std::get<0>(GetParam())];
    const Cambio cambio = std::get<1>(GetParam());
    FrmMenu* menu = MenuForm();
    ASSERT_NE(menu, nullptr);
    (menu->*d.Abrir)();
    Procesar();
    const QPointer<QWidget> dialogo = d.Cargado();
    ASSERT_FALSE(dialogo.isNull()) << d.Nombre;
    EXPECT_TRUE(MarcoFormulario(*dialogo)->isVisible()) << d.Nombre;

    switch (cambio) {
    case Cambio::OtroRegistro:
        EXPECT_TRUE(AbrirRegistro(DerivarRutas(OtroRegistro())).Abierto());
        break;
    case Cambio::Cierre:
        menu->mnuCerrarComtrade_Click();
        break;
    case Cambio::AperturaRechazada:
        // A data file without its .cfg: refused, the sample stays open.
        ASSERT_TRUE(test::WriteBytes(Carpeta(QStringLiteral("Oscilos/suelto.dat")), "1,0,5\r\n"));
        EXPECT_FALSE(AbrirRegistro(DerivarRutas(Carpeta(QStringLiteral("Oscilos/suelto.dat")))).Abierto());
        EXPECT_TRUE(Registro().RegistroAbierto);
        break;
    case Cambio::OtraPlantilla:
        AplicarConElDialogo(OtraPlantillaMuestra());
        break;
    }
    Procesar();
    EXPECT_EQ(d.Cargado(), nullptr) << d.Nombre;
    EXPECT_TRUE(dialogo.isNull()) << d.Nombre << ": nothing left to bring back";
    // The menu form the digital composition dialog hid is back.
    EXPECT_TRUE(MarcoFormulario(*menu)->isVisible());
}

INSTANTIATE_TEST_SUITE_P(DialogsTimesChanges, RecordChange,
                         ::testing::Combine(::testing::Range(0, static_cast<int>(std::size(kDialogos))),
                                            ::testing::Values(Cambio::OtroRegistro, Cambio::Cierre,
                                                              Cambio::AperturaRechazada,
                                                              Cambio::OtraPlantilla)),
                         [](const ::testing::TestParamInfo<std::tuple<int, Cambio>>& info) {
                             return std::string(kDialogos[std::get<0>(info.param)].Nombre) + "_" +
                                    NombreCambio(std::get<1>(info.param));
                         });

} // namespace
} // namespace vesdra
