// Standard (one logo at a new random place each frame, optionally faded)
// and Many (logos pile up at random places, optionally dimming the older
// ones). One draw function serves both; the current effect tells them apart.
#include "saver/StandardEffect.h"

#include "core/StandardMotion.h"
#include "saver/EffectTable.h"
#include "saver/LogoImage.h"
#include "common/MemoryBitmap.h"
#include "saver/RenderEngine.h"
#include "saver/SaverState.h"

namespace {
int FirstFrame = 1; // Standard without fade, and Many: the next frame keeps the screen
int FadeFirst = 1;  // Standard with fade: the next frame only fades in

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
    const int w = LogoRect.Width, h = LogoRect.Height;
    MemoryBitmap work;
    if (!work.Create(dc, w, h))
        return;
    SelectGuard brush(work.Dc(), BackgroundBrush);
    SelectGuard pen(work.Dc(), GetStockObject(NULL_PEN));
    FadeRamp ramp(fadeIn);
    do {
        Rectangle(work.Dc(), 0, 0, w + 1, h + 1);
        if (const int level = ramp.Level(); level > 0) {
            const BLENDFUNCTION blend{AC_SRC_OVER, 0, static_cast<BYTE>(level), 0};
            AlphaBlend(work.Dc(), 0, 0, w, h, LogoDC, 0, 0, w, h, blend);
        }
        BitBlt(dc, LogoRect.X, LogoRect.Y, w, h, work.Dc(), 0, 0, SRCCOPY);
        if (WaitStop(5))
            break;
    } while (ramp.Advance());
}

void DimScreen(HDC dc, int alpha) {
    const int w = ScreenWidth(), h = ScreenHeight();
    MemoryBitmap wash;
    if (!wash.Create(dc, w, h))
        return;
    RECT all{0, 0, w, h};
    FillRect(wash.Dc(), &all, BackgroundBrush);
    const BLENDFUNCTION blend{AC_SRC_OVER, 0, static_cast<BYTE>(alpha), 0};
    AlphaBlend(dc, 0, 0, w, h, wash.Dc(), 0, 0, w, h, blend);
    Sleep(10);
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
