// The accelerator letter that '&' marks in a caption.
#pragma once

#include <string_view>

namespace platform::win32 {

// The character after the first single '&' ("&&" stands for a literal '&'), or 0 for none.
wchar_t MnemonicOf(std::wstring_view caption);

// Whether the key is the caption's accelerator, compared as the system compares letters without
// regard to case. Thread: any.
bool MatchesMnemonic(std::wstring_view caption, wchar_t key);

}  // namespace platform::win32
