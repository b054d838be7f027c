// The text form of one 16-bit block word, as the editor fields show and take it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace block {

// Characters of an editor field that count: the field is taken into a 256-byte buffer with its
// terminator first, so anything after the 255th character is never seen.
inline constexpr std::size_t kWordTextMax = 255;

// Reads the text the way scanf's "%X" does: white space of the C locale skipped, an optional + or
// -, an optional 0x or 0X prefix when a hex digit follows it, then hex digits of either case up to
// the first other character. A minus sign negates in two's complement; the low 16 bits are kept
// (digits of any count are taken modulo 2^16). A text with no number gives 0.
uint16_t HexTextToWord(std::string_view text);

// Whether the text is a clean 16-bit word, the only form the editor fields may send or save:
// optional white space (of the C locale), an optional 0x or 0X, one to four hexadecimal digits of
// either case, optional white space, and nothing else (no sign, no fifth digit, no other
// character), where every digit lies within the first kWordTextMax characters, the part that
// HexTextToWord sees. A clean text therefore always converts to exactly the word its digits say.
bool IsCleanHexWord(std::string_view text);

// The word as "%0X" prints it: upper-case hex digits, no prefix, no leading zeros ("0" for 0).
std::string WordToHexText(uint16_t word);

}  // namespace block
