#include "platform/win32/FileFilterText.h"

#include "platform/win32/WideText.h"

namespace platform::win32 {

std::wstring FileFilterText(std::string_view filter) {
    std::wstring text;
    if (filter.empty()) {
        return text;
    }
    std::size_t start = 0;
    bool description = true;
    for (;;) {
        const std::size_t end = filter.find('|', start);
        const std::string_view part =
            filter.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start);
        text += Widen(part);
        text += L'\0';
        description = !description;
        if (end == std::string_view::npos) {
            break;
        }
        start = end + 1;
    }
    if (!description) {
        text += L"*.*";
        text += L'\0';
    }
    return text;
}

}  // namespace platform::win32
