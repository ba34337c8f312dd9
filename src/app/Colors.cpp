#include "app/Colors.h"

#include <QGuiApplication>
#include <QPalette>

namespace tuvako {
namespace {

// The system colour indexes the terminal meets, and the palette role that plays their part.
QPalette::ColorRole RoleOfSystemColor(int index) {
    switch (index) {
        case 5:  // window background
            return QPalette::Base;
        case 8:  // window text
            return QPalette::WindowText;
        case 13:  // highlight
            return QPalette::Highlight;
        case 14:  // highlighted text
            return QPalette::HighlightedText;
        case 16:  // button shadow
            return QPalette::Dark;
        case 18:  // button text
            return QPalette::ButtonText;
        case 20:  // button highlight
            return QPalette::Light;
        case 15:  // button face
        default:
            return QPalette::Button;
    }
}

}  // namespace

QColor ToQColor(TColor color) {
    const auto word = std::uint32_t(color);
    if (word & 0x80000000u)
        return QGuiApplication::palette().color(RoleOfSystemColor(int(word & 0xFF)));
    return QColor(int(word & 0xFF), int((word >> 8) & 0xFF), int((word >> 16) & 0xFF));
}

TColor FromQColor(const QColor& color) {
    const QColor rgb = color.toRgb();
    return TColor(std::uint32_t(rgb.red()) | std::uint32_t(rgb.green()) << 8 |
                  std::uint32_t(rgb.blue()) << 16);
}

}  // namespace tuvako
