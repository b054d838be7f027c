// The binding against the simulator built each way the maker's library may be built: the calls
// the tool makes, in the tool's order, and what reached the library (its journal).
#include "servicelib/ServiceLibrary.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

#include "support/BuildDir.h"
#include "support/Environment.h"
#include "support/Journal.h"
#include "support/TempDir.h"

namespace servicelib {
namespace {

// A simulator build: the folder under variants/ ("" for the one beside the tool).
struct Build {
    const char* name;
    const char* folder;
};
void PrintTo(const Build& build, std::ostream* out) {
    *out << build.name;
}

std::string LibraryPath(const std::string& folder) {
    const std::filesystem::path dir =
        folder.empty() ? testsupport::BuildDir() : testsupport::BuildDir() / "variants" / folder;
    return (dir / "Bfb95eg.dll").string();
}

class BindingTest : public ::testing::TestWithParam<Build> {
  protected:
    void SetUp() override {
        dir_.Write("scenario.txt", "service_mode_failures=0\nservice_mode_ms_per_unit=0\n");
        testsupport::SetEnvironment("CORVANE_SIM_SCENARIO", (dir_ / "scenario.txt").string());
        testsupport::SetEnvironment("CORVANE_SIM_JOURNAL", (dir_ / "journal.log").string());
    }
    void TearDown() override {
        library_.Unload();
        testsupport::UnsetEnvironment("CORVANE_SIM_JOURNAL");
        testsupport::UnsetEnvironment("CORVANE_SIM_SCENARIO");
    }

    // The journal lines without their times: "<EntryPoint> <arguments> -> <result>".
    std::vector<std::string> Calls() const {
        std::vector<std::string> calls;
        for (const testsupport::JournalCall& call :
             testsupport::ReadJournal(dir_ / "journal.log")) {
            calls.push_back(call.name + (call.arguments.empty() ? "" : " " + call.arguments) +
                            " -> " + call.result);
        }
        return calls;
    }

    testsupport::TempDir dir_;
    ServiceLibrary library_;
};

TEST_P(BindingTest, ConnectsIdentifiesAndMovesTheBlockAsTheToolDoes) {
    ASSERT_EQ(library_.Load(LibraryPath(GetParam().folder).c_str()), BindResult::Bound)
        << library_.MissingEntryPoint();
    const LibraryEntryPoints& lib = library_.EntryPoints();

    char text[kLibraryTextSize] = {};
    EXPECT_EQ(lib.WLibraryVersion(text), 1);
    EXPECT_STREQ(text, "Corvane Simulated Phones service library 1.0");
    const SupportedMobile* mobiles = lib.WGetSupportedMobiles();
    ASSERT_NE(mobiles, nullptr);
    EXPECT_EQ(mobiles[1].hardwareId, 28);
    EXPECT_STREQ(mobiles[1].modelName, "Simphone S2 Plus");

    const int32_t handle = lib.WComOpen(2, 57600);
    ASSERT_EQ(handle, 1002);
    EXPECT_EQ(lib.WComStartDebugging(handle, (dir_ / "trace.log").string().c_str()), 1);
    EXPECT_EQ(lib.WConfigLibrary(2), 1);
    EXPECT_EQ(lib.WInitServiceMode(handle, 1, 10), 1);
    EXPECT_EQ(lib.WComParity(handle, 0), 1);
    EXPECT_EQ(lib.WComConfigure(handle, 57600), 1);
    EXPECT_EQ(lib.WPingMobile(handle), 1);

    int32_t hardwareId = 0;
    EXPECT_EQ(lib.WGetHardwareIdentification(handle, &hardwareId), 1);
    EXPECT_EQ(hardwareId, 28);
    MobileInformation information{};
    EXPECT_EQ(lib.WGetMobileInformation(handle, &information), 1);
    EXPECT_EQ(information.mobileSwVersion, 0x21);
    EXPECT_STREQ(information.productName, "SIMPHONE S2P");
    uint32_t serial = 0;
    uint32_t unused = 0;
    EXPECT_EQ(lib.WGetFlashSerialNumber(handle, &serial, &unused), 1);
    EXPECT_EQ(serial, 0x5F3A21C4u);
    SensorData sensors{};
    EXPECT_EQ(lib.WGetSensorData(handle, &sensors), 1);
    EXPECT_GT(sensors.vBattMiddle, 3.0);

    uint32_t size = 0;
    uint32_t version = 0;
    std::array<uint8_t, 20> block{};
    EXPECT_EQ(lib.WGiveEeliteBlockVersionAndSize(handle, 67, &size, &version), 1);
    EXPECT_EQ(size, 20u);
    EXPECT_EQ(version, 1u);
    EXPECT_EQ(lib.WReadEeliteBlock(handle, 67, &size, &version, block.data()), 1);
    EXPECT_EQ(block[0], 0x80);  // word 0 is 0C80, low byte first
    EXPECT_EQ(block[1], 0x0C);

    std::array<uint8_t, 20> written{};
    for (std::size_t i = 0; i < written.size(); ++i) {
        written[i] = static_cast<uint8_t>(0xA0 + i);
    }
    EXPECT_EQ(lib.WDeleteEeliteDataBlock(handle, 67), 1);
    EXPECT_EQ(lib.WWriteEeliteBlock(handle, 67, 20, 1, written.data()), 1);
    std::array<uint8_t, 20> readBack{};
    EXPECT_EQ(lib.WReadEeliteBlock(handle, 67, &size, &version, readBack.data()), 1);
    EXPECT_EQ(readBack, written);
    // A refused call, with a result the tool looks at: 0 must come back as 0.
    EXPECT_EQ(lib.WWriteEeliteBlock(handle, 67, 19, 1, written.data()), 0);

    // Many calls in a row: a stack pointer left off by each would not survive them.
    for (int i = 0; i < 200; ++i) {
        ASSERT_EQ(lib.WPingMobile(handle), 1) << "call " << i;
    }
    EXPECT_EQ(lib.WComSopDebugging(handle), 1);
    EXPECT_EQ(lib.WComClose(handle), 1);

    std::vector<std::string> calls = Calls();
    constexpr std::ptrdiff_t kBeforePings = 19;
    ASSERT_EQ(calls.size(), kBeforePings + 200u + 2u);
    calls.erase(calls.begin() + kBeforePings, calls.begin() + kBeforePings + 199);  // one stays
    const std::string trace = testsupport::JournalQuoted((dir_ / "trace.log").string());
    const std::vector<std::string> expected = {
        "WLibraryVersion ptr -> 1",
        "WGetSupportedMobiles -> ptr",
        "WComOpen 2 57600 -> 1002",
        "WComStartDebugging 1002 " + trace + " -> 1",
        "WConfigLibrary 2 -> 1",
        "WInitServiceMode 1002 1 10 -> 1",
        "WComParity 1002 0 -> 1",
        "WComConfigure 1002 57600 -> 1",
        "WPingMobile 1002 -> 1",
        "WGetHardwareIdentification 1002 ptr -> 1",
        "WGetMobileInformation 1002 ptr -> 1",
        "WGetFlashSerialNumber 1002 ptr ptr -> 1",
        "WGetSensorData 1002 ptr -> 1",
        "WGiveEeliteBlockVersionAndSize 1002 67 ptr ptr -> 1",
        "WReadEeliteBlock 1002 67 ptr ptr ptr -> 1",
        "WDeleteEeliteDataBlock 1002 67 -> 1",
        "WWriteEeliteBlock 1002 67 20 1 ptr -> 1",
        "WReadEeliteBlock 1002 67 ptr ptr ptr -> 1",
        "WWriteEeliteBlock 1002 67 19 1 ptr -> 0",
        "WPingMobile 1002 -> 1",  // the 200th of the row
        "WComSopDebugging 1002 -> 1",
        "WComClose 1002 -> 1",
    };
    EXPECT_EQ(calls, expected);
    EXPECT_TRUE(
        testsupport::GuardViolations(testsupport::ReadJournal(dir_ / "journal.log")).empty());
}

std::vector<Build> Builds() {
    std::vector<Build> builds = {{"StdcallPlainNames", ""}};
#if defined(_WIN32) && defined(__i386__)
    builds.push_back({"Cdecl", "cdecl"});
    builds.push_back({"DecoratedNamesOnly", "decorated"});
#endif
    return builds;
}

INSTANTIATE_TEST_SUITE_P(Simulator, BindingTest, ::testing::ValuesIn(Builds()),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(BindingRefusal, NamesTheFirstMissingEntryPointByItsPlainName) {
    struct Case {
        const char* folder;
        const char* missing;
    };
    // WPingMobile comes before WComParity in lookup order.
    const Case cases[] = {{"no-WComParity", "WComParity"},
                          {"no-WComParity-WPingMobile", "WPingMobile"}};
    for (const Case& c : cases) {
        ServiceLibrary library;
        EXPECT_EQ(library.Load(LibraryPath(c.folder).c_str()), BindResult::EntryPointMissing)
            << c.folder;
        EXPECT_EQ(library.MissingEntryPoint(), c.missing);
        EXPECT_TRUE(library.Loaded());
        EXPECT_EQ(library.EntryPoints().WComOpen, nullptr);  // nothing half bound
    }
    ServiceLibrary absent;
    EXPECT_EQ(absent.Load(LibraryPath("no-such-folder").c_str()), BindResult::LoadFailed);
    EXPECT_FALSE(absent.Loaded());
}

#if defined(_WIN32) && defined(__i386__)
TEST(BindingRefusal, OneBindingAtATimeOn32BitWindows) {
    // The trampolines find the library's addresses in one process-wide table.
    ServiceLibrary first;
    ASSERT_EQ(first.Load(LibraryPath("").c_str()), BindResult::Bound);
    ServiceLibrary second;
    EXPECT_EQ(second.Load(LibraryPath("cdecl").c_str()), BindResult::LoadFailed);
    EXPECT_FALSE(second.Loaded());
    first.Unload();
    EXPECT_EQ(second.Load(LibraryPath("cdecl").c_str()), BindResult::Bound);
}
#endif

}  // namespace
}  // namespace servicelib
