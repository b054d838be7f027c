#include "block/CalibrationBlock.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "block/HexWord.h"

namespace block {
namespace {

TEST(CalibrationBlock, WordsAreLowByteFirst) {
    BlockBytes bytes{};
    SetWordAt(bytes, 0, HexTextToWord("1c4a"));
    EXPECT_EQ(bytes[0], 0x4A);
    EXPECT_EQ(bytes[1], 0x1C);

    bytes[18] = 0x34;
    bytes[19] = 0x12;
    EXPECT_EQ(WordToHexText(WordAt(bytes, 9)), "1234");
}

TEST(CalibrationBlock, EachWordOwnsExactlyItsTwoBytes) {
    for (std::size_t n = 0; n < kBlockWords; ++n) {
        BlockBytes bytes{};
        SetWordAt(bytes, n, 0xBEEF);
        for (std::size_t i = 0; i < kBlockBytes; ++i) {
            const uint8_t expected = i == 2 * n ? 0xEF : i == 2 * n + 1 ? 0xBE : 0x00;
            EXPECT_EQ(bytes[i], expected) << "word " << n << ", byte " << i;
        }
        EXPECT_EQ(WordAt(bytes, n), 0xBEEF);
    }
}

TEST(CalibrationBlock, WordIndexBeyondTheBlockIsRefused) {
    BlockBytes bytes{};
    EXPECT_THROW(WordAt(bytes, kBlockWords), std::out_of_range);
    EXPECT_THROW(SetWordAt(bytes, kBlockWords, 0xFFFF), std::out_of_range);
    EXPECT_EQ(bytes, BlockBytes{});
}

TEST(CalibrationBlock, BlockSurvivesItsTextsUnchanged) {
    BlockBytes original{};
    for (std::size_t i = 0; i < kBlockBytes; ++i) {
        original[i] = static_cast<uint8_t>(0x0F * i + 0x03);
    }
    original[4] = original[5] = 0x00;  // a zero word shows as "0"
    BlockBytes taken{};
    for (std::size_t n = 0; n < kBlockWords; ++n) {
        SetWordAt(taken, n, HexTextToWord(WordToHexText(WordAt(original, n))));
    }
    EXPECT_EQ(taken, original);

    BlockBytes fromStartTexts;
    fromStartTexts.fill(0xAA);
    for (std::size_t n = 0; n < kBlockWords; ++n) {
        SetWordAt(fromStartTexts, n, HexTextToWord("0"));
    }
    EXPECT_EQ(fromStartTexts, BlockBytes{});
}

}  // namespace
}  // namespace block
