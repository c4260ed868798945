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
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QStyleOptionFrame>
#include <QToolTip>
#include <algorithm>
#include <memory>

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
        auto* ayuda = static_cast<QHelpEvent*>(event);
        if (TextoRecortado(*w))
            QToolTip::showText(ayuda->globalPos(), TextoDe(*w), const_cast<QWidget*>(w));
        else
            QToolTip::hideText();
        return true;
    }
};

} // namespace

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
