#include "core/BounceMotion.h"

#include "core/RandRange.h"

#include "core/Saturate.h"

#include <algorithm>

// Speeds and sizes come from the record: sums and differences are made in 64
// bits and held to the int32_t range, so a hostile speed moves the logo to an
// edge instead of overflowing.
namespace {
int32_t Add(int64_t a, int64_t b) {
    return SaturateToInt32(a + b);
}
int32_t Negate(int32_t v) {
    return SaturateToInt32(-static_cast<int64_t>(v));
}
} // namespace

BounceState BounceStart(const BounceSettings& s, const BounceArea& a) {
    BounceState b;
    if (s.Gravity != 0) {
        b.VelX = s.Speed;
        b.StepY = 1;
    } else {
        b.VelX = (Rand() & 1) ? Negate(s.Speed) : s.Speed;
        b.StepY = (Rand() & 1) ? Negate(s.Speed) : s.Speed;
    }
    b.PosX = RandRange(Add(a.ScreenWidth, -static_cast<int64_t>(a.Width)));
    b.PosY = RandRange(Add(a.ScreenHeight, -static_cast<int64_t>(a.Height)));
    if (s.Gravity != 0)
        b.FloatY = 10.0f; // the first frame starts near the top whatever PosY was
    return b;
}

void BounceStep(BounceState& b, const BounceSettings& s, const BounceArea& a) {
    const bool gravity = s.Gravity != 0;
    b.PosX = Add(b.PosX, b.VelX);
    const int32_t top = Negate(a.Height);
    const int32_t bottom = Add(a.ScreenHeight, -static_cast<int64_t>(a.Height));
    const int32_t right = Add(a.ScreenWidth, -static_cast<int64_t>(a.Width));

    if (gravity) {
        if (b.Landed == 0.0f)
            b.VelY += static_cast<float>(s.Gravity) / 100.0f;
        else
            b.Landed = 0.0f; // the rebound frame keeps the landing speed: elastic
        b.FloatY += b.VelY;
        b.PosY = TruncateToInt32(b.FloatY);
        if (b.PosY <= top) {
            b.PosY = top;
            b.FloatY = static_cast<float>(b.PosY);
            b.VelY = -b.VelY;
        }
        if (static_cast<int64_t>(b.PosY) + a.Height >= a.ScreenHeight) {
            b.PosY = bottom;
            b.FloatY = static_cast<float>(b.PosY);
            b.Landed = 1.0f;
            b.VelY = -b.VelY;
        }
    } else {
        b.PosY = Add(b.PosY, b.StepY);
        if (b.PosY <= 0) {
            b.PosY = 0;
            b.StepY = Negate(b.StepY);
        }
        if (static_cast<int64_t>(b.PosY) + a.Height >= a.ScreenHeight) {
            b.PosY = bottom;
            b.StepY = Negate(b.StepY);
        }
    }

    if (gravity && s.Wrap != 0) {
        if (b.PosX < -static_cast<int64_t>(a.Width))
            b.PosX = a.ScreenWidth;
        else if (static_cast<int64_t>(b.PosX) - s.Speed > a.ScreenWidth)
            b.PosX = Negate(a.Width);
    } else {
        if (b.PosX <= 0) {
            b.PosX = 0;
            b.VelX = Negate(b.VelX);
        }
        if (static_cast<int64_t>(b.PosX) + a.Width > a.ScreenWidth) {
            b.PosX = right;
            b.VelX = Negate(b.VelX);
        }
    }
}

BounceRect BounceUnion(int32_t x, int32_t y, int32_t prevX, int32_t prevY, const BounceArea& a) {
    const int32_t left = std::min(x, prevX), top = std::min(y, prevY);
    return {left, top, Add(a.Width, static_cast<int64_t>(std::max(x, prevX)) - left + 5),
            Add(a.Height, static_cast<int64_t>(std::max(y, prevY)) - top + 5)};
}
