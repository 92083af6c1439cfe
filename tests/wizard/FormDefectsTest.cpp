// Faults the form layer once had, each reproduced through the windows.
#include "wizard/frame/Aero.h"
#include "wizard/frame/Errors.h"
#include "wizard/frame/Form.h"
#include "wizard/frame/SubClass.h"

#include "tests/wizard/FormTestSupport.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <memory>
#include <utility>
#include <vector>

namespace {

const ControlDecl DefectControls[] = {
    {.Name = L"picOptions",
     .Kind = ControlKind::PictureBox,
     .Left = 120,
     .Top = 120,
     .Width = 3000,
     .Height = 1200},
    {.Name = L"optA",
     .Kind = ControlKind::OptionButton,
     .Container = L"picOptions",
     .Top = 0,
     .Width = 2000,
     .Height = 300,
     .Caption = L"A"},
    {.Name = L"optB",
     .Kind = ControlKind::OptionButton,
     .Container = L"picOptions",
     .Top = 400,
     .Width = 2000,
     .Height = 300,
     .Caption = L"B"},
    {.Name = L"optOutside",
     .Kind = ControlKind::OptionButton,
     .Left = 3300,
     .Top = 120,
     .Width = 2000,
     .Height = 300,
     .Caption = L"C"},
    {.Name = L"lblGlass",
     .Kind = ControlKind::Label,
     .Left = 3300,
     .Top = 600,
     .Width = 2000,
     .Height = 300,
     .Caption = L"Glass"},
    {.Name = L"txtName",
     .Kind = ControlKind::TextBox,
     .Left = 120,
     .Top = 1500,
     .Width = 2000,
     .Height = 315,
     .TabIndex = 1},
    {.Name = L"picButtons",
     .Kind = ControlKind::PictureBox,
     .Left = 120,
     .Top = 2000,
     .Width = 3000,
     .Height = 600},
    {.Name = L"cmdOK",
     .Kind = ControlKind::CommandButton,
     .Container = L"picButtons",
     .Width = 1200,
     .Height = 375,
     .Caption = L"OK",
     .TabIndex = 2,
     .Flags = CtlDefault},
    {.Name = L"cmdCancel",
     .Kind = ControlKind::CommandButton,
     .Container = L"picButtons",
     .Left = 1400,
     .Width = 1200,
     .Height = 375,
     .Caption = L"Cancel",
     .TabIndex = 3,
     .Flags = CtlCancel},
};

const FormDecl DefectForm = {.Name = L"frmDefects",
                             .Caption = L"Defects",
                             .ScaleWidth = 6000,
                             .ScaleHeight = 3000,
                             .Style = WS_POPUP | WS_CLIPCHILDREN,
                             .ExStyle = FixedDialogExStyle};

class frmDefects : public Form {
  public:
    frmDefects() : Form(DefectForm, DefectControls) {
        (*this)(L"cmdOK").Click = [this] { ++ok; };
        (*this)(L"cmdCancel").Click = [this] { ++cancel; };
    }
    int ok = 0, cancel = 0;
    bool failResize = false;

  protected:
    void Form_Resize() override {
        if (failResize)
            throw CreatorError(ErrOverflow);
    }
};

// Its Form_Unload asks for the unload again, as a close pumped inside it does.
class frmUnloadedTwice : public frmDefects {
  public:
    int unloads = 0;

  protected:
    void Form_Unload(bool& /*Cancel*/) override {
        if (++unloads == 1) {
            EXPECT_FALSE(Unload());
        }
    }
};

// Presses Enter, then Esc, in the text box.
void PressEnterAndEsc(Form& f) {
    for (WPARAM key : {WPARAM{VK_RETURN}, WPARAM{VK_ESCAPE}}) {
        PostMessageW(f(L"txtName").hWnd(), WM_KEYDOWN, key, 0);
        DoEvents();
    }
}

} // namespace

TEST(FormDefects, CheckingAnOptionUnchecksTheOthersOfItsContainer) {
    frmDefects f;
    ShowInactive(f);
    f(L"optOutside").SetValue(1);
    f(L"optA").SetValue(1);
    f(L"optB").SetValue(1);
    EXPECT_EQ(f(L"optB").Value(), 1);
    EXPECT_EQ(f(L"optA").Value(), 0);
    EXPECT_EQ(f(L"optOutside").Value(), 1); // another container: untouched
    f.Unload();
}

TEST(FormDefects, EnterAndEscSkipHiddenOrDisabledButtons) {
    frmDefects f;
    f.Show();
    SetForegroundWindow(f.hWnd());
    f(L"txtName").SetFocus();
    f(L"cmdOK").SetEnabled(false);
    f(L"cmdCancel").SetVisible(false);
    PressEnterAndEsc(f);
    EXPECT_EQ(f.ok, 0);
    EXPECT_EQ(f.cancel, 0);
    EXPECT_EQ(HIWORD(SendMessageW(f.hWnd(), DM_GETDEFID, 0, 0)), 0);
    // A hidden or disabled container takes its buttons out too.
    f(L"cmdOK").SetEnabled(true);
    f(L"cmdCancel").SetVisible(true);
    f(L"picButtons").SetVisible(false);
    PressEnterAndEsc(f);
    EXPECT_EQ(f.ok + f.cancel, 0);
    EXPECT_EQ(HIWORD(SendMessageW(f.hWnd(), DM_GETDEFID, 0, 0)), 0);
    f(L"picButtons").SetVisible(true);
    f(L"picButtons").SetEnabled(false);
    PressEnterAndEsc(f);
    EXPECT_EQ(f.ok + f.cancel, 0);
    f(L"picButtons").SetEnabled(true);
    f(L"txtName").SetFocus();
    PressEnterAndEsc(f);
    EXPECT_EQ(f.ok, 1);
    EXPECT_EQ(f.cancel, 1);
    EXPECT_EQ(SendMessageW(f.hWnd(), DM_GETDEFID, 0, 0),
              MAKELRESULT(f(L"cmdOK").Id(), DC_HASDEFID));
    f.Unload();
}

TEST(FormDefects, GoingFormRunsNoHandlerOfTheDerivedForm) {
    int lostAfterDeath = 0;
    {
        auto f = std::make_unique<frmDefects>();
        (*f)(L"txtName").LostFocus = [&lostAfterDeath, f = f.get()] {
            if (f->ok < 0) // reads the form: must not run once it is gone
                return;
            ++lostAfterDeath;
        };
        f->Show();
        SetForegroundWindow(f->hWnd());
        (*f)(L"txtName").SetFocus();
        ASSERT_EQ(GetFocus(), (*f)(L"txtName").hWnd());
        lostAfterDeath = 0;
        f.reset(); // destroys the window with the text box focused
    }
    EXPECT_EQ(lostAfterDeath, 0);
}

TEST(FormDefects, AFailingHandlerIsReportedAtItsPlaceAndNeverCrossesTheSystem) {
    std::vector<std::wstring> seen;
    int answer = AnswerRetry;
    ScopedErrorReporter reporter([&](std::wstring& location, const CreatorError& error) {
        seen.push_back(location + L" " + std::to_wstring(error.Number()));
        return std::exchange(answer, AnswerIgnore);
    });
    frmDefects f;
    int clicks = 0;
    f(L"cmdOK").Click = [&] {
        ++clicks;
        throw CreatorError(48, L"Error in loading DLL quorvel.dll");
    };
    SubClasser sc;
    sc.GotMessage = [](HWND&, UINT& message, WPARAM&, LPARAM&, bool&, LRESULT&) {
        if (message == WM_USER)
            throw std::bad_alloc();
    };
    ShowInactive(f);
    ASSERT_TRUE(sc.SubClass(f(L"txtName").hWnd()));
    SendMessageW(f(L"cmdOK").hWnd(), BM_CLICK, 0, 0); // Retry runs it again
    SendMessageW(f(L"txtName").hWnd(), WM_USER, 0, 0);
    f.failResize = true;
    SetWindowPos(f.hWnd(), nullptr, 0, 0, 300, 200, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    f.failResize = false;
    EXPECT_EQ(clicks, 2);
    EXPECT_EQ(seen, (std::vector<std::wstring>{
                        L"frmDefects.cmdOK_Click 48", L"frmDefects.cmdOK_Click 48",
                        L"frmDefects.sc_GotMessage 7", L"frmDefects.Form_Resize 6"}));
    f.Unload();
}

TEST(FormDefects, GlassTextHidesItsLabelOnceAndRepaintsNothingAfter) {
    frmDefects f;
    ShowInactive(f);
    int paints = 0;
    SubClasser sc;
    sc.GotMessage = [&](HWND&, UINT& m, WPARAM&, LPARAM&, bool&, LRESULT&) {
        paints += m == WM_PAINT;
    };
    sc.SubClass(f.hWnd());
    WizardGlass = true;
    Control& label = f(L"lblGlass");
    DrawGlassText(&label, 4, nullptr, L"", nullptr, 0, 7);
    EXPECT_FALSE(label.Visible());
    UpdateWindow(f.hWnd());
    paints = 0;
    // Drawn again (as from the container's paint), it hides nothing and so
    // asks for no new paint.
    DrawGlassText(&label, 4, nullptr, L"", nullptr, 0, 7);
    UpdateWindow(f.hWnd());
    EXPECT_EQ(paints, 0);
    WizardGlass = false;
    f.Unload();
}

TEST(FormDefects, DoubleClickOnAPictureAndUnloadAskedTwice) {
    frmUnloadedTwice f;
    int clicks = 0, doubles = 0;
    f(L"picOptions").Click = [&] { ++clicks; };
    f(L"picOptions").DblClick = [&] { ++doubles; };
    ShowInactive(f);
    // Down, up, the second down and its up: one Click, one DblClick.
    const HWND box = f(L"picOptions").hWnd();
    for (const UINT m : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP})
        SendMessageW(box, m, m == WM_LBUTTONUP ? 0 : MK_LBUTTON, MAKELPARAM(150, 60));
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(doubles, 1);
    EXPECT_TRUE(f.Unload());
    EXPECT_EQ(f.unloads, 1);
    EXPECT_FALSE(f.Loaded());
}
