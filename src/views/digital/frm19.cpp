#include "views/digital/frm19.h"

#include <QCloseEvent>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QIcon>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <algorithm>
#include <cmath>

#include "platform/base/colors.h"
#include "platform/base/numeric.h"
#include "platform/base/screen.h"
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
#include "record/canales.h"
#include "record/helpers.h"
#include "record/record_model.h"
#include "shell/impresion.h"
#include "shell/impresion_piezas.h"
#include "shell/language.h"
#include "shell/shell_hooks.h"
#include "shell/view_sizes.h"
#include "templates/template_state.h"
#include "views/composition/colores.h"
#include "views/composition/composition_services.h"
#include "views/composition/composition_tiling.h"
#include "views/digital/digital_traces.h"
#include "views/digital/impresion_digital.h"
#include "views/waves/form_support.h"

namespace vesdra {

using namespace digital;

namespace {

constexpr std::uint32_t kFondoPicture = 0x808080;
constexpr std::uint32_t kAmarillo = 0x00FFFF; // &HBBGGRR
constexpr std::uint32_t kCian = 0xFFFF00;
constexpr std::uint32_t kBlanco = 0xFFFFFF;
constexpr int kTextoTituloVista = 47;
constexpr int kTextoPrimario = 279;
constexpr int kTextoSecundario = 280;
// Resize events closer together than this are laid out once.
constexpr int kRetrasoResizeMs = 60;

QPointer<frm19>& Instancia()
{
    static QPointer<frm19> instancia;
    return instancia;
}

// A read-only box on its colour; a name longer than the box is cut in the
// middle, so that names sharing their start ("DISPARO MONOFASICO FASE A",
// "... FASE B") read apart.
ElidedLineEdit* CajaTexto(QWidget* parent, std::uint32_t fondo = kSysWindowBackground)
{
    auto* e = new ElidedLineEdit(parent);
    e->setReadOnly(true);
    QPalette pal = e->palette();
    pal.setColor(QPalette::Base, OleColor(fondo));
    pal.setColor(QPalette::Text, ReadableTextColor(fondo));
    e->setPalette(pal);
    e->setTextMargins(0, 0, 0, 0);
    MostrarPrincipio(*e);
    // A box shows what the view writes into it; a click restores its whole
    // text but leaves it drawn by the name rule, never scrolled to its start.
    e->setFocusPolicy(Qt::NoFocus);
    return e;
}

// The pictures of the view's buttons: a magnifying glass, forward and back
// arrows, a printer.
QIcon IconoBoton(int tipo)
{
    QPixmap p(16, 16);
    p.fill(Qt::transparent);
    QPainter g(&p);
    g.setRenderHint(QPainter::Antialiasing);
    g.setPen(QPen(Qt::black, 1.5));
    switch (tipo) {
    case 0:
        g.drawEllipse(QRectF(2, 2, 8, 8));
        g.drawLine(QPointF(9, 9), QPointF(14, 14));
        break;
    case 1:
    case 2:
        for (int i = 0; i < 2; ++i) {
            const double x = 3 + i * 5;
            QPolygonF flecha;
            if (tipo == 1)
                flecha << QPointF(x, 3) << QPointF(x + 5, 8) << QPointF(x, 13);
            else
                flecha << QPointF(x + 5, 3) << QPointF(x, 8) << QPointF(x + 5, 13);
            g.drawPolyline(flecha);
        }
        break;
    default:
        g.drawRect(QRectF(4, 1.5, 8, 4));
        g.drawRect(QRectF(1.5, 5.5, 13, 6));
        g.fillRect(QRectF(4, 9.5, 8, 5), Qt::white);
        g.drawRect(QRectF(4, 9.5, 8, 5));
        break;
    }
    return QIcon(p);
}

std::int32_t Largo(const QString& s)
{
    return static_cast<std::int32_t>(s.size());
}

} // namespace

frm19::frm19(QWidget* parent) : QWidget(parent)
{
    setProperty("Tag", QStringLiteral("6"));
    setAttribute(Qt::WA_DeleteOnClose);
    QFont f = font();
    f.setPointSize(8);
    setFont(f);
    CrearControles();
    temporizadorResize_ = new QTimer(this);
    temporizadorResize_->setSingleShot(true);
    temporizadorResize_->setInterval(kRetrasoResizeMs);
    connect(temporizadorResize_, &QTimer::timeout, this, &frm19::Form_Resize);
}

frm19::~frm19()
{
    if (Instancia() == this)
        Instancia() = nullptr;
}

void frm19::CrearControles()
{
    Picture1 = new PictureBox(this);
    Picture1->SetBackColor(kFondoPicture);
    Picture1->setFocusPolicy(Qt::StrongFocus);
    lnizq = Picture1->AddLine();
    lnizq->SetBorderColor(kAmarillo);
    lnder = Picture1->AddLine();
    lnder->SetBorderColor(kCian);
    for (LineControl* l : {lnizq, lnder})
        l->SetPoints(XEje, 0, XEje, 0);

    // The rows' names are shown beside each other, and the analog channel's
    // beside the record's other channels it was chosen from: each gives way
    // against those.
    nombresFilas_ = new NameGroup(this);
    nombresFilas_->AddNames([this] { return nombresDigitales_; });
    auto* analogicos = new NameGroup(this);
    analogicos->AddNames([this] { return nombresAnalogicos_; });
    for (std::size_t i = 1; i <= MaxFilasDigitales; ++i) {
        label[i] = CajaTexto(Picture1);
        label[i]->installEventFilter(this);
        label[i]->SetNameGroup(nombresFilas_);
    }
    lblanalog = CajaTexto(Picture1);
    lblanalog->SetNameGroup(analogicos);
    lblamar = CajaTexto(Picture1, kAmarillo);
    lblcian = CajaTexto(Picture1, kCian);
    for (QLineEdit* e : {lblanalog, lblamar, lblcian})
        e->installEventFilter(this);
    HScroll_Analog = new HScrollBar(Picture1);
    HScroll_Nombres = new HScrollBar(Picture1);
    for (HScrollBar* b : {HScroll_Analog, HScroll_Nombres}) {
        b->SetMin(0);
        b->SetMax(0);
        b->SetValue(0);
        b->SetLargeChange(4);
        b->SetSmallChange(1);
    }
    connect(HScroll_Analog, &ScrollBar::Change, this, &frm19::HScroll_Analog_Change);
    connect(HScroll_Nombres, &ScrollBar::Change, this, &frm19::HScroll_Nombres_Change);

    HScroll1 = new HScrollBar(this);
    HScroll2 = new HScrollBar(this);
    for (HScrollBar* b : {HScroll1, HScroll2}) {
        b->SetMin(1);
        b->SetValue(1);
    }
    connect(HScroll1, &ScrollBar::Change, this, &frm19::HScroll1_Change);
    connect(HScroll2, &ScrollBar::Change, this, &frm19::HScroll2_Change);
    lblizq = CajaTexto(this, kAmarillo);
    lblder = CajaTexto(this, kCian);
    lbltiempo = CajaTexto(this);
    lbl_PS = CajaTexto(this);
    lbl_PS->setVisible(false);

    cmdzoom = new QPushButton(IconoBoton(0), QString(), this);
    cmdadel = new QPushButton(IconoBoton(1), QString(), this);
    cmdatras = new QPushButton(IconoBoton(2), QString(), this);
    pctimpresora = new QPushButton(IconoBoton(3), QString(), this);
    connect(cmdzoom, &QPushButton::clicked, this, &frm19::cmdzoom_Click);
    connect(cmdadel, &QPushButton::clicked, this, &frm19::cmdadel_Click);
    connect(cmdatras, &QPushButton::clicked, this, &frm19::cmdatras_Click);
    connect(pctimpresora, &QPushButton::clicked, this, &frm19::pctimpresora_Click);
}

void frm19::LeerSeleccion()
{
    const RecordModel& r = Registro();
    filas_ = FilasDigitalesElegidas();
    if (filas_.size() > static_cast<std::size_t>(MaxFilasDigitales))
        throw VbError(vberr::SubscriptOutOfRange);
    for (FilaDigitalVista& f : filas_)
        f.Canal = ColumnaDigital(f.Canal);
    canal_ = LeerCanalAnalogico(Digitales().AnalogicoElegido);
    // The names the rows and the analog channel were chosen from: each
    // shows what tells it from any of them.
    nombresAnalogicos_ = RotulosAnalogicos();
    nombresDigitales_.clear();
    const Matrix<QString>& miembros = Plantillas().TablaMiembrosDigitales;
    for (std::int32_t m = 1; m <= miembros.Rows() && miembros.Cols() >= 2; ++m)
        nombresDigitales_.append(miembros(m, 2));
    nS_ = r.NumMuestras();
    if (nS_ < 1)
        throw VbError(vberr::SubscriptOutOfRange);
}

void frm19::Form_Load()
{
    ShellHooks& hooks = Hooks();
    vistaCargada_ = false;
    hooks.ValorProgresoOndas(20);
    const RecordModel& r = Registro();
    muestrasPorCiclo_ = vesdra::MuestrasPorCiclo(FrecuenciaMuestreo(), r.FrecuenciaLinea);
    LeerSeleccion();

    setWindowTitle(TextosIdioma(kTextoTituloVista));
    AjustarAPantalla();
    anchos_ = AnchosIniciales(r.Es1997() && AnchoPantalla() <= 800);
    Construir(true);
}

void frm19::AjustarAPantalla()
{
    const ScreenInfo& s = Screen();
    const FactoresPantalla f = digital::AjustarAPantalla(AnchoPantalla(), s.TwipsPerPixelX);
    MoveFormTwips(*this, 0, 0, s.WidthTwips / f.Ancho, s.HeightTwips / f.Alto);
}

void frm19::Construir(bool alCargar)
{
    ShellHooks& hooks = Hooks();
    const RecordModel& r = Registro();
    // The row's boxes as wide as their longest texts, inside the window.
    const int px = QFontInfo(lblizq->font()).pixelSize();
    const std::int32_t tasa = FrecuenciaMuestreo();
    const AnchosFila anchos = AnchosParaTextos(
        anchos_, ondas::AnchoTwips(*lblizq, {QString::number(nS_)}, px),
        ondas::AnchoTwips(*lbltiempo,
                          {tasa != 0 ? TextoTiempoCursores(1, nS_, tasa) : QStringLiteral("0 ms")}, px),
        ondas::AnchoTwips(*lbl_PS, {TextosIdioma(kTextoPrimario), TextosIdioma(kTextoSecundario)}, px));
    const DisposicionVista d =
        DisponerVista(FormHeightTwips(*this), Screen().WidthTwips, anchos, ScaleWidthTwips(*this));
    Picture1->Move(d.Picture1.Left, d.Picture1.Top, d.Picture1.Width, d.Picture1.Height);
    MoveTwips(*HScroll1, d.HScroll1);
    MoveTwips(*lblizq, d.lblizq);
    MoveTwips(*HScroll2, d.HScroll2);
    MoveTwips(*lblder, d.lblder);
    MoveTwips(*lbltiempo, d.lbltiempo);
    MoveTwips(*cmdzoom, d.cmdzoom);
    MoveTwips(*cmdadel, d.cmdadel);
    MoveTwips(*cmdatras, d.cmdatras);
    MoveTwips(*pctimpresora, d.pctimpresora);
    MoveTwips(*lbl_PS, d.lbl_PS);
    for (HScrollBar* b : {HScroll1, HScroll2})
        b->SetLargeChange(muestrasPorCiclo_);
    ColocarIndicadorPS();
    if (alCargar)
        hooks.ValorProgresoOndas(40);

    const double alto = Picture1->Height();
    const double ancho = Picture1->Width();
    lnizq->SetPoints(XEje, 0, XEje, alto);
    lnder->SetPoints(XEje, 0, XEje, alto);
    lblizq->setText(QStringLiteral("1"));
    lblder->setText(QStringLiteral("1"));

    const DisposicionAnalogica a = DisponerTextosAnalogicos();
    MoveTwips(*lblanalog, a.lblanalog);
    MoveTwips(*lblamar, a.lblamar);
    MoveTwips(*lblcian, a.lblcian);
    if (canal_.Columna >= 1 && canal_.Columna <= r.Valores.Cols()) {
        // The value boxes hold the channel's widest values with the unit:
        // one font for both, the largest that fits them. (A record closed
        // meanwhile leaves nothing to measure: the boxes keep their font.)
        float lo = 0.0f, hi = 0.0f;
        ExtremosMuestras(r.Valores.Column(canal_.Columna), TablaValores(r, canal_.Columna), lo, hi);
        const QStringList textos{TextoValorCursor(lo, canal_.Unidad), TextoValorCursor(hi, canal_.Unidad)};
        const int px = AjustarFuenteCaja(*lblamar, textos);
        FijarPixelesFuente(*lblcian, px);
    }
    if (alCargar) {
        textoAnalogico_ = canal_.Nombre;
        textoAmarillo_ = TextoValorCursor(r.Valores(1, canal_.Columna), canal_.Unidad);
        textoCian_ = textoAmarillo_;
        largoTextos_ = std::max(Largo(textoAnalogico_), Largo(textoAmarillo_));
    }
    // The name boxes take two lines where the rows' height holds them.
    const double altoFila = AltoFila(alto);
    const double dosLineas = PixelsToTwipsY(
        std::ceil(2 * QFontMetricsF(label[1]->font()).height() + MargenesDe(*label[1]).Vertical));
    const double altoNombre = AltoCajaNombre(altoFila, dosLineas);
    for (std::int32_t i = 1; i <= MaxFilasDigitales; ++i) {
        ElidedLineEdit& caja = *label[static_cast<std::size_t>(i)];
        MoveTwips(caja, 0, TopNombre(i, altoFila), AnchoNombre, altoNombre);
        caja.SetMaxLines(altoNombre > AltoNombre ? 2 : 1);
    }

    NivelDigital completo{1, nS_, 1, ancho, EscalaCompleta(ancho, nS_)};
    Dibujar(completo);
    if (alCargar)
        hooks.ValorProgresoOndas(50);
    // A name longer than its box shows whole as the box's tool tip; the
    // side scroll still moves the box's own text.
    for (std::size_t k = 1; k <= filas_.size(); ++k) {
        label[k]->setText(filas_[k - 1].Nombre);
        label[k]->setToolTip(filas_[k - 1].Nombre);
    }
    historial_.Reiniciar(completo);
    if (alCargar) {
        hooks.ValorProgresoOndas(70);
        largoNombres_ = 0;
        for (std::size_t i = 1; i <= MaxFilasDigitales; ++i) {
            nombresCompletos_[i] = label[i]->text();
            largoNombres_ = std::max(largoNombres_, Largo(nombresCompletos_[i]));
        }
    }
    MoveTwips(*HScroll_Analog, a.HScroll_Analog);
    HScroll_Analog->SetMax(largoTextos_);
    MoveTwips(*HScroll_Nombres,
              DisponerBarraNombres(AnchoPantalla() > 800, alto, a.HScroll_Analog, alCargar));
    HScroll_Nombres->SetMax(largoNombres_);

    // Both cursors on the first sample of the whole record, their bars over
    // all of it, and the read-outs saying so.
    PonerCursores(1, nS_);
    if (alCargar) {
        lblamar->setText(textoAmarillo_);
        lblcian->setText(textoCian_);
        lblanalog->setText(textoAnalogico_);
        lblanalog->setToolTip(textoAnalogico_);
        lbltiempo->setText(QStringLiteral("0 ms"));
        hooks.ValorProgresoOndas(100);
    } else {
        HScroll1_Change();
        HScroll2_Change();
    }
    anchoDispuesto_ = FormWidthTwips(*this);
    altoDispuesto_ = FormHeightTwips(*this);
    vistaCargada_ = true;
}

void frm19::ColocarIndicadorPS()
{
    if (Registro().Es1997()) {
        lbl_PS->setVisible(true);
        lbl_PS->setText(
            TextosIdioma(Registro().LadoEnVigor == Lado::Secundario ? kTextoSecundario : kTextoPrimario));
    } else if (Registro().AnioRevision == QLatin1String("1991")) {
        lbl_PS->setVisible(false);
    }
}

void frm19::Dibujar(const NivelDigital& n)
{
    const RecordModel& r = Registro();
    // The record may have been closed or replaced under an open view.
    if (canal_.Columna > r.Valores.Cols())
        throw VbError(vberr::SubscriptOutOfRange);
    for (const FilaDigitalVista& f : filas_) {
        if (f.Canal > r.EstadosDigitales.Cols())
            throw VbError(vberr::SubscriptOutOfRange);
    }
    muestraOrigen_ = n.Origen;
    escalaX_ = n.EscalaX;
    const double ancho = Picture1->Width();
    const double alto = Picture1->Height();
    const double altoFila = AltoFila(alto);
    const double derecha = XDerecha(ancho);
    const ScreenInfo& s = Screen();
    const Tramo t{n.Origen, n.Ultima, n.EscalaX, static_cast<double>(s.TwipsPerPixelX),
                  static_cast<double>(s.TwipsPerPixelY)};

    Picture1->Cls();
    Picture1->Line(XEje, MargenSuperiorEje, XEje, CInt(alto - MargenSuperiorEje), kBlanco);
    Picture1->Line(XEje, YCeroAnalogico, derecha, YCeroAnalogico, kBlanco);
    for (std::size_t k = 1; k <= filas_.size(); ++k) {
        // On the pixel row the boxes stand on.
        const double y = EnRejilla(BaseFila(static_cast<std::int32_t>(k), altoFila), t.TwipsPorPixelY);
        Picture1->Line(XEje, y, derecha, y, kBlanco);
    }

    const std::span<const float> valores = r.Valores.Column(canal_.Columna);
    const TracePyramid* tablas = TablaValores(r, canal_.Columna);
    const std::vector<QLineF> trazo = TrazoAnalogico(valores, t, EscalaVertical(valores, t, tablas), tablas);
    const std::optional<std::int32_t> colorAnalogico = color(Digitales().AnalogicoElegido);
    Picture1->Lines(trazo.data(), trazo.size(), QBColor(colorAnalogico.value_or(0)));

    for (std::size_t k = 1; k <= filas_.size(); ++k) {
        const std::int32_t canal = filas_[k - 1].Canal;
        const CajasFila cajas = CajasEstados(r.EstadosDigitales.Column(canal), t, TablaEstados(r, canal));
        DibujarCajas(*Picture1, cajas, BaseFila(static_cast<std::int32_t>(k), altoFila), t, QBColor(9));
    }
}

void frm19::PonerCursores(std::int32_t primera, std::int32_t ultima)
{
    ajustandoCursores_ = true;
    for (HScrollBar* b : {HScroll1, HScroll2}) {
        b->SetMin(primera);
        b->SetMax(ultima);
        b->SetValue(primera);
    }
    ajustandoCursores_ = false;
}

void frm19::RedibujarTrazas(const PasoZoom& paso)
{
    try {
        if (paso.Rechazado()) {
            SetMousePointer(this, vbDefault);
            MsgBox(TextosIdioma(paso.Texto), vbInformation);
            return;
        }
        MousePointerGuard puntero(this, vbHourglass);
        const NivelDigital& n = *paso.Nivel;
        muestraOrigen_ = n.Origen;
        escalaX_ = n.EscalaX;
        PonerCursores(n.Primera, n.Ultima);
        HScroll1_Change();
        HScroll2_Change();
        if (descargada_)
            return;
        Dibujar(n);
    } catch (const VbError& e) {
        ErrorTail(e);
    }
}

void frm19::cmdzoom_Click()
{
    RedibujarTrazas(historial_.Zoom(HScroll1->Value(), HScroll2->Value(), Picture1->Width()));
}

void frm19::cmdatras_Click()
{
    RedibujarTrazas(historial_.Atras());
}

void frm19::cmdadel_Click()
{
    RedibujarTrazas(historial_.Adelante());
}

void frm19::pctimpresora_Click()
{
    if (!vistaCargada_ || descargada_)
        return;
    // The page reads the view as it is now and changes nothing of it.
    const DigitalState& sel = Digitales();
    DatosPaginaDigital d;
    d.FilaAnalogica = sel.AnalogicoElegido;
    d.Filas = filas_;
    d.Nivel = historial_.Actual();
    d.AltoPicture = Picture1->Height();
    d.Cursor1 = HScroll1->Value();
    d.Cursor2 = HScroll2->Value();
    d.TextoTiempo = lbltiempo->text();
    d.Grupo = sel.PrimerMiembro + sel.UltimoMiembro != 0;
    d.ModoDigital = sel.ModoDigital;
    d.GrupoElegido = sel.GrupoElegido;
    const TemplateState& plantilla = Plantillas();
    for (std::int32_t g = 1; g <= plantilla.TablaGruposDigitales.Rows(); ++g)
        d.Grupos.append(plantilla.TablaGruposDigitales(g, 1));
    const MedidaTexto medida = MedidaDeVentana(*this);
    (void)ImprimirVista(MarcoDeVista(*this, *Picture1), [d, medida](Printer& p) {
        PaginaDigital(p, d, medida);
        return std::optional<RechazoPagina>{};
    });
}

void frm19::HScroll1_Change()
{
    CambioCursor(1);
}

void frm19::HScroll2_Change()
{
    CambioCursor(2);
}

void frm19::CambioCursor(int cursor)
{
    if (ajustandoCursores_ || descargada_)
        return;
    try {
        const bool primero = cursor == 1;
        HScrollBar* barra = primero ? HScroll1 : HScroll2;
        const std::int32_t v = barra->Value();
        const RecordModel& r = Registro();
        if (v < 1 || v > r.Valores.Rows() || canal_.Columna < 1 || canal_.Columna > r.Valores.Cols())
            throw VbError(vberr::SubscriptOutOfRange);
        (primero ? lblizq : lblder)->setText(QString::number(v));
        QString& texto = primero ? textoAmarillo_ : textoCian_;
        texto = TextoValorCursor(r.Valores(v, canal_.Columna), canal_.Unidad);
        (primero ? lblamar : lblcian)->setText(texto);
        if (Largo(texto) > largoTextos_) {
            largoTextos_ = Largo(texto);
            HScroll_Analog->SetMax(largoTextos_);
        }
        LineControl* linea = primero ? lnizq : lnder;
        const double x = XMuestra(v, muestraOrigen_, escalaX_);
        linea->SetPoints(x, linea->Y1(), x, linea->Y2());
        textoTiempo_ = TextoTiempoCursores(HScroll1->Value(), HScroll2->Value(), FrecuenciaMuestreo());
        lbltiempo->setText(textoTiempo_);
    } catch (const VbError& e) {
        ErrorTail(e);
    }
}

void frm19::HScroll_Analog_Change()
{
    // Each box a window onto its text from where the bar stands, so that
    // scrolling on brings every part of a long name into view.
    const std::int32_t p = HScroll_Analog->Value();
    lblanalog->ShowScrolled(textoAnalogico_, TextoDesplazado(textoAnalogico_, p, largoTextos_));
    lblamar->ShowScrolled(textoAmarillo_, TextoDesplazado(textoAmarillo_, p, largoTextos_));
    lblcian->ShowScrolled(textoCian_, TextoDesplazado(textoCian_, p, largoTextos_));
}

void frm19::HScroll_Nombres_Change()
{
    const std::int32_t p = HScroll_Nombres->Value();
    for (std::size_t i = 1; i <= MaxFilasDigitales; ++i)
        label[i]->ShowScrolled(nombresCompletos_[i], TextoDesplazado(nombresCompletos_[i], p, largoNombres_));
}

void frm19::label_Click(int index)
{
    if (index >= 1 && index <= MaxFilasDigitales)
        label[static_cast<std::size_t>(index)]->setText(nombresCompletos_[static_cast<std::size_t>(index)]);
}

void frm19::lblanalog_Click()
{
    lblanalog->setText(textoAnalogico_);
}

void frm19::lblamar_Click()
{
    lblamar->setText(textoAmarillo_);
}

void frm19::lblcian_Click()
{
    lblcian->setText(textoCian_);
}

bool frm19::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonPress) {
        if (watched == lblanalog)
            lblanalog_Click();
        else if (watched == lblamar)
            lblamar_Click();
        else if (watched == lblcian)
            lblcian_Click();
        for (int i = 1; i <= MaxFilasDigitales; ++i) {
            if (watched == label[static_cast<std::size_t>(i)])
                label_Click(i);
        }
    }
    return QWidget::eventFilter(watched, event);
}

void frm19::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (vistaCargada_)
        temporizadorResize_->start();
}

void frm19::Form_Resize()
{
    temporizadorResize_->stop();
    if (!vistaCargada_ || descargada_)
        return;
    if (FormularioMinimizado(*this))
        return;
    if (FormWidthTwips(*this) == anchoDispuesto_ && FormHeightTwips(*this) == altoDispuesto_)
        return;
    Rebuild();
}

void frm19::LadoCambiado()
{
    if (!vistaCargada_ || descargada_)
        return;
    Rebuild();
}

void frm19::Rebuild()
{
    try {
        MousePointerGuard puntero(this, vbCustom);
        Construir(false);
    } catch (const VbError& e) {
        ErrorTail(e);
    }
}

void frm19::ErrorTail(const VbError& error)
{
    SetMousePointer(this, vbDefault);
    ShowErrorBox(error);
    if (!descargada_)
        CerrarFormulario(this);
}

void frm19::closeEvent(QCloseEvent* event)
{
    Form_Unload();
    QWidget::closeEvent(event);
}

void frm19::Form_Unload()
{
    if (descargada_)
        return;
    descargada_ = true;
    temporizadorResize_->stop();
    if (Instancia() == this)
        Instancia() = nullptr;
    LimpiarSeleccionAlDescargar();
    SetMousePointer(vbDefault);
    Hooks().MostrarMenu();
}

QImage frm19::RenderImage() const
{
    return Picture1->RenderImage();
}

frm19* Frm19()
{
    return Instancia().data();
}

void DescargarFrm19()
{
    if (frm19* v = Frm19())
        CerrarFormulario(v);
}

frm19& CargarFrm19()
{
    DescargarFrm19();
    auto* v = new frm19();
    Instancia() = v;
    try {
        v->Form_Load();
    } catch (...) {
        // Nothing of a view that failed half-way stays behind; its unload
        // does not run (it never stood), so the caller decides what follows.
        Instancia() = nullptr;
        delete v;
        throw;
    }
    return *v;
}

} // namespace vesdra
