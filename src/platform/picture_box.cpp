#include "platform/picture_box.h"

#include <QFontMetricsF>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPen>
#include <QTransform>
#include <algorithm>
#include <cmath>

#include "platform/base/polyline_pixels.h"
#include "platform/base/screen.h"
#include "platform/base/segment_clip.h"
#include "platform/line_control.h"
#include "platform/twips.h"

namespace vesdra {

namespace {

// Points farther out than this (pixels) are clipped by us before they reach
// the rasteriser, whose fixed-point arithmetic does not survive them.
constexpr double kSafePixels = 1.0e6;

// Longer polylines the painter hands on in pieces; they stay with it.
constexpr std::size_t kMaxPolylinePoints = 0xffff;

bool Finite(QPointF p)
{
    return std::isfinite(p.x()) && std::isfinite(p.y());
}

bool Safe(QPointF px)
{
    return std::abs(px.x()) < kSafePixels && std::abs(px.y()) < kSafePixels;
}

// The box around the points of one batch call, in the caller's units.
struct BoundingBox {
    double MinX, MaxX, MinY, MaxY;
    explicit BoundingBox(QPointF p) : MinX(p.x()), MaxX(p.x()), MinY(p.y()), MaxY(p.y()) {}
    void Include(QPointF p)
    {
        MinX = std::min(MinX, p.x());
        MaxX = std::max(MaxX, p.x());
        MinY = std::min(MinY, p.y());
        MaxY = std::max(MaxY, p.y());
    }
};

// Finite and within the rasteriser's reach once in pixels (Finite and Safe
// of ToPixels), with the screen's twips per pixel looked up once per batch.
struct Alcance {
    double TppX, TppY;
    Alcance() : TppX(Screen().TwipsPerPixelX), TppY(Screen().TwipsPerPixelY) {}
    [[nodiscard]] bool operator()(QPointF twips) const
    {
        return std::abs(twips.x() / TppX) < kSafePixels && std::abs(twips.y() / TppY) < kSafePixels;
    }
};

// The painter's transform applied with the transform's own arithmetic; for
// a scale (all a picture box sets) without a call per point.
class ADispositivo
{
public:
    explicit ADispositivo(const QTransform& t)
        : t_(t), escala_(t.type() <= QTransform::TxScale), sx_(t.m11()), sy_(t.m22()), dx_(t.dx()),
          dy_(t.dy())
    {
    }
    [[nodiscard]] QPointF operator()(QPointF p) const
    {
        return escala_ ? QPointF(sx_ * p.x() + dx_, sy_ * p.y() + dy_) : t_.map(p);
    }

private:
    QTransform t_;
    bool escala_;
    double sx_, sy_, dx_, dy_;
};

QPointF ToPixels(QPointF twips)
{
    const ScreenInfo& s = Screen();
    return {twips.x() / s.TwipsPerPixelX, twips.y() / s.TwipsPerPixelY};
}

QPointF PixelsToTwips(QPointF px)
{
    const ScreenInfo& s = Screen();
    return {px.x() * s.TwipsPerPixelX, px.y() * s.TwipsPerPixelY};
}

int ButtonCode(Qt::MouseButton b)
{
    switch (b) {
    case Qt::LeftButton:
        return 1;
    case Qt::RightButton:
        return 2;
    case Qt::MiddleButton:
        return 4;
    default:
        return 0;
    }
}

int ButtonsCode(Qt::MouseButtons b)
{
    return (b & Qt::LeftButton ? 1 : 0) | (b & Qt::RightButton ? 2 : 0) | (b & Qt::MiddleButton ? 4 : 0);
}

} // namespace

int ShiftState(Qt::KeyboardModifiers modifiers)
{
    return (modifiers & Qt::ShiftModifier ? 1 : 0) | (modifiers & Qt::ControlModifier ? 2 : 0) |
           (modifiers & Qt::AltModifier ? 4 : 0);
}

PictureBox::PictureBox(QWidget* parent) : QWidget(parent), backColor_(0x8000000Fu)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
}

PictureBox::~PictureBox()
{
    EndPainting();
}

std::int32_t PictureBox::Left() const
{
    return LeftTwips(*this);
}
std::int32_t PictureBox::Top() const
{
    return TopTwips(*this);
}
std::int32_t PictureBox::Width() const
{
    return WidthTwips(*this);
}
std::int32_t PictureBox::Height() const
{
    return HeightTwips(*this);
}
void PictureBox::Move(double left, double top, double width, double height)
{
    MoveTwips(*this, left, top, width, height);
}
void PictureBox::SetLeft(double left)
{
    SetLeftTwips(*this, left);
}
void PictureBox::SetTop(double top)
{
    SetTopTwips(*this, top);
}
void PictureBox::SetWidth(double width)
{
    SetWidthTwips(*this, width);
}
void PictureBox::SetHeight(double height)
{
    SetHeightTwips(*this, height);
}

void PictureBox::SetBackColor(std::uint32_t bgr)
{
    backColor_ = bgr;
    Cls();
}

void PictureBox::EnsureImageSize(const QSize& size)
{
    const QSize want = size.expandedTo(image_.size()).expandedTo(QSize(1, 1));
    if (want == image_.size())
        return;
    EndPainting();
    QImage grown(want, QImage::Format_RGB32);
    // Text drawn into the image must have the size the form measures with
    // TextWidth and TextHeight: the image takes the screen's logical DPI.
    const ScreenInfo& s = Screen();
    grown.setDotsPerMeterX(static_cast<int>(std::lround(1440.0 / s.TwipsPerPixelX / 0.0254)));
    grown.setDotsPerMeterY(static_cast<int>(std::lround(1440.0 / s.TwipsPerPixelY / 0.0254)));
    grown.fill(PenColor(backColor_));
    if (!image_.isNull()) {
        QPainter p(&grown);
        p.drawImage(0, 0, image_);
    }
    image_ = std::move(grown);
}

// The painter stays open between drawing calls (opening one per segment would
// dominate the cost of a trace drawn segment by segment); anything that reads
// or reshapes the image ends it first.
QPainter& PictureBox::Painter()
{
    if (!image_.isNull() && image_.width() >= width() && image_.height() >= height() && painter_)
        return *painter_;
    EnsureImageSize(size());
    if (!painter_) {
        painter_ = std::make_unique<QPainter>(&image_);
        painter_->setRenderHint(QPainter::Antialiasing, false);
        const ScreenInfo& s = Screen();
        painter_->setTransform(QTransform::fromScale(1.0 / s.TwipsPerPixelX, 1.0 / s.TwipsPerPixelY));
        penWidth_ = -1;
    }
    return *painter_;
}

void PictureBox::EndPainting() const
{
    painter_.reset();
}

void PictureBox::ApplyPen(std::uint32_t bgr)
{
    QPainter& p = Painter();
    const int width = std::max(1, DrawWidth);
    if (penWidth_ == width && penStyle_ == DrawStyle && penColor_ == bgr)
        return;
    QPen pen(PenColor(bgr), width, PenStyleFor(DrawStyle), Qt::RoundCap, Qt::RoundJoin);
    pen.setCosmetic(true);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    penWidth_ = width;
    penStyle_ = DrawStyle;
    penColor_ = bgr;
}

// Screen updates are gathered into one rectangle and flushed once per turn of
// the event loop, so thousands of drawing calls cost one repaint.
void PictureBox::MarkDirty(const QRectF& pixels, int penWidth)
{
    const int m = std::max(1, penWidth) + 1;
    const QRect r =
        pixels.normalized().toAlignedRect().adjusted(-m, -m, m, m) & QRect(QPoint(0, 0), image_.size());
    if (r.isEmpty())
        return;
    pendingDirty_ |= r;
    if (flushQueued_)
        return;
    flushQueued_ = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            flushQueued_ = false;
            update(pendingDirty_);
            pendingDirty_ = {};
        },
        Qt::QueuedConnection);
}

void PictureBox::Cls()
{
    EnsureImageSize(size());
    EndPainting();
    image_.fill(PenColor(backColor_));
    CurrentX = 0;
    CurrentY = 0;
    MarkDirty(QRectF(QPointF(0, 0), QSizeF(image_.size())), 0);
}

void PictureBox::Line(double x1, double y1, double x2, double y2, std::optional<std::uint32_t> color,
                      LineForm form)
{
    CurrentX = x2;
    CurrentY = y2;
    QPointF a(x1, y1), b(x2, y2);
    if (!Finite(a) || !Finite(b))
        return;
    const std::uint32_t c = color.value_or(ForeColor);
    QPointF pa = ToPixels(a), pb = ToPixels(b);
    if (form == LineForm::Plain) {
        if (!Safe(pa) || !Safe(pb)) {
            const QSize area = size().expandedTo(image_.size());
            if (!ClipSegment(pa, pb, QRectF(-64.0, -64.0, area.width() + 128.0, area.height() + 128.0)))
                return;
            a = PixelsToTwips(pa);
            b = PixelsToTwips(pb);
        }
        ApplyPen(c);
        Painter().drawLine(a, b);
        MarkDirty(QRectF(pa, pb), penWidth_);
        return;
    }
    // Boxes are clamped corner by corner: an axis-parallel shape keeps its
    // visible part when cut to the drawable area.
    auto clampPx = [](QPointF p) {
        return QPointF(std::clamp(p.x(), -kSafePixels, kSafePixels),
                       std::clamp(p.y(), -kSafePixels, kSafePixels));
    };
    pa = clampPx(pa);
    pb = clampPx(pb);
    const QRectF twipsRect = QRectF(PixelsToTwips(pa), PixelsToTwips(pb)).normalized();
    if (form == LineForm::FilledBox) {
        EnsureImageSize(size());
        // Filled in pixel space so both corners are included, as the toolkit does.
        QPainter& p = Painter();
        const QRect px = QRectF(pa, pb).normalized().toRect().adjusted(0, 0, 1, 1);
        const QColor fill = PenColor(c);
        if (fill.alpha() == 255) {
            // An opaque fill of whole pixels is those pixels in its colour:
            // written directly, without a round of painter state per box.
            FillPixels(px, fill.rgb());
        } else {
            p.save();
            p.resetTransform();
            p.fillRect(px, fill);
            p.restore();
        }
        MarkDirty(QRectF(px), 0);
    } else {
        ApplyPen(c);
        Painter().drawRect(twipsRect);
        MarkDirty(QRectF(pa, pb), penWidth_);
    }
}

void PictureBox::LineTo(double x2, double y2, std::optional<std::uint32_t> color)
{
    Line(CurrentX, CurrentY, x2, y2, color);
}

void PictureBox::PSet(double x, double y, std::optional<std::uint32_t> color)
{
    CurrentX = x;
    CurrentY = y;
    const QPointF px = ToPixels(QPointF(x, y));
    if (!Finite(px) || !Safe(px))
        return;
    ApplyPen(color.value_or(ForeColor));
    Painter().drawPoint(QPointF(x, y));
    MarkDirty(QRectF(px, px), penWidth_);
}

void PictureBox::Polyline(const QPointF* points, std::size_t n, std::optional<std::uint32_t> color)
{
    if (n == 0)
        return;
    CurrentX = points[n - 1].x();
    CurrentY = points[n - 1].y();
    if (n < 2)
        return;
    const Alcance alcance;
    BoundingBox e(points[0]);
    bool allSafe = true;
    for (std::size_t i = 0; i < n; ++i) {
        if (!alcance(points[i])) {
            allSafe = false;
            break;
        }
        e.Include(points[i]);
    }
    const std::uint32_t c = color.value_or(ForeColor);
    if (!allSafe) {
        // Rare: some point is far outside or not a number; segment by segment.
        const double savedX = CurrentX, savedY = CurrentY;
        for (std::size_t i = 1; i < n; ++i)
            Line(points[i - 1].x(), points[i - 1].y(), points[i].x(), points[i].y(), c);
        CurrentX = savedX;
        CurrentY = savedY;
        return;
    }
    ApplyPen(c);
    const std::optional<QRgb> directo = DirectPixel(c);
    if (!directo || !PolylineOnePixel(points, n, *directo))
        Painter().drawPolyline(points, static_cast<int>(std::min<std::size_t>(n, INT32_MAX)));
    MarkDirty(QRectF(ToPixels(QPointF(e.MinX, e.MinY)), ToPixels(QPointF(e.MaxX, e.MaxY))), penWidth_);
}

void PictureBox::Lines(const QLineF* lines, std::size_t n, std::optional<std::uint32_t> color)
{
    if (n == 0)
        return;
    const std::uint32_t c = color.value_or(ForeColor);
    const Alcance alcance;
    BoundingBox e(lines[0].p1());
    bool allSafe = true;
    for (std::size_t i = 0; i < n && allSafe; ++i) {
        for (const QPointF& p : {lines[i].p1(), lines[i].p2()}) {
            if (!alcance(p)) {
                allSafe = false;
                break;
            }
            e.Include(p);
        }
    }
    if (!allSafe) {
        const double savedX = CurrentX, savedY = CurrentY;
        for (std::size_t i = 0; i < n; ++i)
            Line(lines[i].x1(), lines[i].y1(), lines[i].x2(), lines[i].y2(), c);
        CurrentX = savedX;
        CurrentY = savedY;
        return;
    }
    ApplyPen(c);
    if (const std::optional<QRgb> directo = DirectPixel(c))
        LinesOnePixel(lines, n, *directo);
    else
        Painter().drawLines(lines, static_cast<int>(std::min<std::size_t>(n, INT32_MAX)));
    MarkDirty(QRectF(ToPixels(QPointF(e.MinX, e.MinY)), ToPixels(QPointF(e.MaxX, e.MaxY))), penWidth_);
}

std::optional<QRgb> PictureBox::DirectPixel(std::uint32_t color) const
{
    // A 1-pixel solid pen in an opaque colour lights each pixel in that very
    // colour, so its pixels can be written rather than painted; a wider or
    // patterned pen, or a colour the painter blends, stays with the painter.
    const QColor pen = PenColor(color);
    if (penWidth_ != 1 || DrawStyle != 0 || pen.alpha() != 255)
        return std::nullopt;
    return pen.rgb();
}

void PictureBox::LinesOnePixel(const QLineF* lines, std::size_t n, QRgb rgb)
{
    // A 1-pixel solid pen lights, for a segment whose ends fall on whole
    // pixels of one column, exactly that column's pixels between and at its
    // ends: such segments (the runs of a trace's envelope, most of its
    // pixels) are written as pixel columns, the rest go to the painter.
    QPainter& p = Painter();
    const ADispositivo t(p.deviceTransform());
    const int w = image_.width();
    const int h = image_.height();
    // The painter is open on the image, so its pixels are not shared and
    // writing them is writing what the painter paints on.
    uchar* const bits = image_.bits();
    const qsizetype linea = image_.bytesPerLine();
    std::vector<QLineF> otros;
    for (std::size_t i = 0; i < n; ++i) {
        const QPointF a = t(lines[i].p1());
        const QPointF b = t(lines[i].p2());
        if (a.x() != b.x() || a.x() != std::floor(a.x()) || a.y() != std::floor(a.y()) ||
            b.y() != std::floor(b.y())) {
            otros.push_back(lines[i]);
            continue;
        }
        const auto x = static_cast<int>(a.x());
        const int y0 = std::max(static_cast<int>(std::min(a.y(), b.y())), 0);
        const int y1 = std::min(static_cast<int>(std::max(a.y(), b.y())), h - 1);
        if (x < 0 || x >= w)
            continue;
        for (int y = y0; y <= y1; ++y)
            reinterpret_cast<QRgb*>(bits + y * linea)[x] = rgb;
    }
    if (!otros.empty())
        p.drawLines(otros.data(), static_cast<int>(std::min<std::size_t>(otros.size(), INT32_MAX)));
}

void PictureBox::FillPixels(const QRect& pixels, QRgb rgb)
{
    // The painter is open on the image, so its pixels are not shared.
    const QRect r = pixels & image_.rect();
    if (r.isEmpty())
        return;
    const qsizetype linea = image_.bytesPerLine();
    uchar* const bits = image_.bits();
    for (int y = r.top(); y <= r.bottom(); ++y) {
        QRgb* const row = reinterpret_cast<QRgb*>(bits + y * linea);
        std::fill(row + r.left(), row + r.right() + 1, rgb);
    }
}

bool PictureBox::PolylineOnePixel(const QPointF* points, std::size_t n, QRgb rgb)
{
    // A joined polyline with a 1-pixel solid pen: its pixels are written
    // directly, the very pixels the painter would light (a dense trace's
    // columns retraced by several segments cost their pixels once). What
    // that writing does not cover goes to the painter.
    if (n > kMaxPolylinePoints)
        return false;
    QPainter& p = Painter();
    const ADispositivo t(p.deviceTransform());
    polylinePixels_.resize(n);
    for (std::size_t i = 0; i < n; ++i)
        polylinePixels_[i] = t(points[i]);
    // The painter is open on the image, so its pixels are not shared and
    // writing them is writing what the painter paints on.
    const PixelImage image{reinterpret_cast<std::uint32_t*>(image_.bits()), image_.bytesPerLine() / 4,
                           image_.width(), image_.height()};
    return DrawPolylineOnePixel(image, polylinePixels_.data(), n, rgb);
}

void PictureBox::Print(const QString& text)
{
    const QPointF at = ToPixels(QPointF(CurrentX, CurrentY));
    const double lineHeight = TextHeight(text);
    if (Finite(at) && Safe(at)) {
        QPainter& p = Painter();
        const QFontMetricsF fm(font());
        p.save();
        p.resetTransform();
        p.setFont(font());
        p.setPen(PenColor(ForeColor));
        p.drawText(QPointF(at.x(), at.y() + fm.ascent()), text);
        p.restore();
        penWidth_ = -1; // restore() brought back the drawing pen, but be sure
        MarkDirty(QRectF(at, QSizeF(fm.horizontalAdvance(text) + 2, fm.height() + 2)), 0);
    }
    CurrentX = 0;
    CurrentY += lineHeight;
}

double PictureBox::TextWidth(const QString& text) const
{
    return TextWidthTwips(font(), text);
}
double PictureBox::TextHeight(const QString& text) const
{
    return TextHeightTwips(font(), text);
}

LineControl* PictureBox::AddLine()
{
    lines_.push_back(std::unique_ptr<LineControl>(new LineControl(this)));
    LineControl* line = lines_.back().get();
    update(line->PixelExtent());
    return line;
}

const QImage& PictureBox::Image() const
{
    EndPainting();
    return image_;
}

void PictureBox::PaintContents(QPainter& p, const QRect& area) const
{
    EndPainting();
    const QRect fromImage = area & image_.rect();
    if (!fromImage.isEmpty())
        p.drawImage(fromImage.topLeft(), image_, fromImage);
    // Area not yet covered by the kept image (nothing drawn since a resize).
    const QRegion rest = QRegion(area).subtracted(QRegion(fromImage));
    for (const QRect& r : rest)
        p.fillRect(r, PenColor(backColor_));
    for (const auto& line : lines_) {
        if (line->PixelExtent().intersects(area))
            line->Paint(p);
    }
}

QImage PictureBox::RenderImage() const
{
    if (size().isEmpty())
        return {};
    QImage out(size(), QImage::Format_RGB32);
    QPainter p(&out);
    PaintContents(p, rect());
    return out;
}

void PictureBox::paintEvent(QPaintEvent* event)
{
    QPainter p(this);
    p.setClipRegion(event->region());
    PaintContents(p, event->rect());
}

void PictureBox::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    // The kept image only grows; the next drawing call or paint sizes it.
}

void PictureBox::mousePressEvent(QMouseEvent* event)
{
    const QPointF p = event->position();
    emit MouseDown(ButtonCode(event->button()), ShiftState(event->modifiers()), PixelsToTwipsX(p.x()),
                   PixelsToTwipsY(p.y()));
}

void PictureBox::mouseMoveEvent(QMouseEvent* event)
{
    const QPointF p = event->position();
    emit MouseMove(ButtonsCode(event->buttons()), ShiftState(event->modifiers()), PixelsToTwipsX(p.x()),
                   PixelsToTwipsY(p.y()));
}

void PictureBox::mouseReleaseEvent(QMouseEvent* event)
{
    const QPointF p = event->position();
    emit MouseUp(ButtonCode(event->button()), ShiftState(event->modifiers()), PixelsToTwipsX(p.x()),
                 PixelsToTwipsY(p.y()));
    if (event->button() == Qt::LeftButton && rect().contains(p.toPoint()))
        emit Click();
}

void PictureBox::keyPressEvent(QKeyEvent* event)
{
    emit KeyDown(event->key(), ShiftState(event->modifiers()));
    event->accept();
}

} // namespace vesdra
