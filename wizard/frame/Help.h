// modHelp: the context help. A control's help text is its "?" Tag
// (core/ControlHelp.h); F1, the "?" button's what's-this mode and the
// wizard's help mode show it: on the wizard window as an edit balloon on
// `txtTip` (or the text box itself), elsewhere in the tip window (Tip.h).
#pragma once

#include "wizard/frame/Form.h"
#include "wizard/frame/Tip.h"
#include "wizard/frame/ToolTip.h"

#include <windows.h>

#include <string>

// The wizard window's members the help uses; the wizard (for now its
// stand-in) derives from this beside Form.
class WizardHelpMembers {
  public:
    bool ContextHelp = false; // the wizard's help mode is on
    ToolTipClass ToolTip;     // the wizard's balloon tooltips
    virtual Control& picContextHelp() = 0;
    virtual Control& txtTip() = 0;

  protected:
    ~WizardHelpMembers() = default;
};

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

// The wizard window's messages for tips and help: deactivation and a lost
// focus end the tip; the pointer, F1 and the system menu go to their
// handlers. True when the message was one of these (then it is answered).
bool WizardHelpMessage(Form& frm, HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam,
                       bool& Proceed, LRESULT& ReturnValue);
// True when help was shown. timeOut negative: 25 seconds.
bool ShowControlHelp(Control* ctl, Form* frm, bool atControl, HWND hWndCtl, HWND hWndOwner,
                     const std::wstring& text, const std::wstring& title, int icon, int timeOut,
                     int xOffset);
// An edit balloon on `edit` (a stand-in balloon where the platform shows none).
void ShowHelpTip(HWND edit, const std::wstring& title, const std::wstring& text, int icon);
// Removes the help balloon and gives the focus back.
void HideHelpTip();
// Opens the help file's table of contents (HelpFile + "::" + topic); a
// missing help file or viewer is reported ("modHelp.ShowHelpTOC").
void ShowHelpTOC(HWND hWnd, const std::wstring& topic);
// Closes every help viewer ShowHelpTOC opened (HH_CLOSE_ALL), so none
// outlives the program; nothing when help was never opened.
void CloseHelpViewers();
// The one tip of the context help, made on first use.
clsTip& HelpTip();

// F1 is down, or the pump is dispatching its key (a quick tap handled after
// the key went up).
bool F1Held();
// Runs the what's-this mode for a form the "?" button asked it for: help
// cursor, mouse captured, the next left press sends WM_HELP for the child
// under it; Esc or a press outside ends it.
void StartWhatsThis(HWND form);
// A help mode (the wizard's or what's-this) is on.
bool HelpModeActive();

// The help viewer call (HtmlHelpW), which tests replace.
extern HWND(WINAPI* HtmlHelpViewer)(HWND caller, const wchar_t* file, UINT command, DWORD_PTR data);
// The stand-in balloon window, nullptr when none is up (tests).
HWND HelpBalloon();
// The last edit balloon asked for (tests: the stand-in's title cannot be read back).
struct HelpBalloonRecord {
    HWND Edit = nullptr;
    std::wstring Title, Text;
    int Icon = 0;
};
const HelpBalloonRecord& LastHelpBalloon();
