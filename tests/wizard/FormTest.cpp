#include "wizard/frame/Form.h"

#include "core/CreatorError.h"

#include "tests/wizard/FormTestSupport.h"

#include <gtest/gtest.h>

#include <commctrl.h>

namespace {

const ControlDecl TestControls[] = {
    {.Name = L"lblBig",
     .Kind = ControlKind::Label,
     .Left = 120,
     .Top = 120,
     .Width = 2880,
     .Height = 600,
     .Caption = L"MMMM",
     .FontSize = 20},
    {.Name = L"txtName",
     .Kind = ControlKind::TextBox,
     .Left = 1440,
     .Top = 1440,
     .Width = 2880,
     .Height = 315,
     .Caption = L"hello",
     .TabIndex = 2},
    {.Name = L"cmdOK",
     .Kind = ControlKind::CommandButton,
     .Left = 120,
     .Top = 2400,
     .Width = 1200,
     .Height = 375,
     .Caption = L"OK",
     .TabIndex = 4,
     .Flags = CtlDefault},
    {.Name = L"cmdCancel",
     .Kind = ControlKind::CommandButton,
     .Left = 1440,
     .Top = 2400,
     .Width = 1200,
     .Height = 375,
     .Caption = L"Cancel",
     .TabIndex = 3,
     .Flags = CtlCancel},
    {.Name = L"fraBox",
     .Kind = ControlKind::Frame,
     .Left = 4500,
     .Top = 120,
     .Width = 2400,
     .Height = 1800,
     .Caption = L"Box",
     .TabIndex = 1},
    {.Name = L"chkOpt",
     .Index = 0,
     .Kind = ControlKind::CheckBox,
     .Container = L"fraBox",
     .Left = 120,
     .Top = 360,
     .Width = 2000,
     .Height = 300,
     .Caption = L"One",
     .TabIndex = 5},
    {.Name = L"chkOpt",
     .Index = 1,
     .Kind = ControlKind::CheckBox,
     .Container = L"fraBox",
     .Left = 120,
     .Top = 720,
     .Width = 2000,
     .Height = 300,
     .Caption = L"Two",
     .TabIndex = 6},
    {.Name = L"tmrTick", .Kind = ControlKind::Timer, .Flags = CtlDisabled, .Interval = 10},
};

const FormDecl TestForm = {.Name = L"frmTest",
                           .Caption = L"Form test",
                           .ScaleWidth = 7200,
                           .ScaleHeight = 3600,
                           .Tag = L"a tag",
                           // No caption: Wine then does not wait for a window
                           // manager each time a window goes.
                           .Style = WS_POPUP | WS_CLIPCHILDREN,
                           .ExStyle = FixedDialogExStyle};

class frmTest : public Form {
  public:
    frmTest() : Form(TestForm, TestControls) {
        (*this)(L"cmdOK").Click = [this] { ++okClicks; };
        (*this)(L"cmdCancel").Click = [this] { ++cancelClicks; };
        (*this)(L"txtName").Change = [this] { ++changes; };
        for (int i = 0; i < 2; ++i)
            (*this)(L"chkOpt", i).Click = [this, i] { lastOption = i; };
        (*this)(L"tmrTick").Timer = [this] {
            ++ticks;
            if (hideOnTick)
                Hide();
        };
    }
    int okClicks = 0, cancelClicks = 0, changes = 0, lastOption = -1, ticks = 0, loads = 0;
    bool hideOnTick = false, refuseUnload = false;
    int resizes = 0, resizesBeforeLoad = -1;
    bool controlsThere = false;

  protected:
    void Form_Load() override {
        ++loads;
        resizesBeforeLoad = resizes;
    }
    void Form_Resize() override {
        ++resizes;
        controlsThere = (*this)(L"txtName").hWnd() != nullptr;
    }

    void Form_QueryUnload(bool& Cancel, int) override { Cancel = refuseUnload; }
};

int InkPixels(HWND window, RECT r) {
    UpdateWindow(window);
    WindowDC dc(window);
    int ink = 0;
    for (int y = r.top; y < r.bottom; y += 2)
        for (int x = r.left; x < r.right; x += 2)
            if (GetPixel(dc.get(), x, y) != GetSysColor(COLOR_BTNFACE))
                ++ink;
    return ink;
}

} // namespace

TEST(Form, TableOrderLookupAndWindows) {
    frmTest f;
    ASSERT_EQ(f.Controls().size(), 8u);
    EXPECT_EQ(f.Controls()[5]->Name, L"chkOpt");
    EXPECT_EQ(f.Controls()[5]->Index, 0);
    EXPECT_EQ(&f(L"chkOpt", 1), f.Controls()[6].get());
    EXPECT_EQ(f.Find(L"chkOpt"), nullptr); // elements of an array need their index
    EXPECT_THROW(f(L"cmdMissing"), CreatorError);
    EXPECT_EQ(f(L"chkOpt", 0).Container, &f(L"fraBox"));
    EXPECT_FALSE(f.Loaded());
    f.Load();
    EXPECT_EQ(f.loads, 1);
    EXPECT_EQ(f.resizesBeforeLoad, 0); // no Resize before Load
    EXPECT_GE(f.resizes, 1);
    EXPECT_TRUE(f.controlsThere);
    EXPECT_TRUE(f.Loaded());
    EXPECT_EQ(f(L"lblBig").hWnd(), nullptr);
    EXPECT_EQ(f(L"tmrTick").hWnd(), nullptr);
    ASSERT_NE(f(L"txtName").hWnd(), nullptr);
    EXPECT_EQ(f.FindByHwnd(f(L"txtName").hWnd()), &f(L"txtName"));
    EXPECT_EQ(GetParent(f(L"chkOpt", 1).hWnd()), f(L"fraBox").hWnd());
    EXPECT_EQ(f(L"txtName").Text(), L"hello");
    EXPECT_EQ(f.Tag, L"a tag");
    EXPECT_EQ(LoadedForms().back(), &f);
    f.Unload();
    EXPECT_FALSE(f.Loaded());
    EXPECT_EQ(f(L"txtName").hWnd(), nullptr);
    EXPECT_TRUE(LoadedForms().empty());
}

TEST(Form, TwipsBecomePixelsAtTheScreensResolution) {
    frmTest f;
    f.Load();
    RECT client{};
    GetClientRect(f.hWnd(), &client);
    EXPECT_EQ(client.right, TwipsToPixelsX(7200));
    EXPECT_EQ(client.bottom, TwipsToPixelsY(3600));
    EXPECT_EQ(TwipsToPixelsX(1440), ScreenDpiX()); // one inch
    RECT r{};
    GetWindowRect(f(L"txtName").hWnd(), &r);
    MapWindowPoints(nullptr, f.hWnd(), reinterpret_cast<POINT*>(&r), 2);
    EXPECT_EQ(r.left, ScreenDpiX());
    EXPECT_EQ(r.top, ScreenDpiY());
    EXPECT_EQ(r.right - r.left, 2 * ScreenDpiX());
    EXPECT_NEAR(f.ScaleWidth(), 7200, 1440.0 / ScreenDpiX());
}

TEST(Form, LabelsArePaintedByTheirContainer) {
    frmTest f;
    ShowInactive(f);
    Control& label = f(L"lblBig");
    const RECT r = label.PixelRect();
    EXPECT_GT(InkPixels(f.hWnd(), r), 20);
    label.SetVisible(false);
    EXPECT_EQ(InkPixels(f.hWnd(), r), 0);
    label.SetVisible(true);
    label.SetCaption(L"");
    EXPECT_EQ(InkPixels(f.hWnd(), r), 0);
    f.Unload();
}

TEST(Form, EventsReachTheirHandlers) {
    frmTest f;
    ShowInactive(f);
    SendMessageW(f(L"cmdOK").hWnd(), BM_CLICK, 0, 0);
    EXPECT_EQ(f.okClicks, 1);
    // Inside a frame: the click still reaches the form's handler.
    SendMessageW(f(L"chkOpt", 1).hWnd(), BM_CLICK, 0, 0);
    EXPECT_EQ(f.lastOption, 1);
    EXPECT_EQ(f(L"chkOpt", 1).Value(), 1);
    f(L"chkOpt", 0).SetValue(1); // a changed value clicks, as the toolkit does
    EXPECT_EQ(f.lastOption, 0);
    f.lastOption = -1;
    f(L"chkOpt", 0).SetValue(1);
    EXPECT_EQ(f.lastOption, -1);
    const int before = f.changes;
    f(L"txtName").SetText(L"changed");
    EXPECT_EQ(f.changes, before + 1);
    f.Unload();
}

TEST(Form, EnterAndEscPressTheDefaultAndCancelButtons) {
    frmTest f;
    f.Show();
    SetForegroundWindow(f.hWnd());
    f(L"txtName").SetFocus();
    for (WPARAM key : {WPARAM{VK_RETURN}, WPARAM{VK_ESCAPE}}) {
        PostMessageW(f(L"txtName").hWnd(), WM_KEYDOWN, key, 0);
        DoEvents();
    }
    EXPECT_EQ(f.okClicks, 1);
    EXPECT_EQ(f.cancelClicks, 1);
    f.Unload();
}

TEST(Form, TabFollowsTabIndex) {
    frmTest f;
    ShowInactive(f);
    const HWND first = GetNextDlgTabItem(f.hWnd(), nullptr, FALSE);
    EXPECT_EQ(first, f(L"chkOpt", 0).hWnd()); // inside fraBox (TabIndex 1)
    EXPECT_EQ(GetNextDlgTabItem(f.hWnd(), f(L"chkOpt", 1).hWnd(), FALSE), f(L"txtName").hWnd());
    EXPECT_EQ(GetNextDlgTabItem(f.hWnd(), f(L"txtName").hWnd(), FALSE), f(L"cmdCancel").hWnd());
    EXPECT_EQ(GetNextDlgTabItem(f.hWnd(), f(L"cmdCancel").hWnd(), FALSE), f(L"cmdOK").hWnd());
    f(L"cmdOK").TabIndex = 0;
    f.ApplyTabOrder();
    EXPECT_EQ(GetNextDlgTabItem(f.hWnd(), nullptr, FALSE), f(L"cmdOK").hWnd());
    f.Unload();
}

TEST(Form, ModalShowReturnsWhenHiddenAndOtherFormsComeBack) {
    frmTest owner, dialog;
    owner.Show();
    dialog.hideOnTick = true;
    dialog.Load();
    dialog(L"tmrTick").SetEnabled(true);
    bool ownerDisabledDuring = false;
    owner(L"tmrTick").Timer = [&] { ownerDisabledDuring = !IsWindowEnabled(owner.hWnd()); };
    owner(L"tmrTick").SetEnabled(true);
    dialog.Show(true, &owner);
    EXPECT_GE(dialog.ticks, 1);
    EXPECT_FALSE(dialog.Visible());
    EXPECT_TRUE(dialog.Loaded());
    EXPECT_TRUE(IsWindowEnabled(owner.hWnd()));
    EXPECT_EQ(GetWindow(dialog.hWnd(), GW_OWNER), owner.hWnd());
    owner(L"tmrTick").SetEnabled(false);
    dialog.Unload();
    owner.Unload();
}

TEST(Form, UnloadCanBeRefusedAndTheLoopEndsWithTheLastForm) {
    frmTest f;
    ShowInactive(f);
    f.refuseUnload = true;
    EXPECT_FALSE(f.Unload());
    SendMessageW(f.hWnd(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(f.Loaded());
    f.refuseUnload = false;
    PostMessageW(f.hWnd(), WM_CLOSE, 0, 0);
    RunMessageLoop(); // returns once the form is gone
    EXPECT_FALSE(f.Loaded());
    EXPECT_TRUE(LoadedForms().empty());
}

TEST(Form, ScreenPointerIsShownOverForms) {
    frmTest f;
    ShowInactive(f);
    RECT r;
    GetWindowRect(f.hWnd(), &r);
    SetCursorPos((r.left + r.right) / 2, r.top + 4);
    SetScreenMousePointer(11);
    EXPECT_EQ(ScreenMousePointer(), 11);
    SendMessageW(f.hWnd(), WM_SETCURSOR, reinterpret_cast<WPARAM>(f.hWnd()),
                 MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_WAIT));
    SetScreenMousePointer(0);
    f.Unload();
}
