// File dialogs and the message box.
//
// Every dialog and message box goes through the current Responder. The default responder shows the
// platform's real dialogs, each running a nested event loop that keeps serving timer ticks and the
// worker's synchronised calls. Tests install a responder of their own that answers at once.
#pragma once

#include <optional>
#include <string>

#include "platform/Controls.h"

namespace platform {

enum class FileDialogKind { Open, Save };

// What a file dialog is asked to show.
struct FileDialogRequest {
    FileDialogKind kind = FileDialogKind::Open;
    std::string title;
    std::string filter;            // "Description|pattern", as in "Block files|*.blk"
    std::string defaultExtension;  // without the period; added to a name typed without one
    std::string fileName;          // the name proposed, empty for none
};

// Answers the dialogs and message boxes of the application. Thread: user-interface thread only.
class Responder {
  public:
    virtual ~Responder() = default;
    // Shows an application-modal box with the text, one OK button, no icon and no title of its
    // own; returns when the user has closed it.
    virtual void MessageBox(const std::string& text) = 0;
    // Runs a file dialog modally; the chosen path, or nothing when the user cancelled.
    virtual std::optional<std::string> RunFileDialog(const FileDialogRequest& request) = 0;
};

// The responder in force; never null (the platform's own dialogs unless one is installed).
Responder& CurrentResponder();
// The responder installed by SetResponder, or nullptr while the platform's own dialogs answer.
Responder* InstalledResponder();
// Installs a responder; nullptr restores the platform's own dialogs. The caller keeps ownership and
// keeps the responder alive while it is installed.
void SetResponder(Responder* responder);

// Shows a message box through the current responder. Once the application has been asked to close
// (a termination signal), no box is shown any more: the call returns at once, as if OK was pressed.
void ShowMessage(const std::string& text);

// The file-open and file-save dialogs of the form. After the user confirms, the chosen name is
// kept and proposed the next time.
class TFileDialog : public TComponent {
  public:
    TFileDialog(std::string name, FileDialogKind kind) : TComponent(std::move(name)), kind_(kind) {}

    std::string Title;
    std::string Filter;
    std::string DefaultExt;
    std::string FileName;

    // Runs the dialog; true when the user confirmed, with the chosen path in FileName.
    bool Execute();

  private:
    FileDialogKind kind_;
};

class TOpenDialog : public TFileDialog {
  public:
    explicit TOpenDialog(std::string name) : TFileDialog(std::move(name), FileDialogKind::Open) {}
};

class TSaveDialog : public TFileDialog {
  public:
    explicit TSaveDialog(std::string name) : TFileDialog(std::move(name), FileDialogKind::Save) {}
};

}  // namespace platform
