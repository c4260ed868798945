#include "platform/elided_line_edit.h"

#include <QEvent>
#include <QFontMetricsF>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFrame>
#include <algorithm>
#include <utility>

#include "platform/base/name_elide.h"
#include "platform/base/readout_fit.h"
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

void ElidedLineEdit::ReserveValueRoom(const QStringList& values)
{
    if (values == reserved_)
        return;
    reserved_ = values;
    update();
}

void ElidedLineEdit::ShowScrolled(const QString& whole, const QString& shown)
{
    if (shown == whole) {
        scrolledWhole_.clear();
        scrolledShown_.clear();
    } else {
        scrolledWhole_ = whole;
        scrolledShown_ = shown;
    }
    if (shown != text())
        setText(shown);
    else
        update();
}

bool ElidedLineEdit::IsScrolled() const
{
    return !scrolledWhole_.isEmpty() && text() == scrolledShown_;
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
    return VisibleLines(TextRect(panel)).join(QLatin1Char('\n'));
}

void ElidedLineEdit::SetMaxLines(int lines)
{
    lines = std::max(lines, 1);
    if (lines == maxLines_)
        return;
    maxLines_ = lines;
    update();
}

QStringList ElidedLineEdit::VisibleLines(const QRect& r) const
{
    const QString& t = text();
    if (Editing() || t.isEmpty())
        return {t};
    const double width = r.width() - 2 * kMargenX;
    const QFontMetricsF fm(font());
    const auto advance = [&fm](const QString& s) { return fm.horizontalAdvance(s); };
    const int lines = std::clamp(static_cast<int>(r.height() / std::max(fm.height(), 1.0)), 1, maxLines_);
    if (IsScrolled()) {
        // A window onto the text from where the scroll stands, cut at its
        // end; a read-out's value stays whole after it.
        if (advance(t) <= width)
            return {t};
        if (!IsReadOut())
            return WindowLines(t, width, lines, advance);
        return ScrolledReadOutLines(Name(), separator_, tail_.mid(separator_.size()), width, lines, advance);
    }
    const QStringList beside = group_ ? group_->Names() : QStringList();
    if (IsReadOut()) {
        double reserve = 0.0;
        for (const QString& v : reserved_)
            reserve = std::max(reserve, advance(separator_ + v));
        return ReadOutLines(Name(), beside, separator_, tail_.mid(separator_.size()), width, lines, advance,
                            reserve);
    }
    if (advance(t) <= width)
        return {t};
    return ElideNameInLines(t, beside, width, lines, advance);
}

void ElidedLineEdit::paintEvent(QPaintEvent* event)
{
    QStyleOptionFrame panel;
    initStyleOption(&panel);
    if (group_)
        group_->Drawing(this);
    const QRect r = TextRect(panel);
    const QStringList lines = VisibleLines(r);
    if (lines.size() == 1 && lines.front() == text()) {
        QLineEdit::paintEvent(event);
        return;
    }
    // As a line edit draws itself, with the cut text in place of its own.
    QPainter p(this);
    style()->drawPrimitive(QStyle::PE_PanelLineEdit, &panel, &p, this);
    p.setClipRect(r);
    const QFontMetricsF fm(font());
    // One line stands where a line edit puts its own; more share the height.
    const bool una = lines.size() == 1;
    const double alto = una ? fontMetrics().height() : fm.height();
    const double ascenso = una ? fontMetrics().ascent() : fm.ascent();
    const double total = alto * static_cast<double>(lines.size());
    double y =
        una ? r.y() + (r.height() - fontMetrics().height() + 1) / 2 : r.y() + (r.height() - total) / 2.0;
    const Qt::Alignment va = alignment() & Qt::AlignVertical_Mask;
    if (va == Qt::AlignTop)
        y = r.y() + kMargenY;
    else if (va == Qt::AlignBottom)
        y = r.bottom() + 1 - total - kMargenY;
    const Qt::Alignment ha =
        QStyle::visualAlignment(layoutDirection(), alignment()) & Qt::AlignHorizontal_Mask;
    p.setPen(palette().text().color());
    const double izquierda = r.x() + kMargenX;
    const double ancho = r.width() - 2 * kMargenX;
    for (const QString& line : lines) {
        const double w = una ? fontMetrics().horizontalAdvance(line) : fm.horizontalAdvance(line);
        double x = izquierda;
        if (ha & Qt::AlignRight)
            x = izquierda + ancho - w;
        else if (ha & Qt::AlignHCenter)
            x = izquierda + (ancho - w) / 2.0;
        p.drawText(QPointF(x, y + ascenso), line);
        y += alto;
    }
}

bool ElidedLineEdit::event(QEvent* event)
{
    if (event->type() == QEvent::ToolTip && toolTip().isEmpty()) {
        const QString& whole = IsScrolled() ? scrolledWhole_ : text();
        ShowWholeTextTip(*this, *event, VisibleText() != whole, whole);
        return true;
    }
    return QLineEdit::event(event);
}

} // namespace vesdra
