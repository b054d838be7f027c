#include "app/StartupFailure.h"

namespace app {
namespace {

const char* WhatToCheck(StartupFailure failure) {
    switch (failure) {
        case StartupFailure::RunLogNotOpened:
            return "Check that the program may create files in the folder it was started in, or "
                   "name another run log with LogFile in corvanetool.ini.";
        case StartupFailure::LibraryNotLoaded:
        case StartupFailure::EntryPointMissing:
#if defined(_WIN32)
            return "Check that the phone maker's Bfb95eg.dll lies beside the program or in a "
                   "folder on the PATH.";
#else
            return "Check that the phone maker's Bfb95eg.dll lies beside the program or in a "
                   "folder named in LD_LIBRARY_PATH.";
#endif
        case StartupFailure::PortNotOpened:
            return "Check the port number ComNumber in corvanetool.ini, and that no other program "
                   "holds the port.";
    }
    return "";
}

}  // namespace

std::string StartupFailureMessage(StartupFailure failure, const std::string& line) {
    std::string text = line;
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) {
        text.pop_back();
    }
    return text + "\n" + WhatToCheck(failure);
}

}  // namespace app
