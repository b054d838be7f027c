#include "platform/qt/ModalRegistry.h"

#include <QDialog>
#include <QPointer>
#include <algorithm>
#include <vector>

namespace platform::qt {
namespace {

struct OpenModal {
    QPointer<QDialog> dialog;
    int dismissResult;
};

// Outermost first, in the order in which the nested loops were entered.
std::vector<OpenModal>& OpenModals() {
    static std::vector<OpenModal> modals;
    return modals;
}

}  // namespace

ModalScope::ModalScope(QDialog& dialog, int dismissResult) : dialog_(dialog) {
    OpenModals().push_back({&dialog, dismissResult});
}

ModalScope::~ModalScope() {
    auto& modals = OpenModals();
    modals.erase(std::remove_if(modals.begin(), modals.end(),
                                [this](const OpenModal& m) { return m.dialog == &dialog_; }),
                 modals.end());
}

void DismissOpenModals() {
    // A copy: ending a dialog may run code that opens or closes others.
    const std::vector<OpenModal> modals = OpenModals();
    for (auto it = modals.rbegin(); it != modals.rend(); ++it) {
        if (it->dialog) {
            it->dialog->done(it->dismissResult);
        }
    }
}

}  // namespace platform::qt
