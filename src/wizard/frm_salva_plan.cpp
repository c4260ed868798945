#include "wizard/frm_salva_plan.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "platform/dialog_keys.h"
#include "platform/elided_label.h"
#include "platform/file_lists.h"
#include "platform/messages.h"
#include "platform/mouse_pointer.h"
#include "platform/twips.h"
#include "shell/frm_plantilla.h"
#include "shell/language.h"
#include "shell/menu_commands.h"
#include "shell/selector_carpetas.h"
#include "shell/shell_state.h"
#include "templates/template_state.h"
#include "templates/wizard_save.h"
#include "wizard/asistente.h"

namespace vesdra {

namespace {

// Design of the form, twips. The form is 120 twips wider than the controls'
// right edge (6300) and its frame, so that the lists and boxes keep a margin on
// the right as on the left and their right borders show.
constexpr double kAncho = 6540, kAlto = 5850;
constexpr double kAnchoBoton = 1800;

} // namespace

frmSalvaPlan::frmSalvaPlan(QWidget* parent) : FormAsistente(parent)
{
    setObjectName(QStringLiteral("frmSalvaPlan"));
    SetFormSizeTwips(*this, kAncho, kAlto);
    Drive1 = new DriveListBox(this);
    Drive1->setObjectName(QStringLiteral("Drive1"));
    MoveTwips(*Drive1, 120, 120, 2900, 330);
    Dir1 = new DirListBox(this);
    Dir1->setObjectName(QStringLiteral("Dir1"));
    MoveTwips(*Dir1, 120, 540, 2900, 2700);
    File1 = new FileListBox(this);
    File1->setObjectName(QStringLiteral("File1"));
    MoveTwips(*File1, 3360, 120, 2940, 3120);
    Text1 = EtiquetaRuta(this, "Text1");
    MoveTwips(*Text1, 120, 3360, 6180, 330);
    Label1 = new QLabel(QStringLiteral("Introduce el nombre del fichero sin extension:"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    MoveTwips(*Label1, 120, 3840, 6180, 285);
    Text2 = new QLineEdit(this);
    Text2->setObjectName(QStringLiteral("Text2"));
    MoveTwips(*Text2, 120, 4140, 6180, 330);
    const double top = 4740;
    cmdvolver = BotonAsistente(this, "cmdvolver", 360, top, kAnchoBoton);
    cmdOK = BotonAsistente(this, "cmdOK", 2310, top, kAnchoBoton);
    cmdcancel = BotonAsistente(this, "cmdcancel", 4260, top, kAnchoBoton);

    connect(Drive1, &DriveListBox::Change, this, [this] { Drive1_Change(); });
    connect(Dir1, &DirListBox::Change, this, [this] { Dir1_Change(); });
    connect(File1, &FileListBox::Click, this, [this] { File1_Click(); });
    connect(cmdOK, &QPushButton::clicked, this, &frmSalvaPlan::cmdOK_Click);
    connect(cmdvolver, &QPushButton::clicked, this, &frmSalvaPlan::cmdvolver_Click);
    connect(cmdcancel, &QPushButton::clicked, this, &frmSalvaPlan::cmdcancel_Click);
    // Enter (in the name box too) saves. Back drops the name and the folder
    // chosen: Escape goes back only while neither was touched.
    SetDialogKeys(*this, cmdOK, [this] {
        if (Text2->text().isEmpty() && Dir1->Path() == carpetaAlCargar_)
            cmdvolver_Click();
    });
}

void frmSalvaPlan::Form_Load()
{
    try {
        Centrar();
        cmdOK->setText(TextosIdioma(24));
        cmdcancel->setText(TextosIdioma(25));
        cmdvolver->setText(TextosIdioma(94));
        setWindowTitle(TextosIdioma(93));
        Label1->setText(TextosIdioma(155));
        cmdvolver->setVisible(true);
        Text2->clear();
        const QString& carpeta = Shell().DirPlantillas;
        Text1->setText(carpeta);
        File1->SetPath(carpeta);
        PonerSelector(*Drive1, *Dir1, carpeta);
        Text1->setText(Dir1->Path());
        carpetaAlCargar_ = Dir1->Path();
    } catch (...) {
        // The step stays.
        MostrarErrorManejador(this, std::current_exception());
    }
    // What this step asks for is the name: a name typed at once goes there.
    Text2->setFocus();
}

void frmSalvaPlan::Drive1_Change()
{
    if (CambiarUnidad(*this, *Drive1, *Dir1, [this](std::exception_ptr e) { ErrorYVolver(e); }))
        Text1->setText(Dir1->Path());
}

void frmSalvaPlan::Dir1_Change()
{
    try {
        Text1->setText(Dir1->Path());
        File1->SetPath(Dir1->Path());
    } catch (...) {
        ErrorYVolver(std::current_exception());
    }
}

void frmSalvaPlan::File1_Click()
{
    const QString nombre = File1->FileName();
    if (!nombre.isEmpty())
        Text2->setText(NombreSinExtension(nombre));
}

void frmSalvaPlan::cmdOK_Click()
{
    try {
        SetMousePointer(this, vbHourglass);
        const SalidaPaso salida = GuardarPlantillaNueva(Text1->text(), Text2->text(), [] {
            SetMousePointer(vbDefault);
            return MsgBox(TextosIdioma(138), vbOKCancel) == vbOK;
        });
        SetMousePointer(this, vbDefault);
        if (!Sale(salida))
            return;
        TerminarEdicionPlantilla();
        DescargarPasos1a3();
        Descargar();
        AbrirFrmPlantilla();
    } catch (...) {
        // Nothing was written and the wizard stays where it was: the user
        // may pick another folder or name.
        MostrarErrorManejador(this, std::current_exception());
    }
}

void frmSalvaPlan::cmdvolver_Click()
{
    DescargarPaso4();
    VolverAPaso3();
}

void frmSalvaPlan::cmdcancel_Click()
{
    Cancelar();
}

void frmSalvaPlan::ErrorYVolver(std::exception_ptr e)
{
    MostrarErrorManejador(this, e);
    DescargarPaso4();
    VolverAPaso3();
}

} // namespace vesdra
