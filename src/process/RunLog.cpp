#include "process/RunLog.h"

#include <cstdio>

#include "process/ProcessState.h"

namespace process {
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

}  // namespace process
