// Cutting UTF-8 texts to a number of bytes without splitting a character.
#include <gtest/gtest.h>

#include "platform/TextLimits.h"

namespace {

struct PrefixCase {
    const char* text;
    std::size_t maxBytes;
    std::size_t expected;
};

class Utf8Prefix : public ::testing::TestWithParam<PrefixCase> {};

TEST_P(Utf8Prefix, EndsOnACharacterBoundary) {
    EXPECT_EQ(platform::detail::Utf8PrefixLength(GetParam().text, GetParam().maxBytes),
              GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, Utf8Prefix,
    ::testing::Values(PrefixCase{"", 5, 0}, PrefixCase{"abc", 0, 0}, PrefixCase{"abc", 2, 2},
                      PrefixCase{"a\u00B0", 2, 1},       // two-byte character does not fit
                      PrefixCase{"\u20AC\u20AC", 5, 3},  // three-byte characters
                      PrefixCase{"\U0001F600x", 3, 0},   // four-byte character
                      PrefixCase{"\xB0\xB0", 1, 1},      // stray continuation bytes stand alone
                      PrefixCase{"a\xC2", 2, 2},         // lead byte cut off at the end
                      PrefixCase{"\xE2\x82z", 2, 2}));   // broken sequence: each byte alone

}  // namespace
