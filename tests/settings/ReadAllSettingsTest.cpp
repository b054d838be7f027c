#include "settings/Settings.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <limits>
#include <ostream>
#include <string>
#include <vector>

#include "support/TempDir.h"

namespace settings {

void PrintTo(const Settings& s, std::ostream* out) {
    *out << "{ComNumber=" << s.ComNumber << " BaudRate=" << s.BaudRate
         << " InitServiceModeDelay=" << s.InitServiceModeDelay
         << " SensorsUpdateDelay=" << s.SensorsUpdateDelay << " DoTrace=" << int{s.DoTrace}
         << " TraceFile=\"" << s.TraceFile << "\" LogFile=\"" << s.LogFile << "\"}";
}

namespace {

class ReadAllSettingsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        folder_ = testsupport::MakeTempFolder("settings");
    }
    void TearDown() override { std::filesystem::remove_all(folder_); }

    // Writes `contents` byte for byte as the settings file and returns its path.
    std::string WriteSettingsFile(const std::string& contents) {
        const std::filesystem::path path = folder_ / "corvanetool.ini";
        std::ofstream(path, std::ios::binary | std::ios::trunc) << contents;
        return path.string();
    }

    std::filesystem::path folder_;
};

TEST_F(ReadAllSettingsTest, DefaultsWithoutAUsableFile) {
    const Settings defaults{};
    EXPECT_EQ(defaults.ComNumber, 1);
    EXPECT_EQ(defaults.BaudRate, 57600);
    EXPECT_EQ(defaults.InitServiceModeDelay, 10);
    EXPECT_EQ(defaults.SensorsUpdateDelay, 5);
    EXPECT_EQ(defaults.DoTrace, 0);
    EXPECT_EQ(defaults.TraceFile, "trace.log");
    EXPECT_EQ(defaults.LogFile, "output.log");
    EXPECT_EQ(ReadAllSettings((folder_ / "missing.ini").string().c_str()), defaults);
    EXPECT_EQ(ReadAllSettings(folder_.string().c_str()), defaults);  // a folder reads nothing
    EXPECT_EQ(ReadAllSettings(WriteSettingsFile("").c_str()), defaults);
    EXPECT_EQ(ReadAllSettings(nullptr), defaults);
}

TEST_F(ReadAllSettingsTest, ReadsEverySettingFromItsSection) {
    const std::string path = WriteSettingsFile(
        "[Common]\nComNumber=3\nBaudRate=115200\nInitServiceModeDelay=20\n"
        "SensorsUpdateDelay=2\n[Debug]\nDoTrace=Yes\nTraceFile=t.log\nLogFile=l.log\n");
    EXPECT_EQ(ReadAllSettings(path.c_str()), (Settings{.ComNumber = 3,
                                                       .BaudRate = 115200,
                                                       .InitServiceModeDelay = 20,
                                                       .SensorsUpdateDelay = 2,
                                                       .DoTrace = 1,
                                                       .TraceFile = "t.log",
                                                       .LogFile = "l.log"}));
}

struct Case {
    const char* what;
    std::string contents;
    Settings expected;
};

std::string Junk(std::size_t length) {
    return std::string(length, 'x');
}

std::vector<Case> EdgeCases() {
    constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
    constexpr int32_t kMin = std::numeric_limits<int32_t>::min();
    const std::string common = "[Common]\n";
    const std::string debug = "[Debug]\n";
    return {
        {"DoTrace yes", debug + "DoTrace=yes\n", {.DoTrace = 1}},
        {"DoTrace On", debug + "DoTrace=On\n", {.DoTrace = 1}},
        {"DoTrace TRUE", debug + "DoTrace=TRUE\n", {.DoTrace = 1}},
        {"DoTrace 1", debug + "DoTrace=1\n", {.DoTrace = 0}},
        {"DoTrace Y", debug + "DoTrace=Y\n", {.DoTrace = 0}},
        {"DoTrace yes and a blank", debug + "DoTrace=yes \n", {.DoTrace = 0}},
        {"hex with prefix", common + "SensorsUpdateDelay=0x0A\n", {.SensorsUpdateDelay = 10}},
        {"hex without prefix", common + "SensorsUpdateDelay=A\n", {.SensorsUpdateDelay = 10}},
        {"hex letters", common + "SensorsUpdateDelay=abc\n", {.SensorsUpdateDelay = 2748}},
        {"no number", common + "SensorsUpdateDelay=ten\n", {.SensorsUpdateDelay = 0}},
        {"trailing letter", common + "SensorsUpdateDelay=7s\n", {.SensorsUpdateDelay = 7}},
        {"saturates up", common + "BaudRate=99999999999\n", {.BaudRate = kMax}},
        {"saturates down", common + "BaudRate=-99999999999\n", {.BaudRate = kMin}},
        {"zero port", common + "ComNumber=0\n", {.ComNumber = 0}},
        {"blanks around =", common + "ComNumber = 3\n", {}},
        {"blank before key", common + " ComNumber=3\n", {}},
        {"key in other capitals", common + "comnumber=3\n", {}},
        {"section in other capitals", "[common]\nComNumber=3\n", {}},
        {"header with blanks", "[ Common ]\nComNumber=3\n", {}},
        {"header with text after the bracket", "[Common] main\nComNumber=3\n", {.ComNumber = 3}},
        {"header without bracket", "[Common\nComNumber=3\n", {}},
        {"empty value gives the default", debug + "TraceFile=\nTraceFile=t.log\n", {}},
        {"13 characters cut to 12",
         debug + "TraceFile=abcdefghi.log\n",
         {.TraceFile = "abcdefghi.lo"}},
        {"12 characters kept", debug + "LogFile=abcdefgh.log\n", {.LogFile = "abcdefgh.log"}},
        {"= inside a value", debug + "TraceFile=a=b.log\n", {.TraceFile = "a=b.log"}},
        {"key before the first header", "ComNumber=3\n" + common, {}},
        {"key in another section", debug + "ComNumber=3\n", {}},
        {"first of a repeated key wins", common + "ComNumber=3\nComNumber=4\n", {.ComNumber = 3}},
        {"only the first occurrence of a section is searched",
         common + "BaudRate=1200\n" + debug + common + "ComNumber=3\n",
         {.BaudRate = 1200}},
        {"comment lines are skipped",
         common + ";ComNumber=3\n#ComNumber=4\nComNumber=5\n",
         {.ComNumber = 5}},
        {"a line without = is not the key", common + "ComNumber\nComNumber=3\n", {.ComNumber = 3}},
        {"CRLF line ends",
         "[Common]\r\nComNumber=3\r\n[Debug]\r\nTraceFile=t.log\r\n",
         {.ComNumber = 3, .TraceFile = "t.log"}},
        {"last line without line feed", debug + "TraceFile=t.log", {.TraceFile = "t.log"}},
        {"last line ending in a lone CR keeps it",
         debug + "TraceFile=t.log\r",
         {.TraceFile = "t.log\r"}},
        {"1022-character line", common + Junk(1022) + "\nComNumber=3\n", {.ComNumber = 3}},
        {"1023-character line", common + Junk(1023) + "\nComNumber=3\n", {.ComNumber = 3}},
        {"1024-character line", common + Junk(1024) + "\nComNumber=3\n", {.ComNumber = 3}},
        {"2047-character line", common + Junk(2047) + "\nComNumber=3\n", {.ComNumber = 3}},
        {"key inside the first piece of a line is not a key line",
         common + Junk(1022) + "ComNumber=4\n",
         {}},
        {"second piece of a line read as a key line",
         common + Junk(1023) + "ComNumber=4\n",
         {.ComNumber = 4}},
        {"third piece of a line read as a key line",
         common + Junk(2046) + "ComNumber=4\n",
         {.ComNumber = 4}},
        {"second piece of a line read as a header",
         common + Junk(1023) + "[Other]\nComNumber=3\n",
         {}},
        {"a value cut at the piece end",
         common + "ComNumber=" + std::string(1012, '0') + "12\n",
         {.ComNumber = 1}},
    };
}

TEST_F(ReadAllSettingsTest, EdgeCases) {
    for (const Case& c : EdgeCases()) {
        EXPECT_EQ(ReadAllSettings(WriteSettingsFile(c.contents).c_str()), c.expected) << c.what;
    }
}

}  // namespace
}  // namespace settings
