// The modal dialogs and message boxes open now, so that a termination signal can dismiss them.
//
// Thread: user-interface thread only.
#pragma once

class QDialog;

namespace platform::qt {

// Registers a dialog for the time of its exec(); on dismissal it ends with `dismissResult`, as
// the button that gives that result would end it.
class ModalScope {
  public:
    ModalScope(QDialog& dialog, int dismissResult);
    ~ModalScope();
    ModalScope(const ModalScope&) = delete;
    ModalScope& operator=(const ModalScope&) = delete;

  private:
    QDialog& dialog_;
};

// Ends every registered dialog, innermost first.
void DismissOpenModals();

}  // namespace platform::qt
