// The top-level window behind a TForm.
#pragma once

#include <QWidget>

namespace platform {
class TForm;
}

namespace platform::qt {

// Hands every request to close the window to its form's CloseRequested, except while a
// synchronised call runs on the user-interface thread's stack: the form's handler would then
// wait for a worker that is blocked in that very call, so the close is deferred until the call
// has returned. Owned by its TForm.
class FormWidget : public QWidget {
  public:
    explicit FormWidget(TForm* owner);
    // The form is going away: later close requests reach nothing.
    void Detach() { owner_ = nullptr; }

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    TForm* owner_;
};

}  // namespace platform::qt
