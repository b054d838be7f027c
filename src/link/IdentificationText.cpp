#include "link/IdentificationText.h"

#include <cstdio>
#include <cstring>

namespace phonelink {
namespace {

std::string Bounded(std::string text) {
    if (text.size() > kIdentificationTextMax) {
        text.resize(kIdentificationTextMax);
    }
    return text;
}

}  // namespace

std::string FormatDescription(int32_t hardwareId, const servicelib::SupportedMobile* mobiles) {
    const char* model = "unknown model";
    for (const servicelib::SupportedMobile* entry = mobiles;
         entry != nullptr && entry->hardwareId != 0; ++entry) {
        if (entry->hardwareId == hardwareId) {
            model = entry->modelName != nullptr ? entry->modelName : "";
            break;
        }
    }
    // The name may be of any length: take no more of it than the text can hold.
    const std::size_t modelLength = strnlen(model, kIdentificationTextMax);
    return Bounded(std::to_string(hardwareId) + ", " + std::string(model, modelLength));
}

std::string FormatSoftwareVersion(uint8_t version) {
    char text[8];
    std::snprintf(text, sizeof text, "%x", static_cast<unsigned>(version));
    return text;
}

std::string FieldText(const char* field, std::size_t size) {
    return Bounded(std::string(field, strnlen(field, size)));
}

std::string FormatFlashSerial(uint32_t serial) {
    char text[16];
    std::snprintf(text, sizeof text, "%#0x", static_cast<unsigned>(serial));
    return text;
}

IdentificationTexts FormatIdentification(int32_t hardwareId,
                                         const servicelib::SupportedMobile* mobiles,
                                         const servicelib::MobileInformation& information,
                                         uint32_t flashSerial) {
    return IdentificationTexts{
        FormatDescription(hardwareId, mobiles),
        FormatSoftwareVersion(information.mobileSwVersion),
        FieldText(information.languageGroup, sizeof information.languageGroup),
        FieldText(information.productName, sizeof information.productName),
        FormatFlashSerial(flashSerial),
    };
}

}  // namespace phonelink
