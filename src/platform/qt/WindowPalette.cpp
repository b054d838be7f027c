#include "platform/qt/WindowPalette.h"

#include <QColor>

namespace platform::qt {

QPalette WindowPalette() {
    const QColor buttonFace(240, 240, 240);
    const QColor black(0, 0, 0);
    const QColor white(255, 255, 255);
    const QColor disabledText(109, 109, 109);

    QPalette palette(black, buttonFace, white, QColor(160, 160, 160), QColor(160, 160, 160),
                     black, white, white, buttonFace);
    palette.setColor(QPalette::ButtonText, black);
    palette.setColor(QPalette::Midlight, QColor(227, 227, 227));
    palette.setColor(QPalette::Shadow, QColor(105, 105, 105));
    palette.setColor(QPalette::AlternateBase, QColor(247, 247, 247));
    palette.setColor(QPalette::Highlight, QColor(0, 120, 215));
    palette.setColor(QPalette::HighlightedText, white);
    palette.setColor(QPalette::PlaceholderText, disabledText);
    for (const QPalette::ColorRole role :
         {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) {
        palette.setColor(QPalette::Disabled, role, disabledText);
    }
    palette.setColor(QPalette::Disabled, QPalette::Base, buttonFace);
    return palette;
}

}  // namespace platform::qt
