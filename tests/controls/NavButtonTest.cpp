#include "wizard/controls/IENavButton.h"

#include "core/CreatorError.h"
#include "tests/controls/ControlTestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const ControlDecl NavControls[] = {
    {.Name = L"Nav",
     .Kind = ControlKind::Custom,
     .Left = 120,
     .Top = 120,
     .Width = 900,
     .Height = 450,
     .Factory = MakeDrawn<IENavButton>},
};
const FormDecl NavForm = {.Name = L"frmNav",
                          .Caption = L"Travel",
                          .ScaleWidth = 2400,
                          .ScaleHeight = 1000,
                          .Style = WS_POPUP | WS_CLIPCHILDREN};

constexpr COLORREF Header = RGB(200, 120, 40);

struct frmNav : Form {
    frmNav() : Form(NavForm, NavControls), Nav((*this)(L"Nav").As<IENavButton>()) {
        BackColor = Header;
        Nav.AdjustSize = [this] { ++adjusted; };
        Nav.Click = [this](int i) { clicks.push_back(i); };
    }
    IENavButton& Nav;
    int adjusted = 0;
    std::vector<int> clicks;
};

// Lets only our own pictures (source 3) work, or none.
bool OursOnly(int source) {
    return source == 3;
}
bool None(int) {
    return false;
}
struct Sources {
    explicit Sources(bool (*allowed)(int)) { TravelSourceAllowed = allowed; }
    ~Sources() { TravelSourceAllowed = nullptr; }
    Sources(const Sources&) = delete;
    Sources& operator=(const Sources&) = delete;
};

// The pixels of one half (25 x 25) of a capture.
std::vector<uint32_t> Half(const Pixels& p, int half, int size) {
    std::vector<uint32_t> out;
    for (int y = 0; y < size; ++y)
        for (int x = half * size; x < (half + 1) * size; ++x)
            out.push_back(p.At(x, y) & 0xFFFFFF);
    return out;
}

int ErrorOf(const std::function<void()>& f) {
    try {
        f();
    } catch (const CreatorError& e) {
        return e.Number();
    }
    return 0;
}

} // namespace

TEST(NavButton, OurPicturesAreTheLastSourceOnTheBackgroundOrOnBlackUnderGlass) {
    for (const Setting& s : Settings()) {
        SCOPED_TRACE(s.Name());
        AtSetting at(s);
        {
            // Whatever the platform offers, some source gives two halves.
            frmNav f;
            ShowInactive(f);
            EXPECT_EQ(ClassOf(f(L"Nav").hWnd()), L"QuorvelIENavButton");
            EXPECT_TRUE(f.Nav.ImgSize == 25 || f.Nav.ImgSize == 28);
            EXPECT_GE(f.Nav.Source(), 0);
            EXPECT_EQ(f.adjusted, 1);
            f.Unload();
        }
        Sources ours(OursOnly);
        frmNav f;
        ShowInactive(f);
        EXPECT_EQ(f.Nav.Source(), 3);
        ASSERT_EQ(f.Nav.ImgSize, 25);
        EXPECT_EQ(f.Nav.Enabled(0), true);
        EXPECT_EQ(f.Nav.Enabled(1), false);
        const HWND host = f(L"Nav").hWnd();
        EXPECT_FALSE(GetWindowLongPtrW(host, GWL_STYLE) & WS_TABSTOP);
        const Pixels p = Capture(host);
        const COLORREF back = s.Glass ? RGB(0, 0, 0) : Header;
        EXPECT_EQ(AsColour(p.At(0, 0)), back); // a corner outside the disc
        EXPECT_EQ(AsColour(p.At(49, 24)), back);
        const COLORREF centre = AsColour(p.At(6, 12));        // the back disc, left of the arrow
        EXPECT_GT(GetBValue(centre), GetRValue(centre) + 60); // blue, enabled
        const COLORREF forward = AsColour(p.At(31, 12));
        EXPECT_LT(std::abs(GetBValue(forward) - GetRValue(forward)), 8); // grey, disabled
        f.Unload();
    }
}

TEST(NavButton, PicturesMadeBeforeGlassAreMadeAgainWhenGlassChangesOrTheControlIsShown) {
    Sources ours(OursOnly);
    AtSetting at({1, false});
    // The wizard's order: the control is made with its form, then glass goes on.
    frmNav f;
    f.Load();
    WizardGlass = true;
    ShowInactive(f);
    const HWND host = f(L"Nav").hWnd();
    EXPECT_EQ(AsColour(Capture(host).At(0, 0)), RGB(0, 0, 0));
    EXPECT_EQ(AsColour(Capture(host).At(49, 24)), RGB(0, 0, 0));
    EXPECT_EQ(f.adjusted, 2);
    WizardGlass = false;
    EXPECT_EQ(AsColour(Capture(host).At(0, 0)), Header);
    EXPECT_EQ(f.adjusted, 3);
    f(L"Nav").SetVisible(false);
    f(L"Nav").SetVisible(true);
    EXPECT_EQ(f.adjusted, 4);
    f.Unload();
}

TEST(NavButton, WithNoSourceTheSizeIsZeroAndAdjustSizeStillComes) {
    Sources none(None);
    frmNav f;
    ShowInactive(f);
    EXPECT_EQ(f.Nav.ImgSize, 0);
    EXPECT_EQ(f.Nav.Source(), -1);
    EXPECT_EQ(f.adjusted, 1);
    const Pixels p = Capture(f(L"Nav").hWnd());
    EXPECT_EQ(p.Count(Header), p.Width * p.Height);
    f.Nav.RebuildImages();
    EXPECT_EQ(f.adjusted, 2);
    f.Unload();
}

TEST(NavButton, PointerAndReleasesClickOnlyAnEnabledHalfPressedAndReleasedOnTheControl) {
    for (const Setting& s : Settings()) {
        SCOPED_TRACE(s.Name());
        AtSetting at(s);
        Sources ours(OursOnly);
        frmNav f;
        ShowInactive(f);
        const HWND host = f(L"Nav").hWnd();
        const Pixels start = Capture(host);

        // Over the back half: hot, captured; to the forward half without
        // leaving the capture.
        SendMessageW(host, WM_MOUSEMOVE, 0, At(5, 5));
        EXPECT_EQ(f.Nav.State(0), 1);
        EXPECT_EQ(GetCapture(), host);
        EXPECT_NE(Half(Capture(host), 0, 25), Half(start, 0, 25));
        SendMessageW(host, WM_MOUSEMOVE, 0, At(30, 5));
        EXPECT_EQ(f.Nav.State(0), 0);
        EXPECT_EQ(f.Nav.State(1), 1);
        EXPECT_EQ(GetCapture(), host);
        // The disabled half keeps its look under the pointer and the button.
        EXPECT_EQ(Half(Capture(host), 1, 25), Half(start, 1, 25));
        SendMessageW(host, WM_LBUTTONDOWN, MK_LBUTTON, At(30, 5));
        EXPECT_EQ(Half(Capture(host), 1, 25), Half(start, 1, 25));
        SendMessageW(host, WM_LBUTTONUP, 0, At(30, 5));
        EXPECT_TRUE(f.clicks.empty()); // disabled: nothing

        // Press on back, move to forward (now enabled), release there: 1.
        f.Nav.SetEnabled(1, true);
        SendMessageW(host, WM_LBUTTONDOWN, MK_LBUTTON, At(5, 5));
        EXPECT_EQ(f.Nav.State(0), 2);
        SendMessageW(host, WM_MOUSEMOVE, MK_LBUTTON, At(30, 5));
        EXPECT_EQ(f.Nav.State(1), 2);
        SendMessageW(host, WM_LBUTTONUP, 0, At(30, 5));
        EXPECT_EQ(f.clicks, std::vector<int>{1});

        // Released far outside (at an x over the back half): no Click, let go.
        SendMessageW(host, WM_LBUTTONDOWN, MK_LBUTTON, At(5, 5));
        SendMessageW(host, WM_LBUTTONUP, 0, At(5, 300));
        EXPECT_EQ(f.clicks.size(), 1u);
        EXPECT_NE(GetCapture(), host);
        EXPECT_EQ(f.Nav.State(0), 0);
        // A press elsewhere while captured, released on the control: nothing.
        SendMessageW(host, WM_MOUSEMOVE, 0, At(5, 5));
        SendMessageW(host, WM_LBUTTONDOWN, MK_LBUTTON, At(-30, 5));
        SendMessageW(host, WM_MOUSEMOVE, 0, At(5, 5));
        SendMessageW(host, WM_LBUTTONUP, 0, At(5, 5));
        EXPECT_EQ(f.clicks.size(), 1u);
        // A plain click on back: 0.
        SendMessageW(host, WM_LBUTTONDOWN, MK_LBUTTON, At(5, 5));
        SendMessageW(host, WM_LBUTTONUP, 0, At(5, 5));
        EXPECT_EQ(f.clicks, (std::vector<int>{1, 0}));

        EXPECT_EQ(ErrorOf([&] { f.Nav.SetState(2, 1); }), ErrSubscript);
        EXPECT_EQ(ErrorOf([&] { (void)f.Nav.Enabled(-1); }), ErrSubscript);
        f.Unload();
    }
}

TEST(NavButton, ALookChangeIsDrawnAtOnceWhereBufferedAnimationFails) {
    for (const Setting& s : Settings()) {
        SCOPED_TRACE(s.Name());
        AtSetting at(s);
        Sources ours(OursOnly);
        frmNav f;
        ShowInactive(f);
        const HWND host = f(L"Nav").hWnd();
        f.Nav.Update(-1); // drawn once: from now on the back half animates
        PumpEvents(50);
        const Pixels enabled = Capture(host, true);
        f.Nav.SetEnabled(0, false); // the back half changes look (animated from level 3)
        const Pixels shown = Capture(host, true);
        EXPECT_NE(Half(shown, 0, 25), Half(enabled, 0, 25));
        EXPECT_EQ(Half(shown, 0, 25), Half(Capture(host), 0, 25)); // what a paint draws
        f.Unload();
    }
}

TEST(NavButton, TheHandOverAnEnabledHalfAndTheArrowOverADisabledOne) {
    Sources ours(OursOnly);
    frmNav f;
    ShowInactive(f);
    const HWND host = f(L"Nav").hWnd();
    auto cursorAt = [host](int x, int y) {
        POINT p{x, y};
        ClientToScreen(host, &p);
        SetCursorPos(p.x, p.y);
        SetCursor(nullptr);
        SendMessageW(host, WM_SETCURSOR, reinterpret_cast<WPARAM>(host),
                     MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        return GetCursor();
    };
    EXPECT_EQ(cursorAt(5, 5), LoadCursorW(nullptr, IDC_HAND));
    EXPECT_EQ(cursorAt(30, 5), LoadCursorW(nullptr, IDC_ARROW)); // forward is disabled
    f.Nav.SetEnabled(1, true);
    EXPECT_EQ(cursorAt(30, 5), LoadCursorW(nullptr, IDC_HAND));
    f.Unload();
}
