// Mouse pointers: the program-wide one, then each control's and form's own
// (MousePointer and MouseIcon), on WM_SETCURSOR.
#include "wizard/frame/Form.h"

namespace {

int screenPointer = 0;

// Sets the cursor of a pointer code; false when the code leaves the
// window's own cursor (0, or 99 without an icon).
bool ShowPointer(int pointer, HCURSOR icon) {
    if (pointer == PointerCustom) {
        if (!icon)
            return false;
        SetCursor(icon);
        return true;
    }
    const LPCWSTR cursor = PointerCursor(pointer);
    if (!cursor)
        return false;
    SetCursor(LoadCursorW(nullptr, cursor));
    return true;
}

} // namespace

int ScreenMousePointer() {
    return screenPointer;
}

void SetScreenMousePointer(int pointer) {
    screenPointer = pointer;
    POINT p;
    GetCursorPos(&p);
    // Ask the window under the pointer to set its cursor now, not at the next move.
    if (const HWND under = WindowFromPoint(p))
        if (GetWindowThreadProcessId(under, nullptr) == GetCurrentThreadId()) {
            const LRESULT hit = SendMessageW(under, WM_NCHITTEST, 0, MAKELPARAM(p.x, p.y));
            SendMessageW(under, WM_SETCURSOR, reinterpret_cast<WPARAM>(under),
                         MAKELPARAM(hit, WM_MOUSEMOVE));
        }
}

bool Form::SetCursorOver(HWND window, const Control* self, HWND under, LPARAM lParam) {
    // While a program-wide pointer is set, every form shows it.
    if (ShowPointer(screenPointer == PointerCustom ? 0 : screenPointer, nullptr))
        return true;
    if (LOWORD(lParam) != HTCLIENT)
        return false;
    if (under != window) {
        const Control* control = FindByHwnd(under);
        // A container decides itself, for the labels it holds.
        if (!control || control->Kind == ControlKind::Frame ||
            control->Kind == ControlKind::PictureBox)
            return false;
        return ShowPointer(control->MousePointer, control->MouseIcon);
    }
    POINT at;
    GetCursorPos(&at);
    ScreenToClient(window, &at);
    if (const Control* label = LabelAt(self, at);
        label && ShowPointer(label->MousePointer, label->MouseIcon))
        return true;
    return self ? ShowPointer(self->MousePointer, self->MouseIcon)
                : ShowPointer(MousePointer, MouseIcon);
}
