// The Falling effect's drawing: every copy of the logo has its own bitmap,
// scaled once when the copy is made; frames blend them far to near into a
// back buffer and copy that to the screen, with GDI calls batched. On a
// 32-bit display the frames' blends are our own, on the pixels of the back
// buffer; a low-colour display blends the scaled logo through GDI.
#include "core/FallingMotion.h"
#include "saver/EffectTable.h"
#include "saver/LogoImage.h"
#include "saver/PixelSurface.h"
#include "saver/SaverState.h"

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
    std::array<FallingSprite, FallingMax> Sprites;
    std::vector<Image> Scaled;
    size_t ScaledPixels = 0;
    PixelSurface Back;
    bool First = true;
    FallingVelocity Velocity{0, 0};
};
FallingRun Falling;

FallingArea Area() {
    return {LogoRect.Width, LogoRect.Height, ScreenWidth(), ScreenHeight()};
}

void FreeAll() {
    Falling.Back.reset();
    for (FallingSprite& s : Falling.Sprites) {
        s.Picture.reset();
        s.Logo = FallingLogo{};
    }
    Falling.Scaled.clear();
    Falling.ScaledPixels = 0;
    Falling.First = true;
}

void Initialise() {
    if (Falling.Back.Create(LogoDC, ScreenWidth(), ScreenHeight()))
        FillRect(Falling.Back.Dc(), &ScreenRect, BackgroundBrush);
    const FallingDirectionBit direction = FallingPickDirection(CurrentSettings->FallingDirection);
    Falling.Velocity = FallingVelocityOf(direction, CurrentSettings->FallingSpeed);
    GdiSetBatchLimit(100);
    GdiFlush();
}

// The whole logo scaled to w x h, on black when it fades (so fading darkens
// it) or else on the background.
Image MakeImage(int w, int h) {
    PixelSurface made;
    if (!made.Create(LogoDC, w, h))
        return nullptr;
    HDC image = made.Dc();
    SetStretchBltMode(image, HALFTONE);
    SetBrushOrgEx(image, 0, 0, nullptr);
    const RECT all{0, 0, w, h};
    FillRect(image, &all,
             CurrentSettings->FallingFade != 0 ? static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH))
                                               : BackgroundBrush);
    const BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    AlphaBlend(image, 0, 0, w, h, LogoDC, 0, 0, LogoRect.Width, LogoRect.Height, blend);
    return std::make_shared<const PixelSurface>(std::move(made));
}

Image ImageOfSize(int w, int h) {
    for (const Image& i : Falling.Scaled)
        if (i->Width() == w && i->Height() == h)
            return i;
    Image made = MakeImage(w, h);
    if (!made)
        return nullptr;
    const size_t pixels = static_cast<size_t>(w) * h;
    if (Falling.ScaledPixels + pixels > ScaledBudget) {
        Falling.Scaled.clear();
        Falling.ScaledPixels = 0;
    }
    Falling.Scaled.push_back(made);
    Falling.ScaledPixels += pixels;
    return made;
}

void Renew(int count) {
    const FallingArea area = Area();
    const bool scaled = CurrentSettings->FallingScaled != 0;
    for (int i = 0; i < count; ++i) {
        FallingSprite& s = Falling.Sprites[i];
        if (!Falling.First && FallingKeep(s.Logo, area))
            continue;
        s.Picture.reset();
        FallingRenew(s.Logo, Falling.First, scaled, Falling.Velocity, area);
        if (!LowColour)
            s.Picture = ImageOfSize(s.Logo.W, s.Logo.H);
    }
    FallingSort(Falling.Sprites.data(), count, [](const FallingSprite& s) { return s.Logo.Depth; });
}

void Frame(HDC dc, int count) {
    HDC back = Falling.Back ? Falling.Back.Dc() : dc;
    GdiFlush();
    SetStretchBltMode(back, HALFTONE);
    SetBrushOrgEx(back, 0, 0, nullptr);
    FillRect(back, &ScreenRect, BackgroundBrush);
    GdiFlush(); // before our blends write the back buffer's pixels
    const bool fade = CurrentSettings->FallingFade != 0;
    for (int i = 0; i < count; ++i) {
        FallingSprite& s = Falling.Sprites[i];
        FallingLogo& l = s.Logo;
        FallingMove(l, Falling.Velocity);
        const int alpha = FallingAlpha(l.Depth, fade);
        const BLENDFUNCTION blend{AC_SRC_OVER, 0, static_cast<BYTE>(alpha), AC_SRC_ALPHA};
        if (!LowColour) {
            if (s.Picture && Falling.Back)
                BlendSurface(Falling.Back, l.X, l.Y, *s.Picture, static_cast<uint8_t>(alpha));
            else if (s.Picture)
                AlphaBlend(back, l.X, l.Y, l.W, l.H, s.Picture->Dc(), 0, 0, l.W, l.H, blend);
        } else {
            AlphaBlend(back, l.X, l.Y, l.W, l.H, LogoDC, 0, 0, LogoRect.Width, LogoRect.Height,
                       blend);
        }
    }
    if (back != dc)
        BitBlt(dc, 0, 0, ScreenWidth(), ScreenHeight(), back, 0, 0, SRCCOPY);
    GdiFlush();
    Falling.First = false;
}

} // namespace

void DrawFalling(HDC dc, EffectOp op) {
    switch (op) {
    case OpInitialise:
        FreeAll();
        Initialise();
        break;
    case OpCleanUp:
        FreeAll();
        GdiSetBatchLimit(0);
        break;
    case OpFrame: {
        const int count = FallingUsed(CurrentSettings->FallingCount);
        Renew(count);
        if (dc)
            Frame(dc, count);
        break;
    }
    default:
        break;
    }
}
