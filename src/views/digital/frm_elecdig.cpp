#include "views/digital/frm_elecdig.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <algorithm>

#include "platform/dialog_keys.h"
#include "platform/mdi_forms.h"
#include "platform/messages.h"
#include "platform/mouse_pointer.h"
#include "platform/name_group.h"
#include "platform/option_group.h"
#include "platform/twips.h"
#include "record/helpers.h"
#include "record/record_model.h"
#include "shell/language.h"
#include "shell/progress_windows.h"
#include "shell/shell_hooks.h"
#include "templates/template_state.h"
#include "templates/template_texts.h"
#include "views/composition/composition_services.h"
#include "views/digital/digital_handover.h"
#include "views/digital/digital_selection.h"
#include "views/digital/frm19.h"

namespace vesdra {

namespace {

constexpr std::int32_t kMaxGrupos = 16;
// An option's height: the rows of options are this far apart.
constexpr double kAltoOpcion = 480;
constexpr int kTextoTitulo = 71;
constexpr int kTextoAnalogicos = 31;
constexpr int kTextoDigitales = 47;
constexpr int kTextoAceptar = 24;
constexpr int kTextoCancelar = 25;
constexpr int kTextoSinGrupos = 92;

QPointer<frmElecdig>& Instancia()
{
    static QPointer<frmElecdig> instancia;
    return instancia;
}

} // namespace

frmElecdig::frmElecdig(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_DeleteOnClose);
    // Its controls stand where its load puts them: nothing to maximise.
    FijarDisposicion(*this);
    setWindowTitle(QStringLiteral("Elecci\u00f3n de grupo de canales digitales"));
    CrearControles();
    resize(TwipsToPixelX(7890), TwipsToPixelY(4650));
}

void frmElecdig::CrearControles()
{
    fmeDigital = new QGroupBox(QStringLiteral("Canales Digitales"), this);
    MoveTwips(*fmeDigital, 120, 120, 4845, 4245);
    // Group names that share their start show the words that tell them apart.
    grupos_ = new NameGroup(this);
    for (std::int32_t i = 1; i <= kMaxGrupos; ++i) {
        auto* o = new ElidedRadioButton(fmeDigital);
        o->SetNameGroup(grupos_);
        // The option takes the room down to the next one, its button where
        // it stands: a long name may take two lines.
        MoveTwips(*o, i <= 8 ? 240 : 2760, 360 + 480 * ((i - 1) % 8) - (kAltoOpcion - 375) / 2, 2000,
                  kAltoOpcion);
        o->SetMaxLines(2);
        optdg[static_cast<std::size_t>(i)] = o;
    }
    optdg[1]->setChecked(true);

    Frame1 = new QGroupBox(QStringLiteral("Canales Anal\u00f3gicos"), this);
    MoveTwips(*Frame1, 5160, 120, 2490, 1680);
    Combo1 = new ComboAnalogico(Frame1);
    MoveTwips(*Combo1, 105, 285, 2265, 315);

    Frame3 = new QGroupBox(QStringLiteral("Referencia:"), this);
    MoveTwips(*Frame3, 5160, 1920, 2535, 1215);
    CmdPrimario = new QRadioButton(QStringLiteral("PRIMARIO"), Frame3);
    MoveTwips(*CmdPrimario, 240, 240, 1455, 375);
    CmdSecundario = new QRadioButton(QStringLiteral("SECUNDARIO"), Frame3);
    MoveTwips(*CmdSecundario, 240, 600, 1575, 495);
    // The two sides are one choice: one stop of Tab, moved by the arrows.
    MakeOptionGroup({CmdPrimario, CmdSecundario});
    Frame3->setVisible(false);

    cmdOK = new QPushButton(QStringLiteral("O&K"), this);
    MoveTwips(*cmdOK, 5160, 3240, 2535, 495);
    cmdcancel = new QPushButton(QStringLiteral("&Cancel"), this);
    MoveTwips(*cmdcancel, 5160, 3840, 2535, 495);
    connect(cmdOK, &QPushButton::clicked, this, &frmElecdig::cmdOK_Click);
    connect(cmdcancel, &QPushButton::clicked, this, &frmElecdig::cmdcancel_Click);
    SetDialogKeys(*this, cmdOK, [this] { cmdcancel_Click(); });
}

void frmElecdig::Form_Load()
{
    try {
        Frame1->setTitle(TextosIdioma(kTextoAnalogicos));
        fmeDigital->setTitle(TextosIdioma(kTextoDigitales));
        setWindowTitle(TextosIdioma(kTextoTitulo));
        cmdOK->setText(TextosIdioma(kTextoAceptar));
        cmdcancel->setText(TextosIdioma(kTextoCancelar));

        if (Registro().Es1997()) {
            MostrarReferencia(*Frame3, *CmdPrimario, *CmdSecundario);
        } else {
            Frame3->setVisible(false);
            SetHeightTwips(*Frame1, HeightTwips(*Frame1) * 1.5);
        }

        Combo1->Llenar();

        const TemplateState& p = Plantillas();
        const std::int32_t grupos = std::clamp(p.NumGruposDigitales, 0, kMaxGrupos);
        for (std::int32_t i = 1; i <= kMaxGrupos; ++i) {
            QRadioButton* o = optdg[static_cast<std::size_t>(i)];
            o->setEnabled(i <= grupos);
            if (i <= grupos)
                o->setText(i <= p.TablaGruposDigitales.Rows() ? p.TablaGruposDigitales(i, 1) : QString());
            // A long group name takes the room up to the next column (or the
            // frame's edge); beyond that it gives way, whole on hover.
            const int hasta = i <= 8 ? TwipsToPixelX(2760 - 60) : fmeDigital->contentsRect().right();
            o->resize(std::clamp(o->sizeHint().width(), TwipsToPixelX(2000), std::max(hasta - o->x(), 1)),
                      o->height());
        }
        // The first 16 groups of a larger template, and the user told.
        if (p.NumGruposDigitales > kMaxGrupos)
            MsgBox(TextosIdioma(kTextoGruposOfrecidos), vbInformation);
    } catch (const VbError& e) {
        SetMousePointer(this, vbDefault);
        ShowErrorBox(e);
    }
}

int frmElecdig::IndiceAnalogico() const
{
    return Combo1->Indice();
}

void frmElecdig::ElegirAnalogico(int indice)
{
    Combo1->Elegir(indice);
}

void frmElecdig::cmdOK_Click()
{
    OcultarFormulario(this);
    SetMousePointer(vbCustom);

    const std::int32_t analogico = Combo1->AnalogicoElegido();
    std::int32_t g = 0;
    const std::int32_t grupos = std::clamp(Plantillas().NumGruposDigitales, 0, kMaxGrupos);
    for (std::int32_t i = 1; i <= grupos; ++i) {
        if (optdg[static_cast<std::size_t>(i)]->isChecked())
            g = i;
    }
    if (g == 0) {
        show();
        SetMousePointer(vbDefault);
        MsgBox(TextosIdioma(kTextoSinGrupos), vbOKOnly);
        DescargarElecdig();
        return;
    }
    // The view shows the first members of a group larger than its rows.
    if (const std::optional<QString> nombre = NombreGrupoRecortado(g))
        (void)MsgBox(TextosIdioma(140) + *nombre, vbInformation);
    const Referencia lado = LadoElegido(*CmdPrimario, *CmdSecundario);
    AbrirVistaElegida([g, analogico] { EscribirSeleccionGrupo(g, analogico); }, lado, DescargarElecdig);
}

void frmElecdig::cmdcancel_Click()
{
    SetMousePointer(this, vbDefault);
    SetMousePointer(vbDefault);
    DescargarElecdig();
}

void frmElecdig::closeEvent(QCloseEvent* event)
{
    SetMousePointer(this, vbDefault);
    SetMousePointer(vbDefault);
    if (Instancia() == this)
        Instancia() = nullptr;
    QWidget::closeEvent(event);
}

frmElecdig& Elecdig()
{
    if (!Instancia()) {
        auto* d = new frmElecdig();
        Instancia() = d;
        d->Form_Load();
    }
    return *Instancia();
}

frmElecdig* ElecdigCargado()
{
    return Instancia().data();
}

void DescargarElecdig()
{
    if (frmElecdig* d = Instancia().data()) {
        Instancia() = nullptr;
        CerrarFormulario(d);
    }
}

} // namespace vesdra
