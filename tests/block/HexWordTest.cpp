#include "block/HexWord.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace block {
namespace {

TEST(HexWord, TextToWord) {
    struct Case {
        std::string text;
        uint16_t word;
    };
    const std::string f251(251, 'F');
    const Case cases[] = {
        {"0", 0x0000},
        {"1c4a", 0x1C4A},
        {"1C4A", 0x1C4A},
        {"0x12", 0x0012},
        {"0X12", 0x0012},
        {"  7f", 0x007F},
        {"\t\n\v\f\r7f", 0x007F},
        {"12G4", 0x0012},
        {"12345", 0x2345},  // only the low 16 bits are kept
        {"-1", 0xFFFF},
        {"+ff", 0x00FF},
        {"-0x10", 0xFFF0},
        {"-0", 0x0000},
        {"-10000", 0x0000},
        {"", 0},  // no number at all gives 0
        {"   ", 0},
        {"G1", 0},
        {"+", 0},
        {"- 1", 0},
        {"0x", 0},
        {"0xG", 0},
        {"x12", 0},
        {std::string(254, '0') + "1", 0x0001},
        {std::string(255, '0') + "1", 0x0000},  // the 256th character is never seen
        {std::string(254, ' ') + "1", 0x0001},
        {std::string(255, ' ') + "1", 0x0000},
        {f251 + "1234", 0x1234},                          // exactly 255 characters
        {f251 + "F1234", 0xF123},                         // 256: the last digit is cut off
        {f251 + "1234" + std::string(145, '9'), 0x1234},  // a 400-digit number
        {"-" + std::string(250, 'F') + "1234" + std::string(145, '9'), 0xEDCC},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(HexTextToWord(c.text), c.word) << "text: " << c.text;
    }
}

TEST(HexWord, WordToText) {
    EXPECT_EQ(WordToHexText(0x0000), "0");
    EXPECT_EQ(WordToHexText(0x00FF), "FF");
    EXPECT_EQ(WordToHexText(0x0A0B), "A0B");
    EXPECT_EQ(WordToHexText(0xABCD), "ABCD");
    EXPECT_EQ(WordToHexText(0xFFFF), "FFFF");
}

TEST(HexWord, EveryWordSurvivesItsText) {
    for (uint32_t word = 0; word <= 0xFFFF; ++word) {
        const std::string text = WordToHexText(static_cast<uint16_t>(word));
        ASSERT_EQ(HexTextToWord(text), word) << "text: " << text;
    }
}

}  // namespace
}  // namespace block
