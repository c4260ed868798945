#include "shell/gasolino.h"

#include <QLabel>
#include <QPointer>
#include <algorithm>

#include "platform/mdi_forms.h"
#include "platform/twips.h"
#include "shell/frm_menu.h"
#include "shell/open_hooks.h"

namespace vesdra {

namespace {

// Client area of the gauge; the track is a little taller and is clipped.
constexpr std::int32_t AltoClienteGasolino = 225;

QPointer<Gasolino>& Instancia()
{
    static QPointer<Gasolino> instancia;
    return instancia;
}

} // namespace

std::int32_t LlenarGasolino(EstadoGasolino& e, double anchoPista, bool add, std::int32_t pct)
{
    if (pct == 0) {
        e.RellenoVisible = false;
        e.AnchoRelleno = 0.0;
        e.TextoPista.clear();
        e.Recordado = 0;
        return pct;
    }
    e.RellenoVisible = true;
    if (add)
        pct = e.Recordado + pct;
    else
        e.Recordado = pct;
    if (pct > 100)
        return pct;
    if (e.Recordado <= pct) {
        e.TextoRelleno = QString::number(pct) + QStringLiteral(" %");
        e.AnchoRelleno =
            static_cast<double>(static_cast<float>(anchoPista) * static_cast<float>(pct) / 100.0f);
    }
    e.Recordado = pct;
    return pct;
}

Gasolino::Gasolino(QWidget* parent) : QWidget(parent, Qt::Tool)
{
    setAttribute(Qt::WA_DeleteOnClose);
    resize(TwipsToPixelX(AnchoPistaGasolino), TwipsToPixelY(AltoClienteGasolino));

    Label1 = new QLabel(this);
    Label1->setAutoFillBackground(true);
    Label1->setStyleSheet(QStringLiteral("background-color: #e6e6fa; color: black;"));
    MoveTwips(*Label1, 0, 0, AnchoPistaGasolino, AltoPistaGasolino);

    Label2 = new QLabel(this);
    Label2->setAutoFillBackground(true);
    Label2->setAlignment(Qt::AlignCenter);
    Label2->setStyleSheet(QStringLiteral("background-color: #000080; color: white;"));
    MoveTwips(*Label2, 0, 0, 0, AltoPistaGasolino);
    Label2->hide();
}

std::int32_t Gasolino::LlenarGasolino(bool add, std::int32_t pct)
{
    const std::int32_t total = vesdra::LlenarGasolino(estado_, WidthTwips(*Label1), add, pct);
    Dibujar();
    return total;
}

double Gasolino::PintaGasolino(const QString& caption, double pct)
{
    setWindowTitle(caption);
    show();
    SetWidthTwips(*Label2, std::max(0.0, WidthTwips(*Label1) * pct / 100.0));
    if (isVisible())
        repaint();
    return 0.0;
}

void Gasolino::Dibujar()
{
    Label1->setText(estado_.TextoPista);
    Label2->setText(estado_.TextoRelleno);
    SetWidthTwips(*Label2, std::max(0.0, estado_.AnchoRelleno));
    Label2->setVisible(estado_.RellenoVisible);
    // The gauge moves inside one long handler: paint now, not at the next
    // pass of the message loop.
    if (isVisible())
        repaint();
}

Gasolino& gasolino()
{
    QPointer<Gasolino>& g = Instancia();
    if (!g) {
        g = new Gasolino();
        // It belongs to the main window, carries the program's title and no
        // buttons: the open runs to its end.
        PrepararVentanaTarea(*g, false);
        g->setWindowTitle(QString::fromLatin1(TituloPrograma));
        const QRect principal = AperturaHooks().GeometriaPrincipal();
        const double left = principal.x() + 100.0;
        const double top = principal.y() + principal.height() - FormHeightTwips(*g) - 96.0;
        g->move(TwipsToPixelX(left), TwipsToPixelY(top));
    }
    return *g;
}

bool GasolinoCargado()
{
    return !Instancia().isNull();
}

void DescargarGasolino()
{
    if (Gasolino* g = Instancia().data()) {
        Instancia() = nullptr;
        delete g;
    }
}

} // namespace vesdra
