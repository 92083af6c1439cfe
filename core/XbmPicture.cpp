#include "core/XbmPicture.h"

#include "core/CSourceText.h"

#include <algorithm>
#include <vector>

namespace {

struct Layout {
    uint32_t Width = 0, Height = 0;
    bool Words = false;       // X10: 16-bit values
    std::size_t ValuesAt = 0; // just after the "{"
    uint64_t Values() const {
        return (uint64_t{Width} + (Words ? 15 : 7)) / (Words ? 16 : 8) * Height;
    }
};

bool EndsWith(std::string_view s, std::string_view end) {
    return s.size() >= end.size() && s.substr(s.size() - end.size()) == end;
}

std::optional<Layout> Parse(const uint8_t* data, std::size_t size) {
    CSourceText text(data, std::min(size, TextHeaderLimit));
    Layout layout;
    while (text.Take('#')) {
        if (text.Word() != "define")
            return std::nullopt;
        const std::string_view name = text.Word();
        if (EndsWith(name, "_width") || EndsWith(name, "_height")) {
            const auto value = text.Number(UINT16_MAX);
            if (!value)
                return std::nullopt;
            (EndsWith(name, "_width") ? layout.Width : layout.Height) = *value;
        } else if (!text.SkipLine()) { // a hot spot
            return std::nullopt;
        }
    }
    // "static unsigned char <name>_bits[] = {"
    for (std::string_view word = text.Word(); !word.empty(); word = text.Word())
        layout.Words |= word == "short";
    if (layout.Width == 0 || layout.Height == 0 || !text.Take('[') || !text.SkipPast('{'))
        return std::nullopt;
    layout.ValuesAt = text.At();
    return layout;
}

} // namespace

bool IsXbmPicture(const uint8_t* start, std::size_t size) {
    constexpr std::string_view Define = "#define";
    std::size_t at = 0;
    while (at < size &&
           (start[at] == ' ' || start[at] == '\t' || start[at] == '\n' || start[at] == '\r'))
        ++at;
    return size - at >= Define.size() && std::equal(Define.begin(), Define.end(), start + at);
}

std::optional<PictureHeader> ReadXbmHeader(TailSource& file) {
    const std::vector<uint8_t> start = ReadTextHeader(file);
    if (start.empty())
        return std::nullopt;
    const auto layout = Parse(start.data(), start.size());
    if (!layout)
        return std::nullopt;
    // Each value at least a digit and a comma (the last one a "}").
    return PictureHeader{PictureFormat::Xbm, layout->Width, layout->Height,
                         layout->ValuesAt + 2 * layout->Values()};
}

std::optional<StbPicture> DecodeXbmPicture(const OwnPictureInput& input) {
    const auto layout = Parse(input.Data, input.Size);
    auto out = NewOwnPicture(input.Header);
    if (!layout || !out)
        return std::nullopt;
    const unsigned bits = layout->Words ? 16 : 8;
    const std::size_t perRow = (layout->Width + bits - 1) / bits;
    CSourceText text(input.Data, input.Size, layout->ValuesAt);
    uint8_t* row = out->Bitmap.Pixels.data();
    for (uint32_t y = 0; y < layout->Height; ++y, row += std::size_t{layout->Width} * 4)
        for (std::size_t i = 0; i < perRow; ++i) {
            const auto value = text.Number(layout->Words ? 0xFFFF : 0xFF);
            if (!value || (!text.Take(',') && (y + 1 < layout->Height || i + 1 < perRow)))
                return std::nullopt;
            for (unsigned b = 0; b < bits && i * bits + b < layout->Width; ++b)
                if (*value >> b & 1)
                    std::fill_n(row + (i * bits + b) * 4, 3, uint8_t{0});
                else
                    std::fill_n(row + (i * bits + b) * 4, 3, uint8_t{255});
        }
    if (!text.Take('}'))
        return std::nullopt;
    return out;
}
