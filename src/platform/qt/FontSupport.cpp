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

QFont ToQFont(const TFontSpec& spec) {
    QFont font = IsDefaultFace(spec.face) ? QApplication::font() : QFont(ToQString(spec.face));
    if (spec.height > 0) {
        font.setPixelSize(spec.height);
    }
    font.setBold(spec.bold);
    font.setItalic(spec.italic);
    return font;
}

void ApplyFont(QWidget& widget, const TFontSpec& spec) {
    widget.setFont(ToQFont(spec));
    widget.setProperty(kFaceProperty, ToQString(spec.face));
    if (spec.color) {
        ApplyFontColor(widget, *spec.color);
    }
}

void ApplyFontColor(QWidget& widget, TColor color) {
    QPalette palette = widget.palette();
    palette.setColor(QPalette::WindowText, ToQColor(color));
    widget.setPalette(palette);
    widget.setProperty(kColorProperty, ToQColor(color));
}

TFontSpec FontSpecOf(const QWidget& widget) {
    TFontSpec spec;
    const QFont font = widget.font();
    spec.face = ToStdString(widget.property(kFaceProperty).toString());
    spec.height = font.pixelSize();
    spec.bold = font.bold();
    spec.italic = font.italic();
    const QVariant color = widget.property(kColorProperty);
    if (color.isValid()) {
        const QColor fixed = color.value<QColor>();
        spec.color = TColor{static_cast<uint8_t>(fixed.red()), static_cast<uint8_t>(fixed.green()),
                            static_cast<uint8_t>(fixed.blue())};
    }
    return spec;
}

}  // namespace platform::qt
