#include "platform/text_box.h"

#include <QAbstractButton>
#include <QFont>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionFrame>
#include <algorithm>
#include <memory>

namespace vesdra {

namespace {

// QLineEdit draws its text this far inside its contents rectangle, across
// and down (its private horizontal and vertical margins).
constexpr int kMargenInternoX = 2;

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
    opt.lineWidth = caja.hasFrame() ? caja.style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &opt, &caja) : 0;
    opt.midLineWidth = 0;
    opt.state |= QStyle::State_Sunken;
    if (caja.isReadOnly())
        opt.state |= QStyle::State_ReadOnly;
    opt.features = QStyleOptionFrame::None;
    const QRect r =
        caja.style()->subElementRect(QStyle::SE_LineEditContents, &opt, &caja).marginsRemoved(caja.textMargins());
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
    const int px = PixelesCaja(caja.width(), caja.height(), textos, MedidorDeFuente(caja.font()), MargenesDe(caja));
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

} // namespace vesdra
