// A fresh temporary folder per test, with helpers to lay out block files in it and read them back.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "block/CalibrationBlock.h"
#include "support/TempDir.h"

namespace block {

class BlockFolderFixture : public ::testing::Test {
  protected:
    void SetUp() override { folder_ = testsupport::MakeTempFolder("blockfile"); }
    void TearDown() override {
        // Permission tests may leave a folder without write access, or a read-only file that
        // Windows would not delete: give the access back first.
        std::error_code ignored;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(folder_, ignored)) {
            std::filesystem::permissions(entry.path(), std::filesystem::perms::owner_all,
                                         std::filesystem::perm_options::add, ignored);
        }
        std::filesystem::remove_all(folder_, ignored);
    }

    // Paths as the program passes them: UTF-8 text, whatever the system's code page.
    static std::string Utf8(const std::filesystem::path& path) {
        const std::u8string text = path.u8string();
        return std::string(text.begin(), text.end());
    }
    static std::filesystem::path FromUtf8(const std::string& text) {
        return std::filesystem::path(std::u8string(text.begin(), text.end()));
    }
    std::string PathOf(const std::string& name) const { return Utf8(folder_ / FromUtf8(name)); }
    std::string FolderPath() const { return Utf8(folder_); }

    // Bytes 0, 1, 2, ... (modulo 256, offset by `seed`) of the given count.
    static std::vector<uint8_t> Pattern(std::size_t count, uint8_t seed = 0) {
        std::vector<uint8_t> bytes(count);
        for (std::size_t i = 0; i < count; ++i) {
            bytes[i] = static_cast<uint8_t>(i + seed);
        }
        return bytes;
    }

    static BlockBytes PatternBlock(uint8_t seed) {
        BlockBytes block{};
        const std::vector<uint8_t> bytes = Pattern(kBlockBytes, seed);
        std::copy(bytes.begin(), bytes.end(), block.begin());
        return block;
    }

    static void WriteFile(const std::string& path, const std::vector<uint8_t>& bytes) {
        std::ofstream out(FromUtf8(path), std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
    }

    static std::vector<uint8_t> ReadFile(const std::string& path) {
        std::ifstream in(FromUtf8(path), std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    static std::vector<uint8_t> ToVector(const BlockBytes& block) {
        return {block.begin(), block.end()};
    }

    // Names in a folder (the test folder by default), hidden ones included.
    std::set<std::string> Listing(const std::filesystem::path& folder = {}) const {
        std::set<std::string> names;
        for (const auto& entry :
             std::filesystem::directory_iterator(folder.empty() ? folder_ : folder)) {
            names.insert(Utf8(entry.path().filename()));
        }
        return names;
    }

    std::filesystem::path folder_;
};

}  // namespace block
