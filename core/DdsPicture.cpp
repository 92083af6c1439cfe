#include "core/DdsPicture.h"

#include "core/PictureBytes.h"

#include <cstring>

namespace {

constexpr std::size_t HeaderSize = 128;
constexpr uint32_t FourCcFlag = 0x4, RgbFlag = 0x40, LuminanceFlag = 0x20000, AlphaFlag = 0x1;

enum class Layout { Masks, Dxt1, Dxt3, Dxt5 };

struct Surface {
    uint32_t Width, Height;
    Layout Kind;
    uint32_t Bits = 0;     // Masks: bits a pixel
    uint32_t Mask[4] = {}; // Masks: red, green, blue, alpha (luminance in red)
    bool Luminance = false;
    uint64_t DataSize = 0;
};

std::optional<Surface> Parse(const uint8_t* h) {
    if (std::memcmp(h, "DDS ", 4) != 0 || Le32(h + 4) != 124)
        return std::nullopt;
    Surface s{Le32(h + 16), Le32(h + 12), Layout::Masks};
    if (s.Width == 0 || s.Height == 0)
        return std::nullopt;
    const uint32_t flags = Le32(h + 80);
    const uint64_t blocks = (uint64_t{s.Width} + 3) / 4 * ((uint64_t{s.Height} + 3) / 4);
    if (flags & FourCcFlag) {
        const uint8_t* code = h + 84;
        if (std::memcmp(code, "DXT1", 4) == 0)
            s.Kind = Layout::Dxt1;
        else if (std::memcmp(code, "DXT3", 4) == 0)
            s.Kind = Layout::Dxt3;
        else if (std::memcmp(code, "DXT5", 4) == 0)
            s.Kind = Layout::Dxt5;
        else
            return std::nullopt;
        s.DataSize = blocks * (s.Kind == Layout::Dxt1 ? 8 : 16);
        return s;
    }
    if (!(flags & (RgbFlag | LuminanceFlag)))
        return std::nullopt;
    s.Bits = Le32(h + 88);
    if (s.Bits != 16 && s.Bits != 24 && s.Bits != 32)
        return std::nullopt;
    s.Luminance = (flags & RgbFlag) == 0;
    for (int c = 0; c < 4; ++c)
        s.Mask[c] = Le32(h + 92 + 4 * c);
    if (!(flags & AlphaFlag))
        s.Mask[3] = 0;
    const uint64_t pixelMask = (uint64_t{1} << s.Bits) - 1;
    for (uint32_t mask : s.Mask)
        if (mask & ~pixelMask)
            return std::nullopt;
    if (s.Mask[0] == 0 && s.Mask[1] == 0 && s.Mask[2] == 0)
        return std::nullopt;
    s.DataSize = uint64_t{s.Width} * s.Height * (s.Bits / 8);
    return s;
}

// A masked field of a pixel at 8 bits (an empty mask: 0).
uint8_t Field(uint32_t pixel, uint32_t mask) {
    if (mask == 0)
        return 0;
    int shift = 0;
    while (!((mask >> shift) & 1))
        ++shift;
    const uint64_t top = mask >> shift;
    return static_cast<uint8_t>(((pixel & mask) >> shift) * 255 / top);
}

void FromMasks(const Surface& s, const uint8_t* data, StbPicture& out) {
    const uint32_t bytes = s.Bits / 8;
    uint8_t* p = out.Bitmap.Pixels.data();
    for (uint64_t i = 0; i < uint64_t{s.Width} * s.Height; ++i, data += bytes, p += 4) {
        uint32_t v = 0;
        for (uint32_t b = 0; b < bytes; ++b)
            v |= uint32_t{data[b]} << (8 * b);
        p[2] = Field(v, s.Mask[0]);
        p[1] = s.Luminance ? p[2] : Field(v, s.Mask[1]);
        p[0] = s.Luminance ? p[2] : Field(v, s.Mask[2]);
        p[3] = s.Mask[3] ? Field(v, s.Mask[3]) : 255;
    }
}

struct Bgra {
    uint8_t B, G, R, A;
};

Bgra From565(uint16_t c) {
    const int r = c >> 11, g = (c >> 5) & 63, b = c & 31;
    return {static_cast<uint8_t>(b << 3 | b >> 2), static_cast<uint8_t>(g << 2 | g >> 4),
            static_cast<uint8_t>(r << 3 | r >> 2), 255};
}

Bgra Mix(Bgra a, Bgra b, int wa, int wb) {
    const int sum = wa + wb;
    return {static_cast<uint8_t>((a.B * wa + b.B * wb) / sum),
            static_cast<uint8_t>((a.G * wa + b.G * wb) / sum),
            static_cast<uint8_t>((a.R * wa + b.R * wb) / sum), 255};
}

// The 16 texels of a colour block; DXT1's block with the first colour not
// above the second has three colours and transparent black.
void ColourBlock(const uint8_t* b, bool threeAllowed, Bgra (&texels)[16]) {
    const uint16_t c0 = Le16(b), c1 = Le16(b + 2);
    Bgra colour[4] = {From565(c0), From565(c1)};
    if (c0 > c1 || !threeAllowed) {
        colour[2] = Mix(colour[0], colour[1], 2, 1);
        colour[3] = Mix(colour[0], colour[1], 1, 2);
    } else {
        colour[2] = Mix(colour[0], colour[1], 1, 1);
        colour[3] = {0, 0, 0, 0};
    }
    const uint32_t indices = Le32(b + 4);
    for (int i = 0; i < 16; ++i)
        texels[i] = colour[(indices >> (2 * i)) & 3];
}

void ExplicitAlpha(const uint8_t* b, Bgra (&texels)[16]) {
    for (int i = 0; i < 16; ++i)
        texels[i].A = static_cast<uint8_t>(((b[i / 2] >> (4 * (i % 2))) & 15) * 17);
}

void InterpolatedAlpha(const uint8_t* b, Bgra (&texels)[16]) {
    const int a0 = b[0], a1 = b[1];
    int alpha[8] = {a0, a1};
    if (a0 > a1)
        for (int i = 1; i < 7; ++i)
            alpha[i + 1] = ((7 - i) * a0 + i * a1) / 7;
    else {
        for (int i = 1; i < 5; ++i)
            alpha[i + 1] = ((5 - i) * a0 + i * a1) / 5;
        alpha[6] = 0;
        alpha[7] = 255;
    }
    uint64_t indices = 0;
    for (int i = 0; i < 6; ++i)
        indices |= uint64_t{b[2 + i]} << (8 * i);
    for (int i = 0; i < 16; ++i)
        texels[i].A = static_cast<uint8_t>(alpha[(indices >> (3 * i)) & 7]);
}

void FromBlocks(const Surface& s, const uint8_t* data, StbPicture& out) {
    const uint32_t across = (s.Width + 3) / 4, down = (s.Height + 3) / 4;
    for (uint32_t by = 0; by < down; ++by)
        for (uint32_t bx = 0; bx < across; ++bx) {
            Bgra texels[16];
            if (s.Kind == Layout::Dxt1) {
                ColourBlock(data, true, texels);
                data += 8;
            } else {
                ColourBlock(data + 8, false, texels);
                if (s.Kind == Layout::Dxt3)
                    ExplicitAlpha(data, texels);
                else
                    InterpolatedAlpha(data, texels);
                data += 16;
            }
            // Blocks at the right and bottom edges reach past the picture.
            for (uint32_t y = 0; y < 4 && by * 4 + y < s.Height; ++y)
                for (uint32_t x = 0; x < 4 && bx * 4 + x < s.Width; ++x) {
                    const std::size_t at = (std::size_t{by} * 4 + y) * s.Width + bx * 4 + x;
                    std::memcpy(&out.Bitmap.Pixels[at * 4], &texels[y * 4 + x], 4);
                }
        }
}

} // namespace

bool IsDdsPicture(const uint8_t* start, std::size_t size) {
    return size >= 4 && std::memcmp(start, "DDS ", 4) == 0;
}

std::optional<PictureHeader> ReadDdsHeader(TailSource& file) {
    uint8_t h[HeaderSize];
    if (!file.ReadAt(0, h, sizeof h))
        return std::nullopt;
    const auto s = Parse(h);
    if (!s)
        return std::nullopt;
    return PictureHeader{PictureFormat::Dds, s->Width, s->Height, HeaderSize + s->DataSize};
}

std::optional<StbPicture> DecodeDdsPicture(const OwnPictureInput& input) {
    const auto s = Parse(input.Data); // the header check saw the size
    auto out = NewOwnPicture(input.Header);
    if (!s || !out)
        return std::nullopt;
    if (s->Kind == Layout::Masks)
        FromMasks(*s, input.Data + HeaderSize, *out);
    else
        FromBlocks(*s, input.Data + HeaderSize, *out);
    const bool dxt1Holes = s->Kind == Layout::Dxt1 && [&] {
        for (std::size_t i = 3; i < out->Bitmap.Pixels.size(); i += 4)
            if (out->Bitmap.Pixels[i] == 0)
                return true;
        return false;
    }();
    SettleAlpha(*out,
                s->Kind == Layout::Dxt3 || s->Kind == Layout::Dxt5 || s->Mask[3] != 0 || dxt1Holes);
    return out;
}
