#include "shell/mdi_form.h"

#include <QApplication>
#include <QCloseEvent>
#include <QEvent>
#include <QFileInfo>
#include <QIcon>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPainter>
#include <QPainterPath>
#include <QPointer>
#include <QPushButton>
#include <QTime>
#include <QTimer>
#include <QVBoxLayout>
#include <cmath>

#include "platform/base/app_paths.h"
#include "platform/base/clock.h"
#include "platform/base/formats.h"
#include "platform/base/screen.h"
#include "platform/elided_label.h"
#include "platform/mdi_forms.h"
#include "platform/messages.h"
#include "platform/modal_loops.h"
#include "platform/mouse_pointer.h"
#include "platform/twips.h"
#include "record/record_model.h"
#include "shell/abrir_comtrade.h"
#include "shell/command_line.h"
#include "shell/frm_menu.h"
#include "shell/frm_plantilla.h"
#include "shell/gasolino.h"
#include "shell/ini_files.h"
#include "shell/language.h"
#include "shell/menu_commands.h"
#include "shell/progress_windows.h"
#include "shell/shell_state.h"
#include "shell/view_services.h"
#include "templates/template_apply.h"
#include "templates/template_file.h"
#include "templates/template_state.h"

namespace vesdra {

namespace {

QPointer<MDIForm1>& Principal()
{
    static QPointer<MDIForm1> principal;
    return principal;
}

// Design sizes of the status bar, twips.
constexpr std::int32_t AltoBarraEstado = 420;
constexpr std::int32_t AnchoReloj = 1300;
constexpr std::int32_t AnchoSalir = 1100;
constexpr std::int32_t AltoControlBarra = 330;

std::int32_t ATwipsX(int pixels)
{
    return static_cast<std::int32_t>(PixelsToTwipsX(pixels));
}

QRect GeometriaEnTwips(const QRect& pixels)
{
    return {ATwipsX(pixels.x()), static_cast<std::int32_t>(PixelsToTwipsY(pixels.y())),
            ATwipsX(pixels.width()), static_cast<std::int32_t>(PixelsToTwipsY(pixels.height()))};
}

// Keeps a form's MDI sub-window in step with the form: a form hidden or
// shown by its own code hides or shows its frame, and a form destroyed
// takes its frame along, so no empty frame is left in the area.
class SeguidorFormulario : public QObject
{
public:
    SeguidorFormulario(QWidget* form, QMdiSubWindow* sub) : QObject(sub), marco_(sub)
    {
        form->installEventFilter(this);
        QObject::connect(form, &QObject::destroyed, sub, [marco = marco_] {
            if (QMdiSubWindow* s = Marco(marco))
                s->deleteLater();
        });
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        QMdiSubWindow* marco = Marco(marco_);
        if (!marco)
            return false;
        if (event->type() == QEvent::HideToParent) {
            marco->hide();
        } else if (event->type() == QEvent::ShowToParent && marco->isHidden()) {
            marco->show();
            if (QMdiArea* area = marco->mdiArea())
                area->setActiveSubWindow(marco);
        }
        return QObject::eventFilter(watched, event);
    }

private:
    // The frame, or null once it is gone or being destroyed (its own
    // destruction deletes the form): the cast asks the object's present type.
    static QMdiSubWindow* Marco(const QPointer<QObject>& p) { return qobject_cast<QMdiSubWindow*>(p.data()); }

    QPointer<QObject> marco_;
};

// Keeps the menu form's sub-window under every other window of the area:
// the menu form is the frame's background. A click on its menu bar or its
// grey ground makes it the active form (its menus and shortcuts are then at
// hand), never the one in front.
class AlFondo : public QObject
{
public:
    explicit AlFondo(QWidget* marco) : QObject(marco) { marco->installEventFilter(this); }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::ZOrderChange || event->type() == QEvent::Show) {
            auto* w = static_cast<QWidget*>(watched);
            const QWidget* padre = w->parentWidget();
            if (padre && !padre->children().isEmpty() && padre->children().constFirst() != w)
                w->lower();
        }
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

DisposicionBarraEstado CalcularBarraEstado(std::int32_t frameLeft, std::int32_t w, std::int32_t c,
                                           std::int32_t b)
{
    return {frameLeft + 200, w - c - b - 700, w - c - b - 450, w - (c + 300)};
}

int TagDe(const QWidget* form)
{
    if (!form)
        return 0;
    bool ok = false;
    const int tag = form->property("Tag").toString().trimmed().toInt(&ok);
    return ok ? tag : 0;
}

MDIForm1* VentanaPrincipal()
{
    return Principal().data();
}

QIcon IconoPrograma()
{
    static const QIcon icono = [] {
        QIcon i;
        for (const int lado : {16, 24, 32, 48, 64, 128}) {
            QPixmap pm(lado, lado);
            pm.fill(Qt::transparent);
            QPainter p(&pm);
            p.setRenderHint(QPainter::Antialiasing);
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(0, 0, 80));
            p.drawRoundedRect(QRectF(0, 0, lado, lado), lado / 8.0, lado / 8.0);
            const QColor colores[3] = {QColor(255, 255, 0), QColor(0, 230, 0), QColor(255, 80, 80)};
            const double pi = 3.14159265358979323846;
            for (int fase = 0; fase < 3; ++fase) {
                QPainterPath trazo;
                for (int x = 0; x <= lado; ++x) {
                    // The currents swell at the fault, past the middle.
                    const double amp = (x < lado / 2 ? 0.16 : 0.34 - 0.06 * fase) * lado;
                    const double y =
                        lado / 2.0 - amp * std::sin(2 * pi * x / (lado / 2.0) - fase * 2 * pi / 3);
                    if (x == 0)
                        trazo.moveTo(x, y);
                    else
                        trazo.lineTo(x, y);
                }
                p.setPen(QPen(colores[fase], std::max(1.0, lado / 24.0)));
                p.setBrush(Qt::NoBrush);
                p.drawPath(trazo);
            }
            i.addPixmap(pm);
        }
        return i;
    }();
    return icono;
}

MDIForm1::MDIForm1(QWidget* parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("MDIForm1"));
    // Every window without an icon of its own shows the application's.
    if (qobject_cast<QApplication*>(QCoreApplication::instance()))
        QApplication::setWindowIcon(IconoPrograma());
    setWindowIcon(IconoPrograma());
    setWindowTitle(QString::fromLatin1(TituloPrograma));
    // Boxes without a title of their own carry the program's.
    SetTituloPrograma(QString::fromLatin1(TituloPrograma));

    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    Area = new QMdiArea(central);
    // Views open over the maximised menu form as ordinary windows.
    Area->setOption(QMdiArea::DontMaximizeSubWindowOnActivation);
    Area->setBackground(QColor(128, 128, 128));
    layout->addWidget(Area, 1);

    BarraEstado = new QWidget(central);
    BarraEstado->setObjectName(QStringLiteral("BarraEstado"));
    BarraEstado->setFixedHeight(TwipsToPixelY(AltoBarraEstado));
    BarraEstado->setAutoFillBackground(true);
    layout->addWidget(BarraEstado);
    setCentralWidget(central);

    const int top = TwipsToPixelY((AltoBarraEstado - AltoControlBarra) / 2.0);
    // A long path keeps its start and the record's name in sight, whole on hover.
    Etiqueta = new ElidedLabel(Qt::ElideMiddle, BarraEstado);
    Etiqueta->setObjectName(QStringLiteral("Etiqueta"));
    Etiqueta->setFrameShape(QFrame::Panel);
    Etiqueta->setFrameShadow(QFrame::Sunken);
    Etiqueta->setGeometry(0, top, 100, TwipsToPixelY(AltoControlBarra));
    mnuTime = new QLineEdit(BarraEstado);
    mnuTime->setObjectName(QStringLiteral("mnuTime"));
    mnuTime->setReadOnly(true);
    mnuTime->setFocusPolicy(Qt::NoFocus);
    mnuTime->setAlignment(Qt::AlignCenter);
    mnuTime->setGeometry(0, top, TwipsToPixelX(AnchoReloj), TwipsToPixelY(AltoControlBarra));
    cmdSalir = new QPushButton(BarraEstado);
    TextoSalir(QStringLiteral("&Salir"));
    cmdSalir->setObjectName(QStringLiteral("cmdSalir"));
    cmdSalir->setFocusPolicy(Qt::NoFocus);
    cmdSalir->setGeometry(0, top, TwipsToPixelX(AnchoSalir), TwipsToPixelY(AltoControlBarra));
    connect(cmdSalir, &QPushButton::clicked, this, [this] { cmdSalir_Click(); });

    Reloj = new QTimer(this);
    Reloj->setInterval(1000);
    connect(Reloj, &QTimer::timeout, this, [this] { Reloj_Timer(); });
    Reloj->start();
    Reloj_Timer();

    connect(Area, &QMdiArea::subWindowActivated, this,
            [this](QMdiSubWindow* sub) { AlActivarSubventana(sub); });

    Principal() = this;
    ConectarHooks();
    ColocarBarraEstado();
}

MDIForm1::~MDIForm1()
{
    // Children (views among them) are destroyed after this body: from here
    // on they reach the harmless hooks, not this frame, and the area's
    // signals no longer reach it.
    disconnect(Area, nullptr, this, nullptr);
    if (menu_)
        disconnect(menu_, nullptr, this, nullptr);
    Reloj->stop();
    SetProgramEnding(false);
    Hooks() = hooksPrevios_;
    AperturaHooks() = aperturaPrevia_;
    if (Principal() == this)
        Principal() = nullptr;
}

void MDIForm1::ConectarHooks()
{
    hooksPrevios_ = Hooks();
    aperturaPrevia_ = AperturaHooks();

    ShellHooks& h = Hooks();
    h.MostrarMenu = [this] { MostrarMenu(); };
    h.OcultarMenu = [this] { OcultarMenu(); };
    h.MostrarVentana = [this](QWidget* w) { (void)MostrarFormulario(w); };

    OpenHooks& a = AperturaHooks();
    a.RegistroMostrado = [this](const QString& rutaDat) {
        setWindowTitle(QString::fromLatin1(TituloPrograma));
        Etiqueta->setText(rutaDat);
    };
    a.RegistroQuitado = [this] { Etiqueta->clear(); };
    a.ReiniciarVistas = [] { ReiniciarSeleccionesVistas(); };
    a.MostrarPlantilla = [] { AbrirFrmPlantilla(); };
    a.MostrarPoscamb = [] { Llamar(Vistas().Conversion.MostrarPoscamb); };
    // Pressed from a key handler: run once that key event is done, since
    // the button may close the very form whose key it was.
    a.PulsarSalir = [this] {
        QMetaObject::invokeMethod(
            this, [this] { cmdSalir_Click(); }, Qt::QueuedConnection);
    };
    a.GeometriaPrincipal = [this] { return GeometriaEnTwips(frameGeometry()); };
    a.GeometriaMenu = [this] {
        if (!menuSub_ || !menuSub_->isVisible())
            return GeometriaEnTwips(frameGeometry());
        return GeometriaEnTwips(QRect(menuSub_->mapToGlobal(QPoint(0, 0)), menuSub_->size()));
    };
}

void MDIForm1::MDIForm_Load(const QString& lineaComandos)
{
    MDIForm_Load(PartirLineaComandos(lineaComandos));
}

void MDIForm1::MDIForm_Load(const LineaComandos& lineaComandos)
{
    cargando_ = true;
    try {
        // The settings and the record reach the windows through these hooks.
        ConectarServiciosApertura();

        const ScreenInfo& pantalla = Screen();
        resize(TwipsToPixelX(pantalla.WidthTwips), TwipsToPixelY(pantalla.HeightTwips));
        frameLeft_ = ATwipsX(x());
        Shell().CarpetaIni = IniFolder();

        SetMousePointer(this, vbHourglass);
        Registro().RegistroAbierto = false;
        Plantillas().PlantillaAplicada = false;

        MostrarMenu();
        setWindowTitle(QString::fromLatin1(TituloPrograma));
        PonerTextoSalir();
        ColocarBarraEstado();

        if (!saliendo_)
            ArrancarConLinea(lineaComandos);

        SetMousePointer(this, vbDefault);
        if (!saliendo_)
            MostrarMenu();
    } catch (...) {
        MostrarErrorManejador(this, std::current_exception());
    }
    cargando_ = false;
    // The exit confirmed inside a start-up box ends the program here, before
    // any event loop runs.
    if (saliendo_)
        Descargar();
}

void MDIForm1::ArrancarConLinea(const LineaComandos& lc)
{
    if (lc.Datos.isEmpty() && lc.Plantilla.isEmpty()) {
        MostrarMenu();
        return;
    }
    if (!lc.Datos.isEmpty() && QFileInfo(lc.Datos).isFile()) {
        // The open sets the caption and the status path once the data file
        // has been read.
        // A .cfg given stands for its record, never for its samples.
        (void)(EsFicheroCfg(lc.Datos) ? AbrirFicheroElegido(lc.Datos)
                                      : AbrirRegistro(DerivarRutas(lc.Datos)));
    } else {
        Registro().RegistroAbierto = false;
        MostrarMenu();
    }
    if (saliendo_) {
        DescargarGasolino();
        return;
    }
    if (!lc.Plantilla.isEmpty() && QFileInfo(lc.Plantilla).isFile()) {
        AplicarPlantillaInicial(lc.Plantilla);
    } else {
        Plantillas().PlantillaAplicada = false;
        MostrarMenu();
    }
    DescargarGasolino();
}

void MDIForm1::AplicarPlantillaInicial(const QString& ruta)
{
    TemplateState& p = Plantillas();
    p.RutaPlantilla = ruta;
    if (!EsNombrePlantilla(ruta)) {
        SetMousePointer(FormPlantilla(), vbDefault);
        SetMousePointer(this, vbDefault);
        (void)MsgBox(TextosIdioma(147) + QLatin1Char(' ') + ruta, vbCritical);
        return;
    }
    const ResultadoPlantilla leida = LeerPlantilla();
    if (leida.Estado == LecturaPlantilla::Error) {
        // An unreadable template is reported and nothing is applied.
        SetMousePointer(this, vbDefault);
        ShowErrorBox(leida.Error.value_or(VbError(vberr::FileNotFound)));
        return;
    }
    if (leida.Texto() != 0)
        (void)MsgBox(leida.Mensaje([](int n) { return TextosIdioma(n); }, ruta), vbCritical);
    if (leida.Estado == LecturaPlantilla::NoEncaja || leida.Estado == LecturaPlantilla::Danada || saliendo_)
        return;
    // The reader checks the fit only while a template is applied; this is
    // the first, so the fit is asked here: a template naming channels the
    // record lacks is never applied.
    if (Registro().RegistroAbierto && !PlantillaEncaja()) {
        (void)MsgBox(TextosIdioma(253), vbCritical);
        OfrecerCanalesPlantilla();
        return;
    }
    (void)gasolino().LlenarGasolino(true, 5);
    HabilitarFasoresInforme();
    AplicarPlantilla();
    p.PlantillaAplicada = true;
    // Written once the template is applied: the file names only that.
    (void)EscribirFicher();
}

void MDIForm1::Reloj_Timer()
{
    mnuTime->setText(HoraAmPm(WallClockNow().time()));
}

void MDIForm1::PonerTextoSalir()
{
    const QString& t = TextosIdioma(63);
    if (!t.isEmpty())
        TextoSalir(t);
}

void MDIForm1::TextoSalir(const QString& texto)
{
    cmdSalir->setText(texto);
    cmdSalir->setShortcut(QKeySequence());
}

void MDIForm1::ColocarBarraEstado()
{
    if (!BarraEstado)
        return;
    const DisposicionBarraEstado d =
        CalcularBarraEstado(frameLeft_, ATwipsX(width()), WidthTwips(*mnuTime), WidthTwips(*cmdSalir));
    SetLeftTwips(*Etiqueta, d.EtiquetaLeft);
    SetWidthTwips(*Etiqueta, std::max<std::int32_t>(0, d.EtiquetaWidth));
    SetLeftTwips(*cmdSalir, d.SalirLeft);
    SetLeftTwips(*mnuTime, d.RelojLeft);
}

void MDIForm1::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    ColocarBarraEstado();
}

FrmMenu* MDIForm1::Menu() const
{
    return menu_;
}

QWidget* MDIForm1::FormularioActivo() const
{
    // A dialog in front of the frame is the active form while it is up:
    // nothing underneath is closed from the status bar meanwhile.
    if (QWidget* modal = QApplication::activeModalWidget(); modal && EsDialogo(*modal))
        return modal;
    // A hidden form is never the active one (the menu form hidden behind
    // the digital grid, say): the last active of those still shown is.
    QMdiSubWindow* sub = Area->currentSubWindow();
    if (sub && sub->isVisible())
        return sub->widget();
    const QList<QMdiSubWindow*> orden = Area->subWindowList(QMdiArea::ActivationHistoryOrder);
    for (auto it = orden.rbegin(); it != orden.rend(); ++it)
        if ((*it)->isVisible())
            return (*it)->widget();
    return nullptr;
}

QMdiSubWindow* MDIForm1::MostrarFormulario(QWidget* form)
{
    if (!form)
        return nullptr;
    if (EsDialogo(*form)) {
        MostrarDialogo(*form, this);
        return nullptr;
    }
    auto* sub = qobject_cast<QMdiSubWindow*>(form->parentWidget());
    if (!sub) {
        // Keep the place and the outer size the form was given before it
        // entered the area (a form's Width and Height include its frame).
        const bool movido = form->testAttribute(Qt::WA_Moved);
        const QPoint pos = form->pos();
        const QMargins m = DefaultFormFrame();
        const QSize outer = form->size().grownBy(m);
        // A form of a fixed layout gets no maximise button.
        sub = Area->addSubWindow(form, MarcoSubventana(*form));
        sub->setAttribute(Qt::WA_DeleteOnClose);
        TituloCortadoEnMedio(*sub);
        new SeguidorFormulario(form, sub);
        sub->resize(outer);
        if (movido)
            sub->move(pos);
    }
    sub->show();
    form->show();
    Area->setActiveSubWindow(sub);
    return sub;
}

void MDIForm1::MostrarMenu()
{
    // Once unloaded the frame brings nothing back.
    if (descargado_)
        return;
    if (!menu_) {
        menu_ = new FrmMenu;
        menuSub_ = Area->addSubWindow(menu_, Qt::FramelessWindowHint);
        new AlFondo(menuSub_);
        connect(menu_, &QObject::destroyed, this, [this] {
            menu_ = nullptr;
            menuSub_ = nullptr;
        });
        menu_->Form_Load();
    }
    menuSub_->showMaximized();
    menu_->show();
    Area->setActiveSubWindow(menuSub_);
}

void MDIForm1::OcultarMenu()
{
    if (menuSub_)
        menuSub_->hide();
}

void MDIForm1::AlActivarSubventana(QMdiSubWindow* sub)
{
    // A form runs its activation when it becomes the active child, not when
    // the frame regains the focus (after a message box, say).
    if (!sub || sub == ultimaActiva_)
        return;
    ultimaActiva_ = sub;
    QWidget* form = sub->widget();
    if (form && form->metaObject()->indexOfMethod("Form_Activate()") >= 0)
        QMetaObject::invokeMethod(form, "Form_Activate", Qt::DirectConnection);
}

bool MDIForm1::PedirSalida(bool enManejador)
{
    if (saliendo_ || descargado_ || preguntandoSalida_)
        return false;
    preguntandoSalida_ = true;
    const bool confirmada = ConfirmarSalida();
    preguntandoSalida_ = false;
    if (confirmada)
        Salir(enManejador);
    return confirmada;
}

void MDIForm1::Salir(bool enManejador)
{
    if (saliendo_ || descargado_)
        return;
    saliendo_ = true;
    SetProgramEnding(true);
    Shell().CancelarImpresion = true;
    CloseModalDialogs();
    if (enManejador && !cargando_)
        QTimer::singleShot(0, this, [this] { DescargarTrasBucles(); });
    else
        DescargarTrasBucles();
}

void MDIForm1::DescargarTrasBucles()
{
    if (descargado_)
        return;
    // A handler waiting in a box or a dialog resumes once its loop is over;
    // the forms it belongs to must still be there then.
    if (cargando_ || NestedLoopDepth() > 0) {
        if (!cargando_)
            QTimer::singleShot(0, this, [this] { DescargarTrasBucles(); });
        return;
    }
    Descargar();
}

void MDIForm1::cmdSalir_Click()
{
    if (saliendo_ || descargado_)
        return;
    if (NestedLoopDepth() > 0) {
        (void)PedirSalida();
        return;
    }
    const QPointer<QWidget> form = FormularioActivo();
    const int tag = TagDe(form);
    try {
        if (!form) {
            // Nothing is shown (the menu form hidden and no view open, say
            // after every window a view tried to open failed): the button
            // brings the menu form back instead of failing.
            MostrarMenu();
            return;
        }
        ServiciosVistas& v = Vistas();
        switch (tag) {
        case 1:
            Llamar(v.Fasores.CerrarFases);
            MostrarMenu();
            break;
        case 2:
            Llamar(v.Fasores.CerrarSecuencias);
            MostrarMenu();
            break;
        case 3:
            Llamar(v.Ondas.CerrarTodo);
            MostrarMenu();
            break;
        case 4:
            // Each window's own unload counts the windows down and brings
            // the menu form back after the last.
            Llamar(v.Composicion.CerrarVentanas);
            break;
        case 5:
            Llamar(v.Ondas.CerrarVentanas);
            break;
        case 6:
            Llamar(v.Digital.CerrarVista);
            MostrarMenu();
            break;
        case 7:
            Llamar(v.Informe.Cerrar);
            MostrarMenu();
            break;
        case 8:
            (void)PedirSalida();
            break;
        case 9:
            Llamar(v.Digital.CerrarGrid);
            MostrarMenu();
            break;
        default:
            break;
        }
    } catch (...) {
        MostrarErrorManejador(form, std::current_exception());
        SetMousePointer(this, vbDefault);
        // A phasor view that failed to close is closed with its frame.
        if (tag == 1 || tag == 2)
            CerrarFormulario(form);
        MostrarMenu();
    }
}

void MDIForm1::Descargar()
{
    if (descargado_)
        return;
    descargado_ = true;
    Reloj->stop();
    try {
        DescargarVistas();
        if (Asistente().Descargar)
            Asistente().Descargar();
        DescargarFrmPlantilla();
    } catch (...) {
        // The program ends all the same.
        MostrarErrorManejador(this, std::current_exception());
    }
    if (menuSub_) {
        delete menuSub_;
        menuSub_ = nullptr;
        menu_ = nullptr;
    }
    DescargarVentanasProgreso();
    close();
    if (AlDescargar)
        AlDescargar();
}

void MDIForm1::closeEvent(QCloseEvent* event)
{
    if (descargado_) {
        event->accept();
        return;
    }
    // The frame's own close box asks as the exit command does; the frame
    // closes through the unloading, once the question is answered.
    event->ignore();
    QMetaObject::invokeMethod(
        this, [this] { (void)PedirSalida(); }, Qt::QueuedConnection);
}

} // namespace vesdra
