// The context help in its process's forms: balloons on the wizard form
// (titles, anchors, F1 held or not), tips on other forms, the help modes,
// WM_HELP's bad records and the help file.
#include "wizard/frame/Errors.h"
#include "wizard/frame/Help.h"
#include "wizard/frame/HelpMode.h"
#include "wizard/frame/HelpViewer.h"
#include "wizard/frame/Program.h"
#include "wizard/frame/SubClass.h"

#include "tests/wizard/FormTestSupport.h"

#include <gtest/gtest.h>

#include <commctrl.h>
#include <htmlhelp.h>

namespace {

const ControlDecl HelpControls[] = {
    {.Name = L"lblName",
     .Kind = ControlKind::Label,
     .Width = 1000,
     .Height = 300,
     .Caption = L"&Name:"},
    {.Name = L"txtName",
     .Kind = ControlKind::TextBox,
     .Left = 1100,
     .Width = 2000,
     .Height = 315,
     .Tag = L"?Type a name",
     .TabIndex = 1},
    {.Name = L"cmdGo",
     .Kind = ControlKind::CommandButton,
     .Left = 1100,
     .Top = 900,
     .Width = 1200,
     .Height = 375,
     .Caption = L"&Go",
     .Tag = L"?Starts it",
     .TabIndex = 2},
    {.Name = L"txtTip",
     .Kind = ControlKind::TextBox,
     .Width = 15,
     .Height = 15,
     .TabIndex = 3,
     .Flags = CtlNoTabStop},
    {.Name = L"picContextHelp",
     .Kind = ControlKind::PictureBox,
     .Width = 15,
     .Height = 15,
     .Flags = CtlHidden},
};

FormDecl HelpForm(const wchar_t* name) {
    return {.Name = name,
            .Caption = L"Help",
            .ScaleWidth = 4800,
            .ScaleHeight = 2400,
            .Style = WS_POPUP | WS_CLIPCHILDREN,
            .ExStyle = FixedDialogExStyle | WS_EX_CONTEXTHELP};
}
const FormDecl WizardDecl = HelpForm(L"frmWizard");
const FormDecl OtherDecl = HelpForm(L"frmOther");

// A form passing WM_HELP to the help, as the creator's forms do.
class frmOther : public Form {
  public:
    explicit frmOther(const FormDecl& decl = OtherDecl) : Form(decl, HelpControls) {
        sc.GotMessage = [this](HWND& w, UINT& m, WPARAM& wp, LPARAM& lp, bool&, LRESULT& rv) {
            if (m == WM_HELP) {
                ++helps;
                lastItem =
                    lp ? static_cast<HWND>(reinterpret_cast<HELPINFO*>(lp)->hItemHandle) : nullptr;
                rv = Handle_WM_HELP(*this, w, wp, lp);
            }
        };
    }
    int helps = 0;
    HWND lastItem = nullptr;

  protected:
    void Form_Load() override { sc.SubClass(hWnd()); }

  private:
    SubClasser sc;
};

// The wizard: the form with the help members.
class frmHelp : public frmOther, public WizardHelpMembers {
  public:
    frmHelp() : frmOther(WizardDecl) {
        (*this)(L"txtTip").LostFocus = [this] { ToolTip.Enable(true); };
    }
    Control& picContextHelp() override { return (*this)(L"picContextHelp"); }
    Control& txtTip() override { return (*this)(L"txtTip"); }

  protected:
    void Form_Load() override {
        ToolTip.Init(this, nullptr, TTS_ALWAYSTIP | TTS_BALLOON, 0);
        frmOther::Form_Load();
    }
};

UINT_PTR BalloonTool() {
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    SendMessageW(HelpBalloon(), TTM_ENUMTOOLSW, 0, reinterpret_cast<LPARAM>(&tool));
    return tool.uId;
}

void SendHelp(Form& f, HWND item) {
    HELPINFO info{};
    info.cbSize = sizeof info;
    info.iContextType = HELPINFO_WINDOW;
    info.hItemHandle = item;
    SendMessageW(f.hWnd(), WM_HELP, 0, reinterpret_cast<LPARAM>(&info));
}

void ShowInFront(Form& f) {
    f.Show();
    SetForegroundWindow(f.hWnd());
}

} // namespace

TEST(Help, WizardBalloonsTitlesAndAnchors) {
    frmHelp f;
    ShowInFront(f);
    Control& name = f(L"txtName");
    Control& go = f(L"cmdGo");
    // Not from the keyboard: at the cursor, on txtTip, titled by the label before the text box.
    POINT cursor{40, 40};
    ClientToScreen(f.hWnd(), &cursor);
    SetCursorPos(cursor.x, cursor.y);
    go.SetFocus();
    SendHelp(f, name.hWnd());
    ASSERT_NE(HelpBalloon(), nullptr);
    EXPECT_EQ(LastHelpBalloon().Title, L"Name");
    EXPECT_EQ(LastHelpBalloon().Text, L"Type a name.");
    EXPECT_EQ(LastHelpBalloon().Icon, 1);
    EXPECT_EQ(BalloonTool(), reinterpret_cast<UINT_PTR>(f.txtTip().hWnd()));
    RECT tip{};
    GetWindowRect(f.txtTip().hWnd(), &tip);
    EXPECT_EQ(tip.left, cursor.x);
    EXPECT_EQ(tip.top, cursor.y);
    EXPECT_EQ(GetFocus(), f.txtTip().hWnd()); // the balloon's edit takes the focus
    HideHelpTip();
    EXPECT_EQ(HelpBalloon(), nullptr);
    EXPECT_EQ(GetFocus(), go.hWnd()); // given back

    // F1 held down: on the button's centre, 10 pixels above its bottom.
    keybd_event(VK_F1, 0, 0, 0);
    PumpEvents(100);
    ASSERT_NE(HelpBalloon(), nullptr);
    EXPECT_EQ(LastHelpBalloon().Title, L"Go");
    RECT button{};
    GetWindowRect(go.hWnd(), &button);
    GetWindowRect(f.txtTip().hWnd(), &tip);
    EXPECT_NEAR(tip.left, (button.left + button.right) / 2.0, 1.0);
    EXPECT_EQ(tip.top, button.bottom - ScalePixelsY(10));
    keybd_event(VK_F1, 0, KEYEVENTF_KEYUP, 0);
    PumpEvents(50);
    EXPECT_NE(HelpBalloon(), nullptr); // the key going up leaves it
    HideHelpTip();

    // A quick tap handled after the key-up still counts as the keyboard: on
    // a text box the balloon goes on the text box itself.
    name.SetFocus();
    keybd_event(VK_F1, 0, 0, 0);
    keybd_event(VK_F1, 0, KEYEVENTF_KEYUP, 0);
    PumpEvents(100);
    EXPECT_EQ(f.lastItem, name.hWnd());
    ASSERT_NE(HelpBalloon(), nullptr);
    EXPECT_EQ(BalloonTool(), reinterpret_cast<UINT_PTR>(name.hWnd()));
    PostMessageW(name.hWnd(), WM_KEYDOWN, 'A', 0); // a key ends it
    PumpEvents(50);
    EXPECT_EQ(HelpBalloon(), nullptr);
    f.Unload();
}

TEST(Help, OtherFormsShowATipUnderTheControlThatGoesWithThePointer) {
    frmOther f;
    ShowInFront(f);
    Control& go = f(L"cmdGo");
    RECT button{};
    GetWindowRect(go.hWnd(), &button);
    SetCursorPos((button.left + button.right) / 2, (button.top + button.bottom) / 2);
    go.SetFocus();
    keybd_event(VK_F1, 0, 0, 0);
    keybd_event(VK_F1, 0, KEYEVENTF_KEYUP, 0);
    PumpEvents(100);
    const HWND tip = TipWindow();
    ASSERT_NE(tip, nullptr);
    EXPECT_EQ(HelpBalloon(), nullptr);
    RECT r{};
    GetWindowRect(tip, &r);
    EXPECT_EQ(r.top, button.bottom + ScalePixelsY(10) - 1); // under the control
    POINT c;
    GetCursorPos(&c);
    SetCursorPos(c.x + ScalePixelsX(60), c.y);
    PumpEvents(300);
    EXPECT_EQ(TipWindow(), nullptr);

    // Bad records show nothing and read no further than they say.
    EXPECT_EQ(Handle_WM_HELP(f, f.hWnd(), 0, 0), 0);
    HELPINFO menu{};
    menu.cbSize = sizeof menu;
    menu.iContextType = HELPINFO_MENUITEM;
    menu.hItemHandle = go.hWnd();
    Handle_WM_HELP(f, f.hWnd(), 0, reinterpret_cast<LPARAM>(&menu));
    struct {
        UINT cbSize = 8;
        int iContextType = HELPINFO_WINDOW;
    } shortRecord;
    Handle_WM_HELP(f, f.hWnd(), 0, reinterpret_cast<LPARAM>(&shortRecord));
    EXPECT_EQ(TipWindow(), nullptr);
    f.Unload();
}

TEST(Help, HelpModesEndOnAClickEscOrALostCapture) {
    frmOther other;
    ShowInFront(other);
    Control& go = other(L"cmdGo");
    SendMessageW(other.hWnd(), WM_SYSCOMMAND, SC_CONTEXTHELP, 0);
    EXPECT_TRUE(HelpModeActive());
    EXPECT_EQ(GetCapture(), other.hWnd());
    const RECT r = go.PixelRect();
    SendMessageW(other.hWnd(), WM_LBUTTONDOWN, MK_LBUTTON,
                 MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2));
    EXPECT_FALSE(HelpModeActive());
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(other.lastItem, go.hWnd()); // WM_HELP for the child under the press
    EXPECT_NE(TipWindow(), nullptr);
    DestroyTip(0);

    SendMessageW(other.hWnd(), WM_SYSCOMMAND, SC_CONTEXTHELP, 0);
    PostMessageW(go.hWnd(), WM_KEYDOWN, VK_ESCAPE, 0);
    PumpEvents(50);
    EXPECT_FALSE(HelpModeActive());
    EXPECT_EQ(GetCapture(), nullptr);
    other.Unload();

    frmHelp wizard;
    ShowInFront(wizard);
    bool proceed = true;
    Handle_WM_SYSCOMMAND(wizard, wizard.hWnd(), SC_CONTEXTHELP | 2, 0, proceed);
    EXPECT_FALSE(proceed);
    EXPECT_TRUE(wizard.ContextHelp);
    EXPECT_EQ(GetCapture(), wizard.picContextHelp().hWnd());
    ReleaseCapture(); // as the platform may take it
    EXPECT_FALSE(wizard.ContextHelp);
    EXPECT_FALSE(HelpModeActive());
    proceed = true;
    Handle_WM_SYSCOMMAND(wizard, wizard.hWnd(), SC_MINIMIZE, 0, proceed);
    EXPECT_TRUE(proceed);
    EXPECT_FALSE(wizard.ContextHelp);
    wizard.Unload();
}

namespace {
std::wstring viewedFile;
UINT viewedCommand = 0;
HWND WINAPI RecordViewer(HWND, const wchar_t* file, UINT command, DWORD_PTR) {
    viewedFile = file;
    viewedCommand = command;
    return nullptr;
}
} // namespace

TEST(Help, TableOfContentsReportsAMissingHelpFile) {
    const auto viewer = HtmlHelpViewer;
    HtmlHelpViewer = RecordViewer;
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    HelpFile = std::wstring(temp) + L"qv-missing\\quorvel.chm";
    std::wstring where;
    int number = 0;
    std::wstring text;
    {
        ScopedErrorReporter reporter([&](std::wstring& location, const CreatorError& error) {
            where = location;
            number = error.Number();
            text = error.Description();
            return AnswerIgnore;
        });
        ShowHelpTOC(nullptr, L"/howto/index.html");
    }
    EXPECT_EQ(number, 53);
    EXPECT_EQ(text, L"File not found: " + HelpFile);
    EXPECT_NE(where.find(L"ShowHelpTOC"), std::wstring::npos);
    EXPECT_TRUE(viewedFile.empty()); // the viewer is not asked to show nothing

    HelpFile = std::wstring(temp) + L"qv-help-é.chm"; // a non-ANSI name works
    UniqueFile file(
        CreateFileW(HelpFile.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    file.reset();
    ShowHelpTOC(nullptr, L"/howto/index.html");
    EXPECT_EQ(viewedFile, HelpFile + L"::/howto/index.html");
    EXPECT_EQ(viewedCommand, static_cast<UINT>(HH_DISPLAY_TOC));
    ShowHelpTOC(nullptr, L"");
    EXPECT_EQ(viewedFile, HelpFile);
    DeleteFileW(HelpFile.c_str());
    HtmlHelpViewer = viewer;
}
