#include "platform/text_box.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QComboBox>
#include <QEvent>
#include <QFont>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QHelpEvent>
#include <QLineEdit>
#include <QPointer>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QStyleOptionFrame>
#include <QStyledItemDelegate>
#include <QToolTip>
#include <algorithm>
#include <memory>

#include "platform/base/name_elide.h"
#include "platform/elided_label.h"
#include "platform/elided_line_edit.h"
#include "platform/name_group.h"

namespace vesdra {

namespace {

// QLineEdit draws its text this far inside its contents rectangle, across
// and down (its private horizontal and vertical margins).
constexpr int kMargenInternoX = 2;

const char* const kPropAyuda = "vesdraAyudaSiRecortado";

QString TextoDe(const QWidget& w)
{
    if (const auto* e = qobject_cast<const QLineEdit*>(&w))
        return e->text();
    if (const auto* c = qobject_cast<const QComboBox*>(&w))
        return c->currentText();
    if (const auto* b = qobject_cast<const QAbstractButton*>(&w))
        return b->text();
    return {};
}

// Shows the whole text on hover while it is cut; otherwise no tip.
class FiltroAyuda : public QObject
{
public:
    using QObject::QObject;

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::ToolTip)
            return false;
        const auto* w = qobject_cast<QWidget*>(watched);
        if (!w)
            return false;
        ShowWholeTextTip(*const_cast<QWidget*>(w), *event, TextoRecortado(*w), TextoDe(*w));
        return true;
    }
};

// Draws a list's entries in the part of the row the list shows, a long one
// giving way by the name rule against the list's other entries (and the
// names of the list's group), and tips a cut entry.
class DelegadoNombres : public QStyledItemDelegate
{
public:
    DelegadoNombres(QAbstractItemView* lista, NameGroup* grupo)
        : QStyledItemDelegate(lista), lista_(lista), grupo_(grupo)
    {
    }

    // Every entry of the list, and the group's names.
    [[nodiscard]] QStringList Nombres() const
    {
        QStringList nombres = grupo_ ? grupo_->Names() : QStringList();
        const QAbstractItemModel* m = lista_->model();
        if (!m)
            return nombres;
        for (int fila = 0; fila < m->rowCount(lista_->rootIndex()); ++fila)
            nombres.append(m->index(fila, 0, lista_->rootIndex()).data().toString());
        return nombres;
    }

    // The entry's option with its row as far as the list shows it.
    [[nodiscard]] QStyleOptionViewItem Opcion(const QStyleOptionViewItem& base,
                                              const QModelIndex& indice) const
    {
        QStyleOptionViewItem o(base);
        initStyleOption(&o, indice);
        o.rect.setRight(std::min(o.rect.right(), lista_->viewport()->rect().right()));
        o.textElideMode = Qt::ElideNone;
        o.text = Visible(o);
        return o;
    }

    [[nodiscard]] QString Visible(const QStyleOptionViewItem& o) const
    {
        const QWidget* w = o.widget;
        const QStyle* estilo = w ? w->style() : lista_->style();
        const QRect texto = estilo->subElementRect(QStyle::SE_ItemViewItemText, &o, w);
        // The item view keeps a margin inside the text's rectangle on either side.
        const int margen = estilo->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, w) + 1;
        const QFontMetricsF fm(o.font);
        const auto ancho = [&fm](const QString& t) { return fm.horizontalAdvance(t); };
        const double sitio = texto.width() - 2 * margen;
        // An entry that fits is drawn whole without gathering the others:
        // a folder's list of files may hold thousands.
        if (ancho(o.text) <= sitio)
            return o.text;
        return ElideName(o.text, Nombres(), sitio, ancho);
    }

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& indice) const override
    {
        // Drawn by the style itself: the base delegate would set the option's
        // text back to the whole entry.
        const QStyleOptionViewItem o = Opcion(option, indice);
        const QWidget* w = o.widget ? o.widget : lista_;
        w->style()->drawControl(QStyle::CE_ItemViewItem, &o, painter, w);
    }

    bool helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                   const QModelIndex& indice) override
    {
        if (event->type() == QEvent::ToolTip && indice.isValid() && !indice.data(Qt::ToolTipRole).isValid()) {
            const QStyleOptionViewItem o = Opcion(option, indice);
            const QString entero = indice.data().toString();
            if (o.text != entero)
                QToolTip::showText(event->globalPos(), entero, view->viewport(), o.rect);
            else
                QToolTip::hideText();
            return true;
        }
        return QStyledItemDelegate::helpEvent(event, view, option, indice);
    }

private:
    QAbstractItemView* lista_;
    QPointer<NameGroup> grupo_;
};

} // namespace

void NombresEnLista(QAbstractItemView& lista, NameGroup* grupo)
{
    if (dynamic_cast<DelegadoNombres*>(lista.itemDelegate()))
        return;
    lista.setItemDelegate(new DelegadoNombres(&lista, grupo));
    lista.setTextElideMode(Qt::ElideMiddle);
    lista.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

QString TextoVisibleEnLista(const QAbstractItemView& lista, int fila)
{
    const QModelIndex indice =
        lista.model() ? lista.model()->index(fila, 0, lista.rootIndex()) : QModelIndex();
    auto* d = dynamic_cast<DelegadoNombres*>(lista.itemDelegate());
    if (!indice.isValid())
        return {};
    if (!d)
        return indice.data().toString();
    QStyleOptionViewItem base;
    base.initFrom(lista.viewport());
    base.widget = &lista;
    base.font = lista.font();
    base.fontMetrics = QFontMetrics(lista.font());
    base.rect = lista.visualRect(indice);
    base.decorationSize = lista.iconSize().isValid() ? lista.iconSize() : QSize(16, 16);
    base.features |= QStyleOptionViewItem::HasDisplay;
    return d->Opcion(base, indice).text;
}

void MostrarPrincipio(QLineEdit& caja)
{
    // setText moves the caret to the end whether or not the text changes,
    // and only a change of text is signalled: the caret's move is the one
    // notice every assignment gives.
    QObject::connect(&caja, &QLineEdit::cursorPositionChanged, &caja, [&caja](int, int nueva) {
        if (nueva != 0 && !caja.hasFocus())
            caja.setCursorPosition(0);
    });
    caja.setCursorPosition(0);
}

MedidorTexto MedidorDeFuente(const QFont& fuente)
{
    // One font per size, shared by both measures.
    auto base = std::make_shared<QFont>(fuente);
    const auto metricas = [base](int px) {
        QFont f(*base);
        f.setPixelSize(px);
        return QFontMetricsF(f);
    };
    return {[metricas](int px, const QString& texto) { return metricas(px).horizontalAdvance(texto); },
            [metricas](int px) { return metricas(px).height(); }};
}

MargenesCaja MargenesDe(const QLineEdit& caja)
{
    QStyleOptionFrame opt;
    opt.initFrom(&caja);
    opt.rect = caja.contentsRect();
    opt.lineWidth =
        caja.hasFrame() ? caja.style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &opt, &caja) : 0;
    opt.midLineWidth = 0;
    opt.state |= QStyle::State_Sunken;
    if (caja.isReadOnly())
        opt.state |= QStyle::State_ReadOnly;
    opt.features = QStyleOptionFrame::None;
    const QRect r = caja.style()
                        ->subElementRect(QStyle::SE_LineEditContents, &opt, &caja)
                        .marginsRemoved(caja.textMargins());
    return {static_cast<double>(caja.width() - r.width() + 2 * kMargenInternoX),
            static_cast<double>(caja.height() - r.height())};
}

void FijarPixelesFuente(QWidget& w, int px)
{
    QFont f = w.font();
    if (f.pixelSize() == px)
        return;
    f.setPixelSize(px);
    w.setFont(f);
}

int AjustarFuenteCaja(QLineEdit& caja, const QStringList& textos)
{
    const int px =
        PixelesCaja(caja.width(), caja.height(), textos, MedidorDeFuente(caja.font()), MargenesDe(caja));
    FijarPixelesFuente(caja, px);
    return px;
}

double AnchoNecesarioCaja(const QLineEdit& caja, const QStringList& textos, int px)
{
    return AnchoNecesario(textos, px, MedidorDeFuente(caja.font()), MargenesDe(caja));
}

void MostrarOpcionEntera(QAbstractButton& opcion)
{
    const QWidget* padre = opcion.parentWidget();
    const int limite = padre ? padre->contentsRect().right() + 1 - opcion.x() : opcion.width();
    for (int px = QFontInfo(opcion.font()).pixelSize(); px >= kPixelesFuenteMinimos; --px) {
        FijarPixelesFuente(opcion, px);
        const int necesita = opcion.sizeHint().width();
        if (necesita <= limite) {
            if (necesita > opcion.width())
                opcion.resize(necesita, opcion.height());
            return;
        }
    }
    opcion.resize(std::max(opcion.width(), limite), opcion.height());
}

bool MuestraEntero(const QLineEdit& caja, const QString& texto)
{
    const MedidorTexto m = MedidorDeFuente(caja.font());
    const int px = QFontInfo(caja.font()).pixelSize();
    return CabenEnCaja(caja.width(), {texto}, px, m, MargenesDe(caja)) &&
           m.Alto(px) <= caja.height() - MargenesDe(caja).Vertical;
}

bool TextoRecortado(const QWidget& w)
{
    if (const auto* e = qobject_cast<const QLineEdit*>(&w))
        return !MuestraEntero(*e, e->text());
    if (const auto* c = qobject_cast<const QComboBox*>(&w)) {
        if (const QLineEdit* e = c->lineEdit())
            return !MuestraEntero(*e, e->text());
        QStyleOptionComboBox o;
        o.initFrom(c);
        const QRect campo =
            c->style()->subControlRect(QStyle::CC_ComboBox, &o, QStyle::SC_ComboBoxEditField, c);
        return c->fontMetrics().horizontalAdvance(c->currentText()) > campo.width();
    }
    if (const auto* b = qobject_cast<const QAbstractButton*>(&w))
        return !b->text().isEmpty() && b->sizeHint().width() > b->width();
    return false;
}

void AyudaSiRecortado(QWidget& w)
{
    if (w.property(kPropAyuda).toBool())
        return;
    w.setProperty(kPropAyuda, true);
    w.installEventFilter(new FiltroAyuda(&w));
}

void AjustarDesplegable(QComboBox& lista)
{
    // A box that draws its name by the rule weighs it against the entries.
    if (auto* e = qobject_cast<ElidedLineEdit*>(lista.lineEdit()); e && !lista.findChild<NameGroup*>()) {
        auto* entradas = new NameGroup(&lista);
        entradas->AddNames([&lista] {
            QStringList nombres;
            for (int i = 0; i < lista.count(); ++i)
                nombres.append(lista.itemText(i));
            return nombres;
        });
        e->SetNameGroup(entradas);
        // A name picked from the list leaves the focus on the box: it stays cut.
        e->SetCutWhileFocused(true);
    }
    if (QLineEdit* e = lista.lineEdit()) {
        if (!e->property(kPropAyuda).toBool()) {
            MostrarPrincipio(*e);
            AyudaSiRecortado(*e);
            // A name picked from the list shows its start, also while the
            // drop-down has the focus.
            QObject::connect(&lista, &QComboBox::currentIndexChanged, e, [e] { e->setCursorPosition(0); });
        }
        e->setCursorPosition(0);
    }
    AyudaSiRecortado(lista);
    // The pop-up list: the widest name, its item margins and a scroll bar.
    const QFontMetrics fm(lista.view()->font());
    int mayor = 0;
    for (int i = 0; i < lista.count(); ++i)
        mayor = std::max(mayor, fm.horizontalAdvance(lista.itemText(i)));
    const int barra = lista.view()->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    const int marco =
        2 * lista.view()->frameWidth() + 4 * lista.style()->pixelMetric(QStyle::PM_FocusFrameHMargin);
    lista.view()->setMinimumWidth(std::max(lista.width(), mayor + barra + marco + 8));
}

} // namespace vesdra
