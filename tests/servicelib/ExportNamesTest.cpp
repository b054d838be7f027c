// The names an entry point is looked up by.
#include "servicelib/ExportNames.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace servicelib {
namespace {

using Names = std::vector<std::string>;

TEST(ExportNames, PlainNameFirstThenBothDecorationsOfItsArgumentBytes) {
    EXPECT_EQ(ExportNameCandidates("WComOpen", 8),
              (Names{"WComOpen", "_WComOpen@8", "WComOpen@8"}));
    EXPECT_EQ(ExportNameCandidates("WComGetLastError", 0),
              (Names{"WComGetLastError", "_WComGetLastError@0", "WComGetLastError@0"}));
}

TEST(ExportNames, UnknownParametersTryEveryArgumentCountUpToSixteen) {
    const Names names = ExportNameCandidates("WMobileOff", std::nullopt);
    ASSERT_EQ(names.size(), 1u + 2u * 17u);
    EXPECT_EQ(names[0], "WMobileOff");
    for (std::size_t arguments = 0; arguments <= 16; ++arguments) {
        const std::string bytes = std::to_string(4 * arguments);
        EXPECT_EQ(names[1 + 2 * arguments], std::string("_WMobileOff@").append(bytes));
        EXPECT_EQ(names[2 + 2 * arguments], std::string("WMobileOff@").append(bytes));
    }
}

}  // namespace
}  // namespace servicelib
