#include "wizard/pages/frmAdvanced.h"

#include "wizard/frame/Errors.h"
#include "wizard/frame/Help.h"
#include "wizard/frame/Helpers.h"
#include "wizard/frame/Installer.h"

namespace {

const ControlDecl AdvancedControls[] = {
    {.Name = L"fraInstall",
     .Kind = ControlKind::Frame,
     .Left = 120,
     .Top = 120,
     .Width = 3960,
     .Height = 1035,
     .Caption = L"Install as the...",
     .TabIndex = 0},
    {.Name = L"picInstall",
     .Kind = ControlKind::PictureBox,
     .Container = L"fraInstall",
     .Left = 120,
     .Top = 270,
     .Width = 3720,
     .Height = 660,
     .TabIndex = 1},
    {.Name = L"chkActive",
     .Kind = ControlKind::CheckBox,
     .Container = L"picInstall",
     .Left = 0,
     .Top = 0,
     .Width = 3600,
     .Height = 300,
     .Caption = L"Active Screensaver",
     .TabIndex = 2},
    {.Name = L"chkLogon",
     .Kind = ControlKind::CheckBox,
     .Container = L"picInstall",
     .Left = 0,
     .Top = 345,
     .Width = 3600,
     .Height = 300,
     .Caption = L"Logon Screensaver",
     .TabIndex = 3},
    {.Name = L"chkStartMenu",
     .Kind = ControlKind::CheckBox,
     .Left = 240,
     .Top = 1275,
     .Width = 3720,
     .Height = 300,
     .Caption = L"Add to Start Menu",
     .TabIndex = 4},
    {.Name = L"chkWebLink",
     .Kind = ControlKind::CheckBox,
     .Left = 480,
     .Top = 1605,
     .Width = 3480,
     .Height = 300,
     .Caption = L"Link to your website",
     .TabIndex = 5},
    {.Name = L"chkUninstall",
     .Kind = ControlKind::CheckBox,
     .Left = 240,
     .Top = 1935,
     .Width = 3720,
     .Height = 300,
     .Caption = L"Include an uninstaller",
     .TabIndex = 6},
    {.Name = L"chkSysDir",
     .Kind = ControlKind::CheckBox,
     .Left = 240,
     .Top = 2265,
     .Width = 3720,
     .Height = 300,
     .Caption = L"Install in System32 folder",
     .TabIndex = 7},
    {.Name = L"cmdOK",
     .Kind = ControlKind::CommandButton,
     .Left = 1560,
     .Top = 2760,
     .Width = 1215,
     .Height = 375,
     .Caption = L"OK",
     .TabIndex = 8,
     .Flags = CtlDefault},
    {.Name = L"cmdCancel",
     .Kind = ControlKind::CommandButton,
     .Left = 2865,
     .Top = 2760,
     .Width = 1215,
     .Height = 375,
     .Caption = L"Cancel",
     .TabIndex = 9,
     .Flags = CtlCancel},
};

const FormDecl AdvancedForm = {.Name = L"frmAdvanced",
                               .Caption = L"Installer Options",
                               .ScaleWidth = 4200,
                               .ScaleHeight = 3255,
                               .Style = FixedDialogStyle,
                               .ExStyle = FixedDialogExStyle | WS_EX_CONTEXTHELP};

bool IsBlank(const std::wstring& text) {
    return text.find_first_not_of(L' ') == std::wstring::npos;
}

} // namespace

frmAdvanced::frmAdvanced(const Control& webAddress)
    : Form(AdvancedForm, AdvancedControls), chkActive((*this)(L"chkActive")),
      chkLogon((*this)(L"chkLogon")), chkStartMenu((*this)(L"chkStartMenu")),
      chkSysDir((*this)(L"chkSysDir")), chkUninstall((*this)(L"chkUninstall")),
      chkWebLink((*this)(L"chkWebLink")), cmdCancel((*this)(L"cmdCancel")),
      cmdOK((*this)(L"cmdOK")), webAddress_(webAddress) {
    chkStartMenu.Click = [this] { chkStartMenu_Click(); };
    cmdOK.Click = [this] { cmdOK_Click(); };
    cmdCancel.Click = [this] { cmdCancel_Click(); };
    sc.GotMessage = [this](HWND& hWnd, UINT& message, WPARAM& wParam, LPARAM& lParam, bool& Proceed,
                           LRESULT& ReturnValue) {
        sc_GotMessage(hWnd, message, wParam, lParam, Proceed, ReturnValue);
    };
}

void frmAdvanced::Form_Load() {
    RunSteps(L"frmAdvanced.Form_Load",
             {[&] { ApplySystemFont(*this); }, [&] { sc.SubClass(hWnd()); }});
}

bool frmAdvanced::HasWebAddress() const {
    return !IsBlank(webAddress_.Text());
}

void frmAdvanced::LoadSettings() {
    const InstallerOptions& options = CurrentInstallerOptions();
    chkActive.SetValue(options.Active ? 1 : 0);
    chkLogon.SetValue(options.Logon ? 1 : 0);
    chkStartMenu.SetValue(options.StartMenu ? 1 : 0);
    chkUninstall.SetValue(options.Uninstall ? 1 : 0);
    chkSysDir.SetValue(options.SysDir ? 1 : 0);
    chkStartMenu_Click();
    Control& webLink = chkWebLink;
    webLink.SetValue(options.WebLink && webLink.Enabled() ? 1 : 0);
}

void frmAdvanced::chkStartMenu_Click() {
    // A link needs a Start Menu folder to go in and an address to go to.
    chkWebLink.SetEnabled(chkStartMenu.Value() == 1 && HasWebAddress());
}

void frmAdvanced::cmdOK_Click() {
    InstallerOptions& options = CurrentInstallerOptions();
    auto checked = [](const Control& box) { return box.Value() == 1; };
    RunSteps(L"frmAdvanced.cmdOK_Click",
             {[&] { options.Active = checked(chkActive); },
              [&] { options.Logon = checked(chkLogon); },
              [&] { options.StartMenu = checked(chkStartMenu); },
              [&] { options.Uninstall = checked(chkUninstall); },
              [&] { options.SysDir = checked(chkSysDir); },
              [&] { options.WebLink = checked(chkWebLink); }, [&] { Unload(); }});
}

void frmAdvanced::cmdCancel_Click() {
    RunSteps(L"frmAdvanced.cmdCancel_Click", {[&] { Hide(); }});
}

void frmAdvanced::sc_GotMessage(HWND& hWnd, UINT& message, WPARAM& wParam, LPARAM& lParam,
                                bool& /*Proceed*/, LRESULT& ReturnValue) {
    // The help's result is the message's, and the window still sees it.
    if (message == WM_HELP)
        RunSteps(L"frmAdvanced.sc_GotMessage",
                 {[&] { ReturnValue = Handle_WM_HELP(*this, hWnd, wParam, lParam); }});
}
