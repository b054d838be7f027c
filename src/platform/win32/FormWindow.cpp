// The window procedure of every form: background and labels, colours of the child controls,
// clicks, timer ticks, closing and the end of the session, and the focus across activation.
#include <windows.h>

#include <stdexcept>

#include "platform/win32/Backend.h"
#include "platform/win32/LabelPainter.h"
#include "platform/win32/resources/ResourceIds.h"

namespace platform::win32 {
namespace {

constexpr wchar_t kFormClassName[] = L"CorvaneForm";
constexpr int kApplicationIconId = CORVANE_ICON_ID;

COLORREF ToColorRef(TColor color) {
    return RGB(color.red, color.green, color.blue);
}

FormState* StateOf(HWND window) {
    return reinterpret_cast<FormState*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

LRESULT ControlColours(FormState& form, HDC dc, HWND child, bool edit) {
    const Widget* widget = form.WidgetOf(child);
    if (edit || (widget != nullptr && widget->kind == ComponentKind::Edit)) {
        SetTextColor(dc, ToColorRef(form.palette.fieldText));
        SetBkColor(dc, ToColorRef(form.palette.field));
        return reinterpret_cast<LRESULT>(form.fieldBrush);
    }
    TColor text = form.palette.text;
    if (widget != nullptr && widget->font.color) {
        text = *widget->font.color;
    }
    SetTextColor(dc, ToColorRef(text));
    SetBkColor(dc, ToColorRef(form.palette.face));
    return reinterpret_cast<LRESULT>(form.faceBrush);
}

void OnTimer(FormState& form, UINT_PTR id) {
    for (const auto& timer : form.timers) {
        if (timer->id == id && timer->interval > 0) {
            // A copy: the handler may replace itself.
            const TNotifyEvent handler = timer->onTimer;
            if (handler) {
                TTimer* sender = timer->timer;
                RunGuarded([&] { handler(sender); });
            }
            return;
        }
    }
}

void OnCommand(FormState& form, WPARAM wParam, LPARAM lParam) {
    // IDOK and IDCANCEL from the dialog manager come without a control; no control has those ids.
    if (HIWORD(wParam) != BN_CLICKED || lParam == 0) {
        return;
    }
    Widget* widget = form.WidgetOf(reinterpret_cast<HWND>(lParam));
    if (widget != nullptr && widget->kind == ComponentKind::Button) {
        PressButton(*widget, /*focus=*/false);
    }
}

// A window that is not a dialog keeps no focus of its own across deactivation: the form keeps it.
void OnActivate(FormState& form, WPARAM wParam) {
    if (LOWORD(wParam) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus != nullptr && IsChild(form.window, focus)) {
            form.lastFocus = focus;
        }
        return;
    }
    if (IsIconic(form.window)) {
        return;
    }
    HWND target = form.lastFocus;
    if (target == nullptr || !IsWindow(target) || !IsWindowEnabled(target) ||
        !IsWindowVisible(target)) {
        target = GetNextDlgTabItem(form.window, nullptr, FALSE);
    }
    if (target != nullptr) {
        SetFocus(target);
    }
}

LRESULT HandleMessage(FormState& form, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_ERASEBKGND: {
            RECT client;
            GetClientRect(window, &client);
            FillRect(reinterpret_cast<HDC>(wParam), &client, form.faceBrush);
            return 1;
        }
        case WM_PAINT: {
            PAINTSTRUCT paint;
            HDC dc = BeginPaint(window, &paint);
            PaintLabels(form, dc, paint.rcPaint);
            EndPaint(window, &paint);
            return 0;
        }
        case WM_CTLCOLORSTATIC:
            return ControlColours(form, reinterpret_cast<HDC>(wParam),
                                  reinterpret_cast<HWND>(lParam), false);
        case WM_CTLCOLOREDIT:
            return ControlColours(form, reinterpret_cast<HDC>(wParam),
                                  reinterpret_cast<HWND>(lParam), true);
        case WM_CTLCOLORBTN:
            // The corners around a themed button.
            return reinterpret_cast<LRESULT>(form.faceBrush);
        case WM_COMMAND:
            OnCommand(form, wParam, lParam);
            return 0;
        case WM_TIMER:
            OnTimer(form, wParam);
            return 0;
        case WM_CLOSE:
            // The close box, the system menu's Close, Alt+F4, a window manager's close request
            // and TForm::Close all come here; DefWindowProc would destroy the window.
            RequestClose(form);
            return 0;
        case WM_QUERYENDSESSION:
            // The window can always close in order.
            return TRUE;
        case WM_ENDSESSION:
            // The session ends once this returns: the close handler (which stops the worker and
            // ends the message loop) runs here, before that, unless a synchronised call is
            // running; then it runs once the call, whose boxes are dismissed now, has returned.
            if (wParam != 0) {
                EndSession(form);
            }
            return 0;
        case WM_ACTIVATE:
            OnActivate(form, wParam);
            return 0;
        case WM_SETFOCUS:
            // The form itself has nothing to type into: the focus goes on to a control.
            if (HWND target = form.lastFocus != nullptr && IsWindow(form.lastFocus)
                                  ? form.lastFocus
                                  : GetNextDlgTabItem(window, nullptr, FALSE)) {
                SetFocus(target);
            }
            return 0;
        default:
            return DefWindowProcW(window, message, wParam, lParam);
    }
}

LRESULT CALLBACK FormWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    FormState* form = StateOf(window);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    }
    if (form == nullptr || form->window == nullptr) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
    // Nothing may unwind through the system's frames.
    try {
        return HandleMessage(*form, window, message, wParam, lParam);
    } catch (...) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

ATOM formClass = 0;  // user-interface thread only

}  // namespace

const wchar_t* FormClassName() {
    return kFormClassName;
}

void RegisterFormClass() {
    if (formClass != 0) {
        return;
    }
    HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = &FormWindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    // The executable's icon at the sizes the system asks for (title bar, task bar); a program
    // without one (the tests) gets the system's default.
    windowClass.hIcon = static_cast<HICON>(LoadImageW(
        instance, MAKEINTRESOURCEW(kApplicationIconId), IMAGE_ICON, GetSystemMetrics(SM_CXICON),
        GetSystemMetrics(SM_CYICON), LR_DEFAULTCOLOR));
    windowClass.hIconSm = static_cast<HICON>(LoadImageW(
        instance, MAKEINTRESOURCEW(kApplicationIconId), IMAGE_ICON,
        GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), LR_DEFAULTCOLOR));
    // No background brush: WM_ERASEBKGND paints the palette's face.
    windowClass.lpszClassName = kFormClassName;
    formClass = RegisterClassExW(&windowClass);
    if (formClass == 0) {
        throw std::runtime_error("Cannot register the window class of the forms");
    }
}

FormState* FormOfWindow(HWND window) {
    if (window == nullptr || formClass == 0) {
        return nullptr;
    }
    HWND root = GetAncestor(window, GA_ROOT);
    if (root == nullptr || GetClassLongPtrW(root, GCW_ATOM) != formClass) {
        return nullptr;
    }
    return StateOf(root);
}

}  // namespace platform::win32
