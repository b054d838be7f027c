// The application object: the message loop and the application-wide operations.
//
// One instance, `Application`, lives for the whole process. Thread: user-interface thread (the
// program's main thread) only.
#pragma once

#include <exception>
#include <functional>
#include <memory>
#include <string>

#include "platform/Form.h"

namespace platform {

class TApplication {
  public:
    // Creates the platform's application state; must come before any form. Installs the
    // termination-signal handling (SIGHUP, SIGINT, SIGTERM; log-off and shut-down on Windows): a
    // signal dismisses any open dialog or message box as Cancel or OK would, then closes the main
    // form as its close box does.
    void Initialize();
    bool Initialized() const;
    void SetTitle(const std::string& title);
    std::string Title() const;

    // Creates a form of class T, constructed with this application as its owner, and makes the
    // first one created the main form. `reference` stays empty if the constructor throws. The
    // application owns the form until DestroyForms.
    template <class T>
    void CreateForm(T*& reference) {
        reference = nullptr;
        auto form = std::make_unique<T>(this);
        reference = form.get();
        AdoptForm(std::move(form));
    }
    TForm* MainForm() const;

    // Shows the main form and runs the message loop until Terminate. Returns at once when Terminate
    // came before.
    void Run();
    // Ends the message loop, also from inside a nested loop (a message box or a dialog).
    void Terminate();
    bool Terminated() const;
    // True once a termination signal has asked the application to close.
    bool CloseRequested() const;

    // The application's standard exception display: a message box with the exception's text.
    void ShowException(const std::exception& error);

    // Processes pending events without waiting; for tests that drive the loop step by step.
    void ProcessMessages();

    // Destroys the forms, in reverse order of creation. Called once after Run.
    void DestroyForms();

    // Clears an earlier Terminate, so that one test process can run several windows in turn.
    // For tests only.
    void ResetTerminatedForTesting();

  private:
    void AdoptForm(std::unique_ptr<TForm> form);
};

extern TApplication Application;

// Shows a failure of start-up (before any window exists) to a user who may have started the program
// from a menu, where standard error is seen by nobody: one message box with the text, one OK
// button, no icon, through the installed responder when there is one. Returns after the box has
// been closed, true. Returns false at once, showing nothing, when no display can be reached. May be
// called before Initialize, and is the only dialog that may. Thread: the main thread.
bool ShowStartupFailure(const std::string& text);

// Holds SIGHUP, SIGINT and SIGTERM back until Initialize installs their handling. Called first
// thing in main, so that a signal that comes during start-up closes the window once its loop runs
// instead of killing the program before the port is closed. Thread: the main thread, before any
// other.
void HoldTerminationSignals();

}  // namespace platform
