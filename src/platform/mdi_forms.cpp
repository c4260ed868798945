#include "platform/mdi_forms.h"

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QEvent>
#include <QEventLoop>
#include <QHelpEvent>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPainter>
#include <QPointer>
#include <QProxyStyle>
#include <QStyleOptionTitleBar>
#include <QTimer>
#include <QToolTip>
#include <QWidget>
#include <QWindow>

#include "platform/base/name_elide.h"
#include "platform/elided_label.h"
#include "platform/modal_loops.h"

namespace vesdra {

namespace {

QMdiSubWindow* SubVentana(const QWidget& form)
{
    return qobject_cast<QMdiSubWindow*>(form.parentWidget());
}

// The frame of a window the user must answer (a dialog form, a message box,
// a common dialog): a caption and a close box only, nothing to minimise or
// maximise it out of sight.
constexpr Qt::WindowFlags kMarcoModal = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                        Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;

// A window to the front, with the keyboard.
void AlFrenteConTeclado(QWidget& w)
{
    w.raise();
    w.activateWindow();
}

// The filter `Filtro` (an object named Filtro::Nombre, a child of the
// widget it watches) on `w`, once however often it is asked for.
template <class Filtro> void FiltrarUnaVez(QWidget& w)
{
    if (!w.findChild<QObject*>(QLatin1String(Filtro::Nombre), Qt::FindDirectChildrenOnly))
        w.installEventFilter(new Filtro(&w));
}

// A modal window (a dialog form, a message box, a common dialog) minimised
// would leave the program blocked behind a window nobody sees, every click
// ignored: it comes back at once. A window manager may minimise the windows
// it belongs to with it (openbox minimises a transient's whole family): they
// come back too, in the state they had.
class SinMinimizar : public QObject
{
public:
    static constexpr const char* Nombre = "SinMinimizar";

    explicit SinMinimizar(QWidget* form) : QObject(form) { setObjectName(QLatin1String(Nombre)); }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::WindowStateChange) {
            auto* w = static_cast<QWidget*>(watched);
            if (w->isMinimized() && w->isVisible()) {
                QTimer::singleShot(0, w, [w] {
                    for (QWidget* d = Dueno(*w); d; d = Dueno(*d))
                        if (d->isMinimized())
                            d->setWindowState(d->windowState() & ~Qt::WindowMinimized);
                    if (!w->isVisible())
                        return;
                    w->setWindowState(w->windowState() & ~Qt::WindowMinimized);
                    AlFrenteConTeclado(*w);
                });
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    static QWidget* Dueno(const QWidget& w)
    {
        return w.parentWidget() ? w.parentWidget()->window() : nullptr;
    }
};

// Once shown (and each time it is shown again) a box is raised and given the
// keyboard: a window manager that maps new windows without focusing them
// would leave the keys with the window the box blocks.
class AlFrente : public QObject
{
public:
    static constexpr const char* Nombre = "AlFrente";

    explicit AlFrente(QWidget* caja) : QObject(caja) { setObjectName(QLatin1String(Nombre)); }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show) {
            auto* w = static_cast<QWidget*>(watched);
            QTimer::singleShot(0, w, [w] {
                if (w->isVisible())
                    AlFrenteConTeclado(*w);
            });
        }
        return QObject::eventFilter(watched, event);
    }
};

const char* const kPropTituloVisible = "vesdraTituloVisible";
constexpr int kMargenTitulo = 16;

// The captions of the other sub-windows of the area that holds `sub`: what
// its title must be told from when it gives way.
QStringList TitulosJunto(const QWidget& sub)
{
    QStringList junto;
    const auto* s = qobject_cast<const QMdiSubWindow*>(&sub);
    const QMdiArea* area = s ? s->mdiArea() : nullptr;
    if (!area)
        return junto;
    for (const QMdiSubWindow* otra : area->subWindowList())
        if (otra != s)
            junto << otra->windowTitle();
    return junto;
}

// The title bar of a sub-window draws its caption by the name rule, weighed
// against the other windows' captions, where the style would cut its end;
// the text drawn is kept on the sub-window.
class EstiloTitulo : public QProxyStyle
{
public:
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option, QPainter* painter,
                            const QWidget* widget) const override
    {
        const auto* barra = qstyleoption_cast<const QStyleOptionTitleBar*>(option);
        if (control != CC_TitleBar || !barra || !widget || barra->text.isEmpty()) {
            QProxyStyle::drawComplexControl(control, option, painter, widget);
            return;
        }
        QStyleOptionTitleBar o(*barra);
        const QString entero = widget->windowTitle();
        o.text = entero;
        // The styles cut the caption again, in the painter's font, to their
        // label's width less a margin of their own (Fusion's is 14 pixels):
        // cut it here in that font to less, so that they draw it as it is.
        const int ancho = subControlRect(CC_TitleBar, &o, SC_TitleBarLabel, widget).width() - kMargenTitulo;
        const QFontMetrics fm = painter->fontMetrics();
        o.text = ElideName(entero, TitulosJunto(*widget), ancho,
                           [&fm](const QString& t) { return static_cast<double>(fm.horizontalAdvance(t)); });
        const_cast<QWidget*>(widget)->setProperty(kPropTituloVisible, o.text);
        QProxyStyle::drawComplexControl(control, &o, painter, widget);
    }
};

QStyle* Estilo()
{
    static QPointer<QStyle> estilo;
    if (!estilo) {
        estilo = new EstiloTitulo;
        estilo->setParent(qApp);
    }
    return estilo;
}

// Hovering the title bar of a sub-window whose caption is cut shows it whole.
class AyudaTitulo : public QObject
{
public:
    using QObject::QObject;

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::ToolTip)
            return false;
        auto* sub = qobject_cast<QMdiSubWindow*>(watched);
        auto* ayuda = static_cast<QHelpEvent*>(event);
        const QWidget* contenido = sub ? sub->widget() : nullptr;
        const int barra = contenido ? contenido->geometry().top() : 0;
        if (!sub || ayuda->pos().y() >= barra)
            return false;
        ShowWholeTextTip(*sub, *event, TituloVisible(*sub) != sub->windowTitle(), sub->windowTitle());
        return true;
    }
};

} // namespace

void TituloCortadoEnMedio(QMdiSubWindow& sub)
{
    if (sub.style() == Estilo())
        return;
    sub.setStyle(Estilo());
    sub.installEventFilter(new AyudaTitulo(&sub));
}

QString TituloVisible(const QMdiSubWindow& sub)
{
    const QVariant v = sub.property(kPropTituloVisible);
    return v.isValid() ? v.toString() : sub.windowTitle();
}

QWidget* MarcoFormulario(QWidget& form)
{
    if (QMdiSubWindow* sub = SubVentana(form))
        return sub;
    return &form;
}

const QWidget* MarcoFormulario(const QWidget& form)
{
    if (const QMdiSubWindow* sub = SubVentana(form))
        return sub;
    return &form;
}

bool FormularioMinimizado(const QWidget& form)
{
    return MarcoFormulario(form)->isMinimized();
}

void CerrarFormulario(QWidget* form)
{
    if (form)
        MarcoFormulario(*form)->close();
}

void OcultarFormulario(QWidget* form)
{
    if (!form)
        return;
    if (QMdiSubWindow* sub = SubVentana(*form))
        sub->hide();
    form->hide();
}

bool MostrarEnSuMarco(QWidget* form)
{
    if (!form)
        return false;
    QMdiSubWindow* sub = SubVentana(*form);
    if (!sub)
        return false;
    form->show();
    sub->show();
    return true;
}

void MostrarNormal(QWidget* form)
{
    if (!form)
        return;
    if (QMdiSubWindow* sub = SubVentana(*form))
        sub->showNormal();
    else if (form->isWindow())
        form->showNormal();
}

void RetirarFormulario(QWidget* form)
{
    if (!form)
        return;
    QWidget* marco = MarcoFormulario(*form);
    marco->hide();
    marco->deleteLater();
}

bool EsDialogo(const QWidget& form)
{
    return form.windowType() == Qt::Dialog;
}

namespace {

constexpr const char* PropiedadDisposicionFija = "DisposicionFija";

// A window of a fixed layout keeps the size it has when it is shown: a window
// manager neither maximises nor resizes a window that cannot grow.
class TamanoFijo : public QObject
{
public:
    static constexpr const char* Nombre = "TamanoFijo";

    explicit TamanoFijo(QWidget* w) : QObject(w) { setObjectName(QLatin1String(Nombre)); }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show) {
            auto* w = static_cast<QWidget*>(watched);
            if (w->minimumSize() != w->size() || w->maximumSize() != w->size())
                w->setFixedSize(w->size());
        }
        return QObject::eventFilter(watched, event);
    }
};

void MantenerTamano(QWidget& w)
{
    FiltrarUnaVez<TamanoFijo>(w);
    // Fixed before the window is first mapped: a window manager reads the
    // size limits then.
    w.setFixedSize(w.size());
}

} // namespace

void MostrarDialogo(QWidget& form, QWidget* dueno)
{
    if ((dueno && form.parentWidget() != dueno) || form.windowFlags() != kMarcoModal) {
        // Its place was set before it belonged to the window (centred on the
        // screen, say): a new parent must not move it.
        const QPoint pos = form.pos();
        const bool movido = form.testAttribute(Qt::WA_Moved);
        form.setParent(dueno ? dueno : form.parentWidget(), kMarcoModal);
        if (movido)
            form.move(pos);
    }
    FiltrarUnaVez<SinMinimizar>(form);
    // A dialog's controls stand where its load put them.
    MantenerTamano(form);
    // Modality is taken when the window is shown, so it is set while hidden.
    if (!form.isVisible() && form.windowModality() != Qt::ApplicationModal)
        form.setWindowModality(Qt::ApplicationModal);
    form.show();
    AlFrenteConTeclado(form);
}

void PrepararCajaModal(QDialog& caja)
{
    if (caja.windowFlags() != kMarcoModal) {
        // A place set before (the printer dialog's) stays.
        const QPoint pos = caja.pos();
        const bool movida = caja.testAttribute(Qt::WA_Moved);
        caja.setWindowFlags(kMarcoModal);
        if (movida)
            caja.move(pos);
    }
    caja.setWindowModality(Qt::ApplicationModal);
    FiltrarUnaVez<SinMinimizar>(caja);
    FiltrarUnaVez<AlFrente>(caja);
}

QWidget* VentanaDuena()
{
    if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
        return nullptr;
    // A box belongs to a window on screen: one hidden or minimised (a dialog
    // that hid itself a moment ago) would take it out of sight with it.
    const auto enPantalla = [](const QWidget* w) { return w && w->isVisible() && !w->isMinimized(); };
    if (QWidget* modal = QApplication::activeModalWidget(); enPantalla(modal))
        return modal;
    // A progress window comes and goes with its task: no box hangs on it.
    if (QWidget* activa = QApplication::activeWindow();
        enPantalla(activa) && activa->isWindow() && activa->windowType() != Qt::Tool)
        return activa;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (qobject_cast<QMainWindow*>(w) && w->isVisible())
            return w;
    return nullptr;
}

QWidget* VentanaAplicacion()
{
    if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
        return nullptr;
    QWidget* oculta = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (!qobject_cast<QMainWindow*>(w))
            continue;
        if (w->isVisible())
            return w;
        if (!oculta)
            oculta = w;
    }
    return oculta;
}

void FijarDisposicion(QWidget& form)
{
    form.setProperty(PropiedadDisposicionFija, true);
}

bool DisposicionFija(const QWidget& form)
{
    return form.property(PropiedadDisposicionFija).toBool();
}

Qt::WindowFlags MarcoSubventana(const QWidget& form)
{
    Qt::WindowFlags f = Qt::SubWindow | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                        Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint;
    if (!DisposicionFija(form))
        f |= Qt::WindowMaximizeButtonHint;
    return f;
}

void PrepararVentanaTarea(QWidget& ventana, bool cajaCerrar)
{
    Qt::WindowFlags f = Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    if (cajaCerrar)
        f |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    QWidget* dueno = VentanaAplicacion();
    if (dueno == &ventana)
        dueno = nullptr;
    if (ventana.windowFlags() != f || ventana.parentWidget() != dueno) {
        const QPoint pos = ventana.pos();
        const bool movida = ventana.testAttribute(Qt::WA_Moved);
        const bool visible = ventana.isVisible();
        ventana.setParent(dueno, f);
        if (movida)
            ventana.move(pos);
        if (visible)
            ventana.show();
    }
    ventana.setProperty(PropiedadDisposicionFija, true);
    // It never takes the keyboard from the window the user works in.
    ventana.setAttribute(Qt::WA_ShowWithoutActivating);
    MantenerTamano(ventana);
}

bool VentanaExpuesta(const QWidget& ventana)
{
    const QWindow* w = ventana.windowHandle();
    return w && ventana.isVisible() && w->isExposed();
}

void MostrarExpuesta(QWidget& ventana, int esperaMs)
{
    ventana.show();
    const QPointer<QWidget> w(&ventana);
    if (!VentanaExpuesta(ventana)) {
        // A loop of its own: what the handler that shows the window has
        // unloaded (and deletes later) stays until that handler returns.
        // No input of the user: a click now would run a handler in the
        // middle of the work about to start.
        QEventLoop bucle;
        QElapsedTimer reloj;
        reloj.start();
        QTimer sondeo;
        sondeo.setInterval(2);
        QObject::connect(&sondeo, &QTimer::timeout, &bucle, [&] {
            if (!w || VentanaExpuesta(*w) || !w->isVisible() || reloj.elapsed() >= esperaMs)
                bucle.quit();
        });
        sondeo.start();
        const NestedLoopGuard enBucle;
        bucle.exec(QEventLoop::ExcludeUserInputEvents);
    }
    if (w && VentanaExpuesta(*w))
        w->repaint();
}

} // namespace vesdra
