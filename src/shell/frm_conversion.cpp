#include "shell/frm_conversion.h"

#include <QCloseEvent>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <optional>

#include "platform/base/file_names.h"
#include "platform/dialog_keys.h"
#include "platform/elided_label.h"
#include "platform/file_lists.h"
#include "platform/form_registry.h"
#include "platform/mdi_forms.h"
#include "platform/messages.h"
#include "platform/mouse_pointer.h"
#include "platform/twips.h"
#include "record/ascii_copy.h"
#include "record/record_model.h"
#include "shell/frm_plantilla.h"
#include "shell/language.h"
#include "shell/menu_commands.h"
#include "shell/selector_carpetas.h"
#include "shell/shell_hooks.h"
#include "shell/shell_state.h"

namespace vesdra {

namespace {

QPushButton* Boton(QWidget* padre, const char* nombre, const QString& design, double left, double top,
                   double width)
{
    auto* b = new QPushButton(design, padre);
    b->setObjectName(QString::fromLatin1(nombre));
    MoveTwips(*b, left, top, width, 420);
    return b;
}

bool EsSeparador(QChar c)
{
    return c == QLatin1Char('/') || c == QLatin1Char('\\');
}

[[noreturn]] void FalloCopia(const ResultadoCopia& r)
{
    const int numero = r.Error == ErrorCopia::NoSeLee ? vberr::FileNotFound : vberr::PathFileAccessError;
    throw VbError::Bilingual(numero, r.Detalle, r.DetalleEspanol);
}

} // namespace

// ---- Logic ----

bool TeclaBorraNombre(int keyAscii)
{
    return keyAscii == '.' || keyAscii == ' ' || keyAscii == '[' || keyAscii == ']';
}

QString UnirCarpetaNombre(const QString& carpeta, const QString& nombre)
{
    if (!carpeta.isEmpty() && EsSeparador(carpeta.back()))
        return carpeta + nombre;
    return carpeta + QLatin1Char('/') + nombre;
}

bool SigueAbiertoParaConvertir(const QString& rutaOrigen)
{
    const RecordModel& r = Registro();
    return !rutaOrigen.isEmpty() && r.RegistroAbierto && r.RutaDat == rutaOrigen &&
           r.TipoFichero.trimmed().compare(QLatin1String("BINARY"), Qt::CaseInsensitive) == 0;
}

FinConversion ConvertirAAscii(const QString& carpeta, const QString& nombre, const QString& rutaOrigen,
                              QWidget* dialogo)
{
    if (nombre.isEmpty())
        return FinConversion::SinNombre;
    // The copy re-reads the open record's files: for any other record (or
    // none) it would write that one's bytes under this one's name.
    if (!SigueAbiertoParaConvertir(rutaOrigen)) {
        (void)MsgBox(TextosIdioma(193), vbCritical);
        return FinConversion::RegistroCambiado;
    }
    RecordModel& r = Registro();
    const bool salir = r.SalirTrasConversion;
    r.NombreConversion = UnirCarpetaNombre(carpeta, nombre);

    // Refusals the user answers by choosing another folder or name, and a
    // data file that changed since the open, which no other target mends;
    // nothing is written for them.
    const auto rechazo = [](const ResultadoCopia& res) -> std::optional<FinConversion> {
        const ErrorCopia e = res.Error;
        if (e == ErrorCopia::DatCambiado) {
            (void)MsgBox(TextosIdioma(214).arg(res.MuestrasHalladas).arg(res.MuestrasRegistro) +
                             QLatin1Char(' ') + Registro().RutaDat,
                         vbCritical);
            Registro().SalirTrasConversion = false;
            return FinConversion::DatCambiado;
        }
        if (e == ErrorCopia::DestinoEsOrigen) {
            (void)MsgBox(TextosIdioma(128), vbCritical);
            return FinConversion::EsOrigen;
        }
        if (e == ErrorCopia::CarpetaNoExiste) {
            (void)MsgBox(TextosIdioma(168), vbOKCancel);
            return FinConversion::CarpetaNoExiste;
        }
        if (e == ErrorCopia::NoSeEscribe) {
            (void)MsgBox(TextosIdioma(194), vbOKCancel);
            return FinConversion::EscrituraRechazada;
        }
        return std::nullopt;
    };
    if (const auto fin = rechazo(ComprobarConversion()))
        return *fin;
    if (FileExistsNoCase(DestinoConversion(".DAT")) && MsgBox(TextosIdioma(167), vbOKCancel) != vbOK)
        return FinConversion::Rechazada;

    const bool habiaHdr = FileExistsNoCase(DestinoConversion(".hdr"));
    ResultadoCopia dat;
    ResultadoCopia cfg;
    {
        std::optional<MousePointerGuard> reloj;
        if (dialogo)
            reloj.emplace(dialogo, vbHourglass);
        else
            reloj.emplace(vbHourglass);
        // Convert and stop closes the record once the copy stands, which
        // releases its values; zeroing them first would leave a record
        // without data open should the copy fail.
        r.SalirTrasConversion = false;
        dat = GuardarDatAscii();
        r.SalirTrasConversion = salir;
        if (dat.Ok())
            cfg = GuardarCfgAscii();
    }
    const ResultadoCopia& fallo = dat.Ok() ? cfg : dat;
    if (fallo.Ok()) {
        if (salir)
            CerrarComtrade();
        return FinConversion::Hecha;
    }
    if (dat.Ok()) {
        // A data file without its configuration, or beside an older one, is
        // no record: what this copy wrote goes (a header that was there
        // before stays).
        QFile::remove(DestinoConversion(".DAT"));
        if (!habiaHdr)
            QFile::remove(DestinoConversion(".hdr"));
    }
    if (const auto fin = rechazo(fallo))
        return *fin;
    FalloCopia(fallo);
}

// ---- poscamb ----

poscamb::poscamb(QWidget* parent) : QWidget(parent, Qt::Dialog)
{
    setObjectName(QStringLiteral("poscamb"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Ficheros binarios"));
    resize(TwipsToPixelX(4800), TwipsToPixelY(2520));
    continuar = Boton(this, "continuar", QStringLiteral("continuar"), 240, 240, 4320);
    Convertir_continuar =
        Boton(this, "Convertir_continuar", QStringLiteral("Convertir y continuar"), 240, 780, 4320);
    Convertir_salir = Boton(this, "Convertir_salir", QStringLiteral("Convertir y salir"), 240, 1320, 4320);
    cmdcancel = Boton(this, "cmdcancel", QStringLiteral("cancelar"), 1680, 1980, 1440);
    connect(continuar, &QPushButton::clicked, this, [this] { continuar_Click(); });
    connect(Convertir_continuar, &QPushButton::clicked, this, [this] { Convertir_continuar_Click(); });
    connect(Convertir_salir, &QPushButton::clicked, this, [this] { Convertir_salir_Click(); });
    connect(cmdcancel, &QPushButton::clicked, this, [this] { cmdcancel_Click(); });
    // Enter presses the focused choice; Escape cancels.
    SetDialogKeys(*this, nullptr, [this] { cmdcancel_Click(); });
    FormularioUnico<poscamb>::Registrar(this);
}

poscamb::~poscamb()
{
    FormularioUnico<poscamb>::Olvidar(this);
}

void poscamb::Form_Load()
{
    try {
        setWindowTitle(TextosIdioma(154));
        continuar->setText(TextosIdioma(151));
        Convertir_continuar->setText(TextosIdioma(152));
        Convertir_salir->setText(TextosIdioma(153));
        cmdcancel->setText(TextosIdioma(25));
        CenterFormOnScreen(*this);
    } catch (...) {
        MostrarErrorManejador(this, std::current_exception());
    }
}

template <typename F> void poscamb::Atrapar(F&& cuerpo)
{
    try {
        cuerpo();
    } catch (...) {
        MostrarErrorManejador(this, std::current_exception());
        Descargar();
    }
}

void poscamb::continuar_Click()
{
    Atrapar([this] {
        AbrirFrmPlantilla();
        Descargar();
    });
}

void poscamb::Elegir(bool salir)
{
    Atrapar([this, salir] {
        Registro().SalirTrasConversion = salir;
        MostrarConversion(RutaOrigen);
        Descargar();
    });
}

void poscamb::Convertir_continuar_Click()
{
    Elegir(false);
}

void poscamb::Convertir_salir_Click()
{
    Elegir(true);
}

void poscamb::cmdcancel_Click()
{
    Atrapar([this] { Descargar(); });
}

void poscamb::Descargar()
{
    FormularioUnico<poscamb>::Descargar(this);
}

void poscamb::closeEvent(QCloseEvent* event)
{
    FormularioUnico<poscamb>::Olvidar(this);
    QWidget::closeEvent(event);
}

// ---- Conversion ----

Conversion::Conversion(QWidget* parent) : QWidget(parent, Qt::Dialog)
{
    setObjectName(QStringLiteral("Conversion"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Conversion a  ASCII"));
    resize(TwipsToPixelX(5400), TwipsToPixelY(5040));
    Label1 = new QLabel(QStringLiteral("Nombre:"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    MoveTwips(*Label1, 240, 180, 4920, 260);
    Senda = new QLineEdit(this);
    Senda->setObjectName(QStringLiteral("Senda"));
    MoveTwips(*Senda, 240, 460, 4920, 330);
    camin = EtiquetaRuta(this, "camin");
    MoveTwips(*camin, 240, 900, 4920, 330);
    Drive1 = new DriveListBox(this);
    Drive1->setObjectName(QStringLiteral("Drive1"));
    MoveTwips(*Drive1, 240, 1340, 4920, 330);
    Dir1 = new DirListBox(this);
    Dir1->setObjectName(QStringLiteral("Dir1"));
    MoveTwips(*Dir1, 240, 1780, 4920, 2460);
    Aceptar = Boton(this, "Aceptar", QStringLiteral("Aceptar"), 240, 4440, 1500);
    Cancelar = Boton(this, "Cancelar", QStringLiteral("Cancelar"), 1950, 4440, 1500);
    Ayuda = Boton(this, "Ayuda", QStringLiteral("Ayuda"), 3660, 4440, 1500);

    Senda->installEventFilter(this);
    connect(Senda, &QLineEdit::textChanged, this, [this] { Senda_Change(); });
    connect(Drive1, &DriveListBox::Change, this, [this] { Drive1_Change(); });
    connect(Dir1, &DirListBox::Change, this, [this] { Dir1_Change(); });
    connect(Aceptar, &QPushButton::clicked, this, [this] { Aceptar_Click(); });
    connect(Cancelar, &QPushButton::clicked, this, [this] { Cancelar_Click(); });
    connect(Ayuda, &QPushButton::clicked, this, [this] { Ayuda_Click(); });
    // Enter (in the name box too) converts; Escape goes back to the choice.
    SetDialogKeys(*this, Aceptar, [this] { Cancelar_Click(); });
    FormularioUnico<Conversion>::Registrar(this);
}

Conversion::~Conversion()
{
    FormularioUnico<Conversion>::Olvidar(this);
}

void Conversion::Form_Load()
{
    try {
        setWindowTitle(TextosIdioma(157));
        Label1->setText(TextosIdioma(155));
        Aceptar->setText(TextosIdioma(24));
        Cancelar->setText(TextosIdioma(25));
        Ayuda->setText(TextosIdioma(156));
        const QString& carpeta = Shell().DirOscilos;
        camin->setText(carpeta);
        CenterFormOnScreen(*this);
        PonerSelector(*Drive1, *Dir1, carpeta);
        camin->setText(Dir1->Path());
    } catch (...) {
        MostrarErrorManejador(this, std::current_exception());
    }
}

bool Conversion::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == Senda && event->type() == QEvent::KeyPress) {
        const QString texto = static_cast<QKeyEvent*>(event)->text();
        if (!texto.isEmpty())
            Senda_KeyPress(texto.front().unicode());
    }
    return QWidget::eventFilter(watched, event);
}

void Conversion::Drive1_Change()
{
    if (CambiarUnidad(*this, *Drive1, *Dir1, [this](std::exception_ptr e) { ErrorYDescargar(e); }))
        camin->setText(Dir1->Path());
}

void Conversion::Dir1_Change()
{
    camin->setText(Dir1->Path());
}

void Conversion::Senda_Change()
{
    try {
        if (TeclaBorraNombre(ultimaTecla_) && !Senda->text().isEmpty())
            Senda->clear();
    } catch (...) {
        ErrorYDescargar(std::current_exception());
    }
}

void Conversion::Aceptar_Click()
{
    const QPointer<Conversion> yo(this);
    try {
        const QString nombre = Senda->text();
        if (nombre.isEmpty())
            return;
        bool salir = Registro().SalirTrasConversion;
        const QString carpeta = camin->text();
        camin->setText(UnirCarpetaNombre(carpeta, nombre));
        const FinConversion fin = ConvertirAAscii(carpeta, nombre, RutaOrigen, this);
        if (!yo)
            return;
        switch (fin) {
        case FinConversion::SinNombre:
            return;
        case FinConversion::RegistroCambiado:
            // Nothing is left for these windows to convert.
            DescargarConversion();
            return;
        case FinConversion::Rechazada:
        case FinConversion::EsOrigen:
            // As opened for this folder: no name.
            Senda->clear();
            camin->setText(Dir1->Path());
            return;
        case FinConversion::CarpetaNoExiste:
        case FinConversion::EscrituraRechazada:
            camin->setText(Dir1->Path());
            return;
        case FinConversion::DatCambiado:
            // No copy can be made of this record; it goes on as opened, as
            // when the user chooses to go on without one.
            salir = false;
            break;
        case FinConversion::Hecha:
            break;
        }
        if (!salir)
            AbrirFrmPlantilla();
        Descargar();
        if (poscamb* p = PoscambCargado())
            p->Descargar();
    } catch (...) {
        if (yo)
            SetMousePointer(this, vbDefault);
        MostrarErrorManejador(nullptr, std::current_exception());
        if (yo)
            Descargar();
        if (poscamb* p = PoscambCargado())
            p->Descargar();
        DescargarFrmPlantilla();
    }
}

void Conversion::Cancelar_Click()
{
    Descargar();
    VolverAPoscamb(RutaOrigen);
}

void Conversion::Ayuda_Click()
{
    Descargar();
    auto* m = new Mensaje;
    m->RutaOrigen = RutaOrigen;
    m->Form_Load();
    Hooks().MostrarVentana(m);
}

void Conversion::ErrorYDescargar(std::exception_ptr e)
{
    MostrarErrorManejador(this, e);
    Descargar();
}

void Conversion::Descargar()
{
    FormularioUnico<Conversion>::Descargar(this);
}

void Conversion::closeEvent(QCloseEvent* event)
{
    // Closed by the user (its close box, Alt+F4) while still the loaded
    // dialog: back to the choice, as its Cancel does. An unloading has
    // let go of it first.
    if (FormularioUnico<Conversion>::Cargado() == this)
        Cancelar_Click();
    FormularioUnico<Conversion>::Olvidar(this);
    QWidget::closeEvent(event);
}

// ---- Mensaje ----

Mensaje::Mensaje(QWidget* parent) : QWidget(parent, Qt::Dialog)
{
    setObjectName(QStringLiteral("Mensaje"));
    setAttribute(Qt::WA_DeleteOnClose);
    resize(TwipsToPixelX(5400), TwipsToPixelY(2520));
    Label1 = new QLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setWordWrap(true);
    Label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    MoveTwips(*Label1, 240, 180, 4920, 1500);
    OK = Boton(this, "OK", QStringLiteral("OK"), 1950, 1860, 1500);
    connect(OK, &QPushButton::clicked, this, [this] { OK_Click(); });
    SetDialogKeys(*this, OK, [this] { OK_Click(); });
    FormularioUnico<Mensaje>::Registrar(this);
}

Mensaje::~Mensaje()
{
    FormularioUnico<Mensaje>::Olvidar(this);
}

void Mensaje::Form_Load()
{
    try {
        setWindowTitle(TextosIdioma(158));
        Label1->setText(TextosIdioma(159));
        OK->setText(TextosIdioma(24));
        CenterFormOnScreen(*this);
    } catch (...) {
        MostrarErrorManejador(this, std::current_exception());
    }
}

void Mensaje::OK_Click()
{
    MostrarConversion(RutaOrigen);
    Descargar();
}

void Mensaje::Descargar()
{
    FormularioUnico<Mensaje>::Descargar(this);
}

void Mensaje::closeEvent(QCloseEvent* event)
{
    // Closed by the user: back to the conversion dialog, as its OK does.
    if (FormularioUnico<Mensaje>::Cargado() == this)
        OK_Click();
    FormularioUnico<Mensaje>::Olvidar(this);
    QWidget::closeEvent(event);
}

// ---- The windows ----

poscamb* PoscambCargado()
{
    return FormularioUnico<poscamb>::Cargado();
}

Conversion* ConversionCargada()
{
    return FormularioUnico<Conversion>::Cargado();
}

Mensaje* MensajeCargado()
{
    return FormularioUnico<Mensaje>::Cargado();
}

void MostrarPoscamb()
{
    const RecordModel& r = Registro();
    VolverAPoscamb(r.RegistroAbierto ? r.RutaDat : QString());
}

void VolverAPoscamb(const QString& rutaOrigen)
{
    FormularioUnico<poscamb>::DescargarCargado();
    auto* p = new poscamb;
    p->RutaOrigen = rutaOrigen;
    p->Form_Load();
    Hooks().MostrarVentana(p);
}

void MostrarConversion(const QString& rutaOrigen)
{
    FormularioUnico<Conversion>::DescargarCargado();
    auto* c = new Conversion;
    c->RutaOrigen = rutaOrigen;
    c->Form_Load();
    Hooks().MostrarVentana(c);
}

void DescargarConversion()
{
    FormularioUnico<Mensaje>::DescargarCargado();
    FormularioUnico<Conversion>::DescargarCargado();
    FormularioUnico<poscamb>::DescargarCargado();
}

} // namespace vesdra
