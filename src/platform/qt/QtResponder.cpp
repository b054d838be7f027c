#include "platform/qt/QtResponder.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QStringList>

#include "platform/Application.h"
#include "platform/Backend.h"
#include "platform/FileFilter.h"
#include "platform/qt/ModalRegistry.h"
#include "platform/qt/NativeWidget.h"
#include "platform/qt/QtText.h"

namespace platform {
namespace qt {
namespace {

// The dialogs' parent: the main window, so that they stand over it.
QWidget* DialogParent() {
    TForm* main = Application.MainForm();
    return main != nullptr ? FromNative(main->Native()) : nullptr;
}

QStringList ToNameFilters(const std::string& filter) {
    QStringList filters;
    for (const std::string& entry : detail::NameFilters(filter)) {
        filters.append(ToQString(entry));
    }
    return filters;
}

}  // namespace

void QtResponder::MessageBox(const std::string& text) {
    if (Application.CloseRequested()) {
        return;
    }
    // No title of its own: the application's, as the system's default for a program's boxes.
    QMessageBox box(QMessageBox::NoIcon, ToQString(Application.Title()), ToQString(text),
                    QMessageBox::Ok, DialogParent());
    // The text may carry what the phone or a file said: never interpret it as markup.
    box.setTextFormat(Qt::PlainText);
    box.setWindowModality(Qt::ApplicationModal);
    ModalScope scope(box, QMessageBox::Ok);
    box.exec();
}

std::optional<std::string> QtResponder::RunFileDialog(const FileDialogRequest& request) {
    if (Application.CloseRequested()) {
        return std::nullopt;
    }
    const bool save = request.kind == FileDialogKind::Save;
    QFileDialog dialog(DialogParent(), ToQString(request.title));
    // The toolkit's own dialog, so that a termination signal can end it like any other.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    // A name that does not exist yet is accepted in both dialogs; the caller reports it.
    dialog.setFileMode(QFileDialog::AnyFile);
    if (save) {
        dialog.setOption(QFileDialog::DontConfirmOverwrite);
    }
    const QStringList filters = ToNameFilters(request.filter);
    if (!filters.isEmpty()) {
        dialog.setNameFilters(filters);
    }
    dialog.setDefaultSuffix(ToQString(request.defaultExtension));
    if (!request.fileName.empty()) {
        dialog.selectFile(ToQString(request.fileName));
    }
    dialog.setWindowModality(Qt::ApplicationModal);
    ModalScope scope(dialog, QDialog::Rejected);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return ToStdString(dialog.selectedFiles().constFirst());
}

}  // namespace qt

Responder& detail::PlatformResponder() {
    static qt::QtResponder responder;
    return responder;
}

}  // namespace platform
