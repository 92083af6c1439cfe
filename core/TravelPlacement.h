// Where the wizard's header puts its travel buttons once they know their
// picture size.
#pragma once

#include <cstdint>

struct TravelPlacement {
    int32_t Left = 0, Top = 0, Width = 0, Height = 0; // pixels in the header
    bool Visible = false;
};

// `imgSize` is one half's picture (0: no pictures); `headerHeight` the
// header's client height. Centred in the header under glass or without
// pictures, else 5 pixels above its bottom edge. The control is both halves
// wide and one pixel taller than a picture.
TravelPlacement PlaceTravelButtons(int32_t imgSize, bool glass, int32_t headerHeight);
