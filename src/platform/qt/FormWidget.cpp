#include "platform/qt/FormWidget.h"

#include <QCloseEvent>

#include "platform/Form.h"
#include "platform/Thread.h"
#include "platform/qt/CloseGate.h"
#include "platform/qt/HandlerGuard.h"

namespace platform::qt {

FormWidget::FormWidget(TForm* owner) : owner_(owner) {}

void FormWidget::closeEvent(QCloseEvent* event) {
    if (SynchronizedCallDepth() > 0) {
        event->ignore();
        DeferClose(*this);
        return;
    }
    if (owner_ != nullptr) {
        RunGuarded([this] { owner_->CloseRequested(); });
    }
    event->accept();
}

}  // namespace platform::qt
