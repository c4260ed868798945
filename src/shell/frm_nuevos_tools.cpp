#include "shell/frm_nuevos_tools.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <algorithm>

#include "platform/base/file_names.h"
#include "platform/base/vb_error.h"
#include "platform/dialog_keys.h"
#include "platform/file_lists.h"
#include "platform/form_registry.h"
#include "platform/mdi_forms.h"
#include "platform/messages.h"
#include "platform/mouse_pointer.h"
#include "platform/twips.h"
#include "shell/frm_conversion.h"
#include "shell/frm_menu.h"
#include "shell/language.h"
#include "shell/menu_commands.h"
#include "shell/open_hooks.h"
#include "shell/selector_carpetas.h"
#include "shell/shell_hooks.h"
#include "shell/shell_state.h"

namespace vesdra {

namespace {

QLabel* Etiqueta(QWidget* padre, const char* nombre, double left, double top, double width)
{
    auto* l = new QLabel(padre);
    l->setObjectName(QString::fromLatin1(nombre));
    MoveTwips(*l, left, top, width, 260);
    return l;
}

// tools.ini read whole; Idioma and the three folders taken into Shell() as
// the add and delete commands do.
ContenidoTools LeerToolsEnMemoria()
{
    ContenidoTools c = LeerFicheroTools();
    Shell().Idioma = c.Idioma;
    PonerCarpetasTools(c);
    return c;
}

// The Análisis menu after a change: entries 1..n, shown only while tools
// exist. Nothing when the menu form is not loaded.
void AjustarMenu(std::int32_t n, bool recrear)
{
    FrmMenu* m = MenuForm();
    if (!m)
        return;
    if (recrear)
        m->AjustarEntradasTools(1);
    m->AjustarEntradasTools(n);
    if (QAction* a = m->EntradaTool(n))
        a->setEnabled(true);
}

void MostrarAnalisis()
{
    const bool hay = HabilitarTools();
    if (FrmMenu* m = MenuForm())
        m->mnuanalisis->menuAction()->setVisible(hay);
}

} // namespace

// ---- Logic ----

int TextoRechazo(RechazoHerramienta r)
{
    switch (r) {
    case RechazoHerramienta::SinNombre:
        return 232;
    case RechazoHerramienta::NombreConIgual:
        return 52;
    case RechazoHerramienta::PropioPrograma:
        return 261;
    case RechazoHerramienta::NoEjecutable:
        return 233;
    case RechazoHerramienta::NombreRepetido:
        return 234;
    case RechazoHerramienta::RutaRepetida:
        return 235;
    case RechazoHerramienta::Ninguno:
        break;
    }
    return 0;
}

bool EsPropioPrograma(const QString& ruta)
{
    const QFileInfo propio(QCoreApplication::applicationFilePath());
    const QFileInfo elegido(ruta.trimmed());
    if (elegido.fileName().compare(propio.fileName(), Qt::CaseInsensitive) == 0)
        return true;
    const QString canonico = QFileInfo(ExistingPathNoCase(ruta.trimmed())).canonicalFilePath();
    return !canonico.isEmpty() && canonico == propio.canonicalFilePath();
}

bool EsEjecutable(const QString& ruta)
{
    const QFileInfo f(ExistingPathNoCase(ruta.trimmed()));
    return f.isFile() && f.isExecutable();
}

namespace {

// The entries of tools.ini against the new tool: the last one that matches
// decides, a path match over a name match.
RechazoHerramienta Repetida(const QString& nombre, const QString& ruta,
                            const std::vector<Herramienta>& herramientas)
{
    RechazoHerramienta nota = RechazoHerramienta::Ninguno;
    for (const Herramienta& h : herramientas) {
        if (h.Nombre == nombre)
            nota = RechazoHerramienta::NombreRepetido;
        if (h.Ruta == ruta)
            nota = RechazoHerramienta::RutaRepetida;
    }
    return nota;
}

} // namespace

RechazoHerramienta ComprobarHerramienta(const QString& nombre, const QString& ruta,
                                        const std::vector<Herramienta>& herramientas)
{
    if (nombre.trimmed().isEmpty())
        return RechazoHerramienta::SinNombre;
    // tools.ini holds name "=" path: a name holding "=" would be read back
    // cut there, with the rest taken into the path.
    if (nombre.contains(QLatin1Char('=')))
        return RechazoHerramienta::NombreConIgual;
    if (EsPropioPrograma(ruta))
        return RechazoHerramienta::PropioPrograma;
    if (!EsEjecutable(ruta))
        return RechazoHerramienta::NoEjecutable;
    return Repetida(nombre, ruta, herramientas);
}

RechazoHerramienta AnadirHerramienta(const QString& nombre, const QString& ruta)
{
    // The name and the program are checked before tools.ini is read.
    if (const RechazoHerramienta r = ComprobarHerramienta(nombre, ruta, {}); r != RechazoHerramienta::Ninguno)
        return r;
    ContenidoTools c = LeerToolsEnMemoria();
    if (const RechazoHerramienta r = Repetida(nombre, ruta, c.Herramientas); r != RechazoHerramienta::Ninguno)
        return r;
    c.Herramientas.push_back({nombre, ruta});
    EscribirFicheroTools(c);
    return RechazoHerramienta::Ninguno;
}

std::int32_t BorrarHerramienta(const std::optional<QString>& nombre)
{
    ContenidoTools c = LeerToolsEnMemoria();
    auto& lista = c.Herramientas;
    const auto it =
        std::find_if(lista.begin(), lista.end(), [&](const Herramienta& h) { return h.Nombre == nombre; });
    if (nombre && it != lista.end())
        lista.erase(it);
    EscribirFicheroTools(c);
    return static_cast<std::int32_t>(lista.size());
}

QString NombreDeEntrada(const QString& entrada)
{
    const qsizetype igual = entrada.indexOf(QLatin1Char('='));
    return igual < 0 ? entrada : entrada.left(igual);
}

// ---- The dialog ----

frmNuevosTools::frmNuevosTools(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("frmNuevosTools"));
    setAttribute(Qt::WA_DeleteOnClose);
    // Its controls stand where its load puts them: nothing to maximise.
    FijarDisposicion(*this);
    setWindowTitle(QStringLiteral("Herramientas"));
    resize(TwipsToPixelX(6360), TwipsToPixelY(4680));

    Label1 = Etiqueta(this, "Label1", 240, 120, 5880);
    txtNombre = new QLineEdit(this);
    txtNombre->setObjectName(QStringLiteral("txtNombre"));
    MoveTwips(*txtNombre, 240, 400, 5880, 330);
    Label2 = Etiqueta(this, "Label2", 240, 840, 5880);
    txtPath = new QLineEdit(this);
    txtPath->setObjectName(QStringLiteral("txtPath"));
    MoveTwips(*txtPath, 240, 1120, 5880, 330);
    Drive1 = new DriveListBox(this);
    Drive1->setObjectName(QStringLiteral("Drive1"));
    MoveTwips(*Drive1, 240, 1580, 2820, 330);
    Dir1 = new DirListBox(this);
    Dir1->setObjectName(QStringLiteral("Dir1"));
    MoveTwips(*Dir1, 240, 2000, 2820, 1980);
    File1 = new FileListBox(this);
    File1->setObjectName(QStringLiteral("File1"));
    MoveTwips(*File1, 3300, 1580, 2820, 2400);
    List1 = new QListWidget(this);
    List1->setObjectName(QStringLiteral("List1"));
    MoveTwips(*List1, 240, 400, 5880, 3580);
    List1->hide();

    cmdOK = new QPushButton(QStringLiteral("Aceptar"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    MoveTwips(*cmdOK, 1560, 4140, 1440, 420);
    cmdcancel = new QPushButton(QStringLiteral("Cancelar"), this);
    cmdcancel->setObjectName(QStringLiteral("cmdcancel"));
    MoveTwips(*cmdcancel, 3360, 4140, 1440, 420);

    connect(Drive1, &DriveListBox::Change, this, [this] { Drive1_Change(); });
    connect(Dir1, &DirListBox::Change, this, [this] { Dir1_Change(); });
    connect(File1, &FileListBox::Click, this, [this] { File1_Click(); });
    connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
    connect(cmdcancel, &QPushButton::clicked, this, [this] { cmdcancel_Click(); });
    SetDialogKeys(*this, cmdOK, [this] { cmdcancel_Click(); });
    FormularioUnico<frmNuevosTools>::Registrar(this);
}

frmNuevosTools::~frmNuevosTools()
{
    FormularioUnico<frmNuevosTools>::Olvidar(this);
}

void frmNuevosTools::Form_Load()
{
    try {
        const QRect principal = AperturaHooks().GeometriaPrincipal();
        MoveFormTwips(*this, principal.x() + (principal.width() - FormWidthTwips(*this)) / 2.0,
                      principal.y() + (principal.height() - FormHeightTwips(*this)) / 2.0,
                      FormWidthTwips(*this), FormHeightTwips(*this));
        cmdOK->setText(TextosIdioma(24));
        cmdcancel->setText(TextosIdioma(25));
        const bool anadir = Shell().ModoAnadirTool;
        List1->setVisible(!anadir);
        for (QWidget* w :
             {static_cast<QWidget*>(txtNombre), static_cast<QWidget*>(txtPath), static_cast<QWidget*>(File1),
              static_cast<QWidget*>(Dir1), static_cast<QWidget*>(Drive1)})
            w->setVisible(anadir);
        Label2->setVisible(anadir);
        if (anadir) {
            PonerSelector(*Drive1, *Dir1, Shell().DirAplicaciones);
            File1->SetPath(Dir1->Path());
        }
    } catch (...) {
        MostrarErrorManejador(this, std::current_exception());
    }
}

void frmNuevosTools::Drive1_Change()
{
    if (CambiarUnidad(*this, *Drive1, *Dir1, [this](std::exception_ptr e) { ErrorYDescargar(e); }))
        txtPath->setText(Dir1->Path());
}

void frmNuevosTools::Dir1_Change()
{
    try {
        txtPath->setText(Dir1->Path());
        File1->SetPath(Dir1->Path());
    } catch (...) {
        ErrorYDescargar(std::current_exception());
    }
}

void frmNuevosTools::File1_Click()
{
    try {
        const QString nombre = File1->FileName();
        if (!nombre.isEmpty())
            txtPath->setText(UnirCarpetaNombre(File1->Path(), nombre));
    } catch (...) {
        ErrorYDescargar(std::current_exception());
    }
}

void frmNuevosTools::cmdOK_Click()
{
    try {
        if (Shell().ModoAnadirTool) {
            const RechazoHerramienta r = AnadirHerramienta(txtNombre->text(), txtPath->text());
            if (r != RechazoHerramienta::Ninguno) {
                (void)MsgBox(TextosIdioma(TextoRechazo(r)), vbExclamation);
                return;
            }
            AjustarMenu(LeerTools(), false);
        } else {
            // With no entry chosen nothing is removed; the file is written
            // back as it was. The entry the keyboard merely stands on (the
            // list's first, once it takes the focus) is not chosen.
            std::optional<QString> nombre;
            if (const QListWidgetItem* elegido = List1->currentItem(); elegido && elegido->isSelected())
                nombre = NombreDeEntrada(elegido->text());
            AjustarMenu(BorrarHerramienta(nombre), true);
        }
        Descargar();
        MostrarAnalisis();
    } catch (...) {
        ErrorYDescargar(std::current_exception());
    }
}

void frmNuevosTools::cmdcancel_Click()
{
    Descargar();
}

void frmNuevosTools::ErrorYDescargar(std::exception_ptr e)
{
    MostrarErrorManejador(this, e);
    Descargar();
}

void frmNuevosTools::Descargar()
{
    FormularioUnico<frmNuevosTools>::Descargar(this);
}

void frmNuevosTools::closeEvent(QCloseEvent* event)
{
    FormularioUnico<frmNuevosTools>::Olvidar(this);
    QWidget::closeEvent(event);
}

frmNuevosTools* NuevosToolsCargado()
{
    return FormularioUnico<frmNuevosTools>::Cargado();
}

void DescargarNuevosTools()
{
    FormularioUnico<frmNuevosTools>::DescargarCargado();
}

namespace {

// The dialog loaded afresh in one mode, with its caption and first label.
frmNuevosTools* CargarNuevosTools(bool anadir, int titulo, int etiqueta)
{
    Shell().ModoAnadirTool = anadir;
    DescargarNuevosTools();
    auto* f = new frmNuevosTools;
    f->Form_Load();
    f->setWindowTitle(TextosIdioma(titulo));
    f->Label1->setText(TextosIdioma(etiqueta));
    f->Label2->setEnabled(anadir);
    f->txtPath->setEnabled(anadir);
    return f;
}

} // namespace

void AbrirAnadirTool()
{
    frmNuevosTools* f = CargarNuevosTools(true, 53, 55);
    f->Label2->setText(TextosIdioma(57));
    Hooks().MostrarVentana(f);
}

void AbrirBorrarTool()
{
    frmNuevosTools* f = CargarNuevosTools(false, 54, 56);
    f->txtNombre->setEnabled(false);
    f->List1->setEnabled(true);
    try {
        const ContenidoTools c = LeerToolsEnMemoria();
        for (const Herramienta& h : c.Herramientas)
            f->List1->addItem(UnirHerramienta(h));
    } catch (...) {
        f->Descargar();
        throw;
    }
    Hooks().MostrarVentana(f);
}

} // namespace vesdra
