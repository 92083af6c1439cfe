#include "core/ControlHelp.h"

namespace {

struct Range {
    char32_t first, last;
};

// Blocks whose letters come in case pairs; the few uncased letters inside
// them are listed apart below.
constexpr Range Cased[] = {
    {U'A', U'Z'},     {U'a', U'z'},     {0x00B5, 0x00B5}, {0x00C0, 0x00D6}, {0x00D8, 0x00F6},
    {0x00F8, 0x024F}, {0x0370, 0x0373}, {0x0376, 0x0377}, {0x037B, 0x037D}, {0x037F, 0x037F},
    {0x0386, 0x0386}, {0x0388, 0x03FF}, {0x0400, 0x052F}, {0x0531, 0x0556}, {0x0561, 0x0586},
    {0x10A0, 0x10C5}, {0x10D0, 0x10FA}, {0x1E00, 0x1FFC}, {0x2C00, 0x2C7F}, {0xA640, 0xA66D},
    {0xA722, 0xA787}, {0xFF21, 0xFF3A}, {0xFF41, 0xFF5A},
};

// Letters in those blocks without a case partner.
constexpr char32_t Uncased[] = {0x00DF, 0x0138, 0x0149, 0x01BB, 0x01BE, 0x01C0, 0x01C1,
                                0x01C2, 0x01C3, 0x0221, 0x0234, 0x0235, 0x0236, 0x0237,
                                0x0238, 0x0239, 0x03D2, 0x03D3, 0x03D4, 0x03F6, 0x03FC};

} // namespace

bool IsCasedLetter(wchar_t c) {
    const auto u = static_cast<char32_t>(c);
    for (char32_t un : Uncased)
        if (u == un)
            return false;
    for (const Range& r : Cased)
        if (u >= r.first && u <= r.last)
            return true;
    return false;
}

std::optional<std::wstring> HelpTextOfTag(std::wstring_view tag) {
    if (tag.empty() || tag.front() != L'?')
        return std::nullopt;
    std::wstring text(tag.substr(1));
    if (!text.empty() && IsCasedLetter(text.back()))
        text += L'.';
    return text;
}
