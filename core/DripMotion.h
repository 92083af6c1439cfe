// The Drip effect's bursts: random runs of one-pixel columns of the logo
// sliding down a few pixels each.
#pragma once

#include <cstdint>
#include <vector>

struct DripRect {
    int32_t Left, Top, Right, Bottom; // the logo as drawn
};

struct DripState {
    bool First = true; // the next frame draws the logo
    DripRect Rect{};
    std::vector<int32_t> Offsets; // how far each screen column has slid
};

// One column move: copy column X from Top + From down by Distance pixels and
// fill the gap above it.
struct DripColumn {
    int32_t X, From, Distance;
};

// Fresh state: one offset per screen column plus 10, all zero.
void DripStart(DripState& state, int32_t screenWidth);

// One burst of 2, 4, 6 or 8 neighbouring columns starting at a random column
// of the logo; past the logo's right edge it continues at screen column 0.
// Columns outside the offset table (a logo hanging over the screen's side)
// are skipped, as are columns that have already slid out of any screen.
std::vector<DripColumn> DripBurst(DripState& state);
