// Labels that size themselves to their text.
#pragma once

#include <QLabel>
#include <QString>

namespace platform::qt {

// Sets the text as plain text (never rich text: captions may come from the phone) and resizes the
// label to it, keeping its top-left corner and at least its minimum height.
void SetLabelText(QLabel& label, const QString& text);

// Resizes the label to its text, keeping its top-left corner and at least its minimum height.
void FitLabelToText(QLabel& label);

}  // namespace platform::qt
