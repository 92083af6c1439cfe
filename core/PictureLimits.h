// The largest picture the creator and the screensaver take. Header-only, so
// that the screensaver's bitmap check links none of the creator's decoders.
#pragma once

#include <cstdint>

// What a 32-bit process can hold several copies of.
constexpr uint64_t MaxPicturePixels = 40000000;
constexpr uint32_t MaxPictureSide = 16384;

constexpr bool PictureTooLarge(uint32_t width, uint32_t height) {
    return width > MaxPictureSide || height > MaxPictureSide ||
           uint64_t{width} * height > MaxPicturePixels;
}
