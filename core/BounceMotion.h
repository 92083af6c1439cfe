// Movement of the Bounce effect: one logo travelling diagonally and bouncing
// off every edge, or falling under gravity and bouncing on the bottom.
#pragma once

#include <cstdint>

struct BounceSettings {
    int32_t Speed;
    int32_t Gravity; // 0: no gravity; already Speed * 3 after normalising
    int32_t Wrap;    // with gravity: leave one side and re-enter on the other
};

struct BounceState {
    int32_t PosX = 0, PosY = 0;
    int32_t PrevX = 0, PrevY = 0; // where the last frame drew it; set by the drawing
    int32_t VelX = 0;
    int32_t StepY = 0; // vertical step without gravity
    float FloatY = 0, VelY = 0;
    float Landed = 0; // 1.0 in the frame after the logo hit the bottom
};

// Logo and screen sizes in pixels (the screen's left and top are 0).
struct BounceArea {
    int32_t Width, Height;             // the logo
    int32_t ScreenWidth, ScreenHeight; // the drawing area
};

// Fresh state: direction and random start. Draws rand() for the signs
// (without gravity) and then for X and Y.
BounceState BounceStart(const BounceSettings& s, const BounceArea& a);

// One frame: moves and applies the limits (Prev* is left to the drawing).
void BounceStep(BounceState& b, const BounceSettings& s, const BounceArea& a);

struct BounceRect {
    int32_t Left, Top, Width, Height;
};

// The screen area one frame without trail changes: old and new logo with a
// 5-pixel margin.
BounceRect BounceUnion(int32_t x, int32_t y, int32_t prevX, int32_t prevY, const BounceArea& a);
