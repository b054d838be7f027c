// The floor of this machine for start-up time and memory: one X window of the tool's size, place
// and title made with Xlib alone, no toolkit. Nothing that shows a window can start faster or
// smaller here.
//
//   corvane_xlib_window [--title <text>]
//
// Ends with exit code 0 on SIGTERM or SIGINT.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <poll.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
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

}  // namespace

int main(int argc, char** argv) {
    const char* title = "Corvane Sensors Tool";
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--title") == 0 && i + 1 < argc) {
            title = argv[++i];
        }
    }
    if (pipe(signalPipe) != 0) {
        return 1;
    }
    struct sigaction action {};
    action.sa_handler = &OnTerminationSignal;
    sigemptyset(&action.sa_mask);
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);

    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        std::fprintf(stderr, "corvane_xlib_window: cannot open the display\n");
        return 1;
    }
    const int screen = DefaultScreen(display);
    const Window window =
        XCreateSimpleWindow(display, RootWindow(display, screen), kLeft, kTop, kWidth, kHeight, 0,
                            BlackPixel(display, screen), WhitePixel(display, screen));

    // The title both ways a window manager or a probe reads it, and a size that cannot change.
    XStoreName(display, window, title);
    XChangeProperty(display, window, XInternAtom(display, "_NET_WM_NAME", False),
                    XInternAtom(display, "UTF8_STRING", False), 8, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(title),
                    static_cast<int>(std::strlen(title)));
    XSizeHints* hints = XAllocSizeHints();
    hints->flags = PPosition | PMinSize | PMaxSize;
    hints->x = kLeft;
    hints->y = kTop;
    hints->min_width = hints->max_width = kWidth;
    hints->min_height = hints->max_height = kHeight;
    XSetWMNormalHints(display, window, hints);
    XFree(hints);
    XSelectInput(display, window, ExposureMask);
    XMapWindow(display, window);
    XFlush(display);

    pollfd fds[2] = {{ConnectionNumber(display), POLLIN, 0}, {signalPipe[0], POLLIN, 0}};
    for (;;) {
        while (XPending(display) > 0) {
            XEvent event;
            XNextEvent(display, &event);  // the server paints the background itself
        }
        if (poll(fds, 2, -1) < 0 && errno != EINTR) {
            break;
        }
        if ((fds[1].revents & POLLIN) != 0) {
            break;
        }
    }
    XDestroyWindow(display, window);
    XCloseDisplay(display);
    return 0;
}
