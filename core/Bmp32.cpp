#include "core/Bmp32.h"

#include "core/BitmapFile.h"
#include "core/PictureBytes.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace {

constexpr std::size_t FileHeaderSize = 14;
constexpr std::size_t InfoHeaderSize = 40;
constexpr uint32_t PixelsPerMetre = 2835; // 72 dots an inch

void Put32(uint8_t* p, uint32_t v) {
    for (int i = 0; i < 4; ++i)
        p[i] = static_cast<uint8_t>(v >> (8 * i));
}

} // namespace

bool IsBmp32(const uint8_t* d, std::size_t size) {
    if (size < FileHeaderSize + InfoHeaderSize || d[0] != 'B' || d[1] != 'M')
        return false;
    const uint8_t* info = d + FileHeaderSize;
    return Le32(info) >= InfoHeaderSize && Le16(info + 14) == 32 && Le32(info + 16) == 0;
}

std::optional<Bitmap32> ReadBmp32(const uint8_t* d, std::size_t size) {
    if (!IsBmp32(d, size))
        return std::nullopt;
    const auto layout = ReadBitmapLayout(d, size);
    if (!layout)
        return std::nullopt;
    const bool topDown = layout->TopDown;
    const int32_t width = layout->Width, rows = layout->Rows;
    const uint32_t offset = layout->PixelOffset;
    const std::size_t rowBytes = static_cast<std::size_t>(width) * 4;
    const uint64_t pixelBytes = layout->PixelBytes;

    Bitmap32 picture;
    try {
        picture.Pixels.resize(static_cast<std::size_t>(pixelBytes));
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
    picture.Width = width;
    picture.Height = rows;
    for (int32_t y = 0; y < rows; ++y) {
        const int32_t source = topDown ? y : rows - 1 - y;
        std::memcpy(picture.Pixels.data() + rowBytes * y, d + offset + rowBytes * source, rowBytes);
    }
    std::vector<uint8_t>& p = picture.Pixels;
    bool anyAlpha = false;
    for (std::size_t i = 3; i < p.size() && !anyAlpha; i += 4)
        anyAlpha = p[i] != 0;
    picture.AlphaWasZero = !anyAlpha;
    if (!anyAlpha)
        for (std::size_t i = 3; i < p.size(); i += 4)
            p[i] = 255;
    return picture;
}

std::vector<uint8_t> WriteBmp32(const Bitmap32& picture) {
    const std::size_t rowBytes = static_cast<std::size_t>(picture.Width) * 4;
    const std::size_t pixelBytes = rowBytes * static_cast<std::size_t>(picture.Height);
    const std::size_t offset = FileHeaderSize + InfoHeaderSize;
    std::vector<uint8_t> file(offset + pixelBytes);
    uint8_t* h = file.data();
    h[0] = 'B';
    h[1] = 'M';
    Put32(h + 2, static_cast<uint32_t>(file.size()));
    Put32(h + 10, static_cast<uint32_t>(offset));
    uint8_t* info = h + FileHeaderSize;
    Put32(info, InfoHeaderSize);
    Put32(info + 4, static_cast<uint32_t>(picture.Width));
    Put32(info + 8, static_cast<uint32_t>(picture.Height)); // positive: bottom-up
    info[12] = 1;                                           // planes
    info[14] = 32;                                          // bits per pixel
    Put32(info + 20, static_cast<uint32_t>(pixelBytes));
    Put32(info + 24, PixelsPerMetre);
    Put32(info + 28, PixelsPerMetre);
    const std::size_t have = std::min(picture.Pixels.size(), pixelBytes);
    for (int32_t y = 0; y < picture.Height; ++y) {
        const std::size_t from = rowBytes * static_cast<std::size_t>(picture.Height - 1 - y);
        if (from + rowBytes <= have)
            std::memcpy(file.data() + offset + rowBytes * y, picture.Pixels.data() + from,
                        rowBytes);
    }
    return file;
}
