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

// Called by start-up right after the main form is created, before the message loop runs. Does
// nothing without CORVANE_TEST_DRIVER. The form must outlive StopTestDriver. Thread: main thread.
void InstallTestDriverFromEnvironment(ui::TFormMain& form);
// Called by start-up after the message loop has ended, before the forms are destroyed: stops the
// driver's thread and waits for it, serving its last synchronised call (which then does nothing).
// The message boxes stay answered from the script until the process ends. Does nothing when no
// driver was installed. Thread: main thread.
void StopTestDriver();

}  // namespace testdriver
