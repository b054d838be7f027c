// Builds one component of a form from its description.
#pragma once

#include <memory>

#include "platform/Form.h"
#include "platform/win32/FormState.h"

namespace platform::win32 {

// Creates the component on the form: a child window, a label drawn by the form, a timer of the
// form's window, or a file dialog. The returned component refers to backend state that `form`
// owns. `controlId` is the child window's identifier. Thread: user-interface thread.
std::unique_ptr<TComponent> CreateComponent(const ComponentSpec& entry, FormState& form,
                                            const TFontSpec& formFont, int controlId);

// Resizes a label or static text to its text, keeping its top-left corner.
void FitToText(Widget& widget, const std::string& text);

}  // namespace platform::win32
