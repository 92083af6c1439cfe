#include "wizard/frame/Help.h"

#include "core/ControlHelp.h"
#include "core/CreatorError.h"
#include "core/CreatorMath.h"
#include "saver/ContextHelp.h"
#include "wizard/frame/Cursor.h"
#include "wizard/frame/Errors.h"
#include "wizard/frame/Helpers.h"
#include "wizard/frame/Main.h"

#include <commctrl.h>
#include <htmlhelp.h>

#ifndef _WIN64
static_assert(sizeof(EDITBALLOONTIP) == 16, "the edit balloon record of the 32-bit build");
#endif
static_assert(sizeof(HELPINFO) == 28 || sizeof(void*) == 8);

namespace {

constexpr UINT_PTR ModeLink = 0x514850;    // the help mode's link on the capturing window
constexpr UINT_PTR BalloonLink = 0x514842; // the stand-in balloon's link on its edit
constexpr UINT_PTR BalloonTimer = 0x5142;
constexpr UINT BalloonTimeOut = 15000;

bool HelpViewerOpened = false; // ShowHelpTOC has called the viewer

HWND WINAPI LoadedHtmlHelp(HWND caller, const wchar_t* file, UINT command, DWORD_PTR data) {
    using HtmlHelpFn = HWND(WINAPI*)(HWND, LPCWSTR, UINT, DWORD_PTR);
    const HMODULE module = HtmlHelpModule();
    const auto function = module ? reinterpret_cast<HtmlHelpFn>(
                                       reinterpret_cast<void*>(GetProcAddress(module, "HtmlHelpW")))
                                 : nullptr;
    if (!function)
        throw CreatorError(53, L"File not found: hhctrl.ocx");
    return function(caller, file, command, data);
}

WizardHelpMembers* WizardOf(Form* form) {
    if (!form || form->Name() != L"frmWizard")
        return nullptr;
    return dynamic_cast<WizardHelpMembers*>(form);
}

// ---- help modes ----------------------------------------------------------

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

// ---- balloons -------------------------------------------------------------

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

std::wstring DerivedTitle(std::wstring title) {
    std::erase(title, L'&');
    if (!title.empty() && title.back() == L':')
        title.pop_back();
    return title;
}

} // namespace

HWND(WINAPI* HtmlHelpViewer)(HWND, const wchar_t*, UINT, DWORD_PTR) = LoadedHtmlHelp;

HWND HelpBalloon() {
    return balloon.window.get();
}

const HelpBalloonRecord& LastHelpBalloon() {
    return lastBalloon;
}

clsTip& HelpTip() {
    static clsTip tip;
    return tip;
}

bool F1Held() {
    // The pointer-held state, then the state as of the message being handled
    // (a quick tap is up again by the time its help is asked for), then the
    // key message the pump is dispatching.
    if (KeyIsDown(VK_F1) || GetKeyState(VK_F1) < 0)
        return true;
    const MSG* dispatched = DispatchedMessage();
    if (!dispatched)
        return false;
    constexpr UINT KeyF1 = 0x004D; // WM_KEYF1, which raises WM_HELP where the platform posts it
    return dispatched->message == KeyF1 ||
           (dispatched->wParam == VK_F1 &&
            (dispatched->message == WM_KEYDOWN || dispatched->message == WM_SYSKEYDOWN ||
             dispatched->message == WM_KEYUP));
}

bool HelpModeActive() {
    return mode.capture != nullptr;
}

void StartWhatsThis(HWND form) {
    StartHelpMode(form, form, nullptr);
}

Control* GetControlFromHwnd(HWND window, Form* form) {
    Control* found = nullptr;
    RunSteps(L"modHelp.GetControlFromHwnd", {[&] {
                 if (form) {
                     found = form->FindByHwnd(window);
                     return;
                 }
                 if (Form* active = ActiveForm())
                     if ((found = active->FindByHwnd(window)))
                         return;
                 for (Form* loaded : LoadedForms())
                     if ((found = loaded->FindByHwnd(window)))
                         return;
             }});
    return found;
}

LRESULT Handle_WM_SYSCOMMAND(Form& frm, HWND /*hWnd*/, WPARAM wParam, LPARAM /*lParam*/,
                             bool& Proceed) {
    if ((wParam & 0xFFF0) != SC_CONTEXTHELP)
        return 0;
    WizardHelpMembers* wizard = WizardOf(&frm);
    if (!wizard)
        return 0;
    Proceed = false;
    StartHelpMode(wizard->picContextHelp().hWnd(), frm.hWnd(), wizard);
    return 0;
}

LRESULT Handle_WM_HELP(Form& frm, HWND hWnd, WPARAM /*wParam*/, LPARAM lParam) {
    if (!lParam)
        return 0;
    RunSteps(L"modHelp.Handle_WM_HELP", {[&] {
                 const auto* given = reinterpret_cast<const HELPINFO*>(lParam);
                 HELPINFO info{};
                 const UINT size = std::min<UINT>(given->cbSize, sizeof info);
                 memcpy(&info, given, size); // no further than the sender's record
                 if (size < offsetof(HELPINFO, hItemHandle) + sizeof(HANDLE) ||
                     info.iContextType != HELPINFO_WINDOW)
                     return; // a menu item's request shows nothing
                 const auto item = static_cast<HWND>(info.hItemHandle);
                 ShowControlHelp(GetControlFromHwnd(item), &frm, false, item, hWnd, L"", L"", 1, -1,
                                 0);
             }});
    return 0;
}

bool ShowControlHelp(Control* ctl, Form* frm, bool atControl, HWND hWndCtl, HWND hWndOwner,
                     const std::wstring& text, const std::wstring& title, int icon, int timeOut,
                     int xOffset) {
    clsTip& tip = HelpTip();
    if (!ctl) {
        tip.HideTip(false);
        return false;
    }
    const auto help = HelpTextOfTag(text.empty() ? ctl->Tag : L"?" + text);
    if (!help) {
        tip.HideTip(false);
        return false;
    }
    if (!frm)
        frm = &ctl->Parent();
    if (!hWndCtl)
        hWndCtl = ctl->hWnd();
    tip.HideTip(true);
    const bool f1 = F1Held();
    if (WizardHelpMembers* wizard = WizardOf(frm)) {
        Control& carrier = wizard->txtTip();
        HWND target = carrier.hWnd();
        POINT at{};
        if (!f1 && !atControl) {
            GetCursorPos(&at);
        } else if (ctl->Kind == ControlKind::TextBox && !atControl) {
            target = ctl->hWnd();
        } else {
            RECT r{};
            GetWindowRect(hWndCtl, &r);
            at.x = r.left + RoundHalfEven((r.right - r.left) / 2.0);
            at.y = r.bottom - ScalePixelsY(10);
        }
        if (at.x || at.y)
            ScreenToClient(frm->hWnd(), &at);
        carrier.Move(PixelsToTwipsX(at.x + xOffset), PixelsToTwipsY(at.y), PixelsToTwipsX(1),
                     PixelsToTwipsY(1));
        IgnoreErrors([&] {
            std::wstring shown = title;
            if (shown.empty()) {
                if (ctl->Kind == ControlKind::TextBox) {
                    for (const auto& c : frm->Controls())
                        if (c->Kind == ControlKind::Label && c->TabIndex == ctl->TabIndex - 1) {
                            shown = c->Caption();
                            break;
                        }
                } else {
                    shown = ctl->Caption();
                }
                shown = DerivedTitle(shown);
            }
            ShowHelpTip(target, shown, *help, icon);
        });
        return true;
    }
    tip.TimeOut = timeOut < 0 ? 25 : timeOut;
    tip.Persistant = !(atControl || f1);
    tip.ShowTip(hWndOwner ? hWndOwner : frm->hWnd(), hWndCtl, *help, KeyIsDown(VK_LBUTTON) || !f1,
                true, TipAuto, TipAuto);
    return true;
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

void ShowHelpTOC(HWND hWnd, const std::wstring& topic) {
    Procedure run(L"modHelp.ShowHelpTOC");
    const std::wstring file = HelpFile + (topic.empty() ? L"" : L"::" + topic);
    bool present = false;
    if (!run([&] {
            present = FileExists(HelpFile);
            if (!present)
                throw CreatorError(53, L"File not found: " + HelpFile);
        }) ||
        !present)
        return;
    run([&] {
        HelpViewerOpened = true;
        HtmlHelpViewer(hWnd, file.c_str(), HH_DISPLAY_TOC, 0);
    });
}

void CloseHelpViewers() {
    if (!HelpViewerOpened)
        return;
    HelpViewerOpened = false;
    IgnoreErrors([] { HtmlHelpViewer(nullptr, nullptr, HH_CLOSE_ALL, 0); });
}

bool WizardHelpMessage(Form& frm, HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam,
                       bool& Proceed, LRESULT& ReturnValue) {
    switch (message) {
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE)
            DestroyTip(0);
        return true;
    case WM_KILLFOCUS:
        DestroyTip(0);
        return true;
    case WM_SETCURSOR:
        if (Handle_WM_SETCURSOR(frm, reinterpret_cast<HWND>(wParam), lParam, false)) {
            ReturnValue = 1;
            Proceed = false;
        }
        return true;
    case WM_HELP:
        ReturnValue = Handle_WM_HELP(frm, hWnd, wParam, lParam);
        return true;
    case WM_SYSCOMMAND:
        ReturnValue = Handle_WM_SYSCOMMAND(frm, hWnd, wParam, lParam, Proceed);
        return true;
    default:
        return false;
    }
}
