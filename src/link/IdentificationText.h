// Texts of the phone's identification, formatted from what the library returned.
//
// The library is not trusted: texts are read only up to the end of their record field, and every
// text is bounded to 256 characters, the size of the window's identification buffers.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "servicelib/LibraryTypes.h"

namespace phonelink {

inline constexpr std::size_t kIdentificationTextMax = 256;

// The five texts one identification produces. Written by the worker, read by its final update;
// the synchronised call orders the two.
struct IdentificationTexts {
    std::string description;      // "%d, %s": hardware id and model name
    std::string softwareVersion;  // "%x"
    std::string languageGroup;    // "%s"
    std::string productName;      // "%s"
    std::string flashSerial;      // "%#0x"
};

// The model name of the first entry of `mobiles` (ended by id 0) with the hardware id, or
// "unknown model" when there is none. A null list or a null name counts as none.
std::string FormatDescription(int32_t hardwareId, const servicelib::SupportedMobile* mobiles);
std::string FormatSoftwareVersion(uint8_t version);
// The zero-terminated text at the start of a field of `size` bytes; a field without a terminator
// gives its `size` characters.
std::string FieldText(const char* field, std::size_t size);
std::string FormatFlashSerial(uint32_t serial);

// All five texts of one identification.
IdentificationTexts FormatIdentification(int32_t hardwareId,
                                         const servicelib::SupportedMobile* mobiles,
                                         const servicelib::MobileInformation& information,
                                         uint32_t flashSerial);

}  // namespace phonelink
