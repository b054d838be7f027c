#include "settings/TypeCode.h"

#include "settings/SettingConversions.h"

namespace settings {

SettingValue ConvertSetting(std::string_view text, std::string_view typeCode) {
    const TypeCode code = ParseTypeCode(typeCode);
    switch (code.kind) {
        case SettingKind::Integer32:
            return ConvertInteger(text);
        case SettingKind::Integer8:
            // A 1-byte store keeps the low-order eight bits of the 32-bit value.
            return static_cast<uint8_t>(static_cast<uint32_t>(ConvertInteger(text)) & 0xFFu);
        case SettingKind::Boolean32:
            return static_cast<int32_t>(ConvertBoolean(text) ? 1 : 0);
        case SettingKind::Boolean8:
            return static_cast<uint8_t>(ConvertBoolean(text) ? 1 : 0);
        case SettingKind::Double:
            return ConvertFloat(text);
        case SettingKind::Text:
            return ConvertText(text, code.textBufferBytes);
    }
    return ConvertText(text, 0);  // unreachable: every kind is handled above
}

}  // namespace settings
