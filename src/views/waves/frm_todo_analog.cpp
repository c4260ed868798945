#include "views/waves/frm_todo_analog.h"

#include <QCloseEvent>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QStyle>
#include <QTimer>
#include <algorithm>

#include "platform/base/colors.h"
#include "platform/base/numeric.h"
#include "platform/base/readout_fit.h"
#include "platform/base/screen.h"
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
#include "views/waves/form_support.h"
#include "views/waves/impresion_ondas.h"
#include "views/waves/lecturas.h"
#include "views/waves/waves_draw.h"
#include "views/waves/waves_fit.h"
#include "views/waves/waves_layout.h"
#include "views/waves/waves_state.h"

namespace vesdra {

namespace {

constexpr std::uint32_t kAmarillo = 0x00FFFF; // QBColor(14)
constexpr std::uint32_t kCian = 0xFFFF00;     // QBColor(11)
// Lines a band's read-out box may take where the band's height holds them.
constexpr int kLineasLectura = 3;

QPointer<frmTodoanalog>& Instancia()
{
    static QPointer<frmTodoanalog> instancia;
    return instancia;
}

// The units text of a band's row. The close command may have emptied the
// table under the open view: a row outside it is the subscript error.
QString UnidadFila(const Matrix<QString>& tabla, std::int32_t fila)
{
    if (fila < 1 || fila > tabla.Rows() || tabla.Cols() < 4)
        throw VbError(vberr::SubscriptOutOfRange);
    return tabla(fila, 4).trimmed();
}

} // namespace

frmTodoanalog::frmTodoanalog(QWidget* parent) : QWidget(parent)
{
    setProperty("Tag", QStringLiteral("3"));
    setAttribute(Qt::WA_DeleteOnClose);

    Picture1 = ondas::PictureWithCursors(this, lnam, lnci);
    nombres_ = new NameGroup(this);
    nombres_->AddNames([this] { return canales_; });
    for (std::int32_t k = 1; k <= 2 * MaxBandas; ++k) {
        lblet[static_cast<size_t>(k)] = ondas::CajaLectura(this, k % 2 ? kAmarillo : kCian);
        lblet[static_cast<size_t>(k)]->setVisible(false);
        lblet[static_cast<size_t>(k)]->installEventFilter(this);
        // The bands' names are shown beside each other: each gives way
        // against the others.
        lblet[static_cast<size_t>(k)]->SetNameGroup(nombres_);
        // A click restores a box's whole text, drawn by the name rule, not
        // scrolled to its start as a box with the focus would be.
        lblet[static_cast<size_t>(k)]->setFocusPolicy(Qt::NoFocus);
    }
    HScroll1 = new HScrollBar(this);
    HScroll2 = new HScrollBar(this);
    HScroll_Nombres = new HScrollBar(this);
    lblam = ondas::CajaLectura(this, kAmarillo);
    lblci = ondas::CajaLectura(this, kCian);
    lblms = ondas::CajaLectura(this, kSysMenu);
    lbl_PS = ondas::IndicatorBox(this);
    cmdzoom = new QPushButton(this);
    cmdzoom->setIcon(style()->standardIcon(QStyle::SP_FileDialogContentsView));
    ondas::MakeStepAndPrintButtons(this, cmdadel, cmdatras, pctimpresora);

    ondas::ConnectViewControls(this);
    connect(HScroll_Nombres, &ScrollBar::Change, this, &frmTodoanalog::HScroll_Nombres_Change);
    resizeTimer_ = ondas::MergeResizes(this, Cargada, [this] { Form_Resize(); });
}

frmTodoanalog::~frmTodoanalog()
{
    if (Instancia() == this)
        Instancia() = nullptr;
}

float frmTodoanalog::ValorEn(const CanalBanda& c, std::int32_t muestra) const
{
    const Matrix<float>& v = Registro().Valores;
    if (c.Columna < 1 || c.Columna > v.Cols() || muestra < 1 || muestra > v.Rows())
        throw VbError(vberr::SubscriptOutOfRange);
    return v(muestra, c.Columna);
}

void frmTodoanalog::LeerCanales()
{
    const RecordModel& r = Registro();
    const Array<std::int32_t>& visibles = Ondas().CanalesVisibles;
    MaxMinCanales(r.Valores);
    filas_ = CanalesDeTabla(r.TablaCanales, FilasCanalesVista(), visibles, r.Valores, &r.MinimosCanal,
                            &r.MaximosCanal);
    bandas_.clear();
    for (std::size_t i = 0; i < filas_.size(); ++i) {
        if (filas_[i].Visible && static_cast<std::int32_t>(bandas_.size()) < MaxBandas)
            bandas_.push_back({filas_[i].Fila, i});
    }
    NumBandas = static_cast<std::int32_t>(bandas_.size());
    // The bands' names give way against every channel the view was chosen
    // from, so that each shows what tells it from any other.
    canales_ = RotulosAnalogicos();
}

void frmTodoanalog::Colocar()
{
    const RecordModel& r = Registro();
    const bool indicador = ondas::IndicadorPrimarioSecundario(*lbl_PS);
    const TextosMaximosOnda textos =
        TextosMaximos(r.NumMuestras(), 0.0f, 0.0f, QString(), FrecuenciaMuestreo());
    const QStringList lados{TextosIdioma(279), TextosIdioma(280)};
    const auto medir = [&](int px) {
        AnchosLecturasTodo a;
        a.Numero = ondas::AnchoTwips(*lblam, textos.Numero, px);
        a.Tiempo = ondas::AnchoTwips(*lblms, textos.Tiempo.mid(0, 1), px);
        a.Indicador = indicador ? ondas::AnchoTwips(*lbl_PS, lados, px) : 0.0;
        return a;
    };
    const DisenoTodo diseno;
    const DisposicionTodoEntera ajuste =
        ColocarControlesTodoEnteras(ScaleWidthTwips(*this), ScaleHeightTwips(*this),
                                    ondas::PixelesPorAltoCaja(*lblam, diseno.AltoLectura), medir, diseno);
    const DisposicionTodo& d = ajuste.Controles;
    for (QLineEdit* caja : {lblam, lblci, lblms, lbl_PS})
        FijarPixelesFuente(*caja, ajuste.Pixeles);
    MoveTwips(*Picture1, d.Picture1);
    MoveTwips(*HScroll1, d.HScroll1);
    MoveTwips(*lblam, d.lblam);
    MoveTwips(*HScroll2, d.HScroll2);
    MoveTwips(*lblci, d.lblci);
    MoveTwips(*lblms, d.lblms);
    MoveTwips(*cmdzoom, d.cmdzoom);
    MoveTwips(*cmdadel, d.cmdadel);
    MoveTwips(*cmdatras, d.cmdatras);
    MoveTwips(*pctimpresora, d.pctimpresora);
    MoveTwips(*HScroll_Nombres, d.HScroll_Nombres);
    HScroll_Nombres->raise();

    if (indicador)
        MoveTwips(*lbl_PS, d.lbl_PS);

    // The bands' boxes on their zero lines, none covering another nor the
    // name bar under them. One font for all: the largest at which each
    // band's widest read-out (its name and its largest magnitude, negative)
    // fits whole on one line; where that is smaller than the waveform
    // windows' read-outs, theirs, the names giving way and taking a second
    // or third line where the bands' height holds them; smaller only where
    // a name could not be told from the others beside its whole value. A
    // name's cut keeps the room of its band's widest value, so it does not
    // move with the cursors.
    const double limite = d.HScroll_Nombres.Top;
    const double alto = Picture1->Height();
    const QStringList rotulos = NombresCanales();
    QStringList nombres;
    QStringList valores;
    for (std::int32_t b = 1; b <= NumBandas; ++b) {
        const CanalBanda& c = filas_[bandas_[static_cast<size_t>(b - 1)].Indice];
        const QString valor = TextoValor(-c.Extremo, UnidadFila(r.TablaCanales, c.Fila));
        nombres << rotulos.value(c.Fila - 1);
        valores << valor;
        for (const std::int32_t k : {2 * b - 1, 2 * b})
            lblet[static_cast<size_t>(k)]->ReserveValueRoom({valor});
    }
    double altoCaja = diseno.AltoLectura;
    double altoMaximo = altoCaja;
    if (NumBandas > 0) {
        const double porCaja = limite / (2.0 * NumBandas);
        altoCaja = std::min(altoCaja, porCaja);
        altoMaximo = std::max(altoCaja, std::min(GeometriaBanda(alto, NumBandas, 1).Alto / 2.0, porCaja));
    }
    std::vector<RectTwips> cajas = CajasLecturaBandas(alto, NumBandas, altoCaja, limite);
    if (!cajas.empty())
        MoveTwips(*lblet[1], cajas.front());
    const ElidedLineEdit& muestra = *lblet[1];
    const ReadOutFit ajusteCajas = FitReadOuts(
        nombres, valores, canales_, QStringLiteral(": "), muestra.width(), TwipsToPixelsY(altoCaja),
        TwipsToPixelsY(altoMaximo), kLineasLectura, MedidorDeFuente(muestra.font()), MargenesDe(muestra),
        ondas::PixelesPorAltoCaja(muestra, DisenoOndas{}.AltoLectura));
    if (ajusteCajas.Lines > 1)
        cajas = CajasLecturaBandas(alto, NumBandas, PixelsToTwipsY(ajusteCajas.Height), limite);
    for (std::size_t i = 0; i < cajas.size(); ++i)
        MoveTwips(*lblet[i + 1], cajas[i]);
    for (std::int32_t k = 1; k <= 2 * MaxBandas; ++k) {
        FijarPixelesFuente(*lblet[static_cast<size_t>(k)], ajusteCajas.Pixels);
        lblet[static_cast<size_t>(k)]->SetMaxLines(ajusteCajas.Lines);
    }
}

void frmTodoanalog::DibujarBandas(const EscalasAV& escalas)
{
    PictureBox& pic = *Picture1;
    const double w = pic.Width();
    const double h = pic.Height();
    pic.Cls();
    pic.Line(50, 50, 50, h - 50, kColorEjes);
    for (std::int32_t b = 1; b <= NumBandas; ++b) {
        const double y = GeometriaBanda(h, NumBandas, b).CeroY;
        pic.Line(50, y, w - 50, y, kColorEjes);
    }
    const Matrix<float>& v = Registro().Valores;
    for (std::int32_t b = 1; b <= NumBandas; ++b) {
        const CanalBanda& c = filas_[bandas_[static_cast<size_t>(b - 1)].Indice];
        if (c.Columna < 1 || c.Columna > v.Cols())
            throw VbError(vberr::SubscriptOutOfRange);
        const Banda g = GeometriaBanda(h, NumBandas, b);
        const double ky = EscalaYBanda(g.Alto, FondoEscalaBanda(c, escalas, g.Alto));
        const TraceGeometry geo = GeometriaTrazo(Vista.XDeMuestra(Vista.Primera), Vista.EscalaX, g.CeroY, ky);
        const std::vector<QLineF> segs = SegmentosTrazo(v.Column(c.Columna), Vista.Primera, Vista.Ultima, geo,
                                                        TablaValores(Registro(), c.Columna));
        pic.Lines(segs.data(), segs.size(), QBColor(NumeroColorCanal(c.Fila)));
    }
    OndasState& st = Ondas();
    st.ContadorCanal = static_cast<std::int32_t>(filas_.size()) + 1;
    st.EscalaXImpresion = static_cast<float>(Vista.EscalaX);
}

bool frmTodoanalog::Form_Load()
{
    Cargada = false;
    OcultarFormulario(this);
    const bool ok = ondas::Atrapar(this, [this] {
        Hooks().ValorProgresoOndas(10);
        const RecordModel& r = Registro();
        const std::int32_t n = r.NumMuestras();
        if (n < 1)
            throw VbError(vberr::SubscriptOutOfRange);
        MuestrasCiclo = MuestrasPorCiclo(FrecuenciaMuestreo(), r.FrecuenciaLinea);

        setWindowTitle(TextosIdioma(31));
        const ScreenInfo& s = Screen();
        const TamanoForm t = AjustarAPantalla(s.WidthTwips, s.HeightTwips, s.TwipsPerPixelX);
        MoveFormTwips(*this, 0, 0, t.Ancho, t.Alto);

        LeerCanales();
        Colocar();
        for (HScrollBar* sb : {HScroll1, HScroll2}) {
            sb->SetSmallChange(1);
            sb->SetLargeChange(MuestrasCiclo);
        }
        for (std::int32_t k = 1; k <= 2 * MaxBandas; ++k) {
            lblet[static_cast<size_t>(k)]->setVisible(k <= 2 * NumBandas);
            lblet[static_cast<size_t>(k)]->clear();
        }
        Hooks().ValorProgresoOndas(20);

        Vista = VistaTodoCompleta(Picture1->Width(), n);
        DibujarBandas(EscalasCompartidas(filas_));
        Hooks().ValorProgresoOndas(40);
        Historial.Reset(NivelDeVista(Vista));
        ZoomPendiente = false;

        LongitudMaxima = 0;
        ColocarCursores(1, n);
        for (std::int32_t k = 1; k <= 2 * MaxBandas; ++k) {
            TextosCompletos[static_cast<size_t>(k)] = lblet[static_cast<size_t>(k)]->text();
            LongitudMaxima =
                std::max<std::int32_t>(LongitudMaxima, TextosCompletos[static_cast<size_t>(k)].size());
        }
        HScroll_Nombres->SetMin(0);
        HScroll_Nombres->SetValue(0);
        HScroll_Nombres->SetMax(LongitudMaxima);
        HScroll_Nombres->SetLargeChange(4);
        HScroll_Nombres->SetSmallChange(1);
        Cargada = true;
        Hooks().ValorProgresoOndas(100);
        Hooks().OcultarMenu();
    });
    if (!ok) {
        SetMousePointer(vbDefault);
        Hooks().MostrarMenu();
    }
    return ok;
}

void frmTodoanalog::ColocarCursores(std::int32_t inicio, std::int32_t fin)
{
    ondas::RangoCursores(*HScroll1, *HScroll2, inicio, fin, colocando_);
    MoverCursor(true);
    MoverCursor(false);
}

void frmTodoanalog::MoverCursor(bool primero)
{
    const std::int32_t s1 = HScroll1->Value();
    const std::int32_t s2 = HScroll2->Value();
    const std::int32_t s = primero ? s1 : s2;
    (primero ? lblam : lblci)->setText(TextoNumeroMuestra(s));
    const double x = AjustarAPixelX(Vista.XDeMuestra(s));
    (primero ? lnam : lnci)->SetPoints(x, 0.0, x, Picture1->Height());

    const RecordModel& r = Registro();
    // The captions in one pass over the table, not one a band.
    const QStringList rotulos = NombresCanales();
    for (std::int32_t b = 1; b <= NumBandas; ++b) {
        const CanalBanda& c = filas_[bandas_[static_cast<size_t>(b - 1)].Indice];
        const QString nombre = rotulos.value(c.Fila - 1);
        const QString unidad = UnidadFila(r.TablaCanales, c.Fila);
        // The value and unit always show; a long name gives way in the middle.
        lblet[static_cast<size_t>(2 * b - 1)]->ShowReadOut(nombre, QStringLiteral(": "),
                                                           TextoValor(ValorEn(c, s1), unidad));
        lblet[static_cast<size_t>(2 * b)]->ShowReadOut(nombre, QStringLiteral(": "),
                                                       TextoValor(ValorEn(c, s2), unidad));
    }
    // Kept texts of this cursor's boxes; the longest ever seen sets how far
    // the names scroll (it never shrinks while the view is open).
    for (std::int32_t k = primero ? 1 : 2; k <= 2 * MaxBandas; k += 2) {
        TextosCompletos[static_cast<size_t>(k)] = lblet[static_cast<size_t>(k)]->text();
        if (TextosCompletos[static_cast<size_t>(k)].size() > LongitudMaxima) {
            LongitudMaxima = static_cast<std::int32_t>(TextosCompletos[static_cast<size_t>(k)].size());
            HScroll_Nombres->SetMax(LongitudMaxima);
        }
    }
    ondas::ShowTimeBetween(*lblms, TextoTiempo, s1, s2);
}

void frmTodoanalog::HScroll1_Change()
{
    ondas::CursorBarChanged(
        this, colocando_, [this] { MoverCursor(true); }, [this] { Descargar(); });
}

void frmTodoanalog::HScroll2_Change()
{
    ondas::CursorBarChanged(
        this, colocando_, [this] { MoverCursor(false); }, [this] { Descargar(); });
}

void frmTodoanalog::HScroll_Nombres_Change()
{
    const std::int32_t s = HScroll_Nombres->Value();
    // Each box a window onto its text from where the bar stands, so that
    // scrolling on brings every part of a long name into view.
    for (std::int32_t k = 1; k <= 2 * MaxBandas; ++k) {
        const QString& completo = TextosCompletos[static_cast<size_t>(k)];
        lblet[static_cast<size_t>(k)]->ShowScrolled(completo, TextoDesplazado(completo, s, LongitudMaxima));
    }
}

void frmTodoanalog::lblet_Click(std::int32_t index)
{
    if (index < 1 || index > 2 * MaxBandas)
        return;
    lblet[static_cast<size_t>(index)]->setText(TextosCompletos[static_cast<size_t>(index)]);
}

void frmTodoanalog::Mostrar(const ResultadoZoomTodo& r)
{
    if (ondas::Refused(this, r))
        return;
    Vista = *r.Vista;
    // A level stored before a resize: its span over the picture as it is now.
    const double ancho = Picture1->Width();
    if (Vista.Ancho != ancho && Vista.Ancho > 150.0) {
        Vista.EscalaX *= (ancho - 150.0) / (Vista.Ancho - 150.0);
        Vista.Ancho = ancho;
    }
    DibujarBandas(EscalasPorUnidad(filas_));
    ColocarCursores(Vista.Primera, Vista.Ultima);
    SetMousePointer(this, vbDefault);
}

void frmTodoanalog::cmdzoom_Click()
{
    ZoomPendiente = true;
    ondas::NewZoom(
        this, ZoomPendiente,
        [this] {
            return ZoomEntreCursores(Historial, HScroll1->Value(), HScroll2->Value(), Picture1->Width());
        },
        [this](const ResultadoZoomTodo& r) { Mostrar(r); }, [this] { Descargar(); });
}

void frmTodoanalog::cmdadel_Click()
{
    ondas::HistoryStep(
        this, ZoomPendiente, [this] { Mostrar(TodoSiguiente(Historial)); }, [this] { Descargar(); });
}

void frmTodoanalog::cmdatras_Click()
{
    ondas::HistoryStep(
        this, ZoomPendiente, [this] { Mostrar(TodoAnterior(Historial)); }, [this] { Descargar(); });
}

void frmTodoanalog::pctimpresora_Click()
{
    if (!Cargada)
        return;
    // The page reads the view as it is now and changes nothing of it.
    DatosPaginaTodo d;
    d.Nivel = Historial.Current();
    for (const BandaCanal& b : bandas_)
        d.Filas.push_back(b.Fila);
    d.Cursor1 = HScroll1->Value();
    d.Cursor2 = HScroll2->Value();
    d.TextoTiempo = TextoTiempo;
    const MedidaTexto medida = MedidaDeVentana(*this);
    (void)ImprimirVista(MarcoDeVista(*this, *Picture1),
                        [d, medida](Printer& p) -> std::optional<RechazoPagina> {
                            PaginaTodo(p, d, medida);
                            return std::nullopt;
                        });
}

void frmTodoanalog::Redisponer()
{
    LeerCanales();
    Colocar();
    // The whole record at the new size; the cursors keep their samples and
    // their lines stand on them.
    Vista = VistaTodoCompleta(Picture1->Width(), Registro().NumMuestras());
    DibujarBandas(EscalasCompartidas(filas_));
    MoverCursor(true);
    MoverCursor(false);
}

void frmTodoanalog::Form_Resize()
{
    ondas::Relayout(
        this, Cargada, [this] { Redisponer(); },
        [this] {
            SetMousePointer(vbDefault);
            Descargar();
        });
}

void frmTodoanalog::LadoCambiado()
{
    if (!Cargada)
        return;
    ondas::RunOrUnload(
        this, [this] { Redisponer(); },
        [this] {
            SetMousePointer(vbDefault);
            Descargar();
        });
}

bool frmTodoanalog::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonPress) {
        for (std::int32_t k = 1; k <= 2 * MaxBandas; ++k) {
            if (watched == lblet[static_cast<size_t>(k)])
                lblet_Click(k);
        }
    }
    return QWidget::eventFilter(watched, event);
}

void frmTodoanalog::Descargar()
{
    Cargada = false;
    CerrarFormulario(this);
}

void frmTodoanalog::closeEvent(QCloseEvent* event)
{
    if (!unloaded_) {
        unloaded_ = true;
        Cargada = false;
        resizeTimer_->stop();
        if (Instancia() == this)
            Instancia() = nullptr;
        SetMousePointer(vbDefault);
        Hooks().MostrarMenu();
    }
    QWidget::closeEvent(event);
}

frmTodoanalog* TodoAnalog()
{
    return Instancia();
}

frmTodoanalog* CargarTodoAnalog()
{
    if (!Instancia())
        Instancia() = new frmTodoanalog();
    frmTodoanalog* vista = Instancia();
    if (!vista->Form_Load()) {
        // No half-built view stays behind.
        vista->close();
        return nullptr;
    }
    return vista;
}

void DescargarTodoAnalog()
{
    if (frmTodoanalog* vista = Instancia())
        CerrarFormulario(vista);
    Instancia() = nullptr;
}

} // namespace vesdra
