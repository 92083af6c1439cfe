#include "wizard/controls/SliderControl.h"

#include <commctrl.h>

void SliderControl::OnCreate() {
    const HWND host = hWnd();
    // The control itself is the tab stop; it hands the focus to the trackbar.
    SetWindowLongPtrW(host, GWL_EXSTYLE,
                      GetWindowLongPtrW(host, GWL_EXSTYLE) &
                          ~static_cast<LONG_PTR>(WS_EX_CONTROLPARENT));
    RECT r{};
    GetClientRect(host, &r);
    trackbar_ = CreateWindowExW(0, TRACKBAR_CLASSW, L"", WS_CHILD | WS_VISIBLE | TBS_AUTOTICKS, 0,
                                0, r.right - 1, r.bottom - 1, host, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
    SendMessageW(trackbar_, TBM_SETRANGE, FALSE, MAKELPARAM(1, 300));
    SendMessageW(trackbar_, TBM_SETTICFREQ, 20, 0);
    if (!IsWindowEnabled(host))
        EnableWindow(trackbar_, FALSE);
}

void SliderControl::OnDestroy() {
    trackbar_ = nullptr;
    tracking_ = false;
}

void SliderControl::Resize(int width, int height) {
    if (trackbar_)
        MoveWindow(trackbar_, 0, 0, width, height, TRUE);
}

void SliderControl::FocusChanged(bool focused) {
    if (focused && trackbar_)
        SetFocus(trackbar_);
}

void SliderControl::EnabledChanged(bool enabled) {
    if (trackbar_)
        EnableWindow(trackbar_, enabled);
}

int SliderControl::Value() const {
    return trackbar_ ? static_cast<int>(SendMessageW(trackbar_, TBM_GETPOS, 0, 0)) : 0;
}

void SliderControl::SetValue(int position) {
    SendMessageW(trackbar_, TBM_SETPOS, TRUE, position);
    RaiseChanged(false);
}

void SliderControl::RaiseChanged(bool scroll) {
    if (const auto handler = Changed) // the handler may replace itself
        handler(scroll);
}

std::optional<LRESULT> SliderControl::ChildMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (reinterpret_cast<HWND>(lParam) != trackbar_)
        return std::nullopt;
    if (message == WM_HSCROLL) {
        const int code = LOWORD(wParam);
        if (code == TB_THUMBTRACK)
            tracking_ = true;
        RaiseChanged(code == TB_THUMBTRACK);
        if (code == TB_ENDTRACK)
            tracking_ = false;
    }
    if (message == WM_CTLCOLORSTATIC) { // the trackbar stands on the container's colour
        const COLORREF colour = Extender()->Parent().BackColorOf(Extender());
        if (!back_ || colour != backColour_) {
            back_.reset(CreateSolidBrush(colour));
            backColour_ = colour;
        }
        SetBkColor(reinterpret_cast<HDC>(wParam), colour);
        return reinterpret_cast<LRESULT>(back_.get());
    }
    return std::nullopt;
}
