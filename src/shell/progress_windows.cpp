#include "shell/progress_windows.h"

#include <QApplication>
#include <QDir>
#include <QFrame>
#include <QLabel>
#include <QMdiSubWindow>
#include <QPointer>
#include <QProgressBar>
#include <algorithm>
#include <cstdio>
#include <memory>

#include "platform/animation.h"
#include "platform/base/app_paths.h"
#include "platform/base/file_names.h"
#include "platform/base/screen.h"
#include "platform/base/vb_error.h"
#include "platform/mdi_forms.h"
#include "platform/messages.h"
#include "platform/twips.h"
#include "record/progress_hook.h"
#include "shell/frm_menu.h"
#include "shell/language.h"
#include "shell/open_hooks.h"
#include "shell/shell_hooks.h"

namespace vesdra {

namespace {

template <typename W> QPointer<W>& Instancia()
{
    static QPointer<W> instancia;
    return instancia;
}

template <typename W> void Descargar()
{
    if (W* w = Instancia<W>().data()) {
        Instancia<W>() = nullptr;
        delete w;
    }
}

// The window the user works in: the MDI child or top-level window that holds
// the focus, or the active window.
QRect GeometriaActiva()
{
    QWidget* w = QApplication::focusWidget();
    while (w && !w->isWindow() && !qobject_cast<QMdiSubWindow*>(w))
        w = w->parentWidget();
    if (!w)
        w = QApplication::activeWindow();
    if (!w)
        return {0, 0, Screen().WidthTwips, Screen().HeightTwips};
    const QRect g = w->frameGeometry();
    const QPoint origen = w->isWindow() ? g.topLeft() : w->parentWidget()->mapToGlobal(g.topLeft());
    return {static_cast<int>(PixelsToTwipsX(origen.x())), static_cast<int>(PixelsToTwipsY(origen.y())),
            static_cast<int>(PixelsToTwipsX(g.width())), static_cast<int>(PixelsToTwipsY(g.height()))};
}

QProgressBar* NuevaBarra(QWidget* parent)
{
    auto* bar = new QProgressBar(parent);
    bar->setRange(0, 100);
    bar->setTextVisible(false);
    return bar;
}

QFrame* NuevaLinea(QWidget* parent)
{
    auto* line = new QFrame(parent);
    line->setFrameShape(QFrame::VLine);
    line->setFrameShadow(QFrame::Plain);
    return line;
}

} // namespace

// ---- gasolino2 ----

Gasolino2::Gasolino2(QWidget* parent) : QWidget(parent, Qt::Tool)
{
    setAttribute(Qt::WA_DeleteOnClose);
    resize(TwipsToPixelX(4800), TwipsToPixelY(1080));
    lbltexto = new QLabel(this);
    lbltexto->setAlignment(Qt::AlignCenter);
    MoveTwips(*lbltexto, 120, 120, 4560, 300);
    ProgressBar1 = NuevaBarra(this);
    MoveTwips(*ProgressBar1, 120, 540, 4560, 300);
}

Gasolino2& gasolino2()
{
    QPointer<Gasolino2>& g = Instancia<Gasolino2>();
    if (!g) {
        g = new Gasolino2();
        PrepararVentanaTarea(*g, false);
        g->setWindowTitle(QString::fromLatin1(TituloPrograma));
        g->lbltexto->setText(TextosIdioma(268));
        const QRect sobre = GeometriaActiva();
        const double left = sobre.x() + (sobre.width() - FormWidthTwips(*g)) / 2.0;
        const double top = sobre.y() + (sobre.height() - FormHeightTwips(*g)) / 2.0;
        g->move(TwipsToPixelX(left), TwipsToPixelY(top));
        // The copy runs without yielding: the window is on screen and
        // painted before it starts.
        MostrarExpuesta(*g);
    }
    return *g;
}

bool Gasolino2Cargado()
{
    return !Instancia<Gasolino2>().isNull();
}

void DescargarGasolino2()
{
    Descargar<Gasolino2>();
}

// ---- gasolino_ondas ----

GasolinoOndas::GasolinoOndas(QWidget* parent) : QWidget(parent, Qt::Tool)
{
    setAttribute(Qt::WA_DeleteOnClose);
    resize(TwipsToPixelX(4800), TwipsToPixelY(2520));

    Frame1 = new QFrame(this);
    Frame1->setFrameShape(QFrame::Box);
    MoveTwips(*Frame1, 120, 60, 4560, 2340);

    Animation1 = new Animation(Frame1);
    MoveTwips(*Animation1, 120, 120, 4320, 1200);

    ProgressBar1 = NuevaBarra(Frame1);
    MoveTwips(*ProgressBar1, 240, 1440, 4080, 300);

    // The fixed scale under the bar.
    Label2 = new QLabel(QStringLiteral("0 %"), Frame1);
    Label3 = new QLabel(QStringLiteral("50 %"), Frame1);
    Label4 = new QLabel(QStringLiteral("100 %"), Frame1);
    Label3->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    Label4->setAlignment(Qt::AlignRight | Qt::AlignTop);
    MoveTwips(*Label2, 240, 1920, 900, 300);
    MoveTwips(*Label3, 1830, 1920, 900, 300);
    MoveTwips(*Label4, 3420, 1920, 900, 300);
    Line1 = NuevaLinea(Frame1);
    Line2 = NuevaLinea(Frame1);
    MoveTwips(*Line1, 2280, 1740, 15, 180);
    MoveTwips(*Line2, 4305, 1740, 15, 180);
}

void GasolinoOndas::Valor(float value)
{
    ProgressBar1->setValue(std::clamp(static_cast<int>(value), 0, 100));
    if (isVisible())
        ProgressBar1->repaint();
}

QString RutaAnimacionOndas()
{
    return ExistingPathNoCase(IconosFolder() + QStringLiteral("/onda.avi"));
}

GasolinoOndas& gasolino_ondas()
{
    QPointer<GasolinoOndas>& g = Instancia<GasolinoOndas>();
    if (!g) {
        auto nueva = std::make_unique<GasolinoOndas>();
        PrepararVentanaTarea(*nueva, false);
        const QRect menu = AperturaHooks().GeometriaMenu();
        nueva->move(TwipsToPixelX(menu.x() + menu.width() * 3.0 / 6.0),
                    TwipsToPixelY(menu.y() + menu.height() * 5.0 / 6.0));
        // The animation only adorns the window: one that cannot be played
        // is left out, said on standard error, and the views are built.
        try {
            nueva->Animation1->Open(RutaAnimacionOndas());
            nueva->Animation1->Play();
        } catch (const VbError& e) {
            nueva->Animation1->hide();
            std::fprintf(stderr, "vesdra: the progress window's animation is left out: error %d, %s: %s\n",
                         e.Number, qPrintable(e.Description), qPrintable(QDir::toNativeSeparators(e.Path)));
        }
        nueva->Valor(10.0f);
        nueva->setWindowTitle(TextosIdioma(285));
        g = nueva.release();
        // The views are built without yielding: on screen and painted first.
        MostrarExpuesta(*g);
    }
    return *g;
}

bool GasolinoOndasCargado()
{
    return !Instancia<GasolinoOndas>().isNull();
}

void DescargarGasolinoOndas()
{
    Descargar<GasolinoOndas>();
}

// ---- hooks ----

void ConectarVentanasProgreso()
{
    RecordProgress& p = ProgresoRegistro();
    p.LlenarGasolino = [](bool add, int percent) { (void)gasolino().LlenarGasolino(add, percent); };
    p.BarraInicio = [](int max) {
        Gasolino2& g = gasolino2();
        g.ProgressBar1->setRange(0, std::max(max, 1));
        g.ProgressBar1->setValue(0);
    };
    p.BarraValor = [](int value) {
        if (Gasolino2Cargado()) {
            QProgressBar* bar = gasolino2().ProgressBar1;
            bar->setValue(std::clamp(value, bar->minimum(), bar->maximum()));
            bar->repaint();
        }
    };
    p.BarraFin = [] { DescargarGasolino2(); };
    p.Mensaje = [](int texto, int estilo, int titulo) {
        (void)MsgBox(TextosIdioma(texto), estilo, titulo == 0 ? QString() : TextosIdioma(titulo));
    };

    ShellHooks& h = Hooks();
    h.MostrarProgresoOndas = [] {
        (void)gasolino_ondas();
        return true;
    };
    h.ValorProgresoOndas = [](float value) {
        if (GasolinoOndasCargado())
            gasolino_ondas().Valor(value);
    };
    h.CerrarProgresoOndas = [] { DescargarGasolinoOndas(); };
}

void DescargarVentanasProgreso()
{
    DescargarGasolino();
    DescargarGasolino2();
    DescargarGasolinoOndas();
    DescargarCancelar();
}

} // namespace vesdra
