#include "platform/elided_check_box.h"

#include <QEvent>
#include <QFontMetricsF>
#include <QStyleOptionButton>
#include <QStylePainter>
#include <algorithm>
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

template <class Button> void ElidedButton<Button>::SetMaxLines(int lines)
{
    maxLines_ = std::max(1, lines);
    this->update();
}

template <class Button> void ElidedButton<Button>::Option(QStyleOptionButton& option) const
{
    this->initStyleOption(&option);
    constexpr QStyle::SubElement contents =
        std::is_same_v<Button, QCheckBox> ? QStyle::SE_CheckBoxContents : QStyle::SE_RadioButtonContents;
    const QRect room = this->style()->subElementRect(contents, &option, this);
    const QFontMetricsF fm(this->font());
    const int lines =
        std::clamp(static_cast<int>(room.height() / std::max(1.0, fm.lineSpacing())), 1, maxLines_);
    // The style draws a caption of several lines as a block centred in the room.
    option.text = ElideNameInLines(this->text(), group_ ? group_->Names() : QStringList(), room.width(),
                                   lines, [&fm](const QString& s) { return fm.horizontalAdvance(s); })
                      .join(QLatin1Char('\n'));
}

template <class Button> bool ElidedButton<Button>::IsCut() const
{
    return !ShownWhole(VisibleText(), this->text());
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
