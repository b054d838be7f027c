// A top-level window built from a table of its components.
//
// The form owns every component it builds; a component lives as long as its form. Thread:
// user-interface thread only.
#pragma once

#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Controls.h"
#include "platform/Dialogs.h"
#include "platform/Timer.h"
#include "platform/Types.h"

namespace platform {

enum class ComponentKind {
    Label,
    StaticText,
    Edit,
    Button,
    ProgressBar,
    Timer,
    OpenDialog,
    SaveDialog
};

// One component of a form, as data. Sizes of labels and static texts are their designed sizes;
// both size themselves to their text at run time.
struct ComponentSpec {
    ComponentKind kind;
    const char* name;
    TRect bounds;                  // in the client area; ignored for invisible components
    const char* text;              // caption or text; the title for a file dialog
    const TFontSpec* font;         // nullptr: the form's font
    int tabOrder;                  // place in the tab order, -1 for none
    int rangeMin = 0;              // progress bar only
    int rangeMax = 0;              // progress bar only
    int step = 0;                  // progress bar only
    const char* filter = nullptr;  // file dialogs only
    const char* defaultExt = nullptr;
    const char* fileName = nullptr;
};

// The window itself.
struct FormSpec {
    const char* caption;
    int left;  // outer top-left corner on the screen
    int top;
    int clientWidth;  // fixed: the window cannot be resized
    int clientHeight;
    TFontSpec font;  // the window font, also that of the buttons
};

class TForm : public TComponent {
  public:
    TForm(const FormSpec& form, std::span<const ComponentSpec> components);
    ~TForm() override;
    TForm(const TForm&) = delete;
    TForm& operator=(const TForm&) = delete;

    // The component of that name, or nullptr.
    TComponent* FindComponent(std::string_view name) const;
    template <class T>
    T* Find(std::string_view name) const {
        return dynamic_cast<T*>(FindComponent(name));
    }
    // Components in table order.
    const std::vector<std::unique_ptr<TComponent>>& Components() const { return components_; }

    std::string Caption() const;
    void Show();
    // Asks the form to close, as its close box would.
    void Close();
    // Paints the whole window now.
    void Repaint();
    // The outer top-left corner and the client area's size.
    TRect BoundsRect() const;
    // Names of the controls that Tab visits now, in order, starting at the first.
    std::vector<std::string> FocusChain() const;

    void* Native() const { return native_; }

    // Runs when the window is asked to close in any way (close box, system menu, close key,
    // termination signal, Close()). The window closes after it returns.
    virtual void CloseRequested();

  private:
    void* native_ = nullptr;
    std::vector<std::unique_ptr<TComponent>> components_;
};

}  // namespace platform
