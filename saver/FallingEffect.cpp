// The Falling effect's drawing: every copy of the logo has its own bitmap,
// scaled once when the copy is made; frames blend them far to near into a
// back buffer and copy that to the screen, with GDI calls batched. On a
// 32-bit display the frames' blends are our own, on the pixels of the back
// buffer, and a frame redraws and copies only the boxes where copies were
// or now are (a few logos on a large screen: most of it stays as it was);
// a low-colour display blends the scaled logo through GDI, on a back buffer
// composed whole every frame.
//
// Copies are scaled from one picture of the logo made at op 1: no larger
// than the screen (a logo of thousands of pixels would make every scaling
// read all of them, seconds for a frame of new copies), and premultiplied
// on nothing. A logo the engine composed onto the background has that
// background taken out again: a copy's transparent corners blended over a
// farther copy must show that copy, not the background once more.
#include "core/DirtyRects.h"
#include "core/FallingMotion.h"
#include "core/LogoGeometry.h"
#include "core/PixelBlend.h"
#include "saver/EffectTable.h"
#include "saver/LogoImage.h"
#include "saver/PixelSurface.h"
#include "saver/RenderEngine.h"
#include "saver/SaverState.h"

#include <algorithm>
#include <array>
#include <memory>
#include <vector>

namespace {

using Image = std::shared_ptr<const PixelSurface>;

struct FallingSprite {
    FallingLogo Logo;
    Image Picture; // 32-bit displays only
};

// Copies of one size look alike: each size is scaled once and shared, up to
// a budget of pixels (then the sizes made so far are forgotten; the copies
// in flight keep theirs).
constexpr size_t ScaledBudget = 8u << 20; // 32 MB

struct FallingRun {
    PixelSurface Source; // the logo every copy is scaled from
    std::array<FallingSprite, FallingMax> Sprites;
    std::vector<Image> Scaled;
    size_t ScaledPixels = 0;
    PixelSurface Back;
    bool Moved = false; // a step was taken: renewed copies enter from the edges
    bool Shown = false; // a frame was drawn: the back buffer holds it
    FallingVelocity Velocity{0, 0};
    uint32_t BackPixel = 0;      // the background as the brush paints it
    std::vector<PixelBox> Drawn; // where the last frame put copies in the back buffer
    DirtyRects Dirty;            // what this frame changes
};
// Made at op 1 and freed at op 4. Held through a pointer: a global of it
// would take its 3 KB in the program file (the compiler keeps objects with
// member initializers among the initialised data, zero or not).
std::unique_ptr<FallingRun> Run;

} // namespace

bool FallingWholeFrames = false;

namespace {

FallingArea Area() {
    return {LogoRect.Width, LogoRect.Height, ScreenWidth(), ScreenHeight()};
}

// The logo as a premultiplied picture on nothing, within the screen.
void MakeSource(PixelSurface& source) {
    int w = LogoRect.Width, h = LogoRect.Height;
    if (w > ScreenWidth() || h > ScreenHeight()) {
        const LogoBox fit = FitToAspect(w, h, ScreenWidth(), ScreenHeight());
        w = std::max(1, fit.Right - fit.Left);
        h = std::max(1, fit.Bottom - fit.Top);
    }
    if (!LogoDC || !source.Create(LogoDC, w, h))
        return;
    SetStretchBltMode(source.Dc(), HALFTONE);
    SetBrushOrgEx(source.Dc(), 0, 0, nullptr);
    const BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    AlphaBlend(source.Dc(), 0, 0, w, h, LogoDC, 0, 0, LogoRect.Width, LogoRect.Height, blend);
    GdiFlush();
    // Composed onto the background by PrepareLogo: take it out again.
    if (CurrentSettings->Transparent && !DrawTransparent) {
        const uint32_t background = BrushPixel(BackgroundBrush);
        for (int y = 0; y < h; ++y)
            RemoveBackground(source.Row(y), static_cast<size_t>(w), background);
    }
}

void Initialise() {
    Run = std::make_unique<FallingRun>();
    MakeSource(Run->Source);
    if (Run->Back.Create(LogoDC, ScreenWidth(), ScreenHeight())) {
        FillRect(Run->Back.Dc(), &ScreenRect, BackgroundBrush);
        GdiFlush();
        Run->BackPixel = Run->Back.Row(0)[0];
    }
    const FallingDirectionBit direction = FallingPickDirection(CurrentSettings->FallingDirection);
    Run->Velocity = FallingVelocityOf(direction, CurrentSettings->FallingSpeed);
    GdiSetBatchLimit(100);
    GdiFlush();
}

// Pixels scaled between two looks for the stop: a near copy of a large logo
// is larger than the screen.
constexpr int BandPixels = 1 << 20;

// The whole logo scaled to w x h, premultiplied on nothing (a new surface
// is all zeros). Made in bands, the whole scaling clipped to each; none
// when the stop came meanwhile.
Image MakeImage(int w, int h) {
    const PixelSurface& source = Run->Source;
    PixelSurface made;
    if (!source || !made.Create(LogoDC, w, h))
        return nullptr;
    HDC image = made.Dc();
    SetStretchBltMode(image, HALFTONE);
    SetBrushOrgEx(image, 0, 0, nullptr);
    const BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    const int band = std::max(1, BandPixels / w);
    for (int top = 0; top < h; top += band) {
        if (top > 0 && WaitStop(0))
            return nullptr;
        const int saved = SaveDC(image);
        IntersectClipRect(image, 0, top, w, std::min(h, top + band));
        AlphaBlend(image, 0, 0, w, h, source.Dc(), 0, 0, source.Width(), source.Height(), blend);
        RestoreDC(image, saved);
    }
    return std::make_shared<const PixelSurface>(std::move(made));
}

Image ImageOfSize(int w, int h) {
    for (const Image& i : Run->Scaled)
        if (i->Width() == w && i->Height() == h)
            return i;
    Image made = MakeImage(w, h);
    if (!made)
        return nullptr;
    const size_t pixels = static_cast<size_t>(w) * h;
    if (Run->ScaledPixels + pixels > ScaledBudget) {
        Run->Scaled.clear();
        Run->ScaledPixels = 0;
    }
    Run->Scaled.push_back(made);
    Run->ScaledPixels += pixels;
    return made;
}

// False when the stop came while copies were made: scaling a large copy
// takes a while, and the frame is then left undone.
bool Renew(int count) {
    const FallingArea area = Area();
    const bool scaled = CurrentSettings->FallingScaled != 0;
    for (int i = 0; i < count; ++i) {
        FallingSprite& s = Run->Sprites[i];
        if (Run->Moved && FallingKeep(s.Logo, area))
            continue;
        if (WaitStop(0))
            return false;
        s.Picture.reset();
        FallingRenew(s.Logo, !Run->Moved, scaled, Run->Velocity, area);
        if (!LowColour)
            s.Picture = ImageOfSize(s.Logo.W, s.Logo.H);
        if (StopFlag)
            return false;
    }
    FallingSort(Run->Sprites.data(), count, [](const FallingSprite& s) { return s.Logo.Depth; });
    return true;
}

// What this frame changes: the boxes of the copies where the last frame
// drew them and where this one draws them, or the whole screen.
void FindChanges(DirtyRects& dirty, int count) {
    const int w = ScreenWidth(), h = ScreenHeight();
    if (!Run->Shown || LowColour || !Run->Back || FallingWholeFrames)
        dirty.AddWhole();
    for (const PixelBox& b : Run->Drawn)
        dirty.Add(b);
    Run->Drawn.clear();
    for (int i = 0; i < count; ++i) {
        const FallingLogo& l = Run->Sprites[i].Logo;
        const PixelBox b = BoxOnScreen(l.X, l.Y, l.W, l.H, w, h);
        if (!b.Empty())
            Run->Drawn.push_back(b);
        dirty.Add(b);
    }
}

// Draws copy i on the back buffer; with our blends only inside `within`.
void DrawCopy(HDC back, int i, const PixelBox& within) {
    const FallingSprite& s = Run->Sprites[i];
    const FallingLogo& l = s.Logo;
    const int alpha = FallingAlpha(l.Depth, CurrentSettings->FallingFade != 0);
    const BLENDFUNCTION blend{AC_SRC_OVER, 0, static_cast<BYTE>(alpha), AC_SRC_ALPHA};
    if (!LowColour) {
        if (s.Picture && Run->Back)
            BlendSurface(Run->Back, l.X, l.Y, *s.Picture, static_cast<uint8_t>(alpha), within);
        else if (s.Picture)
            AlphaBlend(back, l.X, l.Y, l.W, l.H, s.Picture->Dc(), 0, 0, l.W, l.H, blend);
    } else if (const PixelSurface& source = Run->Source) {
        AlphaBlend(back, l.X, l.Y, l.W, l.H, source.Dc(), 0, 0, source.Width(), source.Height(),
                   blend);
    }
}

void Move(int count) {
    for (int i = 0; i < count; ++i)
        FallingMove(Run->Sprites[i].Logo, Run->Velocity);
    Run->Moved = true;
}

void Frame(HDC dc, int count) {
    DirtyRects& dirty = Run->Dirty;
    dirty.Start(ScreenWidth(), ScreenHeight());
    FindChanges(dirty, count);

    if (dirty.Whole()) {
        HDC back = Run->Back ? Run->Back.Dc() : dc;
        GdiFlush();
        SetStretchBltMode(back, HALFTONE);
        SetBrushOrgEx(back, 0, 0, nullptr);
        FillRect(back, &ScreenRect, BackgroundBrush);
        GdiFlush(); // before our blends write the back buffer's pixels
        const PixelBox all{0, 0, ScreenWidth(), ScreenHeight()};
        for (int i = 0; i < count; ++i)
            DrawCopy(back, i, all);
        if (back != dc)
            BitBlt(dc, 0, 0, ScreenWidth(), ScreenHeight(), back, 0, 0, SRCCOPY);
    } else if (!dirty.Boxes().empty()) {
        // Our own pixels only (a 32-bit display with a back buffer). The
        // boxes never overlap: each pixel in them gets the background and
        // then every copy over it, far to near, once, as in a whole frame.
        GdiFlush(); // the last frame's copy has read the back buffer
        for (const PixelBox& b : dirty.Boxes()) {
            FillBox(Run->Back, b, Run->BackPixel);
            for (int i = 0; i < count; ++i)
                DrawCopy(Run->Back.Dc(), i, b);
        }
        for (const PixelBox& b : dirty.Boxes())
            BitBlt(dc, b.Left, b.Top, b.Right - b.Left, b.Bottom - b.Top, Run->Back.Dc(), b.Left,
                   b.Top, SRCCOPY);
    }
    GdiFlush();
    Run->Shown = true;
}

} // namespace

void DrawFalling(HDC dc, EffectOp op) {
    if (op == OpInitialise) {
        Initialise();
    } else if (op == OpCleanUp) {
        Run.reset();
        GdiSetBatchLimit(0);
    } else if (Run && (op == OpFrame || op == OpStep)) {
        const int count = FallingUsed(CurrentSettings->FallingCount);
        if (!Renew(count))
            return;
        // A step is a frame's move without its drawing: the boxes of the last
        // frame drawn stay in Drawn, so the next frame still clears them.
        if (op == OpStep || dc)
            Move(count);
        if (op == OpFrame && dc)
            Frame(dc, count);
    }
}
