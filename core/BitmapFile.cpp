#include "core/BitmapFile.h"

#include "core/PictureBytes.h"
#include "core/PictureLimits.h"

namespace {

constexpr std::size_t FileHeaderSize = 14;
constexpr uint32_t CoreHeaderSize = 12, InfoHeaderSize = 40;
constexpr uint32_t Rgb = 0, Rle8 = 1, Rle4 = 2, BitFields = 3;

bool KnownDepth(uint16_t bits, uint32_t compression) {
    switch (compression) {
    case Rgb:
        return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
    case Rle8:
        return bits == 8;
    case Rle4:
        return bits == 4;
    case BitFields:
        return bits == 16 || bits == 32;
    default: // JPEG and PNG inside a bitmap are for printers
        return false;
    }
}

} // namespace

std::optional<BitmapLayout> ReadBitmapLayout(const uint8_t* d, std::size_t size) {
    if (!d || size < FileHeaderSize + CoreHeaderSize || d[0] != 'B' || d[1] != 'M')
        return std::nullopt;
    const uint8_t* info = d + FileHeaderSize;
    const uint32_t headerSize = Le32(info);
    BitmapLayout out;
    uint64_t colours = 0, tableEnd = 0;
    if (headerSize == CoreHeaderSize) {
        out.Width = Le16(info + 4);
        out.Rows = Le16(info + 6);
        out.Bits = Le16(info + 10);
        if (out.Bits > 24)
            return std::nullopt;
        colours = out.Bits <= 8 ? uint64_t{1} << out.Bits : 0;
        tableEnd = FileHeaderSize + CoreHeaderSize + colours * 3;
    } else {
        if (headerSize < InfoHeaderSize || headerSize > size - FileHeaderSize)
            return std::nullopt;
        const auto width = static_cast<int32_t>(Le32(info + 4));
        const auto height = static_cast<int32_t>(Le32(info + 8));
        if (height == INT32_MIN)
            return std::nullopt;
        out.Width = width;
        out.TopDown = height < 0;
        out.Rows = out.TopDown ? -height : height;
        out.Bits = Le16(info + 14);
        out.Compression = Le32(info + 16);
        // The loader takes up to 256 colours of any depth, and the three
        // masks after a 40-byte header.
        const uint32_t used = Le32(info + 32);
        colours = used ? (used > 256 ? 256 : used) : out.Bits <= 8 ? uint64_t{1} << out.Bits : 0;
        uint64_t headers = headerSize;
        if (out.Compression == BitFields && headers < InfoHeaderSize + 12)
            headers = InfoHeaderSize + 12;
        tableEnd = FileHeaderSize + headers + colours * 4;
        if (out.Compression == Rle8 || out.Compression == Rle4)
            out.PixelBytes = Le32(info + 20);
    }
    if (out.Width <= 0 || out.Rows == 0 || !KnownDepth(out.Bits, out.Compression) ||
        PictureTooLarge(static_cast<uint32_t>(out.Width), static_cast<uint32_t>(out.Rows)) ||
        tableEnd > size)
        return std::nullopt;

    out.PixelOffset = Le32(d + 10);
    if (out.Compression == Rle8 || out.Compression == Rle4) {
        if (out.PixelBytes == 0)
            return std::nullopt;
    } else {
        const uint64_t rowBytes =
            (uint64_t{static_cast<uint32_t>(out.Width)} * out.Bits + 31) / 32 * 4;
        out.PixelBytes = rowBytes * static_cast<uint32_t>(out.Rows);
    }
    if (out.PixelOffset < FileHeaderSize + headerSize || out.PixelOffset > size ||
        out.PixelBytes > size - out.PixelOffset)
        return std::nullopt;
    return out;
}
