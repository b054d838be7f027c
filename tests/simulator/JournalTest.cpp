// The call journal, the protocol trace, and the guards against misuse.
#include <algorithm>
#include <cctype>
#include <thread>

#include "SimulatorFixture.h"
#include "support/Journal.h"

namespace simtest {
namespace {

using JournalTest = SimulatorTest;

// The journal lines without their time stamps; a line that does not start with a time in
// milliseconds and a blank is kept whole, so it can match nothing expected.
std::vector<std::string> WithoutTimes(const std::vector<std::string>& lines) {
    std::vector<std::string> stripped;
    for (const std::string& line : lines) {
        std::size_t digits = 0;
        while (digits < line.size() && std::isdigit(static_cast<unsigned char>(line[digits]))) {
            ++digits;
        }
        const bool stamped = digits > 0 && digits < line.size() && line[digits] == ' ';
        stripped.push_back(stamped ? line.substr(digits + 1) : line);
    }
    return stripped;
}

bool Contains(const std::vector<std::string>& lines, const std::string& line) {
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

std::string Joined(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) {
        text += line + "\n";
    }
    return text;
}

TEST_F(JournalTest, OneLinePerCallWithArgumentsAndResult) {
    UseScenario("service_mode_ms_per_unit=0\n");
    const Exports& sim = Sim();
    ASSERT_EQ(Open(), 1000);
    char text[257];
    sim.WLibraryVersion(text);
    sim.WGetSupportedMobiles();
    sim.WInitServiceMode(handle_, 1, 10);
    sim.WGetHardwareIdentification(handle_, nullptr);
    const std::string trace = Folder() + "/a \"quoted\" trace.log";
    sim.WComStartDebugging(handle_, trace.c_str());
    // Windows allows no '"' in a file name: there the trace cannot be created.
#if defined(_WIN32)
    const std::string traceCreated = "0";
#else
    const std::string traceCreated = "1";
#endif
    sim.WMobileOff();

    const std::vector<std::string> expected = {
        "WComOpen 0 57600 -> 1000",
        "WLibraryVersion ptr -> 1",
        "WGetSupportedMobiles -> ptr",
        "WInitServiceMode 1000 1 10 -> 0",
        "WGetHardwareIdentification 1000 null -> 0",
        "WComStartDebugging 1000 " + testsupport::JournalQuoted(trace) + " -> " + traceCreated,
        "WMobileOff -> 0",
    };
    EXPECT_EQ(WithoutTimes(JournalLines()), expected);
}

TEST_F(JournalTest, TraceRunsFromStartToStop) {
    const std::string trace = Folder() + "/trace.log";
    ASSERT_NE(Open(), -1);
    Sim().WPingMobile(handle_);
    ASSERT_NE(Sim().WComStartDebugging(handle_, trace.c_str()), 0);
    Sim().WConfigLibrary(2);
    ASSERT_NE(Sim().WComSopDebugging(handle_), 0);
    Sim().WPingMobile(handle_);

    const std::vector<std::string> lines = Lines(ReadFile(trace));
    ASSERT_EQ(lines.size(), 3u) << Joined(lines);
    EXPECT_NE(lines[0].find(" WComStartDebugging 1000 \""), std::string::npos);
    EXPECT_NE(lines[1].find(" WConfigLibrary 2 -> 1"), std::string::npos);
    EXPECT_NE(lines[2].find(" WComSopDebugging 1000 -> 1"), std::string::npos);
    EXPECT_EQ(Sim().WComSopDebugging(handle_), 0);  // nothing left to stop
}

TEST_F(JournalTest, OverlappingCallsAreReported) {
    UseScenario("latency.WReadEeliteBlock=300\n");
    ASSERT_NE(Open(), -1);
    std::thread slow([this] {
        uint32_t size = 0;
        uint32_t version = 0;
        uint8_t block[20];
        Sim().WReadEeliteBlock(handle_, 67, &size, &version, block);
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    Sim().WPingMobile(handle_);
    slow.join();
    Sim().WPingMobile(handle_);  // one at a time again: no report

    const std::vector<std::string> lines = JournalLines();
    EXPECT_TRUE(Contains(WithoutTimes(lines),
                         "CONCURRENT WPingMobile entered while WReadEeliteBlock is inside"))
        << Joined(lines);
    EXPECT_EQ(Joined(lines).find("CONCURRENT"), Joined(lines).rfind("CONCURRENT"));
}

TEST_F(JournalTest, CallsAfterCloseAreReported) {
    ASSERT_NE(Open(), -1);
    const int32_t closed = handle_;
    Close();
    EXPECT_EQ(Sim().WPingMobile(closed), 0);
    ASSERT_NE(Open(), -1);
    Sim().WPingMobile(handle_);

    const std::vector<std::string> lines = JournalLines();
    EXPECT_TRUE(Contains(WithoutTimes(lines), "AFTER-CLOSE WPingMobile called after WComClose"))
        << Joined(lines);
    EXPECT_EQ(Joined(lines).find("AFTER-CLOSE"), Joined(lines).rfind("AFTER-CLOSE"))
        << "only the ping between close and open is after the close";
}

}  // namespace
}  // namespace simtest
