#include "platform/FileRead.h"

#include <windows.h>

#include <algorithm>

#include "platform/win32/WidePath.h"

namespace platform {

std::optional<std::size_t> ReadFileStart(const std::string& path, std::span<std::uint8_t> buffer) {
    const std::optional<std::wstring> wide = detail::WidePath(path);
    if (!wide) {
        return std::nullopt;
    }
    // A folder cannot be opened this way (no FILE_FLAG_BACKUP_SEMANTICS): it is refused here.
    const HANDLE file = ::CreateFileW(wide->c_str(), GENERIC_READ,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return std::nullopt;
    }
    // A pipe's reading waits for a writer that may never come.
    bool ok = ::GetFileType(file) != FILE_TYPE_PIPE;
    std::size_t got = 0;
    while (ok && got < buffer.size()) {
        DWORD n = 0;
        const DWORD wanted =
            static_cast<DWORD>(std::min<std::size_t>(buffer.size() - got, 1u << 30));
        if (!::ReadFile(file, buffer.data() + got, wanted, &n, nullptr)) {
            ok = false;
        } else if (n == 0) {
            break;  // the end of the file
        } else {
            got += n;
        }
    }
    ::CloseHandle(file);
    if (!ok) {
        return std::nullopt;
    }
    return got;
}

}  // namespace platform
