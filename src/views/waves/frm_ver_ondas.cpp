#include "views/waves/frm_ver_ondas.h"

#include <QCloseEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QTimer>
#include <algorithm>

#include "platform/base/colors.h"
#include "platform/base/numeric.h"
#include "platform/line_control.h"
#include "platform/mdi_forms.h"
#include "platform/messages.h"
#include "platform/mouse_pointer.h"
#include "platform/picture_box.h"
#include "platform/scroll_bar.h"
#include "platform/text_box.h"
#include "platform/twips.h"
#include "record/canales.h"
#include "record/helpers.h"
#include "record/record_model.h"
#include "shell/impresion.h"
#include "shell/language.h"
#include "shell/shell_hooks.h"
#include "views/waves/form_support.h"
#include "views/waves/impresion_ondas.h"
#include "views/waves/lecturas.h"
#include "views/waves/waves_draw.h"
#include "views/waves/waves_fit.h"
#include "views/waves/waves_layout.h"
#include "views/waves/waves_services.h"
#include "views/waves/waves_state.h"

namespace vesdra {

namespace {

constexpr std::uint32_t kAmarillo = 0x00FFFF;
constexpr std::uint32_t kCian = 0xFFFF00;
constexpr std::uint32_t kBlanco = 0xFFFFFF;

} // namespace

frmVerOndas::frmVerOndas(QWidget* parent) : QWidget(parent)
{
    setProperty("Tag", QStringLiteral("5"));
    setAttribute(Qt::WA_DeleteOnClose);

    picbox = ondas::PictureWithCursors(this, Lineizq, Lineder);
    for (LineControl** l : {&Line2, &Line3, &Line4, &Line5}) {
        *l = picbox->AddLine();
        (*l)->SetBorderColor(kBlanco);
        (*l)->SetVisible(false);
    }

    HScroll1 = new HScrollBar(this);
    HScroll2 = new HScrollBar(this);
    lblizq = ondas::CajaLectura(this, kAmarillo);
    lblamar = ondas::CajaLectura(this, kAmarillo);
    lblder = ondas::CajaLectura(this, kCian);
    lblcian = ondas::CajaLectura(this, kCian);
    lblms = ondas::CajaLectura(this, kSysMenu);
    lblDif = ondas::CajaLectura(this, kSysMenu);
    lbl_PS = ondas::IndicatorBox(this);

    cmdzoom = new QPushButton(TextosIdioma(61), this);
    ondas::MakeStepAndPrintButtons(this, cmdadel, cmdatras, pctimpresora);

    ondas::ConnectViewControls(this);
    connect(picbox, &PictureBox::MouseDown, this,
            [this](int, int, double x, double y) { picbox_MouseDown(x, y); });
    connect(picbox, &PictureBox::MouseMove, this,
            [this](int, int, double x, double y) { picbox_MouseMove(x, y); });
    connect(picbox, &PictureBox::MouseUp, this,
            [this](int, int, double x, double y) { picbox_MouseUp(x, y); });

    resizeTimer_ = ondas::MergeResizes(this, Activada, [this] { Form_Resize(); });

    ondas::RegistrarVentanaOndas(this);
}

frmVerOndas::~frmVerOndas()
{
    // Deleted without being closed (its MDI area went away): keep the counts
    // true, but call no other form.
    if (!unloaded_) {
        OndasState& st = Ondas();
        st.NumVentanasOndas = std::max(0, st.NumVentanasOndas - 1);
        if (CanalVentana >= 1 && CanalVentana <= st.CanalesVisibles.Size())
            st.CanalesVisibles(CanalVentana) = 0;
    }
    ondas::QuitarVentanaOndas(this);
}

void frmVerOndas::Form_activo(std::int32_t height, std::int32_t width, std::int32_t top, std::int32_t left)
{
    CanalVentana = Ondas().IndiceVentana;
    MuestraCursor1 = MuestraCursor2 = 1;
    Activada = false;
    SetMousePointer(this, vbHourglass);
    setWindowTitle(NombreCanalId(CanalVentana));
    setWindowState(windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized));
    MoveFormTwips(*this, left, top, width, height);
    Activada = true;
    resizeTimer_->stop(); // the layout below is the one this size needs
    if (ondas::Atrapar(this, [this] {
            ColocarControles();
            Dibujar();
        }))
        SetMousePointer(this, vbDefault);
    else
        Descargar();
}

std::span<const float> frmVerOndas::Canal() const
{
    return Registro().Valores.Column(ColumnaAnalogica(CanalVentana));
}

QString frmVerOndas::Unidad() const
{
    const RecordModel& r = Registro();
    if (CanalVentana < 1 || CanalVentana > r.TablaCanales.Rows() || r.TablaCanales.Cols() < 4)
        throw VbError(vberr::SubscriptOutOfRange);
    return UnidadCanal(CanalVentana);
}

float frmVerOndas::ValorEn(double muestra) const
{
    const std::span<const float> canal = Canal();
    const std::int32_t s = CInt(muestra);
    if (s < 1 || s > static_cast<std::int32_t>(canal.size()))
        throw VbError(vberr::SubscriptOutOfRange);
    return canal[static_cast<size_t>(s - 1)];
}

void frmVerOndas::DisponerLecturas(int pixelesTesela)
{
    const RecordModel& r = Registro();
    const std::int32_t n = r.NumMuestras();
    if (n < 1)
        throw VbError(vberr::SubscriptOutOfRange);

    // The channel's extremes: the widest values its boxes can show (from
    // its block tables when it has them).
    float lo = 0.0f, hi = 0.0f;
    ExtremosMuestras(Canal(), TablaValores(r, ColumnaAnalogica(CanalVentana)), lo, hi);
    const bool indicador = ondas::IndicadorPrimarioSecundario(*lbl_PS);
    const TextosMaximosOnda textos = TextosMaximos(n, lo, hi, Unidad(), FrecuenciaMuestreo());
    const QStringList lados{TextosIdioma(279), TextosIdioma(280)};
    const auto medir = [&](int px) {
        AnchosLecturasOndas a;
        a.Numero = ondas::AnchoTwips(*lblizq, textos.Numero, px);
        a.Valor = ondas::AnchoTwips(*lblamar, textos.Valor, px);
        a.Tiempo = ondas::AnchoTwips(*lblms, textos.Tiempo, px);
        a.Indicador = indicador ? ondas::AnchoTwips(*lbl_PS, lados, px) : 0.0;
        return a;
    };
    const DisenoOndas diseno;
    const double ancho = ScaleWidthTwips(*this);
    const double alto = ScaleHeightTwips(*this);
    const std::int32_t ventanas = Ondas().NumVentanasOndas;
    const int pxCaja = ondas::PixelesPorAltoCaja(*lblizq, diseno.AltoLectura);
    pixelesPropios_ = ColocarControlesOndasEnteras(ancho, alto, ventanas, pxCaja, medir, diseno).Pixeles;
    const DisposicionOndasEntera ajuste = ColocarControlesOndasEnteras(
        ancho, alto, ventanas, std::min(pxCaja, std::min(pixelesPropios_, pixelesTesela)), medir, diseno);
    pixelesLecturas_ = ajuste.Pixeles;
    const DisposicionOndas& d = ajuste.Controles;
    for (QLineEdit* caja : {lblizq, lblamar, lblder, lblcian, lblms, lblDif, lbl_PS})
        FijarPixelesFuente(*caja, ajuste.Pixeles);
    MoveTwips(*picbox, d.picbox);
    MoveTwips(*HScroll1, d.HScroll1);
    MoveTwips(*HScroll2, d.HScroll2);
    MoveTwips(*lblizq, d.lblizq);
    MoveTwips(*lblamar, d.lblamar);
    MoveTwips(*lblder, d.lblder);
    MoveTwips(*lblcian, d.lblcian);
    MoveTwips(*lblms, d.lblms);
    MoveTwips(*lblDif, d.lblDif);
    MoveTwips(*cmdzoom, d.cmdzoom);
    MoveTwips(*cmdadel, d.cmdadel);
    MoveTwips(*cmdatras, d.cmdatras);
    MoveTwips(*pctimpresora, d.pctimpresora);
    MoveTwips(*lbl_PS, d.lbl_PS);
    ondas::TextoOIcono(*cmdzoom, TextosIdioma(61), QStyle::SP_FileDialogContentsView);
}

void frmVerOndas::ColocarControles()
{
    const RecordModel& r = Registro();
    const std::int32_t n = r.NumMuestras();
    if (n < 1)
        throw VbError(vberr::SubscriptOutOfRange);
    const std::int32_t porCiclo = MuestrasPorCiclo(FrecuenciaMuestreo(), r.FrecuenciaLinea);
    // This window's own size first, then the tile's: one read-out font for
    // every waveform window, the largest at which each holds its texts.
    DisponerLecturas(kPixelesFuenteMaximos);
    ondas::IgualarLecturasTesela();
    float lo = 0.0f, hi = 0.0f;
    ExtremosMuestras(Canal(), TablaValores(r, ColumnaAnalogica(CanalVentana)), lo, hi);

    // The view of the picture as placed (whole pixels).
    const double wp = picbox->Width();
    const double hp = picbox->Height();
    Vista = VistaCompleta(wp, hp, n, EscalaYCanal(hp, lo, hi));
    Historial.Reset(NivelCompleto(Vista));
    ZoomPendiente = false;
    Arrastrando = false;
    OcultarRectangulo();

    for (HScrollBar* sb : {HScroll1, HScroll2}) {
        sb->SetSmallChange(1);
        sb->SetLargeChange(porCiclo);
    }
    ColocarCursores(1, n);
}

void frmVerOndas::Dibujar()
{
    DibujarVistaOnda(*picbox, Vista, Canal(), QBColor(NumeroColorCanal(CanalVentana)),
                     TablaValores(Registro(), ColumnaAnalogica(CanalVentana)));
}

void frmVerOndas::ColocarCursores(std::int32_t inicio, std::int32_t fin)
{
    ondas::RangoCursores(*HScroll1, *HScroll2, inicio, fin, colocando_);
    // A cursor already on `inicio` raised no change: place both in the new view.
    MoverCursor(true);
    MoverCursor(false);
}

void frmVerOndas::MoverCursor(bool primero)
{
    MuestraCursor1 = HScroll1->Value();
    MuestraCursor2 = HScroll2->Value();
    const double m = primero ? MuestraCursor1 : MuestraCursor2;
    const double x = AjustarAPixelX(Vista.XDeMuestra(m));
    (primero ? Lineizq : Lineder)->SetPoints(x, 0.0, x, Vista.Alto);
    if (m < 0 || m > Registro().NumMuestras())
        return;
    const QString unidad = Unidad();
    const float a = ValorEn(MuestraCursor1);
    const float b = ValorEn(MuestraCursor2);
    (primero ? lblizq : lblder)->setText(TextoNumeroMuestra(m));
    (primero ? lblamar : lblcian)->setText(TextoValor(primero ? a : b, unidad));
    ondas::ShowTimeBetween(*lblms, TextoTiempo, MuestraCursor1, MuestraCursor2);
    TextoDiferencia = TextoDiferenciaValores(a, b, unidad);
    lblDif->setText(TextoDiferencia);
}

void frmVerOndas::HScroll1_Change()
{
    ondas::CursorBarChanged(
        this, colocando_, [this] { MoverCursor(true); }, [this] { Descargar(); });
}

void frmVerOndas::HScroll2_Change()
{
    ondas::CursorBarChanged(
        this, colocando_, [this] { MoverCursor(false); }, [this] { Descargar(); });
}

void frmVerOndas::cmdzoom_Click()
{
    // A full history is said before the user draws a rectangle for nothing.
    if (Historial.Full()) {
        ZoomPendiente = false;
        SetMousePointer(picbox, vbDefault);
        (void)MsgBox(TextosIdioma(TextoHistorialLleno), vbInformation);
        return;
    }
    SetMousePointer(picbox, vbCustom);
    Arrastrando = false;
    ZoomPendiente = true;
}

void frmVerOndas::picbox_MouseDown(double x, double y)
{
    RectX1 = std::clamp(x, 0.0, static_cast<double>(picbox->Width()));
    RectY1 = std::clamp(y, 0.0, static_cast<double>(picbox->Height()));
    if (MousePointer(picbox) != vbCustom)
        return;
    for (LineControl* l : {Line2, Line3, Line4, Line5}) {
        l->SetPoints(RectX1, RectY1, RectX1, RectY1);
        l->SetVisible(l == Line2 || l == Line3);
    }
    Arrastrando = true;
}

void frmVerOndas::picbox_MouseMove(double x, double y)
{
    if (!Arrastrando)
        return;
    Line4->SetVisible(true);
    Line5->SetVisible(true);
    Line2->SetX2(x);
    Line3->SetY2(y);
    Line4->SetPoints(RectX1, y, x, y);
    Line5->SetPoints(x, RectY1, x, y);
}

void frmVerOndas::picbox_MouseUp(double x, double y)
{
    RectX2 = std::clamp(x, 0.0, static_cast<double>(picbox->Width()));
    RectY2 = std::clamp(y, 0.0, static_cast<double>(picbox->Height()));
    if (!Arrastrando)
        return;
    Arrastrando = false;
    const int respuesta = MsgBox(TextosIdioma(85), vbOKCancel);
    SetMousePointer(this, vbDefault);
    OcultarRectangulo();
    if (respuesta == vbOK)
        RedibujarZoom();
    SetMousePointer(picbox, vbDefault);
}

void frmVerOndas::OcultarRectangulo()
{
    for (LineControl* l : {Line2, Line3, Line4, Line5})
        l->SetVisible(false);
}

void frmVerOndas::Redibujar(const ResultadoZoomOnda& r)
{
    if (ondas::Refused(this, r))
        return;
    Vista = *r.Vista;
    Dibujar();
    ColocarCursores(Vista.PrimeraMuestra, Vista.UltimaMuestra);
}

void frmVerOndas::RedibujarZoom()
{
    if (!ZoomPendiente)
        return;
    ondas::NewZoom(
        this, ZoomPendiente,
        [this] {
            return ZoomRectangulo(Vista, Historial, RectX1, RectY1, RectX2, RectY2, Registro().NumMuestras());
        },
        [this](const ResultadoZoomOnda& r) { Redibujar(r); }, [this] { Descargar(); });
}

void frmVerOndas::cmdadel_Click()
{
    ondas::HistoryStep(
        this, ZoomPendiente,
        [this] { Redibujar(NivelSiguiente(Historial, Vista.EscalaY, Registro().NumMuestras())); },
        [this] { Descargar(); });
}

void frmVerOndas::cmdatras_Click()
{
    ondas::HistoryStep(
        this, ZoomPendiente,
        [this] { Redibujar(NivelAnterior(Historial, Vista.EscalaY, Registro().NumMuestras())); },
        [this] { Descargar(); });
}

void frmVerOndas::pctimpresora_Click()
{
    if (!Activada)
        return;
    // The page reads the window as it is now and changes nothing of it.
    DatosPaginaOnda d;
    d.CanalVentana = CanalVentana;
    d.AltoPicture = picbox->Height();
    d.Cursor1 = HScroll1->Value();
    d.Cursor2 = HScroll2->Value();
    d.TextoTiempo = TextoTiempo;
    d.TextoDiferencia = TextoDiferencia;
    d.Nivel = Historial.Current();
    d.EscalaY = Vista.EscalaY;
    const MedidaTexto medida = MedidaDeVentana(*this);
    (void)ImprimirVista(MarcoDeVista(*this, *picbox),
                        [d, medida](Printer& p) { return PaginaOnda(p, d, medida); });
}

void frmVerOndas::Form_Resize()
{
    ondas::Relayout(
        this, Activada,
        [this] {
            ColocarControles();
            Dibujar();
        },
        [this] { Descargar(); });
}

void frmVerOndas::LadoCambiado()
{
    if (!Activada)
        return;
    ondas::RunOrUnload(
        this,
        [this] {
            ColocarControles();
            Dibujar();
        },
        [this] { Descargar(); });
}

void frmVerOndas::Descargar()
{
    // Closing runs Unload; the form is deleted once control is back in the
    // event loop, so the handler that called this finishes safely.
    Activada = false;
    CerrarFormulario(this);
}

void frmVerOndas::closeEvent(QCloseEvent* event)
{
    Unload();
    QWidget::closeEvent(event);
}

void frmVerOndas::Unload()
{
    if (unloaded_)
        return;
    unloaded_ = true;
    Activada = false;
    resizeTimer_->stop();
    OndasState& st = Ondas();
    st.NumVentanasOndas = std::max(0, st.NumVentanasOndas - 1);
    if (CanalVentana >= 1 && CanalVentana <= st.CanalesVisibles.Size())
        st.CanalesVisibles(CanalVentana) = 0;
    if (st.NumVentanasOndas == 0)
        Hooks().MostrarMenu();
}

} // namespace vesdra
