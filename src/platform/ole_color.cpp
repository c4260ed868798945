#include <QColor>
#include <QGuiApplication>
#include <QPalette>

#include "platform/base/colors.h"

namespace vesdra {

namespace {
// System colours that have a counterpart in the desktop's palette.
bool PaletteRole(std::uint32_t index, QPalette::ColorRole& role)
{
    switch (index) {
    case 4:
        role = QPalette::Window;
        return true; // menu
    case 5:
        role = QPalette::Base;
        return true; // window background
    case 7:
        role = QPalette::WindowText;
        return true; // menu text
    case 8:
        role = QPalette::Text;
        return true; // window text
    case 13:
        role = QPalette::Highlight;
        return true;
    case 14:
        role = QPalette::HighlightedText;
        return true;
    case 15:
        role = QPalette::Button;
        return true; // button face
    case 18:
        role = QPalette::ButtonText;
        return true;
    case 23:
        role = QPalette::ToolTipText;
        return true;
    case 24:
        role = QPalette::ToolTipBase;
        return true;
    default:
        return false;
    }
}
} // namespace

QColor OleColor(std::uint32_t bbggrr)
{
    QPalette::ColorRole role{};
    if (IsSystemColor(bbggrr) && qobject_cast<QGuiApplication*>(QCoreApplication::instance()) &&
        PaletteRole(bbggrr & 0xFF, role))
        return QGuiApplication::palette().color(QPalette::Active, role);
    const std::uint32_t rgb = BgrToRgb(ResolveColor(bbggrr));
    return QColor::fromRgb(static_cast<QRgb>(0xFF000000u | rgb));
}

QColor ReadableTextColor(std::uint32_t bbggrr)
{
    return QColor::fromRgb(ReadableTextOn(OleColor(bbggrr).rgb() & 0xFFFFFF));
}

} // namespace vesdra
