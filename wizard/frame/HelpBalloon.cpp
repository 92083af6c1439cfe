#include "wizard/frame/HelpBalloon.h"

#include "core/CreatorError.h"
#include "wizard/frame/Errors.h"
#include "wizard/frame/Help.h"
#include "wizard/frame/Twips.h"
#include "wizard/frame/WindowHandle.h"
#include "wizard/frame/WizardHelpMembers.h"

#include <commctrl.h>

#ifndef _WIN64
static_assert(sizeof(EDITBALLOONTIP) == 16, "the edit balloon record of the 32-bit build");
#endif

namespace {

constexpr UINT_PTR BalloonLink = 0x514842; // the stand-in balloon's link on its edit
constexpr UINT_PTR BalloonTimer = 0x5142;
constexpr UINT BalloonTimeOut = 15000;

// The window focused before a balloon went on txtTip: a handle, looked up
// again when needed, so a control gone meanwhile is never read.
HWND remembered = nullptr;

struct StandInBalloon {
    UniqueWindow window;
    HWND edit = nullptr;
} balloon;

LRESULT CALLBACK BalloonProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                             DWORD_PTR);

void CloseBalloon() {
    if (balloon.edit && IsWindow(balloon.edit)) {
        KillTimer(balloon.edit, BalloonTimer);
        RemoveWindowSubclass(balloon.edit, BalloonProc, BalloonLink);
    }
    balloon.edit = nullptr;
    balloon.window.reset();
}

// As the platform's balloon: a key, a click, the focus leaving or the
// time-out ends it.
LRESULT CALLBACK BalloonProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                             DWORD_PTR) {
    const bool ends = (message == WM_KEYDOWN && wParam != VK_F1) || message == WM_LBUTTONDOWN ||
                      message == WM_KILLFOCUS || message == WM_NCDESTROY ||
                      (message == WM_TIMER && wParam == BalloonTimer);
    if (ends)
        CloseBalloon();
    if (message == WM_TIMER && wParam == BalloonTimer)
        return 0;
    return DefSubclassProc(window, message, wParam, lParam);
}

// A tracking balloon tooltip at the edit's caret with the title, text and icon.
void ShowStandInBalloon(HWND edit, const std::wstring& title, const std::wstring& text, int icon) {
    CloseBalloon();
    if (title.empty() && text.empty())
        return; // the empty balloon clears
    const HWND owner = GetAncestor(edit, GA_ROOT);
    balloon.window.reset(CreateWindowExW(
        WS_EX_TOPMOST, TOOLTIPS_CLASSW, L"", WS_POPUP | TTS_BALLOON | TTS_NOPREFIX | TTS_ALWAYSTIP,
        0, 0, 0, 0, owner, nullptr, GetModuleHandleW(nullptr), nullptr));
    if (!balloon.window)
        return;
    const HWND tip = balloon.window.get();
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_TRACK | TTF_ABSOLUTE | TTF_IDISHWND;
    tool.hwnd = owner;
    tool.uId = reinterpret_cast<UINT_PTR>(edit);
    tool.lpszText = const_cast<wchar_t*>(text.c_str());
    SendMessageW(tip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    SendMessageW(tip, TTM_SETMAXTIPWIDTH, 0, ScalePixelsX(250));
    SendMessageW(tip, TTM_SETTITLEW, static_cast<WPARAM>(icon),
                 reinterpret_cast<LPARAM>(title.c_str()));
    SetFocus(edit); // the edit takes the focus, as with the platform's balloon
    POINT at{};
    if (GetFocus() != edit || !GetCaretPos(&at))
        at = POINT{};
    RECT client{};
    GetClientRect(edit, &client);
    at.y = client.bottom;
    ClientToScreen(edit, &at);
    SendMessageW(tip, TTM_TRACKPOSITION, 0, MAKELPARAM(at.x, at.y));
    SendMessageW(tip, TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&tool));
    balloon.edit = edit;
    SetWindowSubclass(edit, BalloonProc, BalloonLink, 0);
    SetTimer(edit, BalloonTimer, BalloonTimeOut, nullptr);
}

HelpBalloonRecord lastBalloon;

void SendBalloon(HWND edit, const std::wstring& title, const std::wstring& text, int icon) {
    lastBalloon = {edit, title, text, icon};
    EDITBALLOONTIP tip{};
    tip.cbStruct = sizeof tip;
    tip.pszTitle = title.c_str();
    tip.pszText = text.c_str();
    tip.ttiIcon = icon;
    if (!SendMessageW(edit, EM_SHOWBALLOONTIP, 0, reinterpret_cast<LPARAM>(&tip)))
        ShowStandInBalloon(edit, title, text, icon); // the platform showed none
    else if (balloon.edit == edit)
        CloseBalloon();
}

} // namespace

HWND HelpBalloon() {
    return balloon.window.get();
}

const HelpBalloonRecord& LastHelpBalloon() {
    return lastBalloon;
}

void ShowHelpTip(HWND edit, const std::wstring& title, const std::wstring& text, int icon) {
    // The control that owns the focus: the focused window may be a part of
    // it (the edit of a drop-down combo box).
    Control* noted = nullptr;
    for (Form* form : LoadedForms())
        if ((noted = form->ActiveControl()) != nullptr)
            break;
    const HWND notedWindow = noted ? noted->hWnd() : nullptr;
    remembered = nullptr;
    SendBalloon(edit, title, text, icon);
    for (Form* form : LoadedForms())
        if (WizardHelpMembers* wizard = WizardOf(form))
            if (Control* found = form->FindByHwnd(edit)) {
                if (found == &wizard->txtTip())
                    remembered = notedWindow;
                wizard->ToolTip.Enable(false);
            }
}

void HideHelpTip() {
    if (!remembered)
        return;
    // From here on failures are skipped; when the focus could not go back,
    // the active window takes it.
    const bool refocused = IgnoreErrors([&] {
        Control* control = GetControlFromHwnd(remembered);
        if (!control)
            throw CreatorError(ErrInvalidCall);
        control->SetFocus();
    });
    const bool cleared = IgnoreErrors([&] {
        for (Form* form : LoadedForms())
            if (WizardHelpMembers* wizard = WizardOf(form))
                SendBalloon(wizard->txtTip().hWnd(), L"", L"", 0);
    });
    if (!refocused || !cleared)
        if (Form* active = ActiveForm())
            SetFocus(active->hWnd());
    remembered = nullptr;
}
