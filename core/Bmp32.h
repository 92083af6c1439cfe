// 32-bit bitmap files: BITMAPINFOHEADER, BI_RGB, one byte each of blue,
// green, red and alpha, as the saver's logo and the built-in logo are kept.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

struct Bitmap32 {
    int32_t Width = 0, Height = 0;
    std::vector<uint8_t> Pixels; // BGRA, top row first, Width * 4 bytes a row
    bool AlphaWasZero = false;   // read: every alpha byte was 0 and became 255
};

// The bytes are a 32-bit BI_RGB bitmap (a header of 40 bytes or more).
bool IsBmp32(const uint8_t* data, std::size_t size);

// Reads such a file, bottom-up or top-down. Nothing when it is another kind
// of bitmap, too large for a picture (see PictureHeader.h), shorter than its
// pixels, or the pixels cannot be allocated. Old tools leave the fourth byte
// 0 everywhere: such a picture is opaque (alpha 255), not invisible.
std::optional<Bitmap32> ReadBmp32(const uint8_t* data, std::size_t size);

// The file of a picture: 54-byte header, bottom-up rows, 2835 pixels a metre.
// Throws std::bad_alloc when the bytes cannot be allocated.
std::vector<uint8_t> WriteBmp32(const Bitmap32& picture);
