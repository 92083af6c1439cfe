#include "core/RawFaxPicture.h"

#include <algorithm>
#include <new>

namespace {

// Rows the stream codes, reading each byte's bits from the high one or
// from the low one. An end-of-line code is eleven 0 bits or more (fill
// bits) and a 1, which no code of a row holds; each code of a row holds a
// 1, so the rows are the stretches between end-of-line codes with a 1 in
// them (the six codes ending the page make none).
uint32_t CountRows(TailSource& file, bool lowBitFirst, uint32_t& endsOfLine) {
    uint32_t rows = 0, zeros = 0;
    bool data = false;
    endsOfLine = 0;
    uint8_t block[4096];
    const uint64_t size = file.Size();
    for (uint64_t at = 0; at < size; at += sizeof block) {
        const std::size_t n = static_cast<std::size_t>(std::min<uint64_t>(sizeof block, size - at));
        if (!file.ReadAt(at, block, n))
            return 0;
        for (std::size_t i = 0; i < n; ++i)
            for (int k = 0; k < 8; ++k) {
                if (!(block[i] >> (lowBitFirst ? k : 7 - k) & 1)) {
                    ++zeros;
                    continue;
                }
                if (zeros >= 11) {
                    ++endsOfLine;
                    rows += data;
                    data = false;
                } else {
                    data = true;
                }
                zeros = 0;
            }
    }
    return rows + data;
}

struct Coding {
    uint32_t Rows;
    bool LowBitFirst;
};

// The bit order in which the stream has more end-of-line codes (every row
// has one): mostly the high bit first.
std::optional<Coding> Find(TailSource& file) {
    uint32_t highEnds = 0, lowEnds = 0;
    const uint32_t high = CountRows(file, false, highEnds), low = CountRows(file, true, lowEnds);
    const Coding coding = lowEnds > highEnds ? Coding{low, true} : Coding{high, false};
    if (std::max(highEnds, lowEnds) == 0 || coding.Rows == 0)
        return std::nullopt;
    return coding;
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
                {279, Long, static_cast<uint32_t>(size)},
                {292, Long, 0}}; // one-dimensional
    constexpr uint32_t count = sizeof tags / sizeof tags[0];
    constexpr uint32_t stripAt = 8 + 2 + count * 12 + 4;
    std::vector<uint8_t> tiff = {'I', 'I', 42, 0};
    tiff.reserve(stripAt + size);
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
    tiff.insert(tiff.end(), data, data + size);
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
