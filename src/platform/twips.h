#pragma once
#include <QMargins>
#include <cstdint>

#include "platform/base/rect_twips.h"

class QFont;
class QString;
class QWidget;

namespace vesdra {

// Layout is in twips (1/1440 inch). A pixel is 1440 / logical DPI twips:
// 15 at 96 DPI, 12 at 120 DPI. Conversions go through the process-wide
// Screen() so that tests can pin the scale.
[[nodiscard]] std::int32_t TwipsPerPixelForDpi(double logicalDpi);

// Fills Screen() from the primary screen: twips per pixel from its logical
// DPI and its size in twips. Call once after the QApplication exists; without
// a screen (headless start) Screen() keeps its defaults.
void InitScreenFromDesktop();

// The forms and printed pages are laid out in twips for Arial: the
// interface's face is Arial (a metric-compatible face where Arial itself is
// not installed), at the size the desktop gives.
void UseInterfaceFont();

[[nodiscard]] double TwipsToPixelsX(double twips);
[[nodiscard]] double TwipsToPixelsY(double twips);
[[nodiscard]] double PixelsToTwipsX(double pixels);
[[nodiscard]] double PixelsToTwipsY(double pixels);
// Whole pixels, rounded to the nearest one (sizes and positions of widgets).
[[nodiscard]] int TwipsToPixelX(double twips);
[[nodiscard]] int TwipsToPixelY(double twips);

// Geometry of a control inside its parent, in twips. The values read back are
// whole pixels converted to twips, as the original toolkit reports them, so
// later layout steps that read a control just placed see the rounded value.
void MoveTwips(QWidget& w, double left, double top, double width, double height);
// A layout's place: its edges rounded to whole pixels, so that places that
// abut stay abutting.
void MoveTwips(QWidget& w, const RectTwips& r);
void SetLeftTwips(QWidget& w, double left);
void SetTopTwips(QWidget& w, double top);
void SetWidthTwips(QWidget& w, double width);
void SetHeightTwips(QWidget& w, double height);
[[nodiscard]] std::int32_t LeftTwips(const QWidget& w);
[[nodiscard]] std::int32_t TopTwips(const QWidget& w);
[[nodiscard]] std::int32_t WidthTwips(const QWidget& w);
[[nodiscard]] std::int32_t HeightTwips(const QWidget& w);

// Forms: Width and Height include the window frame (border and caption);
// ScaleWidth and ScaleHeight are the client area. The frame is the real one
// once the window is decorated (a top-level window, or the QMdiSubWindow that
// holds the form); before that, and on platforms without decorations, a fixed
// frame of DefaultFormFrame() pixels is assumed so layouts stay stable.
[[nodiscard]] QMargins DefaultFormFrame();
[[nodiscard]] QMargins FormFrame(const QWidget& form);
void SetFormSizeTwips(QWidget& form, double width, double height);
void MoveFormTwips(QWidget& form, double left, double top, double width, double height);
// The form moved, its size kept, so that its frame sits in the middle of
// Screen().
void CenterFormOnScreen(QWidget& form);
[[nodiscard]] std::int32_t FormWidthTwips(const QWidget& form);
[[nodiscard]] std::int32_t FormHeightTwips(const QWidget& form);
[[nodiscard]] std::int32_t FormLeftTwips(const QWidget& form);
[[nodiscard]] std::int32_t FormTopTwips(const QWidget& form);
[[nodiscard]] std::int32_t ScaleWidthTwips(const QWidget& form);
[[nodiscard]] std::int32_t ScaleHeightTwips(const QWidget& form);
// The client area that the form's outer size leaves inside its frame, in
// twips: what ScaleWidth and ScaleHeight come to once the frame holds the
// form, already while it is hidden and its sub-window has not laid it out.
[[nodiscard]] double ClientWidthTwips(const QWidget& form);
[[nodiscard]] double ClientHeightTwips(const QWidget& form);

// A form's TextWidth and TextHeight: the extent of a text in the given font
// on the screen, in twips. TextHeight of "" is the height of one line.
[[nodiscard]] double TextWidthTwips(const QFont& font, const QString& text);
[[nodiscard]] double TextHeightTwips(const QFont& font, const QString& text);

} // namespace vesdra
