// UTF-8 inside the program, UTF-16 at the Win32 API.
#pragma once

#include <string>
#include <string_view>

namespace platform::win32 {

// Malformed UTF-8 becomes U+FFFD, as the system's converter does. Thread: any.
std::wstring Widen(std::string_view utf8);

// Unpaired surrogates become U+FFFD. Thread: any.
std::string Narrow(std::wstring_view utf16);

// The bytes of a text in the given Windows code page, as UTF-8. Thread: any.
std::string CodePageToUtf8(unsigned codePage, std::string_view bytes);

}  // namespace platform::win32
