#pragma once
#include <QPointF>
#include <QRectF>

namespace vesdra {

// Cuts the segment a-b to the rectangle r along its own direction
// (Liang-Barsky): the points move along the segment only, so what is left
// points exactly where the whole segment points, however far outside an end
// point lies. False when nothing of it lies inside (a and b then unchanged).
// Non-finite points give false.
bool ClipSegment(QPointF& a, QPointF& b, const QRectF& r);

} // namespace vesdra
