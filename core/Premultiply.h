// Colours premultiplied by their alpha, as AlphaBlend and the saver's logo
// drawing want them, and back.
#pragma once

#include <cstddef>
#include <cstdint>

// BGRA pixels, 4 bytes each: every colour becomes (c * a + 127) / 255.
void PremultiplyPixels(uint8_t* bgra, std::size_t pixelCount);

// The inverse of PremultiplyPixels: for every colour not above its alpha,
// premultiplying the result gives the colour back exactly. A colour above
// its alpha (not premultiplied bytes) becomes 255; alpha 0 leaves black.
void UnpremultiplyPixels(uint8_t* bgra, std::size_t pixelCount);
