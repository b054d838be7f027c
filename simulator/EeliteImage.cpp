#include "EeliteImage.h"

#if defined(_WIN32)
#include <io.h>
#else
#include <unistd.h>
#endif

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <limits>
#include <system_error>

#include "Values.h"

namespace sim {

namespace {

std::string Hex(const BlockBytes& bytes) {
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string text;
    for (uint8_t byte : bytes) {
        text += kDigits[byte >> 4];
        text += kDigits[byte & 0x0F];
    }
    return text;
}

std::string Serialize(const StoredBlock& block) {
    return "# Simulated EELITE block 67\nsize=" + std::to_string(block.size) +
           "\nversion=" + std::to_string(block.version) +
           "\nblock=" + (block.present ? Hex(block.bytes) : std::string("erased")) + "\n";
}

// Pushes what was written to `file` through to the disk.
bool SyncToDisk(std::FILE* file) {
#if defined(_WIN32)
    return _commit(_fileno(file)) == 0;
#else
    return ::fsync(fileno(file)) == 0;
#endif
}

}  // namespace

LoadedImage LoadEeliteImage(const std::string& path) {
    LoadedImage loaded;
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        return loaded;
    }
    loaded.exists = true;
    StoredBlock block;
    bool haveSize = false;
    bool haveVersion = false;
    bool haveBlock = false;
    std::string raw;
    int number = 0;
    while (std::getline(file, raw)) {
        ++number;
        const std::string_view line = Trim(raw);
        if (line.empty() || line.front() == '#') {
            continue;
        }
        const auto equals = line.find('=');
        const std::string_view key = Trim(line.substr(0, equals));
        const std::string_view value =
            equals == std::string_view::npos ? std::string_view{} : Trim(line.substr(equals + 1));
        const uint64_t max = std::numeric_limits<uint32_t>::max();
        bool ok = false;
        if (key == "size" && !haveSize) {
            const auto n = ParseUnsigned(value, max);
            ok = haveSize = n.has_value();
            block.size = static_cast<uint32_t>(n.value_or(0));
        } else if (key == "version" && !haveVersion) {
            const auto n = ParseUnsigned(value, max);
            ok = haveVersion = n.has_value();
            block.version = static_cast<uint32_t>(n.value_or(0));
        } else if (key == "block" && !haveBlock) {
            const auto bytes = ParseBlockHex(value);
            block.present = value != "erased";
            ok = haveBlock = bytes.has_value() || !block.present;
            block.bytes = bytes.value_or(BlockBytes{});
        }
        if (!ok) {
            loaded.error =
                "eelite image '" + path + "' line " + std::to_string(number) + " is not understood";
            return loaded;
        }
    }
    if (!haveSize || !haveVersion || !haveBlock) {
        loaded.error = "eelite image '" + path + "' lacks size, version or block";
        return loaded;
    }
    loaded.block = block;
    return loaded;
}

bool SaveEeliteImage(const std::string& path, const StoredBlock& block) {
    const std::string temporary = path + ".tmp";
    std::FILE* file = std::fopen(temporary.c_str(), "wb");
    if (file == nullptr) {
        return false;
    }
    const std::string text = Serialize(block);
    bool ok = std::fwrite(text.data(), 1, text.size(), file) == text.size();
    ok = std::fflush(file) == 0 && ok;
    ok = SyncToDisk(file) && ok;
    ok = std::fclose(file) == 0 && ok;
    // Replaces an existing image: rename(2) on POSIX, MoveFileExW with MOVEFILE_REPLACE_EXISTING
    // on Windows, where std::rename would refuse.
    std::error_code renameError;
    if (ok) {
        std::filesystem::rename(temporary, path, renameError);
    }
    ok = ok && !renameError;
    if (!ok) {
        std::remove(temporary.c_str());
    }
    return ok;
}

}  // namespace sim
