#include "SimulatorFixture.h"

#include <cstring>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

#include "support/BuildDir.h"
#include "support/Environment.h"

namespace simtest {

std::string LibraryPath(const std::string& variant) {
    const std::filesystem::path folder =
        variant.empty() ? testsupport::BuildDir() : testsupport::BuildDir() / "variants" / variant;
    return (folder / "Bfb95eg.dll").string();
}

platform::LibraryHandle LoadLibraryAt(const std::string& path) {
    platform::LibraryHandle handle = platform::LoadLibraryA(path.c_str());
    if (handle == nullptr) {
        std::fprintf(stderr, "cannot load %s\n", path.c_str());
    }
    return handle;
}

const Exports& Sim() {
    static const Exports exports = [] {
        Exports e;
        platform::LibraryHandle library = LoadLibraryAt(LibraryPath());
        if (library == nullptr) {
            std::abort();
        }
#define SIMTEST_LOOK_UP(name, ...) \
    e.name = reinterpret_cast<decltype(e.name)>(platform::GetProcAddress(library, #name));
        CORVANE_ENTRY_POINTS(SIMTEST_LOOK_UP, SIMTEST_LOOK_UP)
#undef SIMTEST_LOOK_UP
        return e;
    }();
    return exports;
}

std::string ReadFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);) {
        lines.push_back(line);
    }
    return lines;
}

void WriteFile(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
}

bool Exists(const std::string& path) {
    return std::filesystem::exists(path);
}

void SimulatorTest::SetUp() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = std::string(info->test_suite_name()) + "." + info->name();
    for (char& c : name) {
        if (c == '/') {
            c = '_';
        }
    }
    folder_ = (std::filesystem::temp_directory_path() / "corvane-sim-tests" / name).string();
    std::filesystem::remove_all(folder_);
    std::filesystem::create_directories(folder_);
    journal_ = folder_ + "/journal.log";
    testsupport::SetEnvironment("CORVANE_SIM_JOURNAL", journal_);
    testsupport::UnsetEnvironment("CORVANE_SIM_SCENARIO");
    Sim();
}

void SimulatorTest::TearDown() {
    Close();
    testsupport::UnsetEnvironment("CORVANE_SIM_JOURNAL");
}

void SimulatorTest::UseScenario(const std::string& text) {
    const std::string path = folder_ + "/scenario.txt";
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    WriteFile(path, std::string("# ") + info->test_suite_name() + "." + info->name() + "\n" + text);
    testsupport::SetEnvironment("CORVANE_SIM_SCENARIO", path);
}

int32_t SimulatorTest::Open() {
    handle_ = Sim().WComOpen(0, 57600);
    return handle_;
}

void SimulatorTest::Close() {
    if (handle_ != -1) {
        Sim().WComSopDebugging(handle_);  // a trace a test started ends with it
        Sim().WComClose(handle_);
        handle_ = -1;
    }
}

std::string SimulatorTest::LastErrorText() {
    char text[257] = {};
    Sim().WComGetErrorString(Sim().WComGetLastError(), text);
    return std::string(text, strnlen(text, sizeof text));
}

}  // namespace simtest
