#include "platform/base/polyline_pixels.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <utility>

namespace vesdra {

namespace {

// Directions of a stroked segment, in drawing order, and the two masks that
// turn a direction into its reverse.
enum : int {
    kDown = 1,
    kUp = 2,
    kRight = 4,
    kLeft = 8,
    kVertical = kDown | kUp,
    kHorizontal = kRight | kLeft
};
// Half-pixel extensions at the start and the end of a segment.
enum : int { kCapBegin = 1, kCapEnd = 2 };

constexpr int kMaxSide = 8192;    // pixels; keeps every 16.16 sum within 32 bits
constexpr double kFarOut = 1.0e6; // pixels

struct Pixel {
    int X;
    int Y;
    bool operator==(const Pixel&) const = default;
};

// 26.6 fixed point, cut toward zero as the engine does.
int Fixed26(double v)
{
    return static_cast<int>(v * 64.0);
}

// 16.16 quotient, cut toward zero.
int Slope(int num, int den)
{
    return static_cast<int>(static_cast<std::int64_t>(num) * 65536 / den);
}

int Reversed(int caps)
{
    return ((caps & kCapBegin) << 1) | ((caps & kCapEnd) >> 1);
}

bool FarApart(Pixel a, Pixel b)
{
    return std::abs(a.X - b.X) > 1 || std::abs(a.Y - b.Y) > 1;
}

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
            return Walk<true>(ay, ax, by, bx, caps) || long_;
        if (dx == 0)
            return true;
        return Walk<false>(ax, ay, bx, by, caps) || long_;
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
        return Cut(x1, y1, x2, y2, xMin_, xMax_) || Cut(y1, x1, y2, x2, yMin_, yMax_);
    }

    // Clip along one axis: p the coordinates on it, q on the other.
    bool Cut(double& p1, double& q1, double& p2, double& q2, double lo, double hi)
    {
        if (p1 < lo) {
            if (p2 <= lo)
                return Gone();
            q1 += (q2 - q1) / (p2 - p1) * (lo - p1);
            p1 = lo;
        } else if (p1 > hi) {
            if (p2 >= hi)
                return Gone();
            q1 += (q2 - q1) / (p2 - p1) * (hi - p1);
            p1 = hi;
        }
        if (p2 < lo) {
            last_.X = INT_MIN;
            q2 += (q2 - q1) / (p2 - p1) * (lo - p2);
            p2 = lo;
        } else if (p2 > hi) {
            last_.X = INT_MIN;
            q2 += (q2 - q1) / (p2 - p1) * (hi - p2);
            p2 = hi;
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
        Repeat,  // the same pixel: the segment leaves it out
        Gap,     // a turn leaves a gap: one pixel more at the start
        Shifted, // same direction, a row (column) apart: moved half a step
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

    // One segment on the fixed-point grid, one pixel per step along its
    // longer (major) axis, y when Steep, x otherwise; a and b are the major
    // coordinates of its ends, u and v the minor ones, all 26.6.
    template <bool Steep> bool Walk(int a1, int u1, int a2, int u2, int caps)
    {
        constexpr int forward = Steep ? kDown : kRight;
        constexpr int backward = Steep ? kUp : kLeft;
        constexpr int reverse = Steep ? kVertical : kHorizontal;
        const auto major = [](Pixel p) { return Steep ? p.Y : p.X; };
        const auto pixel = [](int a, int u) { return Steep ? Pixel{u, a} : Pixel{a, u}; };
        int dir = forward;
        const bool swapped = a1 > a2;
        if (swapped) {
            std::swap(a1, a2);
            std::swap(u1, u2);
            caps = Reversed(caps);
            dir = backward;
        }
        const int inc = Slope(u2 - u1, a2 - a1);
        int u = u1 * 1024; // 16.16
        if ((lastDir_ ^ reverse) == dir)
            caps |= swapped ? kCapEnd : kCapBegin;
        if (caps & kCapBegin) {
            a1 -= 32;
            u -= inc >> 1;
        }
        if (caps & kCapEnd)
            a2 += 32;
        int a = (a1 + 32) >> 6;
        int as = (a2 + 32) >> 6;
        // A start cap that rounds past the pixel the last segment ended on
        // starts on that pixel's neighbour instead.
        if ((caps & kCapBegin) && major(last_) == a + 1)
            ++a;
        if (a == as)
            return false;
        u += ((a * 64 + (inc > 0 ? 32 : 0) - a1) * inc) >> 6;
        Pixel first = pixel(a, u >> 16);
        Pixel end = pixel(as - 1, (u + (as - a - 1) * inc) >> 16);
        if (swapped)
            std::swap(first, end);
        const bool aligned = std::abs(inc) < (1 << 14);
        const Joint joint = JointWith(first, dir, aligned);
        if (joint == Joint::Shifted) {
            u += inc >> 1;
            const int minor = swapped ? u >> 16 : (u + (as - a - 1) * inc) >> 16;
            end = pixel(major(end), minor);
        } else if (joint != Joint::AsItIs) {
            // One pixel fewer or more at the start in drawing order.
            const int cut = joint == Joint::Repeat ? 1 : -1;
            if (swapped) {
                as -= cut;
            } else {
                a += cut;
                u += cut * inc;
            }
        }
        lastDir_ = dir;
        lastAligned_ = aligned;
        last_ = end;
        // At least one pixel, even where the joint left none.
        if (Steep && inc == 0) {
            Run(u >> 16, a, std::max(a, as - 1));
            return true;
        }
        do {
            if constexpr (Steep)
                Run(u >> 16, a, a);
            else
                Run(a, u >> 16, u >> 16);
            u += inc;
        } while (++a < as);
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
