#include "analysis/frm_fasecuencias.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGroupBox>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <algorithm>

#include "analysis/analysis_state.h"
#include "analysis/dft.h"
#include "analysis/frm_fases.h"
#include "analysis/frm_secuencias.h"
#include "analysis/phasor_selection.h"
#include "analysis/phasor_sets.h"
#include "platform/base/screen.h"
#include "platform/dialog_keys.h"
#include "platform/elided_check_box.h"
#include "platform/mdi_forms.h"
#include "platform/messages.h"
#include "platform/mouse_pointer.h"
#include "platform/name_group.h"
#include "platform/option_group.h"
#include "platform/twips.h"
#include "record/record_model.h"
#include "shell/language.h"
#include "shell/menu_commands.h"
#include "shell/referencia.h"
#include "shell/shell_hooks.h"
#include "templates/template_state.h"

namespace vesdra {

namespace {

QPointer<frmFasecuencias>& Instancia()
{
    static QPointer<frmFasecuencias> instancia;
    return instancia;
}

// Design places, twips (left, top, width, height); inner size 9375 × 3990.
constexpr double kAnchoInterior = 9375;
constexpr double kAltoInterior = 3990;
constexpr double kFrame1[] = {240, 600, 3135, 2535};
constexpr double kFrame2[] = {3600, 600, 3135, 2535};
constexpr double kFrame3[] = {6960, 600, 2175, 1335};
constexpr double kOK[] = {6960, 2040, 2175, 495};
constexpr double kSalir[] = {6960, 2640, 2175, 495};

void Colocar(QWidget* w, const double (&r)[4])
{
    MoveTwips(*w, r[0], r[1], r[2], r[3]);
}

} // namespace

frmFasecuencias::frmFasecuencias(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_DeleteOnClose);
    // Its controls stand where its load puts them: nothing to maximise.
    FijarDisposicion(*this);
    CrearControles();
    Form_Load();
}

void frmFasecuencias::CrearControles()
{
    Frame1 = new QGroupBox(QStringLiteral("Fases"), this);
    Frame2 = new QGroupBox(QStringLiteral("Secuencias"), this);
    Frame3 = new QGroupBox(QStringLiteral("Frame3"), this);
    Colocar(Frame1, kFrame1);
    Colocar(Frame2, kFrame2);
    Colocar(Frame3, kFrame3);
    // A set's name longer than its box gives way against the other sets'
    // names, whole on hover. The box takes the frame's width and the room
    // down to the next box, its tick where it stands: a name may take two
    // lines.
    auto* nombres = new NameGroup(this);
    const auto colocar = [](ElidedCheckBox* caja, QGroupBox* marco, double top, double width) {
        const double alto = 480;
        const double derecha = PixelsToTwipsX(marco->contentsRect().right() + 1) - 60;
        MoveTwips(*caja, 240, top + (255 - alto) / 2, std::max(width, derecha - 240), alto);
        caja->SetMaxLines(2);
    };
    for (std::size_t k = 0; k < 4; ++k) {
        const double top = 480.0 * static_cast<double>(k + 1);
        fas[k] = new ElidedCheckBox(Frame1);
        colocar(fas[k], Frame1, top, 2775);
        fas[k]->SetNameGroup(nombres);
        sec[k] = new ElidedCheckBox(Frame2);
        colocar(sec[k], Frame2, top, 2655);
        sec[k]->SetNameGroup(nombres);
    }
    CmdPrimario = new QRadioButton(QStringLiteral("PRIMARIO"), Frame3);
    MoveTwips(*CmdPrimario, 120, 240, 1935, 375);
    CmdSecundario = new QRadioButton(QStringLiteral("SECUNDARIO"), Frame3);
    MoveTwips(*CmdSecundario, 120, 720, 1935, 375);
    // The two sides are one choice: one stop of Tab, moved by the arrows.
    MakeOptionGroup({CmdPrimario, CmdSecundario});
    Frame3->hide();
    cmdOK = new QPushButton(this);
    Colocar(cmdOK, kOK);
    cmdSalir = new QPushButton(this);
    Colocar(cmdSalir, kSalir);
    connect(cmdOK, &QPushButton::clicked, this, &frmFasecuencias::cmdOK_Click);
    connect(cmdSalir, &QPushButton::clicked, this, &frmFasecuencias::cmdSalir_Click);
    SetDialogKeys(*this, cmdOK, [this] { cmdSalir_Click(); });
    resize(TwipsToPixelX(kAnchoInterior), TwipsToPixelY(kAltoInterior));
}

void frmFasecuencias::Form_Load()
{
    if (Registro().Es1997()) {
        Frame3->show();
        // The dialog opens on the side the views show now.
        if (SecundarioEnVigor())
            CmdSecundario->setChecked(true);
        else
            CmdPrimario->setChecked(true);
        Frame3->setTitle(TextosIdioma(278));
        CmdPrimario->setText(TextosIdioma(279));
        CmdSecundario->setText(TextosIdioma(280));
    } else {
        // Without the reference frame the dialog is narrower, OK centred
        // under the phasor column and Cancel under the sequence column.
        resize(TwipsToPixelX(kAnchoInterior - kFrame3[2]), height());
        const double top = kFrame1[1] + kFrame1[3] + kOK[3] / 2.0;
        MoveTwips(*cmdOK, kFrame1[0] + (kFrame1[2] - kOK[2]) / 2.0, top, kOK[2], kOK[3]);
        MoveTwips(*cmdSalir, kFrame2[0] + (kFrame2[2] - kSalir[2]) / 2.0, top, kSalir[2], kSalir[3]);
    }
    Centrar();

    setWindowTitle(TextosIdioma(68));
    Frame1->setTitle(TextosIdioma(69));
    Frame2->setTitle(TextosIdioma(70));
    cmdOK->setText(TextosIdioma(24));
    cmdSalir->setText(TextosIdioma(25));

    const std::int32_t sets = Plantillas().NumTrifasicos;
    for (std::int32_t g = 1; g <= 4; ++g) {
        const auto i = static_cast<std::size_t>(g - 1);
        const bool hay = g <= sets;
        fas[i]->setEnabled(hay);
        sec[i]->setEnabled(hay);
        if (hay) {
            fas[i]->setText(NombreSet(g));
            sec[i]->setText(NombreSet(g));
        }
    }
}

void frmFasecuencias::Centrar()
{
    const double ancho = FormWidthTwips(*this);
    const double alto = FormHeightTwips(*this);
    MoveFormTwips(*this, (Screen().WidthTwips - ancho) / 2.0, (Screen().HeightTwips - alto) / 2.0, ancho,
                  alto);
}

void frmFasecuencias::cmdOK_Click()
{
    std::array<bool, 4> marcasFases{};
    std::array<bool, 4> marcasSecuencias{};
    for (std::size_t i = 0; i < 4; ++i) {
        marcasFases[i] = fas[i]->isEnabled() && fas[i]->isChecked();
        marcasSecuencias[i] = sec[i]->isEnabled() && sec[i]->isChecked();
    }
    DecisionSeleccion d = DecidirSeleccion(marcasFases, marcasSecuencias, Plantillas().NumTrifasicos);
    AnalysisState& a = Analisis();
    a.SeleccionFases = std::move(d.SeleccionFases);
    a.SeleccionSecuencias = std::move(d.SeleccionSecuencias);
    if (d.Texto != 0) {
        SetMousePointer(this, vbDefault);
        MsgBox(TextosIdioma(d.Texto), vbCritical);
        if (d.Descargar)
            DescargarFasecuencias();
        return;
    }

    // The side chosen is the side shown; the phasors of the other side no
    // longer fit and are computed again.
    if (Registro().Es1997()) {
        try {
            ElegirReferencia(CmdPrimario->isChecked());
            if (!Registro().FasoresCalculados) {
                MousePointerGuard reloj(vbHourglass);
                CalcularFasores();
                Registro().FasoresCalculados = true;
            }
        } catch (...) {
            MostrarErrorManejador(this, std::current_exception());
            DescargarFasecuencias();
            return;
        }
    }

    bool abierta = false;
    {
        MousePointerGuard puntero(vbCustom);
        hide();
        a.ModoVistas = d.ModoVistas;
        // The pair starts afresh: views of an earlier choice would follow
        // selections that are no longer in force.
        DescargarFases();
        DescargarSecuencias();
        if (d.AbrirFases)
            abierta = CargarFases() || abierta;
        if (d.AbrirSecuencias)
            abierta = CargarSecuencias() || abierta;
    }
    if (abierta)
        Hooks().OcultarMenu();
    else
        Hooks().MostrarMenu();
    DescargarFasecuencias();
}

void frmFasecuencias::cmdSalir_Click()
{
    DescargarFasecuencias();
}

void frmFasecuencias::closeEvent(QCloseEvent* event)
{
    Form_Unload();
    QWidget::closeEvent(event);
}

void frmFasecuencias::Form_Unload()
{
    if (descargado_)
        return;
    descargado_ = true;
    if (Instancia() == this)
        Instancia() = nullptr;
    RetirarFormulario(this);
    SetMousePointer(vbDefault);
}

frmFasecuencias* Fasecuencias()
{
    return Instancia().data();
}

void MostrarFasecuencias()
{
    DescargarFasecuencias();
    auto* d = new frmFasecuencias();
    Instancia() = d;
    Hooks().MostrarVentana(d);
    d->Centrar();
}

void DescargarFasecuencias()
{
    CerrarFormulario(Fasecuencias());
}

} // namespace vesdra
