#include "core/StandardMotion.h"

#include "core/RandRange.h"
#include "core/Saturate.h"

LogoPosition StandardPosition(int32_t screenWidth, int32_t screenHeight, int32_t width,
                              int32_t height) {
    LogoPosition p;
    // A hostile logo size must not overflow the range.
    p.X = RandRange(SaturateToInt32(static_cast<int64_t>(screenWidth) - width));
    p.Y = RandRange(SaturateToInt32(static_cast<int64_t>(screenHeight) - height));
    return p;
}

LogoPosition ManyPosition(int32_t screenWidth, int32_t screenHeight, int32_t width,
                          int32_t height) {
    LogoPosition p;
    p.X = RandRange(screenWidth) - width / 2;
    p.Y = RandRange(screenHeight) - height / 2;
    return p;
}
