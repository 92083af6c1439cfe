#include "wizard/controls/ColorDrop.h"

#include "wizard/frame/Errors.h"
#include "wizard/frame/Program.h"

#include <commctrl.h>

namespace {

constexpr UINT_PTR RefocusTimer = 1;          // the combo took the focus: give it back
constexpr UINT_PTR CaptureTimer = 2;          // the platform list took the mouse: take it over
constexpr DWORD ComboStyle = 0x50000403;      // child, visible, no integral height, list
constexpr DWORD OwnerDrawnStyle = 0x50000413; // the same, owner-drawn

} // namespace

ColorDrop::ColorDrop() : drop_(std::make_unique<frmColorDropdown>()) {
    drop_->Drop = this;
    drop_->Changed = [this](COLORREF colour) {
        if (Changed) {
            const auto handler = Changed;
            handler(colour);
        }
        RepaintField();
    };
    scCombo.GotMessage = [this](HWND& hWnd, UINT& msg, WPARAM& wp, LPARAM& lp, bool& Proceed,
                                LRESULT& ReturnValue) {
        scCombo_GotMessage(hWnd, msg, wp, lp, Proceed, ReturnValue);
    };
    scDropdown.GotMessage = [this](HWND& hWnd, UINT& msg, WPARAM& wp, LPARAM& lp, bool& Proceed,
                                   LRESULT& ReturnValue) {
        scDropdown_GotMessage(hWnd, msg, wp, lp, Proceed, ReturnValue);
    };
}

ColorDrop::~ColorDrop() {
    scDropdown.UnSubClass();
    scCombo.UnSubClass();
}

void ColorDrop::OnCreate() {
    Init();
}

void ColorDrop::OnDestroy() {
    // The pop-up's window goes with the control's; the object, and with it
    // the colour and the custom colour, stays for the control's life.
    down_ = false;
    drop_->DropHeld();
    scDropdown.UnSubClass();
    scCombo.UnSubClass();
    combo_ = nullptr;
    drop_->Unload();
}

void ColorDrop::Init() {
    if (combo_ || !hWnd())
        return;
    selfPainted_ = OsLevel >= 3;
    RECT client{};
    GetClientRect(hWnd(), &client);
    combo_ = CreateWindowExW(0, L"COMBOBOX", L"", selfPainted_ ? ComboStyle : OwnerDrawnStyle, 0, 0,
                             client.right, client.bottom, hWnd(), nullptr,
                             GetModuleHandleW(nullptr), nullptr);
    if (!combo_)
        RaiseLastError();
    if (const HFONT font = Extender()->FontHandle())
        SendMessageW(combo_, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    // The combo's keys and paint; its list only while the pop-up is open.
    scCombo.SubClass(combo_);
    drop_->Load();
}

COLORREF ColorDrop::Color() const {
    return drop_->Color();
}

void ColorDrop::SetColor(COLORREF NewColor) {
    Init();
    drop_->SetColor(NewColor);
    RepaintField();
}

LRESULT ColorDrop::SendMsg(UINT message, WPARAM wParam, LPARAM lParam) {
    return combo_ ? SendMessageW(combo_, message, wParam, lParam) : 0;
}

HWND ColorDrop::ListWnd() const {
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    if (!combo_ || !GetComboBoxInfo(combo_, &info))
        return nullptr;
    return info.hwndList;
}

RECT ColorDrop::FieldRect() const {
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    if (combo_)
        SendMessageW(combo_, CB_GETCOMBOBOXINFO, 0, reinterpret_cast<LPARAM>(&info));
    return info.rcItem;
}

void ColorDrop::SetDown(bool NewVal) {
    if (!combo_)
        return;
    if (NewVal) {
        if (!down_) {
            down_ = true;
            if (Dropped)
                Dropped(true);
        }
        drop_->Display(false);
        RECT r{};
        GetWindowRect(combo_, &r);
        RECT popup{};
        GetWindowRect(drop_->hWnd(), &popup);
        const int height = popup.bottom - popup.top;
        MONITORINFO monitor{};
        monitor.cbSize = sizeof monitor;
        GetMonitorInfoW(MonitorFromWindow(combo_, MONITOR_DEFAULTTONEAREST), &monitor);
        // Above the field when there is no room below it.
        const int y = r.bottom + height > monitor.rcWork.bottom ? r.top - height : r.bottom;
        SetWindowPos(drop_->hWnd(), HWND_TOPMOST, r.left, y, 0, 0,
                     SWP_SHOWWINDOW | SWP_NOACTIVATE | SWP_NOSIZE);
        if (const HWND list = ListWnd(); list && FindSubClass(list) < 0)
            scDropdown.SubClass(list);
        return;
    }
    const bool was = down_;
    down_ = false;
    drop_->DropHeld();
    KillTimer(hWnd(), CaptureTimer);
    if (was && Dropped)
        Dropped(false);
    scDropdown.UnSubClass();
    if (drop_->hWnd()) {
        ShowWindow(drop_->hWnd(), SW_HIDE);
        if (GetCapture() == drop_->hWnd())
            ReleaseCapture();
    }
    // Wine's list keeps the combo dropped after it lost the mouse: end it, so
    // the next click opens again.
    SendMsg(CB_SHOWDROPDOWN, FALSE, 0);
    RepaintField();
    IgnoreErrors([&] { Refocus(); });
}

void ColorDrop::Refocus() {
    if (!hWnd() || !IsWindowEnabled(hWnd()))
        return;
    // Only inside the active window: focus elsewhere would activate it.
    if (GetActiveWindow() != GetAncestor(hWnd(), GA_ROOT))
        return;
    refocusing_ = true;
    if (GetFocus() != hWnd())
        SetFocus(hWnd());
    else
        SendMsg(WM_SETFOCUS, 0, 0);
    refocusing_ = false;
}

void ColorDrop::ShowHeld() {
    SendMsg(CB_RESETCONTENT, 0, 0);
    RepaintField();
}

void ColorDrop::RepaintField() {
    if (!combo_)
        return;
    InvalidateRect(combo_, nullptr, FALSE);
    UpdateWindow(combo_);
}

void ColorDrop::DrawSwatch(HDC dc, const RECT& field) const {
    const UniqueBrush brush(CreateSolidBrush(Color()));
    FillRect(dc, &field, brush.get());
    FrameRect(dc, &field, GetSysColorBrush(COLOR_BTNSHADOW));
}

void ColorDrop::Paint(HDC dc, const RECT& client) {
    DrawnControl::Paint(dc, client);
    // Printing the combo draws its swatch too (its paint or its owner-draw).
    if (combo_ && WindowFromDC(dc) != hWnd())
        SendMessageW(combo_, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc),
                     PRF_CLIENT | PRF_ERASEBKGND);
}

UINT ColorDrop::DlgCode(WPARAM /*key*/, const MSG* message) {
    // While open, Esc and Enter close the pop-up rather than press buttons.
    if (down_ && message && message->message == WM_KEYDOWN &&
        (message->wParam == VK_ESCAPE || message->wParam == VK_RETURN))
        return DLGC_WANTARROWS | DLGC_WANTCHARS | DLGC_WANTMESSAGE;
    return DLGC_WANTARROWS | DLGC_WANTCHARS;
}

bool ColorDrop::KeyDown(int key, int shift) {
    if (down_ && (key == VK_ESCAPE || key == VK_RETURN)) {
        SetDown(false);
        return true;
    }
    if (key == VK_F4 || ((shift & 4) && (key == VK_DOWN || key == VK_UP))) {
        SendMsg(WM_KEYDOWN, VK_F4, 0); // the combo opens, and so the pop-up
        return true;
    }
    return false;
}

void ColorDrop::FocusChanged(bool focused) {
    if (!combo_)
        return;
    refocusing_ = true;
    if (focused)
        SendMsg(WM_SETFOCUS, 0, 0);
    else if (GetFocus() != combo_)
        SendMsg(WM_KILLFOCUS, 0, 0);
    refocusing_ = false;
}

void ColorDrop::TimerTick(UINT_PTR id) {
    if (id == RefocusTimer) {
        KillTimer(hWnd(), RefocusTimer);
        if (!down_)
            Refocus();
        return;
    }
    if (id != CaptureTimer)
        return;
    // The combo holds the mouse until the button goes up, then its list takes
    // it: the pop-up takes it over from there.
    if (GetCapture() == combo_)
        return;
    KillTimer(hWnd(), CaptureTimer);
    if (const HWND list = ListWnd())
        ShowWindow(list, SW_HIDE);
    SendMsg(CB_SHOWDROPDOWN, FALSE, 0);
    if (down_ && drop_->hWnd())
        SetCapture(drop_->hWnd());
}

void ColorDrop::Resize(int width, int height) {
    if (combo_)
        MoveWindow(combo_, 0, 0, width, height, TRUE);
}

void ColorDrop::EnabledChanged(bool enabled) {
    if (!enabled && down_)
        SetDown(false);
    if (combo_)
        EnableWindow(combo_, enabled);
}

std::optional<LRESULT> ColorDrop::ChildMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DRAWITEM) {
        const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (item->CtlType != ODT_COMBOBOX || item->hwndItem != combo_)
            return std::nullopt;
        DrawSwatch(item->hDC, item->rcItem);
        return TRUE;
    }
    if (message != WM_COMMAND || reinterpret_cast<HWND>(lParam) != combo_)
        return std::nullopt;
    switch (HIWORD(wParam)) {
    case CBN_SETFOCUS:
        if (!refocusing_)
            SetTimer(hWnd(), RefocusTimer, 1, nullptr);
        break;
    case CBN_DROPDOWN:
        if (IsWindowEnabled(hWnd())) {
            SetDown(true);
            SetTimer(hWnd(), CaptureTimer, 1, nullptr);
        }
        break;
    default:
        break;
    }
    return 0;
}

std::optional<LRESULT> ColorDrop::OtherMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_SETFONT:
        SendMsg(WM_SETFONT, wParam, lParam);
        return 0;
    case WM_SYSKEYDOWN:
        if (wParam == VK_DOWN || wParam == VK_UP) { // Alt+Down opens, as the combo's own
            SendMsg(WM_SYSKEYDOWN, wParam, lParam);
            return 0;
        }
        return std::nullopt;
    default:
        return std::nullopt;
    }
}

void ColorDrop::scCombo_GotMessage(HWND& /*hWnd*/, UINT& msg, WPARAM& wp, LPARAM& lp, bool& Proceed,
                                   LRESULT& ReturnValue) {
    switch (msg) {
    case WM_PAINT:
    case WM_PRINTCLIENT:
        if (!selfPainted_)
            return;
        ReturnValue = CallOldWndProc(combo_, msg, wp, lp);
        if (msg == WM_PAINT) {
            WindowDC dc(combo_);
            DrawSwatch(dc.get(), FieldRect());
        } else {
            DrawSwatch(reinterpret_cast<HDC>(wp), FieldRect());
        }
        Proceed = false;
        return;
    case WM_GETDLGCODE: {
        const auto* m = reinterpret_cast<const MSG*>(lp);
        if (down_ && m && m->message == WM_KEYDOWN &&
            (m->wParam == VK_ESCAPE || m->wParam == VK_RETURN)) {
            ReturnValue = CallOldWndProc(combo_, msg, wp, lp) | DLGC_WANTMESSAGE;
            Proceed = false;
        }
        return;
    }
    case WM_KEYDOWN:
        if (down_ && (wp == VK_ESCAPE || wp == VK_RETURN)) {
            SetDown(false);
            Proceed = false;
        }
        return;
    case WM_CAPTURECHANGED:
        return;
    default:
        return;
    }
}

void ColorDrop::scDropdown_GotMessage(HWND& /*hWnd*/, UINT& msg, WPARAM& /*wp*/, LPARAM& lp,
                                      bool& Proceed, LRESULT& ReturnValue) {
    // The platform's list never shows while the pop-up stands in for it.
    if (msg == WM_WINDOWPOSCHANGING || msg == WM_WINDOWPOSCHANGED) {
        reinterpret_cast<WINDOWPOS*>(lp)->flags &= ~SWP_SHOWWINDOW;
        ReturnValue = 0;
        Proceed = false;
    }
}
