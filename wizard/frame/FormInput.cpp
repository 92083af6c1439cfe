// The form's key preview and the mouse events of picture boxes.
#include "wizard/frame/Form.h"

#include "wizard/frame/Errors.h"

#include <windowsx.h>

namespace {

int ShiftState(const MSG* msg) {
    int shift = 0;
    if (GetKeyState(VK_SHIFT) < 0)
        shift |= 1;
    if (GetKeyState(VK_CONTROL) < 0)
        shift |= 2;
    // A system key message says itself whether Alt is down (bit 29).
    if (GetKeyState(VK_MENU) < 0 ||
        (msg && msg->message == WM_SYSKEYDOWN && (msg->lParam & (1 << 29))))
        shift |= 4;
    return shift;
}

int ButtonOf(UINT message, WPARAM wParam) {
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
        return 1;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
        return 2;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
        return 4;
    default: // a move: the buttons held
        return ((wParam & MK_LBUTTON) ? 1 : 0) | ((wParam & MK_RBUTTON) ? 2 : 0) |
               ((wParam & MK_MBUTTON) ? 4 : 0);
    }
}

} // namespace

bool Form::PreviewKey(const MSG& msg) {
    if (ending_ || !hwnd_)
        return false;
    int key = static_cast<int>(msg.wParam);
    AtCallback(
        [&] {
            Form_KeyDown(key, ShiftState(&msg));
            return LRESULT{0};
        },
        [&] { return HandlerLocation(nullptr, L"KeyDown"); });
    return key == 0 || LabelAccessKey(msg);
}

void Form::PictureMouse(Control& box, UINT message, WPARAM wParam, LPARAM lParam) {
    if (ending_)
        return;
    // Signed halves: a captured mouse left of or above the box is negative.
    const int x = GET_X_LPARAM(lParam), y = GET_Y_LPARAM(lParam);
    const int button = ButtonOf(message, wParam);
    const int shift = ShiftState(nullptr);
    const auto raise = [&](const std::function<void(int, int, int, int)>& handler) {
        if (!handler)
            return;
        const auto copy = handler;
        const wchar_t* event = &handler == &box.MouseMove   ? L"MouseMove"
                               : &handler == &box.MouseDown ? L"MouseDown"
                                                            : L"MouseUp";
        AtCallback(
            [&] {
                copy(button, shift, x, y);
                return LRESULT{0};
            },
            [&] { return HandlerLocation(&box, event); });
    };
    switch (message) {
    case WM_MOUSEMOVE:
        raise(box.MouseMove);
        break;
    case WM_LBUTTONDOWN:
        pressedPicture_ = &box;
        raise(box.MouseDown);
        break;
    case WM_LBUTTONDBLCLK: // the second press of a double click
        // Its release ends the double click: no Click after the DblClick.
        pressedPicture_ = nullptr;
        raise(box.MouseDown);
        Raise(box, box.DblClick);
        break;
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        raise(box.MouseDown);
        break;
    case WM_LBUTTONUP: {
        const bool pressed = pressedPicture_ == &box;
        pressedPicture_ = nullptr;
        raise(box.MouseUp);
        RECT client{};
        GetClientRect(box.hWnd(), &client);
        if (pressed && PtInRect(&client, POINT{x, y}))
            Raise(box, box.Click);
        break;
    }
    default:
        raise(box.MouseUp);
        break;
    }
}
