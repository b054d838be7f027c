// The window's controls: labels, static texts, edit fields, buttons and the progress bar.
//
// Controls are created and owned by their form (Form.h), from its component table, and live until
// the form is destroyed. Every member function must be called on the user-interface thread.
// The backend keeps its native widget behind `native_`; nothing outside src/platform sees it.
#pragma once

#include <cstddef>
#include <string>

#include "platform/Types.h"

namespace platform {

class TForm;

class TComponent : public TObject {
  public:
    explicit TComponent(std::string name) : name_(std::move(name)) {}
    const std::string& Name() const { return name_; }

  private:
    std::string name_;
};

// A visible component on the form.
class TControl : public TComponent {
  public:
    TControl(std::string name, void* native) : TComponent(std::move(name)), native_(native) {}

    void Show();
    void Hide();
    // True unless the control has been hidden; independent of whether the window is on screen.
    bool Visible() const;
    void Enable();
    void Disable();
    bool Enabled() const;
    // Paints the control now instead of at the next paint event.
    void Repaint();
    // Place and size in the client area of the form.
    TRect BoundsRect() const;
    // Whether the control can ever take the keyboard focus (a disabled control still can later).
    bool TabStop() const;
    TFontSpec Font() const;

    void* Native() const { return native_; }

  protected:
    void* native_;
};

// A text drawn on the form; never takes the focus; sizes itself to its text.
class TLabel : public TControl {
  public:
    using TControl::TControl;
    void SetCaption(const std::string& caption);
    std::string Caption() const;
    void SetFontColor(TColor color);
};

// A text in a child window of its own, without a border; no tab stop; sizes itself to its text.
class TStaticText : public TControl {
  public:
    using TControl::TControl;
    void SetCaption(const std::string& caption);
    std::string Caption() const;
};

// A one-line text field with no limit on the length of its text.
class TEdit : public TControl {
  public:
    using TControl::TControl;
    void SetText(const std::string& text);
    std::string Text() const;
    // Copies at most size - 1 characters of the text and a terminating zero into buffer.
    // size must be at least 1.
    void GetTextBuf(char* buffer, std::size_t size) const;
};

// A push button 75 by 25 pixels; '&' in the caption marks the accelerator letter.
class TButton : public TControl {
  public:
    using TControl::TControl;
    std::string Caption() const;
    void SetOnClick(TNotifyEvent handler);
    // Presses the button as a user would: does nothing when the button is disabled or hidden.
    void Click();
};

// A horizontal progress bar with a range, a step and a position. Never takes the focus.
class TProgressBar : public TControl {
  public:
    using TControl::TControl;
    void SetRange(int min, int max);
    int Min() const;
    int Max() const;
    void SetStep(int step);
    int Step() const;
    void SetPosition(int position);
    int Position() const;
    // Advances the position by the step; a position past the maximum starts over at the minimum.
    void StepIt();
};

}  // namespace platform
