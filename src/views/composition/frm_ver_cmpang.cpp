#include "views/composition/frm_ver_cmpang.h"

#include <QCloseEvent>
#include <QDir>
#include <QIcon>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QTimer>

#include "platform/base/app_paths.h"
#include "platform/base/colors.h"
#include "platform/base/file_names.h"
#include "platform/elided_line_edit.h"
#include "platform/line_control.h"
#include "platform/mdi_forms.h"
#include "platform/messages.h"
#include "platform/mouse_pointer.h"
#include "platform/name_group.h"
#include "platform/picture_box.h"
#include "platform/scroll_bar.h"
#include "platform/text_box.h"
#include "platform/twips.h"
#include "record/helpers.h"
#include "record/record_model.h"
#include "shell/impresion.h"
#include "shell/language.h"
#include "shell/shell_hooks.h"
#include "views/composition/colores.h"
#include "views/composition/composition_services.h"
#include "views/composition/composition_state.h"
#include "views/composition/composition_tiling.h"
#include "views/composition/impresion_composicion.h"

namespace vesdra {

namespace {

constexpr std::uint32_t kFondoPicture = 0x808080;
constexpr std::uint32_t kAmarillo = 0x00FFFF; // &HBBGGRR
constexpr std::uint32_t kCian = 0xFFFF00;
// Resize events closer together than this are laid out once.
constexpr int kRetrasoResizeMs = 60;

// A read-out box on its colour, its text black or white, whichever reads
// better there; a long caption gives way in the middle, a value never.
ElidedLineEdit* Caja(QWidget* parent, std::uint32_t fondo)
{
    auto* e = new ElidedLineEdit(parent);
    e->setReadOnly(true);
    e->setFrame(true);
    QPalette pal = e->palette();
    pal.setColor(QPalette::Base, OleColor(fondo));
    pal.setColor(QPalette::Text, ReadableTextColor(fondo));
    e->setPalette(pal);
    MostrarPrincipio(*e);
    return e;
}

// The pictures the zoom buttons carry when fewer than three windows share
// the screen: a magnifying glass and the two arrows.
QIcon IconoDibujado(int tipo)
{
    QPixmap p(24, 24);
    p.fill(Qt::transparent);
    QPainter g(&p);
    g.setRenderHint(QPainter::Antialiasing);
    g.setPen(QPen(Qt::black, 2));
    if (tipo == 0) {
        g.drawEllipse(QRectF(3, 3, 12, 12));
        g.drawLine(QPointF(13.5, 13.5), QPointF(21, 21));
    } else {
        const bool adelante = tipo == 1;
        for (int i = 0; i < 2; ++i) {
            const double x = 5 + i * 7;
            QPolygonF flecha;
            if (adelante)
                flecha << QPointF(x, 5) << QPointF(x + 7, 12) << QPointF(x, 19);
            else
                flecha << QPointF(x + 7, 5) << QPointF(x, 12) << QPointF(x + 7, 19);
            g.drawPolyline(flecha);
        }
    }
    return QIcon(p);
}

} // namespace

frmVerCmpang::frmVerCmpang(QWidget* parent) : QWidget(parent)
{
    setProperty("Tag", QStringLiteral("4"));
    setAttribute(Qt::WA_DeleteOnClose);
    CrearControles();
    temporizadorResize_ = new QTimer(this);
    temporizadorResize_->setSingleShot(true);
    temporizadorResize_->setInterval(kRetrasoResizeMs);
    connect(temporizadorResize_, &QTimer::timeout, this, &frmVerCmpang::Form_Resize);
    PrepararBotones();
    composicion::RegistrarVentana(this);
}

frmVerCmpang::~frmVerCmpang() = default;

void frmVerCmpang::Desechar()
{
    descargada_ = true;
    composicion::QuitarVentana(this);
    delete this;
}

void frmVerCmpang::CrearControles()
{
    nombres_ = new NameGroup(this);
    nombres_->AddNames([this] { return canales_; });
    Picture1 = new PictureBox(this);
    Picture1->SetBackColor(kFondoPicture);
    Picture1->setFocusPolicy(Qt::StrongFocus);
    Lineamar = Picture1->AddLine();
    Lineamar->SetBorderColor(kAmarillo);
    Linecian = Picture1->AddLine();
    Linecian->SetBorderColor(kCian);
    for (std::size_t i = 2; i <= 5; ++i) {
        LineasZoom[i] = Picture1->AddLine();
        LineasZoom[i]->SetBorderColor(QBColor(15));
        LineasZoom[i]->SetVisible(false);
    }
    connect(Picture1, &PictureBox::MouseDown, this, &frmVerCmpang::Picture1_MouseDown);
    connect(Picture1, &PictureBox::MouseMove, this, &frmVerCmpang::Picture1_MouseMove);
    connect(Picture1, &PictureBox::MouseUp, this, &frmVerCmpang::Picture1_MouseUp);

    HScroll1 = new HScrollBar(this);
    HScroll2 = new HScrollBar(this);
    connect(HScroll1, &ScrollBar::Change, this, &frmVerCmpang::HScroll1_Change);
    connect(HScroll2, &ScrollBar::Change, this, &frmVerCmpang::HScroll2_Change);

    marcamar = Caja(this, kAmarillo);
    marcaci = Caja(this, kCian);
    Label1 = Caja(this, kAmarillo);
    Label2 = Caja(this, kCian);
    for (std::size_t k = 1; k <= 6; ++k) {
        const auto color = static_cast<int>(*ColorTrazo(static_cast<std::int32_t>(k)));
        lblam[k] = Caja(this, QBColor(color));
        lblci[k] = Caja(this, QBColor(color));
        lblam[k]->installEventFilter(this);
        lblci[k]->installEventFilter(this);
        // The composition's captions are shown beside each other: each
        // gives way against the others.
        lblam[k]->SetNameGroup(nombres_);
        lblci[k]->SetNameGroup(nombres_);
        // A click restores a box's whole text, drawn by the name rule, not
        // scrolled to its start as a box with the focus would be.
        lblam[k]->setFocusPolicy(Qt::NoFocus);
        lblci[k]->setFocusPolicy(Qt::NoFocus);
    }
    lblamar = Caja(this, kAmarillo);
    lblcian = Caja(this, kCian);
    lblms = Caja(this, kSysWindowBackground);

    HScroll_Amar = new HScrollBar(this);
    HScroll_Cian = new HScrollBar(this);
    for (HScrollBar* b : {HScroll_Amar, HScroll_Cian}) {
        b->SetMin(0);
        b->SetMax(0);
        b->SetValue(0);
    }
    connect(HScroll_Amar, &ScrollBar::Change, this, &frmVerCmpang::HScroll_Amar_Change);
    connect(HScroll_Cian, &ScrollBar::Change, this, &frmVerCmpang::HScroll_Cian_Change);

    cmdzoom = new QPushButton(IconoDibujado(0), QString(), this);
    cmdadel = new QPushButton(IconoDibujado(1), QString(), this);
    cmdatras = new QPushButton(IconoDibujado(2), QString(), this);
    connect(cmdzoom, &QPushButton::clicked, this, &frmVerCmpang::cmdzoom_Click);
    connect(cmdadel, &QPushButton::clicked, this, &frmVerCmpang::cmdadel_Click);
    connect(cmdatras, &QPushButton::clicked, this, &frmVerCmpang::cmdatras_Click);
    pctimpresora = new QPushButton(IconoImpresora(), QString(), this);
    connect(pctimpresora, &QPushButton::clicked, this, &frmVerCmpang::pctimpresora_Click);
}

void frmVerCmpang::PrepararBotones()
{
    if (Composiciones().NumVentanasComposicion != 3)
        return;
    // Three windows leave no room for the pictures alone: a grey picture and
    // text captions. Without the picture the buttons stay plain.
    QPixmap gris;
    const QString fichero = FileNoCase(IconosFolder() + QStringLiteral("/gris.bmp"));
    if (!fichero.isEmpty())
        gris.load(fichero);
    gris_ = gris.isNull() ? QIcon() : QIcon(gris);
    conTextos_ = true;
    AjustarBotones();
}

void frmVerCmpang::AjustarBotones()
{
    if (!conTextos_)
        return;
    const std::pair<QPushButton*, QString> botones[] = {
        {cmdzoom, TextosIdioma(61)}, {cmdadel, QStringLiteral(">>")}, {cmdatras, QStringLiteral("<<")}};
    int simbolo = 0;
    for (const auto& par : botones) {
        QPushButton* b = par.first;
        const QString& texto = par.second;
        const double imagen = gris_.isNull() ? 0.0 : b->iconSize().width();
        switch (composicion::ElegirContenidoBoton(b->width(), b->fontMetrics().horizontalAdvance(texto),
                                                  imagen)) {
        case composicion::ContenidoBoton::ImagenYTexto:
            b->setIcon(gris_);
            b->setText(texto);
            b->setToolTip(QString());
            break;
        case composicion::ContenidoBoton::Texto:
            b->setIcon(QIcon());
            b->setText(texto);
            b->setToolTip(QString());
            break;
        case composicion::ContenidoBoton::Simbolo:
            b->setIcon(IconoDibujado(simbolo));
            b->setText(QString());
            b->setToolTip(texto);
            break;
        }
        ++simbolo;
    }
}

void frmVerCmpang::DisponerControles(double ancho, double alto, double altoZoom)
{
    altoZoom_ = altoZoom;
    const std::int32_t nv = Composiciones().NumVentanasComposicion;
    const composicion::AreaCliente cliente{ClientWidthTwips(*this), ClientHeightTwips(*this)};
    Aplicar(composicion::CalcularDisposicion(ancho, alto, composicion::MargenSuperior(nv),
                                             composicion::Separacion(nv), altoZoom_, {}, cliente));
    anchoDispuesto_ = ancho;
    altoDispuesto_ = alto;
    clienteDispuesto_ = cliente;
}

void frmVerCmpang::Aplicar(const composicion::DisposicionVentana& d)
{
    Picture1->Move(d.Picture1.Left, d.Picture1.Top, d.Picture1.Width, d.Picture1.Height);
    MoveTwips(*HScroll1, d.HScroll1);
    MoveTwips(*HScroll2, d.HScroll2);
    MoveTwips(*marcamar, d.marcamar);
    MoveTwips(*marcaci, d.marcaci);
    MoveTwips(*cmdzoom, d.cmdzoom);
    MoveTwips(*cmdadel, d.cmdadel);
    MoveTwips(*cmdatras, d.cmdatras);
    MoveTwips(*pctimpresora, d.pctimpresora);
    MoveTwips(*Label1, d.Label1);
    MoveTwips(*Label2, d.Label2);
    for (std::size_t k = 1; k <= 6; ++k) {
        MoveTwips(*lblam[k], d.lblam[k]);
        MoveTwips(*lblci[k], d.lblci[k]);
    }
    MoveTwips(*lblamar, d.lblamar);
    MoveTwips(*lblcian, d.lblcian);
    MoveTwips(*lblms, d.lblms);
    MoveTwips(*HScroll_Amar, d.HScroll_Amar);
    MoveTwips(*HScroll_Cian, d.HScroll_Cian);
    AjustarBotones();
    const double alto = Picture1->Height();
    for (LineControl* l : {Lineamar, Linecian})
        l->SetPoints(l->X1(), 0, l->X2(), alto);
}

void frmVerCmpang::IniciarCursores(std::int32_t nS, std::int32_t muestrasPorCiclo)
{
    PonerRangoCursores(1, nS);
    HScroll1->SetLargeChange(muestrasPorCiclo);
    HScroll2->SetLargeChange(muestrasPorCiclo);
    lblamar->setText(QStringLiteral("No.: 1"));
    lblcian->setText(QStringLiteral("No.: 1"));
    lblms->setText(QStringLiteral("0.000 ms"));
    // The time printed is the read-out's from the start, not only once a
    // cursor has moved.
    textoTiempo_ = lblms->text();
}

void frmVerCmpang::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    temporizadorResize_->start();
}

void frmVerCmpang::Form_Resize()
{
    temporizadorResize_->stop();
    if (!Composiciones().ComposicionesListas || !compuesta_ || descargada_)
        return;
    if (FormularioMinimizado(*this)) {
        Hooks().OcultarMenu();
        return;
    }
    const double ancho = FormWidthTwips(*this);
    const double alto = FormHeightTwips(*this);
    // The same outer size in a frame of another thickness (the real one
    // once shown) leaves another client area: that needs a layout too.
    if (ancho == anchoDispuesto_ && alto == altoDispuesto_ &&
        ClientWidthTwips(*this) == clienteDispuesto_.Ancho &&
        ClientHeightTwips(*this) == clienteDispuesto_.Alto)
        return;
    Redisponer();
}

void frmVerCmpang::LadoCambiado()
{
    if (!Composiciones().ComposicionesListas || !compuesta_ || descargada_)
        return;
    Redisponer();
}

void frmVerCmpang::Redisponer()
{
    const double ancho = FormWidthTwips(*this);
    const double alto = FormHeightTwips(*this);
    try {
        MousePointerGuard puntero(this, vbCustom);
        DisponerControles(ancho, alto, altoZoom_);
        const std::int32_t nS = Registro().Valores.Rows();
        CalcularEscala();
        AjustarFuentesLecturas(nS, FrecuenciaMuestreo());
        // The history starts again for the new size: its levels were made
        // for the old picture and would mix two geometries.
        historial_.Reiniciar(Picture1->Width(), Picture1->Height(), nS);
        MostrarVista(composicion::VistaCompleta(Picture1->Width(), Picture1->Height(), nS));
    } catch (const VbError& e) {
        SetMousePointer(this, vbDefault);
        ShowErrorBox(e);
    }
}

void frmVerCmpang::closeEvent(QCloseEvent* event)
{
    Form_Unload();
    QWidget::closeEvent(event);
}

void frmVerCmpang::Form_Unload()
{
    if (descargada_)
        return;
    descargada_ = true;
    temporizadorResize_->stop();
    ComposicionState& st = Composiciones();
    const auto n = static_cast<std::size_t>(numComposicion_);
    // Only a window of the last build counts in that build's state; an older
    // window (or one left after the record closed) must not clear its
    // successor's flag.
    if (n >= 1 && n <= 3 && st.VentanasComposicion[n] == this) {
        Matrix<std::uint8_t>& sel = st.SeleccionComposicion;
        if (numComposicion_ <= sel.Rows() && sel.Cols() >= 1)
            sel(numComposicion_, sel.Cols()) = 0;
        st.VentanasComposicion[n] = nullptr;
        st.NumVentanasComposicion = std::max(0, st.NumVentanasComposicion - 1);
    }
    composicion::QuitarVentana(this);
    if (composicion::VentanasAbiertas().empty())
        Hooks().MostrarMenu();
}

bool frmVerCmpang::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonPress) {
        for (int k = 1; k <= 6; ++k) {
            if (watched == lblam[static_cast<std::size_t>(k)])
                lblam_Click(k);
            else if (watched == lblci[static_cast<std::size_t>(k)])
                lblci_Click(k);
        }
    }
    return QWidget::eventFilter(watched, event);
}

void frmVerCmpang::pctimpresora_Click()
{
    if (!compuesta_ || descargada_)
        return;
    // The page reads the window as it is now and changes nothing of it.
    DatosPaginaComposicion d;
    d.Filas = filas_;
    d.Vista = vista_;
    d.AltoPicture = Picture1->Height();
    d.EscalaVertical = escalaVertical_;
    d.Cursor1 = HScroll1->Value();
    d.Cursor2 = HScroll2->Value();
    d.TextoTiempo = textoTiempo_;
    const MedidaTexto medida = MedidaDeVentana(*this);
    (void)ImprimirVista(MarcoDeVista(*this, *Picture1), [d, medida](Printer& p) {
        PaginaComposicion(p, d, medida);
        return std::optional<RechazoPagina>{};
    });
}

QImage frmVerCmpang::RenderImage() const
{
    return Picture1->RenderImage();
}

} // namespace vesdra
