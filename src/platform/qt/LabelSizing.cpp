#include "platform/qt/LabelSizing.h"

#include <algorithm>

namespace platform::qt {

void SetLabelText(QLabel& label, const QString& text) {
    label.setText(text);
    FitLabelToText(label);
}

void FitLabelToText(QLabel& label) {
    // Without a layout a label keeps its size when its text changes.
    const QSize hint = label.sizeHint();
    label.resize(hint.width(), std::max(hint.height(), label.minimumHeight()));
}

}  // namespace platform::qt
