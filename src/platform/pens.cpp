#include "platform/pens.h"

#include "platform/base/colors.h"

namespace vesdra {

QColor PenColor(std::uint32_t bgr)
{
    return OleColor(bgr);
}

Qt::PenStyle PenStyleFor(int drawStyle)
{
    switch (drawStyle) {
    case 1:
        return Qt::DashLine;
    case 2:
        return Qt::DotLine;
    case 3:
        return Qt::DashDotLine;
    case 4:
        return Qt::DashDotDotLine;
    case 5:
        return Qt::NoPen;
    default:
        return Qt::SolidLine;
    }
}

} // namespace vesdra
