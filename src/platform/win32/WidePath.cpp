#include "platform/win32/WidePath.h"

#include <windows.h>

namespace platform::detail {

std::optional<std::wstring> WidePath(const std::string& utf8) {
    if (utf8.empty() || utf8.find('\0') != std::string::npos || utf8.size() > 0x7FFFFFFF) {
        return std::nullopt;
    }
    const int bytes = static_cast<int>(utf8.size());
    const int units =
        ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), bytes, nullptr, 0);
    if (units <= 0) {
        return std::nullopt;
    }
    std::wstring wide(static_cast<std::size_t>(units), L'\0');
    if (::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), bytes, wide.data(),
                              units) != units) {
        return std::nullopt;
    }
    return wide;
}

}  // namespace platform::detail
