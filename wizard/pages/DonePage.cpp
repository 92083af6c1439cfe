// The last page's links (install and test, run the installer), the Save
// page's Browse and installer options, and the travel buttons' place in
// the header.
#include "core/CreatorText.h"
#include "core/TravelPlacement.h"
#include "wizard/frame/CommonDialog.h"
#include "wizard/frame/Cursor.h"
#include "wizard/frame/Errors.h"
#include "wizard/frame/Installer.h"
#include "wizard/frame/MessagePump.h"
#include "wizard/frame/Program.h"
#include "wizard/pages/frmAdvanced.h"
#include "wizard/pages/frmWizard.h"

#include <shellapi.h>

decltype(&CreateProcessW) PanelStarter = CreateProcessW;

void frmWizard::WireDone() {
    cmdTest.Click = [this] { cmdTest_Click(); };
    cmdTestInstaller.Click = [this] { cmdTestInstaller_Click(); };
    cmdSaveAs.Click = [this] { cmdSaveAs_Click(); };
    cmdInstaller.Click = [this] { cmdInstaller_Click(); };
    Nav.AdjustSize = [this] { Nav_AdjustSize(); };
}

void frmWizard::cmdTest_Click() {
    RunSteps(L"frmWizard.cmdTest_Click", {[&] {
                 // The display panel installs the saver and previews it; the
                 // path goes unquoted, as the entry takes the rest of the line.
                 // The system folder's copy: a program of that name beside
                 // the creator or in the working folder must not run.
                 std::wstring system(MAX_PATH, L'\0');
                 const UINT n = GetSystemDirectoryW(system.data(), MAX_PATH);
                 if (n == 0 || n >= MAX_PATH)
                     RaiseLastError();
                 system.resize(n);
                 const std::wstring program = CatStr(system, L"rundll32.exe", L"\\");
                 std::wstring line = L"\"" + program + L"\" desk.cpl,InstallScreenSaver " + ScrFile;
                 STARTUPINFOW start{};
                 start.cb = sizeof start;
                 start.dwFlags = STARTF_USESHOWWINDOW;
                 start.wShowWindow = SW_SHOWNORMAL;
                 PROCESS_INFORMATION info{};
                 if (!PanelStarter(program.c_str(), line.data(), nullptr, nullptr, FALSE, 0,
                                   nullptr, nullptr, &start, &info))
                     RaiseLastError();
                 const UniqueKernel process(info.hProcess), thread(info.hThread);
             }});
}

void frmWizard::cmdTestInstaller_Click() {
    std::wstring path, failure;
    {
        clsCursor busy;
        busy.HoldInput(*this); // a second click meanwhile would start a second installer
        busy.PreviousCursor = 1;
        SetScreenMousePointer(13);
        DoEvents();
        Sleep(500);
        DoEvents();
        const InstallerOptions& o = CurrentInstallerOptions();
        path = CatStr(o.OutDir, o.OutFile + L".exe", L"\\");
        SetLastError(0);
        const auto result = reinterpret_cast<INT_PTR>(
            ShellExecuteW(hWnd(), nullptr, path.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
        if (result <= 32) {
            DWORD code = GetLastError();
            if (!code)
                code = static_cast<DWORD>(result);
            failure = Win32Error(code).Description();
        }
    }
    // A failed build leaves no installer: say so rather than do nothing.
    if (!failure.empty()) {
        const std::wstring text =
            L"The installer could not be started:\r\n\r\n" + path + L"\r\n" + failure;
        MessageBoxW(hWnd(), text.c_str(), AppTitle.c_str(), MB_ICONEXCLAMATION);
    }
}

void frmWizard::cmdSaveAs_Click() {
    Control& saveAs = txtSaveAs;
    std::wstring file = saveAs.Text();
    if (ShowFileDialog(false, 0x82002, file, hWnd(), L"Save Screensaver as...", L".",
                       L"Screensavers (*.scr)|*.scr|All Files (*.*)|*.*", 0, L"SCR")) {
        saveAs.SetText(file);
        ProposedSaveAs.clear(); // confirmed in the dialog, which asked about replacing
    }
}

void frmWizard::cmdInstaller_Click() {
    if (chkInstaller.Value() != 1)
        return;
    frmAdvanced options(txtURL);
    options.Load();
    options.LoadSettings();
    options.Show(true, this);
}

void frmWizard::Nav_AdjustSize() {
    const HWND header = picHeader.hWnd();
    if (!header)
        return;
    RECT client{};
    GetClientRect(header, &client);
    const TravelPlacement p = PlaceTravelButtons(Nav.ImgSize, Glass, client.bottom);
    Control& nav = *Nav.Extender();
    nav.Move(PixelsToTwipsX(p.Left), PixelsToTwipsY(p.Top), PixelsToTwipsX(p.Width),
             PixelsToTwipsY(p.Height));
    nav.SetVisible(p.Visible);
    lblTitle_Change();
}
