#include "formkit/ViewerColour.h"

#include <QPlainTextEdit>

namespace zorvane {

std::optional<SystemColourRole> systemColourRole(int index) {
    using P = QPalette;
    switch (index) {
    case 0: // scroll bar
        return SystemColourRole{P::Active, P::Button};
    case 1: // desktop
        return SystemColourRole{P::Active, P::Dark};
    case 2: // active caption
        return SystemColourRole{P::Active, P::Highlight};
    case 3: // inactive caption
        return SystemColourRole{P::Inactive, P::Mid};
    case 4: // menu
        return SystemColourRole{P::Active, P::Window};
    case 5: // window
        return SystemColourRole{P::Active, P::Base};
    case 6: // window frame
        return SystemColourRole{P::Active, P::Shadow};
    case 7: // menu text
        return SystemColourRole{P::Active, P::WindowText};
    case 8: // window text
        return SystemColourRole{P::Active, P::Text};
    case 9: // caption text
        return SystemColourRole{P::Active, P::HighlightedText};
    case 10: // active border
    case 11: // inactive border
        return SystemColourRole{P::Active, P::Window};
    case 12: // application workspace
        return SystemColourRole{P::Active, P::Dark};
    case 13: // highlight
        return SystemColourRole{P::Active, P::Highlight};
    case 14: // highlighted text
        return SystemColourRole{P::Active, P::HighlightedText};
    case 15: // button face
        return SystemColourRole{P::Active, P::Button};
    case 16: // button shadow
        return SystemColourRole{P::Active, P::Dark};
    case 17: // grey text
        return SystemColourRole{P::Disabled, P::Text};
    case 18: // button text
        return SystemColourRole{P::Active, P::ButtonText};
    case 19: // inactive caption text
        return SystemColourRole{P::Inactive, P::WindowText};
    case 20: // button highlight
        return SystemColourRole{P::Active, P::Light};
    case 21: // 3D dark shadow
        return SystemColourRole{P::Active, P::Shadow};
    case 22: // 3D light
        return SystemColourRole{P::Active, P::Midlight};
    case 23: // tool tip text
        return SystemColourRole{P::Active, P::ToolTipText};
    case 24: // tool tip background
        return SystemColourRole{P::Active, P::ToolTipBase};
    case 26: // hot-tracked item
        return SystemColourRole{P::Active, P::Link};
    case 27: // active caption gradient
        return SystemColourRole{P::Active, P::Highlight};
    case 28: // inactive caption gradient
        return SystemColourRole{P::Inactive, P::Mid};
    case 29: // menu highlight
        return SystemColourRole{P::Active, P::Highlight};
    case 30: // menu bar
        return SystemColourRole{P::Active, P::Window};
    default:
        return std::nullopt;
    }
}

std::optional<QColor> colourFromNumber(qint32 number, const QPalette& systemPalette) {
    const auto bits = static_cast<quint32>(number);
    if (bits & 0x80000000u) {
        const auto role = systemColourRole(static_cast<int>(bits & 0x00FFFFFFu));
        if (!role)
            return std::nullopt;
        return systemPalette.color(role->group, role->role);
    }
    if (bits > 0x00FFFFFFu)
        return std::nullopt; // bits above blue name no colour
    return QColor(static_cast<int>(bits & 0xFFu), static_cast<int>((bits >> 8) & 0xFFu),
                  static_cast<int>((bits >> 16) & 0xFFu));
}

ViewerColours viewerColours(std::optional<qint32> storedText, std::optional<qint32> storedBack,
                            const QPalette& systemPalette) {
    const auto stored = [&systemPalette](std::optional<qint32> number) {
        return number ? colourFromNumber(*number, systemPalette) : std::nullopt;
    };
    return ViewerColours{
        stored(storedText).value_or(systemPalette.color(QPalette::Active, QPalette::Text)),
        stored(storedBack).value_or(systemPalette.color(QPalette::Active, QPalette::Base))};
}

void setViewerColours(QPlainTextEdit& viewer, std::optional<QColor> text,
                      std::optional<QColor> base) {
    QPalette palette = viewer.palette();
    if (text) {
        palette.setColor(QPalette::Active, QPalette::Text, *text);
        palette.setColor(QPalette::Inactive, QPalette::Text, *text);
    }
    if (base)
        palette.setColor(QPalette::Base, *base);
    viewer.setPalette(palette);
}

} // namespace zorvane
