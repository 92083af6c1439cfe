// Runs Bounce, Drip, Falling, Slider and Static in real screensavers and
// reads the screen back: it changes from frame to frame, the logo's colour
// is where each effect puts the logo, and a key ends the saver cleanly.
#include "core/SaverTail.h"
#include "common/Handles.h"
#include "tests/effects/EffectTestLogo.h"
#include "tests/support/WinTest.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

namespace {

constexpr uint32_t Background = 0x000060; // as read back: 0x00RRGGBB
constexpr COLORREF BackgroundRef = RGB(0, 0, 0x60);

struct Shot {
    int W = 0, H = 0;
    std::vector<uint32_t> Px;
    uint32_t At(int x, int y) const { return Px[static_cast<size_t>(y) * W + x] & 0xFFFFFF; }
    long Count(uint32_t rgb) const {
        long n = 0;
        for (uint32_t p : Px)
            n += (p & 0xFFFFFF) == rgb;
        return n;
    }
    // Bounding box of the pixels of one colour; empty (right <= left) if none.
    RECT Bounds(uint32_t rgb) const {
        RECT r{W, H, 0, 0};
        for (int y = 0; y < H; ++y)
            for (int x = 0; x < W; ++x)
                if (At(x, y) == rgb) {
                    r.left = std::min<LONG>(r.left, x);
                    r.top = std::min<LONG>(r.top, y);
                    r.right = std::max<LONG>(r.right, x + 1);
                    r.bottom = std::max<LONG>(r.bottom, y + 1);
                }
        return r;
    }
    bool operator==(const Shot& o) const { return Px == o.Px; }
};

Shot Capture() {
    Shot s;
    s.W = GetSystemMetrics(SM_CXSCREEN);
    s.H = GetSystemMetrics(SM_CYSCREEN);
    s.Px.resize(static_cast<size_t>(s.W) * s.H);
    WindowDC screen(nullptr);
    UniqueDC mem(CreateCompatibleDC(screen.get()));
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = s.W;
    bi.bmiHeader.biHeight = -s.H;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    UniqueBitmap dib(CreateDIBSection(screen.get(), &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
    {
        SelectGuard select(mem.get(), dib.get());
        BitBlt(mem.get(), 0, 0, s.W, s.H, screen.get(), 0, 0, SRCCOPY);
        GdiFlush();
        std::memcpy(s.Px.data(), bits, s.Px.size() * 4);
    }
    return s;
}

class EffectScreen : public ::testing::Test {
  protected:
    void SetUp() override {
        trailer_ = {};
        LoadDefaultSettings(trailer_, 1);
        // A name of its own, so no per-user settings of another run apply.
        const std::string name = "QvEffects" + std::to_string(GetCurrentProcessId()) + "-" +
                                 ::testing::UnitTest::GetInstance()->current_test_info()->name();
        SetField(trailer_.SaverName, name.c_str());
        trailer_.SaverId = 0x5EFF;
        trailer_.BackgroundColor = BackgroundRef;
        trailer_.TransparentColor = -1;
        trailer_.PicHasTrans = 0;
        trailer_.Settings.ChangeMode = 0;
        trailer_.Settings.Transparent = 0;
    }

    // Starts the saver full screen and waits for its window and first frame.
    // `drawn` tells when the first frame is on the screen.
    template <typename Drawn> void Start(int32_t effect, int logoW, int logoH, Drawn drawn) {
        trailer_.Settings.EnabledMask = effect;
        std::vector<uint8_t> file = ReadFileBytes(TestDir() + "SaverTemplate.scr");
        const std::vector<uint8_t> tail =
            BuildSaverTail(trailer_, MakeLogoBmp(logoW, logoH, LogoColour));
        file.insert(file.end(), tail.begin(), tail.end());
        path_ = dir_.Path("Effect.scr");
        WriteFileBytes(path_, file);
        saver_ = std::make_unique<ChildProcess>("\"" + path_ + "\" /s");
        ASSERT_TRUE(saver_->Started());
        window_ = WaitForWindow(saver_->Id(), "WindowsScreenSaverClass", nullptr, 15000);
        ASSERT_NE(window_, nullptr);
        // The render thread waits 500 ms before the first frame; a loaded
        // machine takes longer.
        for (int i = 0; i < 150; ++i) {
            PumpFor(100);
            if (drawn(Capture()))
                return;
        }
        FAIL() << "no frame drawn";
    }

    void Start(int32_t effect, int logoW, int logoH) {
        Start(effect, logoW, logoH, [](const Shot& s) { return s.Count(LogoColour) > 0; });
    }

    // A key ends the saver with exit code 0.
    void EndWithKey() {
        PostMessageA(window_, WM_KEYDOWN, VK_SPACE, 0);
        EXPECT_EQ(saver_->Wait(10000), 0u);
        saver_.reset();
    }

    void TearDown() override {
        if (saver_ && saver_->Wait(0) == STILL_ACTIVE)
            PostMessageA(window_, WM_KEYDOWN, VK_SPACE, 0), saver_->Wait(5000);
        saver_.reset();
    }

    SaverSettings& S() { return trailer_.Settings; }

    TempFolder dir_;
    SaverTrailer trailer_{};
    std::string path_;
    std::unique_ptr<ChildProcess> saver_;
    HWND window_ = nullptr;
};

TEST_F(EffectScreen, BounceWithoutTrailShowsExactlyOneLogoThatMoves) {
    S().BounceSpeed = 10;
    S().BounceGravity = 0;
    S().BounceTrail = 0;
    ASSERT_NO_FATAL_FAILURE(Start(EffectBounce, 64, 48));
    const Shot a = Capture();
    PumpFor(400);
    const Shot b = Capture();
    for (const Shot* s : {&a, &b}) {
        EXPECT_EQ(s->Count(LogoColour), 64 * 48) << "the old logo is erased";
        const RECT r = s->Bounds(LogoColour);
        EXPECT_EQ(r.right - r.left, 64);
        EXPECT_EQ(r.bottom - r.top, 48);
        EXPECT_EQ(s->Count(Background), static_cast<long>(s->W) * s->H - 64 * 48);
    }
    const RECT ra = a.Bounds(LogoColour), rb = b.Bounds(LogoColour);
    EXPECT_TRUE(ra.left != rb.left && ra.top != rb.top) << "moves on both axes";
    // The step size is checked natively (BounceMotionTest): between two
    // captures the logo may have bounced off an edge, so the distance here
    // need not be a whole number of steps.
    EndWithKey();
}

TEST_F(EffectScreen, BounceWithTrailAndGravityLeavesCopiesBehind) {
    S().BounceSpeed = 10;
    S().BounceGravity = 30;
    S().BounceTrail = 1;
    // A capture may come while the first logo is being drawn: wait for all of it.
    ASSERT_NO_FATAL_FAILURE(
        Start(EffectBounce, 64, 48, [](const Shot& s) { return s.Count(LogoColour) >= 64 * 48; }));
    const Shot a = Capture();
    PumpFor(600);
    const Shot b = Capture();
    EXPECT_GT(b.Count(LogoColour), a.Count(LogoColour) + 10 * 48) << "the trail grows";
    EndWithKey();
}

TEST_F(EffectScreen, DripRunsTheLogoDownInsideItsColumns) {
    S().DripDisplay = 1; // Normal size: centred
    S().DripInterval = 20;
    ASSERT_NO_FATAL_FAILURE(Start(EffectDrip, 200, 100));
    const Shot a = Capture();
    PumpFor(2500);
    const Shot b = Capture();
    const int left = (a.W - 200) / 2, top = (a.H - 100) / 2;
    EXPECT_FALSE(a == b);
    const RECT ra = a.Bounds(LogoColour), rb = b.Bounds(LogoColour);
    EXPECT_EQ(ra.left, left);
    EXPECT_EQ(ra.right, left + 200);
    EXPECT_EQ(rb.left, left) << "columns only slide down";
    EXPECT_EQ(rb.right, left + 200);
    EXPECT_GE(rb.top, top);
    EXPECT_GT(rb.bottom, ra.bottom) << "the logo has run down";
    // A capture may fall inside a burst, between a column's copy and the
    // fill of its gap: at most 8 columns of 4 pixels.
    EXPECT_NEAR(b.Count(LogoColour), 200L * 100, 32) << "columns move, nothing is smeared or lost";
    // Gaps above the slid columns show the background inside the logo.
    long gaps = 0;
    for (int x = left; x < left + 200; ++x)
        gaps += b.At(x, top) == Background;
    EXPECT_GT(gaps, 0);
    EndWithKey();
}

TEST_F(EffectScreen, FallingCopyMovesStraightDown) {
    S().FallingCount = 1;
    S().FallingSpeed = 10;
    S().FallingDirection = 2;
    S().FallingInterval = 50;
    S().FallingFade = 0;
    ASSERT_NO_FATAL_FAILURE(Start(EffectFalling, 200, 100));
    bool moved = false;
    for (int attempt = 0; attempt < 5 && !moved; ++attempt) {
        const Shot a = Capture();
        PumpFor(200);
        const Shot b = Capture();
        const RECT ra = a.Bounds(LogoColour), rb = b.Bounds(LogoColour);
        if (ra.right <= ra.left || rb.right <= rb.left)
            continue; // between screens: try again
        // One copy, scaled by its depth (never larger than the logo).
        EXPECT_LE(ra.right - ra.left, 200);
        EXPECT_LE(ra.bottom - ra.top, 100);
        if (ra.left == rb.left && ra.right == rb.right && rb.top > ra.top)
            moved = true;
    }
    EXPECT_TRUE(moved);
    EndWithKey();
}

TEST_F(EffectScreen, FallingWithFiftyCopiesKeepsChanging) {
    S().FallingCount = 80; // more than the table holds: limited to 50
    S().FallingInterval = 5;
    S().FallingFade = 1;
    ASSERT_NO_FATAL_FAILURE(Start(EffectFalling, 120, 80, [](const Shot& s) {
        return s.Count(Background) + s.Count(0) < static_cast<long>(s.W) * s.H;
    }));
    const Shot a = Capture();
    PumpFor(300);
    const Shot b = Capture();
    EXPECT_FALSE(a == b);
    long lit = 0;
    for (uint32_t p : b.Px)
        lit += (p & 0xFF0000) != 0; // faded copies keep some red
    EXPECT_GT(lit, 1000);
    EndWithKey();
}

// The full cells of a grid of `tile`-pixel squares from the screen's corner:
// intact ones (black lines on their four sides, the logo's colour inside)
// and empty ones (all black inside).
struct Grid {
    int Cells = 0, Intact = 0, Empty = 0;
};
Grid ReadGrid(const Shot& s, int tile) {
    Grid g;
    for (int top = 0; top + tile < s.H; top += tile)
        for (int left = 0; left + tile < s.W; left += tile) {
            const int half = tile / 2;
            const bool lines = s.At(left + half, top) == 0 && s.At(left, top + half) == 0 &&
                               s.At(left + half, top + tile) == 0 &&
                               s.At(left + tile, top + half) == 0;
            long logo = 0, black = 0;
            for (int y = top + 1; y < top + tile; ++y)
                for (int x = left + 1; x < left + tile; ++x) {
                    logo += s.At(x, y) == LogoColour;
                    black += s.At(x, y) == 0;
                }
            const long inside = static_cast<long>(tile - 1) * (tile - 1);
            ++g.Cells;
            g.Intact += lines && logo == inside;
            g.Empty += black == inside;
        }
    return g;
}

TEST_F(EffectScreen, SliderRulesAGridAndOpensATile) {
    S().SliderDisplay = 3; // stretched over the screen
    S().SliderTileSize = 1051;
    // The picture covers the whole screen; the window's surface may reach the
    // display in bands, so wait until no background is left.
    ASSERT_NO_FATAL_FAILURE(Start(EffectSlider, 200, 100, [](const Shot& s) {
        return s.Count(LogoColour) > 0 && s.Count(Background) == 0;
    }));
    // The first slide starts half a second after the first frame, which a
    // loaded machine may have let pass: a slide disturbs the tile that moves
    // and the place it leaves, no more.
    const Grid a = ReadGrid(Capture(), 128);
    EXPECT_GE(a.Intact, a.Cells - 2);
    // The first slide ends about 2.4 s after the first frame; the place it
    // leaves stays empty until the next tile moves into it.
    Grid shown{};
    for (const DWORD start = GetTickCount(); shown.Empty == 0 && GetTickCount() - start < 60000;) {
        PumpFor(250);
        shown = ReadGrid(Capture(), 128);
    }
    EXPECT_EQ(shown.Empty, 1) << "an empty tile shows black";
    EXPECT_GE(shown.Intact, shown.Cells - 2);
    EndWithKey();
}

// A logo exactly the screen's size, tiled by Static: the saver moves logos
// in a screen a pixel narrower and lower, yet the tile reaches the last
// column and row.
TEST_F(EffectScreen, StaticTiledLogoOfTheScreensSizeReachesTheLastColumnAndRow) {
    const int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
    S().StaticDisplay = 4; // tiled
    ASSERT_NO_FATAL_FAILURE(Start(EffectStatic, w, h, [](const Shot& s) {
        return s.Count(LogoColour) == static_cast<long>(s.W - 1) * (s.H - 1) ||
               s.Count(LogoColour) == static_cast<long>(s.W) * s.H;
    }));
    const Shot a = Capture();
    EXPECT_EQ(a.Count(LogoColour), static_cast<long>(w) * h);
    EXPECT_EQ(a.At(w - 1, h / 2), LogoColour);
    EXPECT_EQ(a.At(w / 2, h - 1), LogoColour);
    EndWithKey();
}

} // namespace
