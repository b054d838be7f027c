#include "platform/Controls.h"

#include <windows.h>

#include <cstring>

#include "platform/TextLimits.h"
#include "platform/win32/Backend.h"
#include "platform/win32/ComponentFactory.h"
#include "platform/win32/LabelPainter.h"
#include "platform/win32/WideText.h"

namespace platform {
namespace {

using win32::Widget;

Widget& W(void* native) {
    return win32::WidgetFrom(native);
}

bool IsLabel(const Widget& widget) {
    return widget.kind == ComponentKind::Label;
}

LONG_PTR StyleOf(const Widget& widget) {
    return GetWindowLongPtrW(widget.window, GWL_STYLE);
}

std::string WindowText(HWND window) {
    const int length = GetWindowTextLengthW(window);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), length + 1)));
    return win32::Narrow(text);
}

void SetVisible(Widget& widget, bool visible) {
    if (IsLabel(widget)) {
        if (widget.visible != visible) {
            widget.visible = visible;
            win32::InvalidateLabel(widget, false);
        }
        return;
    }
    ShowWindow(widget.window, visible ? SW_SHOWNA : SW_HIDE);
}

void SetEnabled(Widget& widget, bool enabled) {
    if (IsLabel(widget)) {
        if (widget.enabled != enabled) {
            widget.enabled = enabled;
            win32::InvalidateLabel(widget, false);
        }
        return;
    }
    // A disabled control that has the focus would keep the keyboard in a dead end.
    if (!enabled && GetFocus() == widget.window) {
        if (HWND next = GetNextDlgTabItem(widget.form->window, widget.window, FALSE);
            next != nullptr && next != widget.window) {
            SetFocus(next);
        } else {
            SetFocus(widget.form->window);
        }
    }
    EnableWindow(widget.window, enabled ? TRUE : FALSE);
}

// Labels and static texts follow their text with their size.
void SetSizedText(Widget& widget, const std::string& text) {
    if (IsLabel(widget)) {
        win32::InvalidateLabel(widget, false);
        widget.caption = text;
        win32::FitToText(widget, text);
        win32::InvalidateLabel(widget, false);
        return;
    }
    SetWindowTextW(widget.window, win32::Widen(text).c_str());
    win32::FitToText(widget, text);
}

}  // namespace

void TControl::Show() {
    SetVisible(W(native_), true);
}

void TControl::Hide() {
    SetVisible(W(native_), false);
}

bool TControl::Visible() const {
    const Widget& widget = W(native_);
    return IsLabel(widget) ? widget.visible : (StyleOf(widget) & WS_VISIBLE) != 0;
}

void TControl::Enable() {
    SetEnabled(W(native_), true);
}

void TControl::Disable() {
    SetEnabled(W(native_), false);
}

bool TControl::Enabled() const {
    const Widget& widget = W(native_);
    return IsLabel(widget) ? widget.enabled : IsWindowEnabled(widget.window) != FALSE;
}

void TControl::Repaint() {
    Widget& widget = W(native_);
    if (IsLabel(widget)) {
        win32::InvalidateLabel(widget, true);
        return;
    }
    RedrawWindow(widget.window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

TRect TControl::BoundsRect() const {
    const Widget& widget = W(native_);
    if (IsLabel(widget)) {
        return widget.bounds;
    }
    RECT place;
    GetWindowRect(widget.window, &place);
    MapWindowPoints(nullptr, widget.form->window, reinterpret_cast<POINT*>(&place), 2);
    return {place.left, place.top, place.right - place.left, place.bottom - place.top};
}

bool TControl::TabStop() const {
    const Widget& widget = W(native_);
    return !IsLabel(widget) && (StyleOf(widget) & WS_TABSTOP) != 0;
}

TFontSpec TControl::Font() const {
    return W(native_).font;
}

void TLabel::SetCaption(const std::string& caption) {
    SetSizedText(W(native_), caption);
}

std::string TLabel::Caption() const {
    return W(native_).caption;
}

void TLabel::SetFontColor(TColor color) {
    Widget& widget = W(native_);
    widget.font.color = color;
    win32::InvalidateLabel(widget, false);
}

void TStaticText::SetCaption(const std::string& caption) {
    SetSizedText(W(native_), caption);
}

std::string TStaticText::Caption() const {
    return WindowText(W(native_).window);
}

void TEdit::SetText(const std::string& text) {
    SetWindowTextW(W(native_).window, win32::Widen(text).c_str());
}

std::string TEdit::Text() const {
    return WindowText(W(native_).window);
}

void TEdit::GetTextBuf(char* buffer, std::size_t size) const {
    if (buffer == nullptr || size == 0) {
        return;
    }
    const std::string text = Text();
    const std::size_t length = detail::Utf8PrefixLength(text, size - 1);
    std::memcpy(buffer, text.data(), length);
    buffer[length] = '\0';
}

std::string TButton::Caption() const {
    return WindowText(W(native_).window);
}

void TButton::SetOnClick(TNotifyEvent handler) {
    W(native_).onClick = std::move(handler);
}

void TButton::Click() {
    Widget& widget = W(native_);
    const LONG_PTR style = StyleOf(widget);
    if ((style & WS_VISIBLE) != 0 && (style & WS_DISABLED) == 0) {
        win32::PressButton(widget, /*focus=*/false);
    }
}

}  // namespace platform
