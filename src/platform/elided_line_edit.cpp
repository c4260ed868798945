#include "platform/elided_line_edit.h"

#include <QEvent>
#include <QFontMetricsF>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFrame>
#include <utility>

#include "platform/base/name_elide.h"
#include "platform/elided_label.h"
#include "platform/name_group.h"

namespace vesdra {

namespace {

// A line edit draws its text this far inside its contents, across (left
// and right) and down.
constexpr int kMargenX = 2;
constexpr int kMargenY = 1;

} // namespace

ElidedLineEdit::ElidedLineEdit(QWidget* parent) : QLineEdit(parent)
{
    connect(this, &QLineEdit::textEdited, this, [this](const QString& t) {
        typed_ = t;
        update();
    });
}

void ElidedLineEdit::SetCutWhileFocused(bool cut)
{
    cutWhileFocused_ = cut;
    update();
}

bool ElidedLineEdit::Editing() const
{
    // A text the program set since the user last typed is shown cut again.
    return hasFocus() && (!cutWhileFocused_ || (typed_ && *typed_ == text()));
}

void ElidedLineEdit::ShowReadOut(const QString& name, const QString& separator, const QString& value)
{
    QString tail = separator + value;
    const bool newRule = separator != separator_ || tail != tail_;
    separator_ = separator;
    tail_ = std::move(tail);
    const QString whole = name + tail_;
    // The same text under the same rule is left as it stands: the read-outs
    // of the cursor that did not move are set again at every move of the
    // other, and are not measured and painted again for it.
    if (whole != text())
        setText(whole);
    else if (newRule)
        update(); // the same text, cut by the new rule
}

void ElidedLineEdit::SetNameGroup(NameGroup* group)
{
    group_ = group;
    if (group)
        group->Add(this, [this] { return Name(); });
    update();
}

bool ElidedLineEdit::IsReadOut() const
{
    const QString& t = text();
    return !tail_.isEmpty() && t.endsWith(tail_) && t.size() > tail_.size();
}

QString ElidedLineEdit::Name() const
{
    return IsReadOut() ? text().left(text().size() - tail_.size()) : text();
}

QRect ElidedLineEdit::TextRect(const QStyleOptionFrame& panel) const
{
    return style()->subElementRect(QStyle::SE_LineEditContents, &panel, this).marginsRemoved(textMargins());
}

QString ElidedLineEdit::VisibleText() const
{
    QStyleOptionFrame panel;
    initStyleOption(&panel);
    return VisibleIn(TextRect(panel).width() - 2 * kMargenX);
}

QString ElidedLineEdit::VisibleIn(double width) const
{
    const QString& t = text();
    if (Editing() || t.isEmpty())
        return t;
    const QFontMetricsF fm(font());
    const auto advance = [&fm](const QString& s) { return fm.horizontalAdvance(s); };
    if (advance(t) <= width)
        return t;
    const QStringList beside = group_ ? group_->Names() : QStringList();
    if (IsReadOut()) {
        // The value and its unit whole; the name gives way.
        return FitNameAndValue(Name(), beside, separator_, tail_.mid(separator_.size()), width, advance);
    }
    return ElideName(t, beside, width, advance);
}

void ElidedLineEdit::paintEvent(QPaintEvent* event)
{
    QStyleOptionFrame panel;
    initStyleOption(&panel);
    if (group_)
        group_->Drawing(this);
    const QRect r = TextRect(panel);
    const QString visible = VisibleIn(r.width() - 2 * kMargenX);
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
        ShowWholeTextTip(*this, *event, IsCut(), text());
        return true;
    }
    return QLineEdit::event(event);
}

} // namespace vesdra
