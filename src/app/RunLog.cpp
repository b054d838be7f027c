#include "app/RunLog.h"

#include <cstdio>

#include "app/ProcessState.h"

namespace app {
namespace {

std::FILE* runLog = nullptr;

}  // namespace

bool OpenRunLog(const std::string& fileName) {
    runLog = std::fopen(fileName.c_str(), "w");
    return runLog != nullptr;
}

void CloseRunLog() {
    if (runLog != nullptr) {
        std::fclose(runLog);
        runLog = nullptr;
    }
}

void WriteRunLog(const std::string& text) {
    if (runLog == nullptr) {
        return;
    }
    std::fwrite(text.data(), 1, text.size(), runLog);
    std::fflush(runLog);
}

}  // namespace app
