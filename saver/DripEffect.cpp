// The Drip effect's drawing: the logo once, then runs of one-pixel columns
// copied a few pixels down within the screen.
#include "core/DripMotion.h"
#include "core/Saturate.h"
#include "saver/EffectTable.h"
#include "saver/LogoImage.h"
#include "saver/SaverState.h"

namespace {

DripState Drip;

void DrawPicture(HDC dc) {
    RECT covered{};
    DrawLogo(dc, CurrentSettings->DripDisplay, nullptr, &covered);
    Drip.Rect = {covered.left, covered.top, covered.right, covered.bottom};
}

void Burst(HDC dc) {
    // The rectangle and the running offsets may reach the int32_t ends.
    const int32_t height = SaturateToInt32(static_cast<int64_t>(Drip.Rect.Bottom) - Drip.Rect.Top);
    for (const DripColumn& c : DripBurst(Drip)) {
        const int32_t to = SaturateToInt32(static_cast<int64_t>(c.From) + c.Distance);
        BitBlt(dc, c.X, to, 1, height, dc, c.X, c.From, SRCCOPY);
        const RECT gap{c.X, c.From, c.X + 1, to};
        FillRect(dc, &gap, BackgroundBrush);
    }
}

} // namespace

void DrawDrip(HDC dc, EffectOp op) {
    switch (op) {
    case OpInitialise:
        DripStart(Drip, ScreenWidth());
        break;
    case OpCleanUp:
        Drip = DripState{};
        break;
    case OpStep:
    case OpFrame:
        // The first step draws the logo; the others are bursts. Every step
        // draws on the screen: a burst is a few small copies within it, and
        // the render engine takes the steps of a display frame together, so
        // that the screen takes them in as one change.
        if (!dc)
            break;
        if (Drip.First) {
            DrawPicture(dc);
            Drip.First = false;
        } else {
            Burst(dc);
        }
        break;
    case OpRepaint:
        // Only the first frame ends the plain picture: a repaint before it
        // (the window's first paint comes during the wait before the first
        // frame, whose background fill wipes it) must not start the drips on
        // an empty screen.
        if (dc)
            DrawPicture(dc);
        break;
    default:
        break;
    }
}
