// What the phone and the library say about themselves: identification, texts, sensor values.
#include <cmath>
#include <cstring>
#include <limits>

#include "SimulatorFixture.h"

namespace simtest {
namespace {

class IdentificationTest : public SimulatorTest {
  protected:
    // Opens the port and brings the phone into service mode at once.
    void Connect(const std::string& scenario) {
        UseScenario("service_mode_ms_per_unit=0\nservice_mode_failures=0\n" + scenario);
        ASSERT_NE(Open(), -1) << LastErrorText();
        ASSERT_NE(Sim().WInitServiceMode(handle_, 1, 10), 0);
    }
};

bool AllNonZero(const char* bytes, std::size_t size) {
    return std::memchr(bytes, 0, size) == nullptr;
}

TEST_F(IdentificationTest, ReportsTheScenariosIdentity) {
    Connect(
        "hardware_id=-5\nsoftware_version=0x0A\nlanguage_group=ABCDEFGHIJKLMNO\n"
        "product_name=ABCDEFGHIJKLMNOPQR\nflash_serial=0x5F3\n");
    int32_t hardwareId = 0;
    EXPECT_NE(Sim().WGetHardwareIdentification(handle_, &hardwareId), 0);
    EXPECT_EQ(hardwareId, -5);

    servicelib::MobileInformation info;
    std::memset(&info, 0x55, sizeof info);
    EXPECT_NE(Sim().WGetMobileInformation(handle_, &info), 0);
    EXPECT_EQ(info.mobileSwVersion, 0x0A);
    EXPECT_STREQ(info.languageGroup, "ABCDEFGHIJKLMNO");  // 15 characters and the terminator
    EXPECT_STREQ(info.productName, "ABCDEFGHIJKLMNOPQR");

    uint32_t serial = 0;
    uint32_t unused = 0;
    EXPECT_NE(Sim().WGetFlashSerialNumber(handle_, &serial, &unused), 0);
    EXPECT_EQ(serial, 0x5F3u);
}

TEST_F(IdentificationTest, UnterminatedTextsFillTheirWholeField) {
    Connect("identity_unterminated=1\nerror_text_unterminated=1\nmobile_info_unterminated=1\n");
    char text[257];
    std::memset(text, 0, sizeof text);
    Sim().WLibraryVersion(text);
    EXPECT_TRUE(AllNonZero(text, sizeof text));
    std::memset(text, 0, sizeof text);
    Sim().WComGetErrorString(2, text);
    EXPECT_TRUE(AllNonZero(text, sizeof text));

    servicelib::MobileInformation info{};
    Sim().WGetMobileInformation(handle_, &info);
    EXPECT_TRUE(AllNonZero(info.languageGroup, sizeof info.languageGroup));
    EXPECT_TRUE(AllNonZero(info.productName, sizeof info.productName));
}

TEST_F(IdentificationTest, FailedReadsWriteNothing) {
    Connect(
        "fail.WGetHardwareIdentification=1\nfail.WGetMobileInformation=1\n"
        "fail.WGetFlashSerialNumber=1\nfail.WGetSensorData=1\n");
    int32_t hardwareId = 77;
    EXPECT_EQ(Sim().WGetHardwareIdentification(handle_, &hardwareId), 0);
    EXPECT_EQ(hardwareId, 77);
    servicelib::MobileInformation info;
    std::memset(&info, 0x55, sizeof info);
    EXPECT_EQ(Sim().WGetMobileInformation(handle_, &info), 0);
    EXPECT_EQ(info.mobileSwVersion, 0x55);
    uint32_t serial = 77;
    EXPECT_EQ(Sim().WGetFlashSerialNumber(handle_, &serial, nullptr), 0);
    EXPECT_EQ(serial, 77u);
    servicelib::SensorData data{1, 2, 3, 4, 5, 6};
    EXPECT_EQ(Sim().WGetSensorData(handle_, &data), 0);
    EXPECT_EQ(data.vBattMiddle, 1);
    EXPECT_EQ(data.vcxoTemp, 6);
}

TEST_F(IdentificationTest, SensorValuesAsTheScenarioGivesThem) {
    Connect(
        "vbatt_middle=3.92\nvbatt_max=nan\nvbatt_min=inf\nbatt_temp=-inf\nenv_temp=1e300\n"
        "vcxo_temp=-273\n");
    servicelib::SensorData data{};
    ASSERT_NE(Sim().WGetSensorData(handle_, &data), 0);
    EXPECT_EQ(data.vBattMiddle, 3.92);
    EXPECT_TRUE(std::isnan(data.vBattMax));
    EXPECT_EQ(data.vBattMin, std::numeric_limits<double>::infinity());
    EXPECT_EQ(data.battTemp, -std::numeric_limits<double>::infinity());
    EXPECT_EQ(data.envTemp, 1e300);
    EXPECT_EQ(data.vcxoTemp, -273);
}

TEST_F(IdentificationTest, SupportedMobilesFromTheScenario) {
    const std::string longName(300, 'L');
    Connect("supported_mobiles=7:Simphone Mini; 28:" + longName + "\n");
    const servicelib::SupportedMobile* list = Sim().WGetSupportedMobiles();
    ASSERT_EQ(list[0].hardwareId, 7);
    EXPECT_STREQ(list[0].modelName, "Simphone Mini");
    ASSERT_EQ(list[1].hardwareId, 28);
    EXPECT_EQ(list[1].modelName, longName);
    EXPECT_EQ(list[2].hardwareId, 0);
}

TEST_F(IdentificationTest, EmptySupportedMobilesList) {
    Connect("supported_mobiles=\n");
    EXPECT_EQ(Sim().WGetSupportedMobiles()[0].hardwareId, 0);
}

TEST_F(IdentificationTest, ReturnedListOutlivesAReload) {
    Connect("supported_mobiles=5:Before Reload\n");
    const servicelib::SupportedMobile* before = Sim().WGetSupportedMobiles();
    Close();
    Connect("supported_mobiles=6:After Reload\n");
    EXPECT_STREQ(Sim().WGetSupportedMobiles()[0].modelName, "After Reload");
    EXPECT_EQ(before[0].hardwareId, 5);
    EXPECT_STREQ(before[0].modelName, "Before Reload");
}

TEST_F(IdentificationTest, NeverCalledEntryPointsReturnZero) {
    Connect("");
    // Every entry point the tool never calls, and WComGetLastError, whose last error after a good
    // open is 0.
    std::vector<std::string> nonZero;
    const auto check = [&](int32_t(CORVANE_LIBCALL * entryPoint)(), const char* name) {
        if (entryPoint() != 0) {
            nonZero.push_back(name);
        }
    };
    check(Sim().WComGetLastError, "WComGetLastError");
#define SIMTEST_CALLED(...)
#define SIMTEST_NEVER_CALLED(name) check(Sim().name, #name);
    CORVANE_ENTRY_POINTS(SIMTEST_CALLED, SIMTEST_NEVER_CALLED)
#undef SIMTEST_NEVER_CALLED
#undef SIMTEST_CALLED
    EXPECT_TRUE(nonZero.empty()) << nonZero.front();
}

}  // namespace
}  // namespace simtest
