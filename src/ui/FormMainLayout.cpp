// The window description: the form itself and the table of its components, expanded from the
// component list in FormMainComponents.h.
#include "ui/FormMainLayout.h"

#include "ui/FormMain.h"
#include "ui/FormMainFonts.h"

namespace ui {
namespace {

using platform::ComponentKind;
using platform::ComponentSpec;

struct Extras {
    int rangeMin = 0;
    int rangeMax = 0;
    int step = 0;
    const char* filter = nullptr;
    const char* defaultExt = nullptr;
    const char* fileName = nullptr;
};

ComponentSpec MakeSpec(ComponentKind kind, const char* name, platform::TRect bounds,
                       const char* text, const platform::TFontSpec* font, int tabOrder,
                       const Extras& extras) {
    return ComponentSpec{kind,
                         name,
                         bounds,
                         text,
                         font,
                         tabOrder,
                         extras.rangeMin,
                         extras.rangeMax,
                         extras.step,
                         extras.filter,
                         extras.defaultExt,
                         extras.fileName};
}

#define CORVANE_COMPONENT_SPEC(type, name, kind, left, top, width, height, text, font, tab,   \
                               handler, extras)                                              \
    MakeSpec(ComponentKind::kind, #name, {left, top, width, height}, text, font, tab, extras),

const std::vector<ComponentSpec> kComponents{
    CORVANE_FORM_MAIN_COMPONENTS(CORVANE_COMPONENT_SPEC)};

#define CORVANE_COMPONENT_HANDLER(type, name, kind, left, top, width, height, text, font, tab, \
                                  handler, extras)                                             \
    ComponentHandler{#name, handler},

const std::vector<ComponentHandler> kHandlers{
    CORVANE_FORM_MAIN_COMPONENTS(CORVANE_COMPONENT_HANDLER)};

}  // namespace

const platform::FormSpec& FormMainSpec() {
    static const platform::FormSpec form{"Corvane Sensors Tool", 206, 111, 553, 505, kWindowFont};
    return form;
}

std::span<const platform::ComponentSpec> FormMainComponentTable() { return kComponents; }

std::span<const ComponentHandler> FormMainHandlerTable() { return kHandlers; }

}  // namespace ui
