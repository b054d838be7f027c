// Answers a real modal dialog from inside its nested loop, as a user would.
#pragma once

#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <functional>
#include <memory>

namespace platform_test {

// Waits (from the event loop) until a visible top-level dialog of type Dialog is open, then calls
// `answer` with it once; `answer` must end the dialog. If none shows up within 10 s, every open
// dialog is rejected, so that a failing test fails instead of hanging. Call before the code that
// opens the dialog.
template <class Dialog>
void AnswerWhenShown(std::function<void(Dialog&)> answer) {
    auto* poll = new QTimer(qApp);
    auto deadline = std::make_shared<int>(500);  // polls of 20 ms
    poll->setInterval(20);
    QObject::connect(poll, &QTimer::timeout, poll, [poll, deadline, answer = std::move(answer)] {
        for (QWidget* window : QApplication::topLevelWidgets()) {
            auto* dialog = qobject_cast<Dialog*>(window);
            if (dialog != nullptr && dialog->isVisible()) {
                poll->deleteLater();
                poll->stop();
                answer(*dialog);
                return;
            }
        }
        if (--*deadline == 0) {
            poll->stop();
            poll->deleteLater();
            for (QWidget* window : QApplication::topLevelWidgets()) {
                if (auto* left = qobject_cast<QDialog*>(window)) {
                    left->reject();
                }
            }
        }
    });
    poll->start();
}

}  // namespace platform_test
