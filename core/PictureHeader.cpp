#include "core/PictureHeader.h"

#include "core/OwnPicture.h"
#include "core/PictureBytes.h"
#include "core/PnmTextPicture.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr uint8_t PngSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

std::optional<PictureHeader> Png(TailSource& file, uint64_t at) {
    uint8_t h[24];
    if (!file.ReadAt(at, h, sizeof h) || std::memcmp(h, PngSignature, 8) != 0 ||
        std::memcmp(h + 12, "IHDR", 4) != 0)
        return std::nullopt;
    return PictureHeader{PictureFormat::Png, Be32(h + 16), Be32(h + 20)};
}

// Walks the markers up to the first frame header (SOF0..SOF15 but DHT,
// JPG and DAC); a scan before it means a broken file.
std::optional<PictureHeader> Jpeg(TailSource& file) {
    uint64_t at = 2;
    const uint64_t size = file.Size();
    while (at + 4 <= size) {
        uint8_t m[4];
        if (!file.ReadAt(at, m, sizeof m) || m[0] != 0xFF)
            return std::nullopt;
        const uint8_t marker = m[1];
        if (marker == 0xFF) { // fill byte
            ++at;
            continue;
        }
        if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) { // no length
            at += 2;
            continue;
        }
        if (marker == 0xD9 || marker == 0xDA)
            return std::nullopt;
        const uint16_t length = Be16(m + 2);
        if (length < 2)
            return std::nullopt;
        if (marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 &&
            marker != 0xCC) {
            uint8_t f[5];
            if (length < 7 || !file.ReadAt(at + 4, f, sizeof f))
                return std::nullopt;
            return PictureHeader{PictureFormat::Jpeg, Be16(f + 3), Be16(f + 1)};
        }
        at += 2 + length;
    }
    return std::nullopt;
}

std::optional<PictureHeader> Gif(TailSource& file) {
    uint8_t h[10];
    if (!file.ReadAt(0, h, sizeof h))
        return std::nullopt;
    return PictureHeader{PictureFormat::Gif, Le16(h + 6), Le16(h + 8)};
}

std::optional<PictureHeader> Bmp(TailSource& file) {
    uint8_t h[26];
    if (!file.ReadAt(0, h, 18))
        return std::nullopt;
    const uint32_t headerSize = Le32(h + 14);
    if (headerSize == 12) {
        if (!file.ReadAt(18, h + 18, 4))
            return std::nullopt;
        return PictureHeader{PictureFormat::Bmp, Le16(h + 18), Le16(h + 20)};
    }
    if (headerSize < 16 || !file.ReadAt(18, h + 18, 8))
        return std::nullopt;
    const auto width = static_cast<int32_t>(Le32(h + 18));
    const auto height = static_cast<int32_t>(Le32(h + 22));
    if (width <= 0 || height == 0 || height == INT32_MIN)
        return std::nullopt;
    return PictureHeader{PictureFormat::Bmp, static_cast<uint32_t>(width),
                         static_cast<uint32_t>(height < 0 ? -height : height)};
}

// The first image file directory's width and length tags.
std::optional<PictureHeader> Tiff(TailSource& file) {
    uint8_t h[8];
    if (!file.ReadAt(0, h, sizeof h))
        return std::nullopt;
    const bool little = h[0] == 'I';
    const auto u16 = [little](const uint8_t* p) { return little ? Le16(p) : Be16(p); };
    const auto u32 = [little](const uint8_t* p) { return little ? Le32(p) : Be32(p); };
    const uint32_t ifd = u32(h + 4);
    uint8_t c[2];
    if (!file.ReadAt(ifd, c, 2))
        return std::nullopt;
    const uint16_t count = u16(c);
    uint32_t width = 0, height = 0;
    for (uint16_t i = 0; i < count; ++i) {
        uint8_t e[12];
        if (!file.ReadAt(uint64_t{ifd} + 2 + 12u * i, e, sizeof e))
            return std::nullopt;
        const uint16_t tag = u16(e), type = u16(e + 2);
        const uint32_t value = type == 3 ? u16(e + 8) : type == 4 ? u32(e + 8) : 0;
        if (tag == 256)
            width = value;
        else if (tag == 257)
            height = value;
    }
    if (width == 0 || height == 0)
        return std::nullopt;
    return PictureHeader{PictureFormat::Tiff, width, height};
}

// The directory's largest entry; an image stored as PNG counts with the
// size its own header gives (the PNG decoder reads that one).
std::optional<PictureHeader> Ico(TailSource& file) {
    uint8_t h[6];
    if (!file.ReadAt(0, h, sizeof h))
        return std::nullopt;
    const uint16_t count = Le16(h + 4);
    if (count == 0)
        return std::nullopt;
    PictureHeader best{PictureFormat::Ico, 0, 0};
    for (uint16_t i = 0; i < count; ++i) {
        uint8_t e[16];
        if (!file.ReadAt(6 + 16u * i, e, sizeof e))
            return std::nullopt;
        uint32_t width = e[0] ? e[0] : 256, height = e[1] ? e[1] : 256;
        if (auto png = Png(file, Le32(e + 12))) {
            width = png->Width;
            height = png->Height;
        }
        best.Width = std::max(best.Width, width);
        best.Height = std::max(best.Height, height);
    }
    return best;
}

// Version 1 only (a version 2 file is a large-document one).
std::optional<PictureHeader> Psd(TailSource& file) {
    uint8_t h[22];
    if (!file.ReadAt(0, h, sizeof h) || Be16(h + 4) != 1)
        return std::nullopt;
    const uint32_t height = Be32(h + 14), width = Be32(h + 18);
    const uint16_t channels = Be16(h + 12);
    if (width == 0 || height == 0 || channels == 0)
        return std::nullopt;
    PictureHeader header{PictureFormat::Psd, width, height};
    // After the three section lengths and the compression, each channel the
    // decoder reads (at most four) takes at least a byte for every 128
    // samples: raw, or run-length packets.
    const uint64_t pixels = uint64_t{width} * height;
    header.MinimumSize = 26u + 12u + 2u + std::min<uint64_t>(channels, 4) * ((pixels + 127) / 128);
    return header;
}

// The header checks of the Targa decoder: no colour map or a colour map
// with a colour-mapped image, plain or run-length, a known pixel size.
std::optional<PictureHeader> Tga(TailSource& file) {
    uint8_t h[18];
    if (!file.ReadAt(0, h, sizeof h))
        return std::nullopt;
    const uint8_t mapped = h[1], type = h[2], bits = h[16];
    const auto known = [](uint8_t b) { return b == 8 || b == 15 || b == 16 || b == 24 || b == 32; };
    if (mapped > 1)
        return std::nullopt;
    if (mapped == 1 ? (type != 1 && type != 9) || !known(h[7]) || (bits != 8 && bits != 16)
                    : type != 2 && type != 3 && type != 10 && type != 11)
        return std::nullopt;
    const uint16_t width = Le16(h + 12), height = Le16(h + 14);
    if (width == 0 || height == 0 || !known(bits))
        return std::nullopt;
    PictureHeader header{PictureFormat::Tga, width, height};
    // The identification and colour map, then the pixels (or colour
    // indices): each one whole, or in run-length packets of at most 128
    // pixels behind a count byte.
    const uint64_t pixels = uint64_t{width} * height, pixelBytes = (bits + 7) / 8;
    const uint64_t map = mapped ? uint64_t{Le16(h + 5)} * ((h[7] + 7) / 8) : 0;
    const uint64_t data = type >= 9 ? (pixels + 127) / 128 * (1 + pixelBytes) : pixels * pixelBytes;
    header.MinimumSize = 18u + h[0] + map + data;
    return header;
}

// The formats the imaging component and stb_image read.
bool HasReadersSignature(const uint8_t* d, std::size_t size) {
    if (size >= 8 && std::memcmp(d, PngSignature, 8) == 0)
        return true;
    if (size >= 3 && d[0] == 0xFF && d[1] == 0xD8 && d[2] == 0xFF)
        return true;
    if (size >= 6 && (std::memcmp(d, "GIF87a", 6) == 0 || std::memcmp(d, "GIF89a", 6) == 0))
        return true;
    if (size >= 2 && d[0] == 'B' && d[1] == 'M')
        return true;
    if (size >= 4 && (std::memcmp(d, "II*\0", 4) == 0 || std::memcmp(d, "MM\0*", 4) == 0))
        return true;
    if (size >= 4 && std::memcmp(d, "8BPS", 4) == 0)
        return true;
    if (size >= 2 && d[0] == 'P' && (d[1] == '5' || d[1] == '6'))
        return true;
    return size >= 4 && std::memcmp(d, "\0\0\1\0", 4) == 0;
}

} // namespace

bool HasPictureSignature(const uint8_t* d, std::size_t size) {
    return HasReadersSignature(d, size) || HasOwnPictureSignature(d, size);
}

std::optional<PictureHeader> ReadPictureHeader(TailSource& file, std::wstring_view extension) {
    uint8_t d[64] = {};
    const std::size_t got = static_cast<std::size_t>(std::min<uint64_t>(file.Size(), sizeof d));
    if (got == 0 || !file.ReadAt(0, d, got))
        return std::nullopt;
    if (!HasReadersSignature(d, got)) {
        // A Targa has no signature either, but its header is a weaker sign
        // than an extension naming one of ours.
        if (auto own = ReadOwnPictureHeader(file, extension))
            return own;
        return HasOwnPictureSignature(d, got) ? std::nullopt : Tga(file);
    }
    switch (d[0]) {
    case 0x89:
        return Png(file, 0);
    case 0xFF:
        return Jpeg(file);
    case 'G':
        return Gif(file);
    case 'B':
        return Bmp(file);
    case 'I':
    case 'M':
        return Tiff(file);
    case '8':
        return Psd(file);
    case 'P':
        return ReadPnmBinaryHeader(file);
    default:
        return Ico(file);
    }
}
