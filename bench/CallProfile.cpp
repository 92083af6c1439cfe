#include "bench/CallProfile.h"

#include "core/PixelBlend.h"
#include "saver/LogoImage.h"
#include "common/MemoryBitmap.h"
#include "saver/PixelSurface.h"

void ProfileCalls(HDC screen, bool quick, ColumnWriter& out) {
    const int n = quick ? 3 : 30;
    const int w = ScreenWidth(), h = ScreenHeight();
    const int lw = LogoRect.Width, lh = LogoRect.Height;
    RECT all{0, 0, w, h};

    MemoryBitmap memory;
    memory.Create(screen, w, h);
    out.Put("FillRect, screen-sized memory bitmap",
            MsPerFrame(n, [&] { FillRect(memory.Dc(), &all, BackgroundBrush); }));
    out.Put("BitBlt, screen-sized to the screen",
            MsPerFrame(n, [&] { BitBlt(screen, 0, 0, w, h, memory.Dc(), 0, 0, SRCCOPY); }));
    out.Put("BitBlt, the screen read back",
            MsPerFrame(n, [&] { BitBlt(memory.Dc(), 0, 0, w, h, screen, 0, 0, SRCCOPY); }));
    out.Put("CreateCompatibleBitmap, screen-sized", MsPerFrame(n, [&] {
                MemoryBitmap wash;
                wash.Create(screen, w, h);
            }));

    // Many's dimming: a wash of the background over the whole screen.
    const BLENDFUNCTION dim{AC_SRC_OVER, 0, 5, 0};
    out.Put("AlphaBlend, constant 5, whole screen",
            MsPerFrame(n, [&] { AlphaBlend(screen, 0, 0, w, h, memory.Dc(), 0, 0, w, h, dim); }));

    PixelSurface screenCopy;
    screenCopy.Create(screen, w, h);
    out.Put("  our wash of the same on a screen copy", MsPerFrame(n, [&] {
                BlendSolid(screenCopy.Row(0), screenCopy.Row(0), static_cast<size_t>(w) * h, 0x60,
                           5);
            }));

    // Static full screen: the logo stretched to the screen's height.
    const RECT fit = FitToAspect(RECT{0, 0, lw, lh});
    auto stretch = [&](HDC to) {
        SetStretchBltMode(to, HALFTONE);
        SetBrushOrgEx(to, 0, 0, nullptr);
        StretchBlt(to, fit.left, fit.top, fit.right - fit.left, fit.bottom - fit.top, LogoDC, 0, 0,
                   lw, lh, SRCCOPY);
    };
    out.Put("StretchBlt HALFTONE, logo to full screen", MsPerFrame(n, [&] { stretch(screen); }));
    PixelSurface dib;
    dib.Create(screen, w, h);
    out.Put("  the same into a screen-sized DIB", MsPerFrame(n, [&] { stretch(dib.Dc()); }));
    SetStretchBltMode(screen, COLORONCOLOR);
    out.Put("  the same, COLORONCOLOR", MsPerFrame(n, [&] {
                StretchBlt(screen, fit.left, fit.top, fit.right - fit.left, fit.bottom - fit.top,
                           LogoDC, 0, 0, lw, lh, SRCCOPY);
            }));

    // Standard's fade: one of its 64 levels.
    PixelSurface copy;
    copy.Create(screen, lw, lh);
    BitBlt(copy.Dc(), 0, 0, lw, lh, LogoDC, 0, 0, SRCCOPY);
    GdiFlush();
    MemoryBitmap work;
    work.Create(screen, lw, lh);
    const RECT logoArea{0, 0, lw, lh};
    out.Put("fade level: fill, AlphaBlend, BitBlt", MsPerFrame(n * 10, [&] {
                FillRect(work.Dc(), &logoArea, BackgroundBrush);
                const BLENDFUNCTION level{AC_SRC_OVER, 0, 128, 0};
                AlphaBlend(work.Dc(), 0, 0, lw, lh, LogoDC, 0, 0, lw, lh, level);
                BitBlt(screen, 10, 10, lw, lh, work.Dc(), 0, 0, SRCCOPY);
            }));

    out.Put("  BitBlt of the level alone", MsPerFrame(n * 10, [&] {
                BitBlt(screen, 10, 10, lw, lh, work.Dc(), 0, 0, SRCCOPY);
                GdiFlush();
            }));
    PixelSurface level;
    level.Create(screen, lw, lh);
    out.Put("  our blend of the level", MsPerFrame(n * 10, [&] {
                BlendSolid(level.Row(0), copy.Row(0), static_cast<size_t>(lw) * lh, 0x60, 127);
            }));

    // Falling: one copy made (scaled) and one copy blended per frame.
    const BLENDFUNCTION perPixel{AC_SRC_OVER, 0, 200, AC_SRC_ALPHA};
    out.Put("Falling: AlphaBlend one copy, 256x128", MsPerFrame(n * 10, [&] {
                AlphaBlend(memory.Dc(), 100, 100, lw, lh, LogoDC, 0, 0, lw, lh, perPixel);
            }));
    PixelSurface back;
    back.Create(screen, w, h);
    out.Put("  our blend of the same",
            MsPerFrame(n * 10, [&] { BlendSurface(back, 100, 100, copy, 200); }));
    out.Put("Falling: scale a copy, 256x128 to 128x64", MsPerFrame(n * 10, [&] {
                MemoryBitmap copy;
                copy.Create(LogoDC, lw / 2, lh / 2);
                SetStretchBltMode(copy.Dc(), HALFTONE);
                const BLENDFUNCTION once{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
                AlphaBlend(copy.Dc(), 0, 0, lw / 2, lh / 2, LogoDC, 0, 0, lw, lh, once);
            }));
}
