// Fuzzes the editor-field conversion. Properties: every word's text converts back to the word;
// any text converts without fault, characters after the 255th never count, and within range the
// result is the low 16 bits of what strtoul reads (the same "%X" grammar).
#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "FuzzCheck.h"
#include "block/HexWord.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const uint16_t word = block::HexTextToWord(text);

    if (size >= 2) {
        const auto chosen = static_cast<uint16_t>(data[0] | (data[1] << 8));
        FUZZ_CHECK(block::HexTextToWord(block::WordToHexText(chosen)) == chosen);
    }
    FUZZ_CHECK(block::HexTextToWord(text.substr(0, block::kWordTextMax)) == word);

    // What an editor buffer of 256 bytes holds: at most 255 characters, cut at a zero byte.
    const std::string field(text.substr(0, block::kWordTextMax));
    errno = 0;
    const unsigned long expected = std::strtoul(field.c_str(), nullptr, 16);
    if (errno != ERANGE) {
        FUZZ_CHECK(static_cast<uint16_t>(expected) == word);
    }
    return 0;
}
