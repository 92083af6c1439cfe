#include "core/MngPicture.h"

#include "core/JngPicture.h"

#include "core/PictureBytes.h"

#include <cstring>

namespace {

constexpr uint8_t Signature[8] = {0x8A, 'M', 'N', 'G', '\r', '\n', 0x1A, '\n'};
constexpr uint8_t PngSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
constexpr uint8_t JngSignature[8] = {0x8B, 'J', 'N', 'G', '\r', '\n', 0x1A, '\n'};

struct Chunk {
    uint64_t At; // its length field
    uint32_t Length;
    char Type[4];
    uint8_t Head[8]; // the first bytes of its body (a header's width and height)
};

// The chunks in order; false past the last whole one.
class ChunkWalk {
  public:
    explicit ChunkWalk(TailSource& file) : file_(file) {}
    bool Next(Chunk& c) {
        uint8_t h[8];
        if (!file_.ReadAt(at_, h, sizeof h))
            return false;
        c.At = at_;
        c.Length = Be32(h);
        std::memcpy(c.Type, h + 4, 4);
        const uint64_t end = at_ + 12 + uint64_t{c.Length};
        if (end > file_.Size() || (c.Length >= 8 && !file_.ReadAt(at_ + 8, c.Head, 8)))
            return false;
        at_ = end;
        return true;
    }
    uint64_t At() const { return at_; }

  private:
    TailSource& file_;
    uint64_t at_ = 8;
};

bool Is(const Chunk& c, const char* type) {
    return std::memcmp(c.Type, type, 4) == 0;
}

bool StartsImage(const Chunk& c) {
    return (Is(c, "IHDR") || Is(c, "JHDR")) && c.Length >= 8;
}

} // namespace

bool IsMngPicture(const uint8_t* start, std::size_t size) {
    return size >= 8 && std::memcmp(start, Signature, 8) == 0;
}

std::optional<PictureHeader> ReadMngHeader(TailSource& file) {
    uint8_t s[8];
    if (!file.ReadAt(0, s, sizeof s) || std::memcmp(s, Signature, 8) != 0)
        return std::nullopt;
    ChunkWalk walk(file);
    for (Chunk c; walk.Next(c);) {
        if (StartsImage(c))
            return PictureHeader{PictureFormat::Mng, Be32(c.Head), Be32(c.Head + 4)};
    }
    return std::nullopt;
}

std::optional<std::vector<uint8_t>> CutMngFirstImage(const uint8_t* data, std::size_t size) {
    if (!data || !IsMngPicture(data, size))
        return std::nullopt;
    ByteTailSource source(data, size);
    ChunkWalk walk(source);
    Chunk c{};
    while (walk.Next(c) && !StartsImage(c)) {
    }
    if (!StartsImage(c))
        return std::nullopt;
    const uint64_t start = c.At;
    const bool jng = Is(c, "JHDR");
    while (!Is(c, "IEND"))
        if (!walk.Next(c))
            return std::nullopt;
    std::vector<uint8_t> image(jng ? JngSignature : PngSignature,
                               (jng ? JngSignature : PngSignature) + 8);
    image.insert(image.end(), data + start, data + walk.At());
    return image;
}

std::optional<OwnPictureResult> DecodeMngPicture(const OwnPictureInput& input) {
    auto image = CutMngFirstImage(input.Data, input.Size);
    if (!image)
        return std::nullopt;
    if (!IsJngPicture(image->data(), image->size()))
        return OwnPictureResult{{}, std::move(*image)};
    ByteTailSource source(image->data(), image->size());
    const auto header = ReadJngHeader(source);
    if (!header)
        return std::nullopt;
    auto picture = DecodeJngPicture({image->data(), image->size(), *header, input.Side});
    if (!picture)
        return std::nullopt;
    return OwnPictureResult{std::move(*picture), {}};
}
