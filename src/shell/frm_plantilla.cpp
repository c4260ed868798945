#include "shell/frm_plantilla.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTimer>

#include "platform/dialog_keys.h"
#include "platform/elided_label.h"
#include "platform/file_lists.h"
#include "platform/mdi_forms.h"
#include "platform/messages.h"
#include "platform/mouse_pointer.h"
#include "platform/twips.h"
#include "record/record_model.h"
#include "shell/command_line.h"
#include "shell/frm_menu.h"
#include "shell/ini_files.h"
#include "shell/language.h"
#include "shell/menu_commands.h"
#include "shell/selector_carpetas.h"
#include "shell/shell_hooks.h"
#include "shell/shell_state.h"
#include "shell/view_services.h"
#include "templates/template_apply.h"
#include "templates/template_file.h"
#include "templates/template_state.h"

namespace vesdra {

namespace {

QPointer<frmPlantilla>& Cargado()
{
    static QPointer<frmPlantilla> form;
    return form;
}

// Client size of the dialog, twips.
constexpr double AnchoDialogo = 6420;
constexpr double AltoDialogo = 5000;

QLabel* Etiqueta(QWidget* padre, const char* nombre, const QString& design, double left, double top,
                 double width)
{
    auto* l = new QLabel(design, padre);
    l->setObjectName(QString::fromLatin1(nombre));
    MoveTwips(*l, left, top, width, 240);
    return l;
}

QPushButton* Boton(QWidget* padre, const char* nombre, const QString& design, double left, double top)
{
    auto* b = new QPushButton(design, padre);
    b->setObjectName(QString::fromLatin1(nombre));
    MoveTwips(*b, left, top, 1440, 420);
    return b;
}

void Aviso(int texto)
{
    (void)MsgBox(TextosIdioma(texto), vbCritical);
}

} // namespace

frmPlantilla::frmPlantilla(QWidget* parent) : QWidget(parent, Qt::Dialog)
{
    setObjectName(QStringLiteral("frmPlantilla"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Buscando plantilla adecuada"));
    CrearControles();
    Cargado() = this;
}

frmPlantilla::~frmPlantilla()
{
    if (Cargado() == this)
        Cargado() = nullptr;
}

void frmPlantilla::CrearControles()
{
    resize(TwipsToPixelX(AnchoDialogo), TwipsToPixelY(AltoDialogo));
    Label5 = Etiqueta(this, "Label5", QStringLiteral("Unidades:"), 120, 120, 2900);
    Drive1 = new DriveListBox(this);
    Drive1->setObjectName(QStringLiteral("Drive1"));
    MoveTwips(*Drive1, 120, 380, 2900, 330);
    Label4 = Etiqueta(this, "Label4", QStringLiteral("Directorios:"), 120, 820, 2900);
    Dir1 = new DirListBox(this);
    Dir1->setObjectName(QStringLiteral("Dir1"));
    MoveTwips(*Dir1, 120, 1080, 2900, 2160);
    Label1 = Etiqueta(this, "Label1", QStringLiteral("Plantillas:"), 3360, 120, 2940);
    File1 = new FileListBox(this);
    File1->setObjectName(QStringLiteral("File1"));
    MoveTwips(*File1, 3360, 380, 2940, 2860);
    label = Etiqueta(this, "label", QStringLiteral("Path:"), 120, 3340, 2900);
    lblPath = EtiquetaRuta(this, "lblPath");
    MoveTwips(*lblPath, 120, 3600, 2900, 330);
    Label6 = Etiqueta(this, "Label6", QStringLiteral("Tipos:"), 3360, 3340, 2940);
    Combo1 = new QComboBox(this);
    Combo1->setObjectName(QStringLiteral("Combo1"));
    Combo1->setEditable(true);
    Combo1->addItem(QStringLiteral("*.CNF"));
    Combo1->setCurrentText(QStringLiteral("*.CNF"));
    MoveTwips(*Combo1, 3360, 3600, 2940, 330);
    lbltext = new QLabel(this);
    lbltext->setObjectName(QStringLiteral("lbltext"));
    MoveTwips(*lbltext, 120, 4020, 6180, 260);
    cmdBuscar = Boton(this, "cmdBuscar", QStringLiteral("Abrir"), 120, 4440);
    cmdModif = Boton(this, "cmdModif", QStringLiteral("modificar"), 1700, 4440);
    cmdNueva = Boton(this, "cmdNueva", QStringLiteral("nueva"), 3280, 4440);
    cmdcancel = Boton(this, "cmdcancel", QStringLiteral("cancelar"), 4860, 4440);

    connect(Drive1, &DriveListBox::Change, this, [this] { Drive1_Change(); });
    connect(Dir1, &DirListBox::Change, this, [this] { Dir1_Change(); });
    connect(Combo1, &QComboBox::currentTextChanged, this, [this] { Combo1_Change(); });
    connect(File1, &FileListBox::Click, this, [this] { File1_Click(); });
    connect(File1, &FileListBox::DblClick, this, [this] { File1_DblClick(); });
    connect(cmdBuscar, &QPushButton::clicked, this, [this] { cmdBuscar_Click(); });
    connect(cmdModif, &QPushButton::clicked, this, [this] { cmdModif_Click(); });
    connect(cmdNueva, &QPushButton::clicked, this, [this] { cmdNueva_Click(); });
    connect(cmdcancel, &QPushButton::clicked, this, [this] { cmdcancel_Click(); });
    // Enter opens the chosen template (or presses the focused button);
    // Escape cancels.
    SetDialogKeys(*this, cmdBuscar, [this] { cmdcancel_Click(); });
}

namespace {

QString CarpetaDePlantillas()
{
    // A templates folder that is not there: the records folder, else the
    // user's own, so the dialog always lists somewhere real.
    for (const QString& carpeta : {Shell().DirPlantillas, Shell().DirOscilos})
        if (!carpeta.isEmpty() && QFileInfo(carpeta).isDir())
            return carpeta;
    return QDir::homePath();
}

} // namespace

void frmPlantilla::ListarCarpetaPlantillas()
{
    PonerSelector(*Drive1, *Dir1, CarpetaDePlantillas());
    lblPath->setText(Dir1->Path());
}

void frmPlantilla::Form_Load()
{
    try {
        (void)RecargarTools();
        // Placed and captioned first: whatever fails later, the dialog is
        // never left in a corner with its design captions.
        CenterFormOnScreen(*this);
        setWindowTitle(TextosIdioma(30));
        Label1->setText(TextosIdioma(26));
        label->setText(TextosIdioma(20));
        Label4->setText(TextosIdioma(21));
        Label5->setText(TextosIdioma(22));
        Label6->setText(TextosIdioma(23));
        cmdBuscar->setText(TextosIdioma(27));
        cmdModif->setText(TextosIdioma(28));
        cmdNueva->setText(TextosIdioma(29));
        cmdcancel->setText(TextosIdioma(25));
        plantillaElegida_ = false;
        File1->SetPattern(Combo1->currentText());
        const QString& plantillas = Shell().DirPlantillas;
        if (!QFileInfo(plantillas).isDir())
            (void)MsgBox(TextosIdioma(111) + QLatin1Char(' ') + plantillas, vbExclamation);
        ListarCarpetaPlantillas();
    } catch (...) {
        // The dialog opens with what it could set up.
    }
    // The user picks a template: the keyboard starts in the templates
    // folder's list, not on the drive list.
    File1->setFocus();
}

void frmPlantilla::Form_Activate()
{
    try {
        (void)RecargarTools();
        ListarCarpetaPlantillas();
    } catch (...) {
        MostrarErrorManejador(this, std::current_exception());
    }
}

void frmPlantilla::Drive1_Change()
{
    if (CambiarUnidad(*this, *Drive1, *Dir1, [this](std::exception_ptr e) { ErrorYDescargar(e); }))
        lblPath->setText(Dir1->Path());
}

void frmPlantilla::Dir1_Change()
{
    try {
        File1->SetPath(Dir1->Path());
        lblPath->setText(Dir1->Path());
    } catch (...) {
        ErrorYDescargar(std::current_exception());
    }
}

void frmPlantilla::Combo1_Change()
{
    File1->SetPattern(Combo1->currentText());
}

void frmPlantilla::File1_Click()
{
    try {
        const QString nombre = File1->FileName();
        if (nombre.isEmpty())
            return;
        plantillaElegida_ = true;
        lbltext->setText(nombre);
        const QString carpeta = File1->Path();
        Plantillas().RutaPlantilla =
            carpeta.endsWith(QLatin1Char('/')) ? carpeta + nombre : carpeta + QLatin1Char('/') + nombre;
        // The folder is read again (new files show), once the list is done
        // with the click that chose the file. The entry chosen by then stays
        // chosen: the keys may have moved on meanwhile.
        QTimer::singleShot(0, this, [this] { File1->Refresh(); });
    } catch (...) {
        ErrorYDescargar(std::current_exception());
    }
}

void frmPlantilla::cmdBuscar_Click()
{
    TemplateState& p = Plantillas();
    p.ModificandoPlantilla = false;
    p.AsistenteAbortado = false;
    if (!plantillaElegida_) {
        Aviso(242);
        return;
    }
    try {
        // A file that is no template by its name is refused before anything
        // changes.
        if (!EsNombrePlantilla(p.RutaPlantilla)) {
            Aviso(147);
            return;
        }
        SetMousePointer(this, vbHourglass);
        const ResultadoPlantilla leida = AplicarFicheroPlantilla();
        SetMousePointer(this, vbDefault);
        if (leida.Estado == LecturaPlantilla::Error)
            throw leida.Error.value_or(VbError(vberr::FileNotFound));
        if (leida.Estado != LecturaPlantilla::Leida) {
            // Refused: the record keeps what it had, the dialog stays.
            (void)MsgBox(leida.Mensaje([](int n) { return TextosIdioma(n); }, p.RutaPlantilla), vbCritical);
            return;
        }
        (void)EscribirFicher();
        HabilitarFasoresInforme();
        // The view dialogs left open list the names of the template before.
        DescargarDialogosEleccion();
        Descargar();
        SetMousePointer(vbDefault);
    } catch (...) {
        ErrorYDescargar(std::current_exception());
    }
}

void frmPlantilla::cmdModif_Click()
{
    TemplateState& p = Plantillas();
    p.ModificandoPlantilla = true;
    p.AsistenteAbortado = false;
    if (!plantillaElegida_) {
        Aviso(242);
        return;
    }
    try {
        if (!EsNombrePlantilla(p.RutaPlantilla)) {
            SetMousePointer(this, vbDefault);
            Aviso(147);
            return;
        }
        EmpezarEdicionPlantilla();
        p.NombreRegistroGuardado = Registro().NombreEstacion;
        const ResultadoPlantilla leida = LeerPlantilla();
        if (leida.Estado == LecturaPlantilla::Error) {
            TerminarEdicionPlantilla();
            throw leida.Error.value_or(VbError(vberr::FileNotFound));
        }
        if (leida.Estado == LecturaPlantilla::VersionAntigua || leida.Estado == LecturaPlantilla::Danada) {
            TerminarEdicionPlantilla();
            SetMousePointer(this, vbDefault);
            (void)MsgBox(leida.Mensaje([](int n) { return TextosIdioma(n); }, p.RutaPlantilla), vbCritical);
            return;
        }
        p.PlantillaNueva = false;
        p.GruposEditados = false;
        p.VueltaAtras = false;
        Descargar();
        if (Asistente().MostrarPaso1)
            Asistente().MostrarPaso1();
    } catch (...) {
        ErrorYDescargar(std::current_exception());
    }
}

void frmPlantilla::cmdNueva_Click()
{
    EmpezarEdicionPlantilla();
    TemplateState& p = Plantillas();
    p.ModificandoPlantilla = false;
    p.AsistenteAbortado = false;
    p.PlantillaNueva = true;
    p.GruposEditados = false;
    // A new pass through the wizard has not yet gone back from any step.
    p.VueltaAtras = false;
    Descargar();
    Atrapar(nullptr, [] {
        if (Asistente().MostrarPaso1)
            Asistente().MostrarPaso1();
    });
}

void frmPlantilla::cmdcancel_Click()
{
    Plantillas().AsistenteAbortado = false;
    Descargar();
}

void frmPlantilla::ErrorYDescargar(std::exception_ptr e)
{
    MostrarErrorManejador(this, e);
    Descargar();
}

void frmPlantilla::Descargar()
{
    if (Cargado() == this)
        Cargado() = nullptr;
    CerrarFormulario(this);
}

void frmPlantilla::closeEvent(QCloseEvent* event)
{
    if (Cargado() == this)
        Cargado() = nullptr;
    QWidget::closeEvent(event);
}

frmPlantilla* FormPlantilla()
{
    return Cargado().data();
}

void DescargarFrmPlantilla()
{
    if (frmPlantilla* f = FormPlantilla())
        f->Descargar();
}

void AbrirFrmPlantilla()
{
    DescargarFrmPlantilla();
    auto* f = new frmPlantilla;
    f->Form_Load();
    Hooks().MostrarVentana(f);
}

void MostrarFrmPlantilla()
{
    if (frmPlantilla* f = FormPlantilla())
        Hooks().MostrarVentana(f);
    else
        AbrirFrmPlantilla();
}

AsistenteHooks& Asistente()
{
    static AsistenteHooks hooks{.MostrarPaso1 = [] {}, .Descargar = [] {}};
    return hooks;
}

} // namespace vesdra
