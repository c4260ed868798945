#include "platform/line_control.h"

#include <QPainter>
#include <QPen>
#include <algorithm>
#include <cmath>

#include "platform/base/segment_clip.h"
#include "platform/pens.h"
#include "platform/picture_box.h"
#include "platform/twips.h"

namespace vesdra {

namespace {

Qt::PenStyle BorderPenStyle(int borderStyle)
{
    switch (borderStyle) {
    case LineControl::Dash:
        return Qt::DashLine;
    case LineControl::Dot:
        return Qt::DotLine;
    case LineControl::DashDot:
        return Qt::DashDotLine;
    case LineControl::DashDotDot:
        return Qt::DashDotDotLine;
    case LineControl::Transparent:
        return Qt::NoPen;
    default:
        return Qt::SolidLine;
    }
}

QPointF ToPixels(double x, double y)
{
    return {TwipsToPixelsX(x), TwipsToPixelsY(y)};
}

} // namespace

void LineControl::SetX1(double v)
{
    const QRect before = PixelExtent();
    x1_ = v;
    Changed(before);
}

void LineControl::SetY1(double v)
{
    const QRect before = PixelExtent();
    y1_ = v;
    Changed(before);
}

void LineControl::SetX2(double v)
{
    const QRect before = PixelExtent();
    x2_ = v;
    Changed(before);
}

void LineControl::SetY2(double v)
{
    const QRect before = PixelExtent();
    y2_ = v;
    Changed(before);
}

void LineControl::SetPoints(double x1, double y1, double x2, double y2)
{
    const QRect before = PixelExtent();
    x1_ = x1;
    y1_ = y1;
    x2_ = x2;
    y2_ = y2;
    Changed(before);
}

void LineControl::SetBorderColor(std::uint32_t bgr)
{
    if (bgr == color_)
        return;
    color_ = bgr;
    Changed(PixelExtent());
}

void LineControl::SetBorderStyle(int style)
{
    const QRect before = PixelExtent();
    style_ = style;
    Changed(before);
}

void LineControl::SetBorderWidth(int pixels)
{
    const QRect before = PixelExtent();
    width_ = std::max(1, pixels);
    Changed(before);
}

void LineControl::SetVisible(bool visible)
{
    if (visible == visible_)
        return;
    const QRect before = PixelExtent();
    visible_ = visible;
    Changed(before);
}

std::optional<QLineF> LineControl::DrawnPixels() const
{
    if (!visible_ || style_ == Transparent || !box_)
        return std::nullopt;
    QPointF a = ToPixels(x1_, y1_);
    QPointF b = ToPixels(x2_, y2_);
    // Cut to the picture along the line itself: an end point far outside
    // (a phasor at a high zoom) moves along the line, never across it.
    const double m = width_ + 2.0;
    const QSize area = box_->size();
    if (!ClipSegment(a, b, QRectF(-m, -m, area.width() + 2 * m, area.height() + 2 * m)))
        return std::nullopt;
    return QLineF(a, b);
}

QRect LineControl::PixelExtent() const
{
    const std::optional<QLineF> trazo = DrawnPixels();
    if (!trazo)
        return {};
    const int margin = width_ + 2;
    return QRectF(trazo->p1(), trazo->p2())
        .normalized()
        .toAlignedRect()
        .adjusted(-margin, -margin, margin, margin);
}

void LineControl::Paint(QPainter& p) const
{
    const std::optional<QLineF> trazo = DrawnPixels();
    if (!trazo)
        return;
    QPen pen(PenColor(color_), width_, BorderPenStyle(style_), Qt::RoundCap);
    pen.setCosmetic(true);
    p.setPen(pen);
    p.drawLine(*trazo);
}

// Only the old and the new extent are repainted; the kept picture below is
// redrawn from the image, never recomputed.
void LineControl::Changed(const QRect& before)
{
    if (!box_)
        return;
    const QRect after = PixelExtent();
    if (!before.isEmpty())
        box_->update(before);
    if (!after.isEmpty())
        box_->update(after);
}

} // namespace vesdra
