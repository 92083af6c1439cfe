#include "wizard/frame/Control.h"

#include "wizard/frame/Errors.h"
#include "wizard/frame/Form.h"

#include <windowsx.h>

#include <set>
#include <string>

LRESULT CALLBACK DrawnControlWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

namespace {

int ShiftState() {
    return ((GetKeyState(VK_SHIFT) < 0) ? 1 : 0) | ((GetKeyState(VK_CONTROL) < 0) ? 2 : 0) |
           ((GetKeyState(VK_MENU) < 0) ? 4 : 0);
}

int ButtonsOf(WPARAM keys) {
    return ((keys & MK_LBUTTON) ? 1 : 0) | ((keys & MK_RBUTTON) ? 2 : 0) |
           ((keys & MK_MBUTTON) ? 4 : 0);
}

int ButtonOf(UINT message) {
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
        return 1;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
        return 2;
    default:
        return 4;
    }
}

} // namespace

const wchar_t* DrawnControlClass(const wchar_t* kind) {
    static std::set<std::wstring> registered;
    const std::wstring name = std::wstring(L"Quorvel") + kind;
    auto found = registered.find(name);
    if (found == registered.end()) {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof wc;
        wc.style = CS_DBLCLKS;
        wc.lpfnWndProc = DrawnControlWndProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        wc.lpszClassName = name.c_str();
        if (!RegisterClassExW(&wc))
            RaiseLastError();
        found = registered.insert(name).first;
    }
    return found->c_str();
}

void DrawnControl::Paint(HDC dc, const RECT& client) {
    const COLORREF colour = extender_->Parent().BackColorOf(extender_);
    SetBkColor(dc, colour);
    ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &client, nullptr, 0, nullptr);
}

LRESULT DrawnControl::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
    const int x = GET_X_LPARAM(lParam), y = GET_Y_LPARAM(lParam);
    switch (message) {
    case WM_CREATE:
        OnCreate();
        return 0;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        const HDC dc = BeginPaint(hwnd_, &ps);
        RECT client{};
        GetClientRect(hwnd_, &client);
        Paint(dc, client);
        EndPaint(hwnd_, &ps);
        return 0;
    }
    case WM_PRINTCLIENT: {
        RECT client{};
        GetClientRect(hwnd_, &client);
        Paint(reinterpret_cast<HDC>(wParam), client);
        return 0;
    }
    case WM_ERASEBKGND:
        return 1; // Paint covers the whole client area
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDBLCLK:
        MouseDown(ButtonOf(message), ShiftState(), x, y);
        return 0;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
        MouseUp(ButtonOf(message), ShiftState(), x, y);
        return 0;
    case WM_MOUSEMOVE:
        if (!tracking_) {
            TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, hwnd_, 0};
            tracking_ = TrackMouseEvent(&track) != FALSE;
        }
        MouseMove(ButtonsOf(wParam), ShiftState(), x, y);
        return 0;
    case WM_MOUSELEAVE:
        tracking_ = false;
        MouseLeave();
        return 0;
    case WM_CAPTURECHANGED:
        CaptureChanged();
        return 0;
    case WM_MOUSEWHEEL:
        if (MouseWheel(GET_WHEEL_DELTA_WPARAM(wParam), ShiftState()))
            return 0;
        break;
    case WM_GETDLGCODE:
        return DlgCode(wParam, reinterpret_cast<const MSG*>(lParam));
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(extender_->FontHandle());
    case WM_KEYDOWN:
        if (KeyDown(static_cast<int>(wParam), ShiftState()))
            return 0;
        break;
    case WM_KEYUP:
        if (KeyUp(static_cast<int>(wParam), ShiftState()))
            return 0;
        break;
    case WM_CHAR:
        if (KeyPress(static_cast<wchar_t>(wParam)))
            return 0;
        break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS: {
        FocusChanged(message == WM_SETFOCUS);
        const Form& form = extender_->Parent();
        form.Raise(*extender_, message == WM_SETFOCUS ? extender_->GotFocus : extender_->LostFocus);
        return 0;
    }
    case WM_TIMER:
        TimerTick(wParam);
        return 0;
    case WM_SIZE:
        Resize(LOWORD(lParam), HIWORD(lParam));
        return 0;
    case WM_SETCURSOR:
        if (reinterpret_cast<HWND>(wParam) == hwnd_ && SetCursorFor(LOWORD(lParam)))
            return TRUE;
        break;
    case WM_ENABLE:
        EnabledChanged(wParam != FALSE);
        InvalidateRect(hwnd_, nullptr, FALSE);
        return 0;
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORSCROLLBAR:
        if (const auto answer = ChildMessage(message, wParam, lParam))
            return *answer;
        break;
    default:
        if (const auto answer = OtherMessage(message, wParam, lParam))
            return *answer;
        break;
    }
    return DefWindowProcW(hwnd_, message, wParam, lParam);
}

LRESULT CALLBACK DrawnControlWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* object =
            static_cast<DrawnControl*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(object));
        object->hwnd_ = window;
        object->extender_->hwnd_ = window; // known before WM_CREATE
    }
    auto* object = reinterpret_cast<DrawnControl*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!object || object->hwnd_ != window)
        return DefWindowProcW(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        if (!object->extender_->Parent().ending_)
            object->OnDestroy();
        object->hwnd_ = nullptr;
        object->tracking_ = false;
        return DefWindowProcW(window, message, wParam, lParam);
    }
    // A form being destroyed runs no handler of its controls any more.
    if (object->extender_->Parent().ending_)
        return DefWindowProcW(window, message, wParam, lParam);
    const Control& control = *object->extender_;
    return AtCallback(
        [&] { return object->Dispatch(message, wParam, lParam); },
        [&] { return control.Parent().HandlerLocation(&control, EventOfMessage(message)); },
        FailedMessageResult(message));
}
