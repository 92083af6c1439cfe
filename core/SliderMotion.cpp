#include "core/SliderMotion.h"

#include "core/RandRange.h"
#include "core/Saturate.h"

SliderTile SliderTileSize(int32_t id, int32_t logoWidth, int32_t logoHeight, bool preview) {
    SliderTile t;
    switch (id) {
    case SliderTileSmall:
        t = {64, 64};
        break;
    case SliderTileLarge:
        t = {256, 256};
        break;
    case SliderTileLogo:
        t = {logoWidth, logoHeight};
        break;
    default:
        t = {128, 128};
        break;
    }
    if (preview) {
        t.W /= 8;
        t.H /= 8;
    }
    // A tile of no size would divide the grid by zero.
    if (t.W < 1)
        t.W = 1;
    if (t.H < 1)
        t.H = 1;
    return t;
}

namespace {
int32_t LastIndex(int32_t extent, int32_t tile) {
    if (extent <= 0)
        return 0;
    int32_t n = extent / tile;
    return extent % tile == 0 ? n - 1 : n;
}
} // namespace

SliderState SliderStart(SliderTile tile, int32_t left, int32_t top, int32_t right, int32_t bottom) {
    SliderState s;
    s.TileW = tile.W;
    s.TileH = tile.H;
    s.OriginX = left;
    s.OriginY = top;
    s.Right = right;
    s.Bottom = bottom;
    s.MaxCol = LastIndex(SaturateToInt32(static_cast<int64_t>(right) - left), tile.W);
    s.MaxRow = LastIndex(SaturateToInt32(static_cast<int64_t>(bottom) - top), tile.H);
    s.HoleCol = RandRange(s.MaxCol);
    s.HoleRow = RandRange(s.MaxRow);
    return s;
}

namespace {
int32_t Opposite(int32_t move) {
    switch (move) {
    case SliderDown:
        return SliderUp;
    case SliderUp:
        return SliderDown;
    case SliderRight:
        return SliderLeft;
    case SliderLeft:
        return SliderRight;
    default:
        return SliderNone;
    }
}
} // namespace

SliderMove SliderChooseMove(const SliderState& s) {
    SliderMove c[4];
    int n = 0;
    if (s.HoleCol > 0)
        c[n++] = SliderRight;
    if (s.HoleRow > 0)
        c[n++] = SliderDown;
    if (s.HoleCol < s.MaxCol)
        c[n++] = SliderLeft;
    if (s.HoleRow < s.MaxRow)
        c[n++] = SliderUp;
    if (n == 0) {
        c[n++] = SliderRight;
        c[n++] = SliderDown;
        c[n++] = SliderLeft;
        c[n++] = SliderUp;
    }
    if (n == 1)
        return c[0];
    const int32_t forbidden = Opposite(s.Direction);
    int repeats = 0;
    for (;;) {
        SliderMove m = c[Rand() % n];
        if (m == forbidden)
            continue;
        if (m == s.Direction && repeats < 5) {
            ++repeats;
            continue;
        }
        return m;
    }
}

SliderVacated SliderBeginMove(SliderState& s, SliderMove move) {
    s.StepX = s.StepY = 0;
    switch (move) {
    case SliderDown:
        s.StepY = 1;
        break;
    case SliderUp:
        s.StepY = -1;
        break;
    case SliderRight:
        s.StepX = 1;
        break;
    case SliderLeft:
        s.StepX = -1;
        break;
    default:
        break;
    }
    s.Direction = move;
    s.HoleRow -= s.StepY;
    s.HoleCol -= s.StepX;
    // A tile as large as a hostile logo: 64 bits, held to the int32_t range.
    const auto at = [](int32_t origin, int32_t tile, int32_t count) {
        return SaturateToInt32(origin + static_cast<int64_t>(tile) * count);
    };
    s.CurX = at(s.OriginX, s.TileW, s.HoleCol);
    s.CurY = at(s.OriginY, s.TileH, s.HoleRow);
    s.TargetX = at(s.CurX, s.TileW, s.StepX);
    s.TargetY = at(s.CurY, s.TileH, s.StepY);
    s.Delay = 10;
    return {s.CurX, s.CurY, at(s.CurX, s.TileW, 1), at(s.CurY, s.TileH, 1)};
}

bool SliderNextStep(SliderState& s) {
    const int64_t left = s.StepX != 0 ? static_cast<int64_t>(s.TargetX) - s.CurX
                                      : static_cast<int64_t>(s.TargetY) - s.CurY;
    if (left == 0)
        return false;
    if (left <= 5 && left >= -5)
        s.Delay = SaturateToInt32(static_cast<int64_t>(s.Delay) * 2);
    s.CurX += s.StepX;
    s.CurY += s.StepY;
    return true;
}
