#include "platform/win32/ComponentFactory.h"

#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <stdexcept>

#include "platform/win32/LabelPainter.h"
#include "platform/win32/WideText.h"

namespace platform::win32 {
namespace {

std::string TextOf(const char* text) {
    return text == nullptr ? std::string() : text;
}

const TFontSpec& FontOf(const ComponentSpec& entry, const TFontSpec& formFont) {
    return entry.font != nullptr ? *entry.font : formFont;
}

std::unique_ptr<Widget> NewWidget(const ComponentSpec& entry, FormState& form,
                                  const TFontSpec& font) {
    auto widget = std::make_unique<Widget>();
    widget->kind = entry.kind;
    widget->form = &form;
    widget->tabOrder = entry.tabOrder;
    widget->font = font;
    widget->fontHandle = form.fonts.Get(font);
    return widget;
}

// A child window at the designed place and size, scaled to the screen.
HWND CreateChild(const wchar_t* windowClass, const ComponentSpec& entry, FormState& form,
                 DWORD style, DWORD exStyle, int controlId, FontHandle font) {
    const std::wstring text = Widen(TextOf(entry.text));
    HWND child = CreateWindowExW(
        exStyle, windowClass, text.c_str(), WS_CHILD | WS_VISIBLE | style,
        form.Scale(entry.bounds.left), form.Scale(entry.bounds.top),
        form.Scale(entry.bounds.width), form.Scale(entry.bounds.height), form.window,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlId)), GetModuleHandleW(nullptr),
        nullptr);
    if (child == nullptr) {
        throw std::runtime_error(std::string("Cannot create the control ") + entry.name);
    }
    SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return child;
}

template <class Control>
std::unique_ptr<TComponent> Adopt(FormState& form, std::unique_ptr<Widget> widget,
                                  const char* name) {
    auto control = std::make_unique<Control>(name, widget.get());
    widget->control = control.get();
    form.widgets.push_back(std::move(widget));
    return control;
}

template <class Dialog>
std::unique_ptr<TComponent> CreateFileDialog(const ComponentSpec& entry) {
    auto dialog = std::make_unique<Dialog>(entry.name);
    dialog->Title = TextOf(entry.text);
    dialog->Filter = TextOf(entry.filter);
    dialog->DefaultExt = TextOf(entry.defaultExt);
    dialog->FileName = TextOf(entry.fileName);
    return dialog;
}

}  // namespace

void FitToText(Widget& widget, const std::string& text) {
    const TRect size = MeasureText(widget.fontHandle, text);
    if (widget.kind == ComponentKind::Label) {
        widget.bounds.width = size.width;
        widget.bounds.height = size.height;
        return;
    }
    SetWindowPos(widget.window, nullptr, 0, 0, size.width,
                 std::max(size.height, widget.minimumHeight),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

std::unique_ptr<TComponent> CreateComponent(const ComponentSpec& entry, FormState& form,
                                            const TFontSpec& formFont, int controlId) {
    if (entry.name == nullptr || *entry.name == '\0') {
        throw std::invalid_argument("A form component needs a name");
    }
    const TFontSpec& font = FontOf(entry, formFont);
    switch (entry.kind) {
        case ComponentKind::Label: {
            auto widget = NewWidget(entry, form, font);
            widget->caption = TextOf(entry.text);
            widget->bounds = {form.Scale(entry.bounds.left), form.Scale(entry.bounds.top), 0, 0};
            FitToText(*widget, widget->caption);
            return Adopt<TLabel>(form, std::move(widget), entry.name);
        }
        case ComponentKind::StaticText: {
            // No border, no tab stop; the text at the top-left corner, never wrapped, '&' shown
            // as it is (texts come from the phone).
            auto widget = NewWidget(entry, form, font);
            widget->minimumHeight = form.Scale(entry.bounds.height);
            widget->window = CreateChild(L"STATIC", entry, form,
                                         SS_LEFTNOWORDWRAP | SS_NOPREFIX, 0, controlId,
                                         widget->fontHandle);
            FitToText(*widget, TextOf(entry.text));
            return Adopt<TStaticText>(form, std::move(widget), entry.name);
        }
        case ComponentKind::Edit: {
            // The sunken border; WS_GROUP: arrow keys move the caret, never the focus.
            auto widget = NewWidget(entry, form, font);
            widget->window = CreateChild(L"EDIT", entry, form,
                                         WS_TABSTOP | WS_GROUP | ES_AUTOHSCROLL | ES_LEFT,
                                         WS_EX_CLIENTEDGE, controlId, widget->fontHandle);
            // 0: the largest length the control allows, instead of its default 32767.
            SendMessageW(widget->window, EM_SETLIMITTEXT, 0, 0);
            return Adopt<TEdit>(form, std::move(widget), entry.name);
        }
        case ComponentKind::Button: {
            // A plain push button: never the default one. WS_GROUP: arrow keys leave the focus
            // where it is.
            auto widget = NewWidget(entry, form, font);
            widget->window = CreateChild(L"BUTTON", entry, form,
                                         WS_TABSTOP | WS_GROUP | BS_PUSHBUTTON, 0, controlId,
                                         widget->fontHandle);
            return Adopt<TButton>(form, std::move(widget), entry.name);
        }
        case ComponentKind::ProgressBar: {
            auto widget = NewWidget(entry, form, font);
            widget->window =
                CreateChild(PROGRESS_CLASSW, entry, form, 0, 0, controlId, widget->fontHandle);
            auto bar = Adopt<TProgressBar>(form, std::move(widget), entry.name);
            auto* progress = static_cast<TProgressBar*>(bar.get());
            progress->SetRange(entry.rangeMin, entry.rangeMax);
            progress->SetStep(entry.step);
            progress->SetPosition(entry.rangeMin);
            return bar;
        }
        case ComponentKind::Timer: {
            // Stopped until its period is set.
            auto state = std::make_unique<TimerState>();
            state->form = &form;
            state->id = static_cast<unsigned>(controlId);
            auto timer = std::make_unique<TTimer>(entry.name, state.get());
            state->timer = timer.get();
            form.timers.push_back(std::move(state));
            return timer;
        }
        case ComponentKind::OpenDialog:
            return CreateFileDialog<TOpenDialog>(entry);
        case ComponentKind::SaveDialog:
            return CreateFileDialog<TSaveDialog>(entry);
    }
    throw std::invalid_argument("Unknown kind of form component");
}

}  // namespace platform::win32
