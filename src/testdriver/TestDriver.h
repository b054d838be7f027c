// A scripted driver for end-to-end tests of the real executable; off unless CORVANE_TEST_DRIVER
// names a script.
//
// With the script it answers every message box by appending its text as one line to the file
// named by CORVANE_TEST_MESSAGES (standard error when unset), answers file dialogs from the
// script's queued answers, and runs the script's timed actions (button clicks, field edits,
// snapshots of the window's texts, closing the window) on the user-interface thread. The script
// format is described in docs/reliability.md.
#pragma once

namespace ui {
class TFormMain;
}

namespace testdriver {

// The driver's whole interface with start-up; each call does nothing without CORVANE_TEST_DRIVER.
// Thread: the main thread.
//
// Called first thing in start-up: reads the script and answers every message box and file dialog
// from then on, the boxes of a failed start-up included. A script it cannot follow ends the run at
// its first chance instead of idling until a timeout.
void InstallFromEnvironment();
// Called right after the main form is created, before the message loop runs: starts the script's
// timed actions on that form, which must outlive Stop.
void Start(ui::TFormMain& form);
// Called after the message loop has ended, before the forms are destroyed: stops the actions'
// thread and waits for it, serving its last synchronised call (which then does nothing). The boxes
// stay answered from the script until the process ends.
void Stop();

}  // namespace testdriver
