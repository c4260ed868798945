#pragma once
#include <QImage>
#include <QLineF>
#include <QPointF>
#include <QRect>
#include <QWidget>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "platform/pens.h"

class QPainter;

namespace vesdra {

class LineControl;

// A picture box whose drawing is kept: every drawing call paints into a kept
// image at once (the toolkit's AutoRedraw), the widget shows that image and
// the line controls above it. Coordinates are twips from the top-left corner
// of the picture; the box has no border, so Width equals ScaleWidth.
//
// The kept image grows with the widget and never shrinks; new area is filled
// with BackColor. Colours are &HBBGGRR values (top bit set: a system colour).
//
// Drawing is meant for large traces: the painter stays open across calls and
// the screen is refreshed once per event-loop turn, so a loop of single Line
// calls is acceptable, and Polyline/Lines draw a whole trace or envelope in
// one call.
class PictureBox : public QWidget
{
    Q_OBJECT
public:
    explicit PictureBox(QWidget* parent = nullptr);
    ~PictureBox() override;

    // Geometry in twips within the parent.
    [[nodiscard]] std::int32_t Left() const;
    [[nodiscard]] std::int32_t Top() const;
    [[nodiscard]] std::int32_t Width() const;
    [[nodiscard]] std::int32_t Height() const;
    [[nodiscard]] std::int32_t ScaleWidth() const { return Width(); }
    [[nodiscard]] std::int32_t ScaleHeight() const { return Height(); }
    void Move(double left, double top, double width, double height);
    void SetLeft(double left);
    void SetTop(double top);
    void SetWidth(double width);
    void SetHeight(double height);

    // Drawing state, as the toolkit's properties.
    [[nodiscard]] std::uint32_t BackColor() const { return backColor_; }
    // Setting BackColor clears the picture, as the toolkit does.
    void SetBackColor(std::uint32_t bgr);
    std::uint32_t ForeColor{0};
    int DrawWidth{1}; // pixels
    int DrawStyle{0}; // 0 solid, 1 dash, 2 dot, 3 dash-dot, 4 dash-dot-dot, 5 invisible
    double CurrentX{0};
    double CurrentY{0};

    // Clears the picture to BackColor and puts CurrentX, CurrentY at 0, 0.
    void Cls();
    // A segment (or box) in the given colour, ForeColor when none; leaves
    // CurrentX, CurrentY at the second point.
    void Line(double x1, double y1, double x2, double y2, std::optional<std::uint32_t> color = std::nullopt,
              LineForm form = LineForm::Plain);
    // From CurrentX, CurrentY to the point (the toolkit's Line -(x, y)).
    void LineTo(double x2, double y2, std::optional<std::uint32_t> color = std::nullopt);
    void PSet(double x, double y, std::optional<std::uint32_t> color = std::nullopt);
    // Joined segments through n points (twips) in one colour; leaves the
    // current point at the last one. Fewer than two points draw nothing.
    void Polyline(const QPointF* points, std::size_t n, std::optional<std::uint32_t> color = std::nullopt);
    // Independent segments (twips), e.g. the min/max columns of an envelope.
    void Lines(const QLineF* lines, std::size_t n, std::optional<std::uint32_t> color = std::nullopt);
    // One text at CurrentX, CurrentY (top of its line) in ForeColor and the
    // widget's font, background untouched; then CurrentX = 0 and CurrentY one
    // line lower.
    void Print(const QString& text);
    [[nodiscard]] double TextWidth(const QString& text) const;
    [[nodiscard]] double TextHeight(const QString& text) const;

    // Line controls drawn above the picture, in creation order.
    LineControl* AddLine();
    [[nodiscard]] const std::vector<std::unique_ptr<LineControl>>& LineControls() const { return lines_; }

    // The kept picture (pixels; may be larger than the widget).
    [[nodiscard]] const QImage& Image() const;
    // What the widget shows: the picture at the widget's size with the
    // visible line controls above it. Works offscreen and for hidden boxes.
    [[nodiscard]] QImage RenderImage() const;

    // Painting the screen: the kept picture and the line controls.
    void PaintContents(QPainter& p, const QRect& area) const;

signals:
    // Button: 1 left, 2 right, 4 middle (MouseMove: the buttons held, summed).
    // Shift: 1 Shift, 2 Ctrl, 4 Alt. x, y in twips inside the picture.
    void MouseDown(int button, int shift, double x, double y);
    void MouseMove(int button, int shift, double x, double y);
    void MouseUp(int button, int shift, double x, double y);
    void Click();
    // Qt key code and the shift state as above.
    void KeyDown(int key, int shift);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    friend class LineControl;
    QPainter& Painter();
    void EndPainting() const;
    void ApplyPen(std::uint32_t bgr);
    [[nodiscard]] std::optional<QRgb> DirectPixel(std::uint32_t color) const;
    void LinesOnePixel(const QLineF* lines, std::size_t n, QRgb rgb);
    void FillPixels(const QRect& pixels, QRgb rgb);
    bool PolylineOnePixel(const QPointF* points, std::size_t n, QRgb rgb);
    void MarkDirty(const QRectF& pixels, int penWidth);
    void EnsureImageSize(const QSize& size);

    mutable QImage image_;
    mutable std::unique_ptr<QPainter> painter_;
    std::uint32_t backColor_;
    // Pen last set on the open painter, to skip redundant pen changes.
    std::uint32_t penColor_{};
    int penWidth_{-1};
    int penStyle_{-1};
    QRect pendingDirty_;
    bool flushQueued_{false};
    std::vector<std::unique_ptr<LineControl>> lines_;
    std::vector<QPointF> polylinePixels_; // a polyline's points in pixels, reused
};

// Shift state of the toolkit (1 Shift, 2 Ctrl, 4 Alt) from Qt modifiers.
[[nodiscard]] int ShiftState(Qt::KeyboardModifiers modifiers);

} // namespace vesdra
