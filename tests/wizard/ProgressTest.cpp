#include "wizard/controls/ProgressBar.h"

#include "tests/wizard/FormTestSupport.h"

#include <gtest/gtest.h>

#include <commctrl.h>

namespace {

const ControlDecl BarControls[] = {
    {.Name = L"ProgBar",
     .Kind = ControlKind::Custom,
     .Left = 120,
     .Top = 120,
     .Width = 4320,
     .Height = 300,
     .Flags = CtlHidden,
     .Factory = MakeDrawn<ProgressBar>},
};
const FormDecl BarForm = {.Name = L"frmBar",
                          .Caption = L"Progress",
                          .ScaleWidth = 4800,
                          .ScaleHeight = 1200,
                          .Style = WS_POPUP | WS_CLIPCHILDREN};

struct frmBar : Form {
    frmBar() : Form(BarForm, BarControls), ProgBar((*this)(L"ProgBar").As<ProgressBar>()) {}
    ProgressBar& ProgBar;
};

int ProgressWindows(HWND host) {
    int n = 0;
    for (HWND c = GetWindow(host, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        wchar_t cls[64] = {};
        GetClassNameW(c, cls, 64);
        n += lstrcmpiW(cls, PROGRESS_CLASSW) == 0;
    }
    return n;
}

// Counts a posted message, to see that SetPos lets pending messages run.
int posted = 0;
LRESULT CALLBACK CountPosted(HWND w, UINT m, WPARAM wp, LPARAM lp) {
    if (m == WM_APP)
        ++posted;
    return DefWindowProcW(w, m, wp, lp);
}

} // namespace

TEST(Progress, InitShowsOneFilledBarAndDestroyHidesIt) {
    frmBar f;
    ShowInactive(f);
    Control& host = f(L"ProgBar");
    EXPECT_FALSE(host.Visible());
    Progress p;
    p.Init(f.ProgBar, 100, 20, 0);
    EXPECT_TRUE(host.Visible());
    ASSERT_NE(f.ProgBar.CtlWnd, nullptr);
    EXPECT_EQ(GetParent(f.ProgBar.CtlWnd), host.hWnd());
    RECT bar{}, client{};
    GetWindowRect(f.ProgBar.CtlWnd, &bar);
    GetClientRect(host.hWnd(), &client);
    EXPECT_EQ(bar.right - bar.left, client.right);
    EXPECT_EQ(bar.bottom - bar.top, client.bottom);
    EXPECT_EQ(SendMessageW(f.ProgBar.CtlWnd, PBM_GETPOS, 0, 0), 20);
    EXPECT_EQ(SendMessageW(f.ProgBar.CtlWnd, PBM_GETRANGE, FALSE, 0), 100);
    p.Max(250);
    p.Pos(240);
    EXPECT_EQ(SendMessageW(f.ProgBar.CtlWnd, PBM_GETRANGE, FALSE, 0), 250);
    EXPECT_EQ(SendMessageW(f.ProgBar.CtlWnd, PBM_GETPOS, 0, 0), 240);
    // A second Init replaces the window: one exists at a time.
    p.Init(f.ProgBar, 100, 0, 0);
    EXPECT_EQ(ProgressWindows(host.hWnd()), 1);
    p.Destroy();
    EXPECT_EQ(f.ProgBar.CtlWnd, nullptr);
    EXPECT_EQ(ProgressWindows(host.hWnd()), 0);
    EXPECT_FALSE(host.Visible());
    p.Pos(50); // no window receives it; nothing fails
    EXPECT_EQ(p.Prog, &f.ProgBar);
    f.Unload();
}

TEST(Progress, UninitialisedDoesNothingAndGoingAwayCleansUp) {
    Progress idle;
    idle.Pos(10);
    idle.Max(10);
    idle.Destroy();
    EXPECT_EQ(idle.Prog, nullptr);

    frmBar f;
    ShowInactive(f);
    {
        Progress p;
        p.Init(f.ProgBar, 100, 0, 0);
        EXPECT_TRUE(f(L"ProgBar").Visible());
    }
    EXPECT_EQ(f.ProgBar.CtlWnd, nullptr);
    EXPECT_EQ(ProgressWindows(f(L"ProgBar").hWnd()), 0);
    EXPECT_FALSE(f(L"ProgBar").Visible());
    f.Unload();
}

TEST(Progress, SetPosPausesAndLetsMessagesThrough) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = CountPosted;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"QvCountPosted";
    RegisterClassW(&wc);
    const HWND sink = CreateWindowW(L"QvCountPosted", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                    GetModuleHandleW(nullptr), nullptr);
    frmBar f;
    ShowInactive(f);
    Progress p;
    p.Init(f.ProgBar, 100, 0, 0);

    posted = 0;
    PostMessageW(sink, WM_APP, 0, 0);
    DWORD start = GetTickCount();
    p.Pos(10);
    EXPECT_EQ(posted, 1);
    EXPECT_LT(GetTickCount() - start, 100u); // Delay 0: no pause

    f.ProgBar.Delay = 150;
    start = GetTickCount();
    p.Pos(20);
    EXPECT_GE(GetTickCount() - start, 140u);

    f.ProgBar.Delay = -200; // random pauses from 0 to 200 ms
    DWORD longest = 0, total = 0;
    for (int i = 0; i < 8; ++i) {
        start = GetTickCount();
        PostMessageW(sink, WM_APP, 0, 0);
        p.Pos(30 + i);
        const DWORD took = GetTickCount() - start;
        longest = std::max(longest, took);
        total += took;
    }
    EXPECT_EQ(posted, 9);
    EXPECT_LE(longest, 260u);
    EXPECT_GT(total, 100u); // eight draws do not all come out near zero
    p.Destroy();
    f.Unload();
    DestroyWindow(sink);
}
