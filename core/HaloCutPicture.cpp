#include "core/HaloCutPicture.h"

#include "core/PictureBytes.h"

namespace {

constexpr std::size_t HeaderSize = 6;
constexpr uint32_t LongestRun = 127;

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

std::optional<StbPicture> DecodeHaloCutPicture(const OwnPictureInput& input,
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

std::optional<StbPicture> DecodeHaloCutFile(const OwnPictureInput& input) {
    return DecodeHaloCutPicture(input, {});
}
