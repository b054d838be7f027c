// Builds one component of a form from its description.
#pragma once

#include <memory>

#include "platform/Form.h"

class QWidget;

namespace platform::qt {

// Creates the component as a child of `form` (widgets) or owned by it (timer); the returned
// object refers to the toolkit object, which `form` owns. `formFont` is the font of components
// without a font of their own. Thread: user-interface thread.
std::unique_ptr<TComponent> CreateComponent(const ComponentSpec& entry, QWidget& form,
                                            const TFontSpec& formFont);

}  // namespace platform::qt
