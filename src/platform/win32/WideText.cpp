#include "platform/win32/WideText.h"

#include <windows.h>

#include <climits>

namespace platform::win32 {
namespace {

// The converters take int lengths; a text of 2 GiB or more is cut there rather than overflowing.
int LengthOf(std::size_t size) {
    return size > static_cast<std::size_t>(INT_MAX) ? INT_MAX : static_cast<int>(size);
}

std::wstring ToWide(unsigned codePage, std::string_view bytes) {
    if (bytes.empty()) {
        return {};
    }
    const int length = LengthOf(bytes.size());
    const int needed = MultiByteToWideChar(codePage, 0, bytes.data(), length, nullptr, 0);
    if (needed <= 0) {
        return {};
    }
    std::wstring wide(static_cast<std::size_t>(needed), L'\0');
    MultiByteToWideChar(codePage, 0, bytes.data(), length, wide.data(), needed);
    return wide;
}

}  // namespace

std::wstring Widen(std::string_view utf8) {
    return ToWide(CP_UTF8, utf8);
}

std::string Narrow(std::wstring_view utf16) {
    if (utf16.empty()) {
        return {};
    }
    const int length = LengthOf(utf16.size());
    const int needed =
        WideCharToMultiByte(CP_UTF8, 0, utf16.data(), length, nullptr, 0, nullptr, nullptr);
    if (needed <= 0) {
        return {};
    }
    std::string text(static_cast<std::size_t>(needed), '\0');
    WideCharToMultiByte(CP_UTF8, 0, utf16.data(), length, text.data(), needed, nullptr, nullptr);
    return text;
}

std::string CodePageToUtf8(unsigned codePage, std::string_view bytes) {
    return Narrow(ToWide(codePage, bytes));
}

}  // namespace platform::win32
