#include "platform/elided_line_edit.h"

#include <QEvent>
#include <QFontMetricsF>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFrame>
#include <utility>

#include "platform/base/text_fit.h"
#include "platform/elided_label.h"

namespace vesdra {

namespace {

// A line edit draws its text this far inside its contents, across (left
// and right) and down.
constexpr int kMargenX = 2;
constexpr int kMargenY = 1;

} // namespace

ElidedLineEdit::ElidedLineEdit(QWidget* parent) : QLineEdit(parent) {}

void ElidedLineEdit::MostrarLectura(const QString& nombre, const QString& separador, const QString& valor)
{
    QString cola = separador + valor;
    const bool reglaNueva = separador != separador_ || cola != cola_;
    separador_ = separador;
    cola_ = std::move(cola);
    const QString texto = nombre + cola_;
    // The same text under the same rule is left as it stands: the read-outs
    // of the cursor that did not move are set again at every move of the
    // other, and are not measured and painted again for it.
    if (texto != text())
        setText(texto);
    else if (reglaNueva)
        update(); // the same text, cut by the new rule
}

QRect ElidedLineEdit::RectTexto(const QStyleOptionFrame& panel) const
{
    return style()->subElementRect(QStyle::SE_LineEditContents, &panel, this).marginsRemoved(textMargins());
}

QString ElidedLineEdit::TextoVisible() const
{
    QStyleOptionFrame panel;
    initStyleOption(&panel);
    return VisibleEn(RectTexto(panel).width() - 2 * kMargenX);
}

QString ElidedLineEdit::VisibleEn(double ancho) const
{
    const QString& t = text();
    if (hasFocus() || t.isEmpty())
        return t;
    const QFontMetricsF fm(font());
    const auto avance = [&fm](const QString& s) { return fm.horizontalAdvance(s); };
    if (avance(t) <= ancho)
        return t;
    if (!cola_.isEmpty() && t.endsWith(cola_) && t.size() > cola_.size()) {
        // The value and its unit whole; the name gives way.
        return FitNameAndValue(t.left(t.size() - cola_.size()), separador_, cola_.mid(separador_.size()),
                               ancho, avance);
    }
    return ElideMiddle(t, ancho, avance);
}

void ElidedLineEdit::paintEvent(QPaintEvent* event)
{
    QStyleOptionFrame panel;
    initStyleOption(&panel);
    const QRect r = RectTexto(panel);
    const QString visible = VisibleEn(r.width() - 2 * kMargenX);
    if (visible == text()) {
        QLineEdit::paintEvent(event);
        return;
    }
    // As a line edit draws itself, with the cut text in place of its own.
    QPainter p(this);
    style()->drawPrimitive(QStyle::PE_PanelLineEdit, &panel, &p, this);
    p.setClipRect(r);
    const QFontMetrics fm = fontMetrics();
    const int alto = fm.height();
    int y = r.y() + (r.height() - alto + 1) / 2;
    const Qt::Alignment va = alignment() & Qt::AlignVertical_Mask;
    if (va == Qt::AlignTop)
        y = r.y() + kMargenY;
    else if (va == Qt::AlignBottom)
        y = r.bottom() + 1 - alto - kMargenY;
    const QRect linea(r.x() + kMargenX, y, r.width() - 2 * kMargenX, alto);
    const int ancho = fm.horizontalAdvance(visible);
    int x = linea.x();
    const Qt::Alignment ha =
        QStyle::visualAlignment(layoutDirection(), alignment()) & Qt::AlignHorizontal_Mask;
    if (ha & Qt::AlignRight)
        x = linea.right() + 1 - ancho;
    else if (ha & Qt::AlignHCenter)
        x = linea.x() + (linea.width() - ancho) / 2;
    p.setPen(palette().text().color());
    p.drawText(QPoint(x, linea.y() + fm.ascent()), visible);
}

bool ElidedLineEdit::event(QEvent* event)
{
    if (event->type() == QEvent::ToolTip && toolTip().isEmpty()) {
        ShowWholeTextTip(*this, *event, Recortado(), text());
        return true;
    }
    return QLineEdit::event(event);
}

} // namespace vesdra
