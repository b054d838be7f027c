// The texts that the service library writes, as the program's own UTF-8 texts.
#pragma once

#include <string>
#include <string_view>

namespace platform {

// The library writes its texts (identity, port errors, model names, the phone's records) in the
// system's ANSI code page on Windows, where the degree sign is the byte 0xB0; the program works in
// UTF-8 throughout. Converts such bytes to UTF-8; where the library's texts are UTF-8 already
// (Linux), the bytes come back as they are. The run log keeps the library's bytes unconverted.
// Thread: any.
std::string LibraryTextToUtf8(std::string_view bytes);

}  // namespace platform
