#include "core/PcxPicture.h"

#include "core/PictureBytes.h"

#include <algorithm>
#include <vector>

namespace {

constexpr std::size_t HeaderSize = 128;

struct Layout {
    unsigned Bits, Planes, RowBytes; // RowBytes: each plane's
    bool Coded;
};

Layout LayoutOf(const uint8_t* h) {
    return {h[3], h[65], Le16(h + 66), h[2] == 1};
}

bool Known(const Layout& l) {
    if (l.Planes == 1)
        return l.Bits == 1 || l.Bits == 2 || l.Bits == 4 || l.Bits == 8;
    return (l.Bits == 1 && l.Planes >= 2 && l.Planes <= 4) || (l.Bits == 8 && l.Planes == 3);
}

// The pixel bytes, each row all its planes one after the other.
class PixelStream {
  public:
    PixelStream(const uint8_t* data, std::size_t size, bool coded)
        : data_(data), size_(size), coded_(coded) {}
    std::size_t At() const { return at_; }
    bool Fill(uint8_t* out, std::size_t count) {
        for (std::size_t i = 0; i < count; ++i) {
            if (!coded_) {
                if (at_ >= size_)
                    return false;
                out[i] = data_[at_++];
                continue;
            }
            while (left_ == 0) {
                if (at_ >= size_)
                    return false;
                const uint8_t c = data_[at_++];
                if ((c & 0xC0) != 0xC0) {
                    value_ = c;
                    left_ = 1;
                } else if (at_ < size_) {
                    value_ = data_[at_++];
                    left_ = c & 0x3Fu;
                } else {
                    return false;
                }
            }
            out[i] = value_;
            --left_;
        }
        return true;
    }

  private:
    const uint8_t* data_;
    std::size_t size_;
    bool coded_;
    std::size_t at_ = HeaderSize;
    uint8_t value_ = 0;
    unsigned left_ = 0;
};

} // namespace

bool IsPcxPicture(const uint8_t* start, std::size_t size) {
    return size >= 4 && start[0] == 0x0A && (start[1] == 0 || (start[1] >= 2 && start[1] <= 5)) &&
           start[2] <= 1 && (start[3] == 1 || start[3] == 2 || start[3] == 4 || start[3] == 8);
}

std::optional<PictureHeader> ReadPcxHeader(TailSource& file) {
    uint8_t h[HeaderSize];
    if (!file.ReadAt(0, h, sizeof h) || !IsPcxPicture(h, sizeof h))
        return std::nullopt;
    const Layout layout = LayoutOf(h);
    const uint16_t left = Le16(h + 4), top = Le16(h + 6), right = Le16(h + 8),
                   bottom = Le16(h + 10);
    if (!Known(layout) || right < left || bottom < top)
        return std::nullopt;
    const uint32_t width = right - left + 1u, height = bottom - top + 1u;
    if (layout.RowBytes < (uint64_t{width} * layout.Bits + 7) / 8)
        return std::nullopt;
    // A coded pair makes at most 63 bytes.
    const uint64_t bytes = uint64_t{height} * layout.Planes * layout.RowBytes;
    return PictureHeader{PictureFormat::Pcx, width, height,
                         HeaderSize + (layout.Coded ? (2 * bytes + 62) / 63 : bytes)};
}

std::optional<StbPicture> DecodePcxPicture(const OwnPictureInput& input) {
    const uint8_t* h = input.Data;
    const Layout layout = LayoutOf(h);
    auto out = NewOwnPicture(input.Header);
    if (!out)
        return std::nullopt;
    const uint32_t width = input.Header.Width, height = input.Header.Height;
    std::vector<uint8_t> row(std::size_t{layout.Planes} * layout.RowBytes);
    std::vector<uint8_t> indices(std::size_t{width} * height);
    PixelStream stream(input.Data, input.Size, layout.Coded);
    // Three planes of bytes are red, green and blue; three of bits, indices.
    const bool rgb = layout.Bits == 8 && layout.Planes == 3;
    uint8_t* p = out->Bitmap.Pixels.data();
    for (uint32_t y = 0; y < height; ++y) {
        if (!stream.Fill(row.data(), row.size()))
            return std::nullopt;
        for (uint32_t x = 0; x < width; ++x, p += 4) {
            if (rgb) {
                PutRgb(p, row[x], row[layout.RowBytes + x], row[2 * layout.RowBytes + x]);
                continue;
            }
            uint32_t index = 0;
            if (layout.Planes == 1)
                index = PackedAt(row.data(), x, layout.Bits);
            else
                for (unsigned plane = 0; plane < layout.Planes; ++plane)
                    index |= PackedAt(row.data() + plane * layout.RowBytes, x, 1) << plane;
            indices[std::size_t{y} * width + x] = static_cast<uint8_t>(index);
        }
    }
    if (rgb)
        return out;
    // The 256 colours follow the pixels behind a byte 12; the others are in
    // the header. A two-colour picture whose header leaves them black is
    // black on white.
    const uint8_t* palette = h + 16;
    uint8_t grey[768];
    if (layout.Bits == 8) {
        const std::size_t at = stream.At();
        if (at < input.Size && input.Data[at] == 12) {
            if (input.Size - at < 769)
                return std::nullopt;
            palette = input.Data + at + 1;
        } else if (Le16(h + 68) == 2) {
            for (int i = 0; i < 768; ++i)
                grey[i] = static_cast<uint8_t>(i / 3);
            palette = grey;
        } else {
            return std::nullopt;
        }
    } else if (layout.Bits == 1 && layout.Planes == 1 &&
               std::all_of(h + 16, h + 22, [](uint8_t b) { return b == 0; })) {
        static constexpr uint8_t Mono[6] = {0, 0, 0, 255, 255, 255};
        palette = Mono;
    }
    p = out->Bitmap.Pixels.data();
    for (uint8_t index : indices) {
        const uint8_t* c = palette + 3 * index;
        PutRgb(p, c[0], c[1], c[2]);
        p += 4;
    }
    return out;
}
