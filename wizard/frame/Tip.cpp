#include "wizard/frame/Tip.h"

#include "core/CreatorMath.h"
#include "common/Handles.h"
#include "wizard/frame/Errors.h"
#include "wizard/frame/Program.h"
#include "wizard/frame/Twips.h"

#include <algorithm>

BOOL(WINAPI* AnimateTipWindow)(HWND, DWORD, DWORD) = AnimateWindow;

namespace {

constexpr UINT_PTR AreaTimer = 1;
constexpr UINT_PTR TimeOutTimer = 2;
constexpr UINT TipText = DT_WORDBREAK | DT_NOPREFIX;

// The one tip of the program.
struct TipState {
    bool shown = false;
    clsTip* owner = nullptr; // cleared when that object ends
    RECT area{};
    std::wstring text;
    bool mouse = false;
    HWND target = nullptr;
    HWND parent = nullptr;
    HWND window = nullptr;
    bool fade = false;
    int x = TipAuto, y = TipAuto;
    bool destroying = false;
} tip;

// Measures the text and places the window at the pointer or under the
// target, inside the work area of its monitor; sets the area.
void Layout(HWND window) {
    WindowDC dc(window);
    SelectGuard font(dc.get(), GetStockObject(DEFAULT_GUI_FONT));
    RECT r{1, 1, 0, 0};
    DrawTextW(dc.get(), tip.text.c_str(), -1, &r, DT_CALCRECT | DT_NOPREFIX);
    if (r.right > ScalePixelsX(250)) {
        r.right = ScalePixelsX(230);
        DrawTextW(dc.get(), tip.text.c_str(), -1, &r, DT_CALCRECT | TipText);
    }
    InflateRect(&r, 2, 2);
    POINT cursor{};
    GetCursorPos(&cursor);
    RECT target{};
    if (tip.target)
        GetWindowRect(tip.target, &target);
    int x = 0, y = 0;
    if (tip.mouse) {
        x = tip.x != TipAuto ? tip.x : cursor.x - ScalePixelsX(10);
        y = tip.y != TipAuto ? tip.y : cursor.y + ScalePixelsY(25);
        tip.area = target;
        InflateRect(&tip.area, ScalePixelsX(5), ScalePixelsY(5));
    } else {
        x = tip.x != TipAuto
                ? tip.x
                : target.left + static_cast<int>(RoundHalfEven((target.right - target.left) / 2.0));
        x -= static_cast<int>(RoundHalfEven((r.right - r.left) / 2.0));
        y = tip.y != TipAuto ? tip.y : target.bottom + ScalePixelsY(10);
        const int d = ScalePixelsX(40);
        tip.area = RECT{cursor.x - d, cursor.y - d, cursor.x + d, cursor.y + d};
    }
    OffsetRect(&r, x, y);
    // Inside the monitor's work area rather than past the screen's edge.
    MONITORINFO monitor{sizeof monitor};
    if (GetMonitorInfoW(MonitorFromRect(&r, MONITOR_DEFAULTTONEAREST), &monitor)) {
        const RECT& work = monitor.rcWork;
        OffsetRect(&r, std::max(0L, work.left - r.left), std::max(0L, work.top - r.top));
        OffsetRect(&r, std::min(0L, work.right - r.right), std::min(0L, work.bottom - r.bottom));
    }
    MoveWindow(window, r.left, r.top, r.right - r.left, r.bottom - r.top, FALSE);
}

void ArmTimers(HWND window) {
    clsTip* owner = tip.owner;
    if (owner && owner->Persistant)
        owner->Persistant = false;
    else
        SetTimer(window, AreaTimer, 100, nullptr);
    int32_t timeOut = owner ? owner->TimeOut : 0;
    if (timeOut == 0)
        timeOut = 8;
    if (timeOut > 0)
        SetTimer(window, TimeOutTimer, static_cast<UINT>(timeOut) * 1000u, nullptr);
    if (owner)
        owner->TimeOut = 0;
}

void PaintTip(HWND window, HDC dc) {
    RECT r{};
    GetClientRect(window, &r);
    UniqueBrush back(CreateSolidBrush(GetSysColor(COLOR_INFOBK)));
    FillRect(dc, &r, back.get());
    InflateRect(&r, -1, -1);
    SetBkColor(dc, GetSysColor(COLOR_INFOBK));
    SetTextColor(dc, GetSysColor(COLOR_INFOTEXT));
    SetBkMode(dc, TRANSPARENT);
    SelectGuard font(dc, GetStockObject(DEFAULT_GUI_FONT));
    DrawTextW(dc, tip.text.c_str(), -1, &r, TipText);
}

bool RegisterTipClass(const std::wstring& name) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.style = CS_DROPSHADOW | CS_PARENTDC;
    wc.lpfnWndProc = TipWndProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_INFOBK + 1);
    wc.lpszClassName = name.c_str();
    if (RegisterClassExW(&wc))
        return true;
    if (GetLastError() == ERROR_CLASS_ALREADY_EXISTS)
        return true;
    wc.style &= ~CS_DROPSHADOW; // refused: again without the shadow
    return RegisterClassExW(&wc) != 0;
}

} // namespace

std::wstring TipClassName() {
    return AppTitle + L"_tipwnd";
}

HWND TipWindow() {
    return tip.window;
}

std::wstring TipShownText() {
    return tip.window ? tip.text : std::wstring();
}

RECT TipArea() {
    return tip.area;
}

clsTip::~clsTip() {
    if (tip.owner != this)
        return; // another object's tip: nothing changes
    RunSteps(L"clsTip.Class_Terminate", {[] { DestroyTip(200); }});
    tip.owner = nullptr;
}

void clsTip::HideTip(bool NoFade) {
    DestroyTip(NoFade ? 0 : 200);
}

void clsTip::ShowTip(HWND hWndParent, HWND hWndCtl, const std::wstring& Text, bool Mouse, bool Fade,
                     int xPos, int yPos) {
    RunSteps(L"clsTip.ShowTip",
             {[&] { ShowTip_(*this, hWndParent, hWndCtl, Text, Mouse, Fade, xPos, yPos); }});
}

void ShowTip_(clsTip& owner, HWND hWndParent, HWND hWndCtl, const std::wstring& Text, bool Mouse,
              bool& Fade, int xPos, int yPos) {
    Procedure run(L"modTip.ShowTip_");
    if (tip.shown && tip.text == Text)
        return; // the same tip is up
    if (Fade && !run([] { DestroyTip(200); }))
        return;
    if (GetForegroundWindow() != hWndParent)
        return;
    tip.text = Text;
    tip.target = hWndCtl;
    tip.parent = hWndParent;
    tip.mouse = Mouse;
    tip.owner = &owner;
    tip.fade = Fade;
    tip.x = xPos;
    tip.y = yPos;
    if (!Fade && tip.window && tip.shown) {
        // Kept with its timers; a new text is measured, placed and drawn.
        if (!run([] {
                Layout(tip.window);
                InvalidateRect(tip.window, nullptr, TRUE);
            }))
            return;
    } else {
        const std::wstring name = TipClassName();
        if (!run([&] {
                if (!RegisterTipClass(name))
                    RaiseLastError();
            }))
            return;
        if (!run([&] {
                CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, name.c_str(), L"",
                                WS_POPUP | WS_BORDER, 0, 0, 0, 0, hWndParent, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
            }))
            return;
    }
    run([&] {
        if (!tip.window)
            return;
        if (Fade)
            AnimateTipWindow(tip.window, 200, AW_BLEND);
        else
            ShowWindow(tip.window, SW_SHOWNOACTIVATE);
        UpdateWindow(tip.window);
    });
}

void DestroyTip(int milliseconds) {
    if (!tip.window || tip.destroying)
        return; // none, or one going already (a fade lets timers run)
    tip.destroying = true;
    Procedure run(L"modTip.DestroyTip");
    const HWND window = tip.window;
    if (tip.fade && milliseconds > 0)
        run([&] {
            AnimateTipWindow(window, static_cast<DWORD>(milliseconds), AW_HIDE | AW_BLEND);
        });
    run([&] { DestroyWindow(window); });
    run([] { UnregisterClassW(TipClassName().c_str(), GetModuleHandleW(nullptr)); });
    tip.destroying = false;
}

LRESULT CALLBACK TipWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    Procedure run(L"modTip.TipWndProc");
    switch (message) {
    case WM_CREATE:
        tip.window = window;
        run([&] { Layout(window); });
        run([&] { ArmTimers(window); });
        tip.shown = true;
        return 0;
    case WM_TIMER:
        if (wParam == AreaTimer) {
            POINT cursor{};
            GetCursorPos(&cursor);
            if (!PtInRect(&tip.area, cursor))
                run([] { DestroyTip(200); });
        } else if (wParam == TimeOutTimer) {
            run([] { DestroyTip(1000); });
        }
        return 0;
    case WM_ACTIVATE:
        return 1;
    case WM_MOUSEACTIVATE:
        return MA_NOACTIVATE; // a click on the tip leaves the focus in the user's field
    case WM_PAINT: {
        PAINTSTRUCT ps;
        const HDC dc = BeginPaint(window, &ps);
        run([&] { PaintTip(window, dc); });
        EndPaint(window, &ps);
        return 0;
    }
    case WM_PRINTCLIENT:
        run([&] { PaintTip(window, reinterpret_cast<HDC>(wParam)); });
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        run([] { DestroyTip(200); });
        break;
    case WM_DESTROY:
        if (tip.window == window) {
            tip.window = nullptr;
            tip.target = nullptr;
            tip.parent = nullptr;
            tip.shown = false;
        }
        break;
    default:
        break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}
