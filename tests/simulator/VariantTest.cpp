// Libraries built without some entry points: exactly those are missing.
#include <dlfcn.h>

#include <set>

#include "SimulatorFixture.h"

namespace simtest {
namespace {

struct Variant {
    const char* name;
    const char* path;
    std::set<std::string> omitted;
};

class VariantTest : public ::testing::TestWithParam<Variant> {};

TEST_P(VariantTest, LacksExactlyTheOmittedEntryPoints) {
    void* library = LoadLibraryAt(GetParam().path);
    ASSERT_NE(library, nullptr);
    const char* names[] = {
#define SIMTEST_NAME(name, result, params) #name,
        CORVANE_ENTRY_POINTS(SIMTEST_NAME)
#undef SIMTEST_NAME
    };
    for (const char* name : names) {
        const bool omitted = GetParam().omitted.count(name) != 0;
        EXPECT_EQ(dlsym(library, name) == nullptr, omitted) << name;
    }
    dlclose(library);
}

INSTANTIATE_TEST_SUITE_P(
    Builds, VariantTest,
    ::testing::Values(
        Variant{"Full", CORVANE_SIM_PATH, {}},
        Variant{"NoParity", CORVANE_SIM_NO_PARITY_PATH, {"WComParity"}},
        Variant{"NoPingNoParity", CORVANE_SIM_NO_PING_PARITY_PATH, {"WPingMobile", "WComParity"}}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace simtest
