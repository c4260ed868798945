#include "platform/elided_label.h"

#include <algorithm>

#include <QHelpEvent>
#include <QPainter>
#include <QStyle>
#include <QToolTip>

namespace vesdra {

ElidedLabel::ElidedLabel(Qt::TextElideMode modo, QWidget* parent) : QLabel(parent), modo_(modo) {}

namespace {

// An indent of -1 is QLabel's "none set": it must not widen the text's room.
int Sangria(const QLabel& l)
{
    return std::max(0, l.indent());
}

} // namespace

QRect ElidedLabel::RectTexto() const
{
    const int h = margin() + Sangria(*this);
    return contentsRect().adjusted(h, margin(), -h, -margin());
}

QString ElidedLabel::TextoVisible() const
{
    return fontMetrics().elidedText(text(), modo_, std::max(0, RectTexto().width()));
}

void ElidedLabel::paintEvent(QPaintEvent* event)
{
    // The frame as a QLabel draws it, then the one line of text.
    QFrame::paintEvent(event);
    QPainter p(this);
    style()->drawItemText(&p, RectTexto(), static_cast<int>(alignment()) | Qt::TextSingleLine, palette(),
                          isEnabled(), TextoVisible(), foregroundRole());
}

bool ElidedLabel::event(QEvent* event)
{
    if (event->type() == QEvent::ToolTip) {
        ShowWholeTextTip(*this, *event, Recortado(), text());
        return true;
    }
    return QLabel::event(event);
}

void ShowWholeTextTip(QWidget& w, const QEvent& event, bool cut, const QString& whole)
{
    if (cut)
        QToolTip::showText(static_cast<const QHelpEvent&>(event).globalPos(), whole, &w);
    else
        QToolTip::hideText();
}

ElidedLabel* EtiquetaRuta(QWidget* parent, const char* nombre)
{
    auto* etiqueta = new ElidedLabel(Qt::ElideMiddle, parent);
    etiqueta->setObjectName(QString::fromLatin1(nombre));
    etiqueta->setFrameShape(QFrame::Panel);
    etiqueta->setFrameShadow(QFrame::Sunken);
    return etiqueta;
}

} // namespace vesdra
