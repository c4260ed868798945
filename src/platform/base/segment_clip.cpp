#include "platform/base/segment_clip.h"

#include <algorithm>
#include <cmath>

namespace vesdra {

bool ClipSegment(QPointF& a, QPointF& b, const QRectF& r)
{
    if (!std::isfinite(a.x()) || !std::isfinite(a.y()) || !std::isfinite(b.x()) || !std::isfinite(b.y()))
        return false;
    double t0 = 0, t1 = 1;
    const double dx = b.x() - a.x(), dy = b.y() - a.y();
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {a.x() - r.left(), r.right() - a.x(), a.y() - r.top(), r.bottom() - a.y()};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0)
                return false;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
        if (t0 > t1)
            return false;
    }
    const QPointF a0 = a;
    a = a0 + QPointF(dx, dy) * t0;
    b = a0 + QPointF(dx, dy) * t1;
    return true;
}

} // namespace vesdra
