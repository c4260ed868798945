#include "wizard/frm_analog.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "platform/dialog_keys.h"
#include "platform/mdi_forms.h"
#include "platform/spread_grid.h"
#include "platform/twips.h"
#include "shell/frm_plantilla.h"
#include "shell/language.h"
#include "shell/menu_commands.h"
#include "templates/template_state.h"
#include "wizard/asistente.h"

namespace vesdra {

namespace {

// Design of the form, twips.
constexpr double kAncho = 8400, kAlto = 6900;
constexpr double kAltoCaja = 315, kAnchoBoton = 1800, kAltoBoton = 450;

// Steps 1 to 3 gone, back at the template dialog: the pass is over, and
// whatever is chosen there next starts from the record and the template
// chosen.
void AlDialogo()
{
    DescargarPasos1a3();
    TerminarEdicionPlantilla();
    Plantillas().AsistenteAbortado = true;
    MostrarFrmPlantilla();
}

} // namespace

frmAnalog::frmAnalog(QWidget* parent) : FormAsistente(parent)
{
    setObjectName(QStringLiteral("frmAnalog"));
    SetFormSizeTwips(*this, kAncho, kAlto);
    lblIdentif = new QLabel(QStringLiteral("Identificacion del rele:"), this);
    MoveTwips(*lblIdentif, 120, 150, 3300, 285);
    txtIdentif = new QLineEdit(this);
    MoveTwips(*txtIdentif, 3480, 120, 4680, kAltoCaja);
    lblnumAnalog = new QLabel(QStringLiteral("Numero de canales analogicos:"), this);
    MoveTwips(*lblnumAnalog, 120, 600, 3300, 285);
    txtnumAnalog = new QLineEdit(this);
    MoveTwips(*txtnumAnalog, 3480, 570, 900, kAltoCaja);
    vaSpread1 = new SpreadGrid(PasoAnalogico::kColumnas, this);
    vaSpread1->setObjectName(QStringLiteral("vaSpread1"));
    MoveTwips(*vaSpread1, 120, 1050, 8040, 4560);
    const double top = 5850;
    cmdmodelos = BotonAsistente(this, "cmdmodelos", 120, top, kAnchoBoton, kAltoBoton);
    cmdvolver = BotonAsistente(this, "cmdvolver", 2300, top, kAnchoBoton, kAltoBoton);
    cmdOK = BotonAsistente(this, "cmdOK", 4230, top, kAnchoBoton, kAltoBoton);
    cmdcancel = BotonAsistente(this, "cmdcancel", 6360, top, kAnchoBoton, kAltoBoton);

    vaSpread1->SetFuente({
        .Filas = [this] { return static_cast<std::int32_t>(Paso.Filas.size()); },
        .Texto = [this](std::int32_t f, std::int32_t c) { return Paso.Celda(f, c); },
        // A cell's warnings wait until the grid is done with the edit: a
        // box shown while the editor commits would take its focus away.
        .Escribir =
            [this](std::int32_t f, std::int32_t c, const QString& t) {
                const std::vector<AvisoPaso> avisos = Paso.CambiarCelda(f, c, t);
                if (!avisos.empty())
                    QMetaObject::invokeMethod(
                        this, [this, avisos] { Avisar(avisos); }, Qt::QueuedConnection);
            },
        // The row-number column shows the record channel each row stands for.
        .Numero = [this](std::int32_t f) { return Paso.Canal(f); },
    });
    connect(txtIdentif, &QLineEdit::textChanged, this, [this] { txtIdentif_Change(); });
    // Enter in the identifier moves on to the count, as the line end typed
    // into it would, and goes no further.
    TakeEnterInBox(*txtIdentif, [this] { txtnumAnalog->setFocus(Qt::TabFocusReason); });
    connect(txtnumAnalog, &QLineEdit::textChanged, this, [this] { txtnumAnalog_Change(); });
    connect(cmdOK, &QPushButton::clicked, this, &frmAnalog::cmdOK_Click);
    connect(cmdvolver, &QPushButton::clicked, this, &frmAnalog::cmdvolver_Click);
    connect(cmdcancel, &QPushButton::clicked, this, &frmAnalog::cmdcancel_Click);
    connect(cmdmodelos, &QPushButton::clicked, this, &frmAnalog::cmdmodelos_Click);
    // Enter continues (in a cell being edited it ends the edit). Back leaves
    // the wizard for the template dialog, and the wizard started again from
    // there proposes afresh: Escape goes back only while nothing was typed
    // here and the later steps were not reached.
    SetDialogKeys(*this, cmdOK, [this] {
        if (Paso.Intacto() && !FormTrifasic())
            cmdvolver_Click();
    });
}

void frmAnalog::Form_Load()
{
    try {
        Centrar();
        setWindowTitle(TextosIdioma(31));
        lblIdentif->setText(TextosIdioma(32));
        lblnumAnalog->setText(TextosIdioma(33));
        cmdOK->setText(TextosIdioma(38));
        cmdcancel->setText(TextosIdioma(25));
        cmdvolver->setText(TextosIdioma(94));
        cmdmodelos->setText(TextosIdioma(259));
        const std::vector<AvisoPaso> avisos = Paso.Cargar();
        static constexpr double kAnchos[] = {7, 23, 8, 8};
        vaSpread1->AjustarUnidad(7 + 23 + 8 + 8);
        for (std::int32_t c = 0; c <= PasoAnalogico::kColumnas; ++c) {
            vaSpread1->SetColWidth(c, kAnchos[c]);
            vaSpread1->SetCabecera(c, TextosIdioma(34 + c));
        }
        Mostrar();
        Avisar(avisos);
    } catch (...) {
        MostrarErrorManejador(this, std::current_exception());
        TerminarEdicionPlantilla();
        Plantillas().AsistenteAbortado = true;
        MostrarFrmPlantilla();
    }
}

void frmAnalog::Mostrar()
{
    TextoSinAviso(txtIdentif, Paso.Identificador);
    TextoSinAviso(txtnumAnalog, Paso.Cuenta);
    vaSpread1->Recargar();
}

void frmAnalog::txtIdentif_Change()
{
    try {
        const auto cambio = Paso.CambiarIdentificador(txtIdentif->text());
        Avisar(cambio.Avisos);
        if (cambio.Siguiente)
            txtnumAnalog->setFocus();
    } catch (...) {
        ErrorYVolver(std::current_exception());
    }
}

void frmAnalog::txtnumAnalog_Change()
{
    try {
        if (const auto aviso = Paso.CambiarCuenta(txtnumAnalog->text())) {
            Avisar(*aviso);
            return;
        }
        vaSpread1->Recargar();
    } catch (...) {
        ErrorYVolver(std::current_exception());
    }
}

void frmAnalog::cmdOK_Click()
{
    try {
        if (!Sale(Paso.Continuar()))
            return;
        OcultarFormulario(this);
        MostrarPaso2();
    } catch (...) {
        ErrorYVolver(std::current_exception());
    }
}

void frmAnalog::cmdvolver_Click()
{
    try {
        if (!Sale(Paso.Volver()))
            return;
        AlDialogo();
    } catch (...) {
        ErrorYVolver(std::current_exception());
    }
}

void frmAnalog::cmdcancel_Click()
{
    Cancelar();
}

void frmAnalog::cmdmodelos_Click()
{
    // The step waits hidden: what was typed in it goes only when a model
    // is taken.
    OcultarFormulario(this);
    MostrarBaseModelo();
}

void frmAnalog::ErrorYVolver(std::exception_ptr e)
{
    MostrarErrorManejador(this, e);
    AlDialogo();
}

} // namespace vesdra
