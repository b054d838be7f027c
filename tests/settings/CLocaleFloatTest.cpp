// The C-locale float reader of the settings: the results strtod gives in the "C" locale, on every
// platform. Where the settings read floats with strtod_l (POSIX), each case also compares the two.
#include "settings/CLocaleFloat.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <string>

#include "settings/SettingConversions.h"

namespace settings {
namespace {

// Equal bit for bit (so -0 is not 0), or both NaN.
bool Same(double a, double b) {
    return (std::isnan(a) && std::isnan(b)) || std::memcmp(&a, &b, sizeof a) == 0;
}

TEST(CLocaleFloat, ReadsWhatStrtodReadsInTheCLocale) {
    constexpr double kInf = std::numeric_limits<double>::infinity();
    const double kNaN = std::nan("");
    struct Case {
        std::string text;
        double value;
    };
    const Case cases[] = {
        {"1.5", 1.5},
        {" \t\n\v\f\r-2.5e2x", -250.0},
        {"+.5", 0.5},
        {"1.e5", 1e5},
        {"1e", 1.0},  // an exponent without digits is not part of the number
        {"1e+", 1.0},
        {"1,5", 1.0},  // the C locale's point only
        {"123456789012345678901234567890", 123456789012345678901234567890.0},
        // No number: 0, with no sign.
        {"", 0.0},
        {"abc", 0.0},
        {"-", 0.0},
        {".e5", 0.0},
        {"+-1", 0.0},
        {"--1", 0.0},
        // Out of range: infinity, or zero with the number's sign.
        {"1e999", kInf},
        {"-1e999", -kInf},
        {"1" + std::string(400, '0'), kInf},
        {"1e-400", 0.0},
        {"-1e-400", -0.0},
        {"0." + std::string(400, '0') + "1", 0.0},
        {"4.9e-324", std::numeric_limits<double>::denorm_min()},
        {"2.4e-324", 0.0},
        // Hexadecimal after 0x: the "0" alone when no hex digit follows.
        {"0x1p3", 8.0},
        {"0X1.8P1", 3.0},
        {"-0x.8", -0.5},
        {"0x1p", 1.0},
        {"0x1p99999", kInf},
        {"0x1p-99999", 0.0},
        {"0x", 0.0},
        {"-0x", -0.0},
        {"0xg", 0.0},
        {"0x-1", 0.0},
        {"0xinf", 0.0},
        // Words, in any case.
        {"inf", kInf},
        {"-Infinity", -kInf},
        {"infinit", kInf},
        {"nan", kNaN},
        {"NAN(123)", kNaN},
        {"nan(", kNaN},
    };
    for (const Case& c : cases) {
        const double read = ReadCLocaleFloat(c.text);
        EXPECT_TRUE(Same(read, c.value)) << '"' << c.text << "\" gives " << read;
        EXPECT_TRUE(Same(read, ConvertFloat(c.text)))
            << '"' << c.text << "\": the settings' reading gives " << ConvertFloat(c.text);
    }
}

}  // namespace
}  // namespace settings
