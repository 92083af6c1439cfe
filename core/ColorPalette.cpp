#include "core/ColorPalette.h"

#include "core/CreatorMath.h"

#include <cmath>

namespace {

struct Named {
    const wchar_t* Name;
    uint8_t R, G, B;
};

constexpr Named Colours[NamedColourCount] = {
    {L"Black", 0, 0, 0},
    {L"Brown", 153, 51, 0},
    {L"Olive Green", 51, 51, 0},
    {L"Dark Green", 0, 51, 0},
    {L"Dark Teal", 0, 51, 102},
    {L"Dark Blue", 0, 0, 128},
    {L"Indigo", 51, 51, 153},
    {L"Gray-80%", 51, 51, 51},
    {L"Dark Red", 128, 0, 0},
    {L"Orange", 255, 102, 0},
    {L"Dark Yellow", 128, 128, 0},
    {L"Green", 0, 128, 0},
    {L"Teal", 0, 128, 128},
    {L"Blue", 0, 0, 255},
    {L"Blue-Gray", 102, 102, 153},
    {L"Gray-50%", 128, 128, 128},
    {L"Red", 255, 0, 0},
    {L"Light Orange", 255, 153, 0},
    {L"Lime", 153, 204, 0},
    {L"Sea Green", 51, 153, 102},
    {L"Aqua", 51, 204, 204},
    {L"Light Blue", 51, 102, 255},
    {L"Violet", 128, 0, 128},
    {L"Gray-40%", 150, 150, 150},
    {L"Pink", 255, 0, 255},
    {L"Gold", 255, 204, 0},
    {L"Yellow", 255, 255, 0},
    {L"Bright Green", 0, 255, 0},
    {L"Turquoise", 0, 255, 255},
    {L"Sky blue", 0, 204, 255},
    {L"Plum", 153, 51, 102},
    {L"Gray-25%", 192, 192, 192},
    {L"Rose", 255, 153, 204},
    {L"Tan", 255, 204, 153},
    {L"Light Yellow", 255, 255, 153},
    {L"Light Green", 204, 255, 204},
    {L"Light Turquoise", 204, 255, 255},
    {L"Pale Blue", 153, 204, 255},
    {L"Lavender", 204, 153, 255},
    {L"White", 255, 255, 255},
};

PaletteEntry Entry(int32_t n, const wchar_t* name, uint32_t colour, bool fullWidth) {
    return {name, colour, (n % 8) * 19 + 7, (n / 8) * 19 + 7, fullWidth};
}

} // namespace

std::vector<PaletteEntry> BuildPalette() {
    std::vector<PaletteEntry> entries;
    for (int32_t n = 0; n < NamedColourCount; ++n) {
        const Named& c = Colours[n];
        entries.push_back(Entry(n, c.Name, c.R | (c.G << 8) | (uint32_t{c.B} << 16), false));
    }
    entries.push_back(Entry(NamedColourCount, L"More colors...", 0, true));
    entries.back().Y += 4; // a little apart from the grid
    return entries;
}

int32_t FindColor(std::vector<PaletteEntry>& entries, uint32_t colour, bool store) {
    if (entries.empty())
        return -1;
    const int32_t last = static_cast<int32_t>(entries.size()) - 1;
    for (int32_t i = 0; i < last; ++i)
        if (entries[static_cast<size_t>(i)].Colour == colour)
            return i;
    if (!store)
        return -1;
    entries.back().Colour = colour;
    return last;
}

int32_t ColorFromPoint(const std::vector<PaletteEntry>& entries, int32_t x, int32_t y,
                       int32_t windowWidth) {
    for (size_t i = 0; i < entries.size(); ++i) {
        const PaletteEntry& e = entries[i];
        if (e.Y > y)
            return -1;
        if (e.Y - 6 <= y && y <= e.Y + 17 && e.X - 6 <= x &&
            (x <= e.X + 17 || (e.FullWidth && x <= windowWidth - 4)))
            return static_cast<int32_t>(i);
    }
    return -1;
}

int32_t PaletteHeightAt(int32_t dpi) {
    return static_cast<int32_t>(std::lround(PaletteHeightTwips * dpi / 1440.0));
}

CellBox CellButton(const PaletteEntry& e, int32_t windowWidth, int32_t textHeight) {
    if (!e.FullWidth)
        return {e.X - 4, e.Y - 4, e.X + 16, e.Y + 16};
    return {e.X + 4, e.Y - 4, e.X + (windowWidth - 2 * (e.X + 4)) + 5, e.Y + textHeight + 4 + 5};
}

void SwatchPlace(const PaletteEntry& e, const CellBox& button, int32_t& x, int32_t& y) {
    if (!e.FullWidth) {
        x = e.X;
        y = e.Y;
        return;
    }
    x = e.X + 12;
    y = button.Top + 1 + RoundHalfEven((button.Bottom - button.Top - 15) / 2.0);
}

int32_t NormalSelection(std::vector<PaletteEntry>& entries, int32_t selected) {
    const int32_t count = static_cast<int32_t>(entries.size());
    if (selected < 0 || selected >= count)
        selected = 0;
    if (count > 0 && selected == count - 1)
        selected = FindColor(entries, entries.back().Colour, true);
    return selected;
}

int32_t CellLookState(int32_t look) {
    static constexpr int32_t states[] = {1, 2, 5, 6, 3};
    return look >= 0 && look <= 4 ? states[look] : 1;
}
