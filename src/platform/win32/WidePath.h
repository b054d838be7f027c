// UTF-8 paths for the wide-character (W) file functions of Windows.
#pragma once

#include <optional>
#include <string>

namespace platform::detail {

// The UTF-8 text as UTF-16. nullopt for an empty text, a text that is not valid UTF-8 or one that
// holds a zero byte: no such path names a file. Thread: any.
std::optional<std::wstring> WidePath(const std::string& utf8);

}  // namespace platform::detail
