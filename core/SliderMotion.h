// The sliding-tile puzzle of the Slider effect: grid, empty place, the
// choice of each move and the pixel steps of one slide.
#pragma once

#include <cstdint>

// SliderTileSize ids.
enum SliderTileId : int32_t {
    SliderTileSmall = 1050,  // 64 pixels
    SliderTileMedium = 1051, // 128 pixels
    SliderTileLarge = 1052,  // 256 pixels
    SliderTileLogo = 1054,   // the logo's own size
};

// Move directions, named by where the tile goes.
enum SliderMove : int32_t {
    SliderNone = 0,
    SliderDown = 1,
    SliderUp = 2,
    SliderRight = 4,
    SliderLeft = 8,
};

struct SliderState {
    int32_t MaxCol = 0, MaxRow = 0; // last tile column and row
    int32_t TileW = 0, TileH = 0;
    int32_t CurX = 0, CurY = 0; // the sliding tile's top-left
    int32_t HoleCol = 0, HoleRow = 0;
    int32_t StepX = 0, StepY = 0;
    int32_t Direction = SliderNone;                          // the last move
    int32_t OriginX = 0, OriginY = 0, Right = 0, Bottom = 0; // the drawn logo
    int32_t TargetX = 0, TargetY = 0;
    int32_t Delay = 0; // ms to wait after the current step
};

struct SliderTile {
    int32_t W, H;
};

// Tile size for an id: an unknown id counts as Medium, as the settings page
// shows it; the preview pane divides by 8. Never below 1 pixel.
SliderTile SliderTileSize(int32_t id, int32_t logoWidth, int32_t logoHeight, bool preview);

// Zeroed state over the drawn logo rectangle: grid size and a random empty
// place, never in the last column or row (there is none when the grid has a
// single column or row: it is then 0).
SliderState SliderStart(SliderTile tile, int32_t left, int32_t top, int32_t right, int32_t bottom);

// Picks the next move: never straight back, and the last direction again only
// after five redraws of it.
SliderMove SliderChooseMove(const SliderState& s);

struct SliderVacated {
    int32_t Left, Top, Right, Bottom; // the place the tile leaves, filled black
};

// Starts the move: the empty place goes where the tile was; CurX/CurY is the
// tile and TargetX/TargetY where it ends.
SliderVacated SliderBeginMove(SliderState& s, SliderMove move);

// One pixel of the slide: false once the tile is at its target. Otherwise
// moves CurX/CurY and sets Delay: 10 ms, doubled for each of the last five
// pixels.
bool SliderNextStep(SliderState& s);
