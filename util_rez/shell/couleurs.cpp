#include "util_rez/shell/couleurs.h"

namespace {

QPalette::ColorRole role_systeme(int index) {
    switch (index) {
    case 1: // desktop
    case 4: // menu
    case 15: // button face
    case 3: // inactive caption
    case 2: // active caption
    case 25: // 3D light
        return QPalette::Button;
    case 5: // window
        return QPalette::Base;
    case 6: // window frame
    case 16: // button shadow
        return QPalette::Mid;
    case 7: // menu text
    case 8: // window text
    case 18: // button text
        return QPalette::WindowText;
    case 13: // highlight
        return QPalette::Highlight;
    case 14: // highlight text
        return QPalette::HighlightedText;
    case 17: // grey text
        return QPalette::PlaceholderText;
    case 20: // button highlight
        return QPalette::Light;
    case 21: // dark shadow
        return QPalette::Shadow;
    case 23: // tooltip text
        return QPalette::ToolTipText;
    case 24: // tooltip background
        return QPalette::ToolTipBase;
    default:
        return QPalette::Window;
    }
}

} // namespace

QColor couleur_depuis_code(int32_t code, const QPalette& palette) {
    const uint32_t u = static_cast<uint32_t>(code);
    if (u & 0x80000000u)
        return palette.color(QPalette::Active, role_systeme(static_cast<int>(u & 0xFFu)));
    return QColor(static_cast<int>(u & 0xFFu), static_cast<int>((u >> 8) & 0xFFu),
                  static_cast<int>((u >> 16) & 0xFFu));
}

int32_t code_depuis_couleur(const QColor& couleur) {
    return couleur.red() + 256 * couleur.green() + 65536 * couleur.blue();
}
