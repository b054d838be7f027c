// The texts the window shows for the phone's identification and its sensors.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <string>

#include "link/IdentificationText.h"
#include "link/SensorText.h"

namespace {

using phonelink::SensorUnit;
using servicelib::SupportedMobile;

struct SensorCase {
    double value;
    SensorUnit unit;
    const char* text;
};

TEST(SensorText, FormatsTwoDecimalsWithItsUnitAndDashesForWhatIsNoNumber) {
    constexpr double kInf = std::numeric_limits<double>::infinity();
    const SensorCase cases[] = {
        {3.92, SensorUnit::Volt, "3.92 V"},
        {0.0, SensorUnit::Volt, "0.00 V"},
        {-273.0, SensorUnit::DegreeCelsius, "-273.00 \u00B0C"},
        {25.456, SensorUnit::DegreeCelsius, "25.46 \u00B0C"},
        {std::nan(""), SensorUnit::Volt, "--"},
        {kInf, SensorUnit::DegreeCelsius, "--"},
        {-kInf, SensorUnit::Volt, "--"},
    };
    for (const SensorCase& c : cases) {
        EXPECT_EQ(phonelink::FormatSensorValue(c.value, c.unit), c.text) << c.value;
    }
}

TEST(SensorText, AHugeValueIsCutAt255BytesAndNeverInsideTheDegreeSign) {
    const std::string text = phonelink::FormatSensorValue(1e300, SensorUnit::DegreeCelsius);
    EXPECT_EQ(text.size(), phonelink::kSensorTextMax);
    EXPECT_EQ(text.substr(0, 4), "1000");
    // 250 digits, ".00 " and the first byte of the two-byte degree sign would make 255 bytes.
    const std::string split = phonelink::FormatSensorValue(5e249, SensorUnit::DegreeCelsius);
    EXPECT_EQ(split.size(), 254u);
    EXPECT_EQ(split.substr(split.size() - 4), ".00 ");
    const std::string fits = phonelink::FormatSensorValue(5e247, SensorUnit::DegreeCelsius);
    EXPECT_EQ(fits.size(), 255u);
    EXPECT_EQ(fits.substr(fits.size() - 7), ".00 \u00B0C");
}

TEST(IdentificationText, SoftwareVersionIsLowerCaseHexWithoutLeadingZeros) {
    EXPECT_EQ(phonelink::FormatSoftwareVersion(0x21), "21");
    EXPECT_EQ(phonelink::FormatSoftwareVersion(0x0A), "a");
    EXPECT_EQ(phonelink::FormatSoftwareVersion(0xFF), "ff");
    EXPECT_EQ(phonelink::FormatSoftwareVersion(0), "0");
}

TEST(IdentificationText, FlashSerialHasTheAlternateFormPrefix) {
    EXPECT_EQ(phonelink::FormatFlashSerial(0x5F3), "0x5f3");
    EXPECT_EQ(phonelink::FormatFlashSerial(0xFFFFFFFFu), "0xffffffff");
    // The alternate form adds no prefix to zero.
    EXPECT_EQ(phonelink::FormatFlashSerial(0), "0");
}

TEST(IdentificationText, DescriptionNamesTheFirstMatchingModel) {
    const SupportedMobile mobiles[] = {{7, "Simphone S1"}, {28, "Simphone S2"}, {28, "Later"}, {0, nullptr}};
    EXPECT_EQ(phonelink::FormatDescription(28, mobiles), "28, Simphone S2");
    EXPECT_EQ(phonelink::FormatDescription(-5, mobiles), "-5, unknown model");
}

TEST(IdentificationText, DescriptionStopsAtTheTerminatingEntry) {
    const SupportedMobile mobiles[] = {{7, "Simphone S1"}, {0, nullptr}, {9, "Beyond the end"}};
    EXPECT_EQ(phonelink::FormatDescription(9, mobiles), "9, unknown model");
    const SupportedMobile empty[] = {{0, nullptr}};
    EXPECT_EQ(phonelink::FormatDescription(7, empty), "7, unknown model");
    EXPECT_EQ(phonelink::FormatDescription(7, nullptr), "7, unknown model");
    const SupportedMobile unnamed[] = {{7, nullptr}, {0, nullptr}};
    EXPECT_EQ(phonelink::FormatDescription(7, unnamed), "7, ");
}

TEST(IdentificationText, ALongModelNameIsCutTo256Characters) {
    const std::string longName(300, 'M');
    const SupportedMobile mobiles[] = {{12345, longName.c_str()}, {0, nullptr}};
    const std::string text = phonelink::FormatDescription(12345, mobiles);
    EXPECT_EQ(text.size(), phonelink::kIdentificationTextMax);
    EXPECT_EQ(text.substr(0, 8), "12345, M");
}

TEST(IdentificationText, RecordTextsStopAtTheEndOfTheirField) {
    servicelib::MobileInformation info;
    std::memset(&info, 'x', sizeof info);  // no terminator anywhere
    info.mobileSwVersion = 0x21;
    const phonelink::IdentificationTexts texts = phonelink::FormatIdentification(1, nullptr, info, 0x5F3);
    EXPECT_EQ(texts.languageGroup, std::string(16, 'x'));
    EXPECT_EQ(texts.productName, std::string(19, 'x'));
    EXPECT_EQ(texts.softwareVersion, "21");
    EXPECT_EQ(texts.flashSerial, "0x5f3");

    servicelib::MobileInformation zeroed{};
    std::memcpy(zeroed.languageGroup, "EU-West", 7);
    std::memcpy(zeroed.productName, "S2 Plus", 7);
    const phonelink::IdentificationTexts plain = phonelink::FormatIdentification(1, nullptr, zeroed, 0);
    EXPECT_EQ(plain.languageGroup, "EU-West");
    EXPECT_EQ(plain.productName, "S2 Plus");
}

}  // namespace
