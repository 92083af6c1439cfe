#include "core/RawFaxPicture.h"

#include <algorithm>

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
// them. Six codes in a row end the page; without them it ends with its last
// code (a row is followed by one), the file's end after eleven 0 bits
// counting as its 1. The page is read up to the eleventh 0 bit of its last
// code: what follows is not part of it.
Coding Count(TailSource& file, bool lowBitFirst) {
    Coding c{0, 0, 0, lowBitFirst};
    const uint64_t size = file.Size();
    uint32_t zeros = 0, emptyEnds = 0;
    uint64_t eleventhZero = 0; // the byte after it
    bool data = false;
    const auto endOfLine = [&] {
        ++c.EndsOfLine;
        c.Rows += data;
        emptyEnds = data ? 1 : emptyEnds + 1;
        data = false;
        c.PageSize = eleventhZero;
    };
    uint8_t block[4096];
    for (uint64_t at = 0; at < size; at += sizeof block) {
        const auto n = static_cast<std::size_t>(std::min<uint64_t>(sizeof block, size - at));
        if (!file.ReadAt(at, block, n))
            return {};
        for (std::size_t i = 0; i < n; ++i)
            for (int k = 0; k < 8; ++k) {
                if (!(block[i] >> (lowBitFirst ? k : 7 - k) & 1)) {
                    if (++zeros == 11)
                        eleventhZero = at + i + 1;
                    continue;
                }
                if (zeros >= 11) {
                    endOfLine();
                    if (emptyEnds == 6)
                        return c;
                } else {
                    data = true;
                }
                zeros = 0;
            }
    }
    if (zeros >= 11)
        endOfLine();
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

std::optional<std::vector<uint8_t>> RawFaxAsTiff(const uint8_t* data, std::size_t size) {
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
}

std::optional<OwnPictureResult> DecodeRawFaxPicture(const OwnPictureInput& input) {
    auto tiff = RawFaxAsTiff(input.Data, input.Size);
    if (!tiff)
        return std::nullopt;
    return OwnPictureResult{{}, std::move(*tiff)};
}
