// The connection worker: brings the phone into service mode, makes sure it answers, reads its
// identification and shows it, then has the calibration block read into the editor.
//
// Created running by the link supervisor (TFormMain::AllTimerTimer) and destroyed by it or by
// StopInitThread, through platform::ThreadPtr. It holds no data of its own. Its four updates run on
// the user-interface thread through Synchronize and change the main window's controls directly;
// everything else it does runs on its own thread and touches the library and the identification
// texts. It lives beside the window because those updates are window code.
#pragma once

#include <cstdint>

#include "platform/Thread.h"

namespace ui {

class TCorvaneInitThread final : public platform::TThread {
  public:
    explicit TCorvaneInitThread(bool createSuspended);

    // The pause after every unanswered ping, and the number of pings before giving up.
    static constexpr uint32_t kPingPauseMs = 500;
    static constexpr int kPingAttempts = 5;

  protected:
    void Execute() override;

  private:
    // Repeats service-mode attempts until one succeeds; false on a termination request.
    bool EnterServiceMode();
    // Up to five pings; false when none was answered or termination was requested.
    bool AwaitAnswer();
    // Reads the identification into the texts that ShowIdentification puts on the window.
    void ReadIdentification();

    // Runs one of the four updates below on the user-interface thread and returns once it has run.
    void Update(void (TCorvaneInitThread::*method)());

    void ShowConnecting();
    void StepConnectProgress();
    void ShowReadingInfo();
    void ShowIdentification();
};

// The worker started last; it stays here after its body has ended, until the next tick or
// StopInitThread destroys it. Thread: user-interface thread only.
extern platform::ThreadPtr<TCorvaneInitThread> InitThread;

// Requests the worker's termination, waits for its end while serving its synchronised updates,
// and destroys it. Does nothing without a worker; a call made while another one waits finds none.
// Thread: user-interface thread, outside any synchronised call.
void StopInitThread();

}  // namespace ui
