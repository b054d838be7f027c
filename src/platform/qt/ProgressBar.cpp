#include <QProgressBar>
#include <QVariant>
#include <algorithm>

#include "platform/Controls.h"
#include "platform/ProgressStep.h"
#include "platform/qt/NativeWidget.h"

namespace platform {
namespace {

// QProgressBar has no step of its own; the step is kept on the widget.
constexpr const char* kStepProperty = "corvaneStep";

QProgressBar* Bar(void* native) {
    return qt::FromNative<QProgressBar>(native);
}

}  // namespace

void TProgressBar::SetRange(int min, int max) {
    QProgressBar* bar = Bar(native_);
    const int position = bar->value();
    // An inverted range collapses to its minimum, as the toolkit does.
    bar->setRange(min, std::max(min, max));
    bar->setValue(detail::ClampedPosition(position, bar->minimum(), bar->maximum()));
}

int TProgressBar::Min() const {
    return Bar(native_)->minimum();
}

int TProgressBar::Max() const {
    return Bar(native_)->maximum();
}

void TProgressBar::SetStep(int step) {
    Bar(native_)->setProperty(kStepProperty, step);
}

int TProgressBar::Step() const {
    return Bar(native_)->property(kStepProperty).toInt();
}

void TProgressBar::SetPosition(int position) {
    // Clamped: the toolkit would silently ignore a value outside the range.
    QProgressBar* bar = Bar(native_);
    bar->setValue(detail::ClampedPosition(position, bar->minimum(), bar->maximum()));
}

int TProgressBar::Position() const {
    return Bar(native_)->value();
}

void TProgressBar::StepIt() {
    QProgressBar* bar = Bar(native_);
    bar->setValue(detail::SteppedPosition(bar->value(), Step(), bar->minimum(), bar->maximum()));
}

}  // namespace platform
