#include "core/FallingMotion.h"

#include "core/RandRange.h"
#include "core/Saturate.h"

#include <cmath>

int FallingUsed(int32_t count) {
    if (count < 0)
        return 0;
    return count > FallingMax ? FallingMax : static_cast<int>(count);
}

FallingDirectionBit FallingPickDirection(int32_t bits) {
    static constexpr FallingDirectionBit order[] = {FallingUp, FallingDown, FallingLeft,
                                                    FallingRight};
    FallingDirectionBit set[4];
    int n = 0;
    for (FallingDirectionBit d : order)
        if (bits & d)
            set[n++] = d;
    if (n == 0)
        return FallingDown;
    if (n == 1)
        return set[0];
    return set[Rand() % n];
}

FallingVelocity FallingVelocityOf(FallingDirectionBit direction, int32_t speed) {
    int sx = 0, sy = 0;
    switch (direction) {
    case FallingUp:
        sy = -1;
        break;
    case FallingDown:
        sy = 1;
        break;
    case FallingLeft:
        sx = -1;
        break;
    case FallingRight:
        sx = 1;
        break;
    }
    // In double: a hostile speed of INT32_MIN has no negative int32_t.
    return {static_cast<double>(sx) * speed / 10.0, static_cast<double>(sy) * speed / 10.0};
}

bool FallingKeep(const FallingLogo& l, const FallingArea& a) {
    // In 64 bits: the logo and screen sizes may be near the int32_t ends.
    const int64_t x = l.X, y = l.Y;
    return x >= -5 - static_cast<int64_t>(l.W) && x <= static_cast<int64_t>(a.ScreenWidth) + 5 &&
           y >= -5 - static_cast<int64_t>(l.H) && y <= static_cast<int64_t>(a.ScreenHeight) + 5;
}

void FallingRenew(FallingLogo& l, bool first, bool scaled, FallingVelocity v,
                  const FallingArea& a) {
    l = FallingLogo{};
    l.Depth = (Rand() % 90 + 10) / 10.0;
    l.Near = 11 - l.Depth;
    if (scaled) {
        l.W = static_cast<int32_t>(std::floor(a.Width / l.Depth));
        l.H = static_cast<int32_t>(std::floor(a.Height / l.Depth));
    } else {
        l.W = a.Width;
        l.H = a.Height;
    }
    l.PosX = RandRange(a.ScreenWidth) - l.W / 2;
    l.PosY = RandRange(a.ScreenHeight) - l.H / 2;
    if (!first) {
        if (v.X < 0)
            l.PosX = a.ScreenWidth;
        else if (v.X > 0)
            l.PosX = -static_cast<double>(l.W);
        if (v.Y < 0)
            l.PosY = a.ScreenHeight;
        else if (v.Y > 0)
            l.PosY = -static_cast<double>(l.H);
    }
}

void FallingMove(FallingLogo& l, FallingVelocity v) {
    l.PosX += l.Near * v.X;
    l.PosY += l.Near * v.Y;
    // A hostile speed can carry a copy beyond any int32_t position.
    l.X = TruncateToInt32(l.PosX);
    l.Y = TruncateToInt32(l.PosY);
}

int FallingAlpha(double depth, bool fade) {
    return fade ? static_cast<int>(255 - depth * 20) : 255;
}
