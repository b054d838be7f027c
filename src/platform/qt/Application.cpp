#include "platform/Application.h"

#include <QApplication>
#include <QDir>
#include <QIcon>
#include <QMessageBox>
#include <QSettings>
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

// Whether the toolkit can be given a screen: without one it would abort the process. A platform
// named in QT_QPA_PLATFORM counts, except those that draw nowhere a user could see.
bool DisplayNamed() {
    if (!qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
        return !platform.startsWith("offscreen") && !platform.startsWith("minimal");
    }
    return !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

// The icon the executable carries as the resources under :/application-icon (one picture per
// size); an empty icon, and so the desktop's default, for a program that carries none.
QIcon ApplicationIcon() {
    QIcon icon;
    const QDir pictures(QStringLiteral(":/application-icon"));
    for (const QString& name : pictures.entryList(QDir::Files)) {
        icon.addFile(pictures.filePath(name));
    }
    return icon;
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
    // lets start-up shut down in order instead. A platform that draws nowhere (offscreen) is
    // chosen on purpose, by tests.
    const bool platformChosen = !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
    if (QCoreApplication::instance() == nullptr && !platformChosen && !DisplayNamed()) {
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
    QGuiApplication::setWindowIcon(ApplicationIcon());
    // The program writes nothing but its run log and block files; the toolkit's file dialog would
    // keep its history in a settings file of the user's. A settings folder that cannot exist keeps
    // every such write from happening, and reads find nothing.
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("/dev/null"));
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("/dev/null"));
    // No application display name: the toolkit would append it to the title of every dialog.
    // The title heads the message boxes instead (QtResponder).
    state.initialized = true;
}

bool TApplication::Initialized() const {
    return State().initialized;
}

void TApplication::SetTitle(const std::string& title) {
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

bool ShowStartupFailure(const std::string& text) {
    if (Responder* responder = InstalledResponder()) {
        responder->MessageBox(text);
        return true;
    }
    if (QCoreApplication::instance() == nullptr && !DisplayNamed()) {
        return false;
    }
    QApplication& app = CreateToolkitApplication();
    QGuiApplication::setWindowIcon(ApplicationIcon());
    // Nothing is held any more: a termination signal only dismisses the box, as OK would.
    qt::InstallTerminationSignals(app, &qt::DismissOpenModals);
    QMessageBox box(QMessageBox::NoIcon, qt::ToQString(Application.Title()), qt::ToQString(text),
                    QMessageBox::Ok);
    box.setTextFormat(Qt::PlainText);
    box.setWindowModality(Qt::ApplicationModal);
    qt::ModalScope scope(box, QMessageBox::Ok);
    box.exec();
    return true;
}

}  // namespace platform
