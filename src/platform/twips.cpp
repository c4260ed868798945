#include "platform/twips.h"

#include <QFont>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QScreen>
#include <QStringList>
#include <QWidget>
#include <algorithm>
#include <cmath>

#include "platform/base/screen.h"
#include "platform/mdi_forms.h"

namespace vesdra {

std::int32_t TwipsPerPixelForDpi(double logicalDpi)
{
    if (!(logicalDpi > 0))
        return 15;
    return std::max<std::int32_t>(1, static_cast<std::int32_t>(std::lround(1440.0 / logicalDpi)));
}

void UseInterfaceFont()
{
    QFont font = QGuiApplication::font();
    font.setFamilies({QStringLiteral("Arial")});
    QGuiApplication::setFont(font);
}

void InitScreenFromDesktop()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    ScreenInfo& s = Screen();
    s.TwipsPerPixelX = TwipsPerPixelForDpi(screen->logicalDotsPerInchX());
    s.TwipsPerPixelY = TwipsPerPixelForDpi(screen->logicalDotsPerInchY());
    const QSize size = screen->size();
    s.WidthTwips = static_cast<std::int32_t>(size.width()) * s.TwipsPerPixelX;
    s.HeightTwips = static_cast<std::int32_t>(size.height()) * s.TwipsPerPixelY;
}

double TwipsToPixelsX(double twips)
{
    return twips / Screen().TwipsPerPixelX;
}
double TwipsToPixelsY(double twips)
{
    return twips / Screen().TwipsPerPixelY;
}
double PixelsToTwipsX(double pixels)
{
    return pixels * Screen().TwipsPerPixelX;
}
double PixelsToTwipsY(double pixels)
{
    return pixels * Screen().TwipsPerPixelY;
}

namespace {

// Pixel positions must stay within what QWidget accepts; absurd twips values
// (a layout gone wrong) are clamped rather than wrapped.
int ToPixel(double pixels)
{
    if (!std::isfinite(pixels))
        return 0;
    return static_cast<int>(std::lround(std::clamp(pixels, -1.0e7, 1.0e7)));
}

std::int32_t ToTwipsX(int pixels)
{
    return static_cast<std::int32_t>(pixels) * Screen().TwipsPerPixelX;
}
std::int32_t ToTwipsY(int pixels)
{
    return static_cast<std::int32_t>(pixels) * Screen().TwipsPerPixelY;
}

} // namespace

int TwipsToPixelX(double twips)
{
    return ToPixel(TwipsToPixelsX(twips));
}
int TwipsToPixelY(double twips)
{
    return ToPixel(TwipsToPixelsY(twips));
}

void MoveTwips(QWidget& w, double left, double top, double width, double height)
{
    w.setGeometry(TwipsToPixelX(left), TwipsToPixelY(top), std::max(0, TwipsToPixelX(width)),
                  std::max(0, TwipsToPixelY(height)));
}

void MoveTwips(QWidget& w, const RectTwips& r)
{
    // Edges rounded, not sizes: controls that abut in twips abut on screen,
    // neither overlapping nor parting by a pixel.
    const int left = TwipsToPixelX(r.Left);
    const int top = TwipsToPixelY(r.Top);
    w.setGeometry(left, top, std::max(0, TwipsToPixelX(r.Right()) - left),
                  std::max(0, TwipsToPixelY(r.Bottom()) - top));
}

void SetLeftTwips(QWidget& w, double left)
{
    w.move(TwipsToPixelX(left), w.y());
}
void SetTopTwips(QWidget& w, double top)
{
    w.move(w.x(), TwipsToPixelY(top));
}
void SetWidthTwips(QWidget& w, double width)
{
    w.resize(std::max(0, TwipsToPixelX(width)), w.height());
}
void SetHeightTwips(QWidget& w, double height)
{
    w.resize(w.width(), std::max(0, TwipsToPixelY(height)));
}
std::int32_t LeftTwips(const QWidget& w)
{
    return ToTwipsX(w.x());
}
std::int32_t TopTwips(const QWidget& w)
{
    return ToTwipsY(w.y());
}
std::int32_t WidthTwips(const QWidget& w)
{
    return ToTwipsX(w.width());
}
std::int32_t HeightTwips(const QWidget& w)
{
    return ToTwipsY(w.height());
}

QMargins DefaultFormFrame()
{
    // A sizable window with a caption: 4-pixel borders and a 26-pixel caption.
    return {4, 30, 4, 4};
}

QMargins FormFrame(const QWidget& form)
{
    const QWidget* holder = MarcoFormulario(form);
    if (holder != &form) {
        // Inside an MDI sub-window: the sub-window's decoration around the form.
        const QRect outer = holder->rect();
        const QRect inner = form.geometry();
        if (holder->isVisible() && outer.width() > 0 && inner.width() > 0)
            return {inner.left(), inner.top(), outer.width() - inner.right() - 1,
                    outer.height() - inner.bottom() - 1};
        return DefaultFormFrame();
    }
    if (form.isWindow() && form.isVisible()) {
        const QRect frame = form.frameGeometry();
        const QRect client = form.geometry();
        const QMargins m{client.left() - frame.left(), client.top() - frame.top(),
                         frame.right() - client.right(), frame.bottom() - client.bottom()};
        if (!m.isNull())
            return m;
    }
    return DefaultFormFrame();
}

namespace {

// A window of a fixed size keeps the size its code gives it, still fixed.
void Redimensionar(QWidget& w, QSize size)
{
    if (w.minimumSize() == w.maximumSize())
        w.setFixedSize(size);
    else
        w.resize(size);
}

} // namespace

void SetFormSizeTwips(QWidget& form, double width, double height)
{
    const QMargins m = FormFrame(form);
    const int w = std::max(0, TwipsToPixelX(width));
    const int h = std::max(0, TwipsToPixelY(height));
    QWidget* holder = MarcoFormulario(form);
    if (holder != &form)
        holder->resize(w, h);
    else
        Redimensionar(form,
                      QSize(std::max(0, w - m.left() - m.right()), std::max(0, h - m.top() - m.bottom())));
}

void MoveFormTwips(QWidget& form, double left, double top, double width, double height)
{
    QWidget* holder = MarcoFormulario(form);
    // move() places the frame of a window, as Left and Top do.
    holder->move(TwipsToPixelX(left), TwipsToPixelY(top));
    SetFormSizeTwips(form, width, height);
}

void CenterFormOnScreen(QWidget& form)
{
    const ScreenInfo& s = Screen();
    const double width = FormWidthTwips(form);
    const double height = FormHeightTwips(form);
    MoveFormTwips(form, (s.WidthTwips - width) / 2.0, (s.HeightTwips - height) / 2.0, width, height);
}

std::int32_t FormWidthTwips(const QWidget& form)
{
    if (const QWidget* holder = MarcoFormulario(form); holder != &form)
        return ToTwipsX(holder->width());
    const QMargins m = FormFrame(form);
    return ToTwipsX(form.width() + m.left() + m.right());
}

std::int32_t FormHeightTwips(const QWidget& form)
{
    if (const QWidget* holder = MarcoFormulario(form); holder != &form)
        return ToTwipsY(holder->height());
    const QMargins m = FormFrame(form);
    return ToTwipsY(form.height() + m.top() + m.bottom());
}

std::int32_t FormLeftTwips(const QWidget& form)
{
    return ToTwipsX(MarcoFormulario(form)->x());
}
std::int32_t FormTopTwips(const QWidget& form)
{
    return ToTwipsY(MarcoFormulario(form)->y());
}
std::int32_t ScaleWidthTwips(const QWidget& form)
{
    return ToTwipsX(form.width());
}
std::int32_t ScaleHeightTwips(const QWidget& form)
{
    return ToTwipsY(form.height());
}

double ClientWidthTwips(const QWidget& form)
{
    const QMargins m = FormFrame(form);
    return FormWidthTwips(form) - PixelsToTwipsX(m.left() + m.right());
}

double ClientHeightTwips(const QWidget& form)
{
    const QMargins m = FormFrame(form);
    return FormHeightTwips(form) - PixelsToTwipsY(m.top() + m.bottom());
}

double TextWidthTwips(const QFont& font, const QString& text)
{
    const QFontMetricsF fm(font);
    double widest = 0;
    for (const QString& line : text.split(QLatin1Char('\n')))
        widest = std::max(widest, fm.horizontalAdvance(line));
    return PixelsToTwipsX(widest);
}

double TextHeightTwips(const QFont& font, const QString& text)
{
    const QFontMetricsF fm(font);
    const qsizetype lines = std::max<qsizetype>(1, text.count(QLatin1Char('\n')) + 1);
    return PixelsToTwipsY(fm.height() * static_cast<double>(lines));
}

} // namespace vesdra
