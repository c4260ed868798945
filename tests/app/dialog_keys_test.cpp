#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>
#include <QWindow>
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "analysis/frm_fasecuencias.h"
#include "app/registro_vistas.h"
#include "platform/file_lists.h"
#include "platform/mdi_forms.h"
#include "shell/frm_conversion.h"
#include "shell/frm_direct.h"
#include "shell/frm_menu.h"
#include "shell/frm_nuevos_tools.h"
#include "shell/frm_plantilla.h"
#include "shell/ini_files.h"
#include "shell/mdi_fixture.h"
#include "templates/template_fixture.h"
#include "views/composition/frm_new_companalog.h"
#include "views/digital/frm_elecdig.h"
#include "views/digital/frm_grid.h"
#include "views/waves/frm_new_ondas.h"
#include "wizard/asistente.h"
#include "wizard/frm_analog.h"
#include "wizard/frm_base_modelo.h"
#include "wizard/frm_digital.h"
#include "wizard/frm_salva_plan.h"
#include "wizard/frm_trifasic.h"

namespace vesdra {
namespace {

// A dialog of the program as the user opens it, the button Enter presses
// in it, and the check boxes and option buttons a click may leave the
// keyboard on (none: no such function). `Enters`: the presses of Enter
// that reach the button (those before it move the keyboard on).
// `TrasEscape`: the form Escape leaves on screen, the dialog put out of
// sight (none: Escape unloads the dialog).
struct DialogoTeclas {
    const char* Nombre;
    std::function<void(FrmMenu&)> Abrir;
    std::function<QWidget*()> Cargado;
    std::function<QAbstractButton*(QWidget&)> PorDefecto;
    std::function<std::vector<QAbstractButton*>(QWidget&)> Casillas;
    int Enters = 1;
    std::function<QWidget*()> TrasEscape = nullptr;
};

template <typename F> F& Como(QWidget& w)
{
    return static_cast<F&>(w);
}

// Posted events and the forms unloaded on the way.
void Procesar()
{
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// A new template for the open record, the wizard gone on to step `paso`
// (1 to 4) through each step's continue with what it proposes.
void AsistenteHasta(FrmMenu& m, int paso)
{
    m.mnuPlantilla_Click();
    Procesar();
    FormPlantilla()->cmdNueva->click();
    Procesar();
    if (paso > 1)
        FormAnalog()->cmdOK->click();
    Procesar();
    if (paso > 2)
        FormTrifasic()->cmdOK->click();
    Procesar();
    if (paso > 3)
        FormDigital()->cmdOK->click();
    Procesar();
}

// The form `cargado` gives while it is loaded.
template <typename F> std::function<QWidget*()> Forma(F* (*cargado)())
{
    return [cargado]() -> QWidget* { return cargado(); };
}

// The button `boton` of a dialog of kind F.
template <typename F, typename B> std::function<QAbstractButton*(QWidget&)> Boton(B* F::*boton)
{
    return [boton](QWidget& d) -> QAbstractButton* { return Como<F>(d).*boton; };
}

// The wizard opened and gone on to step `paso`.
std::function<void(FrmMenu&)> PasoAsistente(int paso)
{
    return [paso](FrmMenu& m) { AsistenteHasta(m, paso); };
}

const DialogoTeclas kDialogos[] = {
    {"frmPlantilla", [](FrmMenu& m) { m.mnuPlantilla_Click(); }, Forma(FormPlantilla),
     Boton(&frmPlantilla::cmdBuscar), nullptr},
    {"frmNuevosTools_Anadir", [](FrmMenu& m) { m.mnuAnadirTool_Click(); }, Forma(NuevosToolsCargado),
     Boton(&frmNuevosTools::cmdOK), nullptr},
    {"frmNuevosTools_Borrar", [](FrmMenu& m) { m.mnuBorrartool_Click(); }, Forma(NuevosToolsCargado),
     Boton(&frmNuevosTools::cmdOK), nullptr},
    {"frmDirect", [](FrmMenu& m) { m.mnuDir_defecto_Click(); }, Forma(DirectCargado),
     Boton(&frmDirect::cmdOK), nullptr},
    {"poscamb", [](FrmMenu&) { MostrarPoscamb(); }, Forma(PoscambCargado), Boton(&poscamb::continuar),
     nullptr},
    {"Conversion",
     [](FrmMenu&) {
         MostrarPoscamb();
         PoscambCargado()->Convertir_continuar->click();
     },
     Forma(ConversionCargada), Boton(&Conversion::Aceptar), nullptr},
    {"Mensaje",
     [](FrmMenu&) {
         MostrarPoscamb();
         PoscambCargado()->Convertir_continuar->click();
         ConversionCargada()->Ayuda->click();
     },
     Forma(MensajeCargado), Boton(&Mensaje::OK), nullptr},
    {"frmNewOndas", [](FrmMenu& m) { m.mnuCanalog_Click(); },
     []() -> QWidget* { return NewOndasCargado() ? &NewOndas() : nullptr; }, Boton(&frmNewOndas::cmdOK),
     [](QWidget& d) -> std::vector<QAbstractButton*> {
         return {Como<frmNewOndas>(d).CmdSecundario, Como<frmNewOndas>(d).CmdPrimario};
     }},
    {"frmNewCompanalog", [](FrmMenu& m) { m.mnuCompanalog_Click(); }, Forma(NewCompanalogCargado),
     Boton(&frmNewCompanalog::cmdOK),
     [](QWidget& d) -> std::vector<QAbstractButton*> {
         return {Como<frmNewCompanalog>(d).CmdSecundario, Como<frmNewCompanalog>(d).CmdPrimario};
     }},
    {"frmFasecuencias", [](FrmMenu& m) { m.mnuFasores_Click(); }, Forma(Fasecuencias),
     Boton(&frmFasecuencias::cmdOK),
     [](QWidget& d) -> std::vector<QAbstractButton*> {
         auto& f = Como<frmFasecuencias>(d);
         return {f.fas[0], f.sec[1], f.CmdSecundario};
     }},
    {"frmElecdig", [](FrmMenu& m) { m.mnuDigGrupos_Click(); }, Forma(ElecdigCargado),
     Boton(&frmElecdig::cmdOK),
     [](QWidget& d) -> std::vector<QAbstractButton*> {
         auto& f = Como<frmElecdig>(d);
         return {f.optdg[2], f.CmdSecundario};
     }},
    {"frmGrid", [](FrmMenu& m) { m.mnuCompdig_Click(); }, Forma(GridCargado), Boton(&frmGrid::cmdOK),
     [](QWidget& d) -> std::vector<QAbstractButton*> { return {Como<frmGrid>(d).CmdSecundario}; }},
    // The wizard's steps: Escape goes back while going back loses nothing,
    // as when nothing has been typed. Step 1 opens in the identifier box,
    // where Enter moves on to the count box.
    {"frmAnalog", PasoAsistente(1), Forma(FormAnalog), Boton(&frmAnalog::cmdOK), nullptr, 2,
     Forma(FormPlantilla)},
    {"frmTrifasic", PasoAsistente(2), Forma(FormTrifasic), Boton(&frmTrifasic::cmdOK), nullptr, 1,
     Forma(FormAnalog)},
    {"frmDigital", PasoAsistente(3), Forma(FormDigital), Boton(&frmDigital::cmdOK), nullptr, 1,
     Forma(FormTrifasic)},
    {"frmSalvaPlan", PasoAsistente(4), Forma(FormSalvaPlan), Boton(&frmSalvaPlan::cmdOK), nullptr, 1,
     Forma(FormDigital)},
    {"frmBaseModelo",
     [](FrmMenu& m) {
         AsistenteHasta(m, 1);
         FormAnalog()->cmdmodelos->click();
         Procesar();
     },
     Forma(FormBaseModelo), Boton(&frmBaseModelo::cmdOK), nullptr, 1, Forma(FormAnalog)},
};

bool Visible(QWidget* w)
{
    return w && w->isVisible() && MarcoFormulario(*w)->isVisible();
}

enum class Antes { AlAbrir, TrasClicEnCasilla };
enum class Tecla { Enter, Escape };

// The program started on the bundled sample (a BINARY record of 1997) and
// its template, with two analysis tools, the views real, its window the
// active one.
class ProgramaActivo : public test::MdiTest
{
protected:
    void SetUp() override
    {
        MdiTest::SetUp();
        EscribirTools(1, {QStringLiteral("Calculo=/bin/true"), QStringLiteral("Informe=/bin/false")});
        RegistrarVistas();
        ConectarAsistente();
        test::CopiarModelos(dir_.filePath("Models"), QStringLiteral(VESDRA_RESOURCES_DIR "/Models"),
                            {"Modelos.mdb", "RD21.mdb", "TD3.mdb"});
        Arrancar(test::MuestraDat() + QLatin1Char(' ') + CopiarMuestraCnf());
        ASSERT_TRUE(Registro().RegistroAbierto);
        ASSERT_TRUE(Plantillas().PlantillaAplicada);
        // The user works in the program's window when choosing a command.
        principal_->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(principal_.get()));
    }
    void TearDown() override
    {
        DescargarAsistente();
        SiguientesPasos() = {};
        Procesar();
        MdiTest::TearDown();
    }

    // A key as the window system hands it: to the window holding the
    // keyboard, which gives it to its focus widget.
    static void Pulsar(Qt::Key tecla)
    {
        QWindow* ventana = QGuiApplication::focusWindow();
        ASSERT_NE(ventana, nullptr);
        QTest::keyClick(ventana, tecla);
        Procesar();
    }

    static QStringList Herramientas()
    {
        QStringList nombres;
        for (const Herramienta& h : LeerFicheroTools().Herramientas)
            nombres << h.Nombre;
        return nombres;
    }
};

class DialogKeys : public ProgramaActivo, public ::testing::WithParamInterface<std::tuple<int, Antes, Tecla>>
{
};

TEST_P(DialogKeys, EnterPressesTheDefaultAndEscapeCancels)
{
    const DialogoTeclas& d = kDialogos[std::get<0>(GetParam())];
    const Antes antes = std::get<1>(GetParam());
    const Tecla tecla = std::get<2>(GetParam());
    FrmMenu* menu = MenuForm();
    ASSERT_NE(menu, nullptr);
    d.Abrir(*menu);
    Procesar();
    const QPointer<QWidget> dialogo = d.Cargado();
    ASSERT_FALSE(dialogo.isNull()) << d.Nombre;
    ASSERT_TRUE(dialogo->isVisible()) << d.Nombre;

    QAbstractButton* casilla = nullptr;
    if (antes == Antes::TrasClicEnCasilla) {
        for (QAbstractButton* c : d.Casillas(*dialogo))
            if (c->isEnabled() && c->isVisible())
                casilla = c;
        ASSERT_NE(casilla, nullptr) << d.Nombre;
        QTest::mouseClick(casilla, Qt::LeftButton);
        Procesar();
        ASSERT_EQ(QApplication::focusWidget(), casilla) << d.Nombre;
    }
    QWidget* foco = QApplication::focusWidget();
    ASSERT_TRUE(foco && dialogo->isAncestorOf(foco))
        << d.Nombre << ": the keyboard is in " << (foco ? foco->metaObject()->className() : "nothing");
    const bool marcada = casilla && casilla->isChecked();

    QSignalSpy pulsado(d.PorDefecto(*dialogo), &QAbstractButton::clicked);
    for (int i = 1; i < (tecla == Tecla::Enter ? d.Enters : 1); ++i) {
        Pulsar(Qt::Key_Return);
        ASSERT_EQ(pulsado.count(), 0) << d.Nombre;
        ASSERT_TRUE(dialogo->isAncestorOf(QApplication::focusWidget())) << d.Nombre;
    }
    Pulsar(tecla == Tecla::Enter ? Qt::Key_Return : Qt::Key_Escape);
    if (tecla == Tecla::Enter) {
        EXPECT_EQ(pulsado.count(), 1) << d.Nombre;
        if (casilla && !dialogo.isNull()) {
            EXPECT_EQ(casilla->isChecked(), marcada) << d.Nombre << ": Enter left the box as it was";
        }
    } else if (d.TrasEscape) {
        EXPECT_EQ(pulsado.count(), 0) << d.Nombre;
        EXPECT_FALSE(Visible(d.Cargado())) << d.Nombre;
        EXPECT_TRUE(Visible(d.TrasEscape())) << d.Nombre;
    } else {
        EXPECT_EQ(pulsado.count(), 0) << d.Nombre;
        EXPECT_EQ(d.Cargado(), nullptr) << d.Nombre;
    }
}

// Every dialog as it opens; those with check boxes or option buttons after a
// click on one too; each with either key.
std::vector<std::tuple<int, Antes, Tecla>> Casos()
{
    std::vector<std::tuple<int, Antes, Tecla>> casos;
    for (int i = 0; i < static_cast<int>(std::size(kDialogos)); ++i)
        for (const Antes antes : {Antes::AlAbrir, Antes::TrasClicEnCasilla})
            if (antes == Antes::AlAbrir || kDialogos[i].Casillas)
                for (const Tecla tecla : {Tecla::Enter, Tecla::Escape})
                    casos.emplace_back(i, antes, tecla);
    return casos;
}

INSTANTIATE_TEST_SUITE_P(EveryDialog, DialogKeys, ::testing::ValuesIn(Casos()),
                         [](const ::testing::TestParamInfo<std::tuple<int, Antes, Tecla>>& info) {
                             return std::string(kDialogos[std::get<0>(info.param)].Nombre) +
                                    (std::get<1>(info.param) == Antes::AlAbrir ? "_AsItOpens"
                                                                               : "_AfterAClickOnABox") +
                                    (std::get<2>(info.param) == Tecla::Enter ? "_Enter" : "_Escape");
                         });

// Enter on a folder chosen in the template dialog's folder list opens that
// folder and does nothing more: Abrir, with no template chosen, is not
// pressed with it. With no folder chosen (the list just given the
// keyboard) Enter presses Abrir.
TEST_F(ProgramaActivo, EnterOnAChosenFolderOpensItAndPressesNothing)
{
    ASSERT_TRUE(QDir().mkpath(Carpeta("Plantillas/sub")));
    MenuForm()->mnuPlantilla_Click();
    Procesar();
    frmPlantilla* d = FormPlantilla();
    ASSERT_NE(d, nullptr);
    QSignalSpy abrir(d->cmdBuscar, &QAbstractButton::clicked);
    const QList<QListWidgetItem*> sub = d->Dir1->findItems("sub", Qt::MatchExactly);
    ASSERT_EQ(sub.size(), 1);
    d->Dir1->scrollToItem(sub.front());
    QTest::mouseClick(d->Dir1->viewport(), Qt::LeftButton, {}, d->Dir1->visualItemRect(sub.front()).center());
    Procesar();
    ASSERT_EQ(QApplication::focusWidget(), d->Dir1);
    Boxes().Clear();
    Pulsar(Qt::Key_Return);
    ASSERT_EQ(FormPlantilla(), d);
    EXPECT_EQ(QDir(d->Dir1->Path()), QDir(Carpeta("Plantillas/sub")));
    EXPECT_EQ(abrir.count(), 0);
    EXPECT_TRUE(Boxes().Calls().empty());

    // The folder opened, its list stands on an entry without choosing it.
    Pulsar(Qt::Key_Return);
    EXPECT_EQ(abrir.count(), 1);
}

// The delete-tool dialog takes the keyboard in its list, which then stands
// on its first entry without choosing it: Enter as it opens removes no
// tool; the entry the arrow keys choose is the one removed. Tab goes round
// the dialog's own controls, never out to the menu form.
TEST_F(ProgramaActivo, EnterInTheDeleteToolDialogRemovesOnlyTheToolChosen)
{
    MenuForm()->mnuBorrartool_Click();
    Procesar();
    frmNuevosTools* d = NuevosToolsCargado();
    ASSERT_NE(d, nullptr);
    ASSERT_EQ(QApplication::focusWidget(), d->List1);
    for (int i = 0; i < 4; ++i) {
        Pulsar(Qt::Key_Tab);
        EXPECT_TRUE(d->isAncestorOf(QApplication::focusWidget())) << i;
    }
    d->List1->setFocus();
    Pulsar(Qt::Key_Return);
    EXPECT_EQ(NuevosToolsCargado(), nullptr);
    EXPECT_EQ(Herramientas(), (QStringList{"Calculo", "Informe"}));

    MenuForm()->mnuBorrartool_Click();
    Procesar();
    Pulsar(Qt::Key_Down);
    ASSERT_EQ(NuevosToolsCargado()->List1->selectedItems().size(), 1);
    const QString elegida = NombreDeEntrada(NuevosToolsCargado()->List1->selectedItems().front()->text());
    Pulsar(Qt::Key_Return);
    EXPECT_EQ(NuevosToolsCargado(), nullptr);
    QStringList quedan{"Calculo", "Informe"};
    quedan.removeOne(elegida);
    EXPECT_EQ(Herramientas(), quedan);
}

} // namespace
} // namespace vesdra
