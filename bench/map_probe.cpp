// Measures a windowed program from its start to its window being viewable, and its peak memory.
//
//   corvane_map_probe --title <window name> [--settle-ms N] [--timeout-ms N] -- <program> [args]
//
// Watches the X display (DISPLAY) for top-level windows being mapped, starts the program, and
// notes the time at which a window named <title> is viewable. It then waits settle-ms (the first
// paint and whatever follows it), reads the program's peak resident set (VmHWM) from /proc, sends
// SIGTERM and waits for the end. One line on standard output, with the CPU time the program's
// threads had used when its window became viewable:
//
//   startup_ms=<ms> cpu_ms=<ms> vmhwm_kb=<kB> exit=<status>
//
// The same probe measures every program, so its own costs (one process start, one X round trip
// per mapped window) fall equally on both sides of a comparison. Exit code 0 on success.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <dirent.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

struct ProbeOptions {
    std::string title;
    int settleMs = 500;
    int timeoutMs = 20000;
    std::vector<char*> command;  // null-terminated for execvp
};

bool ParseOptions(int argc, char** argv, ProbeOptions& options) {
    int i = 1;
    for (; i < argc && std::strcmp(argv[i], "--") != 0; ++i) {
        const std::string option = argv[i];
        if (i + 1 >= argc) {
            return false;
        }
        if (option == "--title") {
            options.title = argv[++i];
        } else if (option == "--settle-ms") {
            options.settleMs = std::atoi(argv[++i]);
        } else if (option == "--timeout-ms") {
            options.timeoutMs = std::atoi(argv[++i]);
        } else {
            return false;
        }
    }
    for (++i; i < argc; ++i) {
        options.command.push_back(argv[i]);
    }
    options.command.push_back(nullptr);
    return !options.title.empty() && options.command.size() > 1;
}

// The window's name, from _NET_WM_NAME or else WM_NAME, whatever the property's text type.
std::string WindowName(Display* display, Window window) {
    for (const char* property : {"_NET_WM_NAME", "WM_NAME"}) {
        const Atom atom = XInternAtom(display, property, False);
        Atom type = None;
        int format = 0;
        unsigned long items = 0;
        unsigned long after = 0;
        unsigned char* data = nullptr;
        if (XGetWindowProperty(display, window, atom, 0, 1024, False, AnyPropertyType, &type,
                               &format, &items, &after, &data) == Success &&
            data != nullptr) {
            std::string name = format == 8 ? std::string(reinterpret_cast<char*>(data), items) : "";
            XFree(data);
            if (!name.empty()) {
                return name;
            }
        }
    }
    return {};
}

bool WindowIsViewable(Display* display, Window window) {
    XWindowAttributes attributes{};
    return XGetWindowAttributes(display, window, &attributes) != 0 &&
           attributes.map_state == IsViewable;
}

// The CPU time the process's live threads have run so far, in ms (schedstat, ns); -1 when /proc
// does not tell. Less moved by other work on the machine than the wall-clock start-up.
double CpuMs(pid_t pid) {
    const std::string tasks = "/proc/" + std::to_string(pid) + "/task";
    DIR* folder = opendir(tasks.c_str());
    if (folder == nullptr) {
        return -1;
    }
    double totalNs = 0;
    while (const dirent* entry = readdir(folder)) {
        if (entry->d_name[0] == '.') {
            continue;
        }
        std::ifstream schedstat(tasks + "/" + entry->d_name + "/schedstat");
        double runNs = 0;
        if (schedstat >> runNs) {
            totalNs += runNs;
        }
    }
    closedir(folder);
    return totalNs / 1e6;
}

// The peak resident set of the process in kB, or -1 when /proc does not tell.
long PeakResidentKb(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmHWM:", 0) == 0) {
            return std::atol(line.c_str() + 6);
        }
    }
    return -1;
}

// Sends SIGTERM and waits up to five seconds, then kills. The wait status.
int EndProcess(pid_t pid) {
    kill(pid, SIGTERM);
    int status = 0;
    for (int waited = 0; waited < 5000; waited += 5) {
        if (waitpid(pid, &status, WNOHANG) == pid) {
            return status;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    kill(pid, SIGKILL);
    waitpid(pid, &status, 0);
    return status;
}

// Waits for a MapNotify of a window with the title; checks every 5 ms that the program still
// runs. False on timeout or when the program ended first.
bool AwaitMapped(Display* display, pid_t pid, const ProbeOptions& options) {
    const auto deadline = Clock::now() + std::chrono::milliseconds(options.timeoutMs);
    pollfd connection{ConnectionNumber(display), POLLIN, 0};
    while (Clock::now() < deadline) {
        while (XPending(display) > 0) {
            XEvent event;
            XNextEvent(display, &event);
            if (event.type == MapNotify &&
                WindowName(display, event.xmap.window) == options.title &&
                WindowIsViewable(display, event.xmap.window)) {
                return true;
            }
        }
        int status = 0;
        if (waitpid(pid, &status, WNOHANG) == pid) {
            std::fprintf(stderr, "map_probe: the program ended before its window was mapped\n");
            return false;
        }
        poll(&connection, 1, 5);
    }
    std::fprintf(stderr, "map_probe: no window named \"%s\" was mapped in time\n",
                 options.title.c_str());
    EndProcess(pid);
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    ProbeOptions options;
    if (!ParseOptions(argc, argv, options)) {
        std::fprintf(stderr,
                     "usage: %s --title <name> [--settle-ms N] [--timeout-ms N] -- <program> "
                     "[args]\n",
                     argv[0]);
        return 2;
    }
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        std::fprintf(stderr, "map_probe: cannot open the display\n");
        return 2;
    }
    fcntl(ConnectionNumber(display), F_SETFD, FD_CLOEXEC);
    XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
    XSync(display, False);

    const auto start = Clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        execvp(options.command[0], options.command.data());
        _exit(127);
    }
    if (pid < 0) {
        std::perror("map_probe: fork");
        return 2;
    }
    if (!AwaitMapped(display, pid, options)) {
        return 1;
    }
    const double startupMs =
        std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    const double cpuMs = CpuMs(pid);

    std::this_thread::sleep_for(std::chrono::milliseconds(options.settleMs));
    const long peakKb = PeakResidentKb(pid);
    const int status = EndProcess(pid);
    std::printf("startup_ms=%.2f cpu_ms=%.2f vmhwm_kb=%ld exit=%d\n", startupMs, cpuMs, peakKb,
                WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status));
    XCloseDisplay(display);
    return 0;
}
