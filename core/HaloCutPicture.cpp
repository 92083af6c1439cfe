#include "core/HaloCutPicture.h"

#include "core/PictureBytes.h"

#include <algorithm>

namespace {

constexpr std::size_t HeaderSize = 6;
constexpr uint32_t LongestRun = 127;

// `palette` holds 0xRRGGBB colours, empty for grey.
std::optional<StbPicture> Decode(const OwnPictureInput& input,
                                 const std::vector<uint32_t>& palette) {
    const PictureHeader& header = input.Header;
    const uint8_t* data = input.Data;
    const std::size_t size = input.Size;
    auto out = NewOwnPicture(header);
    if (!out)
        return std::nullopt;
    const uint32_t width = header.Width;
    std::size_t at = HeaderSize;
    uint8_t* p = out->Bitmap.Pixels.data();
    for (uint32_t y = 0; y < header.Height; ++y) {
        if (size - at < 2)
            return std::nullopt;
        const std::size_t count = Le16(data + at);
        at += 2;
        if (count > size - at)
            return std::nullopt;
        const std::size_t end = at + count;
        std::size_t next = at;
        for (uint32_t x = 0; x < width;) {
            if (next == end || data[next] == 0) // the row ends before it is full
                return std::nullopt;
            const uint8_t packet = data[next++];
            const uint32_t n = packet & 0x7F;
            const bool run = packet & 0x80;
            if (n > width - x || end - next < (run ? 1u : n))
                return std::nullopt;
            for (uint32_t i = 0; i < n; ++i, ++x, p += 4) {
                const uint8_t index = run ? data[next] : data[next + i];
                if (!palette.empty() && index >= palette.size())
                    return std::nullopt;
                PutRgb(p, palette.empty() ? index * 0x010101u : palette[index]);
            }
            next += run ? 1 : n;
        }
        at = end;
    }
    return out;
}

} // namespace

std::optional<PictureHeader> ReadHaloCutHeader(TailSource& file) {
    uint8_t h[HeaderSize];
    if (!file.ReadAt(0, h, sizeof h))
        return std::nullopt;
    const uint32_t width = Le16(h), height = Le16(h + 2);
    if (width == 0 || height == 0)
        return std::nullopt;
    // A row: its count, then two bytes for each run.
    const uint64_t row = 2 + 2 * ((width + LongestRun - 1) / LongestRun);
    return PictureHeader{PictureFormat::HaloCut, width, height, HeaderSize + row * height};
}

std::optional<std::vector<uint32_t>> ReadHaloPalette(const std::vector<uint8_t>& file) {
    constexpr std::size_t HeaderEnd = 40, Block = 512, Colour = 6;
    const uint8_t* h = file.data();
    if (file.size() < HeaderEnd || h[0] != 'A' || h[1] != 'H' || h[6] != 'P' || h[7] != 0)
        return std::nullopt;
    const uint32_t count = Le16(h + 12) + 1u, top[3] = {Le16(h + 14), Le16(h + 16), Le16(h + 18)};
    if (count > 256 || !top[0] || !top[1] || !top[2])
        return std::nullopt;
    std::vector<uint32_t> colours;
    std::size_t at = HeaderEnd;
    for (uint32_t i = 0; i < count; ++i, at += Colour) {
        if (at % Block + Colour > Block)
            at += Block - at % Block;
        if (file.size() - std::min(at, file.size()) < Colour)
            return std::nullopt;
        uint32_t rgb = 0;
        for (int c = 0; c < 3; ++c)
            rgb = rgb << 8 | std::min<uint32_t>(Le16(h + at + 2 * c), top[c]) * 255 / top[c];
        colours.push_back(rgb);
    }
    return colours;
}

std::optional<StbPicture> DecodeHaloCutPicture(const OwnPictureInput& input) {
    const auto side = input.Side ? input.Side(L"PAL") : std::nullopt;
    const auto palette = side ? ReadHaloPalette(*side) : std::nullopt;
    return Decode(input, palette ? *palette : std::vector<uint32_t>{});
}
