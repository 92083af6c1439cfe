// The logo page's preview: the scaled logo's size, its place in the preview
// box, the colour key guessed from its corners, and the large-logo note.
#pragma once

#include <array>
#include <cstdint>

struct PreviewRect {
    int32_t Left, Top, Width, Height;
};

// The logo's size times the scale, each side rounded (halves to even).
struct ScaledSize {
    int32_t Width, Height;
};
ScaledSize ScaleLogo(int32_t width, int32_t height, double scale);

// Where a picture of the scaled size goes in a preview box of pW x pH:
// fitted in proportion when it is larger in either direction (a wide logo
// tries the full width first, a tall one the full height), never enlarged,
// centred (halves to even).
PreviewRect PreviewLogoRect(int32_t sW, int32_t sH, int32_t pW, int32_t pH);

// The colour key from the corners (0,0), (W-1,0), (0,H-1), (W-1,H-1) in
// that order: the corner most others agree with, the earlier on a tie;
// -1 when no two corners agree. Colours are COLORREFs (0..0xFFFFFF).
int32_t CornerKey(const std::array<uint32_t, 4>& corners);

// The scaled logo is larger than the screen in either direction.
bool IsLargeLogo(int32_t sW, int32_t sH, int32_t screenWidth, int32_t screenHeight);
