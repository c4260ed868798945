#include "wizard/frm_base_modelo.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include "platform/dialog_keys.h"
#include "platform/list_keys.h"
#include "platform/messages.h"
#include "platform/mouse_pointer.h"
#include "platform/twips.h"
#include "shell/language.h"
#include "templates/model_db.h"
#include "templates/template_state.h"
#include "templates/template_texts.h"
#include "templates/wizard_common.h"
#include "wizard/asistente.h"
#include "wizard/frm_analog.h"

namespace vesdra {

namespace {

// Design of the form, twips.
constexpr double kAncho = 5400, kAlto = 5200;

void Informar(const ResultadoModelo& r)
{
    SetMousePointer(vbDefault);
    if (const auto aviso = r.Aviso())
        (void)MsgBox(aviso->Componer(&TextosIdioma), aviso->Estilo);
}

} // namespace

frmBaseModelo::frmBaseModelo(QWidget* parent) : FormAsistente(parent)
{
    setObjectName(QStringLiteral("frmBaseModelo"));
    SetFormSizeTwips(*this, kAncho, kAlto);
    setWindowTitle(QStringLiteral("SELECCION MODELO RELE"));
    Frame1 = new QGroupBox(QStringLiteral("LISTADO MODELOS"), this);
    MoveTwips(*Frame1, 120, 120, 5040, 3240);
    List1 = new QListWidget(Frame1);
    MoveTwips(*List1, 120, 300, 4800, 2800);
    Label1 = new QLabel(QStringLiteral("Modelo elegido:"), this);
    MoveTwips(*Label1, 120, 3520, 1800, 285);
    lblNomModelo = new QLineEdit(this);
    lblNomModelo->setObjectName(QStringLiteral("lblNomModelo"));
    MoveTwips(*lblNomModelo, 1980, 3480, 3180, 330);
    cmdOK = new QPushButton(this);
    MoveTwips(*cmdOK, 720, 4140, 1800, 450);
    cmdCancelar = new QPushButton(this);
    MoveTwips(*cmdCancelar, 2880, 4140, 1800, 450);
    connect(List1, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem* item) { List1_DblClick(static_cast<std::int32_t>(List1->row(item))); });
    connect(cmdOK, &QPushButton::clicked, this, &frmBaseModelo::cmdOK_Click);
    connect(cmdCancelar, &QPushButton::clicked, this, &frmBaseModelo::cmdCancelar_Click);
    // Enter accepts the model named in the box, or the one chosen in the
    // list, which the box takes first; Escape cancels, back to step 1 as it
    // was left.
    TakeEntryOnEnter(*List1, [this](int fila) { List1_DblClick(fila); });
    SetDialogKeys(*this, cmdOK, [this] { cmdCancelar_Click(); });
}

void frmBaseModelo::Form_Load()
{
    Centrar();
    setWindowTitle(TextosIdioma(257));
    cmdOK->setText(TextosIdioma(24));
    cmdCancelar->setText(TextosIdioma(25));
    Frame1->setTitle(TextosIdioma(258));
    const ListaModelos lista = ListarModelos();
    List1->clear();
    List1->addItems(lista.Nombres);
    if (!lista.Resultado.Correcto())
        Informar(lista.Resultado);
}

void frmBaseModelo::List1_DblClick(std::int32_t indice)
{
    if (QListWidgetItem* item = List1->item(indice)) {
        List1->setCurrentRow(indice);
        lblNomModelo->setText(item->text());
    }
}

void frmBaseModelo::cmdOK_Click()
{
    const QString modelo = lblNomModelo->text();
    // Nothing chosen is no failure of the databases: the user is asked for
    // a model.
    if (QuitarBlancos(modelo).isEmpty()) {
        Avisar(AvisoPaso{kTextoSinModeloElegido, vbInformation});
        lblNomModelo->setFocus(Qt::OtherFocusReason);
        return;
    }
    const ResultadoModelo r = CargarMedidasModelo(modelo);
    // A model that could not be loaded leaves the chooser open: step 1 never
    // takes the name of a model whose rows it does not hold.
    if (!r.Correcto()) {
        Informar(r);
        return;
    }
    // The model's rows replace what step 1 held: it is shown afresh.
    Plantillas().IdentificadorPlantilla = modelo;
    Descargar();
    MostrarPaso1();
}

void frmBaseModelo::cmdCancelar_Click()
{
    Descargar();
    // Step 1 waits hidden with what was typed in it.
    if (FormAnalog())
        VolverAPaso1();
    else
        MostrarPaso1();
}

void frmBaseModelo::closeEvent(QCloseEvent* event)
{
    // The close box leaves the chooser as cancelar does, not the wizard.
    if (!Descargado())
        cmdCancelar_Click();
    QWidget::closeEvent(event);
}

} // namespace vesdra
