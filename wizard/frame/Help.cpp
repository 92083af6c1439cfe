#include "wizard/frame/Help.h"

#include "core/ControlHelp.h"
#include "core/CreatorMath.h"
#include "wizard/frame/Errors.h"
#include "wizard/frame/HelpMode.h"
#include "wizard/frame/Helpers.h"
#include "wizard/frame/MessagePump.h"
#include "wizard/frame/Twips.h"

static_assert(sizeof(HELPINFO) == 28 || sizeof(void*) == 8);

namespace {

std::wstring DerivedTitle(std::wstring title) {
    std::erase(title, L'&');
    if (!title.empty() && title.back() == L':')
        title.pop_back();
    return title;
}

} // namespace

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
