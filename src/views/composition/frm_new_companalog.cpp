#include "views/composition/frm_new_companalog.h"

#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>

#include "platform/base/colors.h"
#include "platform/base/screen.h"
#include "platform/dialog_keys.h"
#include "platform/elided_line_edit.h"
#include "platform/list_keys.h"
#include "platform/mdi_forms.h"
#include "platform/messages.h"
#include "platform/mouse_pointer.h"
#include "platform/name_group.h"
#include "platform/option_group.h"
#include "platform/text_box.h"
#include "platform/twips.h"
#include "record/helpers.h"
#include "record/record_model.h"
#include "shell/language.h"
#include "shell/referencia.h"
#include "shell/shell_hooks.h"
#include "views/composition/composition_build.h"
#include "views/composition/composition_layout.h"
#include "views/composition/composition_services.h"
#include "views/waves/waves_state.h"

namespace vesdra {

namespace {

QPointer<frmNewCompanalog>& Instancia()
{
    static QPointer<frmNewCompanalog> instancia;
    return instancia;
}

void PonerFondo(QLabel* l, std::uint32_t color)
{
    QPalette pal = l->palette();
    pal.setColor(QPalette::Window, OleColor(color));
    l->setPalette(pal);
}

} // namespace

frmNewCompanalog& NewCompanalog()
{
    if (!Instancia())
        Instancia() = new frmNewCompanalog();
    return *Instancia();
}

frmNewCompanalog* NewCompanalogCargado()
{
    return Instancia().data();
}

void DescargarNewCompanalog()
{
    frmNewCompanalog* d = Instancia().data();
    if (!d)
        return;
    Instancia() = nullptr;
    // The dialog may be unloading itself from one of its own handlers: it
    // goes out of sight now and is destroyed once that handler returns.
    RetirarFormulario(d);
}

frmNewCompanalog::frmNewCompanalog(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_DeleteOnClose);
    // Its controls stand where its load puts them: nothing to maximise.
    FijarDisposicion(*this);
    CrearControles();
    Form_Load();
}

void frmNewCompanalog::CrearControles()
{
    const auto marco = [this](const composicion::Rect& r) {
        auto* f = new QGroupBox(this);
        MoveTwips(*f, r);
        return f;
    };
    Frame4 = marco({120, 600, 2415, 2535});
    Frame1 = marco({2640, 600, 2295, 2535});
    Frame2 = marco({5040, 600, 2415, 2535});
    Frame3 = marco({7560, 600, 2415, 2535});
    Frame5 = marco({10080, 600, 1695, 1335});
    Frame5->setVisible(false);

    List1 = new QListWidget(Frame4);
    MoveTwips(*List1, 120, 360, 2175, 2010);
    NombresEnLista(*List1);
    List1->viewport()->installEventFilter(this);
    PulsarComoDobleClic(*List1, [this](int) { List1_DblClick(); });

    // A name longer than its slot shows the part that tells it from the
    // other slots and the channels listed, whole on hover.
    auto* nombres = new NameGroup(this);
    nombres->AddEntriesOf(*List1);
    const std::array<QGroupBox*, 3> marcos{Frame1, Frame2, Frame3};
    for (int k = 1; k <= composicion::NumCasillas; ++k) {
        QGroupBox* f = marcos[static_cast<std::size_t>((k - 1) / 6)];
        const double top = 600 + 240.0 * ((k - 1) % 6);
        const auto i = static_cast<std::size_t>(k);
        grp[i] = new ElidedLineEdit(f);
        grp[i]->SetNameGroup(nombres);
        // A click makes the slot current and leaves the focus on it: it stays cut.
        grp[i]->SetCutWhileFocused(true);
        // The name box ends where its marker begins, and the marker where
        // the number box begins: none covers another's border.
        MoveTwips(*grp[i], 120, top, 1560, 270);
        // Slots take channels from the list only: a typed name or number
        // would not name a channel of the record.
        grp[i]->setReadOnly(true);
        MostrarPrincipio(*grp[i]);
        AyudaSiRecortado(*grp[i]);
        grp[i]->installEventFilter(this);
        connect(grp[i], &QLineEdit::textChanged, this, [this, k] { grp_Change(k); });
        lblpunt[i] = new QLabel(f);
        MoveTwips(*lblpunt[i], 1680, top, 120, 255);
        lblpunt[i]->setAutoFillBackground(true);
        PonerFondo(lblpunt[i], kSysWindowBackground);
        lblpunt[i]->installEventFilter(this);
        lbl[i] = new QLineEdit(f);
        MoveTwips(*lbl[i], 1800, top, 375, 270);
        lbl[i]->setReadOnly(true);
    }

    CmdPrimario = new QRadioButton(QStringLiteral("PRIMARIO"), Frame5);
    MoveTwips(*CmdPrimario, 120, 360, 1455, 375);
    CmdSecundario = new QRadioButton(QStringLiteral("SECUNDARIO"), Frame5);
    MoveTwips(*CmdSecundario, 120, 840, 1455, 375);
    // The two sides are one choice: one stop of Tab, moved by the arrows.
    MakeOptionGroup({CmdPrimario, CmdSecundario});

    cmdOK = new QPushButton(this);
    cmdcancel = new QPushButton(this);
    connect(cmdOK, &QPushButton::clicked, this, &frmNewCompanalog::cmdOK_Click);
    connect(cmdcancel, &QPushButton::clicked, this, &frmNewCompanalog::cmdcancel_Click);
    SetDialogKeys(*this, cmdOK, [this] { cmdcancel_Click(); });
}

void frmNewCompanalog::Form_Load()
{
    const composicion::DisposicionDialogo d = composicion::CalcularDisposicionDialogo(Registro().Es1997());
    if (d.MuestraReferencia) {
        Frame5->setVisible(true);
        // The dialog opens on the side the views show now.
        if (SecundarioEnVigor())
            CmdSecundario->setChecked(true);
        else
            CmdPrimario->setChecked(true);
        Frame5->setTitle(TextosIdioma(278));
        CmdPrimario->setText(TextosIdioma(279));
        CmdSecundario->setText(TextosIdioma(280));
        MostrarOpcionEntera(*CmdPrimario);
        MostrarOpcionEntera(*CmdSecundario);
    }
    resize(TwipsToPixelX(d.AnchoInterior), TwipsToPixelY(d.AltoInterior));
    MoveTwips(*cmdOK, d.OkLeft, d.OkTop, 1695, 495);
    MoveTwips(*cmdcancel, d.CancelLeft, d.CancelTop, 1695, 495);

    setWindowTitle(TextosIdioma(64));
    Frame1->setTitle(TextosIdioma(65));
    Frame2->setTitle(TextosIdioma(66));
    Frame3->setTitle(TextosIdioma(67));
    Frame4->setTitle(TextosIdioma(14));
    cmdOK->setText(TextosIdioma(24));
    cmdcancel->setText(TextosIdioma(25));

    MostrarMarcadores();

    // The rows the waveform views list: a record shown without a template
    // is composed from its own channels.
    const std::int32_t filas = FilasCanalesVista();
    for (std::int32_t k = 1; k <= filas; ++k)
        List1->addItem(NombreCanalId(k));
}

void frmNewCompanalog::Mostrar()
{
    Hooks().MostrarVentana(this);
    const ScreenInfo& s = Screen();
    MoveFormTwips(*this, (s.WidthTwips - FormWidthTwips(*this)) / 2.0,
                  (s.HeightTwips - FormHeightTwips(*this)) / 2.0, FormWidthTwips(*this),
                  FormHeightTwips(*this));
}

void frmNewCompanalog::MostrarMarcadores()
{
    for (int k = 1; k <= composicion::NumCasillas; ++k) {
        const std::int32_t m = modelo_.Marcadores[static_cast<std::size_t>(k)];
        PonerFondo(lblpunt[static_cast<std::size_t>(k)],
                   m == composicion::MarcadorDiseno ? kSysWindowBackground : QBColor(m));
    }
}

void frmNewCompanalog::MostrarCasilla(int index)
{
    const auto i = static_cast<std::size_t>(index);
    // The name first: its change runs the separator check at once.
    grp[i]->setText(modelo_.Casillas[i].Nombre);
    lbl[i]->setText(modelo_.Casillas[i].Numero);
}

void frmNewCompanalog::lblpunt_Click(int index)
{
    if (modelo_.Seleccionar(index))
        MostrarMarcadores();
}

void frmNewCompanalog::grp_Click(int index)
{
    lblpunt_Click(index);
}

void frmNewCompanalog::grp_DblClick(int index)
{
    if (index < 1 || index > composicion::NumCasillas)
        return;
    modelo_.Vaciar(index);
    MostrarCasilla(index);
    MostrarMarcadores();
}

void frmNewCompanalog::List1_DblClick()
{
    const QListWidgetItem* item = List1->currentItem();
    const bool haySeleccion = item && item->isSelected();
    const int s = modelo_.CasillaActual;
    if (modelo_.Colocar(haySeleccion ? List1->currentRow() : -1, haySeleccion ? item->text() : QString()) !=
        composicion::ResultadoColocar::Colocado)
        return;
    MostrarCasilla(s);
    MostrarMarcadores();
}

void frmNewCompanalog::grp_Change(int index)
{
    if (index < 1 || index > composicion::NumCasillas)
        return;
    for (const std::int32_t texto : composicion::AvisosNombre(grp[static_cast<std::size_t>(index)]->text())) {
        SetMousePointer(this, vbDefault);
        MsgBox(TextosIdioma(texto), vbCritical);
    }
}

std::array<QString, 19> frmNewCompanalog::NumerosCasillas() const
{
    std::array<QString, 19> numeros{};
    for (std::size_t k = 1; k <= 18; ++k)
        numeros[k] = lbl[k]->text();
    return numeros;
}

void frmNewCompanalog::cmdOK_Click()
{
    ConstruirComposiciones(*this);
}

void frmNewCompanalog::cmdcancel_Click()
{
    DescargarNewCompanalog();
}

bool frmNewCompanalog::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type tipo = event->type();
    if (tipo == QEvent::MouseButtonDblClick && watched == List1->viewport()) {
        List1_DblClick();
        return true;
    }
    if (tipo == QEvent::MouseButtonPress || tipo == QEvent::MouseButtonDblClick) {
        for (int k = 1; k <= composicion::NumCasillas; ++k) {
            const auto i = static_cast<std::size_t>(k);
            if (watched == lblpunt[i] && tipo == QEvent::MouseButtonPress)
                lblpunt_Click(k);
            else if (watched == grp[i] && tipo == QEvent::MouseButtonPress)
                grp_Click(k);
            else if (watched == grp[i])
                grp_DblClick(k);
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace vesdra
