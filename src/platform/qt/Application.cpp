#include "platform/Application.h"

#include <QApplication>
#include <cstdio>
#include <stdexcept>
#include <vector>

#include "platform/SyncQueue.h"
#include "platform/qt/CloseGate.h"
#include "platform/qt/ModalRegistry.h"
#include "platform/qt/NativeWidget.h"
#include "platform/qt/QtText.h"
#include "platform/qt/SyncWakeup.h"
#include "platform/qt/TerminationSignals.h"

namespace platform {

TApplication Application;

namespace {

// The application's state. Thread: user-interface thread only.
struct ApplicationState {
    bool initialized = false;
    bool terminated = false;
    bool closeRequested = false;
    std::string title;
    std::vector<std::unique_ptr<TForm>> forms;  // in order of creation; forms[0] is the main form
};

ApplicationState& State() {
    // Never destroyed: forms left at exit would otherwise be torn down after the toolkit's own
    // static state, which crashes; the process ends right after anyway.
    static ApplicationState* const state = new ApplicationState;
    return *state;
}

// A termination signal, on the user-interface thread from the event loop: answer every open
// dialog, then close the main window as its close box would (deferred while a synchronised call
// runs, so that the window's close handler never waits for a worker blocked in that call).
void OnTerminationSignal() {
    State().closeRequested = true;
    qt::DismissOpenModals();
    if (TForm* main = Application.MainForm()) {
        qt::RequestClose(*qt::FromNative(main->Native()));
    }
}

QApplication& CreateToolkitApplication() {
    // QApplication keeps references to argc and argv for its whole life.
    static int argc = 1;
    static char programName[] = "corvane-sensors-tool";
    static char* argv[] = {programName, nullptr};
    if (auto* existing = qobject_cast<QApplication*>(QCoreApplication::instance())) {
        return *existing;
    }
    // Never destroyed, for the same reason as the forms (see State).
    return *new QApplication(argc, argv);
}

}  // namespace

void TApplication::Initialize() {
    ApplicationState& state = State();
    if (state.initialized) {
        return;
    }
    // Without a display the toolkit would abort the process, leaving the port open; an exception
    // lets start-up shut down in order instead.
    const bool platformChosen = !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
    if (QCoreApplication::instance() == nullptr && !platformChosen &&
        qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) {
        throw std::runtime_error(
            "No display: set DISPLAY or WAYLAND_DISPLAY, or QT_QPA_PLATFORM=offscreen");
    }
    QApplication& app = CreateToolkitApplication();
    // The loop ends only through Terminate, as the main window's close handler decides.
    QApplication::setQuitOnLastWindowClosed(false);
    // The desktop shows the icon of the installed desktop entry of this name for our windows.
    QGuiApplication::setDesktopFileName(QStringLiteral("corvane-sensors-tool"));
    detail::ClaimUserInterfaceThread(true);
    qt::InstallSyncWakeup(app);
    qt::InstallTerminationSignals(app, &OnTerminationSignal);
    detail::SyncQueue::Instance().SetIdleHook(&qt::PostDeferredCloses);
    if (!state.title.empty()) {
        QGuiApplication::setApplicationDisplayName(qt::ToQString(state.title));
    }
    state.initialized = true;
}

bool TApplication::Initialized() const {
    return State().initialized;
}

void TApplication::SetTitle(const std::string& title) {
    State().title = title;
    if (QCoreApplication::instance() != nullptr) {
        QGuiApplication::setApplicationDisplayName(qt::ToQString(title));
    }
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
    QApplication::exec();
}

void TApplication::Terminate() {
    State().terminated = true;
    if (QCoreApplication::instance() != nullptr) {
        // Ends every running loop, nested ones included; a loop started later returns at once.
        QCoreApplication::exit(0);
    }
}

void TApplication::ResetTerminatedForTesting() {
    State().terminated = false;
}

bool TApplication::Terminated() const {
    return State().terminated;
}

bool TApplication::CloseRequested() const {
    return State().closeRequested;
}

void TApplication::ShowException(const std::exception& error) {
    // Also for whoever started the program from a terminal, and the only report when the
    // toolkit could not even start.
    std::fprintf(stderr, "%s\n", error.what());
    if (State().initialized) {
        ShowMessage(error.what());
    }
}

void TApplication::ProcessMessages() {
    if (QCoreApplication::instance() != nullptr) {
        QCoreApplication::processEvents();
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
