#include "core/TransparentSwatch.h"

#include "core/CreatorMath.h"

int32_t DisabledSwatchColour(int32_t colour, int32_t face) {
    const auto mean = [](int32_t a, int32_t b) { return RoundHalfEven((a + b) / 2.0); };
    return mean(GetRed(colour), GetRed(face)) | mean(GetGreen(colour), GetGreen(face)) << 8 |
           mean(GetBlue(colour), GetBlue(face)) << 16;
}

int32_t InverseColour(int32_t colour) {
    return static_cast<int32_t>(~(static_cast<uint32_t>(colour) | 0xFF000000u));
}
