// Movement of the Falling effect: up to 50 copies of the logo at random
// depths, all moving one way, nearer copies larger and faster.
#pragma once

#include <cstdint>
#include <utility>

constexpr int FallingMax = 50; // records in the table

enum FallingDirectionBit : int32_t {
    FallingUp = 1,
    FallingDown = 2,
    FallingLeft = 4,
    FallingRight = 8,
};

struct FallingLogo {
    int32_t X = 0, Y = 0; // where it was last drawn
    int32_t W = 0, H = 0;
    double PosX = 0, PosY = 0;
    double Depth = 0; // 1.0 near .. 9.9 far
    double Near = 0;  // 11 - Depth: speed factor
};

struct FallingVelocity {
    double X, Y; // pixels per frame at Near 1
};

struct FallingArea {
    int32_t Width, Height;             // the logo
    int32_t ScreenWidth, ScreenHeight; // the drawing area
};

// Records in use for a FallingCount: the table holds 50, so more are
// limited to 50; none below 1.
int FallingUsed(int32_t count);

// One of the set direction bits (Up, Down, Left, Right in that order), Down
// when none is set; rand() is drawn only when several are.
FallingDirectionBit FallingPickDirection(int32_t bits);

FallingVelocity FallingVelocityOf(FallingDirectionBit direction, int32_t speed);

// Still near enough to the screen to be kept (5 pixels of slack).
bool FallingKeep(const FallingLogo& logo, const FallingArea& a);

// A new depth, size and place; after the first frame it enters from the edge
// it moves away from.
void FallingRenew(FallingLogo& logo, bool first, bool scaled, FallingVelocity v,
                  const FallingArea& a);

// One frame's move: X and Y become the truncated exact position.
void FallingMove(FallingLogo& logo, FallingVelocity v);

// Constant alpha of a copy: fainter with depth when fading.
int FallingAlpha(double depth, bool fade);

// Deepest first, by exchange: for each i every later item deeper than item i
// is swapped with it. Items may be records with resources of their own.
template <typename T, typename DepthOf> void FallingSort(T* items, int count, DepthOf depthOf) {
    for (int i = 0; i < count; ++i)
        for (int j = i + 1; j < count; ++j)
            if (depthOf(items[j]) > depthOf(items[i])) {
                using std::swap;
                swap(items[i], items[j]);
            }
}
