// A main window in this process, wired to the simulator as start-up would wire it: the library
// loaded, the port open, the run log open, a scripted responder in place of real dialogs. The
// timer never ticks by itself (its period is 0): tests call Tick().
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "support/Journal.h"
#include "support/ScriptedResponder.h"
#include "support/BuildDir.h"
#include "support/TempDir.h"
#include "ui/FormMain.h"

namespace testsupport {

class PhoneFixture : public ::testing::Test {
protected:
    static void SetUpTestSuite();

    // Loads the simulator with the scenario text and opens the window. Call once per test.
    void Start(const std::string& scenario);
    void TearDown() override;

    ui::TFormMain& Form() { return *form_; }
    // One tick of the link supervisor.
    void Tick();
    // Runs the event loop (serving the worker's synchronised calls) until `condition` holds;
    // false after the timeout.
    bool PumpUntil(const std::function<bool()>& condition,
                   std::chrono::milliseconds timeout = std::chrono::seconds(10));
    // Runs the event loop for the given time.
    void PumpFor(std::chrono::milliseconds time);
    // Ticks once and waits until the worker has connected the phone.
    bool Connect();
    // Brings the phone into service mode with direct library calls, without a worker, so that
    // block operations can be driven one by one.
    void EnterServiceMode();

    std::vector<JournalCall> Journal() const { return ReadJournal(dir_ / "journal.log"); }
    std::vector<std::string> CallNamesSinceMark() const;
    // Remembers how long the journal is now; CallNamesSinceMark lists what came after.
    void MarkJournal();
    std::string RunLog() const { return dir_.Read("output.log"); }
    std::vector<std::string> FieldTexts();
    void SetFieldTexts(const std::vector<std::string>& texts);

    TempDir dir_;
    ScriptedResponder responder_;

private:
    std::unique_ptr<ui::TFormMain> form_;
    std::size_t mark_ = 0;
    bool started_ = false;
};

}  // namespace testsupport
