// A fresh folder for one test, removed with everything in it when the test ends.
#pragma once

#include <filesystem>
#include <string>

namespace testsupport {

// Creates a new, empty folder "<prefix>-XXXXXX" (random letters and digits) in the system's
// temporary folder and returns it; throws std::runtime_error when none can be created.
std::filesystem::path MakeTempFolder(const std::string& prefix);

class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& Path() const { return path_; }
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

    // Writes `contents` to the file `name` in this folder, replacing it.
    void Write(const std::string& name, const std::string& contents) const;
    // The whole file `name` in this folder; empty when it is missing.
    std::string Read(const std::string& name) const;

private:
    std::filesystem::path path_;
};

}  // namespace testsupport
