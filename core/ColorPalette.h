// The colour palette pop-up's table and geometry: 40 named colours, 8 to a
// row, and a full-width "More colors..." entry holding the custom colour.
// Colours are COLORREF values (0x00BBGGRR); positions are pixels.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct PaletteEntry {
    std::wstring Name;
    uint32_t Colour = 0;  // for the last entry: the custom colour
    int32_t X = 0, Y = 0; // top left of the swatch
    bool FullWidth = false;
};

// The number of named colours; the custom entry comes after them.
constexpr int32_t NamedColourCount = 40;
// The pop-up's width in pixels: its grid is pixels at any resolution.
constexpr int32_t PaletteWidth = 160;
// Its height is 2025 twips, so that the "More colors..." button, as tall as
// a line of text, still fits when the text grows with the resolution: 135
// pixels at 96 dots an inch.
constexpr double PaletteHeightTwips = 2025;
int32_t PaletteHeightAt(int32_t dpi);

// The 40 named colours in cell order, then "More colors..." (custom colour 0).
std::vector<PaletteEntry> BuildPalette();

// The lowest named entry of this colour. None: -1, or with `store` the colour
// becomes the custom one and the result is the last index.
int32_t FindColor(std::vector<PaletteEntry>& entries, uint32_t colour, bool store);

// The entry under a point, -1 for none; where two areas overlap the lower
// index wins. `windowWidth` bounds the full-width entry.
int32_t ColorFromPoint(const std::vector<PaletteEntry>& entries, int32_t x, int32_t y,
                       int32_t windowWidth);

struct CellBox {
    int32_t Left = 0, Top = 0, Right = 0, Bottom = 0;
};
// The button drawn for an entry; the full-width one is as tall as a line of
// text (`textHeight`) and margins.
CellBox CellButton(const PaletteEntry& entry, int32_t windowWidth, int32_t textHeight);
// Top left of an entry's swatch inside its button.
void SwatchPlace(const PaletteEntry& entry, const CellBox& button, int32_t& x, int32_t& y);

// The selection a redraw shows: outside the entries it is 0; the custom entry
// moves to a named cell holding the same colour.
int32_t NormalSelection(std::vector<PaletteEntry>& entries, int32_t selected);

// Toolbar-button state of a cell's look: 0 normal, 1 hot, 2 checked,
// 3 hot and checked, 4 pressed.
int32_t CellLookState(int32_t look);
