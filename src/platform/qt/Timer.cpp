#include "platform/Timer.h"

#include <QTimer>

#include "platform/qt/HandlerGuard.h"

namespace platform {
namespace {

QTimer* TimerOf(void* native) {
    return static_cast<QTimer*>(static_cast<QObject*>(native));
}

}  // namespace

void TTimer::SetInterval(int32_t milliseconds) {
    QTimer* timer = TimerOf(native_);
    if (milliseconds <= 0) {
        // The toolkit's interval 0 fires as fast as the loop runs: "never ticks" is a stop.
        timer->stop();
        timer->setInterval(0);
        return;
    }
    timer->start(milliseconds);
}

int32_t TTimer::Interval() const {
    const QTimer* timer = TimerOf(native_);
    return timer->isActive() ? timer->interval() : 0;
}

bool TTimer::Enabled() const {
    return TimerOf(native_)->isActive();
}

void TTimer::SetOnTimer(TNotifyEvent handler) {
    QTimer* timer = TimerOf(native_);
    QObject::disconnect(timer, &QTimer::timeout, nullptr, nullptr);
    if (handler) {
        QObject::connect(timer, &QTimer::timeout, timer, [this, handler = std::move(handler)] {
            qt::RunGuarded([&] { handler(this); });
        });
    }
}

}  // namespace platform
