#include "core/LogoGeometry.h"

#include "core/Saturate.h"

#include <algorithm>
#include <cmath>

namespace {

// Sizes may come from a hostile record: worked out in 64 bits and held to the
// int32_t range; real sizes give the same boxes as 32-bit arithmetic.
LogoBox Centred(int32_t width, int32_t height, int32_t screenWidth, int32_t screenHeight) {
    const int64_t left = (static_cast<int64_t>(screenWidth) - width) / 2;
    const int64_t top = (static_cast<int64_t>(screenHeight) - height) / 2;
    return {SaturateToInt32(left), SaturateToInt32(top), SaturateToInt32(left + width),
            SaturateToInt32(top + height)};
}

int32_t Truncate(double value) {
    if (!(value > -2147483648.0 && value < 2147483648.0))
        return 0;
    return static_cast<int32_t>(value);
}

} // namespace

LogoBox FitToAspect(int32_t width, int32_t height, int32_t screenWidth, int32_t screenHeight) {
    if (width <= 0 || height <= 0)
        return Centred(0, 0, screenWidth, screenHeight);
    const double ratio = static_cast<double>(width) / height;
    int32_t h = screenHeight;
    int32_t w = Truncate(ratio * screenHeight);
    if (w > screenWidth || h > screenHeight) {
        w = screenWidth;
        h = Truncate(screenWidth / ratio);
    }
    return Centred(w, h, screenWidth, screenHeight);
}

LogoBox CentreBox(int32_t width, int32_t height, int32_t screenWidth, int32_t screenHeight) {
    return Centred(width, height, screenWidth, screenHeight);
}

int32_t ReducedScreenSide(int32_t logoSide, int32_t screenSide) {
    return logoSide == screenSide ? SaturateToInt32(static_cast<int64_t>(screenSide) - 1)
                                  : screenSide;
}

LogoSize PreviewLogoSize(LogoSize logo, LogoSize pane, LogoSize desktop) {
    if (desktop.Width <= 0 || desktop.Height <= 0)
        return logo;
    return {Truncate(static_cast<double>(pane.Width) / desktop.Width * logo.Width),
            Truncate(static_cast<double>(pane.Height) / desktop.Height * logo.Height)};
}

int32_t TileCount(int32_t tileSide, int32_t screenSide) {
    if (tileSide <= 0 || screenSide <= 0)
        return 0;
    return static_cast<int32_t>((static_cast<int64_t>(screenSide) + tileSide - 1) / tileSide);
}

int32_t TileReach(int32_t tileSide, int32_t screenSide) {
    return SaturateToInt32(static_cast<int64_t>(TileCount(tileSide, screenSide)) * tileSide);
}

TilePlan TileDoubling(int32_t tileW, int32_t tileH, int32_t screenW, int32_t screenH) {
    TilePlan plan;
    const int32_t reachX = TileReach(tileW, screenW), reachY = TileReach(tileH, screenH);
    if (reachX <= 0 || reachY <= 0)
        return plan;
    for (int32_t done = tileW; done < reachX;) {
        const int32_t n = std::min(done, reachX - done);
        plan.Copies[plan.Count++] = {done, 0, n, tileH};
        done += n;
    }
    for (int32_t done = tileH; done < reachY;) {
        const int32_t n = std::min(done, reachY - done);
        plan.Copies[plan.Count++] = {0, done, reachX, n};
        done += n;
    }
    return plan;
}

LogoBox ContentPlacement(int32_t dynSize, int32_t x, int32_t y, int32_t width, int32_t height,
                         int32_t naturalWidth, int32_t naturalHeight, int32_t screenWidth,
                         int32_t screenHeight) {
    switch (dynSize) {
    case 1:
        return Centred(width, height, screenWidth, screenHeight);
    case 2: {
        if (naturalWidth <= 0 || naturalHeight <= 0)
            return {0, 0, screenWidth, screenHeight};
        double w = screenWidth;
        double h = static_cast<double>(screenWidth) / naturalWidth * naturalHeight;
        if (h > screenHeight) {
            h = screenHeight;
            w = naturalWidth * (static_cast<double>(screenHeight) / naturalHeight);
        }
        return Centred(Truncate(std::floor(w)), Truncate(std::floor(h)), screenWidth, screenHeight);
    }
    case 3:
        return {0, 0, screenWidth, screenHeight};
    default:
        return {x, y, SaturateToInt32(static_cast<int64_t>(x) + width),
                SaturateToInt32(static_cast<int64_t>(y) + height)};
    }
}
