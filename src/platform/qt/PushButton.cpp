#include "platform/qt/PushButton.h"

#include <QKeyEvent>
#include <QShortcutEvent>
#include <QVariant>
#include <vector>

#include "platform/Accelerators.h"
#include "platform/qt/QtText.h"

namespace platform::qt {

PushButton::PushButton(const QString& text, QWidget* parent) : QPushButton(text, parent) {
    setAutoDefault(false);
    setDefault(false);
}

bool PushButton::event(QEvent* event) {
    if (event->type() == QEvent::Shortcut && static_cast<QShortcutEvent*>(event)->isAmbiguous()) {
        PressSharedAccelerator();
        return true;
    }
    return QPushButton::event(event);
}

void PushButton::keyPressEvent(QKeyEvent* event) {
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        if (!event->isAutoRepeat()) {
            animateClick();
        }
        event->accept();
        return;
    }
    QPushButton::keyPressEvent(event);
}

void PushButton::PressSharedAccelerator() {
    const char letter = detail::AcceleratorLetter(ToStdString(text()));
    const QList<PushButton*> siblings =
        parentWidget()->findChildren<PushButton*>(Qt::FindDirectChildrenOnly);
    std::vector<detail::AcceleratorCandidate> candidates;
    for (const PushButton* button : siblings) {
        candidates.push_back({button->property(kTabOrderProperty).toInt(),
                              detail::AcceleratorLetter(ToStdString(button->text())),
                              button->isEnabled(), !button->isHidden()});
    }
    if (const auto chosen = detail::ButtonForAccelerator(letter, candidates)) {
        siblings[static_cast<qsizetype>(*chosen)]->animateClick();
    }
}

}  // namespace platform::qt
