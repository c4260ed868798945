#include "shell/frm_direct.h"

#include <QCloseEvent>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "platform/base/vb_error.h"
#include "platform/dialog_keys.h"
#include "platform/file_lists.h"
#include "platform/form_registry.h"
#include "platform/mdi_forms.h"
#include "platform/messages.h"
#include "platform/mouse_pointer.h"
#include "platform/twips.h"
#include "shell/ini_files.h"
#include "shell/language.h"
#include "shell/menu_commands.h"
#include "shell/selector_carpetas.h"
#include "shell/shell_hooks.h"
#include "shell/shell_state.h"

namespace vesdra {

namespace {

// One picker's place: label, text box, then the drive list beside the
// folder list; twips from the top of its row.
constexpr double AltoFila = 1800;

} // namespace

// ---- Logic ----

bool EsCarpeta(const QString& texto)
{
    return !texto.trimmed().isEmpty() && QFileInfo(CarpetaPrograma(texto)).isDir();
}

int TextoRechazo(RechazoDirectorio r)
{
    switch (r) {
    case RechazoDirectorio::Oscilos:
        return 169;
    case RechazoDirectorio::Plantillas:
        return 170;
    case RechazoDirectorio::Aplicaciones:
        return 171;
    case RechazoDirectorio::Ninguno:
        break;
    }
    return 0;
}

RechazoDirectorio GuardarDirectorios(const QString& oscilos, const QString& plantillas,
                                     const QString& aplicaciones)
{
    ShellState& s = Shell();
    if (!EsCarpeta(oscilos))
        return RechazoDirectorio::Oscilos;
    s.DirOscilos = CarpetaPrograma(oscilos);
    if (!EsCarpeta(plantillas))
        return RechazoDirectorio::Plantillas;
    s.DirPlantillas = CarpetaPrograma(plantillas);
    if (!EsCarpeta(aplicaciones))
        return RechazoDirectorio::Aplicaciones;
    s.DirAplicaciones = CarpetaPrograma(aplicaciones);

    ContenidoTools c = LeerFicheroTools();
    s.Idioma = c.Idioma;
    c.DirOscilos = oscilos;
    c.DirPlantillas = plantillas;
    c.DirAplicaciones = aplicaciones;
    EscribirFicheroTools(c);
    return RechazoDirectorio::Ninguno;
}

// ---- The dialog ----

frmDirect::frmDirect(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("frmDirect"));
    setAttribute(Qt::WA_DeleteOnClose);
    // Its controls stand where its load puts them: nothing to maximise.
    FijarDisposicion(*this);
    setWindowTitle(QStringLiteral("Directorios por defecto"));
    resize(TwipsToPixelX(6720), TwipsToPixelY(6120));

    const auto fila = [this](int i, const char* etiqueta, const char* texto, const char* unidad,
                             const char* carpeta, QLabel*& l, QLineEdit*& t, DriveListBox*& d,
                             DirListBox*& c) {
        const double top = 120 + i * AltoFila;
        l = new QLabel(this);
        l->setObjectName(QString::fromLatin1(etiqueta));
        MoveTwips(*l, 240, top, 6240, 260);
        t = new QLineEdit(this);
        t->setObjectName(QString::fromLatin1(texto));
        MoveTwips(*t, 240, top + 280, 6240, 330);
        d = new DriveListBox(this);
        d->setObjectName(QString::fromLatin1(unidad));
        MoveTwips(*d, 240, top + 700, 2280, 330);
        c = new DirListBox(this);
        c->setObjectName(QString::fromLatin1(carpeta));
        MoveTwips(*c, 2640, top + 700, 3840, 960);
        connect(d, &DriveListBox::Change, this, [this, i] { drv_Change(i); });
        connect(c, &DirListBox::Change, this, [this, i] { dir_Change(i); });
    };
    fila(0, "Label1", "txtoscilos", "drvoscilos", "diroscilos", Label1, txtoscilos, drvoscilos, diroscilos);
    fila(1, "Label2", "txtplantillas", "drvplantillas", "dirplantillas", Label2, txtplantillas, drvplantillas,
         dirplantillas);
    fila(2, "Label3", "txtaplic", "drvaplic", "diraplic", Label3, txtaplic, drvaplic, diraplic);

    const double botones = 120 + 3 * AltoFila + 60;
    cmdOK = new QPushButton(QStringLiteral("Aceptar"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    MoveTwips(*cmdOK, 1800, botones, 1440, 420);
    cmdcancel = new QPushButton(QStringLiteral("Cancelar"), this);
    cmdcancel->setObjectName(QStringLiteral("cmdcancel"));
    MoveTwips(*cmdcancel, 3480, botones, 1440, 420);
    connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
    connect(cmdcancel, &QPushButton::clicked, this, [this] { cmdcancel_Click(); });
    SetDialogKeys(*this, cmdOK, [this] { cmdcancel_Click(); });
    FormularioUnico<frmDirect>::Registrar(this);
}

frmDirect::~frmDirect()
{
    FormularioUnico<frmDirect>::Olvidar(this);
}

frmDirect::Selector frmDirect::Picker(int picker) const
{
    switch (picker) {
    case 0:
        return {txtoscilos, drvoscilos, diroscilos};
    case 1:
        return {txtplantillas, drvplantillas, dirplantillas};
    default:
        return {txtaplic, drvaplic, diraplic};
    }
}

void frmDirect::Form_Load()
{
    CenterFormOnScreen(*this);
    setWindowTitle(TextosIdioma(192));
    Label1->setText(TextosIdioma(188));
    Label2->setText(TextosIdioma(189));
    Label3->setText(TextosIdioma(190));
    cmdOK->setText(TextosIdioma(24));
    cmdcancel->setText(TextosIdioma(25));
    const ShellState& st = Shell();
    const QString carpetas[3] = {st.DirOscilos, st.DirPlantillas, st.DirAplicaciones};
    // Each picker on its folder; one that is missing is told and leaves
    // the others set up.
    for (int i = 0; i < 3; ++i) {
        const Selector p = Picker(i);
        p.Texto->setText(carpetas[i]);
        try {
            // The text stays as tools.ini has it.
            const QSignalBlocker bloqueo(p.Carpeta);
            PonerSelector(*p.Unidad, *p.Carpeta, carpetas[i]);
        } catch (...) {
            MostrarErrorManejador(this, std::current_exception());
        }
    }
}

void frmDirect::drv_Change(int picker)
{
    const Selector p = Picker(picker);
    if (CambiarUnidad(*this, *p.Unidad, *p.Carpeta, [this](std::exception_ptr e) { ErrorYDescargar(e); }))
        p.Texto->setText(p.Carpeta->Path());
}

void frmDirect::dir_Change(int picker)
{
    const Selector p = Picker(picker);
    p.Texto->setText(p.Carpeta->Path());
}

void frmDirect::cmdOK_Click()
{
    try {
        const RechazoDirectorio r =
            GuardarDirectorios(txtoscilos->text(), txtplantillas->text(), txtaplic->text());
        if (r != RechazoDirectorio::Ninguno) {
            SetMousePointer(this, vbDefault);
            (void)MsgBox(TextosIdioma(TextoRechazo(r)), vbCritical);
            return;
        }
        Descargar();
    } catch (...) {
        ErrorYDescargar(std::current_exception());
    }
}

void frmDirect::cmdcancel_Click()
{
    Descargar();
}

void frmDirect::ErrorYDescargar(std::exception_ptr e)
{
    MostrarErrorManejador(this, e);
    Descargar();
}

void frmDirect::Descargar()
{
    FormularioUnico<frmDirect>::Descargar(this);
}

void frmDirect::closeEvent(QCloseEvent* event)
{
    FormularioUnico<frmDirect>::Olvidar(this);
    QWidget::closeEvent(event);
}

frmDirect* DirectCargado()
{
    return FormularioUnico<frmDirect>::Cargado();
}

void DescargarDirect()
{
    FormularioUnico<frmDirect>::DescargarCargado();
}

void AbrirDirect()
{
    (void)RecargarTools();
    DescargarDirect();
    auto* f = new frmDirect;
    f->Form_Load();
    Hooks().MostrarVentana(f);
}

} // namespace vesdra
