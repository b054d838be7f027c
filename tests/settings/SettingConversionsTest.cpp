#include "settings/SettingConversions.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <string_view>

#include "settings/TypeCode.h"

namespace settings {
namespace {

constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
constexpr int32_t kMin = std::numeric_limits<int32_t>::min();

TEST(SettingConversions, IntegerDecimalThenHexadecimal) {
    struct Case {
        std::string text;
        int32_t expected;
    };
    const std::string fortyNines(40, '9');
    const Case cases[] = {
        {"0", 0},
        {"7s", 7},
        {"00012", 12},
        {" \t\n-12", -12},
        {"+5", 5},
        {"1e3", 1},
        {"0x0A", 10},  // decimal reads 0, so hexadecimal decides
        {"0X0a", 10},
        {"A", 10},
        {"abc", 2748},
        {"e3", 0xE3},
        {"-A", -10},
        {"ten", 0},
        {"", 0},
        {"- 5", 0},
        {"0x", 0},
        {"0xG", 0},
        {"0.5", 0},
        {"2147483647", kMax},
        {"2147483648", kMax},
        {"99999999999", kMax},  // beyond 32 bits although a 64-bit long holds it
        {fortyNines, kMax},     // beyond 64 bits
        {"-2147483648", kMin},
        {"-99999999999", kMin},
        {"-" + fortyNines, kMin},
        {"7FFFFFFF", 7},
        {"FFFFFFFF", kMax},
        {"0x80000000", kMax},
        {"-0x80000000", kMin},
        {"-FFFFFFFFFFFFFFFFFFFFFFFF", kMin},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ConvertInteger(c.text), c.expected) << "text: " << c.text;
    }
}

TEST(SettingConversions, BooleanWords) {
    for (std::string_view yes : {"yes", "YES", "yEs", "On", "on", "TRUE", "true"}) {
        EXPECT_TRUE(ConvertBoolean(yes)) << yes;
    }
    for (std::string_view no : {"1", "Y", "yes ", " yes", "", "No", "TRUEX", "of"}) {
        EXPECT_FALSE(ConvertBoolean(no)) << no;
    }
}

TEST(SettingConversions, FloatReadsTheLeadingNumber) {
    EXPECT_EQ(ConvertFloat("1.5"), 1.5);
    EXPECT_EQ(ConvertFloat(" -2.5e2x"), -250.0);
    EXPECT_EQ(ConvertFloat(".5"), 0.5);
    EXPECT_EQ(ConvertFloat("abc"), 0.0);
    EXPECT_EQ(ConvertFloat(""), 0.0);
    EXPECT_TRUE(std::isinf(ConvertFloat("1e999")));
}

TEST(SettingConversions, TextIsCutToItsBuffer) {
    EXPECT_EQ(ConvertText("trace.log", 13), "trace.log");
    EXPECT_EQ(ConvertText("abcdefgh.log", 13), "abcdefgh.log");
    EXPECT_EQ(ConvertText("abcdefghi.log", 13), "abcdefghi.lo");
    EXPECT_EQ(ConvertText("abc", 1), "");
    EXPECT_EQ(ConvertText("abc", 0), "");
}

TEST(SettingConversions, TypeCodeChoosesConversionAndWidth) {
    struct Case {
        std::string_view text;
        std::string_view typeCode;
        SettingValue expected;
    };
    const Case cases[] = {
        {"300", "I", int32_t{300}},
        {"300", "i", int32_t{300}},
        {"300", "L", int32_t{300}},
        {"300", "C", uint8_t{44}},  // a 1-byte store keeps the low 8 bits
        {"-1", "X", uint8_t{255}},
        {"abc", "", uint8_t{0xBC}},
        {"yes", "BC", uint8_t{1}},
        {"yes", "B", uint8_t{1}},
        {"yes", "BI", int32_t{1}},
        {"on", "bl", int32_t{1}},
        {"no", "BI", int32_t{0}},
        {"2.5", "F", 2.5},
        {"2.5", "f", 2.5},
        {"abcdef", "S4", std::string("abc")},
        {"abcdef", "s4", std::string("abc")},
        {"abcdef", "S13x", std::string("abcdef")},
        {"abc", "S1", std::string()},
        {"abc", "S0", std::string()},
        {"abc", "S", std::string()},
        {"abc", "S99999999999999999999999", std::string("abc")},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ConvertSetting(c.text, c.typeCode), c.expected)
            << "text: " << c.text << ", type code: " << c.typeCode;
    }
}

}  // namespace
}  // namespace settings
