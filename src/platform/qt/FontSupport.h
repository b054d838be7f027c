// Fonts of the controls: from the platform's font description to the toolkit's, and back.
#pragma once

#include <QColor>
#include <QFont>

#include "platform/Types.h"

class QWidget;

namespace platform::qt {

QColor ToQColor(TColor color);

// The font a description asks for: an empty face (or "Default") is the toolkit's default
// user-interface font; the height is the em height in device-independent pixels.
QFont ToQFont(const TFontSpec& fontSpec);

// Gives the widget the font of the description and, when the description fixes one, its text
// colour. The description is kept on the widget, so that FontSpecOf returns it.
void ApplyFont(QWidget& widget, const TFontSpec& fontSpec);

// Fixes the widget's text colour and records it in the widget's font description.
void ApplyFontColor(QWidget& widget, TColor color);

// The font description last applied to the widget.
TFontSpec FontSpecOf(const QWidget& widget);

}  // namespace platform::qt
