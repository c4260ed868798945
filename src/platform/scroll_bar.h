#pragma once
#include <QScrollBar>
#include <cstdint>

namespace vesdra {

// A scroll bar with the toolkit's semantics: Min, Max, Value, SmallChange and
// LargeChange as 32-bit values, and a Change notification raised at once,
// synchronously, whenever Value really changes: by the user (arrows, page
// clicks, dragging the thumb) or by code setting Value, Min or Max (the last
// two clamp Value into the new range). Setting a value equal to the current
// one raises nothing. Linked views and cursors rely on exactly this.
//
// Min may exceed Max (a reversed bar: Value then runs from Min down to Max
// as the thumb moves right). Scroll is raised while the thumb is dragged, in
// addition to Change.
//
// A bar takes the focus (Tab or a click) and moves its thumb by keyboard:
// the arrow keys by SmallChange (left and up towards the left end), Page Up
// and Page Down by LargeChange, Home and End to either end.
class ScrollBar : public QScrollBar
{
    Q_OBJECT
public:
    explicit ScrollBar(Qt::Orientation orientation, QWidget* parent = nullptr);

    [[nodiscard]] std::int32_t Min() const { return min_; }
    [[nodiscard]] std::int32_t Max() const { return max_; }
    [[nodiscard]] std::int32_t Value() const { return value_; }
    [[nodiscard]] std::int32_t SmallChange() const { return smallChange_; }
    [[nodiscard]] std::int32_t LargeChange() const { return largeChange_; }
    void SetMin(std::int32_t v);
    void SetMax(std::int32_t v);
    void SetValue(std::int32_t v);
    void SetSmallChange(std::int32_t v);
    void SetLargeChange(std::int32_t v);

    // A box raised by a Change while the mouse holds a bar down (a page
    // click that repeats, the thumb dragged) takes the mouse's release: the
    // bar held would go on paging behind the box and after it. The bar held
    // now, if any, lets go as if the button were released.
    static void SoltarPulsada();

signals:
    void Change();
    void Scroll();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void SyncSlider();
    void FromSlider(int sliderValue);
    void Store(std::int32_t v);
    void Reclamp();
    [[nodiscard]] std::int32_t Clamp(std::int32_t v) const;
    [[nodiscard]] int ToSlider(std::int32_t v) const;

    std::int32_t min_{0};
    std::int32_t max_{32767};
    std::int32_t value_{0};
    std::int32_t smallChange_{1};
    std::int32_t largeChange_{1};
    // Set while the slider is brought in line with the stored state, so its
    // own valueChanged is not taken for a user action.
    bool syncing_{false};
};

class HScrollBar : public ScrollBar
{
    Q_OBJECT
public:
    explicit HScrollBar(QWidget* parent = nullptr) : ScrollBar(Qt::Horizontal, parent) {}
};

class VScrollBar : public ScrollBar
{
    Q_OBJECT
public:
    explicit VScrollBar(QWidget* parent = nullptr) : ScrollBar(Qt::Vertical, parent) {}
};

} // namespace vesdra
