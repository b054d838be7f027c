// Libraries built without some entry points: exactly those are missing.
#include <set>

#include "SimulatorFixture.h"

namespace simtest {
namespace {

struct Variant {
    const char* name;
    const char* folder;  // for LibraryPath
    std::set<std::string> omitted;
};

class VariantTest : public ::testing::TestWithParam<Variant> {};

TEST_P(VariantTest, LacksExactlyTheOmittedEntryPoints) {
    platform::LibraryHandle library = LoadLibraryAt(LibraryPath(GetParam().folder));
    ASSERT_NE(library, nullptr);
    const char* names[] = {
#define SIMTEST_NAME(name, ...) #name,
        CORVANE_ENTRY_POINTS(SIMTEST_NAME, SIMTEST_NAME)
#undef SIMTEST_NAME
    };
    for (const char* name : names) {
        const bool omitted = GetParam().omitted.count(name) != 0;
        EXPECT_EQ(platform::GetProcAddress(library, name) == nullptr, omitted) << name;
    }
    platform::FreeLibrary(library);
}

INSTANTIATE_TEST_SUITE_P(Builds, VariantTest,
                         ::testing::Values(Variant{"Full", "", {}},
                                           Variant{"NoParity", "no-WComParity", {"WComParity"}},
                                           Variant{"NoPingNoParity",
                                                   "no-WComParity-WPingMobile",
                                                   {"WPingMobile", "WComParity"}}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace simtest
