// The four effects' draw functions on a memory screen in this process: the
// logo's pixels are exactly where each effect moved it, and many runs with
// their clean-ups leave no GDI object behind.
#include "saver/EffectTable.h"
#include "common/Handles.h"
#include "core/Random.h"
#include "saver/LogoImage.h"
#include "saver/RenderEngine.h"
#include "saver/SaverHooks.h"
#include "saver/SaverState.h"
#include "tests/effects/EffectTestLogo.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <random>
#include <tuple>
#include <memory>
#include <vector>

namespace {

constexpr int ScreenW = 640, ScreenH = 480;
constexpr int LogoW = 64, LogoH = 48;
constexpr uint32_t Background = 0x000060;

// GDI objects in use by this process. Where GetGuiResources is not
// implemented (Wine), the objects that can still be made are counted
// instead: a leak lowers that headroom.
long GdiObjectsInUse() {
    const DWORD n = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    if (n != 0)
        return static_cast<long>(n);
    std::vector<HBRUSH> probes;
    for (int i = 0; i < 400000; ++i) {
        HBRUSH b = CreateSolidBrush(static_cast<COLORREF>(i & 0xFFFFFF));
        if (!b)
            break;
        probes.push_back(b);
    }
    for (HBRUSH b : probes)
        DeleteObject(b);
    return -static_cast<long>(probes.size());
}

// A 32-bit DIB in a memory DC, with its pixels readable.
struct Dib {
    UniqueDC Dc;
    UniqueBitmap Bitmap;
    HGDIOBJ Old = nullptr;
    uint32_t* Bits = nullptr;
    int W = 0, H = 0;
    Dib(int w, int h) : W(w), H(h) {
        BITMAPINFO bi{};
        bi.bmiHeader.biSize = sizeof bi.bmiHeader;
        bi.bmiHeader.biWidth = w;
        bi.bmiHeader.biHeight = -h;
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        void* bits = nullptr;
        Dc.reset(CreateCompatibleDC(nullptr));
        Bitmap.reset(CreateDIBSection(Dc.get(), &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
        Bits = static_cast<uint32_t*>(bits);
        Old = SelectObject(Dc.get(), Bitmap.get());
    }
    ~Dib() { SelectObject(Dc.get(), Old); }
    uint32_t At(int x, int y) const {
        GdiFlush();
        return Bits[static_cast<size_t>(y) * W + x] & 0xFFFFFF;
    }
    long Count(uint32_t rgb) const {
        GdiFlush();
        long n = 0;
        for (int i = 0; i < W * H; ++i)
            n += (Bits[i] & 0xFFFFFF) == rgb;
        return n;
    }
    long CountIn(uint32_t rgb, int l, int t, int r, int b) const {
        long n = 0;
        for (int y = std::max(t, 0); y < std::min(b, H); ++y)
            for (int x = std::max(l, 0); x < std::min(r, W); ++x)
                n += At(x, y) == rgb;
        return n;
    }
};

class EffectDrawing : public ::testing::Test {
  protected:
    void SetUp() override {
        SaverTrailer t{};
        LoadDefaultSettings(t, 1);
        CurrentTrailer = t;
        CurrentSettings = &CurrentTrailer.Settings;
        brush_.reset(CreateSolidBrush(RGB(0, 0, 0x60)));
        BackgroundBrush = brush_.get();
        logo_ = std::make_unique<Dib>(LogoW, LogoH);
        for (int i = 0; i < LogoW * LogoH; ++i)
            logo_->Bits[i] = 0xFF000000u | LogoColour;
        LogoDC = logo_->Dc.get();
        LogoRect = {0, 0, LogoW, LogoH, LogoW, LogoH};
        ScreenRect = {0, 0, ScreenW, ScreenH};
        DrawTransparent = 0;
        LowColour = 0;
        screen_ = std::make_unique<Dib>(ScreenW, ScreenH);
        FillRect(screen_->Dc.get(), &ScreenRect, BackgroundBrush);
    }
    void TearDown() override {
        LogoDC = nullptr;
        BackgroundBrush = nullptr;
    }
    HDC Screen() const { return screen_->Dc.get(); }
    SaverSettings& S() { return *CurrentSettings; }

    UniqueBrush brush_;
    std::unique_ptr<Dib> logo_, screen_;
};

TEST_F(EffectDrawing, BounceWithoutTrailShowsTheLogoOnlyWhereItMoved) {
    S().BounceSpeed = 7;
    S().BounceGravity = 0;
    S().BounceTrail = 0;
    DrawBounce(Screen(), OpInitialise);
    for (int frame = 0; frame < 200; ++frame) {
        DrawBounce(Screen(), OpFrame);
        const int x = LogoRect.X, y = LogoRect.Y;
        ASSERT_EQ(screen_->CountIn(LogoColour, x, y, x + LogoW, y + LogoH), LogoW * LogoH)
            << "frame " << frame;
        ASSERT_EQ(screen_->Count(LogoColour), LogoW * LogoH) << "frame " << frame;
    }
    DrawBounce(nullptr, OpCleanUp);
}

TEST_F(EffectDrawing, BounceWithTrailKeepsEveryImage) {
    S().BounceSpeed = 10;
    S().BounceGravity = 30;
    S().BounceTrail = 1;
    DrawBounce(Screen(), OpInitialise);
    long before = 0;
    for (int frame = 0; frame < 20; ++frame) {
        DrawBounce(Screen(), OpFrame);
        const int x = LogoRect.X, y = LogoRect.Y;
        EXPECT_EQ(screen_->CountIn(LogoColour, x, y, x + LogoW, y + LogoH),
                  static_cast<long>(std::max(0, std::min(x + LogoW, ScreenW) - std::max(x, 0))) *
                      (std::min(y + LogoH, ScreenH) - std::max(y, 0)));
        const long now = screen_->Count(LogoColour);
        EXPECT_GE(now, before);
        before = now;
    }
    EXPECT_GT(before, 3 * LogoW * LogoH);
    DrawBounce(nullptr, OpCleanUp);
}

TEST_F(EffectDrawing, DripMovesColumnsWithoutLosingPixels) {
    S().DripDisplay = 1;
    DrawDrip(Screen(), OpInitialise);
    DrawDrip(Screen(), OpFrame);
    const int left = (ScreenW - LogoW) / 2, top = (ScreenH - LogoH) / 2;
    EXPECT_EQ(screen_->CountIn(LogoColour, left, top, left + LogoW, top + LogoH), LogoW * LogoH)
        << "the first frame only draws the logo";
    for (int frame = 0; frame < 100; ++frame)
        DrawDrip(Screen(), OpFrame);
    EXPECT_EQ(screen_->Count(LogoColour), LogoW * LogoH);
    EXPECT_EQ(screen_->CountIn(LogoColour, 0, 0, left, ScreenH), 0);
    EXPECT_EQ(screen_->CountIn(LogoColour, left + LogoW, 0, ScreenW, ScreenH), 0);
    EXPECT_EQ(screen_->CountIn(LogoColour, 0, 0, ScreenW, top), 0);
    EXPECT_GT(screen_->CountIn(LogoColour, left, top + LogoH, left + LogoW, ScreenH), 0);
    DrawDrip(nullptr, OpCleanUp);
}

TEST_F(EffectDrawing, DripRepaintBeforeTheFirstFrameStillShowsTheLogo) {
    // The engine answers the window's first paint during its wait before the
    // first frame, then fills the background again.
    S().DripDisplay = 1;
    DrawDrip(Screen(), OpInitialise);
    DrawDrip(Screen(), OpRepaint);
    EXPECT_EQ(screen_->Count(LogoColour), LogoW * LogoH);
    FillRect(Screen(), &ScreenRect, BackgroundBrush);
    DrawDrip(Screen(), OpFrame);
    EXPECT_EQ(screen_->Count(LogoColour), LogoW * LogoH);
    DrawDrip(nullptr, OpCleanUp);
}

TEST_F(EffectDrawing, DripOfALogoWiderThanTheScreenStaysInsideIt) {
    // Normal size with a logo wider than the screen reaches past the offset
    // table on both sides; those columns are skipped.
    logo_ = std::make_unique<Dib>(ScreenW + 200, LogoH);
    for (int i = 0; i < (ScreenW + 200) * LogoH; ++i)
        logo_->Bits[i] = 0xFF000000u | LogoColour;
    LogoDC = logo_->Dc.get();
    LogoRect = {0, 0, ScreenW + 200, LogoH, ScreenW + 200, LogoH};
    S().DripDisplay = 1;
    DrawDrip(Screen(), OpInitialise);
    for (int frame = 0; frame < 300; ++frame)
        DrawDrip(Screen(), OpFrame);
    EXPECT_EQ(screen_->Count(LogoColour), static_cast<long>(ScreenW) * LogoH);
    DrawDrip(nullptr, OpCleanUp);
}

TEST_F(EffectDrawing, FallingDrawsEachCopyScaledAndFrameAfterFrame) {
    S().FallingCount = 1;
    S().FallingFade = 0;
    S().FallingDirection = 8; // right
    DrawFalling(Screen(), OpInitialise);
    DrawFalling(Screen(), OpFrame);
    const long first = screen_->Count(LogoColour);
    EXPECT_GT(first, 0);
    EXPECT_LE(first, LogoW * LogoH);
    DrawFalling(Screen(), OpFrame);
    EXPECT_GT(screen_->Count(LogoColour), 0);
    DrawFalling(nullptr, OpCleanUp);
}

uint64_t Hash(const Dib& d) {
    GdiFlush();
    uint64_t hash = 14695981039346656037ull;
    for (int i = 0; i < d.W * d.H; ++i)
        hash = (hash ^ d.Bits[i]) * 1099511628211ull;
    return hash;
}

// Steps to a frame as the render engine takes them when it shows an
// effect's steps once per display frame: 1 to 40 (after a stall), 100 a round.
const std::vector<int> PacedSteps = {1, 3, 17, 2, 16, 40, 5, 1, 15};

// The current effect's screen after each frame drawn, by its count of steps,
// with the steps drawn in `groups` as the engine shows them ({1}: every step
// drawn). The engine's repaint (background, then op 5) comes after step 100,
// a frame without a device context after step 200.
std::map<int, uint64_t> Shots(const Dib& screen, EffectDraw draw, int steps,
                              const std::vector<int>& groups) {
    HDC dc = screen.Dc.get();
    FillRect(dc, &ScreenRect, BackgroundBrush);
    draw(dc, OpInitialise);
    std::map<int, uint64_t> shots;
    for (int step = 0, g = 0; step < steps; ++g) {
        if (step == 100) {
            FillRect(dc, &ScreenRect, BackgroundBrush);
            draw(dc, OpRepaint);
        } else if (step == 200) {
            draw(nullptr, OpFrame);
        }
        step += groups[g % groups.size()];
        ShowSteps(dc, groups[g % groups.size()]);
        shots[step] = Hash(screen);
    }
    draw(nullptr, OpCleanUp);
    return shots;
}

void ExpectSameAtEachFrame(const std::map<int, uint64_t>& shown,
                           const std::map<int, uint64_t>& reference, const std::string& what) {
    for (const auto& [step, hash] : shown)
        ASSERT_EQ(hash, reference.at(step)) << "step " << step << ", " << what;
}

// Falling redraws and copies only the boxes a frame changes. For random
// records of every kind (copies across the screen's edges and far beyond
// them, logos larger than the screen or of one pixel, hostile speeds) the
// screen after each frame is the whole compose and copy's, pixel for pixel,
// also after a repaint and a frame without a device context, and when
// several steps are shown by one frame.
TEST_F(EffectDrawing, FallingChangedBoxesShowWhatWholeFramesShow) {
    struct Case {
        int LogoW, LogoH;
        int32_t Speed, Count, Direction, Fade, Scaled;
    };
    const Case cases[] = {
        {64, 48, 10, 15, 2, 0, 1}, {96, 64, 25, 50, 15, 1, 1},        {900, 700, 7, 50, 12, 1, 0},
        {1, 1, 3, 50, 1, 0, 1},    {64, 48, INT32_MAX, 50, 15, 1, 1}, {200, 30, -7, 40, 8, 1, 1},
        {64, 48, 0, 30, 4, 0, 1}, // copies that never move
    };
    CurrentEffect = EffectFalling;
    std::mt19937 random(27);
    for (const Case& c : cases) {
        // Random premultiplied pixels: a pixel blended twice, or missed, shows.
        logo_ = std::make_unique<Dib>(c.LogoW, c.LogoH);
        for (int i = 0; i < c.LogoW * c.LogoH; ++i) {
            const uint32_t a = random() & 0xFF, p = random();
            logo_->Bits[i] = (a << 24) | ((p & 0xFF) * a / 255) |
                             (((p >> 8) & 0xFF) * a / 255) << 8 |
                             (((p >> 16) & 0xFF) * a / 255) << 16;
        }
        LogoDC = logo_->Dc.get();
        LogoRect = {0, 0, c.LogoW, c.LogoH, c.LogoW, c.LogoH};
        S().FallingSpeed = c.Speed;
        S().FallingCount = c.Count;
        S().FallingDirection = c.Direction;
        S().FallingFade = c.Fade;
        S().FallingScaled = c.Scaled;
        const uint32_t seed = random();
        auto run = [&](bool whole, const std::vector<int>& groups) {
            FallingWholeFrames = whole;
            SeedRand(seed);
            const std::map<int, uint64_t> shots = Shots(*screen_, DrawFalling, 300, groups);
            FallingWholeFrames = false;
            return shots;
        };
        const std::map<int, uint64_t> whole = run(true, {1});
        const std::string what = "logo " + std::to_string(c.LogoW) + " x " +
                                 std::to_string(c.LogoH) + ", speed " + std::to_string(c.Speed);
        ExpectSameAtEachFrame(run(false, {1}), whole, what);
        ExpectSameAtEachFrame(run(false, PacedSteps), whole, what + ", paced");
    }
    CurrentEffect = -1;
}

// A teal logo with soft edges on yellow, prepared as the engine prepares it
// (composed onto the background): wherever copies lie over each other or
// over the background, each pixel is a mix of teal and yellow, with or
// without fading and scaling. A mix shows as one share t of teal in every
// channel; the background added twice shows as paler or redder pixels.
TEST_F(EffectDrawing, FallingShowsOnlyMixesOfAnAlphaLogoAndTheBackground) {
    constexpr int Teal[3] = {0x80, 0x80, 0x00}, Yellow[3] = {0x00, 0xFF, 0xFF}; // B, G, R
    brush_.reset(CreateSolidBrush(RGB(Yellow[2], Yellow[1], Yellow[0])));
    BackgroundBrush = brush_.get();
    UniqueDC display(CreateDCA("DISPLAY", nullptr, nullptr, nullptr));
    DisplayDC = display.get();
    CurrentTrailer.PicHasTrans = 1;
    CurrentTrailer.TransparentColor = -1;
    S().Transparent = 1;
    CurrentEffect = EffectFalling;
    for (int round = 0; round < 4; ++round) {
        for (int y = 0; y < LogoH; ++y)
            for (int x = 0; x < LogoW; ++x) {
                const uint32_t a = x < 6 ? 0 : std::min(255, (x - 6) * 16);
                uint32_t p = a << 24;
                for (int c = 0; c < 3; ++c)
                    p |= static_cast<uint32_t>(Teal[c] * a / 255) << (8 * c);
                logo_->Bits[y * LogoW + x] = p;
            }
        LogoRect = {0, 0, LogoW, LogoH, LogoW, LogoH};
        PrepareLogo();
        S().FallingCount = 50;
        S().FallingFade = round & 1;
        S().FallingScaled = round >> 1;
        FillRect(Screen(), &ScreenRect, BackgroundBrush);
        SeedRand(61);
        DrawFalling(Screen(), OpInitialise);
        for (int frame = 0; frame < 3; ++frame)
            DrawFalling(Screen(), OpFrame);
        DrawFalling(nullptr, OpCleanUp);
        long strange = 0, teal = 0;
        for (int y = 0; y < ScreenH; ++y)
            for (int x = 0; x < ScreenW; ++x) {
                const uint32_t p = screen_->At(x, y);
                const double t = (0xFF - static_cast<int>((p >> 16) & 0xFF)) / 255.0;
                bool mix = true;
                for (int c = 0; c < 3; ++c) {
                    const double want = Yellow[c] + t * (Teal[c] - Yellow[c]);
                    mix = mix && std::abs(static_cast<int>((p >> (8 * c)) & 0xFF) - want) <= 3;
                }
                strange += !mix;
                teal += p == 0x008080;
            }
        EXPECT_EQ(strange, 0) << "fade " << (round & 1) << ", scaled " << (round >> 1);
        if (!(round & 1)) { // the nearest copies show the logo as it is
            EXPECT_GT(teal, 0);
        }
    }
    CurrentEffect = -1;
    DisplayDC = nullptr;
}

// Drip's steps taken a display frame's worth at a time show what they show
// drawn one by one, for a logo inside the screen, tiled, and higher than it.
TEST_F(EffectDrawing, DripStepsShownTogetherShowWhatEachStepShows) {
    CurrentEffect = EffectDrip;
    for (const auto& [w, h, display] : {std::tuple{64, 48, 1}, {1, 1, 4}, {40, ScreenH + 100, 1}}) {
        logo_ = std::make_unique<Dib>(w, h);
        for (int i = 0; i < w * h; ++i)
            logo_->Bits[i] = 0xFF000000u | static_cast<uint32_t>(i * 2654435761u >> 8);
        LogoDC = logo_->Dc.get();
        LogoRect = {0, 0, w, h, w, h};
        S().DripDisplay = display;
        SeedRand(33);
        const std::map<int, uint64_t> each = Shots(*screen_, DrawDrip, 600, {1});
        SeedRand(33);
        ExpectSameAtEachFrame(Shots(*screen_, DrawDrip, 600, PacedSteps), each,
                              "logo " + std::to_string(w) + " x " + std::to_string(h));
    }
    CurrentEffect = -1;
}

TEST_F(EffectDrawing, SliderPictureHasTheLogoUnderAGrid) {
    S().SliderDisplay = 3;
    S().SliderTileSize = 1050; // 64
    DrawSlider(Screen(), OpInitialise);
    DrawSlider(Screen(), OpRepaint);
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(screen_->At(i * 64, 30), 0u) << i;
        EXPECT_EQ(screen_->At(30, i * 64 < ScreenH ? i * 64 : 0), 0u) << i;
        EXPECT_EQ(screen_->At(i * 64 + 30, 30), LogoColour) << i;
    }
    DrawSlider(nullptr, OpCleanUp);
}

TEST_F(EffectDrawing, ManyRunsLeaveNoGdiObjectBehind) {
    // Warm up once so lazily made system objects are not counted.
    auto run = [&](int round) {
        S().BounceTrail = round & 1;
        S().BounceGravity = round & 2 ? 30 : 0;
        S().FallingFade = round & 1;
        S().FallingCount = 30 + round;
        S().SliderTileSize = 1050 + round % 5;
        LowColour = round % 3 == 0;
        for (EffectDraw draw : {DrawBounce, DrawDrip, DrawFalling, DrawSlider}) {
            draw(Screen(), OpInitialise);
            if (draw != DrawSlider)
                for (int f = 0; f < 3; ++f)
                    draw(Screen(), OpFrame);
            draw(Screen(), OpRepaint);
            draw(Screen(), OpCleanUp);
        }
        // A second start without a clean-up in between frees the first.
        DrawFalling(Screen(), OpInitialise);
        DrawFalling(Screen(), OpFrame);
        DrawFalling(Screen(), OpInitialise);
        DrawFalling(Screen(), OpCleanUp);
        LowColour = 0;
    };
    run(0);
    const long before = GdiObjectsInUse();
    for (int round = 0; round < 20; ++round)
        run(round);
    EXPECT_EQ(GdiObjectsInUse(), before);
}

// The render engine changes between the four effects many times in one
// process, stopping some runs during the wait before the first frame and
// Slider during a slide; nothing is left behind.
TEST(EffectChanges, ManyRunsThroughTheEngineLeaveNoGdiObjectBehind) {
    SaverTrailer t{};
    LoadDefaultSettings(t, 1);
    t.TransparentColor = -1;
    t.PicHasTrans = 0;
    t.Settings.EnabledMask = EffectBounce | EffectDrip | EffectFalling | EffectSlider;
    t.Settings.FallingCount = 50;
    t.Settings.DripInterval = 20;
    CurrentTrailer = t;
    CurrentSettings = &CurrentTrailer.Settings;
    LogoBlock = MakeLogoBmp(96, 64, LogoColour);
    UniqueDC display(CreateDCA("DISPLAY", nullptr, nullptr, nullptr));
    DisplayDC = display.get();
    UniqueBrush brush(CreateSolidBrush(RGB(0, 0, 0x60)));
    BackgroundBrush = brush.get();
    HWND window = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 800, 600, nullptr, nullptr,
                                  nullptr, nullptr);
    ASSERT_NE(window, nullptr);

    // Each run takes the next of the four effects.
    static int next = 0;
    const SaverHooks saved = Hooks;
    Hooks.ChooseEffect = [] {
        static constexpr int rows[] = {2, 4, 5, 6}; // Bounce, Drip, Falling, Slider
        return rows[next++ % 4];
    };
    int seen = 0;
    auto run = [&](DWORD ms) {
        StartRenderThread(window);
        const DWORD start = GetTickCount();
        while (GetTickCount() - start < ms) {
            Sleep(20);
            if (CurrentEffect > 0)
                seen |= CurrentEffect;
        }
        StopRenderThread();
        ReleaseLogo();
    };
    run(700);
    const long before = GdiObjectsInUse();
    for (int i = 0; i < 16; ++i)
        run(i % 5 == 0 ? 100 : 800);
    EXPECT_EQ(GdiObjectsInUse(), before);
    EXPECT_EQ(seen, EffectBounce | EffectDrip | EffectFalling | EffectSlider);

    Hooks = saved;
    DestroyWindow(window);
    CurrentEffect = -1;
    BackgroundBrush = nullptr;
    DisplayDC = nullptr;
    LogoBlock.clear();
}

} // namespace
