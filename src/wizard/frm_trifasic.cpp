#include "wizard/frm_trifasic.h"

#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include "platform/base/screen.h"
#include "platform/dialog_keys.h"
#include "platform/elided_line_edit.h"
#include "platform/list_keys.h"
#include "platform/mdi_forms.h"
#include "platform/name_group.h"
#include "platform/text_box.h"
#include "platform/twips.h"
#include "shell/language.h"
#include "shell/menu_commands.h"
#include "wizard/asistente.h"

namespace vesdra {

namespace {

double AnchoTexto(const QWidget* w)
{
    return TextWidthTwips(w->font(), static_cast<const QLabel*>(w)->text()) + 120;
}

} // namespace

frmTrifasic::frmTrifasic(QWidget* parent) : FormAsistente(parent)
{
    setObjectName(QStringLiteral("frmTrifasic"));
    Label1 = new QLabel(QStringLiteral("numero de grupos trifasicos:"), this);
    txtnumTrif = new QLineEdit(this);
    Label2 = new QLabel(QStringLiteral("Nombre de los grupos trifasicos:"), this);
    Label3 = new QLabel(QStringLiteral("Factor:"), this);
    // Names that share their start show the part that tells them apart,
    // whole on hover: the sets' names against each other, a slot's channel
    // against the other slots and the channels on offer.
    nombres_ = new NameGroup(this);
    casillas_ = new NameGroup(this);
    casillas_->AddNames([this] { return Paso.Lista; });
    for (std::int32_t s = 1; s <= kConjuntos; ++s) {
        nbTrif[s] = new ElidedLineEdit(this);
        nbTrif[s]->SetNameGroup(nombres_);
        txtFactor[s] = new QLineEdit(this);
        fmetrif[s] = new QGroupBox(QStringLiteral("Grupo %1").arg(s), this);
        lblSeleccion[s] = new QLabel(QStringLiteral("Seleccion"), fmetrif[s]);
        ListTrif[s] = new QListWidget(fmetrif[s]);
        NombresEnLista(*ListTrif[s]);
        for (std::int32_t k = 1; k <= kFases; ++k) {
            lblpunt[s][k] = new QLabel(fmetrif[s]);
            lblpunt[s][k]->setFrameShape(QFrame::Box);
            grp[s][k] = new ElidedLineEdit(fmetrif[s]);
            grp[s][k]->setReadOnly(true);
            grp[s][k]->SetNameGroup(casillas_);
            // A click makes the slot current and leaves the focus on it: it stays cut.
            grp[s][k]->SetCutWhileFocused(true);
            MostrarPrincipio(*grp[s][k]);
            AyudaSiRecortado(*grp[s][k]);
            lbl[s][k] = new QLineEdit(fmetrif[s]);
            lbl[s][k]->setReadOnly(true);
            for (QWidget* w : {static_cast<QWidget*>(lblpunt[s][k]), static_cast<QWidget*>(grp[s][k])})
                w->installEventFilter(this);
        }
        connect(nbTrif[s], &QLineEdit::textChanged, this, [this, s] { nbTrif_Change(s); });
        connect(txtFactor[s], &QLineEdit::textChanged, this, [this, s] { txtFactor_Change(s); });
        connect(ListTrif[s], &QListWidget::itemDoubleClicked, this,
                [this, s](QListWidgetItem* item) { ListTrif_DblClick(s, ListTrif[s]->row(item)); });
        PulsarComoDobleClic(*ListTrif[s], [this, s](int fila) { ListTrif_DblClick(s, fila); });
    }
    cmdOK = new QPushButton(this);
    cmdvolver = new QPushButton(this);
    cmdcancel = new QPushButton(this);
    connect(txtnumTrif, &QLineEdit::textChanged, this, [this] { txtnumTrif_Change(); });
    connect(cmdOK, &QPushButton::clicked, this, &frmTrifasic::cmdOK_Click);
    connect(cmdvolver, &QPushButton::clicked, this, &frmTrifasic::cmdvolver_Click);
    connect(cmdcancel, &QPushButton::clicked, this, &frmTrifasic::cmdcancel_Click);
    // Enter on a chosen channel fills the set's current slot, as a
    // double-click does; elsewhere Enter continues. Escape goes back: back
    // keeps everything the step shows, sets beyond the count included.
    SetDialogKeys(*this, cmdOK, [this] { cmdvolver_Click(); });
}

void frmTrifasic::ColocarControles()
{
    const ScreenInfo& s = Screen();
    MedidasTrifasico m;
    m.AnchoPantalla = s.WidthTwips;
    m.AltoPantalla = s.HeightTwips;
    m.AnchoLabel1 = AnchoTexto(Label1);
    m.AltoLabel1 = 285;
    m.AnchoLabel2 = AnchoTexto(Label2);
    m.AltoLabel2 = 285;
    m.AnchoLabel3 = AnchoTexto(Label3);
    m.AltoLabel3 = 285;
    m.AnchoCuenta = 600;
    m.AltoCuenta = 360;
    m.AltoNombre = 330;
    m.AltoSeleccion = 285;
    const DisposicionTrifasico d = vesdra::ColocarControles(m);

    MoveFormTwips(*this, d.Form.Left, d.Form.Top, d.Form.Width, d.Form.Height);
    MoveTwips(*Label1, d.Label1);
    MoveTwips(*txtnumTrif, d.Cuenta);
    MoveTwips(*Label2, d.Label2);
    MoveTwips(*Label3, d.Label3);
    for (std::int32_t c = 1; c <= kConjuntos; ++c) {
        const auto i = static_cast<std::size_t>(c - 1);
        MoveTwips(*nbTrif[c], d.Nombres[i]);
        MoveTwips(*txtFactor[c], d.Factores[i]);
        MoveTwips(*fmetrif[c], d.Marcos[i]);
        MoveTwips(*ListTrif[c], d.Lista);
        MoveTwips(*lblSeleccion[c], d.Seleccion);
        for (std::int32_t k = 1; k <= kFases; ++k) {
            const auto j = static_cast<std::size_t>(k - 1);
            MoveTwips(*lblpunt[c][k], d.Marcadores[j]);
            MoveTwips(*grp[c][k], d.Casillas[j]);
            MoveTwips(*lbl[c][k], d.Filas[j]);
        }
    }
    MoveTwips(*cmdOK, d.Botones[0]);
    MoveTwips(*cmdvolver, d.Botones[1]);
    MoveTwips(*cmdcancel, d.Botones[2]);
}

void frmTrifasic::Form_Load()
{
    try {
        setWindowTitle(TextosIdioma(39));
        Label1->setText(TextosIdioma(40));
        Label2->setText(TextosIdioma(41));
        Label3->setText(TextosIdioma(42));
        for (std::int32_t s = 1; s <= kConjuntos; ++s) {
            fmetrif[s]->setTitle(TextosIdioma(42 + s));
            lblSeleccion[s]->setText(TextosIdioma(260));
        }
        cmdOK->setText(TextosIdioma(38));
        cmdcancel->setText(TextosIdioma(25));
        cmdvolver->setText(TextosIdioma(94));
        ColocarControles();
        const std::vector<AvisoPaso> avisos = Paso.Cargar();
        for (std::int32_t s = 1; s <= kConjuntos; ++s) {
            ListTrif[s]->clear();
            ListTrif[s]->addItems(Paso.Lista);
        }
        Mostrar();
        Avisar(avisos);
    } catch (...) {
        // The form stays.
        MostrarErrorManejador(this, std::current_exception());
    }
}

void frmTrifasic::Mostrar()
{
    TextoSinAviso(txtnumTrif, Paso.Cuenta);
    for (std::int32_t s = 1; s <= kConjuntos; ++s) {
        const PasoTrifasico::Conjunto& c = Paso(s);
        TextoSinAviso(nbTrif[s], c.Nombre);
        TextoSinAviso(txtFactor[s], c.Factor);
        fmetrif[s]->setEnabled(c.Activo);
        for (QLineEdit* caja : {static_cast<QLineEdit*>(nbTrif[s]), txtFactor[s]}) {
            caja->setEnabled(c.Activo);
            FondoPaleta(caja, c.Activo ? 15 : 8);
        }
        for (std::int32_t k = 1; k <= kFases; ++k) {
            TextoSinAviso(grp[s][k], c.Casillas(k).Nombre);
            TextoSinAviso(lbl[s][k], Paso.Canal(s, k));
            FondoPaleta(lblpunt[s][k], c.Casillas.Marcador(k));
        }
    }
}

void frmTrifasic::txtnumTrif_Change()
{
    try {
        const auto aviso = Paso.CambiarCuenta(txtnumTrif->text());
        Mostrar();
        if (aviso)
            Avisar(*aviso);
    } catch (...) {
        ErrorYDescargar(std::current_exception());
    }
}

void frmTrifasic::nbTrif_Change(std::int32_t s)
{
    try {
        Avisar(Paso.CambiarNombre(s, nbTrif[s]->text()));
    } catch (...) {
        ErrorYDescargar(std::current_exception());
    }
}

void frmTrifasic::txtFactor_Change(std::int32_t s)
{
    try {
        Avisar(Paso.CambiarFactor(s, txtFactor[s]->text()));
    } catch (...) {
        ErrorYDescargar(std::current_exception());
    }
}

void frmTrifasic::ListTrif_DblClick(std::int32_t s, std::int32_t posicion)
{
    if (Paso.Elegir(s, posicion))
        Mostrar();
}

void frmTrifasic::lblpunt_Click(std::int32_t s, std::int32_t k)
{
    Paso.Seleccionar(s, k);
    Mostrar();
}

void frmTrifasic::grp_DblClick(std::int32_t s, std::int32_t k)
{
    Paso.Vaciar(s, k);
    Mostrar();
}

bool frmTrifasic::eventFilter(QObject* objeto, QEvent* evento)
{
    const bool clic = evento->type() == QEvent::MouseButtonPress;
    const bool doble = evento->type() == QEvent::MouseButtonDblClick;
    if (clic || doble) {
        for (std::int32_t s = 1; s <= kConjuntos; ++s) {
            for (std::int32_t k = 1; k <= kFases; ++k) {
                if (objeto == lblpunt[s][k]) {
                    lblpunt_Click(s, k);
                    return false;
                }
                if (objeto == grp[s][k]) {
                    if (doble)
                        grp_DblClick(s, k);
                    else
                        grp_Click(s, k);
                    return false;
                }
            }
        }
    }
    return FormAsistente::eventFilter(objeto, evento);
}

void frmTrifasic::cmdOK_Click()
{
    try {
        if (!Sale(Paso.Continuar()))
            return;
        if (!SiguientesPasos().MostrarPaso3)
            return;
        OcultarFormulario(this);
        SiguientesPasos().MostrarPaso3();
    } catch (...) {
        ErrorYDescargar(std::current_exception());
    }
}

void frmTrifasic::cmdvolver_Click()
{
    try {
        if (!Sale(Paso.Volver()))
            return;
        OcultarFormulario(this);
        VolverAPaso1();
    } catch (...) {
        ErrorYDescargar(std::current_exception());
    }
}

void frmTrifasic::cmdcancel_Click()
{
    Cancelar();
}

void frmTrifasic::ErrorYDescargar(std::exception_ptr e)
{
    MostrarErrorManejador(this, e);
    Descargar();
    // Step 1, hidden behind this one, comes back rather than stay out of
    // reach.
    VolverAPaso1();
}

} // namespace vesdra
