#include "platform/elided_check_box.h"

#include <QEvent>
#include <QStyleOptionButton>
#include <QStylePainter>

#include "platform/elided_label.h"

namespace vesdra {

ElidedCheckBox::ElidedCheckBox(QWidget* parent) : QCheckBox(parent) {}

void ElidedCheckBox::Opcion(QStyleOptionButton& opcion) const
{
    initStyleOption(&opcion);
    const int ancho = style()->subElementRect(QStyle::SE_CheckBoxContents, &opcion, this).width();
    opcion.text = fontMetrics().elidedText(text(), Qt::ElideMiddle, ancho);
}

QString ElidedCheckBox::TextoVisible() const
{
    QStyleOptionButton opcion;
    Opcion(opcion);
    return opcion.text;
}

void ElidedCheckBox::paintEvent(QPaintEvent*)
{
    QStylePainter p(this);
    QStyleOptionButton opcion;
    Opcion(opcion);
    p.drawControl(QStyle::CE_CheckBox, opcion);
}

bool ElidedCheckBox::event(QEvent* event)
{
    if (event->type() == QEvent::ToolTip && toolTip().isEmpty()) {
        ShowWholeTextTip(*this, *event, Recortado(), text());
        return true;
    }
    return QCheckBox::event(event);
}

} // namespace vesdra
