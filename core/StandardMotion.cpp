#include "core/StandardMotion.h"

#include "core/RandRange.h"

LogoPosition StandardPosition(int32_t screenWidth, int32_t screenHeight, int32_t width,
                              int32_t height) {
    LogoPosition p;
    p.X = RandRange(screenWidth - width);
    p.Y = RandRange(screenHeight - height);
    return p;
}

LogoPosition ManyPosition(int32_t screenWidth, int32_t screenHeight, int32_t width,
                          int32_t height) {
    LogoPosition p;
    p.X = RandRange(screenWidth) - width / 2;
    p.Y = RandRange(screenHeight) - height / 2;
    return p;
}
