// Static: the logo once, in its display mode; redrawn every frame (1 s).
// A stretched logo (full screen, stretched to the screen) is scaled once
// per run into a picture of its own, on a worker started at op 1: the
// halftone stretch of a whole screen takes longer than a user should wait,
// and so overlaps the pause before the first frame. A tiled logo is tiled
// into such a picture too, the size of the whole window: a logo as wide as
// the window narrows ScreenRect by a pixel, but its tiles are drawn whole.
// Frames copy the picture.
#include "saver/EffectTable.h"
#include "common/Handles.h"
#include "saver/LogoImage.h"
#include "saver/PixelSurface.h"
#include "saver/SaverState.h"

namespace {

struct ComposedPicture {
    PixelSurface Surface;
    RECT Covered{};
    int Mode = 0;
    UniqueKernel Worker; // composing Surface; nothing else touches it meanwhile
};
ComposedPicture Picture;

bool Composed(int mode) {
    return mode == DisplayFull || mode == DisplayStretch || mode == DisplayTiled;
}

DWORD WINAPI Compose(void*) {
    DrawLogo(Picture.Surface.Dc(), Picture.Mode, nullptr, &Picture.Covered);
    if (Picture.Mode == DisplayTiled)
        Picture.Covered = {0, 0, Picture.Surface.Width(), Picture.Surface.Height()};
    GdiFlush();
    return 0;
}

void WaitForPicture() {
    if (Picture.Worker) {
        WaitForSingleObject(Picture.Worker.get(), INFINITE);
        Picture.Worker.reset();
    }
}

void FreePicture() {
    WaitForPicture();
    Picture.Surface.reset();
}

void StartPicture(HDC dc, int mode) {
    FreePicture();
    const bool tiled = mode == DisplayTiled;
    const int w = tiled ? WindowWidth() : ScreenWidth();
    const int h = tiled ? WindowHeight() : ScreenHeight();
    if (!Picture.Surface.Create(dc, w, h))
        return;
    Picture.Mode = mode;
    Picture.Worker.reset(CreateThread(nullptr, 0, Compose, nullptr, 0, nullptr));
    if (!Picture.Worker)
        Compose(nullptr);
}

} // namespace

void DrawStatic(HDC dc, EffectOp op) {
    const int mode = CurrentSettings->StaticDisplay;
    if (op == OpCleanUp) {
        FreePicture();
        return;
    }
    if (!Composed(mode) || ContentMode() || !dc) {
        DrawLogo(dc, mode);
        return;
    }
    // The engine fills the screen after op 1, so op 1 only starts the picture.
    if (op == OpInitialise) {
        StartPicture(dc, mode);
        return;
    }
    WaitForPicture();
    if (!Picture.Surface || Picture.Mode != mode) {
        DrawLogo(dc, mode);
        return;
    }
    const RECT& r = Picture.Covered;
    BitBlt(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, Picture.Surface.Dc(), r.left,
           r.top, SRCCOPY);
}
