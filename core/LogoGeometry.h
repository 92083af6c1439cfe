// Where a logo goes on the screen: the display modes' rectangles, the
// preview pane's scaling and the content window's placement.
#pragma once

#include "core/Saturate.h"

#include <cstdint>

struct LogoBox {
    int32_t Left, Top, Right, Bottom;
    // Held to the int32_t range: a box made from a hostile size may span more.
    int32_t Width() const { return SaturateToInt32(static_cast<int64_t>(Right) - Left); }
    int32_t Height() const { return SaturateToInt32(static_cast<int64_t>(Bottom) - Top); }
};

struct LogoSize {
    int32_t Width, Height;
};

// The largest rectangle of the aspect of width x height inside the screen,
// centred. A logo without area gives an empty box in the middle.
LogoBox FitToAspect(int32_t width, int32_t height, int32_t screenWidth, int32_t screenHeight);

// "Normal size": the logo at its own size, centred (halves toward zero).
LogoBox CentreBox(int32_t width, int32_t height, int32_t screenWidth, int32_t screenHeight);

// A side exactly as long as the screen's makes the screen one pixel shorter,
// so that a random range of screen - logo is -1, never a division by zero.
int32_t ReducedScreenSide(int32_t logoSide, int32_t screenSide);

// A logo scaled by the ratio of the preview pane to the desktop, truncated.
LogoSize PreviewLogoSize(LogoSize logo, LogoSize pane, LogoSize desktop);

// The tiles of "Tiled over the screen": left edges 0, w, 2w ... below the
// screen width, and likewise for rows. Returns the count of columns.
int32_t TileCount(int32_t tileSide, int32_t screenSide);

// How far those tiles reach: the last one passes the screen's edge when it
// is cut off (held to the int32_t range).
int32_t TileReach(int32_t tileSide, int32_t screenSide);

// A copy of the picture's top-left Width x Height pixels to ToX, ToY.
struct TileCopy {
    int32_t ToX, ToY, Width, Height;
};

// The copies that tile the screen from one tile drawn at 0, 0: what is drawn
// is copied beside itself, doubling, across the first row, then the drawn
// rows below themselves, doubling, until the tiles reach as far as when each
// is drawn (TileReach across and down). Every copy moves whole tiles, so the
// pixels are those of a tile drawn at each place, and the copies grow with
// the logarithm of the tiles: at most 31 each way. None when one tile
// reaches.
struct TilePlan {
    TileCopy Copies[64];
    int Count = 0;
};
TilePlan TileDoubling(int32_t tileW, int32_t tileH, int32_t screenW, int32_t screenH);

// Where the content window goes for DynSize 1 (centred at the content's
// size), 2 (aspect fit), 3 (the whole screen) or anything else (at the
// logo rectangle x, y, width, height).
LogoBox ContentPlacement(int32_t dynSize, int32_t x, int32_t y, int32_t width, int32_t height,
                         int32_t naturalWidth, int32_t naturalHeight, int32_t screenWidth,
                         int32_t screenHeight);
