#include "platform/Application.h"

#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <stdexcept>
#include <vector>

#include "platform/SyncQueue.h"
#include "platform/Thread.h"
#include "platform/win32/Backend.h"
#include "platform/win32/WideText.h"

namespace platform {

TApplication Application;

namespace {

// Posted to the wake window by a worker that has queued a synchronised call.
constexpr UINT kWakeMessage = WM_APP + 1;
constexpr wchar_t kWakeClassName[] = L"CorvaneSyncWake";

// The application's state. Thread: user-interface thread only.
struct ApplicationState {
    bool initialized = false;
    bool terminated = false;
    bool closeRequested = false;
    std::string title;
    std::vector<std::unique_ptr<TForm>> forms;  // in order of creation; forms[0] is the main form
};

ApplicationState& State() {
    // Never destroyed: forms left at exit would otherwise be destroyed after the system has torn
    // down the window classes; the process ends right after anyway.
    static ApplicationState* const state = new ApplicationState;
    return *state;
}

// The message-only window that workers wake. Written once by Initialize before any worker can
// queue a call, read by the workers' waker: atomic, so that a worker sees it whole.
std::atomic<HWND> wakeWindow{nullptr};

// Thread: any worker. A message posted to a window is dispatched by every message loop of the
// thread, the system's modal loops of message boxes and file dialogs included, so a call is served
// wherever the user-interface thread waits for messages. A full queue loses this wake-up only;
// the call stays queued and the next one, or WaitFor, serves it.
void WakeUserInterfaceThread() {
    if (HWND window = wakeWindow.load(std::memory_order_acquire)) {
        PostMessageW(window, kWakeMessage, 0, 0);
    }
}

LRESULT CALLBACK WakeWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kWakeMessage) {
        // Errors of the calls travel back to their workers; nothing escapes ServeAll.
        ServeSynchronizedCalls();
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

void CreateWakeWindow() {
    if (wakeWindow.load(std::memory_order_acquire) != nullptr) {
        return;
    }
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = &WakeWindowProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = kWakeClassName;
    if (RegisterClassExW(&windowClass) == 0 && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
        throw std::runtime_error("Cannot register the window class of the synchronised calls");
    }
    HWND window = CreateWindowExW(0, kWakeClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
    if (window == nullptr) {
        throw std::runtime_error("Cannot create the window of the synchronised calls");
    }
    wakeWindow.store(window, std::memory_order_release);
}

// A WM_QUIT left in the queue would end the next message box at once.
void DropPendingQuit() {
    MSG message;
    while (PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
}

}  // namespace

namespace win32 {

void MarkCloseRequested() {
    State().closeRequested = true;
}

}  // namespace win32

void TApplication::Initialize() {
    ApplicationState& state = State();
    if (state.initialized) {
        return;
    }
    // Version 6 of the common controls, which the manifest asks for: the progress bar and the
    // visual styles of the buttons and fields.
    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof controls;
    controls.dwICC = ICC_PROGRESS_CLASS | ICC_STANDARD_CLASSES;
    InitCommonControlsEx(&controls);
    detail::ClaimUserInterfaceThread(true);
    win32::RegisterFormClass();
    CreateWakeWindow();
    detail::SyncQueue::Instance().SetWaker(&WakeUserInterfaceThread);
    detail::SyncQueue::Instance().SetIdleHook(&win32::PostDeferredCloses);
    state.initialized = true;
}

bool TApplication::Initialized() const {
    return State().initialized;
}

void TApplication::SetTitle(const std::string& title) {
    // The title of the main window is its own caption; the application title names the program
    // where no window of its own does (nothing on Windows shows it apart from the window).
    State().title = title;
}

std::string TApplication::Title() const {
    return State().title;
}

TForm* TApplication::MainForm() const {
    const auto& forms = State().forms;
    return forms.empty() ? nullptr : forms.front().get();
}

void TApplication::Run() {
    if (!State().initialized || State().terminated) {
        return;
    }
    if (TForm* main = MainForm()) {
        main->Show();
    }
    MSG message;
    while (!State().terminated) {
        const BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got == 0 || got == -1) {
            break;
        }
        win32::DispatchLoopMessage(message);
    }
    DropPendingQuit();
}

void TApplication::Terminate() {
    State().terminated = true;
    // WM_QUIT ends every running loop, the system's modal loops included: each ends and posts
    // it again for the loop below it.
    PostQuitMessage(0);
}

void TApplication::ResetTerminatedForTesting() {
    State().terminated = false;
    DropPendingQuit();
}

bool TApplication::Terminated() const {
    return State().terminated;
}

bool TApplication::CloseRequested() const {
    return State().closeRequested;
}

void TApplication::ShowException(const std::exception& error) {
    // For whoever started the program from a console, and the only report when the window
    // system could not even start.
    std::fprintf(stderr, "%s\n", error.what());
    if (State().initialized) {
        ShowMessage(error.what());
    }
}

void TApplication::ProcessMessages() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            // Left for the loop that is to end.
            PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        win32::DispatchLoopMessage(message);
    }
}

void TApplication::DestroyForms() {
    auto& forms = State().forms;
    while (!forms.empty()) {
        // Out of the list first, so that nothing reaches a form while it is being destroyed.
        std::unique_ptr<TForm> last = std::move(forms.back());
        forms.pop_back();
        last.reset();
    }
}

void TApplication::AdoptForm(std::unique_ptr<TForm> form) {
    State().forms.push_back(std::move(form));
}

}  // namespace platform
