// A fresh temporary folder per test, with helpers to lay out block files in it and read them back.
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "block/CalibrationBlock.h"

namespace block {

class BlockFolderFixture : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "blockfile-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        folder_ = pattern;
    }
    void TearDown() override {
        // Permission tests may leave a folder without write access: give it back first.
        std::error_code ignored;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(folder_, ignored)) {
            if (entry.is_directory(ignored)) {
                std::filesystem::permissions(entry.path(), std::filesystem::perms::owner_all,
                                             std::filesystem::perm_options::add, ignored);
            }
        }
        std::filesystem::remove_all(folder_, ignored);
    }

    std::string PathOf(const std::string& name) const { return (folder_ / name).string(); }

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
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
    }

    static std::vector<uint8_t> ReadFile(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
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
            names.insert(entry.path().filename().string());
        }
        return names;
    }

    std::filesystem::path folder_;
};

}  // namespace block
