#pragma once
#include <QLineF>
#include <QRect>
#include <cstdint>
#include <optional>

class QPainter;

namespace vesdra {

class PictureBox;

// A line control inside a picture box: a segment drawn above the kept
// picture, moved by its end points (twips, picture coordinates). Moving,
// showing or recolouring it repaints only the old and the new extent of the
// line; the picture's kept image is never touched, so cursors and rubber
// bands cost nothing however large the trace below them is.
//
// Created by PictureBox::AddLine, owned by its box, drawn in creation order.
// A new line is visible, solid, black, one pixel wide, at 0, 0 - 0, 0.
class LineControl
{
public:
    // BorderStyle values as the toolkit numbers them.
    enum : int { Transparent = 0, Solid = 1, Dash = 2, Dot = 3, DashDot = 4, DashDotDot = 5 };

    [[nodiscard]] double X1() const { return x1_; }
    [[nodiscard]] double Y1() const { return y1_; }
    [[nodiscard]] double X2() const { return x2_; }
    [[nodiscard]] double Y2() const { return y2_; }
    void SetX1(double v);
    void SetY1(double v);
    void SetX2(double v);
    void SetY2(double v);
    // All four end points at once: one repaint instead of four.
    void SetPoints(double x1, double y1, double x2, double y2);

    // Colour as &HBBGGRR (a value with the top bit set names a system colour).
    [[nodiscard]] std::uint32_t BorderColor() const { return color_; }
    void SetBorderColor(std::uint32_t bgr);
    [[nodiscard]] int BorderStyle() const { return style_; }
    void SetBorderStyle(int style);
    // Pen width in pixels (at least 1).
    [[nodiscard]] int BorderWidth() const { return width_; }
    void SetBorderWidth(int pixels);
    [[nodiscard]] bool Visible() const { return visible_; }
    void SetVisible(bool visible);

    // The segment as drawn, in pixels of the picture: cut to the picture
    // along the line's own direction, so it points where its end points
    // say however far out they lie. None when hidden, outside the picture
    // or not finite.
    [[nodiscard]] std::optional<QLineF> DrawnPixels() const;
    // The pixel rectangle the line covers now (empty when hidden).
    [[nodiscard]] QRect PixelExtent() const;
    // Draws the line (when visible) with the painter in pixel coordinates.
    void Paint(QPainter& p) const;

private:
    friend class PictureBox;
    explicit LineControl(PictureBox* box) : box_(box) {}
    LineControl(const LineControl&) = delete;
    LineControl& operator=(const LineControl&) = delete;
    void Changed(const QRect& before);

    PictureBox* box_{};
    double x1_{}, y1_{}, x2_{}, y2_{};
    std::uint32_t color_{0};
    int style_{Solid};
    int width_{1};
    bool visible_{true};
};

} // namespace vesdra
