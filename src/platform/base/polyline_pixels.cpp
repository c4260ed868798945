#include "platform/base/polyline_pixels.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <utility>

namespace vesdra
{

namespace
{

// Directions of a stroked segment, in drawing order, and the two masks that
// turn a direction into its reverse.
enum : int { kDown = 1, kUp = 2, kRight = 4, kLeft = 8, kVertical = kDown | kUp, kHorizontal = kRight | kLeft };
// Half-pixel extensions at the start and the end of a segment.
enum : int { kCapBegin = 1, kCapEnd = 2 };

constexpr int kMaxSide = 8192;     // pixels; keeps every 16.16 sum within 32 bits
constexpr double kFarOut = 1.0e6;  // pixels

struct Pixel {
    int X;
    int Y;
    bool operator==(const Pixel&) const = default;
};

// 26.6 fixed point, cut toward zero as the engine does.
int Fixed26(double v) { return static_cast<int>(v * 64.0); }

// 16.16 quotient, cut toward zero.
int Slope(int num, int den) { return static_cast<int>(static_cast<std::int64_t>(num) * 65536 / den); }

int Reversed(int caps) { return ((caps & kCapBegin) << 1) | ((caps & kCapEnd) >> 1); }

bool FarApart(Pixel a, Pixel b) { return std::abs(a.X - b.X) > 1 || std::abs(a.Y - b.Y) > 1; }

class Stroker
{
public:
    Stroker(const PixelImage& image, std::uint32_t pixel)
        : image_(image), pixel_(pixel), xMax_(image.Width + 1.0), yMax_(image.Height + 1.0)
    {
    }

    // One segment; true when the next segment is to start at its end (it lit
    // a pixel, is a pixel long or more, or lies wholly outside).
    bool Segment(double x1, double y1, double x2, double y2, int caps)
    {
        const bool long_ = std::abs(x2 - x1) + std::abs(y2 - y1) >= 1.0;
        if (Clip(x1, y1, x2, y2))
            return true;
        const int ax = Fixed26(x1);
        const int ay = Fixed26(y1);
        const int bx = Fixed26(x2);
        const int by = Fixed26(y2);
        const int dx = std::abs(bx - ax);
        const int dy = std::abs(by - ay);
        if (dx < dy)
            return Steep(ax, ay, bx, by, caps) || long_;
        if (dx == 0)
            return true;
        return Flat(ax, ay, bx, by, caps) || long_;
    }

    // Writes the run still held back.
    void Flush()
    {
        if (runX_ < 0 || runX_ >= image_.Width)
            return;
        const int from = std::max(runFrom_, 0);
        const int to = std::min(runTo_, image_.Height - 1);
        std::uint32_t* p = image_.Bits + static_cast<std::int64_t>(from) * image_.Stride + runX_;
        for (int y = from; y <= to; ++y, p += image_.Stride)
            *p = pixel_;
        runX_ = INT_MIN;
    }

private:
    // Cuts the segment to a pixel beyond the image on every side, along its
    // own direction; true when nothing of it is left. A cut end (or a segment
    // cut away) leaves no last pixel to compare the next segment with.
    bool Clip(double& x1, double& y1, double& x2, double& y2)
    {
        if (x1 < xMin_) {
            if (x2 <= xMin_)
                return Gone();
            y1 += (y2 - y1) / (x2 - x1) * (xMin_ - x1);
            x1 = xMin_;
        } else if (x1 > xMax_) {
            if (x2 >= xMax_)
                return Gone();
            y1 += (y2 - y1) / (x2 - x1) * (xMax_ - x1);
            x1 = xMax_;
        }
        if (x2 < xMin_) {
            last_.X = INT_MIN;
            y2 += (y2 - y1) / (x2 - x1) * (xMin_ - x2);
            x2 = xMin_;
        } else if (x2 > xMax_) {
            last_.X = INT_MIN;
            y2 += (y2 - y1) / (x2 - x1) * (xMax_ - x2);
            x2 = xMax_;
        }
        if (y1 < yMin_) {
            if (y2 <= yMin_)
                return Gone();
            x1 += (x2 - x1) / (y2 - y1) * (yMin_ - y1);
            y1 = yMin_;
        } else if (y1 > yMax_) {
            if (y2 >= yMax_)
                return Gone();
            x1 += (x2 - x1) / (y2 - y1) * (yMax_ - y1);
            y1 = yMax_;
        }
        if (y2 < yMin_) {
            last_.X = INT_MIN;
            x2 += (x2 - x1) / (y2 - y1) * (yMin_ - y2);
            y2 = yMin_;
        } else if (y2 > yMax_) {
            last_.X = INT_MIN;
            x2 += (x2 - x1) / (y2 - y1) * (yMax_ - y2);
            y2 = yMax_;
        }
        return false;
    }

    bool Gone()
    {
        last_.X = INT_MIN;
        return true;
    }

    // How a segment meets the pixel the one before it lit last, judged by
    // the segment's first pixel in drawing order.
    enum class Joint {
        AsItIs,
        Repeat,   // the same pixel: the segment leaves it out
        Gap,      // a turn leaves a gap: one pixel more at the start
        Shifted,  // same direction, a row (column) apart: moved half a step
    };
    Joint JointWith(Pixel first, int dir, bool aligned) const
    {
        if (last_.X == INT_MIN)
            return Joint::AsItIs;
        if (first == last_)
            return Joint::Repeat;
        if (lastDir_ != dir &&
            ((aligned && lastAligned_ && last_.X != first.X && last_.Y != first.Y) || FarApart(last_, first)))
            return Joint::Gap;
        if (lastDir_ == dir && std::abs(last_.X - first.X) <= 1 && std::abs(last_.Y - first.Y) > 1)
            return Joint::Shifted;
        return Joint::AsItIs;
    }

    // |dy| > |dx|: one pixel per row, top to bottom.
    bool Steep(int ax, int ay, int bx, int by, int caps)
    {
        int dir = kDown;
        const bool swapped = ay > by;
        if (swapped) {
            std::swap(ax, bx);
            std::swap(ay, by);
            caps = Reversed(caps);
            dir = kUp;
        }
        const int inc = Slope(bx - ax, by - ay);
        int x = ax * 1024;
        if ((lastDir_ ^ kVertical) == dir)
            caps |= swapped ? kCapEnd : kCapBegin;
        if (caps & kCapBegin) {
            ay -= 32;
            x -= inc >> 1;
        }
        if (caps & kCapEnd)
            by += 32;
        int y = (ay + 32) >> 6;
        int ys = (by + 32) >> 6;
        // A start cap that rounds past the row the last segment ended on
        // starts on that row's neighbour instead.
        if ((caps & kCapBegin) && last_.Y == y + 1)
            ++y;
        if (y == ys)
            return false;
        x += ((y * 64 + (inc > 0 ? 32 : 0) - ay) * inc) >> 6;
        Pixel first{x >> 16, y};
        Pixel end{(x + (ys - y - 1) * inc) >> 16, ys - 1};
        if (swapped)
            std::swap(first, end);
        const bool aligned = std::abs(inc) < (1 << 14);
        const Joint joint = JointWith(first, dir, aligned);
        if (joint == Joint::Shifted) {
            x += inc >> 1;
            end.X = swapped ? x >> 16 : (x + (ys - y - 1) * inc) >> 16;
        } else if (joint != Joint::AsItIs) {
            // One pixel fewer or more at the start in drawing order.
            const int cut = joint == Joint::Repeat ? 1 : -1;
            if (swapped) {
                ys -= cut;
            } else {
                y += cut;
                x += cut * inc;
            }
        }
        lastDir_ = dir;
        lastAligned_ = aligned;
        last_ = end;
        // At least one pixel, even where the joint left none.
        if (inc == 0) {
            Run(x >> 16, y, std::max(y, ys - 1));
            return true;
        }
        int runX = x >> 16;
        int runY = y;
        do {
            const int px = x >> 16;
            if (px != runX) {
                Run(runX, runY, y - 1);
                runX = px;
                runY = y;
            }
            x += inc;
        } while (++y < ys);
        Run(runX, runY, y - 1);
        return true;
    }

    // |dx| >= |dy|: one pixel per column, left to right.
    bool Flat(int ax, int ay, int bx, int by, int caps)
    {
        int dir = kRight;
        const bool swapped = ax > bx;
        if (swapped) {
            std::swap(ax, bx);
            std::swap(ay, by);
            caps = Reversed(caps);
            dir = kLeft;
        }
        const int inc = Slope(by - ay, bx - ax);
        int y = ay * 1024;
        if ((lastDir_ ^ kHorizontal) == dir)
            caps |= swapped ? kCapEnd : kCapBegin;
        if (caps & kCapBegin) {
            ax -= 32;
            y -= inc >> 1;
        }
        if (caps & kCapEnd)
            bx += 32;
        int x = (ax + 32) >> 6;
        int xs = (bx + 32) >> 6;
        if ((caps & kCapBegin) && last_.X == x + 1)
            ++x;
        if (x == xs)
            return false;
        y += ((x * 64 + (inc > 0 ? 32 : 0) - ax) * inc) >> 6;
        Pixel first{x, y >> 16};
        Pixel end{xs - 1, (y + (xs - x - 1) * inc) >> 16};
        if (swapped)
            std::swap(first, end);
        const bool aligned = std::abs(inc) < (1 << 14);
        const Joint joint = JointWith(first, dir, aligned);
        if (joint == Joint::Shifted) {
            y += inc >> 1;
            end.Y = swapped ? y >> 16 : (y + (xs - x - 1) * inc) >> 16;
        } else if (joint != Joint::AsItIs) {
            const int cut = joint == Joint::Repeat ? 1 : -1;
            if (swapped) {
                xs -= cut;
            } else {
                x += cut;
                y += cut * inc;
            }
        }
        lastDir_ = dir;
        lastAligned_ = aligned;
        last_ = end;
        do {
            Run(x, y >> 16, y >> 16);
            y += inc;
        } while (++x < xs);
        return true;
    }

    // Pixels from..to of column x. Runs of one column that touch are joined
    // and written once, so a column retraced by several segments (a trace's
    // envelope) costs its pixels once.
    void Run(int x, int from, int to)
    {
        if (x == runX_ && from <= runTo_ + 1 && to >= runFrom_ - 1) {
            runFrom_ = std::min(runFrom_, from);
            runTo_ = std::max(runTo_, to);
            return;
        }
        Flush();
        runX_ = x;
        runFrom_ = from;
        runTo_ = to;
    }

    const PixelImage& image_;
    const std::uint32_t pixel_;
    const double xMin_{-1.0};
    const double xMax_;
    const double yMin_{-1.0};
    const double yMax_;
    Pixel last_{INT_MIN, INT_MIN};
    int lastDir_{0};
    bool lastAligned_{false};
    int runX_{INT_MIN};
    int runFrom_{0};
    int runTo_{0};
};

} // namespace

bool DrawPolylineOnePixel(const PixelImage& image, const QPointF* points, std::size_t n, std::uint32_t pixel)
{
    if (n < 2 || image.Bits == nullptr || image.Width <= 0 || image.Height <= 0 || image.Width > kMaxSide ||
        image.Height > kMaxSide)
        return false;
    for (std::size_t i = 0; i < n; ++i) {
        const double x = points[i].x();
        const double y = points[i].y();
        if (!std::isfinite(x) || !std::isfinite(y) || std::abs(x) >= kFarOut || std::abs(y) >= kFarOut)
            return false;
    }
    // A closed polyline is stroked as a ring, joined at its start.
    if (points[0].x() == points[n - 1].x() && points[0].y() == points[n - 1].y())
        return false;
    Stroker s(image, pixel);
    QPointF from = points[0];
    for (std::size_t i = 1; i < n; ++i) {
        const int caps = (i == 1 ? kCapBegin : 0) | (i + 1 == n ? kCapEnd : 0);
        const bool moved = s.Segment(from.x(), from.y(), points[i].x(), points[i].y(), caps);
        // A segment too short to light anything leaves the start where it
        // was, except at the polyline's two ends.
        if (moved || i == 1 || i + 1 == n)
            from = points[i];
    }
    s.Flush();
    return true;
}

} // namespace vesdra
