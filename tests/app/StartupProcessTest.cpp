// Start-up and shut-down of the real executable against the simulator, one process per case:
// the run log byte for byte, the exit code, and the simulator's call journal as the witness.
#include <gtest/gtest.h>

#include <signal.h>

#include <filesystem>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include "support/Journal.h"
#include "support/TempDir.h"
#include "support/ToolProcess.h"

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using testsupport::CallNames;
using testsupport::CallsOf;
using testsupport::ReadJournal;

// A scenario whose identity texts the expected run logs can spell out.
constexpr const char* kScenario =
    "library_version=Simulated library 9.1\n"
    "library_copyright=Copyright nobody\n"
    "library_compile_date=Jan 02 2025\n"
    "library_compile_time=12:34:56\n"
    "supported_mobiles=21:Simphone S1;28:Simphone S2 Plus\n";

constexpr const char* kIdentityLog =
    "\nSimulated library 9.1\nCopyright nobody\nJan 02 2025\n12:34:56\n"
    "Supported Mobiles:\nHWId: 21, Simphone S1\nHWId: 28, Simphone S2 Plus\n";

class StartupProcessTest : public ::testing::Test {
protected:
    fs::path Executable() const { return testsupport::BuildDir() / "corvane-sensors-tool"; }

    std::map<std::string, std::string> Environment(const std::string& scenario) {
        dir_.Write("scenario.txt", scenario);
        return {{"CORVANE_SIM_SCENARIO", (dir_ / "scenario.txt").string()},
                {"CORVANE_SIM_JOURNAL", (dir_ / "journal.log").string()},
                {"LD_LIBRARY_PATH", "\x01unset"}};
    }

    // Runs until the window's message loop runs, then ends the tool with a signal.
    testsupport::ToolRun RunUntilSignal(const std::map<std::string, std::string>& environment,
                                        int signal = SIGTERM) {
        testsupport::ToolProcess tool(Executable(), dir_.Path(), environment);
        const bool configured = testsupport::WaitUntil(
            [&] { return !CallsOf(Journal(), "WConfigLibrary").empty(); }, 20s);
        EXPECT_TRUE(configured) << "the tool never configured the library";
        tool.SendSignal(signal);
        return tool.Wait(20s);
    }

    std::vector<testsupport::JournalCall> Journal() const {
        return ReadJournal(dir_ / "journal.log");
    }
    std::string RunLog() const { return dir_.Read("output.log"); }

    testsupport::TempDir dir_;
};

TEST_F(StartupProcessTest, WithoutTheLibraryTheRunLogHoldsThreeLinesAndTheExitCodeIsOne) {
    // A copy of the executable whose own folder holds no library.
    fs::create_directory(dir_ / "bin");
    fs::copy_file(Executable(), dir_ / "bin" / "corvane-sensors-tool");
    const auto run =
        testsupport::RunTool(dir_ / "bin" / "corvane-sensors-tool", dir_.Path(), Environment(""));
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(RunLog(), "Using ComPort 1\nBaudRate 57600\nError: failure to load Bfb95eg.dll\n");
    EXPECT_NE(run.standardError.find("Error: failure to load Bfb95eg.dll"), std::string::npos);
}

TEST_F(StartupProcessTest, AMissingEntryPointIsNamedTheFirstInLookupOrder) {
    struct Case {
        const char* variant;
        const char* named;
    };
    for (const Case c : {Case{"no-WComParity", "WComParity"},
                         Case{"no-WComParity-WPingMobile", "WPingMobile"}}) {
        SCOPED_TRACE(c.variant);
        auto environment = Environment(kScenario);
        environment["LD_LIBRARY_PATH"] = (testsupport::BuildDir() / "variants" / c.variant).string();
        const auto run = testsupport::RunTool(Executable(), dir_.Path(), environment);
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_EQ(RunLog(), std::string("Using ComPort 1\nBaudRate 57600\n") +
                                "Error: failure to use Bfb95eg.dll:" + c.named + "\n");
        EXPECT_TRUE(Journal().empty()) << "no entry point may be called";
    }
}

TEST_F(StartupProcessTest, ANormalRunLogsTheLibraryAndEndsOnSigtermWithThePortClosedLast) {
    dir_.Write("corvanetool.ini", "[Debug]\nDoTrace=Yes\n");
    const auto run = RunUntilSignal(Environment(kScenario));
    EXPECT_EQ(run.exitCode, 0) << run.standardError;
    EXPECT_EQ(RunLog(), std::string("Using ComPort 1\nBaudRate 57600\n") + kIdentityLog);
    const auto names = CallNames(Journal());
    ASSERT_GE(names.size(), 2u);
    EXPECT_EQ(names[names.size() - 2], "WComSopDebugging");
    EXPECT_EQ(names.back(), "WComClose");
    EXPECT_TRUE(testsupport::GuardViolations(Journal()).empty());
}

TEST_F(StartupProcessTest, TheTraceRunsAroundTheWholeWindowOnlyWhenAsked) {
    struct Case {
        const char* doTrace;
        std::size_t traceCalls;
    };
    // Only the three words switch it on; "1" and "Y" do not.
    for (const Case c : {Case{"0", 0}, Case{"1", 0}, Case{"yes", 1}, Case{"TRUE", 1}, Case{"Y", 0}}) {
        SCOPED_TRACE(c.doTrace);
        fs::remove(dir_ / "journal.log");
        dir_.Write("corvanetool.ini", std::string("[Debug]\nDoTrace=") + c.doTrace +
                                          "\nTraceFile=t.log\n[Common]\nSensorsUpdateDelay=0\n");
        const auto run = RunUntilSignal(Environment(kScenario), SIGINT);
        EXPECT_EQ(run.exitCode, 0);
        const auto journal = Journal();
        const auto starts = CallsOf(journal, "WComStartDebugging");
        EXPECT_EQ(starts.size(), c.traceCalls);
        EXPECT_EQ(CallsOf(journal, "WComSopDebugging").size(), c.traceCalls);
        if (!starts.empty()) {
            EXPECT_NE(starts[0].arguments.find("t.log"), std::string::npos);
        }
    }
}

TEST_F(StartupProcessTest, EverySignalThatEndsTheToolClosesThePortLast) {
    struct Case {
        const char* name;
        int first;
        int second;  // 0: none; otherwise sent while the close waits for a service-mode attempt
    };
    const Case cases[] = {
        {"SIGHUP (the terminal went away)", SIGHUP, 0},
        {"SIGINT", SIGINT, 0},
        {"SIGTERM", SIGTERM, 0},
        {"SIGTERM, then SIGHUP during the close", SIGTERM, SIGHUP},
        {"SIGHUP, then SIGINT during the close", SIGHUP, SIGINT},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fs::remove(dir_ / "journal.log");
        // One service-mode attempt takes 400 ms: the close has to wait for it.
        dir_.Write("corvanetool.ini", "[Common]\nSensorsUpdateDelay=1\nInitServiceModeDelay=4\n");
        testsupport::ToolProcess tool(
            Executable(), dir_.Path(),
            Environment(std::string(kScenario) + "present=0\nservice_mode_ms_per_unit=100\n"));
        ASSERT_TRUE(testsupport::WaitUntil(
            [&] { return !CallsOf(Journal(), "WInitServiceMode").empty(); }, 20s));
        tool.SendSignal(c.first);
        if (c.second != 0) {
            std::this_thread::sleep_for(100ms);
            tool.SendSignal(c.second);
        }
        const auto run = tool.Wait(20s);
        EXPECT_EQ(run.signal, 0);
        EXPECT_EQ(run.exitCode, 0) << run.standardError;
        const auto names = CallNames(Journal());
        ASSERT_FALSE(names.empty());
        EXPECT_EQ(names.back(), "WComClose");
        EXPECT_TRUE(testsupport::GuardViolations(Journal()).empty());
    }
}

TEST_F(StartupProcessTest, ComNumberThreeOpensPortIndexTwo) {
    dir_.Write("corvanetool.ini", "[Common]\nComNumber=3\nBaudRate=115200\n");
    const auto run = RunUntilSignal(Environment(kScenario));
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(RunLog().substr(0, 33), "Using ComPort 3\nBaudRate 115200\n\n");
    const auto opens = CallsOf(Journal(), "WComOpen");
    ASSERT_EQ(opens.size(), 1u);
    EXPECT_EQ(opens[0].arguments, "2 115200");
}

TEST_F(StartupProcessTest, AnEmptyListOfSupportedMobilesLogsTheHeadingAlone) {
    const auto run = RunUntilSignal(Environment("supported_mobiles=\n"));
    EXPECT_EQ(run.exitCode, 0);
    const std::string log = RunLog();
    EXPECT_NE(log.find("Supported Mobiles:\n"), std::string::npos);
    EXPECT_EQ(log.find("HWId:"), std::string::npos);
    EXPECT_EQ(log.substr(log.size() - 19), "Supported Mobiles:\n");
}

TEST_F(StartupProcessTest, APortThatCannotBeOpenedIsLoggedAndEndsWithExitCodeOne) {
    dir_.Write("corvanetool.ini", "[Debug]\nDoTrace=Yes\n");
    const auto run = testsupport::RunTool(
        Executable(), dir_.Path(),
        Environment(std::string(kScenario) + "open_error_code=5\nopen_error_text=Port busy\n"));
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(RunLog(), std::string("Using ComPort 1\nBaudRate 57600\n") + kIdentityLog +
                            "BFB-Error: Port busy (5)\n");
    EXPECT_NE(run.standardError.find("BFB-Error: Port busy (5)"), std::string::npos);
    const auto journal = Journal();
    EXPECT_TRUE(CallsOf(journal, "WComStartDebugging").empty());
    EXPECT_TRUE(CallsOf(journal, "WComClose").empty());
    EXPECT_TRUE(CallsOf(journal, "WConfigLibrary").empty());
}

TEST_F(StartupProcessTest, ARunLogThatCannotBeOpenedEndsAtOnceWithoutLoadingTheLibrary) {
    dir_.Write("corvanetool.ini", "[Debug]\nLogFile=nodir/x.log\n");
    const auto run = testsupport::RunTool(Executable(), dir_.Path(), Environment(kScenario));
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.standardError.find("nodir/x.log"), std::string::npos) << run.standardError;
    EXPECT_FALSE(fs::exists(dir_ / "journal.log")) << "the library was loaded";
}

TEST_F(StartupProcessTest, WithoutADisplayTheToolSaysSoAndStillClosesThePort) {
    auto environment = Environment(kScenario);
    environment["QT_QPA_PLATFORM"] = "\x01unset";
    environment["DISPLAY"] = "\x01unset";
    environment["WAYLAND_DISPLAY"] = "\x01unset";
    const auto run = testsupport::RunTool(Executable(), dir_.Path(), environment);
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.standardError.find("No display"), std::string::npos) << run.standardError;
    EXPECT_EQ(CallNames(Journal()).back(), "WComClose");
}

}  // namespace
