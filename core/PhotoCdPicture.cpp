#include "core/PhotoCdPicture.h"

#include "core/PictureBytes.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

constexpr std::size_t MarkAt = 0x800, AttributesAt = 0xE02, BaseAt = 0x30000;
constexpr uint32_t Width = 768, Height = 512;
constexpr std::size_t PairBytes = Width * 2 + Width; // two luma rows, two half chroma rows
constexpr std::size_t BaseEnd = BaseAt + PairBytes * (Height / 2);

// Quarter turns counter-clockwise that show the image upright.
std::optional<int> Turns(TailSource& file) {
    uint8_t mark[7], attributes;
    if (file.Size() < BaseEnd || !file.ReadAt(MarkAt, mark, sizeof mark) ||
        std::memcmp(mark, "PCD_IPI", 7) != 0 || !file.ReadAt(AttributesAt, &attributes, 1))
        return std::nullopt;
    return attributes & 3;
}

uint8_t Clamp(double v) {
    return static_cast<uint8_t>(std::clamp(std::lround(v), 0L, 255L));
}

// The recording's luma and chroma scales, then the usual colour matrix.
uint32_t ToRgb(uint8_t y, uint8_t c1, uint8_t c2) {
    const double l = 1.3584 * y, b = 2.2179 * (c1 - 156), r = 1.8215 * (c2 - 137);
    return uint32_t{Clamp(l + r)} << 16 | uint32_t{Clamp(l - 0.194 * b - 0.509 * r)} << 8 |
           Clamp(l + b);
}

} // namespace

std::optional<PictureHeader> ReadPhotoCdHeader(TailSource& file) {
    const auto turns = Turns(file);
    if (!turns)
        return std::nullopt;
    const bool across = *turns % 2 == 0;
    return PictureHeader{PictureFormat::PhotoCd, across ? Width : Height, across ? Height : Width,
                         BaseEnd};
}

std::optional<StbPicture> DecodePhotoCdPicture(const OwnPictureInput& input) {
    const uint8_t* data = input.Data;
    const int turns = data[AttributesAt] & 3;
    auto out = NewOwnPicture(input.Header);
    if (!out)
        return std::nullopt;
    const uint32_t w = input.Header.Width, h = input.Header.Height;
    for (uint32_t y = 0; y < Height; ++y)
        for (uint32_t x = 0; x < Width; ++x) {
            const uint8_t* pair = data + BaseAt + PairBytes * (y / 2);
            const uint32_t rgb = ToRgb(pair[(y % 2) * Width + x], pair[2 * Width + x / 2],
                                       pair[2 * Width + Width / 2 + x / 2]);
            // Where the stored pixel lands once turned counter-clockwise.
            const uint32_t tx = turns == 0   ? x
                                : turns == 1 ? y
                                : turns == 2 ? w - 1 - x
                                             : w - 1 - y;
            const uint32_t ty = turns == 0   ? y
                                : turns == 1 ? h - 1 - x
                                : turns == 2 ? h - 1 - y
                                             : x;
            PutRgb(&out->Bitmap.Pixels[(std::size_t{ty} * w + tx) * 4], rgb);
        }
    return out;
}
