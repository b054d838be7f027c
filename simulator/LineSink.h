// A text file that receives whole lines, each flushed at once so that a crash keeps it.
//
// Not locked: the CallRecorder that owns the sinks serialises every use.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

namespace sim {

class LineSink {
  public:
    LineSink() = default;
    ~LineSink() { Close(); }
    LineSink(const LineSink&) = delete;
    LineSink& operator=(const LineSink&) = delete;

    // Closes any earlier file, then opens `path` with the fopen `mode` ("a" or "w").
    bool Open(const std::string& path, const char* mode);
    void Close();
    bool IsOpen() const { return file_ != nullptr; }
    const std::string& Path() const { return path_; }
    // Writes `line` and a line feed, then flushes.
    void Write(std::string_view line);

  private:
    std::FILE* file_ = nullptr;
    std::string path_;
};

}  // namespace sim
