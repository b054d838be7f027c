// A thread whose body is a function given by the test, with the thread class's protected
// operations opened up for it.
#pragma once

#include <functional>
#include <utility>

#include "platform/Thread.h"

namespace platform_test {

class LambdaThread : public platform::TThread {
  public:
    using Body = std::function<void(LambdaThread&)>;

    explicit LambdaThread(Body body, bool createSuspended = false)
        : TThread(true), body_(std::move(body)) {
        if (!createSuspended) {
            Start();
        }
    }
    ~LambdaThread() override {
        // The body belongs to this class: it must not run on past this destructor.
        Terminate();
        WaitFor();
    }

    using TThread::Pause;
    using TThread::Synchronize;
    using TThread::Terminated;

  protected:
    void Execute() override { body_(*this); }

  private:
    Body body_;
};

}  // namespace platform_test
