#include "platform/win32/Mnemonic.h"

#include <windows.h>

namespace platform::win32 {
namespace {

wchar_t Upper(wchar_t character) {
    // CharUpperW takes a single character in the low word of its pointer argument.
    return static_cast<wchar_t>(reinterpret_cast<ULONG_PTR>(
        CharUpperW(reinterpret_cast<LPWSTR>(static_cast<ULONG_PTR>(character)))));
}

}  // namespace

wchar_t MnemonicOf(std::wstring_view caption) {
    for (std::size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != L'&') {
            continue;
        }
        if (caption[i + 1] == L'&') {
            ++i;
            continue;
        }
        return caption[i + 1];
    }
    return 0;
}

bool MatchesMnemonic(std::wstring_view caption, wchar_t key) {
    const wchar_t mnemonic = MnemonicOf(caption);
    return mnemonic != 0 && key != 0 && Upper(mnemonic) == Upper(key);
}

}  // namespace platform::win32
