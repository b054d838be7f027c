// What the parts of the Win32 backend need of one another.
//
// Thread: user-interface thread, except where a function says otherwise.
#pragma once

#include <functional>

#include "platform/win32/FormState.h"

struct tagMSG;

namespace platform::win32 {

// The class of every form's window; registered by TApplication::Initialize.
const wchar_t* FormClassName();
// Registers the form's window class; the window procedure lives in FormWindow.cpp.
void RegisterFormClass();

// Runs an event handler of the program from inside a window procedure: an exception that escapes
// it is shown with the application's exception display instead of unwinding through the system's
// frames, which cannot carry it.
void RunGuarded(const std::function<void()>& handler);

// Dispatches one message as every message loop of the program does: the window's keyboard rules
// (Keyboard.cpp), then the dialog manager (Tab between the controls), then the usual translation
// and dispatch.
void DispatchLoopMessage(tagMSG& message);

// The window's keyboard rules: Enter presses the focused button, Escape and Enter elsewhere press
// nothing, an accelerator presses the first enabled, visible button in tab order that carries it.
// True when the message was taken.
bool HandleFormKeys(const tagMSG& message);

// Runs the click handler of a button as a press would, focusing it first when `focus` is set.
void PressButton(Widget& button, bool focus);

// Closes the form as its close box does: at once when no synchronised call runs, otherwise once
// the last running one has returned (CloseGate.cpp).
void RequestClose(FormState& form);
// Posts the closes kept back while synchronised calls ran; runs when their depth is back at 0.
void PostDeferredCloses();
// The form is going away: a close kept back for it is dropped.
void ForgetDeferredClose(WindowHandle window);

// A log-off or shut-down is under way (WM_ENDSESSION): from now on no box or dialog is shown,
// the open ones are dismissed, and the form closes as its close box would.
void EndSession(FormState& form);

// Marks the application as asked to close from outside (TApplication::CloseRequested).
void MarkCloseRequested();

// Ends every message box and file dialog open on this thread, as Cancel (OK for a message box
// with only that button) would.
void DismissOpenModals();

}  // namespace platform::win32
