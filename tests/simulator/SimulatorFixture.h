// The simulator as the tool sees it: Bfb95eg.dll loaded through the platform's loader, its entry
// points looked up by their plain names and called with the simulator's convention, and a fixture
// that gives each test its own scenario file, journal and folder.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/DynamicLibrary.h"
#include "servicelib/EntryPointTable.h"

namespace simtest {

// Typed addresses of all 55 exports of one loaded library.
struct Exports {
#define SIMTEST_DECLARE(name, result, params) result(CORVANE_LIBCALL* name) params = nullptr;
#define SIMTEST_DECLARE_UNCALLED(name) SIMTEST_DECLARE(name, int32_t, ())
    CORVANE_ENTRY_POINTS(SIMTEST_DECLARE, SIMTEST_DECLARE_UNCALLED)
#undef SIMTEST_DECLARE_UNCALLED
#undef SIMTEST_DECLARE
};

// A library the build made: `variant` "" is the simulator at the top of the build folder, any
// other the folder of that name under variants/ (see simulator/CMakeLists.txt).
std::string LibraryPath(const std::string& variant = "");

// The simulator (LibraryPath()), loaded on first use and kept loaded for the whole run, so that
// addresses it returned stay valid across tests.
const Exports& Sim();

// Handle of the library at `path`; nullptr when it cannot be loaded (the path is printed).
platform::LibraryHandle LoadLibraryAt(const std::string& path);

std::string ReadFile(const std::string& path);
std::vector<std::string> Lines(const std::string& text);
void WriteFile(const std::string& path, const std::string& text);
bool Exists(const std::string& path);

class SimulatorTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // Writes the scenario file and names it in CORVANE_SIM_SCENARIO. A comment naming the test
    // goes first, so that every test starts with a fresh phone.
    void UseScenario(const std::string& text);
    // WComOpen(portIndex 0, 57600); the handle is kept and closed by TearDown.
    int32_t Open();
    void Close();
    std::string LastErrorText();
    std::vector<std::string> JournalLines() const { return Lines(ReadFile(journal_)); }
    const std::string& Folder() const { return folder_; }

    int32_t handle_ = -1;

  private:
    std::string folder_;
    std::string journal_;
};

}  // namespace simtest
