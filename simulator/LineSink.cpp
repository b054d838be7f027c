#include "LineSink.h"

namespace sim {

bool LineSink::Open(const std::string& path, const char* mode) {
    Close();
    file_ = std::fopen(path.c_str(), mode);
    if (file_ != nullptr) {
        path_ = path;
    }
    return file_ != nullptr;
}

void LineSink::Close() {
    if (file_ != nullptr) {
        std::fclose(file_);
        file_ = nullptr;
    }
    path_.clear();
}

void LineSink::Write(std::string_view line) {
    if (file_ == nullptr) {
        return;
    }
    std::fwrite(line.data(), 1, line.size(), file_);
    std::fputc('\n', file_);
    std::fflush(file_);
}

}  // namespace sim
