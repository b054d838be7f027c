#include "platform/LibraryText.h"

#include <windows.h>

#include "platform/win32/WideText.h"

namespace platform {

std::string LibraryTextToUtf8(std::string_view bytes) {
    // CP_ACP: the code page the library was written for writes its texts in the system's ANSI
    // code page (1252 in Western Europe, where 0xB0 is the degree sign); read as UTF-8 those
    // bytes would be malformed.
    return win32::CodePageToUtf8(CP_ACP, bytes);
}

}  // namespace platform
