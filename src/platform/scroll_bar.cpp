#include "platform/scroll_bar.h"

#include <QCursor>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>
#include <algorithm>
#include <utility>

namespace vesdra {

namespace {

// The bar the mouse holds down, if any.
QPointer<ScrollBar>& Pulsada()
{
    static QPointer<ScrollBar> pulsada;
    return pulsada;
}

} // namespace

ScrollBar::ScrollBar(Qt::Orientation orientation, QWidget* parent) : QScrollBar(orientation, parent)
{
    setTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    SyncSlider();
    connect(this, &QAbstractSlider::valueChanged, this, &ScrollBar::FromSlider);
}

std::int32_t ScrollBar::Clamp(std::int32_t v) const
{
    return std::clamp(v, std::min(min_, max_), std::max(min_, max_));
}

// A reversed bar (Min > Max) is shown mirrored: the slider always runs from
// its smaller to its larger bound left to right, and its value is reflected.
int ScrollBar::ToSlider(std::int32_t v) const
{
    if (min_ <= max_)
        return v;
    return static_cast<int>(static_cast<std::int64_t>(min_) + max_ - v);
}

void ScrollBar::SyncSlider()
{
    syncing_ = true;
    setRange(std::min(min_, max_), std::max(min_, max_));
    setSingleStep(smallChange_);
    setPageStep(largeChange_);
    setValue(ToSlider(value_));
    syncing_ = false;
}

void ScrollBar::Store(std::int32_t v)
{
    if (v == value_)
        return;
    value_ = v;
    SyncSlider();
    emit Change();
}

void ScrollBar::FromSlider(int sliderValue)
{
    if (syncing_)
        return;
    const std::int32_t v = Clamp(ToSlider(sliderValue)); // the reflection is its own inverse
    if (v == value_)
        return;
    value_ = v;
    if (isSliderDown())
        emit Scroll();
    emit Change();
}

void ScrollBar::keyPressEvent(QKeyEvent* event)
{
    const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
    // Left and up towards the left end, as the toolkit's own bars move.
    static constexpr std::pair<int, SliderAction> teclas[] = {
        {Qt::Key_Left, SliderSingleStepSub},  {Qt::Key_Up, SliderSingleStepSub},
        {Qt::Key_Right, SliderSingleStepAdd}, {Qt::Key_Down, SliderSingleStepAdd},
        {Qt::Key_PageUp, SliderPageStepSub},  {Qt::Key_PageDown, SliderPageStepAdd},
        {Qt::Key_Home, SliderToMinimum},      {Qt::Key_End, SliderToMaximum}};
    SliderAction action = SliderNoAction;
    if (mods == Qt::NoModifier) {
        for (const auto& [tecla, accion] : teclas) {
            if (event->key() == tecla)
                action = accion;
        }
    }
    if (action == SliderNoAction) {
        QScrollBar::keyPressEvent(event);
        return;
    }
    // The thumb moves as by the mouse; FromSlider raises Change.
    triggerAction(action);
    event->accept();
}

void ScrollBar::mousePressEvent(QMouseEvent* event)
{
    // Set first: the press itself moves the bar and raises Change.
    if (event->button() == Qt::LeftButton || event->button() == Qt::MiddleButton)
        Pulsada() = this;
    QScrollBar::mousePressEvent(event);
}

void ScrollBar::mouseReleaseEvent(QMouseEvent* event)
{
    if (Pulsada() == this && !(event->buttons() & (Qt::LeftButton | Qt::MiddleButton)))
        Pulsada() = nullptr;
    QScrollBar::mouseReleaseEvent(event);
}

void ScrollBar::SoltarPulsada()
{
    ScrollBar* bar = Pulsada().data();
    if (!bar)
        return;
    Pulsada() = nullptr;
    const QPointF global = QCursor::pos();
    QMouseEvent suelta(QEvent::MouseButtonRelease, bar->mapFromGlobal(global), global, Qt::LeftButton,
                       Qt::NoButton, Qt::NoModifier);
    bar->QScrollBar::mouseReleaseEvent(&suelta);
}

void ScrollBar::SetValue(std::int32_t v)
{
    Store(Clamp(v));
}

// After a bound moves, Value is clamped into the new range; the slider is
// brought in line either way, Change only when Value really moved.
void ScrollBar::Reclamp()
{
    const std::int32_t clamped = Clamp(value_);
    if (clamped == value_)
        SyncSlider();
    else
        Store(clamped);
}

void ScrollBar::SetMin(std::int32_t v)
{
    min_ = v;
    Reclamp();
}

void ScrollBar::SetMax(std::int32_t v)
{
    max_ = v;
    Reclamp();
}

// The toolkit accepts steps of 1 to 32767 only; smaller values are taken as 1
// so a bar never stops moving.
void ScrollBar::SetSmallChange(std::int32_t v)
{
    smallChange_ = std::max<std::int32_t>(1, v);
    SyncSlider();
}

void ScrollBar::SetLargeChange(std::int32_t v)
{
    largeChange_ = std::max<std::int32_t>(1, v);
    SyncSlider();
}

} // namespace vesdra
