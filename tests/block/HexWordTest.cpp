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

TEST(HexWord, OnlyCleanWordsMayLeaveTheEditor) {
    struct Case {
        std::string text;
        bool clean;
    };
    const Case cases[] = {
        {"0", true},
        {"1c4a", true},
        {"1C4A", true},
        {"0x12", true},
        {"0X12", true},
        {"  7f", true},
        {"7f  ", true},
        {"\t7f\t", true},
        {"0x0000", true},  // the prefix is not one of the four digits
        {"00FA", true},
        {"FFFF", true},
        {"", false},  // nothing at all
        {"   ", false},
        {"xyz", false},
        {"123456", false},  // five or more digits, even with a value that fits
        {"000FA", false},
        {"-1", false},  // no sign of either kind
        {"+ff", false},
        {"12G4", false},  // something after the digits
        {"12 34", false},
        {"0x", false},  // a prefix without digits
        {"0x 12", false},
        {"x12", false},
        {"1,2", false},
        {"１２", false},  // full-width digits are no hexadecimal digits
        {std::string(251, ' ') + "abcd", true},   // the last digit is the 255th character
        {std::string(252, ' ') + "abcd", false},  // the D would never be seen: ABC is not it
        {std::string(300, ' ') + "1", false},
        {"abcd" + std::string(300, ' '), true},  // blanks beyond the cut change nothing
    };
    for (const Case& c : cases) {
        EXPECT_EQ(IsCleanHexWord(c.text), c.clean) << "text: \"" << c.text << "\"";
    }
}

TEST(HexWord, AcceptedTextsKeepTheirConversion) {
    // Accepting a text must never change the word it gives.
    const std::string texts[] = {"1c4a", "0x12", "  7f", "0X00fa", "ffff ", "0"};
    const uint16_t words[] = {0x1C4A, 0x0012, 0x007F, 0x00FA, 0xFFFF, 0};
    for (std::size_t i = 0; i < std::size(texts); ++i) {
        ASSERT_TRUE(IsCleanHexWord(texts[i])) << texts[i];
        EXPECT_EQ(HexTextToWord(texts[i]), words[i]) << texts[i];
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
