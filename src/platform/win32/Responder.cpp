// The platform's own message box and file dialogs: the system's.
#include <windows.h>

#include <commdlg.h>

#include <optional>
#include <vector>

#include "platform/Application.h"
#include "platform/Backend.h"
#include "platform/win32/FileFilterText.h"
#include "platform/win32/FormState.h"
#include "platform/win32/WideText.h"

namespace platform {
namespace win32 {
namespace {

// A path of the wide-character file functions: up to 32767 characters and the terminator.
constexpr std::size_t kPathBufferSize = 32768;

// The owner of every box and dialog: the main window, which the system disables while they are
// open, so that they are modal to the whole application.
HWND OwnerWindow() {
    TForm* main = Application.MainForm();
    return main != nullptr ? FormFrom(main->Native()).window : nullptr;
}

// The dialog may move the process's current folder; the settings, the run log and the trace are
// named relative to it, so it is put back.
class CurrentFolderKeeper {
  public:
    CurrentFolderKeeper() {
        const DWORD size = GetCurrentDirectoryW(0, nullptr);
        if (size > 0) {
            folder_.resize(size);
            folder_.resize(GetCurrentDirectoryW(size, folder_.data()));
        }
    }
    ~CurrentFolderKeeper() {
        if (!folder_.empty()) {
            SetCurrentDirectoryW(folder_.c_str());
        }
    }
    CurrentFolderKeeper(const CurrentFolderKeeper&) = delete;
    CurrentFolderKeeper& operator=(const CurrentFolderKeeper&) = delete;

  private:
    std::wstring folder_;
};

// Each box and dialog runs the system's modal loop, which dispatches the wake window's messages
// (synchronised calls) and the form's timer ticks as every loop does.
class Win32Responder final : public Responder {
  public:
    void MessageBox(const std::string& text) override {
        if (Application.CloseRequested()) {
            return;
        }
        HWND owner = OwnerWindow();
        // No title of its own: the system shows its default one. MB_APPLMODAL disables the
        // owner; without an owner MB_TASKMODAL disables every window of the thread.
        const UINT style = MB_OK | (owner != nullptr ? MB_APPLMODAL : MB_TASKMODAL);
        MessageBoxW(owner, Widen(text).c_str(), nullptr, style);
    }

    std::optional<std::string> RunFileDialog(const FileDialogRequest& request) override {
        if (Application.CloseRequested()) {
            return std::nullopt;
        }
        const std::wstring title = Widen(request.title);
        const std::wstring filter = FileFilterText(request.filter);
        const std::wstring extension = Widen(request.defaultExtension);
        const std::wstring proposed = Widen(request.fileName);
        std::vector<wchar_t> path(std::max(kPathBufferSize, proposed.size() + 1), L'\0');
        std::copy(proposed.begin(), proposed.end(), path.begin());

        OPENFILENAMEW dialog{};
        dialog.lStructSize = sizeof dialog;
        dialog.hwndOwner = OwnerWindow();
        dialog.lpstrFilter = filter.empty() ? nullptr : filter.c_str();
        dialog.nFilterIndex = 1;
        dialog.lpstrFile = path.data();
        dialog.nMaxFile = static_cast<DWORD>(path.size());
        dialog.lpstrTitle = title.c_str();
        dialog.lpstrDefExt = extension.empty() ? nullptr : extension.c_str();
        // The read-only box hidden, resizable, any name accepted (the caller reports a file
        // that cannot be opened), no question before a file is replaced, and nothing added to
        // the user's recent documents.
        dialog.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_ENABLESIZING | OFN_DONTADDTORECENT |
                       OFN_NOCHANGEDIR;

        const CurrentFolderKeeper keeper;
        const BOOL confirmed = request.kind == FileDialogKind::Save ? GetSaveFileNameW(&dialog)
                                                                    : GetOpenFileNameW(&dialog);
        // Not confirmed: cancelled, or the dialog failed (CommDlgExtendedError), which to the
        // user is the same.
        if (!confirmed) {
            return std::nullopt;
        }
        path.back() = L'\0';
        return Narrow(path.data());
    }
};

}  // namespace
}  // namespace win32

Responder& detail::PlatformResponder() {
    static win32::Win32Responder responder;
    return responder;
}

}  // namespace platform
