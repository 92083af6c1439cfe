// modHelp: the context help of every form. A control's help text is its "?"
// Tag (core/ControlHelp.h); F1, the "?" button's what's-this mode
// (HelpMode.h) and the wizard's help mode show it: on the wizard window as an
// edit balloon (HelpBalloon.h) on `txtTip` (or the text box itself),
// elsewhere in the tip window (Tip.h).
#pragma once

#include "wizard/frame/Form.h"
#include "wizard/frame/HelpBalloon.h"
#include "wizard/frame/Tip.h"
#include "wizard/frame/WizardHelpMembers.h"

#include <windows.h>

#include <string>

// The control of `form` whose window is `window`; with no form, the active
// form's, then every loaded form's in turn. nullptr when none matches.
Control* GetControlFromHwnd(HWND window, Form* form = nullptr);
// WM_SYSCOMMAND: SC_CONTEXTHELP (wParam & 0xFFF0) starts the wizard's help
// mode: Proceed false, ContextHelp set, the mouse captured by picContextHelp,
// the help cursor. A click, Esc or a lost capture ends it. Returns 0.
LRESULT Handle_WM_SYSCOMMAND(Form& frm, HWND hWnd, WPARAM wParam, LPARAM lParam, bool& Proceed);
// WM_HELP: shows the help of the control the HELPINFO names (read only as
// far as its cbSize; menu items and lParam 0 show nothing). Returns 0.
LRESULT Handle_WM_HELP(Form& frm, HWND hWnd, WPARAM wParam, LPARAM lParam);

// True when help was shown. timeOut negative: 25 seconds.
bool ShowControlHelp(Control* ctl, Form* frm, bool atControl, HWND hWndCtl, HWND hWndOwner,
                     const std::wstring& text, const std::wstring& title, int icon, int timeOut,
                     int xOffset);
// The one tip of the context help, made on first use.
clsTip& HelpTip();

// F1 is down, or the pump is dispatching its key (a quick tap handled after
// the key went up).
bool F1Held();
