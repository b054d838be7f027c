#include "app/StartupFailure.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using app::StartupFailure;
using app::StartupFailureMessage;

TEST(StartupFailure, TheBoxShowsTheFailuresLineThenWhatToCheck) {
    struct Case {
        StartupFailure failure;
        std::string line;
        std::string firstLine;  // of the box
        std::string mentions;   // what the sentence after it must name
    };
    const Case cases[] = {
        {StartupFailure::LibraryNotLoaded, "Error: failure to load Bfb95eg.dll\n",
         "Error: failure to load Bfb95eg.dll", "Bfb95eg.dll lies beside the program"},
        {StartupFailure::EntryPointMissing, "Error: failure to use Bfb95eg.dll:WComParity\n",
         "Error: failure to use Bfb95eg.dll:WComParity", "Bfb95eg.dll lies beside the program"},
        {StartupFailure::PortNotOpened, "BFB-Error: Port COM1 is busy (2)",
         "BFB-Error: Port COM1 is busy (2)", "ComNumber in corvanetool.ini"},
        {StartupFailure::PortNotOpened, "BFB-Error: Port COM1 is busy (2)", "",
         "no other program holds the port"},
        {StartupFailure::RunLogNotOpened, "Error: cannot open the run log \"x.log\": Denied",
         "Error: cannot open the run log \"x.log\": Denied", "LogFile in corvanetool.ini"},
    };
    for (const Case& c : cases) {
        const std::string box = StartupFailureMessage(c.failure, c.line);
        const std::size_t end = box.find('\n');
        ASSERT_NE(end, std::string::npos) << box;
        if (!c.firstLine.empty()) {
            EXPECT_EQ(box.substr(0, end), c.firstLine);
        }
        EXPECT_NE(box.find(c.mentions, end), std::string::npos) << box;
        EXPECT_EQ(box.find('\n', end + 1), std::string::npos) << "one sentence after the line";
        EXPECT_EQ(box.back(), '.');
    }
}

}  // namespace
