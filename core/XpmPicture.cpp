#include "core/XpmPicture.h"

#include "core/CSourceText.h"
#include "core/X11ColourNames.h"

#include <algorithm>
#include <array>
#include <unordered_map>
#include <vector>

namespace {

constexpr std::string_view Signature = "/* XPM */";

struct Layout {
    uint32_t Width, Height, Colours, Chars;
    std::size_t ColoursAt; // the first colour's string
};

std::optional<Layout> Parse(const uint8_t* data, std::size_t size) {
    CSourceText text(data, std::min(size, TextHeaderLimit));
    if (!text.SkipPast('{'))
        return std::nullopt;
    const auto values = text.String();
    if (!values || !text.Take(','))
        return std::nullopt;
    CSourceText numbers(reinterpret_cast<const uint8_t*>(values->data()), values->size());
    const auto width = numbers.Number(UINT16_MAX), height = numbers.Number(UINT16_MAX),
               colours = numbers.Number(1u << 24), chars = numbers.Number(31);
    if (!width || !height || !colours || !chars || *width == 0 || *height == 0 || *colours == 0 ||
        *chars == 0)
        return std::nullopt;
    return Layout{*width, *height, *colours, *chars, text.At()};
}

bool SameLetters(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return (x | 0x20) == (y | 0x20);
           });
}

int HexValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    c = static_cast<char>(c | 0x20);
    return c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
}

// BGRA as one number, blue in the low byte.
std::optional<uint32_t> ColourOf(std::string_view value) {
    if (SameLetters(value, "None"))
        return 0u;
    if (value.empty() || value[0] != '#') {
        const auto rgb = X11Colour(value);
        return rgb ? std::optional<uint32_t>(*rgb | 0xFF000000u) : std::nullopt;
    }
    const std::size_t digits = value.size() - 1, n = digits / 3;
    if (digits == 0 || digits % 3 != 0 || n > 4)
        return std::nullopt;
    uint32_t out = 0xFF000000u;
    for (std::size_t c = 0; c < 3; ++c) {
        uint32_t v = 0;
        for (std::size_t i = 0; i < n; ++i) {
            const int h = HexValue(value[1 + c * n + i]);
            if (h < 0)
                return std::nullopt;
            v = v << 4 | static_cast<uint32_t>(h);
        }
        v = n == 1 ? v * 17 : v >> (4 * n - 8);
        out |= v << (16 - 8 * c);
    }
    return out;
}

// The words after a colour's characters: keys, each followed by a value
// of one or more words ("c light grey").
std::optional<uint32_t> PickColour(std::string_view words) {
    static constexpr std::string_view Keys[] = {"c", "g", "g4", "m", "s"};
    std::array<std::string, std::size(Keys)> values;
    std::size_t current = std::size(Keys);
    for (std::size_t at = 0; at < words.size();) {
        while (at < words.size() && (words[at] == ' ' || words[at] == '\t'))
            ++at;
        const std::size_t end = std::min(words.find_first_of(" \t", at), words.size());
        const std::string_view word = words.substr(at, end - at);
        at = end;
        if (word.empty())
            break;
        const auto key = std::find(std::begin(Keys), std::end(Keys), word);
        if (key != std::end(Keys))
            current = static_cast<std::size_t>(key - std::begin(Keys));
        else if (current == std::size(Keys))
            return std::nullopt;
        else
            values[current] += (values[current].empty() ? "" : " ") + std::string(word);
    }
    for (std::size_t k = 0; k + 1 < std::size(Keys); ++k) // not the symbolic name
        if (!values[k].empty())
            return ColourOf(values[k]);
    return std::nullopt;
}

} // namespace

bool IsXpmPicture(const uint8_t* start, std::size_t size) {
    return size >= Signature.size() && std::equal(Signature.begin(), Signature.end(), start);
}

std::optional<PictureHeader> ReadXpmHeader(TailSource& file) {
    const std::vector<uint8_t> start = ReadTextHeader(file);
    if (start.empty())
        return std::nullopt;
    const auto l = Parse(start.data(), start.size());
    if (!l)
        return std::nullopt;
    // Each string in its quotes, and a comma; a colour's holds at least a
    // key and a value after its characters.
    return PictureHeader{PictureFormat::Xpm, l->Width, l->Height,
                         l->ColoursAt + uint64_t{l->Colours} * (l->Chars + 7) +
                             uint64_t{l->Height} * (uint64_t{l->Width} * l->Chars + 3) - 1};
}

std::optional<StbPicture> DecodeXpmPicture(const OwnPictureInput& input) {
    const auto l = Parse(input.Data, input.Size);
    auto out = NewOwnPicture(input.Header);
    if (!l || !out)
        return std::nullopt;
    CSourceText text(input.Data, input.Size, l->ColoursAt);
    // One character a pixel looks up a table; more, a map.
    std::array<std::optional<uint32_t>, 256> single;
    std::unordered_map<std::string_view, uint32_t> named;
    for (uint32_t i = 0; i < l->Colours; ++i) {
        const auto line = text.String();
        if (!line || line->size() < l->Chars || !text.Take(','))
            return std::nullopt;
        const auto colour = PickColour(line->substr(l->Chars));
        if (!colour)
            return std::nullopt;
        if (l->Chars == 1)
            single[static_cast<uint8_t>((*line)[0])] = *colour;
        else
            named[line->substr(0, l->Chars)] = *colour;
    }
    bool transparent = false;
    uint8_t* p = out->Bitmap.Pixels.data();
    for (uint32_t y = 0; y < l->Height; ++y) {
        const auto row = text.String();
        if (!row || row->size() != std::size_t{l->Width} * l->Chars ||
            (!text.Take(',') && y + 1 < l->Height))
            return std::nullopt;
        for (std::size_t x = 0; x < row->size(); x += l->Chars, p += 4) {
            uint32_t colour = 0;
            if (l->Chars == 1) {
                const auto& found = single[static_cast<uint8_t>((*row)[x])];
                if (!found)
                    return std::nullopt;
                colour = *found;
            } else {
                const auto found = named.find(row->substr(x, l->Chars));
                if (found == named.end())
                    return std::nullopt;
                colour = found->second;
            }
            for (int c = 0; c < 4; ++c)
                p[c] = static_cast<uint8_t>(colour >> (8 * c));
            transparent |= p[3] == 0;
        }
    }
    // Extensions may follow; then the array ends.
    while (text.String())
        text.Take(',');
    if (!text.Take('}'))
        return std::nullopt;
    out->HasAlpha = transparent;
    return out;
}
