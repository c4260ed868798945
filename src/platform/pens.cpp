#include "platform/pens.h"

#include <QGuiApplication>
#include <QPalette>

namespace vesdra {

namespace {

// The few system colours the forms use, taken from the application palette.
QColor SystemColor(std::uint32_t index)
{
    const QPalette pal = QGuiApplication::palette();
    switch (index) {
    case 5: return pal.color(QPalette::Base);         // window background
    case 8: return pal.color(QPalette::Text);         // window text
    case 15: return pal.color(QPalette::Button);      // button face
    case 16: return pal.color(QPalette::Dark);        // button shadow
    case 18: return pal.color(QPalette::ButtonText);  // button text
    case 20: return pal.color(QPalette::Light);       // button highlight
    default: return pal.color(QPalette::Window);
    }
}

} // namespace

QColor PenColor(std::uint32_t bgr)
{
    if (bgr & 0x80000000u)
        return SystemColor(bgr & 0xFFu);
    return QColor(int(bgr & 0xFFu), int((bgr >> 8) & 0xFFu), int((bgr >> 16) & 0xFFu));
}

Qt::PenStyle PenStyleFor(int drawStyle)
{
    switch (drawStyle) {
    case 1: return Qt::DashLine;
    case 2: return Qt::DotLine;
    case 3: return Qt::DashDotLine;
    case 4: return Qt::DashDotDotLine;
    case 5: return Qt::NoPen;
    default: return Qt::SolidLine;
    }
}

} // namespace vesdra
