#include "support/TempDir.h"

#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>
#include <string>

namespace testsupport {

std::filesystem::path MakeTempFolder(const std::string& prefix) {
    static constexpr char kLetters[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    thread_local std::mt19937 random{std::random_device{}()};
    std::uniform_int_distribution<std::size_t> pick(0, sizeof kLetters - 2);
    const std::filesystem::path base = std::filesystem::temp_directory_path();
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string name = prefix + "-";
        for (int i = 0; i < 6; ++i) {
            name += kLetters[pick(random)];
        }
        std::error_code error;
        // create_directory is false for a folder that is there already: another name is tried.
        if (std::filesystem::create_directory(base / name, error)) {
            return base / name;
        }
        if (error) {
            break;
        }
    }
    throw std::runtime_error("no temporary folder can be created in " + base.string());
}

TempDir::TempDir() : path_(MakeTempFolder("corvane-test")) {}

TempDir::~TempDir() {
    std::error_code ignored;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ignored);
    std::filesystem::remove_all(path_, ignored);
}

void TempDir::Write(const std::string& name, const std::string& contents) const {
    std::ofstream out(path_ / name, std::ios::binary | std::ios::trunc);
    out << contents;
}

std::string TempDir::Read(const std::string& name) const {
    std::ifstream in(path_ / name, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

}  // namespace testsupport
