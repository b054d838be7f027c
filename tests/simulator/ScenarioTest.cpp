// The default phone, and scenario files the simulator must refuse.
#include <chrono>
#include <climits>
#include <cstring>

#include "SimulatorFixture.h"
#include "support/Environment.h"

namespace simtest {
namespace {

using ScenarioTest = SimulatorTest;

TEST_F(ScenarioTest, DefaultPhoneNeedsNoConfiguration) {
    const Exports& sim = Sim();
    char text[257];
    for (auto* identity : {sim.WLibraryVersion, sim.WLibraryCopyright, sim.WLibraryCompileDate,
                           sim.WLibraryCompileTime}) {
        std::memset(text, 'x', sizeof text);
        ASSERT_NE(identity(text), 0);
        const std::size_t length = strnlen(text, sizeof text);
        EXPECT_GT(length, 0u);
        EXPECT_LT(length, sizeof text);
    }

    ASSERT_NE(Open(), -1);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(sim.WInitServiceMode(handle_, 1, 10), 0);
    // One attempt with the delay 10 takes 10 units of 10 ms.
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(100));
    EXPECT_EQ(sim.WInitServiceMode(handle_, 1, 10), 0);
    EXPECT_NE(sim.WInitServiceMode(handle_, 1, 10), 0);
    EXPECT_NE(sim.WPingMobile(handle_), 0);

    int32_t hardwareId = 0;
    ASSERT_NE(sim.WGetHardwareIdentification(handle_, &hardwareId), 0);
    bool listed = false;
    for (const auto* entry = sim.WGetSupportedMobiles(); entry->hardwareId != 0; ++entry) {
        listed = listed || entry->hardwareId == hardwareId;
    }
    EXPECT_TRUE(listed) << "hardware id " << hardwareId << " is not a supported mobile";

    servicelib::SensorData data{};
    ASSERT_NE(sim.WGetSensorData(handle_, &data), 0);
    EXPECT_GE(data.vBattMin, 3.6);
    EXPECT_LE(data.vBattMax, 4.2);
    EXPECT_GT(data.vBattMiddle, data.vBattMin);
    EXPECT_LT(data.vBattMiddle, data.vBattMax);
    for (double temperature : {data.battTemp, data.envTemp, data.vcxoTemp}) {
        EXPECT_GE(temperature, 20.0);
        EXPECT_LE(temperature, 40.0);
    }

    uint32_t size = 0;
    uint32_t version = 0;
    ASSERT_NE(sim.WGiveEeliteBlockVersionAndSize(handle_, 67, &size, &version), 0);
    EXPECT_EQ(size, 20u);
    EXPECT_EQ(version, 1u);
}

TEST_F(ScenarioTest, HandleIsNeverMinusOne) {
    for (int32_t portIndex : {0, 2, -1, -1001, INT32_MIN, INT32_MAX}) {
        handle_ = Sim().WComOpen(portIndex, 57600);
        EXPECT_NE(handle_, -1) << "port index " << portIndex;
        Close();
    }
}

struct BadScenario {
    const char* name;
    const char* text;
    const char* expected;  // part of the error text
};

class BadScenarioTest : public SimulatorTest, public ::testing::WithParamInterface<BadScenario> {};

TEST_P(BadScenarioTest, OpenFailsNamingTheLine) {
    // The fixture's comment is line 1, so the scenario's own lines start at 2.
    UseScenario(GetParam().text);
    EXPECT_EQ(Open(), -1);
    EXPECT_EQ(Sim().WComGetLastError(), 9001);
    EXPECT_NE(LastErrorText().find(GetParam().expected), std::string::npos) << LastErrorText();
}

INSTANTIATE_TEST_SUITE_P(
    Lines, BadScenarioTest,
    ::testing::Values(
        BadScenario{"UnknownKey", "present=1\n\nfoo=1\n",
                    "scenario line 4: unknown key 'foo' in \"foo=1\""},
        BadScenario{"NotANumber", "hardware_id=abc\n", "line 2: bad value for key 'hardware_id'"},
        BadScenario{"FlagOutOfRange", "present=2\n", "line 2: bad value for key 'present'"},
        BadScenario{"NumberTooBig", "software_version=256\n", "bad value"},
        BadScenario{"TextTooLong", "product_name=ABCDEFGHIJKLMNOPQRS\n", "bad value"},
        BadScenario{"ShortBlock", "block=0011\n", "bad value for key 'block'"},
        BadScenario{"MobileIdZero", "supported_mobiles=0:Nothing\n", "bad value"},
        BadScenario{"CountNeitherNumberNorWord", "pings_before_answer=sometimes\n", "bad value"},
        BadScenario{"ZeroMeanTime", "flaky_mean_up_ms=0\n", "bad value"},
        BadScenario{"NoEquals", "# fine\npresent\n", "line 3: expected key=value"},
        BadScenario{"Duplicate", "present=1\npresent=1\n", "line 3: key 'present' given twice"},
        BadScenario{"LatencyOfUnknownCall", "latency.WNoSuchCall=5\n", "unknown key"},
        BadScenario{"FailOfCallThatCannotFail", "fail.WPingMobile=1\n", "unknown key"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ScenarioTest, MissingFileFailsUntilItExists) {
    const std::string path = Folder() + "/absent.txt";
    testsupport::SetEnvironment("CORVANE_SIM_SCENARIO", path);
    EXPECT_EQ(Open(), -1);
    EXPECT_EQ(Sim().WComGetLastError(), 9001);
    EXPECT_NE(LastErrorText().find("absent.txt' cannot be read"), std::string::npos);

    WriteFile(path, "present=1\n");
    EXPECT_NE(Open(), -1);
}

TEST_F(ScenarioTest, PortOpenFailureCarriesCodeAndText) {
    UseScenario("open_error_code=2\nopen_error_text=Port COM1 is busy\n");
    EXPECT_EQ(Open(), -1);
    EXPECT_EQ(Sim().WComGetLastError(), 2);
    EXPECT_EQ(LastErrorText(), "Port COM1 is busy");
}

TEST_F(ScenarioTest, SecondOpenWhileOpenFails) {
    ASSERT_NE(Open(), -1);
    EXPECT_EQ(Sim().WComOpen(0, 57600), -1);
    EXPECT_EQ(Sim().WComGetLastError(), 9003);
}

}  // namespace
}  // namespace simtest
