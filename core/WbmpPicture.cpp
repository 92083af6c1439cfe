#include "core/WbmpPicture.h"

#include "core/PictureBytes.h"

namespace {

// Type, header byte, width and height, each number 7 bits a byte, high
// bit first, the top bit of a byte saying another follows.
struct Fields {
    uint32_t Width, Height;
    std::size_t PixelsAt;
};

std::optional<Fields> Parse(TailSource& file) {
    uint8_t h[12] = {};
    const auto got = static_cast<std::size_t>(std::min<uint64_t>(file.Size(), sizeof h));
    if (got < 4 || !file.ReadAt(0, h, got))
        return std::nullopt;
    // Type 0, and no extension headers.
    if (h[0] != 0 || h[1] != 0)
        return std::nullopt;
    std::size_t at = 2;
    uint32_t size[2] = {};
    for (uint32_t& value : size) {
        for (int n = 0;; ++n) {
            // Past four bytes a number is over any picture's side.
            if (at >= got || n == 4 || (n == 0 && h[at] == 0x80))
                return std::nullopt;
            value = value << 7 | (h[at] & 0x7Fu);
            if (!(h[at++] & 0x80))
                break;
        }
    }
    if (size[0] == 0 || size[1] == 0)
        return std::nullopt;
    return Fields{size[0], size[1], at};
}

} // namespace

std::optional<PictureHeader> ReadWbmpHeader(TailSource& file) {
    const auto fields = Parse(file);
    if (!fields)
        return std::nullopt;
    return PictureHeader{PictureFormat::Wbmp, fields->Width, fields->Height,
                         fields->PixelsAt + (uint64_t{fields->Width} + 7) / 8 * fields->Height};
}

std::optional<StbPicture> DecodeWbmpPicture(const OwnPictureInput& input) {
    ByteTailSource source(input.Data, input.Size);
    const auto fields = Parse(source);
    auto out = NewOwnPicture(input.Header);
    if (!fields || !out)
        return std::nullopt;
    const uint32_t width = fields->Width;
    const std::size_t stride = (width + 7) / 8;
    uint8_t* p = out->Bitmap.Pixels.data();
    for (uint32_t y = 0; y < fields->Height; ++y) {
        const uint8_t* row = input.Data + fields->PixelsAt + y * stride;
        for (uint32_t x = 0; x < width; ++x, p += 4) {
            const uint8_t grey = PackedAt(row, x, 1) ? 255 : 0;
            PutRgb(p, grey, grey, grey);
        }
    }
    return out;
}
