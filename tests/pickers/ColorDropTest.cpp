// The colour picker and its palette pop-up at Windows levels 1, 2 and 4:
// swatches read back through WM_PRINTCLIENT, choices by messages and by a
// real mouse, the colour kept while the pop-up is hidden and the form
// reloaded, and a cancelled "More colors..." changing nothing.
#include "common/Handles.h"
#include "core/ColorPalette.h"
#include "tests/pickers/PickerForm.h"
#include "tests/wizard/FormTestSupport.h"

#include "wizard/controls/ToolbarLook.h"
#include "wizard/frame/MessagePump.h"
#include "wizard/frame/Program.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <cmath>
#include <string>
#include <vector>

namespace {

// What the colour dialog answers in these tests.
bool dialogConfirms = false;
COLORREF dialogColour = 0;
int dialogCalls = 0;
bool FakeColorDialog(DWORD flags, COLORREF& colour) {
    ++dialogCalls;
    EXPECT_EQ(flags, 0x103u);
    if (dialogConfirms)
        colour = dialogColour;
    return dialogConfirms;
}

class ColorDropAt : public ::testing::TestWithParam<int> {
  protected:
    void SetUp() override {
        OsLevel = GetParam();
        AppTitle = L"Quorvel Screensaver Creator";
        ClassicToolbarOnly = true;
        frmColorDropdown::ColorDialog = FakeColorDialog;
        dialogCalls = 0;
        f.clrBackground.Changed = [this](COLORREF c) {
            events.push_back(L"Changed " + std::to_wstring(c));
        };
        f.clrBackground.Dropped = [this](bool down) {
            events.push_back(down ? L"Dropped True" : L"Dropped False");
        };
        ShowInactive(f);
    }
    void TearDown() override {
        f.Unload();
        ClassicToolbarOnly = false;
    }
    frmColorDropdown& Pop() { return f.clrBackground.Popup(); }
    // A press and a release on the pop-up at a cell's swatch.
    void ClickCell(int index, int dx = 5) {
        const PaletteEntry& e = Pop().Entries()[static_cast<size_t>(index)];
        const LPARAM at = MAKELPARAM(e.X + dx, e.Y + 5);
        SendMessageW(Pop().hWnd(), WM_LBUTTONDOWN, MK_LBUTTON, at);
        SendMessageW(Pop().hWnd(), WM_LBUTTONUP, 0, at);
    }
    // The swatch in the combo's field, as printed.
    void ExpectSwatch(COLORREF colour) {
        COMBOBOXINFO info{};
        info.cbSize = sizeof info;
        ASSERT_TRUE(SendMessageW(f.clrBackground.ComboWnd(), CB_GETCOMBOBOXINFO, 0,
                                 reinterpret_cast<LPARAM>(&info)));
        const RECT& field = info.rcItem;
        const Printed p(f.clrBackground.hWnd());
        const int midY = (field.top + field.bottom) / 2;
        EXPECT_EQ(p.At((field.left + field.right) / 2, midY), colour);
        // The owner-drawn item may lie a pixel inside the field.
        const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW);
        EXPECT_TRUE(p.At(field.left, midY) == shadow || p.At(field.left + 1, midY) == shadow);
        EXPECT_TRUE(p.At(field.right - 1, midY) == shadow || p.At(field.right - 2, midY) == shadow);
    }
    frmPickers f;
    std::vector<std::wstring> events;
};

bool ListShows(ColorDrop& drop) {
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    GetComboBoxInfo(drop.ComboWnd(), &info);
    return info.hwndList && IsWindowVisible(info.hwndList);
}

} // namespace

TEST_P(ColorDropAt, ComboPopupShadowAndTips) {
    ColorDrop& drop = f.clrBackground;
    wchar_t cls[64] = {};
    GetClassNameW(drop.hWnd(), cls, 64);
    EXPECT_STREQ(cls, L"QuorvelColorDrop");
    const DWORD style = static_cast<DWORD>(GetWindowLongPtrW(drop.ComboWnd(), GWL_STYLE));
    EXPECT_EQ(style & 0xFFFF0FFF, GetParam() >= 3 ? 0x50000403u : 0x50000413u) << std::hex << style;
    EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageW(drop.hWnd(), WM_GETFONT, 0, 0)),
              f(L"clrBackground").FontHandle());
    RECT r{};
    GetWindowRect(Pop().hWnd(), &r);
    EXPECT_EQ(r.right - r.left, 160);
    EXPECT_EQ(r.bottom - r.top, TwipsToPixelsY(2025));
    EXPECT_TRUE(GetWindowLongPtrW(Pop().hWnd(), GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_FALSE(GetWindowLongPtrW(Pop().hWnd(), GWL_STYLE) & WS_CAPTION);
    // The shadow window: its own class with the drop-shadow style.
    ASSERT_NE(Pop().ShadowWnd(), nullptr);
    GetClassNameW(Pop().ShadowWnd(), cls, 64);
    EXPECT_STREQ(cls, L"Quorvel Screensaver Creator_shadow");
    EXPECT_TRUE(GetClassLongPtrW(Pop().ShadowWnd(), GCL_STYLE) & CS_DROPSHADOW);
    EXPECT_FALSE(IsWindowVisible(Pop().ShadowWnd()));
    // A tooltip for every cell, always shown.
    ASSERT_NE(Pop().TipWnd(), nullptr);
    EXPECT_EQ(SendMessageW(Pop().TipWnd(), TTM_GETTOOLCOUNT, 0, 0), 41);
    EXPECT_TRUE(GetWindowLongPtrW(Pop().TipWnd(), GWL_STYLE) & TTS_ALWAYSTIP);

    // Opening twice raises Dropped once, and places the pop-up under the field.
    drop.SetDown(true);
    drop.SetDown(true);
    EXPECT_EQ(events, std::vector<std::wstring>{L"Dropped True"});
    RECT combo{}, popup{}, shadow{};
    GetWindowRect(drop.ComboWnd(), &combo);
    GetWindowRect(Pop().hWnd(), &popup);
    GetWindowRect(Pop().ShadowWnd(), &shadow);
    EXPECT_EQ(popup.left, combo.left);
    EXPECT_EQ(popup.top, combo.bottom);
    EXPECT_TRUE(IsWindowVisible(Pop().hWnd()));
    EXPECT_TRUE(IsWindowVisible(Pop().ShadowWnd()));
    EXPECT_TRUE(EqualRect(&popup, &shadow));
    EXPECT_FALSE(ListShows(drop));
    drop.SetDown(false);
    EXPECT_FALSE(IsWindowVisible(Pop().hWnd()));
    EXPECT_FALSE(IsWindowVisible(Pop().ShadowWnd()));
    EXPECT_EQ(events.back(), L"Dropped False");
    // No room under the field: the pop-up opens above it.
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(f.hWnd(), MONITOR_DEFAULTTONEAREST), &monitor);
    RECT form{};
    GetWindowRect(f.hWnd(), &form);
    SetWindowPos(f.hWnd(), nullptr, form.left, monitor.rcWork.bottom - (form.bottom - form.top), 0,
                 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    drop.SetDown(true);
    GetWindowRect(drop.ComboWnd(), &combo);
    GetWindowRect(Pop().hWnd(), &popup);
    EXPECT_EQ(popup.bottom, combo.top);
    drop.SetDown(false);
    // The record disabled by the form disables the combo box.
    f(L"clrBackground").SetEnabled(false);
    EXPECT_FALSE(IsWindowEnabled(drop.ComboWnd()));
    f(L"clrBackground").SetEnabled(true);
    EXPECT_TRUE(IsWindowEnabled(drop.ComboWnd()));
}

// "More colors..." is as tall as a line of the picker's text, which grows
// with the resolution: at 100, 150 and 200 % it still lies inside the
// pop-up, in the system's dialog font and in a 9-point one.
TEST(ColorPalette, MoreColorsLiesInsideAt96And144And192Dpi) {
    LOGFONTW system{};
    ASSERT_TRUE(GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof system, &system));
    const PaletteEntry more = BuildPalette().back();
    for (const int dpi : {96, 144, 192}) {
        for (const double points : {std::fabs(system.lfHeight * 72.0 / ScreenDpiY()), 9.0}) {
            LOGFONTW lf = system;
            lf.lfHeight = -static_cast<LONG>(std::lround(points * dpi / 72));
            const UniqueFont font(CreateFontIndirectW(&lf));
            const WindowDC screen(nullptr);
            const SelectGuard selected(screen.get(), font.get());
            SIZE text{};
            GetTextExtentPoint32W(screen.get(), L"|", 1, &text);
            const CellBox button = CellButton(more, PaletteWidth, text.cy);
            EXPECT_LE(button.Bottom, PaletteHeightAt(dpi)) << dpi << " dpi, " << points << " pt";
        }
    }
}

TEST_P(ColorDropAt, SwatchesOfTheFieldAndOfAllFortyCells) {
    ColorDrop& drop = f.clrBackground;
    drop.SetColor(RGB(128, 128, 128));
    EXPECT_EQ(Pop().SelectedColor, 15); // "Gray-50%"
    EXPECT_EQ(drop.Color(), RGB(128, 128, 128));
    ExpectSwatch(RGB(128, 128, 128));
    drop.SetColor(RGB(1, 2, 3));
    EXPECT_EQ(Pop().SelectedColor, 40); // the custom colour
    EXPECT_EQ(drop.Color(), RGB(1, 2, 3));
    ExpectSwatch(RGB(1, 2, 3));

    drop.SetDown(true);
    const Printed p(Pop().hWnd());
    const auto& entries = Pop().Entries();
    for (int i = 0; i < 40; ++i) {
        const PaletteEntry& e = entries[static_cast<size_t>(i)];
        EXPECT_EQ(p.At(e.X + 5, e.Y + 5), e.Colour) << i;
        EXPECT_EQ(p.At(e.X + 1, e.Y + 10), e.Colour) << i; // the fill's corner
        EXPECT_EQ(p.At(e.X, e.Y), GetSysColor(COLOR_BTNSHADOW)) << i;
        EXPECT_EQ(p.At(e.X + 11, e.Y + 11), GetSysColor(COLOR_BTNSHADOW)) << i;
        EXPECT_EQ(p.At(e.X + 12, e.Y + 5), GetSysColor(COLOR_MENU)) << i;
    }
    // The custom swatch, and the checked "More colors..." button on the
    // highlight colour; a border in the shadow colour.
    bool custom = false;
    for (int y = 102; y < 130 && !custom; ++y)
        custom = p.At(24, y) == RGB(1, 2, 3);
    EXPECT_TRUE(custom);
    EXPECT_EQ(p.At(60, 104), GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(p.At(0, 0), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(p.At(159, 134), GetSysColor(COLOR_BTNSHADOW));
    drop.SetDown(false);
}

TEST_P(ColorDropAt, ChoosingDraggingAndCancellingMoreColors) {
    ColorDrop& drop = f.clrBackground;
    drop.SetColor(RGB(255, 0, 0)); // "Red", 16
    drop.SetDown(true);
    events.clear();
    // A press selects at once; dragging shows the held cell in the field.
    const PaletteEntry& black = Pop().Entries()[0];
    const PaletteEntry& blue = Pop().Entries()[13];
    SendMessageW(Pop().hWnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(black.X + 5, black.Y + 5));
    EXPECT_EQ(Pop().SelectedColor, 0);
    SendMessageW(Pop().hWnd(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(blue.X + 5, blue.Y + 5));
    EXPECT_EQ(drop.Color(), RGB(0, 0, 255));
    ExpectSwatch(RGB(0, 0, 255));
    SendMessageW(Pop().hWnd(), WM_LBUTTONUP, 0, MAKELPARAM(blue.X + 5, blue.Y + 5));
    EXPECT_EQ(events, (std::vector<std::wstring>{L"Changed " + std::to_wstring(RGB(0, 0, 255)),
                                                 L"Dropped False"}));
    EXPECT_FALSE(drop.Down());
    ExpectSwatch(RGB(0, 0, 255));

    // "More colors..." cancelled: the selection from before comes back and
    // nothing is raised but the closing.
    drop.SetDown(true);
    events.clear();
    dialogConfirms = false;
    ClickCell(40, 60);
    EXPECT_EQ(dialogCalls, 1);
    EXPECT_EQ(events, std::vector<std::wstring>{L"Dropped False"});
    EXPECT_EQ(Pop().SelectedColor, 13);
    EXPECT_EQ(drop.Color(), RGB(0, 0, 255));
    // Confirmed: the custom colour is chosen.
    drop.SetDown(true);
    events.clear();
    dialogConfirms = true;
    dialogColour = RGB(10, 20, 30);
    ClickCell(40, 60);
    EXPECT_EQ(events, (std::vector<std::wstring>{L"Changed " + std::to_wstring(RGB(10, 20, 30)),
                                                 L"Dropped False"}));
    EXPECT_EQ(Pop().SelectedColor, 40);
    EXPECT_EQ(drop.Color(), RGB(10, 20, 30));
    // A release off the cells chooses nothing; losing the mouse closes.
    drop.SetDown(true);
    SetCapture(Pop().hWnd());
    events.clear();
    SendMessageW(Pop().hWnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(-50, -50));
    SendMessageW(Pop().hWnd(), WM_LBUTTONUP, 0, MAKELPARAM(-50, -50));
    EXPECT_EQ(events, std::vector<std::wstring>{L"Dropped False"});
    EXPECT_EQ(drop.Color(), RGB(10, 20, 30));
    // A cell held down is not chosen: Esc, Enter or the mouse lost before
    // the release close with the colour as it was.
    const PaletteEntry& lime = Pop().Entries()[18];
    for (const WPARAM closer : {VK_ESCAPE, VK_RETURN, 0}) {
        drop.SetDown(true);
        SetCapture(Pop().hWnd());
        events.clear();
        SendMessageW(Pop().hWnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(lime.X + 5, lime.Y + 5));
        if (closer)
            SendMessageW(drop.hWnd(), WM_KEYDOWN, closer, 0);
        else
            ReleaseCapture();
        EXPECT_EQ(events, std::vector<std::wstring>{L"Dropped False"}) << closer;
        EXPECT_EQ(drop.Color(), RGB(10, 20, 30)) << closer;
        ExpectSwatch(RGB(10, 20, 30));
    }
    // A press off the cells dragged to "More colors..." and cancelled: the
    // selection shown before comes back.
    ClickCell(0);
    drop.SetDown(true);
    dialogConfirms = false;
    const PaletteEntry& more = Pop().Entries()[40];
    SendMessageW(Pop().hWnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(-50, -50));
    SendMessageW(Pop().hWnd(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(more.X + 60, more.Y + 5));
    SendMessageW(Pop().hWnd(), WM_LBUTTONUP, 0, MAKELPARAM(more.X + 60, more.Y + 5));
    EXPECT_EQ(Pop().SelectedColor, 0);
    EXPECT_EQ(drop.Color(), RGB(0, 0, 0));
}

TEST_P(ColorDropAt, ColourKeptWhileHiddenAndOverAReload) {
    ColorDrop& drop = f.clrBackground;
    drop.SetColor(RGB(7, 8, 9));
    f(L"clrBackground").SetVisible(false);
    PumpEvents(20);
    f(L"clrBackground").SetVisible(true);
    EXPECT_EQ(drop.Color(), RGB(7, 8, 9));
    drop.SetColor(RGB(0, 128, 0)); // a palette colour; the custom one stays
    f.Unload();
    f.Load();
    ShowWindow(f.hWnd(), SW_SHOWNA);
    EXPECT_EQ(drop.Color(), RGB(0, 128, 0));
    EXPECT_EQ(Pop().Entries().back().Colour, RGB(7, 8, 9));
    ExpectSwatch(RGB(0, 128, 0));
}

// Open with a click, choose with a click, and open again with one click:
// Wine's own list must not keep the combo dropped.
TEST_P(ColorDropAt, OpenChooseAndOpenAgainWithOneClick) {
    ColorDrop& drop = f.clrBackground;
    drop.SetColor(RGB(255, 0, 0));
    f.Show(); // real input goes to the active window
    // In a corner, away from where other programs' windows come up.
    SetWindowPos(f.hWnd(), HWND_TOPMOST, 30, 30, 0, 0, SWP_NOSIZE);
    PumpEvents(100);
    RECT combo{};
    GetClientRect(drop.ComboWnd(), &combo);
    const POINT field = ScreenPoint(drop.ComboWnd(), combo.right / 2, combo.bottom / 2);
    events.clear();
    const auto popupHasMouse = [&] { return GetCapture() == Pop().hWnd(); };
    ClickAt(field, f.hWnd());
    ASSERT_TRUE(drop.Down());
    EXPECT_TRUE(PumpUntil(popupHasMouse, 2000));
    EXPECT_FALSE(ListShows(drop));
    const PaletteEntry& yellow = Pop().Entries()[26];
    ClickAt(ScreenPoint(Pop().hWnd(), yellow.X + 5, yellow.Y + 5), f.hWnd());
    EXPECT_EQ(events, (std::vector<std::wstring>{L"Dropped True",
                                                 L"Changed " + std::to_wstring(RGB(255, 255, 0)),
                                                 L"Dropped False"}));
    EXPECT_FALSE(drop.Down());
    EXPECT_NE(GetCapture(), Pop().hWnd());
    ExpectSwatch(RGB(255, 255, 0));
    ClickAt(field, f.hWnd());
    EXPECT_TRUE(drop.Down()) << "a second opening needs one click";
    EXPECT_TRUE(PumpUntil(popupHasMouse, 2000));
    EXPECT_FALSE(ListShows(drop));
    // A click away from the cells closes without a choice.
    events.clear();
    ClickAt(ScreenPoint(f.hWnd(), 5, 5), f.hWnd());
    EXPECT_TRUE(PumpUntil([&] { return !drop.Down(); }, 2000));
    EXPECT_EQ(events, std::vector<std::wstring>{L"Dropped False"});
    // The keyboard: F4 opens; Esc closes without reaching the Cancel button.
    drop.SetColor(RGB(255, 0, 0));
    f(L"clrBackground").SetFocus();
    PumpEvents(50);
    const HWND focus = GetFocus();
    ASSERT_TRUE(focus == drop.hWnd() || focus == drop.ComboWnd());
    PostMessageW(focus, WM_KEYDOWN, VK_F4, 0);
    ASSERT_TRUE(PumpUntil([&] { return drop.Down(); }, 2000));
    EXPECT_FALSE(ListShows(drop));
    PostMessageW(GetFocus(), WM_KEYDOWN, VK_ESCAPE, 0);
    PumpEvents(100);
    EXPECT_FALSE(drop.Down());
    EXPECT_EQ(f.CancelClicks, 0);
    // Enter closes it too, without pressing the default button.
    PostMessageW(GetFocus(), WM_KEYDOWN, VK_F4, 0);
    ASSERT_TRUE(PumpUntil([&] { return drop.Down(); }, 2000));
    PostMessageW(GetFocus(), WM_KEYDOWN, VK_RETURN, 0);
    PumpEvents(100);
    EXPECT_FALSE(drop.Down());
    EXPECT_EQ(f.OkClicks, 0);
    EXPECT_EQ(drop.Color(), RGB(255, 0, 0));
}

INSTANTIATE_TEST_SUITE_P(Levels, ColorDropAt, ::testing::Values(1, 2, 4));
