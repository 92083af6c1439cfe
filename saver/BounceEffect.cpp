// The Bounce effect's drawing: without a trail through a screen-sized back
// buffer, copying only the area around the old and new logo; with a trail
// straight onto the screen.
#include "core/BounceMotion.h"
#include "core/Saturate.h"
#include "saver/EffectTable.h"
#include "saver/LogoImage.h"
#include "common/MemoryBitmap.h"
#include "saver/SaverState.h"

namespace {

struct BounceRun {
    BounceState State;
    MemoryBitmap Back; // only without trail
};
BounceRun Bounce;

BounceSettings Settings() {
    const SaverSettings& s = *CurrentSettings;
    return {s.BounceSpeed, s.BounceGravity, s.BounceWrap};
}

BounceArea Area() {
    return {LogoRect.Width, LogoRect.Height, ScreenWidth(), ScreenHeight()};
}

void Initialise(HDC dc) {
    Bounce = BounceRun{};
    // The whole buffer, its last row and column too: the copies near the
    // right and bottom edges reach them.
    if (CurrentSettings->BounceTrail == 0 && Bounce.Back.Create(dc, ScreenWidth(), ScreenHeight()))
        FillRect(Bounce.Back.Dc(), &ScreenRect, BackgroundBrush);
    Bounce.State = BounceStart(Settings(), Area());
}

void Step(HDC dc) {
    BounceState& b = Bounce.State;
    const BounceArea area = Area();
    BounceStep(b, Settings(), area);
    HDC back = Bounce.Back.Dc();
    LogoRect.X = b.PosX;
    LogoRect.Y = b.PosY;
    if (back) {
        // The old logo and 4 pixels beyond it (an outline-free rectangle of 5).
        const RECT old{b.PrevX, b.PrevY,
                       SaturateToInt32(static_cast<int64_t>(b.PrevX) + area.Width + 4),
                       SaturateToInt32(static_cast<int64_t>(b.PrevY) + area.Height + 4)};
        FillRect(back, &old, BackgroundBrush);
        DrawLogoPlain(back);
        const BounceRect r = BounceUnion(b.PosX, b.PosY, b.PrevX, b.PrevY, area);
        BitBlt(dc, r.Left, r.Top, r.Width, r.Height, back, r.Left, r.Top, SRCCOPY);
    } else {
        DrawLogoPlain(dc); // trail: every earlier image stays
    }
    b.PrevX = b.PosX;
    b.PrevY = b.PosY;
}

} // namespace

void DrawBounce(HDC dc, EffectOp op) {
    switch (op) {
    case OpInitialise:
        Initialise(dc);
        break;
    case OpFrame:
        if (dc)
            Step(dc);
        break;
    case OpCleanUp:
        Bounce.Back.reset();
        break;
    default:
        break;
    }
}
