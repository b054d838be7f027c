#include "platform/qt/FontSupport.h"

#include <QApplication>
#include <QPalette>
#include <QVariant>
#include <QWidget>

#include "platform/qt/QtText.h"

namespace platform::qt {
namespace {

// Dynamic properties on the widget that keep what the description asked for; the QFont alone
// cannot tell a default face from one that resolved to it, nor a fixed colour from the palette's.
constexpr const char* kFaceProperty = "corvaneFontFace";
constexpr const char* kColorProperty = "corvaneFontColor";

bool IsDefaultFace(const std::string& face) {
    return face.empty() || face == "Default";
}

}  // namespace

QColor ToQColor(TColor color) {
    return QColor(color.red, color.green, color.blue);
}

QFont ToQFont(const TFontSpec& fontSpec) {
    QFont font = IsDefaultFace(fontSpec.face) ? QApplication::font() : QFont(ToQString(fontSpec.face));
    if (fontSpec.height > 0) {
        font.setPixelSize(fontSpec.height);
    }
    font.setBold(fontSpec.bold);
    font.setItalic(fontSpec.italic);
    return font;
}

void ApplyFont(QWidget& widget, const TFontSpec& fontSpec) {
    widget.setFont(ToQFont(fontSpec));
    widget.setProperty(kFaceProperty, ToQString(fontSpec.face));
    if (fontSpec.color) {
        ApplyFontColor(widget, *fontSpec.color);
    }
}

void ApplyFontColor(QWidget& widget, TColor color) {
    QPalette palette = widget.palette();
    palette.setColor(QPalette::WindowText, ToQColor(color));
    widget.setPalette(palette);
    widget.setProperty(kColorProperty, ToQColor(color));
}

TFontSpec FontSpecOf(const QWidget& widget) {
    TFontSpec fontSpec;
    const QFont font = widget.font();
    fontSpec.face = ToStdString(widget.property(kFaceProperty).toString());
    fontSpec.height = font.pixelSize();
    fontSpec.bold = font.bold();
    fontSpec.italic = font.italic();
    const QVariant color = widget.property(kColorProperty);
    if (color.isValid()) {
        const QColor fixed = color.value<QColor>();
        fontSpec.color = TColor{static_cast<uint8_t>(fixed.red()), static_cast<uint8_t>(fixed.green()),
                            static_cast<uint8_t>(fixed.blue())};
    }
    return fontSpec;
}

}  // namespace platform::qt
