#pragma once
#include <QCursor>

class QWidget;

namespace vesdra {

inline constexpr int vbDefault = 0;
inline constexpr int vbArrow = 1;
inline constexpr int vbCrosshair = 2;
inline constexpr int vbHourglass = 11;
inline constexpr int vbCustom = 99;

// Screen.MousePointer: the pointer over the whole application, above every
// form's own; 0 gives each form its own pointer back.
void SetMousePointer(int pointer);
[[nodiscard]] int MousePointer();

// A form's or a control's MousePointer: shown over it and over its children
// that have none of their own. A null widget is ignored (reads 0).
void SetMousePointer(QWidget* widget, int pointer);
[[nodiscard]] int MousePointer(const QWidget* widget);

// The image of pointer 99; a cross until set.
void SetCustomPointer(const QCursor& cursor);
[[nodiscard]] QCursor CursorFor(int pointer);

// Sets a pointer and puts the previous one back on every way out of the
// scope, exceptions included. Without a widget it is Screen.MousePointer.
// A widget destroyed meanwhile is left alone.
class MousePointerGuard
{
public:
    explicit MousePointerGuard(int pointer);
    MousePointerGuard(QWidget* widget, int pointer);
    ~MousePointerGuard();
    MousePointerGuard(const MousePointerGuard&) = delete;
    MousePointerGuard& operator=(const MousePointerGuard&) = delete;

private:
    struct Impl;
    Impl* impl_{nullptr};
};

} // namespace vesdra
