#include "analysis/vista_fasorial.h"

#include <QCloseEvent>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPushButton>
#include <algorithm>

#include "analysis/analysis_state.h"
#include "analysis/phasor_sets.h"
#include "platform/base/colors.h"
#include "platform/base/numeric.h"
#include "platform/base/vb_error.h"
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
#include "shell/impresion_piezas.h"
#include "shell/language.h"
#include "shell/shell_hooks.h"
#include "shell/view_sizes.h"

namespace vesdra {

namespace {

constexpr std::uint32_t kGris = 0x808080;
constexpr std::uint32_t kFondoForm = 0xC0C0C0;
// &HBBGGRR: lines of the first set blue, green, red; of the second cyan,
// yellow, magenta. Swatch rows 1..6 carry the second set's colours first.
constexpr std::array<std::uint32_t, 6> kColorLinea{0xFF0000, 0x00FF00, 0x0000FF,
                                                   0xFFFF00, 0x00FFFF, 0xFF00FF};
constexpr std::array<std::uint32_t, 6> kColorMuestra{0xFFFF00, 0x00FFFF, 0xFF00FF,
                                                     0xFF0000, 0x00FF00, 0x0000FF};

// Value row (0-based) of the box of slot i.
constexpr std::size_t FilaValor(std::size_t slot)
{
    return slot < 3 ? slot + 3 : slot - 3;
}

void Colorear(QWidget* w, std::uint32_t fondo)
{
    QPalette pal = w->palette();
    pal.setColor(QPalette::Window, OleColor(fondo));
    w->setPalette(pal);
    w->setAutoFillBackground(true);
}

DisposicionVista DisposicionDe(const QWidget& form, EstiloDisposicion estilo)
{
    return CalcularDisposicion(
        static_cast<float>(FormWidthTwips(form)), static_cast<float>(FormHeightTwips(form)), estilo,
        AreaCliente{static_cast<float>(ClientWidthTwips(form)), static_cast<float>(ClientHeightTwips(form))});
}

void Colocar(QWidget* w, const RectTwipsSingle& r)
{
    MoveTwips(*w, r.Left, r.Top, r.Width, r.Height);
}

} // namespace

VistaFasorial::VistaFasorial(QWidget* parent, EstiloDisposicion estiloResize, int textoTitulo,
                             const char* tag)
    : QWidget(parent), estiloResize_(estiloResize), textoTitulo_(textoTitulo)
{
    setProperty("Tag", QString::fromLatin1(tag));
    setAttribute(Qt::WA_DeleteOnClose);
    Colorear(this, kFondoForm);
    CrearControles();
}

VistaFasorial::~VistaFasorial() = default;

void VistaFasorial::CrearControles()
{
    Picture1 = new PictureBox(this);
    Picture1->SetBackColor(kGris);
    Picture1->setFocusPolicy(Qt::StrongFocus);
    for (std::size_t i = 0; i < 6; ++i) {
        Lineas[i] = Picture1->AddLine();
        Lineas[i]->SetBorderColor(kColorLinea[i]);
        Lineas[i]->SetVisible(false);
    }
    HScroll1 = new HScrollBar(this);
    connect(HScroll1, &ScrollBar::Change, this, &VistaFasorial::HScroll1_Change);
    lblNumero = new QLabel(this);
    cmdmas = new QPushButton(QStringLiteral("+"), this);
    cmdmenos = new QPushButton(QStringLiteral("-"), this);
    connect(cmdmas, &QPushButton::clicked, this, &VistaFasorial::cmdmas_Click);
    connect(cmdmenos, &QPushButton::clicked, this, &VistaFasorial::cmdmenos_Click);
    lblzoom = new QLabel(QStringLiteral("+/-:"), this);
    pctimpresora = new QPushButton(IconoImpresora(), QString(), this);
    pctimpresora->hide();
    connect(pctimpresora, &QPushButton::clicked, this, &VistaFasorial::pctimpresora_Click);
    // The boxes' captions are shown beside each other and beside the
    // channels they were chosen from: each gives way against those.
    auto* nombres = new NameGroup(this);
    nombres->AddNames([this] { return canales_; });
    for (std::size_t i = 0; i < 6; ++i) {
        Muestras[i] = new QLabel(this);
        Colorear(Muestras[i], kColorMuestra[i]);
        Valores[i] = new ElidedLineEdit(this);
        Valores[i]->setReadOnly(true);
        MostrarPrincipio(*Valores[i]);
        Valores[i]->SetNameGroup(nombres);
    }
}

void VistaFasorial::pctimpresora_Click()
{
    if (listo_ && !descargada_ && imprimir_)
        imprimir_();
}

void VistaFasorial::SetImpresion(std::function<void()> imprimir)
{
    imprimir_ = std::move(imprimir);
    pctimpresora->setVisible(static_cast<bool>(imprimir_));
}

void VistaFasorial::AplicarDisposicion(const DisposicionVista& d)
{
    Colocar(Picture1, d.Picture1);
    Colocar(HScroll1, d.HScroll1);
    Colocar(lblNumero, d.lblNumero);
    Colocar(cmdmas, d.cmdmas);
    Colocar(cmdmenos, d.cmdmenos);
    Colocar(lblzoom, d.lblzoom);
    Colocar(pctimpresora, d.pctimpresora);
    for (std::size_t i = 0; i < 6; ++i) {
        Colocar(Muestras[i], d.Muestras[i]);
        Colocar(Valores[i], d.Valores[i]);
    }
}

void VistaFasorial::CargarComun(float maximo, EstiloDisposicion estiloApertura, bool mitadDerecha)
{
    hide();
    MousePointerGuard puntero(this, vbCustom);
    listo_ = false;
    muestrasCiclo_ = Analisis().MuestrasCicloDFT < 1 ? 1 : Analisis().MuestrasCicloDFT;
    // The position runs from the last lead-in row to the row before the last.
    if (!fuente_ || fuente_->Rows() - 1 < 5 * static_cast<std::int64_t>(muestrasCiclo_))
        throw VbError(vberr::SubscriptOutOfRange);

    height_ = static_cast<float>(CInt(AltoVista()));
    const auto v = static_cast<float>(CInt(AnchoVista()));
    width_ = modo_ == 2 ? v / 2.0f : v;
    left_ = modo_ == 2 && mitadDerecha ? v / 2.0f : 0.0f;
    setWindowTitle(TextosIdioma(textoTitulo_));
    SetFormSizeTwips(*this, width_, height_);

    AplicarDisposicion(DisposicionDe(*this, estiloApertura));
    HScroll1->SetMax(fuente_->Rows() - 1);
    HScroll1->SetMin(5 * muestrasCiclo_);
    HScroll1->SetSmallChange(1);
    HScroll1->SetLargeChange(muestrasCiclo_);
    lblzoom->setText(QStringLiteral("+/-: 0"));

    canales_ = RotulosAnalogicos();
    // Each box's caption keeps the room of the widest value its channel
    // shows, so its cut stays where it is as the values change while the
    // view scrolls.
    for (std::size_t i = 0; i < 6; ++i) {
        const Slot& s = slots_[i];
        Valores[FilaValor(i)]->ReserveValueRoom(i < 3 * static_cast<std::size_t>(std::max(numSets_, 0))
                                                    ? TextosMagnitudAnguloMasAnchos(s.Maximo, s.Unidades)
                                                    : QStringList());
    }
    maximo_ = maximo;
    zoom_ = 1.0f;
    pasoZoom_ = 0;
    CalcularEscala();
    Picture1->Cls();
    if (!Redibujar()) {
        // The first row shows its values without lines.
        AvisarDesborde(144, cargadaAntes_.data());
        listo_ = true;
    }
}

void VistaFasorial::AvisarDesborde(int texto, const VistaFasorial* otra)
{
    if (!desbordeAvisado_ && !(otra && otra->desbordeAvisado_)) {
        SetMousePointer(this, vbDefault);
        MsgBox(TextosIdioma(texto), vbOKOnly);
    }
    desbordeAvisado_ = true;
}

bool VistaFasorial::DibujaSet(std::int32_t g) const
{
    const auto fin = sets_.begin() + std::clamp(numSets_, 0, static_cast<std::int32_t>(sets_.size()));
    return std::find(sets_.begin(), fin, g) != fin;
}

float VistaFasorial::FactorSet(std::int32_t g) const
{
    if (cargadaAntes_ && cargadaAntes_->DibujaSet(g))
        return LeerFactorSet(g).Valor;
    return FactorSetAvisando(g);
}

void VistaFasorial::MostrarCargada()
{
    Hooks().MostrarVentana(this);
    if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget())) {
        sub->setAttribute(Qt::WA_DeleteOnClose);
        if (marcoObservado_ != sub) {
            sub->installEventFilter(this);
            marcoObservado_ = sub;
        }
        sub->showNormal();
    } else {
        showNormal();
    }
    MoveFormTwips(*this, left_, 0, width_, height_);
    Form_Resize();
}

bool VistaFasorial::Minimizada() const
{
    return FormularioMinimizado(*this);
}

void VistaFasorial::CalcularEscala()
{
    escalaBase_ = vesdra::EscalaBase(
        RadioDiagrama(static_cast<float>(Picture1->Width()), static_cast<float>(Picture1->Height())),
        maximo_);
}

void VistaFasorial::Form_Resize()
{
    if (!listo_ || descargada_)
        return;
    if (Minimizada()) {
        Hooks().OcultarMenu();
        return;
    }
    MousePointerGuard puntero(this, vbCustom);
    AplicarDisposicion(DisposicionDe(*this, estiloResize_));
    EscribirNumero(HScroll1->Value());
    CalcularEscala();
    Picture1->Cls();
    const bool sinLineasAntes = sinLineas_;
    if (Redibujar())
        return;
    if (sinLineasAntes)
        listo_ = true; // shown without lines before the layout too
    else
        AvisarYRetrocederZoom();
}

bool VistaFasorial::Redibujar()
{
    listo_ = false;
    const double w = Picture1->Width();
    const double h = Picture1->Height();
    centroY_ = static_cast<float>(h / 2.0);
    centroX_ = static_cast<float>(w / 2.0);
    const std::uint32_t blanco = QBColor(15);
    Picture1->Line(0, h / 2.0, w, h / 2.0, blanco);
    Picture1->Line(w / 2.0, 0, w / 2.0, h, blanco);
    const std::int32_t p = HScroll1->Value();
    const bool cabe = DibujarFila(p);
    EscribirNumero(p);
    filaMostrada_ = p;
    listo_ = cabe;
    return cabe;
}

QPointF VistaFasorial::ExtremoLinea(const Slot& s, std::int32_t p) const
{
    const double factor = static_cast<double>(s.Factor);
    return {centroX_ + factor * Coordenadas(p, s.ColumnaX),
            centroY_ - factor * Coordenadas(p, s.ColumnaX + 1)};
}

bool VistaFasorial::CabeFila(std::int32_t p) const
{
    if (numSets_ != 1 && numSets_ != 2)
        return true;
    for (std::size_t i = 0; i < 3 * static_cast<std::size_t>(numSets_); ++i) {
        const QPointF extremo = ExtremoLinea(slots_[i], p);
        if (!CoordenadaValida(extremo.x()) || !CoordenadaValida(extremo.y()))
            return false;
    }
    return true;
}

bool VistaFasorial::DibujarFila(std::int32_t p)
{
    if (numSets_ != 1 && numSets_ != 2)
        return true;
    // All six lines or none: never some at this row and some at another.
    const bool cabe = CabeFila(p);
    sinLineas_ = !cabe;
    for (std::size_t i = 0; i < 6; ++i)
        Lineas[i]->SetVisible(cabe && (i < 3 || numSets_ == 2));
    const TablaReal& t = *fuente_;
    for (std::size_t set = 0; set < static_cast<std::size_t>(numSets_); ++set) {
        for (std::size_t i = 3 * set; i < 3 * set + 3; ++i) {
            const Slot& s = slots_[i];
            if (cabe) {
                const QPointF extremo = ExtremoLinea(s, p);
                Lineas[i]->SetPoints(centroX_, centroY_, extremo.x(), extremo.y());
            }
            const Polar polar = PolarGrados(t(p, s.ColumnaX), t(p, s.ColumnaX + 1));
            // The magnitude, angle and unit always show; the caption gives way.
            Valores[FilaValor(i)]->ShowReadOut(s.Nombre + s.Digito, QStringLiteral(": "),
                                               TextoMagnitudAngulo(polar, s.Unidades));
        }
    }
    if (numSets_ == 1) {
        for (std::size_t i = 3; i < 6; ++i)
            Valores[FilaValor(i)]->clear();
    }
    return cabe;
}

void VistaFasorial::EscribirNumero(std::int32_t p)
{
    const std::int64_t numero =
        static_cast<std::int64_t>(p) - 5 * static_cast<std::int64_t>(muestrasCiclo_) + 1;
    lblNumero->setText(TextosIdioma(266) + QString::number(numero));
}

void VistaFasorial::HScroll1_Change()
{
    if (!listo_ || descargada_)
        return;
    std::int32_t p = HScroll1->Value();
    if (p >= HScroll1->Max())
        p = HScroll1->Max();
    if (p <= HScroll1->Min())
        p = HScroll1->Min();
    // Only a partner that is still open follows: after it closed alone, the
    // pair's mode stays 2 but there is nothing to move.
    VistaFasorial* otra = modo_ == 2 ? Pareja() : nullptr;
    if (!CabeFila(p)) {
        // Too long to draw at this zoom: the row shows without lines. Told
        // once per opening (the box lets go of a bar held down, so no
        // further step follows behind it unseen).
        AvisarDesborde(145, otra);
        if (descargada_)
            return;
    }
    if (otra && otra == Pareja()) {
        otra->HScroll1->SetValue(p);
        if (descargada_ || HScroll1->Value() != p)
            return; // closed, or moved again meanwhile and drawn there
    }
    (void)DibujarFila(p);
    EscribirNumero(p);
    filaMostrada_ = p;
    if (enfocarTrasDesplazar_)
        Picture1->setFocus();
}

void VistaFasorial::cmdmas_Click()
{
    PasoDeZoom(+1);
}

void VistaFasorial::cmdmenos_Click()
{
    PasoDeZoom(-1);
}

void VistaFasorial::PasoDeZoom(int delta)
{
    if (descargada_)
        return;
    {
        MousePointerGuard puntero(this, vbHourglass);
        pasoZoom_ += delta;
        zoom_ = FactorZoomPaso(pasoZoom_);
        if (!Redibujar()) {
            if (delta < 0) {
                // Out, yet still too long (a row that did not fit before
                // either): the row stays without lines until a step fits.
                listo_ = true;
            } else {
                // Too far in: the step goes back and the last zoom that
                // fitted is drawn again, so the view stays as it was.
                AvisarYRetrocederZoom();
            }
        }
        lblzoom->setText(QStringLiteral("+/-: ") + QString::number(pasoZoom_));
    }
    if (!descargada_)
        Picture1->setFocus();
}

void VistaFasorial::AvisarYRetrocederZoom()
{
    SetMousePointer(this, vbDefault);
    MsgBox(TextosIdioma(144), vbOKOnly);
    if (descargada_)
        return;
    pasoZoom_ -= 1;
    zoom_ = FactorZoomPaso(pasoZoom_);
    Picture1->Cls();
    // Still too long a step back (a set's factor out of all measure): the
    // row is shown without lines.
    (void)Redibujar();
    lblzoom->setText(QStringLiteral("+/-: ") + QString::number(pasoZoom_));
    listo_ = true;
}

float VistaFasorial::Coordenadas(std::int32_t r, std::int32_t j) const
{
    return Coordenada(escalaBase_, (*fuente_)(r, j), zoom_);
}

Polar VistaFasorial::PolarFila(std::int32_t r, std::int32_t k) const
{
    return PolarGrados((*fuente_)(r, 2 * k - 1), (*fuente_)(r, 2 * k));
}

QImage VistaFasorial::RenderImage() const
{
    return Picture1->RenderImage();
}

void VistaFasorial::RetirarDelPar(bool& cerrada)
{
    RetirarFormulario(this);
    AnalysisState& a = Analisis();
    if (modo_ == 1) {
        Hooks().MostrarMenu();
    } else if (Pareja()) {
        cerrada = true;
    } else {
        Hooks().MostrarMenu();
        a.FasesCerrada = false;
        a.SecuenciasCerrada = false;
    }
}

void VistaFasorial::closeEvent(QCloseEvent* event)
{
    Form_Unload();
    QWidget::closeEvent(event);
}

void VistaFasorial::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    Form_Resize();
}

bool VistaFasorial::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == marcoObservado_ && event->type() == QEvent::WindowStateChange)
        Form_Resize();
    return QWidget::eventFilter(watched, event);
}

} // namespace vesdra
