#include "wizard/frame/HelpMode.h"

#include "wizard/frame/Errors.h"
#include "wizard/frame/Help.h"
#include "wizard/frame/HelpBalloon.h"
#include "wizard/frame/MessagePump.h"
#include "wizard/frame/Tip.h"

#include <commctrl.h>

namespace {

constexpr UINT_PTR ModeLink = 0x514850; // the help mode's link on the capturing window

struct HelpMode {
    HWND capture = nullptr; // the window holding the mouse
    HWND form = nullptr;
    WizardHelpMembers* wizard = nullptr; // the wizard's mode; nullptr: what's-this
} mode;

LRESULT CALLBACK ModeProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                          DWORD_PTR);

void EndHelpMode(bool release) {
    if (!mode.capture)
        return;
    const HelpMode ended = mode;
    mode = HelpMode{};
    PumpFilter = nullptr;
    if (ended.wizard)
        ended.wizard->ContextHelp = false;
    if (IsWindow(ended.capture))
        RemoveWindowSubclass(ended.capture, ModeProc, ModeLink);
    if (release && GetCapture() == ended.capture)
        ReleaseCapture();
    if (ended.wizard) { // the prompt and the balloon go with the mode
        HelpTip().HideTip(true);
        DestroyTip(0);
        HideHelpTip();
    }
}

bool ModeKeys(const MSG& msg) {
    if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE && mode.capture) {
        EndHelpMode(true);
        return true;
    }
    return false;
}

// The deepest visible child of `form` under a screen point, or the form.
HWND ChildAt(HWND form, POINT screen) {
    HWND found = form;
    for (;;) {
        POINT client = screen;
        ScreenToClient(found, &client);
        const HWND child =
            ChildWindowFromPointEx(found, client, CWP_SKIPINVISIBLE | CWP_SKIPTRANSPARENT);
        if (!child || child == found)
            return found;
        found = child;
    }
}

LRESULT ModeMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

LRESULT CALLBACK ModeProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                          DWORD_PTR) {
    return AtCallback([&] { return ModeMessage(window, message, wParam, lParam); },
                      [] { return std::wstring(L"modHelp.ModeProc"); });
}

LRESULT ModeMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_SETCURSOR:
        SetCursor(LoadCursorW(nullptr, IDC_HELP));
        return TRUE;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN: {
        POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        ClientToScreen(window, &at);
        const HWND form = mode.form;
        const bool whatsThis = !mode.wizard && message == WM_LBUTTONDOWN;
        EndHelpMode(true);
        RECT r{};
        GetWindowRect(form, &r);
        if (whatsThis && PtInRect(&r, at)) {
            const HWND target = ChildAt(form, at);
            HELPINFO info{};
            info.cbSize = sizeof info;
            info.iContextType = HELPINFO_WINDOW;
            info.iCtrlId = GetDlgCtrlID(target);
            info.hItemHandle = target;
            info.MousePos = at;
            SendMessageW(form, WM_HELP, 0, reinterpret_cast<LPARAM>(&info));
        }
        return 0;
    }
    case WM_CAPTURECHANGED:
        if (reinterpret_cast<HWND>(lParam) != window)
            EndHelpMode(false); // never leave the user without the mouse
        break;
    case WM_NCDESTROY:
        EndHelpMode(false);
        break;
    default:
        break;
    }
    return DefSubclassProc(window, message, wParam, lParam);
}

} // namespace

void StartHelpMode(HWND capture, HWND form, WizardHelpMembers* wizard) {
    EndHelpMode(true);
    if (!capture || !SetWindowSubclass(capture, ModeProc, ModeLink, 0))
        return;
    mode = HelpMode{capture, form, wizard};
    if (wizard)
        wizard->ContextHelp = true;
    PumpFilter = ModeKeys;
    SetCapture(capture);
    SetCursor(LoadCursorW(nullptr, IDC_HELP));
}

bool HelpModeActive() {
    return mode.capture != nullptr;
}

void StartWhatsThis(HWND form) {
    StartHelpMode(form, form, nullptr);
}
