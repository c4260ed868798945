#include "views/digital/frm_grid.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <algorithm>

#include "platform/base/colors.h"
#include "platform/base/screen.h"
#include "platform/dialog_keys.h"
#include "platform/elided_label.h"
#include "platform/mdi_forms.h"
#include "platform/messages.h"
#include "platform/mouse_pointer.h"
#include "platform/name_group.h"
#include "platform/option_group.h"
#include "platform/twips.h"
#include "record/record_model.h"
#include "shell/language.h"
#include "shell/shell_hooks.h"
#include "templates/template_state.h"
#include "templates/template_texts.h"
#include "views/digital/digital_handover.h"
#include "views/digital/digital_selection.h"
#include "views/digital/grid_layout.h"
#include "views/waves/form_support.h"

namespace vesdra {

namespace {

constexpr int kTextoTitulo = 72;
constexpr int kTextoCuenta = 73;
constexpr int kTextoAnalogico = 74;
constexpr int kTextoAyuda = 75;
constexpr int kTextoLimite = 78;
constexpr int kTextoAceptar = 24;
constexpr int kTextoCancelar = 25;
constexpr int kTextoNoEncaja = 246;

constexpr std::uint32_t kFondoTitulo = 0xC0C0C0;
constexpr std::uint32_t kFondoCuenta = 0x00FFFF;

// Where a label sits in the columns, kept on the label for its events.
const char* const kPropColumna = "grpColumna";
const char* const kPropIndice = "grpIndice";

QPointer<frmGrid>& Instancia()
{
    static QPointer<frmGrid> instancia;
    return instancia;
}

QLabel* Etiqueta(QWidget* parent, std::uint32_t fondo, const QString& texto = {})
{
    auto* l = new QLabel(texto, parent);
    ondas::FijarFondo(l, fondo);
    return l;
}

} // namespace

// ---- ColumnaGrupo ----

void ColumnaGrupo::Crear(QWidget* form, std::int32_t columna, NameGroup* titulos, NameGroup* miembros)
{
    Columna = columna;
    for (std::int32_t i = 0; i <= grid::SlotsColumna; ++i) {
        // Names that share their start (a substation's, a signal's phases A,
        // B, C) show the part that tells them apart, whole on hover.
        auto* l = new ElidedLabel(Qt::ElideMiddle, form);
        l->SetNameGroup(i == 0 ? titulos : miembros);
        ondas::FijarFondo(l, i == 0 ? kFondoTitulo : kSysWindowBackground);
        if (i > 0)
            l->setFrameShape(QFrame::Box);
        l->setIndent(2);
        l->setProperty(kPropColumna, columna);
        l->setProperty(kPropIndice, i);
        l->installEventFilter(form);
        lblgrp[static_cast<std::size_t>(i)] = l;
    }
}

void ColumnaGrupo::Titular(const QString& nombre)
{
    lblgrp[0]->setEnabled(true);
    lblgrp[0]->setText(nombre);
}

void ColumnaGrupo::Llenar(const grid::RellenoColumna& r)
{
    const std::int32_t n = r.SlotsUsados();
    for (std::int32_t m = 1; m <= n; ++m) {
        const auto i = static_cast<std::size_t>(m - 1);
        QLabel* l = lblgrp[static_cast<std::size_t>(m)];
        l->setEnabled(true);
        l->setText(r.Nombres[i]);
        // A slot that does not change keeps the colour it was made with.
        if (r.Cambia[i])
            Fondo(m, grid::ColorCambia);
        ColoresGrupo[i] = r.ColorNormal[i];
    }
    for (std::int32_t j = n + 1; j <= grid::SlotsColumna; ++j)
        lblgrp[static_cast<std::size_t>(j)]->setEnabled(false);
}

void ColumnaGrupo::Deshabilitar()
{
    for (QLabel* l : lblgrp)
        l->setEnabled(false);
}

void ColumnaGrupo::Fondo(std::int32_t indice, std::uint32_t color)
{
    ondas::FijarFondo(lblgrp[static_cast<std::size_t>(indice)], color);
}

// ---- frmGrid ----

frmGrid::frmGrid(QWidget* parent) : QWidget(parent)
{
    setProperty("Tag", QStringLiteral("9"));
    setAttribute(Qt::WA_DeleteOnClose);
    // Its controls stand where its load puts them: nothing to maximise.
    FijarDisposicion(*this);
    setWindowTitle(QStringLiteral("Elecci\u00f3n de Canales Digitales"));
    QFont f = font();
    f.setPointSize(8);
    setFont(f);
    marcas_.Marcas = &Digitales().MarcasGrupo;
    CrearControles();
}

void frmGrid::CrearControles()
{
    auto* titulos = new NameGroup(this);
    auto* miembros = new NameGroup(this);
    for (std::int32_t k = 1; k <= grid::NumColumnas; ++k)
        Columnas[static_cast<std::size_t>(k)].Crear(this, k, titulos, miembros);

    Frame1 = new QGroupBox(QStringLiteral("Canales Anal\u00f3gicos"), this);
    Frame1->resize(TwipsToPixelX(grid::AnchoFrame1), TwipsToPixelY(1000));
    Combo1 = new ComboAnalogico(Frame1);
    MoveTwips(*Combo1, 105, 285, 1635, 315);

    Frame3 = new QGroupBox(QStringLiteral("Referencia:"), this);
    MoveTwips(*Frame3, 0, 0, grid::AnchoFrame3, 1215);
    CmdPrimario = new QRadioButton(QStringLiteral("PRIMARIO"), Frame3);
    MoveTwips(*CmdPrimario, 120, 240, 1455, 300);
    CmdSecundario = new QRadioButton(QStringLiteral("SECUNDARIO"), Frame3);
    MoveTwips(*CmdSecundario, 120, 560, 1575, 300);
    // The two sides are one choice: one stop of Tab, moved by the arrows.
    MakeOptionGroup({CmdPrimario, CmdSecundario});

    Label101 = new QLabel(QString::fromUtf8("n\u00ba canales elegidos:"), this);
    Label101->setWordWrap(true);
    Label102 = Etiqueta(this, kFondoCuenta, QStringLiteral("0"));
    Label102->setAlignment(Qt::AlignCenter);
    Label99 = Etiqueta(this, kFondoTitulo);
    Label99->setWordWrap(true);
    QFont pequena = Label99->font();
    pequena.setPointSize(7);
    Label99->setFont(pequena);
    Label99->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    cmdOK = new QPushButton(QStringLiteral("O&K"), this);
    cmdcancel = new QPushButton(QStringLiteral("&Cancel"), this);
    connect(cmdOK, &QPushButton::clicked, this, &frmGrid::cmdOK_Click);
    connect(cmdcancel, &QPushButton::clicked, this, &frmGrid::cmdcancel_Click);
    SetDialogKeys(*this, cmdOK, [this] { cmdcancel_Click(); });
}

void frmGrid::AjustarAPantalla()
{
    grid::EntradaDisposicion e;
    e.Pantalla = Screen();
    e.Es1997 = Registro().Es1997();
    const QMargins marco = FormFrame(*this);
    e.AltoMarco = PixelsToTwipsY(marco.top() + marco.bottom());
    e.AnchoMarco = PixelsToTwipsX(marco.left() + marco.right());
    const grid::DisposicionGrid d = grid::AjustarAPantalla(e);

    MoveFormTwips(*this, 0, 0, d.AnchoFormulario, d.AltoFormulario);
    // The names fill their labels, whose height follows the screen.
    QFont letra = font();
    const int alto = TwipsToPixelY(d.Etiquetas[1][1].Height);
    letra.setPixelSize(std::clamp(alto - 3, 7, 12));
    for (std::int32_t k = 1; k <= grid::NumColumnas; ++k) {
        const ColumnaGrupo& c = Columnas[static_cast<std::size_t>(k)];
        for (std::size_t i = 0; i < c.lblgrp.size(); ++i) {
            MoveTwips(*c.lblgrp[i], d.Etiquetas[static_cast<std::size_t>(k)][i]);
            c.lblgrp[i]->setFont(letra);
        }
    }
    MoveTwips(*Frame1, d.Frame1);
    if (d.ColocaFrame3)
        MoveTwips(*Frame3, d.Frame3);
    MoveTwips(*Label101, d.Label101);
    MoveTwips(*Label102, d.Label102);
    MoveTwips(*cmdOK, d.cmdOK);
    MoveTwips(*cmdcancel, d.cmdcancel);
    MoveTwips(*Label99, d.Label99);
}

void frmGrid::Form_Load()
{
    DigitalState& estado = Digitales();
    for (std::int32_t k = 1; k <= grid::NumColumnas; ++k)
        estado.MarcasGrupo[static_cast<std::size_t>(k)] = {0};
    try {
        AjustarAPantalla();

        setWindowTitle(TextosIdioma(kTextoTitulo));
        Frame1->setTitle(TextosIdioma(kTextoAnalogico));
        Label101->setText(TextosIdioma(kTextoCuenta));
        Label99->setText(TextosIdioma(kTextoAyuda));
        cmdOK->setText(TextosIdioma(kTextoAceptar));
        cmdcancel->setText(TextosIdioma(kTextoCancelar));

        if (Registro().Es1997())
            MostrarReferencia(*Frame3, *CmdPrimario, *CmdSecundario);
        else if (Registro().AnioRevision.trimmed() == QLatin1String("1991")) {
            Frame3->setVisible(false);
        }

        Combo1->Llenar();

        const TemplateState& p = Plantillas();
        // The first 16 groups of a larger template, and the user told.
        const std::int32_t grupos = std::min(p.NumGruposDigitales, grid::NumColumnas);
        if (p.NumGruposDigitales > grid::NumColumnas)
            MsgBox(TextosIdioma(kTextoGruposOfrecidos), vbInformation);
        if (grupos >= 1) {
            for (std::int32_t k = 1; k <= grupos; ++k) {
                estado.MarcasGrupo[static_cast<std::size_t>(k)] =
                    grid::MarcasNuevas(EnteroTabla(p.TablaGruposDigitales, k, 2));
            }
            for (std::int32_t k = 1; k <= grupos; ++k)
                Columnas[static_cast<std::size_t>(k)].Titular(CeldaTabla(p.TablaGruposDigitales, k, 1));
            LlenarColumnas(grupos);
            if (descargado_)
                return;
            for (std::int32_t k = grupos + 1; k <= grid::NumColumnas; ++k)
                Columnas[static_cast<std::size_t>(k)].Deshabilitar();
        }
        marcas_.NumElegidos = 0;
    } catch (const VbError& e) {
        SetMousePointer(this, vbDefault);
        ShowErrorBox(e);
    }
}

void frmGrid::LlenarColumnas(std::int32_t grupos)
{
    const TemplateState& p = Plantillas();
    const RecordModel& r = Registro();
    bool falta = false;
    try {
        std::int32_t fila = 1;
        for (std::int32_t k = 1; k <= grupos; ++k) {
            const grid::RellenoColumna c =
                grid::LlenarColumna(k, fila, p.TablaGruposDigitales, p.TablaMiembrosDigitales, r);
            Columnas[static_cast<std::size_t>(k)].Llenar(c);
            falta = falta || c.FaltaCanal;
            fila = c.Siguiente;
        }
    } catch (const VbError& e) {
        SetMousePointer(this, vbDefault);
        ShowErrorBox(e);
        DescargarGrid();
        return;
    }
    // Members whose channel the record lacks are named once per opening;
    // whether the template fits the record stays the template reader's word.
    if (falta && r.RegistroAbierto && p.PlantillaAplicada)
        MsgBox(TextosIdioma(kTextoNoEncaja), vbCritical);
}

void frmGrid::MostrarGesto(std::int32_t columna, std::int32_t indice, grid::Gesto gesto)
{
    ColumnaGrupo& c = Columnas[static_cast<std::size_t>(columna)];
    switch (gesto) {
    case grid::Gesto::Nada:
        return;
    case grid::Gesto::Rechazado:
        SetMousePointer(this, vbDefault);
        MsgBox(TextosIdioma(kTextoLimite), vbCritical);
        return;
    case grid::Gesto::Marcado:
        c.Fondo(indice, grid::ColorMarcado);
        break;
    case grid::Gesto::Desmarcado:
        c.Fondo(indice, c.ColoresGrupo[static_cast<std::size_t>(indice - 1)]);
        break;
    }
    Label102->setText(QString::number(marcas_.NumElegidos));
}

void frmGrid::lblgrp_Click(std::int32_t columna, std::int32_t indice)
{
    MostrarGesto(columna, indice, marcas_.Click(columna, indice));
}

void frmGrid::lblgrp_DblClick(std::int32_t columna, std::int32_t indice)
{
    MostrarGesto(columna, indice, marcas_.DblClick(columna, indice));
}

void frmGrid::cmdOK_Click()
{
    ShellHooks& hooks = Hooks();
    hooks.MostrarMenu();
    OcultarFormulario(this);
    SetMousePointer(vbCustom);

    const std::int32_t analogico = Combo1->AnalogicoElegido();
    const std::int32_t total = TotalMarcados(Digitales().MarcasGrupo);
    Digitales().NumFilasDigitales = total;
    if (total > grid::MaxElegidos) {
        // Never left hidden: the dialog comes back as it was, marks and all.
        SetMousePointer(vbDefault);
        MsgBox(TextosIdioma(kTextoLimite), vbCritical);
        ondas::VolverAMostrar(this);
        hooks.OcultarMenu();
        return;
    }
    Composicion c;
    try {
        c = ComponerMarcados(Digitales().MarcasGrupo, Plantillas().TablaMiembrosDigitales);
    } catch (const VbError& e) {
        SetMousePointer(vbDefault);
        ShowErrorBox(e);
        DescargarGrid();
        return;
    }
    const Referencia lado = LadoElegido(*CmdPrimario, *CmdSecundario);
    AbrirVistaElegida([c, analogico] { EscribirSeleccionComposicion(c, analogico); }, lado, DescargarGrid);
}

void frmGrid::cmdcancel_Click()
{
    SetMousePointer(this, vbDefault);
    SetMousePointer(vbDefault);
    DescargarGrid();
}

void frmGrid::closeEvent(QCloseEvent* event)
{
    Form_Unload();
    QWidget::closeEvent(event);
}

void frmGrid::Form_Unload()
{
    if (descargado_)
        return;
    descargado_ = true;
    if (Instancia() == this)
        Instancia() = nullptr;
    SetMousePointer(this, vbDefault);
    SetMousePointer(vbDefault);
    Hooks().MostrarMenu();
}

bool frmGrid::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type tipo = event->type();
    if (tipo == QEvent::MouseButtonPress || tipo == QEvent::MouseButtonDblClick) {
        const QVariant columna = watched->property(kPropColumna);
        if (columna.isValid() && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
            const std::int32_t indice = watched->property(kPropIndice).toInt();
            if (tipo == QEvent::MouseButtonPress)
                lblgrp_Click(columna.toInt(), indice);
            else
                lblgrp_DblClick(columna.toInt(), indice);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

frmGrid* GridCargado()
{
    return Instancia().data();
}

void DescargarGrid()
{
    if (frmGrid* d = Instancia().data()) {
        Instancia() = nullptr;
        CerrarFormulario(d);
    }
}

void AbrirGrid()
{
    DescargarGrid();
    auto* d = new frmGrid();
    Instancia() = d;
    d->Form_Load();
    if (Instancia() != d)
        return;
    Hooks().MostrarVentana(d);
    // Once in its frame, the form fits the frame it really has.
    d->AjustarAPantalla();
}

} // namespace vesdra
