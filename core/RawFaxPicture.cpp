#include "core/RawFaxPicture.h"

#include <algorithm>
#include <new>

namespace {

struct Coding {
    uint32_t Rows = 0, EndsOfLine = 0;
    uint64_t PageSize = 0; // up to the end of the page's last code
    bool LowBitFirst = false;
};

// The rows of the stream, reading each byte's bits from the high one or
// from the low one. An end-of-line code is eleven 0 bits or more (fill
// bits) and a 1, which no code of a row holds; each code of a row holds a
// 1, so the rows are the stretches between end-of-line codes with a 1 in
// them. Six codes in a row end the page: what follows is not read.
Coding Count(TailSource& file, bool lowBitFirst) {
    Coding c{0, 0, file.Size(), lowBitFirst};
    uint32_t zeros = 0, emptyEnds = 0;
    bool data = false;
    uint8_t block[4096];
    for (uint64_t at = 0; at < c.PageSize; at += sizeof block) {
        const auto n = static_cast<std::size_t>(std::min<uint64_t>(sizeof block, c.PageSize - at));
        if (!file.ReadAt(at, block, n))
            return {};
        for (std::size_t i = 0; i < n; ++i)
            for (int k = 0; k < 8; ++k) {
                if (!(block[i] >> (lowBitFirst ? k : 7 - k) & 1)) {
                    ++zeros;
                    continue;
                }
                if (zeros >= 11) {
                    ++c.EndsOfLine;
                    c.Rows += data;
                    emptyEnds = data ? 1 : emptyEnds + 1;
                    data = false;
                    if (emptyEnds == 6) {
                        c.PageSize = at + i + 1;
                        return c;
                    }
                } else {
                    data = true;
                }
                zeros = 0;
            }
    }
    c.Rows += data;
    return c;
}

// The bit order in which the stream has more end-of-line codes (every row
// has one): mostly the high bit first.
std::optional<Coding> Find(TailSource& file) {
    const Coding high = Count(file, false), low = Count(file, true);
    const Coding& c = low.EndsOfLine > high.EndsOfLine ? low : high;
    if (c.EndsOfLine == 0 || c.Rows == 0)
        return std::nullopt;
    return c;
}

void Put(std::vector<uint8_t>& b, uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i)
        b.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

} // namespace

std::optional<PictureHeader> ReadRawFaxHeader(TailSource& file) {
    const auto coding = Find(file);
    if (!coding)
        return std::nullopt;
    return PictureHeader{PictureFormat::RawFax, FaxWidth, coding->Rows};
}

std::optional<std::vector<uint8_t>> RawFaxAsTiff(const uint8_t* data, std::size_t size) try {
    ByteTailSource source(data, size);
    const auto coding = data && size <= UINT32_MAX ? Find(source) : std::nullopt;
    if (!coding)
        return std::nullopt;
    constexpr uint16_t Short = 3, Long = 4;
    const struct {
        uint16_t Tag, Type;
        uint32_t Value;
    } tags[] = {{256, Long, FaxWidth},
                {257, Long, coding->Rows},
                {258, Short, 1},                             // bits a sample
                {259, Short, 3},                             // T.4
                {262, Short, 0},                             // 0 is white
                {266, Short, coding->LowBitFirst ? 2u : 1u}, // bit order
                {273, Long, 0},                              // the strip's offset, below
                {277, Short, 1},
                {278, Long, coding->Rows},
                {279, Long, static_cast<uint32_t>(coding->PageSize)},
                {292, Long, 0}}; // one-dimensional
    constexpr uint32_t count = sizeof tags / sizeof tags[0];
    constexpr uint32_t stripAt = 8 + 2 + count * 12 + 4;
    std::vector<uint8_t> tiff = {'I', 'I', 42, 0};
    tiff.reserve(stripAt + coding->PageSize);
    Put(tiff, 8, 4);
    Put(tiff, count, 2);
    for (const auto& t : tags) {
        Put(tiff, t.Tag, 2);
        Put(tiff, t.Type, 2);
        Put(tiff, 1, 4);
        Put(tiff, t.Tag == 273 ? stripAt : t.Value, t.Type == Short ? 2 : 4);
        if (t.Type == Short)
            Put(tiff, 0, 2);
    }
    Put(tiff, 0, 4); // no further directory
    tiff.insert(tiff.end(), data, data + coding->PageSize);
    return tiff;
} catch (const std::bad_alloc&) {
    return std::nullopt;
}

std::optional<OwnPictureResult> DecodeRawFaxPicture(const OwnPictureInput& input) {
    auto tiff = RawFaxAsTiff(input.Data, input.Size);
    if (!tiff)
        return std::nullopt;
    return OwnPictureResult{{}, std::move(*tiff)};
}
