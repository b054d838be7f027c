// A read-only C stream over given bytes, for tests and fuzz targets of code that reads a FILE*.
// The bytes arrive unchanged (binary): on POSIX from memory (fmemopen), on Windows from a
// temporary file that the C library deletes when the stream is closed. Header-only, so that fuzz
// targets can use it without the test support library. Thread: any; one stream per object.
#pragma once

#include <stdio.h>

#include <atomic>
#include <cstdio>
#include <filesystem>
#include <string>

namespace testsupport {

class MemoryFile {
  public:
    // `contents` must outlive the object (fmemopen reads it in place).
    explicit MemoryFile(std::string& contents) : file_(Open(contents)) {}
    ~MemoryFile() {
        if (file_ != nullptr) {
            std::fclose(file_);
        }
    }
    MemoryFile(const MemoryFile&) = delete;
    MemoryFile& operator=(const MemoryFile&) = delete;

    // nullptr when the stream cannot be made (fmemopen refuses zero bytes: an empty file is then
    // simply not there).
    std::FILE* get() const { return file_; }

  private:
    static std::FILE* Open(std::string& contents) {
#if defined(_WIN32)
        static std::atomic<unsigned> serial{0};
        const std::filesystem::path path =
            std::filesystem::temp_directory_path() /
            ("corvane-memory-" + std::to_string(_getpid()) + "-" + std::to_string(serial++));
        // "D": deleted when closed; "b": no text-mode translation of what the test wrote.
        std::FILE* file = _wfopen(path.c_str(), L"w+bD");
        if (file == nullptr) {
            return nullptr;
        }
        if (std::fwrite(contents.data(), 1, contents.size(), file) != contents.size() ||
            std::fseek(file, 0, SEEK_SET) != 0) {
            std::fclose(file);
            return nullptr;
        }
        return file;
#else
        return fmemopen(contents.data(), contents.size(), "r");
#endif
    }

    std::FILE* file_;
};

}  // namespace testsupport
