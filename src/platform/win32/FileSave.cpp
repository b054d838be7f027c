#include "platform/FileSave.h"

#include <windows.h>

#include <algorithm>
#include <random>
#include <string_view>
#include <utility>

#include "platform/win32/WidePath.h"

namespace platform {
namespace {

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

bool IsSeparator(wchar_t c) {
    return c == L'\\' || c == L'/';
}

// The part of `path` up to and including its last separator (or a drive "X:" with no separator
// after it), and the name after it. nullopt when the name is empty, "." or "..".
struct PathParts {
    std::wstring folderPrefix;  // "" for the current folder
    std::wstring name;
};

std::optional<PathParts> SplitPath(const std::wstring& path) {
    std::size_t nameStart = 0;
    for (std::size_t i = 0; i < path.size(); ++i) {
        if (IsSeparator(path[i])) {
            nameStart = i + 1;
        }
    }
    if (nameStart == 0 && path.size() >= 2 && path[1] == L':') {
        nameStart = 2;  // "C:name": the name in the current folder of drive C
    }
    PathParts parts{path.substr(0, nameStart), path.substr(nameStart)};
    if (parts.name.empty() || parts.name == L"." || parts.name == L"..") {
        return std::nullopt;
    }
    return parts;
}

// Whether Windows takes the path for a device whatever folder it names: the device namespace
// (\\.\COM12, \\.\pipe\x) or a reserved name such as NUL, COM1 or LPT2, with or without an
// extension. Such a path is never created as a file nor renamed over.
bool NamesADevice(const std::wstring& path, const std::wstring& name) {
    if (path.size() >= 4 && IsSeparator(path[0]) && IsSeparator(path[1]) && path[2] == L'.' &&
        IsSeparator(path[3])) {
        return true;
    }
    std::wstring base = name.substr(0, name.find(L'.'));
    while (!base.empty() && (base.back() == L' ' || base.back() == L':')) {
        base.pop_back();
    }
    for (wchar_t& c : base) {
        if (c >= L'a' && c <= L'z') {
            c = static_cast<wchar_t>(c - L'a' + L'A');
        }
    }
    static constexpr std::wstring_view kFixed[] = {L"CON", L"PRN",    L"AUX",
                                                   L"NUL", L"CONIN$", L"CONOUT$"};
    for (const std::wstring_view reserved : kFixed) {
        if (base == reserved) {
            return true;
        }
    }
    return base.size() == 4 && (base.starts_with(L"COM") || base.starts_with(L"LPT")) &&
           base[3] >= L'1' && base[3] <= L'9';
}

// Creates "<folder>.<name>.XXXXXX" exclusively, X being random letters and digits. Returns the
// open handle and fills `tempPath`, or INVALID_HANDLE_VALUE. The name part is shortened so that a
// long target name still gives a valid temporary name.
HANDLE CreateTempFile(const PathParts& parts, std::wstring& tempPath) {
    static constexpr wchar_t kLetters[] =
        L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    // Seeded from the process and the clock as well: two processes must not try the same names.
    thread_local std::mt19937 random{[] {
        LARGE_INTEGER now{};
        ::QueryPerformanceCounter(&now);
        std::seed_seq seed{static_cast<unsigned>(std::random_device{}()),
                           static_cast<unsigned>(::GetCurrentProcessId()),
                           static_cast<unsigned>(now.LowPart), static_cast<unsigned>(now.HighPart)};
        return std::mt19937(seed);
    }()};
    std::uniform_int_distribution<std::size_t> pick(0, std::size(kLetters) - 2);
    const std::wstring stem = parts.folderPrefix + L"." + parts.name.substr(0, 200) + L".";
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::wstring candidate = stem;
        for (int i = 0; i < 6; ++i) {
            candidate += kLetters[pick(random)];
        }
        const HANDLE file = ::CreateFileW(candidate.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                          FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE) {
            tempPath = std::move(candidate);
            return file;
        }
        const DWORD error = ::GetLastError();
        if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) {
            return INVALID_HANDLE_VALUE;
        }
    }
    return INVALID_HANDLE_VALUE;
}

bool WriteAll(HANDLE file, std::span<const std::uint8_t> bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        DWORD n = 0;
        const DWORD wanted =
            static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 30));
        if (!::WriteFile(file, bytes.data() + done, wanted, &n, nullptr) || n == 0) {
            return false;
        }
        done += n;
    }
    return true;
}

// The path of the file a symbolic link (or another name surrogate) leads to, as an extended path.
std::optional<std::wstring> FinalPath(HANDLE file) {
    std::wstring path(MAX_PATH, L'\0');
    for (int attempt = 0; attempt < 2; ++attempt) {
        const DWORD length =
            ::GetFinalPathNameByHandleW(file, path.data(), static_cast<DWORD>(path.size()),
                                        FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
        if (length == 0) {
            return std::nullopt;
        }
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.assign(length, L'\0');  // too small: the length asked for includes the terminator
    }
    return std::nullopt;
}

class Handle {
  public:
    explicit Handle(HANDLE handle) : handle_(handle) {}
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    ~Handle() { Close(); }
    bool Valid() const { return handle_ != INVALID_HANDLE_VALUE; }
    HANDLE Get() const { return handle_; }
    HANDLE Release() { return std::exchange(handle_, INVALID_HANDLE_VALUE); }
    void Close() {
        if (Valid()) {
            ::CloseHandle(Release());
        }
    }

  private:
    HANDLE handle_;
};

}  // namespace

struct FileSaver::State {
    enum class Mode { ReplaceFile, WriteInPlace };

    State(Mode mode, HANDLE file, std::wstring targetPath, std::wstring tempPath)
        : mode(mode),
          file(file),
          targetPath(std::move(targetPath)),
          tempPath(std::move(tempPath)) {}
    State(const State&) = delete;
    State& operator=(const State&) = delete;
    ~State() { Discard(); }

    bool CommitReplace(std::span<const std::uint8_t> bytes) {
        bool ok = WriteAll(file, bytes) && ::FlushFileBuffers(file);
        ok = ::CloseHandle(std::exchange(file, INVALID_HANDLE_VALUE)) && ok;
        ok = ok && ::MoveFileExW(tempPath.c_str(), targetPath.c_str(),
                                 MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
        if (!ok) {
            Discard();
            return false;
        }
        tempPath.clear();  // it is the target now
        return true;
    }

    bool CommitInPlace(std::span<const std::uint8_t> bytes) {
        // Unbuffered: a device's refusal shows in WriteFile itself.
        const bool written = WriteAll(file, bytes);
        return ::CloseHandle(std::exchange(file, INVALID_HANDLE_VALUE)) && written;
    }

    void Discard() noexcept {
        if (file != INVALID_HANDLE_VALUE) {
            ::CloseHandle(std::exchange(file, INVALID_HANDLE_VALUE));
        }
        if (!tempPath.empty()) {
            ::DeleteFileW(tempPath.c_str());
            tempPath.clear();
        }
    }

    Mode mode;
    HANDLE file;              // owned; INVALID_HANDLE_VALUE once closed
    std::wstring targetPath;  // resolved target
    std::wstring tempPath;    // owned temporary file; empty when there is none (in place, done)
};

std::optional<FileSaver> FileSaver::Open(const std::string& path) {
    using Mode = State::Mode;
    const std::optional<std::wstring> wide = detail::WidePath(path);
    if (!wide) {
        return std::nullopt;
    }
    std::optional<PathParts> parts = SplitPath(*wide);
    if (!parts) {
        return std::nullopt;
    }
    const bool deviceName = NamesADevice(*wide, parts->name);

    // What is there now: opened for no access at all, which neither changes nor locks a file, and
    // with backup semantics so that a folder opens too and can be refused.
    Handle probe(::CreateFileW(wide->c_str(), 0, kShareAll, nullptr, OPEN_EXISTING,
                               FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!probe.Valid()) {
        if (::GetLastError() != ERROR_FILE_NOT_FOUND || deviceName) {
            return std::nullopt;  // a missing folder, no access, an absent device, ...
        }
    }
    std::wstring target = *wide;
    const bool exists = probe.Valid();
    if (exists) {
        const DWORD type = ::GetFileType(probe.Get());
        if (type == FILE_TYPE_CHAR || type == FILE_TYPE_PIPE) {
            probe.Close();
            Handle device(::CreateFileW(wide->c_str(), GENERIC_WRITE,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                        FILE_ATTRIBUTE_NORMAL, nullptr));
            if (!device.Valid() || ::GetFileType(device.Get()) == FILE_TYPE_DISK) {
                return std::nullopt;  // replaced by a file meanwhile: never write one in place
            }
            return FileSaver(
                std::make_unique<State>(Mode::WriteInPlace, device.Release(), target, L""));
        }
        BY_HANDLE_FILE_INFORMATION info{};
        if (type != FILE_TYPE_DISK || deviceName ||
            !::GetFileInformationByHandle(probe.Get(), &info) ||
            (info.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)) != 0) {
            return std::nullopt;
        }
        if ((::GetFileAttributesW(wide->c_str()) & FILE_ATTRIBUTE_REPARSE_POINT) != 0) {
            // A link: the file it leads to is replaced and the link stays.
            std::optional<std::wstring> final = FinalPath(probe.Get());
            if (!final) {
                return std::nullopt;
            }
            target = std::move(*final);
            parts = SplitPath(target);
            if (!parts) {
                return std::nullopt;
            }
        }
        probe.Close();
        // A file we could not write in place is not replaced behind its back either. Opening it
        // for writing changes nothing in it.
        Handle writable(::CreateFileW(target.c_str(), GENERIC_WRITE, kShareAll, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!writable.Valid()) {
            return std::nullopt;
        }
    }
    std::wstring tempPath;
    const HANDLE temp = CreateTempFile(*parts, tempPath);
    if (temp == INVALID_HANDLE_VALUE) {
        return std::nullopt;
    }
    return FileSaver(
        std::make_unique<State>(Mode::ReplaceFile, temp, std::move(target), std::move(tempPath)));
}

FileSaver::FileSaver(std::unique_ptr<State> state) : state_(std::move(state)) {}
FileSaver::FileSaver(FileSaver&& other) noexcept = default;
FileSaver& FileSaver::operator=(FileSaver&& other) noexcept = default;
FileSaver::~FileSaver() = default;

bool FileSaver::Commit(std::span<const std::uint8_t> bytes) {
    if (!state_ || state_->file == INVALID_HANDLE_VALUE) {
        return false;
    }
    return state_->mode == State::Mode::ReplaceFile ? state_->CommitReplace(bytes)
                                                    : state_->CommitInPlace(bytes);
}

}  // namespace platform
