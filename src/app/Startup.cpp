#include "app/Startup.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <exception>
#include <string>

#include "app/StartupFailure.h"
#include "platform/Application.h"
#include "platform/LibraryText.h"
#include "process/ProcessState.h"
#include "process/RunLog.h"
#include "servicelib/ServiceLibrary.h"
#include "settings/Settings.h"
#include "testdriver/TestDriver.h"
#include "ui/FormMain.h"

namespace app {

using process::ComHandle;
using process::Config;
using process::SupportedMobiles;
using process::WriteRunLog;

namespace {

constexpr const char* kApplicationTitle = "Corvane Sensors Tool";
constexpr const char* kProgramName = "corvane-sensors-tool";

// 256 characters and a terminator; the library writes each of its identity texts into the first,
// the text of a port error into the second.
char LibraryTextBuffer[servicelib::kLibraryTextSize];
char ErrorTextBuffer[servicelib::kLibraryTextSize];

// A start-up failure: its run-log line goes to the log and, for whoever started the program from a
// terminal, to standard error.
void ReportStartupFailure(const std::string& line) {
    WriteRunLog(line);
    std::fprintf(stderr, "%s: %s", kProgramName, line.c_str());
}

// Runs a library call that writes a text into `buffer`, which is zero-filled first and terminated
// at its last byte afterwards, so a library that writes no terminator cannot make us read past it.
template <class Call>
std::string LibraryText(char (&buffer)[servicelib::kLibraryTextSize], Call call) {
    std::memset(buffer, 0, sizeof buffer);
    call(buffer);
    buffer[sizeof buffer - 1] = '\0';
    return buffer;
}

std::string Format(const char* format, auto... values) {
    const int length = std::snprintf(nullptr, 0, format, values...);
    std::string text(length > 0 ? static_cast<std::size_t>(length) : 0, '\0');
    std::snprintf(text.data(), text.size() + 1, format, values...);
    return text;
}

void WriteLibraryIdentity(const servicelib::LibraryEntryPoints& lib) {
    WriteRunLog(Format("\n%s\n", LibraryText(LibraryTextBuffer, lib.WLibraryVersion).c_str()));
    for (auto* call : {lib.WLibraryCopyright, lib.WLibraryCompileDate, lib.WLibraryCompileTime}) {
        WriteRunLog(Format("%s\n", LibraryText(LibraryTextBuffer, call).c_str()));
    }
}

void WriteSupportedMobiles() {
    WriteRunLog("Supported Mobiles:\n");
    for (const servicelib::SupportedMobile* entry = SupportedMobiles;
         entry != nullptr && entry->hardwareId != 0; ++entry) {
        const char* name = entry->modelName != nullptr ? entry->modelName : "";
        WriteRunLog(Format("HWId: %d, %s\n", entry->hardwareId, name));
    }
}

// Runs the main window until its message loop ends. False when an exception escaped, which the
// application's exception display has then shown.
bool RunApplication() {
    try {
        platform::Application.Initialize();
        platform::Application.CreateForm(ui::FormMain);
        testdriver::Start(*ui::FormMain);
        platform::Application.Run();
        testdriver::Stop();
        platform::Application.DestroyForms();
        return true;
    } catch (const std::exception& error) {
        testdriver::Stop();
        platform::Application.ShowException(error);
        platform::Application.DestroyForms();
        return false;
    }
}

// Ends a start-up that failed. The box comes after everything acquired has been given back, so
// that nothing is held while the user reads it; without a display it is not shown at all.
int EndFailedStartup(StartupFailure failure, const std::string& line) {
    platform::ShowStartupFailure(StartupFailureMessage(failure, line));
    return kExitFailure;
}

}  // namespace

int RunCorvaneSensorsTool() {
    // Before anything can fail: a test script answers every box from the first one on.
    testdriver::InstallFromEnvironment();
    // Also the title of a start-up failure's box.
    platform::Application.SetTitle(kApplicationTitle);
    Config = settings::ReadAllSettings();

    if (!process::OpenRunLog(Config.LogFile)) {
        const std::string line = Format("Error: cannot open the run log \"%s\": %s",
                                        Config.LogFile.c_str(), std::strerror(errno));
        std::fprintf(stderr, "%s: %s\n", kProgramName, line.c_str());
        return EndFailedStartup(StartupFailure::RunLogNotOpened, line);
    }
    WriteRunLog(Format("Using ComPort %d\n", Config.ComNumber));
    WriteRunLog(Format("BaudRate %ld\n", static_cast<long>(Config.BaudRate)));

    servicelib::ServiceLibrary& library = servicelib::TheServiceLibrary();
    switch (library.Load()) {
        case servicelib::BindResult::Bound:
            break;
        case servicelib::BindResult::LoadFailed: {
            const std::string line =
                Format("Error: failure to load %s\n", servicelib::kLibraryFileName);
            ReportStartupFailure(line);
            process::CloseRunLog();
            return EndFailedStartup(StartupFailure::LibraryNotLoaded, line);
        }
        case servicelib::BindResult::EntryPointMissing: {
            const std::string line =
                Format("Error: failure to use %s:%s\n", servicelib::kLibraryFileName,
                       library.MissingEntryPoint().c_str());
            ReportStartupFailure(line);
            library.Unload();
            process::CloseRunLog();
            return EndFailedStartup(StartupFailure::EntryPointMissing, line);
        }
    }
    const servicelib::LibraryEntryPoints& lib = library.EntryPoints();

    WriteLibraryIdentity(lib);
    SupportedMobiles = lib.WGetSupportedMobiles();
    WriteSupportedMobiles();

    // Port index ComNumber - 1, wrapping as 32-bit arithmetic does rather than overflowing.
    const auto portIndex = static_cast<int32_t>(static_cast<uint32_t>(Config.ComNumber) - 1u);
    ComHandle = lib.WComOpen(portIndex, Config.BaudRate);
    if (ComHandle == -1) {
        const int32_t errorCode = lib.WComGetLastError();
        const std::string errorText = LibraryText(ErrorTextBuffer, [&](char* buffer) {
            return lib.WComGetErrorString(errorCode, buffer);
        });
        const int32_t loggedCode = lib.WComGetLastError();
        // The run log keeps the library's bytes; the box shows them as text of this platform.
        ReportStartupFailure(Format("BFB-Error: %s (%d)\n", errorText.c_str(), loggedCode));
        const std::string shown = Format("BFB-Error: %s (%d)",
                                         platform::LibraryTextToUtf8(errorText).c_str(), loggedCode);
        library.Unload();
        process::CloseRunLog();
        return EndFailedStartup(StartupFailure::PortNotOpened, shown);
    }

    if (Config.DoTrace != 0) {
        lib.WComStartDebugging(ComHandle, Config.TraceFile.c_str());
    }
    lib.WConfigLibrary(2);

    const bool ranCleanly = RunApplication();

    if (Config.DoTrace != 0) {
        lib.WComSopDebugging(ComHandle);
    }
    lib.WComClose(ComHandle);
    library.Unload();
    process::CloseRunLog();
    return ranCleanly ? kExitSuccess : kExitFailure;
}

}  // namespace app
