// Our own blends against GDI's AlphaBlend on random pixels, and the effects
// that use them: Static's stretched picture, Many's wash and the render
// loop's CPU use while Many dims the screen.
#include "core/PixelBlend.h"
#include "saver/EffectTable.h"
#include "common/Handles.h"
#include "common/ProcessTime.h"
#include "saver/LogoImage.h"
#include "saver/PixelSurface.h"
#include "saver/RenderEngine.h"
#include "saver/SaverHooks.h"
#include "saver/SaverState.h"
#include "saver/StandardEffect.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <random>

namespace {

std::mt19937 Random(20);

void Fill(PixelSurface& s, bool premultiplied) {
    GdiFlush();
    for (int y = 0; y < s.Height(); ++y)
        for (int x = 0; x < s.Width(); ++x) {
            uint32_t p = static_cast<uint32_t>(Random());
            if (premultiplied) {
                const uint32_t a = p >> 24;
                uint32_t q = a << 24;
                for (int c = 0; c < 3; ++c)
                    q |= (((p >> (8 * c)) & 0xFF) * a / 255) << (8 * c);
                p = q;
            }
            s.Row(y)[x] = p;
        }
}

// The largest difference of a colour channel between two surfaces.
int MaxDifference(const PixelSurface& a, const PixelSurface& b) {
    GdiFlush();
    int worst = 0;
    for (int y = 0; y < a.Height(); ++y)
        for (int x = 0; x < a.Width(); ++x)
            for (int c = 0; c < 3; ++c) {
                const int d = static_cast<int>((a.Row(y)[x] >> (8 * c)) & 0xFF) -
                              static_cast<int>((b.Row(y)[x] >> (8 * c)) & 0xFF);
                worst = std::max(worst, std::abs(d));
            }
    return worst;
}

void CopySurface(PixelSurface& to, const PixelSurface& from) {
    BitBlt(to.Dc(), 0, 0, from.Width(), from.Height(), from.Dc(), 0, 0, SRCCOPY);
    GdiFlush();
}

TEST(OurBlend, MatchesAlphaBlendWithinOnePerChannelOnRandomBuffers) {
    for (int round = 0; round < 6; ++round) {
        const int w = 37 + round * 61, h = 5 + round * 7;
        const auto alpha = static_cast<uint8_t>(round == 0 ? 255 : Random() & 0xFF);
        PixelSurface src, premultiplied, dst, ours, theirs;
        ASSERT_TRUE(src.Create(nullptr, w, h) && premultiplied.Create(nullptr, w, h) &&
                    dst.Create(nullptr, w, h) && ours.Create(nullptr, w, h) &&
                    theirs.Create(nullptr, w, h));
        Fill(src, false);
        Fill(premultiplied, true);
        Fill(dst, false);
        const BLENDFUNCTION constant{AC_SRC_OVER, 0, alpha, 0};
        const BLENDFUNCTION perPixel{AC_SRC_OVER, 0, alpha, AC_SRC_ALPHA};

        // Fades: the logo over the background with a constant alpha.
        CopySurface(ours, dst);
        CopySurface(theirs, dst);
        for (int y = 0; y < h; ++y)
            BlendConstant(ours.Row(y), src.Row(y), static_cast<size_t>(w), alpha);
        AlphaBlend(theirs.Dc(), 0, 0, w, h, src.Dc(), 0, 0, w, h, constant);
        EXPECT_LE(MaxDifference(ours, theirs), 1) << "constant, alpha " << int(alpha);

        // Washes: one colour over everything.
        const uint32_t colour = static_cast<uint32_t>(Random()) & 0xFFFFFF;
        CopySurface(ours, dst);
        CopySurface(theirs, dst);
        BlendSolid(ours.Row(0), ours.Row(0), static_cast<size_t>(w) * h, colour, alpha);
        UniqueBrush brush(CreateSolidBrush(RGB(colour >> 16, (colour >> 8) & 0xFF, colour & 0xFF)));
        const RECT all{0, 0, w, h};
        FillRect(src.Dc(), &all, brush.get());
        AlphaBlend(theirs.Dc(), 0, 0, w, h, src.Dc(), 0, 0, w, h, constant);
        EXPECT_LE(MaxDifference(ours, theirs), 1) << "wash, alpha " << int(alpha);
        EXPECT_EQ(BrushPixel(brush.get()), colour);

        // Falling's copies: per-pixel alpha, cut off where they leave the screen.
        for (const POINT at : {POINT{0, 0}, POINT{-w / 3, h / 2}, POINT{w / 2, -h / 3}}) {
            CopySurface(ours, dst);
            CopySurface(theirs, dst);
            BlendSurface(ours, at.x, at.y, premultiplied, alpha);
            AlphaBlend(theirs.Dc(), at.x, at.y, w, h, premultiplied.Dc(), 0, 0, w, h, perPixel);
            EXPECT_LE(MaxDifference(ours, theirs), 1)
                << "per pixel, alpha " << int(alpha) << " at " << at.x << "," << at.y;
        }
    }
}

class EffectBlend : public ::testing::Test {
  protected:
    void SetUp() override {
        SaverTrailer t{};
        LoadDefaultSettings(t, 1);
        CurrentTrailer = t;
        CurrentSettings = &CurrentTrailer.Settings;
        brush_.reset(CreateSolidBrush(RGB(0x10, 0x20, 0x60)));
        BackgroundBrush = brush_.get();
        ASSERT_TRUE(logo_.Create(nullptr, 40, 30));
        Fill(logo_, true);
        LogoDC = logo_.Dc();
        LogoRect = {0, 0, 40, 30, 40, 30};
        ScreenRect = {0, 0, 320, 200};
        DrawTransparent = 0;
        LowColour = 0;
        ASSERT_TRUE(screen_.Create(nullptr, 320, 200));
        ASSERT_TRUE(expected_.Create(nullptr, 320, 200));
    }
    void TearDown() override {
        LogoDC = nullptr;
        BackgroundBrush = nullptr;
        CurrentEffect = -1;
    }
    UniqueBrush brush_;
    PixelSurface logo_, screen_, expected_;
};

TEST_F(EffectBlend, StaticStretchedPictureIsTheLogoDrawnStraightOntoTheScreen) {
    CurrentEffect = EffectStatic;
    for (int mode : {DisplayFull, DisplayStretch}) {
        CurrentSettings->StaticDisplay = mode;
        for (PixelSurface* s : {&screen_, &expected_})
            FillRect(s->Dc(), &ScreenRect, BackgroundBrush);
        DrawLogo(expected_.Dc(), mode);
        DrawStatic(screen_.Dc(), OpInitialise);
        DrawStatic(screen_.Dc(), OpFrame);
        EXPECT_EQ(MaxDifference(screen_, expected_), 0) << "mode " << mode;
        // A repaint over a cleared screen and a later frame show it again.
        FillRect(screen_.Dc(), &ScreenRect, BackgroundBrush);
        DrawStatic(screen_.Dc(), OpRepaint);
        DrawStatic(screen_.Dc(), OpFrame);
        EXPECT_EQ(MaxDifference(screen_, expected_), 0) << "mode " << mode;
        DrawStatic(screen_.Dc(), OpCleanUp);
    }
}

// Standard fades a logo far larger than the screen in what the screen
// shows of it: a whole fade takes less than a stop may wait, and ends with
// the logo's pixels where it lies.
TEST_F(EffectBlend, StandardFadesOnlyWhatTheScreenShowsOfAHugeLogo) {
    PixelSurface huge;
    ASSERT_TRUE(huge.Create(nullptr, 6000, 4000));
    for (int y = 0; y < 4000; ++y)
        for (int x = 0; x < 6000; ++x)
            huge.Row(y)[x] = 0xFF000000u | static_cast<uint32_t>(x * 7 + y * 131);
    LogoDC = huge.Dc();
    for (const POINT at : {POINT{0, 0}, POINT{5800, 3900}, POINT{-100, 70}}) {
        LogoRect = {at.x, at.y, 6000, 4000, 6000, 4000};
        FillRect(screen_.Dc(), &ScreenRect, BackgroundBrush);
        FillRect(expected_.Dc(), &ScreenRect, BackgroundBrush);
        BitBlt(expected_.Dc(), at.x, at.y, 6000, 4000, huge.Dc(), 0, 0, SRCCOPY);
        const DWORD start = GetTickCount();
        FadeLogo(screen_.Dc(), true);
        EXPECT_LT(GetTickCount() - start, StopTimeout / 2) << at.x << ", " << at.y;
        EXPECT_EQ(MaxDifference(screen_, expected_), 0) << at.x << ", " << at.y;
    }
    LogoDC = logo_.Dc();
}

TEST_F(EffectBlend, ManyDimmingWashesTheWholeScreenAsAlphaBlendWould) {
    Fill(screen_, false);
    CopySurface(expected_, screen_);
    PixelSurface wash;
    ASSERT_TRUE(wash.Create(nullptr, 320, 200));
    FillRect(wash.Dc(), &ScreenRect, BackgroundBrush);
    const BLENDFUNCTION five{AC_SRC_OVER, 0, 5, 0};
    for (int i = 0; i < 3; ++i) {
        DimScreen(screen_.Dc(), 5);
        AlphaBlend(expected_.Dc(), 0, 0, 320, 200, wash.Dc(), 0, 0, 320, 200, five);
    }
    EXPECT_LE(MaxDifference(screen_, expected_), 1);
    CurrentEffect = EffectMany;
    DrawStandard(screen_.Dc(), OpCleanUp);
}

// The render loop waits out each frame's interval: one second of Many with
// dimming (a frame every 30 ms) on a 1920 x 1080 window takes a small part
// of one processor.
TEST_F(EffectBlend, OneSecondOfManyWithDimmingTakesLittleProcessorTime) {
    HWND window = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, 1920, 1080, nullptr,
                                  nullptr, nullptr, nullptr);
    ASSERT_NE(window, nullptr);
    UniqueDC display(CreateDCA("DISPLAY", nullptr, nullptr, nullptr));
    DisplayDC = display.get();
    const SaverHooks saved = Hooks;
    Hooks.LoadLogo = [] { return true; };
    Hooks.ChooseEffect = [] { return FindEffect(EffectMany); };
    CurrentSettings->EnabledMask = EffectMany;
    CurrentSettings->ManyDim = 1;
    ASSERT_EQ(FindEffect(EffectMany), 3);

    StartRenderThread(window);
    Sleep(600); // past the pause before the first frame
    const double start = ProcessCpuMs();
    const DWORD wallStart = GetTickCount();
    Sleep(1000);
    const double used = ProcessCpuMs() - start;
    const DWORD wall = GetTickCount() - wallStart;
    StopRenderThread();
    std::printf("one second of Many with dimming: %.0f ms of CPU time in %lu ms\n", used,
                static_cast<unsigned long>(wall));
    EXPECT_LT(used, 0.5 * wall);

    Hooks = saved;
    DisplayDC = nullptr;
    DestroyWindow(window);
}

} // namespace
