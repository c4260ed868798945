#include "views/waves/frm_new_ondas.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <algorithm>
#include <optional>
#include <vector>

#include "platform/base/colors.h"
#include "platform/base/numeric.h"
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
#include "shell/shell_hooks.h"
#include "shell/view_sizes.h"
#include "views/waves/form_support.h"
#include "views/waves/frm_todo_analog.h"
#include "views/waves/frm_ver_ondas.h"
#include "views/waves/waves_layout.h"
#include "views/waves/waves_state.h"

namespace vesdra {

namespace {

// Design of the dialog, twips.
constexpr double kAncho = 7700, kAlto = 5200;
constexpr double kFrameTop = 120, kFrameAlto = 4300;
constexpr double kAltoBoton = 450, kAnchoBoton = 1700, kBotonesLeft = 5800;
constexpr std::uint32_t kMarcado = 0x00FFFF;   // colour 14, yellow
constexpr std::uint32_t kNoMarcado = 0xFFFFFF; // colour 15, bright white

QPointer<frmNewOndas>& Instancia()
{
    static QPointer<frmNewOndas> instancia;
    return instancia;
}

void Colocar(QWidget* w, double left, double top, double width, double height)
{
    MoveTwips(*w, left, top, width, height);
}

} // namespace

frmNewOndas::frmNewOndas(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_DeleteOnClose);
    // Its controls stand where its load puts them: nothing to maximise.
    FijarDisposicion(*this);
    SetFormSizeTwips(*this, kAncho, kAlto);

    Frame1 = new QGroupBox(this);
    Colocar(Frame1, 120, kFrameTop, 2900, kFrameAlto);
    List1 = new QListWidget(Frame1);
    Colocar(List1, 120, 300, 2660, kFrameAlto - 420);
    NombresEnLista(*List1);
    connect(List1, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem* item) { List1_DblClick(List1->row(item)); });
    PulsarComoDobleClic(*List1, [this](int fila) { List1_DblClick(fila); });

    Frame2 = new QGroupBox(this);
    Colocar(Frame2, 3120, kFrameTop, 2550, kFrameAlto);
    // A name longer than its slot shows the part that tells it from the
    // other slots and the channels listed, whole on hover.
    auto* nombres = new NameGroup(this);
    nombres->AddEntriesOf(*List1);
    for (std::int32_t i = 1; i <= CasillasOndas::NumCasillas; ++i) {
        const double top = 330 + (i - 1) * 480.0;
        lblpunt[i] = new QLabel(Frame2);
        Colocar(lblpunt[i], 120, top + 60, 180, 180);
        ondas::FijarFondo(lblpunt[i], kNoMarcado);
        lblpunt[i]->setFrameShape(QFrame::Box);
        grp[i] = new ElidedLineEdit(Frame2);
        Colocar(grp[i], 390, top, 1450, 300);
        grp[i]->SetNameGroup(nombres);
        // A click makes the slot current and leaves the focus on it: it stays cut.
        grp[i]->SetCutWhileFocused(true);
        lbl[i] = new QLineEdit(Frame2);
        Colocar(lbl[i], 1900, top, 520, 300);
        for (QWidget* w : {static_cast<QWidget*>(lblpunt[i]), static_cast<QWidget*>(grp[i])})
            w->installEventFilter(this);
        connect(grp[i], &QLineEdit::textChanged, this, [this, i] { grp_Change(i); });
        AyudaSiRecortado(*grp[i]);
    }

    Frame3 = new QGroupBox(this);
    Colocar(Frame3, kBotonesLeft, kFrameTop, kAnchoBoton, 1300);
    CmdPrimario = new QRadioButton(Frame3);
    Colocar(CmdPrimario, 120, 330, kAnchoBoton - 240, 330);
    CmdSecundario = new QRadioButton(Frame3);
    Colocar(CmdSecundario, 120, 780, kAnchoBoton - 240, 330);
    // The two sides are one choice: one stop of Tab, moved by the arrows.
    MakeOptionGroup({CmdPrimario, CmdSecundario});
    Frame3->setVisible(false);

    cmdOK = new QPushButton(this);
    cmdtodo = new QPushButton(this);
    cmdSalir = new QPushButton(this);
    Colocar(cmdOK, kBotonesLeft, 1700, kAnchoBoton, kAltoBoton);
    Colocar(cmdtodo, kBotonesLeft, 2500, kAnchoBoton, kAltoBoton);
    Colocar(cmdSalir, kBotonesLeft, 3300, kAnchoBoton, kAltoBoton);
    connect(cmdOK, &QPushButton::clicked, this, &frmNewOndas::cmdOK_Click);
    connect(cmdtodo, &QPushButton::clicked, this, &frmNewOndas::cmdtodo_Click);
    connect(cmdSalir, &QPushButton::clicked, this, &frmNewOndas::cmdSalir_Click);
    // Enter presses the focused button (one of two ways to show the
    // channels), or else "individualmente"; Escape cancels.
    SetDialogKeys(*this, cmdOK, [this] { cmdSalir_Click(); });
}

frmNewOndas::~frmNewOndas()
{
    if (Instancia() == this)
        Instancia() = nullptr;
}

void frmNewOndas::Form_Load()
{
    const bool ok = ondas::Atrapar(this, [this] {
        const ScreenInfo& s = Screen();
        MoveFormTwips(*this, (s.WidthTwips - kAncho) / 2.0, (s.HeightTwips - kAlto) / 2.0, kAncho, kAlto);
        setWindowTitle(TextosIdioma(60));
        cmdOK->setText(TextosIdioma(142));
        cmdtodo->setText(TextosIdioma(141));
        cmdSalir->setText(TextosIdioma(25));
        Frame1->setTitle(TextosIdioma(14));
        Frame2->setTitle(TextosIdioma(256));
        if (Registro().Es1997()) {
            Frame3->setVisible(true);
            CmdPrimario->setChecked(true);
            Frame3->setTitle(TextosIdioma(278));
            CmdPrimario->setText(TextosIdioma(279));
            CmdSecundario->setText(TextosIdioma(280));
            MostrarOpcionEntera(*CmdPrimario);
            MostrarOpcionEntera(*CmdSecundario);
        } else {
            Frame3->setVisible(false);
            const double h = HeightTwips(*cmdOK);
            const double f1Top = TopTwips(*Frame1);
            const double gap = (HeightTwips(*Frame1) - 3.0 * h) / 4.0;
            SetTopTwips(*cmdOK, f1Top + gap);
            SetTopTwips(*cmdtodo, TopTwips(*cmdOK) + gap + h);
            SetTopTwips(*cmdSalir, TopTwips(*cmdtodo) + gap + h);
        }
        Seleccionar(1);
        List1->clear();
        const std::int32_t filas = FilasCanalesVista();
        for (std::int32_t k = 1; k <= filas; ++k)
            List1->addItem(NombreCanalId(k));
    });
    if (!ok)
        SetMousePointer(this, vbDefault);
}

CasillasOndas frmNewOndas::Casillas() const
{
    CasillasOndas c;
    for (std::int32_t i = 1; i <= CasillasOndas::NumCasillas; ++i) {
        c.Nombres[static_cast<size_t>(i)] = grp[i]->text();
        c.Numeros[static_cast<size_t>(i)] = lbl[i]->text();
    }
    c.Seleccionada = slotSeleccionado_;
    return c;
}

void frmNewOndas::EscribirCasillas(const CasillasOndas& c)
{
    for (std::int32_t i = 1; i <= CasillasOndas::NumCasillas; ++i) {
        if (grp[i]->text() != c.Nombres[static_cast<size_t>(i)])
            grp[i]->setText(c.Nombres[static_cast<size_t>(i)]);
        lbl[i]->setText(c.Numeros[static_cast<size_t>(i)]);
    }
    Seleccionar(c.Seleccionada);
}

void frmNewOndas::Seleccionar(std::int32_t index)
{
    if (index < 1 || index > CasillasOndas::NumCasillas)
        return;
    ondas::FijarFondo(lblpunt[slotSeleccionado_], kNoMarcado);
    slotSeleccionado_ = index;
    ondas::FijarFondo(lblpunt[slotSeleccionado_], kMarcado);
}

void frmNewOndas::lblpunt_Click(std::int32_t index)
{
    Seleccionar(index);
}

void frmNewOndas::grp_DblClick(std::int32_t index)
{
    CasillasOndas c = Casillas();
    VaciarCasilla(c, index);
    EscribirCasillas(c);
}

void frmNewOndas::List1_DblClick(std::int32_t listIndex)
{
    if (listIndex < 0 || listIndex >= List1->count())
        return;
    CasillasOndas c = Casillas();
    if (ColocarCanal(c, List1->item(listIndex)->text(), listIndex + 1))
        EscribirCasillas(c);
}

void frmNewOndas::grp_Change(std::int32_t index)
{
    const QString texto = grp[index]->text();
    if (texto.contains(QLatin1Char('%'))) {
        SetMousePointer(this, vbDefault);
        (void)MsgBox(TextosIdioma(176), vbCritical);
    }
    if (texto.contains(QLatin1Char('$'))) {
        SetMousePointer(this, vbDefault);
        (void)MsgBox(TextosIdioma(177), vbCritical);
    }
}

bool frmNewOndas::eventFilter(QObject* watched, QEvent* event)
{
    const bool click = event->type() == QEvent::MouseButtonPress;
    const bool doble = event->type() == QEvent::MouseButtonDblClick;
    if (click || doble) {
        for (std::int32_t i = 1; i <= CasillasOndas::NumCasillas; ++i) {
            if (watched == lblpunt[i] && click)
                lblpunt_Click(i);
            else if (watched == grp[i] && click)
                grp_Click(i);
            else if (watched == grp[i] && doble)
                grp_DblClick(i);
        }
    }
    return QWidget::eventFilter(watched, event);
}

void frmNewOndas::ElegirReferenciaDialogo()
{
    if (!Registro().Es1997())
        return;
    if (CmdPrimario->isChecked())
        ElegirReferencia(true);
    else if (CmdSecundario->isChecked())
        ElegirReferencia(false);
}

void frmNewOndas::PunterosPorDefecto()
{
    SetMousePointer(this, vbDefault);
    SetMousePointer(vbDefault);
}

void frmNewOndas::cmdOK_Click()
{
    SetMousePointer(this, vbHourglass);
    // Windows of this build, so that a failure leaves none of them behind.
    std::vector<QPointer<frmVerOndas>> creadas;
    bool progreso = false;
    try {
        const RecordModel& r = Registro();
        OndasState& st = Ondas();
        const Array<std::int32_t> visibles = CanalesElegidos(Casillas(), r.NumAnalogicos);
        const std::int32_t n = CuentaElegidos(visibles);
        if (n == 0) {
            PunterosPorDefecto();
            (void)MsgBox(TextosIdioma(82), vbCritical);
            return;
        }
        st.VentanasOndas.Resize(r.NumAnalogicos);
        st.CanalesVisibles = visibles;

        SetMousePointer(vbCustom);
        OcultarFormulario(this);
        if (!Hooks().MostrarProgresoOndas())
            throw VbError(vberr::FileNotFound);
        progreso = true;
        Hooks().ValorProgresoOndas(30);
        ElegirReferenciaDialogo();
        Hooks().ValorProgresoOndas(60);

        const Mosaico m = MosaicoVentanas(n, CInt(AltoVista()), CInt(AnchoVista()));
        st.NumVentanasOndas = n;
        Hooks().ValorProgresoOndas(80);
        // The record's extremes as the views find them; each window scales
        // itself from its own channel.
        MaxMinCanales(r.Valores);

        std::vector<std::pair<std::int32_t, PosicionVentana>> puestos;
        std::size_t p = 0;
        for (std::int32_t k = 1; k <= r.NumAnalogicos; ++k) {
            if (visibles(k) != 1)
                continue;
            st.IndiceVentana = k;
            auto* w = new frmVerOndas();
            creadas.emplace_back(w);
            st.VentanasOndas(k) = w;
            w->Form_activo(m.Alto, m.Ancho, m.Posiciones[p].Top, m.Posiciones[p].Left);
            puestos.emplace_back(k, m.Posiciones[p]);
            ++p;
        }

        Hooks().ValorProgresoOndas(100);
        // A window whose activation failed has said so and closed itself.
        const bool alguna = std::any_of(puestos.begin(), puestos.end(), [&st](const auto& puesto) {
            const frmVerOndas* w = st.VentanasOndas(puesto.first);
            return w && !w->Descargada();
        });
        // Only windows that stand take the menu form's place; when none
        // does, the menu form stays (or comes back) in sight.
        if (alguna)
            Hooks().OcultarMenu();
        else
            Hooks().MostrarMenu();
        // All windows appear together, once every one of them is drawn.
        for (const auto& [k, pos] : puestos) {
            frmVerOndas* w = st.VentanasOndas(k);
            if (!w || w->Descargada())
                continue;
            st.IndiceVentana = k;
            Hooks().MostrarVentana(w);
            MoveFormTwips(*w, pos.Left, pos.Top, m.Ancho, m.Alto);
        }
        PunterosPorDefecto();
        Hooks().CerrarProgresoOndas();
        Descargar();
    } catch (...) {
        const VbError e = ComoVbError(std::current_exception());
        PunterosPorDefecto();
        if (progreso)
            Hooks().CerrarProgresoOndas();
        for (const QPointer<frmVerOndas>& w : creadas) {
            if (w)
                CerrarFormulario(w);
        }
        ShowErrorBox(e);
        Hooks().MostrarMenu();
        Descargar();
    }
}

void frmNewOndas::cmdtodo_Click()
{
    bool progreso = false;
    // The dialog unloads itself before the view is built: what runs after
    // that must not count on it still standing.
    const QPointer<frmNewOndas> dialogo(this);
    try {
        OcultarFormulario(this);
        SetMousePointer(this, vbCustom);
        SetMousePointer(vbCustom);
        const Array<std::int32_t> visibles = CanalesElegidos(Casillas(), Registro().NumAnalogicos);
        if (CuentaElegidos(visibles) == 0) {
            ondas::VolverAMostrar(this);
            PunterosPorDefecto();
            (void)MsgBox(TextosIdioma(82), vbInformation);
            return;
        }
        Ondas().CanalesVisibles = visibles;
        ElegirReferenciaDialogo();
        SetMousePointer(this, vbDefault);
        Descargar();
        if (!Hooks().MostrarProgresoOndas())
            throw VbError(vberr::FileNotFound);
        progreso = true;
        Hooks().ValorProgresoOndas(5);
        DescargarTodoAnalog();
        if (frmTodoanalog* vista = CargarTodoAnalog())
            Hooks().MostrarVentana(vista);
        SetMousePointer(vbDefault);
        Hooks().CerrarProgresoOndas();
    } catch (...) {
        const VbError e = ComoVbError(std::current_exception());
        if (dialogo)
            SetMousePointer(dialogo, vbDefault);
        SetMousePointer(vbDefault);
        if (progreso)
            Hooks().CerrarProgresoOndas();
        ShowErrorBox(e);
        Hooks().MostrarMenu();
        if (dialogo)
            dialogo->Descargar();
    }
}

void frmNewOndas::cmdSalir_Click()
{
    Descargar();
}

void frmNewOndas::Descargar()
{
    if (Instancia() == this)
        Instancia() = nullptr;
    CerrarFormulario(this);
}

void frmNewOndas::closeEvent(QCloseEvent* event)
{
    if (Instancia() == this)
        Instancia() = nullptr;
    PunterosPorDefecto();
    QWidget::closeEvent(event);
}

frmNewOndas& NewOndas()
{
    if (!Instancia()) {
        Instancia() = new frmNewOndas();
        Instancia()->Form_Load();
    }
    return *Instancia();
}

bool NewOndasCargado()
{
    return !Instancia().isNull();
}

void DescargarNewOndas()
{
    if (frmNewOndas* f = Instancia())
        CerrarFormulario(f);
    Instancia() = nullptr;
}

} // namespace vesdra
