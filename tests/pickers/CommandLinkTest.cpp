// The command link at Windows levels 1, 2 and 4 (buffered animations, which
// Wine cannot run): captions, mouse and keys, and its pixels.
#include "tests/pickers/PickerForm.h"
#include "tests/wizard/FormTestSupport.h"

#include "common/Handles.h"
#include "wizard/controls/ToolbarLook.h"
#include "wizard/frame/MessagePump.h"
#include "wizard/frame/Program.h"

#include <gtest/gtest.h>

#include <commctrl.h>

namespace {

class CommandLinkAt : public ::testing::TestWithParam<int> {
  protected:
    void SetUp() override {
        OsLevel = GetParam();
        ClassicToolbarOnly = true; // the classic look, whatever the theme
        ShowInactive(f);
    }
    void TearDown() override {
        f.Unload();
        ClassicToolbarOnly = false;
    }
    static void Send(CommandLink& link, UINT message, int x, int y) {
        SendMessageW(link.hWnd(), message, message == WM_LBUTTONDOWN ? MK_LBUTTON : 0,
                     MAKELPARAM(x, y));
    }
    frmPickers f;
};

// The first fully opaque pixel near the middle of a 16 x 16 picture.
bool OpaquePixel(const wchar_t* name, int& px, int& py, COLORREF& colour) {
    UniqueBitmap bitmap(static_cast<HBITMAP>(
        LoadImageW(GetModuleHandleW(nullptr), name, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    DIBSECTION dib{};
    if (!bitmap || !GetObjectW(bitmap.get(), sizeof dib, &dib) || dib.dsBm.bmBitsPixel != 32)
        return false;
    const auto* bits = static_cast<const uint8_t*>(dib.dsBm.bmBits);
    for (py = 6; py < 12; ++py)
        for (px = 6; px < 12; ++px) {
            const int row = dib.dsBmih.biHeight > 0 ? 15 - py : py; // bottom-up rows
            const uint8_t* p = bits + row * dib.dsBm.bmWidthBytes + px * 4;
            if (p[3] == 255) {
                colour = RGB(p[2], p[1], p[0]);
                return true;
            }
        }
    return false;
}

} // namespace

TEST_P(CommandLinkAt, CaptionsComeFromTheRowAndNeverShowAsTips) {
    wchar_t cls[64] = {};
    GetClassNameW(f.cmdTest.hWnd(), cls, 64);
    EXPECT_STREQ(cls, L"QuorvelCommandLink");
    EXPECT_EQ(f.cmdTest.Title(), L"Install and Test  ");
    EXPECT_EQ(f.cmdTest.Desc(), L"Make your screensaver active  ");
    EXPECT_EQ(f.cmdExit.Title(), L"Exit  ");
    EXPECT_EQ(f.cmdExit.Desc(), L"  ");
    EXPECT_TRUE(f.cmdBrowse.PictureMode());
    EXPECT_EQ(f.cmdBrowse.PictureName(), L"OPEN");
    EXPECT_EQ(f.cmdPlain.Title(), L"A");
    EXPECT_EQ(f.cmdPlain.Desc(), L"B");
    for (const wchar_t* name : {L"cmdTest", L"cmdExit", L"cmdBrowse", L"cmdPlain"})
        EXPECT_EQ(f(name).ToolTipText(), L"") << name;
    if (const HWND tip = f.PlainToolTip()) {
        EXPECT_EQ(SendMessageW(tip, TTM_GETTOOLCOUNT, 0, 0), 0);
    }
    // The link's window answers with its record's font.
    EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageW(f.cmdTest.hWnd(), WM_GETFONT, 0, 0)),
              f(L"cmdTest").FontHandle());
    // The hand, also over a disabled link.
    f.cmdPlain.SetEnabled(false);
    SendMessageW(f.cmdPlain.hWnd(), WM_SETCURSOR, reinterpret_cast<WPARAM>(f.cmdPlain.hWnd()),
                 MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_HAND));
    // Tab reaches the links (a control parent would never be a tab stop).
    EXPECT_EQ(GetNextDlgTabItem(f.hWnd(), f.cmdTest.hWnd(), FALSE), f.cmdExit.hWnd());
}

TEST_P(CommandLinkAt, MouseClicksAndStates) {
    CommandLink& link = f.cmdTest;
    int clicks = 0;
    link.Click = [&] { ++clicks; };
    Send(link, WM_MOUSEMOVE, 10, 10);
    EXPECT_EQ(link.State(), LinkHot);
    EXPECT_EQ(GetCapture(), link.hWnd());
    Send(link, WM_LBUTTONDOWN, 10, 10);
    EXPECT_EQ(link.State(), LinkPressed);
    Send(link, WM_LBUTTONUP, 10, 10);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(link.State(), LinkHot); // hot, the mouse still captured
    EXPECT_EQ(GetCapture(), link.hWnd());
    // A press that ends outside raises nothing and goes back to normal.
    Send(link, WM_LBUTTONDOWN, 10, 10);
    Send(link, WM_LBUTTONUP, 900, 10);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(link.State(), LinkNormal);
    EXPECT_NE(GetCapture(), link.hWnd());
    // AlwaysHot: an idle link looks hot (its top-left edge is raised).
    link.SetAlwaysHot(true);
    EXPECT_EQ(Printed(link.hWnd()).At(0, 0), GetSysColor(COLOR_BTNHIGHLIGHT));
    link.SetAlwaysHot(false);
    EXPECT_EQ(Printed(link.hWnd()).At(0, 0), GetSysColor(COLOR_BTNFACE));
    // Disabled: a release raises nothing.
    link.SetEnabled(false);
    EXPECT_EQ(link.State(), LinkDisabled);
    Send(link, WM_LBUTTONDOWN, 10, 10);
    Send(link, WM_LBUTTONUP, 10, 10);
    EXPECT_EQ(clicks, 1);
    link.SetEnabled(true);
    EXPECT_EQ(link.State(), LinkNormal);
    ReleaseCapture();
}

TEST_P(CommandLinkAt, KeysClickOnlyWhileEnabled) {
    CommandLink& link = f.cmdExit;
    int clicks = 0;
    link.Click = [&] { ++clicks; };
    // Enter is the link's; Tab stays the form's.
    MSG enter{link.hWnd(), WM_KEYDOWN, VK_RETURN, 0, 0, {}};
    MSG tab{link.hWnd(), WM_KEYDOWN, VK_TAB, 0, 0, {}};
    EXPECT_TRUE(
        SendMessageW(link.hWnd(), WM_GETDLGCODE, VK_RETURN, reinterpret_cast<LPARAM>(&enter)) &
        DLGC_WANTMESSAGE);
    EXPECT_FALSE(SendMessageW(link.hWnd(), WM_GETDLGCODE, VK_TAB, reinterpret_cast<LPARAM>(&tab)) &
                 (DLGC_WANTMESSAGE | DLGC_WANTTAB));
    SendMessageW(link.hWnd(), WM_CHAR, L'\r', 0);
    EXPECT_EQ(clicks, 1);
    SendMessageW(link.hWnd(), WM_KEYDOWN, VK_SPACE, 0);
    EXPECT_EQ(link.State(), LinkPressed);
    SendMessageW(link.hWnd(), WM_KEYUP, VK_SPACE, 0);
    EXPECT_EQ(clicks, 2);
    ReleaseCapture();
    link.SetEnabled(false);
    SendMessageW(link.hWnd(), WM_CHAR, L'\r', 0);
    SendMessageW(link.hWnd(), WM_KEYDOWN, VK_SPACE, 0);
    SendMessageW(link.hWnd(), WM_KEYUP, VK_SPACE, 0);
    EXPECT_EQ(clicks, 2); // a disabled link raises nothing
    // The record disabled by the form counts as disabled too.
    link.SetEnabled(true);
    f(L"cmdExit").SetEnabled(false);
    SendMessageW(link.hWnd(), WM_CHAR, L'\r', 0);
    EXPECT_EQ(clicks, 2);
    EXPECT_EQ(link.State(), LinkDisabled);
    f(L"cmdExit").SetEnabled(true);
    ReleaseCapture();
}

TEST_P(CommandLinkAt, PicturePlacedPressedAndHalfTransparent) {
    int px = 0, py = 0;
    COLORREF colour = 0;
    ASSERT_TRUE(OpaquePixel(L"OPEN", px, py, colour));
    CommandLink& link = f.cmdBrowse;
    const Printed normal(link.hWnd());
    ASSERT_EQ(normal.Width(), 24);
    // (24 - 16) / 2 = 4, one pixel up and left unless pressed.
    EXPECT_TRUE(Near(normal.At(3 + px, 3 + py), colour, 2))
        << std::hex << normal.At(3 + px, 3 + py);
    EXPECT_EQ(normal.At(0, 0), GetSysColor(COLOR_BTNFACE));
    Send(link, WM_LBUTTONDOWN, 5, 5);
    const Printed pressed(link.hWnd());
    EXPECT_TRUE(Near(pressed.At(4 + px, 4 + py), colour, 2));
    EXPECT_EQ(pressed.At(0, 0), GetSysColor(COLOR_BTNSHADOW)); // sunken
    Send(link, WM_LBUTTONUP, 900, 5);
    link.SetEnabled(false);
    const Printed disabled(link.hWnd());
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    const auto half = [](int c, int b) { return (c * 128 + b * 127) / 255; };
    const COLORREF expected =
        RGB(half(GetRValue(colour), GetRValue(face)), half(GetGValue(colour), GetGValue(face)),
            half(GetBValue(colour), GetBValue(face)));
    EXPECT_TRUE(Near(disabled.At(3 + px, 3 + py), expected, 4))
        << std::hex << disabled.At(3 + px, 3 + py) << " " << expected;
    link.SetEnabled(true);
}

TEST_P(CommandLinkAt, BackgroundTellsTheWindowColourReferenceFromItsValue) {
    CommandLink& link = f.cmdTest;
    f.BackColor = SystemColourReference | COLOR_WINDOW;
    EXPECT_EQ(Printed(link.hWnd()).At(2, 55), GetSysColor(COLOR_WINDOW));
    f.BackColor = GetSysColor(COLOR_WINDOW); // the same value, not the reference
    EXPECT_EQ(Printed(link.hWnd()).At(2, 55), GetSysColor(COLOR_BTNFACE));
    f.BackColor = CLR_INVALID;
    // The title is drawn at every level, in the hot-light colour, which
    // stands out from the face as on Windows.
    const Printed p(link.hWnd());
    int ink = 0;
    for (int y = 8; y < 24; ++y)
        for (int x = 8; x < 100; ++x)
            ink += !Near(p.At(x, y), GetSysColor(COLOR_BTNFACE), 64);
    EXPECT_GT(ink, 20);
}

TEST_P(CommandLinkAt, ChangesShowAtOnceAndTheTimerEndsAnUncapturedHover) {
    CommandLink& link = f.cmdTest;
    SetCursorPos(0, 0);
    // Drawn on the window itself, as the state changes (no paint is asked
    // for): Wine's buffered animation fails, and the new look shows at once.
    Send(link, WM_MOUSEMOVE, 10, 10);
    {
        WindowDC dc(link.hWnd());
        EXPECT_EQ(GetPixel(dc.get(), 0, 0), GetSysColor(COLOR_BTNHIGHLIGHT));
    }
    // Hot without the capture, the pointer elsewhere: back to normal in 200 ms.
    ReleaseCapture();
    EXPECT_EQ(link.State(), LinkHot);
    PumpEvents(500);
    EXPECT_EQ(link.State(), LinkNormal);
    {
        WindowDC dc(link.hWnd());
        EXPECT_EQ(GetPixel(dc.get(), 0, 0), GetSysColor(COLOR_BTNFACE));
    }
}

INSTANTIATE_TEST_SUITE_P(Levels, CommandLinkAt, ::testing::Values(1, 2, 4));
