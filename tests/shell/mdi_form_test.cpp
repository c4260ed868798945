#include <QAction>
#include <QApplication>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include "common/process_state.h"
#include "mdi_fixture.h"
#include "platform/common_dialog.h"
#include "platform/file_lists.h"
#include "platform/key_hook.h"
#include "platform/mdi_forms.h"
#include "platform/twips.h"
#include "shell/abrir_comtrade.h"
#include "shell/frm_menu.h"
#include "shell/gasolino.h"
#include "shell/open_hooks.h"
#include "shell/tecla_salir.h"
#include "templates/template_state.h"

namespace vesdra {
namespace {

using test::ReadBytes;
using test::WriteBytes;

class MdiFormTest : public test::MdiTest
{
protected:
    // A view standing in for the real ones: a form with a design Tag.
    QWidget* Vista(const char* tag)
    {
        auto* w = new QWidget;
        w->setProperty("Tag", QString::fromLatin1(tag));
        w->resize(300, 200);
        principal_->MostrarFormulario(w);
        return w;
    }
    bool MenuALaVista() const
    {
        const FrmMenu* m = principal_->Menu();
        const auto* sub = m ? qobject_cast<QMdiSubWindow*>(m->parentWidget()) : nullptr;
        return sub && sub->isVisible() && sub->isMaximized();
    }
    // Lines 11 and 63 of the scratch language files made distinct, so a
    // caption shows which of the two it came from.
    void MarcarTextosSalir()
    {
        for (const char* f : {"vsotro.ini", "vsingles.ini"}) {
            const QString ruta = Ini(QLatin1String(f));
            QList<QByteArray> lineas = ReadBytes(ruta).split('\n');
            lineas[10] = QByteArray(f).left(3) + "-11\r";
            lineas[62] = QByteArray(f).left(3) + "-63\r";
            ASSERT_TRUE(WriteBytes(ruta, lineas.join('\n')));
        }
    }
};

TEST_F(MdiFormTest, AViewsLongCaptionIsCutInTheMiddleOfItsTitleBar)
{
    Arrancar();
    QWidget* w = Vista("5");
    w->setWindowTitle(QStringLiteral("SUBESTACION MONTANA ALTA POSICION 220 kV TENSION FASE B"));
    auto* sub = qobject_cast<QMdiSubWindow*>(w->parentWidget());
    ASSERT_NE(sub, nullptr);
    sub->resize(260, 150);
    (void)sub->grab();
    const QString visible = TituloVisible(*sub);
    EXPECT_TRUE(visible.startsWith(QStringLiteral("SUB"))) << visible.toStdString();
    EXPECT_TRUE(visible.endsWith(QStringLiteral("FASE B"))) << visible.toStdString();
    EXPECT_TRUE(visible.contains(QChar(0x2026))) << visible.toStdString();
}

TEST_F(MdiFormTest, StatusBarPlacementHoldsOnScreensWiderThan16Bits)
{
    // 3840 pixels are 57600 twips: far beyond an Integer.
    const DisposicionBarraEstado d = CalcularBarraEstado(0, 57600, 1300, 1100);
    EXPECT_EQ(d.EtiquetaLeft, 200);
    EXPECT_EQ(d.EtiquetaWidth, 54500);
    EXPECT_EQ(d.SalirLeft, 54750);
    EXPECT_EQ(d.RelojLeft, 56000);

    Screen().WidthTwips = 4096 * 15;
    Screen().HeightTwips = 768 * 15;
    MDIForm1& p = Arrancar();
    EXPECT_EQ(p.width(), 4096);
    EXPECT_GT(WidthTwips(*p.Etiqueta), 32767);
    EXPECT_LT(p.Etiqueta->geometry().right(), p.cmdSalir->x());
    EXPECT_LT(p.cmdSalir->geometry().right(), p.mnuTime->x());
    EXPECT_LE(p.mnuTime->geometry().right(), p.BarraEstado->width());
    EXPECT_TRUE(MenuALaVista());
    EXPECT_EQ(Boxes().Count(), 0);
}

TEST_F(MdiFormTest, StartsWithRecordAndTemplateFromTheCommandLine)
{
    const QString cnf = CopiarMuestraCnf();
    MDIForm1& p = Arrancar(test::MuestraDat() + " " + cnf);
    EXPECT_EQ(Mensajes(), QStringList{});
    EXPECT_EQ(Shell().CarpetaIni, Carpeta("ini"));
    EXPECT_TRUE(Registro().RegistroAbierto);
    EXPECT_TRUE(Plantillas().PlantillaAplicada);
    EXPECT_EQ(Plantillas().NumTrifasicos, 2);
    EXPECT_EQ(Registro().NombreEstacion, "PROTECCION LINEA 1 (66 kV)");
    EXPECT_TRUE(p.Menu()->mnuFasores->isEnabled());
    EXPECT_TRUE(p.Menu()->mnuInform->isEnabled());
    EXPECT_EQ(p.windowTitle(), "VESDRA DEMO 2.1.7");
    EXPECT_EQ(p.Etiqueta->text(), test::MuestraDat());
    EXPECT_EQ(p.cmdSalir->text(), TextosIdioma(63));
    EXPECT_EQ(p.Menu()->mnuFicheros->title(), TextosIdioma(1));
    EXPECT_EQ(p.Menu()->Lblversion->text(), "   VESDRA DEMO 2.1.7   ");
    EXPECT_FALSE(GasolinoCargado());
    EXPECT_TRUE(MenuALaVista());
    const QStringList ficher = LineasFicher();
    ASSERT_GE(ficher.size(), 6);
    EXPECT_EQ(ficher[2], test::MuestraDat());
    EXPECT_EQ(ficher[5], cnf);
}

TEST_F(MdiFormTest, OneArgumentOpensTheRecordAlone)
{
    MDIForm1& p = Arrancar("  " + test::MuestraDat() + "  ");
    EXPECT_TRUE(Registro().RegistroAbierto);
    EXPECT_FALSE(Plantillas().PlantillaAplicada);
    EXPECT_FALSE(p.Menu()->mnuFasores->isEnabled());
    EXPECT_FALSE(p.Menu()->mnuInform->isEnabled());
    EXPECT_EQ(p.Etiqueta->text(), test::MuestraDat());
    EXPECT_EQ(Boxes().Count(), 0);
}

TEST_F(MdiFormTest, ACfgOnTheCommandLineOpensItsRecord)
{
    const QString cfg = test::MuestraDat().chopped(3) + "cfg";
    MDIForm1& p = Arrancar(cfg);
    EXPECT_TRUE(Registro().RegistroAbierto);
    EXPECT_EQ(Registro().RutaDat, test::MuestraDat());
    EXPECT_EQ(Registro().RutaCfg, cfg);
    EXPECT_EQ(p.Etiqueta->text(), test::MuestraDat());
    EXPECT_EQ(Boxes().Count(), 0);
}

TEST_F(MdiFormTest, CommandLineTemplatesThatAreRefusedOldMisfitOrUnreadable)
{
    QByteArray muestra = ReadBytes(test::MuestraCnf());
    struct Caso {
        const char* nombre;
        QByteArray contenido;
        bool aplicada;
    };
    QByteArray antigua = muestra;
    antigua.replace("ver 1.1", "ver 1.0");
    // Nine analog rows: the sample record has eight channels.
    QByteArray nueve = "ver 1.1\r\nID\r\nANALOGICOS\r\n 9 \r\n";
    for (int i = 1; i <= 9; ++i)
        nueve += QByteArray::number(i) + "%C" + QByteArray::number(i) + "%%V$\r\n";
    const Caso casos[] = {
        {"rele.Cnf", muestra, false},
        {"antigua.cnf", antigua, true},
        {"nueve.cnf", nueve, false},
        {"vacia.cnf", QByteArray(), false},
    };
    for (const Caso& c : casos) {
        const QString ruta = Carpeta("Plantillas/") + c.nombre;
        ASSERT_TRUE(WriteBytes(ruta, c.contenido));
        Boxes().Clear();
        MDIForm1& p = Arrancar(test::MuestraDat() + " " + ruta);
        EXPECT_EQ(Plantillas().PlantillaAplicada, c.aplicada) << c.nombre;
        EXPECT_EQ(p.Menu()->mnuFasores->isEnabled(), c.aplicada) << c.nombre;
        EXPECT_EQ(Plantillas().RutaPlantilla, ruta) << c.nombre;
        ASSERT_EQ(Boxes().Count(), 1) << c.nombre;
        const QString m = Boxes().Last().Prompt;
        EXPECT_EQ(Boxes().Last().Style, vbCritical) << c.nombre;
        const QByteArray n(c.nombre);
        const QString esperado = n == "rele.Cnf"      ? TextosIdioma(147) + " " + ruta
                                 : n == "antigua.cnf" ? TextosIdioma(172)
                                 : n == "nueve.cnf"   ? TextosIdioma(253)
                                 : n == "vacia.cnf"   ? TextosIdioma(201) + ruta + TextosIdioma(202) + "1"
                                                      : QString();
        if (esperado.isEmpty()) {
            EXPECT_TRUE(m.startsWith("Error ")) << m.toStdString();
        } else {
            EXPECT_EQ(m, esperado) << c.nombre;
        }
        // A template that is not applied leaves the record its own channels.
        if (!c.aplicada) {
            EXPECT_EQ(Registro().NombreEstacion, "SUBESTACION NORTE") << c.nombre;
        }
        principal_.reset();
        Registro() = RecordModel{};
        Plantillas() = TemplateState{};
    }
}

TEST_F(MdiFormTest, CloseButtonDispatchesOnTheActiveFormsTag)
{
    struct Caso {
        const char* tag;
        std::vector<QString> llamadas;
        bool menuVuelve;
    };
    const Caso casos[] = {
        {"1", {"Fasores.CerrarFases"}, true},
        {"2", {"Fasores.CerrarSecuencias"}, true},
        {"3", {"Ondas.CerrarTodo"}, true},
        // Composition and waveform windows bring the menu back themselves,
        // when the last of them closes.
        {"4", {"Composicion.CerrarVentanas"}, false},
        {"5", {"Ondas.CerrarVentanas"}, false},
        {"6", {"Digital.CerrarVista"}, true},
        {"7", {"Informe.Cerrar"}, true},
        {"9", {"Digital.CerrarGrid"}, true},
        {"", {}, false},
    };
    MDIForm1& p = Arrancar();
    for (const Caso& c : casos) {
        p.OcultarMenu();
        QPointer<QWidget> vista = Vista(c.tag);
        ASSERT_EQ(p.FormularioActivo(), vista.data()) << c.tag;
        Llamadas().clear();
        p.cmdSalir_Click();
        EXPECT_TRUE(Llamadas() == c.llamadas) << "Tag " << c.tag;
        EXPECT_EQ(MenuALaVista(), c.menuVuelve) << "Tag " << c.tag;
        EXPECT_FALSE(p.Descargado());
        delete vista->parentWidget();
    }
    EXPECT_EQ(Boxes().Count(), 0);
}

TEST_F(MdiFormTest, CloseButtonOnTheMenuFormEndsTheProgramOnlyWhenConfirmed)
{
    MDIForm1& p = Arrancar();
    bool terminado = false;
    p.AlDescargar = [&] { terminado = true; };
    ASSERT_EQ(TagDe(p.FormularioActivo()), 8);

    Boxes().QueueAnswer(vbCancel);
    p.cmdSalir_Click();
    EXPECT_FALSE(p.Descargado());
    EXPECT_TRUE(MenuALaVista());
    EXPECT_TRUE(Llamadas().empty());

    p.cmdSalir_Click();
    EXPECT_EQ(Mensajes(), (QStringList{TextosIdioma(284), TextosIdioma(284)}));
    EXPECT_EQ(Boxes().Last().Style, vbOKCancel);
    EXPECT_TRUE(p.Descargado());
    EXPECT_TRUE(terminado);
    EXPECT_EQ(p.Menu(), nullptr);
    EXPECT_EQ(MenuForm(), nullptr);
    // Every family of windows unloaded.
    for (const char* f :
         {"Ondas", "Fasores", "Composicion", "Digital", "Informe", "Herramientas", "Conversion"})
        EXPECT_NE(std::find(Llamadas().begin(), Llamadas().end(), QString::fromLatin1(f) + ".Descargar"),
                  Llamadas().end())
            << f;
}

TEST_F(MdiFormTest, ErrorInsideTheCloseButtonKeepsTheFrameAndBringsTheMenuBackAndNoViewIsNoError)
{
    MDIForm1& p = Arrancar();
    bool terminado = false;
    p.AlDescargar = [&] { terminado = true; };
    Vistas().Ondas.CerrarVentanas = [] { throw VbError(vberr::SubscriptOutOfRange); };
    p.OcultarMenu();
    QPointer<QWidget> ondas = Vista("5");
    p.cmdSalir_Click();
    EXPECT_EQ(Mensajes(), QStringList{ErrorBoxText(VbError(vberr::SubscriptOutOfRange))});
    EXPECT_FALSE(p.Descargado());
    EXPECT_FALSE(terminado);
    EXPECT_TRUE(MenuALaVista());
    delete ondas->parentWidget();

    // A phasor view whose closing fails is closed with its frame.
    Vistas().Fasores.CerrarFases = [] { throw VbError(vberr::Overflow); };
    QPointer<QWidget> fases = Vista("1");
    Boxes().Clear();
    p.cmdSalir_Click();
    Procesar();
    EXPECT_EQ(Mensajes(), QStringList{ErrorBoxText(VbError(vberr::Overflow))});
    EXPECT_TRUE(fases.isNull());
    EXPECT_TRUE(MenuALaVista());

    // No active child at all (the menu form stranded): no error box, no
    // ending; the menu form comes back.
    p.OcultarMenu();
    Boxes().Clear();
    ASSERT_EQ(p.FormularioActivo(), nullptr);
    p.cmdSalir_Click();
    EXPECT_TRUE(Mensajes().isEmpty());
    EXPECT_FALSE(p.Descargado());
    EXPECT_TRUE(MenuALaVista());
}

TEST_F(MdiFormTest, DigitalCompositionNeverLeavesTheFrameWithoutAForm)
{
    MDIForm1& p = Arrancar(test::MuestraDat());
    // A grid that opens takes the menu form's place.
    QPointer<QWidget> grid;
    Vistas().Digital.AbrirGrid = [&] { grid = Vista("9"); };
    p.Menu()->mnuCompdig_Click();
    EXPECT_FALSE(MenuALaVista());
    EXPECT_EQ(p.FormularioActivo(), grid.data());
    delete grid->parentWidget();

    // One that does not open leaves the menu form in view.
    Vistas().Digital.AbrirGrid = [] {};
    p.Menu()->mnuCompdig_Click();
    EXPECT_TRUE(MenuALaVista());
    EXPECT_EQ(Boxes().Count(), 0);
}

TEST_F(MdiFormTest, FormsShownInTheAreaFollowTheirOwnHideShowAndDestruction)
{
    MDIForm1& p = Arrancar();
    QPointer<QWidget> vista = Vista("3");
    QPointer<QMdiSubWindow> sub = qobject_cast<QMdiSubWindow*>(vista->parentWidget());
    ASSERT_TRUE(sub);
    vista->hide();
    EXPECT_FALSE(sub->isVisible());
    vista->show();
    EXPECT_TRUE(sub->isVisible());
    EXPECT_EQ(p.FormularioActivo(), vista.data());
    delete vista.data();
    Procesar();
    EXPECT_TRUE(sub.isNull());
}

TEST_F(MdiFormTest, TheProgramsOwnIconOnTheFrameItsChildrenAndItsBoxes)
{
    MDIForm1& p = Arrancar();
    const auto imagen = [](const QIcon& i) {
        return i.pixmap(32, 32).toImage().convertToFormat(QImage::Format_ARGB32);
    };
    const QImage propio = imagen(IconoPrograma());
    ASSERT_FALSE(propio.isNull());
    EXPECT_EQ(imagen(QApplication::windowIcon()), propio);
    EXPECT_EQ(imagen(p.windowIcon()), propio);
    QWidget* vista = Vista("3");
    EXPECT_EQ(imagen(vista->parentWidget()->windowIcon()), propio);
    QWidget suelta; // a top-level window of its own (a progress window)
    EXPECT_EQ(imagen(suelta.windowIcon()), propio);
}

// The menu form is the frame's background: a click on its menu bar or on its
// grey ground, and the Escape after it, make it the active form but never
// bring it in front of a window of the frame, so a dialog the user is
// filling stays in sight.
TEST_F(MdiFormTest, TheMenuFormNeverComesInFrontOfAnotherWindowOfTheFrame)
{
    MDIForm1& p = Arrancar();
    QWidget* dialogo = Vista("0");
    Procesar();
    auto* marcoMenu = qobject_cast<QMdiSubWindow*>(p.Menu()->parentWidget());
    ASSERT_NE(marcoMenu, nullptr);
    const auto delante = [&] {
        const QList<QMdiSubWindow*> orden = p.Area->subWindowList(QMdiArea::StackingOrder);
        const QWidget* marco = MarcoFormulario(*dialogo);
        const QPoint centro = marco->geometry().center();
        QWidget* visto = p.Area->viewport()->childAt(centro);
        return !orden.isEmpty() && orden.first() == marcoMenu && visto &&
               (visto == marco || marco->isAncestorOf(visto));
    };
    ASSERT_TRUE(delante());

    // The File menu's title clicked, its menu closed with Escape.
    QMenuBar* barra = p.Menu()->BarraMenu;
    QTest::mouseClick(barra, Qt::LeftButton, {},
                      barra->actionGeometry(p.Menu()->mnuFicheros->menuAction()).center());
    Procesar();
    if (QWidget* menu = QApplication::activePopupWidget())
        QTest::keyClick(menu, Qt::Key_Escape);
    Procesar();
    EXPECT_TRUE(delante());
    // The grey ground clicked, away from the dialog, then Escape.
    const QPoint suelo(p.Menu()->width() - 20, p.Menu()->height() - 20);
    QTest::mouseClick(p.Menu(), Qt::LeftButton, {}, suelo);
    QTest::keyClick(p.Menu(), Qt::Key_Escape);
    Procesar();
    EXPECT_TRUE(delante());
    EXPECT_TRUE(MenuALaVista());
    // Brought back as the last view closes, it still stays under the rest.
    p.MostrarMenu();
    Procesar();
    EXPECT_TRUE(delante());
}

// A menu item's key works while another window of the frame is active (a
// view's dialog with the focus in a box of its own), as long as the menu
// form is shown; a disabled item's key, or any key while the menu form is
// hidden, does nothing.
TEST_F(MdiFormTest, MenuKeysWorkWhileAnotherWindowOfTheFrameIsActive)
{
    MDIForm1& p = Arrancar(test::MuestraDat() + " " + CopiarMuestraCnf());
    auto* dialogo = new QWidget;
    auto* caja = new QLineEdit(dialogo);
    dialogo->resize(300, 200);
    p.MostrarFormulario(dialogo);
    // The frame active again once the opening gauge is gone, as a window
    // manager leaves it.
    p.activateWindow();
    Procesar();
    caja->setFocus();
    ASSERT_EQ(p.FormularioActivo(), dialogo);
    ASSERT_EQ(QApplication::focusWidget(), caja);
    Llamadas().clear();

    QTest::keyClick(caja, Qt::Key_F5);
    EXPECT_EQ(Llamadas(), std::vector<QString>{"Composicion.AbrirDialogo"});
    QTest::keyClick(caja, Qt::Key_F7);
    EXPECT_EQ(Llamadas().back(), "Digital.AbrirGrid");
    p.MostrarMenu();
    caja->setFocus();
    Procesar();
    ASSERT_EQ(Shell().Idioma, IdiomaEspanol);
    QTest::keyClick(caja, Qt::Key_E, Qt::ControlModifier);
    EXPECT_EQ(Shell().Idioma, IdiomaIngles);
    {
        ScopedDialogAnswers respuestas(DialogAnswer{true, {}, 1});
        QTest::keyClick(caja, Qt::Key_O, Qt::ControlModifier);
        ASSERT_EQ(respuestas.Calls().size(), 1u) << "the open dialog";
        EXPECT_EQ(respuestas.Calls()[0].Kind, DialogKind::Open);
    }

    Llamadas().clear();
    p.Menu()->mnuCanalog->setEnabled(false);
    QTest::keyClick(caja, Qt::Key_F4);
    EXPECT_TRUE(Llamadas().empty()) << "a disabled item";
    p.OcultarMenu();
    QTest::keyClick(caja, Qt::Key_F5);
    EXPECT_TRUE(Llamadas().empty()) << "the menu form hidden";
}

TEST_F(MdiFormTest, ClockShowsTwelveHourTime)
{
    MDIForm1& p = Arrancar();
    {
        const test::ScopedClock reloj(QDateTime(QDate(2026, 12, 11), QTime(13, 5, 59)));
        p.Reloj_Timer();
    }
    EXPECT_EQ(p.mnuTime->text(), "01:05 PM");
    p.Reloj_Timer();
    EXPECT_TRUE(
        QRegularExpression("^(0[1-9]|1[0-2]):[0-5][0-9] (AM|PM)$").match(p.mnuTime->text()).hasMatch())
        << p.mnuTime->text().toStdString();
    EXPECT_EQ(p.Reloj->interval(), 1000);
    EXPECT_TRUE(p.Reloj->isActive());
}

TEST_F(MdiFormTest, LanguageSwitchSetsEveryCaptionAndTheCloseButtonKeepsItsStartText)
{
    MarcarTextosSalir();
    MDIForm1& p = Arrancar();
    FrmMenu* m = p.Menu();
    EXPECT_EQ(p.cmdSalir->text(), "vso-63");
    EXPECT_EQ(m->mnuSalir->text(), "vso-11");

    m->mnuIngles_Click();
    EXPECT_EQ(Shell().Idioma, 0);
    EXPECT_EQ(p.cmdSalir->text(), "vsi-63");
    EXPECT_EQ(m->mnuSalir->text(), "vsi-11");
    EXPECT_EQ(m->mnuFicheros->title(), "&File");
    EXPECT_EQ(m->mnuCerrarComtrade->text(), "&Close COMTRADE files");
    EXPECT_TRUE(ReadBytes(Ini("tools.ini")).startsWith("0\r\n"));
    EXPECT_TRUE(ReadBytes(Ini("ficher.ini")).startsWith(" 0 \r\n"));

    m->mnuEspanol_Click();
    EXPECT_EQ(p.cmdSalir->text(), "vso-63");
    EXPECT_EQ(m->mnuFicheros->title(), "&Ficheros");
    EXPECT_EQ(Boxes().Count(), 0);
}

// The close button's caption shows its access key (&Salir, E&xit), but the
// exit key is TeclaSalir's alone: with tools.ini naming no exit letter,
// Alt+S and Alt+X close nothing.
TEST_F(MdiFormTest, TheCloseButtonsAccessKeyIsNoExitKeyOfItsOwn)
{
    EscribirTools(2, {});
    MDIForm1& p = Arrancar();
    InstalarTeclaSalir();
    const auto sinAtajo = [&] {
        EXPECT_TRUE(p.cmdSalir->text().contains('&')) << qPrintable(p.cmdSalir->text());
        EXPECT_TRUE(p.cmdSalir->shortcut().isEmpty()) << qPrintable(p.cmdSalir->text());
        for (const Qt::Key k : {Qt::Key_S, Qt::Key_X}) {
            QTest::keyClick(p.Menu(), k, Qt::AltModifier);
            Procesar();
        }
        EXPECT_EQ(Boxes().Count(), 0);
        EXPECT_FALSE(p.Descargado());
    };
    sinAtajo();
    p.Menu()->mnuIngles_Click(); // E&xit; the switch wrote 0, Alt+X's language
    EscribirTools(2, {});
    sinAtajo();
    SetKeyHandler({});
}

TEST_F(MdiFormTest, ExitConfirmedInsideAStartUpBoxEndsTheProgramBeforeTheEventLoop)
{
    // A bad template name stops the start-up at text 147; while that box is
    // up the user presses the exit key (Alt+S) and confirms.
    const QString txt = Carpeta("Plantillas/rele.txt");
    ASSERT_TRUE(WriteBytes(txt, "x"));
    Boxes().OnBox([](const MsgBoxCall& c) {
        if (c.Prompt.startsWith(TextosIdioma(147))) {
            EXPECT_TRUE(TeclaSalir(vbAltMask, vbKeyS));
            QCoreApplication::processEvents(); // the box's own loop
        }
    });
    principal_ = std::make_unique<MDIForm1>();
    bool terminado = false;
    principal_->AlDescargar = [&] { terminado = true; };
    principal_->show();
    principal_->MDIForm_Load(test::MuestraDat() + " " + txt);
    MDIForm1& p = *principal_;
    EXPECT_EQ(Mensajes(), (QStringList{TextosIdioma(147) + " " + txt, TextosIdioma(284)}));
    // Ended where main() looks, without an event loop: no window comes back.
    EXPECT_TRUE(p.Descargado());
    EXPECT_TRUE(terminado);
    EXPECT_FALSE(p.isVisible());
    EXPECT_EQ(p.Menu(), nullptr);
    Procesar();
    EXPECT_EQ(p.Menu(), nullptr);
    EXPECT_FALSE(p.isVisible());
    EXPECT_EQ(Boxes().Count(), 2);
}

TEST_F(MdiFormTest, OneExitQuestionAtATimeAndNoViewClosesUnderABox)
{
    MDIForm1& p = Arrancar();
    // Inside the exit question the key and the exit command ask nothing more.
    Boxes().OnBox([&p](const MsgBoxCall& c) {
        if (c.Prompt == TextosIdioma(284)) {
            EXPECT_TRUE(TeclaSalir(vbAltMask, vbKeyS));
            QCoreApplication::processEvents();
            p.Menu()->mnuSalir_Click();
            p.cmdSalir_Click();
        }
    });
    Boxes().QueueAnswer(vbCancel);
    p.cmdSalir_Click();
    Procesar();
    EXPECT_EQ(Mensajes(), QStringList{TextosIdioma(284)});
    EXPECT_FALSE(p.Descargado());

    // A view's handler waits in a box: the key asks to end the program and
    // the view stays until the handler is done.
    Boxes().Clear();
    QPointer<QWidget> vista = Vista("5");
    bool vistaDuranteLaCaja = false;
    Boxes().OnBox([&](const MsgBoxCall& c) {
        if (c.Prompt == "aviso") {
            EXPECT_TRUE(TeclaSalir(vbAltMask, vbKeyS));
            QCoreApplication::processEvents();
            QCoreApplication::processEvents();
            vistaDuranteLaCaja = !vista.isNull();
        }
    });
    (void)MsgBox("aviso", vbOKOnly);
    EXPECT_EQ(Mensajes(), (QStringList{"aviso", TextosIdioma(284)}));
    EXPECT_TRUE(vistaDuranteLaCaja);
    EXPECT_EQ(std::count(Llamadas().begin(), Llamadas().end(), "Ondas.CerrarVentanas"), 0);
    // Nothing more is asked once the exit is confirmed.
    EXPECT_EQ(MsgBox("otra", vbOKCancel), vbCancel);
    Procesar();
    EXPECT_TRUE(p.Descargado());
    EXPECT_EQ(Boxes().Count(), 2);
}

TEST_F(MdiFormTest, TheFramesCloseBoxAsksTheExitQuestion)
{
    MDIForm1& p = Arrancar();
    Boxes().QueueAnswer(vbCancel);
    EXPECT_FALSE(p.close());
    Procesar();
    EXPECT_EQ(Mensajes(), QStringList{TextosIdioma(284)});
    EXPECT_TRUE(p.isVisible());
    EXPECT_FALSE(p.Descargado());

    p.close();
    Procesar();
    EXPECT_EQ(Boxes().Count(), 2);
    EXPECT_TRUE(p.Descargado());
    EXPECT_FALSE(p.isVisible());
}

TEST_F(MdiFormTest, TheCloseBoxDuringARecordsOpenEndsTheProgramOnceTheOpenIsDone)
{
    for (const char* ext : {"cfg", "dat", "hdr"})
        ASSERT_TRUE(QFile::copy(QStringLiteral(VESDRA_RUNTIME_ROOT "/Oscilos/muestra.") + QLatin1String(ext),
                                Carpeta("Oscilos/muestra.") + QLatin1String(ext)));
    MDIForm1& p = Arrancar();
    // Answered while the gauge paints, before the record is read.
    EXPECT_FALSE(p.close());
    bool descargadoAlMostrar = false;
    const auto mostrado = AperturaHooks().RegistroMostrado;
    AperturaHooks().RegistroMostrado = [&](const QString& ruta) {
        descargadoAlMostrar = p.Descargado();
        mostrado(ruta);
    };
    EXPECT_TRUE(AbrirRegistro(DerivarRutas(Carpeta("Oscilos/muestra.dat"))).Abierto());
    AperturaHooks().RegistroMostrado = mostrado;
    EXPECT_EQ(Mensajes(), QStringList{TextosIdioma(284)});
    EXPECT_FALSE(descargadoAlMostrar);
    EXPECT_FALSE(p.Descargado());
    Procesar();
    EXPECT_TRUE(p.Descargado());
}

TEST_F(MdiFormTest, ExitMenuEndsTheProgramAfterConfirmation)
{
    MDIForm1& p = Arrancar();
    Boxes().QueueAnswer(vbCancel);
    p.Menu()->mnuSalir_Click();
    Procesar();
    EXPECT_FALSE(p.Descargado());
    p.Menu()->mnuSalir_Click();
    Procesar();
    EXPECT_TRUE(p.Descargado());
}

TEST_F(MdiFormTest, OpeningARecordFromTheFileMenuAndApplyingATemplateThroughTheDialog)
{
    for (const char* ext : {"cfg", "dat", "hdr"})
        ASSERT_TRUE(QFile::copy(QStringLiteral(VESDRA_RUNTIME_ROOT "/Oscilos/muestra.") + QLatin1String(ext),
                                Carpeta("Oscilos/muestra.") + QLatin1String(ext)));
    const QString cnf = CopiarMuestraCnf();
    MDIForm1& p = Arrancar();
    FrmMenu* m = p.Menu();

    {
        ScopedDialogAnswers respuesta({false, Carpeta("Oscilos/muestra.dat")});
        m->mnuAbrirComtrade_Click();
        ASSERT_EQ(respuesta.Calls().size(), 1u);
        EXPECT_EQ(respuesta.Calls()[0].Dialog.Filter, "Data Files (*.dat)|*.dat");
    }
    EXPECT_TRUE(Registro().RegistroAbierto);
    EXPECT_EQ(p.Etiqueta->text(), Carpeta("Oscilos/muestra.dat"));
    // A BINARY record goes on to the conversion choice.
    ASSERT_FALSE(Llamadas().empty());
    EXPECT_EQ(Llamadas().back(), "Conversion.MostrarPoscamb");

    m->mnuPlantilla_Click();
    frmPlantilla* d = FormPlantilla();
    ASSERT_NE(d, nullptr);
    // A dialog: a window of its own, modal in front of the frame.
    EXPECT_EQ(qobject_cast<QMdiSubWindow*>(d->parentWidget()), nullptr);
    EXPECT_EQ(d->parentWidget(), &p);
    EXPECT_TRUE(d->isWindow());
    EXPECT_EQ(QApplication::activeModalWidget(), d);
    EXPECT_EQ(d->lblPath->text(), Carpeta("Plantillas"));
    d->File1->SetFileName("muestra.cnf");
    d->File1_Click();
    d->cmdBuscar_Click();
    Procesar();

    EXPECT_EQ(Boxes().Count(), 0);
    EXPECT_EQ(FormPlantilla(), nullptr);
    EXPECT_TRUE(Plantillas().PlantillaAplicada);
    EXPECT_EQ(Plantillas().NumGruposDigitales, Plantillas().NumGruposPlantilla);
    EXPECT_GT(Plantillas().NumGruposDigitales, 0);
    EXPECT_TRUE(m->mnuFasores->isEnabled());
    EXPECT_EQ(LineasFicher().value(5), cnf);

    // Another record opened: its template is gone, and so are the phasor
    // and report items.
    {
        ScopedDialogAnswers respuesta({false, Carpeta("Oscilos/muestra.dat")});
        m->mnuAbrirComtrade_Click();
    }
    Procesar();
    EXPECT_FALSE(Plantillas().PlantillaAplicada);
    EXPECT_FALSE(m->mnuFasores->isEnabled());
    EXPECT_FALSE(m->mnuInform->isEnabled());
    EXPECT_EQ(LineasFicher().value(5), "");

    // The frame renders offscreen with the menu form and the status bar.
    const QImage imagen = p.grab().toImage();
    ASSERT_FALSE(imagen.isNull());
    EXPECT_EQ(imagen.size(), p.size() * p.devicePixelRatio());
}

} // namespace
} // namespace vesdra
