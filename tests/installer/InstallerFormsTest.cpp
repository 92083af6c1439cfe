// The installer builder on a real progress bar with its message box, and the
// "Installer Options" dialog driven through window messages.
#include "core/Random.h"
#include "tests/installer/InstallerTestSupport.h"
#include "wizard/controls/ProgressBar.h"
#include "wizard/frame/Tip.h"
#include "wizard/pages/frmAdvanced.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <functional>

namespace {

// What the wizard is to these two: a web address and the progress bar.
const ControlDecl HostControls[] = {
    {.Name = L"txtURL",
     .Kind = ControlKind::TextBox,
     .Left = 120,
     .Top = 120,
     .Width = 3360,
     .Height = 300},
    {.Name = L"ProgBar",
     .Kind = ControlKind::Custom,
     .Left = 120,
     .Top = 600,
     .Width = 3360,
     .Height = 240,
     .TabIndex = 1,
     .Flags = CtlHidden | CtlNoTabStop,
     .Factory = MakeDrawn<ProgressBar>},
};
const FormDecl HostForm = {.Name = L"frmWizard",
                           .Caption = L"Host",
                           .ScaleWidth = 3600,
                           .ScaleHeight = 1080,
                           .Style = FixedDialogStyle,
                           .ExStyle = FixedDialogExStyle};

class frmHost : public Form {
  public:
    frmHost() : Form(HostForm, HostControls), ProgBar((*this)(L"ProgBar").As<ProgressBar>()) {}
    ProgressBar& ProgBar;
};

// Runs `work` from a thread timer, which fires inside the modal loops and
// the message processing of the code under test.
class TimerHook {
  public:
    TimerHook(UINT ms, std::function<void()> work) {
        Work() = std::move(work);
        id_ = SetTimer(nullptr, 0, ms, Fire);
    }
    TimerHook(const TimerHook&) = delete;
    TimerHook& operator=(const TimerHook&) = delete;
    ~TimerHook() {
        KillTimer(nullptr, id_);
        Work() = nullptr;
    }

  private:
    static void CALLBACK Fire(HWND, UINT, UINT_PTR, DWORD) {
        if (Work())
            Work()();
    }
    static std::function<void()>& Work() {
        static std::function<void()> work;
        return work;
    }
    UINT_PTR id_;
};

BOOL CALLBACK TakeVisibleDialog(HWND w, LPARAM found) {
    wchar_t cls[16] = {};
    GetClassNameW(w, cls, 16);
    if (std::wstring(cls) == L"#32770" && IsWindowVisible(w)) {
        *reinterpret_cast<HWND*>(found) = w;
        return FALSE;
    }
    return TRUE;
}

// The message box this thread shows, if any.
HWND FindThreadDialog() {
    HWND found = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), TakeVisibleDialog, reinterpret_cast<LPARAM>(&found));
    return found;
}

std::wstring WindowText(HWND w) {
    wchar_t text[512] = {};
    GetWindowTextW(w, text, 512);
    return text;
}

void Click(Form& form, const wchar_t* name) {
    SendMessageW(form(name).hWnd(), BM_CLICK, 0, 0);
}

bool Checked(Form& form, const wchar_t* name) {
    return SendMessageW(form(name).hWnd(), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

bool VisibleStyle(HWND window) {
    return (GetWindowLongW(window, GWL_STYLE) & WS_VISIBLE) != 0;
}

bool WindowEnabled(Form& form, const wchar_t* name) {
    return IsWindowEnabled(form(name).hWnd()) != FALSE;
}

class InstallerForms : public ::testing::Test {
  protected:
    void SetUp() override {
        saved_ = CurrentInstallerOptions();
        // Loaded but not shown: hiding a shown window costs seconds under
        // Wine without a window manager, and nothing here needs the host seen.
        host_.Load();
    }
    void TearDown() override {
        CurrentInstallerOptions() = saved_;
        host_.Unload();
        for (const std::wstring& report : reported_)
            ADD_FAILURE() << "error reported: " << Narrow(report);
    }
    // A failing handler would otherwise wait for an answer in a box.
    std::vector<std::wstring> reported_;
    ScopedErrorReporter quiet_{[this](std::wstring& location, const CreatorError& e) {
        reported_.push_back(location + L": " + e.Description());
        return AnswerAbort;
    }};
    frmHost host_;
    InstallerOptions saved_;
};

} // namespace

TEST_F(InstallerForms, BuildShowsProgressAndLeavesTheScript) {
    TempFolder compiler, out;
    InstallStandIn(compiler, true);
    InstallerOptions& o = CurrentInstallerOptions();
    o = SampleOptionsIn(out);

    // The bar while the compiler runs, as a timer sees it between steps.
    int samples = 0, highest = -1, range = 0;
    bool shown = false;
    TimerHook watch(1, [&] {
        if (HWND bar = host_.ProgBar.CtlWnd) {
            ++samples;
            shown = VisibleStyle(host_(L"ProgBar").hWnd());
            highest = std::max(highest, static_cast<int>(SendMessageW(bar, PBM_GETPOS, 0, 0)));
            range = static_cast<int>(SendMessageW(bar, PBM_GETRANGE, FALSE, 0));
        }
    });
    SeedRand(4321);
    const std::wstring appId = AppIdText(Rand() / (RandMax + 1.0));
    SeedRand(4321);
    EXPECT_TRUE(BuildInstallerWith(host_.ProgBar, Wide(compiler.Path(""))));

    auto received = ReceivedScript(out.Path("Blue Fish-setup.iss"));
    ASSERT_GT(received.size(), 8u);
    EXPECT_EQ(received[7], "AppID=" + Narrow(appId) + "\r");
    EXPECT_TRUE(FileExistsA(out.Path("Blue Fish-setup.exe")));
    // The bar is gone and its control hidden again.
    EXPECT_EQ(host_.ProgBar.CtlWnd, nullptr);
    EXPECT_FALSE(VisibleStyle(host_(L"ProgBar").hWnd()));
    // The compiler's steps are 5 ms apart, so the 1 ms timer saw the bar.
    EXPECT_GE(samples, 3);
    EXPECT_TRUE(shown);
    EXPECT_EQ(range, 100);
    EXPECT_GE(highest, 50);
}

TEST_F(InstallerForms, CompilerErrorsInAMessageBox) {
    TempFolder compiler, out;
    InstallStandIn(compiler, false);
    InstallerOptions& o = CurrentInstallerOptions();
    o = SampleOptionsIn(out);
    o.About = L"#error First";
    o.WebSite = L"#error Second";

    std::wstring title, text;
    TimerHook answer(20, [&] {
        if (HWND box = FindThreadDialog()) {
            title = WindowText(box);
            text = Wide(MessageBoxText(box));
            PostMessageW(box, WM_COMMAND, IDOK, 0);
        }
    });
    EXPECT_FALSE(BuildInstallerWith(host_.ProgBar, Wide(compiler.Path(""))));
    EXPECT_EQ(title, L"Quorvel Screensaver");
    EXPECT_EQ(text, L"There was a problem creating the installer:\r\n\r\n"
                    L"Error: First[:4]Error: Second[:5]Error: Second[:6]Error: Second[:7]"
                    L"Error: Couldn't open the messages file[" +
                        Wide(compiler.Path("Default.isl")) + L":22]");
    EXPECT_EQ(host_.ProgBar.CtlWnd, nullptr);
}

TEST_F(InstallerForms, MissingCompilerIsRaisedToTheCaller) {
    CurrentInstallerOptions() = SampleOptions();
    // No "inno" folder beside the test program.
    ASSERT_FALSE(FileExistsA(TestDir() + "inno\\ISCmplr.dll"));
    EXPECT_EQ(InstallerCompilerDir(), Wide(TestDir()) + L"inno\\");
    try {
        BuildInstaller(host_.ProgBar);
        FAIL() << "no error raised";
    } catch (const CreatorError& e) {
        EXPECT_EQ(e.Number(), static_cast<int32_t>(ERROR_MOD_NOT_FOUND));
        EXPECT_NE(e.Description().find(L"inno\\ISCmplr.dll"), std::wstring::npos);
    }
    EXPECT_EQ(host_.ProgBar.CtlWnd, nullptr);
    EXPECT_FALSE(VisibleStyle(host_(L"ProgBar").hWnd()));
}

TEST_F(InstallerForms, OptionsDialogShowsTheOptions) {
    host_(L"txtURL").SetText(L"http://fish.example/");
    InstallerOptions& o = CurrentInstallerOptions();
    o.Active = true;
    o.Logon = false;
    o.StartMenu = true;
    o.Uninstall = false;
    o.SysDir = true;
    o.WebLink = true;
    frmAdvanced dialog(host_(L"txtURL"));
    dialog.Load();
    dialog.LoadSettings();
    EXPECT_EQ(dialog.Caption(), L"Installer Options");
    EXPECT_TRUE(Checked(dialog, L"chkActive"));
    EXPECT_FALSE(Checked(dialog, L"chkLogon"));
    EXPECT_TRUE(Checked(dialog, L"chkStartMenu"));
    EXPECT_FALSE(Checked(dialog, L"chkUninstall"));
    EXPECT_TRUE(Checked(dialog, L"chkSysDir"));
    EXPECT_TRUE(Checked(dialog, L"chkWebLink"));
    EXPECT_TRUE(WindowEnabled(dialog, L"chkWebLink"));
    EXPECT_EQ(WindowText(dialog(L"chkSysDir").hWnd()), L"Install in System32 folder");
    EXPECT_EQ(WindowText(dialog(L"fraInstall").hWnd()), L"Install as the...");

    // Every box goes the other way, through clicks.
    for (const wchar_t* box : {L"chkActive", L"chkLogon", L"chkUninstall", L"chkSysDir"})
        Click(dialog, box);
    Click(dialog, L"cmdOK");
    EXPECT_FALSE(o.Active);
    EXPECT_TRUE(o.Logon);
    EXPECT_TRUE(o.Uninstall);
    EXPECT_FALSE(o.SysDir);
    EXPECT_TRUE(o.StartMenu);
    EXPECT_TRUE(o.WebLink);
    EXPECT_FALSE(dialog.Loaded()); // OK unloads it
}

TEST_F(InstallerForms, WebLinkNeedsStartMenuAndAnAddress) {
    InstallerOptions& o = CurrentInstallerOptions();
    o.StartMenu = true;
    o.WebLink = true;
    frmAdvanced dialog(host_(L"txtURL"));
    dialog.Load();

    // A blank address: disabled and unchecked, whatever WebLink holds.
    host_(L"txtURL").SetText(L"   ");
    dialog.LoadSettings();
    EXPECT_FALSE(WindowEnabled(dialog, L"chkWebLink"));
    EXPECT_FALSE(Checked(dialog, L"chkWebLink"));
    EXPECT_TRUE(o.WebLink); // untouched until OK

    // With an address it is offered; unticking Start Menu disables it but
    // keeps its check mark, which OK then stores.
    host_(L"txtURL").SetText(L"http://fish.example/");
    dialog.LoadSettings();
    EXPECT_TRUE(WindowEnabled(dialog, L"chkWebLink"));
    EXPECT_TRUE(Checked(dialog, L"chkWebLink"));
    Click(dialog, L"chkStartMenu");
    EXPECT_FALSE(WindowEnabled(dialog, L"chkWebLink"));
    EXPECT_TRUE(Checked(dialog, L"chkWebLink"));
    Click(dialog, L"chkStartMenu");
    EXPECT_TRUE(WindowEnabled(dialog, L"chkWebLink"));
    Click(dialog, L"chkStartMenu");
    Click(dialog, L"cmdOK");
    EXPECT_FALSE(o.StartMenu);
    EXPECT_TRUE(o.WebLink);
}

TEST_F(InstallerForms, CancelKeepsTheOptions) {
    host_(L"txtURL").SetText(L"http://fish.example/");
    InstallerOptions& o = CurrentInstallerOptions();
    o = SampleOptions(); // StartMenu, Uninstall and Active on
    const InstallerOptions before = o;
    frmAdvanced dialog(host_(L"txtURL"));

    // The wizard's way: load, LoadSettings, show modally; the user unticks
    // two boxes and cancels.
    TimerHook user(20, [&] {
        if (dialog.Visible()) {
            Click(dialog, L"chkActive");
            Click(dialog, L"chkUninstall");
            Click(dialog, L"cmdCancel");
        }
    });
    dialog.Load();
    dialog.LoadSettings();
    dialog.Show(true, &host_);
    EXPECT_TRUE(dialog.Loaded()); // hidden, not unloaded
    EXPECT_FALSE(dialog.Visible());
    EXPECT_EQ(o.Active, before.Active);
    EXPECT_EQ(o.Uninstall, before.Uninstall);
    EXPECT_EQ(o.StartMenu, before.StartMenu);

    // Shown again, it has the stored values back.
    dialog.LoadSettings();
    EXPECT_TRUE(Checked(dialog, L"chkActive"));
    EXPECT_TRUE(Checked(dialog, L"chkUninstall"));
}

TEST_F(InstallerForms, HelpRequestsShowTheControlsHelpInATip) {
    frmAdvanced dialog(host_(L"txtURL"));
    dialog.Show();
    SetForegroundWindow(dialog.hWnd());
    dialog(L"chkSysDir").Tag = L"?Puts the screensaver in the system folder";
    HELPINFO info{};
    info.cbSize = sizeof info;
    info.iContextType = HELPINFO_WINDOW;
    info.hItemHandle = dialog(L"chkSysDir").hWnd();
    EXPECT_EQ(SendMessageW(dialog.hWnd(), WM_HELP, 0, reinterpret_cast<LPARAM>(&info)), 0);
    ASSERT_NE(TipWindow(), nullptr); // not the wizard: the tip window
    EXPECT_EQ(GetWindow(TipWindow(), GW_OWNER), dialog.hWnd());
    DestroyTip(0);
    info.hItemHandle = dialog(L"chkLogon").hWnd(); // no help text: nothing
    SendMessageW(dialog.hWnd(), WM_HELP, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(TipWindow(), nullptr);
    dialog.Unload();
}

TEST_F(InstallerForms, DialogTakesTheSystemFont) {
    frmAdvanced dialog(host_(L"txtURL"));
    dialog.Load();
    LOGFONTW system{};
    GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof system, &system);
    EXPECT_EQ(dialog(L"chkActive").Font().Name, std::wstring(system.lfFaceName).substr(0, 15));
    EXPECT_EQ(dialog(L"cmdOK").Font().Name, dialog(L"chkActive").Font().Name);
}
