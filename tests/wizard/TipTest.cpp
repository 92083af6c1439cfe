// The tip window in its own process's forms: size, wrap, placement, area,
// timers, Persistant, same text, owner not in front, ownership, pixels.
#include "wizard/frame/Program.h"
#include "wizard/frame/Tip.h"

#include "tests/wizard/FormTestSupport.h"

#include <gtest/gtest.h>

namespace {

const ControlDecl TipControls[] = {
    {.Name = L"cmdTarget",
     .Kind = ControlKind::CommandButton,
     .Left = 1440,
     .Top = 720,
     .Width = 1440,
     .Height = 375,
     .Caption = L"Target"},
};
const FormDecl TipForm = {.Name = L"frmTip",
                          .Caption = L"Tip",
                          .ScaleWidth = 5760,
                          .ScaleHeight = 2880,
                          .Style = WS_POPUP | WS_CLIPCHILDREN};

struct frmTip : Form {
    frmTip() : Form(TipForm, TipControls) {}
};

int fadesOut = 0;
BOOL WINAPI NoAnimation(HWND window, DWORD, DWORD flags) {
    if (flags & AW_HIDE) {
        ++fadesOut;
        DestroyTip(200); // as a timer running during a long fade would
    }
    ShowWindow(window, (flags & AW_HIDE) ? SW_HIDE : SW_SHOWNOACTIVATE);
    return TRUE;
}

RECT WindowRect(HWND w) {
    RECT r{};
    GetWindowRect(w, &r);
    return r;
}

class Tips : public ::testing::Test {
  protected:
    void SetUp() override {
        AppTitle = L"Quorvel Screensaver Creator";
        AnimateTipWindow = NoAnimation;
        form.Show();
        SetForegroundWindow(form.hWnd());
        target = form(L"cmdTarget").hWnd();
        const RECT t = WindowRect(target);
        SetCursorPos((t.left + t.right) / 2, (t.top + t.bottom) / 2);
    }
    void TearDown() override {
        DestroyTip(0);
        form.Unload();
    }
    frmTip form;
    HWND target = nullptr;
};

} // namespace

TEST_F(Tips, SizedToItsTextAndPlacedUnderTheTarget) {
    clsTip tip;
    tip.ShowTip(form.hWnd(), target, L"Short text", false, false);
    const HWND w = TipWindow();
    ASSERT_NE(w, nullptr);
    wchar_t cls[80] = {};
    GetClassNameW(w, cls, 80);
    EXPECT_STREQ(cls, L"Quorvel Screensaver Creator_tipwnd");
    EXPECT_EQ(GetWindowLongPtrW(w, GWL_EXSTYLE) & 0x88, 0x88);
    EXPECT_EQ(GetWindow(w, GW_OWNER), form.hWnd());
    const RECT r = WindowRect(w), t = WindowRect(target);
    {
        WindowDC dc(w);
        SelectGuard font(dc.get(), GetStockObject(DEFAULT_GUI_FONT));
        RECT m{1, 1, 0, 0};
        DrawTextW(dc.get(), L"Short text", -1, &m, DT_CALCRECT | DT_NOPREFIX);
        EXPECT_EQ(r.right - r.left, m.right - m.left + 4);
        EXPECT_EQ(r.bottom - r.top, m.bottom - m.top + 4);
    }
    EXPECT_NEAR((r.left + r.right) / 2.0, (t.left + t.right) / 2.0, 1.0);
    // The measured rectangle starts at (1, 1) and grows by 2: one pixel up and left.
    EXPECT_EQ(r.top, t.bottom + ScalePixelsY(10) - 1);
    // The area is the 80-pixel square round the cursor.
    POINT c;
    GetCursorPos(&c);
    EXPECT_EQ(TipArea().left, c.x - ScalePixelsX(40));
    EXPECT_EQ(TipArea().bottom, c.y + ScalePixelsY(40));
    // The same text again changes nothing, even for another target.
    tip.ShowTip(form.hWnd(), form.hWnd(), L"Short text", true, false);
    EXPECT_EQ(TipWindow(), w);
    EXPECT_EQ(WindowRect(w).top, r.top);
    // A new text without Fade keeps the window but measures and places it again.
    const std::wstring longer(120, L'W');
    tip.ShowTip(form.hWnd(), target, L"Wide " + longer, false, false);
    EXPECT_EQ(TipWindow(), w);
    EXPECT_GT(WindowRect(w).bottom - WindowRect(w).top, r.bottom - r.top); // wrapped
}

TEST_F(Tips, LongTextWrapsAndMouseTipsSitAtThePointer) {
    clsTip tip;
    const std::wstring text = L"A long help text that goes on and on well beyond two hundred and "
                              L"fifty pixels so that it has to wrap onto further lines.";
    tip.ShowTip(form.hWnd(), target, text, true, false);
    ASSERT_NE(TipWindow(), nullptr);
    const RECT r = WindowRect(TipWindow());
    EXPECT_LE(r.right - r.left, ScalePixelsX(229) + 4);
    EXPECT_GT(r.right - r.left, ScalePixelsX(150));
    EXPECT_GT(r.bottom - r.top, 30);
    POINT c;
    GetCursorPos(&c);
    EXPECT_EQ(r.left, c.x - ScalePixelsX(10) - 1);
    EXPECT_EQ(r.top, c.y + ScalePixelsY(25) - 1);
    RECT area = WindowRect(target);
    InflateRect(&area, ScalePixelsX(5), ScalePixelsY(5));
    const RECT tipArea = TipArea();
    EXPECT_TRUE(EqualRect(&area, &tipArea));
}

TEST_F(Tips, LeavingTheAreaTimeOutAndPersistant) {
    clsTip tip;
    tip.ShowTip(form.hWnd(), target, L"Area", false, false);
    POINT c;
    GetCursorPos(&c);
    SetCursorPos(c.x + 30, c.y); // still inside the square
    PumpEvents(250);
    EXPECT_NE(TipWindow(), nullptr);
    SetCursorPos(c.x + 60, c.y);
    PumpEvents(250);
    EXPECT_EQ(TipWindow(), nullptr);
    SetCursorPos(c.x, c.y);

    tip.Persistant = true;
    tip.TimeOut = 1;
    tip.ShowTip(form.hWnd(), target, L"Persistant", false, false);
    EXPECT_FALSE(tip.Persistant); // reset when the tip is made
    EXPECT_EQ(tip.TimeOut, 0);
    SetCursorPos(c.x + 200, c.y);
    PumpEvents(500);
    EXPECT_NE(TipWindow(), nullptr); // stays although the pointer left
    PumpEvents(800);
    EXPECT_EQ(TipWindow(), nullptr); // the one-second time-out

    tip.TimeOut = -1;
    SetCursorPos(c.x, c.y);
    tip.ShowTip(form.hWnd(), target, L"No time-out", false, false);
    SetCursorPos(c.x + 200, c.y); // not persistant any more: leaving ends it
    PumpEvents(250);
    EXPECT_EQ(TipWindow(), nullptr);
}

TEST_F(Tips, OwnerNotInFrontAndOwnershipRules) {
    frmTip other;
    ShowInactive(other);
    clsTip tip;
    tip.ShowTip(other.hWnd(), target, L"Behind", false, false);
    EXPECT_EQ(TipWindow(), nullptr);
    {
        clsTip bystander;
        tip.ShowTip(form.hWnd(), target, L"Mine", false, true);
        ASSERT_NE(TipWindow(), nullptr);
    } // another object ends: the tip stays
    EXPECT_NE(TipWindow(), nullptr);
    {
        clsTip owner;
        owner.ShowTip(form.hWnd(), target, L"Taken over", false, true);
        EXPECT_NE(TipWindow(), nullptr);
    } // its owner ends: the tip goes
    EXPECT_EQ(TipWindow(), nullptr);
    tip.HideTip(true); // nothing there: nothing happens
    other.Unload();
}

TEST_F(Tips, PaintsTheTextInTheInfoColoursWithABorder) {
    clsTip tip;
    tip.ShowTip(form.hWnd(), target, L"Colours", false, false);
    const HWND w = TipWindow();
    ASSERT_NE(w, nullptr);
    RECT client{};
    GetClientRect(w, &client);
    UniqueDC memory(CreateCompatibleDC(nullptr));
    WindowDC screen(nullptr);
    UniqueBitmap bitmap(CreateCompatibleBitmap(screen.get(), client.right, client.bottom));
    SelectGuard selected(memory.get(), bitmap.get());
    SendMessageW(w, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory.get()), PRF_CLIENT);
    EXPECT_EQ(GetPixel(memory.get(), 0, 0), GetSysColor(COLOR_INFOBK));
    int ink = 0;
    for (int y = 0; y < client.bottom; ++y)
        for (int x = 0; x < client.right; ++x)
            ink += GetPixel(memory.get(), x, y) == GetSysColor(COLOR_INFOTEXT);
    EXPECT_GT(ink, 10);
    EXPECT_TRUE(GetWindowLongPtrW(w, GWL_STYLE) & WS_BORDER);
    EXPECT_EQ(SendMessageW(w, WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(form.hWnd()), 0),
              MA_NOACTIVATE);
}

TEST_F(Tips, ExplicitNegativePositionsAndAReenteredFadeOut) {
    clsTip tip;
    // A negative position is a real one (a monitor left of the primary);
    // the tip then stays inside its monitor's work area.
    tip.ShowTip(form.hWnd(), target, L"Left", true, false, -300, 40);
    ASSERT_NE(TipWindow(), nullptr);
    MONITORINFO monitor{sizeof monitor};
    GetMonitorInfoW(MonitorFromWindow(TipWindow(), MONITOR_DEFAULTTONEAREST), &monitor);
    EXPECT_EQ(WindowRect(TipWindow()).left, monitor.rcWork.left);
    EXPECT_EQ(WindowRect(TipWindow()).top, 40 - 1);
    DestroyTip(0);
    fadesOut = 0;
    tip.ShowTip(form.hWnd(), target, L"Fading", false, true);
    ASSERT_NE(TipWindow(), nullptr);
    tip.HideTip(false); // the fade-out lets a nested DestroyTip run
    EXPECT_EQ(fadesOut, 1);
    EXPECT_EQ(TipWindow(), nullptr);
    WNDCLASSEXW wc{sizeof wc};
    EXPECT_FALSE(GetClassInfoExW(GetModuleHandleW(nullptr), TipClassName().c_str(), &wc));
}
