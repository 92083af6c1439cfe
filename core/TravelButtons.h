// The travel buttons' rules without windows: the look of a half, how long a
// change of look is animated, and what the pointer does to the two halves.
#pragma once

// Looks: 0 normal, 1 hot, 2 pressed, 3 disabled. States: 0..2.
int TravelLook(bool enabled, int state);

// Milliseconds a change of look is animated: 1000 to or from disabled, 50
// to pressed, 250 else.
int TravelAnimationMs(int oldLook, int newLook);

// Inside the control: 0 <= x <= 2 x imgSize and 0 <= y <= imgSize, bounds in.
bool TravelInside(int x, int y, int imgSize);
// The half under the pointer: 1 from x = imgSize on, else 0.
int TravelHalfAt(int x, int imgSize);

enum class TravelCapture { Keep, Take, Release };

struct TravelPointer {
    int State[2] = {0, 0};
    int Tracking = 0;           // 0 not tracking, 1 pointer over it, 2 left button held
    bool PressedInside = false; // the left button went down inside the control

    // A move to (x, y): what happens to the mouse capture.
    TravelCapture Move(int x, int y, int imgSize);
    // A left press.
    TravelCapture LeftDown(int x, int y, int imgSize);
    // A release of `button` (1 left); `clicked` is the half to raise Click
    // for, or -1: only a left press inside released inside an enabled half.
    TravelCapture Up(int button, int x, int y, int imgSize, const bool enabled[2], int& clicked);
};
