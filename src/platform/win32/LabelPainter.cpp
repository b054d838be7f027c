#include "platform/win32/LabelPainter.h"

#include <windows.h>

#include "platform/win32/WideText.h"

namespace platform::win32 {
namespace {

constexpr UINT kTextFormat = DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP;

// An italic font leans past the advance of its last character; the area painted and erased
// reaches that far.
RECT PaintedArea(const Widget& label) {
    const int slack = label.bounds.height / 4 + 1;
    return RECT{label.bounds.left, label.bounds.top,
                label.bounds.left + label.bounds.width + slack,
                label.bounds.top + label.bounds.height};
}

}  // namespace

void PaintLabels(const FormState& form, HDC dc, const RECT& dirty) {
    SetBkMode(dc, TRANSPARENT);
    HGDIOBJ previous = nullptr;
    for (const auto& widget : form.widgets) {
        if (widget->kind != ComponentKind::Label || !widget->visible) {
            continue;
        }
        RECT area = PaintedArea(*widget);
        RECT overlap;
        if (!IntersectRect(&overlap, &area, &dirty)) {
            continue;
        }
        HGDIOBJ old = SelectObject(dc, widget->fontHandle);
        if (previous == nullptr) {
            previous = old;
        }
        TColor color = widget->font.color.value_or(form.palette.text);
        COLORREF text = RGB(color.red, color.green, color.blue);
        if (!widget->enabled) {
            text = GetSysColor(COLOR_GRAYTEXT);
        }
        SetTextColor(dc, text);
        const std::wstring caption = Widen(widget->caption);
        DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &area, kTextFormat);
    }
    if (previous != nullptr) {
        SelectObject(dc, previous);
    }
}

TRect MeasureText(FontHandle font, const std::string& text) {
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, font);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    const std::wstring wide = Widen(text);
    RECT area{0, 0, 0, 0};
    if (!wide.empty()) {
        DrawTextW(dc, wide.c_str(), static_cast<int>(wide.size()), &area,
                  kTextFormat | DT_CALCRECT);
    }
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    return TRect{0, 0, area.right - area.left, static_cast<int>(metrics.tmHeight)};
}

void InvalidateLabel(const Widget& label, bool now) {
    HWND window = label.form->window;
    const RECT area = PaintedArea(label);
    InvalidateRect(window, &area, TRUE);
    if (now) {
        UpdateWindow(window);
    }
}

}  // namespace platform::win32
