// The Scale Image dialog and the actual-size pop-up over the wizard in this
// process: the slider's snap, tip and labels, the miniature, OK and the
// close box, the activation, the pop-up's size, place and hiding.
#include "tests/support/SaverFiles.h"
#include "tests/wizard/FormTestSupport.h"
#include "tests/wizard/WizardFiles.h"
#include "tests/wizard/WizardFixture.h"
#include "wizard/frame/Help.h"
#include "wizard/frame/ImageControl.h"
#include "wizard/frame/Program.h"
#include "wizard/frame/Settings.h"
#include "wizard/frame/Tip.h"
#include "wizard/pages/frmImage.h"
#include "wizard/pages/frmScale.h"
#include "wizard/pages/frmWizard.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <memory>
#include <string>

namespace {

// Four quadrants of four colours: no two corners agree, so no colour key.
uint32_t Quadrant(int x, int y, int w, int h) {
    const bool right = x >= w / 2, low = y >= h / 2;
    return right ? (low ? 0xFF30A050u : 0xFFE0C020u) : (low ? 0xFF802080u : 0xFF2040C0u);
}

class ScaleDialog : public WizardFixture {
  protected:
    void SetUp() override {
        WizardFixture::SetUp();
        picture = dir.Path("quarters.bmp");
        WriteFileBytes(picture,
                       MakeBitmap32(100, 50, [](int x, int y) { return Quadrant(x, y, 100, 50); }));
    }
    void TearDown() override {
        ::ScaleDialog().Unload();
        ImagePopup().Unload();
        WizardFixture::TearDown();
    }
    // The wizard on its logo page with the 100 x 50 picture, in front.
    frmWizard& Open() {
        WizardFixture::Open();
        wizard->NextStep(1);
        (*wizard)(L"txtLogo").SetText(Wide(picture));
        SetForegroundWindow(wizard->hWnd());
        PumpFor(200);
        return *wizard;
    }
    // "Scale Image..." as a click gives it.
    frmScale& OpenScale() {
        SendMessageW((*wizard)(L"cmdScale").hWnd(), BM_CLICK, 0, 0);
        PumpFor(200);
        return ::ScaleDialog();
    }
    TempFolder dir;
    std::string picture;
};

void Pause() {
    PumpFor(GetEnvironmentVariableA("QV_SHOT_PAUSE", nullptr, 0) ? 3000 : 0);
}

// The trackbar's scroll notification as a drag or a release sends it.
void Scroll(frmScale& d, int code, int position) {
    const HWND bar = d.scrScale.hWndCtl();
    if (position > 0)
        SendMessageW(bar, TBM_SETPOS, TRUE, position);
    SendMessageW(GetParent(bar), WM_HSCROLL, MAKEWPARAM(code, position > 0 ? position : 0),
                 reinterpret_cast<LPARAM>(bar));
}
void Drag(frmScale& d, int position) {
    Scroll(d, TB_THUMBTRACK, position);
}
void Release(frmScale& d) {
    Scroll(d, TB_THUMBPOSITION, 0);
    Scroll(d, TB_ENDTRACK, 0);
}
// A click on the channel or a key: a move and the end of it.
void Step(frmScale& d, int position) {
    Scroll(d, TB_PAGEDOWN, position);
    Scroll(d, TB_ENDTRACK, 0);
}

RECT ScreenRect(HWND w) {
    RECT r{};
    GetWindowRect(w, &r);
    return r;
}

} // namespace

TEST_F(ScaleDialog, DragSnapsNearHundredWithItsTipAndOnlyOkHandsTheScaleOver) {
    frmWizard& w = Open();
    ASSERT_TRUE(w.ImageLoaded);
    // Moved and closed with the close box: the wizard's scale and preview stay.
    const int32_t before = w.picPreviewDrawing.Pixel(w.LogoLeft + 2, w.LogoTop + 2);
    frmScale& closed = OpenScale();
    ASSERT_TRUE(closed.Visible());
    Drag(closed, 250);
    Release(closed);
    EXPECT_EQ(closed(L"lblNew").Caption(), L"250 x 125");
    SendMessageW(closed.hWnd(), WM_CLOSE, 0, 0);
    PumpFor(100);
    EXPECT_FALSE(closed.Loaded());
    EXPECT_TRUE(IsWindowEnabled(w.hWnd()));
    EXPECT_EQ(GetActiveWindow(), w.hWnd());
    EXPECT_DOUBLE_EQ(w.ImageScale, 1.0);
    EXPECT_EQ(w.picSaveDrawing.Width(), 100);
    EXPECT_EQ(w.picPreviewDrawing.Pixel(w.LogoLeft + 2, w.LogoTop + 2), before);

    frmScale& d = OpenScale();
    ASSERT_TRUE(d.Visible());
    EXPECT_EQ(d.Caption(), L"Scale Image");
    EXPECT_FALSE(IsWindowEnabled(w.hWnd())); // the wizard waits, greyed
    EXPECT_EQ(GetWindow(d.hWnd(), GW_OWNER), w.hWnd());
    EXPECT_EQ(d.scrScale.Value(), 100);
    EXPECT_EQ(d(L"lblScale").Caption(), L"100%");
    EXPECT_EQ(d(L"lblOrig").Caption(), L"100 x 50");
    EXPECT_EQ(d(L"lblNew").Caption(), L"100 x 50");
    EXPECT_EQ(d(L"picScreen").ToolTipText(), d(L"picBack").ToolTipText());
    EXPECT_EQ(d(L"picMonitor").ToolTipText(),
              L"This shows how the image will look, compared to the whole screen.");

    // The miniature: the logo in proportion to the whole screen, at the top left.
    RECT screen{};
    GetClientRect(d(L"picScreen").hWnd(), &screen);
    const double factor = static_cast<double>(screen.right) / GetSystemMetrics(SM_CXSCREEN);
    const auto miniature = [&](double scale) {
        const RECT r = d(L"imgLogo").PixelRect();
        EXPECT_EQ(r.left, 0);
        EXPECT_EQ(r.top, 0);
        EXPECT_NEAR(r.right - r.left, 100 * scale * factor, 0.51) << scale;
        EXPECT_NEAR(r.bottom - r.top, 50 * scale * factor, 0.51) << scale;
    };
    miniature(1.0);

    // A drag to 98 sticks at 100, and the tip over the thumb says so.
    Drag(d, 98);
    EXPECT_EQ(d.scrScale.Value(), 100);
    EXPECT_EQ(d(L"lblScale").Caption(), L"100%");
    EXPECT_EQ(TipShownText(), L"100%");
    ASSERT_NE(TipWindow(), nullptr);
    RECT thumb{};
    SendMessageW(d.scrScale.hWndCtl(), TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&thumb));
    const RECT bar = ScreenRect(d.scrScale.hWndCtl());
    OffsetRect(&thumb, bar.left, bar.top);
    const RECT tip = ScreenRect(TipWindow());
    EXPECT_NEAR(tip.top, thumb.top - 20, 1); // the tip's frame starts a pixel out
    EXPECT_NEAR((tip.left + tip.right) / 2.0, (thumb.left + thumb.right) / 2.0, 1.5);
    Pause();

    for (const int away : {96, 104}) { // one step further does not snap
        Drag(d, away);
        EXPECT_EQ(d.scrScale.Value(), away);
        EXPECT_EQ(d(L"lblScale").Caption(), std::to_wstring(away) + L"%");
        EXPECT_EQ(TipShownText(), std::to_wstring(away) + L"%");
    }
    Release(d); // the tip goes at once
    EXPECT_EQ(TipWindow(), nullptr);
    EXPECT_EQ(d.scrScale.Value(), 104);

    // A drag let go next to 100 sticks there too, with no tip.
    Drag(d, 150);
    SendMessageW(d.scrScale.hWndCtl(), TBM_SETPOS, TRUE, 102);
    Release(d);
    EXPECT_EQ(d.scrScale.Value(), 100);
    EXPECT_EQ(TipWindow(), nullptr);

    // Keys and channel clicks can step away from 100.
    Step(d, 101);
    EXPECT_EQ(d.scrScale.Value(), 101);
    EXPECT_EQ(d(L"lblScale").Caption(), L"101%");
    EXPECT_EQ(TipWindow(), nullptr);

    Step(d, 300);
    EXPECT_EQ(d(L"lblNew").Caption(), L"300 x 150");
    EXPECT_EQ(d(L"lblOrig").Caption(), L"100 x 50");
    miniature(3.0);
    Step(d, 29);
    EXPECT_EQ(d(L"lblNew").Caption(), L"29 x 14.5"); // not 28.999999999999996 x ...
    EXPECT_DOUBLE_EQ(d.ImageScale, 0.29);
    EXPECT_DOUBLE_EQ(w.ImageScale, 1.0); // only OK hands it over

    Step(d, 200);
    Pause();
    SendMessageW(d(L"cmdOK").hWnd(), BM_CLICK, 0, 0);
    PumpFor(100);
    EXPECT_FALSE(d.Loaded());
    EXPECT_TRUE(IsWindowEnabled(w.hWnd()));
    EXPECT_DOUBLE_EQ(w.ImageScale, 2.0);
    EXPECT_EQ(w.picSaveDrawing.Width(), 200); // the preview was drawn again at the new size
    EXPECT_EQ(w.picSaveDrawing.Height(), 100);

    // A scale too large to draw is refused, and said so; the drawn one stays.
    w.ImageScale = 5000.0;
    w.UpdateImage(-1, L"", true, false, false); // as OK does
    EXPECT_DOUBLE_EQ(w.ImageScale, 2.0);
    EXPECT_EQ(w.picSaveDrawing.Width(), 200);
    EXPECT_EQ(w.picTmpDrawing.Width(), 200);
    EXPECT_TRUE(w.ImageLoaded);
    EXPECT_EQ(LastHelpBalloon().Title, L"The image could not be scaled");
}

namespace {

// Refuses to make the Scale Image window.
LRESULT CALLBACK RefuseScaleImage(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND) {
        const CREATESTRUCTW* cs = reinterpret_cast<CBT_CREATEWNDW*>(lParam)->lpcs;
        if (cs->lpszName && !IS_INTRESOURCE(cs->lpszName) &&
            std::wstring(cs->lpszName) == L"Scale Image")
            return 1;
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

} // namespace

TEST_F(ScaleDialog, ADialogThatCannotShowLeavesTheWizardUsable) {
    frmWizard& w = Open();
    const HHOOK veto = SetWindowsHookExW(WH_CBT, RefuseScaleImage, nullptr, GetCurrentThreadId());
    {
        DialogAnswerer ignore(L"Quorvel", IDIGNORE);
        OpenScale();
        EXPECT_NE(ignore.Text.find(L"fWizard.cmdScale_Click"), std::wstring::npos);
    }
    UnhookWindowsHookEx(veto);
    EXPECT_TRUE(IsWindowEnabled(w.hWnd()));
}

TEST_F(ScaleDialog, ActivationComesBackOnlyFromTheCreatorsOwnWindows) {
    frmWizard& w = Open();
    frmScale& d = OpenScale();
    ASSERT_EQ(GetActiveWindow(), d.hWnd());
    // The pop-up (as a click might activate it) hands the activation back.
    Step(d, 100);
    SetCursorPos(300, 300);
    ImagePopup().SetImage(d(L"imgLogo"), 1.0);
    ASSERT_TRUE(ImagePopup().Visible());
    EXPECT_EQ(GetActiveWindow(), d.hWnd()); // shown without taking it
    SetActiveWindow(ImagePopup().hWnd());
    PumpFor(100);
    EXPECT_EQ(GetActiveWindow(), d.hWnd());
    // Another window (standing in for another program's) keeps it.
    const HWND other = CreateWindowExW(0, L"STATIC", L"other", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50,
                                       nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(other, nullptr);
    SetActiveWindow(other);
    PumpFor(100);
    EXPECT_EQ(GetActiveWindow(), other);
    DestroyWindow(other);
    PumpFor(50);
    EXPECT_FALSE(IsWindowEnabled(w.hWnd()));
}

TEST_F(ScaleDialog, PopupShowsActualSizeBelowThePointerUntilItMovesAway) {
    frmWizard& w = Open();
    frmImage& popup = ImagePopup();
    // The preview's click: picTmpDrawing at its own size, owned by the wizard.
    SetCursorPos(400, 300);
    const HWND preview = w(L"picPreview").hWnd();
    SendMessageW(preview, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 20));
    SendMessageW(preview, WM_LBUTTONUP, 0, MAKELPARAM(20, 20));
    PumpFor(50);
    ASSERT_TRUE(popup.Visible());
    EXPECT_EQ(GetWindow(popup.hWnd(), GW_OWNER), w.hWnd());
    EXPECT_NE(GetActiveWindow(), popup.hWnd());
    const LONG_PTR ex = GetWindowLongPtrW(popup.hWnd(), GWL_EXSTYLE);
    EXPECT_TRUE(ex & WS_EX_NOACTIVATE);
    EXPECT_TRUE(ex & WS_EX_TOOLWINDOW); // no taskbar button
    const RECT margin = popup(L"imgLogo").PixelRect();
    const auto expectPlace = [&](POINT at, int width, int height) {
        const RECT r = ScreenRect(popup.hWnd());
        EXPECT_EQ(r.left, at.x);
        EXPECT_EQ(r.top, at.y + 30);
        EXPECT_EQ(r.right - r.left, width + 2 * margin.left);
        EXPECT_EQ(r.bottom - r.top, margin.top + height + margin.left);
        const RECT img = popup(L"imgLogo").PixelRect();
        EXPECT_EQ(img.right - img.left, width);
        EXPECT_EQ(img.bottom - img.top, height);
    };
    expectPlace({400, 300}, 100, 50);
    // The picture shows: the top-left quarter's blue, under the label.
    {
        RedrawWindow(popup.hWnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
        const WindowDC dc(popup.hWnd());
        const COLORREF c = GetPixel(dc.get(), margin.left + 10, margin.top + 10);
        const COLORREF corner = GetPixel(dc.get(), 0, 0); // the border
        EXPECT_EQ(c, RGB(0x20, 0x40, 0xC0));
        EXPECT_EQ(corner, GetSysColor(COLOR_INFOTEXT));
    }
    Pause();

    // A second call while it shows changes nothing.
    SetCursorPos(405, 305);
    frmScale& d = OpenScale(); // (the wizard's scale dialog has a picture too)
    popup.SetImage(d(L"imgLogo"), 2.0);
    expectPlace({400, 300}, 100, 50);
    EXPECT_TRUE(popup.Visible());
    EXPECT_EQ(popup.ShownAt().x, 400);

    // 10 pixels from where it appeared it stays; 11 hides it within a tick.
    SetCursorPos(410, 290);
    PumpFor(700);
    EXPECT_TRUE(popup.Visible());
    SetCursorPos(400, 311);
    PumpFor(700);
    EXPECT_FALSE(popup.Visible());

    // Shown again at the new place, from the dialog's miniature at its scale.
    for (const int percent : {200, 50}) {
        Step(d, percent);
        SetCursorPos(200, 150);
        const RECT logo = d(L"imgLogo").PixelRect();
        SendMessageW(d(L"picScreen").hWnd(), WM_MOUSEMOVE, 0,
                     MAKELPARAM(logo.left + 1, logo.top + 1));
        ASSERT_TRUE(popup.Visible()) << percent;
        EXPECT_EQ(GetWindow(popup.hWnd(), GW_OWNER), d.hWnd());
        expectPlace({200, 150}, percent, percent / 2);
        Pause();
        // The pointer onto the pop-up hides it at once.
        const RECT r = ScreenRect(popup.hWnd());
        SendMessageW(popup.hWnd(), WM_MOUSEMOVE, 0, MAKELPARAM(r.right - r.left - 3, 3));
        EXPECT_FALSE(popup.Visible()) << percent;
    }

    // Closing the wizard takes the dialog and the pop-up with it.
    SendMessageW(d(L"cmdCancel").hWnd(), BM_CLICK, 0, 0);
    SendMessageW(preview, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 20));
    SendMessageW(preview, WM_LBUTTONUP, 0, MAKELPARAM(20, 20));
    ASSERT_TRUE(popup.Visible());
    EXPECT_TRUE(w.Unload());
    EXPECT_FALSE(popup.Loaded());
}
