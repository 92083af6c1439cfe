#include "wizard/frame/StandInWizard.h"

#include "wizard/frame/Cursor.h"
#include "wizard/frame/Errors.h"
#include "wizard/frame/Help.h"
#include "wizard/frame/Helpers.h"
#include "wizard/frame/Main.h"
#include "wizard/frame/Settings.h"

#include <commctrl.h>

namespace {

// The form's one table: every control, in the order loops visit them.
const ControlDecl StandInControls[] = {
    {.Name = L"lblTitle",
     .Kind = ControlKind::Label,
     .Left = 360,
     .Top = 360,
     .Width = 6480,
     .Height = 480,
     .Caption = L"<AppVer>",
     .FontSize = 12},
    {.Name = L"cmdExit",
     .Kind = ControlKind::CommandButton,
     .Left = 5520,
     .Top = 3240,
     .Width = 1320,
     .Height = 375,
     .Caption = L"E&xit",
     .Tag = L"?Click here to close the application",
     .TabIndex = 1,
     .Flags = CtlDefault | CtlCancel},
    {.Name = L"ProgBar",
     .Kind = ControlKind::Custom,
     .Left = 360,
     .Top = 3780,
     .Width = 6480,
     .Height = 240,
     .TabIndex = 2,
     .Flags = CtlHidden | CtlNoTabStop,
     .Factory = MakeDrawn<ProgressBar>},
    // The carrier of the help balloons: one pixel, moved next to the control
    // being explained.
    {.Name = L"txtTip",
     .Kind = ControlKind::TextBox,
     .Width = 15,
     .Height = 15,
     .TabIndex = 3,
     .Flags = CtlNoTabStop},
    // Holds the mouse in help mode.
    {.Name = L"picContextHelp",
     .Kind = ControlKind::PictureBox,
     .Width = 15,
     .Height = 15,
     .Flags = CtlHidden | CtlNoTabStop},
};

const FormDecl StandInForm = {.Name = L"frmWizard",
                              .Caption = L"<AppVer>",
                              .ScaleWidth = 7200,
                              .ScaleHeight = 4320,
                              .Style = FixedDialogStyle | WS_MINIMIZEBOX,
                              .ExStyle = FixedDialogExStyle};

} // namespace

frmStandIn::frmStandIn()
    : Form(StandInForm, StandInControls), ProgBar((*this)(L"ProgBar").As<ProgressBar>()) {
    (*this)(L"cmdExit").Click = [this] { cmdExit_Click(); };
    (*this)(L"txtTip").LostFocus = [this] { ToolTip.Enable(true); };
    sc.GotMessage = [this](HWND& hWnd, UINT& message, WPARAM& wParam, LPARAM& lParam, bool& Proceed,
                           LRESULT& ReturnValue) {
        sc_GotMessage(hWnd, message, wParam, lParam, Proceed, ReturnValue);
    };
}

Control& frmStandIn::picContextHelp() {
    return (*this)(L"picContextHelp");
}

Control& frmStandIn::txtTip() {
    return (*this)(L"txtTip");
}

void frmStandIn::Form_Load() {
    RunSteps(L"frmWizard.Form_Load",
             {[&] { SetFormIcon(hWnd(), L"APPICON", true); }, [&] { AdjustCaptions(*this); },
              [&] { ApplySystemFont(*this); },
              [&] {
                  const HWND tip = txtTip().hWnd(); // borderless
                  SetWindowLongPtrW(tip, GWL_EXSTYLE,
                                    GetWindowLongPtrW(tip, GWL_EXSTYLE) & ~WS_EX_CLIENTEDGE);
                  SetWindowPos(tip, nullptr, 0, 0, 0, 0,
                               SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
              },
              [&] {
                  ToolTip.Init(this, nullptr, TTS_ALWAYSTIP | TTS_BALLOON, 0);
                  ToolTip.SendMessage(TTM_SETDELAYTIME, TTDT_INITIAL, 500);
                  ToolTip.SendMessage(TTM_SETDELAYTIME, TTDT_AUTOPOP, 20000);
                  ToolTip.SendMessage(TTM_SETDELAYTIME, TTDT_RESHOW, 1000);
                  ToolTip.SendMessage(TTM_SETMAXTIPWIDTH, 0, 250);
              },
              [&] { sc.SubClass(hWnd()); }});
}

void frmStandIn::Form_Unload(bool& /*Cancel*/) {
    RunSteps(L"frmWizard.Form_Unload", {[] { DoSettings(true); }});
}

void frmStandIn::cmdExit_Click() {
    RunSteps(L"frmWizard.cmdExit_Click", {[&] { Unload(); }});
}

void frmStandIn::sc_GotMessage(HWND& hWnd, UINT& message, WPARAM& wParam, LPARAM& lParam,
                               bool& Proceed, LRESULT& ReturnValue) {
    if (WizardHelpMessage(*this, hWnd, message, wParam, lParam, Proceed, ReturnValue))
        return;
    switch (message) {
    default:
        break;
    }
    // The window keeps at least its designed size.
    if (message == WM_GETMINMAXINFO) {
        auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
        RECT r{0, 0, TwipsToPixelsX(7200), TwipsToPixelsY(4320)};
        AdjustWindowRectEx(&r, FixedDialogStyle, FALSE, FixedDialogExStyle);
        info->ptMinTrackSize = {r.right - r.left, r.bottom - r.top};
    }
}
