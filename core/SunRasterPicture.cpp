#include "core/SunRasterPicture.h"

#include "core/PictureBytes.h"

#include <vector>

namespace {

constexpr std::size_t HeaderSize = 32;
enum Type : uint32_t { Old = 0, Standard = 1, Coded = 2, RedFirst = 3 };
enum MapType : uint32_t { NoMap = 0, RgbMap = 1, RawMap = 2 };

struct Layout {
    uint32_t Depth, Type, MapType, MapLength;
    std::size_t RowBytes; // rows end on a 16-bit boundary
};

Layout LayoutOf(const uint8_t* h, uint32_t width) {
    const uint32_t depth = Be32(h + 12);
    return {depth, Be32(h + 20), Be32(h + 24), Be32(h + 28),
            static_cast<std::size_t>((uint64_t{width} * depth + 15) / 16 * 2)};
}

// The pixel bytes, undoing the escapes of coded files: 0x80 0 is one 0x80,
// 0x80 n v is n + 1 bytes v.
class PixelStream {
  public:
    PixelStream(const uint8_t* data, std::size_t size, std::size_t at, bool coded)
        : data_(data), size_(size), at_(at), coded_(coded) {}
    bool Fill(uint8_t* out, std::size_t count) {
        for (std::size_t i = 0; i < count; ++i) {
            if (left_ == 0) {
                if (at_ >= size_)
                    return false;
                value_ = data_[at_++];
                left_ = 1;
                if (coded_ && value_ == 0x80) {
                    if (at_ >= size_)
                        return false;
                    const uint8_t n = data_[at_++];
                    if (n > 0) {
                        if (at_ >= size_)
                            return false;
                        value_ = data_[at_++];
                        left_ = n + 1u;
                    }
                }
            }
            out[i] = value_;
            --left_;
        }
        return true;
    }

  private:
    const uint8_t* data_;
    std::size_t size_, at_;
    bool coded_;
    uint8_t value_ = 0;
    unsigned left_ = 0;
};

} // namespace

bool IsSunRasterPicture(const uint8_t* start, std::size_t size) {
    return size >= 4 && Be32(start) == 0x59A66A95;
}

std::optional<PictureHeader> ReadSunRasterHeader(TailSource& file) {
    uint8_t h[HeaderSize];
    if (!file.ReadAt(0, h, sizeof h) || !IsSunRasterPicture(h, sizeof h))
        return std::nullopt;
    const uint32_t width = Be32(h + 4), height = Be32(h + 8);
    const Layout l = LayoutOf(h, width);
    if ((l.Depth != 1 && l.Depth != 8 && l.Depth != 24 && l.Depth != 32) || l.Type > RedFirst ||
        l.MapType > RawMap || (l.MapType == NoMap && l.MapLength != 0) ||
        (l.MapType == RgbMap && (l.MapLength % 3 != 0 || l.MapLength > uint64_t{3} << l.Depth)))
        return std::nullopt;
    // A coded triple makes at most 256 bytes.
    const uint64_t bytes = uint64_t{l.RowBytes} * height;
    return PictureHeader{PictureFormat::SunRaster, width, height,
                         HeaderSize + l.MapLength +
                             (l.Type == Coded ? (3 * bytes + 255) / 256 : bytes)};
}

std::optional<StbPicture> DecodeSunRasterPicture(const OwnPictureInput& input) {
    const uint32_t width = input.Header.Width, height = input.Header.Height;
    const Layout l = LayoutOf(input.Data, width);
    auto out = NewOwnPicture(input.Header);
    if (!out)
        return std::nullopt;
    // Red, then green, then blue values of each entry.
    const uint8_t* map = l.MapType == RgbMap ? input.Data + HeaderSize : nullptr;
    const uint32_t entries = map ? l.MapLength / 3 : 0;
    PixelStream stream(input.Data, input.Size, HeaderSize + l.MapLength, l.Type == Coded);
    std::vector<uint8_t> row(l.RowBytes);
    const bool redFirst = l.Type == RedFirst;
    uint8_t* p = out->Bitmap.Pixels.data();
    for (uint32_t y = 0; y < height; ++y) {
        if (!stream.Fill(row.data(), row.size()))
            return std::nullopt;
        for (uint32_t x = 0; x < width; ++x, p += 4) {
            if (l.Depth >= 24) {
                const uint8_t* c = row.data() + std::size_t{x} * (l.Depth / 8) + (l.Depth == 32);
                if (redFirst)
                    PutRgb(p, c[0], c[1], c[2]);
                else
                    PutRgb(p, c[2], c[1], c[0]);
                continue;
            }
            const uint32_t index = PackedAt(row.data(), x, l.Depth);
            if (map) {
                if (index >= entries)
                    return std::nullopt;
                PutRgb(p, map[index], map[entries + index], map[2 * entries + index]);
            } else {
                const auto grey = static_cast<uint8_t>(l.Depth == 1 ? (index ? 0 : 255) : index);
                PutRgb(p, grey, grey, grey);
            }
        }
    }
    return out;
}
