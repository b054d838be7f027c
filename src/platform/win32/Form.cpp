#include "platform/Form.h"

#include <windows.h>

#include <algorithm>
#include <set>
#include <stdexcept>

#include "platform/Application.h"
#include "platform/win32/Backend.h"
#include "platform/win32/ComponentFactory.h"
#include "platform/win32/WideText.h"

namespace platform {
namespace {

using win32::FormState;
using win32::Widget;

// A fixed single border with the title, the system menu, minimise and close: no sizing frame,
// no maximise box, no help button. WS_CLIPCHILDREN: the form's painting of its labels and
// background leaves the child controls alone.
constexpr DWORD kFormStyle =
    WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
constexpr DWORD kFormExStyle = 0;
// Child window identifiers start above IDOK, IDCANCEL and the other dialog ids.
constexpr int kFirstControlId = 100;

FormState& StateOf(void* native) {
    return win32::FormFrom(native);
}

TColor SystemColor(int index) {
    const COLORREF color = GetSysColor(index);
    return TColor{GetRValue(color), GetGValue(color), GetBValue(color)};
}

COLORREF ToColorRef(TColor color) {
    return RGB(color.red, color.green, color.blue);
}

// The dialog manager walks the children in z-order: put the tab stops first, in tab order, and
// leave the rest behind them.
void ArrangeTabOrder(const FormState& form) {
    HWND previous = HWND_TOP;
    for (Widget* widget : form.TabOrder()) {
        SetWindowPos(widget->window, previous, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        previous = widget->window;
    }
}

void CreateWindowOf(FormState& form, const FormSpec& spec) {
    RECT outer{0, 0, form.Scale(spec.clientWidth), form.Scale(spec.clientHeight)};
    AdjustWindowRectEx(&outer, kFormStyle, FALSE, kFormExStyle);
    const std::wstring caption = win32::Widen(spec.caption != nullptr ? spec.caption : "");
    // The form's state travels in the creation parameters; the window procedure keeps it from
    // WM_NCCREATE on, and answers nothing of its own until `form.window` is set.
    HWND window = CreateWindowExW(kFormExStyle, win32::FormClassName(), caption.c_str(),
                                  kFormStyle, form.Scale(spec.left), form.Scale(spec.top),
                                  outer.right - outer.left, outer.bottom - outer.top, nullptr,
                                  nullptr, GetModuleHandleW(nullptr), &form);
    if (window == nullptr) {
        throw std::runtime_error("Cannot create the window of a form");
    }
    form.window = window;
}

}  // namespace

namespace win32 {

Widget* FormState::WidgetOf(HWND child) const {
    if (child == nullptr) {
        return nullptr;
    }
    for (const auto& widget : widgets) {
        if (widget->window == child) {
            return widget.get();
        }
    }
    return nullptr;
}

std::vector<Widget*> FormState::TabOrder() const {
    std::vector<Widget*> order;
    for (const auto& widget : widgets) {
        if (widget->window != nullptr && widget->tabOrder >= 0) {
            order.push_back(widget.get());
        }
    }
    std::stable_sort(order.begin(), order.end(),
                     [](const Widget* a, const Widget* b) { return a->tabOrder < b->tabOrder; });
    return order;
}

}  // namespace win32

TForm::TForm(const FormSpec& form, std::span<const ComponentSpec> components)
    : TComponent(form.caption != nullptr ? form.caption : "") {
    if (!Application.Initialized()) {
        throw std::logic_error("Application.Initialize() must come before the first form");
    }
    auto state = std::make_unique<FormState>(win32::ScreenDpi());
    state->owner = this;
    state->palette = win32::ChoosePalette(SystemColor(COLOR_BTNFACE), SystemColor(COLOR_WINDOWTEXT));
    state->faceBrush = CreateSolidBrush(ToColorRef(state->palette.face));
    state->fieldBrush = CreateSolidBrush(ToColorRef(state->palette.field));
    try {
        CreateWindowOf(*state, form);
        SendMessageW(state->window, WM_SETFONT,
                     reinterpret_cast<WPARAM>(state->fonts.Get(form.font)), FALSE);
        std::set<std::string_view> names;
        int controlId = kFirstControlId;
        for (const ComponentSpec& entry : components) {
            std::unique_ptr<TComponent> component =
                win32::CreateComponent(entry, *state, form.font, controlId++);
            if (!names.insert(component->Name()).second) {
                throw std::invalid_argument("Two form components named " + component->Name());
            }
            components_.push_back(std::move(component));
        }
        ArrangeTabOrder(*state);
    } catch (...) {
        components_.clear();
        if (state->window != nullptr) {
            DestroyWindow(state->window);
        }
        DeleteObject(state->faceBrush);
        DeleteObject(state->fieldBrush);
        throw;
    }
    native_ = state.release();
}

TForm::~TForm() {
    FormState* state = &StateOf(native_);
    win32::ForgetDeferredClose(state->window);
    for (const auto& timer : state->timers) {
        KillTimer(state->window, timer->id);
    }
    // The window procedure answers nothing more of its own from here on.
    HWND window = state->window;
    state->window = nullptr;
    DestroyWindow(window);
    components_.clear();
    DeleteObject(state->faceBrush);
    DeleteObject(state->fieldBrush);
    delete state;
}

TComponent* TForm::FindComponent(std::string_view name) const {
    for (const auto& component : components_) {
        if (component->Name() == name) {
            return component.get();
        }
    }
    return nullptr;
}

std::string TForm::Caption() const {
    HWND window = StateOf(native_).window;
    const int length = GetWindowTextLengthW(window);
    std::wstring caption(static_cast<std::size_t>(length) + 1, L'\0');
    caption.resize(static_cast<std::size_t>(GetWindowTextW(window, caption.data(), length + 1)));
    return win32::Narrow(caption);
}

void TForm::Show() {
    FormState& state = StateOf(native_);
    // SW_SHOW activates the window; its activation gives the focus to the first tab stop.
    ShowWindow(state.window, SW_SHOW);
    SetForegroundWindow(state.window);
    HWND focus = GetFocus();
    if (focus == nullptr || !IsChild(state.window, focus)) {
        if (HWND first = GetNextDlgTabItem(state.window, nullptr, FALSE)) {
            SetFocus(first);
        }
    }
    UpdateWindow(state.window);
}

void TForm::Close() {
    SendMessageW(StateOf(native_).window, WM_CLOSE, 0, 0);
}

void TForm::Repaint() {
    RedrawWindow(StateOf(native_).window, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

TRect TForm::BoundsRect() const {
    HWND window = StateOf(native_).window;
    RECT outer;
    RECT client;
    GetWindowRect(window, &outer);
    GetClientRect(window, &client);
    return {outer.left, outer.top, client.right - client.left, client.bottom - client.top};
}

std::vector<std::string> TForm::FocusChain() const {
    // Asks the dialog manager, which Tab follows, from the first tab stop round to it again.
    const FormState& state = StateOf(native_);
    std::vector<std::string> names;
    HWND first = GetNextDlgTabItem(state.window, nullptr, FALSE);
    HWND current = first;
    while (current != nullptr) {
        const Widget* widget = state.WidgetOf(current);
        if (widget == nullptr || names.size() > state.widgets.size()) {
            break;
        }
        names.push_back(static_cast<const TComponent*>(widget->control)->Name());
        current = GetNextDlgTabItem(state.window, current, FALSE);
        if (current == first) {
            break;
        }
    }
    return names;
}

void TForm::CloseRequested() {
    Application.Terminate();
}

}  // namespace platform
