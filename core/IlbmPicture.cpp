#include "core/IlbmPicture.h"

#include "core/PictureBytes.h"

#include <cstring>
#include <vector>

namespace {

constexpr uint32_t HoldAndModify = 0x800, ExtraHalfBright = 0x80;

struct Layout {
    uint32_t Width = 0, Height = 0;
    unsigned Planes = 0;
    bool Mask = false, Coded = false, Chunky = false, HalfBright = false;
    uint64_t MapAt = 0, MapSize = 0, BodyAt = 0, BodySize = 0;
    // Bytes of one plane's row (chunky: of the whole row), and of the rows
    // of all planes and the mask.
    uint64_t RowBytes() const { return Chunky ? Width + (Width & 1) : (Width + 15) / 16 * 2; }
    uint64_t LineBytes() const { return RowBytes() * (Chunky ? 1 : Planes + Mask); }
};

// The chunks up to the pixels: the header, colour map and display mode.
std::optional<Layout> Parse(TailSource& file) {
    uint8_t form[12];
    if (!file.ReadAt(0, form, sizeof form) || !IsIlbmPicture(form, sizeof form))
        return std::nullopt;
    Layout l;
    l.Chunky = std::memcmp(form + 8, "PBM ", 4) == 0;
    const uint64_t end = std::min<uint64_t>(file.Size(), 8 + uint64_t{Be32(form + 4)});
    bool header = false;
    uint32_t mode = 0;
    for (uint64_t at = 12; at + 8 <= end;) {
        uint8_t chunk[8];
        if (!file.ReadAt(at, chunk, sizeof chunk))
            return std::nullopt;
        const uint64_t size = Be32(chunk + 4), data = at + 8;
        if (std::memcmp(chunk, "BMHD", 4) == 0) {
            uint8_t h[20];
            if (size < sizeof h || !file.ReadAt(data, h, sizeof h))
                return std::nullopt;
            l.Width = Be16(h);
            l.Height = Be16(h + 2);
            l.Planes = h[8];
            l.Mask = h[9] == 1;
            l.Coded = h[10] == 1;
            if (h[10] > 1)
                return std::nullopt;
            header = true;
        } else if (std::memcmp(chunk, "CMAP", 4) == 0) {
            l.MapAt = data;
            l.MapSize = std::min<uint64_t>(size, 3 * 256);
        } else if (std::memcmp(chunk, "CAMG", 4) == 0) {
            uint8_t m[4];
            if (size < 4 || !file.ReadAt(data, m, 4))
                return std::nullopt;
            mode = Be32(m);
        } else if (std::memcmp(chunk, "BODY", 4) == 0) {
            l.BodyAt = data;
            l.BodySize = size;
            break;
        }
        at = data + size + (size & 1);
    }
    l.HalfBright = (mode & ExtraHalfBright) && l.Planes == 6;
    const bool planes =
        l.Chunky ? l.Planes == 8 && !l.Mask : (l.Planes >= 1 && l.Planes <= 8) || l.Planes == 24;
    if (!header || l.BodyAt == 0 || !planes || (mode & HoldAndModify) || l.Width == 0 ||
        l.Height == 0)
        return std::nullopt;
    return l;
}

// The body's bytes, ByteRun1 undone: n of 0..127 is n + 1 bytes as they
// are, -1..-127 the next byte 1 - n times, -128 nothing.
class PixelStream {
  public:
    PixelStream(const uint8_t* data, std::size_t end, std::size_t at, bool coded)
        : data_(data), end_(end), at_(at), coded_(coded) {}
    bool Fill(uint8_t* out, std::size_t count) {
        for (std::size_t i = 0; i < count; ++i) {
            while (copy_ == 0 && repeat_ == 0) {
                if (at_ >= end_)
                    return false;
                const auto n = static_cast<int8_t>(data_[at_++]);
                if (!coded_) {
                    value_ = static_cast<uint8_t>(n);
                    repeat_ = 1;
                } else if (n >= 0) {
                    copy_ = n + 1u;
                } else if (n != -128) {
                    if (at_ >= end_)
                        return false;
                    value_ = data_[at_++];
                    repeat_ = 1u - n;
                }
            }
            if (copy_ > 0) {
                if (at_ >= end_)
                    return false;
                out[i] = data_[at_++];
                --copy_;
            } else {
                out[i] = value_;
                --repeat_;
            }
        }
        return true;
    }

  private:
    const uint8_t* data_;
    std::size_t end_, at_;
    bool coded_;
    uint8_t value_ = 0;
    unsigned copy_ = 0, repeat_ = 0;
};

} // namespace

bool IsIlbmPicture(const uint8_t* start, std::size_t size) {
    return size >= 12 && std::memcmp(start, "FORM", 4) == 0 &&
           (std::memcmp(start + 8, "ILBM", 4) == 0 || std::memcmp(start + 8, "PBM ", 4) == 0);
}

std::optional<PictureHeader> ReadIlbmHeader(TailSource& file) {
    const auto l = Parse(file);
    if (!l)
        return std::nullopt;
    // A coded pair makes at most 128 bytes.
    const uint64_t bytes = l->LineBytes() * l->Height;
    return PictureHeader{PictureFormat::Ilbm, l->Width, l->Height,
                         l->BodyAt + (l->Coded ? (bytes + 63) / 64 : bytes)};
}

std::optional<StbPicture> DecodeIlbmPicture(const OwnPictureInput& input) {
    ByteTailSource source(input.Data, input.Size);
    const auto l = Parse(source);
    auto out = NewOwnPicture(input.Header);
    if (!l || !out)
        return std::nullopt;
    const uint8_t* map = l->MapSize ? input.Data + l->MapAt : nullptr;
    const uint64_t entries = l->MapSize / 3;
    if (map && l->MapAt + l->MapSize > input.Size)
        return std::nullopt;
    const auto rowBytes = static_cast<std::size_t>(l->RowBytes());
    std::vector<uint8_t> line(static_cast<std::size_t>(l->LineBytes()));
    PixelStream stream(
        input.Data,
        static_cast<std::size_t>(std::min<uint64_t>(input.Size, l->BodyAt + l->BodySize)),
        static_cast<std::size_t>(l->BodyAt), l->Coded);
    bool transparent = false;
    uint8_t* p = out->Bitmap.Pixels.data();
    for (uint32_t y = 0; y < l->Height; ++y) {
        if (!stream.Fill(line.data(), line.size()))
            return std::nullopt;
        for (uint32_t x = 0; x < l->Width; ++x, p += 4) {
            uint32_t value = 0;
            if (l->Chunky)
                value = line[x];
            else
                for (unsigned plane = 0; plane < l->Planes; ++plane)
                    value |= PackedAt(line.data() + plane * rowBytes, x, 1) << plane;
            if (l->Mask && !PackedAt(line.data() + l->Planes * rowBytes, x, 1)) {
                p[3] = 0;
                transparent = true;
            }
            if (l->Planes == 24) {
                PutRgb(p, static_cast<uint8_t>(value), static_cast<uint8_t>(value >> 8),
                       static_cast<uint8_t>(value >> 16));
                continue;
            }
            if (!map) {
                const auto grey = static_cast<uint8_t>(value * 255 / ((1u << l->Planes) - 1));
                PutRgb(p, grey, grey, grey);
                continue;
            }
            // Extra-half-bright: the upper 32 colours are the lower ones at
            // half their brightness.
            const bool half = l->HalfBright && value >= 32;
            const uint32_t index = half ? value - 32 : value;
            if (index >= entries)
                return std::nullopt;
            const uint8_t* c = map + 3 * index;
            PutRgb(p, c[0] >> half, c[1] >> half, c[2] >> half);
        }
    }
    out->HasAlpha = transparent;
    return out;
}
