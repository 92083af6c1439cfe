#include "core/BounceMotion.h"

#include "core/RandRange.h"

#include <algorithm>

BounceState BounceStart(const BounceSettings& s, const BounceArea& a) {
    BounceState b;
    if (s.Gravity != 0) {
        b.VelX = s.Speed;
        b.StepY = 1;
    } else {
        b.VelX = (Rand() & 1) ? -s.Speed : s.Speed;
        b.StepY = (Rand() & 1) ? -s.Speed : s.Speed;
    }
    b.PosX = RandRange(a.ScreenWidth - a.Width);
    b.PosY = RandRange(a.ScreenHeight - a.Height);
    if (s.Gravity != 0)
        b.FloatY = 10.0f; // the first frame starts near the top whatever PosY was
    return b;
}

void BounceStep(BounceState& b, const BounceSettings& s, const BounceArea& a) {
    const bool gravity = s.Gravity != 0;
    b.PosX += b.VelX;

    if (gravity) {
        if (b.Landed == 0.0f)
            b.VelY += static_cast<float>(s.Gravity) / 100.0f;
        else
            b.Landed = 0.0f; // the rebound frame keeps the landing speed: elastic
        b.FloatY += b.VelY;
        b.PosY = static_cast<int32_t>(b.FloatY);
        if (b.PosY <= -a.Height) {
            b.PosY = -a.Height;
            b.FloatY = static_cast<float>(b.PosY);
            b.VelY = -b.VelY;
        }
        if (b.PosY + a.Height >= a.ScreenHeight) {
            b.PosY = a.ScreenHeight - a.Height;
            b.FloatY = static_cast<float>(b.PosY);
            b.Landed = 1.0f;
            b.VelY = -b.VelY;
        }
    } else {
        b.PosY += b.StepY;
        if (b.PosY <= 0) {
            b.PosY = 0;
            b.StepY = -b.StepY;
        }
        if (b.PosY + a.Height >= a.ScreenHeight) {
            b.PosY = a.ScreenHeight - a.Height;
            b.StepY = -b.StepY;
        }
    }

    if (gravity && s.Wrap != 0) {
        if (b.PosX < -a.Width)
            b.PosX = a.ScreenWidth;
        else if (b.PosX - s.Speed > a.ScreenWidth)
            b.PosX = -a.Width;
    } else {
        if (b.PosX <= 0) {
            b.PosX = 0;
            b.VelX = -b.VelX;
        }
        if (b.PosX + a.Width > a.ScreenWidth) {
            b.PosX = a.ScreenWidth - a.Width;
            b.VelX = -b.VelX;
        }
    }
}

BounceRect BounceUnion(int32_t x, int32_t y, int32_t prevX, int32_t prevY, const BounceArea& a) {
    const int32_t left = std::min(x, prevX), top = std::min(y, prevY);
    return {left, top, a.Width + std::max(x, prevX) - left + 5,
            a.Height + std::max(y, prevY) - top + 5};
}
