// The toolkit's push button, with the keyboard rules of the form's buttons.
#pragma once

#include <QPushButton>

namespace platform::qt {

// The dynamic property that holds a focusable control's place in the tab order.
inline constexpr const char* kTabOrderProperty = "corvaneTabOrder";

// Enter and keypad Enter press the button that has the focus, as Space does (the toolkit's own
// button only takes Space). An accelerator letter that several buttons of the form share presses
// the first enabled, visible one in tab order, where the toolkit would only move the focus between
// them and press none. A button is never the form's default button. Thread: user-interface thread.
class PushButton final : public QPushButton {
  public:
    PushButton(const QString& text, QWidget* parent);

  protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    // Presses the button among this one's siblings that the shared accelerator stands for.
    void PressSharedAccelerator();
};

}  // namespace platform::qt
