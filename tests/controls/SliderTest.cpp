#include "wizard/controls/SliderControl.h"

#include "tests/controls/ControlTestSupport.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <vector>

namespace {

const ControlDecl SliderControls[] = {
    {.Name = L"cmdFirst",
     .Kind = ControlKind::CommandButton,
     .Left = 120,
     .Top = 120,
     .Width = 1200,
     .Height = 375,
     .Caption = L"First",
     .TabIndex = 0},
    {.Name = L"scrScale",
     .Kind = ControlKind::Custom,
     .Left = 120,
     .Top = 600,
     .Width = 4000,
     .Height = 600,
     .TabIndex = 1,
     .Factory = MakeDrawn<SliderControl>},
};
const FormDecl SliderForm = {.Name = L"frmSlider",
                             .Caption = L"Slider",
                             .ScaleWidth = 4800,
                             .ScaleHeight = 1500,
                             .Style = WS_POPUP | WS_CLIPCHILDREN};

struct frmSlider : Form {
    frmSlider()
        : Form(SliderForm, SliderControls), scrScale((*this)(L"scrScale").As<SliderControl>()) {
        scrScale.Changed = [this](bool scroll) { events.push_back(scroll); };
    }
    SliderControl& scrScale;
    std::vector<bool> events;
};

} // namespace

TEST(Slider, TrackbarFillsTheControlWithItsRangeAndReportsEveryChange) {
    for (const Setting& s : Settings()) {
        SCOPED_TRACE(s.Name());
        AtSetting at(s);
        frmSlider f;
        ShowInactive(f);
        const HWND host = f(L"scrScale").hWnd();
        const HWND bar = f.scrScale.hWndCtl();
        EXPECT_EQ(ClassOf(host), L"QuorvelSliderControl");
        ASSERT_NE(bar, nullptr);
        EXPECT_EQ(GetParent(bar), host);
        EXPECT_EQ(static_cast<DWORD>(GetWindowLongPtrW(bar, GWL_STYLE)) & 0xFFFF00FFu, 0x50000001u);
        EXPECT_EQ(SendMessageW(bar, TBM_GETRANGEMIN, 0, 0), 1);
        EXPECT_EQ(SendMessageW(bar, TBM_GETRANGEMAX, 0, 0), 300);
        EXPECT_EQ(SendMessageW(bar, TBM_GETNUMTICS, 0, 0), 16); // 1, 21, ..., 281 and the ends

        // Value let: Changed(False) before it returns; limits are the bar's.
        f.scrScale.SetValue(100);
        EXPECT_EQ(f.scrScale.Value(), 100);
        EXPECT_EQ(f.events, std::vector<bool>{false});
        f.scrScale.SetValue(500);
        EXPECT_EQ(f.scrScale.Value(), 300);
        f.scrScale.SetValue(-4);
        EXPECT_EQ(f.scrScale.Value(), 1);

        // Re-entered from Changed: the snap to 100 holds.
        f.events.clear();
        f.scrScale.Changed = [&f](bool scroll) {
            f.events.push_back(scroll);
            const int v = f.scrScale.Value();
            if (v != 100 && v > 95 && v < 105)
                f.scrScale.SetValue(100);
        };
        f.scrScale.SetValue(103);
        EXPECT_EQ(f.scrScale.Value(), 100);
        EXPECT_EQ(f.events, (std::vector<bool>{false, false}));

        // Dragging reports Scroll True, the closing notices False.
        f.scrScale.Changed = [&f](bool scroll) { f.events.push_back(scroll); };
        f.events.clear();
        SendMessageW(host, WM_HSCROLL, MAKEWPARAM(TB_THUMBTRACK, 120),
                     reinterpret_cast<LPARAM>(bar));
        SendMessageW(host, WM_HSCROLL, MAKEWPARAM(TB_THUMBPOSITION, 120),
                     reinterpret_cast<LPARAM>(bar));
        SendMessageW(host, WM_HSCROLL, MAKEWPARAM(TB_ENDTRACK, 0), reinterpret_cast<LPARAM>(bar));
        EXPECT_EQ(f.events, (std::vector<bool>{true, false, false}));

        // A key works the trackbar: each of its notices says False.
        f.events.clear();
        SendMessageW(bar, WM_KEYDOWN, VK_RIGHT, 0);
        EXPECT_EQ(f.scrScale.Value(), 101);
        ASSERT_FALSE(f.events.empty());
        for (bool scroll : f.events)
            EXPECT_FALSE(scroll);

        // The trackbar stands on the container's colour.
        f.BackColor = RGB(10, 200, 30);
        InvalidateRect(bar, nullptr, TRUE);
        const Pixels p = Capture(bar);
        EXPECT_EQ(AsColour(p.At(1, 1)), RGB(10, 200, 30));

        // Resizing fills the control again.
        f(L"scrScale").Move(120, 600, 3000, 450);
        RECT client{}, barRect{};
        GetClientRect(host, &client);
        GetWindowRect(bar, &barRect);
        EXPECT_EQ(barRect.right - barRect.left, client.right);
        EXPECT_EQ(barRect.bottom - barRect.top, client.bottom);
        f.Unload();
    }
}

TEST(Slider, TheFocusGoesToTheTrackbarAndADisabledRecordDisablesIt) {
    frmSlider f;
    f.Load();
    ShowWindow(f.hWnd(), SW_SHOW);
    SetForegroundWindow(f.hWnd());
    const HWND host = f(L"scrScale").hWnd();
    const HWND bar = f.scrScale.hWndCtl();
    SetFocus(f(L"cmdFirst").hWnd());
    // Tab from the button reaches the slider, whose trackbar takes the focus.
    MSG tab{f(L"cmdFirst").hWnd(), WM_KEYDOWN, VK_TAB, 0, 0, {}};
    FormDialogMessage(tab);
    EXPECT_EQ(GetFocus(), bar);
    SetFocus(host);
    EXPECT_EQ(GetFocus(), bar);
    EXPECT_EQ(f.ActiveControl(), &f(L"scrScale"));

    f(L"scrScale").SetEnabled(false);
    EXPECT_FALSE(IsWindowEnabled(bar));
    f.events.clear();
    f(L"scrScale").SetEnabled(true);
    EXPECT_TRUE(IsWindowEnabled(bar));
    EXPECT_TRUE(f.events.empty());
    f.Unload();
}
