#include "core/Premultiply.h"

namespace {

uint8_t Times(unsigned c, unsigned a) {
    return static_cast<uint8_t>((c * a + 127) / 255);
}

// The smallest straight colour that premultiplies to c under alpha a (c <= a).
uint8_t Straight(unsigned c, unsigned a) {
    unsigned s = (c * 255 + a / 2) / a; // the nearest, then onto the step
    if (s > 255)
        s = 255;
    while (s > 0 && Times(s - 1, a) >= c)
        --s;
    while (s < 255 && Times(s, a) < c)
        ++s;
    return static_cast<uint8_t>(s);
}

} // namespace

void PremultiplyPixels(uint8_t* bgra, std::size_t pixelCount) {
    for (std::size_t i = 0; i < pixelCount; ++i, bgra += 4)
        for (int c = 0; c < 3; ++c)
            bgra[c] = Times(bgra[c], bgra[3]);
}

void UnpremultiplyPixels(uint8_t* bgra, std::size_t pixelCount) {
    for (std::size_t i = 0; i < pixelCount; ++i, bgra += 4) {
        const unsigned a = bgra[3];
        if (a == 255)
            continue;
        for (int c = 0; c < 3; ++c)
            bgra[c] = a == 0 ? 0 : bgra[c] > a ? 255 : Straight(bgra[c], a);
    }
}
