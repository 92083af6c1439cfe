// Where a bitmap file's parts lie, read from its headers and checked against
// its bytes. The platform's bitmap loader trusts the headers and reads past
// the end of a file cut short, so a bitmap is handed to it only when all
// that they announce is there.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

struct BitmapLayout {
    int32_t Width = 0, Rows = 0;
    bool TopDown = false;
    uint16_t Bits = 0;
    uint32_t Compression = 0; // 0 BI_RGB, 1 BI_RLE8, 2 BI_RLE4, 3 BI_BITFIELDS
    uint32_t PixelOffset = 0; // from the start of the file
    uint64_t PixelBytes = 0;  // rows of 4-byte-aligned width, or the compressed size
};

// The layout of a bitmap file ("BM", then a core header of 12 bytes or an
// info header of 40 or more) of a size a picture may have (PictureHeader.h),
// whose headers, colour table and pixels all lie within the bytes. Nothing
// for anything else, compressed pictures without their stated size
// included.
std::optional<BitmapLayout> ReadBitmapLayout(const uint8_t* data, std::size_t size);
