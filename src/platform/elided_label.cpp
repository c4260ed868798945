#include "platform/elided_label.h"

#include <algorithm>

#include <QFontMetricsF>
#include <QHelpEvent>
#include <QPainter>
#include <QStyle>
#include <QToolTip>

#include "platform/base/name_elide.h"
#include "platform/name_group.h"

namespace vesdra {

ElidedLabel::ElidedLabel(Qt::TextElideMode modo, QWidget* parent) : QLabel(parent), modo_(modo) {}

namespace {

// An indent of -1 is QLabel's "none set": it must not widen the text's room.
int Sangria(const QLabel& l)
{
    return std::max(0, l.indent());
}

} // namespace

void ElidedLabel::SetNameGroup(NameGroup* group)
{
    group_ = group;
    if (group)
        group->Add(this, [this] { return text(); });
    update();
}

void ElidedLabel::SetMaxLines(int lines)
{
    maxLines_ = std::max(1, lines);
    update();
}

QRect ElidedLabel::TextRect() const
{
    const int h = margin() + Sangria(*this);
    return contentsRect().adjusted(h, margin(), -h, -margin());
}

QStringList ElidedLabel::VisibleLines() const
{
    const QRect r = TextRect();
    const int width = std::max(0, r.width());
    const QFontMetricsF fm(font());
    if (fm.horizontalAdvance(text()) <= width)
        return {text()};
    if (modo_ != Qt::ElideMiddle || (!group_ && maxLines_ == 1))
        return {fontMetrics().elidedText(text(), modo_, width)};
    const auto advance = [&fm](const QString& s) { return fm.horizontalAdvance(s); };
    const int lines =
        std::clamp(static_cast<int>(r.height() / std::max(1.0, fm.lineSpacing())), 1, maxLines_);
    return ElideNameInLines(text(), group_ ? group_->Names() : QStringList(), width, lines, advance);
}

QString ElidedLabel::VisibleText() const
{
    return VisibleLines().join(QLatin1Char('\n'));
}

bool ElidedLabel::IsCut() const
{
    // A text broken over lines is whole.
    return !ShownWhole(VisibleText(), text());
}

void ElidedLabel::paintEvent(QPaintEvent* event)
{
    if (group_)
        group_->Drawing(this);
    // The frame as a QLabel draws it, then the lines of text.
    QFrame::paintEvent(event);
    QPainter p(this);
    const QStringList lines = VisibleLines();
    const QRect r = TextRect();
    if (lines.size() == 1) {
        style()->drawItemText(&p, r, static_cast<int>(alignment()) | Qt::TextSingleLine, palette(),
                              isEnabled(), lines.front(), foregroundRole());
        return;
    }
    // Several lines: as a block placed in the room as the alignment says.
    const int step = fontMetrics().lineSpacing();
    const int high = step * static_cast<int>(lines.size());
    int y = r.y();
    if (alignment() & Qt::AlignVCenter)
        y = r.y() + (r.height() - high) / 2;
    else if (alignment() & Qt::AlignBottom)
        y = r.bottom() + 1 - high;
    const int horizontal = static_cast<int>(alignment() & Qt::AlignHorizontal_Mask);
    for (const QString& line : lines) {
        style()->drawItemText(&p, QRect(r.x(), y, r.width(), step),
                              horizontal | Qt::AlignVCenter | Qt::TextSingleLine, palette(), isEnabled(),
                              line, foregroundRole());
        y += step;
    }
}

bool ElidedLabel::event(QEvent* event)
{
    if (event->type() == QEvent::ToolTip) {
        ShowWholeTextTip(*this, *event, IsCut(), text());
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
