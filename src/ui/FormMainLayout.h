// The description of the main window as data, from which the platform builds it.
#pragma once

#include <span>

#include "platform/Form.h"

namespace ui {

class TFormMain;

// The method bound to a component's one event (OnClick of a button, OnTimer of the timer), or
// nullptr for a component without a handler.
struct ComponentHandler {
    const char* componentName;
    void (TFormMain::*handler)(platform::TObject* sender);
};

const platform::FormSpec& FormMainSpec();
// All 62 components, in declaration order.
std::span<const platform::ComponentSpec> FormMainComponentTable();
// One row per component, in the same order.
std::span<const ComponentHandler> FormMainHandlerTable();

}  // namespace ui
