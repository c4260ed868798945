#include "wizard/frm_digital.h"

#include <QEvent>
#include <QGroupBox>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTimer>

#include "platform/dialog_keys.h"
#include "platform/elided_line_edit.h"
#include "platform/list_keys.h"
#include "platform/mdi_forms.h"
#include "platform/messages.h"
#include "platform/name_group.h"
#include "platform/text_box.h"
#include "platform/twips.h"
#include "shell/language.h"
#include "shell/menu_commands.h"
#include "wizard/asistente.h"

namespace vesdra {

namespace {

// Design of the form, twips. The form is 120 twips wider than the frames'
// right edge (10800) and its frame, so that the frames keep a margin on the
// right as on the left and their right borders show.
constexpr double kAncho = 11040, kAlto = 7650;
constexpr double kAltoFila = 300, kAltoCasilla = 270;
constexpr double kAnchoBoton = 1920;

QGroupBox* Marco(QWidget* padre, const char* nombre, double left, double top, double width, double height)
{
    auto* f = new QGroupBox(padre);
    f->setObjectName(QString::fromLatin1(nombre));
    MoveTwips(*f, left, top, width, height);
    return f;
}

QStringList Entradas(const QListWidget& lista)
{
    QStringList t;
    for (int i = 0; i < lista.count(); ++i)
        t << lista.item(i)->text();
    return t;
}

void Listar(QListWidget* lista, const QStringList& entradas)
{
    if (Entradas(*lista) == entradas)
        return;
    const QSignalBlocker b(lista);
    lista->clear();
    lista->addItems(entradas);
}

} // namespace

frmDigital::frmDigital(QWidget* parent) : FormAsistente(parent)
{
    setObjectName(QStringLiteral("frmDigital"));
    SetFormSizeTwips(*this, kAncho, kAlto);

    Frame2 = Marco(this, "Frame2", 120, 120, 3600, 6240);
    List1 = new QListWidget(Frame2);
    List1->setObjectName(QStringLiteral("List1"));
    MoveTwips(*List1, 120, 300, 3360, 5820);
    NombresEnLista(*List1);

    Frame1 = Marco(this, "Frame1", 3840, 120, 3720, 6240);
    // Names that share their start show the part that tells them apart,
    // whole on hover.
    casillas_ = new NameGroup(this);
    casillas_->AddNames([this] { return Paso.Lista; });
    for (std::int32_t i = 1; i <= kCasillas; ++i) {
        const double top = 300 + (i - 1) * kAltoFila;
        lblpunt[i] = new QLabel(Frame1);
        lblpunt[i]->setFrameShape(QFrame::Box);
        MoveTwips(*lblpunt[i], 120, top, 300, kAltoCasilla);
        grp[i] = new ElidedLineEdit(Frame1);
        MoveTwips(*grp[i], 480, top, 2400, kAltoCasilla);
        grp[i]->SetNameGroup(casillas_);
        // A click makes the slot current and leaves the focus on it: it stays cut.
        grp[i]->SetCutWhileFocused(true);
        MostrarPrincipio(*grp[i]);
        AyudaSiRecortado(*grp[i]);
        lbl[i] = new QLineEdit(Frame1);
        MoveTwips(*lbl[i], 2940, top, 660, kAltoCasilla);
        for (QWidget* w : {static_cast<QWidget*>(lblpunt[i]), static_cast<QWidget*>(grp[i]),
                           static_cast<QWidget*>(lbl[i])})
            w->installEventFilter(this);
        connect(grp[i], &QLineEdit::textChanged, this, [this, i] { grp_Change(i); });
        connect(lbl[i], &QLineEdit::textChanged, this, [this, i] { lbl_Change(i); });
    }

    Frame3 = Marco(this, "Frame3", 7680, 120, 3120, 3960);
    List2 = new QListWidget(Frame3);
    List2->setObjectName(QStringLiteral("List2"));
    MoveTwips(*List2, 120, 300, 2880, 3000);
    NombresEnLista(*List2);
    cmdAnadir = BotonAsistente(Frame3, "cmdAnadir", 120, 3420, 1380);
    cmdEliminar = BotonAsistente(Frame3, "cmdEliminar", 1620, 3420, 1380);

    Frame5 = Marco(this, "Frame5", 7680, 4200, 3120, 780);
    txtnbgrp = new ElidedLineEdit(Frame5);
    txtnbgrp->setObjectName(QStringLiteral("txtnbgrp"));
    MoveTwips(*txtnbgrp, 120, 300, 2880, 330);
    grupos_ = new NameGroup(this);
    grupos_->AddNames([this] { return Paso.Grupos; });
    txtnbgrp->SetNameGroup(grupos_);

    Frame4 = Marco(this, "Frame4", 7680, 5100, 3120, 780);
    txtGrupos = new QLabel(Frame4);
    txtGrupos->setObjectName(QStringLiteral("txtGrupos"));
    txtGrupos->setFrameShape(QFrame::Panel);
    txtGrupos->setFrameShadow(QFrame::Sunken);
    MoveTwips(*txtGrupos, 120, 300, 900, 330);

    const double top = 6540;
    cmdvolver = BotonAsistente(this, "cmdvolver", 2400, top, kAnchoBoton);
    cmdOK = BotonAsistente(this, "cmdOK", 4680, top, kAnchoBoton);
    cmdcancel = BotonAsistente(this, "cmdcancel", 6960, top, kAnchoBoton);

    connect(List1, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem* item) { List1_DblClick(static_cast<std::int32_t>(List1->row(item))); });
    connect(List2, &QListWidget::currentRowChanged, this, [this](int fila) {
        if (fila >= 0)
            List2_Click(fila);
    });
    // A mouse press selects the entry under it after the click has been
    // handled, and a click that commits a rename stays on the group renamed:
    // the highlight is put back on the group shown once the list is done.
    connect(List2, &QListWidget::itemSelectionChanged, this,
            [this] { QTimer::singleShot(0, this, [this] { MarcarGrupo(); }); });
    connect(txtnbgrp, &QLineEdit::textChanged, this, [this] { txtnbgrp_Change(); });
    connect(cmdAnadir, &QPushButton::clicked, this, &frmDigital::cmdAnadir_Click);
    connect(cmdEliminar, &QPushButton::clicked, this, &frmDigital::cmdEliminar_Click);
    connect(cmdOK, &QPushButton::clicked, this, &frmDigital::cmdOK_Click);
    connect(cmdvolver, &QPushButton::clicked, this, &frmDigital::cmdvolver_Click);
    connect(cmdcancel, &QPushButton::clicked, this, &frmDigital::cmdcancel_Click);
    // Enter on a chosen signal fills the current slot, as a double-click
    // does; elsewhere Enter continues. Escape goes back while back keeps
    // everything the step shows, and else does nothing.
    PulsarComoDobleClic(*List1, [this](int fila) { List1_DblClick(fila); });
    // A name typed in the name box is for Añadir or a rename: continue would
    // take it as a rename of the group shown, so Enter there does nothing.
    TakeEnterInBox(*txtnbgrp, nullptr);
    SetDialogKeys(*this, cmdOK, [this] {
        if (Paso.VueltaSinPerdida())
            cmdvolver_Click();
    });
}

void frmDigital::Form_Load()
{
    try {
        Centrar();
        setWindowTitle(TextosIdioma(47));
        Frame3->setTitle(TextosIdioma(238));
        Frame4->setTitle(TextosIdioma(48));
        Frame5->setTitle(TextosIdioma(49));
        Frame2->setTitle(TextosIdioma(250));
        Frame1->setTitle(TextosIdioma(251));
        cmdAnadir->setText(TextosIdioma(240));
        cmdEliminar->setText(TextosIdioma(241));
        cmdOK->setText(TextosIdioma(38));
        cmdvolver->setText(TextosIdioma(94));
        cmdcancel->setText(TextosIdioma(25));
        const std::vector<AvisoPaso> avisos = Paso.Cargar();
        Mostrar();
        Avisar(avisos);
    } catch (...) {
        // The form stays.
        MostrarErrorManejador(this, std::current_exception());
    }
}

void frmDigital::Mostrar()
{
    Listar(List1, Paso.Lista);
    Listar(List2, Paso.Grupos);
    MarcarGrupo();
    txtGrupos->setText(Paso.Cuenta);
    TextoSinAviso(txtnbgrp, Paso.Nombre);
    for (std::int32_t i = 1; i <= kCasillas; ++i) {
        TextoSinAviso(grp[i], Paso.Casillas(i).Nombre);
        TextoSinAviso(lbl[i], Paso.Casillas(i).Numero);
        FondoPaleta(lblpunt[i], Paso.Casillas.Marcador(i));
    }
}

void frmDigital::MarcarGrupo()
{
    const QSignalBlocker b(List2);
    if (List2->currentRow() != Paso.Seleccion)
        List2->setCurrentRow(Paso.Seleccion);
    QItemSelectionModel* seleccion = List2->selectionModel();
    if (Paso.Seleccion < 0 || Paso.Seleccion >= List2->count()) {
        seleccion->clearSelection();
        return;
    }
    const QModelIndex grupo = List2->model()->index(Paso.Seleccion, 0);
    if (seleccion->selectedIndexes() != QModelIndexList{grupo})
        seleccion->select(grupo, QItemSelectionModel::ClearAndSelect);
}

void frmDigital::List1_DblClick(std::int32_t posicion)
{
    const std::vector<AvisoPaso> avisos = Paso.Elegir(posicion);
    Mostrar();
    Avisar(avisos);
}

void frmDigital::List2_Click(std::int32_t indice)
{
    try {
        const std::vector<AvisoPaso> avisos = Paso.ElegirGrupo(indice);
        Mostrar();
        Avisar(avisos);
    } catch (...) {
        ErrorYVolver(std::current_exception());
    }
}

void frmDigital::cmdAnadir_Click()
{
    try {
        const std::vector<AvisoPaso> avisos = Paso.Anadir();
        Mostrar();
        Avisar(avisos);
    } catch (...) {
        ErrorYVolver(std::current_exception());
    }
}

void frmDigital::cmdEliminar_Click()
{
    try {
        if (Paso.Seleccion < 0)
            return;
        if (MsgBox(TextosIdioma(252), vbOKCancel) != vbOK)
            return;
        const std::vector<AvisoPaso> avisos = Paso.Eliminar();
        Mostrar();
        Avisar(avisos);
    } catch (...) {
        ErrorYVolver(std::current_exception());
    }
}

void frmDigital::cmdOK_Click()
{
    try {
        const PasoDigital::Salida salida = Paso.Continuar();
        Mostrar();
        Avisar(salida.Avisos);
        if (!Sale(salida.Paso))
            return;
        OcultarFormulario(this);
        MostrarPaso4();
    } catch (...) {
        ErrorYVolver(std::current_exception());
    }
}

void frmDigital::cmdvolver_Click()
{
    try {
        const PasoDigital::Salida salida = Paso.Volver();
        Mostrar();
        Avisar(salida.Avisos);
        if (!Sale(salida.Paso))
            return;
        OcultarFormulario(this);
        VolverAPaso2();
    } catch (...) {
        ErrorYVolver(std::current_exception());
    }
}

void frmDigital::cmdcancel_Click()
{
    Cancelar();
}

void frmDigital::txtnbgrp_Change()
{
    Avisar(Paso.CambiarNombre(txtnbgrp->text()));
}

void frmDigital::grp_Change(std::int32_t i)
{
    Avisar(Paso.CambiarNombreCasilla(i, grp[i]->text()));
}

void frmDigital::lbl_Change(std::int32_t i)
{
    std::vector<AvisoPaso> avisos;
    if (!Paso.CambiarNumeroCasilla(i, lbl[i]->text(), avisos)) {
        // Refused as typed: the box shows the slot's number again.
        const int cursor = std::max(lbl[i]->cursorPosition() - 1, 0);
        TextoSinAviso(lbl[i], Paso.Casillas(i).Numero);
        lbl[i]->setCursorPosition(cursor);
    }
    Avisar(avisos);
}

void frmDigital::lblpunt_Click(std::int32_t i)
{
    Paso.Seleccionar(i);
    Mostrar();
}

void frmDigital::grp_DblClick(std::int32_t i)
{
    Paso.Vaciar(i);
    Mostrar();
}

bool frmDigital::eventFilter(QObject* objeto, QEvent* evento)
{
    const bool clic = evento->type() == QEvent::MouseButtonPress;
    const bool doble = evento->type() == QEvent::MouseButtonDblClick;
    if (clic || doble) {
        for (std::int32_t i = 1; i <= kCasillas; ++i) {
            if (objeto == lblpunt[i]) {
                lblpunt_Click(i);
                return false;
            }
            if (objeto == grp[i] || objeto == lbl[i]) {
                if (doble)
                    grp_DblClick(i);
                else
                    grp_Click(i);
                return false;
            }
        }
    }
    return FormAsistente::eventFilter(objeto, evento);
}

void frmDigital::ErrorYVolver(std::exception_ptr e)
{
    MostrarErrorManejador(this, e);
    Descargar();
    // Step 2, hidden behind this one, comes back rather than stay out of
    // reach.
    VolverAPaso2();
}

} // namespace vesdra
