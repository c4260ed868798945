#include "platform/elided_check_box.h"

#include <QEvent>
#include <QFontMetricsF>
#include <QStyleOptionButton>
#include <QStylePainter>
#include <type_traits>

#include "platform/base/name_elide.h"
#include "platform/elided_label.h"
#include "platform/name_group.h"

namespace vesdra {

template <class Button> void ElidedButton<Button>::SetNameGroup(NameGroup* group)
{
    group_ = group;
    if (group)
        group->Add(this, [this] { return this->text(); });
    this->update();
}

template <class Button> void ElidedButton<Button>::Option(QStyleOptionButton& option) const
{
    this->initStyleOption(&option);
    constexpr QStyle::SubElement contents =
        std::is_same_v<Button, QCheckBox> ? QStyle::SE_CheckBoxContents : QStyle::SE_RadioButtonContents;
    const int width = this->style()->subElementRect(contents, &option, this).width();
    const QFontMetricsF fm(this->font());
    option.text = ElideName(this->text(), group_ ? group_->Names() : QStringList(), width,
                            [&fm](const QString& s) { return fm.horizontalAdvance(s); });
}

template <class Button> QString ElidedButton<Button>::VisibleText() const
{
    QStyleOptionButton option;
    Option(option);
    return option.text;
}

template <class Button> void ElidedButton<Button>::paintEvent(QPaintEvent*)
{
    if (group_)
        group_->Drawing(this);
    QStylePainter p(this);
    QStyleOptionButton option;
    Option(option);
    p.drawControl(std::is_same_v<Button, QCheckBox> ? QStyle::CE_CheckBox : QStyle::CE_RadioButton, option);
}

template <class Button> bool ElidedButton<Button>::event(QEvent* event)
{
    if (event->type() == QEvent::ToolTip && this->toolTip().isEmpty()) {
        ShowWholeTextTip(*this, *event, IsCut(), this->text());
        return true;
    }
    return Button::event(event);
}

template class ElidedButton<QCheckBox>;
template class ElidedButton<QRadioButton>;

} // namespace vesdra
