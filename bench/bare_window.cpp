// The reference window for start-up time and memory: the toolkit's application object and one
// empty window of the tool's size and position, nothing else.
//
//   corvane_bare_window [--exit-when-mapped] [--title <text>]
//
// Ends on SIGTERM or SIGINT (through the event loop, as the tool does), or, with
// --exit-when-mapped, as soon as the window has been painted for the first time.
#include <signal.h>
#include <unistd.h>

#include <QApplication>
#include <QEvent>
#include <QSocketNotifier>
#include <QTimer>
#include <QWidget>
#include <cstring>

namespace {

// The tool's window: client area 553 x 505 at 206, 111.
constexpr int kLeft = 206;
constexpr int kTop = 111;
constexpr int kWidth = 553;
constexpr int kHeight = 505;

// Written by the signal handler, read by the event loop: a pipe is async-signal-safe.
int signalPipe[2] = {-1, -1};

void OnTerminationSignal(int) {
    const char byte = 1;
    if (write(signalPipe[1], &byte, 1) < 0) {
        // Nothing a signal handler can do; the loop simply does not end.
    }
}

// Quits the application after the first paint of the window it watches.
class QuitAfterFirstPaint : public QObject {
  public:
    using QObject::QObject;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        }
        return QObject::eventFilter(watched, event);
    }
};

}  // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    bool exitWhenMapped = false;
    QString title = QStringLiteral("Corvane Bare Window");
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--exit-when-mapped") == 0) {
            exitWhenMapped = true;
        } else if (std::strcmp(argv[i], "--title") == 0 && i + 1 < argc) {
            title = QString::fromLocal8Bit(argv[++i]);
        }
    }

    if (pipe(signalPipe) != 0) {
        return 1;
    }
    QSocketNotifier signalNotifier(signalPipe[0], QSocketNotifier::Read);
    QObject::connect(&signalNotifier, &QSocketNotifier::activated, &application,
                     &QCoreApplication::quit);
    struct sigaction action {};
    action.sa_handler = &OnTerminationSignal;
    sigemptyset(&action.sa_mask);
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);

    QWidget window;
    window.setWindowTitle(title);
    window.setFixedSize(kWidth, kHeight);
    window.move(kLeft, kTop);
    QuitAfterFirstPaint quitter;
    if (exitWhenMapped) {
        window.installEventFilter(&quitter);
    }
    window.show();
    return application.exec();
}
