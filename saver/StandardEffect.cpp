// Standard (one logo at a new random place each frame, optionally faded)
// and Many (logos pile up at random places, optionally dimming the older
// ones). One draw function serves both; the current effect tells them apart.
#include "saver/StandardEffect.h"

#include "core/DirtyRects.h"
#include "core/PixelBlend.h"
#include "core/StandardMotion.h"
#include "saver/EffectTable.h"
#include "saver/LogoImage.h"
#include "saver/PixelSurface.h"
#include "saver/RenderEngine.h"
#include "saver/SaverState.h"

namespace {
int FirstFrame = 1; // Standard without fade, and Many: the next frame keeps the screen
int FadeFirst = 1;  // Standard with fade: the next frame only fades in
// Many's copy of the screen for its washes, kept while it runs: GDI's
// AlphaBlend over a whole screen costs many frames on some systems.
PixelSurface WashScreen;

void MoveLogo(LogoPosition p) {
    LogoRect.X = p.X;
    LogoRect.Y = p.Y;
}

void DrawFadingStandard(HDC dc, EffectOp op) {
    if (op == OpInitialise) {
        FadeFirst = 1;
        return;
    }
    if (op != OpFrame)
        return; // a repaint leaves the screen to the next frame
    if (!FadeFirst) {
        FadeLogo(dc, false);
        if (StopFlag || WaitStop(1000))
            return;
    }
    FadeFirst = 0;
    MoveLogo(StandardPosition(ScreenWidth(), ScreenHeight(), LogoRect.Width, LogoRect.Height));
    FadeLogo(dc, true);
}
} // namespace

void FadeLogo(HDC dc, bool fadeIn) {
    // Only what the window shows of the logo: a logo far larger than the
    // screen would make each level take longer than a stop may wait.
    const PixelBox shown = BoxOnScreen(LogoRect.X, LogoRect.Y, LogoRect.Width, LogoRect.Height,
                                       WindowWidth(), WindowHeight());
    const int w = shown.Right - shown.Left, h = shown.Bottom - shown.Top;
    PixelSurface logo, work;
    if (shown.Empty() || !logo.Create(dc, w, h) || !work.Create(dc, w, h))
        return;
    // The logo's pixels, whatever bitmap holds them.
    BitBlt(logo.Dc(), 0, 0, w, h, LogoDC, shown.Left - LogoRect.X, shown.Top - LogoRect.Y, SRCCOPY);
    GdiFlush();
    const uint32_t background = BrushPixel(BackgroundBrush);
    FadeRamp ramp(fadeIn);
    do {
        // The logo at `level` over the background is the background at
        // 255 - level over the logo: one pass (level 0 leaves the background).
        BlendSolid(work.Row(0), logo.Row(0), static_cast<size_t>(w) * h, background,
                   static_cast<uint8_t>(255 - ramp.Level()));
        BitBlt(dc, shown.Left, shown.Top, w, h, work.Dc(), 0, 0, SRCCOPY);
        GdiFlush(); // the copy is made before the next level is written
        if (WaitStop(5))
            break;
    } while (ramp.Advance());
}

void DimScreen(HDC dc, int alpha) {
    const int w = ScreenWidth(), h = ScreenHeight();
    if ((WashScreen.Width() != w || WashScreen.Height() != h) && !WashScreen.Create(dc, w, h))
        return;
    BitBlt(WashScreen.Dc(), 0, 0, w, h, dc, 0, 0, SRCCOPY);
    GdiFlush();
    BlendSolid(WashScreen.Row(0), WashScreen.Row(0), static_cast<size_t>(w) * h,
               BrushPixel(BackgroundBrush), static_cast<uint8_t>(alpha));
    BitBlt(dc, 0, 0, w, h, WashScreen.Dc(), 0, 0, SRCCOPY);
    GdiFlush();
    WaitStop(10);
}

void DrawStandard(HDC dc, EffectOp op) {
    const SaverSettings& s = *CurrentSettings;
    const bool standard = CurrentEffect == EffectStandard;
    if (standard && s.StandardFade) {
        DrawFadingStandard(dc, op);
        return;
    }
    if (op != OpFrame && op != OpRepaint) {
        FirstFrame = 1;
        WashScreen.reset();
        return;
    }
    if (standard) {
        if (!FirstFrame) {
            // The DC's own pen (black) draws a one-pixel frame round the edge.
            SelectGuard brush(dc, BackgroundBrush);
            Rectangle(dc, 0, 0, ScreenWidth(), ScreenHeight());
        } else {
            FirstFrame = 0;
        }
        if (op == OpFrame)
            MoveLogo(
                StandardPosition(ScreenWidth(), ScreenHeight(), LogoRect.Width, LogoRect.Height));
    } else if (op == OpFrame) {
        if (s.ManyDim)
            DimScreen(dc, 5);
        MoveLogo(ManyPosition(ScreenWidth(), ScreenHeight(), LogoRect.Width, LogoRect.Height));
    }
    DrawLogoPlain(dc);
}
