#include "core/Premultiply.h"

#include <vector>

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
    // Every (alpha, colour) pair once: a whole logo then costs a lookup a byte.
    static const std::vector<uint8_t> table = [] {
        std::vector<uint8_t> t(256 * 256, 255);
        for (unsigned a = 0; a < 256; ++a)
            for (unsigned c = 0; c <= a; ++c)
                t[a * 256 + c] = a == 0 ? 0 : Straight(c, a);
        for (unsigned c = 0; c < 256; ++c)
            t[c] = 0; // alpha 0: black
        return t;
    }();
    for (std::size_t i = 0; i < pixelCount; ++i, bgra += 4) {
        const unsigned a = bgra[3];
        if (a == 255)
            continue;
        for (int c = 0; c < 3; ++c)
            bgra[c] = table[a * 256 + bgra[c]];
    }
}
