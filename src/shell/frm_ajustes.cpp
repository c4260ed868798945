#include "shell/frm_ajustes.h"

#include <QCloseEvent>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <cmath>

#include "platform/base/screen.h"
#include "platform/base/text_file.h"
#include "platform/base/vb_error.h"
#include "platform/form_registry.h"
#include "platform/mdi_forms.h"
#include "platform/messages.h"
#include "platform/mouse_pointer.h"
#include "platform/printer.h"
#include "platform/twips.h"
#include "record/helpers.h"
#include "record/record_model.h"
#include "shell/cancelar.h"
#include "shell/language.h"
#include "shell/menu_commands.h"
#include "shell/shell_hooks.h"
#include "shell/view_sizes.h"

namespace vesdra {

namespace {

std::int32_t Entero(double v)
{
    return static_cast<std::int32_t>(std::lround(v));
}

} // namespace

ContenidoInforme LeerInforme(const QString& rutaHdr)
{
    QStringList lineas = ReadTextLines(rutaHdr);
    ContenidoInforme c;
    c.Recortado = lineas.size() > MaxLineasInforme;
    if (c.Recortado)
        lineas.resize(MaxLineasInforme);
    c.Lineas.reserve(lineas.size() + 1);
    c.Lineas.append(QString::fromLatin1(CabeceraInforme));
    c.Lineas.append(lineas);
    return c;
}

namespace {

// The pieces of a line, each as long as fits the page's width in the
// printer's font (at least one character), in order.
QStringList TrozosDeLinea(const QString& linea, const Printer& impresora)
{
    const double ancho = impresora.Width();
    QStringList trozos;
    QString resto = linea;
    while (impresora.TextWidth(resto) > ancho && resto.size() > 1) {
        // The longest start of the rest that fits.
        qsizetype bien = 1;
        qsizetype mal = resto.size();
        while (mal - bien > 1) {
            const qsizetype medio = (bien + mal) / 2;
            (impresora.TextWidth(resto.left(medio)) <= ancho ? bien : mal) = medio;
        }
        trozos.append(resto.left(bien));
        resto.remove(0, bien);
    }
    trozos.append(resto);
    return trozos;
}

} // namespace

FinImpresion ImprimirLineas(const QStringList& lineas, Printer& impresora)
{
    if (ImpresionEnCurso())
        return FinImpresion::EnCurso;
    if (!DestinoSinDialogo(impresora))
        return FinImpresion::Rechazada;
    BanderaEnCurso bandera;
    // The printer's own font and pens, not those a view's page left.
    impresora.ResetDrawingState();
    EmpezarImpresion();
    try {
        for (const QString& linea : lineas) {
            if (ImpresionCancelada()) {
                DescartarTrabajo(impresora);
                TerminarImpresion();
                return FinImpresion::Cancelada;
            }
            // A line wider than the page goes on in the lines below it, cut
            // where it would pass the page's right side; the printer's own
            // page break: a line that would pass the foot of the page starts
            // the next one.
            for (const QString& trozo : TrozosDeLinea(linea, impresora)) {
                if (impresora.CurrentY > 0 &&
                    impresora.CurrentY + impresora.TextHeight(trozo) > impresora.Height())
                    impresora.NewPage();
                impresora.Print(trozo);
            }
        }
        impresora.EndDoc();
    } catch (...) {
        // Nothing half-sent is left behind, and no cancel window.
        DescartarTrabajo(impresora);
        TerminarImpresion();
        throw;
    }
    TerminarImpresion();
    return FinImpresion::Impresa;
}

frmAjustes::frmAjustes(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("frmAjustes"));
    setAttribute(Qt::WA_DeleteOnClose);
    setProperty("Tag", QStringLiteral("7"));
    setWindowTitle(QStringLiteral("Info"));

    Lista1 = new QListWidget(this);
    Lista1->setObjectName(QStringLiteral("Lista1"));
    QFont fuente(QStringLiteral("Courier"), 12);
    fuente.setStyleHint(QFont::TypeWriter);
    fuente.setFixedPitch(true);
    Lista1->setFont(fuente);
    // A line longer than the list is shown whole: the list scrolls sideways.
    Lista1->setTextElideMode(Qt::ElideNone);
    Lista1->setWordWrap(false);
    Lista1->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    Lista1->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    Lista1->setUniformItemSizes(false);

    cmdImprimir = new QPushButton(QStringLiteral("Imprimir"), this);
    cmdImprimir->setObjectName(QStringLiteral("cmdImprimir"));
    connect(cmdImprimir, &QPushButton::clicked, this, [this] { cmdImprimir_Click(); });
    FormularioUnico<frmAjustes>::Registrar(this);
}

frmAjustes::~frmAjustes()
{
    FormularioUnico<frmAjustes>::Olvidar(this);
}

void frmAjustes::Form_Load()
{
    Hooks().OcultarMenu();
    try {
        const std::int32_t alto = Entero(AltoVista());
        const std::int32_t ancho = Entero(AnchoVista());
        MoveFormTwips(*this, 0, 0, ancho, alto);
        MoveTwips(*Lista1, 0, 0, ancho * 0.96, alto * 0.88);
        MoveTwips(*cmdImprimir, Screen().WidthTwips * 2.0 / 5 + 50, HeightTwips(*Lista1) + 120, ancho / 5.0,
                  alto / 19.0);
        cmdImprimir->setText(TextosIdioma(236));
        cerrarAlActivar_ = false;

        const QString& ruta = Registro().RutaHdr;
        if (ruta.isEmpty()) {
            SetMousePointer(this, vbDefault);
            (void)MsgBox(TextosIdioma(161), vbCritical);
            cerrarAlActivar_ = true;
            return;
        }
        const ContenidoInforme c = LeerInforme(ruta);
        Lista1->addItems(c.Lineas);
        Lista1->update();
        if (c.Recortado)
            (void)MsgBox(TextosIdioma(130), vbInformation);
    } catch (...) {
        MostrarErrorManejador(this, std::current_exception());
    }
}

void frmAjustes::Form_Activate()
{
    if (!cerrarAlActivar_)
        return;
    cerrarAlActivar_ = false;
    Descargar();
}

void frmAjustes::cmdImprimir_Click()
{
    try {
        Printer& impresora = CurrentPrinter();
        QStringList lineas;
        for (int i = 0; i < Lista1->count(); ++i)
            lineas.append(Lista1->item(i)->text());
        // Nothing of the window is used while it prints.
        setEnabled(false);
        const QPointer<frmAjustes> yo(this);
        try {
            (void)ImprimirLineas(lineas, impresora);
        } catch (...) {
            if (yo)
                setEnabled(true);
            throw;
        }
        if (yo)
            setEnabled(true);
    } catch (...) {
        MostrarErrorManejador(this, std::current_exception());
    }
}

void frmAjustes::Descargar()
{
    FormularioUnico<frmAjustes>::Descargar(this);
}

void frmAjustes::closeEvent(QCloseEvent* event)
{
    FormularioUnico<frmAjustes>::Olvidar(this);
    QWidget::closeEvent(event);
    Hooks().MostrarMenu();
}

frmAjustes* InformeCargado()
{
    return FormularioUnico<frmAjustes>::Cargado();
}

void AbrirInforme()
{
    CerrarInforme();
    auto* f = new frmAjustes;
    f->Form_Load();
    const QPointer<frmAjustes> informe(f);
    Hooks().MostrarVentana(f);
    // Shown outside the main window nothing activates it: its activation
    // runs here (once the main window has run it, it has nothing left to do).
    if (informe && informe->CerrarAlActivar())
        informe->Form_Activate();
}

void CerrarInforme()
{
    FormularioUnico<frmAjustes>::DescargarCargado();
}

} // namespace vesdra
